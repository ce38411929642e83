// The form kit's save row on a real table: a refused save shows its message and keeps the dialog with what
// was typed, a save that goes through closes it with OK, Escape closes it without saving.
#include "common/DbFixture.h"
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "library/DataEditRow.h"
#include "library/FormKit.h"
#include "platform/os/Exception.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QTest>

namespace {

// How the person presses OK: its Alt letter from the edit, or a click.
struct Pressing {
    TSaveCaptions captions;
    const char *ok;
    const char *cancel;
    bool altZ;
};

class SaveRow : public DbFixture, public ::testing::WithParamInterface<Pressing> {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_S (ID integer not null primary key, NAZOV varchar(20))");
        exec("insert into T_S (ID, NAZOV) values (1, 'Odliatok')");
        t.SetDatabase(db.get());
        t.SetTableName("T_S");
        t.SetIndexFieldNames("ID");
        src.SetDataSet(&t);
        t.Open();
    }
    void TearDown() override
    {
        t.Close();
        DbFixture::TearDown();
    }
    // A dialog of one name edit whose save refuses the name "zle".
    void build(TSaveCaptions captions)
    {
        auto *main = new QVBoxLayout(&dialog);
        auto *form = new QFormLayout;
        main->addLayout(form);
        name = AddDataEditRow(form, &dialog, &src, {"NAZOV", "Názov"});
        row = AddSaveRow(
            &dialog, main,
            [this] {
                ++saves;
                if (t.FieldByName("NAZOV")->AsString() == QLatin1String("zle"))
                    throw Exception(QString::fromUtf8("Názov nie je prípustný."));
                t.Post();
            },
            captions);
    }

    TTestResponder responder;
    TIBTable t;
    TDataSource src;
    TForm dialog;
    TxDBEdit *name = nullptr;
    TSaveRow row;
    int saves = 0;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Captions, SaveRow,
                         ::testing::Values(Pressing{TSaveCaptions::Zapis, "&Zapíš", "&Nezapíš", true},
                                           Pressing{TSaveCaptions::Ok, "OK", "Zrušiť", false}));

TEST_P(SaveRow, ARefusedSaveKeepsTheDialogAndItsTextAndASaveThatGoesThroughCloses)
{
    const Pressing &p = GetParam();
    build(p.captions);
    EXPECT_EQ(row.Ok->text(), QString::fromUtf8(p.ok));
    EXPECT_EQ(row.Cancel->text(), QString::fromUtf8(p.cancel));
    // The Alt letter shows the button pressed and clicks it once the loop runs on.
    auto pressOk = [&] {
        const int before = saves;
        if (p.altZ)
            Press(Qt::Key_Z, Qt::AltModifier);
        else
            ClickOn(row.Ok);
        return WaitFor("OK runs the save", [&] { return saves > before; });
    };
    WhenModal<TForm>([&](TForm *) {
        ASSERT_TRUE(TabTo(name->Edit()));
        Type("zle");
        ASSERT_TRUE(pressOk());
        ASSERT_TRUE(dialog.isVisible()) << "the refused save closed the dialog";
        EXPECT_EQ(name->Edit()->text(), "zle");
        EXPECT_EQ(responder.Texts(), QStringList{QString::fromUtf8("Názov nie je prípustný.")});
        ASSERT_TRUE(TabTo(name->Edit()));
        Type("Kokila");
        ASSERT_TRUE(pressOk());
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(value("select NAZOV from T_S where ID=1").toString(), "Kokila");
}

TEST_P(SaveRow, EscapeClosesWithoutSaving)
{
    build(GetParam().captions);
    WhenModal<TForm>([&](TForm *) {
        ASSERT_TRUE(TabTo(name->Edit()));
        Type("Kokila");
        Press(Qt::Key_Tab);
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(saves, 0);
    t.Cancel();
    EXPECT_EQ(value("select NAZOV from T_S where ID=1").toString(), "Odliatok");
}
