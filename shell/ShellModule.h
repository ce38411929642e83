// The shell's own start-up classes besides the base data module and the main menu (which the start makes
// itself): the print dialog of the library.
#pragma once

void RegisterShellModule();
