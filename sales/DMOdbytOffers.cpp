// The offers browser's and dialog's data work: listing the offers, storing or dropping an offer with its
// items, and reading the rows of the printed offer.
#include "DMOdbyt.h"
#include "OdbytSql.h"

#include "shell/DMZal.h"

#include <QScopedValueRollback>

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
    // Items left over from a refused header (its number taken) or changed ones.
    if (QCenPonD.UpdatesPending())
        StoreOfferItems();
    if (QCenPon.State() == dsInsert || QCenPon.State() == dsEdit)
        QCenPon.Post();
}

void TDMOdbyt::StoreOfferItems()
{
    // Afterwards, also when the post or the apply failed, the header is open for editing again and its
    // controls are enabled.
    struct Reopen {
        TxTable &header;
        bool disabled = false;
        ~Reopen()
        {
            try {
                if (header.State() == dsBrowse)
                    header.Edit();
            } catch (...) {
                // The error being handled is the one to show.
            }
            if (disabled)
                header.EnableControls();
        }
    } reopen{QCenPon};
    if (QCenPon.State() == dsInsert) {
        // The items are read again under the header's number only once they are stored with it: before,
        // reading them would drop them.
        QCenPon.DisableControls();
        reopen.disabled = true;
        QCenPon.Post();
    }
    // The number may have changed since the items were typed (a refused number replaced): every item
    // takes the one its header is stored under. An edited header's new number reaches its stored items
    // through the database when the header is posted.
    TField *header = QCenPon.FieldByName(QStringLiteral("C_OBJ"));
    const QString number = (QCenPon.State() == dsEdit ? header->OldValue() : header->Value()).toString();
    {
        const QScopedValueRollback<bool> quiet(storingOfferItems_, true);
        TDisableControls still(&QCenPonD);
        const TBookmark at = QCenPonD.GetBookmark();
        for (QCenPonD.First(); !QCenPonD.Eof(); QCenPonD.Next()) {
            TField *item = QCenPonD.FieldByName(QStringLiteral("C_OBJ"));
            if (QCenPonD.UpdateStatus() == usUnmodified || item->AsString() == number)
                continue;
            QCenPonD.Edit();
            item->SetAsString(number);
            QCenPonD.Post();
        }
        QCenPonD.GotoBookmark(at);
    }
    DMZal->DBZAL.ApplyUpdates({&QCenPonD});
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
