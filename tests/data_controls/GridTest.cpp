// The grid and its model on a real table: rows fetched only as the view asks, cells read without moving
// the cursor, the current row both ways, keys, marks, in-place editing, the column kept while the rows
// are read again, colouring and Ctrl+Del; a cell editor written once however it is left, a refused text
// kept in its cell until corrected or given up with Escape.
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "common/GridTyping.h"
#include "common/ShownBoxes.h"
#include "library/xDBGrid.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QScrollBar>
#include <QSignalSpy>
#include <set>
#include <QTest>
#include <QToolButton>

namespace {

class Grid : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_G (ID integer not null primary key, NAZOV varchar(20), MNOZ integer)");
        exec("execute block as declare i integer = 1; begin while (i <= 3000) do begin "
             "insert into T_G values (:i, 'n' || :i, mod(:i, 7)); i = i + 1; end end");
        t.SetDatabase(db.get());
        t.SetTableName("T_G");
        t.SetIndexFieldNames("ID");
        src.SetDataSet(&t);
        grid.resize(400, 300);
        grid.SetDataSource(&src);
    }
    void TearDown() override
    {
        t.Close();
        DbFixture::TearDown();
    }
    void open()
    {
        t.Open();
        grid.show();
        QApplication::setActiveWindow(&grid);
        ASSERT_TRUE(ShowActive(&grid));
        TabTo(&grid);
        QApplication::processEvents();
    }
    QPoint cellPos(int row, int col) { return grid.visualRect(grid.Model()->index(row, col)).center(); }
    int id() { return t.FieldByName("ID")->AsInteger(); }

    TIBTable t;
    TDataSource src;
    TDBGrid grid;
};

TEST_F(Grid, RowsAreFetchedOnlyAsTheViewAsks)
{
    TDataSetModel &m = *grid.Model();
    m.FetchChunk = 50;
    t.Open();
    EXPECT_LE(m.rowCount(), 1) << "opening reads the first row only";
    EXPECT_TRUE(m.canFetchMore(QModelIndex()));
    m.fetchMore(QModelIndex());
    EXPECT_EQ(m.rowCount(), t.FetchedCount());
    EXPECT_EQ(m.rowCount(), 51);
    open();
    const int shown = m.rowCount();
    EXPECT_GE(shown, grid.VisibleRowCount()) << "a screen is filled";
    EXPECT_LT(shown, 200) << "but nothing far beyond it";
    EXPECT_EQ(t.FetchedCount(), shown);
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_GT(m.rowCount(), shown) << "scrolling to the end asks for more";
    EXPECT_LT(m.rowCount(), 3000);
}

TEST_F(Grid, OpeningResetsTheModelOnce)
{
    QSignalSpy resets(grid.Model(), &QAbstractItemModel::modelReset);
    t.Open();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(grid.Model()->ColumnCount(), 3);
    t.Close();
    resets.clear();
    {
        TDisableControls off(&t);
        t.Open();
    }
    EXPECT_GE(resets.count(), 1) << "opened with the controls off, the columns still come";
    EXPECT_EQ(grid.Model()->ColumnCount(), 3);
    EXPECT_GT(grid.Model()->rowCount(), 0);
}

TEST_F(Grid, CellsReadTheirRowWithoutMovingTheCursor)
{
    int scrolls = 0;
    t.AfterScroll = [&](TDataSet *) { ++scrolls; };
    t.Open();
    t.FieldByName("NAZOV")->OnGetText = [](TField *f, QString &text, bool) {
        text = f->AsString() + "/" + f->DataSet()->FieldByName("MNOZ")->AsString();
    };
    TDataSetModel &m = *grid.Model();
    m.fetchMore(QModelIndex());
    scrolls = 0;
    EXPECT_EQ(m.data(m.index(9, 1)).toString(), "n10/3");
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "NAZOV");
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(m.data(m.index(9, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight, Qt::AlignRight)
        << "numbers right-aligned as their field";
}

TEST_F(Grid, CurrentRowFollowsTheDataSetAndAClickMovesIt)
{
    open();
    t.Next();
    t.Next();
    EXPECT_EQ(grid.currentIndex().row(), 2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellPos(5, 1));
    EXPECT_EQ(t.RecNo(), 6);
    EXPECT_EQ(grid.SelectedIndex(), 1);
    EXPECT_EQ(grid.SelectedField()->FieldName(), "NAZOV");
}

TEST_F(Grid, NavigationKeysMoveTheDataSet)
{
    open();
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(id(), 3);
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(id(), 2);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_EQ(id(), 2 + grid.VisibleRowCount());
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(id(), 3000);
    EXPECT_EQ(grid.currentIndex().row(), 2999);
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(id(), 1);
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(grid.SelectedIndex(), 2) << "End alone goes to the last column";
    EXPECT_EQ(id(), 1);
}

TEST_F(Grid, CtrlDeleteAsksFirst)
{
    open();
    QTest::keyClick(&grid, Qt::Key_Down);
    TTestResponder answers;
    answers.MessageAnswers = {mrNo};
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(answers.Messages.size(), 1);
    EXPECT_EQ(answers.Messages[0].Text, QString::fromUtf8("Zmazať záznam?"));
    EXPECT_EQ(value("select count(*) from T_G").toInt(), 3000);
    answers.MessageAnswers = {mrYes};
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(value("select count(*) from T_G where ID = 2").toInt(), 0);
    EXPECT_EQ(id(), 3) << "the next row becomes current";
    EXPECT_EQ(grid.currentIndex().row(), 1);
}

TEST_F(Grid, TypingInACellEditsThatFieldOnly)
{
    int otherWrites = 0;
    t.Open();
    t.FieldByName("MNOZ")->OnChange = [&](TField *) { ++otherWrites; };
    open();
    grid.SetSelectedIndex(1);
    QTest::keyClicks(grid.focusWidget() ? grid.focusWidget() : &grid, "x");
    QWidget *editor = QApplication::focusWidget();
    ASSERT_NE(editor, &grid) << "typing opened the cell editor";
    QTest::keyClicks(editor, "yz");
    QTest::keyClick(editor, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(grid.CellEditorText(), "xyz") << "a letter held with Alt is a command, not text";
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(t.State(), dsEdit);
    EXPECT_EQ(t.FieldByName("NAZOV")->AsString(), "xyz");
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(t.State(), dsBrowse) << "leaving the row posts it";
    EXPECT_EQ(value("select NAZOV from T_G where ID = 1").toString(), "xyz");
    EXPECT_EQ(otherWrites, 0);

    QTest::keyClick(&grid, Qt::Key_Insert);
    EXPECT_EQ(t.State(), dsInsert);
    EXPECT_EQ(grid.currentIndex().row(), 1) << "Insert puts the new row before the current one";
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_EQ(t.State(), dsBrowse);
    EXPECT_EQ(id(), 2);
}

TEST_F(Grid, ACancelledEditOrARefreshKeepsTheColumnNewColumnsStartAtTheFirst)
{
    open();
    QTest::keyClick(&grid, Qt::Key_Down);
    grid.SetSelectedIndex(2);
    t.Edit();
    t.FieldByName("MNOZ")->SetValue(99);
    t.Cancel();
    EXPECT_EQ(grid.SelectedIndex(), 2);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    t.Refresh();
    EXPECT_EQ(grid.SelectedIndex(), 2) << "rows read again";
    grid.AddColumn("NAZOV");
    EXPECT_EQ(grid.SelectedIndex(), 0) << "other columns";
}

TEST_F(Grid, CtrlEnterPressesTheCellButtonOfAReadOnlyGrid)
{
    grid.AddColumn("ID");
    grid.AddColumn("NAZOV")->ButtonStyle = cbsEllipsis;
    grid.SetReadOnly(true);
    int pressed = 0;
    grid.OnEditButtonClick = [&](TDBGrid *) { ++pressed; };
    open();
    QTest::keyClick(&grid, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(pressed, 0) << "the first column has no button";
    grid.SetSelectedIndex(1);
    QTest::keyClick(&grid, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(grid.SelectedIndex(), 1);
}

// A narrow column's cell button stands after the value typed, not over its digits.
TEST_F(Grid, TheCellButtonStandsAfterTheWholeValue)
{
    open();
    t.FieldByName("MNOZ")->SetDisplayWidth(4);
    grid.AddColumn("MNOZ")->ButtonStyle = cbsEllipsis;
    grid.AddColumn("ID"); // lays the columns out again
    grid.SetSelectedIndex(0);
    QTest::keyClick(&grid, Qt::Key_9);
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr) << "typing opens the cell's editor";
    QTest::keyClicks(edit, "999");
    QTest::keyClick(edit, Qt::Key_End);
    ASSERT_EQ(edit->text(), "9999");
    const QList<QToolButton *> buttons = edit->findChildren<QToolButton *>();
    ASSERT_EQ(buttons.size(), 1);
    const QString typed = edit->text();
    const int textEnd =
        edit->contentsRect().left() + edit->textMargins().left() + 2 + edit->fontMetrics().horizontalAdvance(typed);
    EXPECT_LE(textEnd, buttons.first()->geometry().left());
    QTest::keyClick(edit, Qt::Key_Escape);
}

TEST_F(Grid, MarkedRowsKeepTheOrderTheyWereMarkedIn)
{
    grid.SetOptions(grid.Options() | dgMultiSelect | dgRowSelect);
    open();
    const TBookmark b3 = t.BookmarkAt(3), b1 = t.BookmarkAt(1), b2 = t.BookmarkAt(2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier, cellPos(3, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier, cellPos(1, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier, cellPos(2, 0));
    EXPECT_EQ(grid.SelectedRows(), (std::vector<TBookmark>{b3, b1, b2}));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier, cellPos(1, 0));
    EXPECT_EQ(grid.SelectedRows(), (std::vector<TBookmark>{b3, b2})) << "a second Ctrl+click unmarks";
    t.Refresh();
    EXPECT_EQ(grid.SelectedRows().size(), 2u) << "marks survive a redraw of the data";
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellPos(0, 0));
    EXPECT_TRUE(grid.SelectedRows().empty()) << "a plain click clears the marks";
    t.Close();
    t.Open();
    EXPECT_TRUE(grid.SelectedRows().empty());
}

TEST_F(Grid, EveryRowMarkedBackwardsComesBackInThatOrderLessTheDeletedOnes)
{
    grid.SetOptions(grid.Options() | dgMultiSelect);
    open();
    t.Last();
    std::vector<TBookmark> expected;
    for (;;) {
        grid.MarkCurrentRow(true);
        expected.push_back(t.GetBookmark());
        if (t.Bof() || t.RecNo() == 1)
            break;
        t.Prior();
    }
    ASSERT_EQ(expected.size(), 3000u);
    EXPECT_EQ(grid.SelectedRows(), expected);
    std::vector<int> rows = grid.SelectedRowNumbers();
    ASSERT_EQ(rows.size(), 3000u);
    EXPECT_EQ(rows.front(), 2999);
    EXPECT_EQ(rows.back(), 0);

    // Rows deleted since are left out, the rest keep their order.
    t.SetRecNo(10);
    const TBookmark gone = t.GetBookmark();
    t.Delete();
    expected.erase(std::find(expected.begin(), expected.end(), gone));
    EXPECT_EQ(grid.SelectedRows(), expected);
    rows = grid.SelectedRowNumbers();
    EXPECT_EQ(rows.size(), 2999u);
    EXPECT_EQ(rows.front(), 2998);
}

TEST_F(Grid, CellColoursComeFromTheHookButSelectionKeepsItsOwn)
{
    grid.SetOptions(grid.Options() | dgRowSelect);
    std::set<int> seen;
    grid.OnGetCellProp = [&](TDBGrid *, TDataSet *ds, TField *f, TCellFont &font, QColor &bg, bool highlight) {
        seen.insert(ds->FieldByName("ID")->AsInteger());
        bg = Qt::red;
        font.setBold(true);
    };
    open();
    const QImage img = grid.grab().toImage();
    EXPECT_TRUE(seen.count(1) && seen.count(5)) << "the hook sees each painted row's values";
    const QRect r1 = grid.visualRect(grid.Model()->index(1, 1));
    const QPoint p1 = grid.viewport()->mapTo(&grid, QPoint(r1.right() - 3, r1.center().y()));
    EXPECT_EQ(img.pixelColor(p1), QColor(Qt::red));
    const QRect r0 = grid.visualRect(grid.Model()->index(0, 1));
    const QPoint p0 = grid.viewport()->mapTo(&grid, QPoint(r0.right() - 3, r0.center().y()));
    EXPECT_NE(img.pixelColor(p0), QColor(Qt::red)) << "the highlighted current row";
    EXPECT_EQ(t.RecNo(), 1);
}

TEST_F(Grid, ARefusedNumberKeepsItsEditorInTheCellTillItIsCorrected)
{
    TShownBoxes boxes;
    open();
    QWidget *editor = TypeInCell(&grid, 2, "tri");
    ASSERT_NE(editor, &grid);
    const QModelIndex cell = grid.Model()->index(0, 2);
    // True when the editor is still open in its cell with the text and the focus.
    const auto stays = [&](const char *after) {
        QApplication::processEvents();
        EXPECT_EQ(grid.currentIndex(), cell) << after;
        EXPECT_EQ(grid.CellEditorText(), "tri") << after;
        EXPECT_EQ(id(), 1) << after;
        EXPECT_TRUE(grid.EditorMode()) << after;
        EXPECT_EQ(QApplication::focusWidget(), editor) << after;
        return grid.EditorMode() && QApplication::focusWidget() == editor;
    };
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(stays("Enter"));
    ASSERT_EQ(boxes.Messages.size(), 1);
    EXPECT_TRUE(boxes.Messages[0].Text.startsWith(QString::fromUtf8("'tri' nie je platné")))
        << boxes.Messages[0].Text.toStdString();
    QTest::keyClick(editor, Qt::Key_Tab);
    ASSERT_TRUE(stays("Tab"));
    QTest::keyClick(editor, Qt::Key_Down);
    ASSERT_TRUE(stays("Down"));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellPos(3, 1));
    ASSERT_TRUE(stays("a click on another row"));
    EXPECT_EQ(boxes.Messages.size(), 4) << "every try says why";
    EXPECT_EQ(t.FieldByName("MNOZ")->AsInteger(), 1);

    Retype(editor, "30");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.currentIndex(), cell) << "Enter closes the editor in its cell";
    EXPECT_EQ(QApplication::focusWidget(), &grid);
    EXPECT_EQ(t.FieldByName("MNOZ")->AsInteger(), 30);
    EXPECT_EQ(t.FieldByName("NAZOV")->AsString(), "n1");
    EXPECT_EQ(boxes.Messages.size(), 4);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(value("select MNOZ from T_G where ID = 1").toInt(), 30);
}

TEST_F(Grid, EnterToTabWritesTheCellAndMovesOnButARefusedTextStays)
{
    TShownBoxes boxes;
    grid.SetDataSource(nullptr); // the only grid on the data
    TxDBGrid tab;
    tab.resize(400, 300);
    tab.SetOptions(tab.Options() & ~dgRowSelect);
    tab.EnterToTab = true;
    tab.SetDataSource(&src);
    tab.AddColumn("MNOZ");
    tab.AddColumn("NAZOV");
    t.Open();
    tab.show();
    QApplication::setActiveWindow(&tab);
    ASSERT_TRUE(ShowActive(&tab));
    TabTo(&tab);
    QWidget *editor = TypeInCell(&tab, 0, "tri");
    ASSERT_NE(editor, &tab);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(boxes.Messages.size(), 1);
    ASSERT_TRUE(tab.EditorMode());
    EXPECT_EQ(tab.SelectedIndex(), 0);
    EXPECT_EQ(tab.CellEditorText(), "tri");
    Retype(editor, "30");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(boxes.Messages.size(), 1);
    EXPECT_EQ(t.FieldByName("MNOZ")->AsInteger(), 30);
    EXPECT_EQ(t.FieldByName("NAZOV")->AsString(), "n1") << "the next column is not written";
    EXPECT_EQ(tab.SelectedIndex(), 1) << "Enter went on to the next column";
    EXPECT_FALSE(tab.EditorMode());
    EXPECT_EQ(QApplication::focusWidget(), &tab);
    t.Post();
    EXPECT_EQ(value("select MNOZ from T_G where ID = 1").toInt(), 30);
}

TEST_F(Grid, EscapeInTheEditorLeavesTheFieldAsItWas)
{
    TShownBoxes boxes;
    open();
    const QModelIndex cell = grid.Model()->index(0, 2);
    QWidget *editor = TypeInCell(&grid, 2, "tri");
    EXPECT_EQ(t.State(), dsEdit) << "typing starts the row's edit";
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.currentIndex(), cell);
    EXPECT_FALSE(t.Modified()) << "nothing was written";
    EXPECT_TRUE(boxes.Messages.isEmpty());
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_EQ(t.State(), dsBrowse) << "the next Escape ends the edit";

    // A refused text given up: the field keeps its value, the next Escape leaves the row as it was.
    editor = TypeInCell(&grid, 2, "tri");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(grid.EditorMode());
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(boxes.Messages.size(), 1);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.currentIndex(), cell);
    EXPECT_EQ(t.FieldByName("MNOZ")->AsInteger(), 1);
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_EQ(t.State(), dsBrowse);
    EXPECT_EQ(grid.currentIndex(), cell);
    EXPECT_EQ(value("select MNOZ from T_G where ID = 1").toInt(), 1);
}

TEST_F(Grid, TheTypedTextIsWrittenOnceHoweverTheEditorIsLeft)
{
    t.Open();
    int writes = 0;
    t.FieldByName("NAZOV")->OnSetText = [&](TField *f, const QString &text) {
        ++writes;
        f->SetAsString(text);
    };
    open();
    QTest::keyClick(TypeInCell(&grid, 1, "a"), Qt::Key_Return);
    EXPECT_EQ(writes, 1) << "Enter";
    QTest::keyClick(TypeInCell(&grid, 1, "b"), Qt::Key_Tab);
    EXPECT_EQ(writes, 2) << "Tab";
    EXPECT_EQ(grid.SelectedIndex(), 2);
    if (grid.EditorMode())
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    TypeInCell(&grid, 1, "c");
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellPos(0, 2));
    EXPECT_EQ(writes, 3) << "a click on another cell";
    EXPECT_EQ(t.FieldByName("NAZOV")->AsString(), "c");
    QTest::keyClick(TypeInCell(&grid, 1, QString::fromUtf8("Žľab O'Neil")), Qt::Key_Down);
    EXPECT_EQ(writes, 4) << "Down";
    EXPECT_EQ(id(), 2);
    EXPECT_EQ(QApplication::focusWidget(), &grid) << "the grid keeps the focus as its editor closes";
    EXPECT_EQ(value("select NAZOV from T_G where ID = 1").toString(), QString::fromUtf8("Žľab O'Neil"));

    // The data set moved or posted by code takes an open editor's text first.
    TypeInCell(&grid, 1, "e");
    t.Next();
    EXPECT_EQ(writes, 5) << "a move";
    EXPECT_EQ(value("select NAZOV from T_G where ID = 2").toString(), "e");
    TypeInCell(&grid, 1, "f");
    t.Post();
    EXPECT_EQ(writes, 6) << "a post";
    EXPECT_EQ(value("select NAZOV from T_G where ID = 3").toString(), "f");
    QApplication::processEvents();
}

} // namespace

TEST_F(Grid, AGridDestroyedOverAnOpenDataSetLetsGoOfItCleanly)
{
    open();
    auto *other = new TDBGrid;
    other->SetDataSource(&src);
    other->show();
    other->MarkCurrentRow(true); // marks are cleared as the grid lets go of the data set
    QApplication::processEvents();
    delete other;
    t.Next();
    EXPECT_EQ(id(), 2) << "the data set and the remaining grid go on";
    EXPECT_EQ(grid.Model()->CurrentRow(), 1);
}

// Tab goes across the columns of the current row and on to the next control after the last (whole rows chosen
// or not); a grid without rows has no cell to go to, and the first Tab leaves it.
TEST_F(Grid, TabCrossesTheRowsColumnsAndLeavesTheGridWithoutRowsAtOnce)
{
    const struct {
        bool empty;
        bool rowSelect;
    } cases[] = {{false, false}, {false, true}, {true, false}, {true, true}};
    for (const auto [empty, rowSelect] : cases) {
        SCOPED_TRACE(::testing::Message()
                     << (empty ? "without rows" : "with rows") << (rowSelect ? ", whole rows" : ""));
        if (empty)
            exec("delete from T_G");
        QWidget window;
        auto *inside = new TDBGrid(&window);
        inside->SetDataSource(&src);
        inside->SetOptions(inside->Options() | dgTabs | (rowSelect ? dgRowSelect : 0));
        auto *after = new QLineEdit(&window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(inside);
        layout->addWidget(after);
        t.Open();
        ASSERT_TRUE(ShowActive(&window, "the window with the grid comes up"));
        ASSERT_TRUE(TabTo(inside));
        EXPECT_TRUE(TabTo(after, empty ? 1 : inside->ColumnCount()));
        t.Close();
    }
}
