// The job detail base form and the state marks on a fresh database: each mark and its undo decided by the
// job's state in the database (changed meanwhile by another workstation), and the detail tabs offscreen.
#include "SalesFixture.h"

#include "platform/db/DataSource.h"
#include "platform/ui/DBGrid.h"
#include "sales/JobMarks.h"
#include "sales/tIntZakForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>

namespace {

// Another workstation: its own connection, each statement committed.
struct Workstation {
    TIBDatabase db;
    explicit Workstation(const QString &path)
    {
        db.DatabaseName = path;
        db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
        db.Open();
    }
    void exec(const QString &sql) { db.Attachment().executeImmediate(sql); }
};

} // namespace

class JobDetailTest : public SalesJobTest {
protected:
    int state() { return count("select STAV_ZAK from ZAKAZKYD where C_INT=260001"); }
    // Answers the next question and returns its text.
    QString mark(TJobMark m, int answer, bool *changed = nullptr)
    {
        responder->MessageAnswers.push_back(answer);
        const int before = int(responder->Messages.size());
        const bool c = MarkJob(260001, m);
        if (changed)
            *changed = c;
        EXPECT_EQ(responder->Messages.size(), before + 1) << "one question";
        if (responder->Messages.size() <= before)
            return QString();
        EXPECT_EQ(responder->Messages.last().Caption, QString::fromUtf8("Otázka"));
        return responder->Messages.last().Text;
    }
};

TEST_F(JobDetailTest, MarksAndTheirUndoFollowTheStoredState)
{
    exec("update ZAKAZKYD set STAV_ZAK=40 where C_INT=260001");
    bool changed = false;
    EXPECT_EQ(mark(TJobMark::HandedOver, mrYes, &changed),
              QString::fromUtf8("Skutočne označiť zákazku 260001 ako odvedenú ?"));
    EXPECT_TRUE(changed);
    EXPECT_EQ(state(), 90);
    EXPECT_EQ(mark(TJobMark::HandedOver, mrNo, &changed),
              QString::fromUtf8("Skutočne zrušiť \"odvedenie\" zákazky 260001 ?"));
    EXPECT_FALSE(changed);
    EXPECT_EQ(state(), 90);
    mark(TJobMark::HandedOver, mrYes);
    EXPECT_EQ(state(), 40);

    // Finished and cancelled; undoing the cancellation goes to 40, undoing "finished" to 90.
    mark(TJobMark::Finished, mrYes);
    EXPECT_EQ(state(), 100);
    EXPECT_EQ(mark(TJobMark::Cancelled, mrYes), QString::fromUtf8("Skutočne označiť zákazku 260001 ako stornovanú ?"));
    EXPECT_EQ(state(), 101);
    EXPECT_EQ(mark(TJobMark::Cancelled, mrYes), QString::fromUtf8("Skutočne zrušiť \"storno\" zákazky 260001 ?"));
    EXPECT_EQ(state(), 40);
    exec("update ZAKAZKYD set STAV_ZAK=100 where C_INT=260001");
    EXPECT_EQ(mark(TJobMark::Finished, mrYes), QString::fromUtf8("Skutočne zrušiť \"ukončenie\" zákazky 260001 ?"));
    EXPECT_EQ(state(), 90);
}

TEST_F(JobDetailTest, AnotherWorkstationsChangeDecidesTheQuestion)
{
    // The list showed the job at 40; another workstation has handed it over since.
    exec("update ZAKAZKYD set STAV_ZAK=40 where C_INT=260001");
    TxQuery list;
    list.SetDatabase(&dm->DBZAL);
    list.SQL().SetText("select c_int, stav_zak from ZAKAZKYD where c_int=260001");
    list.Open();
    EXPECT_EQ(list.FieldByName("STAV_ZAK")->AsInteger(), 40);
    Workstation other(database.path());
    other.exec("update ZAKAZKYD set STAV_ZAK=90 where C_INT=260001");
    EXPECT_EQ(mark(TJobMark::HandedOver, mrYes), QString::fromUtf8("Skutočne zrušiť \"odvedenie\" zákazky 260001 ?"));
    EXPECT_EQ(state(), 40) << "the mark is taken back, not set again";

    // Finished elsewhere since: the raise to 90 finds it out of range and changes nothing.
    dm->DBTransaction.CommitRetaining();
    bool changed = true;
    responder->MessageAnswers.push_back(mrYes);
    other.exec("update ZAKAZKYD set STAV_ZAK=100 where C_INT=260001");
    changed = MarkJob(260001, TJobMark::HandedOver);
    EXPECT_FALSE(changed);
    EXPECT_EQ(state(), 100);
    list.Close();
}

TEST_F(JobDetailTest, TabsShowTheCurrentJob)
{
    job(260002, "ZAK260001", "V1");
    exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, CAS_JED, MZDA) values (260001, 10, 'FOR', 30, 3)");
    exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, CAS_JED, MZDA) values (260001, 20, 'CIS', 60, 6)");
    exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, CAS_JED, MZDA) values (260002, 10, 'FOR', 30, 3)");
    exec("insert into SVYKONY (DATUM, ZMENA, OSC, C_INT, C_DAVKY, C_OPERACIE, OPERACIA, MNOZSTVO, ZMATKY, MZDA) "
         "values ('2026-03-10', 1, 7, 260001, 1, 10, 'FOR', 8, 1, 24.5)");
    exec("insert into SODVODY (DATUM, C_INT, C_DOKLADU, MNOZSTVO, CENA1) values ('2026-03-12', 260001, 1, 4, 10)");
    TxQuery jobs;
    jobs.SetDatabase(&dm->DBZAL);
    jobs.SQL().SetText("select c_int, c_vyr from ZAKAZKYD order by c_int");
    TDataSource source;
    source.SetDataSet(&jobs);
    jobs.Open();

    {
        TtIntZakForm form;
        form.ItemDataSource = &source;
        form.show();
        TxQuery &shared = dm->Query1;
        form.pcInterneObjednavky->setCurrentWidget(form.TabOperacie);
        ASSERT_TRUE(shared.Active());
        EXPECT_EQ(shared.RecordCount(), 2);
        jobs.Next(); // another job: the shared query follows it
        EXPECT_EQ(shared.RecordCount(), 1);
        jobs.First();

        form.pcInterneObjednavky->setCurrentWidget(form.TabVykony);
        EXPECT_EQ(shared.RecordCount(), 1) << "only operations with performances";
        EXPECT_TRUE(form.LabelVykonyMzda->text().contains(QString::fromUtf8("24,50")));
        form.cbNuloveOperacie->setChecked(true);
        EXPECT_EQ(shared.RecordCount(), 2) << "with the idle operation too";
        shared.Last();
        EXPECT_TRUE(shared.FieldByName("MZDA")->IsNull()) << "an idle operation's sums are empty";

        form.pcInterneObjednavky->setCurrentWidget(form.TabOdvody);
        EXPECT_EQ(form.LabelOdvMnoz->text(), "4");
        EXPECT_TRUE(form.LabelOdvHodn->text().contains(QString::fromUtf8("40,00")));

        form.pcInterneObjednavky->setCurrentWidget(form.TabVyrobok);
        EXPECT_TRUE(form.DSVyrobok.Enabled());
        ASSERT_NE(form.DSVyrobok.DataSet(), nullptr);
        EXPECT_EQ(form.DSVyrobok.DataSet()->FieldByName("NAZOV_VYR")->AsString(), QString::fromUtf8("Odliatok V1"));
        form.pcInterneObjednavky->setCurrentWidget(form.TabZakazka);
        EXPECT_FALSE(form.DSVyrobok.Enabled()) << "hiding the product tab disables its source";
        EXPECT_TRUE(odbyt->QvZakazkyDKalk.Active());
        EXPECT_EQ(odbyt->QvZakazkyDKalk.FieldByName("C_INT")->AsInteger(), 260001);

        form.pcInterneObjednavky->setCurrentWidget(form.TabKaklulacia);
        EXPECT_TRUE(odbyt->QvZakKalkLookup.Active());
        form.pcInterneObjednavky->setCurrentWidget(form.TabDL);
        EXPECT_FALSE(odbyt->QvZakKalkLookup.Active()) << "hiding the calculation closes it";
        form.hide();
        EXPECT_FALSE(shared.Active());
        EXPECT_EQ(shared.DataSource(), nullptr);
    }
    jobs.Close();
}
