// Code 128 and EAN-128 patterns, bar widths as drawn, the errors of texts and types, and the report control.
#include "library/AsBarcode.h"
#include "library/QRAsBarcode.h"
#include "platform/os/Exception.h"
#include "platform/report/QuickRep.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// The pattern of a sequence of symbol widths ("211232" ...): bars '5'.., spaces '0'..
QString pattern(const QStringList &symbols)
{
    const QString widths = symbols.join(QString());
    QString out;
    for (int i = 0; i < widths.size(); ++i)
        out += QChar((i % 2 == 0 ? '5' : '0') + widths[i].unicode() - '1');
    return out;
}

QString message(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Exception &e) {
        return e.Message;
    }
    return {};
}

// Widths of the alternating runs on the middle row of a drawn barcode.
QList<int> runs(const QImage &image, int row)
{
    QList<int> out;
    QRgb last = image.pixel(0, row);
    int length = 0;
    for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, row);
        if (p == last) {
            ++length;
        } else {
            out << length;
            length = 1;
            last = p;
        }
    }
    out << length;
    return out;
}

} // namespace

TEST(Barcode, Code128CPadsOddTextsAndChecksTheSymbols)
{
    TAsBarcode b;
    b.setText("123");
    // start C (105), 01, 23, check (105 + 1*1 + 23*2) mod 103 = 49, stop
    EXPECT_EQ(b.MakeData(), pattern({"211232", "222122", "312131", "211331", "2331112"}));
    EXPECT_EQ(b.EncodedText(), "0123");
    EXPECT_EQ(b.Text(), "0123");
    EXPECT_EQ(b.Width(), 11 * 4 + 13);
}

TEST(Barcode, EmptyCode128CIsStartCheckAndStop)
{
    TAsBarcode b;
    EXPECT_EQ(b.MakeData(), pattern({"211232", "222221" /* value 2 */, "2331112"}));
    EXPECT_EQ(b.Width(), 35);
    b.setWidth(35);
    EXPECT_EQ(b.Modul(), 1);
    b.setWidth(70);
    EXPECT_EQ(b.Modul(), 2);
    EXPECT_EQ(b.Width(), 70);
    b.setModul(50); // out of range: ignored
    EXPECT_EQ(b.Modul(), 2);
}

TEST(Barcode, SetsAAndBTakeTheirOwnCharacters)
{
    TAsBarcode b;
    b.setTyp(bcCode128B);
    b.setText("ab");
    // a = 65, b = 66; check (104 + 65 + 132) mod 103 = 95
    EXPECT_EQ(b.MakeData(), pattern({"211214", "121124", "121421", "114113", "2331112"}));
    b.setTyp(bcCode128A);
    // Set A has no small letters: both print as blanks (value 0); check (103 + 0 + 0) mod 103 = 0
    EXPECT_EQ(b.MakeData(), pattern({"211412", "212222", "212222", "212222", "2331112"}));
}

TEST(Barcode, RefusedTextsAndTypesSayWhy)
{
    TAsBarcode b;
    b.setText("12A4");
    EXPECT_EQ(message([&] { b.MakeData(); }), "Barcode must be numeric");
    b.setText(" 1234 ");
    EXPECT_NO_THROW(b.MakeData()) << "digits-only texts are trimmed first";
    b.setTyp(bcCodeEAN13);
    EXPECT_EQ(message([&] { b.MakeData(); }), "TAsBarcode: wrong BarcodeType");
    b.setTyp(bcCode39);
    b.setText("ABC");
    EXPECT_EQ(message([&] { b.MakeData(); }), "TAsBarcode: wrong BarcodeType");
    b.setTyp(bcCodeEAN128B);
    b.setChecksum(true);
    EXPECT_THROW(b.MakeData(), EConvertError) << "the check digit needs digits";
}

TEST(Barcode, Ean128CheckDigitNeverAccumulates)
{
    TAsBarcode b;
    b.setTyp(bcCodeEAN128C);
    b.setChecksum(true);
    b.setText("12");
    // 2*3 + 1*1 = 7 -> check 3; "123" is odd: "0123"
    const QString first = b.MakeData();
    EXPECT_EQ(b.EncodedText(), "0123");
    EXPECT_EQ(b.MakeData(), first);
    EXPECT_EQ(b.EncodedText(), "0123");
    // start C, FNC1, 01, 23, check (105 + 102 + 1*2 + 23*3) mod 103 = 72
    EXPECT_EQ(first, pattern({"211232", "411131", "222122", "312131", "122411", "2331112"}));
}

TEST(Barcode, DrawnBarsHaveThePatternsWidths)
{
    TAsBarcode b;
    b.setText("4711");
    b.setHeight(20);
    b.setModul(2);
    b.setShowText(bcoNone);
    QImage image(b.CanvasWidth() + 10, b.CanvasHeight(), QImage::Format_RGB32);
    image.fill(Qt::white);
    b.setLeft(5);
    {
        QPainter p(&image);
        b.DrawBarcode(p);
    }
    QList<int> expected{5}; // the white margin before the first bar
    for (const QChar c : b.MakeData())
        expected << 2 * ((c.unicode() - '0') % 5 + 1);
    expected << 5;
    EXPECT_EQ(runs(image, 10), expected);
}

TEST(Barcode, RotationSwapsTheCanvas)
{
    TAsBarcode b;
    b.setText("12345678");
    b.setHeight(30);
    const int w = b.CanvasWidth(), h = b.CanvasHeight();
    b.setAngle(90);
    EXPECT_EQ(b.CanvasWidth(), h);
    EXPECT_EQ(b.CanvasHeight(), w);
    QImage image(b.CanvasWidth(), b.CanvasHeight(), QImage::Format_RGB32);
    image.fill(Qt::white);
    b.setShowText(bcoNone);
    {
        QPainter p(&image);
        b.DrawBarcode(p);
    }
    // Vertical bars: a column runs along one bar, so a row crosses none and a column crosses them all.
    EXPECT_EQ(runs(image, 0).size(), 1) << "the top edge is a space";
    EXPECT_GT(runs(image.transformed(QTransform().rotate(90)), 10).size(), 20);
}

TEST(Barcode, ReportControlTakesTheBarcodesSizeAndRedraws)
{
    TQuickRep rep;
    TQRBand *detail = rep.AddBand(rbDetail);
    auto *code = detail->Add<TQRAsBarcode>("QRBarcode");
    code->setBarcodeWidth(35);
    EXPECT_EQ(code->Barcode().Modul(), 1);
    EXPECT_EQ(code->BarcodeHeight(), 50);
    code->setText("230045002030");
    EXPECT_EQ(code->BarcodeWidth(), 11 * 8 + 13);
    // The canvas is round(width + 0.5) with halves to even: 101.5 -> 102, 50.5 -> 50.
    EXPECT_EQ(code->Width, 102);
    EXPECT_EQ(code->Height, 50);
    EXPECT_EQ(code->Picture.width(), 102);
    // Every change draws anew, colours included.
    code->setColorBar(Qt::red);
    EXPECT_EQ(QColor(code->Picture.pixel(0, 25)), QColor(Qt::red));
    EXPECT_THROW(code->setText("12x"), Exception);
    EXPECT_TRUE(code->Picture.isNull()) << "no picture for a text that cannot be encoded";

    // Set per record before the band prints, as the job ticket does.
    TMemoryCursor data({"C_INT", "C_OPERACIE"}, {ReportCursor::fkInteger, ReportCursor::fkInteger},
                       {{230045, 30}, {230045, 40}});
    rep.setCursor(&data);
    QStringList printed;
    detail->BeforePrint = [&](TQRBand *, bool &) {
        code->setText(
            QString::asprintf("%6.6d%3.3d%3.3d", data.value("C_INT").toInt(), 2, data.value("C_OPERACIE").toInt()));
        printed << code->Text();
    };
    rep.prepare();
    EXPECT_EQ(printed, (QStringList{"230045002030", "230045002040"}));
    int images = 0;
    for (const TQRItem &item : rep.Pages()[0].items)
        images += item.kind == TQRItem::Image;
    EXPECT_EQ(images, 2);
}

TEST(Barcode, ReportControlPrintsTheDigitsUnderTheBars)
{
    TQuickRep rep;
    rep.Font = QFont("Arial", 8);
    TMemoryCursor data({"N"}, {ReportCursor::fkInteger}, {{1}, {2}});
    rep.setCursor(&data);
    TQRBand *detail = rep.AddBand(rbDetail);
    detail->Height = 20;
    auto *code = detail->Add<TQRAsBarcode>("QRBarcode");
    code->Left = 30;
    code->Top = 5;
    code->setBarcodeHeight(40);
    code->setText("2300452030"); // set C: even, encoded as it stands
    // The items of the kind on the page last prepared.
    const auto printed = [&](TQRItem::Kind kind) {
        QList<const TQRItem *> found;
        for (const TQRItem &item : rep.Pages().at(0).items)
            if (item.kind == kind)
                found << &item;
        return found;
    };
    rep.prepare();
    const QList<const TQRItem *> digits = printed(TQRItem::Text);
    const QList<const TQRItem *> bars = printed(TQRItem::Image);
    ASSERT_EQ(bars.size(), 2);
    ASSERT_EQ(digits.size(), 2);
    // The picture is the bars alone: every row reads the same, none is broken by digits.
    for (int y = 0; y < bars[0]->image.height(); ++y)
        ASSERT_EQ(runs(bars[0]->image, y), runs(bars[0]->image, 0)) << "row " << y;
    EXPECT_EQ(bars[0]->rect.height(), 40);
    // The digits: a text in the control's font, centred on the bars, starting where they end.
    EXPECT_EQ(digits[0]->text, "2300452030");
    EXPECT_EQ(digits[0]->font, rep.Font);
    EXPECT_EQ(digits[0]->alignment, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(digits[0]->rect.top(), bars[0]->rect.bottom());
    EXPECT_DOUBLE_EQ(digits[0]->rect.center().x(), bars[0]->rect.center().x());
    // The band grows by the digits' line, so the next record's bars start below them.
    const double line = 8 * 96 / 72.0 * 1.15;
    EXPECT_DOUBLE_EQ(bars[1]->rect.top() - bars[0]->rect.top(), 5 + 40 + line);

    // Without the text shown the bars stand alone, and the band ends under them.
    code->setShowText(bcoNone);
    rep.prepare();
    EXPECT_TRUE(printed(TQRItem::Text).isEmpty());
    const QList<const TQRItem *> alone = printed(TQRItem::Image);
    ASSERT_EQ(alone.size(), 2);
    EXPECT_DOUBLE_EQ(alone[1]->rect.top() - alone[0]->rect.top(), 5 + 40);
}

TEST(Barcode, ATextLongerThanAnyLabelIsRefusedBeforeEncoding)
{
    TAsBarcode b;
    for (TBarcodeType type : {bcCode128B, bcCodeEAN128B, bcCode128C}) {
        SCOPED_TRACE(int(type));
        b.setTyp(type);
        b.setText(QString(10000, QLatin1Char('9')));
        EXPECT_EQ(message([&] { b.MakeData(); }), "TAsBarcode: text je príliš dlhý (najviac 80 znakov)");
    }
    b.setTyp(bcCode128B);
    b.setText(QString(kMaxBarcodeText, QLatin1Char('~'))); // the highest symbol value, the heaviest sum
    const QString data = b.MakeData();
    EXPECT_EQ(data.size(), (kMaxBarcodeText + 2) * 6 + 7) << "start, the text, check symbol and stop";
}
