#include "platform/report/QRControls.h"

#include "platform/os/Format.h"
#include "platform/report/QRBand.h"
#include "platform/report/QuickRep.h"

#include <QFontMetricsF>
#include <QRegularExpression>

namespace {

bool is(const QString &name, const char *property)
{
    return name.compare(QLatin1String(property), Qt::CaseInsensitive) == 0;
}

bool parseBool(const QString &v)
{
    const QString t = v.trimmed().toLower();
    return t == QLatin1String("true") || t == QLatin1String("1") || t == QLatin1String("yes");
}

double parseNumber(const QString &v)
{
    QString t = v.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return t.toDouble();
}

QColor parseColor(const QString &v)
{
    static const QHash<QString, QColor> named = {
        {QStringLiteral("clblack"), Qt::black},
        {QStringLiteral("clwhite"), Qt::white},
        {QStringLiteral("clred"), Qt::red},
        {QStringLiteral("clblue"), Qt::blue},
        {QStringLiteral("clgreen"), QColor(0, 128, 0)},
        {QStringLiteral("clgray"), QColor(128, 128, 128)},
        {QStringLiteral("clsilver"), QColor(192, 192, 192)},
        {QStringLiteral("clnavy"), QColor(0, 0, 128)},
        {QStringLiteral("clmaroon"), QColor(128, 0, 0)},
        {QStringLiteral("clyellow"), Qt::yellow},
    };
    const QString t = v.trimmed();
    const auto it = named.constFind(t.toLower());
    if (it != named.constEnd())
        return it.value();
    if (t.startsWith(QLatin1Char('$'))) { // $00BBGGRR
        const uint bgr = t.mid(1).toUInt(nullptr, 16);
        return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
    }
    return QColor(t);
}

Qt::Alignment parseAlignment(const QString &v)
{
    const QString t = v.trimmed().toLower();
    if (t.contains(QLatin1String("right")))
        return Qt::AlignRight;
    if (t.contains(QLatin1String("center")))
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

// Width of a text at the report resolution, independent of the screen.
double textWidth(const QFont &font, const QString &text)
{
    static QImage device = [] {
        QImage img(1, 1, QImage::Format_Mono);
        img.setDotsPerMeterX(qRound(kReportDpi / 0.0254));
        img.setDotsPerMeterY(qRound(kReportDpi / 0.0254));
        return img;
    }();
    return QFontMetricsF(font, &device).horizontalAdvance(text);
}

} // namespace

QFont TQRComponent::font() const
{
    return ParentFont ? parentFont() : font_;
}

void TQRComponent::setFont(const QFont &font)
{
    font_ = font;
    ParentFont = false;
}

QFont &TQRComponent::Font()
{
    if (ParentFont) {
        font_ = parentFont();
        ParentFont = false;
    }
    return font_;
}

bool TQRComponent::setProperty(const QString &name, const QString &value)
{
    if (is(name, "Name"))
        Name = value;
    else if (is(name, "Left"))
        Left = parseNumber(value);
    else if (is(name, "Top"))
        Top = parseNumber(value);
    else if (is(name, "Width"))
        Width = parseNumber(value);
    else if (is(name, "Height"))
        Height = parseNumber(value);
    else if (is(name, "Enabled"))
        Enabled = parseBool(value);
    else if (is(name, "Tag"))
        Tag = int(parseNumber(value));
    else if (is(name, "Font.Name"))
        Font().setFamily(value);
    else if (is(name, "Font.Size"))
        Font().setPointSizeF(parseNumber(value));
    else if (is(name, "Font.Style")) {
        Font().setBold(value.contains(QLatin1String("bold"), Qt::CaseInsensitive));
        Font().setItalic(value.contains(QLatin1String("italic"), Qt::CaseInsensitive));
        Font().setUnderline(value.contains(QLatin1String("underline"), Qt::CaseInsensitive));
    } else if (is(name, "Font.Color"))
        FontColor = parseColor(value);
    else if (is(name, "Frame.DrawTop"))
        Frame.DrawTop = parseBool(value);
    else if (is(name, "Frame.DrawBottom"))
        Frame.DrawBottom = parseBool(value);
    else if (is(name, "Frame.DrawLeft"))
        Frame.DrawLeft = parseBool(value);
    else if (is(name, "Frame.DrawRight"))
        Frame.DrawRight = parseBool(value);
    else if (is(name, "Frame.Width"))
        Frame.Width = parseNumber(value);
    else if (is(name, "Frame.Color"))
        Frame.Color = parseColor(value);
    else if (is(name, "ParentFont"))
        ParentFont = parseBool(value);
    else
        return false;
    return true;
}

void TQRComponent::produceFrame(const QRectF &r, TQRPage &page) const
{
    if (!Frame.any())
        return;
    auto line = [&](QPointF a, QPointF b) {
        TQRItem item;
        item.kind = TQRItem::Line;
        item.rect = QRectF(a, b);
        item.color = Frame.Color;
        item.penWidth = Frame.Width;
        page.items.push_back(std::move(item));
    };
    if (Frame.DrawTop)
        line(r.topLeft(), r.topRight());
    if (Frame.DrawBottom)
        line(r.bottomLeft(), r.bottomRight());
    if (Frame.DrawLeft)
        line(r.topLeft(), r.bottomLeft());
    if (Frame.DrawRight)
        line(r.topRight(), r.bottomRight());
}

TQRPrintable::TQRPrintable(TQRBand *parent) : Parent(parent) {}

QFont TQRPrintable::parentFont() const
{
    return Parent ? Parent->font() : QFont();
}

bool TQRPrintable::setProperty(const QString &name, const QString &value)
{
    if (is(name, "Alignment"))
        Alignment = parseAlignment(value);
    else if (is(name, "AutoSize"))
        AutoSize = parseBool(value);
    else if (is(name, "Transparent"))
        Transparent = parseBool(value);
    else if (is(name, "Color"))
        Color = parseColor(value);
    else
        return TQRComponent::setProperty(name, value);
    return true;
}

void TQRPrintable::produceText(const QString &text, QPointF origin, TQRPage &page) const
{
    TQRItem item;
    item.kind = TQRItem::Text;
    item.rect = rectAt(origin);
    if (AutoSize && (Frame.any() || !Transparent)) {
        // The control takes the width of its text, keeping the edge its alignment holds. Text is drawn
        // unclipped from that edge, so only a frame or a background needs the measured width.
        const double w = textWidth(font(), text);
        if (Alignment & Qt::AlignRight)
            item.rect.setLeft(item.rect.right() - w);
        else if (Alignment & Qt::AlignHCenter)
            item.rect = QRectF(item.rect.center().x() - w / 2, item.rect.top(), w, item.rect.height());
        else
            item.rect.setWidth(w);
    }
    item.text = text;
    item.font = font();
    item.alignment = Alignment;
    item.color = FontColor;
    if (!Transparent)
        item.background = Color;
    produceFrame(item.rect, page);
    page.items.push_back(std::move(item));
}

void TQRLabel::produce(const TQRContext &, QPointF origin, TQRPage &page)
{
    produceText(Caption, origin, page);
}

bool TQRLabel::setProperty(const QString &name, const QString &value)
{
    if (is(name, "Caption") || is(name, "Text"))
        Caption = value;
    else
        return TQRPrintable::setProperty(name, value);
    return true;
}

QString TQRDBText::text(const TQRContext &ctx) const
{
    if (!ctx.Row || !ctx.Row->valid())
        return {};
    const int i = ctx.Row->info->find(DataField);
    if (i < 0)
        return {};
    if (Mask.isEmpty())
        return ctx.Row->texts.value(i);
    return QRMaskedText(ctx.Row->values.value(i), Mask);
}

void TQRDBText::produce(const TQRContext &ctx, QPointF origin, TQRPage &page)
{
    produceText(text(ctx), origin, page);
}

bool TQRDBText::setProperty(const QString &name, const QString &value)
{
    if (is(name, "DataField"))
        DataField = value;
    else if (is(name, "Mask"))
        Mask = value;
    else
        return TQRPrintable::setProperty(name, value);
    return true;
}

QString TQRExpr::text(const TQRContext &ctx) const
{
    return QRMaskedText(expr_->evaluate(ctx), Mask);
}

void TQRExpr::produce(const TQRContext &ctx, QPointF origin, TQRPage &page)
{
    produceText(text(ctx), origin, page);
    if (ResetAfterPrint)
        expr_->reset();
}

bool TQRExpr::setProperty(const QString &name, const QString &value)
{
    if (is(name, "Expression"))
        setExpression(value);
    else if (is(name, "Mask"))
        Mask = value;
    else if (is(name, "ResetAfterPrint"))
        ResetAfterPrint = parseBool(value);
    else
        return TQRPrintable::setProperty(name, value);
    return true;
}

QStringList TQRMemo::printedLines(const TQRContext &ctx) const
{
    static const QRegularExpression braces(QStringLiteral("\\{([^{}]*)\\}"));
    QStringList out;
    for (const QString &line : Lines) {
        QString text = line;
        if (text.contains(QLatin1Char('{'))) {
            QString result;
            qsizetype last = 0;
            for (auto it = braces.globalMatch(line); it.hasNext();) {
                const auto m = it.next();
                result += line.mid(last, m.capturedStart() - last);
                auto &expr = cache_[m.captured(1)];
                if (!expr)
                    expr = std::make_shared<TQRExpression>(m.captured(1));
                // A fixed-width text column's padding never runs into the sentence around it.
                QString value = QRValueText(expr->evaluate(ctx));
                while (value.endsWith(QLatin1Char(' ')))
                    value.chop(1);
                result += value;
                last = m.capturedEnd();
            }
            text = result + line.mid(last);
        }
        if (!WordWrap || Width <= 0 || textWidth(font(), text) <= Width) {
            out << text;
            continue;
        }
        // Break at blanks; a word longer than the width stands on its own line.
        QString current;
        for (const QString &word : text.split(QLatin1Char(' '))) {
            const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (!current.isEmpty() && textWidth(font(), candidate) > Width) {
                out << current;
                current = word;
            } else {
                current = candidate;
            }
        }
        out << current;
    }
    return out;
}

double TQRMemo::lineHeight() const
{
    // A line of the font at its usual leading, in report units.
    return font().pointSizeF() * kReportDpi / 72.0 * 1.15;
}

double TQRMemo::neededHeight(const TQRContext &ctx) const
{
    if (!AutoStretch)
        return Height;
    return std::max(Height, double(printedLines(ctx).size()) * lineHeight());
}

void TQRMemo::produce(const TQRContext &ctx, QPointF origin, TQRPage &page)
{
    const QStringList lines = printedLines(ctx);
    produceBox(lines, 0, int(lines.size()), origin,
               AutoStretch ? std::max(Height, lines.size() * lineHeight()) : Height, page);
}

void TQRMemo::produceLines(const TQRContext &ctx, QPointF origin, TQRPage &page, int first, int count)
{
    produceBox(printedLines(ctx), first, count, origin, count * lineHeight(), page);
}

void TQRMemo::produceBox(const QStringList &lines, int first, int count, QPointF origin, double height,
                         TQRPage &page) const
{
    const double lh = lineHeight();
    const QRectF box(origin.x() + Left, origin.y() + Top, Width, height);
    if (!Transparent) {
        TQRItem bg;
        bg.kind = TQRItem::Rect;
        bg.rect = box;
        bg.filled = true;
        bg.background = Color;
        bg.color = Color;
        page.items.push_back(std::move(bg));
    }
    double y = box.top();
    for (int i = first; i < first + count && i < lines.size(); ++i) {
        if (y + lh > box.bottom() + 0.5)
            break; // a fixed memo shows what fits
        TQRItem item;
        item.kind = TQRItem::Text;
        item.rect = QRectF(box.left(), y, Width, lh);
        item.text = lines[i];
        item.font = font();
        item.alignment = Alignment;
        item.color = FontColor;
        page.items.push_back(std::move(item));
        y += lh;
    }
    produceFrame(box, page);
}

bool TQRMemo::setProperty(const QString &name, const QString &value)
{
    if (is(name, "Lines") || is(name, "Lines.Text") || is(name, "Caption")) {
        QString text = value;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        Lines = text.split(QLatin1Char('\n'));
    } else if (is(name, "WordWrap"))
        WordWrap = parseBool(value);
    else if (is(name, "AutoStretch"))
        AutoStretch = parseBool(value);
    else
        return TQRPrintable::setProperty(name, value);
    return true;
}

void TQRImage::produce(const TQRContext &, QPointF origin, TQRPage &page)
{
    const QRectF box = rectAt(origin);
    if (!Picture.isNull()) {
        TQRItem item;
        item.kind = TQRItem::Image;
        item.image = Picture;
        // A picture's pixels are report units.
        QSizeF size = Picture.size();
        if (Stretch) {
            size = box.size();
        }
        QRectF r(box.topLeft(), size);
        if (Center)
            r.moveCenter(box.center());
        item.rect = r.intersected(box);
        if (item.rect != r) { // only what lies inside the control shows
            const double sx = Picture.width() / r.width(), sy = Picture.height() / r.height();
            const QRectF src((item.rect.left() - r.left()) * sx, (item.rect.top() - r.top()) * sy,
                             item.rect.width() * sx, item.rect.height() * sy);
            item.image = Picture.copy(src.toAlignedRect());
        }
        if (!item.rect.isEmpty())
            page.items.push_back(std::move(item));
    }
    produceFrame(box, page);
}

bool TQRImage::setProperty(const QString &name, const QString &value)
{
    if (is(name, "Center"))
        Center = parseBool(value);
    else if (is(name, "Stretch"))
        Stretch = parseBool(value);
    else if (is(name, "Picture"))
        loadFromFile(value);
    else
        return TQRPrintable::setProperty(name, value);
    return true;
}

void TQRShape::produce(const TQRContext &, QPointF origin, TQRPage &page)
{
    const QRectF r = rectAt(origin);
    auto line = [&](QPointF a, QPointF b) {
        TQRItem item;
        item.kind = TQRItem::Line;
        item.rect = QRectF(a, b);
        item.color = PenColor;
        item.penWidth = PenWidth;
        page.items.push_back(std::move(item));
    };
    switch (Shape) {
    case qrsRectangle: {
        TQRItem item;
        item.kind = TQRItem::Rect;
        item.rect = r;
        item.color = PenColor;
        item.penWidth = PenWidth;
        item.filled = Filled;
        item.background = BrushColor;
        page.items.push_back(std::move(item));
        break;
    }
    case qrsHorLine: // through the middle of the control
        line(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
        break;
    case qrsVertLine:
        line(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
        break;
    case qrsTopAndBottom:
        line(r.topLeft(), r.topRight());
        line(r.bottomLeft(), r.bottomRight());
        break;
    case qrsRightAndLeft:
        line(r.topLeft(), r.bottomLeft());
        line(r.topRight(), r.bottomRight());
        break;
    }
}

bool TQRShape::setProperty(const QString &name, const QString &value)
{
    if (is(name, "Shape")) {
        const QString t = value.trimmed().toLower();
        Shape = t.contains(QLatin1String("horline"))        ? qrsHorLine
                : t.contains(QLatin1String("vertline"))     ? qrsVertLine
                : t.contains(QLatin1String("topandbottom")) ? qrsTopAndBottom
                : t.contains(QLatin1String("rightandleft")) ? qrsRightAndLeft
                                                            : qrsRectangle;
    } else if (is(name, "Pen.Width"))
        PenWidth = parseNumber(value);
    else if (is(name, "Pen.Color"))
        PenColor = parseColor(value);
    else if (is(name, "Brush.Color")) {
        BrushColor = parseColor(value);
        Filled = true;
    } else
        return TQRPrintable::setProperty(name, value);
    return true;
}

void TQRSysData::produce(const TQRContext &ctx, QPointF origin, TQRPage &page)
{
    QString value;
    switch (Data) {
    case qrsTime:
        value = FormatDateTime(FormatSettings().LongTimeFormat, ctx.Now);
        break;
    case qrsDate:
        value = FormatDateTime(FormatSettings().ShortDateFormat, ctx.Now.date());
        break;
    case qrsDateTime:
        value = FormatDateTime(FormatSettings().ShortDateFormat + QLatin1Char(' ') + FormatSettings().LongTimeFormat,
                               ctx.Now);
        break;
    case qrsPageNumber:
        value = QString::number(ctx.PageNumber);
        break;
    case qrsReportTitle:
        value = ctx.Report ? ctx.Report->ReportTitle : QString();
        break;
    case qrsDetailNo:
        value = QString::number(ctx.DetailNo);
        break;
    }
    produceText(Text + value, origin, page);
}

bool TQRSysData::setProperty(const QString &name, const QString &value)
{
    if (is(name, "Text"))
        Text = value;
    else if (is(name, "Data")) {
        const QString t = value.trimmed().toLower();
        Data = t.contains(QLatin1String("pagenumber")) ? qrsPageNumber
               : t.contains(QLatin1String("datetime")) ? qrsDateTime
               : t.contains(QLatin1String("time"))     ? qrsTime
               : t.contains(QLatin1String("title"))    ? qrsReportTitle
               : t.contains(QLatin1String("detailno")) ? qrsDetailNo
                                                       : qrsDate;
    } else
        return TQRPrintable::setProperty(name, value);
    return true;
}

bool setPropertyByName(TQRComponent *component, const QString &name, const QString &value)
{
    return component && component->setProperty(name, value);
}
