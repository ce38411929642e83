// The program's start: the splash, then the data modules and forms that live for the whole run, created in
// their fixed order (the base data module first, the main menu the first form), and their end in reverse.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

class TFormMenu;
class TQInitForm;

// What a long-lived object is; a module that has not been built yet is created empty as its kind.
enum class TStartupKind { DataModule, Form, Report };

// One long-lived object of the start-up list.
struct TStartupEntry {
    const char *ClassName;  // "TFormZakazky"
    const char *GlobalName; // "FormZakazky"
    TStartupKind Kind;
};

// The 34 objects in the order they are created.
const std::vector<TStartupEntry> &StartupEntries();

// One created object: its owner (any type) and, for a form, its window.
struct TStartupInstance {
    std::shared_ptr<void> Object;
    QWidget *Form = nullptr;
};

// Wraps a newly created object, which the start-up list then owns (so a form is made without a parent);
// a QWidget is also remembered as a form.
template <class T> TStartupInstance MakeStartupInstance(T *object)
{
    TStartupInstance instance;
    instance.Object = std::shared_ptr<T>(object);
    if constexpr (std::is_base_of_v<QWidget, T>)
        instance.Form = object;
    return instance;
}

// Creates one object of the list; a factory assigns the class's own global (its constructor usually does).
using TStartupFactory = std::function<TStartupInstance()>;

// Points the creation of a class at its constructor. Until a module wires its classes, each is created as
// an empty data module or form carrying its class name, so the order and the lookups hold from the start.
void SetStartupFactory(const QString &className, TStartupFactory factory);
void ClearStartupFactory(const QString &className);
bool HasStartupFactory(const QString &className);

// An empty data module or report of a class whose module has not been built yet.
class TDataModule {
public:
    explicit TDataModule(QString className) : ClassName(std::move(className)) {}
    virtual ~TDataModule() = default;
    const QString ClassName;
};

struct TStartOptions {
    // The program whose name and folder give the settings file and the default database (empty: this one).
    QString ProgramFile;
    // The splash picture; a missing one stops the start before any data module exists.
    QString LogoResource = QStringLiteral(":/LOGO");
};

// Shows the splash, creates the 34 objects and releases the splash (also when a creation fails, whose
// error then leaves here with the objects created before it still alive). Returns the main form, not yet
// shown; the caller shows it and runs the message loop.
TFormMenu *StartProgram(const TStartOptions &options = {});
// Destroys the long-lived objects in reverse order of creation.
void ShutDownProgram();

// The long-lived object of a global name ("FormZakazky"), null before it was created.
void *StartupObject(const QString &globalName);
// Its window, when it is a form.
QWidget *StartupForm(const QString &globalName);
// The class names of the objects created so far, in creation order.
QStringList CreatedStartupObjects();
// Whether the object of that global name is only the empty stand-in of a module not built yet.
bool IsStartupStandIn(const QString &globalName);

// The whole program: its process set-up, the start, the main form and the message loop.
int RunProgram(int argc, char **argv);
