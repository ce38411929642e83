#include "platform/report/QRExpression.h"

#include "platform/os/Exception.h"
#include "platform/os/Format.h"

#include <cmath>
#include <limits>

int TQRFieldInfo::find(const QString &name) const
{
    auto it = index.constFind(name.toUpper());
    if (it != index.constEnd())
        return it.value();
    // "Query.FIELD" names the field of the report's data set.
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) {
        it = index.constFind(name.mid(dot + 1).toUpper());
        if (it != index.constEnd())
            return it.value();
    }
    return -1;
}

namespace {

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool isText(const QVariant &v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QChar;
}

double toNumber(const QVariant &v)
{
    if (v.isNull())
        return 0;
    if (isNumber(v))
        return v.toDouble();
    if (v.typeId() == QMetaType::QDate)
        return double(QDate(1899, 12, 30).daysTo(v.toDate()));
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        return double(QDate(1899, 12, 30).daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
    }
    double d = 0;
    if (TryStrToFloat(v.toString(), d))
        return d;
    return 0;
}

bool toBool(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isText(v))
        return v.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    return toNumber(v) != 0;
}

[[noreturn]] void syntaxError(const QString &text, const QString &why)
{
    throw Exception(QStringLiteral("Chybný výraz „%1“: %2").arg(text, why));
}

} // namespace

QString QRValueText(const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return FloatToStr(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return FormatDateTime(FormatSettings().ShortDateFormat, value.toDate());
    case QMetaType::QDateTime:
        return FormatDateTime(QStringLiteral("c"), value.toDateTime());
    default:
        return value.toString();
    }
}

QString QRMaskedText(const QVariant &value, const QString &mask)
{
    if (mask.isEmpty() || value.isNull())
        return QRValueText(value);
    if (value.typeId() == QMetaType::QDate)
        return FormatDateTime(mask, value.toDate());
    if (value.typeId() == QMetaType::QDateTime)
        return FormatDateTime(mask, value.toDateTime());
    if (isNumber(value))
        return FormatFloat(mask, value.toDouble());
    // Text that holds a number (a CHAR column of digits) takes a numeric mask too.
    double d = 0;
    if (isText(value) && TryStrToFloat(value.toString(), d))
        return FormatFloat(mask, d);
    return value.toString();
}

struct TQRExpression::Node {
    enum Op {
        Const,
        Field,
        Neg,
        Not,
        Add,
        Sub,
        Mul,
        Div,
        Eq,
        Ne,
        Lt,
        Gt,
        Le,
        Ge,
        And,
        Or,
        If,
        Str,
        FormatNumeric,
        Sum,
        Count,
        Min,
        Max,
        Average
    };
    Op op = Const;
    QVariant constant;
    QString name;
    std::vector<std::unique_ptr<Node>> args;
    // aggregate state
    double sum = 0, extreme = 0;
    qint64 count = 0;

    bool aggregate() const { return op >= Sum; }
};

namespace {

using Node = TQRExpression::Node;

struct Parser {
    const QString &src;
    int pos = 0;

    explicit Parser(const QString &s) : src(s) {}

    void skipBlanks()
    {
        while (pos < src.size() && src[pos].isSpace())
            ++pos;
    }
    bool peek(const char *tok)
    {
        skipBlanks();
        return src.mid(pos).startsWith(QLatin1String(tok));
    }
    bool accept(const char *tok)
    {
        if (!peek(tok))
            return false;
        pos += int(strlen(tok));
        return true;
    }
    bool acceptWord(const char *word)
    {
        skipBlanks();
        const int n = int(strlen(word));
        if (src.mid(pos, n).compare(QLatin1String(word), Qt::CaseInsensitive) != 0)
            return false;
        if (pos + n < src.size() && (src[pos + n].isLetterOrNumber() || src[pos + n] == QLatin1Char('_')))
            return false;
        pos += n;
        return true;
    }
    void expect(const char *tok)
    {
        if (!accept(tok))
            syntaxError(
                src, QStringLiteral("očakáva sa „%1“ na pozícii %2").arg(QLatin1String(tok), QString::number(pos + 1)));
    }

    static std::unique_ptr<Node> make(Node::Op op, std::unique_ptr<Node> a = {}, std::unique_ptr<Node> b = {})
    {
        auto n = std::make_unique<Node>();
        n->op = op;
        if (a)
            n->args.push_back(std::move(a));
        if (b)
            n->args.push_back(std::move(b));
        return n;
    }

    std::unique_ptr<Node> parseOr()
    {
        auto left = parseAnd();
        while (acceptWord("or"))
            left = make(Node::Or, std::move(left), parseAnd());
        return left;
    }
    std::unique_ptr<Node> parseAnd()
    {
        auto left = parseNot();
        while (acceptWord("and"))
            left = make(Node::And, std::move(left), parseNot());
        return left;
    }
    std::unique_ptr<Node> parseNot()
    {
        if (acceptWord("not"))
            return make(Node::Not, parseNot());
        return parseComparison();
    }
    std::unique_ptr<Node> parseComparison()
    {
        auto left = parseAdditive();
        for (;;) {
            Node::Op op;
            if (accept("<>"))
                op = Node::Ne;
            else if (accept("<="))
                op = Node::Le;
            else if (accept(">="))
                op = Node::Ge;
            else if (accept("="))
                op = Node::Eq;
            else if (accept("<"))
                op = Node::Lt;
            else if (accept(">"))
                op = Node::Gt;
            else
                return left;
            left = make(op, std::move(left), parseAdditive());
        }
    }
    std::unique_ptr<Node> parseAdditive()
    {
        auto left = parseTerm();
        for (;;) {
            if (accept("+"))
                left = make(Node::Add, std::move(left), parseTerm());
            else if (accept("-"))
                left = make(Node::Sub, std::move(left), parseTerm());
            else
                return left;
        }
    }
    std::unique_ptr<Node> parseTerm()
    {
        auto left = parseUnary();
        for (;;) {
            if (accept("*"))
                left = make(Node::Mul, std::move(left), parseUnary());
            else if (accept("/"))
                left = make(Node::Div, std::move(left), parseUnary());
            else
                return left;
        }
    }
    std::unique_ptr<Node> parseUnary()
    {
        if (accept("-"))
            return make(Node::Neg, parseUnary());
        if (accept("+"))
            return parseUnary();
        return parsePrimary();
    }
    QString identifier()
    {
        skipBlanks();
        const int start = pos;
        while (pos < src.size() &&
               (src[pos].isLetterOrNumber() || src[pos] == QLatin1Char('_') || src[pos] == QLatin1Char('.')))
            ++pos;
        return src.mid(start, pos - start);
    }
    std::unique_ptr<Node> parsePrimary()
    {
        skipBlanks();
        if (pos >= src.size())
            syntaxError(src, QStringLiteral("neočakávaný koniec"));
        const QChar c = src[pos];
        if (accept("(")) {
            auto inner = parseOr();
            expect(")");
            return inner;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            ++pos;
            QString s;
            for (;;) {
                if (pos >= src.size())
                    syntaxError(src, QStringLiteral("neukončený text"));
                if (src[pos] == c) {
                    if (pos + 1 < src.size() && src[pos + 1] == c) {
                        s += c;
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                s += src[pos++];
            }
            auto n = make(Node::Const);
            n->constant = s;
            return n;
        }
        if (c.isDigit() || (c == QLatin1Char('.') && pos + 1 < src.size() && src[pos + 1].isDigit())) {
            const int start = pos;
            while (pos < src.size() && (src[pos].isDigit() || src[pos] == QLatin1Char('.')))
                ++pos;
            bool ok = false;
            const double d = src.mid(start, pos - start).toDouble(&ok); // C locale, as written in layouts
            if (!ok)
                syntaxError(src, QStringLiteral("chybné číslo"));
            auto n = make(Node::Const);
            n->constant = d;
            return n;
        }
        if (c == QLatin1Char('[')) {
            const int end = src.indexOf(QLatin1Char(']'), pos);
            if (end < 0)
                syntaxError(src, QStringLiteral("chýba „]“"));
            auto n = make(Node::Field);
            n->name = src.mid(pos + 1, end - pos - 1).trimmed();
            pos = end + 1;
            return n;
        }
        const QString id = identifier();
        if (id.isEmpty())
            syntaxError(src, QStringLiteral("neočakávaný znak „%1“").arg(c));
        const QString up = id.toUpper();
        if (up == QLatin1String("TRUE") || up == QLatin1String("FALSE")) {
            auto n = make(Node::Const);
            n->constant = up == QLatin1String("TRUE");
            return n;
        }
        if (accept("(")) {
            static const QHash<QString, std::pair<Node::Op, int>> functions = {
                {QStringLiteral("IF"), {Node::If, 3}},
                {QStringLiteral("STR"), {Node::Str, 1}},
                {QStringLiteral("FORMATNUMERIC"), {Node::FormatNumeric, 2}},
                {QStringLiteral("SUM"), {Node::Sum, 1}},
                {QStringLiteral("COUNT"), {Node::Count, -1}},
                {QStringLiteral("MIN"), {Node::Min, 1}},
                {QStringLiteral("MAX"), {Node::Max, 1}},
                {QStringLiteral("AVERAGE"), {Node::Average, 1}},
            };
            const auto f = functions.constFind(up);
            if (f == functions.constEnd())
                syntaxError(src, QStringLiteral("neznáma funkcia %1").arg(id));
            auto n = make(f->first);
            if (!accept(")")) {
                do
                    n->args.push_back(parseOr());
                while (accept(",") || accept(";"));
                expect(")");
            }
            const int want = f->second;
            if ((want >= 0 && int(n->args.size()) != want) || (want < 0 && n->args.size() > 1))
                syntaxError(src, QStringLiteral("nesprávny počet parametrov funkcie %1").arg(id));
            return n;
        }
        if (up == QLatin1String("COUNT"))
            return make(Node::Count); // COUNT stands without parentheses too
        auto n = make(Node::Field);
        n->name = id;
        return n;
    }
};

int compareValues(const QVariant &a, const QVariant &b)
{
    if ((isText(a) || a.isNull()) && (isText(b) || b.isNull()) && !(a.isNull() && b.isNull()))
        return a.toString().compare(b.toString());
    if (isText(a) && isText(b))
        return a.toString().compare(b.toString());
    const double x = toNumber(a), y = toNumber(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

QVariant eval(const Node &n, const TQRContext &ctx);

QVariant evalField(const Node &n, const TQRContext &ctx)
{
    if (ctx.Row && ctx.Row->valid()) {
        const int i = ctx.Row->info->find(n.name);
        if (i >= 0)
            return ctx.Row->values.value(i);
    }
    if (ctx.Functions) {
        const auto f = ctx.Functions->constFind(n.name.toUpper());
        if (f != ctx.Functions->constEnd() && f.value()) {
            // A function that names itself, directly or through others, would never end.
            static thread_local int depth = 0;
            if (depth > 32)
                throw Exception(QStringLiteral("Funkcia zostavy „%1“ odkazuje sama na seba").arg(n.name));
            ++depth;
            struct Leave {
                ~Leave() { --depth; }
            } leave;
            return f.value()->evaluate(ctx);
        }
    }
    if (ctx.Row && ctx.Row->valid())
        throw Exception(QStringLiteral("Neznáme pole „%1“ vo výraze zostavy").arg(n.name));
    return {}; // no record (an empty data set): fields print empty
}

QVariant arithmetic(Node::Op op, const QVariant &a, const QVariant &b)
{
    if (op == Node::Add && (isText(a) || isText(b)))
        return QRValueText(a) + QRValueText(b);
    const double x = toNumber(a), y = toNumber(b);
    switch (op) {
    case Node::Add:
        return x + y;
    case Node::Sub:
        return x - y;
    case Node::Mul:
        return x * y;
    default:
        // A division by zero prints nothing rather than a number that means nothing.
        if (y == 0)
            return QVariant();
        return x / y;
    }
}

QVariant eval(const Node &n, const TQRContext &ctx)
{
    switch (n.op) {
    case Node::Const:
        return n.constant;
    case Node::Field:
        return evalField(n, ctx);
    case Node::Neg:
        return -toNumber(eval(*n.args[0], ctx));
    case Node::Not:
        return !toBool(eval(*n.args[0], ctx));
    case Node::Add:
    case Node::Sub:
    case Node::Mul:
    case Node::Div:
        return arithmetic(n.op, eval(*n.args[0], ctx), eval(*n.args[1], ctx));
    case Node::Eq:
    case Node::Ne:
    case Node::Lt:
    case Node::Gt:
    case Node::Le:
    case Node::Ge: {
        const int c = compareValues(eval(*n.args[0], ctx), eval(*n.args[1], ctx));
        switch (n.op) {
        case Node::Eq:
            return c == 0;
        case Node::Ne:
            return c != 0;
        case Node::Lt:
            return c < 0;
        case Node::Gt:
            return c > 0;
        case Node::Le:
            return c <= 0;
        default:
            return c >= 0;
        }
    }
    case Node::And:
        return toBool(eval(*n.args[0], ctx)) && toBool(eval(*n.args[1], ctx));
    case Node::Or:
        return toBool(eval(*n.args[0], ctx)) || toBool(eval(*n.args[1], ctx));
    case Node::If:
        return toBool(eval(*n.args[0], ctx)) ? eval(*n.args[1], ctx) : eval(*n.args[2], ctx);
    case Node::Str: {
        const QVariant v = eval(*n.args[0], ctx);
        return isText(v) ? v.toString() : QRValueText(v.isNull() ? QVariant(0.0) : QVariant(toNumber(v)));
    }
    case Node::FormatNumeric:
        return FormatFloat(eval(*n.args[0], ctx).toString(), toNumber(eval(*n.args[1], ctx)));
    case Node::Sum:
        return n.sum;
    case Node::Count:
        return double(n.count);
    case Node::Min:
    case Node::Max:
        return n.count ? QVariant(n.extreme) : QVariant();
    case Node::Average:
        return n.count ? QVariant(n.sum / double(n.count)) : QVariant();
    }
    return {};
}

void accumulateNode(Node &n, const TQRContext &ctx)
{
    if (!n.aggregate()) {
        for (auto &a : n.args)
            accumulateNode(*a, ctx);
        return;
    }
    const QVariant v = n.args.empty() ? QVariant() : eval(*n.args[0], ctx);
    if (n.op != Node::Count && v.isNull() && n.op != Node::Sum)
        return; // an empty value takes no part in a minimum, maximum or average
    const double x = toNumber(v);
    if (n.op == Node::Min)
        n.extreme = n.count ? std::min(n.extreme, x) : x;
    else if (n.op == Node::Max)
        n.extreme = n.count ? std::max(n.extreme, x) : x;
    n.sum += x;
    ++n.count;
}

void resetNode(Node &n)
{
    n.sum = n.extreme = 0;
    n.count = 0;
    for (auto &a : n.args)
        resetNode(*a);
}

bool hasAggregate(const Node &n)
{
    if (n.aggregate())
        return true;
    for (const auto &a : n.args)
        if (hasAggregate(*a))
            return true;
    return false;
}

} // namespace

TQRExpression::TQRExpression() = default;

TQRExpression::TQRExpression(const QString &text)
{
    setText(text);
}

TQRExpression::~TQRExpression() = default;

void TQRExpression::setText(const QString &text)
{
    text_ = text;
    root_.reset();
    if (text.trimmed().isEmpty())
        return;
    Parser p(text);
    auto root = p.parseOr();
    p.skipBlanks();
    if (p.pos < text.size())
        syntaxError(text, QStringLiteral("nadbytočný text na pozícii %1").arg(p.pos + 1));
    root_ = std::move(root);
}

bool TQRExpression::isAggregate() const
{
    return root_ && hasAggregate(*root_);
}

QVariant TQRExpression::evaluate(const TQRContext &ctx) const
{
    return root_ ? eval(*root_, ctx) : QVariant();
}

void TQRExpression::accumulate(const TQRContext &ctx)
{
    if (root_)
        accumulateNode(*root_, ctx);
}

void TQRExpression::reset()
{
    if (root_)
        resetNode(*root_);
}
