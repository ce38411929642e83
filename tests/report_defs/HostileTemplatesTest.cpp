// Office templates and report definitions made hostile in the test, run as a user runs them: nested a few
// hundred thousand levels deep, zips that unpack a gigabyte, workbook names of more cells than an int holds,
// whole columns and rows, and names beyond the sheet. Each run ends in a Slovak error or a correct file.
#include "common/HostileFiles.h"
#include "common/DesktopSpy.h"
#include "common/DbFixture.h"
#include "library/DocumentReport.h"
#include "library/xQuery.h"
#include "library/xReport.h"
#include "library/xXMLReader.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>

namespace {

// Reads a written document with Python's own zip and XML readers: "depth N", then the cells with a value
// as "sheet!row,column=text" (1-based; repeated rows and cells counted) for a spreadsheet part, or
// "r=text" for a workbook's sheet part, or every text in order for any other part.
const char *const ReadScript = R"PY(
import sys, zipfile, xml.parsers.expat
z = zipfile.ZipFile(sys.argv[1])
assert z.testzip() is None
part = sys.argv[2]
st = {'depth': 0, 'most': 0, 'row': 0, 'col': 0, 'rr': 1, 'cell': None, 'text': '', 'sheet': ''}
out = []
def start(name, a):
    st['depth'] += 1
    st['most'] = max(st['most'], st['depth'])
    if name == 'table:table':
        st['sheet'], st['row'] = a.get('table:name'), 0
    elif name == 'table:table-row':
        st['rr'], st['col'] = int(a.get('table:number-rows-repeated', '1')), 0
    elif name in ('table:table-cell', 'table:covered-table-cell'):
        st['cell'] = (a.get('office:value-type'), a.get('office:value'), int(a.get('table:number-columns-repeated', '1')))
        st['text'] = ''
    elif name == 'c':
        st['cell'], st['text'] = a.get('r'), ''
def end(name):
    st['depth'] -= 1
    if name == 'table:table-row':
        st['row'] += st['rr']
    elif name in ('table:table-cell', 'table:covered-table-cell'):
        kind, value, cr = st['cell']
        if kind:
            for j in range(cr):
                out.append('%s!%d,%d=%s' % (st['sheet'], st['row'] + 1, st['col'] + j + 1,
                                            st['text'] if kind == 'string' else value))
        st['col'] += cr
    elif name == 'c':
        out.append('%s=%s' % (st['cell'], st['text']))
def text(t):
    st['text'] += t
    if not part.endswith('content.xml') and 'worksheets' not in part:
        out.append(t)
p = xml.parsers.expat.ParserCreate()
p.StartElementHandler, p.EndElementHandler, p.CharacterDataHandler = start, end, text
p.Parse(z.read(part), True)
print('depth %d' % st['most'])
for line in out:
    print(line)
)PY";

QStringList readPart(const QString &file, const QString &part)
{
    QProcess p;
    p.start(QStringLiteral("python3"), {QStringLiteral("-c"), QLatin1String(ReadScript), file, part});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

const char *const Names[] = {"Príruba DN50", "Koleno 90°", "Ventil O'Neil", "Teleso čerpadla", "Kryt"};

// The name of record n (from 1) as the table holds it.
QString nameOf(int n)
{
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(Names[(n - 1) % 5])).arg(n, 2, 10, QLatin1Char('0'));
}

const QByteArray OdsHead = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2"><office:body><office:spreadsheet><table:table table:name="Hárok1">)";
const QByteArray OdsTail = R"(</office:spreadsheet></office:body></office:document-content>)";

QByteArray ods(const QByteArray &table, const QByteArray &ranges)
{
    return ZipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                  {"content.xml", OdsHead + table + "</table:table><table:named-expressions>" + ranges +
                                      "</table:named-expressions>" + OdsTail}});
}

// A workbook of sheets (name, the sheet's XML inside <worksheet>) and defined names (name, formula).
QByteArray xlsx(const QList<QPair<QByteArray, QByteArray>> &sheets, const QList<QPair<QByteArray, QByteArray>> &names)
{
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    QByteArray workbook = "<workbook xmlns=\"" + main +
                          "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>";
    QByteArray relations = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    QList<QPair<QString, QByteArray>> parts;
    for (int i = 0; i < sheets.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        workbook += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        relations += "<Relationship Id=\"rId" + n +
                     "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
                     "Target=\"worksheets/sheet" +
                     n + ".xml\"/>";
        parts.append({QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1),
                      "<worksheet xmlns=\"" + main + "\">" + sheets[i].second + "</worksheet>"});
    }
    workbook += "</sheets><definedNames>";
    for (const auto &[name, formula] : names)
        workbook += "<definedName name=\"" + name + "\">" + formula + "</definedName>";
    workbook += "</definedNames></workbook>";
    parts.prepend({"xl/_rels/workbook.xml.rels", relations + "</Relationships>"});
    parts.prepend({"xl/workbook.xml", workbook});
    return ZipOf(parts);
}

class HostileTemplate : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table R_CENY (ID integer, NAZOV varchar(40), CENA numeric(9,2))");
        for (int i = 1; i <= 25; ++i)
            exec(QStringLiteral("insert into R_CENY values (%1, '%2', %3)")
                     .arg(i)
                     .arg(nameOf(i).replace(QLatin1Char('\''), QStringLiteral("''")))
                     .arg(i * 10.5));
        query.SetDatabase(db.get());
        query.SQL().SetText("select ID, NAZOV, CENA, NAZOV as MIMO, ID as PRETECENIE from R_CENY order by ID");
        query.Open();
    }
    void TearDown() override
    {
        for (const QString &file : desktop.Opened)
            QFile::remove(file);
        query.Close();
        DbFixture::TearDown();
    }
    // Runs the template through a report definition that names it; the error's text, or "" on success.
    QString run(const QString &name, const QByteArray &bytes)
    {
        const QString file = WriteTestFile(folder.filePath(name), bytes);
        const QString definition =
            WriteTestFile(folder.filePath("sablona.xrep"), "<xreport><report type=document><template filename=\"" +
                                                               file.toUtf8() + "\"/></report></xreport>");
        try {
            auto report = TxReport::CreateFromFile(definition);
            report->SetParameter(&query);
            report->Execute();
        } catch (const Exception &e) {
            return e.Message;
        }
        return {};
    }
    QTemporaryDir folder;
    TxQuery query;
    DesktopSpy desktop;
};

TEST_F(HostileTemplate, ASpreadsheetNestedThreeHundredThousandLevelsIsFilledIntoACorrectFile)
{
    const int depth = 300'000;
    const QByteArray groups = Nested(depth, "<table:table-row-group>", "</table:table-row-group>", {}, {},
                                     "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>"
                                     "Cenník</text:p></table:table-cell></table:table-row>");
    const QByteArray bytes =
        ods(groups, R"(<table:named-range table:name="NAZOV" table:cell-range-address="$Hárok1.$B$1:.$B$25"/>)");
    ASSERT_LT(bytes.size(), 64'000) << "a small file";
    EXPECT_EQ(run("hlboka.ods", bytes), "");
    ASSERT_EQ(desktop.Opened.size(), 1);
    const QStringList got = readPart(desktop.Opened[0], "content.xml");
    ASSERT_FALSE(got.isEmpty());
    EXPECT_GT(got[0].mid(6).toInt(), depth);
    EXPECT_TRUE(got.contains(QString::fromUtf8("Hárok1!1,1=Cenník")));
    EXPECT_TRUE(got.contains(QString::fromUtf8("Hárok1!1,2=") + nameOf(1)));
    EXPECT_TRUE(got.contains(QString::fromUtf8("Hárok1!25,2=") + nameOf(25)));
}

TEST_F(HostileTemplate, AWorkbookNestedThreeHundredThousandLevelsIsFilledIntoACorrectFile)
{
    const int depth = 300'000;
    const QByteArray sheet =
        "<sheetData/>" + Nested(depth, "<e>", "</e>", "<extLst><ext uri=\"x\">", "</ext></extLst>", "<t>dno</t>");
    const QByteArray bytes = xlsx({{"Hárok1", sheet}}, {{"NAZOV", "Hárok1!$A$1:$A$10"}});
    ASSERT_LT(bytes.size(), 10'000);
    EXPECT_EQ(run("hlboky.xlsx", bytes), "");
    ASSERT_EQ(desktop.Opened.size(), 3) << "ten records in each workbook";
    const QStringList got = readPart(desktop.Opened[2], "xl/worksheets/sheet1.xml");
    ASSERT_FALSE(got.isEmpty());
    EXPECT_GT(got[0].mid(6).toInt(), depth);
    EXPECT_TRUE(got.contains("A1=" + nameOf(21)));
    EXPECT_TRUE(got.contains("A5=" + nameOf(25)));
}

TEST_F(HostileTemplate, ADefinitionNestedThreeHundredThousandLevelsOrOfGigabytesIsRefused)
{
    QFile f(WriteTestFile(folder.filePath("hlboka.xrep"), Nested(300'000, "<e>", "</e>", "<xreport>", "</xreport>")));
    try {
        TxReport::CreateFromFile(f.fileName());
        ADD_FAILURE() << "no error";
    } catch (const EXMLError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Elementy sú vnorené hlbšie ako 256!"));
    }
    // A file far larger than any definition is refused before it is read.
    ASSERT_TRUE(f.resize(TXMLReader::MaxFileSize + 1));
    try {
        TxReport::CreateFromFile(f.fileName());
        ADD_FAILURE() << "no error";
    } catch (const EXMLError &e) {
        EXPECT_TRUE(e.Message.endsWith(QString::fromUtf8("je väčší ako 16 MB, nie je to definícia zostavy.")))
            << e.Message.toStdString();
    }
}

TEST_F(HostileTemplate, ATemplateThatUnpacksAGigabyteIsRefusedAndNothingIsOpened)
{
    const QByteArray bomb = PointedManyTimes(ZipOf({{"content.xml", QByteArray(16 << 20, ' ')}}), 64);
    const QString tooLarge = QString::fromUtf8("Archív zip by po rozbalení zabral viac ako 256 MB.");
    const long before = PeakMemoryKb();
    const QString odsError = run("bomba.ods", bomb);
    EXPECT_TRUE(odsError.startsWith(QString::fromUtf8("Šablónu ")) && odsError.endsWith(tooLarge))
        << odsError.toStdString();
    const QString xlsxError = run("bomba.xlsx", bomb);
    EXPECT_TRUE(xlsxError.contains("bomba.xlsx") && xlsxError.endsWith(tooLarge)) << xlsxError.toStdString();
    EXPECT_LT(PeakMemoryKb() - before, 64 * 1024);
    EXPECT_TRUE(desktop.Opened.isEmpty());
}

TEST_F(HostileTemplate, WorkbookNamesOfWholeColumnsRowsAndSheetsTakeTheRecordsInOneWorkbook)
{
    const QByteArray bytes = xlsx({{"Hárok1", "<sheetData><row r=\"1\"><c r=\"D1\" t=\"inlineStr\"><is><t>hlavička"
                                              "</t></is></c></row></sheetData>"},
                                   {"Hárok2", "<sheetData/>"},
                                   {"Hárok3", "<sheetData/>"}},
                                  {{"NAZOV", "Hárok1!$A:$A"},
                                   {"ID", "Hárok2!$2:$2"},
                                   // Of more cells than an int holds: 16 384 columns by 1 048 576 rows.
                                   {"CENA", "Hárok3!$A:$XFD"},
                                   // Beyond the sheet: no name at all.
                                   {"MIMO", "Hárok1!$B$1:$B$99999999"},
                                   {"PRETECENIE", "Hárok1!$C$1:$AAAAAAAAAAAAAAAAAAAAAAAA$5"}});
    EXPECT_EQ(run("stlpce.xlsx", bytes), "");
    ASSERT_EQ(desktop.Opened.size(), 1) << "every record has its cell in the first workbook";
    const QString out = desktop.Opened[0];

    QStringList expected{QString::fromUtf8("D1=hlavička")};
    for (int n = 1; n <= 25; ++n)
        expected << QStringLiteral("A%1=%2").arg(n).arg(nameOf(n));
    QStringList got = readPart(out, "xl/worksheets/sheet1.xml").mid(1);
    std::sort(got.begin(), got.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected) << "the whole column A in order; nothing in B or C";

    const auto column = [](int n) { return n <= 26 ? QString(QChar(u'A' + n - 1)) : QString(); };
    const QStringList row2 = readPart(out, "xl/worksheets/sheet2.xml").mid(1);
    ASSERT_EQ(row2.size(), 25);
    EXPECT_EQ(row2.first(), "A2=1");
    EXPECT_EQ(row2.last(), "Y2=25");
    const QStringList sheet3 = readPart(out, "xl/worksheets/sheet3.xml").mid(1);
    ASSERT_EQ(sheet3.size(), 25) << "row by row: all of the first row's 16 384 cells come first";
    for (int n = 1; n <= 25; ++n)
        EXPECT_EQ(sheet3[n - 1], column(n) + QStringLiteral("1=%1").arg(n * 10.5));
}

TEST_F(HostileTemplate, ASpreadsheetRangeOfAWholeColumnAndRowsRepeatedBeyondTheSheet)
{
    const QByteArray table =
        R"(<table:table-row table:number-rows-repeated="2000000000"><table:table-cell/></table:table-row><table:table-row table:number-rows-repeated="2000000000"><table:table-cell/></table:table-row>)";
    const QByteArray bytes =
        ods(table, R"(<table:named-range table:name="NAZOV" table:cell-range-address="$Hárok1.$B:.$B"/>)"
                   R"(<table:named-range table:name="MIMO" table:cell-range-address="$Hárok1.$C$1:.$C$9999999"/>)");
    EXPECT_EQ(run("stlpec.ods", bytes), "");
    ASSERT_EQ(desktop.Opened.size(), 1);
    QStringList got = readPart(desktop.Opened[0], "content.xml").mid(1);
    QStringList expected;
    for (int n = 1; n <= 25; ++n)
        expected << QString::fromUtf8("Hárok1!%1,2=%2").arg(n).arg(nameOf(n));
    std::sort(got.begin(), got.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);
}

} // namespace
