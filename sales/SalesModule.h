// The sales module's place in the program: its start-up objects take the places of their stand-ins.
#pragma once

void RegisterSalesModule();
