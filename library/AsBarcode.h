// A barcode that turns a text into a bar pattern and draws it on a canvas, optionally rotated, with the
// text or the symbology's name beside it. Code 128 (sets A, B, C) and EAN-128 are encoded.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>

class QPainter;

enum TBarcodeType {
    bcCode_2_5_interleaved,
    bcCode_2_5_industrial,
    bcCode_2_5_matrix,
    bcCode39,
    bcCode39Extended,
    bcCode128A,
    bcCode128B,
    bcCode128C,
    bcCode93,
    bcCode93Extended,
    bcCodeMSI,
    bcCodePostNet,
    bcCodeCodabar,
    bcCodeEAN8,
    bcCodeEAN13,
    bcCodeUPC_A,
    bcCodeUPC_E0,
    bcCodeUPC_E1,
    bcCodeUPC_Supp2,
    bcCodeUPC_Supp5,
    bcCodeEAN128A,
    bcCodeEAN128B,
    bcCodeEAN128C
};
enum TCheckSumMethod { csmNone, csmModulo10 };
enum TBarcodeOption { bcoNone, bcoCode, bcoTyp, bcoBoth };
enum TShowTextPosition { stpTopLeft, stpTopRight, stpTopCenter, stpBottomLeft, stpBottomRight, stpBottomCenter };

// The longest text encoded: more than any label can print.
inline constexpr int kMaxBarcodeText = 80;

// The name a type shows with bcoTyp, and whether it takes digits only.
QString BarcodeTypeName(TBarcodeType type);
bool BarcodeTypeDigitsOnly(TBarcodeType type);

class TAsBarcode {
public:
    TAsBarcode();
    virtual ~TAsBarcode() = default;
    // Copies every property, the change handler included.
    void Assign(const TAsBarcode &other);

    int Height() const { return height_; }
    void setHeight(int value);
    QString Text() const { return text_; }
    void setText(const QString &value);
    int Top() const { return top_; }
    void setTop(int value);
    int Left() const { return left_; }
    void setLeft(int value);
    int Modul() const { return modul_; }
    void setModul(int value); // 1..49; other values are ignored
    double Ratio() const { return ratio_; }
    void setRatio(double value);
    TBarcodeType Typ() const { return typ_; }
    void setTyp(TBarcodeType value);
    bool Checksum() const { return checksum_; }
    void setChecksum(bool value);
    TCheckSumMethod CheckSumMethod() const { return checkSumMethod_; }
    void setCheckSumMethod(TCheckSumMethod value);
    double Angle() const { return angle_; }
    void setAngle(double value);
    TBarcodeOption ShowText() const { return showText_; }
    void setShowText(TBarcodeOption value);
    QFont ShowTextFont() const { return showTextFont_; }
    void setShowTextFont(const QFont &value);
    TShowTextPosition ShowTextPosition() const { return showTextPosition_; }
    void setShowTextPosition(TShowTextPosition value);
    QColor Color() const { return color_; }
    void setColor(const QColor &value);
    QColor ColorBar() const { return colorBar_; }
    void setColorBar(const QColor &value);
    // The total width of the pattern in pixels; setting it scales Modul.
    int Width();
    void setWidth(int value);

    std::function<void(TAsBarcode *sender)> OnChange;

    // The pattern: '0'..'3' spaces of width 1..4, '5'..'8' bars, 'A'..'D' short bars. Throws Exception
    // for a non-digit in a digits-only type, a type that is not encoded and a text of more than
    // kMaxBarcodeText characters.
    QString MakeData();
    // The text as encoded (with a leading "0" of set C and a check digit): what bcoCode shows.
    QString EncodedText() const { return encoded_; }
    // The bars and, as ShowText says, the text over them.
    void DrawBarcode(QPainter &canvas);
    // The bars alone.
    void DrawBars(QPainter &canvas);
    int CanvasHeight();
    int CanvasWidth();

protected:
    virtual void DoChange();

private:
    void oneBarProps(QChar code, int &width, bool &bar, bool &shortBar) const;
    void computeWidths();
    QString code128();

    int height_ = 0, top_ = 0, left_ = 0, modul_ = 1;
    QString text_, encoded_;
    double ratio_ = 2.0, angle_ = 0;
    TBarcodeType typ_ = bcCode128C;
    bool checksum_ = false;
    TCheckSumMethod checkSumMethod_ = csmModulo10;
    TBarcodeOption showText_ = bcoCode;
    QFont showTextFont_;
    TShowTextPosition showTextPosition_ = stpTopLeft;
    QColor color_ = Qt::white, colorBar_ = Qt::black;
    int widths_[4] = {1, 2, 3, 4};
};
