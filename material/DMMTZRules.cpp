// The rules of the material data module: defaults of new rows, the guards before a post or delete,
// document numbering, the item card's save, returns, reservations and purchase-order states.
#include "DMMTZ.h"

#include "MTZSql.h"
#include "MaterialRules.h"
#include "StockDocumentNumber.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "library/SqlLiteral.h"
#include "platform/fb/IBDatabase.h"
#include "platform/os/Clock.h"

#include <algorithm>

namespace {

TField *field(TDataSet *ds, const char *name)
{
    return ds->FieldByName(QString::fromLatin1(name));
}

void databaseError(const QString &text)
{
    throw EDatabaseError(text);
}

} // namespace

// ---------------------------------------------------------------- defaults

void TDMMTZ::QPolozkyNewRecord(TDataSet *dataSet)
{
    field(dataSet, "D_VYSTAV")->SetValue(Date());
    field(dataSet, "VYSTAVIL")->SetValue(CurrentUserName());
}

void TDMMTZ::QPolozkyKokilyNewRecord(TDataSet *dataSet)
{
    field(dataSet, "C_POL")->SetValue(field(&QPolozky, "C_POL")->Value());
}

void TDMMTZ::QMSkladyNewRecord(TDataSet *dataSet)
{
    field(dataSet, "C_POL")->SetValue(field(&QPolozky, "C_POL")->Value());
    for (const char *name : {"MNOZSTVO", "MNOZ_VYDV", "MNOZ_VYDO"})
        field(dataSet, name)->SetValue(0);
}

void TDMMTZ::QMPohybyNewRecord(TDataSet *dataSet)
{
    field(dataSet, "ID_POHYBU")->SetValue(SelectValueParams(MTZSql::NextMovementId));
    field(dataSet, "DATUM")->SetValue(Date());
    field(dataSet, "C_DOKLADU")->SetValue(0);
    field(dataSet, "CENA_NAKL")->SetValue(0);
    field(dataSet, "STREDISKO")->SetValue(QStringLiteral(" "));
    field(dataSet, "C_INT")->SetValue(0);
    field(dataSet, "MNOZ_VYR")->SetValue(0);
    field(dataSet, "VYSTAVIL")->SetValue(CurrentUserName());
}

void TDMMTZ::QDodavateliaNewRecord(TDataSet *dataSet)
{
    field(dataSet, "C_DOD")->SetValue(NextNumber(QStringLiteral("CDodavatelov"), QStringLiteral("C_DOD"), 1, 32000));
}

void TDMMTZ::QMObjNewRecord(TDataSet *dataSet)
{
    field(dataSet, "C_OBJ")
        ->SetValue(NextCode(QStringLiteral("MObjednavky"), QStringLiteral("C_OBJ"), QStringLiteral("Obj.")));
    field(dataSet, "D_DODANIA")->SetValue(Date().addDays(7));
    field(dataSet, "D_VYSTAV")->SetValue(Date());
    field(dataSet, "VYSTAVIL")->SetValue(CurrentUserName());
    field(dataSet, "STAV_OBJ")->SetValue(0);
}

void TDMMTZ::QMObjDNewRecord(TDataSet *dataSet)
{
    // One above the highest line: lines deleted in between leave gaps, and lines not saved yet count.
    const QVariant order = field(&QMObj, "C_OBJ")->Value();
    const int stored = SelectValueParams(MTZSql::LastOrderLine, {order}).toInt();
    int cached = 0;
    TField *line = field(dataSet, "C_RIADKU");
    for (int row = 0; row < dataSet->RecordCount(); ++row)
        cached = std::max(cached, dataSet->ValueAt(row, line).toInt());
    line->SetValue(NextOrderLineNumber(stored, cached));
    field(dataSet, "C_OBJ")->SetValue(order);
    field(dataSet, "C_POL")->SetValue(QStringLiteral(" "));
}

// ---------------------------------------------------------------- guards

void TDMMTZ::QPolozkyBeforeDelete(TDataSet *dataSet)
{
    const QString item = field(dataSet, "C_POL")->AsString();
    if (SelectValueParams(MTZSql::ItemStockRows, {item}).toInt() > 0)
        databaseError(QString::fromUtf8("Položku nie je možné zmazať, pretože má skladovú zásobu !"));
    CheckItemHasNoMovements(dataSet);
}

void TDMMTZ::QPolozkyBeforePost(TDataSet *dataSet)
{
    CheckItemNumberKept(dataSet);
}

void TDMMTZ::QMPohybyBeforePost(TDataSet *dataSet)
{
    TField *kind = field(dataSet, "TYP_POHYBU");
    if (kind->IsNull() || !IsMovementKindAllowed(kind->AsInteger()))
        databaseError(QString::fromUtf8("Neplatný typ pohybu !"));
    CheckDrawnDocumentNumber(dataSet);
}

void TDMMTZ::QMObjBeforePost(TDataSet *dataSet)
{
    if (dataSet->State() != dsInsert)
        return;
    TField *number = field(dataSet, "C_OBJ");
    if (SelectValueParams(MTZSql::PurchaseOrderCount, {number->AsString()}).toInt() <= 0)
        return;
    QString value = number->AsString();
    if (!InputQuery(QString::fromUtf8("Zadané číslo objednávky už existuje!"), QString::fromUtf8("Zadaj iné číslo:"),
                    value))
        return;
    number->SetValue(value);
    // The order's cached lines follow the new number. Only the lines not stored yet are the new order's own: lines
    // read from the database under the number typed over it belong to the order holding that number.
    QMObjD.DisableControls();
    const TBookmark here = QMObjD.Active() ? QMObjD.GetBookmark() : 0;
    if (QMObjD.Active()) {
        QMObjD.CheckBrowseMode();
        for (QMObjD.First(); !QMObjD.Eof(); QMObjD.Next()) {
            if (QMObjD.UpdateStatus() != usInserted)
                continue;
            QMObjD.Edit();
            field(&QMObjD, "C_OBJ")->SetValue(value);
            QMObjD.Post();
        }
        if (here)
            QMObjD.GotoBookmark(here);
    }
    QMObjD.EnableControls();
}

void TDMMTZ::QMObjDBeforePost(TDataSet *dataSet)
{
    const QString missing = QString::fromUtf8("Povinný údaj \"%1\" nie je zadaný!");
    if (field(dataSet, "MNOZ_OBJ")->IsNull())
        databaseError(missing.arg(QString::fromUtf8("Množstvo")));
    if (field(dataSet, "MJ")->IsNull())
        databaseError(missing.arg(QStringLiteral("MJ")));
}

void TDMMTZ::QMObjDBeforeOpen(TDataSet *dataSet)
{
    // A new order has no stored lines: lines stored under a number typed into it are the lines of the order holding
    // that number, and are never read into the new one.
    auto *lines = static_cast<TxTable *>(dataSet);
    const bool newOrder = QMObj.Active() && QMObj.State() == dsInsert;
    lines->SetFilterText(newOrder ? QStringLiteral("1=0") : QString());
    lines->SetFiltered(newOrder);
}

void TDMMTZ::QMObjAfterOpen(TDataSet *dataSet)
{
    field(dataSet, "STAV_OBJ")->OnGetText = [](TField *f, QString &text, bool) {
        text = PurchaseOrderStateText(f->AsInteger());
    };
}

// ---------------------------------------------------------------- documents

void TDMMTZ::NextStockDocumentNumber()
{
    const QDate date = field(&QMPohyby, "DATUM")->AsDateTime().date();
    TDrawnDocument drawn{field(&QMPohyby, "ID_POHYBU")->Value(), QDate(date.year(), date.month(), 1),
                         field(&QMPohyby, "TYP_POHYBU")->AsInteger(), field(&QMPohyby, "SKLAD")->AsString(), 0};
    TIBDatabase &db = DMZal->DBZAL;
    db.TestConnected();
    drawn.Number = DrawStockDocumentNumber(db.Attachment(), date, drawn.Kind, drawn.Store);
    field(&QMPohyby, "C_DOKLADU")->SetValue(drawn.Number);
    drawn_ = drawn;
}

void TDMMTZ::CheckDrawnDocumentNumber(TDataSet *dataSet)
{
    // A number typed by hand (a further line of a stored document) is the user's to give.
    if (!drawn_ || field(dataSet, "ID_POHYBU")->Value() != drawn_->Movement ||
        field(dataSet, "C_DOKLADU")->AsInteger() != drawn_->Number)
        return;
    const QDate date = field(dataSet, "DATUM")->AsDateTime().date();
    const QDate month(date.year(), date.month(), 1);
    const int kind = field(dataSet, "TYP_POHYBU")->AsInteger();
    const QString store = field(dataSet, "SKLAD")->AsString();
    const bool moved = month != drawn_->Month || kind != drawn_->Kind || store != drawn_->Store;
    if (!moved && SelectValueParams(MTZSql::OtherMovementsOfDocument, {month, month.addMonths(1).addDays(-1), kind,
                                                                       store, drawn_->Number, drawn_->Movement})
                          .toInt() == 0)
        return;
    NextStockDocumentNumber();
}

void TDMMTZ::MarkUpdateApplied(TDataSet *, TUpdateKind, TUpdateAction &action)
{
    action = uaApplied;
}

// ---------------------------------------------------------------- the item card

void TDMMTZ::OpenItemDetails()
{
    const QString item = field(&QPolozky, "C_POL")->AsString().trimmed();
    const QString filter = QStringLiteral("C_POL=") + SqlLiteral(item);
    QPolozkyKokily.SetFilterAndOpen(filter);
    QMSklady.SetFilterAndOpen(filter);
}

void TDMMTZ::CloseItemDetails()
{
    QMSklady.Close();
    QPolozkyKokily.Close();
}

void TDMMTZ::SaveMaterialItem(bool mouldKind)
{
    if (QPolozky.State() == dsEdit || QPolozky.State() == dsInsert)
        QPolozky.UpdateRecord();
    const QVariant item = field(&QPolozky, "C_POL")->Value();
    if (item.isNull() || item.toString().trimmed().isEmpty())
        databaseError(QString::fromUtf8("Povinný údaj \"%1\" nie je zadaný!").arg(QString::fromUtf8("č.Položky")));
    // The rows made while the number was still being typed take the final one.
    auto stamp = [&](TxTable &rows) {
        if (!rows.Active())
            return;
        if (rows.State() == dsEdit || rows.State() == dsInsert) {
            if (&rows == &QPolozkyKokily && !mouldKind) {
                rows.Cancel();
            } else {
                field(&rows, "C_POL")->SetValue(item);
                rows.Post();
            }
        }
        const TBookmark here = rows.IsEmpty() ? 0 : rows.GetBookmark();
        for (rows.First(); !rows.Eof(); rows.Next()) {
            if (rows.UpdateStatus() == usInserted && field(&rows, "C_POL")->Value() != item) {
                rows.Edit();
                field(&rows, "C_POL")->SetValue(item);
                rows.Post();
            }
        }
        if (here)
            rows.GotoBookmark(here);
    };
    stamp(QMSklady);
    if (!mouldKind && QPolozkyKokily.Active())
        QPolozkyKokily.CancelUpdates();
    stamp(QPolozkyKokily);

    std::vector<TDataSet *> cached;
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QMSklady, &QPolozkyKokily})
        if (ds->Active() && ds->UpdatesPending())
            cached.push_back(ds);
    TSavepoint savepoint(QPolozky.Transaction() ? QPolozky.Transaction() : &DMZal->DBTransaction);
    for (TDataSet *ds : cached)
        ds->ApplyPendingUpdates();
    if (QPolozky.State() == dsEdit || QPolozky.State() == dsInsert)
        QPolozky.Post();
    savepoint.Commit();
    for (TDataSet *ds : cached)
        ds->CommitUpdates();
}

void TDMMTZ::CancelMaterialItem()
{
    for (TxTable *rows : {&QMSklady, &QPolozkyKokily}) {
        if (!rows->Active())
            continue;
        if (rows->State() == dsEdit || rows->State() == dsInsert)
            rows->Cancel();
        rows->CancelUpdates();
    }
    if (QPolozky.State() == dsEdit || QPolozky.State() == dsInsert)
        QPolozky.Cancel();
}

// ---------------------------------------------------------------- movements

void TDMMTZ::PostMovementWithSign()
{
    // What the controls hold goes into the row first: the sign is set on the quantity as typed, and a
    // value its field refuses stops here, before anything is written over it.
    QMPohyby.UpdateRecord();
    TField *kind = field(&QMPohyby, "TYP_POHYBU");
    if (!kind->IsNull()) {
        TField *quantity = field(&QMPohyby, "MNOZSTVO");
        quantity->SetValue(SignedMovementQuantity(kind->AsInteger(), quantity->AsFloat()));
    }
    QMPohyby.Post();
}

bool TDMMTZ::ReturnStockMovement(int fromKind, int toKind)
{
    if (!QMPohyby.Active() || QMPohyby.IsEmpty() ||
        !IsReturnable(field(&QMPohyby, "TYP_POHYBU")->AsInteger(), fromKind))
        return false;
    // The returned movement's own item, store and job, whichever list the movement was chosen in.
    const QVariant item = field(&QMPohyby, "C_POL")->Value();
    const QVariant store = field(&QMPohyby, "SKLAD")->Value();
    const int job = field(&QMPohyby, "C_INT")->AsInteger();
    const qint64 quantity = qint64(field(&QMPohyby, "MNOZSTVO")->AsFloat());
    QMPohyby.Append();
    field(&QMPohyby, "TYP_POHYBU")->SetValue(toKind);
    field(&QMPohyby, "C_POL")->SetValue(item);
    field(&QMPohyby, "SKLAD")->SetValue(store);
    field(&QMPohyby, "C_INT")->SetValue(job);
    field(&QMPohyby, "MNOZSTVO")->SetValue(double(-quantity));
    return true;
}

void TDMMTZ::OpenStockAsOfDate(const QString &storeType, const QDate &date, const QString &where)
{
    QvMSklady.Close();
    QStringList lines = MTZSql::StockAsOfDateSql;
    if (!where.isEmpty())
        lines[3] = QStringLiteral("where ") + where + QLatin1Char(' ');
    QvMSklady.SQL().SetText(lines.join(QLatin1Char('\n')));
    QvMSklady.ParamByName(QStringLiteral("typ_skladu")).SetValue(storeType);
    QvMSklady.ParamByName(QStringLiteral("kdatumu")).SetValue(date);
    QvMSklady.Open();
}

// ---------------------------------------------------------------- purchase orders

void TDMMTZ::SetPurchaseOrderState(int state)
{
    if (state <= 0)
        return;
    QMObj.Edit();
    field(&QMObj, "STAV_OBJ")->SetValue(state);
    QMObj.Post();
}

void TDMMTZ::MarkPurchaseOrderPrinted()
{
    const int state = field(&QMObj, "STAV_OBJ")->AsInteger();
    const int next = PurchaseOrderStateAfterPrint(state);
    if (next != state)
        SetPurchaseOrderState(next);
}

// ---------------------------------------------------------------- requests

void TDMMTZ::applyRow(TDataSet &dataSet)
{
    DMZal->DBZAL.ApplyUpdates({&dataSet});
}

bool TDMMTZ::ReserveCurrentRequest(bool order)
{
    TxDataSet &q = QMPoziad;
    if (!q.Active() || q.IsEmpty())
        return false;
    const TReservation r = ReserveRequest(field(&q, "MNOZ_POZ")->AsFloat(), field(&q, "MNOZ_REZ")->AsFloat(),
                                          field(&q, "MNOZ_OBJ")->AsFloat(), field(&q, "MNOZ_SKL")->AsFloat(),
                                          field(&q, "MNOZ_REC")->AsFloat(), order);
    if (!r.Changed)
        return false;
    // Every row of the item shows the item's reservations over all requests; with this one added.
    const double reservedAll = field(&q, "MNOZ_REC")->AsFloat() + r.Reserved;
    q.Edit();
    field(&q, "MNOZ_REZ")->SetValue(field(&q, "MNOZ_REZ")->AsFloat() + r.Reserved);
    if (r.Ordered > 0)
        field(&q, "MNOZ_OBJ")->SetValue(field(&q, "MNOZ_OBJ")->AsFloat() + r.Ordered);
    q.Post();
    applyRow(q);
    if (r.Reserved == 0)
        return true;
    // The item's reservations over all requests, shown on every listed row of the item; nothing written.
    const QString item = field(&q, "C_POL")->AsString();
    const TBookmark here = q.GetBookmark();
    q.DisableControls();
    struct Restore {
        TxDataSet &q;
        TBookmark here;
        ~Restore()
        {
            q.OnUpdateRecord = nullptr;
            q.GotoBookmark(here);
            q.EnableControls();
        }
    } restore{q, here};
    for (q.First(); !q.Eof(); q.Next()) {
        if (field(&q, "C_POL")->AsString() != item)
            continue;
        q.Edit();
        field(&q, "MNOZ_REC")->SetValue(reservedAll);
        q.Post();
    }
    q.OnUpdateRecord = &TDMMTZ::MarkUpdateApplied;
    q.ApplyUpdates();
    return true;
}

void TDMMTZ::MarkRequestDone()
{
    TxDataSet &q = QMPoziad;
    if (!q.Active() || q.IsEmpty() || field(&q, "STAV_POZ")->AsInteger() == 2)
        return;
    q.Edit();
    field(&q, "STAV_POZ")->SetValue(2);
    q.Post();
    applyRow(q);
}

void TDMMTZ::RebuildRequests()
{
    QMPoziad.Close();
    ExecSqlParams(MTZSql::RebuildRequests);
    QMPoziad.Open();
}
