#include "DataEditRow.h"

#include "platform/ui/DBControls.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

// The captioned control a spanning row of the form holds, directly or first in its row layout.
TxCaptionedControl *captionedOf(QLayoutItem *item)
{
    if (!item)
        return nullptr;
    if (auto *c = qobject_cast<TxCaptionedControl *>(item->widget()))
        return c;
    if (QLayout *row = item->layout(); row && row->count() > 0)
        return qobject_cast<TxCaptionedControl *>(row->itemAt(0)->widget());
    return nullptr;
}

// The captions of the layout's own column and those of the captioned controls get one width, so every
// value starts at the same place.
void alignCaptions(QFormLayout *form)
{
    constexpr int captionMargin = 4;
    int width = 0;
    QList<QWidget *> labels;
    QList<TxCaptionedControl *> controls;
    for (int r = 0; r < form->rowCount(); ++r) {
        if (QLayoutItem *item = form->itemAt(r, QFormLayout::LabelRole); item && item->widget()) {
            labels << item->widget();
            width = std::max(width, item->widget()->sizeHint().width());
        }
        if (TxCaptionedControl *c = captionedOf(form->itemAt(r, QFormLayout::SpanningRole))) {
            controls << c;
            width = std::max(width, c->TextWidth() + captionMargin);
        }
    }
    const int spacing = form->horizontalSpacing() >= 0 ? form->horizontalSpacing() : 6;
    for (QWidget *label : labels)
        label->setMinimumWidth(width);
    for (TxCaptionedControl *c : controls)
        c->SetLabelWidth(width + spacing);
}

} // namespace

TxDBEdit *NewDataEdit(QWidget *parent, TDataSource *source, const char *field, const char *caption)
{
    auto *e = new TxDBEdit(parent);
    e->setObjectName(QStringLiteral("DBe") + QString::fromLatin1(field));
    e->SetCaption(QString::fromUtf8(caption));
    e->SetDataSource(source);
    e->SetDataField(QString::fromLatin1(field));
    return e;
}

TxDBEdit *AddDataEditRow(QFormLayout *form, QWidget *parent, TDataSource *source, const TDataEditRow &row)
{
    TxDBEdit *e = NewDataEdit(parent, source, row.field, row.caption);
    if (row.kind != bsNone)
        e->SetButtonStyle(row.kind);
    if (row.mask)
        e->EditMask = QString::fromLatin1(row.mask);
    if (row.width > 0)
        e->SetEditWidth(row.width);
    if (row.unit || row.width > 0) {
        // An edit of its own width, or with a unit after it, leaves the rest of the row empty.
        auto *line = new QHBoxLayout;
        line->addWidget(e);
        if (row.unit)
            line->addWidget(new QLabel(QString::fromUtf8(row.unit), parent));
        line->addStretch(1);
        form->addRow(line);
    } else {
        form->addRow(e);
    }
    alignCaptions(form);
    return e;
}

void AddCaptionedRow(QFormLayout *form, const QString &caption, QWidget *control)
{
    form->addRow(caption, control);
    alignCaptions(form);
}

TDBEdit *NewFieldEdit(QWidget *parent, TDataSource *source, const char *field)
{
    auto *e = new TDBEdit(parent);
    e->SetDataSource(source);
    e->SetDataField(QString::fromLatin1(field));
    return e;
}

TDBEdit *AddFieldEditRow(QFormLayout *form, QWidget *parent, TDataSource *source, const char *field,
                         const char *caption)
{
    TDBEdit *e = NewFieldEdit(parent, source, field);
    form->addRow(QString::fromUtf8(caption), e);
    return e;
}

void SetMemoLines(QPlainTextEdit *memo, int lines)
{
    const QMargins margins = memo->contentsMargins();
    const int height = memo->fontMetrics().lineSpacing() * lines + int(2 * memo->document()->documentMargin()) +
                       margins.top() + margins.bottom();
    memo->setMaximumHeight(std::max(height, memo->minimumSizeHint().height()));
}
