// Report expressions on one record: operators, functions, masks, and the errors of faulty texts.
#include "platform/os/Exception.h"
#include "platform/report/QRExpression.h"

#include <gtest/gtest.h>

namespace {

struct OneRow {
    TQRFieldInfo info;
    TQRRow row;
    TQRFunctions functions;
    TQRContext ctx;

    OneRow()
    {
        info.names = QStringList{"C_REV", "C_INT", "NAZOV", "MNOZ_OBJ", "MNOZ_DOD", "VAHA1"};
        for (int i = 0; i < info.names.size(); ++i)
            info.index.insert(info.names[i], i);
        row.info = &info;
        row.values = {2, 230045, QStringLiteral("Kryt"), 10.0, 12.0, 1.5};
        row.texts = QVector<QString>(info.names.size());
        functions.insert("MNOZ_ZOST", std::make_shared<TQRExpression>("if(MNOZ_OBJ>MNOZ_DOD, MNOZ_OBJ-MNOZ_DOD, 0)"));
        functions.insert("VAHA_ZOST", std::make_shared<TQRExpression>("VAHA1*MNOZ_ZOST"));
        ctx.Row = &row;
        ctx.Functions = &functions;
    }
    QVariant eval(const QString &text) const { return TQRExpression(text).evaluate(ctx); }
};

} // namespace

TEST(ReportExpression, OperatorsFunctionsAndReportFunctions)
{
    OneRow r;
    struct Case {
        const char *text;
        QVariant expected;
    } cases[] = {
        {"IF(C_REV>0,'rev.'+str(C_REV),'')", QStringLiteral("rev.2")},
        {"1+2*3", 7.0},
        {"(1+2)*3", 9.0},
        {"-C_REV + 1", -1.0},
        {"NAZOV + ' ' + 'a''b'", QStringLiteral("Kryt a'b")},
        {"NAZOV = 'Kryt' and not (C_REV <> 2)", true},
        {"C_REV >= 2 OR 1/0 > 1", true},
        {"[NAZOV]", QStringLiteral("Kryt")},
        {"QTlac.NAZOV", QStringLiteral("Kryt")},
        {"mnoz_zost", 0.0},
        {"VAHA_ZOST", 0.0},
        {"10/4", 2.5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(r.eval(c.text), c.expected);
    }
    EXPECT_FALSE(r.eval("1/0").isValid()) << "a division by zero prints nothing";
}

TEST(ReportExpression, AggregatesCountWhatTheyAreGivenAndReset)
{
    OneRow r;
    TQRExpression sum("SUM(MNOZ_OBJ*2)"), count("COUNT"), average("AVERAGE(MNOZ_OBJ)"), low("MIN(MNOZ_DOD)"),
        high("MAX(MNOZ_DOD)");
    EXPECT_TRUE(sum.isAggregate());
    EXPECT_FALSE(TQRExpression("MNOZ_OBJ").isAggregate());
    for (double q : {10.0, 4.0, 7.0}) {
        r.row.values[3] = q;
        r.row.values[4] = q - 1;
        for (auto *e : {&sum, &count, &average, &low, &high})
            e->accumulate(r.ctx);
    }
    EXPECT_EQ(sum.evaluate(r.ctx).toDouble(), 42.0);
    EXPECT_EQ(count.evaluate(r.ctx).toDouble(), 3.0);
    EXPECT_EQ(average.evaluate(r.ctx).toDouble(), 7.0);
    EXPECT_EQ(low.evaluate(r.ctx).toDouble(), 3.0);
    EXPECT_EQ(high.evaluate(r.ctx).toDouble(), 9.0);
    sum.reset();
    EXPECT_EQ(sum.evaluate(r.ctx).toDouble(), 0.0);
}

TEST(ReportExpression, FaultyTextsAndUnknownNamesAreErrors)
{
    OneRow r;
    for (const char *bad : {"1 +", "IF(1,2)", "'open", "NOSUCH(1)", "(1", "1 2"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(TQRExpression{QString::fromLatin1(bad)}, Exception);
    }
    EXPECT_THROW(r.eval("NO_FIELD + 1"), Exception);
    // Without a record (an empty data set) fields print empty instead.
    TQRContext empty;
    EXPECT_FALSE(TQRExpression("NO_FIELD").evaluate(empty).isValid());
    // A function naming itself stops with an error instead of running out of stack.
    r.functions.insert("LOOP", std::make_shared<TQRExpression>("LOOP + 1"));
    EXPECT_THROW(r.eval("LOOP"), Exception);
}
