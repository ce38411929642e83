// The column report of a data set on a real database, and a designed report printed with a data set.
#include "PrintTestSupport.h"
#include "TestReports.h"
#include "common/DbFixture.h"
#include "library/GridReport.h"
#include "library/QTlacForm.h"

#include <QPrinter>
#include <QTemporaryDir>

namespace {

class GridReport : public DbFixture {
protected:
    std::unique_ptr<TIBQuery> query(const QString &sql)
    {
        auto q = std::make_unique<TIBQuery>();
        q->SetDatabase(db.get());
        q->SQL().SetText(sql);
        q->Open();
        return q;
    }
};

TEST_F(GridReport, OneColumnPerFieldWithHeaderRuleAndARowPerRecord)
{
    exec("create table G_T (C_INT integer, NAZOV varchar(30), MNOZSTVO integer)");
    exec(QString::fromUtf8("insert into G_T values (260045, 'Príruba DN100', 12)"));
    exec("insert into G_T values (260046, 'Koleno', 3)");
    auto q = query("select * from G_T order by C_INT");
    q->FieldByName("NAZOV")->SetDisplayLabel(QString::fromUtf8("Názov"));

    auto rep = MakeGridReport(q.get(), QString::fromUtf8("Zoznam odliatkov"), 10);
    rep->prepare();
    ASSERT_EQ(rep->PageCount(), 1);
    const QStringList texts = PageTexts(rep->Pages().at(0));
    EXPECT_EQ(texts,
              QStringList({QString::fromUtf8("Zoznam odliatkov"), "C_INT", QString::fromUtf8("Názov"), "MNOZSTVO",
                           "260045", QString::fromUtf8("Príruba DN100"), "12", "260046", "Koleno", "3"}));
    const TQRItem &title = rep->Pages().at(0).items.at(0);
    EXPECT_TRUE(title.font.bold());
    EXPECT_EQ(title.font.pointSize(), 12);

    // Columns: 9 units a character of the wider of display width and caption, 5 apart, from 8.
    const double left = MmToUnits(rep->Page.LeftMargin);
    std::vector<TQRItem> header;
    for (const TQRItem &item : rep->Pages().at(0).items)
        if (item.kind == TQRItem::Text &&
            (item.text == "C_INT" || item.text == "MNOZSTVO" || item.text == QString::fromUtf8("Názov")))
            header.push_back(item);
    ASSERT_EQ(header.size(), 3u);
    EXPECT_DOUBLE_EQ(header[0].rect.left(), left + 8);
    EXPECT_DOUBLE_EQ(header[0].rect.width(), 9 * 11);
    EXPECT_DOUBLE_EQ(header[1].rect.left(), left + 8 + 99 + 5);
    EXPECT_DOUBLE_EQ(header[1].rect.width(), 9 * 30);
    EXPECT_DOUBLE_EQ(header[2].rect.left(), left + 8 + 99 + 5 + 270 + 5);
    EXPECT_EQ(header[0].font.pointSize(), 10);
    EXPECT_TRUE(header[0].alignment & Qt::AlignRight); // numbers to the right, as the field shows them
    EXPECT_TRUE(header[1].alignment & Qt::AlignLeft);
    EXPECT_EQ(ItemCount(*rep, TQRItem::Line), 1);
}

TEST_F(GridReport, ColumnsStopAfterTheFirstThatCrossesThePageEdgeAndLongCaptionsWiden)
{
    exec("create table G_W (A varchar(40), B varchar(40), C varchar(40), D varchar(40))");
    exec("insert into G_W values ('a', 'b', 'c', 'd')");
    auto q = query("select * from G_W");
    auto rep = MakeGridReport(q.get(), "Široká", 10);
    rep->prepare();
    // 8 + 360 + 5 lies inside the page, 373 + 360 + 5 passes it: columns A and B.
    EXPECT_EQ(PageTexts(rep->Pages().at(0)), QStringList({"Široká", "A", "B", "a", "b"}));

    exec("create table G_N (K smallint)");
    exec("insert into G_N values (7)");
    auto n = query("select * from G_N");
    n->FieldByName("K")->SetDisplayLabel(QString::fromUtf8("Kód strediska"));
    auto narrow = MakeGridReport(n.get(), "Strediská", 8);
    narrow->prepare();
    int columns = 0;
    for (const TQRItem &item : narrow->Pages().at(0).items)
        if (item.text == QString::fromUtf8("Kód strediska") || item.text == "7") {
            EXPECT_DOUBLE_EQ(item.rect.width(), 7 * 13) << item.text.toStdString();
            ++columns;
        }
    EXPECT_EQ(columns, 2);
}

TEST_F(GridReport, AnEmptyDataSetPrintsTheTitleWithoutColumnHeader)
{
    exec("create table G_E (A integer)");
    auto q = query("select * from G_E");
    auto rep = MakeGridReport(q.get(), "Nič", 10);
    rep->prepare();
    EXPECT_EQ(PageTexts(rep->Pages().at(0)), QStringList{"Nič"});
}

TEST_F(GridReport, PrintedWithADataSetForOneRunOnly)
{
    exec("create table G_D (NAZOV varchar(20))");
    exec("insert into G_D values ('Koleno')");
    auto q = query("select * from G_D");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("grid.pdf");
    Printer().setOutputFileName(pdf);
    TTestDocRep rep;
    WhenModal<TQTlacForm>([](TQTlacForm *f) { QTest::keyClick(f, Qt::Key_Return); });
    EXPECT_TRUE(PrintReportWithDataSet(&rep, q.get()));
    Printer().setOutputFileName(QString());
    EXPECT_EQ(rep.DataSet(), nullptr);
    EXPECT_EQ(rep.cursor(), nullptr);
    ASSERT_TRUE(QFile::exists(pdf));
    if (HavePdfToText()) {
        EXPECT_TRUE(PdfText(pdf).contains("Koleno"));
    }
}

} // namespace
