// The program's grid on real queries and tables: sorting by title clicks, the F7 filter, column sums,
// copying, and the exported files' exact bytes.
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "common/WhenModal.h"
#include "library/QTlacForm.h"
#include "library/xDBGrid.h"
#include "library/xDatabase.h"
#include "library/xQuery.h"
#include "library/xTable.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Glyphs.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>

namespace {

class XGrid : public DbFixtureT<TxDatabase> {
protected:
    void SetUp() override
    {
        DbFixtureT<TxDatabase>::SetUp();
        exec("create table T_S (ID integer not null primary key, NAZOV varchar(20), MNOZ double precision, "
             "D date, POZN varchar(30))");
        exec("insert into T_S values (1, 'beta', 2.5, '2026-01-02', 'a\"b')");
        exec("insert into T_S values (2, 'alfa', -1, null, 'x' || ascii_char(13) || ascii_char(10) || 'y')");
        exec("insert into T_S values (3, 'gama', 10, '2026-12-31', null)");
        exec("insert into T_S values (4, 'delta', 0, null, '')");
        exec("insert into T_S values (5, 'epsilon', 4, null, 'e')");
        q.SetDatabase(db.get());
        q.SQL().SetText("select ID, NAZOV, MNOZ, D, POZN\nfrom T_S\n\n");
        src.SetDataSet(&q);
        grid.resize(500, 300);
        grid.SetDataSource(&src);
    }
    void TearDown() override
    {
        q.Close();
        DbFixtureT<TxDatabase>::TearDown();
    }
    void show()
    {
        grid.show();
        QApplication::setActiveWindow(&grid);
        ASSERT_TRUE(ShowActive(&grid));
        TabTo(&grid);
        QApplication::processEvents();
    }
    void clickTitle(int column, Qt::KeyboardModifiers mods = {})
    {
        QHeaderView *h = grid.horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, mods,
                          QPoint(h->sectionViewportPosition(column) + 5, h->height() / 2));
    }
    QString orderLine() { return q.SQL()[3]; }
    // The title, centred in its column and bold when sorted, ends left of the arrow at the column's right edge.
    bool titleClearOfArrow(int column, bool bold)
    {
        QFont font = grid.horizontalHeader()->font();
        font.setBold(bold);
        const int width = grid.columnWidth(column);
        const int text = QFontMetrics(font).horizontalAdvance(grid.Columns(column)->Title());
        return (width + text) / 2 < width - Glyph("ORDERBY_ASC").width() - 4;
    }
    QString ids()
    {
        QStringList out;
        for (q.First(); !q.Eof(); q.Next())
            out << q.FieldByName("ID")->AsString();
        q.First();
        return out.join(',');
    }

    TxQuery q;
    TDataSource src;
    TxDBGrid grid;
};

TEST_F(XGrid, TitleClicksSortAscendingDescendingAndBoldTheSortedTitle)
{
    grid.SetTitleClickToOrderBy(true);
    q.Open();
    show();
    clickTitle(1);
    EXPECT_EQ(orderLine(), "ORDER BY 2");
    EXPECT_EQ(ids(), "2,1,4,5,3");
    EXPECT_EQ(grid.OrderState(1), 1);
    clickTitle(1);
    EXPECT_EQ(orderLine(), "ORDER BY 2 DESC");
    EXPECT_EQ(ids(), "3,5,4,1,2");
    EXPECT_EQ(grid.OrderState(1), 2);
    clickTitle(1);
    EXPECT_EQ(orderLine(), "ORDER BY 2");
    clickTitle(2);
    EXPECT_EQ(orderLine(), "ORDER BY 3");
    EXPECT_EQ(ids(), "2,4,1,5,3");
    EXPECT_TRUE(grid.Columns(2)->TitleFont->bold());
    EXPECT_FALSE(grid.Columns(1)->TitleFont->bold());
    EXPECT_TRUE(grid.ShowHint);
    EXPECT_EQ(grid.TitleHint(1), QString::fromUtf8("Klikutím zoradí podľa \"NAZOV\""));

    TTestResponder answers;
    clickTitle(2, Qt::ShiftModifier);
    EXPECT_EQ(answers.Texts(), QStringList{"MNOZ"}) << "Shift on a numeric title names its field";
    EXPECT_EQ(orderLine(), "ORDER BY 3");
}

TEST_F(XGrid, ASortByColumnTwelveIsNotASortByColumnOne)
{
    grid.SetTitleClickToOrderBy(true);
    q.SQL().SetText("select ID, NAZOV, MNOZ, 4 C4, 5 C5, 6 C6, 7 C7, 8 C8, 9 C9, 10 C10, 11 C11, NAZOV N12\n"
                    "from T_S\n\nORDER BY 12");
    q.Open();
    EXPECT_EQ(grid.OrderState(0), 0);
    EXPECT_EQ(grid.OrderState(11), 1);
    grid.TitleClickOrder(0);
    EXPECT_EQ(orderLine(), "ORDER BY 1") << "ascending, not a toggle to descending";

    q.Close();
    q.SQL().SetStrings(3, "order by 3 desc");
    q.Open();
    EXPECT_EQ(grid.OrderState(2), 2) << "the column named by its position, descending";
}

TEST_F(XGrid, AnOrderTheServerRefusesIsDroppedQuietly)
{
    TxTable t;
    t.SetDatabase(db.get());
    t.SetTableName("T_S");
    src.SetDataSet(&t);
    grid.SetTitleClickToOrderBy(true);
    grid.OnBeforeOrderBy = [](TxCustomDBGrid *, QString &name) { name = "NEEXISTUJE_TAKE_DLHE_POLE"; };
    t.Open();
    TTestResponder answers;
    grid.TitleClickOrder(1);
    EXPECT_TRUE(t.Active());
    EXPECT_EQ(t.IndexFieldNames(), "");
    EXPECT_TRUE(answers.Texts().isEmpty());
    EXPECT_FALSE(grid.Columns(1)->TitleFont->bold());

    grid.OnBeforeOrderBy = nullptr;
    grid.TitleClickOrder(1);
    grid.TitleClickOrder(1);
    EXPECT_EQ(t.IndexFieldNames(), "NAZOV DESC");
    EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 3);
    t.Close();
}

TEST_F(XGrid, F7FiltersByTheTypedValueAndCancelSwitchesItOff)
{
    q.Open();
    show();
    grid.SetSelectedIndex(1);
    TTestResponder answers;
    answers.InputAnswers = {QString("ep")};
    QTest::keyClick(&grid, Qt::Key_F7);
    ASSERT_EQ(answers.Inputs.size(), 1);
    EXPECT_EQ(answers.Inputs[0].Caption, "Filter");
    EXPECT_EQ(answers.Inputs[0].Prompt, QString::fromUtf8("Hodnota poľa [NAZOV] ="));
    EXPECT_EQ(answers.Inputs[0].Value, "beta") << "proposed: the current value";
    EXPECT_TRUE(q.Filtered());
    EXPECT_EQ(ids(), "5");
    answers.InputAnswers = {QVariant()};
    QTest::keyClick(&grid, Qt::Key_F7);
    EXPECT_FALSE(q.Filtered());
    EXPECT_EQ(ids(), "1,2,3,4,5");
}

TEST_F(XGrid, SumsAveragesMinimaAndMaxima)
{
    grid.AutoCalcAgg = true;
    int calls = 0;
    grid.OnAfterCalcAgg = [&](TxCustomDBGrid *) { ++calls; };
    q.Open();
    EXPECT_EQ(calls, 1);
    const TxColumn *mnoz = grid.XColumns(2);
    EXPECT_DOUBLE_EQ(mnoz->Sum, 15.5);
    EXPECT_DOUBLE_EQ(mnoz->Average, 3.1);
    EXPECT_DOUBLE_EQ(mnoz->Min, -1);
    EXPECT_DOUBLE_EQ(mnoz->Max, 10);
    EXPECT_DOUBLE_EQ(grid.XColumns(0)->Sum, 15);
    EXPECT_DOUBLE_EQ(grid.XColumns(1)->Sum, 0) << "text columns are not summed";
    EXPECT_EQ(q.RecNo(), 1);
    EXPECT_TRUE(grid.TitleHint(2).startsWith(QString::fromUtf8("Súčet hodnôt : 15")));

    q.Close();
    q.SQL().SetStrings(2, "where ID < 0");
    q.Open();
    mnoz = grid.XColumns(2); // default columns are made anew when the data set opens
    EXPECT_EQ(mnoz->Sum, 0);
    EXPECT_EQ(mnoz->Average, 0);
    EXPECT_EQ(mnoz->Min, 0);
    EXPECT_EQ(mnoz->Max, 0);
    EXPECT_EQ(grid.TitleHint(2), "") << "no aggregate hint";
}

// A grid destroyed while its data set is open lets go of it quietly: neither its own sums nor any handler
// connected on the grid hear of the data set closing for it (their grid is half gone by then); the data set
// stays open and moves on for the other grids on it.
TEST_F(XGrid, AGridDestroyedWithItsDataOpenRunsNoHandler)
{
    auto *gone = new TxDBGrid;
    gone->AutoCalcAgg = true;
    int sums = 0, heard = 0;
    gone->OnAfterCalcAgg = [&](TxCustomDBGrid *) { ++sums; };
    QObject::connect(gone->Model(), &TDataSetModel::activeChanged, gone, [&](bool) { ++heard; });
    gone->SetDataSource(&src);
    q.Open();
    ASSERT_EQ(sums, 1);
    ASSERT_EQ(heard, 1);
    q.Last();
    delete gone;
    EXPECT_EQ(sums, 1);
    EXPECT_EQ(heard, 1);
    EXPECT_TRUE(q.Active());
    EXPECT_EQ(q.RecNo(), 5);
    q.First();
    EXPECT_EQ(grid.Model()->CellText(0, 1), "beta") << "the grid left on the data set still shows it";
}

TEST_F(XGrid, CtrlCCopiesFromTheCurrentRowToTheEnd)
{
    q.SQL().SetText("select ID, NAZOV\nfrom T_S\n\norder by ID");
    q.Open();
    show();
    q.MoveBy(2);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardText(), "3\tgama\r\n4\tdelta\r\n5\tepsilon\r\n");
    EXPECT_TRUE(q.Eof());

    grid.SetOptions(grid.Options() | dgMultiSelect);
    q.First();
    q.Next();
    grid.MarkCurrentRow(true);
    q.First();
    grid.MarkCurrentRow(true);
    q.Last();
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ClipboardText(), "2\talfa\r\n1\tbeta\r\n") << "marked rows in the order marked";
    EXPECT_TRUE(q.Eof()) << "the cursor stays";
    EXPECT_EQ(q.RecNo(), 5);
}

TEST_F(XGrid, ExportWritesEveryFieldWithQuotedTexts)
{
    q.SQL().SetStrings(3, "order by ID");
    q.Open();
    QTemporaryDir dir;
    const QString csv = dir.filePath("a.csv");
    grid.Export(0, csv);
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray expected = QString::fromUtf8("ID;NAZOV;MNOZ;D;POZN\r\n"
                                                  "1;\"beta\";2,5;2.1.2026;\"a\"\"b\"\r\n"
                                                  "2;\"alfa\";-1;;\"x y\"\r\n"
                                                  "3;\"gama\";10;31.12.2026;\"\"\r\n"
                                                  "4;\"delta\";0;;\"\"\r\n"
                                                  "5;\"epsilon\";4;;\"e\"\r\n")
                                    .toUtf8();
    EXPECT_EQ(f.readAll(), expected);

    q.Close();
    q.SQL().SetText("select ID, NAZOV, MNOZ, D\nfrom T_S\nwhere ID <= 2\norder by ID");
    q.Open();
    const QString txt = dir.filePath("a.txt");
    grid.Export(1, txt);
    QFile g(txt);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    const QByteArray row1 = QByteArray("1").rightJustified(11) + QByteArray("beta").leftJustified(21) +
                            QByteArray("2.50000").rightJustified(15) + "20260102\r\n";
    const QByteArray row2 = QByteArray("2").rightJustified(11) + QByteArray("alfa").leftJustified(21) +
                            QByteArray("-1.00000").rightJustified(15) + QByteArray(8, ' ') + "\r\n";
    EXPECT_EQ(g.readAll(), row1 + row2) << "integers 11 wide, texts their size + 1, floats with a point";
}

TEST_F(XGrid, CtrlSWritesExportCsvIntoTheDocumentsFolder)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(".config").toUtf8());
    q.Open();
    show();
    TTestResponder answers;
    QTest::keyClick(&grid, Qt::Key_S, Qt::ControlModifier);
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf8("Data boli uložené do súboru export.csv")});
    EXPECT_TRUE(QFile::exists(home.filePath("Documents/export.csv")));
}

TEST_F(XGrid, SortArrowAndFilterMarkArePainted)
{
    grid.SetTitleClickToOrderBy(true);
    q.Open();
    show();
    QHeaderView *h = grid.horizontalHeader();
    const QRect title(h->sectionViewportPosition(1), 0, h->sectionSize(1), h->height());
    const QRect corner(0, 0, grid.verticalHeader()->width(), h->height());
    auto titleImage = [&] { return h->grab(title).toImage(); };
    auto cornerImage = [&] { return grid.grab(corner).toImage(); };
    const QImage plainTitle = titleImage(), plainCorner = cornerImage();
    grid.TitleClickOrder(1);
    const QImage ascending = titleImage();
    EXPECT_NE(ascending, plainTitle);
    grid.TitleClickOrder(1);
    EXPECT_NE(titleImage(), ascending) << "the descending arrow differs";

    q.SetFilterText("ID>1");
    q.SetFiltered(true);
    QApplication::processEvents();
    EXPECT_NE(cornerImage(), plainCorner) << "the corner marks a filtered list";
}

TEST_F(XGrid, ALongFieldNameIsNeverCutShort)
{
    exec("create table T_LONG (ID integer not null primary key, NAZOV_VELMI_DLHEHO_POLA varchar(10))");
    exec("insert into T_LONG values (1, 'b')");
    exec("insert into T_LONG values (2, 'a')");
    TxTable t;
    t.SetDatabase(db.get());
    t.SetTableName("T_LONG");
    src.SetDataSet(&t);
    grid.SetTitleClickToOrderBy(true);
    t.Open();
    grid.TitleClickOrder(1);
    EXPECT_EQ(t.IndexFieldNames(), "NAZOV_VELMI_DLHEHO_POLA");
    EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 2);
    EXPECT_EQ(grid.OrderState(1), 1);
    t.Close();
}

TEST_F(XGrid, EnterOnARowSelectGridIsADoubleClickAndPlainClicksMarkWithSimpleMultiSelect)
{
    q.Open();
    show();
    int doubleClicks = 0;
    grid.OnDblClick = [&](TDBGrid *) { ++doubleClicks; };
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(doubleClicks, 1);

    grid.SetOptions(grid.Options() | dgMultiSelect);
    grid.SimpleMultiSelect = true;
    auto click = [&](int row) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.Model()->index(row, 0)).center());
    };
    click(2);
    click(0);
    EXPECT_EQ(grid.SelectedRows(), (std::vector<TBookmark>{q.BookmarkAt(2), q.BookmarkAt(0)}));
}

TEST_F(XGrid, PrintLaysRowsOutOnPagesWithTheHeading)
{
    q.SQL().SetText("select ID, NAZOV\nfrom T_S\n\norder by ID");
    q.Open();
    grid.PrintTitle = "Zoznam";
    QString seenTitle;
    grid.OnBeforePrint = [&](TxCustomDBGrid *, QString &title, int &size) {
        seenTitle = title;
        size = 60; // large rows: five of them need more than one page
    };
    QTemporaryDir dir;
    {
        QPdfWriter pdf(dir.filePath("g.pdf"));
        pdf.setPageSize(QPageSize(QPageSize::A6));
        grid.PrintTo(&pdf);
    }
    EXPECT_EQ(seenTitle, "Zoznam");
    EXPECT_TRUE(q.Eof()) << "the cursor ends after the last row";
    QFile f(dir.filePath("g.pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 2);
}

TEST_F(XGrid, CtrlPPrintsTheRowsThroughThePrintDialogOnTheSharedPrinter)
{
    q.Open();
    show();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("grid.pdf");
    Printer().setOutputFileName(pdf);
    bool dialogSeen = false;
    WhenModal<QDialog>([&](QDialog *d) {
        dialogSeen = true;
        d->accept();
    });
    QTest::keyClick(&grid, Qt::Key_P, Qt::ControlModifier);
    Printer().setOutputFileName(QString());
    EXPECT_TRUE(dialogSeen);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF"));
    EXPECT_EQ(Printer().docName(), "TxDBGrid.Print");
}

} // namespace

// Columns are as wide as their fields' display widths, a long text no wider than a sentence, a time
// stamp as wide as it shows, and a sortable title clear of its sort arrow.
TEST_F(XGrid, ColumnWidthsFollowDisplayWidthsAndLeaveRoomForTheSortArrow)
{
    exec("create table T_W (KOD char(15), TEXT varchar(4000), CAS timestamp, X smallint)");
    exec("insert into T_W values ('A', 'dlhý text', '2026-12-28 20:58:58', 1)");
    TxQuery w;
    w.SetDatabase(db.get());
    w.SQL().SetText("select KOD, TEXT, CAS, X as VELMI_DLHY_NAZOV_STLPCA, X as N\nfrom T_W\n\n");
    src.SetDataSet(&w);
    grid.SetTitleClickToOrderBy(true);
    w.Open();
    show();
    const int ch = grid.fontMetrics().averageCharWidth();
    EXPECT_GE(grid.columnWidth(0), grid.fontMetrics().horizontalAdvance("SK2020123456ODL") + 4)
        << "CHAR(15) holds a code of 15 capitals and digits";
    EXPECT_LE(grid.columnWidth(0), grid.fontMetrics().horizontalAdvance(QString(15, 'W')) + 8)
        << "and is no wider than its display width";
    EXPECT_LE(grid.columnWidth(1), TDBGrid::MaxTextColumnChars * ch + 8) << "VARCHAR(4000) stays in view";
    EXPECT_GE(grid.columnWidth(2), grid.fontMetrics().horizontalAdvance(grid.Model()->CellText(0, 2)) + 4)
        << "the date and time are not cut";
    EXPECT_GE(grid.columnWidth(4), grid.fontMetrics().horizontalAdvance("-32768") + 4)
        << "a SMALLINT's six places in digits";

    // The arrow is drawn at a title's right edge; the title text is centred.
    for (int i = 0; i < grid.ColumnCount(); ++i)
        EXPECT_TRUE(titleClearOfArrow(i, true)) << grid.Columns(i)->Title().toStdString();
    w.Close();
}

// A short title with a long data column of codes, and titles wider than their data: each title, clicked
// and so sorted and bold, still shows whole beside its arrow, as does the sorted column of a grid that does
// not sort by clicks (the arrow shows wherever the rows are sorted by the column).
TEST_F(XGrid, ASortedTitleStaysWholeBesideItsArrow)
{
    exec("create table T_T (C_ODB integer, OP varchar(3), D_OBJ date)");
    exec("insert into T_T values (8, 'ODL', '2026-12-04')");
    TxQuery t;
    t.SetDatabase(db.get());
    t.SQL().SetText("select C_ODB, OP, D_OBJ\nfrom T_T\n\n");
    src.SetDataSet(&t);
    grid.SetTitleClickToOrderBy(true);
    grid.AddColumn("C_ODB", QString::fromUtf8("Č. Odb."), 40);
    grid.AddColumn("OP", QString::fromUtf8("Op."));
    grid.AddColumn("D_OBJ", QString::fromUtf8("Dátum objednávky"), 97);
    t.Open();
    show();
    for (int col = 0; col < grid.ColumnCount(); ++col) {
        clickTitle(col);
        ASSERT_EQ(grid.OrderState(col), 1) << col;
        ASSERT_TRUE(grid.Columns(col)->TitleFont->bold());
        for (int i = 0; i < grid.ColumnCount(); ++i)
            EXPECT_TRUE(titleClearOfArrow(i, i == col)) << "after a click on " << col << ", column " << i;
    }
    EXPECT_GE(grid.columnWidth(1), grid.fontMetrics().horizontalAdvance("ODL") + 4) << "the code shows whole";
    const int sortableWidth = grid.columnWidth(1);

    // Without click sorting only the sorted column leaves room for the arrow.
    t.Close();
    grid.SetTitleClickToOrderBy(false);
    for (int i = 0; i < grid.ColumnCount(); ++i)
        grid.Columns(i)->TitleFont.reset();
    t.SQL().SetStrings(3, "ORDER BY D_OBJ");
    t.Open();
    EXPECT_EQ(grid.OrderState(2), 1);
    EXPECT_TRUE(titleClearOfArrow(2, false));
    EXPECT_LT(grid.columnWidth(1), sortableWidth) << "a column that cannot be sorted keeps no room for an arrow";
    t.Close();
}

// A detail whose master has no row is closed: its declared columns keep the widths their fields gave them, so
// the empty grid keeps its titles and layout.
TEST_F(XGrid, DeclaredColumnsKeepTheirWidthsWhileTheirDataSetIsClosed)
{
    TxQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText("select ID, NAZOV, POZN\nfrom T_S\n\n");
    src.SetDataSet(&q);
    grid.AddColumn("NAZOV", QString::fromUtf8("Názov"));
    grid.AddColumn("POZN", QString::fromUtf8("Pozn."));
    q.Open();
    show();
    const int name = grid.columnWidth(0), note = grid.columnWidth(1);
    ASSERT_GT(name, grid.TitleWidth(grid.Columns(0))) << "the field made the column wider than its title";
    q.Close();
    QApplication::processEvents();
    EXPECT_EQ(grid.columnWidth(0), name);
    EXPECT_EQ(grid.columnWidth(1), note);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Názov"));
}
