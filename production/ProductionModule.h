// The production module's registration: its start-up objects, the routines the main menu opens and the
// job ticket it lends the sales and planning forms.
#pragma once

void RegisterProductionModule();
