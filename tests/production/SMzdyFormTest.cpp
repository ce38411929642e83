// The attendance and wages form offscreen: the month proposed by the date, the cost-centre filter with
// typed quotes, a day written, the month's wages computed and exported from "Mzdy všetci".
#include "common/PersonTyping.h"
#include "WorkshopFixture.h"
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "production/SMzdyForm.h"
#include "production/SVykonyForm.h"
#include "library/xDBComboBox.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataSetModel.h"
#include "platform/os/Format.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QHeaderView>
#include <QTest>

namespace {

class WagesForm : public WorkshopTest {
protected:
    void SetUp() override
    {
        WorkshopTest::SetUp();
        if (HasFatalFailure())
            return;
        SetNowForTests(QDateTime(QDate(2026, 3, 5), QTime(10, 0)));
        employee(57, "Novák");
        employee(58, "Horváth");
        exec("update CZAMESTNANCOV set STREDISKO='S2' where OSC=58");
        writeSetting("Defaults", "Dochadzka.rdovod", QString::fromUtf8("UD-Údržba,\"OP=Oprava strojov\""));
        moreData();
        if (HasFatalFailure())
            return;
        form = std::make_unique<TSMzdyForm>();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(ShowActive(form.get()));
    }
    void TearDown() override
    {
        form.reset();
        WorkshopTest::TearDown();
    }
    // Rows the form's lists read at their opening.
    virtual void moreData() {}
    // The day ("4.3.2026", written with the locale's separator) typed into the day page's date edit, which is
    // then left as a clerk leaves it.
    void typeDay(const char *day)
    {
        form->vDatum1->setFocus();
        form->vDatum1->selectAll();
        QTest::keyClicks(form->vDatum1, QString::fromLatin1(day).replace('.', FormatSettings().DateSeparator));
        QTest::keyClick(form->vDatum1, Qt::Key_Tab);
        QApplication::processEvents();
    }
    // A number typed over a data edit of the form, with the decimal separator of the locale.
    void typeInto(const char *name, const char *number)
    {
        auto *edit = form->findChild<QLineEdit *>(QString::fromLatin1(name));
        ASSERT_NE(edit, nullptr) << name;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(number).replace('.', FormatSettings().DecimalSeparator));
    }
    std::unique_ptr<TSMzdyForm> form;
};

TEST_F(WagesForm, ProposesThePreviousMonthEarlyInTheMonthAndFiltersByCentre)
{
    EXPECT_EQ(form->vMesiac->value(), 2);
    EXPECT_EQ(form->vRok->value(), 2026);
    EXPECT_EQ(form->LabelMesacnyFond->text(), "150") << "20 working days of February 2026";
    EXPECT_EQ(mzdy->QZamestnanci.RecordCount(), 2);
    form->eSTREDISKO->setText("S'");
    emit form->eSTREDISKO->editingFinished();
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(mzdy->QZamestnanci.RecordCount(), 0) << "the quote is text, not SQL";
    form->eSTREDISKO->setText("S2");
    emit form->eSTREDISKO->editingFinished();
    ASSERT_EQ(mzdy->QZamestnanci.RecordCount(), 1);
    EXPECT_EQ(mzdy->QZamestnanci.FieldByName("OSC")->AsInteger(), 58);
}

// A centre typed and not left filters nothing when the form closes: the list is not read again for a form
// that is going.
TEST_F(WagesForm, ACentreTypedButNotLeftFiltersNothingWhenTheFormCloses)
{
    form->eSTREDISKO->setFocus();
    QTest::keyClicks(form->eSTREDISKO, "S2");
    ASSERT_EQ(mzdy->QZamestnanci.RecordCount(), 2);
    form.reset();
    EXPECT_EQ(mzdy->QZamestnanci.RecordCount(), 2);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(WagesForm, ADayIsWrittenForTheCurrentEmployee)
{
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    typeDay("4.3.2026");
    EXPECT_EQ(mzdy->DayDate, QDate(2026, 3, 4));
    ASSERT_EQ(mzdy->QDochadzka.State(), dsInsert);
    QTest::mouseClick(form->btnZapis1, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(value("select OHOD from SDOCHADZKA where OSC=57 and DATUM='2026-03-04'").toDouble(), 7.5);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(WagesForm, EachShiftOfADayIsARowOfItsOwn)
{
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-03-04', 57, 1, 7.5)");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    EXPECT_EQ(form->vZmena1->currentText(), "1") << "the first shift is proposed";
    ASSERT_EQ(form->vZmena1->count(), 4);
    EXPECT_EQ(form->vZmena1->itemText(3), "0");
    typeDay("4.3.2026");
    ASSERT_EQ(mzdy->QDochadzka.State(), dsBrowse) << "the first shift's row of the day";

    form->vZmena1->setFocus();
    QTest::keyClick(form->vZmena1, Qt::Key_2);
    ASSERT_EQ(form->vZmena1->currentText(), "2");
    ASSERT_EQ(mzdy->QDochadzka.State(), dsInsert) << "the second shift has no row yet";
    typeInto("DBeOHOD", "4");
    typeInto("DBeNEPLATVOL", "3.5");
    QTest::mouseClick(form->btnZapis1, Qt::LeftButton);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(count("select count(*) from SDOCHADZKA where OSC=57 and DATUM='2026-03-04'"), 2);
    EXPECT_DOUBLE_EQ(value("select OHOD from SDOCHADZKA where OSC=57 and ZMENA=2").toDouble(), 4);
    EXPECT_DOUBLE_EQ(value("select OHOD from SDOCHADZKA where OSC=57 and ZMENA=1").toDouble(), 7.5)
        << "the first shift's row is untouched";

    form->vZmena1->setFocus();
    QTest::keyClick(form->vZmena1, Qt::Key_Down);
    QTest::keyClick(form->vZmena1, Qt::Key_Down);
    ASSERT_EQ(form->vZmena1->currentText(), "0");
    QTest::mouseClick(form->btnZapis1, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from SDOCHADZKA where OSC=57 and ZMENA=0"), 1);
    form->vZmena1->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(form->vZmena1, Qt::Key_Up);
    ASSERT_EQ(form->vZmena1->currentText(), "1");
    ASSERT_EQ(mzdy->QDochadzka.State(), dsBrowse);
    EXPECT_DOUBLE_EQ(mzdy->QDochadzka.FieldByName("OHOD")->AsFloat(), 7.5);
}

TEST_F(WagesForm, TheDayIsTypedOrChosenInTheCalendar)
{
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, DOVOLENKA) values ('2026-03-05', 57, 1, 6, 1.5)");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    typeDay("4.3.2026");
    ASSERT_EQ(mzdy->QDochadzka.State(), dsInsert);
    form->vDatum1->setFocus();
    QTest::keyClick(form->vDatum1, Qt::Key_F4);
    ASSERT_NE(form->vDatum1->Calendar(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(mzdy->DayDate, QDate(2026, 3, 5)) << "a day chosen reloads at once";
    ASSERT_EQ(mzdy->QDochadzka.State(), dsBrowse);
    EXPECT_DOUBLE_EQ(mzdy->QDochadzka.FieldByName("DOVOLENKA")->AsFloat(), 1.5);

    // A day that does not exist is refused where it was typed; the loaded day stays.
    typeDay("31.2.2026");
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_TRUE(responder->Messages[0].Text.endsWith(QString::fromUtf8("nie je platný dátum")))
        << responder->Messages[0].Text.toStdString();
    EXPECT_EQ(mzdy->DayDate, QDate(2026, 3, 5));
    EXPECT_TRUE(form->vDatum1->hasFocus());
}

TEST_F(WagesForm, OverheadHoursTakeAReasonFromTheSettingsList)
{
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    typeDay("4.3.2026");
    ASSERT_EQ(form->DBcomboRDOV->count(), 2);
    EXPECT_EQ(form->DBcomboRDOV->itemText(1), "OP-Oprava strojov");
    EXPECT_EQ(form->DBcomboRDOV->maxVisibleItems(), 15);
    typeInto("DBeRHOD", "2");
    QTest::mouseClick(form->btnZapis1, Qt::LeftButton);
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_EQ(responder->Messages[0].Text,
              QString::fromUtf8("Ak sú zadané rež.hodiny, potom musí byť zadaný aj dôvod rež.práce!"));
    EXPECT_EQ(count("select count(*) from SDOCHADZKA"), 0);
    ASSERT_EQ(mzdy->QDochadzka.State(), dsInsert) << "the typed row waits for its reason";

    form->DBcomboRDOV->setFocus();
    QTest::keyClick(form->DBcomboRDOV, Qt::Key_O);
    EXPECT_EQ(form->DBcomboRDOV->currentText(), "OP-Oprava strojov");
    QTest::mouseClick(form->btnZapis1, Qt::LeftButton);
    EXPECT_EQ(responder->Messages.size(), 1) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(value("select RDOVOD from SDOCHADZKA where OSC=57 and DATUM='2026-03-04'").toString(), "OP");
    EXPECT_DOUBLE_EQ(value("select RHOD from SDOCHADZKA where OSC=57").toDouble(), 2);
}

TEST_F(WagesForm, AllWagesComputedAndExported)
{
    bookableJob();
    booked("2026-02-02", 57, 10, 10, 0, 234.5);
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-02-02', 57, 1, 7.5)");
    form->PageControlMzdy->setCurrentWidget(form->tabMzdyAll);
    responder->InputAnswers.push_back(QStringLiteral("0"));
    QTest::mouseClick(form->BtnPocitaj, Qt::LeftButton);
    ASSERT_EQ(mzdy->QMzdy.RecordCount(), 1) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(mzdy->QMzdy.FieldByName("PRIEZVISKO")->AsString(), QString::fromUtf8("Novák"));
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    QTest::mouseClick(form->BtnExport, Qt::LeftButton);
    QDir::setCurrent(saved);
    QFile file(QDir(folder.path()).filePath("mzdy202602.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << responder->Texts().join('\n').toStdString();
    EXPECT_TRUE(file.readAll().startsWith("57;302;234.50\r\n57;303;0.00\r\n"));
}

} // namespace

namespace {

TEST_F(WagesForm, ToAllWritesTheDayForEveryEmployeeOfTheList)
{
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 58));
    typeDay("4.3.2026");
    form->vZmena1->setFocus();
    QTest::keyClick(form->vZmena1, Qt::Key_3);
    typeInto("DBeOHOD", "6");
    typeInto("DBeDOVOLENKA", "1.5");
    QTest::mouseClick(form->BtnZapisVsetkym, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from SDOCHADZKA where DATUM='2026-03-04' and ZMENA=3"), 2)
        << responder->Texts().join('\n').toStdString();
    EXPECT_DOUBLE_EQ(value("select DOVOLENKA from SDOCHADZKA where OSC=57").toDouble(), 1.5);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

} // namespace

namespace {

TEST_F(WagesForm, MonthPageSumsEachHourColumn)
{
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, DOVOLENKA) values ('2026-02-02', 57, 1, 7.5, 0)");
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, DOVOLENKA) values ('2026-02-03', 57, 1, 6, 1.5)");
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, DOVOLENKA) values ('2026-03-03', 57, 1, 8, 0)");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    form->PageControlMzdy->setCurrentWidget(form->tabMesiac);
    ASSERT_EQ(mzdy->QDochadzka.RecordCount(), 2) << "February's days";
    EXPECT_EQ(form->sgSumMesiac->item(0, 1)->text(), "13,5");
    EXPECT_EQ(form->sgSumMesiac->item(0, 3)->text(), "1,5");
    // Each sum stands under the title of its hours, the row has no number beside it.
    QStringList titles;
    for (int c = 0; c < form->sgSumMesiac->columnCount(); ++c)
        titles << form->sgSumMesiac->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"", "Odpr.h.", "Rež.h.", "Dov.", "PN", "OČR", "Nahr.v.", "Plat.v.", "Nepl.v.",
                                   "Nad25", "Nad50", "Prek.ZL"}));
    EXPECT_TRUE(form->sgSumMesiac->verticalHeader()->isHidden());
}

} // namespace

namespace {

TEST_F(WagesForm, ALockedRecordCannotBeTyped)
{
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_HOD, ZAMKNUTY) values (2026, 2, 57, 800, 6, 1)");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    form->PageControlMzdy->setCurrentWidget(form->tabMzda);
    ASSERT_FALSE(mzdy->QMzdy.IsEmpty());
    ASSERT_EQ(form->LockedEdits.size(), 3);
    EXPECT_TRUE(form->DBcbZAMKNUTY->isChecked());
    for (TDBEdit *e : form->LockedEdits)
        EXPECT_TRUE(e->isReadOnly()) << e->objectName().toStdString();
    form->DBcbZAMKNUTY->click();
    for (TDBEdit *e : form->LockedEdits)
        EXPECT_FALSE(e->isReadOnly()) << e->objectName().toStdString();
    mzdy->QMzdy.Cancel();
}

} // namespace

namespace {

TEST_F(WagesForm, ThreeMonthsOfWageHistory)
{
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_HOD, OHOD) values (2025, 10, 57, 700, 5, 140)");
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_HOD, OHOD) values (2025, 11, 57, 800, 6, 160)");
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_HOD, OHOD) values (2025, 12, 57, 0, 6, 0)");
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_HOD, OHOD) values (2026, 1, 57, 900, 7, 150)");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    form->PageControlMzdy->setCurrentWidget(form->tabMzda);
    QTest::mouseClick(form->btn3Mesiace, Qt::LeftButton);
    ASSERT_TRUE(form->sg3MMzdy->isVisible());
    // February 2026: from November on; December has no worked hours.
    EXPECT_EQ(form->sg3MMzdy->item(1, 0)->text(), "11/2025");
    EXPECT_EQ(form->sg3MMzdy->item(1, 1)->text(), "5,00");
    EXPECT_EQ(form->sg3MMzdy->item(2, 0)->text(), "1/2026");
    EXPECT_EQ(form->sg3MMzdy->item(2, 3)->text(), "900,00");
    EXPECT_EQ(form->sg3MMzdy->item(3, 0)->text(), "");
}

} // namespace

namespace {

TEST_F(WagesForm, DayDetailOpensThePerformanceOverviewOfThatDay)
{
    bookableJob();
    booked("2026-02-03", 57, 10, 10, 7.5, 40);
    booked("2026-02-04", 57, 10, 10, 7.5, 30);
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    form->PageControlMzdy->setCurrentWidget(form->tabVykony);
    ASSERT_EQ(mzdy->QVykony.RecordCount(), 2);
    mzdy->QVykony.Last();
    double shown = -1;
    WhenModal<TSVykonyForm>([&](TSVykonyForm *f) {
        shown = f->EditMzdaSpolu->text().replace(',', '.').toDouble();
        f->Close();
    });
    QTest::mouseClick(form->BtnDetailDen, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(shown, 30) << responder->Texts().join('\n').toStdString();
    delete SVykonyForm; // made on demand: it goes before the data module it shows
}

} // namespace

namespace {

TEST_F(WagesForm, ChartOfTheYearFollowsTheEmployee)
{
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_HOD, OHOD) values (2026, 1, 57, 800, 6, 160)");
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_HOD, OHOD) values (2026, 2, 57, 900, 7, 150)");
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_HOD, OHOD) values (2026, 2, 58, 100, 3, 20)");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    form->PageControlMzdy->setCurrentWidget(form->tabGraf);
    EXPECT_EQ(form->DBChart1->Title(), QString::fromUtf8("Vývoj miezd v roku 2026"));
    ASSERT_EQ(form->DBChart1->SeriesCount(), 2);
    EXPECT_EQ(form->DBChart1->Series(0)->Labels(), (QStringList{"1", "2"}));
    EXPECT_EQ(form->DBChart1->Series(0)->Values(), (std::vector<double>{5, 6}));
    EXPECT_EQ(form->DBChart1->Series(1)->Values(), (std::vector<double>{6, 7}));
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 58));
    EXPECT_EQ(form->DBChart1->Series(1)->Values(), (std::vector<double>{3})) << "a move in the list redraws";
}

} // namespace

namespace {

QAction *menuItem(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions())
        if (a->text() == text)
            return a;
    ADD_FAILURE() << "no item " << text.toStdString();
    return nullptr;
}

TEST_F(WagesForm, TheEmployeeMenuOrdersTheListKeepingTheEmployeeAndShowsItsPages)
{
    employee(56, "Adamec");
    TxQuery &list = mzdy->QZamestnanci;
    list.Close();
    list.Open();
    ASSERT_TRUE(list.Locate("OSC", 58));
    TDBGrid *grid = form->DBGridZamestnanci;
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10), grid->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(grid->viewport(), &click);
    ASSERT_TRUE(form->PopupMenuZamestnanci->isVisible()) << "a right click on the list opens its menu";
    form->PopupMenuZamestnanci->hide();
    QAction *order = menuItem(form->PopupMenuZamestnanci, "Triedenie");
    ASSERT_TRUE(order && order->menu());
    menuItem(order->menu(), QString::fromUtf8("Os.číslo"))->trigger();
    EXPECT_EQ(list.FieldByName("OSC")->AsInteger(), 58) << "the employee stays current";
    EXPECT_EQ(list.RecNo(), 3);
    menuItem(order->menu(), "Priezvisko")->trigger();
    EXPECT_EQ(list.RecNo(), 2) << "Adamec, Horváth, Novák";
    menuItem(form->PopupMenuZamestnanci, "Mzda")->trigger();
    EXPECT_EQ(form->PageControlMzdy->currentWidget(), form->tabMzda);
    menuItem(form->PopupMenuZamestnanci, QString::fromUtf8("Dochádzka"))->trigger();
    EXPECT_EQ(form->PageControlMzdy->currentWidget(), form->tabDochadzka);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(WagesForm, AWageOfAllLeadsToThatEmployeesWage)
{
    bookableJob();
    booked("2026-02-02", 57, 10, 10, 0, 234.5);
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-02-02', 57, 1, 7.5)");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 58));
    form->DBGridZamestnanci->MarkCurrentRow(true);
    form->PageControlMzdy->setCurrentWidget(form->tabMzdyAll);
    responder->InputAnswers.push_back(QStringLiteral("0"));
    QTest::mouseClick(form->BtnPocitaj, Qt::LeftButton);
    ASSERT_EQ(mzdy->QMzdy.RecordCount(), 1) << responder->Texts().join('\n').toStdString();
    TDBGrid *wages = form->DBGridMzdyAll;
    // Whose wage each row is: the employee's number and name are columns beside the figures.
    QStringList titles;
    for (int c = 0; c < wages->Model()->columnCount(); ++c)
        titles << wages->Model()->headerData(c, Qt::Horizontal).toString();
    for (const char *title : {"Os.c.", "Priezvisko", "Mzda vyk.", "Prémie", "Mzda celkom"})
        EXPECT_TRUE(titles.contains(QString::fromUtf8(title))) << title << ": " << titles.join('|').toStdString();
    EXPECT_FALSE(titles.contains("PRIEZVISKO"));
    QTest::mouseDClick(wages->viewport(), Qt::LeftButton, {}, wages->visualRect(wages->Model()->index(0, 0)).center());
    EXPECT_EQ(form->PageControlMzdy->currentWidget(), form->tabMzda);
    EXPECT_EQ(mzdy->QZamestnanci.FieldByName("OSC")->AsInteger(), 57);
    EXPECT_TRUE(form->DBGridZamestnanci->SelectedRows().empty()) << "the marks are cleared";
    EXPECT_EQ(mzdy->QMzdy.FieldByName("OSC")->AsInteger(), 57) << "the wage page shows that employee";
}

} // namespace

namespace {

// 84 employees, far more than the employee grid shows at once: the lists are read as the grids show them,
// and what the form does "for everyone" or sums must reach every row all the same.
class LongWagesForm : public WagesForm {
protected:
    void moreData() override
    {
        exec("execute block as declare i integer = 101; begin while (i <= 182) do begin "
             "insert into CZAMESTNANCOV (OSC, PRIEZVISKO, MENO, STREDISKO, PROFESIA) "
             "values (:i, 'Zamestnanec ' || :i, 'Peter', 'S1', 'FOR'); i = i + 1; end end");
    }
};

TEST_F(LongWagesForm, ToAllWritesTheDayForEveryEmployeeOfALongList)
{
    typeDay("4.3.2026");
    ASSERT_EQ(form->PageControlMzdy->currentWidget(), form->tabDochadzka);
    QApplication::processEvents();
    ASSERT_GT(mzdy->QZamestnanci.FetchedCount(), 1) << "the grid read its screen";
    ASSERT_LT(mzdy->QZamestnanci.FetchedCount(), 84) << "but not the whole list";
    ASSERT_EQ(mzdy->QDochadzka.State(), dsInsert);
    mzdy->QDochadzka.FieldByName("OHOD")->SetValue(6.0);
    mzdy->QDochadzka.FieldByName("DOVOLENKA")->SetValue(1.5);
    QTest::mouseClick(form->BtnZapisVsetkym, Qt::LeftButton);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(count("select count(*) from SDOCHADZKA where DATUM='2026-03-04' and DOVOLENKA=1.5"), 84);
    EXPECT_EQ(count("select count(*) from CZAMESTNANCOV a where not exists (select 1 from SDOCHADZKA d "
                    "where d.OSC=a.OSC and d.DATUM='2026-03-04')"),
              0);
}

TEST_F(LongWagesForm, AllWagesTotalSumsEveryEmployee)
{
    // 84 wages of 95,50 a piece: each rounds to 96 (halves to even), 8 064 together.
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, PREMIE, MZDA_REZ) "
         "select 2026, 2, OSC, 95.5, 0, 0 from CZAMESTNANCOV");
    form->PageControlMzdy->setCurrentWidget(form->tabMzdyAll);
    EXPECT_EQ(form->LabelMzdy_celkom->text(), FormatFloat(QStringLiteral("# ##0"), 8064.0).trimmed());
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(LongWagesForm, MonthPageSumsEveryDayOfTheMonth)
{
    // Two shifts on each of February's 28 days: 56 rows, more than the month's grid shows.
    exec("execute block as declare i integer = 0; begin while (i < 28) do begin "
         "insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, NEMOC) values (dateadd(:i day to date '2026-02-01'), "
         "57, 1, 7.5, 0); insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, NEMOC) "
         "values (dateadd(:i day to date '2026-02-01'), 57, 2, 0.5, 0.25); i = i + 1; end end");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    form->PageControlMzdy->setCurrentWidget(form->tabMesiac);
    EXPECT_EQ(form->sgSumMesiac->item(0, 1)->text(), "224,0") << "28 x (7,5 + 0,5) hours";
    EXPECT_EQ(form->sgSumMesiac->item(0, 4)->text(), "7,0") << "28 x 0,25 hours of sickness";
}

} // namespace

namespace {

TEST_F(WagesForm, PerformancesPageShowsTheMonthsFigures)
{
    bookableJob();
    booked("2026-02-03", 57, 10, 10, 0, 40, 1, 5, 2);
    booked("2026-02-04", 57, 10, -4, 0, -8, 1, -2);
    booked("2026-03-02", 57, 10, 10, 0, 99, 1, 9); // March's: not February's figures
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-02-03', 57, 1, 7.5)");
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-02-04', 57, 1, 7.5)");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    form->PageControlMzdy->setCurrentWidget(form->tabVykony);
    EXPECT_EQ(form->LabelMzdaSpolu->text(), FormatCurr(32));
    EXPECT_EQ(form->LabelNormoHodiny->text(), "3,00");
    EXPECT_EQ(form->LabelOdpracHodiny->text(), "15,00");
    EXPECT_EQ(form->LabelNormoHodinyDen->text(), "1,50") << "3 norm hours over 15 worked, per 7.5-hour shift";
    EXPECT_EQ(form->LabelNormoHodinyZmatky->text(), "1,00") << "2 defects of 10 pieces of 5 norm hours";
    EXPECT_EQ(form->LabelNormoHodinyStorna->text(), "2,00");
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(WagesForm, TheLastThreeMonthsOfPerformanceWages)
{
    bookableJob();
    booked("2025-11-30", 57, 10, 10, 0, 10); // four months before March: not shown
    booked("2025-12-01", 57, 10, 10, 0, 20);
    booked("2025-12-31", 57, 10, 10, 0, 2.5);
    booked("2026-01-15", 57, 10, 10, 0, 30);
    booked("2026-01-15", 58, 10, 10, 0, 1000); // another employee's
    booked("2026-03-02", 57, 10, 10, 0, 40);   // the month shown itself
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    form->vMesiac->setValue(3);
    form->PageControlMzdy->setCurrentWidget(form->tabVykony);
    ASSERT_FALSE(form->sg3MVykony->isVisible());
    EXPECT_EQ(form->sg3MVykony->item(0, 1)->text(), "Mzda");
    QTest::mouseClick(form->Btn3MVykony, Qt::LeftButton);
    ASSERT_TRUE(form->sg3MVykony->isVisible());
    const QString months[] = {FormatDateTime("mmmm yy", QDate(2026, 2, 1)),
                              FormatDateTime("mmmm yy", QDate(2026, 1, 1)),
                              FormatDateTime("mmmm yy", QDate(2025, 12, 1))};
    const double wages[] = {0, 30, 22.5};
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(form->sg3MVykony->item(row, 0)->text(), months[row - 1]) << row;
        EXPECT_EQ(form->sg3MVykony->item(row, 1)->text(), FormatCurr(wages[row - 1])) << row;
    }
    EXPECT_TRUE(form->sg3MVykony->item(1, 0)->text().startsWith(QString::fromUtf8("február"))) << "Slovak months";
    QTest::mouseClick(form->Btn3MVykony, Qt::LeftButton);
    EXPECT_FALSE(form->sg3MVykony->isVisible()) << "the button hides it again";
    QTest::mouseClick(form->Btn3MVykony, Qt::LeftButton);
    form->vMesiac->setValue(2);
    EXPECT_FALSE(form->sg3MVykony->isVisible()) << "another month's figures hide the grid";
}

QString shown(TSMzdyForm *form, const char *name)
{
    auto *text = form->findChild<QLabel *>(QString::fromLatin1(name));
    return text ? text->text() : QStringLiteral("(none)");
}

TEST_F(WagesForm, WagePanelShowsTheRecordAndTheMonthsAttendance)
{
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_REZ, OHOD, MZDA_HOD_VYP, MZDA_HOD, PREMIE, PRIPL_PRO, "
         "PRIPL_NADCAS, PRIPL_VIKEND, PRIPL_NOC, PRIPL_PRED, PRIPL_VYK, PRIPL_DOCH, PRIPL_VED, ZAMKNUTY) values "
         "(2026, 2, 57, 800, 160, 160, 5.5, 6, 50.5, 11, 12, 13, 14, 15, 16, 17, 18, 0)");
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, RHOD, RDOVOD, DOVOLENKA, NADCAS25) "
         "values ('2026-02-02', 57, 1, 7.5, 2, 'UD', 0, 1)");
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, DOVOLENKA, NADCAS25) values ('2026-02-03', 57, 1, 4, 3.5, "
         "0.5)");
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-02-03', 58, 1, 7.5)");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    form->PageControlMzdy->setCurrentWidget(form->tabMzda);
    ASSERT_FALSE(mzdy->QMzdy.IsEmpty());
    EXPECT_EQ(shown(form.get(), "DBtMZDA_VYK"), "800,00");
    EXPECT_EQ(shown(form.get(), "DBtUKOL_HOD"), "5,00") << "800 over 160 hours";
    EXPECT_EQ(shown(form.get(), "DBtMZDA_REZ"), "160,00");
    EXPECT_EQ(shown(form.get(), "DBtMZDA_HOD_VYP"), "5,50");
    EXPECT_EQ(shown(form.get(), "DBtMzda_celkom").trimmed(), FormatFloat(MoneyFormat, 1010).trimmed())
        << "800 + 50.5 + 160, halves to even";
    const char *supplements[] = {"DBtPRIPL_PRO",  "DBtPRIPL_NADCAS", "DBtPRIPL_VIKEND", "DBtPRIPL_NOC",
                                 "DBtPRIPL_PRED", "DBtPRIPL_VYK",    "DBtPRIPL_DOCH"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(shown(form.get(), supplements[i]), QStringLiteral("%1,00").arg(11 + i)) << supplements[i];
    EXPECT_EQ(shown(form.get(), "DBtOHOD"), "11,5") << "the month's worked hours";
    EXPECT_EQ(shown(form.get(), "DBtRHOD"), "2");
    EXPECT_EQ(shown(form.get(), "DBtDOVOLENKA"), "3,5");
    EXPECT_EQ(shown(form.get(), "DBtNADCAS25"), "1,5");

    // The adjusted hourly wage, typed, tops the piece wage up: 6.5 x 160 - 800.
    auto *hourly = form->PanelMzdy->findChild<TDBEdit *>("DBeMZDA_HOD");
    ASSERT_NE(hourly, nullptr);
    ASSERT_FALSE(hourly->isReadOnly());
    hourly->setFocus();
    hourly->selectAll();
    QTest::keyClicks(hourly, QString("6") + FormatSettings().DecimalSeparator + "5");
    QTest::mouseClick(form->btnZapisMzdu1, Qt::LeftButton);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_DOUBLE_EQ(value("select MZDA_REZ from SMZDY where OSC=57").toDouble(), 240);
    EXPECT_EQ(shown(form.get(), "DBtMZDA_REZ"), "240,00");

    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 58));
    EXPECT_EQ(shown(form.get(), "DBtMZDA_VYK"), "") << "no wage of the month";
    EXPECT_EQ(shown(form.get(), "DBtOHOD"), "7,5");
}

TEST_F(WagesForm, TheCurrentEmployeeIsNamedBesideTheList)
{
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    EXPECT_EQ(form->DBtPRIEZVISKO->text(), QString::fromUtf8("Novák"));
    EXPECT_EQ(form->DBtMENO->text(), QString::fromUtf8("Ján"));
    EXPECT_EQ(form->DBtOSC->text(), "57");
    ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 58));
    EXPECT_EQ(form->DBtPRIEZVISKO->text(), QString::fromUtf8("Horváth"));
    EXPECT_EQ(form->DBtOSC->text(), "58");
}

} // namespace

namespace {

// A user the server does not let read the employees: the form tells the refusal as it shows, and each button
// that works on the employees tells it again, never a missing field's name nor a closed list's complaint.
class WagesFormWithoutRights : public WagesForm {
protected:
    void moreData() override
    {
        dm->DBZAL.Close();
        dm->DBZAL.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("NOVAK"));
        dm->DBZAL.Open();
    }
};

TEST_F(WagesFormWithoutRights, EachButtonTellsTheRefusal)
{
    const QString refused = QString::fromUtf8("Nedostatočné oprávnenia !");
    EXPECT_EQ(responder->Texts().join('|').toStdString(), refused.toStdString());
    // The two saves have nothing typed to write and say nothing; the others work on the employees or wages.
    const struct {
        QWidget *page;
        QPushButton *button;
        int messages;
    } buttons[] = {{form->tabDochadzka, form->btnZapis1, 0}, {form->tabDochadzka, form->BtnZapisVsetkym, 1},
                   {form->tabMzda, form->btnZapisMzdu1, 0},  {form->tabMzda, form->btnPrevziat, 1},
                   {form->tabMzda, form->btn3Mesiace, 1},    {form->tabVykony, form->Btn3MVykony, 1},
                   {form->tabMzdyAll, form->BtnPocitaj, 1},  {form->tabMzdyAll, form->BtnExport, 1}};
    for (const auto &b : buttons) {
        form->PageControlMzdy->setCurrentWidget(b.page);
        QApplication::processEvents();
        responder->Messages.clear();
        responder->InputAnswers.push_back(QStringLiteral("0"));
        QTest::mouseClick(b.button, Qt::LeftButton);
        responder->InputAnswers.clear();
        EXPECT_EQ(responder->Messages.size(), b.messages) << b.button->text().toStdString();
        for (const QString &text : responder->Texts()) // the computation's refusal comes as its save's
            EXPECT_TRUE(text.endsWith(refused)) << text.toStdString() << " at " << b.button->text().toStdString();
    }
}

} // namespace

namespace {

// The page's tab clicked, as a person shows it.
void clickTab(QTabWidget *tabs, QWidget *page)
{
    QTabBar *bar = tabs->tabBar();
    ClickOn(bar, bar->tabRect(tabs->indexOf(page)).center());
}

int columnOf(TDBGrid *grid, const char *fieldName)
{
    for (int i = 0; i < grid->ColumnCount(); ++i)
        if (grid->Columns(i)->FieldName.compare(QLatin1String(fieldName), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// The total beside the wages of all follows the rows as they change: computed again with a premium, a
// premium typed into a row, a row deleted.
TEST_F(WagesForm, TheTotalOfAllWagesFollowsEveryChangeOfTheList)
{
    bookableJob();
    booked("2026-02-02", 57, 10, 10, 0, 234.25);
    booked("2026-02-03", 58, 10, 10, 0, 100.25);
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-02-02', 57, 1, 7.5)");
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-02-03', 58, 1, 7.5)");
    // What the rows add up to, each wage a whole amount as the list shows it.
    const auto rowsTotal = [this] {
        const double sum = value("select coalesce(sum(round(coalesce(MZDA_VYK, 0) + coalesce(PREMIE, 0) + "
                                 "coalesce(MZDA_REZ, 0))), 0) from SMZDY where ROK=2026 and MESIAC=2")
                               .toDouble();
        return FormatFloat(QStringLiteral("# ##0"), sum).trimmed();
    };
    clickTab(form->PageControlMzdy, form->tabMzdyAll);
    responder->InputAnswers = {QStringLiteral("0")};
    ClickOn(form->BtnPocitaj);
    ASSERT_EQ(mzdy->QMzdy.RecordCount(), 2) << responder->Texts().join('\n').toStdString();
    ASSERT_EQ(form->LabelMzdy_celkom->text(), rowsTotal());
    TDBGrid *grid = form->DBGridMzdyAll;
    const int premium = columnOf(grid, "PREMIE");
    ASSERT_GE(premium, 0);
    const struct {
        const char *change;
        std::function<void()> make;
    } changes[] = {
        {"computed with a premium",
         [&] {
             responder->InputAnswers = {QStringLiteral("50")};
             ClickOn(form->BtnPocitaj);
         }},
        {"a premium typed",
         [&] {
             ASSERT_TRUE(ClickCell(grid, 0, premium));
             Type(QStringLiteral("1111"));
             Press(Qt::Key_Return);
             Press(Qt::Key_Up); // off the row: it is stored
         }},
        {"a row deleted",
         [&] {
             ASSERT_TRUE(ClickCell(grid, 1, 0));
             responder->MessageAnswers = {mrYes};
             Press(Qt::Key_Delete, Qt::ControlModifier);
         }},
    };
    for (const auto &c : changes) {
        const QString before = form->LabelMzdy_celkom->text();
        c.make();
        EXPECT_EQ(mzdy->QMzdy.State(), dsBrowse) << c.change;
        EXPECT_NE(rowsTotal(), before) << c.change << ": the rows changed";
        EXPECT_EQ(form->LabelMzdy_celkom->text(), rowsTotal()) << c.change;
    }
    EXPECT_EQ(count("select count(*) from SMZDY where ROK=2026 and MESIAC=2"), 1);
}

} // namespace
