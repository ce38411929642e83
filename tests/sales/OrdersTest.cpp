// Offers, orders and their items on a fresh database: numbering by year, defaults, the delete guards,
// the renumbering of a provisional customer, complaint numbers and the proposed quantity to produce.
#include "SalesFixture.h"

#include "sales/OdbytSql.h"

TEST_F(SalesTest, OfferItemsCountDownAndAreStoredAtOnce)
{
    TxTable &header = odbyt->QCenPon;
    TxTable &items = odbyt->QCenPonD;
    header.Open();
    items.Open();
    header.Append();
    EXPECT_EQ(header.FieldByName("C_OBJ")->AsString(), "PON260001");
    EXPECT_EQ(header.FieldByName("TYP_OBJ")->AsString(), "P");
    EXPECT_EQ(header.FieldByName("C_ODB")->AsInteger(), 0);
    EXPECT_EQ(header.FieldByName("MENA")->AsString(), "EUR");
    EXPECT_EQ(header.FieldByName("VYSTAVIL")->AsString(), "SYSDBA");
    items.Append();
    EXPECT_EQ(items.FieldByName("C_INT")->AsInteger(), -260001);
    EXPECT_EQ(items.FieldByName("C_VYR")->AsString().trimmed(), "PONUKA");
    EXPECT_EQ(items.FieldByName("STAV_ZAK")->AsInteger(), 0);
    items.FieldByName("MNOZ_OBJ")->SetValue(5);
    items.Post();
    // The header was posted first, the item stored at once, and the header is open for editing again.
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_INT=-260001"), 1);
    EXPECT_EQ(count("select count(*) from ZAKAZKY where C_OBJ='PON260001'"), 1);
    EXPECT_EQ(header.State(), dsEdit);
    EXPECT_FALSE(header.ControlsDisabled());

    items.Append();
    EXPECT_EQ(items.FieldByName("C_INT")->AsInteger(), -260002);
    items.FieldByName("C_INT")->SetValue(260099); // typed positive
    items.Post();
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_INT=-260099"), 1);
}

TEST_F(SalesTest, OrderHeaderAndItemDefaults)
{
    product("V1");
    order("ZAK250009");
    job(250017, "ZAK250009", "V1"); // last year's numbers do not count
    TxTable &orders = odbyt->QvZakazky;
    orders.Open();
    odbyt->QZakazkyD.Open();
    orders.Append();
    EXPECT_EQ(orders.FieldByName("C_OBJ")->AsString(), "ZAK260001");
    EXPECT_EQ(orders.FieldByName("TYP_OBJ")->AsString(), "Z");
    EXPECT_EQ(orders.FieldByName("F_UHRADY")->AsString(), QString::fromUtf8("Prev.prík."));
    orders.FieldByName("C_ODB")->SetValue(5);
    EXPECT_THROW(orders.FieldByName("C_OBJ")->SetValue(QString()), EDatabaseError);
    EXPECT_EQ(orders.FieldByName("C_OBJ")->AsString(), "ZAK260001");
    orders.Post();

    TxTable &items = odbyt->QZakazkyD;
    items.Append();
    EXPECT_EQ(items.FieldByName("C_INT")->AsInteger(), 260001);
    EXPECT_EQ(items.FieldByName("C_OBJ")->AsString(), "ZAK260001");
    EXPECT_EQ(items.FieldByName("STAV_ZAK")->AsInteger(), 1);
    EXPECT_EQ(items.FieldByName("STAV_ZAK")->DisplayText(), QString::fromUtf8("Vystavená"));
    EXPECT_EQ(items.FieldByName("C_REV")->AsInteger(), 0);
    EXPECT_EQ(items.FieldByName("C_INT_RE")->AsInteger(), 0);
    EXPECT_EQ(items.FieldByName("C_INT_RE")->DisplayLabel(), QString::fromUtf8("Reklamácia k"));
    items.FieldByName("C_VYR")->SetValue("V1");
    items.FieldByName("TERMIN_OBJ")->SetValue(QDate(2026, 5, 4));
    EXPECT_EQ(items.FieldByName("TERMIN")->AsDate(), QDate(2026, 5, 4));
    items.Post();
    items.Append();
    EXPECT_EQ(items.FieldByName("C_INT")->AsInteger(), 260002);
    items.Cancel();

    // On a stored item with a production date, the customer's date leaves it alone.
    items.First();
    items.Edit();
    items.FieldByName("TERMIN_OBJ")->SetValue(QDate(2026, 6, 1));
    EXPECT_EQ(items.FieldByName("TERMIN")->AsDate(), QDate(2026, 5, 4));
    items.Post();
}

TEST_F(SalesTest, OrderHeaderDeleteCountsItemsInTheDatabase)
{
    product("V1");
    order("ZAK260001");
    order("ZAK260002");
    job(260001, "ZAK260002", "V1");
    TxTable &orders = odbyt->QvZakazky;
    orders.SetIndexFieldNames("C_OBJ");
    orders.Open();
    odbyt->QZakazkyD.Open();
    // An order without items goes.
    ASSERT_TRUE(orders.Locate("C_OBJ", "ZAK260001"));
    orders.Delete();
    EXPECT_EQ(count("select count(*) from ZAKAZKY where C_OBJ='ZAK260001'"), 0);

    ASSERT_TRUE(orders.Locate("C_OBJ", "ZAK260002"));
    odbyt->QZakazkyD.FetchAll();
    EXPECT_EQ(odbyt->QZakazkyD.RecordCount(), 1);
    EXPECT_THROW(orders.Delete(), EDatabaseError);
    // Another workstation adds an item after this one read the (empty) item list of a header: the
    // stale list must not let the header go, which would cascade the job away.
    order("ZAK260003");
    orders.Refresh();
    orders.Close();
    orders.Open();
    ASSERT_TRUE(orders.Locate("C_OBJ", "ZAK260003"));
    odbyt->QZakazkyD.FetchAll();
    EXPECT_EQ(odbyt->QZakazkyD.RecordCount(), 0);
    job(260002, "ZAK260003", "V1");
    try {
        orders.Delete();
        ADD_FAILURE() << "the header with a job was deleted";
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Objednávku, ktorá obsahuje položky nie je možné zmazať!"));
    }
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_INT=260002"), 1);
}

TEST_F(SalesTest, JobWithPerformancesOrHandOversIsKept)
{
    product("V1");
    order("ZAK260001");
    job(260001, "ZAK260001", "V1");
    job(260002, "ZAK260001", "V1");
    job(260003, "ZAK260001", "V1");
    exec("insert into SVYKONY (DATUM, OSC, C_INT, C_OPERACIE, MNOZSTVO) values ('2026-03-10', 1, 260001, 10, 5)");
    exec("insert into SODVODY (DATUM, C_INT, C_DOKLADU, MNOZSTVO) values ('2026-03-10', 260002, 1, 5)");
    odbyt->QvZakazky.Open();
    TxTable &items = odbyt->QZakazkyD;
    items.Open();
    ASSERT_TRUE(items.Locate("C_INT", 260001));
    EXPECT_THROW(items.Delete(), EDatabaseError);
    ASSERT_TRUE(items.Locate("C_INT", 260002));
    EXPECT_THROW(items.Delete(), EDatabaseError);
    ASSERT_TRUE(items.Locate("C_INT", 260003));
    items.Delete();
    EXPECT_EQ(count("select count(*) from ZAKAZKYD"), 2);
}

TEST_F(SalesTest, ProvisionalCustomerRenumberedAndHeaderReadAgain)
{
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (5, 'Zlieváreň')");
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (7, 'Kováčik')");
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (-1, 'Nový zákazník')");
    TxTable &orders = odbyt->QvZakazky;
    orders.Open();
    orders.Append();
    orders.FieldByName("C_ODB")->SetValue(-1);
    orders.Post();
    EXPECT_EQ(count("select count(*) from CODBERATELOV where C_ODB=8"), 1);
    EXPECT_EQ(count("select C_ODB from ZAKAZKY where C_OBJ='ZAK260001'"), 8);
    EXPECT_EQ(orders.FieldByName("C_ODB")->AsInteger(), 8);
    // A later post of the row keeps the new number.
    orders.Edit();
    orders.FieldByName("POZNAMKA")->SetValue("doplnené");
    orders.Post();
    EXPECT_EQ(count("select C_ODB from ZAKAZKY where C_OBJ='ZAK260001'"), 8);
}

TEST_F(SalesTest, FirstRealCustomerAfterOnlyProvisionalOnesIsOne)
{
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (-2, 'Prvý')");
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (-1, 'Druhý')");
    TxTable &orders = odbyt->QvZakazky;
    orders.Open();
    orders.Append();
    orders.FieldByName("C_ODB")->SetValue(-1);
    orders.Post();
    // Before, max(C_ODB)+1 gave -1 + 1 = 0.
    EXPECT_EQ(orders.FieldByName("C_ODB")->AsInteger(), 1);
}

TEST_F(SalesTest, ComplaintNumbersAcrossNineHundredNinetyNine)
{
    odbyt->QZakRek.Open();
    const auto next = [&] {
        odbyt->QZakRek.Append();
        const QString key = odbyt->QZakRek.FieldByName("C_REK")->AsString();
        odbyt->QZakRek.Cancel();
        return key;
    };
    EXPECT_EQ(next(), "26001");
    exec("insert into ZAKREK (C_REK) values ('25417')");
    EXPECT_EQ(next(), "26001"); // last year's numbers start again
    exec("insert into ZAKREK (C_REK) values ('26998')");
    exec("insert into ZAKREK (C_REK) values ('26999')");
    EXPECT_EQ(next(), "261000");
    // Before, the text maximum stayed "26999" after "261000" was stored and gave it again.
    exec("insert into ZAKREK (C_REK) values ('261000')");
    EXPECT_EQ(next(), "261001");
    EXPECT_EQ(odbyt->QZakRek.State(), dsBrowse);
}

TEST_F(SalesTest, ComplaintStoredThroughItsStatements)
{
    product("V1");
    order("ZAK260001");
    job(260001, "ZAK260001", "V1");
    TxDataSet &rek = odbyt->QZakRek;
    rek.Open();
    rek.Append();
    rek.FieldByName("C_INT")->SetValue(260001);
    rek.FieldByName("POPIS")->SetValue("Pórovitosť");
    rek.Post();
    rek.Refresh();
    EXPECT_EQ(value("select POPIS from ZAKREK where C_REK='26001'").toString(), QString::fromUtf8("Pórovitosť"));
    EXPECT_EQ(rek.FieldByName("C_OBJ")->AsString(), "ZAK260001");
    EXPECT_EQ(rek.FieldByName("VYSTAVIL")->AsString(), "SYSDBA");
}

TEST_F(SalesTest, ProposedQuantityFromStockAndOpenJobs)
{
    product("V1");
    order("ZAK260001");
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO) values ('V1', 'H', 12)");
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO) values ('V1', 'E', 8)");
    // An offer of the product is no job: nothing of it is waiting to be delivered.
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values ('PON260001', 'P', 0, 'EUR')");
    job(-260001, "PON260001", "V1", 25, 0);
    exec("update ZAKAZKYD set MNOZ_VYR=0 where C_INT=-260001");
    TxTable &items = odbyt->QZakazkyD;
    odbyt->QvZakazky.Open();
    items.Open();
    items.Append();
    items.FieldByName("C_VYR")->SetValue("V1");
    items.FieldByName("MNOZ_OBJ")->SetValue(0);
    items.FieldByName("MNOZ_OBJ")->SetValue(50);
    EXPECT_EQ(items.FieldByName("MNOZ_VYR")->AsInteger(), 30); // 20 in stock
    items.Cancel();

    exec("update MSKLADY set MNOZSTVO=52 where SKLAD='H'");
    items.Append();
    items.FieldByName("C_VYR")->SetValue("V1");
    items.FieldByName("MNOZ_OBJ")->SetValue(50);
    EXPECT_EQ(items.FieldByName("MNOZ_VYR")->AsInteger(), 0); // 60 in stock
    items.Cancel();

    // A stored open item (50 ordered, 30 to produce) raised to 70: need 50 against the stock and its own
    // open quantities: 60 + 30 - 50 = 40 available.
    job(260001, "ZAK260001", "V1", 50);
    exec("update ZAKAZKYD set MNOZ_VYR=30 where C_INT=260001");
    items.Close();
    items.Open();
    ASSERT_TRUE(items.Locate("C_INT", 260001));
    items.Edit();
    items.FieldByName("MNOZ_OBJ")->SetValue(70);
    EXPECT_EQ(items.FieldByName("MNOZ_VYR")->AsInteger(), 10);
    items.Cancel();
}

TEST_F(SalesTest, ContractAndLookups)
{
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (5, 'Zlieváreň')");
    product("V1");
    order("ZAK260001");
    job(260001, "ZAK260001", "V1");
    job(260002, "ZAK260001", "V1", 5, 1, "2026-04-02", 260001);
    odbyt->QvZakazky.Open();
    odbyt->QZakZml.Open();
    odbyt->QZakZml.Append();
    EXPECT_EQ(odbyt->QZakZml.FieldByName("C_ZMLUVY")->AsInteger(), 260001);
    EXPECT_EQ(odbyt->QZakZml.FieldByName("PREDMET")->AsString(), "AL Odliatky");
    odbyt->QZakZml.Close(); // an unposted contract is dropped
    EXPECT_EQ(count("select count(*) from ZAKZML"), 0);

    odbyt->QCOdberatelovLookup.Open();
    EXPECT_EQ(odbyt->QCOdberatelovLookup.FieldByName("ODBERATEL")->AsString(), QString::fromUtf8("Zlieváreň"));
    odbyt->QvZakazkyDKalk.SetOrderBy("c_int");
    odbyt->QvZakazkyDKalk.Open();
    EXPECT_EQ(odbyt->QvZakazkyDKalk.FieldByName("STAV_ZAK")->DisplayText(), "Vys");
    odbyt->QvZakazkyDKalk.Next();
    EXPECT_EQ(odbyt->QvZakazkyDKalk.FieldByName("STAV_ZAK")->DisplayText(), "Re.Vys");
}
