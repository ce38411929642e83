// TRadioGroup: a group box holding a column of radio buttons, one list of items and one item index.
#pragma once

#include <QGroupBox>
#include <QStringList>
#include <functional>

class QButtonGroup;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget *parent = nullptr);

    QStringList Items() const { return items_; }
    void SetItems(const QStringList &items);
    // -1 while no item is chosen.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // A click on one of the items (after it became the chosen one).
    std::function<void()> OnClick;

private:
    QButtonGroup *group_;
    QStringList items_;
};
