#include "LookFixture.h"

#include "LookRules.h"
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "library/QTlacForm.h"
#include "platform/ui/Form.h"
#include "platform/ui/ModalResult.h"
#include "program/Modules.h"
#include "shell/FormMenu.h"
#include "shell/QMsgForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPrinter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

// The look tests see the program on the screen it is used on, not on the offscreen platform's 800x600.
const bool deskScreen = [] {
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TARVIS_LOOK_SCREEN);
    return true;
}();

// Escape pressed where the focus is; a window it does not close is closed otherwise, so the test goes on.
QStringList leaveByEscape(QWidget *window)
{
    QPointer<QWidget> w(window);
    // Closed by what was done inside it.
    if (auto *form = qobject_cast<TForm *>(window); !window->isVisible() || (form && form->ModalResult() != mrNone))
        return {};
    QApplication::setActiveWindow(window);
    QWidget *target = QApplication::focusWidget();
    if (!target || target->window() != window)
        target = window;
    QTest::keyClick(target, Qt::Key_Escape);
    Settle();
    if (!w || !w->isVisible())
        return {};
    if (auto *form = qobject_cast<TForm *>(w.data()))
        form->SetModalResult(mrCancel);
    else if (auto *dialog = qobject_cast<QDialog *>(w.data()))
        dialog->reject();
    else
        w->close();
    Settle();
    return {QStringLiteral("window: Escape does not close it")};
}

QWidget *&innermost()
{
    static QWidget *window = nullptr;
    return window;
}

} // namespace

void LookTest::SetUp()
{
    ShellTest::SetUp();
    Q_UNUSED(deskScreen);
    // The demo data are dated from the day the database was made; the program's clock follows.
    SetNowForTests(QDateTime(QDate::currentDate(), QTime(10, 0)));
    programDatabase = QDir(folder.path()).filePath(QStringLiteral("TarvDB.fdb"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVIS_DEMO_DB), programDatabase)) << "no demo database";
    QFile::setPermissions(programDatabase, QFile::ReadOwner | QFile::WriteOwner);
    savedCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    Printer().setOutputFileName(QDir(folder.path()).filePath(QStringLiteral("tlac.pdf")));
    responder = std::make_unique<TTestResponder>();
    // Each test starts the program anew, on a fresh database: no message has been checked or listed yet.
    MessageCheckState() = TMessageCheckState();
    RegisterModules();
    TStartOptions options;
    options.ProgramFile = programFile();
    menu = StartProgram(options);
    // The demo database has unread messages: their list opens as the menu comes up.
    bool listed = false;
    WhenModal<TQMsgForm>([&](TQMsgForm *list) {
        compareWithKnown(QStringLiteral("QMsgForm"), lookAt(list, QStringLiteral("QMsgForm")) + leaveByEscape(list));
        listed = true;
    });
    menu->show();
    ASSERT_TRUE(WaitFor("the list of unread messages comes up with the menu", [&] { return listed; }));
    Settle();
    ASSERT_TRUE(menu->isVisible());
}

void LookTest::TearDown()
{
    CancelWhenModal();
    Printer().setOutputFileName(QString());
    ShutDownProgram();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    responder.reset();
    if (!savedCurrent.isEmpty())
        QDir::setCurrent(savedCurrent);
    ShellTest::TearDown();
}

QStringList LookTest::lookAt(QWidget *window, const QString &name)
{
    QApplication::setActiveWindow(window);
    Settle();
    SaveLookPicture(window, name);
    return LookProblems(window);
}

std::shared_ptr<bool> LookTest::watchFor(const std::function<bool(QWidget *)> &accepts, const QString &name,
                                         const std::function<void(QWidget *)> &inside, std::source_location where)
{
    auto seen = std::make_shared<bool>(false);
    QWidget *outer = innermost();
    const qsizetype boxesBefore = responder->Messages.size();
    const auto takes = [outer, accepts](QWidget *window) { return window != outer && accepts(window); };
    modal_detail::wait(
        name.toLatin1().constData(), takes,
        [=, this](QWidget *window) {
            *seen = true;
            innermost() = window;
            QStringList found = lookAt(window, name);
            if (inside)
                inside(window);
            innermost() = outer;
            found += leaveByEscape(window);
            for (qsizetype i = boxesBefore; i < responder->Messages.size(); ++i)
                if (responder->Messages[i].Type == mtError)
                    found << QStringLiteral("window: shows the error \"%1\"").arg(responder->Messages[i].Text);
            compareWithKnown(name, found);
        },
        where);
    return seen;
}

void LookTest::lookFor(const std::function<bool(QWidget *)> &accepts, const QString &name,
                       const std::function<void()> &open, const std::function<void(QWidget *)> &inside,
                       std::source_location where)
{
    SCOPED_TRACE(::testing::Message() << "window " << name.toStdString() << " opened at " << where.file_name() << ":"
                                      << where.line());
    const qsizetype boxesBefore = responder->Messages.size();
    const auto seen = watchFor(accepts, name, inside, where);
    open();
    if (!*seen) {
        CancelWhenModal();
        ADD_FAILURE() << name.toStdString() << ": no window came up; boxes shown: "
                      << responder->Texts().mid(boxesBefore).join(QStringLiteral(" | ")).toStdString();
    }
}

QStringList LookTest::noWindow(const std::function<void()> &open)
{
    const qsizetype boxesBefore = responder->Messages.size(), inputsBefore = responder->Inputs.size();
    bool windowCame = false;
    WhenModal<QWidget>(
        [&](QWidget *window) {
            windowCame = true;
            ADD_FAILURE() << "a window came up: " << ControlName(window).toStdString();
            leaveByEscape(window);
        },
        innermost());
    open();
    CancelWhenModal();
    EXPECT_FALSE(windowCame);
    QStringList asked = responder->Texts().mid(boxesBefore);
    for (qsizetype i = inputsBefore; i < responder->Inputs.size(); ++i)
        asked << responder->Inputs[i].Prompt;
    return asked;
}

void LookTest::clickButton(QWidget *window, const QString &nameOrText)
{
    // The window's own button shown: a dialog the window owns may have a hidden button of the same text.
    QAbstractButton *found = nullptr;
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (b->window() == window &&
            (b->objectName() == nameOrText || b->text().remove(QLatin1Char('&')) == nameOrText))
            if (!found || (b->isVisible() && !found->isVisible()))
                found = b;
    ASSERT_NE(found, nullptr) << "no button " << nameOrText.toStdString() << " in "
                              << ControlName(window).toStdString();
    ASSERT_TRUE(found->isVisible() && found->isEnabled()) << nameOrText.toStdString() << " cannot be clicked";
    QTest::mouseClick(found, Qt::LeftButton);
}

void LookTest::doubleClickRow(QWidget *window, const QString &gridName, int row)
{
    QTableView *grid = nullptr;
    const auto top = [window](const QWidget *w) { return w->mapTo(window, QPoint()).y(); };
    for (QTableView *g : window->findChildren<QTableView *>())
        if (g->window() == window && g->isVisible() && (gridName.isEmpty() || g->objectName() == gridName))
            if (!grid || top(g) < top(grid))
                grid = g;
    ASSERT_NE(grid, nullptr) << "no grid " << gridName.toStdString() << " shown in "
                             << ControlName(window).toStdString();
    const QAbstractItemModel *model = grid->model();
    ASSERT_TRUE(model && row < model->rowCount()) << "no row " << row << " in " << ControlName(grid).toStdString();
    int column = 0;
    while (column < model->columnCount() && grid->isColumnHidden(column))
        ++column;
    const QModelIndex index = model->index(row, column);
    grid->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
}

void LookTest::clickTab(QWidget *window, const QString &caption)
{
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>())
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->isVisible() && tabs->tabText(i).remove(QLatin1Char('&')) == caption) {
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
                Settle();
                ASSERT_EQ(tabs->currentIndex(), i) << "the page " << caption.toStdString() << " does not open";
                return;
            }
    ADD_FAILURE() << "no page " << caption.toStdString() << " in " << ControlName(window).toStdString();
}

void LookTest::compareWithKnown(const QString &name, const QStringList &found)
{
    const QStringList known = KnownLookProblems().value(name);
    // LOOK_PRINT=1 lists every finding, known or not.
    if (qEnvironmentVariableIsSet("LOOK_PRINT"))
        std::printf("%s:\n  %s\n", qPrintable(name), qPrintable(found.join(QStringLiteral("\n  "))));
    QStringList unexpected, gone;
    for (const QString &f : found)
        if (std::none_of(known.begin(), known.end(), [&](const QString &k) { return f.startsWith(k); }))
            unexpected << f;
    for (const QString &k : known)
        if (std::none_of(found.begin(), found.end(), [&](const QString &f) { return f.startsWith(k); }))
            gone << k;
    EXPECT_TRUE(unexpected.isEmpty()) << name.toStdString() << ":\n  "
                                      << unexpected.join(QStringLiteral("\n  ")).toStdString();
    EXPECT_TRUE(gone.isEmpty()) << name.toStdString() << " no longer shows these; take them off the known list:\n  "
                                << gone.join(QStringLiteral("\n  ")).toStdString();
}
