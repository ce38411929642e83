// The production module's registration: the job ticket, lent to the sales and planning forms.
#include "ProductionModule.h"

#include "QRTlacSprievodka.h"
#include "shell/DMZal.h"
#include "shell/MenuHooks.h"

void RegisterProductionModule()
{
    ModuleHooks().PrintJobTicket = [](int cInt) {
        if (DMZal)
            PrintJobTicket(cInt);
    };
}
