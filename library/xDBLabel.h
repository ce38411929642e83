// TxDBLabel: a data-aware label with its own display format (an edit mask for texts, a number format,
// "$" for money, a date format) and a hook that may change the font for the value shown.
#pragma once

#include "platform/ui/DBControls.h"

#include <functional>

class TxDBLabel : public TDBText {
    Q_OBJECT
public:
    explicit TxDBLabel(QWidget *parent = nullptr);

    QString DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString &format);
    // Called before the text is made; may change the font.
    std::function<void(TxDBLabel *, TField *, QFont &)> OnGetTextProp;

    // The text shown for the field's current value.
    QString FieldText();

protected:
    void ShowField() override;

private:
    QString displayFormat_;
};
