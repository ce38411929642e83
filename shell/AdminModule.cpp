#include "AdminModule.h"

#include "AdminTools.h"
#include "DMZal.h"
#include "MenuHooks.h"
#include "QAboutForm.h"
#include "QSettingsForm.h"
#include "QUsersForm.h"
#include "RoutineNames.h"

namespace {

// The tools work on the database: without a connection they are not run, and the user is told so (a lost
// connection is made again first).
void onDatabase(const char *name, void (*tool)())
{
    RegisterOpenRoutine(QString::fromLatin1(name), [tool](const QVariantList &) {
        if (!DMZal)
            return;
        DMZal->DBZAL.TestConnected();
        tool();
    });
}

} // namespace

void RegisterAdminModule()
{
    onDatabase(Routine::ShowUsers, &ShowUsers);
    onDatabase(Routine::Maintenance, [] { Maintenance(); });
    onDatabase(Routine::MarkHandedOverAndDelivered, [] { MarkHandedOverAndDelivered(); });
    onDatabase(Routine::UpdateTechnologyHours, &UpdateTechnologyHours);
    onDatabase(Routine::UpdatePerformanceHours, &UpdatePerformanceHours);
    onDatabase(Routine::UpdatePerformanceWages, &UpdatePerformanceWages);
    onDatabase(Routine::ChangePassword, &ChangeOwnPassword);
    RegisterOpenRoutine(Routine::ShowSettings, [](const QVariantList &) {
        if (DMZal)
            ShowSettings();
    });
    RegisterOpenRoutine(Routine::ShowAbout, [](const QVariantList &) {
        if (DMZal)
            ShowAbout();
    });
}
