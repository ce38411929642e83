// TMaskEdit: a single-line edit whose input shape is an edit mask in the program's own mask language
// ("!99/99/0000;1;_"); its Text follows that language (literals kept or not, unfilled places as blanks).
#pragma once

#include "platform/os/EditMask.h"

#include <QLineEdit>

class QFocusEvent;
class QKeyEvent;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// Keys held with Alt are commands (a button's letter, a menu), never text: such a key with a printable
// text is left for the window (true) instead of being typed.
bool AltCommandKey(QKeyEvent *e);

// Whether an edit's text is selected as the focus arrives, so what is typed replaces it: the first focus its
// window gives it as the window opens is such an arrival, as Tab is. The focus coming back with its window
// (after a dialog, from another window) leaves the caret where the user put it.
class TFocusArrival {
public:
    bool OpensWithWindow(const QFocusEvent *e) const;
    void Left(const QFocusEvent *e);
    // The window was closed: its next showing is an opening again.
    void Hidden() { leftWithWindow_ = false; }

private:
    bool leftWithWindow_ = false;
};

class TMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TMaskEdit(QWidget *parent = nullptr);

    const QString &EditMask() const { return editMask_; }
    // An empty mask makes a plain edit.
    void SetEditMask(const QString &mask);
    const TEditMask &Mask() const { return mask_; }

    TEditCharCase CharCase = ecNormal;

    // The value: with or without the mask's literals as the mask says, unfilled places as blanks.
    QString Text() const;
    void SetText(const QString &value);
    // What the edit shows, unfilled places as the mask's blank character.
    QString EditText() const;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    TFocusArrival arrival_;
    QString editMask_;
    TEditMask mask_;
};
