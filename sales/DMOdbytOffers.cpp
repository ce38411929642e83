// The offers browser's and dialog's data work: listing the offers, storing or dropping an offer with its
// items, and reading the rows of the printed offer.
#include "DMOdbyt.h"
#include "OdbytSql.h"

#include "shell/DMZal.h"

void TDMOdbyt::OpenOffers()
{
    if (!QCenPon.Active()) {
        QCenPon.SetFilterText(OdbytSql::OffersOfLastWeek);
        QCenPon.SetFiltered(true);
        QCenPon.Open();
    }
    if (!QCenPonD.Active())
        QCenPonD.Open();
}

QString TDMOdbyt::OffersFilter(const QString &condition)
{
    const QString c = condition.trimmed();
    return c.isEmpty() ? QStringLiteral("TYP_OBJ='P'") : OdbytSql::OffersOnly.arg(QStringLiteral("P"), c);
}

void TDMOdbyt::SaveOffer()
{
    // The item being typed is posted (and, as every posted item, stored with its header at once).
    if (QCenPonD.State() == dsInsert || QCenPonD.State() == dsEdit)
        QCenPonD.Post();
    if (QCenPon.State() == dsInsert)
        QCenPon.Post();
    if (QCenPonD.UpdatesPending())
        DMZal->DBZAL.ApplyUpdates({&QCenPonD});
    if (QCenPon.State() == dsEdit)
        QCenPon.Post();
}

void TDMOdbyt::CancelOffer()
{
    if (QCenPonD.State() == dsInsert || QCenPonD.State() == dsEdit)
        QCenPonD.Cancel();
    QCenPonD.CancelUpdates();
    if (QCenPon.State() == dsInsert || QCenPon.State() == dsEdit)
        QCenPon.Cancel();
}

void TDMOdbyt::OpenOfferPrint(const QString &offer)
{
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SetDataSource(nullptr);
    q.SQL().SetText(OdbytSql::OfferPrint);
    q.ParamByName(QStringLiteral("c_obj")).SetAsString(offer);
    q.Open();
}
