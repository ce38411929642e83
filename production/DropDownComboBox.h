// TDropDownComboBox: a combo box that asks for its items each time its list drops down, so that what others
// added meanwhile (a new plan period) is offered without reopening the form.
#pragma once

#include <QComboBox>
#include <functional>

class TDropDownComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    // Gives the items; the text shown (typed or chosen) stays as it is.
    std::function<QStringList()> OnDropDown;
    // Takes the items from OnDropDown keeping the text, without a change of text being signalled.
    void Refill();

    void showPopup() override;
};
