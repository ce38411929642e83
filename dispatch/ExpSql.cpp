#include "ExpSql.h"

namespace ExpSql {

namespace {

const QStringList HeaderColumns{"C_DL",     "C_ODB",    "C_OBJ",   "D_OBJ", "DOPRAVA", "PATA_DL",
                                "D_VYSTAV", "VYSTAVIL", "PREVZAL", "KURZ",  "MENA",    "C_FAKTURY"};
const QStringList LineColumns{"C_DL",  "C_RIADKU", "SKLAD", "C_VYR",    "MNOZ_VYR", "CENA_KURZ1",
                              "C_INT", "NAKL1",    "MIM1",  "KOEF_MAT", "KOEF_DOP"};

QString params(const QStringList &columns, const QString &prefix = QStringLiteral(":"))
{
    QStringList out;
    for (const QString &c : columns)
        out << prefix + c;
    return out.join(QStringLiteral(", "));
}

QStringList insertOf(const QString &table, const QStringList &columns)
{
    return {QStringLiteral("insert into %1").arg(table),
            QStringLiteral("  (%1)").arg(columns.join(QStringLiteral(", "))), QStringLiteral("values"),
            QStringLiteral("  (%1)").arg(params(columns))};
}

QStringList modifyOf(const QString &table, const QStringList &columns, const QString &where)
{
    QStringList sets;
    for (const QString &c : columns)
        sets << QStringLiteral("  %1 = :%1").arg(c);
    return QStringList{QStringLiteral("update %1").arg(table), QStringLiteral("set")}
           << sets.join(QStringLiteral(",\n")) << QStringLiteral("where") << where;
}

const QString HeaderKey = QStringLiteral("  C_DL = :OLD_C_DL");
const QString LineKey = QStringLiteral("  C_DL = :OLD_C_DL and C_VYR = :OLD_C_VYR and C_INT = :OLD_C_INT");

} // namespace

const QStringList HeaderSelect{QStringLiteral("select * "), QStringLiteral("from vEDListy"), QString(), QString()};
const QStringList HeaderInsert = insertOf(QStringLiteral("EDListy"), HeaderColumns);
const QStringList HeaderModify = modifyOf(QStringLiteral("EDListy"), HeaderColumns, HeaderKey);
const QStringList HeaderDelete{QStringLiteral("delete from EDListy"), QStringLiteral("where"), HeaderKey};
const QStringList HeaderRefresh{
    QStringLiteral("select %1, ODBERATEL, ULICA, PSC, MESTO, HODN_DL").arg(HeaderColumns.join(QStringLiteral(", "))),
    QStringLiteral("from vEDListy"), QStringLiteral("where C_DL = :C_DL")};

const QStringList LineSelect{
    QStringLiteral(
        "select C_DL, C_RIADKU, C_INT, C_VYR, SKLAD, MNOZ_VYR,   CENA_KURZ1, NAKL1, MIM1, KOEF_MAT, KOEF_DOP,"),
    QStringLiteral(" VAHA1, NAZOV"), QStringLiteral("from vEDListyD"), QStringLiteral("where c_dl=:c_dl")};
const QStringList LineInsert = insertOf(QStringLiteral("EDListyD"), LineColumns);
const QStringList LineModify = modifyOf(QStringLiteral("EDListyD"), LineColumns, LineKey);
const QStringList LineDelete{QStringLiteral("delete from EDListyD"), QStringLiteral("where"), LineKey};
const QStringList LineRefresh{QStringLiteral("select %1, nazov, vaha1").arg(LineColumns.join(QStringLiteral(", "))),
                              QStringLiteral("from vEDListyD"),
                              QStringLiteral("where C_DL = :C_DL and C_VYR = :C_VYR and C_INT = :C_INT")};

const QStringList StockAsOfDate{
    QStringLiteral("select POLOZKY.*, MSKLADY.sklad, pozicia1, pozicia2, pozicia3, mnoz_vydv, mnoz_vydo,mnozstvo - "
                   "coalesce(mnoz_poh,0) as mnozstvo,mnozstvo*cena_nakl - coalesce(hodn_poh,0) as "
                   "cenac,(mnozstvo - coalesce(mnoz_poh,0))*vaha1 as vahac "),
    QStringLiteral("from POLOZKY join MSKLADY on POLOZKY.C_POL=MSKLADY.C_POL join CSkladov on "
                   "MSKLADY.SKLAD=CSkladov.SKLAD and TYP_SKLADU=:typ_skladu "),
    QStringLiteral("left join (select sklad, c_pol, sum(mnozstvo) as mnoz_poh, sum(mnozstvo*cena_nakl) as hodn_poh "
                   "from MPohyby where datum>:kdatumu and typ_pohybu not in (13,23,14,24) group by sklad, c_pol) as p "
                   "on MSKLADY.sklad=p.sklad and MSKLADY.c_pol=p.c_pol "),
    QStringLiteral("where POLOZKY.C_POL>'' "), QStringLiteral("order by MSKLADY.SKLAD, POLOZKY.C_POL")};
const QString StockBaseCondition = QStringLiteral("POLOZKY.C_POL>'' ");
const QString StockOfProductCondition = QStringLiteral("MSKLADY.C_POL=:C_POL");

const QString JobForLine = QStringLiteral(
    "select C_VYR,NAZOV,VAHA1,KOEF_MAT,KOEF_DOP,CENA_KURZ1,CENA_NAKL as NAKL1,MIM1,STAV_ZAK, mnoz_obj, mnoz_dod, "
    "mnoz_skl from vZakazkyDKalk where c_int=:c_int");
const QString JobCosts =
    QStringLiteral("select KOEF_MAT,KOEF_DOP,CENA_NAKL as NAKL1,MIM1 from vZakazkyDKalk where c_int=:c_int");
namespace {
const QString TakeOverHead = QStringLiteral(
    "select c_int, c_vyr, nazov, vaha1, mnoz_obj, mnoz_skl, mnoz_dod,d_obj,c_odb,odberatel,mena,doprava,koef_mat, "
    "koef_dop, cena_kurz1, cena_nakl as NAKL1, MIM1 from vZakazkyDKalk a where ");
const QString TakeOverTail = QStringLiteral(" order by c_vyr,termin");
} // namespace
const QString TakeOverOfCustomer = TakeOverHead + QStringLiteral("c_odb=:c_odb and stav_zak<100") + TakeOverTail;
const QString TakeOverOfOrder = TakeOverHead + QStringLiteral("c_obj=:c_obj") + TakeOverTail;
const QString JobHeader =
    QStringLiteral("select c_odb,c_obj,d_obj,mena,doprava,USER as vystavil from vZakazkyD where c_int=:c_int");
const QString JobsToClose = QStringLiteral(
    "select a.c_int, a.c_vyr, stav_zak, mnoz_obj,(select sum(mnoz_vyr) from EDListyD where c_int=a.c_int) as "
    "mnoz_dod from ZakazkyD a join EDListyD b on a.c_int=b.c_int where c_dl=:c_dl and stav_zak<:stav_zak");
const QString ReceivedBy =
    QStringLiteral("SELECT DISTINCT prevzal FROM EDListy WHERE c_odb=:c_odb and d_vystav>CURRENT_DATE-365");

QString DeliveryNotePrint(const QString &currencyLabel, const QString &factor)
{
    return QStringLiteral(
               "select a.c_dl, a.c_obj, e.d_obj, e.doprava, e.vystavil, e.d_vystav, prevzal, pata_dl, %1 as "
               "MENA,odberatel, ulica, mesto, psc,c_riadku,a.c_vyr,a.c_int,c_pol_ext,c_vykresu,nazov,a.mnoz_vyr,vaha1,"
               "CENA_KURZ1/KURZ*%2 as CENA1, mimc*%3 as MIMC, prid_matc*%4 as PRID_MATC, prid_dopc*%5 as "
               "PRID_DOPC,a.c_int_re, z.c_obj as c_obj2 from vEDListyD a join EDListy e on a.c_dl=e.c_dl left join "
               "ZakazkyD z on a.c_int=z.c_int where a.c_dl=:c_dl")
        .arg(currencyLabel, factor, factor, factor, factor);
}

const QString InvoiceValues = QStringLiteral(
    "SELECT a.c_obj, a.d_obj, a.c_odb, a.kurz, a.mena, a.doprava, a.d_vystav,(SELECT sum(cena_predc+prid_matc+"
    "prid_dopc) FROM vEDListyD WHERE c_dl=a.c_dl) AS zaklad,c.ICO, c.odberatel, c.plat_podm,f_uhrady, zaloha, "
    "a.d_splat FROM EDListy a JOIN COdberatelov c ON a.c_odb=c.c_odb LEFT JOIN Zakazky z ON a.c_obj=z.c_obj WHERE "
    "a.c_dl=:c_dl");
const QString StoreDueDate = QStringLiteral("update EDListy set d_splat=:d_splat where c_dl=:c_dl");
const QString InvoiceLines = QStringLiteral(
    "SELECT a.c_vyr, a.c_pol_ext, a.nazov, a.mnoz_vyr, a.cena_kurz1, a.vahac, a.prid_matc, a.prid_dopc,z.c_obj as "
    "c_obj2 FROM vEDListyD a LEFT JOIN ZakazkyD z ON a.c_int=z.c_int WHERE a.c_dl=:c_dl order by a.c_riadku");
const QString CustomerByIco = QStringLiteral("select * from COdberatelov where ICO=:ICO");
const QString CustomerByNumber = QStringLiteral("select * from COdberatelov where C_ODB=:c_odb");
const QString InvoiceNumberOfNote = QStringLiteral("select c_faktury from EDListy where c_dl=:c_dl");
// 1 when the customer has an invoiced note besides this one, else 0: the first found among the customer's
// notes ends the look-up (the invoice number is kept off its index, whose range would hold every invoice).
const QString InvoicesOfCustomer =
    QStringLiteral("select count(*) from RDB$DATABASE where exists (select 1 from EDListy where c_odb=:c_odb and "
                   "c_faktury||''>'' and c_dl<>:c_dl)");
// The highest invoice number of a prefix among those with four digits after it.
const QString LastInvoiceNumber = QStringLiteral(
    "select max(c_faktury) from EDListy where c_faktury starting with :prefix and char_length(c_faktury)=:n");

QString InvoicePrint(double vatRate)
{
    return QStringLiteral(
               "select a.c_dl, a.c_obj, a.c_faktury, 8 as KS, e.doprava, e.vystavil, e.d_vystav, e.d_vystav as "
               "d_zdanpln, coalesce(e.d_splat, e.d_vystav+14) as d_splat, prevzal, pata_dl,a.odberatel, ulica, mesto, "
               "psc, cast(ico as "
               "char(10)) as ico, icdph,c_riadku, a.c_vyr, a.c_int, c_vykresu, nazov, mj, a.mnoz_vyr, vaha1,CENA_KURZ1 "
               "as CENA1, a.mena, %1 as P_DPH,zd.c_obj as C_OBJ2,coalesce(f_uhrady,'PP') as F_UHRADY from vEDListyD "
               "a join EDListy e on a.c_dl=e.c_dl left join ZakazkyD zd on a.c_int=zd.c_int left join Zakazky z on "
               "a.c_obj=z.c_obj where a.c_dl=:c_dl")
        .arg(QString::number(vatRate, 'f', 2));
}

const QStringList StoreHandOvers{QStringLiteral("select datum,c_dokladu,c_int,mnozstvo,nakl1,odberatel "),
                                 QStringLiteral("from vSOdvody "), QStringLiteral("where c_vyr=:c_pol "),
                                 QStringLiteral("order by datum desc")};
const QStringList StoreDeliveryNotes{
    QStringLiteral("select a.d_vystav,a.c_dl,c_int,mnoz_vyr as mnozstvo,nakl1,odberatel "),
    QStringLiteral("from vEDListyD a "), QStringLiteral("where c_vyr=:c_pol "),
    QStringLiteral("order by a.d_vystav desc")};
const QStringList StoreOrders{QStringLiteral("select c_obj,c_int,mnoz_vyr,termin,odberatel "),
                              QStringLiteral("from vZakazkyD "), QStringLiteral("where c_vyr=:c_pol "),
                              QStringLiteral("order by d_obj desc")};
const QStringList StoreFilters{
    QString::fromUtf8("Všetky položky=MSKLADY.c_pol>''"),
    QString::fromUtf8("Položky so zásobou=(mnozstvo<>0 and mnoz_poh is null or mnozstvo-mnoz_poh<>0)"),
    QString::fromUtf8("č.Výrobku=MSKLADY.c_pol like '?%'"),
    QString::fromUtf8("Pre odberateľa ...=mnozstvo<>0 and MSKLADY.c_pol in (select c_vyr from vZakazkyD where "
                      "Odberatel like '?%' or c_odb=#)"),
    QString::fromUtf8("Na objednávke ...=MSKLADY.c_pol in (select c_vyr from vZakazkyD where c_obj like '?%')")};

const QString OrderOfJob = QStringLiteral("SELECT c_obj FROM ZakazkyD WHERE c_int=:c_int");
const QString EarlierOpenJobs = QStringLiteral(
    "SELECT min(a.c_int),count(*) FROM vZakazkyD a JOIN vZakazkyD b ON a.c_odb=b.c_odb and a.c_vyr=b.c_vyr WHERE "
    "b.c_int=:c_int and a.stav_zak<:stav_zak and a.termin<=b.termin");
const QString JobProgress =
    QStringLiteral("select mnoz_obj, mnoz_odv, mnoz_skl, mnoz_dod from vZakazkyDKalk where c_int=:c_int");

const QStringList NoteSelections{QStringLiteral("where d_vystav=:d"),
                                 QStringLiteral("where d_vystav>=:d"),
                                 QStringLiteral("where c_dl=:c"),
                                 QStringLiteral("where c_faktury=:c"),
                                 QStringLiteral("where d_vystav=:d"),
                                 QStringLiteral("where odberatel like :s1 or c_odb=:c"),
                                 QStringLiteral("where c_dl in (select c_dl from EDListyD where c_vyr like :s)")};

// By number, the lines of a note in their jobs' order: ordered by the number alone, the optimizer would
// walk every note's number instead of reading the period's.
const TOverviewView OverviewViews[8] = {
    {"Detail podľa č.DL", "select C_DL,ODBERATEL,C_OBJ,C_FAKTURY", "order by c_dl,c_int", "d_vystav"},
    {"Detail podľa Odberateľa", "select ODBERATEL,C_DL,C_OBJ,C_FAKTURY", "order by odberatel,c_dl", "odberatel"},
    {"Detail podľa Objednávky", "select C_OBJ,ODBERATEL,C_DL,C_FAKTURY", "order by c_obj,c_dl", "c_obj"},
    {"Detail podľa č.Faktúry", "select C_FAKTURY,C_DL,ODBERATEL,C_OBJ", "order by c_faktury,c_dl", "c_faktury"},
    {"Sumár za Dátum", "select D_VYSTAV,", "group by D_VYSTAV", "d_vystav"},
    {"Sumár za Odberateľa", "select Odberatel,", "group by Odberatel order by 6 desc", "odberatel"},
    {"Sumár za Výrobok", "select C_VYR,", "group by C_VYR", "c_vyr"},
    {"Sumár za Faktúru", "select C_FAKTURY,", "group by C_FAKTURY", "c_faktury"},
};
const QString OverviewDetailColumns = QStringLiteral(
    ",D_VYSTAV,C_INT,C_VYR,MNOZ_VYR, VAHAC, VLNC, CENA_PREDC, CENA_KURZC, MENA, MIMC, PRID_MATC, PRID_DOPC ");
const QString OverviewSummaryColumns =
    QStringLiteral("cast(sum(MNOZ_VYR) as integer) as mnoz_vyr,sum(VAHAC) as VahaC,sum(VLNC) as VLNC,sum(MIMC) as MIMC,"
                   "sum(CENA_PREDC) as Cena_predC,sum(PRID_MATC) as PRID_MATC,sum(PRID_DOPC) as PRID_DOPC ");
const QString OverviewFrom = QStringLiteral("from vEDListyD ");
const QString OverviewWhere = QStringLiteral("where D_VYSTAV between :Datum_od and :Datum_do ");

QStringList All()
{
    QStringList all{JobForLine,
                    JobCosts,
                    TakeOverOfCustomer,
                    TakeOverOfOrder,
                    JobHeader,
                    JobsToClose,
                    ReceivedBy,
                    DeliveryNotePrint(QStringLiteral("''"), QStringLiteral("0")),
                    DeliveryNotePrint(QStringLiteral("'€'"), QStringLiteral("1")),
                    DeliveryNotePrint(QStringLiteral("e.mena"), QStringLiteral("KURZ")),
                    InvoiceValues,
                    StoreDueDate,
                    InvoiceLines,
                    CustomerByIco,
                    CustomerByNumber,
                    InvoiceNumberOfNote,
                    InvoicesOfCustomer,
                    LastInvoiceNumber,
                    InvoicePrint(20),
                    OrderOfJob,
                    EarlierOpenJobs,
                    JobProgress};
    for (const QStringList *lines :
         {&HeaderSelect, &HeaderInsert, &HeaderModify, &HeaderDelete, &HeaderRefresh, &LineSelect, &LineInsert,
          &LineModify, &LineDelete, &LineRefresh, &StockAsOfDate, &StoreHandOvers, &StoreDeliveryNotes, &StoreOrders})
        all << lines->join(QLatin1Char('\n'));
    QStringList stockOfProduct = StockAsOfDate;
    stockOfProduct[3] = QStringLiteral("where ") + StockOfProductCondition;
    all << stockOfProduct.join(QLatin1Char('\n'));
    for (const QString &selection : NoteSelections)
        all << (QStringList{HeaderSelect[0], HeaderSelect[1], selection}).join(QLatin1Char('\n'));
    for (const TOverviewView &view : OverviewViews) {
        const bool summary = QByteArray(view.Last).startsWith("group");
        all << QString::fromUtf8(view.Head) + (summary ? OverviewSummaryColumns : OverviewDetailColumns) + '\n' +
                   OverviewFrom + '\n' + OverviewWhere + QStringLiteral(" and c_int=:c_int and c_odb=:c_odb") + '\n' +
                   QString::fromUtf8(view.Last);
    }
    return all;
}

} // namespace ExpSql
