// Text templates of printed documents: a plain text file beside the program, shown for editing just
// before printing, and poured section by section (sections end at a line "[DETAIL]") into report memos.
#pragma once

#include "platform/ui/Form.h"

#include <QStringList>

class QPlainTextEdit;
class TBtnKoniec;
class TBtnTlac;
class TQRMemo;

class TQTlacTemplForm : public TForm {
    Q_OBJECT
public:
    explicit TQTlacTemplForm(QWidget *owner = nullptr);
    QPlainTextEdit *Memo;
    TBtnTlac *BtnTlac;
    TBtnKoniec *BtnKoniec;
    // The memo's lines as they stand now.
    QStringList Lines() const;
};

// The template dialog, made on first use and kept.
TQTlacTemplForm *QTlacTemplForm();

// Loads the file (beside the program unless the name is absolute) into the dialog, or the text
// "Súbor <path> neexistuje!" when it is missing, and shows it; true when the user chose to print.
// The file itself is never written.
bool EditTemplate(const QString &caption, const QString &fileName);
// Fills the memo with the template's lines from lineIndex up to the next "[DETAIL]" line, leaving
// lineIndex after that line (or at the end of the template).
void ReadTemplateSection(TQRMemo *reportMemo, int &lineIndex);
// The same over any list of lines.
void ReadTemplateSection(const QStringList &lines, TQRMemo *reportMemo, int &lineIndex);
