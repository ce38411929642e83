#include "MenuHooks.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/ReportPreview.h"

#include <QHash>

const QString NotAvailableText = QString::fromUtf8("Táto časť programu ešte nie je k dispozícii.");

namespace {
QHash<QString, TOpenRoutine> &routines()
{
    static QHash<QString, TOpenRoutine> all;
    return all;
}
} // namespace

TModuleHooks &ModuleHooks()
{
    static TModuleHooks hooks;
    return hooks;
}

void ShowNotAvailable()
{
    Information(NotAvailableText);
}

void RegisterOpenRoutine(const QString &name, TOpenRoutine routine)
{
    routines().insert(name, std::move(routine));
}

void UnregisterOpenRoutine(const QString &name)
{
    routines().remove(name);
}

bool HasOpenRoutine(const QString &name)
{
    return routines().contains(name);
}

void CallOpenRoutine(const QString &name, const QVariantList &args)
{
    const auto it = routines().constFind(name);
    if (it == routines().constEnd() || !*it) {
        ShowNotAvailable();
        return;
    }
    // A copy: the routine may register or unregister routines while it runs.
    const TOpenRoutine routine = *it;
    routine(args);
}

void PreviewReport(TQuickRep *report)
{
    if (ModuleHooks().ShowReport)
        ModuleHooks().ShowReport(report);
    else
        TReportPreview::Preview(report);
}
