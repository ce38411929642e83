// TDataSetModel: the Qt table model of a data source's data set for grids. Rows are the rows fetched so
// far (more are fetched only as the view asks), cells read a row without moving the cursor, and the
// current row follows the data set. TColumn is one grid column bound to a field.
#pragma once

#include "platform/db/DataSource.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

enum TColumnButtonStyle { cbsAuto, cbsEllipsis, cbsNone };

class TColumn {
public:
    virtual ~TColumn() = default;

    QString FieldName;
    // The field of the open data set, null while closed or when there is no such field.
    TField *Field() const { return field_; }
    // The title: as set, else the field's display label, else the field name.
    QString Title() const;
    void SetTitle(const QString &title) { title_ = title; }
    // Pixels; -1 takes the field's display width.
    int Width = -1;
    bool Visible = true;
    bool ReadOnly = false;
    TAlignment Alignment() const;
    void SetAlignment(TAlignment a) { alignment_ = a; }
    // An ellipsis button in the cell editor (OnEditButtonClick of the grid).
    TColumnButtonStyle ButtonStyle = cbsAuto;
    // Values offered in the cell editor's drop-down list.
    QStringList PickList;
    // Title font; the grid's when not set.
    std::optional<QFont> TitleFont;
    int Index() const { return index_; }

private:
    friend class TDataSetModel;
    QString title_;
    std::optional<TAlignment> alignment_;
    TField *field_ = nullptr;
    int index_ = 0;
};

class TDataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDataSetModel(QObject *parent = nullptr);
    ~TDataSetModel() override;

    TDataSource *DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource *source) { link_.SetDataSource(source); }
    TDataSet *DataSet() const { return link_.DataSet(); }
    bool Active() const { return link_.Active(); }

    // Columns: made from the visible fields while none were added; added ones stay as declared.
    int ColumnCount() const { return int(columns_.size()); }
    TColumn *Column(int i) const { return columns_[i].get(); }
    TColumn *AddColumn(const QString &fieldName, const QString &title = QString(), int width = -1);
    // Makes the column objects (grids with their own column class set it).
    std::function<std::unique_ptr<TColumn>()> ColumnFactory;

    // Rows fetched at each request of the view.
    int FetchChunk = 100;
    bool ReadOnly = false;
    // The data set's current row (0-based), -1 without one.
    int CurrentRow() const;
    // Called when the data set wants the controls' pending values (before a post or a move); throwing
    // stops the post or the move.
    std::function<void()> OnUpdateData;
    // Starts the edit of a row, moving to it first. Errors propagate; false when the data set would not
    // start the edit.
    bool EditRow(int row);
    // Writes a typed text into a cell's field through EditRow (a text equal to the cell's in a row not
    // being edited starts no edit).
    bool WriteCell(const QModelIndex &index, const QString &text);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The text of one cell as shown (DisplayText) or edited (Text), read without moving the cursor.
    QString CellText(int row, int column, bool display = true) const;
    // How a column's cells align their text.
    Qt::Alignment CellAlignment(int column) const;
    // Re-reads the columns' fields and the titles (after a column was changed by code).
    void ColumnsChanged();

signals:
    void currentRowChanged(int row);
    void columnsReset();
    void stateChanged();
    // The data set was opened or closed.
    void activeChanged(bool active);

private:
    class Link : public TDataLink {
    public:
        explicit Link(TDataSetModel *model) : model_(model) {}

    protected:
        void ActiveChanged() override
        {
            model_->resetAll();
            // Opening tells of the new layout next: the reset just done has shown it already.
            freshReset_ = Active();
            emit model_->activeChanged(Active());
        }
        void LayoutChanged() override
        {
            if (!std::exchange(freshReset_, false))
                model_->resetAll();
        }
        void DataSetChanged() override;
        void DataSetScrolled(int) override;
        void RecordChanged(TField *field) override;
        void EditingChanged() override;
        void UpdateData() override;
        void CheckBrowseMode() override;

    private:
        TDataSetModel *model_;
        bool freshReset_ = false;
    };
    void resetAll();
    void bindColumns();
    void syncRowCount();
    void currentMoved();
    std::unique_ptr<TColumn> newColumn() const;

    Link link_{this};
    std::vector<std::unique_ptr<TColumn>> columns_;
    bool customColumns_ = false;
    int rows_ = 0;
    int lastCurrent_ = -1;
    bool fetching_ = false;
};
