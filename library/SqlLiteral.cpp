#include "SqlLiteral.h"

#include "SqlClause.h"
#include "platform/os/Format.h"

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

QString SqlLikePrefix(const QString &text)
{
    return quoted(text + QLatin1Char('%'));
}

QString FieldCondition(const QString &fieldName, TFieldType fieldType, const QString &text)
{
    static const QString operators[] = {QStringLiteral("<>"), QStringLiteral("> "), QStringLiteral("< "),
                                        QStringLiteral(">="), QStringLiteral("<=")};
    QString op = QStringLiteral("=");
    QString value = text;
    const QString head = text.left(2);
    for (const QString &candidate : operators) {
        if (head == candidate) {
            op = candidate;
            value = text.mid(2);
            break;
        }
    }
    if (IsStringType(fieldType) || fieldType == ftMemo)
        return fieldName + QLatin1String(" LIKE ") + SqlLiteral(value + QLatin1Char('%'), ftString);
    return fieldName + op + SqlLiteral(value, fieldType);
}

void AddFilterCondition(QString &where, const QString &condition, const QString &value, TFieldType valueType)
{
    if (!where.trimmed().isEmpty())
        where += QLatin1String(" AND ");
    QString cond = condition;
    QString val = value;
    if (val.startsWith(QLatin1Char('!')) && cond.contains(QLatin1String("=?"))) {
        cond.replace(QLatin1String("=?"), QLatin1String("<>?"));
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
    QString result;
    bool quotedPart = false;
    for (QChar c : cond) {
        if (c == QLatin1Char('\''))
            quotedPart = !quotedPart;
        if (c != QLatin1Char('?'))
            result += c;
        else
            result += quotedPart ? inQuotes : outside;
    }
    // A condition with OR at its top level keeps its own terms together when more are ANDed to it.
    if (HasTopLevelOr(result))
        result = QLatin1Char('(') + result + QLatin1Char(')');
    where += result;
}
