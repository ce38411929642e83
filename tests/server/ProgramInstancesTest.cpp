// Several program instances on one served copy of the demo foundry, each a process with its own connection
// and data modules: one order item saved by two of them, two planners, twenty shop-floor terminals booking
// at once, and an instance whose connection is killed while its save is open.
#include "platform/os/Clock.h"
#include "DemoServerTest.h"
#include "WorkstationProcess.h"
#include "driver/WorkstationDriver.h"

#include "platform/fbapi/IBError.h"

#include <QDate>
#include <QSet>

#include <functional>

namespace {

const QString kChangedMeanwhile = QString::fromUtf8("Záznam medzičasom zmenil alebo zmazal iný používateľ");

// Demo jobs: two confirmed items of one order, not planned yet, and a job in production.
constexpr int kItemA = 260011;
constexpr int kItemB = 260012;
constexpr int kInProduction = 260005;

std::string described(const WorkstationProcess::Reply &r)
{
    return (r.text + QStringLiteral(" | boxes: ") + r.boxes.join(QStringLiteral(" | "))).toStdString();
}

} // namespace

class ProgramInstances : public DemoServerTest {
protected:
    std::unique_ptr<WorkstationProcess> instance()
    {
        auto p = std::make_unique<WorkstationProcess>(name, password);
        EXPECT_TRUE(p->Started()) << p->StartError().toStdString();
        return p;
    }
    void exec(const QString &sql)
    {
        fb::Attachment att = adminAttachment();
        att.executeImmediate(sql);
        att.detach();
    }
    int count(const QString &sql) { return adminValue(sql).toInt(); }
    // What one terminal books: a job and one of its operations.
    struct Post {
        int job = 0, operation = 0;
    };
    // Employees 901.. at the posts, taken in turn from the first operations of the demo's jobs (the job in
    // production first), each with the profession of its operation.
    std::vector<Post> shopFloor(int employees)
    {
        std::vector<Post> jobs{{kInProduction, 0}};
        fb::Attachment att = adminAttachment();
        auto q = workstation();
        const QStringList others = q->value(QStringLiteral("select list(C_INT) from (select distinct C_INT from "
                                                           "ZAKOPERACIE where C_INT > 0 and C_INT <> %1)")
                                                .arg(kInProduction))
                                       .toString()
                                       .split(',');
        for (const QString &job : others)
            jobs.push_back({job.toInt(), 0});
        std::vector<Post> posts;
        for (int i = 1; i <= employees; ++i) {
            Post p = jobs[(i - 1) % jobs.size()];
            p.operation =
                q->value(QStringLiteral("select min(C_OPERACIE) from ZAKOPERACIE where C_INT = %1").arg(p.job)).toInt();
            att.executeImmediate(
                QStringLiteral("insert into CZAMESTNANCOV (OSC, PRIEZVISKO, MENO, STREDISKO, PROFESIA, "
                               "TARIF) select %1, 'Terminál %2', 'Test', '100', PROFESIA, TARIF "
                               "from ZAKOPERACIE where C_INT = %3 and C_OPERACIE = %4")
                    .arg(900 + i)
                    .arg(i)
                    .arg(p.job)
                    .arg(p.operation));
            posts.push_back(p);
        }
        att.detach();
        return posts;
    }
    static QString booking(int osc, const Post &at, int firstBatch, int n, bool commit)
    {
        return QStringLiteral("book %1 %2 %3 %4 %5 %6")
            .arg(osc)
            .arg(at.job)
            .arg(at.operation)
            .arg(firstBatch)
            .arg(n)
            .arg(commit ? QStringLiteral("commit") : QStringLiteral("hold"));
    }
};

TEST_F(ProgramInstances, TheSecondSaveOfOneItemIsRefusedAndNothingIsLost)
{
    auto a = instance();
    auto b = instance();
    ASSERT_TRUE(a->Started() && b->Started());
    const int before = count(QStringLiteral("select MNOZ_OBJ from ZAKAZKYD where C_INT = %1").arg(kItemA));
    ASSERT_NE(before, 45);

    // Both open the item's dialog on the same stored row and type a quantity of their own.
    for (auto *w : {a.get(), b.get()}) {
        const auto opened = w->Run(QStringLiteral("open-item %1").arg(kItemA));
        ASSERT_TRUE(opened.ok) << described(opened);
    }
    EXPECT_TRUE(a->Run("type MNOZ_OBJ 45").ok);
    EXPECT_TRUE(b->Run("type MNOZ_OBJ 55").ok);
    const auto first = a->Run("save-item");
    ASSERT_TRUE(first.ok) << described(first);
    // A's save is committed by itself: a workstation that dies now loses nothing of it.
    EXPECT_EQ(count(QStringLiteral("select MNOZ_OBJ from ZAKAZKYD where C_INT = %1").arg(kItemA)), 45);

    const auto second = b->Run("save-item");
    EXPECT_FALSE(second.ok);
    EXPECT_EQ(second.boxes.size(), 1) << described(second);
    EXPECT_TRUE(second.boxes.join('\n').contains(kChangedMeanwhile)) << described(second);
    // Its dialog stays open with what was typed, the row still in edit.
    EXPECT_EQ(b->Run("shown MNOZ_OBJ").text, "55");
    EXPECT_EQ(b->Run("item MNOZ_OBJ").text, "edit 55");
    EXPECT_EQ(count(QStringLiteral("select MNOZ_OBJ from ZAKAZKYD where C_INT = %1").arg(kItemA)), 45)
        << "the first save stays";

    // The refused user closes the dialog, opens the item again, sees the other's value and saves over it
    // knowingly.
    EXPECT_TRUE(b->Run("close-item").ok);
    ASSERT_TRUE(b->Run(QStringLiteral("open-item %1").arg(kItemA)).ok);
    EXPECT_EQ(b->Run("item MNOZ_OBJ").text, "edit 45");
    EXPECT_TRUE(b->Run("type MNOZ_OBJ 55").ok);
    const auto again = b->Run("save-item");
    EXPECT_TRUE(again.ok) << described(again);
    EXPECT_TRUE(b->Run("commit").ok);
    EXPECT_EQ(count(QStringLiteral("select MNOZ_OBJ from ZAKAZKYD where C_INT = %1").arg(kItemA)), 55);
    // The other item of the order was never touched.
    EXPECT_EQ(count(QStringLiteral("select MNOZ_OBJ from ZAKAZKYD where C_INT = %1").arg(kItemB)), 80);
}

TEST_F(ProgramInstances, TwoPlannersKeepTheirPlansForDifferentJobs)
{
    auto a = instance();
    auto b = instance();
    ASSERT_TRUE(a->Started() && b->Started());
    const QString start = Date().addDays(1).toString(Qt::ISODate);
    // A's run commits its plan: B's run neither waits for A nor plans over what A booked.
    const auto planA = a->Run(QStringLiteral("plan %1 %2").arg(QString::number(kItemA), start));
    ASSERT_TRUE(planA.ok) << described(planA);
    const auto planB = b->Run(QStringLiteral("plan %1 %2").arg(QString::number(kItemB), start));
    ASSERT_TRUE(planB.ok) << described(planB);
    EXPECT_TRUE(a->Run("commit").ok);
    EXPECT_TRUE(b->Run("commit").ok);

    for (const int job : {kItemA, kItemB}) {
        SCOPED_TRACE(job);
        const int operations =
            count(QStringLiteral("select count(*) from ZAKOPERACIE where C_INT = %1 and CAS_JED > 0").arg(job));
        ASSERT_GT(operations, 0);
        EXPECT_EQ(count(QStringLiteral("select count(*) from SPLAN where C_INT = %1").arg(job)), operations);
        EXPECT_EQ(count(QStringLiteral("select count(distinct C_OPERACIE) from SPLAND where C_INT = %1").arg(job)),
                  operations);
        EXPECT_EQ(count(QStringLiteral("select STAV_ZAK from ZAKAZKYD where C_INT = %1").arg(job)), 30);
        // Every operation's period row carries what its day rows plan.
        EXPECT_EQ(count(QStringLiteral("select count(*) from SPLAN p where C_INT = %1 and MNOZ_PLAN <> (select "
                                       "sum(d.MNOZ_PLAN) from SPLAND d where d.C_INT = p.C_INT and d.C_OPERACIE = "
                                       "p.C_OPERACIE)")
                            .arg(job)),
                  0);
    }
}

TEST_F(ProgramInstances, TwentyTerminalsBookFiveHundredPerformancesEachAndNoneIsLost)
{
    constexpr int kTerminals = 20;
    constexpr int kEach = 500;
    const std::vector<Post> posts = shopFloor(kTerminals);
    std::vector<std::unique_ptr<WorkstationProcess>> terminals;
    for (int i = 1; i <= kTerminals; ++i)
        terminals.push_back(instance());
    for (const auto &t : terminals)
        ASSERT_TRUE(t->Started());
    const int before = count(QStringLiteral("select count(*) from SVYKONY"));

    // All at once: every terminal books and commits each performance while the others do the same.
    for (int i = 0; i < kTerminals; ++i)
        terminals[i]->Send(booking(901 + i, posts[i], 1, kEach, true));
    for (int i = 0; i < kTerminals; ++i) {
        const auto r = terminals[i]->Wait();
        EXPECT_TRUE(r.ok) << "terminal " << i + 1 << ": " << described(r);
        EXPECT_EQ(r.text, QString::number(kEach));
    }

    EXPECT_EQ(count(QStringLiteral("select count(*) from SVYKONY")), before + kTerminals * kEach);
    EXPECT_EQ(count("select count(*) from (select OSC from SVYKONY where OSC > 900 group by OSC having count(*) = 500 "
                    "and sum(MNOZSTVO) = 500 and min(C_DAVKY) = 1 and max(C_DAVKY) = 500)"),
              kTerminals);
    EXPECT_DOUBLE_EQ(adminValue("select sum(MNOZSTVO) from SVYKONY where OSC > 900").toDouble(), kTerminals * kEach);
    EXPECT_NEAR(adminValue("select sum(OHOD) from SVYKONY where OSC > 900").toDouble(),
                kTerminals * kEach * WorkstationDriver::HoursEach, 1e-6);
    // Norm hours as the booking rule computes them for one piece of the post's operation, 500 times a post.
    double normHours = 0;
    for (const Post &p : posts)
        normHours += kEach * adminValue(QStringLiteral("select (coalesce(CAS_PRIP, 0) + coalesce(CAS_JED, 0)) / 60e0 "
                                                       "from ZAKOPERACIE where C_INT = %1 and C_OPERACIE = %2")
                                            .arg(p.job)
                                            .arg(p.operation))
                                 .toDouble();
    EXPECT_NEAR(adminValue("select sum(NHOD) from SVYKONY where OSC > 900").toDouble(), normHours, 1e-6);
    EXPECT_EQ(count("select count(*) from SVYKONY where OSC > 900 and MZDA is null"), 0);
}

TEST_F(ProgramInstances, AConnectionKilledInTheMiddleOfASaveLeavesNothingAndTheOthersGoOn)
{
    const std::vector<Post> posts = shopFloor(2);
    auto a = instance();
    auto b = instance();
    ASSERT_TRUE(a->Started() && b->Started());
    const auto id = a->Run("id");
    ASSERT_TRUE(id.ok);

    // A has written fifty performances it has not committed; B commits its own meanwhile.
    const auto held = a->Run(booking(901, posts[0], 1, 50, false));
    ASSERT_TRUE(held.ok) << described(held);
    ASSERT_TRUE(b->Run(booking(902, posts[1], 1, 50, true)).ok);
    exec(QStringLiteral("delete from mon$attachments where mon$attachment_id = %1").arg(id.text));

    EXPECT_EQ(count("select count(*) from SVYKONY where OSC = 901"), 0) << "nothing of the killed save is seen";
    const auto more = b->Run(booking(902, posts[1], 51, 50, true));
    EXPECT_TRUE(more.ok) << described(more);
    EXPECT_EQ(count("select count(*) from SVYKONY where OSC = 902"), 100);

    // A hears of its lost connection in Slovak once.
    const auto lost = a->Run(booking(901, posts[0], 101, 10, true));
    EXPECT_FALSE(lost.ok);
    EXPECT_TRUE((lost.text + lost.boxes.join('\n')).contains(fb::ConnectionLostMessage)) << described(lost);
    // By then even the very rows A held are free: its operator books them again at B, with neither a wait
    // nor a duplicate. (The server ends a killed attachment when it next hears from it.)
    const auto redone = b->Run(booking(901, posts[0], 1, 50, true));
    EXPECT_TRUE(redone.ok) << described(redone);
    EXPECT_EQ(count("select count(*) from SVYKONY where OSC = 901"), 50);
    // A's next booking connects again.
    const auto after = a->Run(booking(901, posts[0], 101, 10, true));
    EXPECT_TRUE(after.ok) << described(after);
    EXPECT_EQ(count("select count(*) from SVYKONY where OSC = 901"), 60);
}

TEST_F(ProgramInstances, ATerminalThatDiesWithItsBookingsOpenLeavesThemToTheOthers)
{
    const std::vector<Post> posts = shopFloor(1);
    auto a = instance();
    auto b = instance();
    ASSERT_TRUE(a->Started() && b->Started());
    ASSERT_TRUE(a->Run(booking(901, posts[0], 1, 50, false)).ok);
    a->Kill();

    EXPECT_EQ(count("select count(*) from SVYKONY where OSC = 901"), 0);
    const auto redone = b->Run(booking(901, posts[0], 1, 50, true));
    EXPECT_TRUE(redone.ok) << described(redone);
    EXPECT_EQ(count("select count(*) from SVYKONY where OSC = 901"), 50);
}

// Eight clerks at once: each begins a new order (all are proposed the same number), a job of it and stock
// receipts with their document numbers, then all save at the same moment; then offers, hand-overs, delivery
// notes with their invoices, and three capacity plans. No save is refused for a number taken meanwhile, no
// number is stored or drawn twice, no workplace-day is planned over its capacity, what was reported saved
// survives a killed process, and the server's oldest snapshot keeps up with the work.
TEST_F(ProgramInstances, EightClerksAtOnceNeitherRefuseNorDoubleNorLoseAndTheServerCanCleanUp)
{
    constexpr int kClerks = 8;
    constexpr int kReceipts = 3;
    std::vector<std::unique_ptr<WorkstationProcess>> clerks;
    for (int i = 0; i < kClerks; ++i)
        clerks.push_back(instance());
    for (const auto &c : clerks)
        ASSERT_TRUE(c->Started());
    const int customer = count("select min(C_ODB) from CODBERATELOV");
    const QString product =
        adminValue(QStringLiteral("select C_VYR from ZAKAZKYD where C_INT = %1").arg(kItemA)).toString().trimmed();
    // One store, an item of its own for each clerk (two receipts of one item at the same moment update one
    // stock row: the second waits and is told to save again).
    const QString store =
        adminValue("select first 1 SKLAD from MSKLADY group by SKLAD order by count(*) desc").toString().trimmed();
    const QStringList items =
        adminValue(QStringLiteral("select list(trim(C_POL)) from (select first %1 C_POL from POLOZKY where position(' "
                                  "' in trim(C_POL)) = 0 order by C_POL)")
                       .arg(kClerks))
            .toString()
            .split(',');
    ASSERT_EQ(items.size(), kClerks);
    const int firstTransaction = count("select MON$NEXT_TRANSACTION from MON$DATABASE");

    // All at once: every clerk sends the step, then every reply is read.
    const auto allAtOnce = [&](const std::function<QString(int)> &step) {
        std::vector<WorkstationProcess::Reply> replies;
        for (int i = 0; i < kClerks; ++i)
            clerks[size_t(i)]->Send(step(i));
        for (int i = 0; i < kClerks; ++i)
            replies.push_back(clerks[size_t(i)]->Wait());
        return replies;
    };
    const auto distinctTexts = [](const std::vector<WorkstationProcess::Reply> &replies) {
        QSet<QString> texts;
        for (const auto &r : replies)
            texts.insert(r.text);
        return int(texts.size());
    };

    const auto proposed = allAtOnce([&](int) { return QStringLiteral("begin-order %1").arg(customer); });
    EXPECT_EQ(distinctTexts(proposed), 1) << "all were proposed the same number";
    const auto orders = allAtOnce([](int) { return QStringLiteral("save-order"); });
    int renumbered = 0;
    for (const auto &r : orders) {
        EXPECT_TRUE(r.ok) << described(r);
        renumbered += r.boxes.join('\n').contains(QString::fromUtf8("medzičasom použil iný používateľ")) ? 1 : 0;
    }
    EXPECT_EQ(distinctTexts(orders), kClerks) << "no order number stored twice";
    EXPECT_EQ(renumbered, kClerks - 1) << "each clerk whose number went meanwhile was told";

    allAtOnce([&](int i) { return QStringLiteral("begin-job %1 %2 10").arg(orders[size_t(i)].text, product); });
    const auto jobs = allAtOnce([](int) { return QStringLiteral("save-job"); });
    for (const auto &r : jobs)
        EXPECT_TRUE(r.ok) << described(r);
    EXPECT_EQ(distinctTexts(jobs), kClerks) << "no job number stored twice";

    QSet<QString> documents;
    for (int round = 0; round < kReceipts; ++round) {
        const auto drawn =
            allAtOnce([&](int i) { return QStringLiteral("begin-movement 10 %1 %2 1").arg(store, items[i]); });
        for (const auto &r : drawn) {
            EXPECT_TRUE(r.ok) << described(r);
            documents.insert(r.text);
        }
        for (const auto &r : allAtOnce([](int) { return QStringLiteral("save-movement"); }))
            EXPECT_TRUE(r.ok) << described(r);
    }
    EXPECT_EQ(documents.size(), kClerks * kReceipts) << "a document number drawn by two workstations";
    EXPECT_EQ(count(QStringLiteral("select count(distinct C_DOKLADU) from MPOHYBY where DATUM = current_date and "
                                   "TYP_POHYBU = 10 and SKLAD = '%1' and C_DOKLADU in (%2)")
                        .arg(store, QStringList(documents.begin(), documents.end()).join(','))),
              kClerks * kReceipts);

    // Offers, hand-overs of the demo's jobs, a delivery note of each and its invoice, all at once.
    const QStringList work =
        adminValue(QStringLiteral("select list(C_INT) from (select first %1 k.C_INT from ZAKKALK k join ZAKAZKYD d on "
                                  "d.C_INT = k.C_INT where d.STAV_ZAK < 100 order by k.C_INT)")
                       .arg(kClerks))
            .toString()
            .split(',');
    ASSERT_FALSE(work.isEmpty());
    const auto workJob = [&](int i) { return work[i % work.size()]; };
    allAtOnce([&](int) { return QStringLiteral("begin-offer %1").arg(customer); });
    const auto offers = allAtOnce([](int) { return QStringLiteral("save-offer"); });
    for (const auto &r : offers)
        EXPECT_TRUE(r.ok) << described(r);
    EXPECT_EQ(distinctTexts(offers), kClerks) << "no offer number stored twice";
    for (const auto &r : allAtOnce([&](int i) { return QStringLiteral("hand-over %1 1").arg(workJob(i)); }))
        EXPECT_TRUE(r.ok) << described(r);
    const auto notes = allAtOnce([&](int i) { return QStringLiteral("note %1 1").arg(workJob(i)); });
    for (const auto &r : notes)
        EXPECT_TRUE(r.ok) << described(r);
    EXPECT_EQ(distinctTexts(notes), kClerks) << "no delivery note number stored twice";
    const auto proposedInvoices = allAtOnce([&](int i) { return "propose-invoice " + notes[size_t(i)].text; });
    const auto invoices = allAtOnce([&](int i) { return "save-invoice " + proposedInvoices[size_t(i)].text; });
    QStringList invoiceNumbers;
    for (const auto &r : invoices) {
        EXPECT_TRUE(r.ok) << described(r);
        invoiceNumbers << r.text;
    }
    invoiceNumbers.sort();
    ASSERT_EQ(invoiceNumbers.size(), kClerks);
    EXPECT_EQ(invoiceNumbers.first().chopped(4), invoiceNumbers.last().chopped(4));
    EXPECT_EQ(invoiceNumbers.last().right(4).toInt() - invoiceNumbers.first().right(4).toInt(), kClerks - 1)
        << "the invoice numbers run on without a gap: " << invoiceNumbers.join(' ').toStdString();
    EXPECT_EQ(distinctTexts(invoices), kClerks) << "no invoice number stored twice";

    // Three planners at once, each planning a job of the demo's not planned yet: no workplace is planned
    // over its day's capacity on a day they planned.
    constexpr int kPlanners = 3;
    const QStringList unplanned =
        adminValue(
            QStringLiteral(
                "select list(C_INT) from (select first %1 d.C_INT from ZAKAZKYD d where "
                "d.C_INT > 0 and d.STAV_ZAK < 30 and exists (select 1 from ZAKOPERACIE o where o.C_INT = d.C_INT "
                "and o.CAS_JED > 0) order by d.C_INT)")
                .arg(kPlanners))
            .toString()
            .split(',');
    ASSERT_EQ(unplanned.size(), kPlanners);
    const QString tomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate);
    const auto plans = allAtOnce([&](int i) {
        return i < kPlanners ? QStringLiteral("plan %1 %2").arg(unplanned[i], tomorrow) : QStringLiteral("id");
    });
    for (const auto &r : plans)
        EXPECT_TRUE(r.ok) << described(r);
    EXPECT_GT(count(QStringLiteral("select count(*) from SPLAND where C_INT in (%1)").arg(unplanned.join(','))), 0);
    EXPECT_EQ(
        count(QStringLiteral(
                  "select count(*) from (select DATUM, PRACOVISKO, sum(NHOD_PLAN) H from SPLAND group by DATUM, "
                  "PRACOVISKO) x join CPRACOVISK p on p.PRACOVISKO = x.PRACOVISKO join CROZVRHOV r on r.ROZVRH = "
                  "p.ROZVRH where x.H > p.STROJE * r.HODINY * iif(r.ZMENY in (2, 3), r.ZMENY, 1) + 0.001 and exists "
                  "(select 1 from SPLAND t where t.DATUM = x.DATUM and t.PRACOVISKO = x.PRACOVISKO and t.C_INT in "
                  "(%1))")
                  .arg(unplanned.join(','))),
        0)
        << "a workplace-day planned over its capacity";

    // What a clerk was told is saved is committed: his process killed at once loses none of it.
    const auto last = clerks[0]->Run(QStringLiteral("begin-order %1").arg(customer));
    ASSERT_TRUE(last.ok) << described(last);
    const auto saved = clerks[0]->Run("save-order");
    ASSERT_TRUE(saved.ok) << described(saved);
    clerks[0]->Kill();
    EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKAZKY where C_OBJ = '%1'").arg(saved.text)), 1);
    for (const auto &r : orders)
        EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKAZKY where C_OBJ = '%1'").arg(r.text)), 1);

    // The clerks' lists stay open, yet the oldest snapshot follows the work rather than its first step.
    const int next = count("select MON$NEXT_TRANSACTION from MON$DATABASE");
    const int oldestSnapshot = count("select MON$OLDEST_SNAPSHOT from MON$DATABASE");
    EXPECT_GT(oldestSnapshot, firstTransaction) << "the oldest snapshot stayed where the work began";
    EXPECT_LT(next - oldestSnapshot, 300);
}

// A movement whose store or kind is corrected after "Doklad" drew its number, or whose number another
// workstation stored meanwhile, is saved under a number drawn again under its own store and kind: never two
// documents of one store and kind under one number. The other workstation draws for the corrected store at
// the same time, its series standing where the first store's stands.
TEST_F(ProgramInstances, AStockDocumentNumberIsDrawnAgainWhenItsStoreOrKindChangedOrItWasTaken)
{
    auto a = instance();
    auto b = instance();
    ASSERT_TRUE(a->Started() && b->Started());
    const QStringList stores =
        adminValue("select list(SKLAD) from (select first 2 SKLAD from MSKLADY group by SKLAD order by count(*) desc)")
            .toString()
            .split(',');
    ASSERT_EQ(stores.size(), 2);
    const QString item = adminValue("select first 1 trim(C_POL) from POLOZKY where position(' ' in trim(C_POL)) = 0 "
                                    "order by C_POL")
                             .toString();
    const QDate today = QDate::currentDate();
    const QString month = QDate(today.year(), today.month(), 1).toString(Qt::ISODate);
    const auto last = [&](int kind, const QString &store) {
        return count(QStringLiteral("select coalesce(max(c), 0) from (select max(C_DOKLADU) c from MPOHYBY where "
                                    "DATUM between '%1' and dateadd(-1 day to dateadd(1 month to date '%1')) and "
                                    "TYP_POHYBU = %2 and SKLAD = '%3' union all select "
                                    "max(C_DOKLADU) from MDOKLADYCISLA where MESIAC = '%1' and TYP_POHYBU = %2 and "
                                    "SKLAD = '%3')")
                         .arg(month)
                         .arg(kind)
                         .arg(store));
    };
    struct Case {
        const char *name;
        int kind;      // where the movement ends up
        QString store; // ...
        bool taken;    // B types A's number and stores it first
        bool redrawn;
    };
    const Case cases[] = {
        {"store corrected", 10, stores[1], false, true},
        {"kind corrected", 11, stores[0], false, true},
        {"taken meanwhile", 10, stores[0], true, true},
        {"unchanged", 10, stores[0], false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // Both series stand at the same number, so both workstations draw the same one.
        const int top = std::max(last(10, stores[0]), last(c.kind, c.store));
        if (top > 0)
            for (const auto &[kind, store] : {std::pair(10, stores[0]), std::pair(c.kind, c.store)})
                if (last(kind, store) < top)
                    exec(QStringLiteral("insert into MDOKLADYCISLA (MESIAC, TYP_POHYBU, SKLAD, C_DOKLADU) values "
                                        "('%1', %2, '%3', %4)")
                             .arg(month)
                             .arg(kind)
                             .arg(store)
                             .arg(top));
        const auto drawn = a->Run(QStringLiteral("begin-movement 10 %1 %2 1").arg(stores[0], item));
        ASSERT_TRUE(drawn.ok) << described(drawn);
        ASSERT_TRUE(b->Run(QStringLiteral("begin-movement %1 %2 %3 1").arg(c.kind).arg(c.store, item)).ok);
        if (c.taken) {
            ASSERT_TRUE(b->Run(QStringLiteral("set-movement C_DOKLADU %1").arg(drawn.text)).ok);
        }
        const auto other = b->Run("save-movement");
        ASSERT_TRUE(other.ok) << described(other);
        if (c.store != stores[0]) {
            ASSERT_TRUE(a->Run(QStringLiteral("set-movement SKLAD %1").arg(c.store)).ok);
        }
        if (c.kind != 10) {
            ASSERT_TRUE(a->Run(QStringLiteral("set-movement TYP_POHYBU %1").arg(c.kind)).ok);
        }
        const auto saved = a->Run("save-movement");
        ASSERT_TRUE(saved.ok) << described(saved);

        EXPECT_EQ(saved.text != drawn.text, c.redrawn)
            << drawn.text.toStdString() << " -> " << saved.text.toStdString();
        EXPECT_NE(saved.text, other.text);
        EXPECT_EQ(count(QStringLiteral("select count(*) from MDOKLADYCISLA where TYP_POHYBU = %1 and SKLAD = '%2' and "
                                       "C_DOKLADU = %3")
                            .arg(c.kind)
                            .arg(c.store, saved.text)),
                  1)
            << "the number stored was drawn for its store and kind";
        EXPECT_EQ(count(QStringLiteral("select count(*) from MPOHYBY where TYP_POHYBU = %1 and SKLAD = '%2' and "
                                       "C_DOKLADU = %3")
                            .arg(c.kind)
                            .arg(c.store, saved.text)),
                  1);
    }

    // The movements a delivery note writes carry the note's number: a stock document drawn for the note's
    // store and kind is numbered in the month's own series, apart from them.
    const auto note = b->Run(QStringLiteral("note %1 1").arg(kItemA));
    ASSERT_TRUE(note.ok) << described(note);
    const QString noteStore =
        adminValue(
            QStringLiteral("select first 1 SKLAD from MPOHYBY where TYP_POHYBU = 20 and C_DOKLADU = %1").arg(note.text))
            .toString()
            .trimmed();
    ASSERT_FALSE(noteStore.isEmpty());
    const auto issue = a->Run(QStringLiteral("begin-movement 20 %1 %2 1").arg(noteStore, item));
    ASSERT_TRUE(issue.ok) << described(issue);
    EXPECT_GT(issue.text.toInt(), (today.year() % 100) * 100000 + today.month() * 1000) << issue.text.toStdString();
    EXPECT_TRUE(a->Run("save-movement").ok);
}

// Two clerks invoice a note each at the same moment, both keeping the number proposed to them (the same
// one): neither save is refused, the numbers are consecutive and the second clerk is told his. A number
// typed that another note holds is refused in Slovak and the note stays without one.
TEST_F(ProgramInstances, TwoClerksInvoicingAtOnceGetConsecutiveNumbersAndATakenNumberTypedIsRefused)
{
    auto a = instance();
    auto b = instance();
    ASSERT_TRUE(a->Started() && b->Started());
    QStringList notes;
    for (const int job : {kItemA, kItemB, kInProduction}) {
        const auto note = a->Run(QStringLiteral("note %1 1").arg(job));
        ASSERT_TRUE(note.ok) << described(note);
        notes << note.text;
    }
    const auto pa = a->Run("propose-invoice " + notes[0]);
    const auto pb = b->Run("propose-invoice " + notes[1]);
    ASSERT_TRUE(pa.ok && pb.ok) << described(pa) << described(pb);
    ASSERT_EQ(pa.text, pb.text) << "both were proposed the same number";

    a->Send("save-invoice " + pa.text);
    b->Send("save-invoice " + pb.text);
    const auto sa = a->Wait();
    const auto sb = b->Wait();
    ASSERT_TRUE(sa.ok && sb.ok) << described(sa) << described(sb);
    const QString next =
        pa.text.chopped(4) + QStringLiteral("%1").arg(pa.text.right(4).toInt() + 1, 4, 10, QLatin1Char('0'));
    EXPECT_EQ(QSet<QString>({sa.text, sb.text}), QSet<QString>({pa.text, next}));
    const QString told = (sa.text == next ? sa : sb).boxes.join('\n');
    EXPECT_TRUE(told.contains(QString::fromUtf8("Číslo %1 medzičasom použil iný používateľ").arg(pa.text)))
        << told.toStdString();
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(adminValue(QStringLiteral("select C_FAKTURY from EDLISTY where C_DL = %1").arg(notes[i])).toString(),
                  (i == 0 ? sa : sb).text);

    const auto third = a->Run("propose-invoice " + notes[2]);
    ASSERT_TRUE(third.ok) << described(third);
    const auto typed = a->Run("save-invoice " + pa.text);
    EXPECT_FALSE(typed.ok);
    EXPECT_TRUE(typed.boxes.join('\n').contains(QString::fromUtf8("Faktúra s rovnakým číslom už existuje!")))
        << described(typed);
    EXPECT_TRUE(adminValue("select C_FAKTURY from EDLISTY where C_DL = " + notes[2]).isNull());
    EXPECT_EQ(count("select count(*) from (select C_FAKTURY from EDLISTY where C_FAKTURY is not null group by "
                    "C_FAKTURY having count(*) > 1)"),
              0);
}

// Two clerks begin a hand-over each at once and are proposed the same document number of the month. Kept,
// the second save takes the next free number and its clerk is told; typed by both, the second is refused
// in Slovak and stores nothing. Whatever the jobs, never one number twice in a month.
TEST_F(ProgramInstances, TwoClerksHandingOverAtOnceNeverStoreOneDocumentNumberTwice)
{
    auto a = instance();
    auto b = instance();
    ASSERT_TRUE(a->Started() && b->Started());
    const QString thisMonth = QStringLiteral("extract(year from DATUM) = extract(year from current_date) and "
                                             "extract(month from DATUM) = extract(month from current_date)");
    struct Case {
        const char *name;
        int jobA, jobB;
        bool typed; // both type the same free number over the proposal
    };
    const Case cases[] = {
        {"one job, proposal kept", kInProduction, kInProduction, false},
        {"two jobs, proposal kept", kInProduction, kItemA, false},
        {"two jobs, one number typed", kInProduction, kItemA, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const int before = count("select count(*) from SODVODY where " + thisMonth);
        const auto pa = a->Run(QStringLiteral("begin-hand-over %1 1").arg(c.jobA));
        const auto pb = b->Run(QStringLiteral("begin-hand-over %1 1").arg(c.jobB));
        ASSERT_TRUE(pa.ok && pb.ok) << described(pa) << described(pb);
        ASSERT_EQ(pa.text, pb.text) << "both were proposed the same number";
        const QString typed = QString::number(pa.text.toInt() + 10);
        if (c.typed) {
            for (auto *w : {a.get(), b.get()}) {
                ASSERT_TRUE(w->Run("set-hand-over C_DOKLADU " + typed).ok);
            }
        }
        const auto sa = a->Run("save-hand-over");
        ASSERT_TRUE(sa.ok) << described(sa);
        const auto sb = b->Run("save-hand-over");
        if (c.typed) {
            EXPECT_FALSE(sb.ok);
            EXPECT_TRUE(sb.boxes.join('\n').contains(
                QString::fromUtf8("Odvod s rovnakým číslom dokladu v tomto mesiaci už existuje!")))
                << described(sb);
            EXPECT_EQ(count("select count(*) from SODVODY where " + thisMonth), before + 1);
        } else {
            ASSERT_TRUE(sb.ok) << described(sb);
            EXPECT_EQ(sa.text, pa.text);
            EXPECT_EQ(sb.text.toInt(), pa.text.toInt() + 1);
            EXPECT_TRUE(sb.boxes.join('\n').contains(
                QString::fromUtf8("Číslo %1 medzičasom použil iný používateľ").arg(pa.text)))
                << described(sb);
            EXPECT_EQ(count("select count(*) from SODVODY where " + thisMonth), before + 2);
        }
        EXPECT_EQ(count("select count(*) from (select C_DOKLADU from SODVODY where " + thisMonth +
                        " group by C_DOKLADU having count(*) > 1)"),
                  0);
    }
}
