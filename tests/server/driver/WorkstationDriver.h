// One program instance for the tests of several workstations: the data modules of a connected base module,
// driven one command line at a time, each answered with the boxes it showed and one "ok"/"error" line.
// A save is committed by itself; "book ... hold" keeps its bookings under a save still under way until the
// command "commit", so a test decides how long written rows stay open.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

#include "platform/fb/IBDatabase.h"

class QWidget;
class TFormZakazkaDetHl;
class TTestResponder;
class TDataSet;

class WorkstationDriver {
public:
    explicit WorkstationDriver(TTestResponder &responder);
    ~WorkstationDriver();

    // Runs one command line; returns the reply lines: "box <text>" for each box shown (repeats dropped),
    // then "ok <result>" or "error <message>". Line breaks inside a text are written as "\n".
    QStringList Run(const QString &line);

    // The hours worked that each booking of "book" carries.
    static constexpr double HoursEach = 0.01;

    // Escapes a text for one reply line.
    static QString OneLine(const QString &text);

private:
    QString runCommand(const QStringList &words);
    QString openItem(int job);
    QString typeInto(const QString &field, const QString &text);
    QString saveItem();
    QString closeItem();
    QString itemField(const QString &field);
    QString shownText(const QString &field);
    QString plan(int job, const QString &start);
    QString beginOrder(int customer);
    QString saveRow(TDataSet &rows, const QString &key);
    QString beginJob(const QString &order, const QString &product, int quantity);
    QString beginMovement(int kind, const QString &store, const QString &item, double quantity);
    QString book(int osc, int job, int operation, int firstBatch, int count, bool commitEach);
    QString beginOffer(int customer);
    QString beginHandOver(int job, int pieces);
    QString deliveryNote(int job, int pieces);
    QString proposeInvoice(int note);
    QWidget *control(const QString &field);

    TTestResponder &responder_;
    std::unique_ptr<TFormZakazkaDetHl> dialog_;
    std::optional<TSavepoint> save_;
    // The invoice number the dialog proposed for the note chosen, until its "save-invoice".
    QString proposedInvoice_;
};
