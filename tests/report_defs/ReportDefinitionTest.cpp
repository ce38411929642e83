// Report definitions run on a fresh database: an SQL report with its "Parametre" dialog previewed to page
// items, and office templates filled into new files, read back by unzipping them.
#include "common/DesktopSpy.h"
#include "common/DbFixture.h"
#include "common/HostileFiles.h"
#include "common/WhenModal.h"
#include "library/DocumentReport.h"
#include "library/ParamsForm.h"
#include "library/SQLReport.h"
#include "library/xQuery.h"
#include "library/xReport.h"
#include "library/xXMLReader.h"
#include "platform/report/DataSetCursor.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/ReportPreview.h"
#include "shell/MenuHooks.h"
#include "shell/ShellModule.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTableWidget>
#include <QTest>
#include <QUrl>
#include <xlsxwriter.h>

namespace {

// Runs a program (unzip, python3) and returns what it wrote.
QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString() << " ends";
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString unzipPart(const QString &zip, const QString &part)
{
    return run(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, part});
}

// The cells of a spreadsheet as "row,column=text" lines (1-based), read by a script of its own: repeated
// rows and cells are expanded, inline strings and values read.
const char *const CellsScript = R"PY(
import sys, zipfile, xml.etree.ElementTree as ET
path, kind = sys.argv[1], sys.argv[2]
z = zipfile.ZipFile(path)
assert z.testzip() is None
if kind == 'ods':
    T = '{urn:oasis:names:tc:opendocument:xmlns:table:1.0}'
    O = '{urn:oasis:names:tc:opendocument:xmlns:office:1.0}'
    X = '{urn:oasis:names:tc:opendocument:xmlns:text:1.0}'
    root = ET.fromstring(z.read('content.xml'))
    for table in root.iter(T + 'table'):
        r = 0
        for row in table.iter(T + 'table-row'):
            rr = int(row.get(T + 'number-rows-repeated', '1'))
            c = 0
            for cell in row:
                cr = int(cell.get(T + 'number-columns-repeated', '1'))
                text = ''.join(''.join(p.itertext()) for p in cell.findall(X + 'p'))
                kind = cell.get(O + 'value-type')
                if kind:
                    for i in range(rr):
                        for j in range(cr):
                            print('%s!%d,%d=%s|%s' % (table.get(T + 'name'), r + i + 1, c + j + 1,
                                  text if kind == 'string' else cell.get(O + 'value'), kind))
                c += cr
            r += rr
else:
    S = '{http://schemas.openxmlformats.org/spreadsheetml/2006/main}'
    shared = []
    if 'xl/sharedStrings.xml' in z.namelist():
        shared = [''.join(si.itertext()) for si in ET.fromstring(z.read('xl/sharedStrings.xml')).iter(S + 'si')]
    root = ET.fromstring(z.read('xl/worksheets/sheet1.xml'))
    for c in root.iter(S + 'c'):
        t = c.find(S + 'is/' + S + 't')
        v = c.find(S + 'v')
        value = t.text if t is not None else (v.text if v is not None else '')
        if c.get('t') == 's':
            value = shared[int(value)]
        print('%s=%s' % (c.get('r'), value))
)PY";

QStringList cells(const QString &file, const QString &kind)
{
    return run(QStringLiteral("python3"), {QStringLiteral("-c"), QLatin1String(CellsScript), file, kind})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class ReportDefinition : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        RegisterDataSetCursor();
        exec("create table R_CENY (ID integer, NAZOV varchar(40), CENA numeric(9,2))");
        const char *names[] = {"Príruba DN50", "Koleno 90°", "Ventil O'Neil", "Teleso čerpadla", "Kryt"};
        for (int i = 0; i < 25; ++i)
            exec(QStringLiteral("insert into R_CENY values (%1, '%2 %3', %4)")
                     .arg(QString::number(i + 1), QString::fromUtf8(names[i % 5]).replace("'", "''"),
                          QString::number(i + 1).rightJustified(2, QLatin1Char('0')), QString::number((i + 1) * 10.5)));
        query.SetDatabase(db.get());
        QDir::setCurrent(folder.path());
    }
    void TearDown() override
    {
        QDir::setCurrent(QDir::tempPath());
        query.Close();
        DbFixture::TearDown();
    }
    QString write(const QString &name, const QByteArray &bytes) { return WriteTestFile(folder.filePath(name), bytes); }
    // A zip made by the zip program from parts, "mimetype" first and stored.
    QString zipTemplate(const QString &name, const QList<QPair<QString, QByteArray>> &parts)
    {
        QTemporaryDir src;
        QStringList names;
        for (const auto &[part, bytes] : parts) {
            QDir(src.path()).mkpath(QFileInfo(src.filePath(part)).path());
            QFile f(src.filePath(part));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
            names << part;
        }
        const QString zip = folder.filePath(name);
        QProcess p;
        p.setWorkingDirectory(src.path());
        p.start("zip", QStringList{"-X", "-0", "-q", zip, names.takeFirst()});
        EXPECT_TRUE(p.waitForFinished(60000)) << "zip stores the first part";
        p.start("zip", QStringList{"-X", "-q", zip} + names);
        EXPECT_TRUE(p.waitForFinished(60000)) << "zip packs the rest";
        EXPECT_EQ(p.exitCode(), 0);
        return zip;
    }
    QTemporaryDir folder;
    TxQuery query;
    DesktopSpy desktop;
};

const QByteArray SqlDefinition = R"XREP(<xreport>
<sql>select ID, NAZOV, CENA from R_CENY where CENA >= :OD and CENA<=:DO order by ID</sql>
<report>
  <title><label caption="Cenník odliatkov" left=10/></title>
  <header><label caption="Názov" left=10/><label caption="Cena" left=300 alignment=taRightJustify/></header>
  <detail><field expression=NAZOV left=10 width=250 autosize=false/><field expression="CENA" left=300 top=0/></detail>
  <summary><field expression="SUM(CENA)" left=300/></summary>
</report>
</xreport>)XREP";

QStringList pageTexts(TQuickRep *report)
{
    QStringList texts;
    for (const TQRPage &page : report->Pages())
        for (const TQRItem &item : page.items)
            if (item.kind == TQRItem::Text)
                texts << item.text;
    return texts;
}

TEST_F(ReportDefinition, SqlReportAsksItsParametersAndPreviewsTheRowsTheyChoose)
{
    const QString file = write("cennik.xrep", SqlDefinition);
    auto x = TxReport::CreateFromFile(file);
    auto *sql = dynamic_cast<TSQLReport *>(x->Report());
    ASSERT_TRUE(sql);
    x->SetParameter(&query);
    QStringList texts;
    QStringList shownNames;
    WhenModal<TParamsForm>([&](TParamsForm *form) {
        EXPECT_EQ(form->windowTitle(), "Parametre");
        ASSERT_EQ(form->sgParams->rowCount(), 2);
        shownNames << form->sgParams->item(0, 0)->text() << form->sgParams->item(1, 0)->text();
        EXPECT_FALSE(form->sgParams->item(0, 0)->flags() & Qt::ItemIsEditable) << "names are fixed";
        form->sgParams->item(0, 1)->setText("20");
        form->sgParams->item(1, 1)->setText("60");
        form->btnOk->click();
    });
    WhenModal<TReportPreview>([&](TReportPreview *preview) {
        texts = pageTexts(sql->QuickRep());
        preview->close();
    });
    x->Execute();
    EXPECT_EQ(shownNames, QStringList({"OD", "DO"}));
    EXPECT_EQ(query.SQL().Text().trimmed(),
              "select ID, NAZOV, CENA from R_CENY where CENA >= :OD and CENA<=:DO order by ID");
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.mid(0, 3),
              QStringList({QString::fromUtf8("Cenník odliatkov"), QString::fromUtf8("Názov"), "Cena"}));
    // Prices 21,00 .. 52,50: records 2 to 5.
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Koleno 90° 02")));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Kryt 05")));
    EXPECT_FALSE(texts.contains(QString::fromUtf8("Príruba DN50 01")));
    EXPECT_FALSE(texts.contains(QString::fromUtf8("Príruba DN50 06")));
    EXPECT_EQ(query.RecordCount(), 4);

    // The same definition again: the dialog shows what was typed; Cancel previews nothing.
    QStringList again;
    WhenModal<TParamsForm>([&](TParamsForm *form) {
        again << form->Value(0) << form->Value(1);
        form->Close();
    });
    bool previewed = false;
    WhenModal<TReportPreview>([&](TReportPreview *p) {
        previewed = true;
        p->close();
    });
    x->Execute();
    CancelWhenModal();
    EXPECT_EQ(again, QStringList({"20", "60"}));
    EXPECT_FALSE(previewed);
}

TEST_F(ReportDefinition, DefinitionErrorsAndTheKindOfReport)
{
    const auto message = [&](const QByteArray &text) -> QString {
        try {
            auto x = TxReport::CreateFromFile(write("e.xrep", text));
            x->Execute();
        } catch (const EReportError &e) {
            return e.Message;
        }
        return "(no error)";
    };
    EXPECT_EQ(message("<xreport><sql>select 1 from RDB$DATABASE</sql></xreport>"), "<report> element not found!");
    EXPECT_EQ(message("<xreport><report type=document></report></xreport>"), "<template> element not found!");
    EXPECT_EQ(message("<xreport><report type=document><template/></report></xreport>"),
              QString::fromUtf8("Element <template> nemá atribút filename!"));
    EXPECT_TRUE(message("<xreport><report type=document><template filename=\"ziadna.odt\"/></report></xreport>")
                    .startsWith(QString::fromUtf8("Šablóna ")));
    write("stary.doc", "binary");
    EXPECT_TRUE(
        message("<xreport><report type=document><template filename=stary.doc/></report></xreport>").contains(".doc"));
    EXPECT_TRUE(desktop.Opened.isEmpty());

    auto x = TxReport::CreateFromFile(write("d.xrep", "<xreport><report type=Document/></xreport>"));
    EXPECT_TRUE(dynamic_cast<TSQLReport *>(x->Report())) << "the type is compared exactly";
    x = TxReport::CreateFromFile(write("d.xrep", "<xreport><report type=document/></xreport>"));
    EXPECT_TRUE(dynamic_cast<TDocumentReport *>(x->Report()));
    EXPECT_FALSE(RunReportFile(folder.filePath("ziadny.xrep"), &query));
}

const QByteArray OdtContent = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2"><office:body><office:text><text:user-field-decls><text:user-field-decl office:value-type="float" office:value="0" text:name="NAZOV"/><text:user-field-decl office:value-type="string" office:string-value="x" text:name="INE"/></text:user-field-decls><text:p>Ponuka na <text:span>odliatok</text:span> <text:user-field-get text:name="NAZOV">0</text:user-field-get> a  dosť.</text:p><text:p><text:user-field-get text:name="INE">x</text:user-field-get></text:p></office:text></office:body></office:document-content>)";

TEST_F(ReportDefinition, TextDocumentTemplateGetsTheUserFieldsOfTheCurrentRecordInANewFile)
{
    const QString odt = zipTemplate("ponuka.odt", {{"mimetype", "application/vnd.oasis.opendocument.text"},
                                                   {"content.xml", OdtContent},
                                                   {"META-INF/manifest.xml", "<manifest/>"}});
    QFile t(odt);
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    const QByteArray templateBytes = t.readAll();
    write("ponuka.xrep", "<xreport><report type=document><template filename=\"ponuka.odt\"/></report></xreport>");
    query.SQL().SetText("select * from R_CENY where ID = 3");
    query.Open();
    ASSERT_TRUE(RunReportFile("ponuka.xrep", &query));

    ASSERT_EQ(desktop.Opened.size(), 1);
    const QString out = desktop.Opened[0];
    EXPECT_TRUE(out.startsWith(QDir::tempPath())) << out.toStdString();
    EXPECT_TRUE(out.endsWith(".odt"));
    EXPECT_NE(QFileInfo(out).absoluteFilePath(), QFileInfo(odt).absoluteFilePath());
    const QString content = unzipPart(out, "content.xml");
    EXPECT_TRUE(content.contains("<text:user-field-decl office:value-type=\"string\" text:name=\"NAZOV\" "
                                 "office:string-value=\"Ventil O'Neil 03\"/>"))
        << content.toStdString();
    EXPECT_TRUE(content.contains(
        QString::fromUtf8("<text:user-field-get text:name=\"NAZOV\">Ventil O'Neil 03</text:user-field-get> a  dosť.")))
        << content.toStdString();
    EXPECT_TRUE(content.contains("<text:span>odliatok</text:span> <text:user-field-get")) << "blanks kept";
    EXPECT_TRUE(content.contains("<text:user-field-get text:name=\"INE\">x</text:user-field-get>"));
    EXPECT_FALSE(content.contains("office:value=\"0\""));
    // mimetype first and stored, as OpenDocument requires; every part's checksum right.
    EXPECT_EQ(run("python3", {"-c",
                              "import sys,zipfile;z=zipfile.ZipFile(sys.argv[1]);i=z.infolist()[0];"
                              "assert z.testzip() is None;print(i.filename,i.compress_type)",
                              out})
                  .trimmed(),
              "mimetype 0");
    EXPECT_EQ(unzipPart(out, "META-INF/manifest.xml"), "<manifest/>");
    t.close();
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    EXPECT_EQ(t.readAll(), templateBytes) << "the template is never written";
    EXPECT_EQ(query.FieldByName("ID")->AsInteger(), 3);
    QFile::remove(out);
}

const QByteArray OdsContent = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2"><office:body><office:spreadsheet><table:table table:name="Hárok1"><table:table-column table:number-columns-repeated="5"/><table:table-row><table:table-cell office:value-type="string"><text:p>Cenník</text:p></table:table-cell><table:table-cell table:number-columns-repeated="4"/></table:table-row><table:table-row table:number-rows-repeated="20"><table:table-cell table:number-columns-repeated="5"/></table:table-row></table:table><table:named-expressions><table:named-range table:name="NAZOV" table:base-cell-address="$Hárok1.$B$3" table:cell-range-address="$Hárok1.$B$3:.$B$12"/><table:named-range table:name="CENA" table:base-cell-address="$Hárok1.$D$1" table:cell-range-address="$Hárok1.$D$1"/><table:named-range table:name="NIC" table:base-cell-address="$Hárok1.$E$1" table:cell-range-address="$Hárok1.$E$1:.$E$5"/></table:named-expressions></office:spreadsheet></office:body></office:document-content>)";

TEST_F(ReportDefinition, SpreadsheetTemplateFillsItsNamedRangesRowByRecord)
{
    zipTemplate("cennik.ods",
                {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", OdsContent}});
    write("cennik.xrep", "<xreport><report type=document><template filename=cennik.ods /></report></xreport>");
    query.SQL().SetText("select NAZOV, CENA from R_CENY order by ID");
    query.Open();
    ASSERT_TRUE(RunReportFile("cennik.xrep", &query));
    ASSERT_EQ(desktop.Opened.size(), 1);
    const QStringList got = cells(desktop.Opened[0], "ods");
    QStringList expected = {QString::fromUtf8("Hárok1!1,1=Cenník|string"), QString::fromUtf8("Hárok1!1,4=10.5|float")};
    // A range of ten rows takes records 1 to 10 of the 25; the one-cell range only the first.
    for (int n = 1; n <= 10; ++n) {
        const char *names[] = {"Príruba DN50", "Koleno 90°", "Ventil O'Neil", "Teleso čerpadla", "Kryt"};
        expected << QString::fromUtf8("Hárok1!%1,2=%2 %3|string")
                        .arg(QString::number(n + 2), QString::fromUtf8(names[(n - 1) % 5]),
                             QString::number(n).rightJustified(2, QLatin1Char('0')));
    }
    std::sort(expected.begin(), expected.end());
    QStringList sorted = got;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(query.RecNo(), 1) << "the data set is back on its record";
    QFile::remove(desktop.Opened[0]);
}

TEST_F(ReportDefinition, WorkbookTemplateStartsANewWorkbookForEachOverflow)
{
    // The template, written by the spreadsheet library: a name of ten cells and a name of one.
    const QByteArray path = folder.filePath("zoznam.xlsx").toUtf8();
    lxw_workbook *wb = workbook_new(path.constData());
    lxw_worksheet *ws = workbook_add_worksheet(wb, "Sheet1");
    worksheet_write_string(ws, 0, 3, "hlavicka", nullptr);
    worksheet_write_formula(ws, 0, 2, "=1+1", nullptr);
    workbook_define_name(wb, "NAZOV", "=Sheet1!$A$1:$A$10");
    workbook_define_name(wb, "CENA", "=Sheet1!$C$1");
    ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);
    write("zoznam.xrep", "<xreport><report type=document><template filename=\"zoznam.xlsx\"/></report></xreport>");
    query.SQL().SetText("select NAZOV, CENA from R_CENY order by ID");
    query.Open();
    ASSERT_TRUE(RunReportFile("zoznam.xrep", &query));

    ASSERT_EQ(desktop.Opened.size(), 3);
    const int firsts[] = {1, 11, 21};
    for (int w = 0; w < 3; ++w) {
        const QStringList got = cells(desktop.Opened[w], "xlsx");
        const int count = w < 2 ? 10 : 5;
        QStringList names;
        QString price, header;
        for (const QString &c : got) {
            if (c.startsWith("A"))
                names << c;
            else if (c.startsWith("C1="))
                price = c;
            else if (c.startsWith("D1="))
                header = c;
        }
        ASSERT_EQ(names.size(), count) << w;
        EXPECT_TRUE(names[0].startsWith("A1=")) << names[0].toStdString();
        EXPECT_TRUE(names[0].endsWith(QStringLiteral(" %1").arg(firsts[w], 2, 10, QLatin1Char('0'))))
            << names[0].toStdString();
        EXPECT_TRUE(names.last().endsWith(QStringLiteral(" %1").arg(firsts[w] + count - 1, 2, 10, QLatin1Char('0'))));
        EXPECT_EQ(price, QStringLiteral("C1=%1").arg(firsts[w] * 10.5)) << "the single cell from the first record";
        EXPECT_EQ(header, "D1=hlavicka") << "the rest of the template stays";
        QFile::remove(desktop.Opened[w]);
    }
}

TEST_F(ReportDefinition, AWorkbookThatIsNoZipIsRefusedWithItsName)
{
    write("stary.xls", QByteArray("\xD0\xCF\x11\xE0 binary workbook"));
    write("stary.xrep", "<xreport><report type=document><template filename=stary.xls/></report></xreport>");
    query.SQL().SetText("select NAZOV from R_CENY");
    query.Open();
    try {
        RunReportFile("stary.xrep", &query);
        ADD_FAILURE() << "no error";
    } catch (const EReportError &e) {
        EXPECT_TRUE(e.Message.contains("stary.xls") && e.Message.contains(".xlsx")) << e.Message.toStdString();
    }
    EXPECT_TRUE(desktop.Opened.isEmpty());
}

TEST_F(ReportDefinition, TemplateWithoutDataIsCopiedAndOpened)
{
    zipTemplate("prazdny.odt", {{"mimetype", "application/vnd.oasis.opendocument.text"}, {"content.xml", OdtContent}});
    write("prazdny.xrep", "<xreport><report type=document><template filename=prazdny.odt/></report></xreport>");
    auto x = TxReport::CreateFromFile("prazdny.xrep");
    x->Execute();
    ASSERT_EQ(desktop.Opened.size(), 1);
    EXPECT_TRUE(unzipPart(desktop.Opened[0], "content.xml").contains("text:name=\"NAZOV\">0<"));
    QFile::remove(desktop.Opened[0]);
}

TEST_F(ReportDefinition, MainMenuHooksReadTheFileOnceAndRunItWithThePrintQueryEachTime)
{
    zipTemplate("menu.odt", {{"mimetype", "application/vnd.oasis.opendocument.text"}, {"content.xml", OdtContent}});
    const QString file =
        write("menu.xrep", "<xreport><report type=document><template filename=menu.odt/></report></xreport>");
    RegisterShellModule();
    TModuleHooks &hooks = ModuleHooks();
    ASSERT_TRUE(hooks.CreateReport && hooks.ExecuteReport);
    query.SQL().SetText("select NAZOV from R_CENY where ID = 7");
    query.Open();
    std::shared_ptr<void> report = hooks.CreateReport(file, &query);
    QFile::remove(file); // read once: later runs do not need it
    hooks.ExecuteReport(report.get());
    hooks.ExecuteReport(report.get());
    ASSERT_EQ(desktop.Opened.size(), 2);
    EXPECT_NE(desktop.Opened[0], desktop.Opened[1]) << "each run writes a file of its own";
    for (const QString &out : desktop.Opened) {
        EXPECT_TRUE(unzipPart(out, "content.xml").contains(QString::fromUtf8(">Koleno 90° 07<")));
        QFile::remove(out);
    }
    // A malformed definition reaches the menu's guard as the reader's error.
    const QString bad = write("zly.xrep", "<xreport><report></reportx></xreport>");
    EXPECT_THROW(hooks.CreateReport(bad, &query), EXMLError);
    hooks.CreateReport = nullptr;
    hooks.ExecuteReport = nullptr;
}

TEST_F(ReportDefinition, APrintQueryWithoutAStatementOpensTheTemplateAsItIs)
{
    zipTemplate("holy.odt", {{"mimetype", "application/vnd.oasis.opendocument.text"}, {"content.xml", OdtContent}});
    const QString file =
        write("holy.xrep", "<xreport><report type=document><template filename=holy.odt/></report></xreport>");
    RegisterShellModule();
    TModuleHooks &hooks = ModuleHooks();
    query.Close();
    query.SQL().Clear();
    std::shared_ptr<void> report = hooks.CreateReport(file, &query);
    EXPECT_NO_THROW(hooks.ExecuteReport(report.get()));
    ASSERT_EQ(desktop.Opened.size(), 1);
    EXPECT_TRUE(unzipPart(desktop.Opened[0], "content.xml").contains("text:name=\"NAZOV\">0<"));
    EXPECT_FALSE(query.Active());
    QFile::remove(desktop.Opened[0]);
    hooks.CreateReport = nullptr;
    hooks.ExecuteReport = nullptr;
}

} // namespace
