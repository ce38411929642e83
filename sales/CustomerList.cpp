#include "CustomerList.h"

#include "ZakSql.h"
#include "library/SqlLiteral.h"
#include "shell/DMCis.h"

void SortCustomers(const QString &fieldName)
{
    TxTable &t = DMCis->QOdberatelia;
    t.Close();
    t.SetIndexFieldNames(fieldName);
    t.SetFilter(ZakSql::CustomersListed);
    t.Open();
}

void QuickSearchCustomers(const QString &fieldName, const QString &text)
{
    TxTable &t = DMCis->QOdberatelia;
    t.Close();
    t.SetFiltered(false);
    // The customer's number and IČO are numbers: matched as text, so typed letters find nothing.
    QString filter = QuickSearch(t, fieldName, text);
    if (fieldName.compare(QLatin1String("C_ODB"), Qt::CaseInsensitive) != 0)
        filter += QStringLiteral(" and ") + ZakSql::CustomersListed;
    t.SetFilter(filter);
    t.Open();
}

bool OpenOneCustomer(int customer)
{
    TxTable &t = DMCis->QOdberatelia;
    t.Close();
    t.SetFilter(ZakSql::CustomerIs.arg(customer));
    t.Open();
    return !t.IsEmpty();
}
