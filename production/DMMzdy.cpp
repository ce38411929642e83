#include "DMMzdy.h"

#include "MzdySql.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "library/SqlLiteral.h"
#include "platform/os/Format.h"

#include <cmath>

TDMMzdy *DMMzdy = nullptr;

namespace {

constexpr double ShiftHours = 7.5;

// Where the attendance's grids caption a field otherwise than the others: their columns are narrow.
const TFieldTitle AttendanceOwnTitles[] = {
    {"OSC", "Os.číslo"}, // employees' list beside the days: the employee's number written out
    {"OHOD", "Odpr.h."}, // attendance days: the hours worked
    {"NHOD", "Norm.h."}, // attendance days: the standard hours of the performances
};

TField *field(TDataSet *ds, const char *name)
{
    return ds->FieldByName(QString::fromLatin1(name));
}

void setUp(TxQuery &q, TDataSource &source, const char *name, const char *sourceName)
{
    q.Name = QString::fromLatin1(name);
    q.SetDatabase(&DMZal->DBZAL);
    source.Name = QString::fromLatin1(sourceName);
    source.SetDataSet(&q);
    q.OnCreateFields = [](TDataSet *ds) { AttendanceTitles.Apply(ds); };
}

void setUpdates(TxQuery &q, TxUpdateSQL &u, const char *name, const QStringList &insert, const QStringList &modify,
                const QStringList &remove)
{
    u.Name = QString::fromLatin1(name);
    u.InsertSQL.SetText(insert.join(QLatin1Char('\n')));
    u.ModifySQL.SetText(modify.join(QLatin1Char('\n')));
    u.DeleteSQL.SetText(remove.join(QLatin1Char('\n')));
    u.DataSet = &q;
    q.SetUpdateObject(&u);
}

} // namespace

const TFieldTitles AttendanceTitles(AttendanceOwnTitles);

TDMMzdy::TDMMzdy()
{
    DMMzdy = this;
    setUp(QZamestnanci, DSZamestnanci, "QZamestnanci", "DSZamestnanci");
    QZamestnanci.SQL().SetText(MzdySql::Employees.join(QLatin1Char('\n')));
    setUp(QDochadzka, DSDochadzka, "QDochadzka", "DSDochadzka");
    QDochadzka.SQL().SetText(QStringLiteral("select *\nfrom SDochadzka\nwhere osc>0"));
    QDochadzka.SetDataSource(&DSZamestnanci);
    setUpdates(QDochadzka, UpdateQDochadzka, "UpdateQDochadzka", MzdySql::AttendanceInsert, MzdySql::AttendanceModify,
               MzdySql::AttendanceDelete);
    setUp(QVykony, DSVykony, "QVykony", "DSVykony");
    QVykony.SQL().SetText(MzdySql::PerformancesByDay);
    QVykony.SetDataSource(&DSZamestnanci);
    setUp(QMzdy, DSMzdy, "QMzdy", "DSMzdy");
    QMzdy.SQL().SetText(MzdySql::WageOfMonth);
    QMzdy.SetDataSource(&DSZamestnanci);
    setUpdates(QMzdy, UpdateQMzdy, "UpdateQMzdy", MzdySql::WageInsert, MzdySql::WageModify, MzdySql::WageDelete);
    UpdateQMzdy.RefreshSQL.SetText(MzdySql::WageRefresh.join(QLatin1Char('\n')));
    auto *ukol = new TField(&QMzdy, QStringLiteral("UKOL_HOD"), ftFloat, 0, fkCalculated);
    ukol->SetDisplayLabel(QStringLiteral("Ukol/hod."));
    ukol->DisplayFormat = QStringLiteral("####.00");
    auto *total = new TField(&QMzdy, QStringLiteral("Mzda_celkom"), ftFloat, 0, fkCalculated);
    total->SetDisplayLabel(QStringLiteral("Mzda celkom"));
    total->DisplayFormat = MoneyFormat;
    total->ReadOnly = true;

    QDochadzka.OnNewRecord = [this](TDataSet *ds) { attendanceNewRecord(ds); };
    QDochadzka.AfterOpen = [this](TDataSet *ds) { attendanceAfterOpen(ds); };
    QDochadzka.BeforePost = [this](TDataSet *ds) { attendanceBeforePost(ds); };
    QDochadzka.AfterPost = [this](TDataSet *ds) { attendanceAfterPost(ds); };
    QDochadzka.BeforeClose = [](TDataSet *ds) {
        if (ds->State() == dsEdit || ds->State() == dsInsert)
            ds->Cancel();
    };
    QVykony.AfterOpen = [this](TDataSet *ds) { performancesAfterOpen(ds); };
    QMzdy.AfterOpen = [this](TDataSet *ds) { wagesAfterOpen(ds); };
    QMzdy.OnNewRecord = [this](TDataSet *ds) { wagesNewRecord(ds); };
    QMzdy.OnCalcFields = [this](TDataSet *ds) { wagesCalcFields(ds); };
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QDochadzka, &QMzdy})
        ds->OnPostError = [](TDataSet *d, EDatabaseError &e, TDataAction &action) {
            DMZal->DataSetErrorHandler(d, e, action);
        };
}

TDMMzdy::~TDMMzdy()
{
    try {
        CloseAll();
    } catch (...) {
        // The connection may already be gone at the end of the run.
    }
    if (DMMzdy == this)
        DMMzdy = nullptr;
}

void TDMMzdy::CloseAll()
{
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QMzdy, &QVykony, &QDochadzka, &QZamestnanci})
        ds->Close();
}

QList<TWageMonth> TDMMzdy::WageHistory(int osc) const
{
    const QDate from = QDate(year_, month_, 1).addMonths(-3);
    TxQuery q;
    q.SetDatabase(&DMZal->DBZAL);
    q.SQL().SetText(MzdySql::WageHistory);
    q.ParamByName(QStringLiteral("osc")).SetValue(osc);
    q.ParamByName(QStringLiteral("rok")).SetValue(from.year());
    q.ParamByName(QStringLiteral("rok2")).SetValue(from.year());
    q.ParamByName(QStringLiteral("mesiac")).SetValue(from.month());
    q.Open();
    QList<TWageMonth> months;
    for (; !q.Eof(); q.Next())
        months.append({QStringLiteral("%1/%2").arg(field(&q, "MESIAC")->AsInteger()).arg(field(&q, "ROK")->AsInteger()),
                       field(&q, "UKOL_HOD")->AsFloat(), field(&q, "MZDA_HOD")->AsFloat(),
                       field(&q, "MZDA_VYK")->AsFloat()});
    return months;
}

void TDMMzdy::FilterEmployees(const QString &centre)
{
    QZamestnanci.Close();
    const QString text = centre.trimmed();
    QZamestnanci.SQL().SetStrings(2, text.isEmpty() ? QString()
                                                    : QStringLiteral("where STREDISKO like ") + SqlLikePrefix(text));
    QZamestnanci.Open();
}

namespace {

void bindIfPresent(TxQuery &q, const char *name, const QVariant &value)
{
    if (q.Params().FindParam(QString::fromLatin1(name)))
        q.ParamByName(QString::fromLatin1(name)).SetValue(value);
}

} // namespace

void TDMMzdy::OpenAttendance(const QString &sql, int shift)
{
    QDochadzka.Close();
    QDochadzka.SQL().SetText(sql);
    QDochadzka.Prepare();
    bindIfPresent(QDochadzka, "D_od", start_);
    bindIfPresent(QDochadzka, "D_do", end_);
    bindIfPresent(QDochadzka, "datum", DayDate);
    bindIfPresent(QDochadzka, "zmena", shift);
    QDochadzka.Open();
}

void TDMMzdy::WriteDayForEmployees(const QList<int> &oscs, const QDate &day, int shift)
{
    static const char *const copied[] = {"OHOD", "RHOD", "DOVOLENKA", "NEMOC", "PLATVOL", "NAHRVOL", "PREKAZKA1"};
    QVariantList values;
    for (const char *name : copied)
        values << field(&QDochadzka, name)->Value();
    for (const int osc : oscs) {
        // Moving the list reloads the employee's row of the day (a new one with the day's defaults).
        if (!QZamestnanci.Locate(QStringLiteral("OSC"), osc))
            continue;
        if (QDochadzka.State() == dsInsert) {
            field(&QDochadzka, "OSC")->SetValue(osc);
            field(&QDochadzka, "DATUM")->SetValue(day);
            field(&QDochadzka, "ZMENA")->SetValue(shift);
            field(&QDochadzka, "STREDISKO")->SetValue(QStringLiteral(" "));
        } else if (QDochadzka.State() == dsBrowse) {
            QDochadzka.Edit();
        }
        for (int i = 0; i < int(std::size(copied)); ++i)
            field(&QDochadzka, copied[i])->SetValue(values[i]);
        QDochadzka.Post();
    }
}

void TDMMzdy::OpenWages(const QString &sql)
{
    QMzdy.Close();
    QMzdy.SQL().SetText(sql);
    QMzdy.Prepare();
    bindIfPresent(QMzdy, "rok", year_);
    bindIfPresent(QMzdy, "mesiac", month_);
    // The list of all wages is the month's, not the current employee's.
    QMzdy.SetDataSource(QMzdy.Params().FindParam(QStringLiteral("osc")) ? &DSZamestnanci : nullptr);
    QMzdy.Open();
}

const QStringList &TDMMzdy::HourFields()
{
    static const QStringList names{QStringLiteral("OHOD"),     QStringLiteral("RHOD"),      QStringLiteral("DOVOLENKA"),
                                   QStringLiteral("NEMOC"),    QStringLiteral("STATVOL"),   QStringLiteral("NAHRVOL"),
                                   QStringLiteral("PLATVOL"),  QStringLiteral("NEPLATVOL"), QStringLiteral("NADCAS25"),
                                   QStringLiteral("NADCAS50"), QStringLiteral("PREKAZKA1")};
    return names;
}

void TDMMzdy::SetMonth(int year, int month)
{
    year_ = year;
    month_ = month;
    std::tie(start_, end_) = MonthBoundsYM(year, month);
}

TMonthDays TDMMzdy::CountMonthDays(int year, int month)
{
    TMonthDays days;
    const auto [first, last] = MonthBoundsYM(year, month);
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        if (IsWeekend(d))
            ++days.weekend;
        else if (DMCis && DMCis->IsHoliday(d))
            ++days.holidays;
        else
            ++days.working;
    }
    return days;
}

double TDMMzdy::MonthHourFund() const
{
    const TMonthDays days = CountMonthDays(year_, month_);
    return (days.working + days.holidays) * ShiftHours;
}

double TDMMzdy::PerformanceWage(int osc, const QDate &from, const QDate &to) const
{
    return SelectValueParams(MzdySql::PerformanceWageOfMonth, {osc, from, to}).toDouble();
}

void TDMMzdy::TakeOverPieceWage(int osc)
{
    const double sum = PerformanceWage(osc, start_, end_);
    if (QMzdy.IsEmpty())
        QMzdy.Append();
    else if (QMzdy.State() == dsBrowse)
        QMzdy.Edit();
    field(&QMzdy, "MZDA_VYK")->SetValue(sum);
}

void TDMMzdy::ComputeMonthWages()
{
    QString percent = QStringLiteral("0");
    if (!InputQuery(QString::fromUtf8("Počítať prémie ?"), QString::fromUtf8("Zadaj percento prémií:"), percent))
        percent.clear();
    // A percentage that is no whole number is refused before anything is computed (StrToInt says so in Slovak).
    const QString typed = percent.trimmed();
    RunWageProcedure(typed.isEmpty() ? 0 : int(StrToInt(typed)));
}

void TDMMzdy::RunWageProcedure(int premiumPercent)
{
    TxQuery q;
    q.SetDatabase(&DMZal->DBZAL);
    q.ExecSql(MzdySql::ComputeWages, {start_, end_, PriplatokNoc, MinMzdaSobota, KoefUkol, premiumPercent * 164 / 100.0,
                                      PriplatokVykon, PriplatokDochadzka, OdmenaVeduceho});
    if (QMzdy.Active()) {
        QMzdy.Close();
        QMzdy.Open();
    }
}

// ---- attendance

void TDMMzdy::attendanceNewRecord(TDataSet *ds)
{
    field(ds, "ZMENA")->SetValue(1);
    for (const QString &name : HourFields())
        if (name != QLatin1String("OHOD") && name != QLatin1String("PREKAZKA1"))
            ds->FieldByName(name)->SetValue(0.0);
    field(ds, "OHOD")->SetValue(dayOHod_);
    field(ds, "PLATVOL")->SetValue(dayPlatVol_);
}

void TDMMzdy::attendanceAfterOpen(TDataSet *ds)
{
    const QDate day = DayDate.isValid() ? DayDate : start_;
    if (day.isValid() && IsWeekend(day)) {
        dayOHod_ = 0;
        dayPlatVol_ = 0;
    } else if (day.isValid() && DMCis && DMCis->IsHoliday(day)) {
        dayOHod_ = 0;
        dayPlatVol_ = ShiftHours;
    } else {
        dayOHod_ = ShiftHours;
        dayPlatVol_ = 0;
    }
    for (const QString &name : HourFields())
        if (TField *f = ds->FindField(name))
            f->DisplayFormat = QStringLiteral("##0.##");
    if (ds->IsEmpty() && ds->CanModify())
        ds->Append();
}

void TDMMzdy::attendanceBeforePost(TDataSet *ds)
{
    for (const QString &name : HourFields())
        if (ds->FieldByName(name)->IsNull())
            ds->FieldByName(name)->SetValue(0.0);
    if (field(ds, "RHOD")->AsFloat() != 0 && field(ds, "RDOVOD")->AsString().trimmed().isEmpty())
        throw EDatabaseError(QString::fromUtf8("Ak sú zadané rež.hodiny, potom musí byť zadaný aj dôvod rež.práce!"));
    double sum = 0;
    for (const char *name : {"OHOD", "DOVOLENKA", "NEMOC", "STATVOL", "PLATVOL", "NEPLATVOL", "PREKAZKA1"})
        sum += field(ds, name)->AsFloat();
    // Compared as money (four decimals), so 6 + 1.5 is 7.5 however it was summed.
    if (std::llround(sum * 10000) != std::llround(ShiftHours * 10000))
        ShowMessage(Format(QString::fromUtf8("Súčet hodín je rôzny od %f !"), {ShiftHours}));
}

void TDMMzdy::attendanceAfterPost(TDataSet *ds)
{
    for (const QString &name : HourFields())
        if (ds->FieldByName(name)->AsFloat() != 0)
            return;
    ds->Delete(); // an empty day is not kept
}

// ---- performances and wages

void TDMMzdy::performancesAfterOpen(TDataSet *ds)
{
    field(ds, "DATUM")->DisplayFormat = QStringLiteral("dd/mm ddd");
    field(ds, "MZDA")->DisplayFormat = MoneyFormat;
    field(ds, "NHOD")->DisplayFormat = QStringLiteral("#0.0");
    TPerformanceSummary s;
    ds->DisableControls();
    for (ds->First(); !ds->Eof(); ds->Next()) {
        s.mzda += field(ds, "MZDA")->AsFloat();
        s.nhod += field(ds, "NHOD")->AsFloat();
        s.ohod += field(ds, "OHOD")->AsFloat();
        s.nhodZmatky += field(ds, "NHOD_ZMATKY")->AsFloat();
        s.nhodStorna += field(ds, "NHOD_STORNA")->AsFloat();
        if (field(ds, "M")->AsFloat() > 0)
            ++s.daysWithWage;
    }
    ds->First();
    ds->EnableControls();
    // Without worked hours there is no ratio to show.
    if (s.daysWithWage > 0 && s.ohod != 0)
        s.perShift = FormatFloat(QStringLiteral("0.00"), s.nhod / s.ohod * ShiftHours);
    PerformanceSummary = s;
    if (PerformancesAfterOpen)
        PerformancesAfterOpen();
}

void TDMMzdy::wagesAfterOpen(TDataSet *ds)
{
    struct Look {
        const char *name, *label, *format;
    };
    static const Look looks[] = {
        {"OSC", "Os.c.", ""},
        {"MZDA_VYK", "Mzda vyk.", "#####.00"},
        {"MZDA_REZ", "Mzda rež.", "#####.00"},
        {"MZDA_HOD_VYP", "Mzda/hod. vyp.", "####.00"},
        {"MZDA_HOD", "Mzda/hod. upr.", "####.00"},
        {"OHOD", "Odpr.h.", "##0.#"},
        {"PREMIE", "Prémie", "####.##"},
        {"PRIPL_PRO", "Pripl.pro.", "####.00"},
        {"PRIPL_NADCAS", "Pripl.nadcas", "####.00"},
        {"PRIPL_VIKEND", "Pripl.vikend", "####.00"},
        {"PRIPL_NOC", "Pripl.noc", "####.00"},
        {"PRIPL_PRED", "Pripl.pred.", "####.00"},
        {"PRIPL_VYK", "Pripl.výk.", "####.00"},
        {"PRIPL_DOCH", "Pripl.doch.", "####.00"},
        {"PRIPL_VED", "Pripl.ved", "####.00"},
        {"ZAMKNUTY", "Zámok", ""},
    };
    for (const Look &l : looks) {
        if (TField *f = ds->FindField(QString::fromLatin1(l.name))) {
            f->Visible = true;
            f->SetDisplayLabel(QString::fromUtf8(l.label));
            f->DisplayFormat = QString::fromLatin1(l.format);
        }
    }
    if (TField *f = ds->FindField(QStringLiteral("PRIEZVISKO"))) {
        f->Visible = true;
        f->SetDisplayLabel(QStringLiteral("Priezvisko"));
    }
    // The grids take the fields now shown as their columns, and the record already shown is shown again in
    // these formats.
    ds->DataEvent(deLayoutChange);
    ds->DataEvent(deDataSetChange);
    if (TField *f = ds->FindField(QStringLiteral("MZDA_HOD")))
        f->OnChange = [](TField *hourly) {
            TDataSet *d = hourly->DataSet();
            // The overhead wage tops the piece wage up to the adjusted hourly wage.
            field(d, "MZDA_REZ")
                ->SetValue(hourly->AsFloat() * field(d, "OHOD")->AsFloat() - field(d, "MZDA_VYK")->AsFloat());
        };
}

void TDMMzdy::wagesNewRecord(TDataSet *ds)
{
    field(ds, "ROK")->SetValue(year_);
    field(ds, "MESIAC")->SetValue(month_);
    if (QZamestnanci.Active() && !QZamestnanci.IsEmpty())
        field(ds, "OSC")->SetValue(field(&QZamestnanci, "OSC")->Value());
}

void TDMMzdy::wagesCalcFields(TDataSet *ds)
{
    const TField *hours = field(ds, "OHOD");
    const double pieceWage = field(ds, "MZDA_VYK")->AsFloat();
    field(ds, "UKOL_HOD")
        ->SetValue(!hours->IsNull() && std::llround(hours->AsFloat()) != 0 ? pieceWage / hours->AsFloat() : 0.0);
    // Whole amount, halves to even.
    field(ds, "Mzda_celkom")
        ->SetValue(std::nearbyint(pieceWage + field(ds, "PREMIE")->AsFloat() + field(ds, "MZDA_REZ")->AsFloat()));
}
