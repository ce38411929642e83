#include "xCaptionedControl.h"

#include "platform/db/DataSet.h"
#include "platform/ui/DBControls.h"

TxCaptionedControl::TxCaptionedControl(QWidget *parent, int margin) : QWidget(parent), margin_(margin)
{
    label_ = new QLabel(this);
    setFocusPolicy(Qt::NoFocus);
}

void TxCaptionedControl::CaptionFromField(TDBControl &control, const QString &fieldName)
{
    if (captionGiven_)
        return;
    QString caption = fieldName;
    if (TField *f = control.Field())
        caption = f->DisplayName();
    else if (TDataSet *ds = control.DataLink().DataSet())
        if (TField *f = ds->FindField(fieldName))
            caption = f->DisplayName();
    label_->setText(caption);
    fitLabel();
}

void TxCaptionedControl::SetCaption(const QString &caption)
{
    captionGiven_ = true;
    label_->setText(caption);
    fitLabel();
}

void TxCaptionedControl::SetLabelFont(const QFont &font)
{
    label_->setFont(font);
    fitLabel();
}

void TxCaptionedControl::SetLabelWidth(int width)
{
    labelWidth_ = width;
    updateGeometry();
    Layout();
}

int TxCaptionedControl::TextWidth() const
{
    return label_->fontMetrics().horizontalAdvance(label_->text());
}

void TxCaptionedControl::fitLabel()
{
    if (LabelWidens() && TextWidth() > labelWidth_)
        labelWidth_ = TextWidth() + margin_;
    updateGeometry();
    Layout();
}

QSize TxCaptionedControl::ValueHint(bool minimum) const
{
    const QWidget *value = ValueControl();
    return minimum ? value->minimumSizeHint() : value->sizeHint();
}

int TxCaptionedControl::TopCaptionHeight() const
{
    constexpr int least = 16;
    return std::max(least, label_->sizeHint().height());
}

QSize TxCaptionedControl::hint(bool minimum) const
{
    const QSize value = ValueHint(minimum);
    const int valueWidth = value.width() + TrailingWidth();
    if (CaptionOnTop())
        return {std::max(valueWidth, TextWidth()), TopCaptionHeight() + value.height()};
    // The caption keeps its width and is as tall as its (wrapped) text needs at that width.
    const int captionHeight = label_->text().isEmpty() ? 0
                              : label_->wordWrap()     ? label_->heightForWidth(labelWidth_)
                                                       : label_->sizeHint().height();
    return {labelWidth_ + valueWidth, std::max(captionHeight, value.height())};
}

QSize TxCaptionedControl::sizeHint() const
{
    return hint(false);
}

QSize TxCaptionedControl::minimumSizeHint() const
{
    return hint(true);
}

void TxCaptionedControl::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    Layout();
}
