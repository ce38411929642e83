// How modules reach each other: open routines by name (the names are in RoutineNames.h) and one struct of
// typed hooks. Each module wires its own at start; a routine nobody wired tells the user that this part
// of the program is not available yet.
#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

class TDataSet;
class TQuickRep;
class TxQuery;

// The text shown for a part of the program that is not available in this build.
extern const QString NotAvailableText;
// Tells the user so in a message box.
void ShowNotAvailable();

// An open routine of a module (Routine::ShowStores with "M" ...), called with its arguments.
using TOpenRoutine = std::function<void(const QVariantList &args)>;
void RegisterOpenRoutine(const QString &name, TOpenRoutine routine);
void UnregisterOpenRoutine(const QString &name);
bool HasOpenRoutine(const QString &name);
// Runs the routine; without one the user is told the part is not available yet.
void CallOpenRoutine(const QString &name, const QVariantList &args = {});

// What one module lends another besides its open routines. Unset members take the stated default.
struct TModuleHooks {
    // The check for new internal messages (force: list them all, even none); unset: no check.
    std::function<void(bool force)> CheckMessages;
    // Report definition files: CreateReport makes a report from a file with the query it reads (once per
    // file and run), ExecuteReport runs it. Unset: report definitions are not available yet.
    std::function<std::shared_ptr<void>(const QString &fileName, TxQuery *data)> CreateReport;
    std::function<void(void *report)> ExecuteReport;
    // The dialog of a new customer row; returns its modal result. Unset: the customer's name is asked for.
    std::function<int(TDataSet *customer)> CustomerDialog;
    // Prints the job ticket of a job (asking for its batch). Unset: not available yet.
    std::function<void(int cInt)> PrintJobTicket;
    // Shows a built report to the user. Unset: the preview.
    std::function<void(TQuickRep *report)> ShowReport;
    // Delivery notes made from a hand-over (dispatch): a new posted note for the job's customer and order
    // (its number, 0 when there is no such job); a quantity of a job's product added to that note and
    // written at once (returns "name - quantity ks"); the note printed (mode 1 without prices, 2 in the
    // home currency, 3 in the note's currency), which closes its delivered jobs. Unset: not available yet.
    std::function<int(int cInt, double kurz)> NewDeliveryNoteForJob;
    std::function<QString(const QString &sklad, const QString &cVyr, int cInt, int quantity, double cenaKurz1)>
        AddDeliveryNoteLine;
    std::function<void(int cDl, int mode)> PrintDeliveryNote;
    // Prints the hand-overs of a period, by customer (the internal orders' print list). Unset: not available.
    std::function<void(const QDate &from, const QDate &to)> PrintHandOversOfPeriod;
    // Run after the main menu was enabled by the user's privileges: each module enables its own items.
    std::vector<std::function<void()>> PrivilegeRules;
    // The product dialog on the current product of the products data module (put into insert or edit by
    // the caller); true when it was saved. Unset: the product dialog is not available yet.
    std::function<bool()> ProductDialog;
};
// The program's one set of hooks.
TModuleHooks &ModuleHooks();
// A built report shown to the user: through the program's hook, else the preview (no print dialog).
void PreviewReport(TQuickRep *report);
