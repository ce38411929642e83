// The wages-by-operation report: padded codes count in their columns, 'J0' and 'J99' are no cores, other
// codes only in the total.
#include "ProductionFixture.h"
#include "production/MzdySql.h"
#include "production/SMzdyQRVykForm.h"

namespace {

TEST_F(ProductionTest, WagesByOperationCompareTrimmedCodes)
{
    bookableJob();
    employee(57, "Novák");
    const QList<QPair<const char *, int>> rows{{"SO ", 10}, {"J12", 20}, {"J0", 400}, {"J99", 800},
                                                {"ODL", 1}, {"XYZ", 2000}, {"ME ", 5}};
    int operation = 30;
    for (const auto &[code, wage] : rows)
        exec(QStringLiteral("insert into SVYKONY (DATUM, ZMENA, OSC, C_INT, C_DAVKY, C_OPERACIE, OPERACIA, MNOZSTVO, "
                            "MZDA) values ('2026-03-02', 1, 57, 260001, 0, %1, '%2', 1, %3)")
                 .arg(operation++)
                 .arg(QLatin1String(code))
                 .arg(wage));
    TxQuery q;
    q.SetDatabase(&dm->DBZAL);
    q.SQL().SetText(MzdySql::WagesByOperation);
    q.ParamByName("D_od").SetValue(QDate(2026, 3, 1));
    q.ParamByName("D_do").SetValue(QDate(2026, 3, 31));
    q.Open();
    TSMzdyQRVykForm report;
    report.Rep.setDataSet(&q);
    ASSERT_EQ(report.Rep.prepare(), 1);
    QStringList texts;
    for (const TQRItem &item : report.Rep.Pages()[0].items)
        if (item.kind == TQRItem::Text)
            texts << item.text;
    const int at = texts.indexOf("Novák");
    ASSERT_GE(at, 0) << texts.join('|').toStdString();
    // ODL, JAD, PÍL, SO, VRT, RO, ME, REZ, UPR, EXP, total (a mask of # prints 0 as nothing)
    EXPECT_EQ(texts.mid(at + 2, 11),
              (QStringList{"1", "20", "", "10", "", "", "5", "", "", "", "3236"}))
        << texts.join('|').toStdString();
    q.Close();
}

} // namespace
