// The capacity scheduler: (1) one job of 10 operations against pre-booked day tables of growing size, time
// per visited (operation, day) and per job; the slopes between 10^6 and 10^3 rows show whether look-ups are
// indexed and whether a job costs more as the book grows;
// (2) one run over a book of 3,000 jobs x 8 operations on 50 workplaces; (3) the save of 20 new allocations
// over 50,000 stored day-plan rows on an embedded database, with the statements it sends. Every run's
// allocations are checked against a plain walk of the same rules over a sorted day table.
// Usage: schedule_bench [path of database/create.sh]
#include "ProgramDatabase.h"
#include "platform/db/SqlWait.h"
#include "platform/os/IniFile.h"
#include "production/CapacityPlanning.h"
#include "production/DMVyroba.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

// ---------------------------------------------------------------- the reference walk
// The rules as plainly as they read: a day table sorted by date, found by a binary search, rows inserted
// in place; workplaces found by a scan.
class ReferenceWalk {
public:
    explicit ReferenceWalk(std::vector<TPracovisko> w) : workplaces_(std::move(w)) {}
    std::vector<TPlanDen> plan;

    void book(const QString &code, double minutes, qint64 date) { find(code, minutes, date); }
    bool run(std::vector<TOperacia> ops, int dir)
    {
        qint64 date = 0, used = 0, start = 0;
        int job = -1;
        for (TOperacia &op : ops) {
            if (op.C_INT != job) {
                job = op.C_INT;
                date = start = op.Zaciatok;
                used = 0;
            }
            for (;;) {
                const TPracovisko w = workplace(op.PRACOVISKO);
                while (dayOff(w, date) || double(used) + 10 >= w.MinutyDna) {
                    date += dir;
                    used -= std::llrint(w.MinutyDna);
                    if (std::llabs(date - start) > TCapacityScheduler::MaxDays)
                        return false;
                }
                used = std::max<qint64>(used, 0);
                Day &d = find(op.PRACOVISKO, 0, date);
                if (op.MedzeraPred > 0) {
                    used += std::llrint(op.MedzeraPred);
                    op.MedzeraPred = 0;
                }
                double free = std::min(d.dayMinutes - double(used), d.free) - op.Priprava;
                const double n = std::trunc(free / op.CAS_JED);
                if (op.Zostava >= 1 && n >= 1 && free > 10.0) {
                    const int pieces = int(std::min(n, double(op.Zostava)));
                    const double minutes = pieces * op.CAS_JED + op.Priprava;
                    d.free -= minutes;
                    plan.push_back(TPlanDen{date, op.C_INT, op.C_OPERACIE, op.PRACOVISKO, pieces, minutes});
                    used += std::llrint(minutes);
                    op.Zostava -= pieces;
                    op.Priprava = 0;
                    if (op.Zostava == 0)
                        used += std::llrint(op.MedzeraPo);
                }
                if (op.Zostava <= 0)
                    break;
                used = std::llrint(d.dayMinutes);
            }
        }
        return true;
    }

private:
    struct Day {
        qint64 date;
        QString code;
        double dayMinutes, free;
    };
    TPracovisko workplace(const QString &code) const
    {
        TPracovisko w;
        w.PRACOVISKO = code;
        for (const TPracovisko &x : workplaces_)
            if (x.PRACOVISKO == code) {
                w = x;
                break;
            }
        w.MinutyDna = w.MinutyZmeny * (w.ZMENY == 2 || w.ZMENY == 3 ? w.ZMENY : 1);
        w.KapacitaDna = w.STROJE * w.MinutyDna;
        return w;
    }
    static bool dayOff(const TPracovisko &w, qint64 date)
    {
        const int dow = QDate::fromJulianDay(date).dayOfWeek();
        return w.DNI != 7 && (dow == 7 || (dow == 6 && w.DNI != 6));
    }
    Day &find(const QString &code, double minutes, qint64 date)
    {
        auto it = std::lower_bound(days_.begin(), days_.end(), date, [](const Day &d, qint64 v) { return d.date < v; });
        while (it != days_.end() && it->date == date && it->code != code)
            ++it;
        if (it == days_.end() || it->date != date) {
            const TPracovisko w = workplace(code);
            it = days_.insert(it, Day{date, code, w.MinutyDna, w.KapacitaDna});
        }
        it->free -= minutes;
        return *it;
    }
    std::vector<TPracovisko> workplaces_;
    std::vector<Day> days_;
};

quint64 digest(const std::vector<TPlanDen> &rows)
{
    quint64 h = 1469598103934665603ull;
    const auto mix = [&h](quint64 v) { h = (h ^ v) * 1099511628211ull; };
    for (const TPlanDen &r : rows) {
        mix(quint64(r.Datum));
        mix(quint64(r.C_INT));
        mix(quint64(r.C_OPERACIE));
        mix(qHash(r.PRACOVISKO));
        mix(quint64(r.MNOZ_PLAN));
        mix(quint64(std::llrint(r.Minuty * 1000)));
    }
    return h;
}

std::vector<TPracovisko> workplaces(int count, int machines, int shifts)
{
    std::vector<TPracovisko> list;
    for (int i = 0; i < count; ++i) {
        TPracovisko w;
        w.PRACOVISKO = QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0'));
        w.DNI = 5 + i % 3;
        w.STROJE = machines;
        w.ZMENY = shifts;
        w.MinutyZmeny = 450;
        list.push_back(w);
    }
    return list;
}

bool checked(const char *what, const std::vector<TPlanDen> &got, ReferenceWalk &ref, bool refOk, bool ok)
{
    if (ok != refOk || digest(got) != digest(ref.plan)) {
        std::fprintf(stderr, "%s: the allocations differ from the reference walk\n", what);
        return false;
    }
    return true;
}

// (1) one job of 10 operations against P pre-booked day rows over W workplaces.
bool core(qint64 prebooked, int wpCount, double &nsPerVisit, double &usPerJob)
{
    const auto list = workplaces(wpCount, 2, 1);
    const qint64 first = QDate(2026, 1, 5).toJulianDay();
    const qint64 daysPerWorkplace = std::max<qint64>(1, prebooked / wpCount);
    TCapacityScheduler s;
    s.SetWorkplaces(list);
    ReferenceWalk ref(list);
    std::mt19937 rnd(7);
    for (qint64 i = 0; i < prebooked; ++i) {
        const QString &code = list[std::size_t(i % wpCount)].PRACOVISKO;
        // The booked days lie ahead of the start and behind it, so the job walks among them.
        const qint64 date = first - daysPerWorkplace / 2 + i / wpCount;
        const double minutes = double(rnd() % 700);
        s.LoadBooked(date, code, minutes);
        ref.book(code, minutes, date);
    }
    std::vector<TOperacia> ops;
    for (int k = 0; k < 10; ++k) {
        TOperacia o;
        o.C_INT = 260001;
        o.C_OPERACIE = 10 * (k + 1);
        o.PRACOVISKO = list[std::size_t((k * 7) % wpCount)].PRACOVISKO;
        o.Zostava = 400;
        o.CAS_JED = 7.5;
        o.Priprava = 30;
        o.MedzeraPo = 60;
        o.Zaciatok = first;
        ops.push_back(o);
    }
    // Repeated from the same tables so that the time is long enough to measure.
    const int repeats = 200;
    QElapsedTimer t;
    qint64 visits = 0;
    qint64 elapsed = 0;
    std::vector<TPlanDen> got;
    bool ok = true;
    for (int r = 0; r < repeats; ++r) {
        s.StartRun();
        const qint64 before = s.Visits();
        t.start();
        ok = !s.ScheduleOperations(ops, 1).has_value();
        elapsed += t.nsecsElapsed();
        visits += s.Visits() - before;
        if (r == 0)
            got = s.NewAllocations();
    }
    const bool refOk = ref.run(ops, 1);
    nsPerVisit = double(elapsed) / double(std::max<qint64>(visits, 1));
    usPerJob = double(elapsed) / 1e3 / repeats;
    std::printf("schedule: P=%lld W=%d %lld visits, %.1f ns per visit, %.1f us per job\n", prebooked, wpCount, visits,
                nsPerVisit, usPerJob);
    return checked("schedule", got, ref, refOk, ok);
}

// (2) 3,000 jobs x 8 operations on 50 workplaces, terms over a year, planned forwards.
bool book()
{
    const auto list = workplaces(50, 3, 2);
    std::mt19937 rnd(11);
    std::vector<TOperacia> ops;
    const qint64 first = QDate(2026, 1, 5).toJulianDay();
    for (int j = 0; j < 3000; ++j) {
        const qint64 start = first + qint64(j) * 365 / 3000;
        for (int k = 0; k < 8; ++k) {
            TOperacia o;
            o.C_INT = 260001 + j;
            o.C_OPERACIE = 10 * (k + 1);
            o.PRACOVISKO = list[rnd() % list.size()].PRACOVISKO;
            o.Zostava = int(5 + rnd() % 40);
            o.CAS_JED = 1 + double(rnd() % 120) / 4;
            o.Priprava = double(rnd() % 60);
            o.MedzeraPo = double(rnd() % 120);
            o.Zaciatok = start;
            ops.push_back(o);
        }
    }
    TCapacityScheduler s;
    s.SetWorkplaces(list);
    QElapsedTimer t;
    t.start();
    const bool ok = !s.ScheduleOperations(ops, 1).has_value();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    ReferenceWalk ref(list);
    const bool refOk = ref.run(ops, 1);
    std::printf("schedule: %zu operations %.1f ms, %.1f us per job\n", ops.size(), ms, ms * 1e3 / 3000);
    return checked("book", s.NewAllocations(), ref, refOk, ok);
}

// (3) 20 new allocations saved over 50,000 stored day-plan rows.
bool save(int argc, char **argv)
{
    QTemporaryDir folder;
    const std::unique_ptr<TDMZal> program = OpenProgramDatabase("plan save", argc, argv, folder.path());
    if (!program)
        return false;
    TDMZal &dm = *program;
    fb::Attachment &att = dm.DBZAL.Attachment();
    att.executeImmediate(QStringLiteral("insert into CROZVRHOV (ROZVRH, DNI, ZMENY, HODINY) values ('R', 5, 1, 7.5)"));
    att.executeImmediate(QStringLiteral("insert into CPRACOVISK (PRACOVISKO, ROZVRH, STROJE) values ('BW', 'R', 1)"));
    // 2,500 jobs x 2 operations x 10 days, each operation with its period-plan row.
    att.executeImmediate(QStringLiteral(
        "execute block as declare j integer = 1; declare o integer; declare d integer; begin "
        "while (j <= 2500) do begin o = 1; while (o <= 2) do begin "
        "insert into SPLAN (OBDOBIE, C_INT, C_OPERACIE, MNOZ_PLAN) values (' ', :j, :o * 10, 10); d = 0; "
        "while (d < 10) do begin insert into SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN) "
        "values (dateadd(:d + mod(:j, 200) day to date '2025-01-01'), :j, :o * 10, 'S' || mod(:j, 40), 1, 0.1); "
        "d = d + 1; end o = o + 1; end j = j + 1; end end"));
    TDMCis cis;
    TDMVyroba vyroba;
    TCapacityPlanning &planning = vyroba.Planning;
    planning.Scheduler().OnOverbooked = nullptr;
    planning.LoadWorkplaces();
    planning.LoadDayPlan(QDate(2025, 1, 1));
    TCapacityScheduler &s = planning.Scheduler();
    TxQuery &q = dm.Query;
    const qint64 stored = q.SelectValue(QStringLiteral("select count(*) from SPLAND")).toLongLong();
    q.Close();
    std::vector<TOperacia> ops;
    for (int k = 0; k < 2; ++k) {
        TOperacia o;
        o.C_INT = 300001;
        o.C_OPERACIE = 10 * (k + 1);
        o.PRACOVISKO = QStringLiteral("BW");
        o.Zostava = 10;
        o.CAS_JED = 400;
        o.Zaciatok = QDate(2026, 3, 16).toJulianDay();
        ops.push_back(o);
    }
    s.StartRun();
    if (s.ScheduleOperations(ops, 1) || s.NewAllocations().size() != 20) {
        std::fprintf(stderr, "plan save: the run did not make 20 allocations\n");
        return false;
    }
    int statements = 0;
    SetSqlWaitHook([&](bool busy) {
        if (busy)
            ++statements;
    });
    QElapsedTimer t;
    t.start();
    planning.SaveCapacityPlan();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    SetSqlWaitHook(nullptr);
    const qint64 rows = q.SelectValue(QStringLiteral("select count(*) from SPLAND")).toLongLong();
    q.Close();
    std::printf("plan save: 20 rows over %lld, %.1f ms, %d statements\n", stored, ms, statements);
    if (rows != stored + 20) {
        std::fprintf(stderr, "plan save: %lld rows stored, expected %lld\n", rows, stored + 20);
        return false;
    }
    dm.DBTransaction.Rollback();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool ok = true;
    double at1e3 = 0, at1e6 = 0, jobAt1e3 = 0, jobAt1e6 = 0;
    for (const int w : {10, 100})
        for (const qint64 p : {0LL, 1000LL, 10000LL, 100000LL, 1000000LL}) {
            double ns = 0, us = 0;
            ok = core(p, w, ns, us) && ok;
            if (w == 10 && p == 1000) {
                at1e3 = ns;
                jobAt1e3 = us;
            }
            if (w == 10 && p == 1000000) {
                at1e6 = ns;
                jobAt1e6 = us;
            }
        }
    ok = book() && ok;
    ok = save(argc, argv) && ok;
    std::printf("schedule: one job of 10 operations over 10^6 pre-booked day rows against 10^3 (10 workplaces): "
                "slope %.2f per visit, %.2f per job\n",
                at1e3 > 0 ? at1e6 / at1e3 : 0.0, jobAt1e3 > 0 ? jobAt1e6 / jobAt1e3 : 0.0);
    return ok ? 0 : 1;
}
