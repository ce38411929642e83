// Delivery notes on fresh databases: taking over finished jobs up to the stock, lines from jobs and from
// the hand-overs, the stock checks, printing in the three price modes, closing delivered jobs and
// deleting a note (a declined question keeps every line).
#include "DispatchFixture.h"

#include "dispatch/DispatchModule.h"
#include "dispatch/EDListQRRep.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "dispatch/ExpSql.h"
#include "platform/report/QRPage.h"

#include <QRegularExpression>

namespace {

QStringList pageTexts(TQuickRep *report)
{
    report->prepare();
    QStringList texts;
    for (const TQRPage &page : report->Pages())
        for (const TQRItem &item : page.items)
            if (item.kind == TQRItem::Text && !item.text.trimmed().isEmpty())
                texts << item.text;
    return texts;
}

} // namespace

TEST_F(DispatchTest, ANewNoteTakesOverTheCustomersJobsUpToTheStock)
{
    foundry();
    job(260003, "ZAK260001", "V1", 5, 90, 80, "2026-03-20");
    openNewNote();
    TxDataSet &h = exp->QEDListy;
    EXPECT_EQ(h.FieldByName("C_DL")->AsInteger(), 260001);
    EXPECT_EQ(h.FieldByName("C_OBJ")->AsString(), " ");
    EXPECT_EQ(h.FieldByName("KURZ")->AsFloat(), 1.0);
    EXPECT_EQ(h.FieldByName("MENA")->AsString(), "EUR");
    EXPECT_EQ(h.FieldByName("D_VYSTAV")->AsDateTime().date(), QDate(2026, 3, 16));

    responder->MessageAnswers.push_back(mrYes);
    h.FieldByName("C_ODB")->SetValue(5);
    ASSERT_GE(responder->Messages.size(), 1);
    EXPECT_EQ(responder->Messages[0].Text,
              QString::fromUtf8("Prebrať položky zo všetkých neukončených objednávok odberateľa ?"));
    // The header took the order's customer, currency and transport before the question.
    EXPECT_EQ(h.FieldByName("ODBERATEL")->AsString(), QString::fromUtf8("Strojárne Martin"));
    EXPECT_EQ(h.FieldByName("DOPRAVA")->AsString(), QString::fromUtf8("Kuriér"));

    // 12 in stock: the first job takes 10, the second only the 2 left, the third nothing.
    TxDataSet &l = exp->QEDListyD;
    ASSERT_EQ(l.RecordCount(), 2);
    l.First();
    EXPECT_EQ(l.FieldByName("C_INT")->AsInteger(), 260001);
    EXPECT_EQ(l.FieldByName("MNOZ_VYR")->AsInteger(), 10);
    EXPECT_EQ(l.FieldByName("SKLAD")->AsString(), "V1");
    EXPECT_EQ(l.FieldByName("NAZOV")->AsString(), "Odliatok V1");
    EXPECT_EQ(l.FieldByName("C_RIADKU")->AsInteger(), 1);
    l.Next();
    EXPECT_EQ(l.FieldByName("C_INT")->AsInteger(), 260002);
    EXPECT_EQ(l.FieldByName("MNOZ_VYR")->AsInteger(), 2);
    EXPECT_EQ(l.FieldByName("C_RIADKU")->AsInteger(), 2);
    const QStringList texts = responder->Texts();
    EXPECT_TRUE(
        texts.contains(QString::fromUtf8("Výrobok V1 zo zákazky 260002 nie je na sklade v dostatočnom množstve !")));
    EXPECT_TRUE(
        texts.contains(QString::fromUtf8("Výrobok V1 zo zákazky 260003 nie je na sklade v dostatočnom množstve !")));

    // The header is written at once; the lines with the dialog's save, which issues them from the store.
    h.Post();
    EXPECT_EQ(lineCount(260001), 0);
    exp->ApplyLines();
    EXPECT_EQ(lineCount(260001), 2);
    EXPECT_EQ(value("select mnozstvo from MSKLADY where c_pol='V1' and sklad='V1'").toDouble(), 0.0);
}

TEST_F(DispatchTest, TakeOverRulesFollowTheHeaderFields)
{
    foundry();
    openNewNote();
    TxDataSet &h = exp->QEDListy;
    // Declined: the header still takes the customer's data, no line is made.
    h.FieldByName("C_ODB")->SetValue(5);
    EXPECT_EQ(exp->QEDListyD.RecordCount(), 0);
    EXPECT_EQ(h.FieldByName("ODBERATEL")->AsString(), QString::fromUtf8("Strojárne Martin"));
    // The order number offers its take-over even when lines exist; the customer's change then does not.
    responder->MessageAnswers.push_back(mrYes);
    h.FieldByName("C_OBJ")->SetValue("ZAK260001");
    EXPECT_TRUE(responder->Texts().contains(QString::fromUtf8("Prebrať položky z objednávky č. ZAK260001")));
    EXPECT_EQ(exp->QEDListyD.RecordCount(), 2);
    const int asked = responder->Messages.size();
    h.FieldByName("C_ODB")->SetValue(6);
    EXPECT_EQ(responder->Messages.size(), asked);
}

TEST_F(DispatchTest, AJobNumberLoadsTheLineUpToWhatIsLeftAndInStock)
{
    foundry();
    openNewNote();
    TxDataSet &l = exp->QEDListyD;
    l.Append();
    l.FieldByName("C_INT")->SetValue(260002);
    EXPECT_EQ(l.FieldByName("C_VYR")->AsString().trimmed(), "V1");
    EXPECT_EQ(l.FieldByName("MNOZ_VYR")->AsInteger(), 6);
    EXPECT_EQ(l.FieldByName("CENA_KURZ1")->AsFloat(), 80.0);
    EXPECT_EQ(l.FieldByName("NAKL1")->AsFloat(), 40.0); // the product's cost price
    EXPECT_EQ(l.FieldByName("SKLAD")->AsString(), "V1");
    // More than the stock is a warning; the quantity stays.
    l.FieldByName("MNOZ_VYR")->SetValue(20);
    EXPECT_EQ(responder->Texts().last(), QString::fromUtf8("Na sklade je len 12 ks\r\nvýrobku V1 !"));
    EXPECT_EQ(l.FieldByName("MNOZ_VYR")->AsInteger(), 20);
    // A job that does not exist stops the change.
    EXPECT_THROW(l.FieldByName("C_INT")->SetValue(269999), EDatabaseError);
}

TEST_F(DispatchTest, AFinishedJobIsLoadedWithAWarning)
{
    foundry();
    job(260005, "ZAK260001", "V1", 3, 100);
    openNewNote();
    exp->QEDListyD.Append();
    exp->QEDListyD.FieldByName("C_INT")->SetValue(260005);
    EXPECT_TRUE(responder->Texts().contains(QString::fromUtf8("Zákazka je už ukončená alebo stornovaná.")));
    EXPECT_EQ(exp->QEDListyD.FieldByName("MNOZ_VYR")->AsInteger(), 3);
}

TEST_F(DispatchTest, AProductWithoutStockFailsTheSecondCheck)
{
    foundry();
    product("V3");
    receipt("V3", 2);
    exec("insert into MPOHYBY (DATUM, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL) "
         "values ('2026-03-02', 21, 'V1', 'V3', -2, 40)");
    openNewNote();
    TxDataSet &l = exp->QEDListyD;
    l.Append();
    l.FieldByName("C_VYR")->SetValue("V3");
    EXPECT_EQ(responder->Messages.size(), 0); // the first check ends on the last row
    l.FieldByName("MNOZ_VYR")->SetValue(1);
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_EQ(responder->Messages[0].Text, QString::fromUtf8("Výrobok č. V3 nie je na sklade !"));
    // A product with no stock row at all.
    product("V4");
    l.FieldByName("C_VYR")->SetValue("V4");
    EXPECT_EQ(responder->Texts().last(), QString::fromUtf8("Výrobok č. V4 nie je na sklade !"));
}

TEST_F(DispatchTest, TheHandOversMakeANoteAndAddToItsLines)
{
    foundry();
    const int notes = count("select count(*) from EDLISTY");
    EXPECT_EQ(exp->NewDeliveryNoteForJob(269999, 1), 0);
    EXPECT_EQ(count("select count(*) from EDLISTY"), notes);

    const int note = exp->NewDeliveryNoteForJob(260001, 30.5);
    ASSERT_EQ(note, 260001);
    EXPECT_EQ(value("select c_obj from EDLISTY where c_dl=260001").toString(), "ZAK260001");
    EXPECT_EQ(value("select c_odb from EDLISTY where c_dl=260001").toInt(), 5);
    EXPECT_EQ(value("select kurz from EDLISTY where c_dl=260001").toDouble(), 30.5);
    EXPECT_EQ(value("select vystavil from EDLISTY where c_dl=260001").toString(), "SYSDBA");

    EXPECT_EQ(exp->AddDeliveryNoteLine("V1", "V1", 260001, 4, 80), "Odliatok V1 - 4ks");
    EXPECT_EQ(exp->AddDeliveryNoteLine("V1", "V1", 260001, 3, 99), "Odliatok V1 - 7ks");
    EXPECT_EQ(lineCount(note), 1);
    EXPECT_EQ(value("select mnoz_vyr from EDLISTYD where c_dl=260001").toInt(), 7);
    EXPECT_EQ(value("select cena_kurz1 from EDLISTYD where c_dl=260001").toDouble(), 80.0);
    EXPECT_EQ(value("select mnozstvo from MSKLADY where c_pol='V1'").toDouble(), 5.0);
    // The line carries the job's costs as a line taken over from the job does, so the store issues the
    // goods at the job's cost, not at nothing.
    for (const auto &[job, line] :
         {std::pair{"cena_nakl", "nakl1"}, {"mim1", "mim1"}, {"koef_mat", "koef_mat"}, {"koef_dop", "koef_dop"}}) {
        const double expected =
            value(QStringLiteral("select %1 from vZakazkyDKalk where c_int=260001").arg(job)).toDouble();
        EXPECT_NE(expected, 0.0) << job;
        EXPECT_EQ(value(QStringLiteral("select %1 from EDLISTYD where c_dl=260001").arg(line)).toDouble(), expected)
            << line;
    }
    EXPECT_EQ(value("select cena_nakl from MPOHYBY where typ_pohybu=20 and c_dokladu=260001").toDouble(),
              value("select cena_nakl from vZakazkyDKalk where c_int=260001").toDouble());
}

TEST_F(DispatchTest, ProductionReachesTheOperationsThroughTheModuleHooks)
{
    foundry();
    RegisterDispatchModule();
    TModuleHooks &hooks = ModuleHooks();
    ASSERT_TRUE(hooks.NewDeliveryNoteForJob && hooks.AddDeliveryNoteLine && hooks.PrintDeliveryNote);
    EXPECT_TRUE(HasOpenRoutine(Routine::ShowDeliveryNotes));
    EXPECT_TRUE(HasOpenRoutine(Routine::ShowFinishedGoodsStore));
    const int note = hooks.NewDeliveryNoteForJob(260002, 1);
    EXPECT_EQ(note, 260001);
    EXPECT_EQ(hooks.AddDeliveryNoteLine("V1", "V1", 260002, 6, 80), "Odliatok V1 - 6ks");
    EXPECT_EQ(lineCount(note), 1);
}

TEST_F(DispatchTest, ThePrintShowsThePricesOfItsMode)
{
    foundry();
    job(260004, "ZAK260001", "V1", 1, 90, 80, "2026-03-20", 260001); // a complaint's replacement
    exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA, PREVZAL, PATA_DL) "
         "values (260007, 5, 'ZAK260001', '2026-03-16', 2, 'USD', 'p. Novák', 'Ďakujeme')");
    exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, C_RIADKU, SKLAD, MNOZ_VYR, CENA_KURZ1, NAKL1, MIM1, KOEF_MAT, "
         "KOEF_DOP) values (260007, 'V1', 260001, 1, 'V1', 10, 80, 50, 1.5, 0.4, 0.1)");
    exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, C_RIADKU, SKLAD, MNOZ_VYR, CENA_KURZ1, NAKL1, MIM1, KOEF_MAT, "
         "KOEF_DOP) values (260007, 'V1', 260004, 2, 'V1', 1, 80, 50, 0, 0, 0)");

    const QStringList withoutPrices = pageTexts(exp->PrepareDeliveryNote(260007, pmWithoutPrices));
    EXPECT_TRUE(withoutPrices.contains(QString::fromUtf8("Dodací list č.")));
    EXPECT_TRUE(withoutPrices.contains("26/0007"));
    EXPECT_TRUE(withoutPrices.contains("ZAK260001"));
    EXPECT_TRUE(withoutPrices.contains("Re")); // only the complaint's line
    EXPECT_EQ(withoutPrices.count("Re"), 1);
    EXPECT_TRUE(withoutPrices.contains(QString::fromUtf8("Ďakujeme")));
    for (const QString &t : withoutPrices)
        EXPECT_FALSE(t.contains(QRegularExpression(",\\d\\d ")) && !t.contains("kg")) << t.toStdString();

    // Home currency: the note's price divided by its rate, surcharges as they are.
    const QStringList home = pageTexts(exp->PrepareDeliveryNote(260007, pmHomeCurrency));
    EXPECT_TRUE(home.contains(QString::fromUtf8("40,00 €"))) << home.join('|').toStdString();
    EXPECT_TRUE(home.contains(QString::fromUtf8("400,00 €")));
    EXPECT_TRUE(home.contains(QString::fromUtf8("440,00 €"))); // the sum of both lines
    EXPECT_TRUE(home.contains(QString::fromUtf8("15,00 €")));  // external costs 1.5 × 10
    EXPECT_TRUE(home.contains(QString::fromUtf8("5,00 €")));   // material 2.5 × 0.4 / 2 × 10

    // The note's currency: its own price, the surcharges times the rate.
    const QStringList note = pageTexts(exp->PrepareDeliveryNote(260007, pmNoteCurrency));
    EXPECT_TRUE(note.contains("80,00 USD"));
    EXPECT_TRUE(note.contains("880,00 USD"));
    EXPECT_TRUE(note.contains("30,00 USD"));
    // Any other mode prints without prices.
    EXPECT_EQ(pageTexts(exp->PrepareDeliveryNote(260007, -1)), withoutPrices);
}

TEST_F(DispatchTest, PrintingClosesFullyDeliveredJobsOnly)
{
    foundry();
    job(260003, "ZAK260001", "V1", 2, 50);
    job(260004, "ZAK260001", "V1", 2, 40);
    exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA) values (260001, 5, 'ZAK260001', "
         "'2026-03-16', 1, 'EUR')");
    for (const auto &[cInt, quantity] : {std::pair{260001, 10}, {260002, 2}, {260003, 2}, {260004, 2}})
        exec(QStringLiteral("insert into EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR, CENA_KURZ1) values (260001, 'V1', %1, "
                            "%2, 80)")
                 .arg(cInt)
                 .arg(quantity));
    // 260001 handed over and delivered: finished; 260002 short: a message; 260003 and 260004 not handed
    // over: asked, Yes finishes the first, No leaves the second.
    responder->MessageAnswers = {mrOk, mrYes, mrNo};
    exp->CloseDeliveredJobs(260001);
    auto state = [this](int cInt) {
        return value(QStringLiteral("select stav_zak from ZAKAZKYD where c_int=%1").arg(cInt)).toInt();
    };
    EXPECT_EQ(state(260001), 100);
    EXPECT_EQ(state(260002), 90);
    EXPECT_EQ(state(260003), 100);
    EXPECT_EQ(state(260004), 40);
    ASSERT_EQ(responder->Messages.size(), 3);
    EXPECT_EQ(
        responder->Messages[0].Text,
        QString::fromUtf8("Na zákazke č.260002 je objednaných 6 ks  výrobku č.V1,\r\nale dodaných je zatiaľ len 2 ks"));
    EXPECT_EQ(
        responder->Messages[1].Text,
        QString::fromUtf8("Zákazka č.260003 nie je označená ako \"Odvedená\".\r\nMôže sa označiť ako \"Ukončená\" ?"));
    EXPECT_EQ(responder->Messages[1].Caption, QString::fromUtf8("Otázka"));
    // Jobs at 100 or above are never touched again.
    responder->Messages.clear();
    exp->CloseDeliveredJobs(260001);
    EXPECT_EQ(responder->Messages.size(), 2); // 260002 short again, 260004 asked again
}

TEST_F(DispatchTest, DecliningAnyQuestionKeepsTheWholeNote)
{
    foundry();
    openNewNote();
    responder->MessageAnswers.push_back(mrYes);
    exp->QEDListy.FieldByName("C_ODB")->SetValue(5);
    exp->QEDListy.Post();
    exp->ApplyLines();
    ASSERT_EQ(lineCount(260001), 2);
    openNote(260001);

    // The note and its first line confirmed, the second line declined.
    responder->MessageAnswers = {mrYes, mrYes, mrNo};
    EXPECT_THROW(exp->QEDListy.Delete(), EAbort);
    EXPECT_EQ(count("select count(*) from EDLISTY where c_dl=260001"), 1);
    EXPECT_EQ(lineCount(260001), 2);
    EXPECT_FALSE(exp->QEDListyD.UpdatesPending());
    EXPECT_EQ(exp->QEDListyD.RecordCount(), 2);
    // The note declined at once.
    responder->MessageAnswers = {mrNo};
    EXPECT_THROW(exp->QEDListy.Delete(), EAbort);
    EXPECT_EQ(lineCount(260001), 2);

    // Every question answered Yes: the note goes and its pieces return to the store.
    responder->MessageAnswers = {mrYes, mrYes, mrYes};
    exp->QEDListy.Delete();
    EXPECT_EQ(count("select count(*) from EDLISTY where c_dl=260001"), 0);
    EXPECT_EQ(lineCount(260001), 0);
    EXPECT_EQ(value("select mnozstvo from MSKLADY where c_pol='V1'").toDouble(), 12.0);
    EXPECT_EQ(responder->Messages.last().Text, QString::fromUtf8("Naozaj zmazať položku č.2"));
}

TEST_F(DispatchTest, SelectionsBindWhatWasTyped)
{
    foundry();
    exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA, C_FAKTURY) values (260001, 5, 'ZAK260001', "
         "'2026-03-16', 1, 'EUR', '2026/0001')");
    exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA) values (260002, 5, 'ZAK260001', "
         "'2026-03-10', 1, 'EUR')");
    exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR, CENA_KURZ1) values (260002, 'V1', 260001, 1, 80)");
    auto rows = [this](int entry, const QString &text) {
        exp->SelectNotes(entry, text);
        exp->QEDListy.Last();
        return exp->QEDListy.RecordCount();
    };
    EXPECT_EQ(rows(0, {}), 1);
    EXPECT_EQ(rows(1, {}), 2);
    EXPECT_EQ(rows(2, "260002"), 1);
    EXPECT_EQ(rows(2, "abc"), 0);
    EXPECT_EQ(rows(3, "2026/0001"), 1);
    EXPECT_EQ(rows(3, "x' or ''='"), 0);
    EXPECT_EQ(rows(4, "10.3.2026"), 1);
    EXPECT_EQ(rows(4, "2026-03-10' or 1=1 --"), 0);
    EXPECT_EQ(rows(5, QString::fromUtf8("Strojár")), 2);
    EXPECT_EQ(rows(5, "O'Brien"), 0);
    EXPECT_EQ(rows(6, "V1"), 1);
    EXPECT_EQ(rows(6, "V1' or 'a'='a"), 0);
}

TEST_F(DispatchTest, TheStoreAsOfADate)
{
    foundry();
    product("V2");
    receipt("V1", 5, "2026-03-14");
    receipt("V2", 3, "2026-03-01");
    exec("insert into MPOHYBY (DATUM, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL) "
         "values ('2026-03-05', 21, 'V1', 'V2', -3, 40)");
    auto stock = [this](const QString &product) {
        TxQuery &q = exp->QESklad;
        return q.Locate("C_POL", product) ? q.FieldByName("MNOZSTVO")->AsFloat() : -1.0;
    };
    exp->OpenFinishedGoodsStock(QDate(2026, 3, 16));
    EXPECT_EQ(stock("V1"), 17.0);
    EXPECT_EQ(stock("V2"), 0.0);
    exp->OpenFinishedGoodsStock(QDate(2026, 3, 10));
    EXPECT_EQ(stock("V1"), 12.0);
    exp->OpenFinishedGoodsStock(QDate(2026, 3, 2));
    EXPECT_EQ(stock("V2"), 3.0);
    EXPECT_EQ(exp->QESklad.FieldByName("CENAC")->AsFloat(), 120.0);
    // With stock only: V2 is gone today.
    exp->OpenFinishedGoodsStock(QDate(2026, 3, 16), ExpSql::StoreFilters[1].section('=', 1, -1));
    EXPECT_EQ(stock("V2"), -1.0);
    EXPECT_EQ(stock("V1"), 17.0);
}
