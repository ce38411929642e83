// Every window the main menu opens, looked at on the demo database as a person opens it: by its menu item.
#include "LookFixture.h"

#include "shell/FormMenu.h"
#include "shell/MenuHooks.h"

#include <QAction>

namespace {

// Items that only ask (a job number, a confirmation) and work without a window of their own.
const QStringList NoWindowOfItsOwn{"mnuOznacOdvedeneDodane", "mnuAktualizaciaNHTP", "mnuAktualizaciaNHvykony",
                                   "mnuAktualizaciaMZDAvykony", "mnuUdrzba"};

// The menu items that open a routine, by object name.
std::vector<std::string> menuItems()
{
    std::vector<std::string> names;
    for (const TMainMenuItem &item : MainMenuItems())
        if (item.Kind == TMainMenuItem::Item && item.OpenRoutine)
            names.push_back(item.Name);
    return names;
}

class MenuWindowLook : public LookTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(MenuWindowLook, ShowsEveryFieldAndCaptionAndClosesByEscape)
{
    const QString item = QString::fromStdString(GetParam());
    auto *action = menu->findChild<QAction *>(item);
    ASSERT_NE(action, nullptr);
    // An item the administrator has not (the password change of an ordinary user) runs its routine as for one.
    const auto open = [action] {
        if (action->isEnabled())
            action->trigger();
        else
            for (const TMainMenuItem &i : MainMenuItems())
                if (action->objectName() == QLatin1String(i.Name))
                    CallOpenRoutine(QLatin1String(i.OpenRoutine), i.Args);
    };
    if (NoWindowOfItsOwn.contains(item)) {
        const QStringList asked = noWindow(open);
        EXPECT_FALSE(asked.isEmpty()) << "the routine neither opens a window nor asks anything";
        return;
    }
    look(item, open);
}

INSTANTIATE_TEST_SUITE_P(Menu, MenuWindowLook, ::testing::ValuesIn(menuItems()),
                         [](const auto &info) { return info.param; });

} // namespace
