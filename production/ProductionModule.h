// The production module's place in the program: its reports and the hooks it lends the sales forms.
#pragma once

void RegisterProductionModule();
