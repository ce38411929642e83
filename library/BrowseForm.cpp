#include "BrowseForm.h"

#include "xDBFilter.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Runs the action as the mouse is let go over the edit it watches. An object of its own: the form sees
// every event of the program already (its key preview), and would see the edit's twice.
class TClickAction : public QObject {
public:
    TClickAction(QObject *edit, std::function<void()> action) : QObject(edit), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            Guarded(action_);
        return false;
    }

private:
    std::function<void()> action_;
};

} // namespace

TBrowseForm::TBrowseForm(QWidget *owner) : TForm(owner), Column(new QVBoxLayout(this)) {}

void TBrowseForm::ClearSearches()
{
    for (QLineEdit *e : SearchEdits)
        e->clear();
}

QHBoxLayout *TBrowseForm::AddSearchRow(std::initializer_list<TBrowseSearch> searches, QBoxLayout *into,
                                       const char *caption)
{
    auto *row = new QHBoxLayout;
    if (caption) {
        auto *label = new QLabel(QString::fromUtf8(caption), this);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        row->addWidget(label);
    }
    for (const TBrowseSearch &s : searches) {
        const int index = int(searches_.size());
        searches_.push_back(s);
        auto *e = new QLineEdit(this);
        if (s.Name)
            e->setObjectName(QLatin1String(s.Name));
        if (s.Hint)
            e->setToolTip(QString::fromUtf8(s.Hint));
        if (s.MaxLength > 0)
            e->setMaxLength(s.MaxLength);
        if (s.Placeholder)
            e->setPlaceholderText(QString::fromUtf8(s.Placeholder));
        if (s.Order)
            e->installEventFilter(new TClickAction(e, [this, index] {
                if (OnSearchClick)
                    OnSearchClick(index);
            }));
        connect(e, &QLineEdit::textEdited, this, [this, e, index] {
            if (OnQuickSearch)
                Guarded([&] { OnQuickSearch(index, e); });
        });
        row->addWidget(e);
        SearchEdits << e;
        if (s.Edit)
            *s.Edit = e;
    }
    (into ? into : Column)->addLayout(row);
    return row;
}

TxDBFilterPanel *TBrowseForm::AddFilterPanel(const char *name, TDataSource *source, QBoxLayout *into)
{
    auto *panel = new TxDBFilterPanel(this);
    panel->setObjectName(QLatin1String(name));
    panel->DataSource = source;
    panel->hide();
    (into ? into : Column)->addWidget(panel);
    return panel;
}

void TBrowseForm::setUpGrid(TDBGrid *grid, const char *name, TDataSource *source,
                            std::initializer_list<TBrowseColumn> columns)
{
    if (name)
        grid->setObjectName(QLatin1String(name));
    grid->SetDataSource(source);
    grid->SetReadOnly(true);
    for (const TBrowseColumn &c : columns)
        grid->AddColumn(QLatin1String(c.Field), QString::fromUtf8(c.Title), c.Width > 0 ? c.Width : -1);
}

void TBrowseForm::place(QWidget *widget, int stretch, QBoxLayout *into)
{
    (into ? into : Column)->addWidget(widget, stretch);
}

QFormLayout *TBrowseForm::AddRecordTexts(QWidget *page, TDataSource *source,
                                         std::initializer_list<TBrowseColumn> fields, const char *namePrefix)
{
    auto *rows = new QFormLayout(page);
    for (const TBrowseColumn &f : fields) {
        auto *text = new TDBText(page);
        if (namePrefix)
            text->setObjectName(QLatin1String(namePrefix) + QLatin1String(f.Field));
        text->SetDataSource(source);
        text->SetDataField(QLatin1String(f.Field));
        rows->addRow(QString::fromUtf8(f.Title), text);
    }
    return rows;
}

QPushButton *TBrowseForm::AddButton(QBoxLayout *row, const char *caption, std::function<void()> action,
                                    const char *hint)
{
    QPushButton *b = GuardedButton(QString::fromUtf8(caption), this, row, std::move(action));
    if (hint)
        b->setToolTip(QString::fromUtf8(hint));
    return b;
}

void TBrowseForm::addButton(QBoxLayout *row, QPushButton *button, std::function<void()> action)
{
    connect(button, &QPushButton::clicked, button, [action = std::move(action)] { Guarded(action); });
    row->addWidget(button);
}

QPushButton *TBrowseForm::AddFilterButton(QBoxLayout *row, TxDBFilterPanel *panel, const char *caption,
                                          const char *hint)
{
    return AddButton(
        row, caption, [panel] { panel->SetFilterVisible(!panel->FilterVisible()); }, hint);
}

QPushButton *TBrowseForm::AddCloseButton(QBoxLayout *row, const char *caption, const char *hint)
{
    QPushButton *b = AddButton(
        row, caption, [this] { Close(); }, hint);
    SetCancelButton(b);
    return b;
}
