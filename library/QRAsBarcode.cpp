#include "library/QRAsBarcode.h"

#include <QPainter>

TQRAsBarcode::TQRAsBarcode(TQRBand *parent) : TQRImage(parent)
{
    barcode_.setHeight(50);
    barcode_.OnChange = [this](TAsBarcode *) { redraw(); };
    redraw();
}

void TQRAsBarcode::redraw()
{
    if (redrawing_)
        return;
    redrawing_ = true;
    struct Done {
        bool &flag;
        ~Done() { flag = false; }
    } done{redrawing_};
    Picture = QImage();
    const int w = barcode_.CanvasWidth(), h = barcode_.CanvasHeight();
    Width = w;
    Height = h;
    QImage image(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(kReportDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kReportDpi / 0.0254));
    QPainter painter(&image);
    barcode_.DrawBars(painter);
    painter.end();
    Picture = image;
}

bool TQRAsBarcode::showsDigits() const
{
    return barcode_.ShowText() == bcoCode || barcode_.ShowText() == bcoBoth;
}

double TQRAsBarcode::digitsHeight() const
{
    // A line of the font, as memos set their lines.
    return showsDigits() ? font().pointSizeF() * kReportDpi / 72.0 * 1.15 : 0;
}

double TQRAsBarcode::neededHeight(const TQRContext &) const
{
    return Height + digitsHeight();
}

void TQRAsBarcode::produce(const TQRContext &ctx, QPointF origin, TQRPage &page)
{
    TQRImage::produce(ctx, origin, page);
    if (Picture.isNull() || !showsDigits())
        return;
    TQRItem digits;
    digits.kind = TQRItem::Text;
    digits.rect = QRectF(origin.x() + Left, origin.y() + Top + Height, Width, digitsHeight());
    digits.text = barcode_.EncodedText();
    digits.font = font();
    digits.alignment = Qt::AlignHCenter;
    digits.color = FontColor;
    page.items.push_back(std::move(digits));
}

bool TQRAsBarcode::setProperty(const QString &name, const QString &value)
{
    auto is = [&](const char *p) { return name.compare(QLatin1String(p), Qt::CaseInsensitive) == 0; };
    const QString t = value.trimmed();
    if (is("Text"))
        setText(value);
    else if (is("Typ")) {
        for (int i = bcCode_2_5_interleaved; i <= bcCodeEAN128C; ++i)
            if (t.compare(BarcodeTypeName(TBarcodeType(i)), Qt::CaseInsensitive) == 0 ||
                t.compare(QLatin1String("bc") + BarcodeTypeName(TBarcodeType(i)), Qt::CaseInsensitive) == 0 ||
                t.compare(QLatin1String("bcCode") + BarcodeTypeName(TBarcodeType(i)), Qt::CaseInsensitive) == 0)
                setTyp(TBarcodeType(i));
    } else if (is("Modul"))
        setModul(t.toInt());
    else if (is("Ratio"))
        setRatio(QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
    else if (is("Angle"))
        setAngle(QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
    else if (is("BarcodeHeight"))
        setBarcodeHeight(t.toInt());
    else if (is("BarcodeWidth"))
        setBarcodeWidth(t.toInt());
    else if (is("Checksum"))
        setChecksum(t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t == QLatin1String("1"));
    else if (is("ShowText"))
        setShowText(t.endsWith(QLatin1String("None"), Qt::CaseInsensitive)   ? bcoNone
                    : t.endsWith(QLatin1String("Typ"), Qt::CaseInsensitive)  ? bcoTyp
                    : t.endsWith(QLatin1String("Both"), Qt::CaseInsensitive) ? bcoBoth
                                                                             : bcoCode);
    else if (is("Picture") || is("Width") || is("Height") || is("Frame") || is("Size"))
        return true; // follows the barcode; not set from outside
    else
        return TQRImage::setProperty(name, value);
    return true;
}
