#include "MaterialRules.h"

#include "library/SqlLiteral.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

const QStringList &MovementKindTexts()
{
    static const QStringList texts{QStringLiteral("10 - Prijem od Dodavatela"),
                                   QStringLiteral("11 - Prijem zo zahranicia"),
                                   QStringLiteral("12 - Prijem z vyroby"),
                                   QStringLiteral("13 - Vratenie z vyroby"),
                                   QStringLiteral("14 - Vratenie z opravy"),
                                   QStringLiteral("20 - Vydaj odberatelovi"),
                                   QStringLiteral("21 - Vyvoz do zahranicia"),
                                   QStringLiteral("22 - Vydaj do vyroby"),
                                   QString::fromUtf8("23 - Vypožičanie do vyroby"),
                                   QStringLiteral("24 - Vydaj na opravu"),
                                   QStringLiteral("25 - Vysrotovanie")};
    return texts;
}

bool IsMovementKindAllowed(int kind)
{
    return kind >= 10 && kind <= 29;
}

double SignedMovementQuantity(int kind, double quantity)
{
    return kind >= 20 ? -std::fabs(quantity) : std::fabs(quantity);
}

int FirstDocumentNumberBase(const QDate &date)
{
    return (date.year() % 100) * 100000 + date.month() * 1000;
}

QString StockDocumentKindName(int kind)
{
    switch (kind) {
    case 10:
        return QString::fromUtf8("Príjem od dodávateľa");
    case 11:
        return QString::fromUtf8("Príjem zo zahraničia");
    case 12:
        return QString::fromUtf8("Príjem z výroby");
    case 14:
        return QString::fromUtf8("Príjem z opravy");
    case 20:
        return QString::fromUtf8("Výdaj odberateľovi");
    case 21:
        return QString::fromUtf8("Vývoz do zahraničia");
    case 22:
        return QString::fromUtf8("Výdaj do výroby");
    case 24:
        return QString::fromUtf8("Výdaj na opravu");
    case 25:
        return QString::fromUtf8("Vyšrotovanie");
    default:
        return QString::fromUtf8("Neznámy pohyb");
    }
}

QString StockDocumentTitle(int kind)
{
    return kind < 20 ? QString::fromUtf8("PRÍJEMKA") : QString::fromUtf8("VÝDAJKA");
}

bool IsReturnable(int currentKind, int fromKind)
{
    return currentKind == fromKind;
}

bool CanChangeReceiptPrice(int kind, const QDate &date, const QDate &today)
{
    return kind == 10 && date.isValid() && date >= today.addDays(-40);
}

QString PurchaseOrderStateText(int state)
{
    switch (state) {
    case 1:
        return QStringLiteral("Tla");
    case 2:
        return QStringLiteral("Pot");
    case 3:
        return QStringLiteral("Dod");
    default:
        return QStringLiteral("   ");
    }
}

int PurchaseOrderStateAfterPrint(int state)
{
    return state == 0 ? 1 : state;
}

int NextOrderLineNumber(int highestStored, int highestCached)
{
    return std::max({highestStored, highestCached, 0}) + 1;
}

TReservation ReserveRequest(double requested, double reserved, double ordered, double stock, double reservedAll,
                            bool order)
{
    TReservation r;
    double open = requested - reserved - ordered;
    if (open <= 0)
        return r;
    const double free = stock - reservedAll;
    r.Changed = true;
    r.Reserved = std::max(0.0, std::min(open, free));
    open -= r.Reserved;
    if (order && open > 0)
        r.Ordered = open;
    return r;
}

QString BuildMovementCondition(const TMovementFilter &f)
{
    QString c =
        QStringLiteral("datum between %1 and %2")
            .arg(SqlLiteral(f.From.toString(Qt::ISODate), ftDate), SqlLiteral(f.To.toString(Qt::ISODate), ftDate));
    const QString store = f.Store.trimmed();
    if (!store.isEmpty())
        c += QStringLiteral(" and sklad=") + SqlLiteral(store);
    // The kind is a number: only digits pass, within "10".."29" as the texts compare.
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    const QString kind = f.Kind.trimmed();
    if (digits.match(kind).hasMatch() && kind >= QLatin1String("10") && kind <= QLatin1String("29"))
        c += QStringLiteral(" and typ_pohybu=") + kind;
    const QString item = f.Item.trimmed();
    if (!item.isEmpty())
        c += QStringLiteral(" and MPOHYBY.c_pol=") + SqlLiteral(item);
    if (f.Job != 0)
        c += QStringLiteral(" and c_int=%1").arg(f.Job);
    const QString type = f.ItemType.trimmed();
    if (!type.isEmpty())
        c += QStringLiteral(" and MPOHYBY.c_pol in (select c_pol from POLOZKY where typ2=%1)").arg(SqlLiteral(type));
    return c;
}

QString BuildRequestFilter(const TRequestFilter &f, bool requestTab)
{
    QString text;
    if (f.Supplier != 0)
        text += QStringLiteral(" and a.c_pol in (select c_pol from MObjednavkyD OD join MObjednavky O on "
                               "OD.c_obj=O.c_obj where c_dod=%1)")
                    .arg(f.Supplier);
    if (!f.Store.trimmed().isEmpty())
        text += QStringLiteral(" and a.c_pol in (select c_pol from MSklady where sklad=%1)")
                    .arg(SqlLiteral(f.Store.trimmed()));
    if (!f.ItemType.trimmed().isEmpty())
        text += QStringLiteral(" and a.c_pol in (select c_pol from Polozky where typ2=%1)")
                    .arg(SqlLiteral(f.ItemType.trimmed()));
    if (!requestTab)
        return text;
    if (!f.CustomerOrder.trimmed().isEmpty())
        text += QStringLiteral(" and a.c_int in (select c_int from ZakazkyD where c_obj=%1)")
                    .arg(SqlLiteral(f.CustomerOrder.trimmed()));
    if (!f.LowerLevels)
        text += QStringLiteral(" and c_urovne<=1");
    // The caller's job filter narrows the list too, with any other clause present.
    if (!f.JobFilter.trimmed().isEmpty())
        text += QStringLiteral(" and a.c_int in (select c_int from vZakazkyD %1)").arg(f.JobFilter.trimmed());
    return QStringLiteral("stav_poz<3 and a.typ1='M' %1").arg(text);
}

QString ItemQuickSearchFilter(const QStringList &fields, const QStringList &values, bool prefix, const QString &kind,
                              const QString &subKind)
{
    QString filter = QStringLiteral("typ1<>'V'");
    for (int i = 0; i < fields.size() && i < values.size(); ++i)
        filter += QStringLiteral(" and ") + QuickSearch(fields[i], ftString, prefix ? values[i] : "%" + values[i]);
    if (!kind.isEmpty())
        filter += QStringLiteral(" and typ1=") + SqlLiteral(kind);
    if (!subKind.isEmpty())
        filter += QStringLiteral(" and typ2=") + SqlLiteral(subKind);
    return filter;
}
