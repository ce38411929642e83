// The customer orders browser's data work: the list's filter and order, the contract list of the orders
// listed, the contract's payment preset, and an order header started from an offer.
#include "DMOdbyt.h"
#include "OdbytSql.h"

#include "library/SqlLiteral.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

void TDMOdbyt::OpenRecentOrders()
{
    QvZakazky.Close();
    QvZakazky.SetFilterText(OdbytSql::OrdersOfLast90Days);
    QvZakazky.SetFiltered(true);
    QvZakazky.SetIndexFieldNames(QStringLiteral("D_OBJ DESC"));
    QvZakazky.Open();
    QZakazkyD.Open();
}

void TDMOdbyt::RereadOrderItems()
{
    if (!QZakazkyD.Active() || QZakazkyD.State() != dsBrowse || QZakazkyD.UpdatesPending() || !QvZakazky.Active() ||
        QvZakazky.State() != dsBrowse)
        return;
    const QVariant job = QZakazkyD.IsEmpty() ? QVariant() : QZakazkyD.FieldByName(QStringLiteral("C_INT"))->Value();
    TDisableControls still(&QZakazkyD);
    QZakazkyD.Close();
    QZakazkyD.Open();
    if (job.isValid())
        QZakazkyD.Locate(QStringLiteral("C_INT"), job);
}

void TDMOdbyt::QuickSearchOrders(const QString &field, const QString &text)
{
    // A number or a date is compared by its text in the connection's character set, so letters outside
    // ASCII typed there find nothing instead of failing.
    const QString condition = text.isEmpty() ? OdbytSql::OrdersOfLast31Days : QuickSearch(QvZakazky, field, text);
    QvZakazky.Close();
    QvZakazky.SetFilterText(condition);
    QvZakazky.SetFiltered(true);
    QvZakazky.SetIndexFieldNames(field);
    QvZakazky.Open();
    QZakazkyD.Open(); // closed with its master; it follows the found order again
}

void TDMOdbyt::ResortOrders(const QString &order)
{
    QvZakazky.Close();
    QvZakazky.SetIndexFieldNames(order);
    QvZakazky.Open();
    QZakazkyD.Open();
}

void TDMOdbyt::OpenContractList()
{
    // The headers' filter counts only while it is on; without one every contract is listed.
    const QString filter = QvZakazky.Filtered() ? QvZakazky.Filter().trimmed() : QString();
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SetDataSource(nullptr);
    q.SQL().SetText(OdbytSql::ContractList + (filter.isEmpty() ? QString() : OdbytSql::ContractListWhere.arg(filter)) +
                    OdbytSql::ContractListOrder);
    q.Open();
}

void TDMOdbyt::EditOrPresetContract()
{
    if (!QZakZml.Active())
        QZakZml.Open();
    if (!QZakZml.IsEmpty()) {
        QZakZml.Edit();
        return;
    }
    QZakZml.Append();
    const QString terms =
        SelectValueParams(OdbytSql::CustomerPaymentTerms, {QvZakazky.FieldByName(QStringLiteral("C_ODB"))->Value()})
            .toString()
            .trimmed();
    if (terms == QLatin1String("ZA")) {
        QZakZml.FieldByName(QStringLiteral("UHRADA"))->SetAsString(QString::fromUtf8("Predfaktúrou pred Výrobou"));
    } else if (terms == QLatin1String("HO")) {
        QZakZml.FieldByName(QStringLiteral("UHRADA"))->SetAsString(QStringLiteral("V hotovosti"));
    } else {
        QZakZml.FieldByName(QStringLiteral("UHRADA"))->SetAsString(QString::fromUtf8("Prevodným príkazom"));
        // A customer without terms leaves the due date to be typed.
        if (!terms.isEmpty())
            QZakZml.FieldByName(QStringLiteral("SPLATNOST"))
                ->SetAsString(QStringLiteral("do ") + terms + QString::fromUtf8(" dní"));
    }
}

bool TDMOdbyt::AppendOrderFromOffer(const QString &offer)
{
    QCenPon.SetFilterAndOpen(QStringLiteral("C_OBJ=") + SqlLiteral(offer.trimmed()));
    if (QCenPon.IsEmpty()) {
        QCenPon.Close();
        return false;
    }
    QvZakazky.Append();
    const int customer = QCenPon.FieldByName(QStringLiteral("C_ODB"))->AsInteger();
    if (customer != 0)
        QvZakazky.FieldByName(QStringLiteral("C_ODB"))->SetValue(customer);
    QvZakazky.FieldByName(QStringLiteral("ODBERATEL"))
        ->SetValue(QCenPon.FieldByName(QStringLiteral("ODBERATEL"))->Value());
    return true;
}
