// The memo editor: a long text field of a record edited in a larger window, stored into the field on OK.
#pragma once

#include "platform/ui/Form.h"

class QPlainTextEdit;
class TBitBtn;
class TField;

class TQMemoForm : public TForm {
    Q_OBJECT
public:
    explicit TQMemoForm(QWidget *owner = nullptr);
    QPlainTextEdit *Memo;
    TBitBtn *BtnZapis;
    TBitBtn *BtnNezapis;
};

// The memo editor, made on first use and kept.
TQMemoForm *QMemoForm();

// Shows the field's text under the caption; on OK puts the record into edit (unless it is being edited
// or inserted already) and stores the text into the field, line ends as CR LF, without posting.
void EditMemoField(TField *field, const QString &caption);
