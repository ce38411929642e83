#include "ShellModule.h"

#include "RoutineNames.h"
#include "MenuHooks.h"
#include "QQueryForm.h"
#include "Startup.h"
#include "library/QTlacForm.h"

void RegisterShellModule()
{
    // The print dialog lives as long as the main form it belongs to; the start-up list only names it.
    SetStartupFactory(StartupClass::TQTlacForm, [] {
        TStartupInstance instance;
        instance.Object = std::shared_ptr<void>(QTlacForm(), [](void *) {});
        instance.Form = QTlacForm();
        return instance;
    });
    RegisterOpenRoutine(Routine::ShowSqlConsole, [](const QVariantList &args) {
        ShowSqlConsole(args.value(0).toString(), args.value(1).toString());
    });
}
