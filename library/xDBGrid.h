// TxCustomDBGrid: the grid of every list of the program — sorting by a title click through the query's
// ORDER BY, filter by a value (F7) or by a form (Ctrl+F), column sums and averages, copying, printing and
// export of the rows; TxDBGrid fills its two order hooks for the program's queries, data sets and tables.
#pragma once

#include "platform/ui/DBGrid.h"

#include <QFont>
#include <functional>

class QMenu;
class QPagedPaintDevice;

// A grid column with the aggregates of its numeric field (0 until computed).
class TxColumn : public TColumn {
public:
    double Sum = 0, Average = 0, Min = 0, Max = 0;
};

class TxCustomDBGrid : public TDBGrid {
    Q_OBJECT
public:
    explicit TxCustomDBGrid(QWidget *parent = nullptr);
    ~TxCustomDBGrid() override;

    TxColumn *XColumns(int i) const { return static_cast<TxColumn *>(Columns(i)); }

    // With multi-select, a plain click acts as Ctrl+click.
    bool SimpleMultiSelect = false;
    // Enter moves to the next column.
    bool EnterToTab = false;
    bool TitleClickToOrderBy() const { return titleClickToOrderBy_; }
    void SetTitleClickToOrderBy(bool on);
    QFont TitleFont() const;
    QString PrintTitle;
    int PrintFontSize = 9;
    bool AutoCalcAgg = false;
    // Title hints are shown.
    bool ShowHint = false;

    std::function<void(TxCustomDBGrid *)> OnAfterCalcAgg;
    // May give the column's field an order of its own (a list of columns), which then also sorts a query.
    std::function<void(TxCustomDBGrid *, QString &fieldName)> OnBeforeOrderBy;
    std::function<void(TxCustomDBGrid *, QString &title, int &fontSize)> OnBeforePrint;

    // F7: asks for a value of the column's field and filters by it; Cancel switches the filter off.
    void FilterByValue(int column);
    // Ctrl+F: the filter form over the grid's data source.
    void ShowFilterForm();
    // Sorts by the column: ascending, or descending when it is sorted ascending by it already.
    void TitleClickOrder(int column);
    // Sum, average, minimum and maximum of every numeric column (only with AutoCalcAgg).
    void CalcAggregates(bool active);
    // Copies rows as tab-separated values: 0 the current row, 1 from it to the last, 2 the marked rows.
    void CopyToClipboard(int mode);
    // Prints the rows through the print front end (PrintFrontEnd); nothing without one.
    void Print();
    // Lays the rows out on the device's pages: the heading, the column titles and the rows.
    void PrintTo(QPagedPaintDevice *device);
    // Writes every field of every row: kind 0 delimited (';', or a tab for a .txt name), 1 fixed width.
    // An empty name is "export.csv" / "export.txt" in the documents folder. Errors propagate.
    void Export(int kind, const QString &fileName);
    // Puts the focus into the current row's first shown cell that takes typing, scrolled into view: where
    // a new row's typing starts.
    void FocusFirstEditableCell();
    // How the data is sorted by the column now: 0 not, 1 ascending, 2 descending.
    int OrderState(int column) const;
    // The title hint of a column (empty for none).
    QString TitleHint(int column) override;

    // Prints a grid (shows the print dialog, then calls PrintTo); set by the print front end.
    static std::function<void(TxCustomDBGrid *)> &PrintFrontEnd();

protected:
    // The upper-case text in which the current order is sought.
    virtual QString GetOrderBy() const = 0;
    // Sets the order: the field form (a table's index fields) and the number form (a query's ORDER BY).
    virtual void SetOrderBy(const QString &fieldList, const QString &orderClause) = 0;

    void TitleClick(TColumn *column) override;
    int TitleMarkWidth(const TColumn *c) const override;
    void DrawTitle(QPainter *painter, const QRect &rect, int column) override;
    void DrawCorner(QPainter *painter, const QRect &rect) override;
    void TitleContextMenu(int column, const QPoint &globalPos) override;
    Qt::KeyboardModifiers ClickModifiers(Qt::KeyboardModifiers m) const override;
    void KeyDown(int &key, Qt::KeyboardModifiers modifiers) override;

private:
    bool dataOpen() const;
    // The order OnBeforeOrderBy gives the column's field in place of its name ("OSC,C_VYR"), upper case and
    // without blanks around its columns; empty when it gives none of its own.
    QString ownOrder(const TField *field) const;
    // Each column of the order descending.
    static QString descendingOrder(const QString &order);
    QString rowText();
    QMenu *titleMenu_ = nullptr;
    int menuColumn_ = -1;
    bool titleClickToOrderBy_ = false;
};

class TxDBGrid : public TxCustomDBGrid {
    Q_OBJECT
public:
    using TxCustomDBGrid::TxCustomDBGrid;

protected:
    QString GetOrderBy() const override;
    void SetOrderBy(const QString &fieldList, const QString &orderClause) override;
};
