#include "RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
// An item answers a click anywhere on its row, not only on its circle and text.
class GroupButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};
} // namespace

TRadioGroup::TRadioGroup(QWidget *parent) : QGroupBox(parent), group_(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->setSpacing(0);
    connect(group_, &QButtonGroup::idClicked, this, [this](int) {
        if (OnClick)
            OnClick();
    });
}

void TRadioGroup::SetItems(const QStringList &items)
{
    for (QAbstractButton *b : group_->buttons()) {
        group_->removeButton(b);
        delete b;
    }
    items_ = items;
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new GroupButton(items[i], this);
        group_->addButton(b, i);
        layout()->addWidget(b);
    }
}

int TRadioGroup::ItemIndex() const
{
    return group_->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton *b = group_->button(index)) {
        b->setChecked(true);
        return;
    }
    // No item chosen: an exclusive group needs its exclusivity lifted to uncheck.
    if (QAbstractButton *checked = group_->checkedButton()) {
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
}
