// TBrowseForm: the base of the browsers. It builds, in one column in the order they are asked for, the
// quick-search row (the searches declared as a table), the filter panel, the grid and the rows of buttons;
// each browser adds only what is its own (its columns, buttons, detail tabs) and what its searches do.
#pragma once

#include "platform/ui/Form.h"

#include <QBoxLayout>
#include <QList>
#include <QPushButton>
#include <concepts>
#include <functional>
#include <initializer_list>

class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QVBoxLayout;
class TDataSource;
class TDBGrid;
class TxDBFilterPanel;

// One edit of the quick-search row: where the browser keeps it, its object name, its tip, the field it
// searches, the order a click into it lists by (none: a click only places the caret), the length it takes
// (0: any) and the text it shows while empty. Any of the texts may be left out.
struct TBrowseSearch {
    QLineEdit **Edit;
    const char *Name;
    const char *Hint;
    const char *Field;
    const char *Order;
    int MaxLength = 0;
    const char *Placeholder = nullptr;
};

// One column of the grid: the field, its title and its width (0: the grid's own).
struct TBrowseColumn {
    const char *Field;
    const char *Title;
    int Width = 0;
};

class TBrowseForm : public TForm {
    Q_OBJECT
public:
    explicit TBrowseForm(QWidget *owner = nullptr);

    // The quick-search edits in the order of the table.
    QList<QLineEdit *> SearchEdits;
    // The quick-search table the row was built from.
    const TBrowseSearch &Search(int index) const { return searches_[size_t(index)]; }

    // Typing into a quick-search edit: the edit's place in the table and the edit. Runs through Guarded.
    std::function<void(int index, QLineEdit *edit)> OnQuickSearch;
    // A click into a quick-search edit (mostly: everything listed in that edit's order). Runs through
    // Guarded.
    std::function<void(int index)> OnSearchClick;

    // Empties every quick-search edit.
    void ClearSearches();

protected:
    // The form's column; the parts go in top to bottom as they are added.
    QVBoxLayout *Column;

    // The caption in bold ("Rýchle hľadanie", none when null) and an edit per search, in the given layout
    // (the column when none). The row is returned for what a browser adds to it.
    QHBoxLayout *AddSearchRow(std::initializer_list<TBrowseSearch> searches, QBoxLayout *into = nullptr,
                              const char *caption = "Rýchle hľadanie");
    // The hidden filter panel over the data source; the browser lays out its edits.
    TxDBFilterPanel *AddFilterPanel(const char *name, TDataSource *source, QBoxLayout *into = nullptr);
    // The read-only grid of the data source with its columns, in the parent (the browser when none).
    template <class Grid>
    Grid *MakeGrid(const char *name, TDataSource *source, std::initializer_list<TBrowseColumn> columns,
                   QWidget *parent = nullptr)
    {
        auto *grid = new Grid(parent ? parent : this);
        setUpGrid(grid, name, source, columns);
        return grid;
    }
    // The same grid stretched in the layout (the column when none).
    template <class Grid>
    Grid *AddGrid(const char *name, TDataSource *source, std::initializer_list<TBrowseColumn> columns, int stretch = 1,
                  QBoxLayout *into = nullptr)
    {
        Grid *grid = MakeGrid<Grid>(name, source, columns, into ? into->parentWidget() : nullptr);
        place(grid, stretch, into);
        return grid;
    }
    // The current record's fields as texts on a detail page, each in a row under its caption, named by the
    // prefix and the field when a prefix is given. The page's layout is returned for what else it shows.
    QFormLayout *AddRecordTexts(QWidget *page, TDataSource *source, std::initializer_list<TBrowseColumn> fields,
                                const char *namePrefix = nullptr);
    // A button of a row whose click runs the action through Guarded, with its tip when one is given.
    QPushButton *AddButton(QBoxLayout *row, const char *caption, std::function<void()> action,
                           const char *hint = nullptr);
    // A button of the browser's own kind put into the row, its click run through Guarded.
    template <std::derived_from<QPushButton> Button>
    Button *AddButton(QBoxLayout *row, Button *button, std::function<void()> action)
    {
        addButton(row, button, std::move(action));
        return button;
    }
    // The button that shows or hides the filter panel.
    QPushButton *AddFilterButton(QBoxLayout *row, TxDBFilterPanel *panel, const char *caption = "&Filter",
                                 const char *hint = nullptr);
    // The button that closes the browser; Escape presses it.
    QPushButton *AddCloseButton(QBoxLayout *row, const char *caption, const char *hint = nullptr);

private:
    void setUpGrid(TDBGrid *grid, const char *name, TDataSource *source, std::initializer_list<TBrowseColumn> columns);
    void place(QWidget *widget, int stretch, QBoxLayout *into);
    void addButton(QBoxLayout *row, QPushButton *button, std::function<void()> action);
    std::vector<TBrowseSearch> searches_;
};
