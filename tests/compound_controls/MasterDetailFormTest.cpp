// The master-detail base form on real tables: New, Edit and Delete through its modal detail dialog, the
// order in which master and detail rows are written, and a dialog that stays open after a refused save.
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "common/WhenModal.h"
#include "library/Buttons.h"
#include "library/tMasterDetailForm.h"
#include "library/xDBEdit.h"
#include "library/xDBGrid.h"
#include "platform/ui/Dialogs.h"

#include <QTest>
#include <QVBoxLayout>
#include <functional>

namespace {

// The detail dialog a descendant would give: the master's number and name, Save and Cancel.
class DetailDialog : public TForm {
public:
    explicit DetailDialog(TDataSource *master)
    {
        auto *lay = new QVBoxLayout(this);
        for (auto [edit, field] : {std::pair{&id, "ID"}, std::pair{&nazov, "NAZOV"}}) {
            *edit = new TxDBEdit(this);
            (*edit)->SetDataSource(master);
            (*edit)->SetDataField(field);
            lay->addWidget(*edit);
        }
        zapis = new TBtnZapis(this);
        nezapis = new TBtnNezapis(this);
        lay->addWidget(zapis);
        lay->addWidget(nezapis);
    }
    TxDBEdit *id, *nazov;
    TBtnZapis *zapis;
    TBtnNezapis *nezapis;
};

class MasterDetail : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table M_H (ID integer not null primary key, NAZOV varchar(20) not null, POCET integer)");
        exec("create table M_D (ID integer not null primary key, M_ID integer not null references M_H (ID), "
             "TEXT varchar(20))");
        // Counts the detail rows present when the master row is updated: shows what was written first.
        exec("create trigger M_H_BU for M_H before update as begin "
             "new.POCET = (select count(*) from M_D where M_ID = new.ID); end");
        exec("insert into M_H (ID, NAZOV) values (1, 'Prvý')");
        exec("insert into M_D values (1, 1, 'a')");
        master.SetDatabase(db.get());
        master.SetTableName("M_H");
        master.SetIndexFieldNames("ID");
        detail.SetDatabase(db.get());
        detail.SetTableName("M_D");
        detail.SetIndexFieldNames("ID");
        detail.SetCachedUpdates(true);
        msrc.SetDataSet(&master);
        form.DBGrid->SetDataSource(&msrc);
        form.DetailForm = &dialog;
        form.DetailDataSet = &detail;
        master.Open();
        detail.Open();
        form.show();
    }
    void TearDown() override
    {
        detail.Close();
        master.Close();
        DbFixture::TearDown();
    }
    // What the user does in the dialog once it is shown.
    void inDialog(std::function<void()> steps, std::source_location where = std::source_location::current())
    {
        WhenModal(
            [this, steps](QWidget *window) {
                EXPECT_EQ(window, &dialog);
                ++dialogs;
                steps();
            },
            nullptr, where);
    }
    void type(TxDBEdit *edit, const QString &text)
    {
        TabTo(edit);
        QTest::keyClicks(edit->Edit(), text);
        QTest::keyClick(edit->Edit(), Qt::Key_Return);
    }
    void addDetail(int id, int masterId)
    {
        detail.Append();
        detail.FieldByName("ID")->SetAsInteger(id);
        detail.FieldByName("M_ID")->SetAsInteger(masterId);
        detail.FieldByName("TEXT")->SetAsString("r");
        detail.Post();
    }
    int count(const QString &table) { return value("select count(*) from " + table).toInt(); }

    TIBTable master, detail;
    TDataSource msrc;
    TtMasterDetailForm form;
    DetailDialog dialog{&msrc};
    TTestResponder responder;
    int dialogs = 0;
};

TEST_F(MasterDetail, NewWritesTheMasterRowBeforeItsDetailRows)
{
    inDialog([this] {
        type(dialog.id, "10");
        type(dialog.nazov, "Novy");
        addDetail(10, 10);
        addDetail(11, 10);
        QTest::mouseClick(dialog.zapis, Qt::LeftButton);
    });
    QTest::mouseClick(form.btnNovy, Qt::LeftButton);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(responder.Messages.isEmpty()) << responder.Texts().join("; ").toStdString();
    EXPECT_EQ(value("select NAZOV from M_H where ID = 10").toString(), "Novy");
    EXPECT_EQ(value("select count(*) from M_D where M_ID = 10").toInt(), 2) << "the foreign key needs the master first";
    EXPECT_FALSE(detail.UpdatesPending());
    EXPECT_EQ(master.State(), dsBrowse);
}

TEST_F(MasterDetail, CancellingNewLeavesNoMasterRowAndNoDetailRows)
{
    const int rows = master.RecordCount();
    inDialog([this] {
        type(dialog.id, "20");
        type(dialog.nazov, "Zruseny");
        addDetail(20, 20);
        QTest::mouseClick(dialog.nezapis, Qt::LeftButton);
    });
    QTest::mouseClick(form.btnNovy, Qt::LeftButton);
    EXPECT_EQ(master.State(), dsBrowse);
    EXPECT_EQ(master.RecordCount(), rows);
    EXPECT_FALSE(detail.UpdatesPending());
    EXPECT_EQ(count("M_H"), 1);
    EXPECT_EQ(count("M_D"), 1);
}

TEST_F(MasterDetail, NewOnAMasterAlreadyInsertingAppendsNoSecondRecord)
{
    master.Append();
    const int rows = master.RecordCount();
    inDialog([this] {
        EXPECT_EQ(master.State(), dsInsert);
        QTest::mouseClick(dialog.nezapis, Qt::LeftButton);
    });
    form.btnNovyClick();
    EXPECT_EQ(master.RecordCount(), rows - 1) << "only the one appended record, now cancelled";
}

TEST_F(MasterDetail, EditStoresTheDetailRowsBeforeTheMasterRow)
{
    inDialog([this] {
        type(dialog.nazov, "Opraveny");
        addDetail(2, 1);
        QTest::mouseClick(dialog.zapis, Qt::LeftButton);
    });
    QTest::mouseClick(form.btnOprav, Qt::LeftButton);
    EXPECT_EQ(value("select NAZOV from M_H where ID = 1").toString(), "Opraveny");
    EXPECT_EQ(value("select POCET from M_H where ID = 1").toInt(), 2)
        << "the new detail row was there when the master was updated";
}

// A key on the list's buttons that reaches them while the record's dialog is shown (queued before it came up).
TEST_F(MasterDetail, TheListsButtonsLeaveTheShownDialogAlone)
{
    inDialog([this] {
        type(dialog.nazov, "Opraveny");
        for (QWidget *button : {static_cast<QWidget *>(form.btnOprav), static_cast<QWidget *>(form.btnNovy),
                                static_cast<QWidget *>(form.btnZmaz)})
            QTest::keyClick(button, Qt::Key_Space);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(master.State(), dsEdit) << "the edit is kept";
        EXPECT_TRUE(responder.Messages.empty()) << "no delete asked for";
        QTest::mouseClick(dialog.zapis, Qt::LeftButton);
    });
    QTest::mouseClick(form.btnOprav, Qt::LeftButton);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(value("select NAZOV from M_H where ID = 1").toString(), "Opraveny");
}

TEST_F(MasterDetail, EditOnAnEmptyListDoesNothing)
{
    exec("delete from M_D");
    exec("delete from M_H");
    master.Close();
    master.Open();
    detail.Close();
    detail.Open();
    addDetail(5, 1);
    // Should a dialog open, it is confirmed, as a user who saw it would do.
    inDialog([this] { QTest::mouseClick(dialog.zapis, Qt::LeftButton); });
    form.btnOpravClick();
    QApplication::processEvents();
    EXPECT_EQ(dialogs, 0) << "no dialog";
    CancelWhenModal(); // rightly never came
    EXPECT_EQ(master.State(), dsBrowse) << "no master row inserted";
    EXPECT_EQ(count("M_H"), 0);
    EXPECT_EQ(count("M_D"), 0);
}

// A refused save is shown while the dialog stays open with everything typed, the controls enabled again; the
// corrected record is saved by the next OK, and Cancel still throws it all away.
TEST_F(MasterDetail, ARefusedSaveKeepsTheDialogOpenWithTheEdits)
{
    // New without the required name: the master's post fails.
    inDialog([this] {
        type(dialog.id, "30");
        QTest::mouseClick(dialog.zapis, Qt::LeftButton);
        QCoreApplication::processEvents(); // a close, were one queued
        EXPECT_TRUE(dialog.isVisible()) << "closed on a refused save";
        ASSERT_EQ(responder.Messages.size(), 1);
        EXPECT_EQ(responder.Messages[0].Caption, "Výstraha");
        EXPECT_FALSE(master.ControlsDisabled());
        EXPECT_EQ(master.State(), dsInsert);
        EXPECT_EQ(dialog.id->Edit()->text(), "30");
        type(dialog.nazov, QStringLiteral("Doplneny"));
        QTest::mouseClick(dialog.zapis, Qt::LeftButton);
    });
    form.btnNovyClick();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(value("select NAZOV from M_H where ID = 30").toString(), QStringLiteral("Doplneny"));
    EXPECT_EQ(master.State(), dsBrowse);

    // Edit with a detail row of a master that does not exist: applying fails.
    master.Locate("ID", 1);
    inDialog([this] {
        type(dialog.nazov, "Zmeneny");
        addDetail(40, 999);
        QTest::mouseClick(dialog.zapis, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog.isVisible()) << "closed on a refused save";
        EXPECT_EQ(responder.Messages.size(), 2);
        EXPECT_FALSE(master.ControlsDisabled());
        EXPECT_TRUE(detail.UpdatesPending()) << "the detail rows stay for another try";
        EXPECT_EQ(dialog.nazov->Edit()->text(), "Zmeneny");
        QTest::mouseClick(dialog.nezapis, Qt::LeftButton);
    });
    form.btnOpravClick();
    EXPECT_FALSE(detail.UpdatesPending());
    EXPECT_EQ(master.State(), dsBrowse);
    EXPECT_EQ(value("select NAZOV from M_H where ID = 1").toString(), QString::fromUtf8("Prvý"));
    EXPECT_EQ(count("M_D"), 1);
}

TEST_F(MasterDetail, NewWritesTheMasterAndItsDetailsAllOrNothing)
{
    // A detail row the database refuses (its master does not exist): the new master row must not stay.
    inDialog([this] {
        type(dialog.id, "50");
        type(dialog.nazov, "Celok");
        addDetail(50, 50);
        addDetail(51, 999);
        QTest::mouseClick(dialog.zapis, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog.isVisible()) << "closed on a refused save";
        ASSERT_EQ(responder.Messages.size(), 1) << "the refusal is shown";
        EXPECT_EQ(count("M_H"), 1) << "no master row without its details";
        EXPECT_EQ(count("M_D"), 1);
        EXPECT_EQ(master.State(), dsInsert) << "the user's record stays for another try";
        EXPECT_EQ(master.FieldByName("ID")->AsInteger(), 50);
        EXPECT_EQ(master.FieldByName("NAZOV")->AsString(), "Celok");
        EXPECT_EQ(dialog.nazov->Edit()->text(), "Celok");
        EXPECT_TRUE(detail.UpdatesPending());
        EXPECT_FALSE(master.ControlsDisabled());

        // Mended, OK again writes it all.
        for (detail.First(); !detail.Eof(); detail.Next())
            if (detail.FieldByName("M_ID")->AsInteger() == 999) {
                detail.Edit();
                detail.FieldByName("M_ID")->SetAsInteger(50);
                detail.Post();
            }
        QTest::mouseClick(dialog.zapis, Qt::LeftButton);
    });
    QTest::mouseClick(form.btnNovy, Qt::LeftButton);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(responder.Messages.size(), 1);
    EXPECT_EQ(value("select NAZOV from M_H where ID = 50").toString(), "Celok");
    EXPECT_EQ(value("select count(*) from M_D where M_ID = 50").toInt(), 2);
    EXPECT_EQ(master.State(), dsBrowse);
    EXPECT_FALSE(master.CachedUpdates());
    EXPECT_FALSE(detail.UpdatesPending());
}

TEST_F(MasterDetail, DeleteAsksWithNoAsTheDefault)
{
    form.btnZmazClick();
    ASSERT_EQ(responder.Messages.size(), 1);
    const TMessageRequest &asked = responder.Messages[0];
    EXPECT_EQ(asked.Text, "Naozaj chceš zmazať označený riadok?");
    EXPECT_EQ(asked.Caption, "Potvrdenie zmazania");
    EXPECT_EQ(asked.Buttons, mbYesNo);
    EXPECT_EQ(asked.DefaultButton, mbNo);
    EXPECT_EQ(count("M_H"), 1) << "the default answer deletes nothing";

    exec("delete from M_D");
    responder.MessageAnswers.push_back(mrYes);
    form.btnZmazClick();
    EXPECT_EQ(count("M_H"), 0);
}

} // namespace
