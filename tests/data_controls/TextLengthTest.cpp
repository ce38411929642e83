// Text longer than its column, typed, pasted or set by code: every text control bound to a field takes at
// most the column's characters (a Slovak letter is one of them, in a WIN1250 and a UTF8 column alike, a
// memo's line end two), and a longer text given by code is refused with a message, never cut.
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "common/GridTyping.h"
#include "common/HostileCorpus.h"
#include "platform/os/Exception.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"

#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>

namespace {

class TextLength : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_L (ID integer not null primary key, NAZOV varchar(10), "
             "MENO varchar(10) character set UTF8, KOD varchar(5), POZN varchar(12), ZNAK char(4))");
        exec("insert into T_L (ID, NAZOV, MENO, KOD, POZN, ZNAK) values (1, '', '', '', '', '')");
        t.SetDatabase(db.get());
        t.SetTableName("T_L");
        t.SetIndexFieldNames("ID");
        src.SetDataSet(&t);
        auto *lay = new QVBoxLayout(&w);
        for (QWidget *c : std::initializer_list<QWidget *>{nazov, meno, kod, pozn})
            lay->addWidget(c);
        for (auto [control, field] :
             {std::pair<TDBControl *, const char *>{nazov, "NAZOV"}, {meno, "MENO"}, {kod, "KOD"}, {pozn, "POZN"}}) {
            control->SetDataSource(&src);
            control->SetDataField(QString::fromLatin1(field));
        }
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
    QString stored(const char *column)
    {
        return value(QStringLiteral("select %1 from T_L where ID = 1").arg(QLatin1String(column))).toString();
    }
    static void paste(QWidget *control, const QString &text)
    {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(control, Qt::Key_V, Qt::ControlModifier);
    }

    TIBTable t;
    TDataSource src;
    QWidget w;
    TDBEdit *nazov = new TDBEdit(&w);
    TDBEdit *meno = new TDBEdit(&w);
    TDBComboBox *kod = new TDBComboBox(&w);
    TDBMemo *pozn = new TDBMemo(&w);
};

TEST_F(TextLength, TypingStopsAtTheColumnsCharactersSlovakLettersCountingOne)
{
    const QString typed = QString::fromUtf8("Žiarska žľaza čučoriedok");
    for (TDBEdit *edit : {nazov, meno}) {
        TabTo(edit);
        QApplication::processEvents();
        TypeText(edit, typed);
        EXPECT_EQ(edit->text(), typed.left(10)) << edit->DataField().toStdString();
    }
    TabTo(kod);
    QApplication::processEvents();
    TypeText(kod, QString::fromUtf8("ťažký odliatok"));
    EXPECT_EQ(kod->currentText(), QString::fromUtf8("ťažký")) << "a combo box's typed text too";
    t.Post();
    EXPECT_EQ(stored("NAZOV"), typed.left(10)) << "WIN1250 column: ž is one character";
    EXPECT_EQ(stored("MENO"), typed.left(10)) << "UTF8 column: ž is one character too";
    EXPECT_EQ(stored("KOD"), QString::fromUtf8("ťažký"));
}

// An edit reached by Tab or Backtab has its stored text selected: what is typed takes its place, also where the
// edit's typing limit is put in as the focus arrives.
TEST_F(TextLength, AnEditReachedByTheKeyboardIsTypedOver)
{
    nazov->MaxLength = 8;
    t.Edit();
    t.FieldByName("NAZOV")->SetValue(QStringLiteral("Stará"));
    t.FieldByName("MENO")->SetValue(QString::fromUtf8("O'Brien"));
    t.Post();
    TabTo(meno);
    QApplication::processEvents();
    QTest::keyClick(meno, Qt::Key_Backtab);
    ASSERT_TRUE(nazov->hasFocus());
    TypeText(nazov, QString::fromUtf8("Nová"));
    EXPECT_EQ(nazov->text().toStdString(), "Nová") << "not added to \"Stará\"";
    QTest::keyClick(nazov, Qt::Key_Tab);
    ASSERT_TRUE(meno->hasFocus());
    TypeText(meno, QString::fromUtf8("Ľubovňa"));
    EXPECT_EQ(meno->text().toStdString(), "Ľubovňa");
    t.Post();
    EXPECT_EQ(stored("NAZOV").toStdString(), "Nová");
    EXPECT_EQ(stored("MENO").toStdString(), "Ľubovňa");
}

TEST_F(TextLength, AMemoTakesItsCharactersWithALineEndCountingTwo)
{
    PutFocusDirectly(pozn);
    QApplication::processEvents();
    TypeText(pozn, QString::fromUtf8("šesťky"));
    QTest::keyClick(pozn, Qt::Key_Return);
    TypeText(pozn, QString::fromUtf8("ďalšie riadky"));
    EXPECT_EQ(pozn->toPlainText(), QString::fromUtf8("šesťky\nďalš")) << "6 + CR LF + 4 = 12";
    QTest::keyClick(pozn, Qt::Key_Return);
    EXPECT_EQ(pozn->toPlainText(), QString::fromUtf8("šesťky\nďalš")) << "no room for another line end";
    QTest::keyClick(pozn, Qt::Key_Backspace);
    QTest::keyClick(pozn, Qt::Key_Return);
    EXPECT_EQ(pozn->toPlainText(), QString::fromUtf8("šesťky\nďal")) << "one letter's room is no line end's";
    TypeText(pozn, QString::fromUtf8("íy"));
    EXPECT_EQ(pozn->toPlainText(), QString::fromUtf8("šesťky\nďalí"));
    t.Post();
    EXPECT_EQ(stored("POZN"), QString::fromUtf8("šesťky\r\nďalí"));

    // Over a selection the letters it frees count.
    PutFocusDirectly(pozn);
    pozn->selectAll();
    TypeText(pozn, QString::fromUtf8("Žiarska zlievareň"));
    EXPECT_EQ(pozn->toPlainText(), QString::fromUtf8("Žiarska zlie"));
    t.Post();
    EXPECT_EQ(stored("POZN"), QString::fromUtf8("Žiarska zlie"));
}

TEST_F(TextLength, APasteKeepsWhatFits)
{
    TabTo(nazov);
    QApplication::processEvents();
    paste(nazov, QString::fromUtf8("Košická oceliareň"));
    EXPECT_EQ(nazov->text(), QString::fromUtf8("Košická oc"));
    TabTo(pozn);
    QApplication::processEvents();
    paste(pozn, QString::fromUtf8("prvý\r\ndruhý riadok"));
    EXPECT_EQ(pozn->toPlainText(), QString::fromUtf8("prvý\ndruhý "));
    paste(pozn, QStringLiteral("x"));
    EXPECT_EQ(pozn->toPlainText(), QString::fromUtf8("prvý\ndruhý ")) << "a full memo takes nothing more";
    t.Post();
    EXPECT_EQ(stored("NAZOV"), QString::fromUtf8("Košická oc"));
    EXPECT_EQ(stored("POZN"), QString::fromUtf8("prvý\r\ndruhý "));
}

TEST_F(TextLength, ATextLongerThanItsColumnSetByCodeIsRefusedNotCut)
{
    t.Edit();
    TField *name = t.FieldByName("NAZOV");
    try {
        name->SetAsString(QString::fromUtf8("Žiarska zlievareň"));
        ADD_FAILURE() << "a text of 17 characters went into a column of 10";
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Text položky 'NAZOV' je dlhší ako 10 znakov"));
    }
    EXPECT_EQ(name->AsString(), "") << "the field keeps its value";
    name->SetAsString(QString::fromUtf8("žltý kôň  ") + QString(20, QLatin1Char(' ')));
    EXPECT_EQ(name->AsString(), QString::fromUtf8("žltý kôň  ")) << "blanks at the end are no text";
    t.FieldByName("ZNAK")->SetAsString(QStringLiteral("AB"));
    EXPECT_THROW(t.FieldByName("ZNAK")->SetAsString(QStringLiteral("ABCDE")), EDatabaseError) << "char(4) too";
    t.Post();
    EXPECT_EQ(stored("NAZOV"), QString::fromUtf8("žltý kôň  "));
}

TEST_F(TextLength, AMemoLeftWithAnOverlongTextByCodeIsRefusedOnItsSave)
{
    pozn->MaxLength = 5;
    TabTo(pozn);
    QApplication::processEvents();
    TypeText(pozn, QStringLiteral("abcdefgh"));
    EXPECT_EQ(pozn->toPlainText(), "abcde") << "a memo's own limit below the column's";
    pozn->setPlainText(QStringLiteral("0123456789abc"));
    EXPECT_THROW(t.Post(), EDatabaseError);
    EXPECT_EQ(stored("POZN"), "") << "nothing cut and stored";
}

class GridTextLength : public TextLength {
protected:
    // The grid on the data set, shown, active and focused.
    void show(TDBGrid &grid)
    {
        grid.resize(600, 200);
        grid.SetDataSource(&src);
        grid.show();
        QApplication::setActiveWindow(&grid);
        ASSERT_TRUE(ShowActive(&grid));
        PutFocusDirectly(&grid); // the grid is the window: no key leads into it
    }
    static int columnOf(TDBGrid &grid, const QString &field)
    {
        for (int i = 0; i < grid.Model()->columnCount(); ++i)
            if (grid.Columns(i)->FieldName == field)
                return i;
        return -1;
    }
};

TEST_F(GridTextLength, ACellEditorAndAPickListTakeTheColumnsCharacters)
{
    TDBGrid grid;
    ASSERT_NO_FATAL_FAILURE(show(grid));
    const int kodColumn = columnOf(grid, "KOD"), nazovColumn = columnOf(grid, "NAZOV");
    ASSERT_GE(kodColumn, 0);
    ASSERT_GE(nazovColumn, 0);
    grid.Columns(kodColumn)->PickList = {QStringLiteral("K1"), QStringLiteral("K2")};
    QWidget *editor = TypeInCell(&grid, nazovColumn, QString::fromUtf8("Ďumbierska chata"));
    ASSERT_NE(editor, &grid);
    EXPECT_EQ(grid.CellEditorText(), QString::fromUtf8("Ďumbierska"));
    QTest::keyClick(editor, Qt::Key_Return);
    editor = TypeInCell(&grid, kodColumn, QString::fromUtf8("žľtý odliatok"));
    ASSERT_NE(editor, &grid);
    EXPECT_EQ(grid.CellEditorText(), QString::fromUtf8("žľtý "));
    QTest::keyClick(editor, Qt::Key_Return);
    t.Post();
    EXPECT_EQ(stored("NAZOV"), QString::fromUtf8("Ďumbierska"));
    EXPECT_EQ(stored("KOD"), QString::fromUtf8("žľtý "));
}

TEST_F(GridTextLength, ACodeOfTheColumnsFullLengthIsTypedWholeIntoAPickList)
{
    TDBGrid grid;
    ASSERT_NO_FATAL_FAILURE(show(grid));
    const int kodColumn = columnOf(grid, "KOD");
    ASSERT_GE(kodColumn, 0);
    grid.Columns(kodColumn)->PickList = {QStringLiteral("ODLEV"), QStringLiteral("PILA1")};
    // Each letter typed stays, whatever item it starts: the last one of a full-length code too.
    QWidget *editor = TypeInCell(&grid, kodColumn, QStringLiteral("PILA1"));
    ASSERT_NE(editor, &grid);
    EXPECT_EQ(grid.CellEditorText(), QStringLiteral("PILA1"));
    QTest::keyClick(editor, Qt::Key_Return);
    grid.SetSelectedIndex(kodColumn);
    QTest::keyClick(&grid, Qt::Key_F2);
    editor = QApplication::focusWidget();
    ASSERT_NE(editor, &grid);
    Retype(editor, QStringLiteral("pil"));
    EXPECT_EQ(grid.CellEditorText(), QStringLiteral("pil")) << "no item is put after a part of a code";
    QTest::keyClick(editor, Qt::Key_Return);
    t.Post();
    EXPECT_EQ(stored("KOD"), QStringLiteral("pil"));
}

} // namespace
