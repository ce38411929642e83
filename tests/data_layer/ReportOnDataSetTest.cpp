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
