#include "Monkey.h"

#include "common/HostileCorpus.h"
#include "common/WhenModal.h"
#include "platform/ui/Form.h"
#include "platform/ui/ModalResult.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

namespace {

// Nested windows get turns of their own down to this depth; deeper ones are closed at once.
constexpr int MaxDepth = 3;
constexpr int NestedSteps = 12;

// What people type: digits, words, Slovak letters, dates (impossible ones too), numbers as they write them,
// job numbers, an apostrophe, wildcards, a very long text.
const char *const Typed[] = {
    "1",
    "7",
    "42",
    "0",
    "-1",
    "a",
    "X",
    "Zlievareň",
    "čšťžýáíéúäôň",
    "ĽŠČŤŽÝÁÍÉÚ",
    "31.02.2026",
    "29.2.2027",
    "1.13.2026",
    "16.3.26",
    "16/03/2026",
    "2026-03-16",
    "0.0.0000",
    "99.99.9999",
    "16.03.2026",
    "1 234,50",
    "1.234,50",
    "12.5",
    "12,5",
    "-0",
    "1e9",
    "12,5,3",
    "999999999999",
    "0,001",
    "26/0015",
    "260015",
    "26/15",
    "'",
    "O'Neil",
    "x' or '1'='1",
    "%",
    "_",
    "?",
    "  ",
    "\t",
    "Veľmi dlhý text, ktorý sa do poľa nezmestí a ide ďalej a ďalej, kým ho niečo nezastaví alebo neoreže, "
    "lebo ho niekto vložil zo schránky aj s ďalšími vetami, číslami 1234567890 a apostrofom ' na konci.",
};

const Qt::Key NavigationKeys[] = {Qt::Key_Tab,      Qt::Key_Tab,       Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Return,
                                  Qt::Key_Up,       Qt::Key_Down,      Qt::Key_Down,    Qt::Key_Left,   Qt::Key_Right,
                                  Qt::Key_PageDown, Qt::Key_PageUp,    Qt::Key_Home,    Qt::Key_End,    Qt::Key_Insert,
                                  Qt::Key_Delete,   Qt::Key_Backspace, Qt::Key_F2,      Qt::Key_Space,  Qt::Key_Enter};

QString keyName(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    return QKeySequence(QKeyCombination(modifiers, key)).toString();
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

QString windowName(QWidget *w)
{
    const QString title = w->windowTitle().trimmed();
    return QStringLiteral("%1 \"%2\"")
        .arg(w->objectName().isEmpty() ? QLatin1String(w->metaObject()->className()) : w->objectName(), title);
}

bool closed(const QPointer<QWidget> &w)
{
    if (!w || !w->isVisible())
        return true;
    const auto *form = qobject_cast<TForm *>(w.data());
    return form && form->ModalResult() != mrNone;
}

// The focused control of the window, else the window.
QWidget *focusIn(QWidget *window)
{
    QWidget *focus = QApplication::focusWidget();
    return focus && focus->window() == window ? focus : window;
}

template <class T> QList<T *> shownIn(QWidget *window)
{
    QList<T *> found;
    for (T *w : window->findChildren<T *>())
        if (w->window() == window && w->isVisible() && w->isEnabled())
            found << w;
    return found;
}

QList<QChar> mnemonics(QWidget *window)
{
    QStringList texts;
    for (auto *b : shownIn<QAbstractButton>(window))
        texts << b->text();
    for (auto *l : shownIn<QLabel>(window))
        texts << l->text();
    for (auto *g : shownIn<QGroupBox>(window))
        texts << g->title();
    for (auto *t : shownIn<QTabWidget>(window))
        for (int i = 0; i < t->count(); ++i)
            texts << t->tabText(i);
    QList<QChar> letters;
    for (const QString &text : texts) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        if (at >= 0 && at + 1 < text.size() && text[at + 1].unicode() < 128 && text[at + 1].isLetterOrNumber())
            letters << text[at + 1].toUpper();
    }
    return letters;
}

QStringList &complaints()
{
    static QStringList list;
    return list;
}

QtMessageHandler previousHandler = nullptr;

void collectComplaint(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    static const QRegularExpression broken(
        QStringLiteral("[Rr]ecursive|does not belong to this view|editing failed|called with an editor|"
                       "QObject::.*(deleted|destroyed|Cannot)|QEventLoop::exec|QDialog::exec|dangling"));
    if (type != QtDebugMsg && type != QtInfoMsg && broken.match(message).hasMatch())
        complaints() << message;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

int TMonkeyResponder::Message(const TMessageRequest &request)
{
    const int escape = TTestResponder::Message(request);
    QList<int> answers;
    for (int bit = 1; bit <= mbYesToAll; bit <<= 1)
        if (request.Buttons & bit)
            answers << ButtonResult(TMsgDlgBtn(bit));
    if (answers.isEmpty())
        return escape;
    return answers[std::uniform_int_distribution<int>(0, int(answers.size()) - 1)(random_)];
}

bool TMonkeyResponder::Input(const TInputRequest &request, QString &value)
{
    TTestResponder::Input(request, value);
    const int choice = std::uniform_int_distribution<int>(0, 9)(random_);
    if (choice < 4)
        return false; // cancelled
    if (choice < 6)
        return true; // the proposal taken
    value = QString::fromUtf8(Typed[std::uniform_int_distribution<int>(0, int(std::size(Typed)) - 1)(random_)]);
    return true;
}

QString ForbiddenInMessage(const QString &text, const QStringList &tableNames)
{
    static const QList<std::pair<QRegularExpression, const char *>> rules = [] {
        QList<std::pair<QRegularExpression, const char *>> r;
        const auto add = [&r](const char *pattern, const char *what) {
            r.append({QRegularExpression(QString::fromUtf8(pattern)), what});
        };
        add(R"(SQL ?error|SQLCODE|SQLSTATE|Dynamic SQL|violation of|conversion error|arithmetic exception|)"
            R"(numeric overflow|right truncation|lock conflict|deadlock|update conflicts|Statement failed|)"
            R"(Column unknown|Table unknown|Token unknown|validation error|[Uu]nsuccessful|ISC error|)"
            R"(Operation aborted|No current record|Access violation|is not a valid|must have a value|)"
            R"(not in edit|Dataset|[Ee]xception|\bGDS\b|isc_|\b3355\d{5}\b)",
            "the engine's English or its code");
        add(R"(\b([Ee]rror|ERROR|not found|[Cc]annot|[Ff]ailed|[Ii]nvalid|[Uu]nknown|[Mm]issing|[Ww]rong)\b)",
            "English");
        add(R"(\b[A-Z][A-Z0-9]{0,7}_[A-Z0-9_]*[A-Z0-9]\b)", "a column's name");
        add(R"(\b[A-Za-z]*[a-z][A-Z]\w*\b|\bDM[A-Z]\w+)", "an internal name");
        add(R"(%[0-9sdgfmuxn]|\{\d\})", "a placeholder left unfilled");
        return r;
    }();
    // What the user typed, quoted back in the message, is the user's own.
    // A typed text may hold an apostrophe itself: an apostrophe's quote runs to the last one on its line.
    static const QRegularExpression quoted(QString::fromUtf8("'[^\\n]*'|„[^“\\n]*“|\"[^\"\\n]*\""));
    const QString own = QString(text).remove(quoted);
    for (const auto &[pattern, what] : rules)
        if (const QRegularExpressionMatch m = pattern.match(own); m.hasMatch())
            return QStringLiteral("%1 (%2)").arg(QLatin1String(what), m.captured());
    for (const QString &table : tableNames)
        if (QRegularExpression(QStringLiteral("\\b%1\\b").arg(table)).match(own).hasMatch())
            return QStringLiteral("a table's name (%1)").arg(table);
    return QString();
}

TMonkey::TMonkey(std::mt19937 &random, TMonkeyResponder &responder, QStringList tableNames)
    : random_(random), responder_(responder), tables_(std::move(tableNames)), messagesSeen_(responder.Messages.size()),
      inputsSeen_(responder.Inputs.size())
{
}

void TMonkey::ActIn(QWidget *window, int steps)
{
    budget_ = steps;
    actIn(window, steps, 0);
}

void TMonkey::actIn(QWidget *window, int steps, int depth)
{
    const QPointer<QWidget> guard(window);
    const QString name = windowName(window);
    for (int i = 0; i < steps && budget_ > 0 && !closed(guard) && !::testing::Test::HasFatalFailure(); ++i) {
        --budget_;
        // Watched from before anything runs: a click a key started runs from a timer, later.
        watchNested(window, depth);
        QApplication::setActiveWindow(window);
        settle();
        const int at = int(Log.size());
        Log << QString(depth * 2, QLatin1Char(' ')) + name + QStringLiteral(": ");
        Log[at] += step(window);
        // MONKEY_TRACE=1 prints each step as it ends, for a run that hangs.
        static const bool trace = qEnvironmentVariableIsSet("MONKEY_TRACE");
        if (trace)
            std::fprintf(stderr, "%d %s\n", int(at), qPrintable(Log[at]));
        // What the step queued (a dialog opened by a queued call) runs while its window is still watched for.
        settle();
        check(Log[at].trimmed());
        CancelWhenModal();
    }
    if (!closed(guard))
        closeWindow(guard);
}

void TMonkey::watchNested(QWidget *window, int depth)
{
    // A modal window the step opens gets turns of its own (or, deep down, is closed); once it has closed,
    // the next one the same step opens (a preview after its print dialog) is watched for.
    WhenModal<QWidget>(
        [this, window, depth](QWidget *inner) {
            if (depth + 1 < MaxDepth)
                actIn(inner, std::min(budget_, NestedSteps), depth + 1);
            else
                closeWindow(inner);
            watchNested(window, depth);
        },
        window);
}

QString TMonkey::step(QWidget *window)
{
    // An action with nothing to act on in this window (no grid, say) gives way to another.
    for (int tries = 0; tries < 4; ++tries)
        if (const QString done = tryStep(window); !done.isEmpty())
            return done;
    QTest::keyClick(focusIn(window), Qt::Key_Tab);
    return keyName(Qt::Key_Tab);
}

QString TMonkey::tryStep(QWidget *window)
{
    QWidget *target = focusIn(window);
    const int roll = pick(100);
    if (roll < 2) {
        window->close();
        return QStringLiteral("title-bar close");
    }
    if (roll < 5) {
        QTest::keyClick(target, Qt::Key_Escape);
        return QStringLiteral("Escape");
    }
    if (roll < 40) {
        const Qt::Key key = NavigationKeys[pick(int(std::size(NavigationKeys)))];
        const Qt::KeyboardModifiers mod = key == Qt::Key_Delete && pick(4) == 0 ? Qt::ControlModifier : Qt::NoModifier;
        QTest::keyClick(target, key, mod);
        return keyName(key, mod);
    }
    if (roll < 47)
        return altLetter(window, target);
    if (roll < 75)
        return typeText(target);
    if (roll < 87)
        return clickButton(window);
    if (roll < 97)
        return clickGrid(window);
    return clickTab(window);
}

QString TMonkey::typeText(QWidget *target)
{
    QString text;
    if (pick(3) == 0) {
        static const QString letters = QString::fromUtf8("0123456789abcxyzABCáäčďéíľňóôšťúýžÁČŠŽ ,.-/'%");
        for (int n = 1 + pick(8); n > 0; --n)
            text += letters[pick(int(letters.size()))];
    } else {
        text = QString::fromUtf8(Typed[pick(int(std::size(Typed)))]);
    }
    TypeText(target, text);
    return QStringLiteral("type \"%1\"").arg(text.left(40));
}

QString TMonkey::clickButton(QWidget *window)
{
    const QList<QAbstractButton *> buttons = shownIn<QAbstractButton>(window);
    if (buttons.isEmpty())
        return QString();
    QAbstractButton *b = buttons[pick(int(buttons.size()))];
    const QString what = QStringLiteral("click button \"%1\" %2").arg(b->text(), b->objectName());
    // A button's menu (the calendar's month and year) pops up in a loop of its own, which no modal window
    // watch sees: it is closed again as a person leaves a menu with Escape.
    QTimer popupClosed;
    QObject::connect(&popupClosed, &QTimer::timeout, [] {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
    popupClosed.start(0);
    QTest::mouseClick(b, Qt::LeftButton);
    return what;
}

QString TMonkey::clickGrid(QWidget *window)
{
    const QList<QTableView *> grids = shownIn<QTableView>(window);
    if (grids.isEmpty())
        return QString();
    QTableView *grid = grids[pick(int(grids.size()))];
    const QAbstractItemModel *model = grid->model();
    if (!model || model->rowCount() == 0 || model->columnCount() == 0)
        return QString();
    const int row = pick(std::min(model->rowCount(), 30)), column = pick(model->columnCount());
    if (grid->isColumnHidden(column))
        return QString();
    const QModelIndex index = model->index(row, column);
    grid->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    const bool twice = pick(3) == 0;
    const QString what = QStringLiteral("%1 grid %2 cell %3,%4")
                             .arg(twice ? QStringLiteral("double-click") : QStringLiteral("click"), grid->objectName())
                             .arg(row)
                             .arg(column);
    // The click may open a window that closes the grid's own before the click returns.
    const QPointer<QWidget> viewport = grid->viewport(), self = window;
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    if (twice && viewport) {
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        // A person's double click ends with the button up; QTest's leaves it held, and a held button keeps
        // the program from taking a later activation for one by keys.
        if (viewport)
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        else if (self)
            QTest::mouseRelease(self, Qt::LeftButton, {}, QPoint(1, 1));
    }
    return what;
}

QString TMonkey::clickTab(QWidget *window)
{
    const QList<QTabWidget *> tabs = shownIn<QTabWidget>(window);
    if (tabs.isEmpty())
        return QString();
    QTabWidget *t = tabs[pick(int(tabs.size()))];
    const int i = pick(t->count());
    const QString what = QStringLiteral("page \"%1\"").arg(t->tabText(i));
    QTest::mouseClick(t->tabBar(), Qt::LeftButton, {}, t->tabBar()->tabRect(i).center());
    return what;
}

QString TMonkey::altLetter(QWidget *window, QWidget *target)
{
    const QList<QChar> letters = mnemonics(window);
    if (letters.isEmpty())
        return QString();
    const QChar c = letters[pick(int(letters.size()))];
    QTest::keyClick(target, Qt::Key(c.unicode()), Qt::AltModifier);
    // A button's letter clicks it from a timer, a tenth of a second later: the click is let happen before the
    // next key, as a person sees the button go down and up. (A key typed in that tenth reaches the list while
    // the dialog its click opens is shown: the dialog is shown again from inside itself.)
    const QPointer<QWidget> guard(window);
    for (int i = 0; i < 50 && guard; ++i) {
        const QList<QAbstractButton *> buttons = shownIn<QAbstractButton>(guard);
        if (std::none_of(buttons.begin(), buttons.end(), [](QAbstractButton *b) { return b->isDown(); }))
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return keyName(Qt::Key(c.unicode()), Qt::AltModifier);
}

void TMonkey::closeWindow(QWidget *window)
{
    const QPointer<QWidget> guard(window);
    // A window the closing opens (a question, the print dialog of a document to print, then its preview) is
    // closed in turn, and so is the next one the same closing opens.
    std::function<void()> watch = [this, &watch] {
        WhenModal<QWidget>([this, &watch](QWidget *inner) {
            closeWindow(inner);
            watch();
        });
    };
    for (int attempt = 0; attempt < 4 && !closed(guard); ++attempt) {
        watch();
        QApplication::setActiveWindow(guard);
        switch (attempt) {
        case 0:
            QTest::keyClick(focusIn(guard), Qt::Key_Escape);
            break;
        case 1:
            if (auto *form = qobject_cast<TForm *>(guard.data()))
                form->SetModalResult(mrCancel);
            else
                guard->close();
            break;
        case 2:
            if (auto *dialog = qobject_cast<QDialog *>(guard.data()))
                dialog->QDialog::done(QDialog::Rejected);
            else
                guard->close();
            break;
        default:
            guard->hide();
        }
        settle();
        CancelWhenModal();
    }
}

void TMonkey::check(const QString &done)
{
    const auto fault = [&](const QString &what) {
        Faults << QStringLiteral("after step %1 (%2): %3").arg(Log.size()).arg(done, what);
    };
    if (!CheckTexts) {
        messagesSeen_ = responder_.Messages.size();
        inputsSeen_ = responder_.Inputs.size();
    }
    // The list of a user's objects: names of the database's objects, each followed by ", ".
    static const QRegularExpression objectList(QStringLiteral("^([A-Z0-9_$]*, )+$"));
    for (; messagesSeen_ < responder_.Messages.size(); ++messagesSeen_) {
        const TMessageRequest &m = responder_.Messages[messagesSeen_];
        if (ObjectListsShown && objectList.match(m.Text).hasMatch())
            continue;
        if (const QString wrong = ForbiddenInMessage(m.Caption + QLatin1Char('\n') + m.Text, tables_); !wrong.isEmpty())
            fault(QStringLiteral("the box \"%1\" shows %2").arg(m.Text, wrong));
    }
    for (; inputsSeen_ < responder_.Inputs.size(); ++inputsSeen_) {
        const TInputRequest &in = responder_.Inputs[inputsSeen_];
        if (const QString wrong = ForbiddenInMessage(in.Caption + QLatin1Char('\n') + in.Prompt, tables_);
            !wrong.isEmpty())
            fault(QStringLiteral("the question \"%1\" shows %2").arg(in.Prompt, wrong));
    }
    for (const QString &c : TQtComplaints::Take())
        fault(QStringLiteral("Qt: %1").arg(c));
    // The program's event loop still answers.
    bool answered = false;
    QTimer::singleShot(0, qApp, [&answered] { answered = true; });
    for (int i = 0; i < 100 && !answered; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!answered)
        fault(QStringLiteral("the event loop does not answer"));
}

TQtComplaints::TQtComplaints()
{
    complaints().clear();
    previousHandler = qInstallMessageHandler(collectComplaint);
}

TQtComplaints::~TQtComplaints()
{
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}

QStringList TQtComplaints::Take()
{
    QStringList taken;
    taken.swap(complaints());
    return taken;
}
