#include "CalendarArray.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

#include <QDate>
#include <QHeaderView>
#include <QTableWidget>
#include <cmath>

namespace {

const QDate dayZero(1899, 12, 30);

// Round half to even, as a key.
int keyOf(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDate)
        return TCalendarArray::DayKey(v.toDate());
    if (v.typeId() == QMetaType::QDateTime)
        return TCalendarArray::DayKey(v.toDateTime().date());
    return int(std::nearbyint(v.toDouble()));
}

} // namespace

int TCalendarArray::DayKey(const QDate &date)
{
    return int(dayZero.daysTo(date));
}

void TCalendarArray::SetRange(int first, int last)
{
    first_ = first;
    last_ = last;
    colCount_ = std::max(0, last - first + 1);
    rowKeys_.clear();
    cells_.clear();
    Resize();
}

void TCalendarArray::Resize()
{
    titles_.clear();
    for (int i = 0; i < colCount_; ++i) {
        const int key = first_ + i;
        titles_ << (first_ > 10000 ? dayZero.addDays(key).toString(QStringLiteral("dd.MM.")) : QString::number(key));
    }
    for (auto &row : cells_)
        row.resize(std::size_t(colCount_));
}

int TCalendarArray::FindRow(const QString &key)
{
    for (int i = 0; i < rowKeys_.size(); ++i) {
        if (rowKeys_[i].isEmpty())
            break;
        if (rowKeys_[i] == key)
            return i;
    }
    rowKeys_ << key;
    cells_.emplace_back(std::size_t(colCount_));
    return int(rowKeys_.size()) - 1;
}

void TCalendarArray::LoadFromDataSet(TDataSet *ds)
{
    for (ds->First(); !ds->Eof(); ds->Next()) {
        const int key = keyOf(ds->Fields(0)->Value());
        const int row = FindRow(ds->Fields(1)->AsString());
        if (key < first_ || key > last_)
            continue;
        TCalendarCell &cell = cells_[std::size_t(row)][std::size_t(key - first_)];
        cell.Text = ds->Fields(2)->AsString().left(11);
        cell.Hint = ds->Fields(3)->AsString().left(50);
    }
}

TCalendarCell TCalendarArray::GetCell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= colCount_)
        return {};
    return cells_[std::size_t(row)][std::size_t(column)];
}

void TCalendarArray::ShowInGrid(QTableWidget *grid) const
{
    // The days (or weeks) are the column titles and the row keys the row titles, so the grid's own header
    // row and column show them, fixed while the body scrolls.
    grid->clear();
    grid->setColumnCount(colCount_);
    grid->setRowCount(RowCount());
    grid->setHorizontalHeaderLabels(titles_);
    grid->setVerticalHeaderLabels(rowKeys_);
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->verticalHeader()->setMinimumWidth(120);
    for (int r = 0; r < RowCount(); ++r) {
        for (int c = 0; c < colCount_; ++c) {
            const TCalendarCell &cell = cells_[std::size_t(r)][std::size_t(c)];
            auto *item = new QTableWidgetItem(cell.Text);
            item->setToolTip(cell.Hint);
            grid->setItem(r, c, item);
        }
    }
    grid->resizeColumnsToContents();
}
