// A report bound to a query of the database prints the rows as the fields display them.
#include "common/DbFixture.h"
#include "library/xDBCatalog.h"
#include "library/xDatabase.h"
#include "library/xQuery.h"
#include "platform/report/DataSetCursor.h"
#include "platform/report/QuickRep.h"

namespace {

class ReportOnDataSet : public DbFixtureT<TxDatabase> {};

TEST_F(ReportOnDataSet, DetailBandPrintsEachRowWithTheCatalogueFormat)
{
    exec("create table R_T (C_INT integer, NAZOV varchar(20))");
    exec("insert into R_T values (260045, 'Príruba')");
    exec("insert into R_T values (260046, 'Koleno')");
    TxDBCatalog cat;
    cat.Formats.SetText("C_INT=#0\"/\"0000");
    db->DBCatalog = &cat;
    TxQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText("select * from R_T order by C_INT");
    q.Open();
    q.Last();

    RegisterDataSetCursor();
    TQuickRep rep;
    rep.setDataSet(&q);
    TQRBand *detail = rep.AddBand(rbDetail);
    detail->Height = 20;
    detail->Add<TQRDBText>()->DataField = "C_INT";
    auto *name = detail->Add<TQRDBText>();
    name->DataField = "NAZOV";
    name->Left = 100;
    rep.prepare();
    QStringList texts;
    for (const TQRItem &item : rep.Pages().at(0).items)
        if (item.kind == TQRItem::Text)
            texts << item.text;
    EXPECT_EQ(texts, QStringList({"26/0045", QString::fromUtf8("Príruba"), "26/0046", "Koleno"}));
}

} // namespace

namespace {

QStringList printedTexts(TQuickRep &rep)
{
    rep.prepare();
    QStringList texts;
    for (const TQRPage &page : rep.Pages())
        for (const TQRItem &item : page.items)
            if (item.kind == TQRItem::Text)
                texts << item.text;
    return texts;
}

TEST_F(ReportOnDataSet, AClosedDataSetNothingShowsIsReadForTheReportAloneAndClosedAgain)
{
    exec("create table R_N (ID integer, NAZOV varchar(20))");
    exec("execute block as declare i integer = 1; begin while (i <= 300) do begin "
         "insert into R_N values (:i, 'riadok ' || :i); i = i + 1; end end");
    TxQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText("select * from R_N order by ID");
    // Persistent fields: the report learns the columns before it opens the data set.
    new TField(&q, "ID", ftInteger);
    new TField(&q, "NAZOV", ftString, 20);

    RegisterDataSetCursor();
    TQuickRep rep;
    rep.setDataSet(&q);
    TQRBand *detail = rep.AddBand(rbDetail);
    detail->Height = 20;
    detail->Add<TQRDBText>()->DataField = "NAZOV";
    const QStringList texts = printedTexts(rep);
    ASSERT_EQ(texts.size(), 300);
    EXPECT_EQ(texts.first(), QStringLiteral("riadok 1"));
    EXPECT_EQ(texts.last(), QStringLiteral("riadok 300"));
    EXPECT_FALSE(q.Active());
    EXPECT_FALSE(q.ForwardOnly());
    // Printed again, the same rows.
    EXPECT_EQ(printedTexts(rep), texts);

    // A data set that a control shows stays open with its rows, as the report found it.
    TDataSource source(&q);
    EXPECT_EQ(printedTexts(rep), texts);
    EXPECT_TRUE(q.Active());
    EXPECT_FALSE(q.ForwardOnly());
    q.First();
    q.Last();
    EXPECT_EQ(q.RecordCount(), 300);
    q.Close();
}

} // namespace
