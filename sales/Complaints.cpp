#include "Complaints.h"

#include "DMOdbyt.h"
#include "OdbytSql.h"
#include "ZakSql.h"
#include "shell/DMZal.h"

void OpenRecentComplaints()
{
    TxDataSet &q = DMOdbyt->QZakRek;
    q.Close();
    q.SetFiltered(false);
    q.SetSQL(TStringList(OdbytSql::ComplaintSelect));
    q.SetFilterText(ZakSql::ComplaintsOfTheYear);
    q.SetFiltered(true);
    q.Open();
}

TxQuery &CurrentComplaintForPrint()
{
    const QString number = DMOdbyt->QZakRek.FieldByName(QStringLiteral("C_REK"))->AsString();
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SetDataSource(nullptr);
    q.SelectValue(OdbytSql::ComplaintRefresh.join(QLatin1Char('\n')), {number});
    return q;
}
