// The products browser's data work: sorting and quick search of the product list, the copy of a product,
// the detail tabs, the price list and the price update on the products listed.
#include "DMTPV.h"
#include "TPVSql.h"

#include "library/SqlLiteral.h"
#include "library/xQuery.h"
#include "platform/os/Clock.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

void TDMTPV::SortProducts(const QString &field)
{
    QPolozky.Close();
    QPolozky.SetFiltered(false);
    QPolozky.SetFilterText(TPVSql::ProductsOnly);
    QPolozky.SetIndexFieldNames(field);
    QPolozky.SetFiltered(true);
    QPolozky.Open();
}

void TDMTPV::QuickSearchProducts(const QString &field, const QString &text)
{
    const QString condition = TPVSql::ProductsOnly + QStringLiteral(" and ") + QuickSearch(QPolozky, field, text);
    QPolozky.Close();
    QPolozky.SetFiltered(false);
    QPolozky.SetFilterText(condition);
    QPolozky.SetFiltered(true);
    QPolozky.Open();
}

QString TDMTPV::ProductsFilter(const QString &panelCondition)
{
    if (panelCondition.trimmed().isEmpty())
        return TPVSql::ProductsOnly;
    return TPVSql::ProductsOnly + QStringLiteral(" and (") + panelCondition + QLatin1Char(')');
}

QString TDMTPV::ListedProducts() const
{
    const QString filter = QPolozky.Filter().trimmed();
    return QPolozky.Filtered() && !filter.isEmpty() ? filter : TPVSql::ProductsOnly;
}

void TDMTPV::CopyProduct(const QString &oldCode, const QString &newCode)
{
    TxQuery &old = DMZal->Query;
    old.Close();
    old.SQL().SetText(TPVSql::ProductRow);
    old.ParamByName(QStringLiteral("OLD_C_POL")).SetAsString(oldCode);
    old.Open();
    if (old.IsEmpty()) {
        old.Close();
        return;
    }
    QPolozky.Append();
    try {
        QPolozky.CopyFieldValues(&old);
        QPolozky.FieldByName(QStringLiteral("C_POL"))->SetAsString(newCode);
        QPolozky.FieldByName(QStringLiteral("D_VYSTAV"))->SetValue(Date());
        QPolozky.Post();
    } catch (...) {
        // A refused number leaves nothing behind: no row, no route, no bill of materials.
        if (QPolozky.State() == dsInsert)
            QPolozky.Cancel();
        old.Close();
        throw;
    }
    old.Close();
    if (QPolozky.State() == dsInsert) {
        QPolozky.Cancel();
        Abort();
    }
    ExecSqlParams(QString(TPVSql::CopyBillOfMaterials), {newCode, oldCode});
    ExecSqlParams(QString(TPVSql::CopyRoute), {newCode, oldCode});
}

void TDMTPV::OpenProductTab(TxQuery &query, TDataSource &productSource, int tab)
{
    query.Close();
    if (tab < 1 || tab > int(TPVSql::ProductTabs.size()))
        return;
    query.SQL().SetText(TPVSql::ProductTabs[tab - 1]);
    query.SetDataSource(&productSource);
    query.Open();
}

void TDMTPV::OpenPriceList(TxQuery &query)
{
    query.Close();
    query.SetDataSource(nullptr);
    query.SQL().SetText(TPVSql::PriceList.arg(ListedProducts()));
    query.Open();
}

void TDMTPV::UpdatePriceCalculations()
{
    ExecSqlNoParams(TPVSql::PriceUpdate.arg(ListedProducts()));
}
