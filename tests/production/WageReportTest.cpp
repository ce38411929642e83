// The wages-by-operation report: padded codes count in their columns, 'J0' and 'J99' are no cores, other
// codes only in the total.
#include "WorkshopFixture.h"
#include "look/DocumentRules.h"
#include "production/MzdySql.h"
#include "production/SMzdyQR1Form.h"
#include "production/SMzdyQRAllForm.h"
#include "production/SMzdyQRVykForm.h"

namespace {

// What a reader would see wrong on the pages: texts over each other or off the printable area.
void expectReadable(const TQuickRep &report, const char *document)
{
    for (const DocumentFault &fault : DocumentFaults(report))
        ADD_FAILURE() << fault.describe(QString::fromUtf8(document)).toStdString();
}

TEST_F(WorkshopTest, WagesByOperationCompareTrimmedCodes)
{
    bookableJob();
    employee(57, "Novák");
    const QList<QPair<const char *, int>> rows{{"SO ", 10}, {"J12", 20},   {"J0", 400}, {"J99", 800},
                                               {"ODL", 1},  {"XYZ", 2000}, {"ME ", 5}};
    int operation = 30;
    for (const auto &[code, wage] : rows)
        exec(QStringLiteral("insert into SVYKONY (DATUM, ZMENA, OSC, C_INT, C_DAVKY, C_OPERACIE, OPERACIA, MNOZSTVO, "
                            "MZDA) values ('2026-03-02', 1, 57, 260001, 0, %1, '%2', 1, %3)")
                 .arg(QString::number(operation++), QLatin1String(code), QString::number(wage)));
    TxQuery q;
    q.SetDatabase(&dm->DBZAL);
    q.SQL().SetText(MzdySql::WagesByOperation);
    q.ParamByName("D_od").SetValue(QDate(2026, 3, 1));
    q.ParamByName("D_do").SetValue(QDate(2026, 3, 31));
    q.Open();
    TSMzdyQRVykForm report;
    report.Rep.setDataSet(&q);
    ASSERT_EQ(report.Rep.prepare(), 1);
    const QStringList texts = reportTexts(report.Rep);
    const int at = texts.indexOf("Novák");
    ASSERT_GE(at, 0) << texts.join('|').toStdString();
    // ODL, JAD, PÍL, SO, VRT, RO, ME, REZ, UPR, EXP, total (a mask of # prints 0 as nothing)
    EXPECT_EQ(texts.mid(at + 2, 11), (QStringList{"1", "20", "", "10", "", "", "5", "", "", "", "3236"}))
        << texts.join('|').toStdString();
    // Each amount ends where its operation's code ends: 1 under ODL, 20 under JAD, 5 under ME.
    const auto rightEdge = [&report](const QString &text, int nth) {
        for (const TQRItem &item : report.Rep.Pages().front().items)
            if (item.kind == TQRItem::Text && item.text.trimmed() == text && nth-- == 0)
                return DrawnTextRect(item).right();
        return -1.0;
    };
    for (const auto &[code, amount] : {std::pair{"ODL", "1"}, {"JAD", "20"}, {"SO", "10"}, {"ME", "5"}})
        EXPECT_NEAR(rightEdge(QString::fromUtf8(code), 0), rightEdge(QString::fromUtf8(amount), 0), 1.0) << code;
    expectReadable(report.Rep, "Výkony na operácie");
    q.Close();
}

} // namespace

namespace {

TEST_F(WorkshopTest, WageSlipWithoutWorkedHoursPrintsTheHourlyPieceWageEmpty)
{
    employee(57, "Novák");
    employee(58, "Horváth");
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, OHOD) values (2026, 3, 57, 800, 160)");
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, OHOD) values (2026, 3, 58, 123, 0)");
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, DOVOLENKA) values ('2026-03-02', 57, 1, 7.5, 0)");
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, DOVOLENKA) values ('2026-03-02', 58, 1, 0, 7.5)");
    TxQuery q;
    q.SetDatabase(&dm->DBZAL);
    q.SQL().SetText(MzdySql::WageSlips);
    q.ParamByName("rok").SetValue(2026);
    q.ParamByName("mesiac").SetValue(3);
    q.ParamByName("D_od").SetValue(QDate(2026, 3, 1));
    q.ParamByName("D_do").SetValue(QDate(2026, 3, 31));
    q.Open();
    TSMzdyQR1Form slip;
    slip.FundLabel->Caption = QStringLiteral("Fond 165");
    slip.Rep.setDataSet(&q);
    ASSERT_GE(slip.Rep.prepare(), 1);
    const QStringList texts = reportTexts(slip.Rep);
    const QString all = texts.join('|');
    EXPECT_TRUE(all.contains("Novák")) << all.toStdString();
    EXPECT_TRUE(all.contains("Horváth"));
    EXPECT_TRUE(texts.contains("5,00")) << "800 / 160";
    EXPECT_FALSE(all.contains(QRegularExpression("\\b(inf|nan)\\b", QRegularExpression::CaseInsensitiveOption)))
        << all.toStdString();
    const int horvath = texts.indexOf("Horváth");
    const int perHour = texts.indexOf(QString::fromUtf8("Úkolová mzda/hod."), horvath);
    ASSERT_GT(perHour, horvath);
    EXPECT_EQ(texts.value(perHour + 1), QString()) << all.toStdString();
    q.Close();
}

} // namespace

namespace {

TEST_F(WorkshopTest, WageListPrintsEveryRecordAndTheSums)
{
    employee(57, "Novák");
    employee(58, "Horváth");
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_HOD, PREMIE, MZDA_REZ) values (2026, 3, 57, 800, 6, "
         "100.5, 160)");
    exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_HOD, PREMIE, MZDA_REZ) values (2026, 3, 58, 0, 0, 0, 0)");
    mzdy->SetMonth(2026, 3);
    mzdy->OpenWages(MzdySql::WagesOfMonth);
    TSMzdyQRAllForm list;
    list.SetMonth(2026, 3);
    list.Rep.setDataSet(&mzdy->QMzdy);
    ASSERT_EQ(list.Rep.prepare(), 1);
    const QStringList texts = reportTexts(list.Rep);
    const QString all = texts.join('|');
    EXPECT_TRUE(texts.contains("Mzdy zamestnancov za 03/2026")) << all.toStdString();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Novák")));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Horváth")));
    EXPECT_TRUE(all.contains("1 060,00") || all.contains("1060,00"))
        << "800 + 100.5 + 160 rounded" << all.toStdString();
    // Every column caption whole above its column, none over its neighbour.
    for (const char *caption :
         {"Os.číslo", "Meno", "Výkonová mzda", "Mzda/hod.", "Prémie", "Mzda celkom", "Réžijná mzda"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(caption))) << caption;
    expectReadable(list.Rep, "Súpis miezd");
}

} // namespace
