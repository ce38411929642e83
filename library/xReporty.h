// TxReporty: the translated copies of the program's reports, one per report and language, with their
// labels put into German or English through the word list.
#pragma once

#include "library/xSlovnik.h"

#include <QHash>
#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

class TQuickRep;

using TReportFactory = std::function<std::unique_ptr<TQuickRep>()>;

// A report class whose translated copies are made as fresh instances of it; CreateReport registers
// the classes it makes.
void RegisterReportClass(std::type_index type, TReportFactory factory);
template <class T> void RegisterReportClass()
{
    RegisterReportClass(std::type_index(typeid(T)), [] { return std::unique_ptr<TQuickRep>(new T()); });
}
// A report laid out for one language, named "T" + report name + "_" + language code
// ("TEDListQRRep_DE"); used instead of translating the Slovak layout. A null factory unregisters.
void RegisterReportResource(const QString &name, TReportFactory factory);

class TxReporty {
public:
    TxReporty();
    ~TxReporty();
    TxReporty(const TxReporty &) = delete;
    TxReporty &operator=(const TxReporty &) = delete;

    // The report to print in the language: the report itself for Slovak; otherwise its copy named
    // report name + "_" + code, made on first use, brought up to what was set on the report at run time
    // (data, printer settings, bands and controls switched on or off, captions, memo lines, pictures,
    // masks) and with every label's caption translated. A report of a class nobody registered has no
    // copy: it is returned as it is.
    TQuickRep *TranslatedReport(TQuickRep *report, int language);

    int CopyCount() const { return int(copies_.size()); }

private:
    std::unique_ptr<TxSlovnik> slovnik_;
    std::vector<std::unique_ptr<TQuickRep>> copies_;
};

// The program's one translator, made on first use; FreeReporty drops it (at program end).
TxReporty &Reporty();
void FreeReporty();

// Brings a copy of a report up to the run-time state of the original; bands and controls are matched by
// name, unnamed ones by their place.
void CarryRunTimeSettings(const TQuickRep &from, TQuickRep &to);
