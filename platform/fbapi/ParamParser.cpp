#include "ParamParser.h"

#include <QHash>
#include <utility>

namespace fb {

namespace {

inline bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// End (one past) of the literal, quoted identifier or comment starting at i, or i when none starts.
qsizetype skipQuotedOrComment(const QString &s, qsizetype i)
{
    const qsizetype n = s.size();
    const QChar c = s[i];
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
        qsizetype j = i + 1;
        while (j < n) {
            if (s[j] == c) {
                if (j + 1 < n && s[j + 1] == c) { // doubled quote inside
                    j += 2;
                    continue;
                }
                return j + 1;
            }
            ++j;
        }
        return n;
    }
    if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
        const qsizetype eol = s.indexOf(QLatin1Char('\n'), i + 2);
        return eol < 0 ? n : eol;
    }
    if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
        const qsizetype end = s.indexOf(QLatin1String("*/"), i + 2);
        return end < 0 ? n : end + 2;
    }
    return i;
}

} // namespace

bool isExecuteBlock(const QString &sql)
{
    qsizetype i = 0;
    const qsizetype n = sql.size();
    for (;;) {
        while (i < n && sql[i].isSpace())
            ++i;
        if (i < n && (sql[i] == QLatin1Char('-') || sql[i] == QLatin1Char('/'))) {
            const qsizetype j = skipQuotedOrComment(sql, i);
            if (j != i) {
                i = j;
                continue;
            }
        }
        break;
    }
    if (sql.mid(i, 7).compare(QLatin1String("EXECUTE"), Qt::CaseInsensitive) != 0)
        return false;
    i += 7;
    const qsizetype words = i;
    while (i < n && sql[i].isSpace())
        ++i;
    return i > words && sql.mid(i, 5).compare(QLatin1String("BLOCK"), Qt::CaseInsensitive) == 0 &&
           (i + 5 == n || !isNameChar(sql[i + 5]));
}

static QString namePositionalParamsOf(const QString &sql, int *count)
{
    QString out;
    out.reserve(sql.size());
    int n = 0;
    qsizetype i = 0;
    while (i < sql.size()) {
        const qsizetype skipped = skipQuotedOrComment(sql, i);
        if (skipped != i) {
            out.append(QStringView(sql).mid(i, skipped - i));
            i = skipped;
            continue;
        }
        if (sql[i] == QLatin1Char('?'))
            out.append(QStringLiteral(":\"?%1\"").arg(++n));
        else
            out.append(sql[i]);
        ++i;
    }
    *count = n;
    return out;
}

static ParsedSql parseParamsOf(const QString &sql, ParamParsing mode)
{
    ParsedSql out;
    if (mode == ParamParsing::Off || (mode == ParamParsing::Auto && isExecuteBlock(sql))) {
        out.sql = sql;
        return out;
    }
    const qsizetype n = sql.size();
    out.sql.reserve(n);
    qsizetype i = 0;
    while (i < n) {
        const qsizetype skipped = skipQuotedOrComment(sql, i);
        if (skipped != i) {
            out.sql.append(QStringView(sql).mid(i, skipped - i));
            i = skipped;
            continue;
        }
        const QChar c = sql[i];
        if (c != QLatin1Char(':')) {
            out.sql.append(c);
            ++i;
            continue;
        }
        if (i + 1 < n && sql[i + 1] == QLatin1Char(':')) { // '::' is no parameter
            out.sql.append(QLatin1String("::"));
            i += 2;
            continue;
        }
        if (i + 1 < n && sql[i + 1] == QLatin1Char('"')) {
            // :"quoted name", a doubled quote standing for one
            QString name;
            qsizetype j = i + 2;
            bool closed = false;
            while (j < n) {
                if (sql[j] == QLatin1Char('"')) {
                    if (j + 1 < n && sql[j + 1] == QLatin1Char('"')) {
                        name.append(QLatin1Char('"'));
                        j += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                name.append(sql[j++]);
            }
            if (closed && !name.isEmpty()) {
                out.names << name;
                out.sql.append(QLatin1Char('?'));
                i = j + 1;
                continue;
            }
        } else if (i + 1 < n && isNameChar(sql[i + 1])) {
            qsizetype j = i + 1;
            while (j < n && isNameChar(sql[j]))
                ++j;
            out.names << sql.mid(i + 1, j - i - 1);
            out.sql.append(QLatin1Char('?'));
            i = j;
            continue;
        }
        out.sql.append(c);
        ++i;
    }
    return out;
}

// The data modules send the same few statements over and over, each time as new text: what a text gives is
// remembered for the thread, up to a bound past which it starts afresh.
template <typename Key, typename Value, typename Make>
static Value remembered(QHash<Key, Value> &memo, const Key &key, Make make)
{
    constexpr qsizetype bound = 512;
    const auto it = memo.constFind(key);
    if (it != memo.cend())
        return it.value();
    if (memo.size() >= bound)
        memo.clear();
    return memo.insert(key, make()).value();
}

QString namePositionalParams(const QString &sql, int *count)
{
    thread_local QHash<QString, std::pair<QString, int>> memo;
    const auto [named, n] = remembered(memo, sql, [&] {
        int found = 0;
        QString text = namePositionalParamsOf(sql, &found);
        return std::pair{text, found};
    });
    *count = n;
    return named;
}

ParsedSql parseParams(const QString &sql, ParamParsing mode)
{
    thread_local QHash<std::pair<QString, int>, ParsedSql> memo;
    return remembered(memo, std::pair{sql, int(mode)}, [&] { return parseParamsOf(sql, mode); });
}

} // namespace fb
