// workstations_load WORKSTATIONS MINUTES [PAUSE_MS]: a load run by hand, never by CTest. As many workstation
// drivers as asked work on a served copy of the demo foundry for the minutes asked, each at a person's pace
// (a pause of about PAUSE_MS, 1500 by default, between its steps): orders, jobs, item corrections, stock
// movements, shop-floor bookings, offers, hand-overs, delivery notes with their invoices and capacity plans.
// At the end it prints the figures: steps per kind, what was reported saved against what is stored, lost
// updates, numbers stored twice or skipped per series, saves refused, workplace-days over capacity, the
// lag of the server's oldest snapshot, and the longest save with the 99th percentile. The administrator's
// password is read from ISC_PASSWORD; the server is the local one.
#include "tests/server/WorkstationProcess.h"

#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/ConnectParams.h"
#include "platform/fbapi/Decode.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>

namespace {

// A movement a clerk saved, not one the triggers of a hand-over or a delivery note wrote.
const QString kClerksMovement =
    QStringLiteral("coalesce(POZNAMKA, '') not starting with 'Odvod z' and coalesce(POZNAMKA, '') not starting with "
                   "'Dodac'");

constexpr QFileDevice::Permissions kEveryone = QFileDevice::Permissions(0x7777);

// An administrator's connection of the tool's own, each read in a transaction of its own (the server's
// monitoring tables are read as of a transaction's start).
class TAdmin {
public:
    TAdmin(const QString &database, const QString &password)
    {
        fb::ConnectParams p;
        p.userName = QStringLiteral("SYSDBA");
        p.password = password;
        att_.attach(database, p);
    }
    ~TAdmin() { att_.detach(); }
    // The first column of every row.
    QStringList Column(const QString &sql)
    {
        fb::Transaction tr(att_, fb::Transaction::ReadOnly);
        fb::Statement st;
        st.prepare(tr, sql);
        st.openCursor(tr);
        QStringList out;
        while (st.fetchNext())
            out << fb::decode(st.outputs()[0], st.row()).toString().trimmed();
        st.closeCursor();
        tr.commit();
        return out;
    }
    QString Value(const QString &sql) { return Column(sql).value(0); }
    // The column of sql run with its %1 replaced by the values as a list, a thousand at a time (the server
    // takes at most 1500 in one list).
    QStringList ColumnIn(const QString &sql, const QStringList &values, bool quoted);
    // The sum of a count run so over the values.
    int CountIn(const QString &sql, const QStringList &values, bool quoted)
    {
        int n = 0;
        for (const QString &part : ColumnIn(sql, values, quoted))
            n += part.toInt();
        return n;
    }
    void Exec(const QString &sql) { att_.executeImmediate(sql); }

private:
    fb::Attachment att_;
};

enum TKind { kOrder, kJob, kItem, kMovement, kBooking, kOffer, kHandOver, kInvoice, kPlan, kKinds };
const char *const kKindNames[kKinds] = {"order", "job",       "item edit",    "stock movement", "booking",
                                        "offer", "hand-over", "note+invoice", "capacity plan"};
// How often each kind comes, out of their sum.
const int kWeights[kKinds] = {8, 8, 12, 15, 25, 6, 6, 6, 2};

// What the demo gives the workers to work on.
struct TWorld {
    QString Customer, Order, Product, Store, Tomorrow;
    QStringList Items;     // material items
    QStringList ItemJobs;  // order items whose quantity the clerks correct
    QStringList WorkJobs;  // jobs with a calculation: hand-overs and delivery notes
    QStringList Unplanned; // jobs the planners plan, each once
    std::atomic<int> NextUnplanned{0};
    struct TPost {
        int Osc = 0, Job = 0, Operation = 0;
    };
    std::vector<TPost> Posts; // a shop-floor post per worker
};

// What one worker did and was told.
struct TLog {
    int Steps[kKinds] = {};
    int Refused[kKinds] = {};
    QMap<QString, int> Messages; // refusals by their first line
    std::vector<double> SaveMs;
    std::vector<double> KindMs[kKinds];
    QStringList Orders, Jobs, Offers, Notes, Invoices;
    QStringList Movements; // "kind store number"
    QStringList HandOvers; // "job number"
    int Booked = 0;
    struct TEdit {
        QString Job;
        int Value = 0;
        qint64 At = 0;
    };
    std::vector<TEdit> Edits;
    QStringList Planned;
};

class TWorker {
public:
    TWorker(int index, const QString &database, const QString &password, TWorld &world, const QElapsedTimer &clock)
        : index_(index), database_(database), password_(password), world_(world), clock_(clock),
          random_(std::uint32_t(1000 + index))
    {
    }

    void Run(qint64 untilMs, int pauseMs)
    {
        WorkstationProcess w(database_, password_);
        if (!w.Started()) {
            log.Messages[QStringLiteral("did not start: ") + w.StartError()]++;
            return;
        }
        std::discrete_distribution<int> kinds(std::begin(kWeights), std::end(kWeights));
        std::uniform_int_distribution<int> pause(pauseMs / 2, pauseMs * 3 / 2);
        while (clock_.elapsed() < untilMs) {
            step(w, TKind(kinds(random_)));
            std::this_thread::sleep_for(std::chrono::milliseconds(pause(random_)));
        }
    }
    TLog log;

private:
    QString any(const QStringList &list) { return list.value(int(random_() % std::max<qsizetype>(1, list.size()))); }

    // Runs a command; a save's time goes into the figures.
    WorkstationProcess::Reply run(WorkstationProcess &w, TKind kind, const QString &command, bool save)
    {
        QElapsedTimer t;
        t.start();
        WorkstationProcess::Reply r = w.Run(command);
        if (save) {
            const double ms = double(t.nsecsElapsed()) / 1e6;
            log.SaveMs.push_back(ms);
            log.KindMs[kind].push_back(ms);
        }
        if (!r.ok) {
            ++log.Refused[kind];
            const QString text = (r.text.isEmpty() ? r.boxes.join(' ') : r.text).section(QLatin1Char('\n'), 0, 0);
            log.Messages[QString::fromLatin1(kKindNames[kind]) + QStringLiteral(": ") + text.left(120)]++;
        }
        return r;
    }

    void step(WorkstationProcess &w, TKind kind)
    {
        ++log.Steps[kind];
        switch (kind) {
        case kOrder:
            if (run(w, kind, QStringLiteral("begin-order ") + world_.Customer, false).ok) {
                const auto r = run(w, kind, QStringLiteral("save-order"), true);
                if (r.ok)
                    log.Orders << r.text;
            }
            break;
        case kJob: {
            const QString order = log.Orders.isEmpty() ? world_.Order : log.Orders.last();
            if (run(w, kind, QStringLiteral("begin-job %1 %2 10").arg(order, world_.Product), false).ok) {
                const auto r = run(w, kind, QStringLiteral("save-job"), true);
                if (r.ok)
                    log.Jobs << r.text;
            }
            break;
        }
        case kItem: {
            const QString job = any(world_.ItemJobs);
            const int value = 100 + int(random_() % 800);
            if (!run(w, kind, QStringLiteral("open-item ") + job, false).ok)
                break;
            run(w, kind, QStringLiteral("type MNOZ_OBJ %1").arg(value), false);
            if (run(w, kind, QStringLiteral("save-item"), true).ok)
                log.Edits.push_back({job, value, clock_.elapsed()});
            else
                w.Run(QStringLiteral("close-item"));
            break;
        }
        case kMovement: {
            const int type = random_() % 4 == 0 ? 20 : 10;
            if (!run(w, kind,
                     QStringLiteral("begin-movement %1 %2 %3 1").arg(type).arg(world_.Store, any(world_.Items)), false)
                     .ok)
                break;
            const auto r = run(w, kind, QStringLiteral("save-movement"), true);
            if (r.ok)
                log.Movements << QStringLiteral("%1 %2 %3").arg(type).arg(world_.Store, r.text);
            break;
        }
        case kBooking: {
            // A worker's performances of the shift, one after another, each its own "Zapíš".
            const TWorld::TPost &p = world_.Posts[size_t(index_)];
            const int n = 1 + int(random_() % 5);
            for (int i = 0; i < n; ++i) {
                const auto r = run(
                    w, kind,
                    QStringLiteral("book %1 %2 %3 %4 1 commit").arg(p.Osc).arg(p.Job).arg(p.Operation).arg(batch_++),
                    true);
                if (r.ok)
                    log.Booked += r.text.toInt();
            }
            break;
        }
        case kOffer:
            if (run(w, kind, QStringLiteral("begin-offer ") + world_.Customer, false).ok) {
                const auto r = run(w, kind, QStringLiteral("save-offer"), true);
                if (r.ok)
                    log.Offers << r.text;
            }
            break;
        case kHandOver: {
            const QString job = any(world_.WorkJobs);
            const auto r = run(w, kind, QStringLiteral("hand-over %1 1").arg(job), true);
            if (r.ok)
                log.HandOvers << job + QLatin1Char(' ') + r.text;
            break;
        }
        case kInvoice: {
            const auto note = run(w, kind, QStringLiteral("note %1 1").arg(any(world_.WorkJobs)), true);
            if (!note.ok)
                break;
            log.Notes << note.text;
            const auto proposed = run(w, kind, QStringLiteral("propose-invoice ") + note.text, false);
            if (!proposed.ok)
                break;
            const auto r = run(w, kind, QStringLiteral("save-invoice ") + proposed.text, true);
            if (r.ok)
                log.Invoices << r.text;
            break;
        }
        case kPlan: {
            const int i = world_.NextUnplanned++;
            if (i >= world_.Unplanned.size())
                break;
            if (run(w, kind, QStringLiteral("plan %1 %2").arg(world_.Unplanned[i], world_.Tomorrow), true).ok)
                log.Planned << world_.Unplanned[i];
            break;
        }
        case kKinds:
            break;
        }
    }

    int index_;
    QString database_, password_;
    TWorld &world_;
    const QElapsedTimer &clock_;
    std::mt19937 random_;
    int batch_ = 1;
};

// The share-th value of sorted times (1: the longest); 0 when there are none.
double percentile(const std::vector<double> &sorted, double share)
{
    if (sorted.empty())
        return 0;
    return sorted[std::min(sorted.size() - 1, size_t(double(sorted.size()) * share))];
}

QString inList(const QStringList &values, bool quoted)
{
    QStringList out;
    for (const QString &v : values)
        out << (quoted ? QLatin1Char('\'') + v + QLatin1Char('\'') : v);
    return out.isEmpty() ? QStringLiteral("NULL") : out.join(QLatin1Char(','));
}

QStringList TAdmin::ColumnIn(const QString &sql, const QStringList &values, bool quoted)
{
    QStringList out;
    for (qsizetype at = 0; at < values.size(); at += 1000)
        out << Column(sql.arg(inList(values.mid(at, 1000), quoted)));
    return out;
}

// Numbers the run stored twice and numbers skipped between its lowest and highest, of one series given as
// texts ending in digits after a common prefix (or plain numbers).
struct TSeries {
    int Twice = 0, Skipped = 0;
};
TSeries series(const QStringList &stored)
{
    TSeries s;
    QMap<QString, QList<long long>> byPrefix;
    QSet<QString> seen;
    for (const QString &n : stored) {
        if (seen.contains(n))
            ++s.Twice;
        seen.insert(n);
        int digits = 0;
        while (digits < n.size() && n[n.size() - 1 - digits].isDigit())
            ++digits;
        digits = std::min(digits, 4);
        byPrefix[n.left(n.size() - digits)] << n.right(digits).toLongLong();
    }
    for (QList<long long> &numbers : byPrefix) {
        std::sort(numbers.begin(), numbers.end());
        numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
        s.Skipped += int(numbers.last() - numbers.first() + 1 - numbers.size());
    }
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int workers = argc > 2 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    const double minutes = argc > 2 ? QString::fromLocal8Bit(argv[2]).toDouble() : 0;
    const int pauseMs = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 1500;
    const QString password = qEnvironmentVariable("ISC_PASSWORD");
    if (workers <= 0 || minutes <= 0 || pauseMs <= 0 || password.isEmpty()) {
        out << "usage: ISC_PASSWORD=... workstations_load WORKSTATIONS MINUTES [PAUSE_MS]\n";
        return 2;
    }

    // The drivers' warnings would fill the pipe of their error output, which nobody reads during the run.
    qputenv("QT_LOGGING_RULES", "*=false");
    // A copy of the demo foundry the server opens in a folder of the run's own.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("load.fdb"));
    if (!QFile::setPermissions(dir.path(), kEveryone) || !QFile::copy(QStringLiteral(TARVIS_DEMO_DB), file) ||
        !QFile::setPermissions(file, kEveryone)) {
        out << "error: no copy of " TARVIS_DEMO_DB "\n";
        return 1;
    }
    const QString database = QStringLiteral("127.0.0.1:") + file;
    TAdmin admin(database, password);

    TWorld world;
    world.Customer = admin.Value(QStringLiteral("select min(C_ODB) from CODBERATELOV"));
    world.Order =
        admin.Value(QStringLiteral("select first 1 trim(C_OBJ) from ZAKAZKYD where C_INT > 0 order by C_INT"));
    world.Product = admin.Value(QStringLiteral("select first 1 C_VYR from ZAKAZKYD where C_INT > 0 order by C_INT"));
    world.Store =
        admin.Value(QStringLiteral("select first 1 SKLAD from MSKLADY group by SKLAD order by count(*) desc"));
    world.Tomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate);
    world.Items = admin.Column(QStringLiteral(
        "select first 12 trim(C_POL) from POLOZKY where position(' ' in trim(C_POL)) = 0 order by C_POL"));
    world.ItemJobs = admin.Column(
        QStringLiteral("select first 20 C_INT from ZAKAZKYD where C_INT > 0 and STAV_ZAK < 100 order by C_INT"));
    world.WorkJobs = admin.Column(QStringLiteral("select first 12 k.C_INT from ZAKKALK k join ZAKAZKYD d on d.C_INT "
                                                 "= k.C_INT where d.STAV_ZAK < 100 order by k.C_INT"));
    world.Unplanned = admin.Column(QStringLiteral(
        "select d.C_INT from ZAKAZKYD d where d.C_INT > 0 and d.STAV_ZAK < 30 and exists (select 1 from ZAKOPERACIE o "
        "where o.C_INT = d.C_INT and o.CAS_JED > 0) order by d.C_INT"));
    // A shop-floor post for each worker: an employee 5001.. at the first operation of a job in turn.
    const QStringList operations = admin.Column(
        QStringLiteral("select C_INT || ' ' || min(C_OPERACIE) from ZAKOPERACIE where C_INT > 0 group by C_INT"));
    for (int i = 0; i < workers; ++i) {
        const QStringList at = operations.value(i % std::max<qsizetype>(1, operations.size())).split(' ');
        TWorld::TPost p{5001 + i, at.value(0).toInt(), at.value(1).toInt()};
        admin.Exec(QStringLiteral("insert into CZAMESTNANCOV (OSC, PRIEZVISKO, MENO, STREDISKO, PROFESIA, TARIF) "
                                  "select %1, 'Pracovisko %2', 'Záťaž', '100', PROFESIA, TARIF from ZAKOPERACIE "
                                  "where C_INT = %3 and C_OPERACIE = %4")
                       .arg(p.Osc)
                       .arg(i + 1)
                       .arg(p.Job)
                       .arg(p.Operation));
        world.Posts.push_back(p);
    }
    const QString firstMovement = admin.Value(QStringLiteral("select coalesce(max(ID_POHYBU), 0) from MPOHYBY"));
    const int handOversBefore = admin.Value(QStringLiteral("select count(*) from SODVODY")).toInt();

    out << "workstations_load: " << workers << " workstations, " << minutes << " min, pause " << pauseMs << " ms, on "
        << database << "\n";
    out.flush();

    QElapsedTimer clock;
    clock.start();
    const qint64 untilMs = qint64(minutes * 60000);
    std::vector<std::unique_ptr<TWorker>> all;
    for (int i = 0; i < workers; ++i)
        all.push_back(std::make_unique<TWorker>(i, database, password, world, clock));
    std::vector<std::thread> threads;
    for (auto &w : all)
        threads.emplace_back([&w, untilMs, pauseMs] { w->Run(untilMs, pauseMs); });
    // The server's oldest snapshot against its next transaction, every two seconds.
    int lag = 0, lastLag = 0;
    while (clock.elapsed() < untilMs) {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const QStringList row =
            admin.Column(QStringLiteral("select MON$NEXT_TRANSACTION - MON$OLDEST_SNAPSHOT from MON$DATABASE"));
        lastLag = row.value(0).toInt();
        lag = std::max(lag, lastLag);
    }
    for (auto &t : threads)
        t.join();
    const double seconds = double(clock.elapsed()) / 1000;

    // ---- the figures
    TLog sum;
    for (const auto &w : all) {
        const TLog &l = w->log;
        for (int k = 0; k < kKinds; ++k) {
            sum.Steps[k] += l.Steps[k];
            sum.Refused[k] += l.Refused[k];
            sum.KindMs[k].insert(sum.KindMs[k].end(), l.KindMs[k].begin(), l.KindMs[k].end());
        }
        for (auto it = l.Messages.begin(); it != l.Messages.end(); ++it)
            sum.Messages[it.key()] += it.value();
        sum.SaveMs.insert(sum.SaveMs.end(), l.SaveMs.begin(), l.SaveMs.end());
        sum.Orders << l.Orders;
        sum.Jobs << l.Jobs;
        sum.Offers << l.Offers;
        sum.Notes << l.Notes;
        sum.Invoices << l.Invoices;
        sum.Movements << l.Movements;
        sum.HandOvers << l.HandOvers;
        sum.Booked += l.Booked;
        sum.Edits.insert(sum.Edits.end(), l.Edits.begin(), l.Edits.end());
        sum.Planned << l.Planned;
    }
    int steps = 0;
    for (int k = 0; k < kKinds; ++k)
        steps += sum.Steps[k];
    out << QStringLiteral("\n%1 steps in %2 s (%3 per second)\n")
               .arg(steps)
               .arg(seconds, 0, 'f', 0)
               .arg(steps / seconds, 0, 'f', 1);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("kind"), -16)
               .arg(QStringLiteral("steps"), 7)
               .arg(QStringLiteral("refused"), 8)
               .arg(QStringLiteral("median ms"), 10)
               .arg(QStringLiteral("p99 ms"), 8)
               .arg(QStringLiteral("longest save ms"), 16);
    for (int k = 0; k < kKinds; ++k) {
        std::sort(sum.KindMs[k].begin(), sum.KindMs[k].end());
        out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(QString::fromLatin1(kKindNames[k]), -16)
                   .arg(sum.Steps[k], 7)
                   .arg(sum.Refused[k], 8)
                   .arg(percentile(sum.KindMs[k], 0.5), 10, 'f', 0)
                   .arg(percentile(sum.KindMs[k], 0.99), 8, 'f', 0)
                   .arg(percentile(sum.KindMs[k], 1), 16, 'f', 0);
    }

    // Reported saved against stored.
    const auto stored = [&](const QString &what, const QStringList &reported, const QString &sql, bool quoted) {
        const int found = admin.CountIn(sql, reported, quoted);
        out << QStringLiteral("%1 reported saved %2, stored %3\n").arg(what, -14).arg(reported.size()).arg(found);
    };
    out << "\n";
    stored(QStringLiteral("orders"), sum.Orders, QStringLiteral("select count(*) from ZAKAZKY where C_OBJ in (%1)"),
           true);
    stored(QStringLiteral("jobs"), sum.Jobs, QStringLiteral("select count(*) from ZAKAZKYD where C_INT in (%1)"),
           false);
    stored(QStringLiteral("offers"), sum.Offers, QStringLiteral("select count(*) from ZAKAZKY where C_OBJ in (%1)"),
           true);
    stored(QStringLiteral("notes"), sum.Notes, QStringLiteral("select count(*) from EDLISTY where C_DL in (%1)"),
           false);
    stored(QStringLiteral("invoices"), sum.Invoices,
           QStringLiteral("select count(*) from EDLISTY where C_FAKTURY in (%1)"), true);
    out << QStringLiteral("%1 reported saved %2, stored %3\n")
               .arg(QStringLiteral("movements"), -14)
               .arg(sum.Movements.size())
               .arg(admin.Value(QStringLiteral("select count(*) from MPOHYBY where ID_POHYBU > %1 and %2")
                                    .arg(firstMovement, kClerksMovement)));
    out << QStringLiteral("%1 reported saved %2, stored %3\n")
               .arg(QStringLiteral("bookings"), -14)
               .arg(sum.Booked)
               .arg(admin.Value(QStringLiteral("select count(*) from SVYKONY where OSC > 5000")));
    out << QStringLiteral("%1 reported saved %2, stored %3\n")
               .arg(QStringLiteral("hand-overs"), -14)
               .arg(sum.HandOvers.size())
               .arg(admin.Value(QStringLiteral("select count(*) from SODVODY")).toInt() - handOversBefore);

    // Lost updates: an item whose stored quantity is not the one saved last.
    std::sort(sum.Edits.begin(), sum.Edits.end(), [](const auto &a, const auto &b) { return a.At < b.At; });
    QHash<QString, int> last;
    for (const auto &e : sum.Edits)
        last[e.Job] = e.Value;
    int lost = 0;
    for (auto it = last.begin(); it != last.end(); ++it)
        if (admin.Value(QStringLiteral("select MNOZ_OBJ from ZAKAZKYD where C_INT = %1").arg(it.key())).toInt() !=
            it.value())
            ++lost;
    out << QStringLiteral("lost updates: %1 of %2 items saved\n").arg(lost).arg(last.size());

    // Numbers stored twice or skipped, per series.
    out << "\nseries            stored twice  skipped\n";
    const auto report = [&](const QString &what, const QStringList &numbers) {
        const TSeries s = series(numbers);
        out << QStringLiteral("%1 %2 %3\n").arg(what, -17).arg(s.Twice, 12).arg(s.Skipped, 8);
    };
    report(QStringLiteral("orders, offers"),
           admin.ColumnIn(QStringLiteral("select trim(C_OBJ) from ZAKAZKY where C_OBJ in (%1)"),
                          sum.Orders + sum.Offers, true));
    report(QStringLiteral("jobs"),
           admin.ColumnIn(QStringLiteral("select C_INT from ZAKAZKYD where C_INT in (%1)"), sum.Jobs, false));
    report(QStringLiteral("delivery notes"),
           admin.ColumnIn(QStringLiteral("select C_DL from EDLISTY where C_DL in (%1)"), sum.Notes, false));
    report(QStringLiteral("invoices"),
           admin.ColumnIn(QStringLiteral("select trim(C_FAKTURY) from EDLISTY where C_FAKTURY in (%1)"), sum.Invoices,
                          true));
    // A stock document of the run is one movement: its number stored on another movement too is twice.
    const QStringList documents = admin.Column(
        QStringLiteral("select TYP_POHYBU || '/' || SKLAD || '/' || C_DOKLADU from MPOHYBY where ID_POHYBU > %1 and %2")
            .arg(firstMovement, kClerksMovement));
    report(QStringLiteral("stock documents"), documents);
    report(QStringLiteral("hand-overs"),
           admin.Column(QStringLiteral("select C_DOKLADU from SODVODY where DATUM = current_date and C_INT in (%1)")
                            .arg(inList(world.WorkJobs, false))));

    // Refusals.
    out << "\nrefused:\n";
    if (sum.Messages.isEmpty())
        out << "  none\n";
    for (auto it = sum.Messages.begin(); it != sum.Messages.end(); ++it)
        out << QStringLiteral("  %1 x %2\n").arg(it.value(), 5).arg(it.key());

    // Capacity, snapshot, waits.
    const QString overCapacity = admin.Value(
        QStringLiteral("select count(*) from (select DATUM, PRACOVISKO, sum(NHOD_PLAN) H from SPLAND where DATUM >= "
                       "current_date group by DATUM, PRACOVISKO) x join CPRACOVISK p on p.PRACOVISKO = x.PRACOVISKO "
                       "join CROZVRHOV r on r.ROZVRH = p.ROZVRH where x.H > p.STROJE * r.HODINY * iif(r.ZMENY in "
                       "(2, 3), r.ZMENY, 1) + 0.001 and exists (select 1 from SPLAND t where t.DATUM = x.DATUM and "
                       "t.PRACOVISKO = x.PRACOVISKO and t.C_INT in (%1))")
            .arg(inList(sum.Planned, false)));
    out << QStringLiteral("\nworkplace-days over capacity (of %1 jobs planned): %2\n")
               .arg(sum.Planned.size())
               .arg(overCapacity);
    out << QStringLiteral("oldest snapshot behind the next transaction: at most %1, at the end %2\n")
               .arg(lag)
               .arg(lastLag);
    std::sort(sum.SaveMs.begin(), sum.SaveMs.end());
    if (!sum.SaveMs.empty()) {
        const double p99 = percentile(sum.SaveMs, 0.99);
        const double p50 = percentile(sum.SaveMs, 0.5);
        out << QStringLiteral("saves: %1, median %2 ms, p99 %3 ms, longest %4 ms, over 5 s: %5\n")
                   .arg(sum.SaveMs.size())
                   .arg(p50, 0, 'f', 1)
                   .arg(p99, 0, 'f', 1)
                   .arg(sum.SaveMs.back(), 0, 'f', 1)
                   .arg(std::count_if(sum.SaveMs.begin(), sum.SaveMs.end(), [](double ms) { return ms > 5000; }));
    }
    return 0;
}
