// The item card's save, purchase orders and their lines, requests reserved and ordered, and the
// filters built from typed text, on fresh databases.
#include "MaterialFixture.h"
#include "material/MTZSql.h"
#include "material/MaterialPrints.h"
#include "material/MaterialRules.h"

namespace {

class SupplyTest : public MaterialTest {
protected:
    void supplier(int number, const char *name)
    {
        exec(QStringLiteral("insert into CDODAVATELOV (C_DOD, DODAVATEL) values (%1, '%2')")
                 .arg(number)
                 .arg(QString::fromUtf8(name)));
    }
    void order(const char *number, int state = 0, int lines = 0)
    {
        exec(QStringLiteral("insert into MOBJEDNAVKY (C_OBJ, C_DOD, D_VYSTAV, STAV_OBJ) values ('%1', 1, "
                            "'2026-03-10', %2)")
                 .arg(QLatin1String(number), QString::number(state)));
        for (int i = 1; i <= lines; ++i)
            exec(QStringLiteral("insert into MOBJEDNAVKYD (C_OBJ, C_RIADKU, C_POL, MNOZ_OBJ, MJ) values ('%1', %2, "
                                "'M-1', 1, 'KS')")
                     .arg(QLatin1String(number), QString::number(i)));
    }
    void request(int job, const char *code, double requested, double reserved = 0, double ordered = 0, int state = 0)
    {
        exec(QStringLiteral("insert into MPOZIADAVKY (STAV_POZ, C_POL, C_INT, C_UROVNE, C_POZICIE, TYP1, MNOZ_POZ, "
                            "MNOZ_REZ, MNOZ_OBJ) values (%1, '%2', %3, 1, 1, 'M', %4, %5, %6)")
                 .arg(QString::number(state), QLatin1String(code), QString::number(job), SqlFloat(requested),
                      SqlFloat(reserved), SqlFloat(ordered)));
    }
    void openOrder(const char *number)
    {
        mtz->QMObj.Open();
        ASSERT_TRUE(mtz->QMObj.Locate("C_OBJ", QString::fromLatin1(number)));
        mtz->QMObjD.Open();
    }
    int newLine()
    {
        TxTable &d = mtz->QMObjD;
        d.Append();
        const int line = d.FieldByName("C_RIADKU")->AsInteger();
        d.FieldByName("MNOZ_OBJ")->SetValue(2);
        d.FieldByName("MJ")->SetValue(QStringLiteral("KS"));
        d.Post();
        return line;
    }
};

TEST_F(SupplyTest, AnItemCardRefusedAsADuplicateLeavesNothingAndStaysInEdit)
{
    item("M-1");
    TxTable &p = mtz->QPolozky;
    p.Open();
    p.Append();
    EXPECT_EQ(p.FieldByName("D_VYSTAV")->AsDateTime().date(), QDate(2026, 3, 16));
    p.FieldByName("TYP1")->SetValue(QStringLiteral("N"));
    p.FieldByName("TYP2")->SetValue(QStringLiteral("K"));
    mtz->OpenItemDetails();
    // Store and mould rows made before the number was typed.
    mtz->QMSklady.Append();
    mtz->QMSklady.FieldByName("SKLAD")->SetValue(QStringLiteral("N1"));
    mtz->QMSklady.FieldByName("POZICIA1")->SetValue(QStringLiteral("R1"));
    mtz->QMSklady.Post();
    mtz->QPolozkyKokily.Append();
    mtz->QPolozkyKokily.FieldByName("NASOBNOST")->SetValue(2);
    p.FieldByName("C_POL")->SetValue(QStringLiteral("M-1"));

    EXPECT_THROW(mtz->SaveMaterialItem(true), EDatabaseError);
    EXPECT_EQ(p.State(), dsInsert) << "the card stays open with the edits";
    EXPECT_EQ(number("select count(*) from MSKLADY"), 0);
    EXPECT_EQ(number("select count(*) from POLOZKYKOKILY"), 0);
    EXPECT_EQ(number("select count(*) from POLOZKY"), 1);

    p.FieldByName("C_POL")->SetValue(QStringLiteral("K-7"));
    mtz->SaveMaterialItem(true);
    EXPECT_EQ(p.State(), dsBrowse);
    EXPECT_EQ(value("select POZICIA1 from MSKLADY where C_POL='K-7' and SKLAD='N1'").toString(), "R1");
    EXPECT_EQ(number("select MNOZSTVO from MSKLADY where C_POL='K-7'"), 0);
    EXPECT_EQ(number("select NASOBNOST from POLOZKYKOKILY where C_POL='K-7'"), 2);
    EXPECT_FALSE(mtz->QMSklady.UpdatesPending());
    mtz->CloseItemDetails();

    // Another sub-kind drops the mould edits on saving.
    p.Edit();
    p.FieldByName("TYP2")->SetValue(QStringLiteral("X"));
    mtz->OpenItemDetails();
    mtz->QPolozkyKokily.Edit();
    mtz->QPolozkyKokily.FieldByName("NASOBNOST")->SetValue(9);
    mtz->SaveMaterialItem(false);
    EXPECT_EQ(number("select NASOBNOST from POLOZKYKOKILY where C_POL='K-7'"), 2);
    EXPECT_EQ(value("select TYP2 from POLOZKY where C_POL='K-7'").toString(), "X");
}

TEST_F(SupplyTest, OrderLinesAreNumberedAboveTheHighestLine)
{
    supplier(1, "Dodávateľ");
    order("Obj.260001", 0, 3);
    openOrder("Obj.260001");
    TxTable &d = mtz->QMObjD;
    ASSERT_TRUE(d.Locate("C_RIADKU", 2));
    d.Delete();
    d.ApplyUpdates();
    EXPECT_EQ(newLine(), 4) << "not the count + 1";
    EXPECT_EQ(newLine(), 5) << "lines not saved yet count";
    d.ApplyUpdates();
    EXPECT_EQ(number("select max(C_RIADKU) from MOBJEDNAVKYD"), 5);
    EXPECT_EQ(NextOrderLineNumber(0, 0), 1);
    // A line needs its quantity and unit.
    d.Append();
    d.FieldByName("MNOZ_OBJ")->Clear(); // emptied by the user
    try {
        d.Post();
        FAIL();
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Povinný údaj \"Množstvo\" nie je zadaný!"));
    }
    d.Cancel();
}

TEST_F(SupplyTest, PrintingMarksOnlyANewOrderAsPrinted)
{
    supplier(1, "Dodávateľ");
    order("Obj.260001", 3, 1);
    order("Obj.260002", 0, 1);
    openOrder("Obj.260001");
    EXPECT_EQ(mtz->QMObj.FieldByName("STAV_OBJ")->DisplayText(), "Dod");
    mtz->MarkPurchaseOrderPrinted();
    mtz->MarkPurchaseOrderPrinted();
    EXPECT_EQ(number("select STAV_OBJ from MOBJEDNAVKY where C_OBJ='Obj.260001'"), 3)
        << "a delivered order is never opened again (and so never received twice)";
    ASSERT_TRUE(mtz->QMObj.Locate("C_OBJ", QStringLiteral("Obj.260002")));
    mtz->MarkPurchaseOrderPrinted();
    EXPECT_EQ(number("select STAV_OBJ from MOBJEDNAVKY where C_OBJ='Obj.260002'"), 1);
    EXPECT_EQ(PurchaseOrderStateText(0), "   ");
    EXPECT_EQ(PurchaseOrderStateText(2), "Pot");
}

TEST_F(SupplyTest, ThePurchaseOrderClosesByHowItWasPlaced)
{
    for (const char *how : {"faxom", "písomne", "", "mailom a faxom"})
        EXPECT_EQ(PurchaseOrderClosing(QString::fromUtf8(how)).last(),
                  QString::fromUtf8("Potvrdenú objednávku prosíme zaslať späť!"))
            << how;
    EXPECT_EQ(PurchaseOrderClosing(QString::fromUtf8("telefónom")).value(1),
              QString::fromUtf8("Akceptácia dodávateľa"));
}

TEST_F(SupplyTest, ANewOrderOverAnExistingNumberIsAskedForOnce)
{
    supplier(1, "Dodávateľ");
    order("Obj.260001");
    mtz->QMObj.Open();
    mtz->QMObj.Append();
    EXPECT_EQ(mtz->QMObj.FieldByName("C_OBJ")->AsString(), "Obj.260002");
    EXPECT_EQ(mtz->QMObj.FieldByName("D_DODANIA")->AsDateTime().date(), QDate(2026, 3, 23));
    mtz->QMObj.FieldByName("C_OBJ")->SetValue(QStringLiteral("Obj.260001"));
    mtz->QMObj.FieldByName("C_DOD")->SetValue(1);
    responder->InputAnswers = {QStringLiteral("Obj.260050")};
    mtz->QMObj.Post();
    ASSERT_EQ(responder->Inputs.size(), 1);
    EXPECT_EQ(number("select count(*) from MOBJEDNAVKY where C_OBJ='Obj.260050'"), 1);
}

TEST_F(SupplyTest, ARequestReservesFreeStockNeverNegativeAndOrdersTheRest)
{
    item("M-1");
    item("M-2");
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO) values ('M-1', 'M1', 4)");
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO) values ('M-2', 'M1', 1)");
    request(260001, "M-1", 10);
    request(260002, "M-1", 3);
    request(260001, "M-2", 5, 2); // reserved more than the stock
    request(260003, "M-2", 8);
    TxDataSet &q = mtz->QMPoziad;
    q.Open();
    auto at = [&](int job, const char *code) {
        EXPECT_TRUE(q.Locate("C_INT;C_POL", QVariantList{job, QString::fromLatin1(code)}));
    };
    at(260001, "M-1");
    ASSERT_TRUE(mtz->ReserveCurrentRequest(true));
    EXPECT_DOUBLE_EQ(number("select MNOZ_REZ from MPOZIADAVKY where C_INT=260001 and C_POL='M-1'"), 4);
    EXPECT_DOUBLE_EQ(number("select MNOZ_OBJ from MPOZIADAVKY where C_INT=260001 and C_POL='M-1'"), 6);
    // The other row of the item shows the reservation; nothing of that is written.
    at(260002, "M-1");
    EXPECT_DOUBLE_EQ(q.FieldByName("MNOZ_REC")->AsFloat(), 4);
    EXPECT_FALSE(q.UpdatesPending());
    ASSERT_TRUE(mtz->ReserveCurrentRequest(false)) << "open, but nothing free";
    EXPECT_DOUBLE_EQ(number("select MNOZ_REZ from MPOZIADAVKY where C_INT=260002"), 0);

    at(260003, "M-2");
    ASSERT_TRUE(mtz->ReserveCurrentRequest(false));
    EXPECT_DOUBLE_EQ(number("select MNOZ_REZ from MPOZIADAVKY where C_INT=260003"), 0) << "never negative";

    at(260001, "M-1");
    EXPECT_FALSE(mtz->ReserveCurrentRequest(true)) << "fully reserved and ordered";
    mtz->MarkRequestDone();
    EXPECT_EQ(number("select STAV_POZ from MPOZIADAVKY where C_INT=260001 and C_POL='M-1'"), 2);

    const TReservation r = ReserveRequest(10, 0, 0, 4, 0, false);
    EXPECT_DOUBLE_EQ(r.Reserved, 4);
    EXPECT_DOUBLE_EQ(r.Ordered, 0);
    EXPECT_DOUBLE_EQ(ReserveRequest(10, 0, 0, 1, 3, true).Ordered, 10);
}

TEST_F(SupplyTest, RequestsAreRebuiltFromTheOpenJobsKeepingReservations)
{
    item("M-1");
    exec("insert into POLOZKY (C_POL, TYP1, NAZOV) values ('V-1', 'V', 'Odliatok')");
    exec("insert into TKUSOVNIK (C_VYR, C_POZICIE, C_POL, MNOZSTVO) values ('V-1', 1, 'M-1', 2)");
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values ('ZAK1', 'Z', 0, 'EUR')");
    exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, STAV_ZAK, C_REV, C_INT_RE) values "
         "(260001, 'ZAK1', 'V-1', 5, 5, 5, 0, 0)");
    request(260009, "M-1", 3, 0, 0, 2); // done: stays listed
    TxDataSet &q = mtz->QMPoziad;
    q.Open();
    mtz->RebuildRequests();
    q.FetchAll();
    ASSERT_EQ(q.RecordCount(), 2);
    ASSERT_TRUE(q.Locate("C_INT", 260001));
    EXPECT_DOUBLE_EQ(q.FieldByName("MNOZ_POZ")->AsFloat(), 10);
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO) values ('M-1', 'M1', 4)");
    q.Close();
    q.Open();
    ASSERT_TRUE(q.Locate("C_INT", 260001));
    ASSERT_TRUE(mtz->ReserveCurrentRequest(true));
    // A rebuild keeps what was reserved and ordered.
    mtz->RebuildRequests();
    ASSERT_TRUE(q.Locate("C_INT", 260001));
    EXPECT_DOUBLE_EQ(q.FieldByName("MNOZ_REZ")->AsFloat(), 4);
    EXPECT_DOUBLE_EQ(q.FieldByName("MNOZ_OBJ")->AsFloat(), 6);
}

TEST_F(SupplyTest, HostileTextInEveryFilterStaysALiteral)
{
    item("M-1");
    move(QDate(2026, 3, 1), 10, "M1", "M-1", 5);
    const QString hostile = QStringLiteral("x' or 1=1 or 'a'='a");
    auto countWhere = [&](const QString &from, const QString &condition) {
        return number(QStringLiteral("select count(*) from %1 where %2").arg(from, condition));
    };
    const QString movements = QStringLiteral("MPOHYBY join POLOZKY on MPOHYBY.C_POL=POLOZKY.C_POL");
    TMovementFilter f;
    f.From = QDate(2026, 3, 1);
    f.To = QDate(2026, 3, 31);
    EXPECT_EQ(countWhere(movements, BuildMovementCondition(f)), 1);
    for (QString TMovementFilter::*text :
         {&TMovementFilter::Store, &TMovementFilter::Item, &TMovementFilter::ItemType}) {
        TMovementFilter h = f;
        h.*text = hostile;
        EXPECT_EQ(countWhere(movements, BuildMovementCondition(h)), 0);
    }
    for (const char *kind : {"20 or 1=1", "5", "30", "1 0"}) {
        TMovementFilter k = f;
        k.Kind = QString::fromLatin1(kind);
        EXPECT_EQ(BuildMovementCondition(k), BuildMovementCondition(f)) << kind;
    }
    for (const char *kind : {"15", "100", "10"}) {
        TMovementFilter k = f;
        k.Kind = QString::fromLatin1(kind);
        EXPECT_TRUE(BuildMovementCondition(k).endsWith(QStringLiteral(" and typ_pohybu=") + kind));
    }
    EXPECT_TRUE(BuildMovementCondition(f).startsWith("datum between '2026-03-01' and '2026-03-31'"));

    TRequestFilter r;
    r.Store = hostile;
    r.ItemType = hostile;
    r.CustomerOrder = hostile;
    EXPECT_EQ(countWhere(QStringLiteral("MPOZIADAVKY a"), BuildRequestFilter(r, true)), 0);
    EXPECT_EQ(countWhere(QStringLiteral("POLOZKY a"), QStringLiteral("1=1") + BuildRequestFilter(r, false)), 0);
    EXPECT_EQ(countWhere(QStringLiteral("POLOZKY"),
                         ItemQuickSearchFilter({"NAZOV", "ROZMER"}, {hostile, hostile}, false, hostile, hostile)),
              0);
    EXPECT_EQ(countWhere(QStringLiteral("POLOZKY"), ItemQuickSearchFilter({"C_POL"}, {"M-"}, true, "", "")), 1);
    // The caller's job filter always applies, with other clauses present or lower levels hidden.
    TRequestFilter j;
    j.JobFilter = QStringLiteral("where c_int=260001");
    j.Store = QStringLiteral("M1");
    EXPECT_TRUE(BuildRequestFilter(j, true).contains("from vZakazkyD where c_int=260001"));
    j.LowerLevels = true;
    EXPECT_TRUE(BuildRequestFilter(j, true).contains("from vZakazkyD where c_int=260001"));
    EXPECT_FALSE(BuildRequestFilter(j, false).contains("vZakazkyD"));
    EXPECT_TRUE(MTZSql::ToolUsage(QStringLiteral("K'1")).contains("a.c_pol='K''1'"));
}

} // namespace
