// The printed order documents, the customers browser and the complaint protocols on a fresh database:
// what the pages carry, what the prints change, the quick search with an apostrophe and the protocol
// printed from the current protocol alone.
#include "SalesFixture.h"

#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "library/QTlacForm.h"
#include "library/xDBEdit.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/FormGlobal.h"
#include "sales/CustomerList.h"
#include "sales/OdberatelDForm.h"
#include "sales/OdberateliaForm.h"
#include "sales/OrderDocuments.h"
#include "sales/QRPlanZak.h"
#include "sales/QRTlacPreskObj.h"
#include "sales/QRTlacOdb.h"
#include "sales/ZakPotObjQRRep.h"
#include "sales/ZakRekDForm.h"
#include "sales/ZakRekForm.h"
#include "sales/ZakRekQRRep.h"
#include "shell/CisZakForm.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList texts(TQuickRep *report)
{
    QStringList all;
    for (const TQRPage &page : report->Pages())
        for (const TQRItem &item : page.items)
            if (item.kind == TQRItem::Text)
                all << item.text.trimmed();
    return all;
}

} // namespace

class DocumentsTest : public SalesJobTest {
protected:
    void SetUp() override
    {
        SalesJobTest::SetUp();
        if (HasFatalFailure())
            return;
        exec("insert into CODBERATELOV (C_ODB, ODBERATEL, MESTO, ICO) values (5, 'Zlieváreň Sever', 'Žilina', 123)");
        // Previewed reports are laid out here instead of shown.
        ModuleHooks().ShowReport = [this](TQuickRep *report) {
            report->prepare();
            shown = report;
        };
        Printer().setOutputFileName(dir.filePath("out.pdf"));
    }
    void TearDown() override
    {
        ModuleHooks().ShowReport = nullptr;
        Printer().setOutputFileName(QString());
        delete OdberateliaForm;
        delete OdberatelDForm;
        delete ZakRekForm;
        delete ZakRekDForm;
        SalesTest::TearDown();
    }
    // The next print dialog prints.
    void printerButton()
    {
        WhenModal<TQTlacForm>([](TQTlacForm *f) { QTest::mouseClick(f->BitBtnTlac, Qt::LeftButton); });
    }
    int state(int job) { return count(QStringLiteral("select STAV_ZAK from ZAKAZKYD where C_INT=%1").arg(job)); }
    // Operations O01, O02 ... of job 260001, each with its number as wage.
    void operations(int n)
    {
        for (int i = 1; i <= n; ++i)
            exec(QStringLiteral(
                     "insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, MZDA) values (260001, %1, 'O%2', %3)")
                     .arg(i * 10)
                     .arg(i, 2, 10, QLatin1Char('0'))
                     .arg(i));
    }

    TQuickRep *shown = nullptr;
    QTemporaryDir dir;
};

TEST_F(DocumentsTest, InternalOrderPrintsEveryOperationAndMarksTheJobPrinted)
{
    operations(30);
    exec("update ZAKAZKYD set C_REV=2 where C_INT=260001");
    PrintInternalOrder(260001);
    ASSERT_NE(shown, nullptr);
    const QStringList t = texts(shown);
    EXPECT_TRUE(t.contains(QString::fromUtf8("I N T E R N Á   O B J E D N Á V K A")));
    EXPECT_TRUE(t.contains(QStringLiteral("26/0001")));
    EXPECT_TRUE(t.contains(QStringLiteral("rev.2")));
    for (int i = 1; i <= 30; ++i)
        EXPECT_TRUE(t.contains(QStringLiteral("O%1:").arg(i, 2, 10, QLatin1Char('0')))) << i;
    EXPECT_EQ(state(260001), 3) << "printed: state 3";

    // A job already further on keeps its state.
    job(260002, "ZAK260001", "V1", 10, 5);
    PrintInternalOrder(260002);
    EXPECT_EQ(state(260002), 5);
}

TEST_F(DocumentsTest, AnInternalOrderOfEightyOperationsGoesOnToANextPageWithEveryOne)
{
    operations(80);
    PrintInternalOrder(260001);
    ASSERT_NE(shown, nullptr);
    EXPECT_GE(shown->PageCount(), 2);
    const double bottom = shown->PaperSizeUnits().height() - MmToUnits(shown->Page.BottomMargin);
    QStringList operations;
    for (const TQRPage &page : shown->Pages())
        for (const TQRItem &item : page.items) {
            if (item.kind != TQRItem::Text)
                continue;
            EXPECT_LE(item.rect.bottom(), bottom + 1e-6) << item.text.toStdString() << " below page " << page.number;
            if (QRegularExpression(QStringLiteral("^O[0-9]{2}:$")).match(item.text).hasMatch())
                operations << item.text;
        }
    EXPECT_EQ(operations.size(), 80);
    for (int i = 1; i <= 80; ++i)
        EXPECT_EQ(operations.count(QStringLiteral("O%1:").arg(i, 2, 10, QLatin1Char('0'))), 1) << i;
}

TEST_F(DocumentsTest, ConfirmationSumsTheItems)
{
    job(260002, "ZAK260001", "V1", 4);
    exec("insert into ZAKKALK (C_INT, CENA1) values (260001, 12.5)");
    exec("insert into ZAKKALK (C_INT, CENA1) values (260002, 10)");
    printerButton();
    PrintOrderConfirmation("ZAK260001");
    ASSERT_NE(ZakPotObjQRRep, nullptr);
    const QStringList t = texts(ZakPotObjQRRep);
    EXPECT_TRUE(t.contains(QString::fromUtf8("Potvrdenie objednávky")));
    EXPECT_TRUE(t.contains(QStringLiteral("165,00"))) << t.join('|').toStdString(); // 10 x 12.5 + 4 x 10
}

TEST_F(DocumentsTest, SalesPlanCountsMissingQuantitiesAsNone)
{
    TQRPlanZak plan;
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SQL().SetText(
        "select 5 as c_odb, 'Odb' as odberatel, 'V1' as c_vyr, 'Z1' as c_obj, 260001 as c_int, 'N' as nazov, "
        "'T' as rozmer, 10 as mnoz_obj, current_date as termin, 2.0 as vaha1, 3.0 as cena1, "
        "cast(null as double precision) as mnoz_dod, cast(null as double precision) as mnoz_skl "
        "from rdb$database union all select 5, 'Odb', 'V1', 'Z2', 260002, 'N', 'T', 4, current_date, 2.0, "
        "3.0, 6, 0 from rdb$database");
    q.Open();
    plan.setDataSet(&q);
    plan.prepare();
    const QStringList t = texts(&plan);
    // 10 remaining of the first (nothing delivered yet), 0 of the second (delivered beyond the order).
    EXPECT_TRUE(t.contains(QStringLiteral("10"))) << t.join('|').toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("20"))) << "remaining weight 10 x 2";
    EXPECT_TRUE(t.contains(QStringLiteral("30"))) << "remaining price 10 x 3";
    q.Close();
}

TEST_F(DocumentsTest, CustomerAddedSearchedWithAnApostropheAndPrinted)
{
    WhenModal<TOdberateliaForm>([&](TOdberateliaForm *f) {
        EXPECT_TRUE(f->HlOdberatel->text().isEmpty());
        WhenModal<TOdberatelDForm>(
            [&](TOdberatelDForm *d) {
                cis->QOdberatelia.FieldByName("ODBERATEL")->SetValue("O'Neil s.r.o.");
                QTest::mouseClick(d->BtnZapis1, Qt::LeftButton);
            },
            f);
        QTest::mouseClick(f->btnNovyOdb, Qt::LeftButton);
        EXPECT_EQ(count("select count(*) from CODBERATELOV where ODBERATEL='O''Neil s.r.o.'"), 1);
        QApplication::setActiveWindow(f);
        TabTo(f->HlOdberatel);
        QTest::keyClicks(f->HlOdberatel, "O'N");
        EXPECT_EQ(cis->QOdberatelia.RecordCount(), 1);
        EXPECT_EQ(cis->QOdberatelia.FieldByName("ODBERATEL")->AsString(), "O'Neil s.r.o.");
        QTest::mouseClick(f->btnTlacOdb, Qt::LeftButton);
        f->SetModalResult(mrCancel);
    });
    ShowCustomers();
    ASSERT_NE(shown, nullptr);
    const QStringList t = texts(shown);
    EXPECT_TRUE(t.contains(QString::fromUtf8("Tlač vybraného zoznamu odberateľov")));
    EXPECT_TRUE(t.contains("O'Neil s.r.o."));
    EXPECT_FALSE(t.contains(QString::fromUtf8("Zlieváreň Sever"))) << "the list as searched";

    // A customer that does not exist: a message, no row.
    const int before = count("select count(*) from CODBERATELOV");
    EXPECT_FALSE(EditCustomer(999));
    EXPECT_EQ(responder->Messages.last().Text, QString::fromUtf8("Odberateľ č.999 neexistuje !"));
    EXPECT_EQ(count("select count(*) from CODBERATELOV"), before);
}

TEST_F(DocumentsTest, ComplaintNumberedEditedAndPrintedAlone)
{
    exec("insert into ZAKREK (C_REK, C_INT, D_VYSTAV, NEZHODA) values ('26001', 260001, '2026-03-01', 'LUNKER')");
    // Another form had narrowed the list to one job.
    odbyt->QZakRek.SelectSQL.SetStrings(2, "where a.c_int=999999");
    WhenModal<TZakRekForm>([&](TZakRekForm *f) {
        EXPECT_EQ(odbyt->QZakRek.RecordCount(), 1) << "the other form's condition is gone";
        // New: numbered after the year's last, printed once saved.
        WhenModal<TZakRekDForm>(
            [&](TZakRekDForm *d) {
                EXPECT_EQ(odbyt->QZakRek.FieldByName("C_REK")->AsString().trimmed(), "26002");
                EXPECT_EQ(d->DBcbNEZHODA->count(), 16);
                odbyt->QZakRek.FieldByName("C_INT")->SetValue(260001);
                odbyt->QZakRek.FieldByName("NEZHODA")->SetValue("ROZMERY");
                printerButton();
                QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
            },
            f);
        QTest::mouseClick(f->BtnNovy, Qt::LeftButton);
        f->SetModalResult(mrCancel);
    });
    ShowComplaints();
    EXPECT_EQ(count("select count(*) from ZAKREK where C_REK='26002' and NEZHODA='ROZMERY'"), 1);
    ASSERT_NE(ZakRekQRRep, nullptr);
    EXPECT_EQ(ZakRekQRRep->PageCount(), 1) << "the current protocol alone";
    const QStringList t = texts(ZakRekQRRep);
    EXPECT_TRUE(t.contains("26002"));
    EXPECT_FALSE(t.contains("26001"));
    EXPECT_TRUE(t.contains("ROZMERY"));
    EXPECT_FALSE(odbyt->QZakRek.Active());
}

TEST_F(DocumentsTest, ComplaintJobCheckedAsTheFocusMovesOnButNotWhenLeftByEscape)
{
    WindowWatch<TCisZakForm> pickList;
    pickList.Start();
    WhenModal<TZakRekForm>([&](TZakRekForm *f) {
        // A typed job number, completed with the year, brings the job's order, product and customer.
        WhenModal<TZakRekDForm>(
            [&](TZakRekDForm *d) {
                typeDirectly(d->DBeC_INT->Edit(), "1");
                EXPECT_EQ(odbyt->QZakRek.FieldByName("C_INT")->AsInteger(), 260001);
                EXPECT_EQ(odbyt->QZakRek.FieldByName("C_OBJ")->AsString().trimmed(), "ZAK260001");
                EXPECT_EQ(odbyt->QZakRek.FieldByName("C_VYR")->AsString().trimmed(), "V1");
                EXPECT_FALSE(pickList.Came) << "the one job of the number is taken without the list";
                QTest::mouseClick(d->BtnNezapis, Qt::LeftButton);
            },
            f);
        QTest::mouseClick(f->BtnNovy, Qt::LeftButton);
        // Escape from the empty job number leaves the new protocol: no pick list comes up, nothing is stored.
        WhenModal<TZakRekDForm>(
            [&](TZakRekDForm *d) {
                QApplication::setActiveWindow(d);
                EXPECT_EQ(QApplication::focusWidget(), d->DBeC_INT->Edit());
                QTest::keyClick(d->DBeC_INT->Edit(), Qt::Key_Escape);
            },
            f);
        QTest::mouseClick(f->BtnNovy, Qt::LeftButton);
        QApplication::processEvents();
        f->SetModalResult(mrCancel);
    });
    ShowComplaints();
    pickList.Stop();
    EXPECT_FALSE(pickList.Came) << "the job pick list came up over the protocol being left";
    EXPECT_EQ(count("select count(*) from ZAKREK"), 0);
}

TEST_F(DocumentsTest, ComplaintJobRetypedToNoJobLeavesNothingOfTheFormerOne)
{
    WindowWatch<TCisZakForm> pickList;
    pickList.Start();
    const QString noJob = QString::fromUtf8("Zákazka č.26/0999 neexistuje !");
    QStringList seen;
    WhenModal<TZakRekForm>([&](TZakRekForm *f) {
        WhenModal<TZakRekDForm>(
            [&](TZakRekDForm *d) {
                QWidget *job = d->DBeC_INT->Edit();
                // What the protocol shows of its job after each step: number, order, product, customer.
                const auto shown = [&](const char *step) {
                    QStringList row{QString::fromLatin1(step)};
                    for (const char *name : {"C_INT", "C_OBJ", "C_VYR", "ODBERATEL"})
                        row << odbyt->QZakRek.FieldByName(name)->DisplayText().trimmed();
                    row << responder->Texts().join(QLatin1Char('/'));
                    responder->Messages.clear();
                    seen << row.join(QLatin1Char(';'));
                };
                if (!ShowActive(d) ||
                    !WaitFor("the job has the focus", [&] { return QApplication::focusWidget() == job; }))
                    return;
                Type(QStringLiteral("26/0999"));
                Press(Qt::Key_Tab);
                shown("first");
                WaitFor("back on the job to correct it", [&] { return QApplication::focusWidget() == job; });
                Type(QStringLiteral("26/0001"));
                Press(Qt::Key_Tab);
                shown("found");
                // The list closed without a pick keeps the job.
                pickList.Stop();
                WhenModal<TCisZakForm>([](TCisZakForm *) { Press(Qt::Key_Escape); }, d);
                ClickOn(d->DBeC_INT->Button());
                shown("list left");
                pickList.Start();
                if (!BacktabTo(job))
                    return;
                Type(QStringLiteral("26/0999"));
                Press(Qt::Key_Tab);
                shown("retyped");
                ClickOn(d->BtnNezapis);
            },
            f);
        ClickOn(f->BtnNovy);
        f->SetModalResult(mrCancel);
    });
    ShowComplaints();
    pickList.Stop();
    const QStringList expected{
        "first;26/0999;;;;" + noJob,
        "found;26/0001;ZAK260001;V1;;",
        "list left;26/0001;ZAK260001;V1;;",
        "retyped;26/0999;;;;" + noJob,
    };
    EXPECT_EQ(seen.join('\n').toStdString(), expected.join('\n').toStdString());
    EXPECT_FALSE(pickList.Came) << "a typed job is looked up, not picked from the list";
}

TEST_F(DocumentsTest, ComplaintTakesTheJobAsPrintedInItsFieldAndItsFilter)
{
    job(260012, "ZAK260001", "V1");
    exec("insert into ZAKREK (C_REK, C_INT) values ('26001', 260012)");
    exec("insert into ZAKREK (C_REK, C_INT) values ('26002', 260001)");
    WhenModal<TZakRekForm>([&](TZakRekForm *f) {
        WhenModal<TZakRekDForm>(
            [&](TZakRekDForm *d) {
                typeDirectly(d->DBeC_INT->Edit(), "26/0012");
                EXPECT_TRUE(responder->Messages.isEmpty()) << "26/0012 is no refused number";
                EXPECT_EQ(odbyt->QZakRek.FieldByName("C_INT")->AsInteger(), 260012);
                EXPECT_EQ(odbyt->QZakRek.FieldByName("C_OBJ")->AsString().trimmed(), "ZAK260001");
                typeDirectly(d->DBeC_INT->Edit(), "26/00x");
                EXPECT_EQ(responder->Texts(),
                          QStringList{QString::fromUtf8("„26/00x“ nie je číslo zákazky (napr. 26/0015).")});
                EXPECT_EQ(odbyt->QZakRek.FieldByName("C_INT")->AsInteger(), 260012) << "the job stays";
                QTest::mouseClick(d->BtnNezapis, Qt::LeftButton);
            },
            f);
        QTest::mouseClick(f->BtnNovy, Qt::LeftButton);
        // The list's job filter, typed as printed, short or whole.
        QApplication::setActiveWindow(f);
        PutFocusDirectly(f->eC_INT);
        TypeText(f->eC_INT, "26/0012");
        EXPECT_EQ(f->eC_INT->text(), "26/0012");
        EXPECT_EQ(odbyt->QZakRek.RecordCount(), 1);
        EXPECT_EQ(odbyt->QZakRek.FieldByName("C_REK")->AsString().trimmed(), "26001");
        f->eC_INT->clear();
        TypeText(f->eC_INT, "260001");
        EXPECT_EQ(odbyt->QZakRek.FieldByName("C_REK")->AsString().trimmed(), "26002");
        f->eC_INT->clear();
        TypeText(f->eC_INT, "26/1");
        EXPECT_EQ(odbyt->QZakRek.FieldByName("C_REK")->AsString().trimmed(), "26002");
        f->SetModalResult(mrCancel);
    });
    ShowComplaints();
    EXPECT_EQ(count("select count(*) from ZAKREK"), 2);
}

TEST_F(DocumentsTest, ReviewListsTheCustomersLaterOrdersNumbered)
{
    exec("update ZAKAZKY set D_OBJ='2026-02-01', D_VYSTAV='2026-02-01' where C_OBJ='ZAK260001'");
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, D_OBJ, D_VYSTAV) values ('ZAK260002', 'Z', 5, '2026-03-01', "
         "'2026-03-01')");
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, D_OBJ, D_VYSTAV) values ('ZAK250009', 'Z', 5, '2025-12-01', "
         "'2025-12-01')");
    job(260005, "ZAK260002", "V1");
    job(250009, "ZAK250009", "V1");
    printerButton();
    PrintOrderReview("ZAK260001");
    ASSERT_NE(QRTlacPreskObj, nullptr);
    const QStringList t = texts(QRTlacPreskObj);
    EXPECT_TRUE(t.contains(QString::fromUtf8("PRESKÚMANIE OBJEDNÁVKY")));
    EXPECT_TRUE(t.contains("ZAK260002")) << "a later order of the customer";
    EXPECT_FALSE(t.contains("ZAK250009")) << "an earlier one is not";
    EXPECT_TRUE(t.contains("2")) << "the second row's number";
}

TEST_F(DocumentsTest, CustomersListedByNumberAndSearchedByPrefix)
{
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (-3, 'Dočasný')");
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (12, 'Odlievareň')");
    TxTable &t = cis->QOdberatelia;
    SortCustomers("C_ODB");
    t.Last();
    EXPECT_EQ(t.RecordCount(), 2) << "numbers above 0 only";
    t.First();
    EXPECT_EQ(t.FieldByName("C_ODB")->AsInteger(), 5);
    QuickSearchCustomers("ODBERATEL", "Odl");
    EXPECT_EQ(t.RecordCount(), 1);
    QuickSearchCustomers("C_ODB", "-");
    EXPECT_EQ(t.RecordCount(), 1) << "the number search lists provisional customers too";
    QuickSearchCustomers("ODBERATEL", "x' or 1=1 --");
    EXPECT_TRUE(t.IsEmpty()) << "typed text stays a literal";
    t.Close();
}

TEST_F(DocumentsTest, ACustomerStillNamedByOffersOrdersNotesOrToolsIsNotDeleted)
{
    // Customer 5 has the order of the fixture; 6 an offer, 7 a delivery note, 8 a die; 9 nothing.
    for (int c = 6; c <= 9; ++c)
        exec(QStringLiteral("insert into CODBERATELOV (C_ODB, ODBERATEL) values (%1, 'Odberateľ %1')").arg(c));
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values ('PON260001', 'P', 6, 'EUR')");
    exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, MENA, KURZ) values (260001, 7, ' ', 'EUR', 1)");
    exec("insert into POLOZKY (C_POL, TYP1, TYP2, NAZOV, C_ODB) values ('K-8', 'N', 'K', 'Kokila', 8)");
    QStringList refusals;
    WhenModal<TOdberateliaForm>([&](TOdberateliaForm *f) {
        QApplication::setActiveWindow(f);
        for (int c = 5; c <= 9; ++c) {
            TabTo(f->HlC_ODB);
            f->HlC_ODB->clear();
            QTest::keyClicks(f->HlC_ODB, QString::number(c));
            ASSERT_EQ(cis->QOdberatelia.FieldByName("C_ODB")->AsInteger(), c);
            const int boxes = int(responder->Messages.size());
            responder->MessageAnswers = {mrYes};
            QTest::mouseClick(f->btnZmazOdb, Qt::LeftButton);
            if (responder->Messages.size() > boxes + 1)
                refusals << responder->Messages.last().Text;
        }
        f->SetModalResult(mrCancel);
    });
    ShowCustomers();
    ASSERT_EQ(refusals.size(), 4) << responder->Texts().join('\n').toStdString();
    // Each refusal says what holds the customer.
    const char *holders[] = {"má objednávky.", "má cenové ponuky.", "má dodacie listy.", "má výrobky alebo náradie."};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(
            refusals[i].endsWith(QString::fromUtf8("Odberateľa nie je možné zmazať: ") + QString::fromUtf8(holders[i])))
            << refusals[i].toStdString();
    EXPECT_EQ(count("select count(*) from CODBERATELOV where C_ODB between 5 and 8"), 4) << "nothing deleted";
    EXPECT_EQ(count("select count(*) from CODBERATELOV where C_ODB=9"), 0) << "a customer nobody names goes";
    EXPECT_EQ(count("select count(*) from ZAKAZKY where C_ODB in (5, 6)"), 2);
}

TEST_F(DocumentsTest, ComplaintDeletedOnlyWhenConfirmedAndItsJobOpened)
{
    exec("insert into ZAKREK (C_REK, C_INT, D_VYSTAV) values ('26001', 260001, '2026-03-01')");
    QVariantList opened;
    RegisterOpenRoutine(Routine::ShowInternalOrders, [&](const QVariantList &args) { opened = args; });
    WhenModal<TZakRekForm>([&](TZakRekForm *f) {
        responder->MessageAnswers = {mrNo, mrYes};
        QTest::mouseClick(f->btnIntObj, Qt::LeftButton);
        QTest::mouseClick(f->BtnZmaz, Qt::LeftButton);
        EXPECT_EQ(odbyt->QZakRek.RecordCount(), 1);
        QTest::mouseClick(f->BtnZmaz, Qt::LeftButton);
        EXPECT_TRUE(odbyt->QZakRek.IsEmpty());
        f->SetModalResult(mrCancel);
    });
    ShowComplaints();
    UnregisterOpenRoutine(Routine::ShowInternalOrders);
    EXPECT_EQ(opened, QVariantList({QStringLiteral("C_INT"), 260001}));
    ASSERT_GE(responder->Messages.size(), 1);
    EXPECT_EQ(responder->Messages[0].Text, QString::fromUtf8("Naozaj zmazať reklamačný protokol č.26001 ?!"));
    EXPECT_EQ(count("select count(*) from ZAKREK"), 0);
}

TEST_F(DocumentsTest, RefusedCustomerPostKeepsTheDialogAndTheTyping)
{
    ASSERT_TRUE(OpenOneCustomer(5));
    cis->QOdberatelia.Append();
    WhenModal<TOdberatelDForm>([&](TOdberatelDForm *d) {
        TxTable &t = cis->QOdberatelia;
        t.FieldByName("ODBERATEL")->SetValue("Nový");
        t.FieldByName("C_ODB")->SetValue(5); // the number another customer has
        responder->MessageAnswers = {mrOk};
        QTest::mouseClick(d->BtnZapis1, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(d->isVisible()) << "a refused post keeps the dialog";
        EXPECT_EQ(t.State(), dsInsert);
        EXPECT_EQ(t.FieldByName("ODBERATEL")->AsString(), QString::fromUtf8("Nový"));
        t.FieldByName("C_ODB")->SetValue(6);
        QTest::mouseClick(d->BtnZapis1, Qt::LeftButton);
    });
    EXPECT_EQ(FormOnDemand(OdberatelDForm).RunOnCurrent(), mrOk);
    EXPECT_EQ(count("select count(*) from CODBERATELOV where C_ODB=6 and ODBERATEL='Nový'"), 1);
    EXPECT_FALSE(responder->Messages.isEmpty()) << "the refusal was shown";
}

TEST_F(DocumentsTest, ACustomerWithoutANameIsRefusedAndKeepsTheDialog)
{
    for (const QString &name : {QString(), QStringLiteral("   ")}) {
        const int customers = count("select count(*) from CODBERATELOV");
        const int boxes = int(responder->Messages.size());
        WhenModal<TOdberateliaForm>([&](TOdberateliaForm *f) {
            WhenModal<TOdberatelDForm>(
                [&](TOdberatelDForm *d) {
                    Type(name);
                    ASSERT_TRUE(TabAndType(d->findChild<TxDBEdit *>("DBeMESTO")->Edit(), QString::fromUtf8("Žilina")));
                    responder->MessageAnswers = {mrOk};
                    ClickOn(d->BtnZapis1);
                    EXPECT_TRUE(d->isVisible()) << "the refusal keeps the dialog";
                    ASSERT_EQ(responder->Messages.size(), boxes + 1) << "one refusal";
                    EXPECT_EQ(responder->Messages.last().Text,
                              QString::fromUtf8("Povinný údaj \"Odberateľ\" nie je zadaný!"));
                    EXPECT_EQ(cis->QOdberatelia.FieldByName("MESTO")->AsString(), QString::fromUtf8("Žilina"));
                    ClickOn(d->DBeODBERATEL->Edit());
                    Type(QString::fromUtf8("Zlieváreň Juh"));
                    ClickOn(d->BtnZapis1);
                },
                f);
            ClickOn(f->btnNovyOdb);
            f->SetModalResult(mrCancel);
        });
        ShowCustomers();
        EXPECT_EQ(count("select count(*) from CODBERATELOV"), customers + 1);
        EXPECT_EQ(count("select count(*) from CODBERATELOV where ODBERATEL like '%Zlieváreň Juh' and MESTO='Žilina'"),
                  1);
        exec("delete from CODBERATELOV where MESTO='Žilina' and ODBERATEL like '%Juh'");
    }
}
