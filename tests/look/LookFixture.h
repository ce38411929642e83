// The whole program started on a fresh copy of the demo foundry, as a person starts it on a 1280x800 screen:
// every module registered, the start-up objects made, the main menu shown and the message list that opens at
// start closed. `look` opens a window as the person would, takes its picture, checks it by the look rules and
// closes it by Escape; what it finds is compared with the findings known for that window.
#pragma once

#include "shell/ShellFixture.h"

#include "platform/ui/Dialogs.h"
#include "shell/Startup.h"

#include <QMap>
#include <functional>
#include <memory>
#include <source_location>

class TFormMenu;

// The findings known for each window, by window name: each entry is the start of a finding's text.
const QMap<QString, QStringList> &KnownLookProblems();

class LookTest : public ShellTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window by `open` (which returns once it is closed), waits for it to come up, then looks at it:
    // the picture build/look/<name>.png, the rules, `inside` (a nested dialog, say), Escape. The findings
    // and a missing way out are compared with the known ones of `name`.
    // `inside` may close the window itself (OK, a choice); Escape is then not tried. With a type, only a window
    // of that type is taken (another modal window that comes first is left to its own step).
    template <class T = QWidget>
    void look(const QString &name, const std::function<void()> &open,
              const std::function<void(QWidget *)> &inside = nullptr,
              std::source_location where = std::source_location::current())
    {
        lookFor([](QWidget *w) { return qobject_cast<T *>(w) != nullptr; }, name, open, inside, where);
    }

    // Looks at the next window of the type once it comes up, opened by what follows (a window that a closing one
    // leads to); the flag tells whether it came.
    template <class T>
    std::shared_ptr<bool> watch(const QString &name, const std::function<void(QWidget *)> &inside = nullptr,
                                std::source_location where = std::source_location::current())
    {
        return watchFor([](QWidget *w) { return qobject_cast<T *>(w) != nullptr; }, name, inside, where);
    }
    std::shared_ptr<bool> watchFor(const std::function<bool(QWidget *)> &accepts, const QString &name,
                                   const std::function<void(QWidget *)> &inside, std::source_location where);
    void lookFor(const std::function<bool(QWidget *)> &accepts, const QString &name, const std::function<void()> &open,
                 const std::function<void(QWidget *)> &inside, std::source_location where);

    // Runs a routine that opens no window of its own (only questions, answered by the responder); what it
    // asks is returned.
    QStringList noWindow(const std::function<void()> &open);

    // The same for a window already shown modally: for use inside another window's `inside`.
    QStringList lookAt(QWidget *window, const QString &name);

    // Clicks a button of the window by its object name or text.
    static void clickButton(QWidget *window, const QString &nameOrText);

    // Double-clicks a row of a grid of the window, as a person opens a row: the grid by its object name (empty:
    // the topmost grid shown, a browser's list), the row counted from the top.
    static void doubleClickRow(QWidget *window, const QString &gridName, int row = 0);

    // Clicks the tab of a page control of the window by its caption.
    static void clickTab(QWidget *window, const QString &caption);

    // Compares findings with the known ones of the window and reports the difference.
    static void compareWithKnown(const QString &name, const QStringList &found);

    TFormMenu *menu = nullptr;
    std::unique_ptr<TTestResponder> responder;
    QString programDatabase;
    QString savedCurrent;
};
