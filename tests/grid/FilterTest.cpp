// The filter edits, panel, combo and form on a real query: the conditions they build, how edits with
// the same Tag combine, which keys filter, and that an empty condition switches filtering off.
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "common/PersonTyping.h"
#include "library/xDBFilter.h"
#include "library/xDatabase.h"
#include "library/xFilterForm.h"
#include "library/xQuery.h"
#include "platform/ui/BitBtn.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

class Filters : public DbFixtureT<TxDatabase> {
protected:
    void SetUp() override
    {
        DbFixtureT<TxDatabase>::SetUp();
        exec("create table T_F (ID integer not null primary key, NAZOV varchar(20), POZN varchar(20), D date)");
        exec("insert into T_F values (1, 'abeceda', 'x', current_date)");
        exec("insert into T_F values (2, 'abrakadabra', 'ex', current_date - 30)");
        exec("insert into T_F values (3, 'bager', 'e''f', current_date - 1)");
        q.SetDatabase(db.get());
        q.SQL().SetText("select *\nfrom T_F\n\norder by ID");
        src.SetDataSet(&q);
        q.Open();
    }
    void TearDown() override
    {
        q.Close();
        DbFixtureT<TxDatabase>::TearDown();
    }
    TxDBFilterEdit *edit(int tag, const QString &where, TFieldType type = ftUnknown)
    {
        auto *e = new TxDBFilterEdit(&w);
        e->DataSource = &src;
        e->Tag = tag;
        e->SQLWhere = where;
        e->SQLParamType = type;
        return e;
    }
    QString ids()
    {
        QStringList out;
        for (q.First(); !q.Eof(); q.Next())
            out << q.FieldByName("ID")->AsString();
        return out.join(',');
    }

    TxQuery q;
    TDataSource src;
    QWidget w;
};

TEST_F(Filters, EditsWithTheSameTagCombineAndTheOthersAreCleared)
{
    TxDBFilterEdit *name = edit(1, "NAZOV like '?%'");
    TxDBFilterEdit *from = edit(1, "ID>=?", ftInteger);
    TxDBFilterEdit *alone = edit(0, "POZN like '?%'");
    QTest::keyClicks(alone, "e");
    EXPECT_EQ(q.Filter(), "POZN like 'e%'");
    EXPECT_EQ(ids(), "2,3");
    from->setText("2");
    QTest::keyClicks(name, "ab");
    EXPECT_EQ(q.Filter(), "ID>=2 AND NAZOV like 'ab%'");
    EXPECT_EQ(alone->text(), "") << "an edit of another group is cleared";
    EXPECT_EQ(ids(), "2");
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClick(name, Qt::Key_Backspace);
    from->clear();
    QTest::keyClick(name, Qt::Key_Up);
    EXPECT_FALSE(q.Filtered()) << "no text left: filtering off";
    EXPECT_EQ(ids(), "1,2,3");
}

TEST_F(Filters, ArrowsUpAndDownFilterLeftAndRightDoNot)
{
    TxDBFilterEdit *name = edit(0, "NAZOV like '?%'");
    int runs = 0;
    name->BeforeFilter = [&](QObject *, QString &) { ++runs; };
    name->setText("bag");
    QTest::keyClick(name, Qt::Key_Left);
    QTest::keyClick(name, Qt::Key_Right);
    QTest::keyClick(name, Qt::Key_Home);
    EXPECT_EQ(runs, 0);
    QTest::keyClick(name, Qt::Key_Down);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(ids(), "3");
    name->BeforeFilter = [](QObject *, QString &f) { f = "ID=1"; };
    QTest::keyClick(name, Qt::Key_Up);
    EXPECT_EQ(ids(), "1") << "the event may rewrite the condition";
}

TEST_F(Filters, PanelButtonFiltersByItsEditsAndHidesWhenItWasShownForIt)
{
    TxDBFilterPanel panel(&w);
    panel.DataSource = &src;
    auto *name = new TxDBFilterEdit(&panel);
    name->SQLWhere = "NAZOV like '?%'";
    auto *apos = new TxDBFilterEdit(&panel);
    apos->SQLWhere = "POZN=?";
    apos->SQLParamType = ftString;
    int after = 0;
    panel.AfterFilter = [&](QObject *) { ++after; };
    w.show();
    panel.hide();
    panel.SetFilterVisible(true);
    EXPECT_TRUE(panel.FilterVisible());
    name->setText("b");
    apos->setText("e'f");
    q.Close();
    QTest::mouseClick(panel.FilterButton, Qt::LeftButton);
    EXPECT_EQ(q.Filter(), "NAZOV like 'b%' AND POZN='e''f'") << "typed apostrophes doubled";
    EXPECT_TRUE(q.Active());
    EXPECT_EQ(ids(), "3");
    EXPECT_EQ(after, 1);
    EXPECT_FALSE(panel.FilterVisible()) << "shown only for the filter: hidden again";
    EXPECT_EQ(panel.title(), "Filter :");
    EXPECT_EQ(panel.FilterButton->text(), "&Filter");
}

TEST_F(Filters, ComboAppliesAtOnceOrAfterTheValue)
{
    TxDBFilterCombo combo(&w);
    combo.DataSource = &src;
    combo.SetSQLItems(TStringList{QString::fromUtf8("Posledný týždeň=D>=CURRENT_DATE-7"),
                                  QString::fromUtf8("Odberateľ ...=NAZOV LIKE '?%'"), "Všetko="});
    EXPECT_EQ(combo.List->count(), 3);
    EXPECT_EQ(combo.List->itemText(1), QString::fromUtf8("Odberateľ ..."));
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(ShowActive(&w));
    combo.List->setCurrentIndex(-1);
    QTest::keyClick(combo.List, Qt::Key_Down);
    EXPECT_EQ(q.Filter(), "D>=CURRENT_DATE-7");
    EXPECT_EQ(ids(), "1,3");
    QTest::keyClick(combo.List, Qt::Key_Down);
    EXPECT_TRUE(combo.ValueEdit->isVisible());
    EXPECT_EQ(q.Filter(), "D>=CURRENT_DATE-7") << "waits for the value";
    QTest::keyClicks(combo.ValueEdit, " ab ");
    PutFocusDirectly(combo.List);
    QApplication::processEvents();
    EXPECT_EQ(q.Filter(), "NAZOV LIKE 'ab%'");
    EXPECT_EQ(ids(), "1,2");
    // Chosen again, the item asks for a new value: typing does not append to the last one.
    Press(Qt::Key_Up);
    Press(Qt::Key_Down);
    ASSERT_TRUE(combo.ValueEdit->hasFocus());
    EXPECT_TRUE(combo.ValueEdit->text().isEmpty());
    Type("ba");
    combo.List->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(q.Filter(), "NAZOV LIKE 'ba%'");
    QTest::keyClick(combo.List, Qt::Key_Down);
    EXPECT_FALSE(q.Filtered()) << "an empty condition switches filtering off";
    combo.SetItemIndex(0);
    EXPECT_FALSE(q.Filtered()) << "choosing by code does not filter";
    combo.ApplyFilter();
    EXPECT_EQ(q.Filter(), "D>=CURRENT_DATE-7") << "but the chosen item's condition is taken";

    combo.SetItemIndex(1);
    EXPECT_TRUE(combo.ValueEdit->isVisible()) << "its value is asked for";
    combo.SetValueText("x");
    combo.ApplyFilter();
    EXPECT_EQ(q.Filter(), "NAZOV LIKE 'x%'");
    combo.SetItemIndex(2);
    EXPECT_FALSE(combo.ValueEdit->isVisible());
    combo.ApplyFilter();
    EXPECT_FALSE(q.Filtered());
}

TEST_F(Filters, FilterFormJoinsTheTypedValues)
{
    TxFilterForm form;
    form.SetDataSource(&src);
    ASSERT_EQ(form.StringGrid->rowCount(), 4);
    EXPECT_EQ(form.StringGrid->item(1, 0)->text(), "NAZOV");
    QTimer::singleShot(0, [&] {
        form.StringGrid->item(0, 1)->setText(">=2");
        form.StringGrid->item(1, 1)->setText("ab");
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
    });
    EXPECT_EQ(form.Execute(), mrOk);
    EXPECT_EQ(q.Filter(), "ID>=2 AND NAZOV LIKE 'ab%'");
    EXPECT_EQ(ids(), "2");

    QTimer::singleShot(0, [&] {
        form.StringGrid->item(0, 1)->setText("");
        form.StringGrid->item(1, 1)->setText("");
        QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    });
    form.Execute();
    EXPECT_TRUE(q.Filtered()) << "cancel leaves the filter";
    QTimer::singleShot(0, [&] { QTest::mouseClick(form.OKButton, Qt::LeftButton); });
    form.Execute();
    EXPECT_FALSE(q.Filtered()) << "every value empty: filtering off";
}

} // namespace

namespace {

// In a window's layout the combo gets room for its caption and list, above a grid that takes all it can.
TEST(FilterCombo, ALayoutGivesTheCaptionAndTheListTheirRoom)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *combo = new TxDBFilterCombo(&window);
    combo->SetCaption(QString::fromUtf8("Ďaľší výber :"));
    layout->addWidget(combo);
    layout->addWidget(new QTableWidget(&window), 1);
    for (const TLabelPosition position : {lpLeft, lpTop}) {
        combo->SetLabelPosition(position);
        window.resize(600, 200);
        window.show();
        QApplication::processEvents();
        EXPECT_GE(combo->List->height(), combo->List->minimumSizeHint().height()) << position;
        EXPECT_GE(combo->List->width(), combo->List->minimumSizeHint().width()) << position;
        EXPECT_GE(combo->Label->width(), combo->Label->sizeHint().width()) << position;
        EXPECT_GE(combo->Label->height(), combo->Label->fontMetrics().height()) << position;
    }
}

} // namespace
