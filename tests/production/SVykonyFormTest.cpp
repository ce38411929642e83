// The performance form offscreen: a booking by scanned codes (F12) and typed values, an unknown job of a
// long code, the defect breakdown that must add up.
#include "common/PersonTyping.h"
#include "WorkshopFixture.h"
#include "common/HostileCorpus.h"
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "production/SVykonyForm.h"
#include "production/SVykonyZForm.h"
#include "shell/Routines.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/MaskEdit.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataSetModel.h"
#include "platform/ui/RadioGroup.h"

#include "platform/ui/BitBtn.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class PerformanceForm : public WorkshopTest {
protected:
    void SetUp() override
    {
        WorkshopTest::SetUp();
        if (HasFatalFailure())
            return;
        bookableJob();
        employee(57, "Novák", "FOR");
        form = std::make_unique<TSVykonyForm>();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(ShowActive(form.get()));
        form->pcVykony->setCurrentWidget(form->tsPracovnik);
    }
    void TearDown() override
    {
        form.reset();
        WorkshopTest::TearDown();
    }
    void scan(const char *code)
    {
        responder->InputAnswers.push_back(QString::fromLatin1(code));
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : form.get(), Qt::Key_F12);
    }
    void type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        TypeText(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    TField *f(const char *name) { return vyk->QvSVykony.FieldByName(QString::fromLatin1(name)); }
    std::unique_ptr<TSVykonyForm> form;
};

TEST_F(PerformanceForm, ScannedCardAndTicketThenTypedQuantityAndHoursBookIt)
{
    scan("57");
    ASSERT_EQ(vyk->QvSVykony.State(), dsInsert);
    EXPECT_EQ(f("OSC")->AsInteger(), 57);
    EXPECT_EQ(f("PRIEZVISKO")->AsString(), QString::fromUtf8("Novák"));
    EXPECT_EQ(f("DATUM")->AsDate(), QDate(2026, 3, 16));
    scan("260001000010");
    EXPECT_EQ(f("C_INT")->AsInteger(), 260001);
    EXPECT_EQ(f("C_OPERACIE")->AsInteger(), 10);
    EXPECT_EQ(f("OPERACIA")->AsString(), "ODL");
    type(form->DBeMNOZSTVO, "10");
    type(form->DBeOHOD, "7:39");
    EXPECT_DOUBLE_EQ(f("MZDA")->AsFloat(), 6.0);
    QTest::mouseClick(form->BtnZapis2, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from SVYKONY where OSC=57 and C_OPERACIE=10"), 1)
        << responder->Texts().join('\n').toStdString();
    EXPECT_DOUBLE_EQ(value("select OHOD from SVYKONY").toDouble(), 7.65);
    EXPECT_EQ(vyk->QvSVykony.State(), dsInsert) << "the next row is started at once";
    EXPECT_EQ(f("OSC")->AsInteger(), 57);
    vyk->QvSVykony.Cancel();
}

// Where the form puts the focus itself (the job after a scanned card or a stored row, the pieces after a scanned
// operation) the edit's value is selected: the digits typed there take its place instead of following "0/0000".
TEST_F(PerformanceForm, WhatIsTypedWhereTheFormPutsTheFocusReplacesTheValue)
{
    const auto typeHere = [](const char *text) {
        QWidget *focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClicks(focused, QString::fromLatin1(text));
        QTest::keyClick(focused, Qt::Key_Return);
    };
    // The card is read while the code's question is the active window; the focus comes as the form is again.
    QWidget question;
    question.show();
    QApplication::setActiveWindow(&question);
    ASSERT_TRUE(ShowActive(&question));
    responder->InputAnswers.push_back(QStringLiteral("57"));
    form->BarcodeEntry();
    question.hide();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(ShowActive(form.get()));
    ASSERT_EQ(QApplication::focusWidget(), form->DBeC_INT);
    typeHere("260001");
    EXPECT_EQ(f("C_INT")->AsInteger(), 260001) << responder->Texts().join('\n').toStdString();
    scan("260001000010");
    ASSERT_EQ(QApplication::focusWidget(), form->DBeMNOZSTVO);
    typeHere("10");
    type(form->DBeOHOD, "7:39");
    QTest::mouseClick(form->BtnZapis2, Qt::LeftButton);
    ASSERT_EQ(count("select count(*) from SVYKONY where OSC=57 and MNOZSTVO=10"), 1)
        << responder->Texts().join('\n').toStdString();

    // The next row starts at the job again.
    ASSERT_EQ(QApplication::focusWidget(), form->DBeC_INT);
    typeHere("260001");
    EXPECT_EQ(f("C_INT")->AsInteger(), 260001);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    vyk->QvSVykony.Cancel();
}

// The worked hours are shown as hours and minutes in the edit too when the list is read again (another day
// chosen and back, the overviews visited), not as the stored fraction of an hour.
TEST_F(PerformanceForm, TheHoursEditShowsHoursAndMinutesAfterTheListIsReadAgain)
{
    scan("57");
    scan("260001000010");
    type(form->DBeMNOZSTVO, "10");
    type(form->DBeOHOD, "7:39");
    QTest::mouseClick(form->BtnZapis2, Qt::LeftButton);
    ASSERT_EQ(count("select count(*) from SVYKONY where OSC=57"), 1) << responder->Texts().join('\n').toStdString();
    vyk->QvSVykony.Cancel();
    form->BtnZapis2->setFocus();
    form->ReloadEmployeeList();
    ASSERT_EQ(f("OSC")->AsInteger(), 57);
    EXPECT_EQ(form->DBeOHOD->text().toStdString(), "7:39");
}

// The order page's buttons before a job is typed (or by a user whose job the server refused to list) do
// nothing and say nothing.
TEST_F(PerformanceForm, TheOrderPageButtonsBeforeAJobDoNothing)
{
    form->pcVykony->setCurrentWidget(form->tsZakazka);
    QApplication::processEvents();
    ASSERT_FALSE(vyk->QSVykony.Active());
    for (QPushButton *button : {form->BtnRozdel, form->BtnZapisZak, form->BtnZmazZak})
        QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(count("select count(*) from SVYKONY"), 0);
    EXPECT_TRUE(form->isVisible());
}

// The form closed while an employee number typed as the list's choice has the focus: leaving that field
// reads the list again (and writes the booking being typed), but closing the form is no leaving of it.
TEST_F(PerformanceForm, ClosingTheFormInTheListsEmployeeFieldKeepsTheBookingBeingTyped)
{
    scan("57");
    form->vOSC2->setFocus();
    QTest::keyClicks(form->vOSC2, "58");
    ASSERT_EQ(vyk->QvSVykony.State(), dsInsert);
    form.reset();
    EXPECT_EQ(vyk->QvSVykony.State(), dsInsert);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    vyk->QvSVykony.Cancel();
}

TEST_F(PerformanceForm, HoursTakeFiveCharactersAtMost)
{
    scan("57");
    ASSERT_EQ(vyk->QvSVykony.State(), dsInsert);
    form->DBeOHOD->setFocus();
    form->DBeOHOD->selectAll();
    TypeText(form->DBeOHOD, QStringLiteral("7:3912"));
    EXPECT_EQ(form->DBeOHOD->text(), "7:391");
    vyk->QvSVykony.Cancel();
}

TEST_F(PerformanceForm, ASixteenDigitCodeIsAnUnknownJob)
{
    scan("57");
    responder->Messages.clear();
    scan("1234567890123456");
    EXPECT_TRUE(responder->Texts().join('\n').contains(QString::fromUtf8("Zákazka č.1234567890 neexistuje !")))
        << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(f("C_INT")->AsInteger(), 0) << "nothing overflowed into the job";
    vyk->QvSVykony.Cancel();
}

TEST_F(PerformanceForm, DefectCausesMustAddUpToTheDefects)
{
    scan("57");
    f("ZMATKY")->SetValue(3.0);
    WhenModal<TSVykonyZForm>([](TSVykonyZForm *d) {
        EXPECT_EQ(d->Edits[0]->text(), "0") << "a new row starts with zeros";
        d->Edits[0]->setText("1");
        d->Edits[4]->setText("1");
        QTest::mouseClick(d->TBtnZapis, Qt::LeftButton);
        // The dialog comes again once this showing has closed: a step set up in it waits for the next one.
        WhenModal<TSVykonyZForm>([](TSVykonyZForm *again) {
            again->Edits[4]->setText("2");
            QTest::mouseClick(again->TBtnZapis, Qt::LeftButton);
        });
    });
    ShowDefectBreakdown(&vyk->QvSVykony, true);
    EXPECT_EQ(responder->Texts(),
              QStringList{QString::fromUtf8("Súčet zmätkov podľa kategórií 2 je rôzny od pôvodne zadaného 3 !")});
    EXPECT_EQ(f("Z01")->AsInteger(), 1);
    EXPECT_EQ(f("Z05")->AsInteger(), 2);
    EXPECT_EQ(TDMVyk::SumDefectCauses(&vyk->QvSVykony), 3);
    vyk->QvSVykony.Cancel();
}

// Defects typed and left with Enter open their causes once: the dialog waits for the causes while the focus goes
// into it, instead of saying again and again that they do not add up.
TEST_F(PerformanceForm, LeavingTheDefectsAsksForTheirCausesOnce)
{
    const bool detailed = ZmatkyPodrobne;
    ZmatkyPodrobne = true;
    scan("57");
    scan("260001000010");
    QApplication::setActiveWindow(form.get());
    form->DBeMNOZSTVO->setFocus();
    form->DBeMNOZSTVO->selectAll();
    QTest::keyClicks(form->DBeMNOZSTVO, "10");
    QTest::keyClick(form->DBeMNOZSTVO, Qt::Key_Return);
    ASSERT_TRUE(form->DBeZMATKY->hasFocus());
    form->DBeZMATKY->selectAll();
    QTest::keyClicks(form->DBeZMATKY, "3");
    int shown = 0;
    WhenModal<TSVykonyZForm>([this, &shown](TSVykonyZForm *d) {
        ++shown;
        EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
        d->Edits[0]->setText("3");
        QTest::mouseClick(d->TBtnZapis, Qt::LeftButton);
    });
    QTest::keyClick(form->DBeZMATKY, Qt::Key_Return);
    QApplication::processEvents();
    ZmatkyPodrobne = detailed;
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(f("Z01")->AsInteger(), 3);
    vyk->QvSVykony.Cancel();
}

} // namespace

namespace {

TEST_F(PerformanceForm, OverviewPageSumsTheViewOfThePeriod)
{
    booked("2026-03-02", 57, 10, 10, 7.5, 40);
    booked("2026-02-27", 57, 10, 10, 7.5, 99);
    form->pcVykony->setCurrentWidget(form->tsPrehlady);
    EXPECT_EQ(form->vDatumOd3->text(), DateStr(QDate(2026, 3, 1))) << "the month of five days ago";
    EXPECT_TRUE(vyk->DSvVykony3.Enabled());
    EXPECT_FALSE(vyk->DSvVykony2.Enabled());
    EXPECT_EQ(vyk->QvSVykony.RecordCount(), 1);
    EXPECT_EQ(form->EditMzdaSpolu->text(), "40,00");
    form->vDatumOd3->setText(DateStr(QDate(2026, 2, 1)));
    form->rgPohlad->SetItemIndex(7);
    QTest::mouseClick(form->BtnFilter3, Qt::LeftButton);
    ASSERT_EQ(vyk->QvSVykony.RecordCount(), 1) << "one operation";
    EXPECT_EQ(form->EditMzdaSpolu->text(), "139,00");
}

TEST_F(PerformanceForm, OverviewOfALongMonthShowsItsTotalWithoutReadingItWhole)
{
    // 3,000 performances of the month, more than the list fetches at once, and one of the month before.
    exec(QStringLiteral("execute block as declare i integer = 0; begin while (i < 3000) do begin "
                        "insert into SVYKONY (DATUM, ZMENA, OSC, C_INT, C_DAVKY, C_OPERACIE, OPERACIA, MNOZSTVO, "
                        "ZMATKY, NORMA, MZDA, NHOD, OHOD) values (dateadd(mod(:i, 5) day to date '2026-03-01'), 1, "
                        "57, 260001, :i, 10, 'ODL', 1, 0, 0, 0.25, 0, 0); i = i + 1; end end"));
    booked("2026-02-27", 57, 10, 10, 7.5, 99);
    form->pcVykony->setCurrentWidget(form->tsPrehlady);
    EXPECT_EQ(form->EditMzdaSpolu->text(), "750,00");
    EXPECT_LT(vyk->QvSVykony.FetchedCount(), 3000) << "the grid reads the rows it shows";
    // At the form's own size the list shows a screenful of rows, not one or two under the choices.
    QApplication::processEvents();
    TDBGrid *list = form->DBGridPrehlad;
    ASSERT_GT(list->rowHeight(0), 0);
    EXPECT_GE(list->viewport()->height() / list->rowHeight(0), 10) << list->viewport()->height();
    // The grouped view sums the same rows, the filter by employee binds his number.
    form->rgPohlad->SetItemIndex(4);
    QTest::mouseClick(form->BtnFilter3, Qt::LeftButton);
    EXPECT_EQ(form->EditMzdaSpolu->text(), "750,00");
    QApplication::setActiveWindow(form.get());
    form->vOSC3->setFocus();
    form->vOSC3->setCursorPosition(0);
    QTest::keyClicks(form->vOSC3, "58");
    ASSERT_EQ(form->vOSC3->text().trimmed(), "58");
    QTest::mouseClick(form->BtnFilter3, Qt::LeftButton);
    EXPECT_EQ(form->EditMzdaSpolu->text(), "0,00") << "nobody else worked";
}

} // namespace

namespace {

TEST_F(PerformanceForm, ConfirmationPageScalesAHandedOverJobAndDeletesItsStornoRows)
{
    exec("insert into ZAKKALK (C_INT, MZD1, CENA1) values (260001, 2, 50)");
    exec("update ZAKAZKYD set STAV_ZAK=90 where C_INT=260001");
    booked("2026-03-09", 57, 10, 100, 7.5, 60);
    booked("2026-03-10", 57, 20, 90, 7.5, 45);
    form->pcVykony->setCurrentWidget(form->tsPotvrdenie);
    form->cbCeleOdvedeneZakazky->setChecked(true);
    QTest::mouseClick(form->BtnFilter4, Qt::LeftButton);
    TxQuery *master = GetQuery("QSVykony1");
    ASSERT_EQ(master->RecordCount(), 1) << responder->Texts().join('\n').toStdString();
    EXPECT_DOUBLE_EQ(master->FieldByName(QString::fromUtf8("Expedované"))->AsFloat(), 90);
    EXPECT_EQ(GetQuery("QSVykony2")->RecordCount(), 2);
    form->eMNOZ_NEW->setText("90");
    QTest::mouseClick(form->BtnZapis4, Qt::LeftButton);
    EXPECT_EQ(count("select sum(MNOZSTVO) from SVYKONY where C_OPERACIE=10"), 90)
        << responder->Texts().join('\n').toStdString();
    EXPECT_DOUBLE_EQ(value("select sum(MZDA) from SVYKONY where C_OPERACIE=10").toDouble(), 54);
    responder->MessageAnswers.push_back(mrYes);
    QTest::mouseClick(form->BtnZmaz4, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from SVYKONY where MNOZSTVO<0"), 0);
    ASSERT_FALSE(responder->Messages.isEmpty());
    EXPECT_TRUE(
        responder->Messages.last().Text.startsWith(QString::fromUtf8("Zmazať všetky storno výkony k zákazke 260001")));
}

// The job and batch typed, the entry grid takes the typing in the employee's column of the first operation: the
// employee and the pieces go into their cells, the operation, its rate and the wage take no typing.
TEST_F(PerformanceForm, TheOrderEntryIsTypedFromTheEmployeeOnAndKeepsItsOperations)
{
    form->pcVykony->setCurrentWidget(form->tsZakazka);
    QApplication::setActiveWindow(form.get());
    QApplication::processEvents();
    form->vC_INT1->setFocus();
    QTest::keyClick(form->vC_INT1, Qt::Key_Home);
    QTest::keyClicks(form->vC_INT1, "260001");
    QTest::keyClick(form->vC_INT1, Qt::Key_Tab);
    QTest::keyClicks(form->vC_DAVKY1, "1");
    QTest::keyClick(form->vC_DAVKY1, Qt::Key_Tab);
    QApplication::processEvents();
    TDataSet &entry = vyk->QSVykony;
    ASSERT_EQ(entry.RecordCount(), 2) << responder->Texts().join('\n').toStdString();
    TDBGrid *grid = form->DBGridVykonyOp;
    ASSERT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->SelectedField()->FieldName(), "OSC");
    // Each key to the widget that has the focus then: the first opens the cell's editor.
    const auto typeCell = [](const char *text) {
        for (const char *c = text; *c; ++c) {
            QTest::keyClicks(QApplication::focusWidget(), QString(QLatin1Char(*c)));
            QApplication::processEvents();
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    };
    typeCell("57");
    EXPECT_EQ(grid->SelectedField()->FieldName(), "MNOZSTVO");
    typeCell("8");
    entry.First();
    EXPECT_EQ(entry.FieldByName("OPERACIA")->AsString().trimmed(), "ODL");
    EXPECT_EQ(entry.FieldByName("OSC")->AsInteger(), 57);
    EXPECT_DOUBLE_EQ(entry.FieldByName("MNOZSTVO")->AsFloat(), 8);
    for (const char *fixed : {"OPERACIA", "NORMA", "MZDA"})
        for (int c = 0; c < grid->ColumnCount(); ++c)
            if (grid->Columns(c)->FieldName == QLatin1String(fixed)) {
                EXPECT_TRUE(grid->Columns(c)->ReadOnly) << fixed;
            }
}

// The confirmation's period is two date edits: the days typed into their masks filter the jobs, a day that does not
// exist is said where it is typed and filters nothing, and the period in the storno question is the one filtered.
TEST_F(PerformanceForm, TheConfirmationPeriodIsTypedIntoDateEdits)
{
    exec("insert into ZAKKALK (C_INT, MZD1, CENA1) values (260001, 2, 50)");
    booked("2026-03-09", 57, 10, 100, 7.5, 60);
    form->pcVykony->setCurrentWidget(form->tsPotvrdenie);
    QApplication::setActiveWindow(form.get());
    const auto typeDay = [this](TDateEdit *edit, const char *digits) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClicks(edit, QString::fromLatin1(digits));
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents();
    };
    typeDay(form->vDatumOd4, "10032026");
    typeDay(form->vDatumDo4, "31032026");
    EXPECT_EQ(form->vDatumOd4->Date(), QDate(2026, 3, 10));
    QTest::mouseClick(form->BtnFilter4, Qt::LeftButton);
    TxQuery *master = GetQuery("QSVykony1");
    EXPECT_TRUE(master->IsEmpty()) << "the booking of the 9th is before the period";
    typeDay(form->vDatumOd4, "09032026");
    QTest::mouseClick(form->BtnFilter4, Qt::LeftButton);
    EXPECT_EQ(master->RecordCount(), 1);

    responder->Messages.clear();
    typeDay(form->vDatumDo4, "31022026");
    ASSERT_EQ(responder->Texts(), QStringList{QString::fromUtf8("'31.02.2026' nie je platný dátum")});
    EXPECT_TRUE(form->vDatumDo4->hasFocus()) << "the day is typed again";
    typeDay(form->vDatumDo4, "31032026");

    responder->MessageAnswers.push_back(mrNo);
    QTest::mouseClick(form->BtnZmaz4, Qt::LeftButton);
    ASSERT_FALSE(responder->Messages.isEmpty());
    EXPECT_TRUE(responder->Messages.last().Text.contains(QString::fromUtf8("v období od 09.03.2026 do 31.03.2026 ?")))
        << responder->Messages.last().Text.toStdString();
}

} // namespace

namespace {

TEST_F(PerformanceForm, EnterMovesToTheNextEdit)
{
    scan("57");
    form->DBeMNOZSTVO->setFocus();
    QTest::keyClicks(form->DBeMNOZSTVO, "12");
    QTest::keyClick(form->DBeMNOZSTVO, Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), form->DBeMNOZSTVO);
    EXPECT_DOUBLE_EQ(f("MNOZSTVO")->AsFloat(), 12) << "written on leaving";
    vyk->QvSVykony.Cancel();
}

} // namespace

namespace {

TEST_F(PerformanceForm, SettingsHideDefectsAndWorkedHours)
{
    EvidovatZmatky = false;
    EvidovatOHod = false;
    form->hide();
    form->show();
    EXPECT_FALSE(form->DBeOHOD->isVisible());
    EXPECT_FALSE(form->DBeZMATKY->isVisible());
    for (int i = 0; i < form->DBGridVykonyOp->ColumnCount(); ++i) {
        if (form->DBGridVykonyOp->Columns(i)->FieldName == "ZMATKY") {
            EXPECT_FALSE(form->DBGridVykonyOp->Columns(i)->Visible);
        }
    }
}

} // namespace

namespace {

TEST_F(PerformanceForm, DeleteAsksFirstAndNoKeepsTheBooking)
{
    booked("2026-03-16", 57, 10, 10, 7.5, 40);
    form->ReloadEmployeeList();
    ASSERT_EQ(vyk->QvSVykony.RecordCount(), 1);
    responder->MessageAnswers.push_back(mrNo);
    QTest::mouseClick(form->BtnZmaz2, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from SVYKONY"), 1);
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_EQ(responder->Messages[0].Text, QString::fromUtf8("Skutočne chceš zmazať vybratý výkon ?"));
    responder->MessageAnswers.push_back(mrYes);
    QTest::mouseClick(form->BtnZmaz2, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from SVYKONY"), 0) << responder->Texts().join('\n').toStdString();
}

} // namespace

namespace {

TEST_F(PerformanceForm, ChartShowsWagesByEmployeeOrOperationOnly)
{
    employee(58, "Horváth");
    booked("2026-03-02", 57, 10, 10, 7.5, 40);
    booked("2026-03-03", 58, 20, 10, 7.5, 25);
    form->pcVykony->setCurrentWidget(form->tsPrehlady);
    form->rgPohlad->SetItemIndex(4);
    QTest::mouseClick(form->BtnGraf3, Qt::LeftButton);
    ASSERT_EQ(form->pcVykony->currentWidget(), form->tsGraf);
    ASSERT_EQ(form->DBChart1->SeriesCount(), 1);
    EXPECT_EQ(form->DBChart1->Series(0)->Labels(), (QStringList{"57", "58"}));
    EXPECT_EQ(form->DBChart1->Series(0)->Values(), (std::vector<double>{40, 25}));
    form->pcVykony->setCurrentWidget(form->tsPrehlady);
    form->rgPohlad->SetItemIndex(7);
    form->pcVykony->setCurrentWidget(form->tsGraf);
    ASSERT_EQ(form->DBChart1->SeriesCount(), 1);
    EXPECT_EQ(form->DBChart1->Series(0)->Labels(), (QStringList{"ODL", "EXP"})) << "largest wage first";
    form->pcVykony->setCurrentWidget(form->tsPrehlady);
    form->rgPohlad->SetItemIndex(0);
    form->pcVykony->setCurrentWidget(form->tsGraf);
    EXPECT_EQ(form->DBChart1->SeriesCount(), 0) << "no chart of the detail views";
}

} // namespace

namespace {

TEST_F(PerformanceForm, TheListMenuLeadsToTheOverviewsAndTheOverviewBackToTheDay)
{
    booked("2026-03-02", 57, 10, 10, 7.5, 40);
    form->vDatum2->setText(DateStr(QDate(2026, 3, 2)));
    form->ReloadEmployeeList();
    ASSERT_EQ(vyk->QvSVykony.RecordCount(), 1);
    TDBGrid *list = form->DBGridPracovnik;
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10), list->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(list->viewport(), &click);
    ASSERT_TRUE(form->popupVykony->isVisible()) << "a right click on the list opens the menu";
    EXPECT_TRUE(form->actNovy->isEnabled());
    EXPECT_FALSE(form->actOprav->isEnabled()) << "only on the order-entry page";
    EXPECT_TRUE(form->actPrehladOsc->isEnabled());
    form->popupVykony->hide();
    form->actPrehladOsc->trigger();
    EXPECT_EQ(form->pcVykony->currentWidget(), form->tsPrehlady);
    EXPECT_EQ(form->vOSC3->text(), "57");
    ASSERT_EQ(vyk->QvSVykony.RecordCount(), 1);

    // A double click on an overview row opens that employee's day.
    form->vDatum2->setText(DateStr(QDate(2026, 3, 16)));
    form->vOSC2->clear();
    TDBGrid *overview = form->DBGridPrehlad;
    const QPoint cell = overview->visualRect(overview->Model()->index(0, 0)).center();
    QTest::mouseDClick(overview->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(form->pcVykony->currentWidget(), form->tsPracovnik);
    EXPECT_EQ(form->vDatum2->text(), DateStr(QDate(2026, 3, 2)));
    EXPECT_EQ(form->vOSC2->text(), "57");
    EXPECT_EQ(vyk->QvSVykony.RecordCount(), 1) << "the day's list is read";

    // From the order entry's list, the employee's day and the job's overview.
    form->pcVykony->setCurrentWidget(form->tsZakazka);
    type(form->vC_INT1, "260001");
    type(form->vC_DAVKY1, "0");
    ASSERT_TRUE(vyk->QvSVykony.Active());
    ASSERT_FALSE(vyk->QvSVykony.IsEmpty());
    form->popupVykony->popup(QPoint(0, 0));
    EXPECT_TRUE(form->actOprav->isEnabled());
    EXPECT_FALSE(form->actNovy->isEnabled());
    form->popupVykony->hide();
    form->actPrehladZakazka->trigger();
    EXPECT_EQ(form->vC_INT3->text(), "260001");
    EXPECT_EQ(form->pcVykony->currentWidget(), form->tsPrehlady);
}

} // namespace

namespace {

TEST_F(PerformanceForm, OverviewRowsOfAStornoAreRedAndOfDefectsFuchsia)
{
    booked("2026-03-02", 57, 10, 10, 7.5, 40);
    booked("2026-03-03", 57, 10, 2, 0, 5, 1, 0, 1);
    booked("2026-03-04", 57, 10, -5, 0, -20, 1, 0, 1); // a storno with defects: red wins
    form->pcVykony->setCurrentWidget(form->tsPrehlady);
    TxDataSet &q = vyk->QvSVykony;
    ASSERT_EQ(q.RecordCount(), 3);
    QMap<int, QColor> colours; // by the row's day
    for (q.First(); !q.Eof(); q.Next()) {
        TCellFont font(form->font(), Qt::black);
        QColor background;
        form->DBGridPrehlad->OnGetCellProp(form->DBGridPrehlad, &q, nullptr, font, background, false);
        colours[q.FieldByName("DATUM")->AsDate().day()] = font.Color;
    }
    EXPECT_EQ(colours.value(2), QColor(Qt::black));
    EXPECT_EQ(colours.value(3), QColor(Qt::magenta));
    EXPECT_EQ(colours.value(4), QColor(Qt::red));
}

TEST_F(PerformanceForm, ScannedCastingAndDispatchMoveTheJobLikeTheOrderEntry)
{
    exec("update ZAKAZKYD set STAV_ZAK=30 where C_INT=260001");
    const auto book = [&](const char *code, const char *quantity) {
        scan(code);
        type(form->DBeMNOZSTVO, QString::fromLatin1(quantity));
        type(form->DBeOHOD, "1:00");
        QTest::mouseClick(form->BtnZapis2, Qt::LeftButton);
        QTest::mouseClick(form->BtnNezapis2, Qt::LeftButton);
    };
    scan("57");
    book("260001000010", "100");
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260001"), 40) << "cast";
    responder->Messages.clear();
    scan("57");
    book("260001000020", "60");
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260001"), 40) << "60 of 100 dispatched";
    EXPECT_FALSE(responder->Texts().contains(QStringLiteral("Zakazka je kompletne vyexpedovana na SHV.")));
    employee(58, "Horváth");
    scan("58");
    book("260001000020", "40");
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260001"), 50) << "all 100 dispatched";
    EXPECT_TRUE(responder->Texts().contains(QStringLiteral("Zakazka je kompletne vyexpedovana na SHV.")))
        << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(count("select sum(MNOZSTVO) from SVYKONY where C_INT=260001 and OPERACIA='EXP'"), 100);
}

} // namespace

namespace {

// The overview's employee and job filters take only digits, as many as their masks; letters typed
// over them change nothing, and a job typed as printed is understood.
TEST_F(PerformanceForm, OverviewFiltersTakeDigitsAndReadAPrintedJob)
{
    employee(58, "Kováč");
    booked("2026-03-02", 57, 10, 10, 7.5, 40);
    booked("2026-03-02", 58, 10, 10, 7.5, 60);
    form->pcVykony->setCurrentWidget(form->tsPrehlady);
    type(form->vOSC3, "57");
    QTest::mouseClick(form->BtnFilter3, Qt::LeftButton);
    ASSERT_EQ(form->EditMzdaSpolu->text(), "40,00");
    responder->Messages.clear();
    for (QLineEdit *e : std::initializer_list<QLineEdit *>{form->vOSC3, form->vC_INT3})
        for (const char *probe : {"Žiar", "Košick", "č", "ľ", "O'Neil"}) {
            SCOPED_TRACE(probe);
            const QString before = e->text();
            type(e, QString::fromUtf8(probe));
            EXPECT_EQ(e->text(), before) << "no letter is taken";
            QTest::mouseClick(form->BtnFilter3, Qt::LeftButton);
            EXPECT_EQ(form->EditMzdaSpolu->text(), "40,00") << "not the wage of all";
            EXPECT_EQ(vyk->QvSVykony.RecordCount(), 1);
        }
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    type(form->vOSC3, "123456");
    EXPECT_EQ(form->vOSC3->Text().trimmed(), "1234") << "four digits";
    type(form->vC_INT3, "2600017");
    EXPECT_EQ(form->vC_INT3->text(), "260001") << "six digits";
    form->vOSC3->clear();
    type(form->vC_INT3, "26/0001");
    QTest::mouseClick(form->BtnFilter3, Qt::LeftButton);
    EXPECT_EQ(form->EditMzdaSpolu->text(), "100,00") << "both employees on the job";
}

// The confirmation page's job filter reads a job as printed; letters are refused and "Zapíš" books nothing.
TEST_F(PerformanceForm, ConfirmationJobFilterReadsAPrintedJobAndRefusesLetters)
{
    exec("insert into ZAKKALK (C_INT, MZD1, CENA1) values (260001, 2, 50)");
    exec("update ZAKAZKYD set STAV_ZAK=90 where C_INT=260001");
    booked("2026-03-09", 57, 10, 100, 7.5, 60);
    booked("2026-03-10", 57, 20, 90, 7.5, 45);
    form->pcVykony->setCurrentWidget(form->tsPotvrdenie);
    form->cbCeleOdvedeneZakazky->setChecked(true);
    type(form->vC_INT4, "26/0001");
    QTest::mouseClick(form->BtnFilter4, Qt::LeftButton);
    TxQuery *master = GetQuery("QSVykony1");
    ASSERT_EQ(master->RecordCount(), 1) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(master->FieldByName("C_INT")->AsInteger(), 260001);
    responder->Messages.clear();

    type(form->vC_INT4, QString::fromUtf8("Žiar"));
    type(form->eMNOZ_NEW, "90");
    QTest::mouseClick(form->BtnZapis4, Qt::LeftButton);
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("„Žiar“ nie je číslo zákazky (napr. 26/0015).")});
    EXPECT_EQ(count("select sum(MNOZSTVO) from SVYKONY where C_OPERACIE=10"), 100) << "nothing booked";
    EXPECT_EQ(count("select count(*) from SVYKONY"), 2);
    type(form->vC_INT4, "26/0001");
    type(form->eMNOZ_NEW, QString::fromUtf8("č"));
    QTest::mouseClick(form->BtnZapis4, Qt::LeftButton);
    EXPECT_TRUE(responder->Texts().last().contains(QString::fromUtf8("„č“ nie je číslo")));
    EXPECT_EQ(count("select count(*) from SVYKONY"), 2);
}

TEST_F(PerformanceForm, AScannedTextThatIsNoCodeIsRefusedInWords)
{
    scan("57");
    responder->Messages.clear();
    scan("26/0001");
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("„26/0001“ nie je čiarový kód operácie.")});
    EXPECT_EQ(f("C_INT")->AsInteger(), 0);
    vyk->QvSVykony.Cancel();
}

} // namespace

namespace {

// The booking of one performance by keys: the same scan booked twice is refused with the row back to
// insert as typed; the batch corrected, it is written, and nothing of the refusal blocks the next one.
TEST_F(PerformanceForm, ARefusedSaveReturnsTheRowAsTypedAndBlocksNothing)
{
    const auto book = [&](const char *quantity) {
        scan("260001000010");
        type(form->DBeMNOZSTVO, QString::fromLatin1(quantity));
        type(form->DBeOHOD, "1:00");
        QTest::mouseClick(form->BtnZapis2, Qt::LeftButton);
    };
    scan("57");
    book("10");
    ASSERT_EQ(count("select count(*) from SVYKONY"), 1) << responder->Texts().join('\n').toStdString();
    responder->Messages.clear();
    book("5");
    EXPECT_EQ(responder->Messages.size(), 1) << responder->Texts().join('\n').toStdString();
    ASSERT_EQ(vyk->QvSVykony.State(), dsInsert) << "back to insert";
    EXPECT_DOUBLE_EQ(f("MNOZSTVO")->AsFloat(), 5);
    EXPECT_EQ(form->DBeOHOD->text(), "1:00");
    EXPECT_EQ(f("C_INT")->AsInteger(), 260001);
    type(form->DBeC_DAVKY, "1");
    responder->Messages.clear();
    QTest::mouseClick(form->BtnZapis2, Qt::LeftButton);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(count("select MNOZSTVO from SVYKONY where C_DAVKY=1"), 5);
    QTest::mouseClick(form->BtnNezapis2, Qt::LeftButton);
    form->ReloadEmployeeList();
    EXPECT_EQ(vyk->QvSVykony.RecordCount(), 2);
}

// Tabbing through the list's date while a booking is typed writes the booking as leaving its row would; a
// booking the database refuses stays as typed, with the reason, and the list is not read again.
TEST_F(PerformanceForm, LeavingTheListsDateWritesTheBookingBeingTypedOrKeepsItWithTheReason)
{
    struct Case {
        const char *step;
        const char *quantity;
        int stored;
        bool refused;
    };
    for (const Case &c : {Case{"a new booking", "10", 1, false}, Case{"the same booking again", "5", 1, true}}) {
        SCOPED_TRACE(c.step);
        responder->Messages.clear();
        type(form->vDatum2, DateStr(QDate(2026, 3, 16)));
        scan("57");
        scan("260001000010");
        type(form->DBeMNOZSTVO, QString::fromLatin1(c.quantity));
        type(form->DBeOHOD, "1:00");
        type(form->vDatum2, DateStr(QDate(2026, 3, 17)));
        EXPECT_EQ(count("select count(*) from SVYKONY"), c.stored) << responder->Texts().join('\n').toStdString();
        EXPECT_EQ(responder->Messages.size(), c.refused ? 1 : 0) << responder->Texts().join('\n').toStdString();
        if (c.refused) {
            ASSERT_EQ(vyk->QvSVykony.State(), dsInsert);
            EXPECT_DOUBLE_EQ(f("MNOZSTVO")->AsFloat(), 5);
            EXPECT_EQ(QApplication::focusWidget(), form->DBeDATUM);
            vyk->QvSVykony.Cancel();
        } else {
            EXPECT_EQ(vyk->QvSVykony.State(), dsBrowse);
            EXPECT_TRUE(vyk->QvSVykony.IsEmpty()) << "the list shows the day typed";
        }
    }
}

// A scanned ticket of a job that does not exist is said at once, and the save says it again and
// stores nothing.
TEST_F(PerformanceForm, ABookingOnAMissingJobIsNotStored)
{
    scan("57");
    responder->Messages.clear();
    scan("999999000010");
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("Zákazka č.999999 neexistuje !")});
    type(form->DBeC_OPERACIE, "10");
    type(form->DBeMNOZSTVO, "5");
    type(form->DBeOHOD, "1:00");
    responder->Messages.clear();
    QTest::mouseClick(form->BtnZapis2, Qt::LeftButton);
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("Zákazka č.999999 neexistuje !")});
    EXPECT_EQ(count("select count(*) from SVYKONY"), 0);
    EXPECT_EQ(vyk->QvSVykony.State(), dsInsert);
    vyk->QvSVykony.Cancel();
}

// The selection edits of the two entry pages take digits as their masks say; the job also as printed.
TEST_F(PerformanceForm, SelectionEditsTakeTheDigitsOfTheirMasks)
{
    booked("2026-03-02", 57, 10, 10, 7.5, 40);
    form->pcVykony->setCurrentWidget(form->tsZakazka);
    type(form->vC_INT1, "1234567");
    EXPECT_EQ(form->vC_INT1->text(), "123456");
    type(form->vC_DAVKY1, "1x2345");
    EXPECT_EQ(form->vC_DAVKY1->Text().trimmed(), "123");
    type(form->vC_INT1, "26a/0001x5");
    EXPECT_EQ(form->vC_INT1->text(), "26/0001");
    type(form->vC_DAVKY1, "0");
    EXPECT_EQ(form->vC_INT1->text(), "260001");
    EXPECT_EQ(vyk->QSVykony.RecordCount(), 2) << "the job's two operations to book";
    EXPECT_EQ(vyk->QvSVykony.RecordCount(), 1) << "its booking listed";

    form->pcVykony->setCurrentWidget(form->tsPracovnik);
    type(form->vOSC2, "5x7");
    EXPECT_EQ(form->vOSC2->Text().trimmed(), "57");
    type(form->vOSC2, "12345");
    EXPECT_EQ(form->vOSC2->Text().trimmed(), "1234");
    type(form->vOSC2, "57");
    responder->Messages.clear();
    type(form->vDatum2, "2x.3.2026");
    EXPECT_EQ(form->vDatum2->Date(), QDate(2026, 3, 2));
    EXPECT_EQ(vyk->QvSVykony.RecordCount(), 1) << "the day's booking";
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    type(form->vDatum2, "31.2.2026");
    EXPECT_EQ(responder->Texts().size(), 1) << "a day that does not exist is said once";
}

// The overview's captions of employee, job and product open their pick lists; the operation offers the
// dispatch.
TEST_F(PerformanceForm, OverviewCaptionsPickAndTheOperationOffersTheDispatch)
{
    booked("2026-03-02", 57, 10, 10, 7.5, 40);
    booked("2026-03-03", 57, 20, 10, 7.5, 25);
    form->pcVykony->setCurrentWidget(form->tsPrehlady);
    CloseModal(mrOk);
    emit form->lOSC3->linkActivated("#");
    EXPECT_EQ(form->vOSC3->Text().trimmed(), "57") << "the employee chosen from the list";
    CloseModal(mrOk);
    emit form->lC_INT3->linkActivated("#");
    EXPECT_EQ(form->vC_INT3->text(), "260001");
    CloseModal(mrOk);
    emit form->lC_VYR3->linkActivated("#");
    EXPECT_EQ(form->vC_VYR3->text().trimmed(), "V1");
    ASSERT_EQ(form->vOPERACIA3->count(), 1);
    EXPECT_EQ(form->vOPERACIA3->itemText(0), "EXP");
    EXPECT_TRUE(form->vOPERACIA3->currentText().isEmpty()) << "no operation chosen at first";
    QTest::mouseClick(form->BtnFilter3, Qt::LeftButton);
    EXPECT_EQ(form->EditMzdaSpolu->text(), "65,00");
    form->vOPERACIA3->setFocus();
    QTest::keyClick(form->vOPERACIA3, Qt::Key_Down);
    QTest::keyClick(form->vOPERACIA3->lineEdit(), Qt::Key_Tab);
    EXPECT_EQ(form->vOPERACIA3->currentText(), "EXP");
    EXPECT_EQ(form->EditMzdaSpolu->text(), "25,00") << "the dispatch only";
    form->vOPERACIA3->setFocus();
    form->vOPERACIA3->lineEdit()->selectAll();
    TypeText(form->vOPERACIA3->lineEdit(), "odlx");
    EXPECT_EQ(form->vOPERACIA3->currentText(), "odl") << "three characters";
}

TEST_F(PerformanceForm, TheOrderPageClosesWithKoniec)
{
    form->pcVykony->setCurrentWidget(form->tsZakazka);
    ASSERT_TRUE(form->BtnKoniecZak->isVisible());
    EXPECT_EQ(form->BtnKoniecZak->text(), "&Koniec");
    QTest::mouseClick(form->BtnKoniecZak, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
}

// The confirmation by batches draws a job's batch 0 in fuchsia; the job caption opens the job pick.
TEST_F(PerformanceForm, ConfirmationDrawsBatchZeroInFuchsiaAndItsCaptionPicksTheJob)
{
    exec("insert into ZAKKALK (C_INT, MZD1, CENA1) values (260001, 2, 50)");
    booked("2026-03-09", 57, 10, 100, 7.5, 60);
    exec("insert into SVYKONY (DATUM, ZMENA, OSC, C_INT, C_DAVKY, C_OPERACIE, OPERACIA, MNOZSTVO, ZMATKY, NORMA, "
         "MZDA, NHOD, OHOD) values ('2026-03-10', 1, 57, 260001, 2, 10, 'ODL', 5, 0, 0, 3, 0, 1)");
    form->pcVykony->setCurrentWidget(form->tsPotvrdenie);
    form->cbDavky4->setChecked(true);
    CloseModal(mrOk);
    emit form->lC_INT4->linkActivated("#");
    EXPECT_EQ(form->vC_INT4->text(), "260001");
    QTest::mouseClick(form->BtnFilter4, Qt::LeftButton);
    TxQuery *master = GetQuery("QSVykony1");
    ASSERT_EQ(master->RecordCount(), 2) << responder->Texts().join('\n').toStdString();
    QMap<int, QColor> colours; // by batch
    for (master->First(); !master->Eof(); master->Next()) {
        TCellFont font(form->font(), Qt::black);
        QColor background;
        form->DBgridPotvrdenie1->OnGetCellProp(form->DBgridPotvrdenie1, master, nullptr, font, background, false);
        colours[master->FieldByName("C_DAVKY")->AsInteger()] = font.Color;
    }
    EXPECT_EQ(colours.value(0), QColor(Qt::magenta));
    EXPECT_EQ(colours.value(2), QColor(Qt::black));
}

} // namespace

// A scanned and filled-in booking is never lost to one key: Escape takes back the quantity being typed, the
// next gives up the row, and only then the form closes, with no question as nothing is left typed. A closed
// booking's window asks: Zrušiť stays with the row, Áno books it and closes.
TEST_F(PerformanceForm, EscapeAfterAScanGivesUpTheFieldThenTheRowThenClosesTheForm)
{
    const auto booked = [this] { return count("select count(*) from SVYKONY where OSC=57 and C_OPERACIE=10"); };
    struct Step {
        const char *what;
        bool rowTyped; // the booking still in insert
        bool open;
    };
    const Step escapes[] = {
        {"the quantity being typed is taken back", true, true},
        {"the row is given up", false, true},
        {"the form closes", false, false},
    };
    scan("57");
    scan("260001000010");
    ASSERT_TRUE(form->DBeMNOZSTVO->hasFocus());
    Type("10");
    for (const Step &s : escapes) {
        SCOPED_TRACE(s.what);
        Press(Qt::Key_Escape);
        EXPECT_EQ(vyk->QvSVykony.State() == dsInsert, s.rowTyped);
        EXPECT_EQ(form->isVisible(), s.open);
    }
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(booked(), 0);

    // Typed and left for the next field, then the window closed by its title bar: Zrušiť stays; Áno without
    // the worked hours is refused and stays with the row; with them it books and closes.
    ASSERT_TRUE(ShowActive(form.get()));
    scan("57");
    scan("260001000010");
    Type("10");
    Press(Qt::Key_Tab);
    const auto closeAnswering = [this](int answer) {
        responder->MessageAnswers.push_back(answer);
        form->close();
        Settle();
        return form->isVisible();
    };
    EXPECT_TRUE(closeAnswering(mrCancel));
    EXPECT_TRUE(closeAnswering(mrYes)) << "a refused booking closed the form";
    EXPECT_EQ(vyk->QvSVykony.State(), dsInsert);
    EXPECT_EQ(f("MNOZSTVO")->AsInteger(), 10);
    ASSERT_TRUE(TabTo(form->DBeOHOD));
    Type("7:39");
    Press(Qt::Key_Tab);
    EXPECT_FALSE(closeAnswering(mrYes));
    const QString question = QString::fromUtf8("Uložiť zmeny?");
    ASSERT_EQ(responder->Texts().size(), 4) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(responder->Texts()[0], question);
    EXPECT_EQ(responder->Texts()[1], question);
    EXPECT_EQ(responder->Texts()[3], question);
    EXPECT_EQ(booked(), 1);
}
