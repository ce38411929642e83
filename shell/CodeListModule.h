// The code lists, pick lists and internal messages as one module: their start-up classes, the menu's
// code-list routine and the main window's message check.
#pragma once

void RegisterCodeListModule();
