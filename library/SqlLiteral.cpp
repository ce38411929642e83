#include "SqlLiteral.h"

#include "SqlClause.h"
#include "platform/db/DataSet.h"
#include "platform/os/Format.h"

#include <QRegularExpression>
#include <limits>

namespace {
QString quoted(const QString &text)
{
    QString s = text;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}
} // namespace

QString SqlLiteral(const QString &text, TFieldType fieldType)
{
    switch (fieldType) {
    case ftUnknown:
        return text.trimmed();
    case ftSmallint:
    case ftInteger:
    case ftWord: {
        qint64 v = 0;
        if (!TryStrToInt(text, v) || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            v = 0;
        return QString::number(v);
    }
    case ftFloat:
    case ftCurrency:
    case ftBCD: { // NUMERIC too: as quoted text a typed decimal comma would not convert on the server
        double v = 0;
        return TryStrToFloat(text, v) ? FloatToSql(v) : QStringLiteral("0");
    }
    case ftDate:
    case ftDateTime: {
        QDate d;
        if (!TryStrToDate(text, d) || !d.isValid())
            return QStringLiteral("null");
        return QLatin1Char('\'') + d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
    }
    default:
        return quoted(text.trimmed());
    }
}

QString SqlLiteral(const QString &text)
{
    return quoted(text);
}

QString SqlAsText(const QString &column)
{
    return QStringLiteral("cast(%1 as varchar(30) character set WIN1250)").arg(column);
}

QString SqlLikeColumn(const QString &column, TFieldType type)
{
    return type == ftUnknown || IsStringType(type) || type == ftMemo ? column : SqlAsText(column);
}

QString SqlNumberOrNull(const QString &text)
{
    qint64 v = 0;
    const QString t = text.trimmed();
    // Only digits with an optional sign: "1 234" or "12,5" are no whole number a column holds.
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]{1,18}$"));
    if (!whole.match(t).hasMatch() || !TryStrToInt(t, v))
        return QStringLiteral("null");
    return QString::number(v);
}

QString SqlLikePrefix(const QString &text)
{
    // No searched column holds more than LikeTextLimit characters, so a longer text finds nothing with or
    // without its end; cut, it never asks the server for an index key longer than the index takes.
    constexpr int LikeTextLimit = 255;
    return quoted(text.left(LikeTextLimit) + QLatin1Char('%'));
}

QString QuickSearch(const QString &column, TFieldType type, const QString &text)
{
    return SqlLikeColumn(column, type) + QLatin1String(" like ") + SqlLikePrefix(text);
}

QString QuickSearch(const TDataSet &set, const QString &column, const QString &text)
{
    const QString name = column.mid(column.lastIndexOf(QLatin1Char('.')) + 1);
    for (const TFieldDef &def : set.FieldDefs())
        if (def.Name.compare(name, Qt::CaseInsensitive) == 0)
            return QuickSearch(column, def.DataType, text);
    return QuickSearch(column, ftUnknown, text);
}

namespace {
// The comparison of typed text: a leading "<>", "> ", "< ", ">=" or "<=" and the rest, else "=" and all.
std::pair<QString, QString> splitOperator(const QString &text)
{
    static const QString operators[] = {QStringLiteral("<>"), QStringLiteral("> "), QStringLiteral("< "),
                                        QStringLiteral(">="), QStringLiteral("<=")};
    const QString head = text.left(2);
    for (const QString &candidate : operators)
        if (head == candidate)
            return {candidate, text.mid(2)};
    return {QStringLiteral("="), text};
}
} // namespace

QString FieldConditionError(TFieldType fieldType, const QString &text)
{
    const QString value = splitOperator(text).second.trimmed();
    qint64 whole = 0;
    double number = 0;
    QDate date;
    switch (fieldType) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftLargeint:
        return TryStrToInt(value, whole) ? QString() : QString::fromUtf8("„%1“ nie je číslo.").arg(value);
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return TryStrToFloat(value, number) ? QString() : QString::fromUtf8("„%1“ nie je číslo.").arg(value);
    case ftDate:
    case ftDateTime:
        return TryStrToDate(value, date) && date.isValid() ? QString()
                                                           : QString::fromUtf8("„%1“ nie je dátum.").arg(value);
    default:
        return QString();
    }
}

QString FieldCondition(const QString &fieldName, TFieldType fieldType, const QString &text)
{
    const auto [op, value] = splitOperator(text);
    if (IsStringType(fieldType) || fieldType == ftMemo)
        return fieldName + QLatin1String(" LIKE ") + SqlLiteral(value + QLatin1Char('%'), ftString);
    return fieldName + op + SqlLiteral(value, fieldType);
}

bool AsksValue(const QString &condition)
{
    bool quotedPart = false;
    for (QChar c : condition) {
        if (c == QLatin1Char('\''))
            quotedPart = !quotedPart;
        else if (c == QLatin1Char('?') || (c == QLatin1Char('#') && !quotedPart))
            return true;
    }
    return false;
}

void AddFilterCondition(QString &where, const QString &condition, const QString &value, TFieldType valueType)
{
    if (!where.trimmed().isEmpty())
        where += QLatin1String(" AND ");
    QString cond = condition;
    QString val = value;
    if (val.startsWith(QLatin1Char('!')) &&
        (cond.contains(QLatin1String("=?")) || cond.contains(QLatin1String("=#")))) {
        cond.replace(QLatin1String("=?"), QLatin1String("<>?"));
        cond.replace(QLatin1String("=#"), QLatin1String("<>#"));
        val.remove(0, 1);
    }
    // Inside the condition's own apostrophes the typed text only has its apostrophes doubled, whatever
    // its type, so it can never close them.
    QString inQuotes = val.trimmed();
    inQuotes.replace(QLatin1Char('\''), QLatin1String("''"));
    // Outside them a typed value of no type is one quoted literal, never raw SQL: the server converts it
    // to the compared column's type, as it does a bound parameter (a number for a number column, text for
    // a text column).
    QString outside = valueType != ftUnknown ? SqlLiteral(val, valueType) : quoted(val.trimmed());
    // A negative number after a minus ("CURRENT_DATE-?") would start a comment.
    if (outside.startsWith(QLatin1Char('-')))
        outside = QLatin1Char('(') + outside + QLatin1Char(')');
    // A "#" outside them stands for a number column's value: the typed whole number, or null when the text
    // is none, so letters compared with a number hold for no row (an OR beside it still finds by name).
    QString number = SqlNumberOrNull(val);
    if (number.startsWith(QLatin1Char('-')))
        number = QLatin1Char('(') + number + QLatin1Char(')');
    QString result;
    bool quotedPart = false;
    for (QChar c : cond) {
        if (c == QLatin1Char('\''))
            quotedPart = !quotedPart;
        if (c == QLatin1Char('?'))
            result += quotedPart ? inQuotes : outside;
        else if (c == QLatin1Char('#') && !quotedPart)
            result += number;
        else
            result += c;
    }
    // A condition with OR at its top level keeps its own terms together when more are ANDed to it.
    if (HasTopLevelOr(result))
        result = QLatin1Char('(') + result + QLatin1Char(')');
    where += result;
}
