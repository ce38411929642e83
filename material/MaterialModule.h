// The material module's place in the program: its data module, forms and open routines.
#pragma once

void RegisterMaterialModule();
