#include "library/AsBarcode.h"

#include "platform/os/Exception.h"
#include "platform/os/Format.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <cmath>

namespace {

// Module widths (bar, space, bar, ...) of the Code 128 symbol values 0..105.
const char *const kCode128[106] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213", "221312",
    "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132", "221231", "213212",
    "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211", "212123", "212321", "232121",
    "111323", "131123", "131321", "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",
    "132131", "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131", "311123",
    "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111", "111224", "111422", "121124",
    "121421", "141122", "141221", "112214", "112412", "122114", "122411", "142112", "142211", "241211", "221114",
    "413111", "241112", "134111", "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112",
    "421211", "212141", "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232"};
const char *const kStop = "2331112";
constexpr int kFnc1 = 102, kStartA = 103, kStartB = 104, kStartC = 105;

struct TypeInfo {
    const char *name;
    bool digitsOnly;
};
const TypeInfo kTypes[] = {{"2_5_interleaved", true},
                           {"2_5_industrial", true},
                           {"2_5_matrix", true},
                           {"Code39", false},
                           {"Code39 Extended", false},
                           {"Code128A", false},
                           {"Code128B", false},
                           {"Code128C", true},
                           {"Code93", false},
                           {"Code93 Extended", false},
                           {"MSI", true},
                           {"PostNet", true},
                           {"Codebar", false},
                           {"EAN8", true},
                           {"EAN13", true},
                           {"UPC_A", true},
                           {"UPC_E0", true},
                           {"UPC_E1", true},
                           {"UPC Supp2", true},
                           {"UPC Supp5", true},
                           {"EAN128A", false},
                           {"EAN128B", false},
                           {"EAN128C", true}};

int roundEven(double value)
{
    return int(RoundHalfEven(value, 0));
}

// The check digit appended to EAN-128 texts: from the right, odd positions weigh 3, even ones 1.
QChar modulo10(const QString &text)
{
    int sum = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[text.size() - 1 - i];
        if (!c.isDigit() || c.unicode() > '9')
            throw EConvertError(QStringLiteral("„%1“ nie je platné celé číslo").arg(QString(c)));
        sum += (c.unicode() - '0') * (i % 2 == 0 ? 3 : 1);
    }
    return QChar('0' + (10 - sum % 10) % 10);
}

} // namespace

QString BarcodeTypeName(TBarcodeType type)
{
    return QString::fromLatin1(kTypes[type].name);
}

bool BarcodeTypeDigitsOnly(TBarcodeType type)
{
    return kTypes[type].digitsOnly;
}

TAsBarcode::TAsBarcode() = default;

void TAsBarcode::Assign(const TAsBarcode &o)
{
    height_ = o.height_;
    text_ = o.text_;
    top_ = o.top_;
    left_ = o.left_;
    modul_ = o.modul_;
    ratio_ = o.ratio_;
    typ_ = o.typ_;
    checksum_ = o.checksum_;
    checkSumMethod_ = o.checkSumMethod_;
    angle_ = o.angle_;
    showText_ = o.showText_;
    showTextFont_ = o.showTextFont_;
    showTextPosition_ = o.showTextPosition_;
    color_ = o.color_;
    colorBar_ = o.colorBar_;
    OnChange = o.OnChange;
    DoChange();
}

void TAsBarcode::DoChange()
{
    if (OnChange)
        OnChange(this);
}

// Every setter tells of a change only when the value changes.
#define BARCODE_SETTER(setter, member, type)                                                                           \
    void TAsBarcode::setter(type value)                                                                                \
    {                                                                                                                  \
        if (member == value)                                                                                           \
            return;                                                                                                    \
        member = value;                                                                                                \
        DoChange();                                                                                                    \
    }
BARCODE_SETTER(setHeight, height_, int)
BARCODE_SETTER(setText, text_, const QString &)
BARCODE_SETTER(setTop, top_, int)
BARCODE_SETTER(setLeft, left_, int)
BARCODE_SETTER(setRatio, ratio_, double)
BARCODE_SETTER(setTyp, typ_, TBarcodeType)
BARCODE_SETTER(setChecksum, checksum_, bool)
BARCODE_SETTER(setCheckSumMethod, checkSumMethod_, TCheckSumMethod)
BARCODE_SETTER(setAngle, angle_, double)
BARCODE_SETTER(setShowText, showText_, TBarcodeOption)
BARCODE_SETTER(setShowTextFont, showTextFont_, const QFont &)
BARCODE_SETTER(setShowTextPosition, showTextPosition_, TShowTextPosition)
BARCODE_SETTER(setColor, color_, const QColor &)
BARCODE_SETTER(setColorBar, colorBar_, const QColor &)
#undef BARCODE_SETTER

void TAsBarcode::setModul(int value)
{
    if (value < 1 || value > 49 || value == modul_)
        return;
    modul_ = value;
    DoChange();
}

int TAsBarcode::Width()
{
    const QString data = MakeData();
    int w = 0;
    for (const QChar c : data) {
        int width;
        bool bar, shortBar;
        oneBarProps(c, width, bar, shortBar);
        w += width;
    }
    return w;
}

void TAsBarcode::setWidth(int value)
{
    const int current = Width();
    if (current > 0)
        setModul(modul_ * value / current);
}

void TAsBarcode::computeWidths()
{
    double ratio = ratio_;
    switch (typ_) {
    case bcCode_2_5_matrix:
        ratio = std::clamp(ratio, 2.25, 3.0);
        break;
    case bcCode_2_5_interleaved:
    case bcCode_2_5_industrial:
    case bcCode39:
    case bcCode39Extended:
    case bcCodeCodabar:
    case bcCodeEAN8:
    case bcCodeEAN13:
    case bcCodeUPC_A:
    case bcCodeUPC_E0:
    case bcCodeUPC_E1:
    case bcCodeUPC_Supp2:
    case bcCodeUPC_Supp5:
        ratio = std::clamp(ratio, 2.0, 3.0);
        break;
    default:
        break;
    }
    widths_[0] = modul_;
    widths_[1] = roundEven(modul_ * ratio);
    widths_[2] = widths_[1] * 3 / 2;
    widths_[3] = 2 * widths_[1];
}

void TAsBarcode::oneBarProps(QChar code, int &width, bool &bar, bool &shortBar) const
{
    const char16_t c = code.unicode();
    shortBar = false;
    if (c >= '0' && c <= '3') {
        width = widths_[c - '0'];
        bar = false;
    } else if (c >= '5' && c <= '8') {
        width = widths_[c - '5'];
        bar = true;
    } else if (c >= 'A' && c <= 'D') {
        width = widths_[c - 'A'];
        bar = true;
        shortBar = true;
    } else {
        throw Exception(QStringLiteral("TAsBarcode: internal Error"));
    }
}

QString TAsBarcode::MakeData()
{
    computeWidths();
    // No label prints a longer symbol; a longer text is refused before it is encoded.
    if (text_.size() > kMaxBarcodeText)
        throw Exception(QStringLiteral("TAsBarcode: text je príliš dlhý (najviac %1 znakov)").arg(kMaxBarcodeText));
    if (BarcodeTypeDigitsOnly(typ_)) {
        text_ = text_.trimmed();
        for (const QChar c : text_)
            if (c.unicode() < '0' || c.unicode() > '9')
                throw Exception(QStringLiteral("Barcode must be numeric"));
    }
    switch (typ_) {
    case bcCode128A:
    case bcCode128B:
    case bcCode128C:
    case bcCodeEAN128A:
    case bcCodeEAN128B:
    case bcCodeEAN128C:
        return code128();
    default:
        throw Exception(QStringLiteral("TAsBarcode: wrong BarcodeType"));
    }
}

QString TAsBarcode::code128()
{
    const bool ean = typ_ == bcCodeEAN128A || typ_ == bcCodeEAN128B || typ_ == bcCodeEAN128C;
    const bool setA = typ_ == bcCode128A || typ_ == bcCodeEAN128A;
    const bool setC = typ_ == bcCode128C || typ_ == bcCodeEAN128C;
    const int start = setA ? kStartA : (setC ? kStartC : kStartB);

    QString widths = QString::fromLatin1(kCode128[start]);
    int sum = start;
    int weight = 1;
    auto put = [&](int value) {
        widths += QString::fromLatin1(kCode128[value]);
        sum = (sum + value * weight) % 103;
        ++weight;
    };
    QString text = text_;
    if (ean) {
        widths += QString::fromLatin1(kCode128[kFnc1]);
        sum += kFnc1 * weight;
        weight = 2;
        // The check digit is added to what is encoded, never to Text.
        if (checksum_ && checkSumMethod_ == csmModulo10)
            text += modulo10(text);
    }
    if (setC) {
        if (text.size() % 2 == 1) {
            text.prepend(QLatin1Char('0'));
            text_.prepend(QLatin1Char('0'));
        }
        for (int i = 0; i + 1 < text.size(); i += 2) {
            const int hi = text[i].unicode() - '0', lo = text[i + 1].unicode() - '0';
            put(hi >= 0 && hi <= 9 && lo >= 0 && lo <= 9 ? hi * 10 + lo : 0);
        }
    } else {
        const int last = setA ? 95 : 126;
        for (const QChar c : text) {
            const int code = c.unicode();
            put(code >= 32 && code <= last ? code - 32 : 0); // a character outside the set prints as a blank
        }
    }
    widths += QString::fromLatin1(kCode128[sum % 103]);
    widths += QString::fromLatin1(kStop);
    encoded_ = text;

    QString pattern;
    pattern.reserve(widths.size());
    for (int i = 0; i < widths.size(); ++i) {
        const int w = widths[i].unicode() - '1'; // 0..3
        pattern += QChar((i % 2 == 0 ? '5' : '0') + w);
    }
    return pattern;
}

int TAsBarcode::CanvasHeight()
{
    const double a = angle_ / 180.0 * M_PI;
    return roundEven(std::fabs(std::cos(a)) * height_ + std::fabs(std::sin(a)) * Width() + 0.5);
}

int TAsBarcode::CanvasWidth()
{
    const double a = angle_ / 180.0 * M_PI;
    return roundEven(std::fabs(std::cos(a)) * Width() + std::fabs(std::sin(a)) * height_ + 0.5);
}

void TAsBarcode::DrawBars(QPainter &canvas)
{
    const QString data = MakeData();
    canvas.save();
    const double a = angle_ / 180.0 * M_PI;
    const double s = std::sin(a), c = std::cos(a);
    const int W = Width(), H = height_;
    QPoint origin(left_, top_);
    if (s >= 0 && c >= 0)
        origin += QPoint(0, roundEven(W * s));
    else if (s >= 0)
        origin += QPoint(-roundEven(W * c), roundEven(W * s - H * c));
    else if (c >= 0)
        origin += QPoint(-roundEven(H * s), 0);
    else
        origin += QPoint(-roundEven(W * c) - roundEven(H * s), -roundEven(H * c));

    auto rotate = [&](int px, int py) {
        return QPoint(roundEven(px * c + py * s), roundEven(-px * s + py * c)) + origin;
    };
    int x = 0;
    for (const QChar code : data) {
        int w;
        bool bar, shortBar;
        oneBarProps(code, w, bar, shortBar);
        const QColor colour = bar ? colorBar_ : color_;
        canvas.setPen(QPen(colour, 1));
        canvas.setBrush(colour);
        const int h = shortBar ? H * 2 / 5 : H;
        const QPolygon poly{rotate(x, 0), rotate(x, h), rotate(x + w - 1, h), rotate(x + w - 1, 0)};
        canvas.drawPolygon(poly);
        x += w;
    }
    canvas.restore();
}

void TAsBarcode::DrawBarcode(QPainter &canvas)
{
    DrawBars(canvas);
    if (showText_ == bcoNone)
        return;
    const int W = Width(), H = height_;
    canvas.save();
    canvas.setFont(showTextFont_);
    canvas.setPen(Qt::black);
    canvas.setBrush(Qt::white);
    canvas.setBackgroundMode(Qt::OpaqueMode);
    canvas.setBackground(Qt::white);
    const QFontMetrics fm(showTextFont_, canvas.device());
    const int textWidth = fm.horizontalAdvance(encoded_);
    int tx = left_, ty = top_;
    switch (showTextPosition_) {
    case stpTopRight:
    case stpBottomRight:
        tx = left_ + W - textWidth;
        break;
    case stpTopCenter:
    case stpBottomCenter:
        tx = left_ + (W - textWidth) / 2;
        break;
    default:
        break;
    }
    if (showTextPosition_ >= stpBottomLeft)
        ty = top_ + H - fm.height();
    if (showText_ == bcoCode || showText_ == bcoBoth)
        canvas.drawText(QRect(tx, ty, textWidth + 1, fm.height()), Qt::AlignLeft | Qt::AlignTop, encoded_);
    if (showText_ == bcoTyp || showText_ == bcoBoth) {
        // A font in points has a negative height value, so the name stands above Top.
        const int fontHeight = -fm.height();
        const int ny = top_ + roundEven(fontHeight * 2.5);
        const QString name = BarcodeTypeName(typ_);
        canvas.drawText(QRect(left_, ny, fm.horizontalAdvance(name) + 1, fm.height()), Qt::AlignLeft | Qt::AlignTop,
                        name);
    }
    canvas.restore();
}
