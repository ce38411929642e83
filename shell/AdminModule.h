// The administration as one module: the users and privileges, the maintenance and recalculation tools,
// the password change, the settings and the about dialog, each as a routine of the main menu.
#pragma once

void RegisterAdminModule();
