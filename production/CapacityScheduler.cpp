#include "CapacityScheduler.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Round half to even (the default rounding mode), as a 64-bit number.
qint64 roundEven(double v)
{
    if (!(std::fabs(v) < 9e18))
        return v < 0 ? std::numeric_limits<qint64>::min() / 2 : std::numeric_limits<qint64>::max() / 2;
    return qint64(std::nearbyint(v));
}

} // namespace

void TCapacityScheduler::SetWorkplaces(const std::vector<TPracovisko> &workplaces)
{
    pracoviska_.clear();
    pracoviskaIndex_.clear();
    for (const TPracovisko &w : workplaces) {
        TPracovisko row = w;
        row.PRACOVISKO = WorkplaceCode(w.PRACOVISKO);
        if (!pracoviskaIndex_.contains(row.PRACOVISKO))
            pracoviskaIndex_.insert(row.PRACOVISKO, int(pracoviska_.size()));
        pracoviska_.push_back(row);
    }
}

void TCapacityScheduler::LoadBooked(qint64 date, const QString &code, double minutes)
{
    BookDayCapacity(-1, WorkplaceCode(code), minutes, date);
}

void TCapacityScheduler::DiscardDayPlan()
{
    planDni_.clear();
    dni_.clear();
    dniIndex_.clear();
    firstNew_ = 0;
}

void TCapacityScheduler::Clear()
{
    DiscardDayPlan();
    pracoviska_.clear();
    pracoviskaIndex_.clear();
    ids_.clear();
    holidays_.clear();
    visits_ = 0;
}

std::vector<TPlanDen> TCapacityScheduler::NewAllocations() const
{
    return std::vector<TPlanDen>(planDni_.begin() + qint64(std::min(firstNew_, planDni_.size())), planDni_.end());
}

int TCapacityScheduler::workplaceId(const QString &code) const
{
    auto it = ids_.constFind(code);
    if (it != ids_.constEnd())
        return *it;
    const int id = int(ids_.size());
    ids_.insert(code, id);
    return id;
}

bool TCapacityScheduler::FindWorkplace(const QString &code, TPracovisko &row) const
{
    const auto it = pracoviskaIndex_.constFind(WorkplaceCode(code));
    const bool found = it != pracoviskaIndex_.constEnd();
    if (found) {
        row = pracoviska_[std::size_t(*it)];
    } else {
        row = TPracovisko();
        row.PRACOVISKO = WorkplaceCode(code);
    }
    const int shifts = row.ZMENY == 2 || row.ZMENY == 3 ? row.ZMENY : 1;
    row.MinutyDna = row.MinutyZmeny * shifts;
    row.KapacitaDna = row.STROJE * row.MinutyDna;
    return found;
}

int TCapacityScheduler::BookDayCapacity(int hint, const QString &code, double minutes, qint64 date)
{
    int index = hint;
    if (index < 0 || index >= int(dni_.size()) || dni_[std::size_t(index)].Datum != date ||
        dni_[std::size_t(index)].PRACOVISKO != code) {
        const std::uint64_t key = dayKey(date, workplaceId(code));
        auto it = dniIndex_.find(key);
        if (it == dniIndex_.end()) {
            TPracovisko w;
            FindWorkplace(code, w);
            dni_.push_back(TPracoviskoDen{date, code, w.MinutyDna, w.KapacitaDna});
            it = dniIndex_.emplace(key, int(dni_.size()) - 1).first;
        }
        index = it->second;
    }
    TPracoviskoDen &day = dni_[std::size_t(index)];
    day.Volne -= minutes;
    if (day.Volne < 0 && OnOverbooked)
        OnOverbooked(code);
    return index;
}

double TCapacityScheduler::FreeMinutes(const QString &code, qint64 date) const
{
    const auto it = dniIndex_.find(dayKey(date, workplaceId(WorkplaceCode(code))));
    if (it != dniIndex_.end())
        return dni_[std::size_t(it->second)].Volne;
    TPracovisko w;
    FindWorkplace(code, w);
    return w.KapacitaDna;
}

bool TCapacityScheduler::isDayOff(const TPracovisko &w, qint64 date)
{
    if (w.DNI == 7)
        return false;
    // Julian day 0 was a Monday: 5 is Saturday, 6 is Sunday.
    const qint64 weekday = ((date % 7) + 7) % 7;
    if (weekday == 6 || (weekday == 5 && w.DNI != 6))
        return true;
    if (!IsHoliday)
        return false;
    auto it = holidays_.find(date);
    if (it == holidays_.end())
        it = holidays_.emplace(date, IsHoliday(QDate::fromJulianDay(date))).first;
    return it->second;
}

bool TCapacityScheduler::SkipToWorkingDay(qint64 &date, qint64 &used, const QString &code, int direction)
{
    TPracovisko w;
    FindWorkplace(code, w);
    const qint64 dayMinutes = roundEven(w.MinutyDna);
    while (isDayOff(w, date) || double(used) + 10 >= w.MinutyDna) {
        date += direction;
        used -= dayMinutes;
        ++visits_;
        if (std::llabs(date - lineStart_) > MaxDays)
            return false;
    }
    if (used < 0)
        used = 0;
    return true;
}

void TCapacityScheduler::AddPlanDay(const TOperacia &operation, int pieces, double minutes, qint64 date)
{
    planDni_.push_back(TPlanDen{date, operation.C_INT, operation.C_OPERACIE, operation.PRACOVISKO, pieces, minutes});
}

bool TCapacityScheduler::AllocateOperationDay(TOperacia &operation, qint64 &used, qint64 date)
{
    ++visits_;
    const int index = BookDayCapacity(-1, operation.PRACOVISKO, 0, date);
    const double dayMinutes = dni_[std::size_t(index)].MinutyDna;
    const double freeOfDay = dni_[std::size_t(index)].Volne;
    if (operation.MedzeraPred > 0) {
        used += roundEven(operation.MedzeraPred);
        operation.MedzeraPred = 0;
    }
    double free = dayMinutes - double(used);
    if (free > freeOfDay)
        free = freeOfDay;
    free -= operation.Priprava;
    // Counted in double and cut to the remaining pieces before it becomes an integer, so a tiny unit
    // time cannot overflow the count.
    const double fit = std::trunc(free / operation.CAS_JED);
    if (operation.Zostava >= 1 && fit >= 1 && free > 10.0) {
        const int pieces = int(std::min(fit, double(operation.Zostava)));
        const double minutes = pieces * operation.CAS_JED + operation.Priprava;
        BookDayCapacity(index, operation.PRACOVISKO, minutes, date);
        AddPlanDay(operation, pieces, minutes, date);
        used += roundEven(minutes);
        operation.Zostava -= pieces;
        if (operation.PrvyDen == 0) {
            operation.PrvyDen = date;
            operation.Priprava = 0;
            operation.MedzeraPred = 0;
        }
        if (operation.Zostava == 0)
            used += roundEven(operation.MedzeraPo);
    }
    const bool done = operation.Zostava <= 0;
    if (!done)
        used = roundEven(dayMinutes);
    return done;
}

std::optional<TScheduleError> TCapacityScheduler::ScheduleOperations(std::vector<TOperacia> operations, int direction)
{
    direction = direction < 0 ? -1 : 1;
    // A workplace that can never take a piece is refused before anything is booked.
    for (TOperacia &op : operations) {
        op.PRACOVISKO = WorkplaceCode(op.PRACOVISKO);
        op.PrvyDen = 0;
        TPracovisko w;
        FindWorkplace(op.PRACOVISKO, w);
        if (w.MinutyDna <= 10 || w.STROJE <= 0 || !(op.CAS_JED > 0))
            return TScheduleError{op.C_INT, op.C_OPERACIE, op.PRACOVISKO};
    }
    qint64 date = 0;
    qint64 used = 0;
    bool first = true;
    int job = 0;
    for (TOperacia &op : operations) {
        if (first || op.C_INT != job) {
            first = false;
            job = op.C_INT;
            date = op.Zaciatok;
            used = 0;
            lineStart_ = date;
        }
        for (;;) {
            if (!SkipToWorkingDay(date, used, op.PRACOVISKO, direction))
                return TScheduleError{op.C_INT, op.C_OPERACIE, op.PRACOVISKO};
            if (AllocateOperationDay(op, used, date))
                break;
            // The day is full: the next skip moves on, within the same bound.
            if (std::llabs(date - lineStart_) >= MaxDays)
                return TScheduleError{op.C_INT, op.C_OPERACIE, op.PRACOVISKO};
        }
    }
    return std::nullopt;
}
