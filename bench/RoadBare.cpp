#include "RoadBare.h"

#include "BareSql.h"
#include "dispatch/ExpSql.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "production/CapacityScheduler.h"
#include "production/VykSql.h"
#include "production/VyrobaSql.h"
#include "sales/OdbytSql.h"
#include "sales/TPVSql.h"
#include "sales/ZakSql.h"
#include "shell/ZalSql.h"

#include <QDir>
#include <QSaveFile>
#include <QSet>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace {

using TArgs = TBareSql::TArgs;

QString lines(const QStringList &text)
{
    return text.join(QLatin1Char('\n'));
}

// The statements the data layer makes of its tables' rows, as it makes them.
const QString OrderLines = QStringLiteral("select * from \"ZAKAZKYD\" where \"C_OBJ\" = :c_obj order by \"C_OBJ\"");
const QString OrderInsert = QStringLiteral(
    "insert into \"VZAKAZKY\" (\"C_OBJ\", \"TYP_OBJ\", \"C_ODB\", \"D_OBJ\", \"D_VYSTAV\", \"VYSTAVIL\", \"F_UHRADY\", "
    "\"ZALOHA\", \"MENA\") values (:c_obj, :typ_obj, :c_odb, :d_obj, :d_vystav, :vystavil, :f_uhrady, :zaloha, :mena)");
const QString JobInsert = QStringLiteral(
    "insert into \"ZAKAZKYD\" (\"C_INT\", \"C_OBJ\", \"C_VYR\", \"MNOZ_OBJ\", \"MNOZ_VYR\", "
    "\"TERMIN_OBJ\", \"TERMIN\", \"STAV_ZAK\", \"C_REV\", \"C_INT_RE\", \"C_DAVKY\") values (:c_int, "
    ":c_obj, :c_vyr, :mnoz_obj, :mnoz_vyr, :termin_obj, :termin, :stav_zak, :c_rev, :c_int_re, :c_davky)");
const QString JobRefresh = QStringLiteral("select * from \"ZAKAZKYD\" where \"C_INT\" = :c_int");
const QString JobStateModify = QStringLiteral(
    "update \"ZAKAZKYD\" set \"STAV_ZAK\" = :stav_zak where \"C_INT\" = :c_int and \"STAV_ZAK\" is not distinct from "
    ":old_stav_zak");
const QString CalculationInsert = QStringLiteral(
    "insert into \"VZAKKALK\" (\"C_INT\", \"MATERIAL\", \"CENA_MAT\", \"VAHA_MAT\", \"VAHA1\", \"P_PREPALU\", "
    "\"MAT_BW1\", \"MAT_NW1\", \"PRE1\", \"MAT1\", \"MZD1\", \"NHOD1\", \"ODVMZD1\", \"P_ODVMZD\", \"VYRREZ1\", "
    "\"P_VYRREZ\", \"OVN1\", \"MIM1\", \"NAKL1\", \"SPRREZ1\", \"P_SPRREZ\", \"UVN1\", \"ZISK1\", \"P_ZISKU\", "
    "\"CENA1\", \"MENA\", \"KURZ\", \"CENA_KURZ1\", \"KOEF_MAT\", \"KOEF_DOP\", \"PRID_MAT1\", \"PRID_DOP1\") values "
    "(:c_int, :material, :cena_mat, :vaha_mat, :vaha1, :p_prepalu, :mat_bw1, :mat_nw1, :pre1, :mat1, :mzd1, :nhod1, "
    ":odvmzd1, :p_odvmzd, :vyrrez1, :p_vyrrez, :ovn1, :mim1, :nakl1, :sprrez1, :p_sprrez, :uvn1, :zisk1, :p_zisku, "
    ":cena1, :mena, :kurz, :cena_kurz1, :koef_mat, :koef_dop, :prid_mat1, :prid_dop1)");
const QString OperationInsert = QStringLiteral(
    "insert into \"ZAKOPERACIE\" (\"C_INT\", \"C_OPERACIE\", \"OPERACIA\", \"POPIS_OP\", \"PRACOVISKO\", "
    "\"PROFESIA\", \"TARIF\", \"OSOBY\", \"CAS_PRIP\", \"CAS_MEDZI\", \"CAS_JED\", \"CAS_STROJ\", \"MZDA\", "
    "\"VYRREZ\", \"P_STRATY\") values (:c_int, :c_operacie, :operacia, :popis_op, :pracovisko, :profesia, :tarif, "
    ":osoby, :cas_prip, :cas_medzi, :cas_jed, :cas_stroj, :mzda, :vyrrez, :p_straty)");
const QString BomInsert = QStringLiteral(
    "insert into \"ZAKKUSOVNIK\" (\"C_INT\", \"C_POZICIE\", \"C_POL\", \"MNOZSTVO\", \"C_OPERACIE\", \"P_STRATY\", "
    "\"HODNOTA\") values (:c_int, :c_pozicie, :c_pol, :mnozstvo, :c_operacie, :p_straty, :hodnota)");
const QString BomInsertNote = QStringLiteral(
    "insert into \"ZAKKUSOVNIK\" (\"C_INT\", \"C_POZICIE\", \"C_POL\", \"MNOZSTVO\", \"C_OPERACIE\", \"P_STRATY\", "
    "\"POZNAMKA\", \"HODNOTA\") values (:c_int, :c_pozicie, :c_pol, :mnozstvo, :c_operacie, :p_straty, :poznamka, "
    ":hodnota)");
const QString CostInsert = QStringLiteral("insert into \"ZAKKALKD\" (\"C_INT\", \"TYP_NAKL\", \"NAKLAD\", "
                                          "\"HODNOTA\") values (:c_int, :typ_nakl, :naklad, :hodnota)");
QString calculationOf(int job)
{
    return QStringLiteral("select * from \"VZAKKALK\" where (C_INT=%1)").arg(job);
}
QString employeeOf(int osc)
{
    return QStringLiteral("select * from \"CZAMESTNANCOV\" where (osc=%1)").arg(osc);
}
QString costLinesOf(const char *type)
{
    return QStringLiteral("select * from \"ZAKKALKD\" where (typ_nakl='%1') and \"C_INT\" = :c_int order by \"C_INT\"")
        .arg(QLatin1String(type));
}

double num(const QVariant &v)
{
    return v.toDouble();
}

} // namespace

struct TRoadBare::TState {
    explicit TState(const QString &database) : sql(database) {}
    TBareSql sql;
    QString database, folder;
    int firstJob = 0;
    TCapacityScheduler scheduler;
    QSet<QString> holidays;
    QHash<QString, double> materialPrice, tariffRate;
    QHash<QString, double> rates; // CREZII
    bool listsRead = false;
    TArgs noteHeader; // the note's header as written, which its edit writes again

    QDate today() const { return Date(); }
    void setState(int job, int state)
    {
        sql.Exec(ZalSql::SetOrderState,
                 {{"stav_zak", state}, {"c_int", job}, {"stav_zak_min", 0}, {"stav_zak_max", state - 1}});
    }
    int nextNumber(const QString &table, const QString &column)
    {
        const int low = today().year() % 100 * 10000 + 1;
        const QVariant highest = sql.Value(ZalSql::HighestKey.arg(column, table), {{"min", low}, {"max", low + 9998}});
        return highest.isNull() || highest.toInt() == 0 ? low : highest.toInt() + 1;
    }
    void readLists();
    QString header(int order);
    int item(int order, int n, const QString &orderNo);
    void calculate(int job);
    void print(int job);
    void confirm(int job);
    void plan();
    void book(int job);
    void handOver(int job);
    int deliver(int order, const int jobs[2]);
    void invoice(int note);
};

void TRoadBare::TState::readLists()
{
    if (listsRead)
        return;
    listsRead = true;
    // What the calculation's code lists and the planning's tables read once per run.
    sql.Rows(QStringLiteral("select * from \"COPERACII\" order by \"C_OPERACIE\""));
    sql.Rows(QStringLiteral("select * from \"CNAKLADOV\" where (TYP_NAKL='O') order by \"NAKLAD\""));
    sql.Rows(QStringLiteral("select * from \"CNAKLADOV\" where (TYP_NAKL='M') order by \"NAKLAD\""));
    sql.Rows(QStringLiteral("select * from \"CSTATOV\""));
    for (const TBareRow &r : sql.Rows(QStringLiteral("select * from \"CMATERIALOV\"")))
        materialPrice.insert(r["MATERIAL"].toString(), num(r["CENA_MAT"]));
    sql.Rows(QStringLiteral("select * from \"CPRACOVISK\""));
    for (const TBareRow &r : sql.Rows(QStringLiteral("select * from \"CTARIFOV\"")))
        tariffRate.insert(r["TARIF"].toString().trimmed(), num(r["MZDAH"]));
    for (const TBareRow &r : sql.Rows(QStringLiteral("select * from \"CREZII\"")))
        rates.insert(r["POLE"].toString().trimmed(), num(r["HODNOTA"]));

    std::vector<TPracovisko> workplaces;
    for (const TBareRow &r : sql.Rows(VyrobaSql::PlanWorkplaces)) {
        TPracovisko w;
        w.PRACOVISKO = r["PRACOVISKO"].toString();
        w.STROJE = r["STROJE"].toInt();
        w.DNI = r["DNI"].toInt();
        w.ZMENY = r["ZMENY"].toInt();
        w.MinutyZmeny = num(r["HODINY"]) * 60;
        workplaces.push_back(w);
    }
    scheduler.SetWorkplaces(workplaces);
    scheduler.IsHoliday = [this](const QDate &date) {
        return holidays.contains(FormatDateTime(QStringLiteral("dd/mm"), date));
    };
}

QString TRoadBare::TState::header(int order)
{
    const QString low = QStringLiteral("ZAK") + today().toString(QStringLiteral("yy"));
    const QString highest = sql.Value(ZalSql::HighestKey.arg(QStringLiteral("C_OBJ"), QStringLiteral("ZAKAZKY")),
                                      {{"min", low}, {"max", low + QStringLiteral("9999")}})
                                .toString();
    const QString number = highest.isEmpty() ? low + QStringLiteral("0001")
                                             : highest.left(highest.size() - 4) +
                                                   QString::number(highest.right(4).toInt() + 1).rightJustified(4, '0');
    sql.Rows(OrderLines, {{"c_obj", number}});
    sql.Exec(OrderInsert, {{"c_obj", number},
                           {"typ_obj", QStringLiteral("Z")},
                           {"c_odb", Road::Customer(order)},
                           {"d_obj", today()},
                           {"d_vystav", today()},
                           {"vystavil", QStringLiteral("SYSDBA")},
                           {"f_uhrady", QString::fromUtf8("Prev.prík.")},
                           {"zaloha", 0},
                           {"mena", QStringLiteral("EUR")}});
    return number;
}

int TRoadBare::TState::item(int order, int n, const QString &orderNo)
{
    const int job = nextNumber(QStringLiteral("ZakazkyD"), QStringLiteral("C_INT"));
    const QString product = Road::Product(order, n);
    sql.Value(TPVSql::StockOfItem, {{"c_pol", product}});
    sql.Rows(OdbytSql::OpenJobsOfProduct, {{"c_int", job}, {"c_vyr", product}, {"stav_zak", 100}});
    const QDate due = today().addDays(60);
    sql.Exec(JobInsert, {{"c_int", job},
                         {"c_obj", orderNo},
                         {"c_vyr", product},
                         {"mnoz_obj", Road::Pieces},
                         {"mnoz_vyr", Road::Pieces},
                         {"termin_obj", due},
                         {"termin", due},
                         {"stav_zak", 1},
                         {"c_rev", 0},
                         {"c_int_re", 0},
                         {"c_davky", 0}});
    return job;
}

void TRoadBare::TState::calculate(int job)
{
    sql.Rows(calculationOf(job));
    const std::vector<TBareRow> jobRows = sql.Rows(OdbytSql::JobForNewCalculation, {{"c_int", job}});
    const TBareRow &j = jobRows.at(0);
    const std::vector<TBareRow> earlier = sql.Rows(OdbytSql::PreviousJob, {{"c_int", job}});
    const int previous = earlier.empty() ? 0 : earlier[0]["C_INT"].toInt();
    std::vector<TBareRow> previousCalculation;
    if (previous != 0)
        previousCalculation = sql.Rows(OdbytSql::PreviousCalculation, {{"c_int", previous}});
    sql.Rows(QStringLiteral("select * from \"ZAKOPERACIE\" where \"C_INT\" = :c_int order by \"C_INT\", "
                            "\"C_OPERACIE\""),
             {{"c_int", job}});
    std::vector<TBareRow> route = sql.Rows(OdbytSql::RouteOfProduct, {{"c_int", job}});
    sql.Rows(QStringLiteral("select * from \"ZAKKUSOVNIK\" where \"C_INT\" = :c_int order by \"C_INT\", "
                            "\"C_POZICIE\""),
             {{"c_int", job}});
    const std::vector<TBareRow> bom = sql.Rows(OdbytSql::BomOfProduct, {{"c_int", job}});
    sql.Rows(costLinesOf("O"), {{"c_int", job}});
    std::vector<TBareRow> costs;
    if (previous != 0)
        costs = sql.Rows(OdbytSql::CostLinesOfJob, {{"typ_nakl", QStringLiteral("O")}, {"c_int", previous}});
    sql.Rows(costLinesOf("M"), {{"c_int", job}});
    if (previous != 0)
        for (TBareRow &r : sql.Rows(OdbytSql::CostLinesOfJob, {{"typ_nakl", QStringLiteral("M")}, {"c_int", previous}}))
            costs.push_back(std::move(r));
    sql.Value(OdbytSql::ProductListPrice, {{"c_int", job}});

    // The figures, plainly: wages of the route, material by weight, the overheads by their rates.
    std::vector<double> losses(route.size(), 0);
    double k = 1;
    for (std::size_t i = route.size(); i-- > 0;) {
        k *= 1 + num(route[i]["P_STRATY"]) / 100;
        losses[i] = (k - 1) * 100;
    }
    const double weight = num(j["VAHA1"]), gross = num(j["VAHA_MAT"]);
    const double materialPricePerKg = materialPrice.value(j["MATERIAL"].toString());
    double wages = 0, hours = 0;
    std::vector<double> opWages;
    for (const TBareRow &r : route) {
        const double h = num(r["CAS_JED"]) / 60;
        const double w = h * tariffRate.value(r["TARIF"].toString().trimmed());
        opWages.push_back(w);
        wages += w;
        hours += h;
    }
    const double material = gross * materialPricePerKg * (1 + rates.value(QStringLiteral("P_PREPALU")) / 100);
    const double levies = wages * rates.value(QStringLiteral("P_ODVMZD")) / 100;
    const double production = wages * rates.value(QStringLiteral("K_VYRREZ")) / 100;
    double other = 0;
    for (const TBareRow &c : costs)
        other += num(c["HODNOTA"]);
    const double own = material + wages + levies + production + other;
    const double admin = own * rates.value(QStringLiteral("K_SPRREZ")) / 100;
    const double profit = (own + admin) * rates.value(QStringLiteral("P_ZISKU")) / 100;
    const double price = previousCalculation.empty() ? own + admin + profit : num(previousCalculation[0]["CENA1"]);

    TBareSql::TSave save(sql);
    sql.Exec(CalculationInsert, {{"c_int", job},
                                 {"material", j["MATERIAL"]},
                                 {"cena_mat", materialPricePerKg},
                                 {"vaha_mat", gross},
                                 {"vaha1", weight},
                                 {"p_prepalu", rates.value(QStringLiteral("P_PREPALU"))},
                                 {"mat_bw1", gross},
                                 {"mat_nw1", weight},
                                 {"pre1", gross * rates.value(QStringLiteral("P_PREPALU")) / 100},
                                 {"mat1", material},
                                 {"mzd1", wages},
                                 {"nhod1", hours},
                                 {"odvmzd1", levies},
                                 {"p_odvmzd", rates.value(QStringLiteral("P_ODVMZD"))},
                                 {"vyrrez1", production},
                                 {"p_vyrrez", rates.value(QStringLiteral("K_VYRREZ"))},
                                 {"ovn1", other},
                                 {"mim1", 0.0},
                                 {"nakl1", own},
                                 {"sprrez1", admin},
                                 {"p_sprrez", rates.value(QStringLiteral("K_SPRREZ"))},
                                 {"uvn1", own + admin},
                                 {"zisk1", profit},
                                 {"p_zisku", rates.value(QStringLiteral("P_ZISKU"))},
                                 {"cena1", price},
                                 {"mena", QStringLiteral("EUR")},
                                 {"kurz", 1.0},
                                 {"cena_kurz1", price},
                                 {"koef_mat", rates.value(QStringLiteral("KOEF_MAT"))},
                                 {"koef_dop", rates.value(QStringLiteral("KOEF_DOP"))},
                                 {"prid_mat1", weight * rates.value(QStringLiteral("KOEF_MAT"))},
                                 {"prid_dop1", weight * rates.value(QStringLiteral("KOEF_DOP"))}});
    for (std::size_t i = 0; i < route.size(); ++i) {
        const TBareRow &r = route[i];
        sql.Exec(OperationInsert, {{"c_int", job},
                                   {"c_operacie", r["C_OPERACIE"]},
                                   {"operacia", r["OPERACIA"]},
                                   {"popis_op", r["POPIS_OP"]},
                                   {"pracovisko", r["PRACOVISKO"]},
                                   {"profesia", r["PROFESIA"]},
                                   {"tarif", r["TARIF"]},
                                   {"osoby", 1},
                                   {"cas_prip", r["CAS_PRIP"]},
                                   {"cas_medzi", 0},
                                   {"cas_jed", r["CAS_JED"]},
                                   {"cas_stroj", 0},
                                   {"mzda", opWages[i]},
                                   {"vyrrez", opWages[i] * rates.value(QStringLiteral("K_VYRREZ")) / 100},
                                   {"p_straty", losses[i]}});
    }
    for (const TBareRow &b : bom)
        sql.Exec(b["POZNAMKA"].isNull() ? BomInsert : BomInsertNote, {{"c_int", job},
                                                                      {"c_pozicie", b["C_POZICIE"]},
                                                                      {"c_pol", b["C_POL"]},
                                                                      {"mnozstvo", b["MNOZSTVO"]},
                                                                      {"c_operacie", b["C_OPERACIE"]},
                                                                      {"p_straty", b["P_STRATY"]},
                                                                      {"poznamka", b["POZNAMKA"]},
                                                                      {"hodnota", b["HODNOTA"]}});
    for (const TBareRow &c : costs)
        if (num(c["HODNOTA"]) != 0)
            sql.Exec(CostInsert, {{"c_int", job},
                                  {"typ_nakl", QStringLiteral("O")},
                                  {"naklad", c["NAKLAD"]},
                                  {"hodnota", c["HODNOTA"]}});
    sql.Exec(OdbytSql::ProductCalculatedPrice, {{"cena_kalk", own}, {"c_int", job}});
    save.Release();
}

void TRoadBare::TState::print(int job)
{
    sql.Rows(ZakSql::InternalOrderOperations, {{"c_int", job}});
    sql.Rows(ZakSql::InternalOrderJob, {{"c_int", job}});
    setState(job, 3);
}

void TRoadBare::TState::confirm(int job)
{
    const std::vector<TBareRow> row = sql.Rows(JobRefresh, {{"c_int", job}});
    sql.Exec(JobStateModify, {{"stav_zak", 5}, {"c_int", job}, {"old_stav_zak", row.at(0)["STAV_ZAK"]}});
}

void TRoadBare::TState::plan()
{
    // The lock and the stored plan's minutes from today on, at every run as the program takes them.
    TBareSql::TSave save(sql);
    sql.Exec(VyrobaSql::PlanLock);
    sql.Exec(VyrobaSql::PlanDayPlanCleanup, {{"od", today()}});
    scheduler.DiscardDayPlan();
    for (const TBareRow &r : sql.Rows(VyrobaSql::PlanBookedMinutes, {{"od", today()}}))
        scheduler.LoadBooked(r["DATUM"].toDate().toJulianDay(), r["PRACOVISKO"].toString(), num(r["NHOD_PLAN"]) * 60);
    holidays.clear();
    for (const TBareRow &r : sql.Rows(VyrobaSql::PlanHolidays))
        holidays.insert(r["DEN"].toString().left(5));
    scheduler.ForgetHolidays();
    std::vector<TOperacia> operations;
    for (const TBareRow &r : sql.Rows(lines(VyrobaSql::PlanOperations(0, 0, 1)))) {
        TOperacia op;
        op.C_INT = r["C_INT"].toInt();
        op.C_OPERACIE = r["C_OPERACIE"].toInt();
        op.OPERACIA = r["OPERACIA"].toString().left(3);
        op.PRACOVISKO = r["PRACOVISKO"].toString().left(5);
        op.CAS_JED = num(r["CAS_JED"]);
        op.Zostava =
            int(std::clamp(std::nearbyint(num(r["MNOZ_VYR"]) - num(r["MNOZ_VYK"])), double(INT_MIN), double(INT_MAX)));
        op.Priprava = num(r["CAS_PRIP"]);
        op.MedzeraPo = num(r["CAS_MEDZI"]);
        op.Zaciatok = today().toJulianDay();
        operations.push_back(op);
    }
    scheduler.StartRun();
    if (scheduler.ScheduleOperations(std::move(operations), 1))
        throw std::runtime_error("an operation could not be planned");
    int first = INT_MAX, last = INT_MIN;
    for (const TPlanDen &row : scheduler.NewAllocations()) {
        sql.Exec(VyrobaSql::PlanDaySave, {{"datum", QDate::fromJulianDay(row.Datum)},
                                          {"c_int", row.C_INT},
                                          {"c_operacie", row.C_OPERACIE},
                                          {"pracovisko", row.PRACOVISKO},
                                          {"mnoz_plan", double(row.MNOZ_PLAN)},
                                          {"nhod_plan", row.Minuty / 60}});
        first = std::min(first, row.C_INT);
        last = std::max(last, row.C_INT);
    }
    if (first <= last)
        sql.Exec(VyrobaSql::PlanMerge, {{"obdobie", QStringLiteral(" ")}, {"c_int_od", first}, {"c_int_do", last}});
    sql.Exec(VyrobaSql::PlanJobsPlanned, {{"stav_zak", 30}});
    save.Release();
    scheduler.StartRun();
}

void TRoadBare::TState::book(int job)
{
    const QDate day = today().addDays(-1);
    const QString entry = lines({VykSql::OrderEntrySelect[0], VykSql::OrderEntrySelect[1],
                                 QStringLiteral("where c_int=:c_int"), VykSql::OrderEntrySelect[3]});
    sql.Rows(entry, {{"c_int", 0}});
    const std::vector<TBareRow> operations = sql.Rows(VykSql::OrderOperations, {{"c_int", job}});
    sql.Rows(VykSql::OrderInfo, {{"c_int", job}});
    sql.Rows(QStringLiteral("select * from vSVykony where c_int=:c_int order by datum desc,osc,operacia"),
             {{"c_int", job}});
    for (const TBareRow &op : operations)
        sql.Rows(employeeOf(Road::Employee(op["PROFESIA"].toString())));
    TBareSql::TSave save(sql);
    const QString insert = lines(VykSql::OrderEntryInsert);
    for (const TBareRow &op : operations) {
        const double hours = (num(op["CAS_PRIP"]) + num(op["CAS_JED"]) * Road::Pieces) / 60;
        const double rate = num(op["MZDAH"]);
        TArgs args{{"datum", day},
                   {"zmena", 1},
                   {"osc", Road::Employee(op["PROFESIA"].toString())},
                   {"c_int", job},
                   {"c_davky", 0},
                   {"c_operacie", op["C_OPERACIE"]},
                   {"operacia", op["OPERACIA"]},
                   {"mnozstvo", Road::Pieces},
                   {"zmatky", 0},
                   {"norma", op["MZDA"]},
                   {"mzda", hours != 0 && rate != 0 ? hours * rate : Road::Pieces * num(op["MZDA"])},
                   {"nhod", hours}};
        sql.Exec(insert, args);
    }
    save.Release();
    sql.Rows(VykSql::OperationQuantities, {{"c_int", job}, {"c_operacie1", 0}, {"c_operacie2", 9999}});
    setState(job, 40);
    setState(job, 50);
    sql.Rows(entry, {{"c_int", 0}});
    sql.Rows(QStringLiteral("select * from vSVykony where c_int=:c_int order by datum desc,osc,operacia"),
             {{"c_int", job}});
}

void TRoadBare::TState::handOver(int job)
{
    const QString list = lines({VyrobaSql::OdvSelect[0], VyrobaSql::OdvSelect[1], VyrobaSql::OdvWhereJob});
    sql.Rows(list, {{"c_int", job}});
    const QDate day = today();
    const QDate from(day.year(), day.month(), 1), to = from.addMonths(1).addDays(-1);
    const int number = sql.Value(VyrobaSql::OdvLastDocument, {{"d_od", from}, {"d_do", to}}).toInt() + 1;
    sql.Value(VyrobaSql::OdvDocumentExists, {{"c_dokladu", number}, {"d_od", from}, {"d_do", to}});
    const std::vector<TBareRow> calc = sql.Rows(lines(VyrobaSql::OdvCalculation), {{"c_int", job}});
    const TBareRow &c = calc.at(0);
    const QString invoice = sql.Value(VyrobaSql::OdvLastInvoice, {{"datum", day}, {"c_dokladu", number}}).toString();
    TBareSql::TSave save(sql);
    TArgs args{{"datum", day},
               {"c_int", job},
               {"c_davky", 0},
               {"c_dokladu", number},
               {"mnozstvo", Road::Pieces},
               {"c_faktury", invoice},
               {"sklad", Road::Store()}};
    for (const char *name : {"KURZ", "VAHA1", "MAT1", "MZD1", "ODVMZD1", "VYRREZ1", "SPRREZ1", "OVN1", "NAKL1", "CENA1",
                             "PRID_MAT1", "PRID_DOP1", "MIM1", "CENA_KURZ1", "MENA"})
        args.insert(QString::fromLatin1(name).toLower(), c[name]);
    sql.Exec(lines(VyrobaSql::OdvInsert), args);
    save.Release();
    setState(job, 90);
}

int TRoadBare::TState::deliver(int order, const int jobs[2])
{
    sql.Rows(QStringLiteral("select * from vEDListy where c_dl=0"));
    const int note = nextNumber(QStringLiteral("EDListy"), QStringLiteral("C_DL"));
    const std::vector<TBareRow> head = sql.Rows(ExpSql::JobHeader, {{"c_int", jobs[0]}});
    const TBareRow &h = head.at(0);
    noteHeader = {{"c_dl", note},
                  {"c_odb", h["C_ODB"]},
                  {"c_obj", h["C_OBJ"]},
                  {"d_obj", h["D_OBJ"]},
                  {"doprava", h["DOPRAVA"]},
                  {"d_vystav", today()},
                  {"vystavil", h["VYSTAVIL"]},
                  {"kurz", 1.0},
                  {"mena", h["MENA"]}};
    sql.Exec(lines(ExpSql::HeaderInsert), noteHeader);
    QStringList stock = ExpSql::StockAsOfDate;
    stock[3] = QStringLiteral("WHERE ") + ExpSql::StockOfProductCondition;
    const QString list = lines({VyrobaSql::OdvSelect[0], VyrobaSql::OdvSelect[1], VyrobaSql::OdvWhereJob});
    for (int n = 0; n < 2; ++n) {
        const std::vector<TBareRow> handed = sql.Rows(list, {{"c_int", jobs[n]}});
        const TBareRow &r = handed.at(0);
        if (n == 0)
            sql.Rows(lines(ExpSql::LineSelect), {{"c_dl", note}});
        sql.Rows(lines(stock), {{"typ_skladu", QStringLiteral("V")}, {"kdatumu", today()}, {"c_pol", r["C_VYR"]}});
        TBareSql::TSave save(sql);
        sql.Exec(lines(ExpSql::LineInsert), {{"c_dl", note},
                                             {"c_riadku", n + 1},
                                             {"sklad", r["SKLAD"]},
                                             {"c_vyr", Road::Product(order, n)},
                                             {"mnoz_vyr", r["MNOZSTVO"]},
                                             {"cena_kurz1", r["CENA_KURZ1"]},
                                             {"c_int", jobs[n]},
                                             {"nakl1", r["NAKL1"]},
                                             {"mim1", r["MIM1"]},
                                             {"koef_mat", r["KOEF_MAT"]},
                                             {"koef_dop", r["KOEF_DOP"]}});
        save.Release();
    }
    sql.Rows(ExpSql::DeliveryNotePrint(QStringLiteral("'€'"), QStringLiteral("1")), {{"c_dl", note}});
    for (const TBareRow &j : sql.Rows(ExpSql::JobsToClose, {{"c_dl", note}, {"stav_zak", 100}}))
        if (j["MNOZ_OBJ"].toInt() <= j["MNOZ_DOD"].toInt())
            setState(j["C_INT"].toInt(), 100);
    return note;
}

void TRoadBare::TState::invoice(int note)
{
    const std::vector<TBareRow> values = sql.Rows(ExpSql::InvoiceValues, {{"c_dl", note}});
    const TBareRow &v = values.at(0);
    sql.Value(ExpSql::InvoiceNumberOfNote, {{"c_dl", note}});
    const bool newCustomer =
        sql.Value(ExpSql::InvoicesOfCustomer, {{"c_odb", v["C_ODB"]}, {"c_dl", note}}).toInt() == 0;
    const QString prefix = today().toString(QStringLiteral("yyyy")) + QLatin1Char('/');
    const QString last =
        sql.Value(ExpSql::LastInvoiceNumber, {{"prefix", prefix}, {"n", int(prefix.size()) + 4}}).toString().trimmed();
    const QString number =
        prefix + QStringLiteral("%1").arg(last.isEmpty() ? 1 : last.right(4).toInt() + 1, 4, 10, QLatin1Char('0'));
    TArgs args = noteHeader;
    args.insert(QStringLiteral("old_c_dl"), note);
    args.insert(QStringLiteral("c_faktury"), number);
    sql.Exec(lines(ExpSql::HeaderModify), args);

    // The accounting program's file: the customer when new, the invoice, its lines.
    QString text;
    if (newCustomer) {
        const std::vector<TBareRow> c = sql.Rows(ExpSql::CustomerByIco, {{"ico", v["ICO"]}});
        if (!c.empty())
            text += QStringLiteral("R00\tT04\r\nR01\t%1\r\n").arg(c[0]["ODBERATEL"].toString().trimmed());
    }
    text += QStringLiteral("R00\tT01\r\nR01\t%1\t%2\t%3\r\n")
                .arg(note)
                .arg(v["ODBERATEL"].toString().trimmed())
                .arg(num(v["ZAKLAD"]), 0, 'f', 2);
    for (const TBareRow &l : sql.Rows(ExpSql::InvoiceLines, {{"c_dl", note}}))
        text += QStringLiteral("R02\t%1\t%2\t%3\r\n")
                    .arg(l["NAZOV"].toString().trimmed())
                    .arg(num(l["MNOZ_VYR"]), 0, 'f', 3)
                    .arg(num(l["CENA_KURZ1"]), 0, 'f', 2);
    QSaveFile file(QDir(folder).filePath(QStringLiteral("export-bare.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toLocal8Bit()) < 0 || !file.commit())
        throw std::runtime_error("the export could not be written");
}

TRoadBare::TRoadBare(const QString &database, const QString &folder) : s_(std::make_unique<TState>(database))
{
    s_->database = database;
    s_->folder = folder;
}

TRoadBare::~TRoadBare() = default;

void TRoadBare::Order(int order)
{
    TState &s = *s_;
    s.readLists();
    const QString number = s.header(order);
    const int jobs[2] = {s.item(order, 0, number), s.item(order, 1, number)};
    if (s.firstJob == 0)
        s.firstJob = jobs[0];
    for (const int job : jobs) {
        s.calculate(job);
        s.print(job);
        s.confirm(job);
    }
    s.plan();
    for (const int job : jobs) {
        s.book(job);
        s.handOver(job);
    }
    s.invoice(s.deliver(order, jobs));
}

void TRoadBare::Finish()
{
    s_->sql.Commit();
}

TRoadCounts TRoadBare::Counts() const
{
    return ReadRoadCounts(s_->database, s_->firstJob);
}

long long TRoadBare::Statements() const
{
    return s_->sql.Statements();
}

QStringList TRoadBare::Costliest(int count) const
{
    return s_->sql.Costliest(count);
}
