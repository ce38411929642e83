// TCapacityScheduler: places the open operations of production jobs day by day onto the capacity of their
// workplaces, forwards from a start day or backwards from the day before the job's term. Rows in,
// allocations out: it reads and writes no database and shows nothing; the planning run feeds and saves it.
#pragma once

#include <QDate>
#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

// One workplace's capacity (a row of TPracoviska).
struct TPracovisko {
    QString PRACOVISKO;
    int DNI = 5;              // 6: Monday to Saturday; 7: every day, holidays included; else Monday to Friday
    int ZMENY = 1;            // shifts per day
    double MinutyZmeny = 450; // minutes per shift
    int STROJE = 100;         // machines
    double MinutyDna = 0;     // minutes per day of one machine (filled by FindWorkplace)
    double KapacitaDna = 0;   // day capacity of the workplace (filled by FindWorkplace)
};

// One operation to plan in a run (a row of TOperacie). Days are Julian day numbers.
struct TOperacia {
    int C_INT = 0;
    int C_OPERACIE = 0;
    QString OPERACIA;
    QString PRACOVISKO;
    double MedzeraPred = 0; // gap before, minutes (backward runs)
    double MedzeraPo = 0;   // gap after, minutes (forward runs)
    double Priprava = 0;    // preparation, minutes (forward runs)
    double CAS_JED = 0;     // minutes per piece
    int Zostava = 0;        // remaining pieces
    qint64 Zaciatok = 0;    // start day of the job's time line
    qint64 PrvyDen = 0;     // first day that received pieces, 0 until then
};

// One day of one workplace (a row of TPracoviskaDni).
struct TPracoviskoDen {
    qint64 Datum = 0;
    QString PRACOVISKO;
    double MinutyDna = 0; // minutes per day of one machine
    double Volne = 0;     // free minutes of the whole workplace; may fall below zero
};

// One allocation of the day plan (a row of TPlanDni, mirroring SPlanD).
struct TPlanDen {
    qint64 Datum = 0;
    int C_INT = 0;
    int C_OPERACIE = 0;
    QString PRACOVISKO;
    int MNOZ_PLAN = 0;
    double Minuty = 0;
    bool operator==(const TPlanDen &) const = default;
};

// Why a run stopped: the operation that can never be placed.
struct TScheduleError {
    int C_INT = 0;
    int C_OPERACIE = 0;
    QString PRACOVISKO;
};

class TCapacityScheduler {
public:
    // Days a job's time line may move from its start before its operation counts as impossible to place.
    static constexpr int MaxDays = 3660;

    // Workplace codes are compared after cutting them to this length.
    static QString WorkplaceCode(const QString &code) { return code.left(5); }

    // ---- the tables
    void SetWorkplaces(const std::vector<TPracovisko> &workplaces);
    bool HasWorkplaces() const { return !pracoviska_.empty(); }
    // Books minutes of the stored plan on a workplace's day (no row of this run's day plan).
    void LoadBooked(qint64 date, const QString &code, double minutes);
    bool HasDayPlan() const { return !planDni_.empty() || !dni_.empty(); }
    // Empties the day plan and the day capacities (the next run reloads them).
    void DiscardDayPlan();
    // Empties everything, workplaces included.
    void Clear();

    // Days off besides the weekend; holidays are asked once per day and remembered.
    std::function<bool(const QDate &)> IsHoliday;
    // Drops the remembered answers of IsHoliday.
    void ForgetHolidays() { holidays_.clear(); }
    // Called with the workplace code after every booking that leaves a day's free minutes below zero.
    std::function<void(const QString &)> OnOverbooked;

    // ---- one run
    // Plans the operations in their order with the direction (1 forwards, -1 backwards). Allocations are
    // appended to the day plan; on an error the run stops where it is, and the caller discards the tables.
    std::optional<TScheduleError> ScheduleOperations(std::vector<TOperacia> operations, int direction);
    // The allocations added since the last StartRun (or since the tables were loaded).
    std::vector<TPlanDen> NewAllocations() const;
    // Marks the present day plan as stored: later allocations are this run's own.
    void StartRun() { firstNew_ = planDni_.size(); }

    // ---- the steps (public so that each can be checked alone)
    // True when the workplace is known; row gets its data (or the defaults) with the day minutes filled.
    bool FindWorkplace(const QString &code, TPracovisko &row) const;
    // Index of the day row of (date, workplace) after taking the minutes from its free capacity; hint is
    // an index known for that pair or -1.
    int BookDayCapacity(int hint, const QString &code, double minutes, qint64 date);
    // Moves date and the minutes used of that day to the next day on which the workplace works and has room.
    // False when that would leave the time line's bound.
    bool SkipToWorkingDay(qint64 &date, qint64 &used, const QString &code, int direction);
    // Places as many pieces as fit into the day; true when the operation has no remaining pieces.
    bool AllocateOperationDay(TOperacia &operation, qint64 &used, qint64 date);
    void AddPlanDay(const TOperacia &operation, int pieces, double minutes, qint64 date);

    const std::vector<TPlanDen> &PlanDni() const { return planDni_; }
    // Free minutes of a workplace on a day; the day capacity when nothing is booked.
    double FreeMinutes(const QString &code, qint64 date) const;
    // (operation, day) pairs examined since the tables were cleared.
    qint64 Visits() const { return visits_; }

private:
    int workplaceId(const QString &code) const;
    bool isDayOff(const TPracovisko &w, qint64 date);
    static std::uint64_t dayKey(qint64 date, int workplace)
    {
        return (std::uint64_t(date) << 24) ^ std::uint64_t(unsigned(workplace));
    }

    std::vector<TPracovisko> pracoviska_;
    QHash<QString, int> pracoviskaIndex_; // the first row of a code
    mutable QHash<QString, int> ids_;     // every code met, known or not: the day table's key
    std::vector<TPracoviskoDen> dni_;
    std::unordered_map<std::uint64_t, int> dniIndex_;
    std::vector<TPlanDen> planDni_;
    std::size_t firstNew_ = 0;
    std::unordered_map<qint64, bool> holidays_;
    qint64 lineStart_ = 0;
    qint64 visits_ = 0;
};
