// The production module's registration: its start-up objects and the routines the main menu opens.
#pragma once

void RegisterProductionModule();
