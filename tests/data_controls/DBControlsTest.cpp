// Data-aware controls on a real table: what they show while browsing and editing, how typing starts an
// edit, and that a post writes only the fields the user changed.
#include "common/DbFixture.h"
#include "common/HostileCorpus.h"
#include "common/PersonTyping.h"
#include "platform/os/Clock.h"
#include "platform/os/Exception.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Dialogs.h"

#include <QAction>
#include <QCalendarWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace {

class Controls : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_B (ID integer not null primary key, NAZOV varchar(10), KOD varchar(5), "
             "AKT char(1), POZN blob sub_type 1, D date)");
        exec("insert into T_B values (1, 'prvy', 'K1', 'A', 'riadok1' || ascii_char(13) || ascii_char(10) || "
             "'riadok2', '2026-03-04')");
        exec("insert into T_B values (2, 'druhy', 'K2', 'N', null, null)");
        t.SetDatabase(db.get());
        t.SetTableName("T_B");
        t.SetIndexFieldNames("ID");
        src.SetDataSet(&t);
        auto *lay = new QVBoxLayout(&w);
        for (QWidget *c : std::initializer_list<QWidget *>{nazov, kod, akt, pozn, datum, label})
            lay->addWidget(c);
        nazov->SetDataSource(&src);
        nazov->SetDataField("NAZOV");
        kod->SetDataSource(&src);
        kod->SetDataField("KOD");
        akt->SetDataSource(&src);
        akt->SetDataField("AKT");
        akt->ValueChecked = "A;a";
        akt->ValueUnchecked = "N";
        pozn->SetDataSource(&src);
        pozn->SetDataField("POZN");
        datum->SetDataSource(&src);
        datum->SetDataField("D");
        label->SetDataSource(&src);
        label->SetDataField("NAZOV");
        t.Open();
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(ShowActive(&w));
    }
    void TearDown() override
    {
        t.Close();
        DbFixture::TearDown();
    }
    // Another table of a test, in the fixture's database, in the order of its key ID.
    void useTable(TIBTable &table, const char *name)
    {
        table.SetDatabase(db.get());
        table.SetTableName(name);
        table.SetIndexFieldNames("ID");
    }

    TIBTable t;
    TDataSource src;
    QWidget w;
    TDBEdit *nazov = new TDBEdit(&w);
    TDBComboBox *kod = new TDBComboBox(&w);
    TDBCheckBox *akt = new TDBCheckBox(&w);
    TDBMemo *pozn = new TDBMemo(&w);
    TDBDateEdit *datum = new TDBDateEdit(&w);
    TDBText *label = new TDBText(&w);
};

TEST_F(Controls, ShowTheCurrentRecordAndFollowScrolls)
{
    EXPECT_EQ(nazov->text(), "prvy");
    EXPECT_EQ(kod->currentText(), "K1");
    EXPECT_TRUE(akt->isChecked());
    EXPECT_EQ(pozn->toPlainText(), "riadok1\nriadok2") << "CR LF shown as one line break";
    EXPECT_EQ(datum->Date(), QDate(2026, 3, 4));
    EXPECT_EQ(label->text(), "prvy");
    t.Next();
    EXPECT_EQ(nazov->text(), "druhy");
    EXPECT_FALSE(akt->isChecked());
    EXPECT_EQ(pozn->toPlainText(), "");
    EXPECT_EQ(datum->text().trimmed(), "") << "a null date shows blank";
    t.Close();
    EXPECT_EQ(nazov->text(), "");
    EXPECT_EQ(label->text(), "");
}

TEST_F(Controls, ALabelShowsAStoredTextAsItIs)
{
    const QStringList stored{QString::fromUtf8("<b>Hlavná</b> 5"),
                             "<img src=\"/usr/share/pixmaps/x.png\" width=30000 height=30000>",
                             "<a href=\"http://x\">klik</a>"};
    exec("create table T_ADR (ID integer not null primary key, ULICA varchar(200))");
    for (int i = 0; i < stored.size(); ++i)
        exec(QStringLiteral("insert into T_ADR values (%1, '%2')").arg(i).arg(stored[i]));
    TIBTable streets;
    useTable(streets, "T_ADR");
    TDataSource source;
    source.SetDataSet(&streets);
    auto street = std::make_unique<TDBText>(&w);
    street->SetDataSource(&source);
    street->SetDataField("ULICA");
    streets.Open();
    for (const QString &text : stored) {
        EXPECT_EQ(street->text(), text);
        EXPECT_EQ(street->textFormat(), Qt::PlainText) << text.toStdString();
        EXPECT_LT(street->sizeHint().width(), 1000) << text.toStdString();
        streets.Next();
    }
    street.reset();
}

TEST_F(Controls, DisplayTextWhileBrowsingTextWhileEditingWithFocus)
{
    t.FieldByName("NAZOV")->OnGetText = [](TField *f, QString &text, bool display) {
        text = (display ? "zobraz:" : "") + f->AsString();
    };
    TabTo(kod);
    t.Refresh();
    EXPECT_EQ(nazov->text(), "zobraz:prvy");
    EXPECT_EQ(label->text(), "zobraz:prvy");
    TabTo(nazov);
    QApplication::processEvents();
    EXPECT_EQ(nazov->text(), "prvy");
    TabTo(datum);
    QApplication::processEvents();
    EXPECT_EQ(nazov->text(), "zobraz:prvy");
}

TEST_F(Controls, AnEditReachedByTabTypesOverWhatItHolds)
{
    // The edit shows another text than it edits, so entering it rewrites its text: the selection Tab gives
    // must survive that, else what is typed lands after the old value ("0" + "5" = "05", "0/0000" + "3").
    t.FieldByName("NAZOV")->OnGetText = [](TField *f, QString &text, bool display) {
        text = (display ? "zobraz:" : "") + f->AsString();
    };
    t.Refresh();
    TabTo(kod);
    QTest::keyClick(kod, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), nazov);
    EXPECT_EQ(nazov->selectedText(), "prvy");
    TypeText(nazov, QString::fromUtf8("Ľuba O'Bri"));
    QTest::keyClick(nazov, Qt::Key_Tab);
    EXPECT_EQ(t.FieldByName("NAZOV")->AsString(), QString::fromUtf8("Ľuba O'Bri"));

    ClickOn(nazov);
    QApplication::processEvents();
    EXPECT_FALSE(nazov->hasSelectedText()) << "a click places the cursor, it selects nothing";
}

TEST_F(Controls, TypingStartsAnEditAndPostWritesOnlyTheChangedFields)
{
    int otherWrites = 0;
    for (const char *name : {"KOD", "AKT", "POZN", "D"})
        t.FieldByName(name)->OnChange = [&](TField *) { ++otherWrites; };
    TabTo(nazov);
    nazov->end(false);
    QTest::keyClicks(nazov, "X");
    EXPECT_EQ(t.State(), dsEdit);
    EXPECT_EQ(nazov->text(), "prvyX") << "starting the edit keeps what was typed";
    EXPECT_EQ(t.FieldByName("NAZOV")->AsString(), "prvy") << "written only on post";
    QTest::keyClicks(pozn, "Z");
    t.Post();
    EXPECT_EQ(otherWrites, 1) << "only the memo, which was typed into";
    EXPECT_EQ(value("select NAZOV from T_B where ID = 1").toString(), "prvyX");
    EXPECT_EQ(value("select POZN from T_B where ID = 1").toString(), "Zriadok1\r\nriadok2")
        << "line ends stored as CR LF";
    EXPECT_EQ(value("select KOD from T_B where ID = 1").toString(), "K1");
}

TEST_F(Controls, CheckBoxAndComboWriteTheirTexts)
{
    kod->SetStyle(TDBComboBox::csDropDownList);
    kod->SetItems({"K1", "K2", "K3"});
    EXPECT_EQ(kod->currentIndex(), 0);
    TabTo(kod);
    QTest::keyClick(kod, Qt::Key_Down);
    EXPECT_EQ(kod->currentText(), "K2");
    akt->setText(QString::fromUtf8("Aktívny"));
    QTest::mouseClick(akt, Qt::LeftButton, {}, QPoint(8, akt->height() / 2));
    EXPECT_FALSE(akt->isChecked());
    EXPECT_EQ(t.State(), dsEdit);
    t.Post();
    EXPECT_EQ(value("select KOD from T_B where ID = 1").toString(), "K2");
    EXPECT_EQ(value("select AKT from T_B where ID = 1").toString(), "N") << "the first text of ValueUnchecked";
}

TEST_F(Controls, DateEditWritesTheChangedDateAndANullStaysNull)
{
    TabTo(datum);
    QTest::keyClicks(datum, "5.3.2026");
    EXPECT_EQ(t.State(), dsEdit);
    t.Post();
    EXPECT_EQ(value("select D from T_B where ID = 1").toDate(), QDate(2026, 3, 5));
    t.Next();
    TabTo(nazov);
    QTest::keyClicks(nazov, "!");
    t.Post();
    EXPECT_TRUE(value("select D from T_B where ID = 2").isNull()) << "the blank date was not written as a date";
}

TEST_F(Controls, AnEditTypesInTheFieldsEditMask)
{
    t.FieldByName("KOD")->EditMask = ">LL00;0;_";
    TDBEdit kodEdit(&w);
    kodEdit.SetDataSource(&src);
    kodEdit.SetDataField("KOD");
    kodEdit.show();
    EXPECT_EQ(kodEdit.text(), "K1") << "no mask while browsing";
    TabTo(&kodEdit);
    QApplication::processEvents();
    EXPECT_EQ(kodEdit.EditMask(), ">LL00;0;_");
    QTest::keyClicks(&kodEdit, "ab12");
    t.Post();
    EXPECT_EQ(value("select KOD from T_B where ID = 1").toString(), "AB12");
}

TEST_F(Controls, ANumberTooBigForItsMaskIsEditedWholeAndNeverSavedCut)
{
    exec("create table T_CENA (ID integer not null primary key, CENA numeric(15, 2))");
    exec("insert into T_CENA values (1, 123456.5)");
    exec("insert into T_CENA values (2, 12.5)");
    TIBTable prices;
    useTable(prices, "T_CENA");
    TDataSource source;
    source.SetDataSet(&prices);
    TDBEdit cena(&w);
    cena.SetDataSource(&source);
    cena.SetDataField("CENA");
    cena.show();
    prices.Open();
    prices.FieldByName("CENA")->EditMask = "99999.99";
    TabTo(&cena);
    QApplication::processEvents();
    EXPECT_TRUE(cena.EditMask().isEmpty()) << "no room for the number in the mask";
    EXPECT_DOUBLE_EQ(cena.Text().replace(',', '.').toDouble(), 123456.5);
    QTest::keyClick(&cena, Qt::Key_End);
    QTest::keyClick(&cena, Qt::Key_Backspace);
    QTest::keyClicks(&cena, "7");
    TabTo(nazov);
    QApplication::processEvents();
    prices.Post();
    EXPECT_DOUBLE_EQ(value("select CENA from T_CENA where ID = 1").toDouble(), 123456.7);
    // A number that fits keeps the mask.
    prices.Next();
    TabTo(&cena);
    QApplication::processEvents();
    EXPECT_EQ(cena.EditMask(), "99999.99");
    EXPECT_EQ(cena.Text(), "12   .50");
    TabTo(nazov);
    prices.Close();
}

TEST_F(Controls, EscapeRevertsAndReadOnlyRefusesTyping)
{
    TabTo(nazov);
    QTest::keyClicks(nazov, "abc");
    QTest::keyClick(nazov, Qt::Key_Escape);
    EXPECT_EQ(nazov->text(), "prvy");
    t.Post();
    EXPECT_EQ(value("select NAZOV from T_B where ID = 1").toString(), "prvy");

    src.AutoEdit = false;
    QTest::keyClicks(nazov, "q");
    EXPECT_EQ(t.State(), dsBrowse);
    EXPECT_EQ(nazov->text(), "prvy") << "no edit could start: the typing is undone";
    src.AutoEdit = true;
    t.FieldByName("NAZOV")->ReadOnly = true;
    t.Edit();
    EXPECT_TRUE(nazov->isReadOnly());
}

TEST_F(Controls, AValueTheFieldRefusesIsReportedAndStaysOnScreen)
{
    TTestResponder answers;
    t.FieldByName("NAZOV")->OnValidate = [](TField *f) {
        if (f->AsString().contains('!'))
            throw EDatabaseError(QString::fromUtf8("Nepovolený znak"));
    };
    TabTo(nazov);
    Press(Qt::Key_End); // the value is selected as the window opens in it: typed after it
    QTest::keyClicks(nazov, "!");
    Press(Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(answers.Texts().size(), 1);
    EXPECT_EQ(answers.Texts()[0], QString::fromUtf8("Nepovolený znak"));
    EXPECT_EQ(nazov->text(), "prvy!");
    EXPECT_THROW(t.Post(), EDatabaseError) << "the post meets the same refusal";
    EXPECT_EQ(value("select NAZOV from T_B where ID = 1").toString(), "prvy");
}

} // namespace

TEST_F(Controls, AnEmptyDateTakesADateTypedKeyByKeyAndAnEmptiedOneWritesNull)
{
    t.Next(); // D is null
    TabTo(datum);
    EXPECT_EQ(datum->EditText(), "__.__.____") << "editing an empty date shows its mask";
    QTest::keyClicks(datum, "15.1.2027");
    EXPECT_EQ(datum->EditText(), "15.1_.2027");
    QTest::keyClick(datum, Qt::Key_Tab);
    EXPECT_EQ(datum->text(), "15.1.2027") << "left, it shows the field's text";
    t.Post();
    EXPECT_EQ(value("select D from T_B where ID = 2").toDate(), QDate(2027, 1, 15));

    t.First();
    TabTo(datum);
    EXPECT_EQ(datum->selectedText(), "04.03.2026") << "the date entered by keys is selected whole";
    QTest::keyClick(datum, Qt::Key_Delete);
    QTest::keyClick(datum, Qt::Key_Tab);
    t.Post();
    EXPECT_TRUE(value("select D from T_B where ID = 1").isNull());
}

TEST_F(Controls, ADateThatDoesNotExistIsRefusedAndNothingIsStored)
{
    TTestResponder answers;
    TabTo(datum);
    QTest::keyClicks(datum, "31.2.2026");
    QTest::keyClick(datum, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(answers.Texts().size(), 1);
    EXPECT_EQ(answers.Texts()[0], QString::fromUtf8("'31.2.2026' nie je platný dátum"));
    EXPECT_TRUE(datum->hasFocus()) << "the focus comes back for the correction";
    EXPECT_EQ(datum->EditText(), "31.2_.2026");
    EXPECT_EQ(t.FieldByName("D")->AsDate(), QDate(2026, 3, 4)) << "the field keeps its date";

    // A save with the date still wrong is refused whole.
    Press(Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(answers.Texts().size(), 2) << "leaving again says it again";
    EXPECT_TRUE(datum->hasFocus());
    EXPECT_THROW(t.Post(), EConvertError);
    EXPECT_EQ(t.State(), dsEdit);
    EXPECT_EQ(value("select D from T_B where ID = 1").toDate(), QDate(2026, 3, 4));

    QTest::keyClicks(datum, "29.2.2028");
    QTest::keyClick(datum, Qt::Key_Tab);
    t.Post();
    EXPECT_EQ(answers.Texts().size(), 2);
    EXPECT_EQ(value("select D from T_B where ID = 1").toDate(), QDate(2028, 2, 29));
}

TEST_F(Controls, ABadDateLeftForAClickedButtonLetsTheClickThroughAndItsSaveRefusesTheDate)
{
    TTestResponder answers;
    auto *button = new QPushButton(QString::fromUtf8("Zapíš"), &w);
    w.layout()->addWidget(button);
    button->show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    TabTo(datum);
    QTest::keyClicks(datum, "31.2.2026");
    // A person's click: the screen goes on between pressing and releasing.
    QTest::mousePress(button, Qt::LeftButton);
    QApplication::processEvents();
    QTest::mouseRelease(button, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(clicks, 1) << "the focus is not taken back from the pressed button";
    EXPECT_TRUE(answers.Texts().isEmpty()) << "nothing said on the way to the button";
    EXPECT_THROW(t.Post(), EConvertError) << "its save refuses the date";
    QApplication::processEvents();
    EXPECT_TRUE(datum->hasFocus()) << "then the focus goes back for the correction";
    EXPECT_EQ(datum->EditText(), "31.2_.2026");
    EXPECT_EQ(value("select D from T_B where ID = 1").toDate(), QDate(2026, 3, 4));
}

TEST_F(Controls, TheDateCalendarOpensOnTheDateHeldOrOnTodayNeverOnAPlaceholder)
{
    SetNowForTests(QDateTime(QDate(2026, 5, 20), QTime(10, 0)));
    TabTo(datum);
    QTest::keyClick(datum, Qt::Key_F4);
    ASSERT_NE(datum->Calendar(), nullptr);
    EXPECT_EQ(datum->Calendar()->selectedDate(), QDate(2026, 3, 4));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    t.Next(); // D is null
    TabTo(datum);
    QTest::keyClick(datum, Qt::Key_F4);
    ASSERT_NE(datum->Calendar(), nullptr);
    EXPECT_EQ(datum->Calendar()->selectedDate(), QDate(2026, 5, 20));
    EXPECT_EQ(datum->Calendar()->yearShown(), 2026);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(t.State(), dsEdit) << "a day chosen starts the edit";
    t.Post();
    EXPECT_EQ(value("select D from T_B where ID = 2").toDate(), QDate(2026, 5, 20));
    ClearNowForTests();
}

// A command given right after typing works on what was typed, whatever gives it: a button, a tool button
// (which takes no focus), a button's Alt letter, an action's shortcut, a menu item. Each reads the field as
// its click arrives.
TEST_F(Controls, ACommandGivenRightAfterTypingReadsTheTypedValue)
{
    QString seen;
    const auto read = [&] { seen = t.FieldByName("NAZOV")->AsString(); };
    auto *push = new QPushButton("Počítaj", &w);
    auto *tool = new QToolButton(&w);
    tool->setText("Od ceny");
    auto *lettered = new QPushButton("&Prepočítaj", &w);
    auto *action = new QAction("Prepočet", &w);
    action->setShortcut(QKeySequence(Qt::Key_F9));
    w.addAction(action);
    QMenu menu(&w);
    QAction *item = menu.addAction("Prepočet z menu");
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{push, tool, lettered}) {
        w.layout()->addWidget(b);
        QObject::connect(b, &QAbstractButton::clicked, read);
    }
    QObject::connect(action, &QAction::triggered, read);
    QObject::connect(item, &QAction::triggered, read);
    struct Case {
        const char *command;
        std::function<void()> give;
    };
    const Case cases[] = {
        {"push button", [&] { ClickOn(push); }},
        {"tool button", [&] { ClickOn(tool); }},
        {"Alt letter", [] { Press(Qt::Key_P, Qt::AltModifier); }},
        {"shortcut", [] { Press(Qt::Key_F9); }},
        {"menu item",
         [&] {
             menu.popup(w.mapToGlobal(QPoint(0, 0)));
             ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu)) << "the menu did not show";
             QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, menu.actionGeometry(item).center());
             Settle();
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(TabTo(nazov));
        Type(QString::fromUtf8("č") + QString::fromLatin1(c.command).left(4));
        const QString shown = nazov->text();
        seen.clear();
        c.give();
        // A button's Alt letter clicks it a moment later, showing it pressed in between.
        WaitFor(c.command, [&] { return !seen.isEmpty(); });
        EXPECT_EQ(seen, shown);
        t.Cancel();
    }
}
