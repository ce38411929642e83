// The job ticket on a fresh database: the batch asked and proposed, the stored counter that only rises,
// and the barcode of each operation, its text on the page and its bars as the encoder draws that text.
#include "sales/SalesFixture.h"

#include "common/BarcodeBars.h"
#include "common/WhenModal.h"
#include "library/AsBarcode.h"
#include "library/QRAsBarcode.h"
#include "library/QTlacForm.h"
#include "platform/ui/BitBtn.h"
#include "production/QRTlacSprievodka.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

class JobTicketTest : public SalesJobTest {
protected:
    void SetUp() override
    {
        SalesJobTest::SetUp();
        if (HasFatalFailure())
            return;
        for (int op : {10, 30, 1000})
            exec(QStringLiteral("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, CAS_JED, MZDA) values "
                                "(260001, %1, 'FOR', 6, 1.5)")
                     .arg(op));
        Printer().setOutputFileName(dir.filePath("ticket.pdf"));
    }
    void TearDown() override
    {
        Printer().setOutputFileName(QString());
        SalesTest::TearDown();
    }
    // Prints the ticket answering the batch question; the barcode texts of the printed page.
    QStringList print(const QVariant &answer)
    {
        responder->InputAnswers.push_back(answer);
        bool asked = false;
        if (!answer.isNull())
            WhenModal<TQTlacForm>([&](TQTlacForm *f) {
                asked = true;
                QTest::mouseClick(f->BitBtnTlac, Qt::LeftButton);
            });
        PrintJobTicket(260001);
        if (answer.isNull()) {
            CancelWhenModal();
            return {};
        }
        EXPECT_TRUE(asked);
        QStringList codes;
        QMap<QString, QString> decode;
        for (int op : {10, 30, 1000})
            for (int batch = 0; batch < 5; ++batch) {
                TAsBarcode code;
                code.setTyp(QRTlacSprievodka->QRBarcode->Barcode().Typ());
                const QString text = JobTicketBarcodeText(260001, batch, op);
                code.setText(text);
                decode.insert(code.MakeData(), text);
            }
        for (const TQRPage &page : QRTlacSprievodka->Pages())
            for (const TQRItem &item : page.items)
                if (item.kind == TQRItem::Image && !item.image.isNull())
                    codes << decode.value(barsOf(item.image), QStringLiteral("?"));
        return codes;
    }
    int storedBatch() { return count("select coalesce(C_DAVKY, -1) from ZAKAZKYD where C_INT=260001"); }

    QTemporaryDir dir;
};

TEST_F(JobTicketTest, BarcodeTextsAreJobBatchAndOperation)
{
    EXPECT_EQ(JobTicketBarcodeText(260001, 2, 30), "260001002030");
    EXPECT_EQ(JobTicketBarcodeText(7, 0, 5), "000007000005");
    EXPECT_EQ(JobTicketBarcodeText(1234567, 2, 30), "1234567002030") << "a longer number is written in full";
    EXPECT_EQ(JobTicketBatch("5", 3), 3) << "above the proposal: the proposal";
    EXPECT_EQ(JobTicketBatch("2", 3), 2);
    EXPECT_EQ(JobTicketBatch("0", 3), 0) << "0 stays allowed";
    EXPECT_EQ(JobTicketBatch("-4", 3), 3) << "a negative batch is refused like text";
    EXPECT_EQ(JobTicketBatch(QString::fromUtf8("päť"), 3), 3);
}

TEST_F(JobTicketTest, TicketsCountTheBatchUpAndPrintABarcodePerOperation)
{
    // No batch yet: 1 is proposed; a larger answer prints the proposal.
    QStringList codes = print(QStringLiteral("7"));
    ASSERT_FALSE(responder->Inputs.isEmpty());
    EXPECT_EQ(responder->Inputs.last().Caption, QString::fromUtf8("Tlač sprievodky"));
    EXPECT_EQ(responder->Inputs.last().Prompt, QString::fromUtf8("Číslo dávky:"));
    EXPECT_EQ(responder->Inputs.last().Value, "1");
    EXPECT_EQ(codes, QStringList({"260001001010", "260001001030"})) << "operations below 1000 only";
    EXPECT_EQ(storedBatch(), 1);
    QStringList texts;
    for (const TQRItem &item : QRTlacSprievodka->Pages().at(0).items)
        texts << item.text;
    EXPECT_TRUE(texts.contains(QString::fromUtf8("SPRIEVODNÝ LÍSTOK VÝROBKU")));
    EXPECT_TRUE(texts.contains(QStringLiteral("26/0001")));

    // Negative: the proposal 2 is used.
    codes = print(QStringLiteral("-1"));
    EXPECT_EQ(responder->Inputs.last().Value, "2");
    EXPECT_EQ(codes, QStringList({"260001002010", "260001002030"}));
    EXPECT_EQ(storedBatch(), 2);

    // A smaller batch prints and leaves the counter; cancel prints nothing.
    codes = print(QStringLiteral("0"));
    EXPECT_EQ(codes, QStringList({"260001000010", "260001000030"}));
    EXPECT_EQ(storedBatch(), 2);
    print(QVariant());
    EXPECT_EQ(storedBatch(), 2);
}
