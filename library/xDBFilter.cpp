#include "xDBFilter.h"

#include "SqlLiteral.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

namespace {

TDataSet *dataSetOf(TDataSource *source)
{
    return source ? source->DataSet() : nullptr;
}

// The filter goes to the data set, switched on only when there is a condition.
void setFilter(TDataSource *source, const QString &filter)
{
    if (TDataSet *ds = dataSetOf(source)) {
        ds->SetFilterText(filter);
        ds->SetFiltered(!filter.isEmpty());
    }
}

} // namespace

// ---------------------------------------------------------------- TxDBFilterEdit

TxDBFilterEdit::TxDBFilterEdit(QWidget *parent) : TxEdit(parent) {}

void TxDBFilterEdit::ApplyFilter()
{
    QString filter;
    if (QWidget *p = parentWidget()) {
        for (QObject *o : p->children()) {
            auto *other = qobject_cast<TxDBFilterEdit *>(o);
            if (!other || other == this || other->DataSource != DataSource)
                continue;
            if (Tag != 0 && other->Tag == Tag) {
                if (!other->text().isEmpty())
                    AddFilterCondition(filter, other->SQLWhere, other->text(), other->SQLParamType);
            } else {
                other->clear();
            }
        }
    }
    if (!text().isEmpty())
        AddFilterCondition(filter, SQLWhere, text(), SQLParamType);
    if (BeforeFilter)
        BeforeFilter(this, filter);
    setFilter(DataSource, filter);
}

void TxDBFilterEdit::keyReleaseEvent(QKeyEvent *e)
{
    TxEdit::keyReleaseEvent(e);
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return;
    default:
        break;
    }
    if (DataSource && !SQLWhere.isEmpty())
        ApplyFilter();
}

void TxDBFilterEdit::mouseReleaseEvent(QMouseEvent *e)
{
    TxEdit::mouseReleaseEvent(e);
    if (!rect().contains(e->position().toPoint()))
        return;
    clear();
    if (TDataSet *ds = dataSetOf(DataSource))
        ds->SetFiltered(false);
    if (OnClick)
        OnClick(this);
}

// ---------------------------------------------------------------- TxDBFilterPanel

TxDBFilterPanel::TxDBFilterPanel(QWidget *parent) : QGroupBox(QStringLiteral("Filter :"), parent)
{
    FilterButton = new TBitBtn(this);
    FilterButton->setObjectName(QStringLiteral("FilterButton"));
    FilterButton->setText(QStringLiteral("&Filter"));
    FilterButton->SetGlyph(QStringLiteral("XDBN_FILTER"));
    FilterButton->resize(50, 21);
    connect(FilterButton, &QPushButton::clicked, this, &TxDBFilterPanel::ApplyFilter);
}

void TxDBFilterPanel::SetFilterVisible(bool value)
{
    shownFromHidden_ = !isVisible();
    if (!value) {
        hide();
        return;
    }
    raise();
    show();
    if (shownFromHidden_) {
        // The first control after the button in tab order, wrapping round.
        for (QWidget *w = FilterButton->nextInFocusChain(); w && w != FilterButton; w = w->nextInFocusChain()) {
            if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this)) {
                w->setFocus();
                break;
            }
        }
    }
}

void TxDBFilterPanel::ApplyFilter()
{
    QString filter;
    for (QObject *o : children()) {
        auto *edit = qobject_cast<TxDBFilterEdit *>(o);
        if (!edit || edit->text().isEmpty() || edit->SQLWhere.isEmpty())
            continue;
        // A number or date edit holding other text is refused in words; the list stays as it was.
        const QString value = edit->text().startsWith(QLatin1Char('!')) ? edit->text().mid(1) : edit->text();
        if (const QString error = FieldConditionError(edit->SQLParamType, value); !error.isEmpty()) {
            ShowError(error);
            edit->setFocus();
            return;
        }
        AddFilterCondition(filter, edit->SQLWhere, edit->text(), edit->SQLParamType);
    }
    if (BeforeFilter)
        BeforeFilter(this, filter);
    filterText_ = filter;
    if (TDataSet *ds = dataSetOf(DataSource)) {
        // A data set that was open and is closed now had its condition refused (and reported) by the
        // filter rewriting; only one closed before is opened, and a refusal there is reported too.
        const bool wasActive = ds->Active();
        setFilter(DataSource, filter);
        if (!wasActive && !ds->Active()) {
            try {
                ds->Open();
            } catch (const Exception &e) {
                ShowError(e.Message);
            }
        }
    }
    if (AfterFilter)
        AfterFilter(this);
    if (shownFromHidden_) {
        shownFromHidden_ = false;
        hide();
    }
}

void TxDBFilterPanel::resizeEvent(QResizeEvent *e)
{
    QGroupBox::resizeEvent(e);
    int x = FilterButton->x(), y = FilterButton->y();
    if (height() > 40)
        y = height() - FilterButton->height() - 8;
    if (width() > 40)
        x = (width() - FilterButton->width()) / 2;
    FilterButton->move(x, y);
}

void TxDBFilterPanel::showEvent(QShowEvent *e)
{
    QGroupBox::showEvent(e);
    // The button comes last in tab order, after the edits.
    QWidget *last = nullptr;
    for (QObject *o : children())
        if (auto *w = qobject_cast<QWidget *>(o); w && w != FilterButton && (w->focusPolicy() & Qt::TabFocus))
            last = w;
    if (last)
        QWidget::setTabOrder(last, FilterButton);
}

// ---------------------------------------------------------------- TxDBFilterCombo

TxDBFilterCombo::TxDBFilterCombo(QWidget *parent) : QWidget(parent)
{
    Label = new QLabel(QString::fromUtf8("Výber :"), this);
    Label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    List = new QComboBox(this);
    List->setEditable(false);
    ValueEdit = new TxEdit(this);
    ValueEdit->hide();
    ValueEdit->installEventFilter(this);
    setFocusProxy(List);
    setFocusPolicy(Qt::NoFocus);
    connect(List, &QComboBox::activated, this, [this] { listChanged(); });
    resize(201, 21);
}

QString TxDBFilterCombo::Caption() const
{
    return Label->text();
}

void TxDBFilterCombo::SetCaption(const QString &caption)
{
    Label->setText(caption);
    updateGeometry();
    layOut();
}

void TxDBFilterCombo::SetLabelPosition(TLabelPosition position)
{
    labelPosition_ = position;
    updateGeometry();
    layOut();
}

void TxDBFilterCombo::SetSQLItems(const TStringList &items)
{
    sqlItems_ = items;
    for (int i = 0; i < items.Count(); ++i) {
        if (i < List->count())
            List->setItemText(i, items.Names(i));
        else
            List->addItem(items.Names(i));
    }
    List->setMaxVisibleItems(std::max(List->count(), 1));
    // The list is as wide as its longest item: the layout asks again.
    updateGeometry();
}

int TxDBFilterCombo::ItemIndex() const
{
    return List->currentIndex();
}

void TxDBFilterCombo::SetItemIndex(int index)
{
    List->setCurrentIndex(index);
    takeCondition();
}

void TxDBFilterCombo::SetValueText(const QString &text)
{
    ValueEdit->setText(text);
}

bool TxDBFilterCombo::takeCondition()
{
    const int line = sqlItems_.IndexOfName(List->currentText());
    condition_ = line >= 0 ? sqlItems_.ValueFromIndex(line) : QString();
    const bool asksValue = AsksValue(condition_);
    ValueEdit->setVisible(asksValue);
    return asksValue;
}

void TxDBFilterCombo::listChanged()
{
    if (takeCondition()) {
        // A new choice asks for its own value: the one typed for the last choice is gone.
        ValueEdit->clear();
        ValueEdit->setFocus();
    } else {
        ApplyFilter();
    }
}

void TxDBFilterCombo::ApplyFilter()
{
    QString filter;
    AddFilterCondition(filter, condition_, ValueEdit->text(), ftUnknown);
    if (BeforeFilter)
        BeforeFilter(this, filter);
    setFilter(DataSource, filter);
    if (AfterFilter)
        AfterFilter(this);
}

bool TxDBFilterCombo::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == ValueEdit && e->type() == QEvent::FocusOut && ValueEdit->isVisible())
        ApplyFilter();
    return QWidget::eventFilter(watched, e);
}

void TxDBFilterCombo::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    layOut();
}

QSize TxDBFilterCombo::minimumSizeHint() const
{
    // The list takes two thirds of what is right of the caption, the value edit the rest.
    const QSize label = Label->sizeHint(), list = List->minimumSizeHint();
    const int listWidth = (list.width() * 3 + 1) / 2;
    if (labelPosition_ == lpLeft)
        return {label.width() + 2 + listWidth, std::max(label.height(), list.height())};
    return {std::max(label.width(), listWidth), 16 + list.height()};
}

QSize TxDBFilterCombo::sizeHint() const
{
    const QSize least = minimumSizeHint();
    return {std::max(least.width(), 201), least.height()};
}

void TxDBFilterCombo::layOut()
{
    int listLeft, listTop;
    if (labelPosition_ == lpLeft) {
        Label->setGeometry(0, 0, Label->sizeHint().width(), height());
        listLeft = Label->width() + 2;
        listTop = 0;
    } else {
        Label->setGeometry(0, 0, width(), 16);
        listLeft = 0;
        listTop = 16;
    }
    const int listWidth = qRound((width() - listLeft) / 1.5);
    const int listHeight = height() - listTop;
    List->setGeometry(listLeft, listTop, listWidth, listHeight);
    const int editLeft = listLeft + listWidth + 2;
    ValueEdit->setGeometry(editLeft, listTop, width() - editLeft, listHeight);
}
