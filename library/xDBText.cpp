#include "xDBText.h"

TxDBText::TxDBText(QWidget *parent) : TxCaptionedControl(parent, 2)
{
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    value_ = new TxDBLabel(this);
    value_->setWordWrap(true);
    resize(265, 17);
    Layout();
}

void TxDBText::SetDataField(const QString &name)
{
    value_->SetDataField(name);
    value_->setObjectName(name);
    CaptionFromField(*value_, name);
}

void TxDBText::Layout()
{
    label_->setGeometry(0, 0, labelWidth_, height());
    value_->setGeometry(labelWidth_, 0, std::max(0, width() - labelWidth_ - 1), height());
}

QWidget *TxDBText::ValueControl() const
{
    return value_;
}
