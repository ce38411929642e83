#include "MTZSql.h"

#include "library/SqlLiteral.h"

namespace MTZSql {

namespace {
QString joinLines(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'));
}

// insert into TABLE (A, B) values (:A, :B)
QStringList insertOf(const char *table, const QStringList &columns)
{
    QStringList values;
    for (const QString &c : columns)
        values << QLatin1Char(':') + c;
    return {QStringLiteral("insert into %1").arg(QLatin1String(table)),
            QLatin1Char('(') + columns.join(QStringLiteral(", ")) + QLatin1Char(')'), QStringLiteral("values"),
            QLatin1Char('(') + values.join(QStringLiteral(", ")) + QLatin1Char(')')};
}

// update TABLE set A = :A, ... where K = :OLD_K and ...
QStringList modifyOf(const char *table, const QStringList &columns, const QStringList &key)
{
    QStringList sets, where;
    for (const QString &c : columns)
        sets << QStringLiteral("  %1 = :%1").arg(c);
    for (const QString &k : key)
        where << QStringLiteral("%1 = :OLD_%1").arg(k);
    return {QStringLiteral("update %1").arg(QLatin1String(table)), QStringLiteral("set"),
            sets.join(QStringLiteral(",\n")), QStringLiteral("where ") + where.join(QStringLiteral(" and "))};
}

QStringList deleteOf(const char *table, const QStringList &key)
{
    QStringList where;
    for (const QString &k : key)
        where << QStringLiteral("%1 = :OLD_%1").arg(k);
    return {QStringLiteral("delete from %1").arg(QLatin1String(table)),
            QStringLiteral("where ") + where.join(QStringLiteral(" and "))};
}

const QStringList OrderColumns{QStringLiteral("C_OBJ"),    QStringLiteral("C_DOD"),     QStringLiteral("VYSTAVIL"),
                               QStringLiteral("D_VYSTAV"), QStringLiteral("D_DODANIA"), QStringLiteral("F_OBJ"),
                               QStringLiteral("POZNAMKA"), QStringLiteral("STAV_OBJ")};
const QStringList RequestColumns{QStringLiteral("STAV_POZ"), QStringLiteral("C_POL"),    QStringLiteral("NAZOV"),
                                 QStringLiteral("ROZMER"),   QStringLiteral("TERMIN"),   QStringLiteral("MNOZ_POZ"),
                                 QStringLiteral("MJ"),       QStringLiteral("MNOZ_REZ"), QStringLiteral("MNOZ_OBJ"),
                                 QStringLiteral("STR_POZ"),  QStringLiteral("C_INT"),    QStringLiteral("C_POZICIE"),
                                 QStringLiteral("D_UPDATE")};
const QStringList RequestKey{QStringLiteral("STAV_POZ"), QStringLiteral("C_POL"), QStringLiteral("C_INT"),
                             QStringLiteral("C_UROVNE"), QStringLiteral("C_POZICIE")};
const QString RequestColumnsSelect =
    QStringLiteral("SELECT a.* ,\n"
                   " (select sum(mnozstvo) from MSklady where c_pol=a.c_pol) as mnoz_skl,\n"
                   " (select sum(mnoz_rez) from MPoziadavky where c_pol=a.c_pol and stav_poz<3) as mnoz_rec\n"
                   "FROM MPoziadavky a ");
} // namespace

const QStringList StockAsOfDateSql{
    QStringLiteral("select POLOZKY.*, MSKLADY.sklad, pozicia1, pozicia2, pozicia3, mnoz_vydv, mnoz_vydo,mnozstvo - "
                   "coalesce(mnoz_poh,0) as mnozstvo,mnozstvo*cena_nakl - coalesce(hodn_poh,0) as cenac,(mnozstvo - "
                   "coalesce(mnoz_poh,0))*vaha1 as vahac "),
    QStringLiteral("from POLOZKY join MSKLADY on POLOZKY.C_POL=MSKLADY.C_POL join CSkladov on "
                   "MSKLADY.SKLAD=CSkladov.SKLAD and TYP_SKLADU=:typ_skladu "),
    QStringLiteral("left join (select sklad, c_pol, sum(mnozstvo) as mnoz_poh, sum(mnozstvo*cena_nakl) as hodn_poh "
                   "from MPohyby where datum>:kdatumu and typ_pohybu not in (13,23,14,24) group by sklad, c_pol) as p "
                   "on MSKLADY.sklad=p.sklad and MSKLADY.c_pol=p.c_pol "),
    QStringLiteral("where POLOZKY.C_POL>'' "),
    QStringLiteral("order by MSKLADY.SKLAD, POLOZKY.C_POL"),
};
QString StockInventoryWhere(bool onlyStock)
{
    return onlyStock ? QStringLiteral("where POLOZKY.C_POL>'' and (MSKLADY.mnozstvo - coalesce(mnoz_poh,0) > 0.0001 "
                                      "or mnoz_vydv <> 0 or mnoz_vydo <> 0) ")
                     : StockAsOfDateSql[3];
}

const QString ItemOrdersSql =
    QStringLiteral("SELECT a.c_obj, d_vystav, dodavatel, mnoz_obj, MJ, popis FROM MObjednavky a join MObjednavkyD b on "
                   "a.c_obj=b.c_obj join CDodavatelov c on a.c_dod=c.c_dod WHERE c_pol=:c_pol ORDER BY d_vystav DESC");
const QString ItemUsedInSql = QStringLiteral(
    "select c_pol,nazov,c_vykresu,obrazok,kp from POLOZKY where c_pol in (select c_vyr from TKusovnik where "
    "c_pol=:c_pol) or komod=:c_pol");
const QString ItemJobsSql = QStringLiteral(
    "select c_int,c_obj,c_vyr,mnoz_vyr,(select sum(mnozstvo) from SOdvody where c_int=a.c_int) as "
    "Odvedene,odberatel,d_obj from vZakazkyD a where c_vyr in (select c_vyr from TKusovnik where c_pol=:c_pol) "
    "or komod=:c_pol");
const QString ItemStores = QString::fromUtf8(
    "SELECT sklad, mnozstvo as \"Množ.na sklade\", mnoz_vydv as \"Množ.vo výrobe\", mnoz_vydo as \"Množ.na "
    "oprave\" FROM MSklady WHERE c_pol=:c_pol ORDER BY c_pol, sklad");
const QString ItemMoulds = QStringLiteral("SELECT * FROM PolozkyKokily WHERE c_pol=:c_pol");
const QString ItemMovements =
    QStringLiteral("SELECT * FROM MPohyby WHERE c_pol=:c_pol ORDER BY datum DESC, typ_pohybu DESC, sklad DESC");

// Dates bound as dates: the month's first and last day. The highest number of the month's movements or of
// the numbers already drawn (by any workstation) for documents not yet saved. The movements the database
// writes for hand-overs and delivery notes carry those documents' numbers, a series of their own.
const QString LastDocumentNumber = QString::fromUtf8(
    "select max(c) from (select max(c_dokladu) c from MPohyby where datum between :datum_od and :datum_do "
    "and typ_pohybu=:typ_pohybu and sklad=:sklad and coalesce(poznamka,'') not in ('Odvod z výroby', "
    "'Dodací list') union all select max(c_dokladu) from MDokladyCisla where mesiac=:datum_od and "
    "typ_pohybu=:typ_pohybu and sklad=:sklad)");
// A drawn document number, kept so that no other workstation draws it; the key refuses a number drawn twice.
const QString DrawDocumentNumber = QStringLiteral(
    "insert into MDokladyCisla (mesiac, typ_pohybu, sklad, c_dokladu) values (:mesiac, :typ_pohybu, :sklad, "
    ":c_dokladu)");
// Movements other than the one being saved stored under a document number of the month, kind and store.
const QString OtherMovementsOfDocument = QStringLiteral(
    "select count(*) from MPohyby where datum between :datum_od and :datum_do and typ_pohybu=:typ_pohybu "
    "and sklad=:sklad and c_dokladu=:c_dokladu and id_pohybu<>:id_pohybu");
// The key of a new movement, known before it is posted so the row can be edited and deleted by it.
const QString NextMovementId = QStringLiteral("select gen_id(GEN_MPOHYBY, 1) from RDB$DATABASE");
const QString ItemStockRows = QStringLiteral("select count(*) from MSklady where C_POL=:c_pol and mnozstvo<>0");
const QString PurchaseOrderCount = QStringLiteral("SELECT COUNT(*) FROM MObjednavky WHERE C_OBJ=:c_obj");
const QString LastOrderLine = QStringLiteral("select max(C_RIADKU) from MObjednavkyD where C_OBJ=:c_obj");
const QString JobProducedQuantity = QStringLiteral("SELECT mnoz_vyr FROM ZakazkyD WHERE c_int=:c_int");
const QString RecalculateProducts = QStringLiteral("execute procedure POLOZKY_CENA_KALK :c_pol, 0");

const QStringList MovementsView{
    QStringLiteral("select MPOHYBY.*, mnozstvo*MPOHYBY.cena_nakl as hodnota, nazov, rozmer, mj, typ2"),
    QStringLiteral("from MPOHYBY join POLOZKY on MPOHYBY.C_POL=POLOZKY.C_POL"), QString(), QString()};
const QStringList MovementsWithItems{QStringLiteral("select *"),
                                     QStringLiteral("from MPOHYBY join POLOZKY on MPOHYBY.C_POL=POLOZKY.C_POL"),
                                     QString(), QString()};
const QString StockDocumentOfMonth = QStringLiteral(
    "select datum, c_dokladu, typ_pohybu, sklad, stredisko, poznamka,a.c_pol, a.cena_nakl, c_int,nazov, rozmer, "
    "mnozstvo, mj from MPohyby a JOIN POLOZKY ON a.c_pol=POLOZKY.c_pol where extract(year from datum)=:R and "
    "extract(month from datum)=:M and typ_pohybu=:typ and a.sklad=:sklad and c_dokladu=:doklad");
const QString StockDocumentOfDay = QStringLiteral(
    "select datum, c_dokladu, typ_pohybu, sklad, stredisko, poznamka,a.c_pol, a.cena_nakl, c_int,nazov, rozmer, "
    "mnozstvo, mj from MPohyby a JOIN POLOZKY ON a.c_pol=POLOZKY.c_pol where datum=:datum AND typ_pohybu=:typ AND "
    "a.sklad=:sklad AND c_dokladu=:doklad");
const QString StockCard = QStringLiteral(
    "select POLOZKY.C_POL,typ2,nazov,rozmer,MJ,vaha_mat,popis,free1,free2,free3,d_vystav,majitel,sklad,mnozstvo,"
    "pozicia1,pozicia2,pozicia3,nasobnost,kokily.material,zivotnost,obnova,jadrakov,jadrapies,volnecasti,chladitka,"
    "vystuhy,zaliatok,moddoska,pracovisko,stol,sptahac,jadrovniky,naliatky,vtoksust,vypomdoska,matjadier,matjadrov,"
    "matchlad from POLOZKY join MSklady on POLOZKY.C_POL=MSklady.c_pol left outer join PolozkyKokily kokily on "
    "MSklady.c_pol=kokily.c_pol where POLOZKY.c_pol=:c_pol");
const QString ToolCardJobs = QStringLiteral(
    "select a.c_int, c.rozmer, sum(a.mnozstvo) as mnoz_odv from SOdvody a JOIN ZakazkyD b on a.c_int=b.c_int "
    "JOIN POLOZKY c on b.c_vyr=c.c_pol where komod=:c_pol group by a.c_int, rozmer");
const QString ToolCard = QStringLiteral(
    "select MSKLADY.*,typ2, nazov, popis, vaha_mat, majitel,d_vystav, obrazok,nasobnost,kokily.material,zivotnost,"
    "obnova,jadrakov,jadrapies,volnecasti,chladitka,vystuhy,zaliatok,moddoska,pracovisko,stol,sptahac,jadrovniky,"
    "naliatky,vtoksust,vypomdoska,matjadier,matjadrov,matchlad,ICO,ulica,mesto,psc,telefon,fax,email from MSKLADY "
    "join POLOZKY on MSKLADY.c_pol=POLOZKY.c_pol left outer join POLOZKYKOKILY as kokily on "
    "POLOZKY.c_pol=kokily.c_pol left outer join COdberatelov c on POLOZKY.c_odb=c.c_odb where "
    "MSKLADY.c_pol=:c_pol");

QString ToolUsage(const QString &item)
{
    return QString::fromUtf8(
               "select a.c_pol as \"č.Nástroja\", z.c_vyr as \"č.Výrobku\", v.nazov as \"Názov výrobku\", "
               "sum(a.mnoz_vyr) as \"Množ.vyrobené\" from MPohyby a join ZakazkyD z on a.c_int=z.c_int join "
               "Polozky v on z.c_vyr=v.c_pol where a.c_pol=%1 and a.datum>=:\"Od dátumu\" and typ_pohybu in "
               "(10,13) group by a.c_pol, z.c_vyr, v.nazov")
        .arg(SqlLiteral(item));
}

const QStringList PurchaseOrderSelect{QStringLiteral("SELECT a.* , dodavatel "),
                                      QStringLiteral("FROM MObjednavky a JOIN CDodavatelov c ON a.c_dod=c.c_dod"),
                                      QString(), QStringLiteral("ORDER BY d_vystav desc")};
const QStringList PurchaseOrderRefresh{QStringLiteral("SELECT a.* , dodavatel "),
                                       QStringLiteral("FROM MObjednavky a JOIN CDodavatelov c ON a.c_dod=c.c_dod"),
                                       QStringLiteral("WHERE a.C_OBJ = :C_OBJ")};
const QStringList PurchaseOrderInsert = insertOf("MObjednavky", OrderColumns);
const QStringList PurchaseOrderModify = modifyOf("MObjednavky", OrderColumns, {QStringLiteral("C_OBJ")});
const QStringList PurchaseOrderDelete = deleteOf("MObjednavky", {QStringLiteral("C_OBJ")});
const QString SupplierOrders = QStringLiteral(
    "SELECT a.c_obj,d_vystav,c_pol,nazov,mnoz_obj,MJ FROM MObjednavky a JOIN MObjednavkyD b ON a.c_obj=b.c_obj "
    "WHERE c_dod=:c_dod ORDER BY d_vystav desc");
const QString PurchaseOrderLines = QStringLiteral(
    "SELECT C_POL, NAZOV, ROZMER, MNOZ_OBJ, MJ, POPIS, C_INT, C_POZICIE FROM MObjednavkyD WHERE C_OBJ=:c_obj");
const QString PurchaseOrderPrint = QStringLiteral(
    "select a.c_obj, d_dodania, d_vystav, vystavil, a.poznamka, f_obj,Dodavatel,ulica,mesto,psc,ico,c_riadku, "
    "c_pol, nazov, rozmer, sum(mnoz_obj) as mnoz_obj, MJ, popis from MObjednavky a join MObjednavkyD b on "
    "a.c_obj=b.c_obj join CDodavatelov c on a.c_dod=c.c_dod where a.c_obj=:c_obj group by a.c_obj, d_dodania, "
    "d_vystav, vystavil, a.poznamka, f_obj,dodavatel,ulica,mesto,psc,ico,c_riadku, c_pol, nazov, rozmer, mj, popis");

const QStringList RequestSelect{RequestColumnsSelect, QStringLiteral("WHERE stav_poz<3"),
                                QStringLiteral("ORDER BY stav_poz,c_pol, c_int")};
const QStringList RequestRefresh{RequestColumnsSelect,
                                 QStringLiteral("WHERE a.STAV_POZ = :STAV_POZ and a.C_POL = :C_POL and a.C_INT = "
                                                ":C_INT and a.C_UROVNE = :C_UROVNE and a.C_POZICIE = :C_POZICIE")};
const QStringList RequestInsert = insertOf("MPoziadavky", RequestColumns);
const QStringList RequestModify =
    modifyOf("MPoziadavky", RequestColumns + QStringList{QStringLiteral("C_UROVNE")}, RequestKey);
const QStringList RequestDelete = deleteOf("MPoziadavky", RequestKey);
const QString RebuildRequests = QStringLiteral("execute procedure MPOZIADAVKY_PREPIS");

QString RequestSummary(const QString &filter)
{
    return QStringLiteral(
               "SELECT a.c_pol, a.nazov, a.rozmer, a.mj, cena_kalk,sum(mnoz_poz) as mnoz_poz, sum(mnoz_rez) as "
               "mnoz_rez, sum(mnoz_obj) as mnoz_obj,(select sum(mnozstvo) from MSklady where c_pol=a.c_pol) as "
               "mnoz_skl,sum(mnoz_rez) as mnoz_rec FROM MPoziadavky a JOIN Polozky ON a.c_pol=Polozky.c_pol WHERE "
               "%1 GROUP BY a.c_pol, a.nazov, a.rozmer, a.mj, cena_kalk UNION ALL SELECT null, material, null, 'KG', "
               "max(cena_mat),sum(vaha_mat*case when mnoz_vyr>mnoz_odv then mnoz_vyr-mnoz_odv else 0 end), null, "
               "null,(select sum(mnozstvo) from MSklady where c_pol=z.material),null FROM vZakazkyDKalk z WHERE "
               "stav_zak between 5 and 89 GROUP BY material")
        .arg(filter);
}
const QString BelowMinimum = QStringLiteral(
    "SELECT c_pol, nazov, rozmer, mj, mnoz_min, mnoz_min*1.5 as mnoz_poz, 0 as mnoz_rez, 0 as "
    "mnoz_rec,coalesce((select sum(mnozstvo) from MSklady where c_pol=a.c_pol),0) as mnoz_skl,coalesce((select "
    "sum(mnoz_obj) from MObjednavkyD join MObjednavky on MObjednavkyD.c_obj=MObjednavky.c_obj where c_pol=a.c_pol "
    "and stav_obj<:stav_obj),0) as mnoz_obj FROM Polozky a WHERE mnoz_min is not null and mnoz_min<>0 and "
    "coalesce((select sum(mnozstvo) from MSklady where c_pol=a.c_pol),0)<mnoz_min");

QStringList All()
{
    QStringList all{ItemOrdersSql,
                    ItemUsedInSql,
                    ItemJobsSql,
                    ItemStores,
                    ItemMoulds,
                    ItemMovements,
                    LastDocumentNumber,
                    DrawDocumentNumber,
                    OtherMovementsOfDocument,
                    NextMovementId,
                    ItemStockRows,
                    PurchaseOrderCount,
                    LastOrderLine,
                    JobProducedQuantity,
                    RecalculateProducts,
                    StockDocumentOfMonth,
                    StockDocumentOfDay,
                    StockCard,
                    ToolCardJobs,
                    ToolCard,
                    ToolUsage(QStringLiteral("K'1")),
                    SupplierOrders,
                    PurchaseOrderLines,
                    PurchaseOrderPrint,
                    RebuildRequests,
                    RequestSummary(QStringLiteral("stav_poz<3 and a.typ1='M' ")),
                    BelowMinimum + QStringLiteral(" and a.c_pol in (select c_pol from MSklady where sklad='A')")};
    QStringList inventory = StockAsOfDateSql;
    inventory[3] = StockInventoryWhere(true);
    all << joinLines(inventory);
    for (const QStringList *lines :
         {&StockAsOfDateSql, &MovementsView, &MovementsWithItems, &PurchaseOrderSelect, &PurchaseOrderRefresh,
          &PurchaseOrderInsert, &PurchaseOrderModify, &PurchaseOrderDelete, &RequestSelect, &RequestRefresh,
          &RequestInsert, &RequestModify, &RequestDelete})
        all << joinLines(*lines);
    return all;
}

} // namespace MTZSql
