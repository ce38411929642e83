#include "DataSetModel.h"

#include "Dialogs.h"
#include "Guarded.h"
#include "platform/db/DataSet.h"

// ---------------------------------------------------------------- TColumn

QString TColumn::Title() const
{
    if (!title_.isEmpty())
        return title_;
    return field_ ? field_->DisplayLabel() : FieldName;
}

TAlignment TColumn::Alignment() const
{
    if (alignment_)
        return *alignment_;
    return field_ ? field_->Alignment() : TAlignment::taLeftJustify;
}

static Qt::Alignment qtAlignment(TAlignment a)
{
    switch (a) {
    case TAlignment::taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case TAlignment::taCenter:
        return Qt::AlignCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// ---------------------------------------------------------------- the link

void TDataSetModel::Link::DataSetChanged()
{
    freshReset_ = false;
    // Rows the model fetched itself are added by fetchMore; anything else may have changed every row.
    if (model_->fetching_)
        return;
    model_->beginResetModel();
    model_->rows_ = Active() ? DataSet()->FetchedCount() : 0;
    model_->endResetModel();
    model_->lastCurrent_ = -1;
    model_->currentMoved();
}

void TDataSetModel::Link::DataSetScrolled(int)
{
    freshReset_ = false;
    // Moving may have fetched the rows up to the new current one.
    model_->syncRowCount();
    model_->currentMoved();
}

void TDataSetModel::Link::RecordChanged(TField *)
{
    freshReset_ = false;
    const int row = model_->CurrentRow();
    if (row >= 0 && row < model_->rows_ && !model_->columns_.empty())
        emit model_->dataChanged(model_->index(row, 0), model_->index(row, model_->ColumnCount() - 1));
}

void TDataSetModel::Link::EditingChanged()
{
    const int row = model_->CurrentRow();
    if (row >= 0 && row < model_->rows_)
        emit model_->headerDataChanged(Qt::Vertical, row, row);
    emit model_->stateChanged();
}

void TDataSetModel::Link::UpdateData()
{
    if (model_->OnUpdateData)
        model_->OnUpdateData();
}

void TDataSetModel::Link::CheckBrowseMode()
{
    // A move or a post by anyone takes a cell's typed text first, as the grid's own moves do.
    UpdateData();
}

// ---------------------------------------------------------------- the model

TDataSetModel::TDataSetModel(QObject *parent) : QAbstractTableModel(parent) {}

TDataSetModel::~TDataSetModel()
{
    link_.SetDataSource(nullptr);
}

std::unique_ptr<TColumn> TDataSetModel::newColumn() const
{
    return ColumnFactory ? ColumnFactory() : std::make_unique<TColumn>();
}

TColumn *TDataSetModel::AddColumn(const QString &fieldName, const QString &title, int width)
{
    if (!customColumns_) {
        columns_.clear();
        customColumns_ = true;
    }
    auto c = newColumn();
    c->FieldName = fieldName;
    c->SetTitle(title);
    c->Width = width;
    columns_.push_back(std::move(c));
    ColumnsChanged();
    return columns_.back().get();
}

void TDataSetModel::ColumnsChanged()
{
    beginResetModel();
    bindColumns();
    endResetModel();
    emit columnsReset();
    lastCurrent_ = -1;
    currentMoved();
}

void TDataSetModel::bindColumns()
{
    TDataSet *ds = Active() ? DataSet() : nullptr;
    if (!customColumns_) {
        QStringList names;
        for (int i = 0; ds && i < ds->FieldCount(); ++i)
            if (ds->Fields(i)->Visible)
                names << ds->Fields(i)->FieldName();
        QStringList current;
        for (const auto &c : columns_)
            current << c->FieldName;
        // The same fields keep their column objects (and what the grid keeps in them).
        if (names != current) {
            columns_.clear();
            for (const QString &name : names) {
                auto c = newColumn();
                c->FieldName = name;
                columns_.push_back(std::move(c));
            }
        }
    }
    for (size_t i = 0; i < columns_.size(); ++i) {
        columns_[i]->index_ = int(i);
        columns_[i]->field_ = ds ? ds->FindField(columns_[i]->FieldName) : nullptr;
    }
}

void TDataSetModel::resetAll()
{
    beginResetModel();
    bindColumns();
    rows_ = Active() ? DataSet()->FetchedCount() : 0;
    endResetModel();
    emit columnsReset();
    lastCurrent_ = -1;
    currentMoved();
}

void TDataSetModel::syncRowCount()
{
    const int n = Active() ? DataSet()->FetchedCount() : 0;
    if (n > rows_) {
        beginInsertRows(QModelIndex(), rows_, n - 1);
        rows_ = n;
        endInsertRows();
    } else if (n < rows_) {
        beginRemoveRows(QModelIndex(), n, rows_ - 1);
        rows_ = n;
        endRemoveRows();
    }
}

void TDataSetModel::currentMoved()
{
    const int row = CurrentRow();
    if (lastCurrent_ >= 0 && lastCurrent_ < rows_ && lastCurrent_ != row)
        emit headerDataChanged(Qt::Vertical, lastCurrent_, lastCurrent_);
    if (row >= 0 && row < rows_)
        emit headerDataChanged(Qt::Vertical, row, row);
    lastCurrent_ = row;
    emit currentRowChanged(row);
}

int TDataSetModel::CurrentRow() const
{
    if (!Active())
        return -1;
    return DataSet()->IsEmpty() ? -1 : DataSet()->RecNo() - 1;
}

int TDataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int TDataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount();
}

QString TDataSetModel::CellText(int row, int column, bool display) const
{
    TDataSet *ds = DataSet();
    TField *f = column >= 0 && column < ColumnCount() ? columns_[column]->field_ : nullptr;
    // Rows not fetched yet are never read from here: painting must not fetch.
    if (!f || !Active() || row < 0 || row >= ds->FetchedCount())
        return QString();
    QString text;
    try {
        ds->WithRecord(row, [&] { text = display ? f->DisplayText() : f->Text(); });
    } catch (const Exception &) {
        text.clear();
    }
    return text;
}

Qt::Alignment TDataSetModel::CellAlignment(int column) const
{
    return column >= 0 && column < ColumnCount() ? qtAlignment(columns_[column]->Alignment())
                                                 : Qt::AlignLeft | Qt::AlignVCenter;
}

QVariant TDataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_ || index.column() >= ColumnCount())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return CellText(index.row(), index.column(), true);
    case Qt::EditRole:
        return CellText(index.row(), index.column(), false);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(CellAlignment(index.column()));
    default:
        return QVariant();
    }
}

bool TDataSetModel::EditRow(int row)
{
    TDataSet *ds = DataSet();
    if (!Active() || row < 0)
        return false;
    if (CurrentRow() != row)
        ds->SetRecNo(row + 1);
    return ds->State() != dsBrowse || link_.Edit();
}

bool TDataSetModel::WriteCell(const QModelIndex &index, const QString &text)
{
    if (!index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    if (DataSet()->State() == dsBrowse && text == CellText(index.row(), index.column(), false))
        return true; // nothing changed: no edit starts
    if (!EditRow(index.row()))
        return false;
    columns_[index.column()]->field_->SetText(text);
    return true;
}

bool TDataSetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole)
        return false;
    bool written = false;
    Guarded([&] { written = WriteCell(index, value.toString()); });
    return written;
}

Qt::ItemFlags TDataSetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags fl = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const TColumn *c = columns_[index.column()].get();
    TField *f = c->field_;
    if (!ReadOnly && !c->ReadOnly && f && !f->ReadOnly && f->FieldKind() == fkData && DataSet()->CanModify())
        fl |= Qt::ItemIsEditable;
    return fl;
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= ColumnCount())
            return QVariant();
        const TColumn *c = columns_[section].get();
        if (role == Qt::DisplayRole)
            return c->Title();
        if (role == Qt::FontRole && c->TitleFont)
            return *c->TitleFont;
        return QVariant();
    }
    // The row indicator: the current row, and whether it is being edited or inserted.
    if (role != Qt::DisplayRole || section != CurrentRow())
        return QVariant();
    switch (DataSet()->State()) {
    case dsEdit:
        return QStringLiteral("I");
    case dsInsert:
        return QStringLiteral("*");
    default:
        return QStringLiteral("\u25B8");
    }
}

bool TDataSetModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && Active() && (DataSet()->CanFetchMore() || DataSet()->FetchedCount() > rows_);
}

void TDataSetModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || !Active())
        return;
    fetching_ = true;
    try {
        DataSet()->FetchMore(FetchChunk);
    } catch (const Exception &e) {
        fetching_ = false;
        ShowError(e.Message);
    }
    fetching_ = false;
    syncRowCount();
}
