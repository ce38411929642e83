#include "ShellModule.h"

#include "RoutineNames.h"
#include "MenuHooks.h"
#include "QQueryForm.h"
#include "Startup.h"
#include "library/QTlacForm.h"
#include "library/xDBImage.h"
#include "library/xQuery.h"
#include "library/xReport.h"

void RegisterShellModule()
{
    // The program stores its pictures (products, material items) as JPEG.
    RegisterDBImageFormat(QStringLiteral("jpg"), TGraphicClass::Jpeg);
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
    // The main menu's report definitions: read once per file with the print query, run on each choice.
    TModuleHooks &hooks = ModuleHooks();
    hooks.CreateReport = [](const QString &fileName, TxQuery *data) -> std::shared_ptr<void> {
        std::shared_ptr<TxReport> report = TxReport::CreateFromFile(fileName);
        report->SetParameter(data);
        return report;
    };
    hooks.ExecuteReport = [](void *report) { static_cast<TxReport *>(report)->Execute(); };
}
