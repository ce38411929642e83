// TDBGrid: the data-aware grid over a data source: columns bound to fields, title clicks, a row indicator,
// rows marked as bookmarks in the order they were marked, in-place editing through the fields, a cell
// colouring hook and the keys of a cursor grid (the data set moves, the view follows).
#pragma once

#include "DataSetModel.h"

#include <QColor>
#include <QHash>
#include <QFont>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <unordered_set>
#include <vector>

enum TDBGridOption {
    dgEditing = 0x1,
    dgTitles = 0x2,
    dgIndicator = 0x4,
    dgColumnResize = 0x8,
    dgColLines = 0x10,
    dgRowLines = 0x20,
    dgTabs = 0x40,
    dgRowSelect = 0x80,
    dgAlwaysShowSelection = 0x100,
    dgConfirmDelete = 0x200,
    dgCancelOnExit = 0x400,
    dgMultiSelect = 0x800,
};
using TDBGridOptions = int;

// A cell's font with its colour, as the colouring hook changes them.
class TCellFont : public QFont {
public:
    TCellFont() = default;
    explicit TCellFont(const QFont &font, const QColor &color = QColor()) : QFont(font), Color(color) {}
    QColor Color;
};

class QAbstractButton;
class TDBGridDelegate;
class TDBGridHeader;

class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget *parent = nullptr);
    ~TDBGrid() override;

    TDataSource *DataSource() const { return model_->DataSource(); }
    void SetDataSource(TDataSource *source);
    TDataSet *DataSet() const { return model_->DataSet(); }
    using QTableView::edit; // the cell's editor opened by the program (its guard below)
    TDataSetModel *Model() const { return model_; }

    int ColumnCount() const { return model_->ColumnCount(); }
    TColumn *Columns(int i) const { return model_->Column(i); }
    TColumn *AddColumn(const QString &fieldName, const QString &title = QString(), int width = -1);
    // The column of the current cell (null without columns).
    TColumn *SelectedColumn() const;
    int SelectedIndex() const;
    void SetSelectedIndex(int column);
    // The field of the current cell.
    TField *SelectedField() const;

    TDBGridOptions Options() const { return options_; }
    void SetOptions(TDBGridOptions options);
    bool ReadOnly() const { return model_->ReadOnly; }
    void SetReadOnly(bool on);
    // Down on the last row and Tab past its last cell start a new row after it (a list typed row by row,
    // such as a route); otherwise they stay on the last row.
    bool AppendAtEnd = false;

    // Marked rows (multi-select), in the order they were marked; rows deleted since are left out.
    std::vector<TBookmark> SelectedRows() const;
    // The same as row numbers of the data set (0-based), for reading them without moving.
    std::vector<int> SelectedRowNumbers() const;
    bool RowMarked(int row) const;
    // Marks or unmarks the current row.
    void MarkCurrentRow(bool on);
    void ClearMarks();

    // The text in the open cell editor (empty without one).
    QString CellEditorText() const;
    // Whether a cell editor is open.
    bool EditorMode() const { return state() == QAbstractItemView::EditingState; }

    std::function<void(TDBGrid *)> OnDblClick;
    std::function<void(TColumn *)> OnTitleClick;
    std::function<void(TDBGrid *)> OnEditButtonClick;
    // Colours one data cell while the fields read its row. A highlighted cell keeps the selection colours:
    // its background is not taken and its font colour is restored; other font changes stay.
    std::function<void(TDBGrid *, TDataSet *, TField *, TCellFont &font, QColor &background, bool highlight)>
        OnGetCellProp;
    // Keys before the grid handles them; setting the key to 0 consumes it.
    std::function<void(int &key, Qt::KeyboardModifiers)> OnKeyDown;

    // Rows a page key moves.
    int VisibleRowCount() const;

    // The width a column needs to show its title whole as the header's style draws it, bold and with room
    // for the sort arrow where the column can show one; no column is made narrower (a person may still
    // narrow it by hand).
    int TitleWidth(const TColumn *c) const;
    // Characters a text column is at most wide unless its width is set.
    static constexpr int MaxTextColumnChars = 40;
    // Characters of the longest text column measured as a code (capitals and digits).
    static constexpr int MaxCodeChars = 16;
    // Room for the button an ellipsis column's editor shows after the value (its icon and margins).
    static constexpr int EllipsisButtonWidth = 24;

protected:
    virtual void TitleClick(TColumn *column);
    // Pixels the column's title needs beside its text for a mark drawn over it (a sort arrow), 0 for none.
    virtual int TitleMarkWidth(const TColumn *) const { return 0; }
    // The width of a column without a width of its own: its field's display width, its title.
    int DefaultColumnWidth(const TColumn *c) const;
    // Lays the columns out again (after a change of what their titles need).
    void UpdateColumnWidths() { columnsReset(); }
    // Draws over a painted title cell.
    virtual void DrawTitle(QPainter *painter, const QRect &rect, int column) {}
    // Draws over the painted corner cell (above the row indicator).
    virtual void DrawCorner(QPainter *painter, const QRect &rect) {}
    virtual void TitleContextMenu(int column, const QPoint &globalPos) {}
    // The tool tip of a title; empty for none.
    virtual QString TitleHint(int column) { return QString(); }
    // Modifiers a mouse click is taken with (multi-select).
    virtual Qt::KeyboardModifiers ClickModifiers(Qt::KeyboardModifiers m) const { return m; }
    virtual void KeyDown(int &key, Qt::KeyboardModifiers modifiers);
    virtual void DblClick();

    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    // A cell's editor opens in the data set's current row only: typing never reaches another row.
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    // Tab and Shift+Tab go on to the next or the previous row at a row's end, never round from the last
    // row to the first or back.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void resizeEvent(QResizeEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    // Tab and Shift+Tab reach the grid's own keys (the next or previous column) before Qt moves the focus.
    bool event(QEvent *e) override;

private:
    friend class TDBGridDelegate;
    friend class TDBGridHeader;
    void followDataSet(int row);
    void columnsReset();
    void applyOptions();
    bool canEditData() const;
    // The current row is the last of the data set (all of it fetched).
    bool atLastRow() const;
    bool cellSelected(const QModelIndex &index) const;
    void paintCell(QPainter *painter, QStyleOptionViewItem &option, const QModelIndex &index);
    void deleteCurrent();
    void markRange(int from, int to);
    // Writes the open editor's text into its field, once: a text written already (or the one it opened
    // with) is not written again. A refused text keeps the editor open in its cell with the text selected
    // and gives false; the error is shown, or with raise thrown on to the caller.
    bool commitEditor(bool raise = false);
    // Enter and Tab in the editor, and the focus leaving it: the text is written before anything moves.
    void editorKey(QWidget *editor, QKeyEvent *e);
    // Moves to the cell and opens its editor when it can be edited; a cell the data set cannot reach (its row
    // could not be left) leaves the grid where it is, with no editor opened.
    void editAt(const QModelIndex &index);
    void editorFocusOut(QWidget *editor);
    // The grid's open editor, still on its cell (the view lets go of an editor whose rows go away).
    bool ownEditor(const QWidget *editor) const { return editor && editor == editor_ && editIndex_.isValid(); }
    // The user changed the editor's text: the row's edit starts.
    void editorTyped(QWidget *editor);
    void keepFocusFromEditor(int firstRow, int lastRow);
    static void selectEditorText(QWidget *editor);

    TDataSetModel *model_;
    TDBGridDelegate *delegate_;
    TDBGridHeader *header_;
    QAbstractButton *corner_ = nullptr;
    TDBGridOptions options_;
    bool syncing_ = false;
    std::vector<TBookmark> marks_;
    std::unordered_set<TBookmark> markSet_;
    int anchorRow_ = -1;
    int keptColumn_ = 0; // the current column across a reset of the rows
    // The width each column's field gave it, kept while its data set is closed (an empty detail keeps its layout).
    QHash<QString, int> fieldWidths_; // by field name
    QPointer<QWidget> editor_;
    QPersistentModelIndex editIndex_; // the cell of editor_
    QString editorText_;              // editor_'s text as opened or last written
    bool committing_ = false;
};

// A grid over a data source with its columns given as data: field name and title (UTF-8) of each.
TDBGrid *MakeGrid(QWidget *parent, TDataSource *source, const QList<QPair<const char *, const char *>> &columns);
