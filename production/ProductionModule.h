// The production module's place in the program: its start-up objects and open routines.
#pragma once

void RegisterProductionModule();
