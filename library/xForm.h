// TxForm: a dialog built in code on a grid of 8 x 24 pixel cells, where Enter and Down move to the next
// control and Up to the previous one; ChooseOption, the one-question dialog built on it.
#pragma once

#include "platform/os/Strings.h" // SplitCommaText

#include "platform/ui/Form.h"

#include <QStringList>

class TRadioGroup;

class TxForm : public TForm {
    Q_OBJECT
public:
    // Width in columns, height in rows; centred on the desktop.
    TxForm(QWidget *owner, int widthInColumns, int heightInRows, const QString &caption);

    static int ColToPixels(int columns) { return columns * 8; }
    static int RowToPixels(int rows) { return rows * 24; }

    // A radio group named name of items (comma text), none chosen; width 0 is the whole form. With
    // closeOnClick a click on an item ends the form with mrOk.
    static TRadioGroup *AddRadioGroup(TxForm *form, int row, int column, bool closeOnClick, int widthInColumns,
                                      const QString &items, const QString &name);
    // The first direct child named name (trimmed), or null.
    static QWidget *FindControl(QWidget *form, const QString &name);
    // The value of a named control as a number: an edit's text, a combo's or radio group's item index + 1,
    // a check box's 1 or 0; 0 for anything else, no control, an empty edit or a text that is not a number.
    static double GetValue(QWidget *form, const QString &name);
    static int GetIntValue(QWidget *form, const QString &name);

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers modifiers) override;
};

// The options of a choice: the texts between commas, each trimmed, blanks inside kept; a double-quoted part may
// hold commas ("" is a quote in it).
QStringList SplitOptions(const QString &items);

// Asks which of the options (comma separated, see SplitOptions) under the caption; the chosen option counted from 1, or
// -1 when the dialog was closed without a choice.
int ChooseOption(const QString &items, const QString &caption);
