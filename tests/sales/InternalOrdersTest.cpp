// The internal orders browser on a fresh database, shown modally offscreen: how it opens from an order, a
// job, a product or the menu's state; the filter edits with hostile text; the period with and without the
// overdue jobs; the views; the totals and the norm hours; the print list's entries; the rows' look.
#include "SalesFixture.h"

#include "common/HostileCorpus.h"
#include "common/WhenModal.h"
#include "library/xDBGrid.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/MaskEdit.h"
#include "platform/ui/RadioGroup.h"
#include "sales/FormIntZak.h"
#include "sales/InternalOrderFilter.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"

#include <QCheckBox>
#include <QRegularExpression>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {

QString iso(int daysFromToday)
{
    return Date().addDays(daysFromToday).toString(QStringLiteral("yyyy-MM-dd"));
}

class InternalOrdersTest : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        if (HasFatalFailure())
            return;
        exec("insert into CMATERIALOV (MATERIAL) values ('GJL-250')");
        exec("insert into CMATERIALOV (MATERIAL) values ('GJS-400')");
        exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (5, 'Zlievareň')");
        exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (7, 'O''Neil')");
        product("V100");
        product("V200", "GJS-400", 30, 25);
        order("ZAK26001", 5);
        order("ZAK26002", 7);
        order("ZAK25009", 5);
        // Due: overdue, today, in 5 days, in 40 days; states across the range.
        job(260001, "ZAK26001", "V100", 10, 1, iso(-3));
        job(260002, "ZAK26001", "V200", 4, 5, iso(0));
        job(260003, "ZAK26002", "V100", 6, 40, iso(5));
        job(260004, "ZAK26002", "V200", 2, 100, iso(-1));
        job(250009, "ZAK25009", "V100", 8, 30, iso(40), 260001);
    }
    void TearDown() override
    {
        CancelWhenModal();
        delete FormIntZak;
        SalesTest::TearDown();
    }

    // Opens the browser as the routine does, runs the steps while it is shown, then closes it.
    void open(const QString &field, const QString &value, std::function<void(TFormIntZak *)> steps)
    {
        WhenModal<TFormIntZak>([steps](TFormIntZak *f) {
            steps(f);
            f->Close();
        });
        ShowInternalOrders(field, value);
    }
    static QList<int> jobs()
    {
        QList<int> listed;
        TxQuery &q = DMOdbyt->QvZakazkyDKalk;
        if (!q.Active())
            return listed;
        for (q.First(); !q.Eof(); q.Next())
            listed << q.FieldByName("C_INT")->AsInteger();
        std::sort(listed.begin(), listed.end());
        return listed;
    }
    static void click(QPushButton *b)
    {
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
    }
    static void choose(QComboBox *c, int index)
    {
        c->setCurrentIndex(index);
        emit c->activated(index);
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(InternalOrdersTest, OpeningFromAnOrderListsItsJobsOfAllDatesFromState1)
{
    // An earlier opening from the menu's "from 5" with a job number typed.
    open(QStringLiteral("STAV_ZAK"), QStringLiteral("5"), [](TFormIntZak *f) {
        EXPECT_EQ(f->LowestState, 5);
        type(f->vC_INT, QStringLiteral("250009"));
        click(f->btnFilter);
        EXPECT_EQ(jobs(), QList<int>({250009}));
    });
    open(QStringLiteral("C_OBJ"), QStringLiteral("ZAK26"), [](TFormIntZak *f) {
        EXPECT_FALSE(f->cbObdobie->isChecked());
        EXPECT_TRUE(f->vC_INT->text().isEmpty()) << "the old job number no longer hides the order's jobs";
        EXPECT_EQ(f->LowestState, 1);
        EXPECT_EQ(jobs(), QList<int>({260001, 260002, 260003, 260004})) << "every date, states 1 to 100";
        EXPECT_EQ(f->LabelCount->text(), QStringLiteral("4"));
        EXPECT_EQ(f->windowTitle(), QString::fromUtf8("Interné Objednávky/Zákazky"));
    });
    open(QStringLiteral("C_INT"), QStringLiteral("260003"), [](TFormIntZak *f) {
        EXPECT_EQ(jobs(), QList<int>({260003}));
        EXPECT_EQ(f->JobFilter, 260003);
    });
    open(QStringLiteral("C_VYR"), QStringLiteral("V2"), [](TFormIntZak *) {
        EXPECT_EQ(jobs(), QList<int>({260002, 260004}));
    });
}

TEST_F(InternalOrdersTest, ThePeriodWithOverdueJobsMirrorsTheToDate)
{
    open(QString(), QString(), [](TFormIntZak *f) {
        // The first opening: today and ten days on, overdue jobs included.
        EXPECT_EQ(f->vDo->Text(), FormatDateTime("dd/mm/yy", Date().addDays(10)));
        EXPECT_TRUE(f->cbSklzy->isChecked());
        EXPECT_FALSE(f->vOd->isEnabled());
        EXPECT_EQ(jobs(), QList<int>({260001, 260002, 260003})) << "unfinished and due up to the to-date";

        f->cbSklzy->click();
        EXPECT_TRUE(f->vOd->isEnabled());
        type(f->vOd, FormatDateTime("dd/mm/yy", Date()));
        click(f->btnFilter);
        EXPECT_EQ(jobs(), QList<int>({260002, 260003})) << "only the period";
        EXPECT_EQ(f->PeriodText, f->vOd->Text() + " - " + f->vDo->Text());

        f->cbSklzy->click();
        EXPECT_FALSE(f->vOd->isEnabled());
        EXPECT_EQ(f->vOd->Text(), f->vDo->Text()) << "the from-date mirrors the to-date";
        click(f->btnFilter);
        EXPECT_EQ(f->PeriodText, "do " + f->vDo->Text() + " + sklzy");

        // A state chosen replaces the range.
        choose(f->vSTAV_ZAK, 3);
        EXPECT_EQ(f->vSTAV_ZAK->currentText(), QString::fromUtf8("  5 Potvrdená"));
        click(f->btnFilter);
        EXPECT_EQ(jobs(), QList<int>({260002}));
    });
}

TEST_F(InternalOrdersTest, ADateWithoutDigitsIsEmptyAndAnUnreadableDateIsToldWithoutLosingTheBrowser)
{
    EXPECT_TRUE(IsBlankDate(QStringLiteral("  .  .  ")));
    EXPECT_TRUE(IsBlankDate(QStringLiteral("__/__/__")));
    EXPECT_FALSE(IsBlankDate(QStringLiteral(" 1.  .  ")));
    open(QString(), QString(), [this](TFormIntZak *f) {
        f->cbSklzy->click();
        type(f->vOd, QStringLiteral("310226"));
        const int before = int(responder->Messages.size());
        click(f->btnFilter);
        ASSERT_EQ(int(responder->Messages.size()), before + 1) << "31.02. is no date";
        EXPECT_EQ(jobs(), QList<int>({260001, 260002, 260003})) << "the list as it was";
        f->vOd->SetText(QString());
    });
    // The next opening puts today into the emptied date.
    open(QString(), QString(), [](TFormIntZak *f) { EXPECT_EQ(f->vOd->Text(), FormatDateTime("dd/mm/yy", Date())); });
}

TEST_F(InternalOrdersTest, HostileTextInTheFilterEditsListsTheRightJobsAndChangesNothing)
{
    open(QStringLiteral("STAV_ZAK"), QStringLiteral("1"), [this](TFormIntZak *f) {
        f->cbObdobie->setChecked(false);
        // Each text as one typed value: the same search with the texts bound as parameters.
        const QString bound = QStringLiteral(
            "select count(*) from vZakazkyDKalk where c_int>0 and c_vyr like cast(:v as varchar(40))||'%' "
            "and c_obj like cast(:o as varchar(40))||'%' "
            "and material like cast(:m as varchar(40))||'%' and stav_zak between 1 and 100");
        for (const char *raw : kHostileCorpus) {
            const QString text = QString::fromUtf8(raw);
            SCOPED_TRACE(raw);
            for (QLineEdit *e : {f->vC_VYR, f->vC_OBJ}) {
                e->clear();
                TypeText(e, text);
            }
            f->vMATERIAL->setCurrentText(text);
            click(f->btnFilter);
            EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
            EXPECT_EQ(int(jobs().size()), value(bound, {f->vC_VYR->text().trimmed(), f->vC_OBJ->text().trimmed(),
                                                        f->vMATERIAL->currentText().trimmed()})
                                              .toInt());
            for (QLineEdit *e : {f->vC_VYR, f->vC_OBJ})
                e->clear();
            f->vMATERIAL->setCurrentText(QString());
        }
        EXPECT_EQ(count("select count(*) from ZAKAZKYD"), 5) << "nothing typed changed the data";

        // The customer's edit takes a number only, "!" in front for all others.
        type(f->vC_ODB, QStringLiteral("7' or a=a --"));
        EXPECT_EQ(f->vC_ODB->text(), QStringLiteral("7"));
        click(f->btnFilter);
        EXPECT_EQ(jobs(), QList<int>({260003, 260004}));
        type(f->vC_ODB, QStringLiteral("!7"));
        click(f->btnFilter);
        EXPECT_EQ(jobs(), QList<int>({250009, 260001, 260002}));
        f->vC_ODB->clear();

        // Prefixes: a product, a material, an order; complaints only.
        type(f->vC_VYR, QStringLiteral("v2"));
        EXPECT_EQ(f->vC_VYR->text(), QStringLiteral("V2"));
        click(f->btnFilter);
        EXPECT_EQ(jobs(), QList<int>({260002, 260004}));
        f->vC_VYR->clear();
        f->vMATERIAL->setCurrentText(QStringLiteral("GJS"));
        type(f->vC_OBJ, QStringLiteral("ZAK26001"));
        click(f->btnFilter);
        EXPECT_EQ(jobs(), QList<int>({260002}));
        f->vMATERIAL->setCurrentText(QString());
        f->vC_OBJ->clear();
        f->cbReklamacie->setChecked(true);
        click(f->btnFilter);
        EXPECT_EQ(jobs(), QList<int>({250009}));
        EXPECT_EQ(f->vMATERIAL->count(), 2) << "the material code list";
    });
}

TEST_F(InternalOrdersTest, FilterTwiceWithoutChangesDoesNotReloadTheList)
{
    open(QStringLiteral("C_OBJ"), QStringLiteral("ZAK26002"), [this](TFormIntZak *f) {
        EXPECT_EQ(jobs(), QList<int>({260003, 260004}));
        job(260005, "ZAK26002", "V100");
        click(f->btnFilter);
        EXPECT_EQ(jobs(), QList<int>({260003, 260004})) << "the same WHERE changes nothing";
        type(f->vC_OBJ, QStringLiteral("ZAK2600"));
        click(f->btnFilter);
        EXPECT_EQ(jobs(), QList<int>({260001, 260002, 260003, 260004, 260005}));
    });
}

TEST_F(InternalOrdersTest, ViewsListWhatTheyPromise)
{
    // 260003 handed over in full, 260002 delivered in full.
    exec("update ZAKAZKYD set MNOZ_VYR=6 where C_INT=260003");
    exec("insert into SODVODY (DATUM, C_INT, C_DOKLADU, MNOZSTVO) values (CURRENT_DATE, 260003, 1, 6)");
    exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ) values (1, 5, 'ZAK26001')");
    exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR) values (1, 'V200', 260002, 4)");
    open(QString(), QString(), [](TFormIntZak *f) {
        const QList<QList<int>> expected{
            {260002},         {260003}, {},      {260001, 260002, 260003}, {260001, 260002, 260004},
            {260001, 260002}, {260003}, {260002}};
        for (int view = 0; view < 8; ++view) {
            SCOPED_TRACE(view);
            choose(f->cbPohlad, view);
            QList<int> want = expected[view];
            std::sort(want.begin(), want.end());
            EXPECT_EQ(jobs(), want);
            EXPECT_EQ(f->LabelCount->text(), QString::number(jobs().size()));
        }
        EXPECT_EQ(jobs(), QList<int>({260002})) << "\"Ukončené ?\": delivered in full, not finished";
        click(f->btnFilter);
        EXPECT_EQ(f->cbPohlad->currentIndex(), -1) << "the filter clears the view";
    });
}

TEST_F(InternalOrdersTest, TotalsSortAndNormHoursFollowTheList)
{
    exec("insert into ZAKKALK (C_INT, VAHA1, CENA1) values (260001, 1250, 100)");
    exec("insert into ZAKKALK (C_INT, VAHA1, CENA1) values (260002, 10, 2.5)");
    exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, PRACOVISKO, PROFESIA, CAS_JED) values "
         "(260001, 10, 'FOR', 'W1', 'P1', 60)");
    exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, PRACOVISKO, PROFESIA, CAS_JED) values "
         "(260002, 10, 'FOR', 'W2', 'P1', 120)");
    open(QStringLiteral("C_OBJ"), QStringLiteral("ZAK26001"), [](TFormIntZak *f) {
        QString weight = f->LabelCelkovaVaha->text();
        EXPECT_TRUE(weight.endsWith(" kg"));
        weight.remove(QRegularExpression("[^0-9,]"));
        EXPECT_EQ(weight, QStringLiteral("12540")) << "no decimals";
        EXPECT_EQ(f->LabelCelkovaCena->text(), FormatCurr(1010));

        choose(f->cbTriedenie, 2);
        EXPECT_EQ(DMOdbyt->QvZakazkyDKalk.SQL().Strings(3), QStringLiteral("order by c_vyr, c_odb"));
        DMOdbyt->QvZakazkyDKalk.First();
        EXPECT_EQ(DMOdbyt->QvZakazkyDKalk.FieldByName("C_VYR")->AsString().trimmed(), QStringLiteral("V100"));

        // 10 pieces x 60 min on W1 and 4 x 120 min on W2, by workplace, then by profession.
        f->pcFilter->setCurrentWidget(f->TabSheetKapacity);
        QApplication::processEvents();
        ASSERT_EQ(f->sgKapacity->rowCount(), 3);
        EXPECT_EQ(f->sgKapacity->item(1, 0)->text(), QStringLiteral("W1"));
        EXPECT_EQ(f->sgKapacity->item(1, 1)->text(), QStringLiteral("10"));
        EXPECT_EQ(f->sgKapacity->item(2, 1)->text(), QStringLiteral("8"));
        EXPECT_EQ(f->LabelCelkoveNHod->text(), QStringLiteral("18"));
        f->rgKapacity->SetItemIndex(1);
        f->rgKapacity->OnClick();
        ASSERT_EQ(f->sgKapacity->rowCount(), 2);
        EXPECT_EQ(f->sgKapacity->item(1, 0)->text(), QStringLiteral("P1"));

        // A new filter recomputes the shown capacity tab.
        typeDirectly(f->vC_OBJ, QStringLiteral("ZAK26002"));
        f->btnFilterClick();
        EXPECT_EQ(f->sgKapacity->rowCount(), 1);
        EXPECT_EQ(f->LabelCelkoveNHod->text(), QStringLiteral("0"));
    });
}

TEST_F(InternalOrdersTest, PrintEntriesRefuseAFinishedJobsTicketAndPassTheFilterOn)
{
    int ticket = 0;
    QVariantList requests;
    ModuleHooks().PrintJobTicket = [&ticket](int job) { ticket = job; };
    RegisterOpenRoutine(Routine::ShowMaterialRequests, [&requests](const QVariantList &args) { requests = args; });
    open(QStringLiteral("C_OBJ"), QStringLiteral("ZAK26002"), [&, this](TFormIntZak *f) {
        TxQuery &q = DMOdbyt->QvZakazkyDKalk;
        ASSERT_TRUE(q.Locate("C_INT", 260004));
        f->pcFilter->setCurrentWidget(f->TabSheetTlac);
        f->ListBoxTlac->setCurrentRow(1);
        click(f->btnTlac);
        ASSERT_FALSE(responder->Messages.isEmpty());
        EXPECT_EQ(responder->Messages.last().Text, QString::fromUtf8("Zákazka je ukončená !"));
        EXPECT_EQ(responder->Messages.last().Caption, QStringLiteral("Tlač sprievodky"));
        EXPECT_EQ(ticket, 0);
        ASSERT_TRUE(q.Locate("C_INT", 260003));
        f->popupIntZak->findChild<QAction *>("TlacSprievodku")->trigger();
        EXPECT_EQ(ticket, 260003);

        f->ListBoxTlac->setCurrentRow(5);
        click(f->btnTlac);
        ASSERT_EQ(requests.size(), 1);
        EXPECT_EQ(requests[0].toString(), f->BuildFilter());
        EXPECT_TRUE(requests[0].toString().contains("c_obj like 'ZAK26002%'"));
    });
    ModuleHooks().PrintJobTicket = nullptr;
    UnregisterOpenRoutine(Routine::ShowMaterialRequests);
}

TEST_F(InternalOrdersTest, RowsShowStateComplaintAndDueDate)
{
    job(260006, "ZAK26001", "V100", 1, 101, iso(-9));
    job(260007, "ZAK26001", "V100", 1, 40, iso(2));
    job(260008, "ZAK26001", "V100", 1, 40, iso(3));
    open(QStringLiteral("C_OBJ"), QStringLiteral("ZAK"), [](TFormIntZak *f) {
        TxQuery &q = DMOdbyt->QvZakazkyDKalk;
        const QColor red(0xFF, 0, 0), yellow(0xFF, 0xFF, 0);
        const auto look = [&q](int job, TCellFont &font, QColor &ground) {
            EXPECT_TRUE(q.Locate("C_INT", job));
            font = TCellFont();
            ground = QColor();
            TFormIntZak::JobCellProp(&q, Date(), font, ground);
        };
        TCellFont font;
        QColor ground;
        look(260001, font, ground);
        EXPECT_TRUE(font.bold());
        EXPECT_EQ(ground, red) << "overdue";
        look(260002, font, ground);
        EXPECT_EQ(ground, yellow) << "due today: not red";
        look(260007, font, ground);
        EXPECT_EQ(ground, yellow) << "due the day after tomorrow";
        look(260008, font, ground);
        EXPECT_FALSE(ground.isValid()) << "due in three days";
        look(260004, font, ground);
        EXPECT_FALSE(font.bold());
        EXPECT_FALSE(ground.isValid()) << "finished";
        look(250009, font, ground);
        EXPECT_TRUE(font.italic()) << "a complaint job";

        // Cancelled jobs lie beyond the range: chosen by their state.
        choose(f->vSTAV_ZAK, 9);
        click(f->btnFilter);
        look(260006, font, ground);
        EXPECT_EQ(font.Color, QColor(0x80, 0x80, 0x80));
        EXPECT_FALSE(ground.isValid()) << "cancelled: grey and nothing more";
        EXPECT_FALSE(font.bold());
    });
}
