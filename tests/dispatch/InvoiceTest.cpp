// Invoices of delivery notes: the values the dialog shows and the accounting program's "export.txt",
// compared byte for byte with a file written by hand from the record layout.
#include "DispatchFixture.h"

#include "dispatch/EFakturaForm.h"
#include "dispatch/EFakturaQRRep.h"
#include "dispatch/InvoiceExport.h"
#include "platform/report/QRPage.h"

#include <QFile>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray tabs(int n)
{
    return QByteArray(n, '\t');
}

class InvoiceTest : public DispatchTest {
protected:
    // Note 260001 of customer 5: 10 and 2 pieces of V1 at 80 (weight 2.5, surcharges 0.4 and 0.1 a kg).
    void note(int customerNo = 5)
    {
        foundry();
        exec(QStringLiteral("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA) values (260001, %1, "
                            "'ZAK260001', '2026-03-14', 1, 'EUR')")
                 .arg(customerNo));
        exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, C_RIADKU, MNOZ_VYR, CENA_KURZ1, KOEF_MAT, KOEF_DOP) "
             "values (260001, 'V1', 260001, 1, 10, 80, 0.4, 0.1)");
        exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, C_RIADKU, MNOZ_VYR, CENA_KURZ1, KOEF_MAT, KOEF_DOP) "
             "values (260001, 'V1', 260002, 2, 2, 80, 0.4, 0.1)");
    }
    TInvoiceExportInput input(const TInvoiceValues &v)
    {
        TInvoiceExportInput in = InvoiceExportInputOf(v, "20");
        in.Iban = "SK00 1111 2222";
        return in;
    }
    QString file() const { return QDir(folder.path()).filePath("export.txt"); }
};

} // namespace

TEST_F(InvoiceTest, TheDialogsValuesOfANote)
{
    note();
    const TInvoiceValues v = ReadInvoiceValues(260001, "20");
    // Base: sales price 960 and surcharges 12 + 3 in the home currency; VAT 20 % of it.
    EXPECT_DOUBLE_EQ(v.Zaklad, 975.0);
    EXPECT_DOUBLE_EQ(v.Dph, 195.0);
    EXPECT_DOUBLE_EQ(v.Zaloha, -500.0);
    EXPECT_EQ(v.Ico, "36123456");
    EXPECT_EQ(v.COdberatel, QString::fromUtf8("Strojárne Martin"));
    EXPECT_EQ(v.DatumVystavenia, QDate(2026, 3, 16));
    EXPECT_EQ(v.DatumSplatnosti, QDate(2026, 4, 15)); // the customer's 30 days
    EXPECT_EQ(v.DVystav, QDate(2026, 3, 14));
    EXPECT_TRUE(v.NewCustomer);
    EXPECT_TRUE(v.CFaktury.isEmpty());
    EXPECT_THROW(ReadInvoiceValues(260001, "dvadsať"), EConvertError);
}

TEST_F(InvoiceTest, VatIsRoundedHalfToEvenBeforeTheHundredth)
{
    EXPECT_DOUBLE_EQ(InvoiceVat(1234.56, 19), 234.57);
    EXPECT_DOUBLE_EQ(InvoiceVat(2.5, 5), 0.12);  // 12.5 -> 12
    EXPECT_DOUBLE_EQ(InvoiceVat(13.5, 1), 0.14); // 13.5 -> 14
    EXPECT_DOUBLE_EQ(InvoiceVat(0, 19), 0.0);
}

TEST_F(InvoiceTest, TheExportFileByteForByte)
{
    note();
    const QString expectedDates = "16.3.2026\t15.4.2026\t14.3.2026";
    QString error;
    ASSERT_TRUE(WriteInvoiceExport(input(ReadInvoiceValues(260001, "20")), file(), &error)) << error.toStdString();
    const QByteArray expected = "R00\tT04\r\n"
                                "R01\tStroj\xE1rne Martin\t36123456\tHlavn\xE1 1\t03601\tMartin\t\tSK\r\n"
                                "R00\tT01\r\n"
                                "R01\t260001\tStroj\xE1rne Martin\t36123456\t" +
                                expectedDates.toLatin1() +
                                "\t0\t975,00\t0,00\t0\t10\t20\t0,00\t195,00\t0,00\t1170,00\t2\t" + tabs(13) +
                                "\t260001\tZAK260001\t" + tabs(21) +
                                "\tSK00 1111 2222\t\t\t\t-2\t3\t\t-2\r\n"
                                "R02\tEXT-V1          ZAK260001 Odliatok V1\t10,000\tKS\t80,00\tV\t" +
                                tabs(10) + "\tV1\t" + tabs(24) +
                                "\tEXT-V1\t-2\r\n"
                                "R02\tEXT-V1          ZAK260001 Odliatok V1\t2,000\tKS\t80,00\tV\t" +
                                tabs(10) + "\tV1\t" + tabs(24) +
                                "\tEXT-V1\t-2\r\n"
                                "R02\tKoeficient ceny materi\xE1lu\t30,000\tKG\t0,50\t0\t" +
                                tabs(10) + "\t\t" + tabs(24) + "\t\t-2\r\n";
    EXPECT_EQ(readAll(file()), expected);
}

TEST_F(InvoiceTest, ForeignTypeWithoutLinesAndAnOldCustomer)
{
    note();
    TInvoiceExportInput in = input(ReadInvoiceValues(260001, "20"));
    in.TypDph = "13";
    in.KurzZahr = "30,126";
    in.NewCustomer = false;
    QString error;
    ASSERT_TRUE(WriteInvoiceExport(in, file(), &error)) << error.toStdString();
    QByteArray bytes = readAll(file());
    // The base in the second field, no VAT, the total the base; lines carry "0" and no VAT.
    EXPECT_TRUE(bytes.startsWith("R00\tT01\r\nR01\t260001\t"));
    EXPECT_TRUE(bytes.contains("\t0\t0,00\t975,00\t0\t10\t20\t0,00\t0,00\t0,00\t975,00\t2\t"));
    EXPECT_TRUE(bytes.contains("\t80,00\t0\t"));
    EXPECT_FALSE(bytes.contains("\tV\t"));
    // The surcharges converted by the rates: 15 × 30.126 / 30 kg.
    EXPECT_TRUE(bytes.contains("materi\xE1lu\t30,000\tKG\t15,06\t0\t"));

    in.CopyLines = false;
    ASSERT_TRUE(WriteInvoiceExport(in, file(), &error));
    bytes = readAll(file());
    EXPECT_EQ(bytes.count("\r\n"), 2); // block head and invoice record only
}

TEST_F(InvoiceTest, TheElectricitySurchargeOfTwoCustomers)
{
    customer(96, "Zlieváreň 96", "12345678");
    note(96);
    TInvoiceExportInput in = input(ReadInvoiceValues(260001, "20"));
    QString error;
    ASSERT_TRUE(WriteInvoiceExport(in, file(), &error));
    EXPECT_TRUE(readAll(file()).contains("R02\tPr\xEDplatok za el.energiu\t30,000\tKG\t1,50\t0\t"));
}

TEST_F(InvoiceTest, ABadNumberLeavesThePreviousFileWhole)
{
    note();
    TInvoiceExportInput in = input(ReadInvoiceValues(260001, "20"));
    QString error;
    ASSERT_TRUE(WriteInvoiceExport(in, file(), &error));
    const QByteArray before = readAll(file());

    TInvoiceExportInput bad = in;
    bad.TypDph = "13";
    bad.KurzZahr = "tridsať";
    EXPECT_FALSE(WriteInvoiceExport(bad, file(), &error));
    EXPECT_TRUE(error.contains("Kurz")) << error.toStdString();
    EXPECT_EQ(readAll(file()), before);

    bad = in;
    bad.VatRate = "x";
    EXPECT_FALSE(WriteInvoiceExport(bad, file(), &error));
    EXPECT_TRUE(error.contains("Sadzba DPH"));
    bad = in;
    bad.Zaklad = "";
    EXPECT_FALSE(WriteInvoiceExport(bad, file(), &error));
    bad = in;
    bad.TypDph = "13";
    bad.KurzSk = "0";
    EXPECT_FALSE(WriteInvoiceExport(bad, file(), &error));
    EXPECT_EQ(readAll(file()), before);

    // Two good exports one after the other leave only the second.
    in.CObj = "ZAK260099";
    ASSERT_TRUE(WriteInvoiceExport(in, file(), &error));
    const QByteArray after = readAll(file());
    EXPECT_EQ(after.count("R00\tT01"), 1);
    EXPECT_TRUE(after.contains("ZAK260099"));
}

TEST_F(InvoiceTest, ACustomerWithoutIcoExportsAnEmptyIco)
{
    customer(7, "Bez IČO");
    note(7);
    const TInvoiceValues v = ReadInvoiceValues(260001, "20");
    EXPECT_EQ(v.Ico, "");
    QString error;
    ASSERT_TRUE(WriteInvoiceExport(input(v), file(), &error)) << error.toStdString();
    const QByteArray bytes = readAll(file());
    EXPECT_TRUE(bytes.contains("R01\tBez I\xC8O\t\tHlavn\xE1 1\t")); // the customer block
    EXPECT_TRUE(bytes.contains("R01\t260001\tBez I\xC8O\t\t16.3.2026\t"));
}

TEST_F(InvoiceTest, InvoiceNumbersFollowThePrefix)
{
    note();
    EXPECT_EQ(ProposeInvoiceNumber("yyyy\"/\""), "2026/0001");
    exec("update EDLISTY set C_FAKTURY='2026/0041' where c_dl=260001");
    EXPECT_EQ(ProposeInvoiceNumber("yyyy\"/\""), "2026/0042");
    EXPECT_EQ(ProposeInvoiceNumber("2026/0007"), "2026/0042");
    EXPECT_EQ(ProposeInvoiceNumber("FA-"), "FA-0001");
    EXPECT_FALSE(ReadInvoiceValues(260001, "20").CFaktury.isEmpty());
}

TEST_F(InvoiceTest, ThePrintedInvoiceAddsVatPerLine)
{
    note();
    exec("update EDLISTY set C_FAKTURY='2026/0005' where c_dl=260001");
    DPH = "20";
    TQuickRep *report = PrepareInvoice(260001);
    report->prepare();
    QStringList texts;
    for (const TQRPage &page : report->Pages())
        for (const TQRItem &item : page.items)
            texts << item.text.trimmed();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("F A K T Ú R A")));
    EXPECT_TRUE(texts.contains("2026/0005"));
    EXPECT_TRUE(texts.contains("800,00 EUR"));  // 10 × 80
    EXPECT_TRUE(texts.contains("960,00 EUR"));  // without VAT
    EXPECT_TRUE(texts.contains("192,00 EUR"));  // VAT 20 %
    EXPECT_TRUE(texts.contains("1152,00 EUR")); // with VAT
    EXPECT_TRUE(texts.contains("28.3.2026"));   // due 14 days after the issue
    // A note in euro also shows the total at the conversion rate.
    EXPECT_TRUE(texts.contains("34705,15 SKK")) << texts.join('|').toStdString();
}
