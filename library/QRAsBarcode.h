// The report control that shows a barcode as its picture; the picture is drawn again whenever the
// barcode changes (printed documents set Text on each record).
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

    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override { return QStringLiteral("TQRAsBarcode"); }

private:
    void redraw();
    TAsBarcode barcode_;
    bool redrawing_ = false;
};
