// The performance form's default view over 2,000,000 performances of 3 years: opening the overview page
// of the month to its first screen against the same SELECT fetching as many rows and the month's total,
// and the plan of that SELECT (an index, no full scan of SVYKONY). Then one employee's year of attendance: the twelve
// month pages of the attendance form against the same twelve SELECTs. Usage: performance_bench [path of
// database/create.sh]
#include "BareSql.h"
#include "BenchTiming.h"
#include "ProgramDatabase.h"
#include "production/DMMzdy.h"
#include "production/DMVyk.h"
#include "production/MzdySql.h"
#include "production/VykSql.h"
#include "production/SVykonyForm.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRows = 2000000;
constexpr int kEmployees = 400;

// Seeded: the same rows on every run. Each employee works one shift a day on a job and operation of
// his own, so the six-column key never repeats.
void fill(TDMZal &dm)
{
    fb::Attachment &att = dm.DBZAL.Attachment();
    att.executeImmediate(
        QStringLiteral(
            "execute block as declare i integer = 1; begin while (i <= %1) do begin "
            "insert into CZAMESTNANCOV (OSC, PRIEZVISKO, MENO, STREDISKO, PROFESIA) values (:i, 'Priezvisko ' || :i, "
            "'Meno', 'S' || mod(:i, 5), 'FOR'); i = i + 1; end end")
            .arg(kEmployees));
    att.executeImmediate(
        QStringLiteral(
            "execute block as declare n integer = 0; declare d date = date '2024-01-01'; declare o integer; "
            "begin while (n < %1) do begin o = 1; "
            "while (o <= %2 and n < %1) do begin "
            "insert into SVYKONY (DATUM, ZMENA, OSC, C_INT, C_DAVKY, C_OPERACIE, OPERACIA, MNOZSTVO, ZMATKY, NORMA, "
            "MZDA, "
            "NHOD, OHOD) values (:d, 1, :o, 240000 + mod(:n, 5000), 0, mod(:o, 50) + 10, 'ODL', mod(:n, 17) + 1, 0, "
            "0.5, "
            "mod(:n, 97) * 0.25, mod(:n, 13) * 0.1, 7.5); "
            "if (mod(:n, 2) = 0) then insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values (:d, :o, 1, 7.5); "
            "n = n + 1; o = o + 1; end d = d + 1; end end")
            .arg(kRows)
            .arg(kEmployees * 2 / 3 + 1));
    dm.DBTransaction.Commit();
}

double timed(const std::function<void()> &action)
{
    const double start = CpuMs();
    action();
    return CpuMs() - start;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const std::unique_ptr<TDMZal> base = OpenProgramDatabase("performance_bench", argc, argv, folder.path());
    if (!base)
        return 1;
    TDMZal &dm = *base;
    fill(dm);
    TDMCis cis;
    TDMVyk vyk;
    TDMMzdy mzdy;

    // The form's default month view: the overview page, the month of five days ago (in the data: the
    // performances run to the end of 2026).
    std::vector<double> formRuns, queryRuns;
    int fetched = 0;
    QString plan;
    for (int run = 0; run < 5; ++run) {
        TSVykonyForm form;
        form.pcVykony->setCurrentWidget(form.tsPracovnik);
        formRuns.push_back(timed([&] {
            form.pcVykony->setCurrentWidget(form.tsPrehlady);
            fetched = vyk.QvSVykony.FetchedCount();
        }));
        const QString sql = vyk.QvSVykony.SelectSQL.Text();
        // The page also asks the server for the month's wage total: so does the baseline.
        const QString total = VykSql::OverviewWageTotal + vyk.QvSVykony.SelectSQL[2];
        const QVariant from = vyk.QvSVykony.Params()[0].Value, to = vyk.QvSVykony.Params()[1].Value;
        vyk.QvSVykony.Close();
        TxQuery q, sum;
        q.SetDatabase(&dm.DBZAL);
        q.SQL().SetText(sql);
        sum.SetDatabase(&dm.DBZAL);
        sum.SQL().SetText(total);
        queryRuns.push_back(timed([&] {
            q.Prepare();
            q.Params()[0].SetValue(from);
            q.Params()[1].SetValue(to);
            q.Open();
            for (int i = 1; i < fetched && !q.Eof(); ++i)
                q.Next();
            sum.Prepare();
            sum.Params()[0].SetValue(from);
            sum.Params()[1].SetValue(to);
            sum.Open();
            (void)sum.Fields(0)->Value();
            sum.Close();
        }));
        plan = q.Plan();
        q.Close();
    }
    const double formMs = Median(formRuns), queryMs = Median(queryRuns);
    std::printf("plan: %s\n", qPrintable(plan.simplified()));
    const bool fullScan = plan.contains(QStringLiteral("SVYKONY NATURAL"), Qt::CaseInsensitive) ||
                          plan.contains(QStringLiteral("V NATURAL"), Qt::CaseInsensitive);
    std::printf("performances: %d rows, form %.1f ms, query %.1f ms, ratio %.2f (%d rows fetched, %s)\n", kRows, formMs,
                queryMs, formMs / std::max(queryMs, 0.001), fetched, fullScan ? "FULL SCAN" : "index");

    // One employee's year of attendance, month by month as the month page opens it.
    mzdy.QZamestnanci.Open();
    mzdy.QZamestnanci.Locate(QStringLiteral("OSC"), 7);
    // Its statement through a plain client on a warm attachment of its own: prepared once outside the timer,
    // every value of every row decoded.
    TBareSql bare(dm.DBZAL.DatabaseName);
    const auto monthArgs = [](int month) {
        const QDate first(2025, month, 1);
        return TBareSql::TArgs{{QStringLiteral("osc"), 7},
                               {QStringLiteral("d_od"), first},
                               {QStringLiteral("d_do"), first.addMonths(1).addDays(-1)}};
    };
    // Both sides read the same rows.
    mzdy.SetMonth(2025, 12);
    mzdy.OpenAttendance(MzdySql::AttendanceOfMonth);
    mzdy.QDochadzka.FetchAll();
    const auto plainRows = bare.Rows(MzdySql::AttendanceOfMonth, monthArgs(12)).size();
    std::fprintf(stderr, "attendance rows in December: page %d, query %zu\n", mzdy.QDochadzka.RecordCount(), plainRows);
    mzdy.QDochadzka.Close();
    std::vector<double> pageRuns, selectRuns;
    for (int run = 0; run < 5; ++run) {
        pageRuns.push_back(timed([&] {
            for (int month = 1; month <= 12; ++month) {
                mzdy.SetMonth(2025, month);
                mzdy.OpenAttendance(MzdySql::AttendanceOfMonth);
                mzdy.QDochadzka.FetchAll();
            }
        }));
        mzdy.QDochadzka.Close();
        selectRuns.push_back(timed([&] {
            for (int month = 1; month <= 12; ++month)
                (void)bare.Rows(MzdySql::AttendanceOfMonth, monthArgs(month));
        }));
        bare.CommitRetaining();
    }
    const double pageMs = Median(pageRuns), selectMs = Median(selectRuns);
    std::printf("attendance: an employee's year month by month as the attendance page opens it, against its statement "
                "prepared on a warm attachment, every value decoded: page %.1f ms, query %.1f ms, ratio %.2f\n",
                pageMs, selectMs, pageMs / std::max(selectMs, 0.001));
    return fullScan ? 1 : 0;
}
