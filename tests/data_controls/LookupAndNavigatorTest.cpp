// The look-up combo offers every key of its code list once, however many rows the list has fetched, shown
// by its list fields and written back as the key, and the
// navigator moves, inserts, posts and deletes through its data source, a refused post shown in the
// error box with the row kept for the user.
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "platform/os/Exception.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/DBNavigator.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QApplication>
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
        bind(codes, "T_KOD", "KOD");
        bind(rows, "T_RIADOK", "ID");
        source.SetDataSet(&rows);
    }
    void bind(TIBTable &table, const char *name, const char *order)
    {
        table.SetDatabase(db.get());
        table.SetTableName(name);
        table.SetIndexFieldNames(order);
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

TEST_F(LookupAndNavigator, TheComboShowsNamesAndWritesKeysOncePerKey)
{
    exec("create table T_STAT (STAT char(3) not null primary key, NAZOV varchar(20), MENA char(3))");
    exec("insert into T_STAT values ('SK', 'Slovensko', 'EUR')");
    exec("insert into T_STAT values ('AT', 'Rakúsko', 'EUR')");
    exec("insert into T_STAT values ('CZ', 'Česko', 'CZK')");
    exec("create table T_FIRMA (ID integer not null primary key, STAT varchar(3), MENA varchar(3))");
    exec("insert into T_FIRMA values (1, 'SK', 'EUR')");
    exec("insert into T_FIRMA values (2, null, null)");
    TIBTable states, firms;
    bind(states, "T_STAT", "STAT");
    bind(firms, "T_FIRMA", "ID");
    TDataSource firmSource;
    firmSource.SetDataSet(&firms);
    TDBLookupCombo state(&firmSource, "STAT", &states, "STAT");
    state.SetListField("NAZOV");
    TDBLookupCombo currency(&firmSource, "MENA", &states, "MENA");
    states.Open();
    firms.Open();
    state.Reload();
    currency.Reload();

    ASSERT_EQ(state.count(), 4);
    EXPECT_EQ(state.currentText(), "Slovensko") << "the name of the row's key, not the key";
    EXPECT_EQ(state.itemText(state.IndexOfKey("CZ ")), QString::fromUtf8("Česko")) << "padding does not matter";
    ASSERT_EQ(currency.count(), 3) << "a currency several states share is offered once";
    EXPECT_EQ(currency.itemText(1), "EUR");
    EXPECT_EQ(currency.itemText(2), "CZK");
    EXPECT_EQ(currency.currentText(), "EUR");

    state.show();
    QApplication::setActiveWindow(&state);
    TabTo(&state);
    QTest::keyClick(&state, Qt::Key_Up); // from Slovensko to Česko, the list being in key order
    firms.Post();
    EXPECT_EQ(value("select STAT from T_FIRMA where ID=1").toString(), "CZ") << "the chosen name's key is stored";
    EXPECT_EQ(state.currentText(), QString::fromUtf8("Česko"));

    firms.Next();
    EXPECT_EQ(state.currentIndex(), 0) << "no key: the blank";
    firms.First();
    QTest::keyClick(&state, Qt::Key_Home);
    firms.Post();
    EXPECT_TRUE(value("select STAT from T_FIRMA where ID=1").isNull()) << "the blank clears the key";
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
