// TxEdit: the single-line edit of the program's forms. Enter and Down move to the next control, the
// background takes its own colour while focused, and the style limits which characters can be typed.
#pragma once

#include "platform/ui/MaskEdit.h"

#include <QColor>
#include <QLineEdit>

enum TxEditStyle { esGeneral, esInteger, esFloat, esDate };

// The focus rule of Enter, Down (next control) and Up (previous control) shared by run-time forms and
// the compound edits: a handled key becomes 0, other keys stay as they are.
void MoveFocusByKey(QWidget *control, int &key);

class TxEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TxEdit(QWidget *parent = nullptr);

    bool EnterToTab = true;
    TxEditStyle EditStyle = esGeneral;
    QColor ColorOnEnter() const { return colorOnEnter_; }
    void SetColorOnEnter(const QColor &color) { colorOnEnter_ = color; }

    // Whether the style lets this typed character in; control characters always pass.
    bool AcceptsChar(QChar c) const;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    TFocusArrival arrival_;
    QColor colorOnEnter_;
    QColor colorBeforeEnter_;
};
