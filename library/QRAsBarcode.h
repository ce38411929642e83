// The report control that shows a barcode: the bars as its picture, drawn again whenever the barcode changes
// (printed documents set Text on each record), and the encoded text, when ShowText shows it, printed in the
// control's font centred under the bars, never over them (digits over bars spoil both).
#pragma once

#include "library/AsBarcode.h"
#include "platform/report/QRControls.h"

class TQRAsBarcode : public TQRImage {
public:
    explicit TQRAsBarcode(TQRBand *parent);

    TAsBarcode &Barcode() { return barcode_; }
    // Throws what the barcode throws for a text it cannot encode; no picture is left then.
    void setText(const QString &text) { barcode_.setText(text); }
    QString Text() const { return barcode_.Text(); }
    void setTyp(TBarcodeType value) { barcode_.setTyp(value); }
    void setModul(int value) { barcode_.setModul(value); }
    void setRatio(double value) { barcode_.setRatio(value); }
    void setAngle(double value) { barcode_.setAngle(value); }
    void setChecksum(bool value) { barcode_.setChecksum(value); }
    void setCheckSumMethod(TCheckSumMethod value) { barcode_.setCheckSumMethod(value); }
    void setShowText(TBarcodeOption value) { barcode_.setShowText(value); }
    void setColor(const QColor &value) { barcode_.setColor(value); }
    void setColorBar(const QColor &value) { barcode_.setColorBar(value); }
    int BarcodeHeight() const { return barcode_.Height(); }
    void setBarcodeHeight(int value) { barcode_.setHeight(value); }
    int BarcodeWidth() { return barcode_.Width(); }
    void setBarcodeWidth(int value) { barcode_.setWidth(value); }

    // Width and Height are the bars'; the digits take a line more below them.
    double neededHeight(const TQRContext &ctx) const override;
    void produce(const TQRContext &ctx, QPointF origin, TQRPage &page) override;
    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override { return QStringLiteral("TQRAsBarcode"); }

private:
    void redraw();
    bool showsDigits() const;
    double digitsHeight() const;
    TAsBarcode barcode_;
    bool redrawing_ = false;
};
