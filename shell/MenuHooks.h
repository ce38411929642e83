// What the main menu opens in other modules: their open routines by name, the message check and the runner
// of report definitions. Each module wires its own at start; a routine nobody wired tells the user that
// this part of the program is not available yet.
#pragma once

#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

class TxQuery;

// The text shown for a part of the program that is not available in this build.
extern const QString NotAvailableText;
// Tells the user so in a message box.
void ShowNotAvailable();

// An open routine of another module ("ShowOffers", "ShowStores" with "M" ...), called with its arguments.
using TOpenRoutine = std::function<void(const QVariantList &args)>;
void RegisterOpenRoutine(const QString &name, TOpenRoutine routine);
void UnregisterOpenRoutine(const QString &name);
bool HasOpenRoutine(const QString &name);
// Runs the routine; without one the user is told the part is not available yet.
void CallOpenRoutine(const QString &name, const QVariantList &args = {});

// The check for new internal messages (force: list them all, even none); unset: no check.
extern std::function<void(bool force)> CheckMessagesHook;

// Runs report definition files: Create makes a report from a file with the query it reads (once per
// file and run), Execute runs it. Unset: report definitions are not available yet.
struct TReportDefinitionRunner {
    std::function<std::shared_ptr<void>(const QString &fileName, TxQuery *data)> Create;
    std::function<void(void *report)> Execute;
};
extern TReportDefinitionRunner ReportDefinitionRunner;
