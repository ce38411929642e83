#include "InternalOrderFilter.h"

#include "OdbytSql.h"
#include "library/SqlLiteral.h"
#include "platform/os/Format.h"
#include "shell/Routines.h"

namespace {

QString dateLiteral(const QString &text)
{
    return QLatin1Char('\'') + StrToDate(text).toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
}

} // namespace

bool IsBlankDate(const QString &text)
{
    for (QChar c : text)
        if (c.isDigit())
            return false;
    return true;
}

int StateOfChoice(const QString &line)
{
    return StrToIntDef(line.left(3).trimmed(), 0);
}

QString TInternalOrderFilter::Where(QString *periodText) const
{
    if (periodText)
        periodText->clear();
    QString where;
    // A job or customer typed as no number is refused here, never read as no filter.
    const int typedJob = TypedOrderNo(JobText);
    // "!" in front of the customer lists all the others.
    const QString others = Customer.trimmed().startsWith(QLatin1Char('!')) ? QStringLiteral("!") : QString();
    const int customer = TypedNumber(Customer.trimmed().mid(others.size()), QString::fromUtf8("č.Odberateľa"));
    if (JobNumber != 0) {
        where = OdbytSql::JobsOfNumber.arg(JobNumber);
    } else if (typedJob != 0) {
        where = OdbytSql::JobsOfNumber.arg(typedJob);
    } else if (Period) {
        const QString to = dateLiteral(To);
        if (Overdue) {
            where = OdbytSql::JobsDueUpTo.arg(to);
            if (periodText)
                *periodText = QStringLiteral("do ") + To + QStringLiteral(" + sklzy");
        } else {
            where = OdbytSql::JobsDueBetween.arg(dateLiteral(From), to);
            if (periodText)
                *periodText = From + QStringLiteral(" - ") + To;
        }
    } else {
        where = OdbytSql::AllJobs;
    }
    if (!Product.trimmed().isEmpty())
        where += OdbytSql::JobsAndProduct.arg(SqlLikePrefix(Product.trimmed()));
    if (!Customer.trimmed().isEmpty())
        AddFilterCondition(where, OdbytSql::JobsOfCustomer, others + QString::number(customer), ftInteger);
    if (!Order.trimmed().isEmpty())
        where += OdbytSql::JobsAndOrder.arg(SqlLikePrefix(Order.trimmed()));
    if (!Material.trimmed().isEmpty())
        where += OdbytSql::JobsAndMaterial.arg(SqlLikePrefix(Material.trimmed()));
    if (ComplaintsOnly)
        where += OdbytSql::JobsAndComplaints;
    if (!State.trimmed().isEmpty())
        where += OdbytSql::JobsAndState.arg(StateOfChoice(State));
    else
        where += OdbytSql::JobsAndStates.arg(LowestState).arg(100);
    return where;
}

QString InternalOrderViewWhere(int view)
{
    switch (view) {
    case 0:
        return OdbytSql::JobsUnplanned;
    case 1:
        return OdbytSql::JobsInProgress;
    case 2:
        return OdbytSql::JobsHandedOver;
    case 6:
        return OdbytSql::JobsHandedOverUnmarked;
    case 7:
        return OdbytSql::JobsDeliveredUnfinished;
    default:
        return QString();
    }
}
