// The rules of a booking on fresh databases: hours as h:mm, profession, norm hours and wage, shift hours
// with DOUBLE PRECISION kept, the quantity flow with losses, the scanned codes.
#include "WorkshopFixture.h"
#include "production/PerformanceBarcode.h"

namespace {

TEST(HoursMinutes, ShownWithTheMinutesCarried)
{
    EXPECT_EQ(TDMVyk::FormatHoursMinutes(7.5), "7:30");
    EXPECT_EQ(TDMVyk::FormatHoursMinutes(7.999), "8:00") << "never 7:60";
    EXPECT_EQ(TDMVyk::FormatHoursMinutes(7.65), "7:39");
    EXPECT_EQ(TDMVyk::FormatHoursMinutes(0), "0:00");
    EXPECT_EQ(TDMVyk::FormatHoursMinutes(-1.5), "-1:30");
}

TEST(HoursMinutes, TypedAsHoursColonMinutesHundredsOrDecimalComma)
{
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    EXPECT_DOUBLE_EQ(TDMVyk::ParseHoursMinutes("8"), 8);
    EXPECT_DOUBLE_EQ(TDMVyk::ParseHoursMinutes("815"), 8.25);
    EXPECT_DOUBLE_EQ(TDMVyk::ParseHoursMinutes("8:5"), 8 + 50 / 60.0);
    EXPECT_DOUBLE_EQ(TDMVyk::ParseHoursMinutes("7:05"), 7 + 5 / 60.0);
    EXPECT_DOUBLE_EQ(TDMVyk::ParseHoursMinutes("7,5"), 7 + 50 / 60.0);
    EXPECT_DOUBLE_EQ(TDMVyk::ParseHoursMinutes("x"), 0);
    EXPECT_EQ(TDMVyk::FormatHoursMinutes(TDMVyk::ParseHoursMinutes("7:39")), "7:39");
}

TEST(PerformanceBarcode, EmployeeJobOperationAndTicket)
{
    auto c = DecodePerformanceBarcode("57");
    EXPECT_EQ(c.kind, TPerformanceBarcode::Employee);
    EXPECT_EQ(c.osc, 57);
    c = DecodePerformanceBarcode("260001010");
    EXPECT_EQ(c.kind, TPerformanceBarcode::JobOperation);
    EXPECT_EQ(c.cInt, 260001);
    EXPECT_EQ(c.operation, 10);
    c = DecodePerformanceBarcode("12345");
    EXPECT_EQ(c.cInt, 12);
    EXPECT_EQ(c.operation, 345);
    c = DecodePerformanceBarcode("260001002010");
    EXPECT_EQ(c.kind, TPerformanceBarcode::JobTicket);
    EXPECT_EQ(c.cInt, 260001);
    EXPECT_EQ(c.batch, 2);
    EXPECT_EQ(c.operation, 10);
    c = DecodePerformanceBarcode("999999999999999"); // 15 digits: still a job number
    EXPECT_EQ(c.kind, TPerformanceBarcode::JobTicket);
    EXPECT_EQ(c.cInt, 999999999);
    for (const char *text : {"0", "-5", "abc", "", "12a"})
        EXPECT_EQ(DecodePerformanceBarcode(text).kind, TPerformanceBarcode::Nothing) << text;
}

TEST(PerformanceBarcode, SixteenDigitsAndMoreAreAnUnknownJob)
{
    for (const char *text : {"1234567890123456", "9223372036854775807", "123456789012345678901234"}) {
        const auto c = DecodePerformanceBarcode(text);
        EXPECT_EQ(c.kind, TPerformanceBarcode::UnknownJob) << text;
        EXPECT_EQ(c.jobText, QString::fromLatin1(text).chopped(6)) << text;
    }
}

class Booking : public WorkshopTest {
protected:
    void SetUp() override
    {
        WorkshopTest::SetUp();
        if (HasFatalFailure())
            return;
        bookableJob();
        employee(57, "Novák", "FOR");
        employee(58, "Horváth", "CIS");
        employee(59, "Kováč", "");
        TxDataSet &q = vyk->QvSVykony;
        q.SelectSQL.SetStrings(2, QStringLiteral("where datum=:datum "));
        q.ParamByName(QStringLiteral("datum")).SetValue(QDate(2026, 3, 16));
        q.Open();
    }
    TDataSet &list() { return vyk->QvSVykony; }
    // The message of a post the rules refuse; empty when it was written.
    QString refusalOfPost()
    {
        try {
            list().Post();
        } catch (const EDatabaseError &e) {
            return e.Message;
        }
        return QString();
    }
    void set(const char *name, const QVariant &v) { list().FieldByName(QString::fromLatin1(name))->SetValue(v); }
    double get(const char *name) { return list().FieldByName(QString::fromLatin1(name))->AsFloat(); }
    // A new row of the per-employee list up to the quantity; hours typed as on the screen.
    void newRow(int osc, double quantity, const QString &hours, int operation = 10)
    {
        list().Append();
        set("DATUM", QDate(2026, 3, 16));
        set("ZMENA", 1);
        set("OSC", osc);
        set("C_INT", 260001);
        set("C_DAVKY", 0);
        set("C_OPERACIE", operation);
        set("MNOZSTVO", quantity);
        set("ZMATKY", 0);
        list().FieldByName("OHOD")->SetText(hours);
    }
};

TEST_F(Booking, ByHandFillsNamesNormHoursAndWageAndWritesAtOnce)
{
    newRow(57, 10, "7:39");
    EXPECT_EQ(list().FieldByName("PRIEZVISKO")->AsString(), QString::fromUtf8("Novák"));
    EXPECT_EQ(list().FieldByName("OPERACIA")->AsString(), "ODL");
    EXPECT_EQ(list().FieldByName("C_VYR")->AsString().trimmed(), "V1");
    EXPECT_DOUBLE_EQ(get("NORMA"), 0.8);
    EXPECT_DOUBLE_EQ(get("NHOD"), 1.5) << "(30 + 6 × 10) / 60";
    EXPECT_DOUBLE_EQ(get("MZDA"), 6.0) << "time wage by the tariff";
    EXPECT_EQ(list().FieldByName("OHOD")->DisplayText(), "7:39");
    list().Post();
    EXPECT_EQ(list().State(), dsBrowse);
    EXPECT_DOUBLE_EQ(value("select OHOD from SVYKONY where OSC=57").toDouble(), 7.65) << "DOUBLE PRECISION kept";
    EXPECT_DOUBLE_EQ(value("select MZDA from SVYKONY where OSC=57").toDouble(), 6.0);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(Booking, PieceRateAppliesWithoutTariffOrWithoutTimes)
{
    newRow(59, 10, "1");
    set("C_OPERACIE", 20);
    set("MNOZSTVO", 10.0);
    EXPECT_DOUBLE_EQ(get("MZDA"), 5.0) << "10 × 0.50 without a tariff";
    EXPECT_DOUBLE_EQ(get("NHOD"), 0);
    list().Cancel();
}

TEST_F(Booking, ShiftLimitPassesAt765AndRefusesAt766)
{
    newRow(57, 10, "4");
    list().Post();
    newRow(57, 5, "3:39"); // 7.65 in all
    set("C_OPERACIE", 20);
    set("MNOZSTVO", 5.0);
    list().Post();
    EXPECT_EQ(list().State(), dsBrowse);
    EXPECT_EQ(count("select count(*) from SVYKONY"), 2);
    // Another row of the same shift: 0.01 h more is refused with the warning and stays in insert.
    list().Append();
    set("DATUM", QDate(2026, 3, 16));
    set("ZMENA", 1);
    set("OSC", 57);
    set("C_INT", 260001);
    set("C_DAVKY", 1);
    set("C_OPERACIE", 10);
    set("MNOZSTVO", 1.0);
    set("OHOD", 0.01);
    responder->Messages.clear();
    EXPECT_THROW(list().Post(), EAbort);
    EXPECT_EQ(list().State(), dsInsert);
    EXPECT_EQ(count("select count(*) from SVYKONY"), 2);
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_TRUE(responder->Messages[0].Text.contains("7:40")) << responder->Messages[0].Text.toStdString();
    list().Cancel();
}

TEST_F(Booking, WrongProfessionWarnsOrRefusesByTheSetting)
{
    newRow(58, 10, "2");
    NotifyProfesia = 2;
    EXPECT_THROW(list().Post(), EDatabaseError);
    EXPECT_EQ(list().State(), dsInsert);
    NotifyProfesia = 1;
    responder->Messages.clear();
    list().Post();
    EXPECT_EQ(count("select count(*) from SVYKONY where OSC=58"), 1);
    ASSERT_FALSE(responder->Messages.isEmpty());
    EXPECT_EQ(responder->Messages[0].Text,
              QString::fromUtf8("Profesia zamestnanca je CIS\rale v technologickom postupe je FOR !"));
    // A blank profession on either side never complains.
    responder->Messages.clear();
    NotifyProfesia = 2;
    newRow(59, 10, "2");
    list().Post();
    EXPECT_TRUE(responder->Messages.isEmpty());
}

TEST_F(Booking, RequiredKeysAndHoursAreChecked)
{
    list().Append();
    set("DATUM", QDate(2026, 3, 16));
    try {
        list().Post();
        FAIL();
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Číslo pracovníka nie je zadané !"));
    }
    list().Cancel();
    newRow(57, 10, "0");
    try {
        list().Post();
        FAIL();
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Odpracované hodiny nie sú zadané !"));
    }
    list().Cancel();
}

TEST_F(Booking, QuantityOverTheExpectedWithLossesWarns)
{
    list().Close();
    booked("2026-03-10", 57, 10, 115);
    EXPECT_TRUE(vyk->CheckOperationQuantities(260001, 10, 0)) << "100 + 5 % losses, × 1.1 = 115.5";
    EXPECT_TRUE(responder->Messages.isEmpty());
    EXPECT_FALSE(vyk->CheckOperationQuantities(260001, 10, 1));
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_TRUE(responder->Messages[0].Text.contains(QString::fromUtf8("väčšie ako očakávané")));
    // A null loss percentage counts as none; more on the next operation than on the previous one warns
    // without refusing.
    responder->Messages.clear();
    booked("2026-03-11", 57, 20, 116);
    EXPECT_FALSE(vyk->CheckOperationQuantities(260001, 20, 0)) << "116 > 100 × 1.1";
    EXPECT_TRUE(responder->Messages.last().Text.contains(QString::fromUtf8("predchádzajúcej op.")));
}

// A row the database refuses (its key is booked already) comes back to insert with what was typed and
// leaves nothing pending: the next booking is written, and a refused change of a key returns to edit.
TEST_F(Booking, ARefusedWriteReturnsTheRowAndLeavesNothingPending)
{
    newRow(57, 10, "1");
    list().Post();
    newRow(57, 12, "2"); // the same day, shift, employee, job, batch and operation
    responder->Messages.clear();
    EXPECT_ANY_THROW(list().Post());
    EXPECT_FALSE(responder->Messages.isEmpty()) << "the refusal is said";
    ASSERT_EQ(list().State(), dsInsert);
    EXPECT_DOUBLE_EQ(get("MNOZSTVO"), 12);
    EXPECT_EQ(list().FieldByName("OHOD")->DisplayText(), "2:00");
    EXPECT_EQ(list().FieldByName("PRIEZVISKO")->AsString(), QString::fromUtf8("Novák"));
    set("C_DAVKY", 1);
    list().Post();
    EXPECT_EQ(list().State(), dsBrowse);
    EXPECT_EQ(count("select count(*) from SVYKONY"), 2);
    EXPECT_EQ(count("select MNOZSTVO from SVYKONY where C_DAVKY=1"), 12);

    newRow(57, 3, "1");
    set("C_DAVKY", 2);
    list().Post();
    list().Edit();
    set("C_DAVKY", 1);
    set("MNOZSTVO", 4.0);
    EXPECT_ANY_THROW(list().Post());
    ASSERT_EQ(list().State(), dsEdit);
    EXPECT_EQ(list().FieldByName("C_DAVKY")->AsInteger(), 1);
    EXPECT_DOUBLE_EQ(get("MNOZSTVO"), 4);
    list().Cancel();
    EXPECT_FALSE(list().UpdatesPending());
    EXPECT_EQ(list().RecordCount(), 3);
    EXPECT_EQ(list().FieldByName("C_DAVKY")->AsInteger(), 2) << "the stored row as it was";
    EXPECT_EQ(count("select MNOZSTVO from SVYKONY where C_DAVKY=2"), 3);
    newRow(58, 1, "1");
    set("C_OPERACIE", 20);
    list().Post();
    EXPECT_EQ(count("select count(*) from SVYKONY"), 4);
}

// A job or operation refused while typing is refused again by the save: nothing of it is stored.
TEST_F(Booking, AMissingJobOrOperationIsNeverStored)
{
    newRow(57, 5, "1");
    EXPECT_THROW(set("C_INT", 999999), EDatabaseError);
    EXPECT_THROW(set("C_OPERACIE", 10), EDatabaseError);
    EXPECT_EQ(refusalOfPost(), QString::fromUtf8("Zákazka č.999999 neexistuje !"));
    EXPECT_EQ(list().State(), dsInsert);
    set("C_INT", 260001);
    EXPECT_THROW(set("C_OPERACIE", 30), EDatabaseError);
    EXPECT_EQ(refusalOfPost(), QString::fromUtf8("Operácia č.30 neexistuje !"));
    EXPECT_EQ(count("select count(*) from SVYKONY"), 0);
    set("C_OPERACIE", 10);
    list().Post();
    EXPECT_EQ(count("select count(*) from SVYKONY where C_INT=260001 and C_OPERACIE=10"), 1);
}

TEST_F(Booking, DatesOfTheOrderEntryWithinSixtyDays)
{
    list().Close();
    vyk->FillOrderEntry(260001, 0);
    TDataSet &q = vyk->QSVykony;
    q.Edit();
    EXPECT_NO_THROW(q.FieldByName("DATUM")->SetValue(QDate(2026, 3, 16)));
    EXPECT_NO_THROW(q.FieldByName("DATUM")->SetValue(QDate(2026, 1, 15))) << "60 days back";
    EXPECT_THROW(q.FieldByName("DATUM")->SetValue(QDate(2026, 1, 14)), EDatabaseError);
    EXPECT_THROW(q.FieldByName("DATUM")->SetValue(QDate(2026, 3, 17)), EDatabaseError);
    q.Cancel();
}

} // namespace
