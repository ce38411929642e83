// Every routine the main menu opens and every class of the start-up list is registered by the module
// that owns it, so a missing or misspelt registration fails here instead of telling a user that the
// part is not available. The names of the modules not built yet are listed below; a module that lands
// takes its names off the list (the test says so when one is registered but still listed).
#include "program/Modules.h"
#include "shell/FormMenu.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Startup.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QStringList RoutinesNotBuiltYet{};

const QStringList ClassesNotBuiltYet{};

// The classes the start makes itself.
const QStringList ClassesOfTheStart{StartupClass::TDMZal, StartupClass::TFormMenu};

std::string joined(const QStringList &names)
{
    return names.join(QStringLiteral(", ")).toStdString();
}

TEST(Modules, EveryMenuRoutineAndStartupClassIsRegistered)
{
    RegisterModules();
    QStringList missing, stillListed;
    const auto check = [&](const QString &name, bool registered, bool listed) {
        if (registered && listed)
            stillListed << name;
        else if (!registered && !listed)
            missing << name;
    };
    for (const TMainMenuItem &item : MainMenuItems()) {
        const QString name = QLatin1String(item.OpenRoutine);
        if (item.OpenRoutine)
            check(name, HasOpenRoutine(name), RoutinesNotBuiltYet.contains(name));
    }
    for (const TStartupEntry &entry : StartupEntries()) {
        const QString name = QLatin1String(entry.ClassName);
        check(name, HasStartupFactory(name) || ClassesOfTheStart.contains(name), ClassesNotBuiltYet.contains(name));
    }
    EXPECT_TRUE(missing.isEmpty()) << "no module registers " << joined(missing);
    EXPECT_TRUE(stillListed.isEmpty()) << "registered, take them off the not-built list: " << joined(stillListed);
}

TEST(Modules, TheNotBuiltListsNameOnlyWhatTheMenuAndTheStartKnow)
{
    QStringList routines, classes;
    for (const TMainMenuItem &item : MainMenuItems())
        if (item.OpenRoutine)
            routines << QLatin1String(item.OpenRoutine);
    for (const TStartupEntry &entry : StartupEntries())
        classes << QLatin1String(entry.ClassName);
    for (const QString &name : RoutinesNotBuiltYet)
        EXPECT_TRUE(routines.contains(name)) << name.toStdString();
    for (const QString &name : ClassesNotBuiltYet + ClassesOfTheStart)
        EXPECT_TRUE(classes.contains(name)) << name.toStdString();
}

TEST(Modules, TheMenusRulesNameItemsOfTheMenu)
{
    QStringList names, unknown;
    for (const TMainMenuItem &item : MainMenuItems())
        if (item.Name)
            names << QLatin1String(item.Name);
    for (const TMainMenuItem &item : MainMenuItems()) {
        if (!item.Right)
            continue;
        for (QString term : QString::fromLatin1(item.Right).split(QRegularExpression(QStringLiteral("[|&]")))) {
            term = term.trimmed();
            if (term.startsWith(QLatin1Char('@')) && !names.contains(term.mid(1)))
                unknown << QLatin1String(item.Name) + QStringLiteral(": ") + term;
        }
    }
    EXPECT_TRUE(unknown.isEmpty()) << joined(unknown);
}

} // namespace
