// TCalendarArray: the calendar of the day plan: one column per day (or week) key between a first and a last
// key, one row per workplace or job, and per cell a short text with a longer hint; filled from a data set
// of (key, row, text, hint) records and shown in a string grid.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QTableWidget;
class TDataSet;

struct TCalendarCell {
    QString Text; // at most 11 characters
    QString Hint; // at most 50 characters
};

class TCalendarArray {
public:
    // Keys above 10000 are days (counted from 30.12.1899), others week numbers.
    void SetRange(int first, int last);
    // Adds the records from the data set's first on; records outside the range are left out.
    void LoadFromDataSet(TDataSet *dataSet);
    void ShowInGrid(QTableWidget *grid) const;
    // The cell, or an empty one outside the table.
    TCalendarCell GetCell(int row, int column) const;

    int ColCount() const { return colCount_; }
    int RowCount() const { return int(rowKeys_.size()); }
    int FirstKey() const { return first_; }
    int LastKey() const { return last_; }
    const QStringList &Titles() const { return titles_; }
    const QStringList &RowKeys() const { return rowKeys_; }

    // The key of a day and back.
    static int DayKey(const class QDate &date);

private:
    void Resize();
    int FindRow(const QString &key);

    int colCount_ = 0;
    int first_ = 0;
    int last_ = -1;
    QStringList titles_;
    QStringList rowKeys_;
    std::vector<std::vector<TCalendarCell>> cells_;
};
