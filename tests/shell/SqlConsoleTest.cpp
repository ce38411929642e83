// The SQL console on a fresh database: sorting by a column, parameters, statements that change rows,
// errors, and each export's exact bytes (delimited, dBASE, fixed width) or its workbook read back; a
// failed export leaves the old file whole.
#include "common/DesktopSpy.h"
#include "common/ModuleFixture.h"
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "shell/QQueryForm.h"
#include "shell/SqlConsoleExport.h"
#include "shell/SqlConsoleText.h"
#include "library/xQuery.h"
#include "platform/os/Exception.h"
#include "platform/os/Win1250.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"

#include <QLabel>

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

TEST(SqlConsoleSort, EachClickTogglesAndTheTextKeepsItsCase)
{
    const QString base = QStringLiteral("select a, b, c from T where n = 'Order By Me'");
    const QString first = SortedStatement(base, 3);
    EXPECT_EQ(first, base + "\n ORDER BY 3 ASC");
    const QString second = SortedStatement(first, 3);
    EXPECT_EQ(second, base + "\n ORDER BY 3 DESC");
    EXPECT_EQ(SortedStatement(second, 3), first);
    EXPECT_EQ(SortedStatement(first, 1), base + "\n ORDER BY 1 ASC") << "another column sorts ascending";
    // A statement's own clause, in any case and after any white space, is replaced; literals keep their case.
    EXPECT_EQ(SortedStatement("select x from T where s='Abc'\n\torder  by x desc", 2),
              "select x from T where s='Abc'\n ORDER BY 2 ASC");
    EXPECT_EQ(SortedStatement("select x from T\norder by 2 asc", 2), "select x from T\n ORDER BY 2 DESC");
    EXPECT_EQ(SortedStatement("select reorder_by from T", 1), "select reorder_by from T\n ORDER BY 1 ASC");
}

class SqlConsoleTest : public ModuleTest {
protected:
    SqlConsoleTest() : ModuleTest(Boxes::Answered) {}
    void afterConnect() override
    {
        exec("create table EXPORTY (S varchar(20), SI smallint, I integer, B bigint, F double precision, D date)");
        exec("insert into EXPORTY values ('a\"b', 5, 42, 9007199254740993, 1.5, '2026-03-16')");
        exec(QString::fromUtf8("insert into EXPORTY values ('Žltý kôň', -3, null, -7, -0.25, null)"));
        q.SetDatabase(&dm->DBZAL);
    }
    void beforeDisconnect() override
    {
        q.Close();
        delete QQueryForm;
    }
    void open(const char *sql = "select * from EXPORTY order by SI desc")
    {
        q.Close();
        q.SQL().SetText(QString::fromLatin1(sql));
        q.Open();
    }
    QString path(const char *name) const { return QDir(folder.path()).filePath(QString::fromLatin1(name)); }
    static QByteArray bytes(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static QByteArray le(quint32 v, int n)
    {
        QByteArray b;
        for (int i = 0; i < n; ++i)
            b.append(char((v >> (8 * i)) & 0xff));
        return b;
    }
    static QByteArray descriptor(const char *name, char type, quint32 offset, int length, int decimals)
    {
        QByteArray d(name);
        d.append(QByteArray(11 - d.size(), '\0'));
        d.append(type);
        d.append(le(offset, 4));
        d.append(char(length));
        d.append(char(decimals));
        d.append(QByteArray(14, '\0'));
        return d;
    }

    // Types a statement into the console's editor over what is there and runs it with Ctrl+E.
    static void typeAndRun(TQQueryForm *f, const QString &sql)
    {
        QTest::keyClick(f->mSQL, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(f->mSQL, Qt::Key_Delete);
        QTest::keyClicks(f->mSQL, sql);
        QTest::keyClick(f->mSQL, Qt::Key_E, Qt::ControlModifier);
    }

    TxQuery q;
};

TEST_F(SqlConsoleTest, DBaseTableBytes)
{
    open();
    const QString file = path("export.dbf");
    ExportDBase(q, file);
    const int recordLength = 1 + 21 + 6 + 11 + 20 + 16 + 8;
    QByteArray expected;
    expected +=
        QByteArray("\x03\x04\x01\x01", 4) + le(2, 4) + le(6 * 32 + 33, 2) + le(recordLength, 2) + QByteArray(20, '\0');
    expected += descriptor("S", 'C', 1, 21, 0);
    expected += descriptor("SI", 'N', 22, 6, 0);
    expected += descriptor("I", 'N', 28, 11, 0);
    expected += descriptor("B", 'N', 39, 20, 0) + descriptor("F", 'N', 59, 16, 5) + descriptor("D", 'D', 75, 8, 0);
    expected += '\x0d';
    expected += " a\"b                       5         42    9007199254740993         1.5000020260316";
    expected += QByteArray(" ") + Win1250::fromUnicode(QString::fromUtf8("Žltý kôň")) + QByteArray(13, ' ') +
                "    -3          0                  -7        -0.25000" + QByteArray(8, ' ');
    EXPECT_EQ(bytes(file), expected);
    EXPECT_EQ(bytes(file).size(), 32 + 6 * 32 + 1 + 2 * recordLength);

    // No records: header, descriptors and the end mark only.
    open("select * from EXPORTY where 1=0");
    ExportDBase(q, file);
    const QByteArray empty = bytes(file);
    EXPECT_EQ(empty.size(), 32 + 6 * 32 + 1);
    EXPECT_EQ(empty.mid(4, 4), le(0, 4));
    EXPECT_EQ(empty.back(), '\x0d');
}

TEST_F(SqlConsoleTest, FixedWidthAndDelimitedBytes)
{
    open();
    const QString fixed = path("export.txt");
    ExportFixedWidth(q, fixed);
    EXPECT_EQ(bytes(fixed), QByteArray("                  a\"b     5         42    9007199254740993        1.50000"
                                       "20260316\r\n") +
                                QString::fromUtf8("             Žltý kôň    -3          0                  -7       "
                                                  "-0.25000        \r\n")
                                    .toUtf8());
    const QString csv = path("export.csv");
    ExportDelimited(q, csv);
    EXPECT_EQ(bytes(csv), QString::fromUtf8("S;SI;I;B;F;D\r\n\"a\"\"b\";5;42;9007199254740993;1,5;16.3.2026\r\n"
                                            "\"Žltý kôň\";-3;;-7;-0,25;\r\n")
                              .toUtf8());
}

TEST_F(SqlConsoleTest, TheWorkbookReadsBack)
{
    open();
    const QString file = path("export.xlsx");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    ExportSpreadsheet(q, file);
    auto part = [&](const char *name) {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, QString::fromLatin1(name)});
        EXPECT_TRUE(unzip.waitForFinished(60000)) << "unzip ends";
        return QString::fromUtf8(unzip.readAllStandardOutput());
    };
    EXPECT_TRUE(part("xl/workbook.xml").contains("name=\"Export\""));
    const QString sheet = part("xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheet.contains("<v>1.5</v>")) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("<v>-0.25</v>"));
    EXPECT_TRUE(sheet.contains("<v>46097</v>")) << "16.3.2026 as a date serial";
    const QString strings = part("xl/sharedStrings.xml");
    for (const char *text : {"S", "SI", "9007199254740993", "42", "a&quot;b"})
        EXPECT_TRUE(strings.contains(QString::fromUtf8(text)) || strings.contains("a\"b")) << text;
    EXPECT_TRUE(strings.contains(QString::fromUtf8("Žltý kôň")));
    EXPECT_TRUE(part("xl/styles.xml").contains("d.m.yy"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).filter(".export-").size(), 0);
}

TEST_F(SqlConsoleTest, AFailedExportLeavesTheOldFileWhole)
{
    // The second row fails while it is fetched, after the first was written.
    exec("create table DELENIE (N integer)");
    exec("insert into DELENIE values (1)");
    exec("insert into DELENIE values (0)");
    q.BufferChunks = 1;
    open("select 10/N as V, N from DELENIE order by N desc");
    for (const char *name : {"old.csv", "old.dbf", "old.txt", "old.xlsx"}) {
        const QString file = path(name);
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("previous export");
        f.close();
        const TConsoleExport kind = QString::fromLatin1(name).endsWith("csv")   ? TConsoleExport::Delimited
                                    : QString::fromLatin1(name).endsWith("dbf") ? TConsoleExport::DBase
                                    : QString::fromLatin1(name).endsWith("txt") ? TConsoleExport::FixedWidth
                                                                                : TConsoleExport::Spreadsheet;
        q.Close();
        q.Open();
        EXPECT_THROW(ExportConsoleResult(q, file, kind), std::exception) << name;
        EXPECT_EQ(bytes(file), "previous export") << name;
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 4 + 1)
        << QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).join(',').toStdString();
}

TEST_F(SqlConsoleTest, ParametersAreAskedAndAnErrorKeepsTheConsoleOpen)
{
    bool checked = false;
    WhenModal<TQQueryForm>([&](TQQueryForm *f) {
        f->mSQL->setPlainText("select S from EXPORTY where SI > :a and S <> :b");
        QTest::keyClick(f->mSQL, Qt::Key_E, Qt::ControlModifier);
        EXPECT_EQ(f->pcQuery->currentWidget(), f->tsParams);
        ASSERT_EQ(f->sgParams->rowCount(), 2);
        EXPECT_EQ(f->sgParams->item(0, 0)->text(), "a");
        EXPECT_EQ(f->sgParams->item(1, 0)->text(), "b");
        f->sgParams->item(0, 1)->setText("0");
        f->btnExecParams->click(); // the empty value is an empty string
        EXPECT_EQ(f->pcQuery->currentWidget(), f->tsResult);
        EXPECT_EQ(f->Query.RecordCount(), 1);
        EXPECT_EQ(f->lResult->text(), QString::fromUtf8("Počet viet 1"));

        f->mSQL->setPlainText("update EXPORTY set SI = SI + 1");
        f->BitBtnExec->click();
        EXPECT_EQ(responder->Texts().last(), QString::fromUtf8("Počet aktualizovaných viet 2"));

        f->pcQuery->setCurrentWidget(f->tsSQL);
        f->mSQL->setPlainText("select NIC from EXPORTY");
        f->BitBtnExec->click();
        EXPECT_TRUE(responder->Texts().last().startsWith(QString::fromUtf8("Chyba pri vykonávaní dotazu !\r\n\r\n")));
        EXPECT_EQ(responder->Messages.last().Caption, "SQL Chyba");
        EXPECT_EQ(f->pcQuery->currentWidget(), f->tsSQL);
        EXPECT_TRUE(f->isVisible());
        checked = true;
        f->BitBtnKoniec->click();
    });
    ShowSqlConsole(QString(), QString::fromUtf8("SQL Príkaz"));
    EXPECT_TRUE(checked);
}

TEST_F(SqlConsoleTest, TypedStatementsLeaveTheProgramsTransactionAlone)
{
    exec("create table HLAVA (ID integer not null primary key)");
    exec("create table ZDROJ (ID integer)");
    exec("create view POHLAD as select ID from ZDROJ");
    exec("insert into HLAVA values (1)");
    bool checked = false;
    WhenModal<TQQueryForm>([&](TQQueryForm *f) {
        // Another window's unsaved work, in the program's transaction.
        auto save = std::make_unique<TSavepoint>(&dm->DBTransaction);
        q.ExecSql("insert into HLAVA values (2)");
        for (const char *sql : {"commit", "COMMIT WORK", "commit retain", "rollback", "set transaction read only",
                                "savepoint S1", "release savepoint S1", "rollback to savepoint S1"}) {
            typeAndRun(f, QString::fromLatin1(sql));
            EXPECT_EQ(responder->Texts().last(), QString::fromUtf8("Príkazy transakcie sa v konzole nevykonávajú."))
                << sql;
        }
        // A drop refused for the view on the table leaves nothing behind.
        typeAndRun(f, "drop table ZDROJ");
        EXPECT_TRUE(responder->Texts().last().startsWith(QString::fromUtf8("Chyba pri vykonávaní dotazu !")))
            << responder->Texts().last().toStdString();
        EXPECT_EQ(count("select count(*) from POHLAD"), 0);
        typeAndRun(f, "update EXPORTY set SI = 0");
        EXPECT_EQ(responder->Texts().last(), QString::fromUtf8("Počet aktualizovaných viet 2"));
        typeAndRun(f, "select ID from HLAVA");
        EXPECT_EQ(f->Query.RecordCount(), 1) << "the console does not see the window's unsaved row";
        EXPECT_EQ(q.SelectValue("select count(*) from HLAVA").toInt(), 2) << "the window still has its row";
        save.reset();
        checked = true;
        f->BitBtnKoniec->click();
    });
    ShowSqlConsole(QString(), QString::fromUtf8("SQL Príkaz"));
    EXPECT_TRUE(checked);
    EXPECT_EQ(count("select count(*) from HLAVA"), 1) << "the window's work was given up, not committed";
    EXPECT_EQ(count("select count(*) from EXPORTY where SI = 0"), 2) << "the console's update was committed";
    q.ExecSql("insert into HLAVA values (3)");
    EXPECT_EQ(count("select count(*) from HLAVA"), 2) << "a later save works";
}

TEST_F(SqlConsoleTest, TheCountShownIsEveryRowOfTheResult)
{
    exec("execute block as declare i integer = 1; begin while (i <= 300) do begin "
         "insert into EXPORTY (S, SI) values ('r' || :i, :i); i = i + 1; end end");
    bool checked = false;
    WhenModal<TQQueryForm>([&](TQQueryForm *f) {
        f->mSQL->setPlainText("select S, SI from EXPORTY");
        QTest::keyClick(f->mSQL, Qt::Key_E, Qt::ControlModifier);
        EXPECT_EQ(f->pcQuery->currentWidget(), f->tsResult);
        EXPECT_EQ(f->lResult->text(), QString::fromUtf8("Počet viet 302"));
        checked = true;
        f->BitBtnKoniec->click();
    });
    ShowSqlConsole(QString(), QString::fromUtf8("SQL Príkaz"));
    EXPECT_TRUE(checked);
}

TEST_F(SqlConsoleTest, AWorkbookExportOffersToShowTheWorkbook)
{
    QTemporaryDir folder;
    DesktopSpy desktop;
    const QString book = QDir(folder.path()).filePath(QString::fromUtf8("výsledok.xlsx"));
    const QString csv = QDir(folder.path()).filePath("vysledok.csv");
    int consoles = 0;
    const auto exportAs = [&](const QString &file, const char *filter) {
        WhenModal<TQQueryForm>([&, file, filter](TQQueryForm *f) {
            responder->FileAnswers = {file};
            responder->FilterAnswers = {QString::fromLatin1(filter)};
            f->btnExport->click();
            ++consoles;
            if (f->isVisible())
                f->BitBtnKoniec->click();
        });
        ShowSqlConsole("select S, SI from EXPORTY", QString::fromUtf8("Využitie nástroja"));
    };
    responder->MessageAnswers = {mrNo};
    exportAs(book, "Excel subor (*.xlsx *.XLSX)");
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_EQ(responder->Messages[0].Text, QString::fromUtf8("Zobrazit výsledok v Exceli ?"));
    EXPECT_EQ(responder->Messages[0].Caption, "Export");
    EXPECT_EQ(responder->Messages[0].Buttons, mbYesNo);
    EXPECT_TRUE(QFileInfo::exists(book));
    EXPECT_TRUE(desktop.Opened.isEmpty()) << "No leaves the workbook unopened";

    responder->MessageAnswers = {mrYes};
    exportAs(book, "Excel subor (*.xlsx *.XLSX)");
    EXPECT_EQ(desktop.Opened, QStringList{QFileInfo(book).absoluteFilePath()});

    exportAs(csv, "Text.subor (*.csv *.CSV)");
    EXPECT_EQ(responder->Messages.size(), 2) << "a text export asks nothing";
    EXPECT_TRUE(QFileInfo::exists(csv));
    EXPECT_EQ(desktop.Opened.size(), 1);
    EXPECT_EQ(consoles, 3);
}

TEST_F(SqlConsoleTest, AStatementFromAnotherFormRunsAtOnceReadOnly)
{
    bool checked = false;
    WhenModal<TQQueryForm>([&](TQQueryForm *f) {
        EXPECT_EQ(f->windowTitle(), QString::fromUtf8("Využitie nástroja"));
        EXPECT_TRUE(f->mSQL->isReadOnly());
        EXPECT_FALSE(f->pcQuery->isTabVisible(f->pcQuery->indexOf(f->tsSQL)));
        EXPECT_EQ(f->Query.RecordCount(), 2);
        // Title clicks sort by the column, then the other way.
        f->SortByColumn(2);
        EXPECT_EQ(f->Query.FieldByName("SI")->AsInteger(), -3);
        f->SortByColumn(2);
        f->Query.First();
        EXPECT_EQ(f->Query.FieldByName("SI")->AsInteger(), 5);
        // The text view: dates take 10 columns.
        f->pcQuery->setCurrentWidget(f->tsText);
        const QStringList lines = f->mResult->toPlainText().split('\n');
        EXPECT_EQ(lines.value(0), QString::fromUtf8("Využitie nástroja"));
        EXPECT_EQ(lines.size(), 6);
        EXPECT_TRUE(lines.value(2).endsWith(QStringLiteral("D          "))) << lines.value(2).toStdString();
        // An export that fails keeps the console open with the message.
        responder->FileAnswers = {QDir(folder.path()).filePath("no/such/folder/x.csv")};
        f->btnExport->click();
        EXPECT_TRUE(f->isVisible());
        EXPECT_TRUE(responder->Texts().last().contains("x.csv")) << responder->Texts().join('|').toStdString();
        checked = true;
        f->BitBtnKoniec->click();
    });
    ShowSqlConsole("select S, SI, D from EXPORTY", QString::fromUtf8("Využitie nástroja"));
    EXPECT_TRUE(checked);
}

} // namespace

namespace {

// A workbook's name typed without an extension is written as .xlsx; asked to show it where no program opens
// workbooks, the console says so.
TEST_F(SqlConsoleTest, AWorkbookNamedWithoutAnExtensionIsAnXlsxAndANoShowIsSaid)
{
    QTemporaryDir folder;
    const QString typed = QDir(folder.path()).filePath("vysledok");
    responder->MessageAnswers = {mrYes};
    WhenModal<TQQueryForm>([&](TQQueryForm *f) {
        responder->FileAnswers = {typed};
        responder->FilterAnswers = {QStringLiteral("Excel subor (*.xlsx *.XLSX)")};
        ClickOn(f->btnExport);
        if (f->isVisible())
            ClickOn(f->BitBtnKoniec);
    });
    ShowSqlConsole("select S, SI from EXPORTY", QString::fromUtf8("Využitie nástroja"));
    EXPECT_TRUE(QFileInfo::exists(typed + ".xlsx"));
    EXPECT_FALSE(QFileInfo::exists(typed));
    // Without the desktop's opener nothing can show the workbook.
    if (QStandardPaths::findExecutable("xdg-open").isEmpty()) {
        EXPECT_TRUE(
            responder->Texts().value(1).contains(QString::fromUtf8("nie je program, ktorý otvára súbory .xlsx")))
            << responder->Texts().join('\n').toStdString();
    }
}

} // namespace
