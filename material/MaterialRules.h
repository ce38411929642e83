// The rules of the material side that need no data set: movement kinds and signs, stock document
// numbers and titles, purchase-order states, the reservation of a request, and the filter texts of the
// material forms built from what a user typed.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// ---- movements
// The texts of the movement dialog's kind list ("10 - Prijem od Dodavatela" ...).
const QStringList &MovementKindTexts();
// The kinds a movement may have: 10..29.
bool IsMovementKindAllowed(int kind);
// Receipts (below 20) are stored positive, issues (20 and above) negative, whatever sign was typed.
double SignedMovementQuantity(int kind, double quantity);
// The number before the first document of the date's month: YYMM000.
int FirstDocumentNumberBase(const QDate &date);
// The name of a kind on a stock document ("Neznámy pohyb" for kinds without one).
QString StockDocumentKindName(int kind);
// "PRÍJEMKA" below 20, "VÝDAJKA" from 20.
QString StockDocumentTitle(int kind);
// A return is offered on a movement of the issuing kind: 23 -> 13, 24 -> 14.
bool IsReturnable(int currentKind, int fromKind);
// "Cena príjmu": only a kind-10 movement dated today - 40 days or later.
bool CanChangeReceiptPrice(int kind, const QDate &date, const QDate &today);

// ---- purchase orders
// 1 "Tla", 2 "Pot", 3 "Dod", anything else three blanks.
QString PurchaseOrderStateText(int state);
// Printing marks only a new order as printed: a confirmed or delivered order keeps its state.
int PurchaseOrderStateAfterPrint(int state);
// The number of a new order line: one above the highest line, those not yet saved included.
int NextOrderLineNumber(int highestStored, int highestCached);

// ---- requests
struct TReservation {
    bool Changed = false; // false: nothing was open, the request stays as it is
    double Reserved = 0;  // added to MNOZ_REZ (and to every listed row's MNOZ_REC of the item)
    double Ordered = 0;   // added to MNOZ_OBJ
};
// open = requested - reserved - ordered; free = stock - reserved over all requests of the item. Reserves
// max(0, min(open, free)); with order, what stays open is added to the ordered quantity.
TReservation ReserveRequest(double requested, double reserved, double ordered, double stock, double reservedAll,
                            bool order);

// ---- filters
struct TMovementFilter {
    QDate From, To;
    QString Store, Kind, Item, ItemType;
    int Job = 0;
};
// The WHERE condition of the movements form; every typed text enters as a literal, the kind only when it
// is digits from "10" to "29" (compared as texts), the dates as 'yyyy-mm-dd'.
QString BuildMovementCondition(const TMovementFilter &filter);

struct TRequestFilter {
    int Supplier = 0;
    QString Store, ItemType, CustomerOrder;
    bool LowerLevels = false;
    QString JobFilter; // the caller's WHERE text over vZakazkyD, empty from the main menu
};
// The clauses of the requests form. For the two request tabs the whole condition ("stav_poz<3 and
// a.typ1='M' ..."); for the below-minimum tab only the clauses, each starting with " and".
QString BuildRequestFilter(const TRequestFilter &filter, bool requestTab);

// The items list's filter: never products; each field (a text column) matched by prefix or anywhere.
QString ItemQuickSearchFilter(const QStringList &fields, const QStringList &values, bool prefix, const QString &kind,
                              const QString &subKind);
