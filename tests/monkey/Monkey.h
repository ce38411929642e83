// A monkey at the program's windows: random but plausible input from a seed, as a person gives it by keys
// and clicks, in a window and in every modal window it opens. After every step it checks what must always
// hold and keeps what it finds; the steps taken are kept so that a run can be told and run again exactly.
#pragma once

#include "platform/ui/Dialogs.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <random>

// The boxes and questions of the program answered at random from the monkey's seed.
class TMonkeyResponder : public TTestResponder {
public:
    explicit TMonkeyResponder(std::mt19937 &random) : random_(random) {}
    int Message(const TMessageRequest &request) override;
    bool Input(const TInputRequest &request, QString &value) override;

private:
    std::mt19937 &random_;
};

// What a message box may not show: the engine's English, a raw error code, an internal name (a column, a
// table, a data set, a class) or a placeholder left unfilled. Empty when the text is clean, else what is wrong.
QString ForbiddenInMessage(const QString &text, const QStringList &tableNames);

class TMonkey {
public:
    // The tables and views of the database, whose names a message must not show.
    TMonkey(std::mt19937 &random, TMonkeyResponder &responder, QStringList tableNames);

    // Acts in the window until it closes or the steps are spent, then closes it if it is still open.
    void ActIn(QWidget *window, int steps);

    int StepsTaken() const { return int(Log.size()); }
    // Whether the texts of boxes and questions are checked.
    bool CheckTexts = true;
    // Whether a box may list the database's objects by name (the administrator's list of a user's rights).
    bool ObjectListsShown = false;
    // One line per step: the window and what was done.
    QStringList Log;
    // What broke what must hold, each with the step it came after.
    QStringList Faults;

private:
    void actIn(QWidget *window, int steps, int depth);
    void watchNested(QWidget *window, int depth);
    // One random step in the window; returns what it did.
    QString step(QWidget *window);
    // A random action; empty when the window has nothing it acts on.
    QString tryStep(QWidget *window);
    QString typeText(QWidget *target);
    QString clickButton(QWidget *window);
    QString clickGrid(QWidget *window);
    QString clickTab(QWidget *window);
    QString altLetter(QWidget *window, QWidget *target);
    // Escape first; then the window's own cancel; then closed past its questions.
    void closeWindow(QWidget *window);
    void check(const QString &done);
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::mt19937 &random_;
    TMonkeyResponder &responder_;
    QStringList tables_;
    qsizetype messagesSeen_ = 0;
    qsizetype inputsSeen_ = 0;
    int budget_ = 0;
};

// Qt's complaints that mean a broken window (a recursive repaint or modal loop, a dead editor, a deleted
// object used), collected while it lives.
class TQtComplaints {
public:
    TQtComplaints();
    ~TQtComplaints();
    // The complaints since the last call.
    static QStringList Take();
};
