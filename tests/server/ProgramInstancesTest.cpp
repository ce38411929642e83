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
// receipts with their document numbers, then all save at the same moment. No save is refused for a number
// taken meanwhile, no number is stored or drawn twice, what was reported saved survives a killed process,
// and the server's oldest snapshot keeps up with the work.
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
