// TDMTPV (global DMTPV): products with their technology routes, bills of material and calculation lines,
// the rules inside those data sets, the unit-time entry and the message sent when a route changes.
#pragma once

#include "library/xTable.h"
#include "platform/db/DataSource.h"

#include <QString>
#include <QStringList>

class TField;
class TxQuery;

class TDMTPV {
public:
    TDMTPV();
    ~TDMTPV();
    TDMTPV(const TDMTPV &) = delete;
    TDMTPV &operator=(const TDMTPV &) = delete;

    TxTable QPolozky;
    TDataSource DSPolozky;
    TxTable QTOperacie; // cached
    TDataSource DSTOperacie;
    TxTable QTKusovnik; // cached
    TDataSource DSTKusovnik;
    TxTable QPolozkyKalk; // cached
    TDataSource DSPolozkyKalk;

    // ---- events
    void QPolozkyNewRecord(TDataSet *dataSet);
    void QPolozkyAfterOpen(TDataSet *dataSet);
    void QTOperacieNewRecord(TDataSet *dataSet);
    void QTOperacieAfterOpen(TDataSet *dataSet);
    void QTOperacieBeforePost(TDataSet *dataSet);
    void QTOperacieAfterPost(TDataSet *dataSet);
    void QTKusovnikNewRecord(TDataSet *dataSet);
    void QPolozkyKalkNewRecord(TDataSet *dataSet);

    // ---- field rules
    // A product in stock keeps its internal price.
    static void CheckInternalPriceChange(TField *field);
    // 1 .. 1999.
    static void ValidateOperationNumber(TField *field);
    // Operation number, description, workplace, profession and tariff of a code from the operations list.
    static void CopyOperation(TField *field);
    // Unit time typed with a unit suffix: "1,5h" 90, "30s" 0.5, "12m" and "12" 12 minutes; empty clears.
    static void SetUnitTimeText(TField *field, const QString &text);

    // Asks for the norm in pieces per 450-minute shift and sets the current operation's unit time.
    void EnterNormPerShift();

    // ---- the product's save
    // Posts the product and applies its operations, bill of materials and calculation lines together
    // (all or nothing); then sends the route-change messages queued since the last save.
    void SaveProduct();
    // Drops the cached changes of the details and the queued messages.
    void CancelProduct();
    // The route-change messages waiting for the save.
    const QStringList &PendingMessages() const { return pendingMessages_; }
    // The users who get them: the settings' [Defaults] ZmenaOperacieTP, a comma list of log-ins.
    QStringList MessageRecipients() const;

    // ---- the products browser (on QPolozky)
    // All products in the order of the field.
    void SortProducts(const QString &field);
    // The products whose field starts with the typed text, the order kept.
    void QuickSearchProducts(const QString &field, const QString &text);
    // The products condition joined with a condition of the filter panel (products only, never empty).
    static QString ProductsFilter(const QString &panelCondition);
    // The condition of the products listed now: the table's filter while filtering, else all products.
    QString ListedProducts() const;
    // Copies the product's row (number and issue date new), bill of materials and route under the new
    // number. A refused row (a number that exists) throws before anything else is written.
    void CopyProduct(const QString &oldCode, const QString &newCode);
    // The detail query of a tab of the browser (1..6; 0 opens nothing) on the current product.
    void OpenProductTab(TxQuery &query, TDataSource &productSource, int tab);
    // The price list of the listed products: stored against current calculation, into query.
    void OpenPriceList(TxQuery &query);
    // Recalculates the stored calculations of the listed products.
    void UpdatePriceCalculations();

private:
    QStringList pendingMessages_;
};

extern TDMTPV *DMTPV;
