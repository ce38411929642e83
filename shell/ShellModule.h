// The shell's own start-up classes besides the base data module and the main menu (which the start makes
// itself): the print dialog of the library; and the hooks that run the main menu's report definitions.
#pragma once

void RegisterShellModule();
