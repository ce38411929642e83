// Hand-overs: document numbers per month, the calculation copied in, the closed month, the rise of a fully
// handed-over job to state 90, the home currency's rate, and the print mark of exactly the printed rows.
#include "common/PersonTyping.h"
#include "ProductionFixture.h"
#include "common/HostileCorpus.h"

#include "common/ShownBoxes.h"
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "production/DMOdv.h"
#include "production/ProductionModule.h"
#include "production/SOdvQR1Rep.h"
#include "production/SOdvodyForm.h"
#include "shell/MenuHooks.h"
#include "platform/chart/DBChart.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/RadioGroup.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/os/Exception.h"
#include "platform/ui/ModalResult.h"

class HandOverTest : public ProductionTest {
protected:
    void SetUp() override
    {
        ProductionTest::SetUp();
        if (HasFatalFailure())
            return;
        odv = std::make_unique<TDMOdv>();
        openJob(260001, 10, "2026-04-01", 85);
        exec("insert into ZAKKALK (C_INT, VAHA1, MAT1, MZD1, CENA1, MENA, KURZ, KOEF_MAT, KOEF_DOP, CENA_KURZ1) "
             "values (260001, 10, 10, 4, 50, 'EUR', 1, 0.1, 0.2, 50)");
        odv->QvSOdvody.Open();
    }
    // The form shown and active as the menu shows it, with job 260001 in production (state 40).
    void showForm(TSOdvodyForm &form)
    {
        exec("update ZAKAZKYD set STAV_ZAK=40 where C_INT=260001");
        form.show();
        QApplication::setActiveWindow(&form);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        odv.reset();
        ProductionTest::TearDown();
    }
    TField *f(const char *name) { return odv->QvSOdvody.FieldByName(QString::fromLatin1(name)); }
    // Appends a hand-over of the job and posts it.
    void handOver(int pieces, const QDate &date = QDate())
    {
        TxDataSet &q = odv->QvSOdvody;
        q.Append();
        if (date.isValid())
            f("DATUM")->SetValue(date);
        f("C_INT")->SetText("1");
        f("MNOZSTVO")->SetValue(pieces);
        q.Post();
    }
    std::unique_ptr<TDMOdv> odv;
};

TEST_F(HandOverTest, NumbersRunPerMonthAndTheLastPiecesRaiseTheJob)
{
    handOver(4);
    EXPECT_EQ(f("C_DOKLADU")->AsInteger(), 1);
    EXPECT_EQ(f("C_INT")->AsInteger(), 260001);
    EXPECT_EQ(f("MAT1")->AsFloat(), 10);
    EXPECT_EQ(f("CENAC")->AsFloat(), 200);
    EXPECT_TRUE(responder->Texts().isEmpty());
    EXPECT_EQ(count("select count(*) from SODVODY where C_DOKLADU=1 and MNOZSTVO=4 and MAT1=10"), 1);

    responder->MessageAnswers = {mrYes};
    handOver(6, QDate(2026, 3, 1));
    EXPECT_EQ(f("C_DOKLADU")->AsInteger(), 2);
    ASSERT_EQ(responder->Texts().size(), 1);
    EXPECT_TRUE(responder->Texts()[0].contains("Vyrábaných : 10"));
    EXPECT_TRUE(responder->Texts()[0].contains("Odvedených : 10"));
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260001"), 90);

    // A job at 90 is not asked about again.
    handOver(1);
    EXPECT_EQ(responder->Texts().size(), 1);

    // A date outside the open period is refused; the number of an existing hand-over stays with it.
    TxDataSet &q = odv->QvSOdvody;
    q.Append();
    EXPECT_ANY_THROW(f("DATUM")->SetValue(QDate(2026, 2, 28)));
    EXPECT_ANY_THROW(f("DATUM")->SetValue(QDate(2026, 3, 17)));
    q.Cancel();
    ASSERT_TRUE(q.Locate("C_DOKLADU", 2));
    q.Edit();
    f("DATUM")->SetValue(QDate(2026, 3, 10));
    EXPECT_EQ(f("C_DOKLADU")->AsInteger(), 2);
    q.Cancel();
    // A number taken in the month is refused.
    q.Append();
    EXPECT_ANY_THROW(f("C_DOKLADU")->SetValue(1));
    q.Cancel();
}

TEST_F(HandOverTest, AMonthStaysOpenUpToTheTenthOfTheNext)
{
    SetNowForTests(QDateTime(QDate(2026, 3, 9), QTime(8, 0)));
    handOver(1, QDate(2026, 2, 1));
    EXPECT_EQ(f("C_DOKLADU")->AsInteger(), 1);
    TxDataSet &q = odv->QvSOdvody;
    q.Edit();
    q.Cancel();

    SetNowForTests(QDateTime(QDate(2026, 3, 11), QTime(8, 0)));
    EXPECT_ANY_THROW(q.Edit());
    EXPECT_ANY_THROW(q.Delete());
    EXPECT_EQ(count("select count(*) from SODVODY"), 1);
}

TEST_F(HandOverTest, AJobWithoutACalculationCannotBeEntered)
{
    openJob(260002, 5, "2026-04-01", 40);
    TxDataSet &q = odv->QvSOdvody;
    q.Append();
    try {
        f("C_INT")->SetValue(260002);
        FAIL() << "accepted a job without a calculation";
    } catch (const EDatabaseError &e) {
        // The user reads the sentence alone; the data set's internal name stays with the error.
        EXPECT_EQ(e.Message, QString::fromUtf8("K zakazke č. 260002 neexistuje kalkulácia"));
        EXPECT_EQ(e.DataSetName, "QvSOdvody");
    }
    q.Cancel();
}

TEST_F(HandOverTest, TheHomeCurrencyHasTheRateOne)
{
    TxDataSet &q = odv->QvSOdvody;
    q.Append();
    f("C_INT")->SetValue(260001);
    f("KURZ")->SetValue(2.5);
    EXPECT_EQ(f("KURZ")->AsFloat(), 1);
    q.Cancel();
}

TEST_F(HandOverTest, DeletingAsksFirst)
{
    handOver(1);
    responder->MessageAnswers = {mrNo};
    EXPECT_THROW(odv->QvSOdvody.Delete(), EAbort); // a silent abort
    EXPECT_EQ(count("select count(*) from SODVODY"), 1);
    responder->MessageAnswers = {mrYes};
    odv->QvSOdvody.Delete();
    EXPECT_EQ(count("select count(*) from SODVODY"), 0);
}

TEST_F(HandOverTest, MarkAsPrintedMarksExactlyThePrintedRows)
{
    handOver(1);
    handOver(2);
    const QList<THandOverKey> printed = odv->OpenUnprinted();
    ASSERT_EQ(printed.size(), 2);
    // Entered by someone else while the list was being printed.
    exec("insert into SODVODY (DATUM, C_INT, C_DOKLADU, MNOZSTVO, STAV_ODV) values ('2026-03-16', 260001, 3, 1, 0)");
    EXPECT_EQ(odv->MarkPrinted(printed), 2);
    EXPECT_EQ(count("select count(*) from SODVODY where STAV_ODV=1"), 2);
    EXPECT_EQ(count("select count(*) from SODVODY where C_DOKLADU=3 and STAV_ODV=0"), 1);
}

TEST_F(HandOverTest, FormEntersListsChartsAndMakesADeliveryNote)
{
    exec("update ZAKAZKYD set STAV_ZAK=40 where C_INT=260001");
    TSOdvodyForm form;
    form.show();
    QApplication::processEvents();
    QTest::mouseClick(form.BtnNovy, Qt::LeftButton);
    EXPECT_EQ(form.pcOdvody->currentWidget(), form.tabDetail);
    // No job yet: the rate is not shown as a bare ",00000".
    const QString rate = form.DBEditKURZ->text();
    EXPECT_TRUE(rate.isEmpty() ||
                rate == QStringLiteral("0") + FormatSettings().DecimalSeparator + QStringLiteral("00000"))
        << rate.toStdString();
    type(form.DBEditC_INT, "1");
    type(form.DBEditMNOZSTVO, "3");
    QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from SODVODY where C_INT=260001 and MNOZSTVO=3 and C_DOKLADU=1"), 1);
    EXPECT_EQ(odv->QvSOdvody.State(), dsInsert); // the next one is ready
    QTest::mouseClick(form.BtnNezapis, Qt::LeftButton);
    EXPECT_EQ(form.pcOdvody->currentWidget(), form.tabOdvody);

    // The overview of the row's day and customer.
    odv->QvSOdvody.First();
    form.actPrehlady->trigger();
    EXPECT_EQ(form.pcOdvody->currentWidget(), form.tabPrehlady);
    EXPECT_EQ(form.vDatum_Do->text(), DateStr(QDate(2026, 3, 16)));
    EXPECT_EQ(form.vC_ODB->text(), "5");
    EXPECT_EQ(dm->QTlac.RecordCount(), 1);
    form.vC_ODB->clear();

    // Overviews of the month and their chart; leaving the chart detaches it.
    form.vDatum_Od->setText("1.3.2026");
    form.vDatum_Do->setText("31.3.2026");
    form.pcOdvody->setCurrentWidget(form.tabPrehlady);
    form.rgPohlad->SetItemIndex(5);
    QTest::mouseClick(form.BtnFilter3, Qt::LeftButton);
    EXPECT_EQ(form.lCena->text(), QString::fromUtf8("150,00"));
    QTest::mouseClick(form.btnGraf, Qt::LeftButton);
    EXPECT_EQ(form.pcOdvody->currentWidget(), form.tabGraf);
    ASSERT_EQ(form.DBChart1->SeriesCount(), 1);
    EXPECT_EQ(form.Series1.Values(), std::vector<double>{150});
    EXPECT_EQ(form.DBChart1->BottomAxisTitle(), QString::fromUtf8("č.Výrobku"));
    form.pcOdvody->setCurrentWidget(form.tabPrehlady);
    EXPECT_EQ(form.DBChart1->SeriesCount(), 0);

    // The job caption of the overviews finds the typed job.
    responder->Messages.clear();
    form.vC_INT3->setText("260001");
    QLabel *jobCaption = nullptr;
    for (QLabel *l : form.tabPrehlady->findChildren<QLabel *>())
        if (l->text().contains(QString::fromUtf8("č.Zákazky")))
            jobCaption = l;
    ASSERT_NE(jobCaption, nullptr);
    emit jobCaption->linkActivated("#");
    EXPECT_EQ(form.vC_INT3->text(), "260001");
    EXPECT_TRUE(responder->Texts().isEmpty());
    form.vC_INT3->clear();

    // Without the dispatch module the user is told; with it the note gets the customer's lines.
    responder->Messages.clear();
    form.pcOdvody->setCurrentWidget(form.tabOdvody);
    QTest::mouseClick(form.btnVystavDL, Qt::LeftButton);
    EXPECT_EQ(responder->Texts(), QStringList{NotAvailableText});
    QStringList lines;
    int printedNote = 0;
    ModuleHooks().NewDeliveryNoteForJob = [](int, double) { return 77; };
    ModuleHooks().AddDeliveryNoteLine = [&lines](const QString &, const QString &, int job, int q, double) {
        lines << QStringLiteral("%1 %2").arg(job).arg(q);
        return lines.last();
    };
    ModuleHooks().PrintDeliveryNote = [&printedNote](int note, int) { printedNote = note; };
    responder->MessageAnswers = {mrYes};
    QTest::mouseClick(form.btnVystavDL, Qt::LeftButton);
    ModuleHooks().NewDeliveryNoteForJob = nullptr;
    ModuleHooks().AddDeliveryNoteLine = nullptr;
    ModuleHooks().PrintDeliveryNote = nullptr;
    EXPECT_EQ(lines, QStringList{"260001 3"});
    EXPECT_EQ(printedNote, 77);
    EXPECT_TRUE(responder->Texts().last().startsWith(QString::fromUtf8("Dodací list má číslo 77\r\r260001 3")));
    form.close();
}

// The form as the menu shows it, modally: the detail page's buttons and Escape keep it open.
TEST_F(HandOverTest, SavingAndCancellingTheDetailKeepTheFormOpen)
{
    exec("update ZAKAZKYD set STAV_ZAK=40 where C_INT=260001");
    bool stayedOpen = false;
    WhenModal<TSOdvodyForm>([&](TSOdvodyForm *form) {
        QTest::mouseClick(form->BtnNovy, Qt::LeftButton);
        type(form->DBEditC_INT, "1");
        type(form->DBEditMNOZSTVO, "3");
        QTest::mouseClick(form->BtnZapis, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(form->isVisible()) << "saved, the form waits for the next hand-over";
        EXPECT_EQ(form->pcOdvody->currentWidget(), form->tabDetail);
        EXPECT_EQ(odv->QvSOdvody.State(), dsInsert);
        // The next one begun and left by Escape: back on the list, nothing more stored.
        type(form->DBEditC_INT, "1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_TRUE(form->isVisible()) << "cancelled, the list is shown again";
        EXPECT_EQ(form->pcOdvody->currentWidget(), form->tabOdvody);
        QTest::mouseClick(form->BtnOprav, Qt::LeftButton);
        QTest::mouseClick(form->BtnNezapis, Qt::LeftButton);
        QApplication::processEvents();
        stayedOpen = form->isVisible() && form->pcOdvody->currentWidget() == form->tabOdvody;
        form->SetModalResult(mrCancel);
    });
    ShowHandOvers();
    EXPECT_TRUE(stayedOpen) << "\"Zrušiť\" on an edited hand-over returns to the list";
    EXPECT_EQ(count("select count(*) from SODVODY where C_INT=260001"), 1);
    delete SOdvodyForm;
}

// The question after the last pieces comes up over the hand-over form as a real box: the form stays on screen
// with its list open, and after either answer the next hand-over is typed at once.
TEST_F(HandOverTest, TheQuestionOfTheLastPiecesKeepsTheFormWhateverTheAnswer)
{
    openJob(260002, 4, "2026-04-01", 85);
    exec("insert into ZAKKALK (C_INT, VAHA1, MAT1, MZD1, CENA1, MENA, KURZ, KOEF_MAT, KOEF_DOP, CENA_KURZ1) "
         "values (260002, 1, 1, 1, 5, 'EUR', 1, 0, 0, 5)");
    SetMessageResponder(nullptr); // the program's own boxes
    QStringList asked;
    bool formKept = true;
    // Types a hand-over as a person does (the job's digits into the empty field) and saves it with Enter on OK,
    // answering the question with the button.
    const auto handOverAnswering = [&](TSOdvodyForm *form, const char *job, const char *pieces,
                                       QMessageBox::StandardButton answer) {
        EXPECT_EQ(form->focusWidget(), form->DBEditC_INT);
        QTest::keyClicks(form->DBEditC_INT, QString::fromLatin1(job));
        QTest::keyClick(form->DBEditC_INT, Qt::Key_Tab);
        TabTo(form->DBEditMNOZSTVO);
        QTest::keyClicks(form->DBEditMNOZSTVO, QString::fromLatin1(pieces));
        QTest::keyClick(form->DBEditMNOZSTVO, Qt::Key_Tab);
        WhenModal<QMessageBox>(
            [&, form, answer](QMessageBox *box) {
                asked << box->text();
                formKept = formKept && box->parentWidget() == form && form->isVisible() && odv->QvSOdvody.Active() &&
                           form->pcOdvody->currentWidget() == form->tabDetail;
                QTest::mouseClick(box->button(answer), Qt::LeftButton);
            },
            form);
        TabTo(form->BtnZapis);
        QTest::keyClick(form->BtnZapis, Qt::Key_Return);
        QApplication::processEvents();
    };
    bool ready = false;
    WhenModal<TSOdvodyForm>([&](TSOdvodyForm *form) {
        QTest::mouseClick(form->BtnNovy, Qt::LeftButton);
        EXPECT_TRUE(form->DBEditC_INT->text().isEmpty()) << "a new hand-over has no job yet";
        handOverAnswering(form, "1", "10", QMessageBox::Yes);
        handOverAnswering(form, "2", "4", QMessageBox::No);
        ready = form->isVisible() && odv->QvSOdvody.State() == dsInsert && form->focusWidget() == form->DBEditC_INT;
        form->SetModalResult(mrCancel);
    });
    ShowHandOvers();
    SetMessageResponder(responder.get());
    ASSERT_EQ(asked.size(), 2);
    EXPECT_TRUE(asked[0].startsWith(QString::fromUtf8("Označiť zakázku ako odvedenú ?"))) << asked[0].toStdString();
    EXPECT_TRUE(formKept) << "the box is the form's own and the form stays with its list";
    EXPECT_TRUE(ready) << "the next hand-over is ready to be typed";
    EXPECT_EQ(count("select count(*) from SODVODY where C_INT=260001 and MNOZSTVO=10"), 1);
    EXPECT_EQ(count("select count(*) from SODVODY where C_INT=260002 and MNOZSTVO=4"), 1);
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260001"), 90) << "yes";
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260002"), 85) << "no";
    delete SOdvodyForm;
}

// A date refused on leaving its field keeps the job typed next: the job field is empty, not "0/0000".
TEST_F(HandOverTest, ARefusedDateLosesNotTheJobTypedNext)
{
    TShownBoxes boxes;
    TSOdvodyForm form;
    showForm(form);
    QTest::mouseClick(form.BtnNovy, Qt::LeftButton);
    QTest::keyClick(form.DBEditC_INT, Qt::Key_Backtab);
    ASSERT_TRUE(form.DBEditDATUM->hasFocus());
    QTest::keyClicks(form.DBEditDATUM, "31.2.2026");
    QTest::keyClick(form.DBEditDATUM, Qt::Key_Tab);
    QApplication::processEvents();
    // The refused date keeps the focus; Escape gives it up and the clerk goes on to the job.
    ASSERT_TRUE(form.DBEditDATUM->hasFocus());
    QTest::keyClick(form.DBEditDATUM, Qt::Key_Escape);
    QTest::keyClick(form.DBEditDATUM, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_TRUE(form.DBEditC_INT->hasFocus());
    QTest::keyClicks(form.DBEditC_INT, "1");
    QTest::keyClick(form.DBEditC_INT, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(f("C_INT")->AsInteger(), 260001);
    EXPECT_EQ(f("C_VYR")->AsString().trimmed(), "V1") << "the job's calculation copied in";
    ASSERT_FALSE(boxes.Texts().isEmpty());
    EXPECT_EQ(boxes.Texts().first(), QString::fromUtf8("'31.2.2026' nie je platný dátum"));
    for (const QString &text : boxes.Texts()) {
        EXPECT_FALSE(text.contains(QStringLiteral("QvSOdvody"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QString::fromUtf8("neexistuje kalkulácia"))) << text.toStdString();
    }
    QTest::mouseClick(form.BtnNezapis, Qt::LeftButton);

    // OK on a hand-over without a job says so and stores nothing.
    const int stored = count("select count(*) from SODVODY");
    QTest::mouseClick(form.BtnNovy, Qt::LeftButton);
    QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
    EXPECT_EQ(boxes.Texts().last(), QString::fromUtf8("Položka 'č.Zákazky' musí mať hodnotu"));
    EXPECT_EQ(count("select count(*) from SODVODY"), stored);
    EXPECT_TRUE(form.isVisible());
    odv->QvSOdvody.Cancel();
    form.close();
}

TEST_F(HandOverTest, EnterMovesFromFieldToFieldAndStoresNothingHalfTyped)
{
    TShownBoxes boxes;
    TSOdvodyForm form;
    showForm(form);
    const int stored = count("select count(*) from SODVODY");
    QTest::mouseClick(form.BtnNovy, Qt::LeftButton);
    ASSERT_TRUE(form.DBEditC_INT->hasFocus());
    QTest::keyClicks(form.DBEditC_INT, "1");
    QTest::keyClick(form.DBEditC_INT, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(form.DBEditC_INT->hasFocus()) << "Enter moves on";
    EXPECT_EQ(count("select count(*) from SODVODY"), stored) << "a hand-over without its quantity is not stored";
    EXPECT_TRUE(boxes.Texts().isEmpty());
    QTest::mouseClick(form.BtnNezapis, Qt::LeftButton);
    form.close();
}

TEST_F(HandOverTest, HandOversOfAPeriodForTheInternalOrders)
{
    handOver(2);
    odv->OpenPeriodList(QDate(2026, 3, 1), QDate(2026, 3, 31));
    EXPECT_EQ(dm->QTlac.RecordCount(), 1);
    odv->OpenPeriodList(QDate(2026, 2, 1), QDate(2026, 2, 28));
    EXPECT_TRUE(dm->QTlac.IsEmpty());
    dm->QTlac.Close();
    // The registration lends every hook of the module; the tests after this one find them as they were.
    const TModuleHooks before = ModuleHooks();
    RegisterProductionModule();
    EXPECT_TRUE(bool(ModuleHooks().PrintHandOversOfPeriod));
    ModuleHooks() = before;
}

TEST_F(HandOverTest, TheOverviewReportFollowsTheView)
{
    handOver(2);
    TSOdvQR1Rep report;
    const auto texts = [&report] {
        report.prepare();
        QStringList all;
        for (const TQRPage &page : report.Pages())
            for (const TQRItem &item : page.items)
                all << item.text.trimmed();
        return all;
    };
    TDMOdv::TOverview o;
    o.From = QDate(2026, 3, 1);
    o.To = QDate(2026, 3, 31);
    odv->OpenOverview(o);
    report.SetView(0);
    QStringList shown = texts();
    EXPECT_TRUE(shown.contains("Doklad"));
    EXPECT_TRUE(shown.contains("26/0001"));
    o.View = 5;
    odv->OpenOverview(o);
    report.SetView(5);
    shown = texts();
    EXPECT_FALSE(shown.contains("Doklad"));
    EXPECT_FALSE(shown.contains("26/0001"));
    EXPECT_TRUE(shown.contains("V1")) << shown.join('|').toStdString();
    dm->QTlac.Close();
}

// A job is typed as the program prints it, in the list's filter and in the hand-over itself; letters in
// the list's number filters are refused in words and the list stays.
TEST_F(HandOverTest, AJobTypedAsPrintedIsUnderstoodAndLettersAreRefused)
{
    handOver(2, QDate(2026, 3, 16));
    TSOdvodyForm form;
    showForm(form);
    QTest::mouseClick(form.BtnNovy, Qt::LeftButton);
    ASSERT_TRUE(form.DBEditC_INT->hasFocus());
    TypeText(form.DBEditC_INT, "26/0001");
    QTest::keyClick(form.DBEditC_INT, Qt::Key_Tab);
    EXPECT_EQ(f("C_INT")->AsInteger(), 260001) << responder->Texts().join('\n').toStdString();
    QTest::mouseClick(form.BtnNezapis, Qt::LeftButton);
    responder->Messages.clear();

    form.pcOdvody->setCurrentWidget(form.tabOdvody);
    TabTo(form.vC_INT);
    TypeText(form.vC_INT, "26/0001");
    QTest::mouseClick(form.BtnFilter1, Qt::LeftButton);
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('\n').toStdString();
    odv->QvSOdvody.FetchAll();
    EXPECT_EQ(odv->QvSOdvody.RecordCount(), 1);
    for (QLineEdit *e : {form.vC_INT, form.vC_DOKLADU}) {
        e->clear();
        TypeText(e, QString::fromUtf8("Žiar"));
        QTest::mouseClick(form.BtnFilter1, Qt::LeftButton);
        ASSERT_FALSE(responder->Texts().isEmpty());
        EXPECT_TRUE(responder->Texts().last().contains(QString::fromUtf8("„Žiar“ nie je číslo")))
            << responder->Texts().last().toStdString();
        EXPECT_EQ(odv->QvSOdvody.RecordCount(), 1) << "the list stays";
        e->clear();
    }
    responder->Messages.clear();
    form.pcOdvody->setCurrentWidget(form.tabPrehlady);
    for (QLineEdit *e : {form.vC_ODB, form.vC_INT3}) {
        TypeText(e, QString::fromUtf8("č"));
        QTest::mouseClick(form.BtnFilter3, Qt::LeftButton);
        ASSERT_FALSE(responder->Texts().isEmpty());
        EXPECT_TRUE(responder->Texts().last().contains(QString::fromUtf8("„č“ nie je číslo")));
        e->clear();
    }
}

// A rate outside 0,0001..10000 typed into the detail is refused in words as it is typed: the rate and the
// prices made from it stay as the last good rate left them, and nothing of it is stored. The lists show the
// weight and the rate with their decimal places.
TEST_F(HandOverTest, ARateOutsideItsRangeIsRefusedAndTheListsShowItsPlaces)
{
    openJob(260002, 5, "2026-04-01", 40);
    exec("insert into ZAKKALK (C_INT, VAHA1, MAT1, MZD1, CENA1, MENA, KURZ, KOEF_MAT, KOEF_DOP, CENA_KURZ1) "
         "values (260002, 2, 10, 4, 50, 'CZK', 25, 0.1, 0.2, 1000)");
    // Numbers as the user's locale writes them (this test runs in the English one too).
    const auto local = [](const char *number) {
        return QString::fromUtf8(number).replace(QLatin1Char(','), FormatSettings().DecimalSeparator);
    };
    TShownBoxes boxes;
    TSOdvodyForm form;
    showForm(form);
    QTest::mouseClick(form.BtnNovy, Qt::LeftButton);
    ASSERT_TRUE(form.DBEditC_INT->hasFocus());
    QTest::keyClicks(form.DBEditC_INT, "2");
    QTest::keyClick(form.DBEditC_INT, Qt::Key_Tab);
    ASSERT_EQ(f("C_INT")->AsInteger(), 260002) << boxes.Texts().join('\n').toStdString();
    ASSERT_EQ(f("KURZ")->AsFloat(), 25);
    TabTo(form.DBEditMNOZSTVO);
    QTest::keyClicks(form.DBEditMNOZSTVO, "1");
    QTest::keyClick(form.DBEditMNOZSTVO, Qt::Key_Tab);
    const auto typeRate = [&form, &local](const char *text) {
        TabTo(form.DBEditKURZ);
        QTest::keyClicks(form.DBEditKURZ, local(text));
        QTest::keyClick(form.DBEditKURZ, Qt::Key_Tab);
        QApplication::processEvents();
    };
    typeRate("20");
    ASSERT_EQ(f("KURZ")->AsFloat(), 20);
    const double price = f("CENA1")->AsFloat();
    ASSERT_GT(price, 0);
    const std::pair<const char *, const char *> refused[] = {{"-5", "-5"}, {"20000", "20000"}, {"0,00001", "1E-5"}};
    for (const auto &[typed, shown] : refused) {
        SCOPED_TRACE(typed);
        boxes.Messages.clear();
        typeRate(typed);
        ASSERT_EQ(boxes.Texts().size(), 1);
        EXPECT_EQ(boxes.Texts()[0],
                  QString::fromUtf8("'%1' nie je platná hodnota položky 'Kurz', povolený rozsah je %2 až 10000")
                      .arg(local(shown), local("0,0001")));
        EXPECT_TRUE(form.DBEditKURZ->hasFocus()) << "the rate is typed again";
        EXPECT_EQ(f("KURZ")->AsFloat(), 20);
        EXPECT_EQ(f("CENA1")->AsFloat(), price);
        QTest::keyClick(form.DBEditKURZ, Qt::Key_Escape);
    }
    // The ends of the range are rates.
    for (const char *typed : {"10000", "0,0001"}) {
        boxes.Messages.clear();
        typeRate(typed);
        EXPECT_TRUE(boxes.Texts().isEmpty()) << typed << ": " << boxes.Texts().join('\n').toStdString();
    }
    typeRate("20");
    QTest::mouseClick(form.BtnZapis, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from SODVODY where C_INT=260002 and KURZ=20"), 1);
    EXPECT_EQ(count("select count(*) from SODVODY where KURZ<0.0001 or KURZ>10000"), 0);
    odv->QvSOdvody.Cancel();

    // The hand-over as listed, and in the overview's grid: the weight with three places, the rate with five.
    ASSERT_TRUE(odv->QvSOdvody.Locate("C_INT", 260002));
    EXPECT_EQ(f("VAHA1")->DisplayText(), local("2,000"));
    EXPECT_EQ(f("KURZ")->DisplayText(), local("20,00000"));
    form.vDatum_Od->setText("1.3.2026");
    form.vDatum_Do->setText("31.3.2026");
    form.pcOdvody->setCurrentWidget(form.tabPrehlady);
    form.rgPohlad->SetItemIndex(0);
    QTest::mouseClick(form.BtnFilter3, Qt::LeftButton);
    ASSERT_EQ(dm->QTlac.RecordCount(), 1);
    QStringList shown;
    for (int c = 0; c < form.DBGridPrehlad->ColumnCount(); ++c)
        if (const QString name = form.DBGridPrehlad->Columns(c)->FieldName; name == "VAHA1" || name == "KURZ")
            shown << name + "=" + form.DBGridPrehlad->model()->index(0, c).data().toString();
    EXPECT_EQ(shown, (QStringList{local("KURZ=20,00000"), local("VAHA1=2,000")}));
    form.close();
}

// A calculation without a usable rate passes none on: the home currency takes 1, another currency the day's.
TEST_F(HandOverTest, TheOverviewsPeriodShowsItsDatesWhole)
{
    TSOdvodyForm form;
    form.resize(900, 600);
    form.show();
    form.pcOdvody->setCurrentWidget(form.tabPrehlady);
    QApplication::processEvents();
    for (QLineEdit *e : {form.vDatum_Od, form.vDatum_Do}) {
        e->setText(QStringLiteral("28.12.2026"));
        QStyleOptionFrame option;
        option.initFrom(e);
        option.rect = e->rect();
        option.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, e);
        const int room = e->style()->subElementRect(QStyle::SE_LineEditContents, &option, e).width() - 4;
        EXPECT_GE(room, e->fontMetrics().horizontalAdvance(e->text())) << "the widest date shows whole";
    }
}

TEST_F(HandOverTest, ACalculationWithoutARateGivesTheHandOverNone)
{
    exec("update ZAKKALK set KURZ=0 where C_INT=260001");
    TxDataSet &q = odv->QvSOdvody;
    q.Append();
    f("C_INT")->SetValue(260001);
    EXPECT_EQ(f("KURZ")->AsFloat(), 1) << "the home currency";
    q.Cancel();

    openJob(260002, 5, "2026-04-01", 40);
    exec("insert into ZAKKALK (C_INT, VAHA1, MAT1, MZD1, CENA1, MENA, KURZ, KOEF_MAT, KOEF_DOP, CENA_KURZ1) "
         "values (260002, 2, 10, 4, 50, 'CZK', 0, 0.1, 0.2, 1000)");
    exec("insert into SODVODY (DATUM, C_INT, C_DOKLADU, MNOZSTVO, MENA, KURZ) values ('2026-03-16', 260002, 1, 1, "
         "'CZK', 24.5)");
    q.Append();
    f("C_INT")->SetValue(260002);
    EXPECT_EQ(f("KURZ")->AsFloat(), 24.5) << "the rate of the day's hand-overs in that currency";
    q.Cancel();
}

// The form can always be left by Escape: fresh, after Nový, after a refused save, after a typed hand-over
// (the first Escape gives up the hand-over being typed, the next closes). Closed by its title bar while a
// hand-over is typed, it asks first.
TEST_F(HandOverTest, EscapeLeavesTheFormInEveryStateAndTheTitleBarAsksAboutATypedOne)
{
    struct Case {
        const char *state;
        std::function<void(TSOdvodyForm &)> reach;
    };
    const Case cases[] = {
        {"fresh", [](TSOdvodyForm &) {}},
        {"after Nový", [](TSOdvodyForm &form) { ClickOn(form.BtnNovy); }},
        {"after a refused save",
         [](TSOdvodyForm &form) {
             ClickOn(form.BtnNovy);
             ASSERT_TRUE(TabTo(form.DBEditMNOZSTVO));
             Type("3");
             ClickOn(form.BtnZapis);
         }},
        {"after a typed hand-over",
         [](TSOdvodyForm &form) {
             ClickOn(form.BtnNovy);
             Type("1");
             ASSERT_TRUE(TabTo(form.DBEditMNOZSTVO));
             Type("3");
         }},
    };
    exec("update ZAKAZKYD set STAV_ZAK=40 where C_INT=260001");
    const int stored = count("select count(*) from SODVODY");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.state);
        TSOdvodyForm form;
        ASSERT_TRUE(ShowActive(&form));
        c.reach(form);
        responder->Messages.clear();
        for (int i = 0; i < 3 && form.isVisible(); ++i)
            Press(Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible()) << "three Escapes did not close the form";
        EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    }
    EXPECT_EQ(count("select count(*) from SODVODY"), stored);

    TSOdvodyForm form;
    ASSERT_TRUE(ShowActive(&form));
    ClickOn(form.BtnNovy);
    Type("1");
    ASSERT_TRUE(TabTo(form.DBEditMNOZSTVO));
    Type("3");
    for (const int answer : {int(mrCancel), int(mrNo)}) {
        responder->MessageAnswers.push_back(answer);
        form.close();
        Settle();
        EXPECT_EQ(form.isVisible(), answer == mrCancel);
    }
    EXPECT_EQ(responder->Texts(), QStringList(2, QString::fromUtf8("Uložiť zmeny?")));
    EXPECT_EQ(count("select count(*) from SODVODY"), stored);
}
