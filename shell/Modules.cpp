#include "Modules.h"

#include "DMCis.h"
#include "Startup.h"
#include "library/QTlacForm.h"
#include "sales/SalesModule.h"

void RegisterModules()
{
    RegisterCodeListModule();
    RegisterSalesModule();
    // The print dialog lives as long as the main form it belongs to; the start-up list only names it.
    SetStartupFactory(QStringLiteral("TQTlacForm"), [] {
        TStartupInstance instance;
        instance.Object = std::shared_ptr<void>(QTlacForm(), [](void *) {});
        instance.Form = QTlacForm();
        return instance;
    });
}
