// The grid over 200,000 rows: processor time from opening the query to the first painted screen, and
// from a title click (a re-sort on the server) to the next painted screen, each against the data alone
// (the same rows' display texts read from a query) plus Qt's own QTableView over a trivial model holding
// those texts, painted at the same size. Each side paints its screen once per run; runs alternate; the medians
// are compared.
#include "library/xDBGrid.h"
#include "BenchDatabase.h"
#include "BenchTiming.h"
#include "library/xDatabase.h"
#include "library/xQuery.h"
#include "platform/fbapi/Attachment.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kRows = 200000;
constexpr int kRuns = 31;

int runs()
{
    // More runs for profiling: GRID_BENCH_RUNS=100 perf record ...
    const int n = qEnvironmentVariableIntValue("GRID_BENCH_RUNS");
    return n > 0 ? n : kRuns;
}

void fill(const QString &path)
{
    fb::Attachment att = fb::Attachment::createDatabase(path, fb::ConnectParams::fromLines({"user_name=SYSDBA"}));
    att.executeImmediate("create table GRIDROWS (ID integer not null primary key, NAZOV varchar(40), "
                         "MNOZ double precision, D date, POZN varchar(60))");
    att.executeImmediate(
        QStringLiteral("execute block as declare i integer = 1; begin while (i <= %1) do begin "
                       "insert into GRIDROWS values (:i, 'Odliatok č. ' || mod(:i * 7919, 100003), :i * 1.25, "
                       "dateadd(mod(:i, 365) day to date '2026-01-01'), 'Poznámka ' || :i); i = i + 1; end end")
            .arg(kRows));
    att.detach();
}

void setSql(TxQuery &q, const QString &order)
{
    q.SQL().SetText(QStringLiteral("select ID, NAZOV, MNOZ, D, POZN\nfrom GRIDROWS\n\n") + order);
}

// Lets a view settle (fetch the rows it shows, lay itself out) with the window system's own repaint held back,
// then paints it once into an image, as a desktop paints one screen.
template <class Settled> void paintOnce(QWidget &view, Settled settled)
{
    view.setUpdatesEnabled(false);
    for (int i = 0; i < 100; ++i) {
        QApplication::processEvents();
        if (settled())
            break;
    }
    view.setUpdatesEnabled(true);
    const QImage image = view.grab().toImage();
    if (image.isNull())
        std::fprintf(stderr, "nothing painted\n");
}

void paintFirstScreen(TxDBGrid &grid)
{
    paintOnce(grid, [&grid] {
        TDataSetModel *m = grid.Model();
        return m->rowCount() > grid.VisibleRowCount() || !m->canFetchMore(QModelIndex());
    });
}

// The repaint that showing the views again asked for, done outside the timed parts.
void settle()
{
    QApplication::processEvents();
}

// The least a table can do: texts in memory, handed out as they are.
class TextModel : public QAbstractTableModel {
public:
    void setTexts(QStringList headers, std::vector<QStringList> rows)
    {
        beginResetModel();
        headers_ = std::move(headers);
        rows_ = std::move(rows);
        endResetModel();
    }
    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(headers_.size()); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return rows_[size_t(index.row())].value(index.column());
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return o == Qt::Horizontal ? QVariant(headers_.value(section)) : QVariant(section + 1);
    }

private:
    QStringList headers_;
    std::vector<QStringList> rows_;
};

// The data alone plus a plain table: the query opened, a screen of rows' display texts read, and a
// QTableView over them painted.
void dataAndPlainTable(TxQuery &q, TextModel &model, QTableView &view, int rows)
{
    q.Open();
    QStringList headers;
    for (int f = 0; f < q.FieldCount(); ++f)
        headers << q.Fields(f)->DisplayLabel();
    std::vector<QStringList> texts;
    for (int r = 0; r < rows && !q.Eof(); ++r) {
        QStringList row;
        for (int f = 0; f < q.FieldCount(); ++f)
            row << q.Fields(f)->DisplayText();
        texts.push_back(std::move(row));
        q.Next();
    }
    model.setTexts(headers, std::move(texts));
    paintOnce(view, [] { return true; });
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("grid.fdb");
    fill(path);

    BenchDatabase connection(path);
    TxDatabase &db = connection.db;

    TxQuery q;
    q.SetDatabase(&db);
    TDataSource src(&q);
    TxDBGrid grid;
    grid.SetTitleClickToOrderBy(true);
    grid.resize(1000, 700);
    grid.SetDataSource(&src);
    grid.show();
    QApplication::processEvents();
    const int screenRows = grid.VisibleRowCount() + 1;

    // The plain table at the grid's size, columns and row height.
    setSql(q, "order by ID");
    q.Open();
    paintFirstScreen(grid);
    TxQuery plainQuery;
    plainQuery.SetDatabase(&db);
    TextModel model;
    QTableView view;
    view.setModel(&model);
    view.resize(grid.size());
    view.verticalHeader()->setDefaultSectionSize(grid.verticalHeader()->defaultSectionSize());
    view.show();
    setSql(plainQuery, "order by ID");
    dataAndPlainTable(plainQuery, model, view, screenRows);
    plainQuery.Close();
    for (int c = 0; c < model.columnCount(QModelIndex()); ++c)
        view.setColumnWidth(c, grid.columnWidth(c));
    q.Close();

    std::vector<double> gridOpen, plainOpen, gridSort, plainSort;
    const int nRuns = runs();
    for (int run = 0; run <= nRuns; ++run) { // run 0 warms both sides up
        double go = 0, gs = 0, po = 0, ps = 0;
        auto gridSide = [&] {
            q.Close();
            setSql(q, "order by ID");
            double t = CpuMs();
            q.Open();
            paintFirstScreen(grid);
            go = CpuMs() - t;
            settle();
            if (grid.Model()->rowCount() > 10 * screenRows)
                std::fprintf(stderr, "the grid read %d rows for one screen\n", grid.Model()->rowCount());
            // A title click on the name: the server sorts all rows again.
            t = CpuMs();
            grid.TitleClickOrder(1);
            paintFirstScreen(grid);
            gs = CpuMs() - t;
            settle();
            q.Close();
        };
        auto plainSide = [&] {
            plainQuery.Close();
            setSql(plainQuery, "order by ID");
            double t = CpuMs();
            dataAndPlainTable(plainQuery, model, view, screenRows);
            po = CpuMs() - t;
            settle();
            plainQuery.Close();
            setSql(plainQuery, "ORDER BY 2");
            t = CpuMs();
            dataAndPlainTable(plainQuery, model, view, screenRows);
            ps = CpuMs() - t;
            settle();
            plainQuery.Close();
        };
        if (run % 2) {
            gridSide();
            plainSide();
        } else {
            plainSide();
            gridSide();
        }
        if (run > 0) {
            gridOpen.push_back(go);
            gridSort.push_back(gs);
            plainOpen.push_back(po);
            plainSort.push_back(ps);
        }
    }
    db.Close();
    const double g = Median(gridOpen), p = Median(plainOpen), gsm = Median(gridSort), psm = Median(plainSort);
    std::printf("grid: %d runs, medians of processor time\n", nRuns);
    std::printf("grid: re-sort %.1f ms, data + plain table %.1f ms, ratio %.2f\n", gsm, psm, gsm / psm);
    std::printf("grid: the grid's first screen against the data alone with a plain table, each painted once: "
                "grid %.1f ms, data + plain table %.1f ms, ratio %.2f\n",
                g, p, g / p);
    return 0;
}
