// Products with their routes and bills of material on a fresh database: defaults, the internal-price and
// operation-number checks, the unit-time entry, the norm per shift and the route-change messages.
#include "SalesFixture.h"

namespace {

void addRouteOperation(TDMTPV &tpv, int number, const char *code, const QString &unitTime)
{
    tpv.QTOperacie.Append();
    tpv.QTOperacie.FieldByName("C_OPERACIE")->SetValue(number);
    tpv.QTOperacie.FieldByName("OPERACIA")->SetValue(QString::fromLatin1(code));
    tpv.QTOperacie.FieldByName("CAS_JED")->SetText(unitTime);
    tpv.QTOperacie.Post();
}

} // namespace

class TechnologyTest : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        if (HasFatalFailure())
            return;
        tpv->QPolozky.SetFilter("C_POL='V1'");
        tpv->QPolozky.Open();
        tpv->QPolozky.Append();
        tpv->QPolozky.FieldByName("C_POL")->SetValue("V1");
        tpv->QPolozky.FieldByName("NAZOV")->SetValue("Teleso ventilu");
        tpv->QPolozky.FieldByName("CENA_NAKL")->SetValue(12.5); // a new product may set it
        tpv->QPolozky.Post();
        for (TxTable *t : {&tpv->QTOperacie, &tpv->QTKusovnik, &tpv->QPolozkyKalk}) {
            t->SetFilter(QStringLiteral("%1='V1'").arg(t == &tpv->QPolozkyKalk ? "C_POL" : "C_VYR"));
            t->Open();
        }
    }
};

TEST_F(TechnologyTest, ProductRouteAndBillOfMaterials)
{
    EXPECT_EQ(tpv->QPolozky.FieldByName("MJ")->AsString(), "KS");
    EXPECT_EQ(tpv->QPolozky.FieldByName("D_VYSTAV")->AsDate(), QDate(2026, 3, 16));
    EXPECT_EQ(tpv->QPolozky.FieldByName("C_ODB")->AsInteger(), 0);

    tpv->QTOperacie.Append();
    EXPECT_EQ(tpv->QTOperacie.FieldByName("C_VYR")->AsString().trimmed(), "V1");
    EXPECT_EQ(tpv->QTOperacie.FieldByName("OSOBY")->AsInteger(), 1);
    EXPECT_EQ(tpv->QTOperacie.FieldByName("POSTUP")->AsString(), " ");
    tpv->QTOperacie.Cancel();
    addRouteOperation(*tpv, 10, "FOR", "1,5h");
    addRouteOperation(*tpv, 1999, "CIS", "30s");
    EXPECT_DOUBLE_EQ(tpv->QTOperacie.FieldByName("CAS_STROJ")->AsFloat(), 0.5);
    for (int i = 0; i < 2; ++i) {
        tpv->QTKusovnik.Append();
        EXPECT_EQ(tpv->QTKusovnik.FieldByName("C_POZICIE")->AsInteger(), 10 * i + 10);
        tpv->QTKusovnik.FieldByName("C_POL")->SetValue(QStringLiteral("M%1").arg(i));
        tpv->QTKusovnik.FieldByName("MNOZSTVO")->SetValue(2);
        tpv->QTKusovnik.Post();
    }
    tpv->QPolozkyKalk.Append();
    EXPECT_EQ(tpv->QPolozkyKalk.FieldByName("C_POL")->AsString().trimmed(), "V1");
    tpv->QPolozkyKalk.FieldByName("MAT1")->SetValue(16);
    tpv->QPolozkyKalk.Post();
    EXPECT_EQ(count("select count(*) from TOPERACIE"), 0); // cached until the product is saved
    tpv->SaveProduct();
    EXPECT_EQ(count("select count(*) from TOPERACIE where C_VYR='V1'"), 2);
    EXPECT_DOUBLE_EQ(value("select CAS_JED from TOPERACIE where C_OPERACIE=10").toDouble(), 90.0);
    EXPECT_EQ(count("select count(*) from TKUSOVNIK where C_VYR='V1'"), 2);
    EXPECT_EQ(count("select count(*) from POLOZKYKALK where C_POL='V1'"), 1);
}

TEST_F(TechnologyTest, ANewBillLineIsNumberedAfterEveryLineOfALongBill)
{
    product("V40");
    exec("execute block as declare i integer = 1; begin while (i <= 40) do begin "
         "insert into TKUSOVNIK (C_VYR, C_POZICIE, C_POL, MNOZSTVO) values ('V40', :i * 10, 'M1', 1); "
         "i = i + 1; end end");
    TxTable &bom = tpv->QTKusovnik;
    bom.Close();
    bom.SetFilter("C_VYR='V40'");
    bom.Open();
    ASSERT_LT(bom.FetchedCount(), 40) << "the bill is read lazily";
    bom.Insert();
    EXPECT_EQ(bom.FieldByName("C_POZICIE")->AsInteger(), 410) << "inserted before the first line";
    bom.Cancel();
    bom.Append();
    EXPECT_EQ(bom.FieldByName("C_POZICIE")->AsInteger(), 410);
    EXPECT_EQ(bom.RecNo(), 41) << "after the last line";
    bom.Cancel();
}

TEST_F(TechnologyTest, OperationNumbersFromOneTo1999)
{
    TField *number = tpv->QTOperacie.FieldByName("C_OPERACIE");
    tpv->QTOperacie.Append();
    number->SetValue(1);
    number->SetValue(1999);
    for (int refused : {0, 2000, -5}) {
        try {
            number->SetValue(refused);
            ADD_FAILURE() << refused << " accepted";
        } catch (const EDatabaseError &e) {
            EXPECT_EQ(e.Message, QString::fromUtf8("Číslo operácie musí byť od 1 do 1999 !"));
        }
    }
    EXPECT_EQ(number->AsInteger(), 1999);
    tpv->QTOperacie.Cancel();
}

TEST_F(TechnologyTest, UnitTimeWithSuffixes)
{
    TField *time = tpv->QTOperacie.FieldByName("CAS_JED");
    tpv->QTOperacie.Append();
    const struct {
        const char *typed;
        double minutes;
    } cases[] = {{"1,5h", 90}, {"30s", 0.5}, {"12m", 12}, {"12", 12}, {"0,25", 0.25}, {"2H", 120}};
    for (const auto &c : cases) {
        time->SetText(QString::fromLatin1(c.typed));
        EXPECT_DOUBLE_EQ(time->AsFloat(), c.minutes) << c.typed;
    }
    time->SetText(QString());
    EXPECT_TRUE(time->IsNull());
    time->SetValue(5);
    EXPECT_THROW(time->SetText("päť"), EConvertError);
    EXPECT_DOUBLE_EQ(time->AsFloat(), 5.0);
    tpv->QTOperacie.Cancel();
}

TEST_F(TechnologyTest, NormPerShift)
{
    addRouteOperation(*tpv, 10, "FOR", "7,5");
    TField *time = tpv->QTOperacie.FieldByName("CAS_JED");
    const auto ask = [&](const QVariant &answer) {
        responder->InputAnswers.push_back(answer);
        tpv->EnterNormPerShift();
        tpv->QTOperacie.CheckBrowseMode();
        return responder->Inputs.last();
    };
    const TInputRequest first = ask(QStringLiteral("60"));
    EXPECT_EQ(first.Caption, QString::fromUtf8("Jednotkový čas"));
    EXPECT_EQ(first.Prompt, QString::fromUtf8("Zadaj normu v kusoch na zmenu"));
    EXPECT_EQ(first.Value, "60"); // proposed from 7.5 minutes
    EXPECT_DOUBLE_EQ(time->AsFloat(), 7.5);
    ask(QStringLiteral("7"));
    EXPECT_DOUBLE_EQ(time->AsFloat(), 64.286);
    ask(QVariant()); // cancelled
    EXPECT_DOUBLE_EQ(time->AsFloat(), 64.286);
    // Any answer worth 0 means no time; text and negative norms are refused and change nothing.
    ask(QStringLiteral("0,0"));
    EXPECT_DOUBLE_EQ(time->AsFloat(), 0.0);
    EXPECT_EQ(ask(QStringLiteral("12")).Value, QString()); // nothing proposed for 0 minutes
    EXPECT_DOUBLE_EQ(time->AsFloat(), 37.5);
    for (const char *bad : {"-5", "veľa"}) {
        responder->InputAnswers.push_back(QString::fromUtf8(bad));
        EXPECT_THROW(tpv->EnterNormPerShift(), EConvertError) << bad;
        EXPECT_DOUBLE_EQ(time->AsFloat(), 37.5);
    }
    EXPECT_EQ(tpv->QTOperacie.State(), dsBrowse);
}

TEST_F(TechnologyTest, InternalPriceOfProductInStock)
{
    TxTable &products = tpv->QPolozky;
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO) values ('V1', 'H', 3)");
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO) values ('V1', 'E', -3)");
    products.Edit();
    products.FieldByName("CENA_NAKL")->SetValue(14.0); // stock rows summing to 0
    products.Post();
    exec("update MSKLADY set MNOZSTVO=0 where SKLAD='E'");
    products.Edit();
    try {
        products.FieldByName("CENA_NAKL")->SetValue(15.0);
        ADD_FAILURE() << "the price of a product in stock changed";
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Nie je možné meniť vnútropodnikovú cenu u výrobku,\r"
                                               "ktorý má skladovú zásobu!"));
    }
    EXPECT_DOUBLE_EQ(products.FieldByName("CENA_NAKL")->AsFloat(), 14.0);
    products.Cancel();
}

TEST_F(TechnologyTest, DuplicateProductIsTranslated)
{
    TxTable &products = tpv->QPolozky;
    products.Append();
    products.FieldByName("C_POL")->SetValue("V1");
    EXPECT_ANY_THROW(products.Post());
    ASSERT_FALSE(responder->Messages.isEmpty());
    EXPECT_TRUE(responder->Messages.last().Text.contains(QString::fromUtf8("Výrobok s rovnakým číslom už existuje !")));
    products.Cancel();
}

TEST_F(TechnologyTest, RouteChangeMessagesSentAfterTheSave)
{
    exec("insert into QUSERS (RDB_USER, RDB_UTVAR) values ('TECHNOLOG', 2)");
    exec("insert into QUSERS (RDB_USER, RDB_UTVAR) values ('MAJSTER', 3)");
    writeSetting("Defaults", "ZmenaOperacieTP", "TECHNOLOG, MAJSTER");
    addRouteOperation(*tpv, 10, "FOR", "5");
    addRouteOperation(*tpv, 20, "CIS", "3");
    EXPECT_EQ(tpv->PendingMessages().size(), 2);
    EXPECT_EQ(count("select count(*) from QMESSAGES"), 0); // nothing before the save
    tpv->SaveProduct();
    EXPECT_EQ(count("select count(*) from QMESSAGES"), 4);
    EXPECT_EQ(count("select count(*) from QMESSAGES where MSG_USER='TECHNOLOG' and MSG_DATA=0 and "
                    "MSG_TITLE='Zmena operácie v TP'"),
              2);
    EXPECT_EQ(
        value("select first 1 MSG_TEXT from QMESSAGES where MSG_USER='MAJSTER' order by MSG_ID").toString().trimmed(),
        QString::fromUtf8("Bola zmenená operácia FOR v technologickom postupe na výrobok V1"));

    // A change of the time alone is a change too; a cancelled edit sends nothing.
    tpv->QTOperacie.First();
    tpv->QTOperacie.Edit();
    tpv->QTOperacie.FieldByName("CAS_JED")->SetValue(6);
    tpv->QTOperacie.Post();
    tpv->CancelProduct();
    tpv->SaveProduct();
    EXPECT_EQ(count("select count(*) from QMESSAGES"), 4);
    EXPECT_DOUBLE_EQ(value("select CAS_JED from TOPERACIE where C_OPERACIE=10").toDouble(), 5.0);
}

TEST_F(TechnologyTest, RefusedSaveKeepsTheRouteAndItsMessages)
{
    writeSetting("Defaults", "ZmenaOperacieTP", "SYSDBA");
    exec("insert into QUSERS (RDB_USER, RDB_UTVAR) values ('SYSDBA', 1)");
    addRouteOperation(*tpv, 10, "FOR", "5");
    tpv->QTKusovnik.Append();
    tpv->QTKusovnik.FieldByName("C_POZICIE")->SetValue(10);
    tpv->QTKusovnik.Post();
    tpv->QTKusovnik.Append();
    tpv->QTKusovnik.FieldByName("C_POZICIE")->SetValue(10); // the same position twice
    tpv->QTKusovnik.Post();
    EXPECT_ANY_THROW(tpv->SaveProduct());
    EXPECT_EQ(count("select count(*) from TOPERACIE"), 0);
    EXPECT_EQ(count("select count(*) from QMESSAGES"), 0);
    EXPECT_TRUE(tpv->QTOperacie.UpdatesPending());
    EXPECT_EQ(tpv->PendingMessages().size(), 1);
    tpv->QTKusovnik.Last();
    tpv->QTKusovnik.Edit();
    tpv->QTKusovnik.FieldByName("C_POZICIE")->SetValue(20);
    tpv->QTKusovnik.Post();
    tpv->SaveProduct();
    EXPECT_EQ(count("select count(*) from TOPERACIE"), 1);
    EXPECT_EQ(count("select count(*) from TKUSOVNIK"), 2);
    EXPECT_EQ(count("select count(*) from QMESSAGES"), 1);
}

TEST_F(TechnologyTest, ProductSaveIsAllOrNothing)
{
    // A new product whose number is typed after its rows were added, with a BOM that the database refuses.
    TxTable &products = tpv->QPolozky;
    for (TxTable *t : {&tpv->QTOperacie, &tpv->QTKusovnik, &tpv->QPolozkyKalk})
        t->Close();
    products.Append();
    products.FieldByName("C_POL")->SetValue("NOVY");
    products.FieldByName("NAZOV")->SetValue("Kryt");
    for (TxTable *t : {&tpv->QTOperacie, &tpv->QTKusovnik, &tpv->QPolozkyKalk})
        t->Open();
    addRouteOperation(*tpv, 10, "FOR", "5");
    for (int i = 0; i < 2; ++i) {
        tpv->QTKusovnik.Append();
        tpv->QTKusovnik.FieldByName("C_POZICIE")->SetValue(10); // the same position twice
        tpv->QTKusovnik.FieldByName("C_POL")->SetValue("M1");
        tpv->QTKusovnik.Post();
    }
    tpv->QPolozkyKalk.Append();
    tpv->QPolozkyKalk.FieldByName("OVN1")->SetValue(3);
    tpv->QPolozkyKalk.Post();
    products.FieldByName("C_POL")->SetValue("V2");
    EXPECT_ANY_THROW(tpv->SaveProduct());
    EXPECT_EQ(count("select count(*) from POLOZKY where C_POL in ('V2', 'NOVY')"), 0) << "the product row stayed";
    EXPECT_EQ(count("select count(*) from TOPERACIE"), 0);
    EXPECT_EQ(products.State(), dsEdit) << "the product goes back into editing";
    EXPECT_EQ(products.FieldByName("NAZOV")->AsString(), "Kryt");
    EXPECT_TRUE(tpv->QTOperacie.UpdatesPending());

    tpv->QTKusovnik.Last();
    tpv->QTKusovnik.Edit();
    tpv->QTKusovnik.FieldByName("C_POZICIE")->SetValue(20);
    tpv->QTKusovnik.Post();
    products.FieldByName("NAZOV")->SetValue("Kryt ventilu");
    tpv->SaveProduct();
    EXPECT_EQ(value("select NAZOV from POLOZKY where C_POL='V2'").toString(), "Kryt ventilu");
    EXPECT_EQ(count("select count(*) from TOPERACIE where C_VYR='V2'"), 1) << "the route carries the final number";
    EXPECT_EQ(count("select count(*) from TKUSOVNIK where C_VYR='V2'"), 2);
    EXPECT_EQ(count("select count(*) from POLOZKYKALK where C_POL='V2' and OVN1=3"), 1);
    EXPECT_FALSE(products.CachedUpdates());
    EXPECT_EQ(products.State(), dsBrowse);
    EXPECT_EQ(tpv->PendingMessages().size(), 0);

    // A cancelled edit after a refused save leaves the stored product as it was.
    products.Edit();
    products.FieldByName("NAZOV")->SetValue("Iný");
    tpv->QTKusovnik.Append();
    tpv->QTKusovnik.FieldByName("C_POZICIE")->SetValue(20);
    tpv->QTKusovnik.Post();
    EXPECT_ANY_THROW(tpv->SaveProduct());
    tpv->CancelProduct();
    EXPECT_EQ(products.FieldByName("NAZOV")->AsString(), "Kryt ventilu");
    EXPECT_FALSE(products.CachedUpdates());
    EXPECT_EQ(value("select NAZOV from POLOZKY where C_POL='V2'").toString(), "Kryt ventilu");
}
