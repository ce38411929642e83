// TxDBComboBox: a data-aware combo over a code list: each line "code-text" is shown whole, the field
// stores the code ('M-Materiál' and 'N-Nástroj' store M or N).
#pragma once

#include "platform/ui/DBControls.h"

class TxDBComboBox : public TDBComboBox {
    Q_OBJECT
public:
    explicit TxDBComboBox(QWidget *parent = nullptr);

    // The lines as stored, each rewritten to "code-text".
    QStringList Items2() const { return items2_; }
    // Takes lines separated by "=", else "-", else ":" between code and text.
    void SetItems2(const QStringList &lines);
    // The codes, one per line of Items2, split where each line given parts.
    QStringList Items() const { return codes_; }

    // A line rewritten to "code-text" (a line without a separator becomes "-" + the line).
    static QString CodeLine(const QString &line);
    // The code of a line as given: the part before its separator ("=", else "-", else ":"), empty
    // without one.
    static QString LineCode(const QString &line);

protected:
    void ShowField() override;
    void WriteField() override;

private:
    QStringList items2_;
    QStringList codes_;
};
