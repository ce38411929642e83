#include "SqlClause.h"

#include "platform/db/DataSet.h"
#include "platform/ui/Dialogs.h"

QString SqlClause(TStringList &lines, const QString &keyword, const QString &newValue, qint16 position)
{
    const QString key = keyword.toUpper() + QLatin1Char(' ');
    int found = -1;
    for (int i = 2; i < lines.Count(); ++i) {
        if (lines[i].left(key.size()).toUpper() == key) {
            found = i;
            break;
        }
    }
    const QString result = found >= 0 ? lines[found].mid(key.size()) : QString();
    if (position == 0 && newValue.isEmpty())
        return result;
    if (lines.Count() < 2) {
        ShowMessage(QStringLiteral("SQL ") + keyword + QStringLiteral(" nie je možné nastaviť !"));
        return result;
    }
    const QString line = newValue.trimmed().isEmpty() ? QString() : keyword + QLatin1Char(' ') + newValue;
    if (found >= 0) {
        lines.SetStrings(found, line);
    } else if (!line.isEmpty()) {
        int blank = -1;
        for (int i = std::max<int>(position, 0); i < lines.Count(); ++i)
            if (lines[i].trimmed().isEmpty()) {
                blank = i;
                break;
            }
        if (blank >= 0)
            lines.SetStrings(blank, line);
        else
            lines.Add(line);
    }
    return result;
}

bool HasTopLevelOr(const QString &condition)
{
    int depth = 0;
    bool quoted = false;
    const QString up = condition.toUpper();
    for (int i = 0; i < up.size(); ++i) {
        const QChar c = up[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (depth == 0 && c == QLatin1Char('O') && i + 1 < up.size() && up[i + 1] == QLatin1Char('R')) {
            const bool startOk = i == 0 || !(up[i - 1].isLetterOrNumber() || up[i - 1] == QLatin1Char('_'));
            const bool endOk = i + 2 >= up.size() || !(up[i + 2].isLetterOrNumber() || up[i + 2] == QLatin1Char('_'));
            if (startOk && endOk)
                return true;
        }
    }
    return false;
}

void ApplySqlFilter(TDataSet *dataSet, TStringList &lines)
{
    dataSet->Close();
    QString where = SqlClause(lines, QStringLiteral("WHERE"), QString(), 0);
    const int cut = where.indexOf(kFilterMarker);
    if (cut >= 0)
        where = where.left(cut);
    if (dataSet->Filtered()) {
        if (where.trimmed().isEmpty()) {
            where = kFilterMarker + dataSet->Filter();
        } else {
            // A condition or a filter with OR at its top level is bracketed, or the other would bind to
            // its last term only and the rows would widen.
            if (HasTopLevelOr(where))
                where = QLatin1Char('(') + where + QLatin1Char(')');
            QString filter = dataSet->Filter();
            if (HasTopLevelOr(filter))
                filter = QLatin1Char('(') + filter + QLatin1Char(')');
            where = where + kFilterMarker + QStringLiteral(" AND ") + filter;
        }
    }
    SqlClause(lines, QStringLiteral("WHERE"), where, 2);
    try {
        dataSet->Open();
    } catch (const Exception &) {
        MessageBox(QStringLiteral("Chyba pri nastavovaní Filtra !\r\n\r\n") + lines.Text(), QStringLiteral("SQL"),
                   mtError, mbOK);
    }
}
