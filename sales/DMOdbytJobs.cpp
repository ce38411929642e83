// The sales data module's part for the internal orders browser: its list's WHERE and ORDER BY lines,
// the totals, the norm hours still to be worked on the listed jobs, and the printed job list.
#include "DMOdbyt.h"

#include "OdbytSql.h"
#include "shell/DMZal.h"

namespace {
const int WhereLine = 2;
const int OrderLine = 3;
} // namespace

bool TDMOdbyt::SetJobListWhere(const QString &where)
{
    TxQuery &q = QvZakazkyDKalk;
    if (q.SQL().Strings(WhereLine) == where && !q.DataSource())
        return false;
    q.Close();
    // The job detail forms bind the same query to their job; the list has no master.
    q.SetDataSource(nullptr);
    q.SQL().SetStrings(WhereLine, where);
    return true;
}

void TDMOdbyt::SetJobListOrder(const QString &order)
{
    TxQuery &q = QvZakazkyDKalk;
    const QString line = QStringLiteral("order by ") + order;
    if (q.SQL().Strings(OrderLine) == line)
        return;
    const bool wasOpen = q.Active();
    q.Close();
    q.SQL().SetStrings(OrderLine, line);
    if (wasOpen)
        q.Open();
}

void TDMOdbyt::JobListTotals(double &weight, double &price)
{
    TxQuery &q = QvZakazkyDKalk;
    if (!q.Active())
        q.Open();
    double sums[2] = {0, 0};
    q.SumFields(QStringLiteral("VAHAC;CENAC"), sums);
    weight = sums[0];
    price = sums[1];
}

QList<QPair<QString, double>> TDMOdbyt::JobHoursBy(const QString &column, const QString &where)
{
    QList<QPair<QString, double>> rows;
    TxQuery q;
    q.SetDatabase(&DMZal->DBZAL);
    q.SQL().SetText(OdbytSql::JobHoursBy.arg(column, where));
    q.Open();
    for (; !q.Eof(); q.Next())
        rows.append({q.Fields(0)->AsString(), q.Fields(1)->AsFloat()});
    return rows;
}

void TDMOdbyt::OpenJobsPrint(const QString &where)
{
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SetDataSource(nullptr);
    QStringList lines = OdbytSql::JobsPrint;
    lines[WhereLine] = where;
    q.SQL().SetText(lines.join(QLatin1Char('\n')));
    q.Open();
}
