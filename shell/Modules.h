// The modules built so far take the places of their stand-ins in the start-up list and the menu.
#pragma once

void RegisterModules();
