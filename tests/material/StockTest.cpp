// Movements on a fresh database: the stock rows and the average price the database keeps from them, the
// stock as of a date read back by its statement, document numbers, the kind guard and returns.
#include <thread>
#include <set>
#include "platform/fbapi/ConnectParams.h"
#include "platform/fbapi/Attachment.h"
#include "material/StockDocumentNumber.h"
#include "MaterialFixture.h"
#include "material/MTZSql.h"
#include "material/MaterialRules.h"

namespace {

const QDate D(int month, int day)
{
    return QDate(2026, month, day);
}

class StockTest : public MaterialTest {
protected:
    // The stock as of the end of a day, per item of the store type M: quantity and value.
    QMap<QString, QPair<double, double>> asOf(const QDate &date)
    {
        mtz->OpenStockAsOfDate(QStringLiteral("M"), date);
        QMap<QString, QPair<double, double>> rows;
        TxQuery &q = mtz->QvMSklady;
        for (q.First(); !q.Eof(); q.Next())
            rows[q.FieldByName("C_POL")->AsString().trimmed() + "/" + q.FieldByName("SKLAD")->AsString()] = {
                q.FieldByName("MNOZSTVO")->AsFloat(), q.FieldByName("CENAC")->AsFloat()};
        q.Close();
        return rows;
    }
};

TEST_F(StockTest, MovementsMoveStockLentAndRepairQuantitiesAndTheAveragePrice)
{
    item("M-1", "M", 10);
    move(D(3, 1), 10, "M1", "M-1", 100, 10);
    move(D(3, 5), 22, "M1", "M-1", 30, 10); // typed positive, stored negative
    EXPECT_DOUBLE_EQ(number("select MNOZSTVO from MPOHYBY where TYP_POHYBU=22"), -30);
    move(D(3, 10), 23, "M1", "M-1", -5);
    move(D(3, 11), 24, "M1", "M-1", 2);
    EXPECT_DOUBLE_EQ(stock("M-1", "M1"), 70) << "lendings and repairs never move the stock quantity";
    EXPECT_DOUBLE_EQ(stock("M-1", "M1", "MNOZ_VYDV"), 5);
    EXPECT_DOUBLE_EQ(stock("M-1", "M1", "MNOZ_VYDO"), 2);

    // The return of the lending takes item, store and job from the movement itself.
    TxTable &m = mtz->QMPohyby;
    ASSERT_TRUE(m.Locate("TYP_POHYBU", 23));
    EXPECT_FALSE(mtz->ReturnStockMovement(24, 14)) << "offered only on the issuing kind";
    ASSERT_TRUE(mtz->ReturnStockMovement(23, 13));
    EXPECT_EQ(m.FieldByName("C_POL")->AsString().trimmed(), "M-1");
    EXPECT_EQ(m.FieldByName("SKLAD")->AsString(), "M1");
    EXPECT_DOUBLE_EQ(m.FieldByName("MNOZSTVO")->AsFloat(), 5);
    m.FieldByName("DATUM")->SetValue(D(3, 12));
    mtz->PostMovementWithSign();
    ASSERT_TRUE(m.Locate("TYP_POHYBU", 24));
    ASSERT_TRUE(mtz->ReturnStockMovement(24, 14));
    m.FieldByName("DATUM")->SetValue(D(3, 13));
    mtz->PostMovementWithSign();
    EXPECT_DOUBLE_EQ(stock("M-1", "M1", "MNOZ_VYDV"), 0);
    EXPECT_DOUBLE_EQ(stock("M-1", "M1", "MNOZ_VYDO"), 0);
    EXPECT_DOUBLE_EQ(stock("M-1", "M1"), 70);

    // A second receipt at another price: the average is weighted by the stock.
    move(D(3, 14), 11, "M1", "M-1", 100, 13);
    EXPECT_DOUBLE_EQ(stock("M-1", "M1"), 170);
    EXPECT_NEAR(number("select CENA_PRIEM from POLOZKY where C_POL='M-1'"), (70 * 10 + 100 * 13) / 170.0, 1e-9);

    // As of a date: today's stock less the later movements, lendings and repairs not counted.
    const auto today = asOf(D(3, 16));
    EXPECT_DOUBLE_EQ(today["M-1/M1"].first, 170);
    EXPECT_DOUBLE_EQ(today["M-1/M1"].second, 1700);
    const auto fourth = asOf(D(3, 4));
    EXPECT_DOUBLE_EQ(fourth["M-1/M1"].first, 100);
    EXPECT_DOUBLE_EQ(fourth["M-1/M1"].second, 1700 - (-300 + 1300));
    const auto ninth = asOf(D(3, 9));
    EXPECT_DOUBLE_EQ(ninth["M-1/M1"].first, 70);
    EXPECT_DOUBLE_EQ(asOf(D(2, 28))["M-1/M1"].first, 0);
    // A deleted movement takes its quantity back.
    ASSERT_TRUE(m.Locate("TYP_POHYBU", 11));
    m.Delete();
    EXPECT_DOUBLE_EQ(stock("M-1", "M1"), 70);
}

TEST_F(StockTest, DocumentsAreNumberedPerMonthKindAndStore)
{
    item("M-1");
    TxTable &m = mtz->QMPohyby;
    m.Open();
    auto numbered = [&](const QDate &date, int kind, const char *store) {
        m.Append();
        m.FieldByName("DATUM")->SetValue(date);
        m.FieldByName("TYP_POHYBU")->SetValue(kind);
        m.FieldByName("SKLAD")->SetValue(QString::fromLatin1(store));
        m.FieldByName("C_POL")->SetValue(QStringLiteral("M-1"));
        m.FieldByName("MNOZSTVO")->SetValue(1);
        mtz->NextStockDocumentNumber();
        mtz->PostMovementWithSign();
        return m.FieldByName("C_DOKLADU")->AsInteger();
    };
    EXPECT_EQ(numbered(D(3, 2), 10, "M1"), 2603001);
    EXPECT_EQ(numbered(D(3, 31), 10, "M1"), 2603002);
    EXPECT_EQ(numbered(D(4, 1), 10, "M1"), 2604001) << "a month of its own";
    EXPECT_EQ(numbered(D(3, 3), 22, "M1"), 2603001) << "a kind of its own";
    EXPECT_EQ(numbered(D(3, 3), 10, "N1"), 2603001) << "a store of its own";
    ExecSqlParams("update MPOHYBY set C_DOKLADU=2603007 where C_DOKLADU=2603002 and SKLAD='M1'");
    m.Close();
    m.Open();
    EXPECT_EQ(numbered(D(3, 20), 10, "M1"), 2603008) << "gaps stay";
    EXPECT_EQ(numbered(QDate(2027, 1, 5), 10, "M1"), 2701001);
}

TEST_F(StockTest, NoDocumentNumberIsDrawnByTwoWorkstationsAtOnce)
{
    // Eight workstations draw numbers of one month, kind and store at the same moment, each on its own
    // connection; none of the numbers is given twice and together they run on without a gap.
    constexpr int desks = 8, each = 15;
    std::vector<std::unique_ptr<fb::Attachment>> connections;
    for (int i = 0; i < desks; ++i) {
        connections.push_back(std::make_unique<fb::Attachment>());
        connections.back()->attach(DMZal->DBZAL.DatabaseName,
                                   fb::ConnectParams::fromLines(DMZal->DBZAL.Params.Lines()));
    }
    std::vector<std::vector<int>> drawn(desks);
    std::vector<std::string> failures(desks);
    {
        std::vector<std::thread> threads;
        for (int d = 0; d < desks; ++d)
            threads.emplace_back([&, d] {
                try {
                    for (int i = 0; i < each; ++i)
                        drawn[size_t(d)].push_back(
                            DrawStockDocumentNumber(*connections[size_t(d)], D(3, 10), 21, QStringLiteral("M1")));
                } catch (const std::exception &e) {
                    failures[size_t(d)] = e.what();
                }
            });
        for (auto &t : threads)
            t.join();
    }
    std::set<int> all;
    for (int d = 0; d < desks; ++d) {
        EXPECT_EQ(failures[size_t(d)], "");
        all.insert(drawn[size_t(d)].begin(), drawn[size_t(d)].end());
    }
    EXPECT_EQ(int(all.size()), desks * each) << "a number was drawn twice";
    EXPECT_EQ(*all.begin(), 2603001);
    EXPECT_EQ(*all.rbegin(), 2603000 + desks * each);

    // The program's own draw continues after them, and a movement saved under a drawn number keeps it.
    item("M-1");
    TxTable &m = mtz->QMPohyby;
    m.Open();
    m.Append();
    m.FieldByName("DATUM")->SetValue(D(3, 11));
    m.FieldByName("TYP_POHYBU")->SetValue(21);
    m.FieldByName("SKLAD")->SetValue(QStringLiteral("M1"));
    m.FieldByName("C_POL")->SetValue(QStringLiteral("M-1"));
    m.FieldByName("MNOZSTVO")->SetValue(1);
    mtz->NextStockDocumentNumber();
    mtz->PostMovementWithSign();
    EXPECT_EQ(m.FieldByName("C_DOKLADU")->AsInteger(), 2603000 + desks * each + 1);
    for (auto &c : connections)
        c->detach();
}

TEST_F(StockTest, OnlyKindsTenToTwentyNineAreStored)
{
    item("M-1");
    EXPECT_THROW(move(D(3, 1), 30, "M1", "M-1", 1), EDatabaseError);
    mtz->QMPohyby.Cancel();
    EXPECT_THROW(move(D(3, 1), 9, "M1", "M-1", 1), EDatabaseError);
    mtz->QMPohyby.Cancel();
    move(D(3, 1), 15, "M1", "M-1", -3);
    EXPECT_DOUBLE_EQ(number("select MNOZSTVO from MPOHYBY"), 3);
    EXPECT_EQ(number("select count(*) from MPOHYBY"), 1);
    // The kind is chosen through its list text.
    EXPECT_EQ(MovementKindTexts().size(), 11);
    EXPECT_EQ(StockDocumentKindName(13), QString::fromUtf8("Neznámy pohyb"));
    EXPECT_EQ(StockDocumentTitle(25), QString::fromUtf8("VÝDAJKA"));
}

TEST_F(StockTest, AnItemWithStockOrMovementsIsNotDeleted)
{
    item("M-1");
    item("M-2");
    item("M-3");
    move(D(3, 1), 10, "M1", "M-1", 5);
    move(D(3, 1), 10, "M1", "M-2", 5);
    move(D(3, 2), 22, "M1", "M-2", 5); // stock row left at 0, its movements stay
    TxTable &p = mtz->QPolozky;
    p.Open();
    const struct {
        const char *item;
        const char *refusal;
    } refused[] = {{"M-1", "Položku nie je možné zmazať, pretože má skladovú zásobu !"},
                   {"M-2", "Položku nie je možné zmazať, pretože má pohyby na sklade !"}};
    for (const auto &r : refused) {
        ASSERT_TRUE(p.Locate("C_POL", r.item));
        try {
            p.Delete();
            ADD_FAILURE() << "deleted " << r.item;
        } catch (const EDatabaseError &e) {
            EXPECT_EQ(e.Message, QString::fromUtf8(r.refusal));
        }
        p.Cancel();
    }
    // Nor is the number of an item with movements changed; one without them may be.
    ASSERT_TRUE(p.Locate("C_POL", "M-2"));
    p.Edit();
    p.FieldByName("C_POL")->SetValue("M-9");
    EXPECT_THROW(p.Post(), EDatabaseError);
    p.Cancel();
    ASSERT_TRUE(p.Locate("C_POL", "M-3"));
    p.Edit();
    p.FieldByName("C_POL")->SetValue("M-4");
    p.Post();
    ASSERT_TRUE(p.Locate("C_POL", "M-4"));
    p.Delete();
    EXPECT_EQ(number("select count(*) from POLOZKY"), 2);
    EXPECT_EQ(number("select count(*) from MPOHYBY where C_POL not in (select C_POL from POLOZKY)"), 0);
}

TEST_F(StockTest, TheInventoryWithStockLeavesOutEmptyAndNegativeRows)
{
    for (const char *code : {"A", "B", "C", "D"})
        item(QString::fromLatin1(code));
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO, MNOZ_VYDV, MNOZ_VYDO) values ('A', 'M1', 0.00005, 0, 0)");
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO, MNOZ_VYDV, MNOZ_VYDO) values ('B', 'M1', -2, 0, 0)");
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO, MNOZ_VYDV, MNOZ_VYDO) values ('C', 'M1', 0, 1, 0)");
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO, MNOZ_VYDV, MNOZ_VYDO) values ('D', 'M1', 3, 0, 0)");
    auto listed = [&](bool onlyStock) {
        QStringList lines = MTZSql::StockAsOfDateSql;
        lines[3] = MTZSql::StockInventoryWhere(onlyStock);
        return SelectColumnParams(lines.join('\n'), {QStringLiteral("M"), QDate(2026, 3, 16)}).join(',');
    };
    EXPECT_EQ(listed(true).remove(' '), "C,D");
    EXPECT_EQ(listed(false).remove(' '), "A,B,C,D");
}

TEST_F(StockTest, TheReceiptPriceChangesOnlyWithinFortyDays)
{
    EXPECT_TRUE(CanChangeReceiptPrice(10, D(3, 16).addDays(-40), D(3, 16)));
    EXPECT_FALSE(CanChangeReceiptPrice(10, D(3, 16).addDays(-41), D(3, 16)));
    EXPECT_FALSE(CanChangeReceiptPrice(11, D(3, 16), D(3, 16)));
}

} // namespace
