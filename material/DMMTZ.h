// TDMMTZ (global DMMTZ): the material data module. Items with their mould data and stock rows, stock
// movements, the stock as of a date, suppliers, purchase orders with their lines and material requests,
// with the rules every store form relies on.
#pragma once

#include "library/xDBCatalog.h"
#include "library/xDataSet.h"
#include "library/xQuery.h"
#include "library/xTable.h"
#include "platform/db/DataSource.h"

#include <QDate>
#include <optional>
#include <span>

// The mould data of an item (POLOZKYKOKILY) with their captions, in the order the item card shows them.
extern const std::span<const TFieldTitle> MouldFieldTitles;

class TDMMTZ {
public:
    TDMMTZ();
    ~TDMMTZ();
    TDMMTZ(const TDMMTZ &) = delete;
    TDMMTZ &operator=(const TDMMTZ &) = delete;

    TDataSource DSMSklady;
    TDataSource DSPolozkyKokily;
    TxTable QPolozkyKokily; // cached: saved with the item card
    TxTable QMPohyby;
    TDataSource DSMPohyby;
    TxTable QPolozky;
    TDataSource DSPolozky;
    TxTable QMSklady;  // cached: saved with the item card
    TxQuery QvMSklady; // the stock as of a date (StockAsOfDateSql)
    TDataSource DSvMSklady;
    TxQuery QvMPohyby; // movements with their items, for the movement views and prints
    TDataSource DSvMPohyby;
    TxTable QDodavatelia;
    TDataSource DSDodavatelia;
    TDataSource DSMObj;
    TxDataSet QMObj;
    TxTable QMObjD; // cached lines of the current order
    TDataSource DSMObjD;
    TxDataSet QMPoziad; // cached requests
    TDataSource DSMPoziad;

    // ---- row defaults
    void QPolozkyNewRecord(TDataSet *dataSet);
    void QPolozkyKokilyNewRecord(TDataSet *dataSet);
    void QMSkladyNewRecord(TDataSet *dataSet);
    void QMPohybyNewRecord(TDataSet *dataSet);
    void QDodavateliaNewRecord(TDataSet *dataSet);
    void QMObjNewRecord(TDataSet *dataSet);
    void QMObjDNewRecord(TDataSet *dataSet);
    void QMObjDBeforeOpen(TDataSet *dataSet);
    // ---- guards
    void QPolozkyBeforeDelete(TDataSet *dataSet);
    // A stored item keeps its number while movements name it.
    void QPolozkyBeforePost(TDataSet *dataSet);
    void QMPohybyBeforePost(TDataSet *dataSet);
    void QMObjBeforePost(TDataSet *dataSet);
    void QMObjDBeforePost(TDataSet *dataSet);
    void QMObjAfterOpen(TDataSet *dataSet);

    // Sets C_DOKLADU of the current movement: YYMMnnn per month, kind and store.
    void NextStockDocumentNumber();
    // Before the first save of a movement after its number was drawn: when its month, kind or store has
    // changed since, or another movement was stored under the number meanwhile, the number is drawn again
    // under the movement's own month, kind and store (the dialog shows the new one).
    void CheckDrawnDocumentNumber(TDataSet *dataSet);
    // Gives a data set's fields the store's column titles (a query the forms run themselves).
    static void SetMaterialTitles(TDataSet *dataSet);
    // A cached-update handler that reports each record applied and writes nothing.
    static void MarkUpdateApplied(TDataSet *dataSet, TUpdateKind kind, TUpdateAction &action);

    // ---- the item card's save: the item's number goes into its new store and mould rows; stores, mould
    // data and item are written under one savepoint. On an error nothing stays written, the edits stay
    // and the error propagates. mouldKind: the mould data is kept (sub-kind K or M), else dropped.
    void SaveMaterialItem(bool mouldKind);
    void CancelMaterialItem();
    // Opens the mould data and store rows of the current item.
    void OpenItemDetails();
    void CloseItemDetails();

    // ---- movements
    // Posts the current movement with the sign of its kind (as the dialog's OK does).
    void PostMovementWithSign();
    // A return of the current movement when it has the issuing kind: a new movement of the returning kind,
    // the same item, store and job, the quantity positive. False when the current movement has another kind.
    bool ReturnStockMovement(int fromKind, int toKind);

    // ---- stock as of a date: the query open for the store type and the end of the day.
    void OpenStockAsOfDate(const QString &storeType, const QDate &date, const QString &where = QString());

    // ---- purchase orders
    // Sets the state of the current order (above 0 only).
    void SetPurchaseOrderState(int state);
    // After the order went to the printer: only a new order becomes printed.
    void MarkPurchaseOrderPrinted();

    // ---- requests
    // Reserves the current request (and with order, orders the rest); the request row is written, the
    // other listed rows of the item get the reservation in MNOZ_REC for display only. False when nothing
    // was open.
    bool ReserveCurrentRequest(bool order);
    // Marks the current request done (state 2).
    void MarkRequestDone();
    // Rebuilds the requests from the open jobs and reopens the list.
    void RebuildRequests();

private:
    void applyRow(TDataSet &dataSet);
    // The last number drawn, for which movement and under which month, kind and store; forgotten once the
    // movement is saved.
    struct TDrawnDocument {
        QVariant Movement;
        QDate Month;
        int Kind = 0;
        QString Store;
        int Number = 0;
    };
    std::optional<TDrawnDocument> drawn_;
};

extern TDMMTZ *DMMTZ;
