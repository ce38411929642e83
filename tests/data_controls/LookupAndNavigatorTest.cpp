// The look-up combo offers every key of its code list, however many rows the list has fetched, and the
// navigator moves, inserts, posts and deletes through its data source, a refused post shown in the
// error box with the row kept for the user.
#include "common/DbFixture.h"
#include "platform/os/Exception.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/DBNavigator.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QTest>
#include <QToolButton>

namespace {

class LookupAndNavigator : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_KOD (KOD varchar(5) not null primary key)");
        exec("create table T_RIADOK (ID integer not null primary key, KOD varchar(5))");
        exec("execute block as declare i integer = 0; begin while (i < 250) do begin "
             "insert into T_KOD values ('K' || lpad(:i, 3, '0')); i = i + 1; end end");
        exec("insert into T_RIADOK values (1, 'K001')");
        for (TIBTable *t : {&codes, &rows}) {
            t->SetDatabase(db.get());
            t->SetIndexFieldNames(t == &codes ? "KOD" : "ID");
        }
        codes.SetTableName("T_KOD");
        rows.SetTableName("T_RIADOK");
        source.SetDataSet(&rows);
    }
    QToolButton *button(TDBNavigator &navigator, const QString &hint)
    {
        for (QToolButton *b : navigator.findChildren<QToolButton *>())
            if (b->toolTip() == hint)
                return b;
        ADD_FAILURE() << "no button " << hint.toStdString();
        return nullptr;
    }
    TIBTable codes, rows;
    TDataSource source;
};

TEST_F(LookupAndNavigator, TheComboOffersEveryKeyAfterABlank)
{
    TDBLookupCombo combo(&source, "KOD", &codes, "KOD");
    combo.Reload();
    EXPECT_EQ(combo.count(), 1) << "a closed list gives the blank only";
    codes.Open();
    rows.Open();
    combo.Reload();
    ASSERT_EQ(combo.count(), 251) << "rows past the first fetch are read too";
    EXPECT_EQ(combo.itemText(0), " ");
    EXPECT_EQ(combo.itemText(250), "K249");
    EXPECT_EQ(combo.currentText(), "K001");
}

TEST_F(LookupAndNavigator, TheNavigatorEditsRowsAndShowsARefusedPost)
{
    TTestResponder answers;
    SetDbErrorTranslator(nullptr);
    TDBNavigator navigator(&source);
    QTest::mouseClick(button(navigator, "Nový"), Qt::LeftButton);
    EXPECT_TRUE(answers.Messages.isEmpty()) << "a closed data set: nothing to do";
    rows.Open();
    QTest::mouseClick(button(navigator, "Nový"), Qt::LeftButton);
    ASSERT_EQ(rows.State(), dsInsert);
    rows.FieldByName("ID")->SetValue(1);
    QTest::mouseClick(button(navigator, "Zapísať"), Qt::LeftButton);
    ASSERT_EQ(answers.Messages.size(), 1) << "the duplicate key is shown";
    EXPECT_EQ(answers.Messages[0].Type, mtError);
    EXPECT_EQ(rows.State(), dsInsert) << "the row stays as the user left it";
    rows.FieldByName("ID")->SetValue(2);
    QTest::mouseClick(button(navigator, "Zapísať"), Qt::LeftButton);
    EXPECT_EQ(value("select count(*) from T_RIADOK").toInt(), 2);

    answers.MessageAnswers = {mrNo, mrYes};
    QTest::mouseClick(button(navigator, "Zmazať"), Qt::LeftButton);
    EXPECT_EQ(value("select count(*) from T_RIADOK").toInt(), 2) << "No keeps the row";
    QTest::mouseClick(button(navigator, "Zmazať"), Qt::LeftButton);
    EXPECT_EQ(value("select count(*) from T_RIADOK").toInt(), 1);
    QTest::mouseClick(button(navigator, "Prvý"), Qt::LeftButton);
    EXPECT_EQ(rows.FieldByName("ID")->AsInteger(), 1);
}

} // namespace
