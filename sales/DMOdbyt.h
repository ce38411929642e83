// TDMOdbyt (global DMOdbyt): the sales data module. Offers and orders with their items (the production
// jobs), purchase contracts, complaint protocols, the look-ups of the sales forms, and the calculation of a
// job: its header and detail data sets, whose rules run the calculation model TKalkulacia.
#pragma once

#include "Kalkulacia.h"
#include "library/xDataSet.h"
#include "library/xQuery.h"
#include "library/xTable.h"
#include "platform/db/DataSource.h"
#include "shell/ProposedNumber.h"

#include <functional>

class TField;

class TDMOdbyt {
public:
    TDMOdbyt();
    ~TDMOdbyt();
    TDMOdbyt(const TDMOdbyt &) = delete;
    TDMOdbyt &operator=(const TDMOdbyt &) = delete;

    // ---- orders, offers, contracts, complaints
    TxTable QvZakazky; // order headers through VZAKAZKY
    TDataSource DSvZakazky;
    TxTable QZakazkyD; // items of the current order
    TDataSource DSZakazkyD;
    TxTable QZakZml;
    TDataSource DSZakZml;
    TxQuery QCOdberatelovLookup;
    TDataSource DSCOdberatelovLookup;
    TxQuery QvEDListyLookup;
    TDataSource DSvEDlistyLookup;
    TxQuery QvZakKalkLookup;
    TDataSource DSvZakKalkLookup;
    TxQuery QvZakazkyDKalk; // four lines: select, from, WHERE, ORDER BY
    TDataSource DSvZakazkyDKalk;
    TxTable QCenPon; // offer headers
    TDataSource DSCenPon;
    TxTable QCenPonD; // offer items, cached
    TDataSource DSCenPonD;
    TxDataSet QZakRek; // complaint protocols
    TDataSource DSZakRek;
    // The numbers proposed to new offers and orders (C_OBJ) and to new jobs (C_INT): a number another
    // workstation stores meanwhile gives way to the next free one when the record is saved.
    TProposedNumber OfferNumber{QStringLiteral("C_OBJ"), QStringLiteral("PK_ZAKAZKY")};
    TProposedNumber OrderNumber{QStringLiteral("C_OBJ"), QStringLiteral("PK_ZAKAZKY")};
    TProposedNumber JobNumber{QStringLiteral("C_INT"), QStringLiteral("PK_ZAKAZKYD")};

    // ---- the calculation (all cached, applied together by SaveCalculation)
    TxTable QvZakKalk;
    TDataSource DSZakKalk;
    TxTable QZakOperacie;
    TDataSource DSZakOperacie;
    TxTable QZakKusovnik;
    TDataSource DSZakKusovnik;
    TxTable QZakKalkO;
    TDataSource DSZakKalkO;
    TxTable QZakKalkM;
    TDataSource DSZakKalkM;
    TxTable CNakladovO;
    TDataSource DSCNakladovO;
    TxTable CNakladovM;
    TDataSource DSCNakladovM;

    // ---- events of the orders and offers
    void QCenPonNewRecord(TDataSet *dataSet);
    void QCenPonDNewRecord(TDataSet *dataSet);
    void QCenPonDBeforePost(TDataSet *dataSet);
    void QCenPonDAfterPost(TDataSet *dataSet);
    void QvZakazkyAfterOpen(TDataSet *dataSet);
    void QvZakazkyNewRecord(TDataSet *dataSet);
    void QvZakazkyAfterPost(TDataSet *dataSet);
    void QvZakazkyBeforeDelete(TDataSet *dataSet);
    void QZakazkyDCreateFields(TDataSet *dataSet);
    void QZakazkyDNewRecord(TDataSet *dataSet);
    void QZakazkyDBeforeDelete(TDataSet *dataSet);
    void QZakazkyDMNOZ_OBJChange(TField *field);
    void QZakazkyDTERMIN_OBJValidate(TField *field);
    void QvZakazkyDKalkAfterOpen(TDataSet *dataSet);
    void QvZakKalkLookupAfterOpen(TDataSet *dataSet);
    // The contract number yy×10000+n typed and shown as its mask "####-0000" has it: 26-0001.
    void QZakZmlCreateFields(TDataSet *dataSet);
    void QZakZmlNewRecord(TDataSet *dataSet);
    void QZakZmlBeforeClose(TDataSet *dataSet);
    void QZakRekCreateFields(TDataSet *dataSet);
    void QZakRekNewRecord(TDataSet *dataSet);
    static void ValidateOrderNumber(TField *field);

    // ---- the offers browser and dialog
    // The offers of the last week, unless the list is open already; and their items.
    void OpenOffers();
    // Any condition narrowed to offers.
    static QString OffersFilter(const QString &condition);
    // The dialog's OK: posts the item being typed, the header, and applies the items (all or nothing);
    // throws (the dialog stays open, nothing typed lost) when refused.
    void SaveOffer();
    // The dialog's Cancel: drops the items not stored and the header's changes.
    void CancelOffer();
    // The rows of the printed offer into DMZal.QTlac.
    void OpenOfferPrint(const QString &offer);

    // ---- the customer orders browser (on QvZakazky)
    // The orders of the last 90 days, newest first, and their items.
    void OpenRecentOrders();
    // The orders whose field starts with the typed text, ordered by it; an empty text lists the orders
    // of the last 31 days.
    void QuickSearchOrders(const QString &field, const QString &text);
    // The same orders in another order.
    void ResortOrders(const QString &order);
    // The contract list of the orders listed now, into DMZal.QTlac.
    void OpenContractList();
    // A new contract of the current order (its payment preset from the customer's terms), or the
    // existing one put into edit.
    void EditOrPresetContract();
    // A new order header with the customer of the offer; false when there is no such offer.
    bool AppendOrderFromOffer(const QString &offer);
    // Reads the current order's items again, staying on the same item: another window (the internal
    // orders, a job ticket, a hand-over) may have moved their state, and an edit of a row read before
    // that would be refused as changed by another user. An item or header being typed keeps its rows.
    void RereadOrderItems();

    // ---- the internal orders browser (on QvZakazkyDKalk)
    // Writes the list's WHERE line; false, with nothing done, when it holds that text already. A changed
    // line leaves the list closed.
    bool SetJobListWhere(const QString &where);
    // The list's ORDER BY line ("order by " + order); a list that was open is opened again.
    void SetJobListOrder(const QString &order);
    // Opens the list and sums the weight and the price of all its jobs.
    void JobListTotals(double &weight, double &price);
    // The remaining norm hours of the jobs of the WHERE by the column, the largest first.
    QList<QPair<QString, double>> JobHoursBy(const QString &column, const QString &where);
    // The printed list of the jobs of the WHERE into DMZal.QTlac, by customer and product.
    void OpenJobsPrint(const QString &where);

    // ---- the calculation
    // Holds back the rules of a calculation data set while it lives (the busy guard: its Tag -1).
    struct TRulesHeld {
        explicit TRulesHeld(TDataSet &dataSet) : DataSet(dataSet) { DataSet.Tag = -1; }
        ~TRulesHeld() { DataSet.Tag = 0; }
        TRulesHeld(const TRulesHeld &) = delete;
        TRulesHeld &operator=(const TRulesHeld &) = delete;
        TDataSet &DataSet;
    };
    // The model the rules run; loaded from the data sets at each rule, so it always mirrors them.
    TKalkulacia Kalk;
    // true: the price follows the costs; false: the price follows the foreign-currency price.
    bool PriceMode() const { return Kalk.PriceFromCostsMode; }
    void SetPriceMode(bool fromCosts) { Kalk.PriceFromCostsMode = fromCosts; }
    void RecalcMaterialCost();
    void RecalcOperationCosts();
    void RecalcTotals();
    void PriceFromCosts();
    void PriceFromCurrencyPrice();
    // Every step on the loaded rows; writes back only the figures that moved.
    void Recalculate();
    // Drops the empty operations and cost lines, deletes a header with nothing in it, and applies the
    // five data sets together with what alsoWrite writes (all or nothing; alsoWrite learns whether the
    // header was kept). False when the empty header was deleted.
    bool SaveCalculation(const std::function<void(bool kept)> &alsoWrite = nullptr);

    // ---- one job's calculation as the calculation dialog opens, stores and closes it
    struct TCalculationStart {
        bool IsNew = false;
        int PreviousJob = 0;       // the job whose calculation was taken over, 0 for none
        double MaterialChange = 0; // the material price against the earlier job's calculation
        double ListPrice = 0;      // the product's list price
    };
    // Opens the calculation of the job; a job without one gets a new one seeded from the latest
    // comparable job (when the user takes it over), the product's technology, or the code lists.
    TCalculationStart OpenCalculation(int job);
    // Saves the calculation; for an order item the own costs become the product's calculated price
    // (unless it has a bill of materials), and with updateRoute the job's operations become its standard
    // route. One apply: all or nothing. False when the empty header was deleted.
    bool StoreCalculation(int job, bool updateRoute);
    // Closes the calculation data sets; changes not stored are dropped.
    void CloseCalculation();
    // Reads the code lists and rates the calculation needs (done when the header opens).
    void LoadCalculationLists();

private:
    // Stores the posted offer items with their header: a new header is posted first, then every pending
    // item takes the header's number and all are applied together.
    void StoreOfferItems();
    bool storingOfferItems_ = false; // the items are being given their header's number
    void setUpCalculation();
    void QvZakKalkAfterOpen(TDataSet *dataSet);
    void QvZakKalkCreateFields(TDataSet *dataSet);
    void QvZakKalkNewRecord(TDataSet *dataSet);
    void QZakOperacieAfterOpen(TDataSet *dataSet);
    void QZakOperacieNewRecord(TDataSet *dataSet);
    void QZakOperacieBeforePost(TDataSet *dataSet);
    void QZakKusovnikNewRecord(TDataSet *dataSet);
    void QZakKalkOBeforePost(TDataSet *dataSet);
    void costNewRecord(TDataSet *dataSet, const char *type);
    void operationCosts(TField *field);
    void copyOperation(TField *field);

    // Runs one step of the model under the header's busy guard: loads the model from the data sets, runs
    // the step and writes back what changed. Returns at once while the guard is set.
    void runStep(const std::function<void()> &step);
    void applyStep(const std::function<void()> &step);
    void loadModel();
    void storeModel();
    double loaded_[kfCount] = {};
};

extern TDMOdbyt *DMOdbyt;
