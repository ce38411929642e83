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
    Layout();
}

void TxCaptionedControl::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    Layout();
}
