#include "WorkstationDriver.h"

#include "tests/common/HostileCorpus.h"
#include "dispatch/DMExp.h"
#include "material/DMMTZ.h"
#include "production/DMOdv.h"
#include "production/DMVyk.h"
#include "production/DMVyroba.h"
#include "sales/DMOdbyt.h"
#include "sales/FormZakazkaDetHl.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/os/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const char *stateName(TDataSetState state)
{
    switch (state) {
    case dsBrowse:
        return "browse";
    case dsEdit:
        return "edit";
    case dsInsert:
        return "insert";
    default:
        return "inactive";
    }
}

TxTable &items()
{
    return DMOdbyt->QZakazkyD;
}

} // namespace

WorkstationDriver::WorkstationDriver(TTestResponder &responder) : responder_(responder) {}

WorkstationDriver::~WorkstationDriver() = default;

QString WorkstationDriver::OneLine(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

QStringList WorkstationDriver::Run(const QString &line)
{
    responder_.Messages.clear();
    QString result;
    // Each step runs as a button of the program does: an error is shown in a box and the program goes on.
    bool ok = Guarded([&] { result = runCommand(line.split(QLatin1Char(' '), Qt::SkipEmptyParts)); });
    QApplication::processEvents();
    QStringList reply;
    for (const QString &text : responder_.Texts())
        if (!reply.contains(QStringLiteral("box ") + OneLine(text)))
            reply << QStringLiteral("box ") + OneLine(text);
    // A step the program answered with an error box ended without its result.
    if (ok && result.startsWith(QLatin1String("!"))) {
        ok = false;
        result = result.mid(1);
    }
    if (!ok && result.isEmpty() && !responder_.Messages.isEmpty())
        result = responder_.Messages.last().Text;
    reply << (ok ? QStringLiteral("ok ") : QStringLiteral("error ")) + OneLine(result);
    return reply;
}

QString WorkstationDriver::runCommand(const QStringList &w)
{
    const QString command = w.value(0);
    const auto number = [&](int i) { return w.value(i).toInt(); };
    if (command == QLatin1String("id"))
        return SelectValueParams(QStringLiteral("select current_connection from rdb$database")).toString();
    if (command == QLatin1String("commit")) {
        // The end of a save held open by "book ... hold", or what the idle timer does after a pause.
        if (save_) {
            save_->Commit();
            save_.reset();
        }
        DMZal->DBTransaction.Settle(true);
        return QString();
    }
    if (command == QLatin1String("open-item") && w.size() == 2)
        return openItem(number(1));
    if (command == QLatin1String("type") && w.size() >= 2)
        return typeInto(w[1], w.mid(2).join(QLatin1Char(' ')));
    if (command == QLatin1String("save-item"))
        return saveItem();
    if (command == QLatin1String("close-item"))
        return closeItem();
    if (command == QLatin1String("item") && w.size() == 2)
        return itemField(w[1]);
    if (command == QLatin1String("shown") && w.size() == 2)
        return shownText(w[1]);
    if (command == QLatin1String("plan") && w.size() == 3)
        return plan(number(1), w[2]);
    if (command == QLatin1String("begin-order") && w.size() == 2)
        return beginOrder(number(1));
    if (command == QLatin1String("save-order"))
        return saveRow(DMOdbyt->QvZakazky, QStringLiteral("C_OBJ"));
    if (command == QLatin1String("begin-job") && w.size() == 4)
        return beginJob(w[1], w[2], number(3));
    if (command == QLatin1String("save-job"))
        return saveRow(items(), QStringLiteral("C_INT"));
    if (command == QLatin1String("begin-movement") && w.size() == 5)
        return beginMovement(number(1), w[2], w[3], w[4].toDouble());
    if (command == QLatin1String("set-movement") && w.size() == 3) {
        // A value corrected in the movement dialog before "Zapíš".
        DMMTZ->QMPohyby.FieldByName(w[1])->SetValue(w[2]);
        return QString();
    }
    if (command == QLatin1String("save-movement")) {
        try {
            DMMTZ->PostMovementWithSign();
        } catch (...) {
            DMMTZ->QMPohyby.Cancel();
            throw;
        }
        return DMMTZ->QMPohyby.FieldByName(QStringLiteral("C_DOKLADU"))->AsString();
    }
    if (command == QLatin1String("begin-offer") && w.size() == 2)
        return beginOffer(number(1));
    if (command == QLatin1String("save-offer"))
        return saveRow(DMOdbyt->QCenPon, QStringLiteral("C_OBJ"));
    if (command == QLatin1String("hand-over") && w.size() == 3) {
        beginHandOver(number(1), number(2));
        return saveRow(DMOdv->QvSOdvody, QStringLiteral("C_DOKLADU"));
    }
    if (command == QLatin1String("begin-hand-over") && w.size() == 3)
        return beginHandOver(number(1), number(2));
    if (command == QLatin1String("set-hand-over") && w.size() == 3) {
        // A value typed over the hand-over's proposal before "Zapíš".
        DMOdv->QvSOdvody.FieldByName(w[1])->SetValue(w[2]);
        return QString();
    }
    if (command == QLatin1String("save-hand-over"))
        return saveRow(DMOdv->QvSOdvody, QStringLiteral("C_DOKLADU"));
    if (command == QLatin1String("note") && w.size() == 3)
        return deliveryNote(number(1), number(2));
    if (command == QLatin1String("propose-invoice") && w.size() == 2)
        return proposeInvoice(number(1));
    if (command == QLatin1String("save-invoice") && w.size() == 2) {
        DMExp->StoreInvoiceNumber(w[1], proposedInvoice_);
        proposedInvoice_.clear();
        return DMExp->QEDListy.FieldByName(QStringLiteral("C_FAKTURY"))->AsString().trimmed();
    }
    if (command == QLatin1String("book") && w.size() == 7)
        return book(number(1), number(2), number(3), number(4), number(5), w[6] == QLatin1String("commit"));
    throw std::invalid_argument("unknown command");
}

// A new order of the customer begun as "&Nová" begins it: its number proposed when it opens.
QString WorkstationDriver::beginOrder(int customer)
{
    TxTable &orders = DMOdbyt->QvZakazky;
    if (!orders.Active())
        orders.Open();
    orders.Append();
    orders.FieldByName(QStringLiteral("C_ODB"))->SetValue(customer);
    return orders.FieldByName(QStringLiteral("C_OBJ"))->AsString().trimmed();
}

// "Zapíš" of the row begun: the number it was stored under.
QString WorkstationDriver::saveRow(TDataSet &rows, const QString &key)
{
    try {
        rows.Post();
    } catch (...) {
        if (rows.State() == dsInsert || rows.State() == dsEdit)
            rows.Cancel();
        throw;
    }
    return rows.FieldByName(key)->AsString().trimmed();
}

// A new job of the order for the product, its number proposed when it opens.
QString WorkstationDriver::beginJob(const QString &order, const QString &product, int quantity)
{
    DMOdbyt->QuickSearchOrders(QStringLiteral("C_OBJ"), order);
    if (!DMOdbyt->QvZakazky.Locate(QStringLiteral("C_OBJ"), order))
        return QStringLiteral("!no order ") + order;
    if (!items().Active())
        items().Open();
    items().Append();
    items().FieldByName(QStringLiteral("C_VYR"))->SetValue(product);
    items().FieldByName(QStringLiteral("MNOZ_OBJ"))->SetValue(quantity);
    return items().FieldByName(QStringLiteral("C_INT"))->AsString();
}

// A new offer of the customer begun as "&Nová" begins it: its number proposed when it opens.
QString WorkstationDriver::beginOffer(int customer)
{
    TxTable &offers = DMOdbyt->QCenPon;
    if (!offers.Active())
        offers.Open();
    offers.Append();
    offers.FieldByName(QStringLiteral("C_ODB"))->SetValue(customer);
    return offers.FieldByName(QStringLiteral("C_OBJ"))->AsString().trimmed();
}

// Pieces of the job to be handed over to the finished-goods store as the hand-overs' "&Nová", job and
// quantity begin them (dated today, the first centre and store): the document number proposed.
QString WorkstationDriver::beginHandOver(int job, int pieces)
{
    TxDataSet &q = DMOdv->QvSOdvody;
    if (!q.Active())
        DMOdv->FilterList(job, 0, QDate());
    q.Append();
    q.FieldByName(QStringLiteral("STREDISKO"))->SetValue(TDMOdv::Centres().value(0));
    q.FieldByName(QStringLiteral("SKLAD"))->SetValue(TDMOdv::FinishedGoodsStores().value(0));
    try {
        q.FieldByName(QStringLiteral("C_INT"))->SetValue(job);
        q.FieldByName(QStringLiteral("MNOZSTVO"))->SetValue(pieces);
    } catch (...) {
        q.Cancel();
        throw;
    }
    return q.FieldByName(QStringLiteral("C_DOKLADU"))->AsString();
}

// A delivery note of the job with one line of its pieces, as the hand-overs' "Vystav DL" makes it: the
// note's number.
QString WorkstationDriver::deliveryNote(int job, int pieces)
{
    const int note = DMExp->NewDeliveryNoteForJob(job, 1);
    if (note == 0)
        return QStringLiteral("!no job %1").arg(job);
    const QString product =
        SelectValueParams(QStringLiteral("select C_VYR from ZAKAZKYD where C_INT = :c_int"), {job}).toString();
    DMExp->AddDeliveryNoteLine(TDMOdv::FinishedGoodsStores().value(0), product, job, pieces, 1);
    return QString::number(note);
}

// The note chosen in the browser and "&Faktúra": the number the invoice dialog proposes.
QString WorkstationDriver::proposeInvoice(int note)
{
    DMExp->SelectNotes(2, QString::number(note));
    if (DMExp->QEDListy.IsEmpty())
        return QStringLiteral("!no note %1").arg(note);
    proposedInvoice_ = TDMExp::ProposedInvoiceNumber();
    return proposedInvoice_;
}

// A new stock movement of today with its document number drawn ("Doklad" in the movement dialog).
QString WorkstationDriver::beginMovement(int kind, const QString &store, const QString &item, double quantity)
{
    TxTable &m = DMMTZ->QMPohyby;
    if (!m.Active())
        m.SetFilterAndOpen(QStringLiteral("datum=CURRENT_DATE"));
    m.Append();
    m.FieldByName(QStringLiteral("DATUM"))->SetValue(Date());
    m.FieldByName(QStringLiteral("TYP_POHYBU"))->SetValue(kind);
    m.FieldByName(QStringLiteral("SKLAD"))->SetValue(store);
    m.FieldByName(QStringLiteral("C_POL"))->SetValue(item);
    m.FieldByName(QStringLiteral("MNOZSTVO"))->SetValue(quantity);
    DMMTZ->NextStockDocumentNumber();
    return m.FieldByName(QStringLiteral("C_DOKLADU"))->AsString();
}

// The orders browser positioned on the job's order, the job chosen among its items, "&Oprav": the item in
// edit under its dialog.
QString WorkstationDriver::openItem(int job)
{
    const QString order = SelectValueParams(QStringLiteral("select C_OBJ from ZAKAZKYD where C_INT = :c_int"), {job})
                              .toString()
                              .trimmed();
    DMOdbyt->QuickSearchOrders(QStringLiteral("C_OBJ"), order);
    if (!DMOdbyt->QvZakazky.Locate(QStringLiteral("C_OBJ"), order))
        return QStringLiteral("!no order ") + order;
    if (!items().Active())
        items().Open();
    if (!items().Locate(QStringLiteral("C_INT"), job))
        return QStringLiteral("!no item %1").arg(job);
    items().Edit();
    dialog_ = std::make_unique<TFormZakazkaDetHl>();
    dialog_->show();
    QApplication::processEvents();
    return QString();
}

QWidget *WorkstationDriver::control(const QString &field)
{
    if (!dialog_)
        throw std::logic_error("no item dialog");
    auto *w = dialog_->findChild<QWidget *>(QStringLiteral("DBe") + field);
    if (!w)
        throw std::logic_error("no control of the field");
    return w;
}

// The text typed over the control's text, key by key, and the control left with Tab.
QString WorkstationDriver::typeInto(const QString &field, const QString &text)
{
    QWidget *edit = control(field);
    QApplication::setActiveWindow(dialog_.get());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    TypeText(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    return QString();
}

// "&Zapíš": closed with OK, the browser reads the item again as after a dialog; a refusal leaves the dialog
// open with what was typed.
QString WorkstationDriver::saveItem()
{
    if (!dialog_)
        throw std::logic_error("no item dialog");
    QTest::mouseClick(dialog_->BtnZapis, Qt::LeftButton);
    QApplication::processEvents();
    if (dialog_->ModalResult() != mrOk)
        return QStringLiteral("!") + responder_.Texts().join(QLatin1Char('\n'));
    dialog_.reset();
    items().Refresh();
    return QString();
}

// "&Nezapíš": the caller cancels the row.
QString WorkstationDriver::closeItem()
{
    if (dialog_)
        QTest::mouseClick(dialog_->BtnNezapis, Qt::LeftButton);
    dialog_.reset();
    items().Cancel();
    return QString();
}

QString WorkstationDriver::itemField(const QString &field)
{
    return QString::fromLatin1(stateName(items().State())) + QLatin1Char(' ') +
           items().FieldByName(field)->AsString().trimmed();
}

QString WorkstationDriver::shownText(const QString &field)
{
    auto *edit = qobject_cast<QLineEdit *>(control(field));
    return edit ? edit->text() : QString();
}

// The capacity plan's "plan this job forwards from the day" as its form runs it.
QString WorkstationDriver::plan(int job, const QString &start)
{
    TPlanningRequest request;
    request.Direction = 1;
    request.C_INT = job;
    request.Start = QDate::fromString(start, Qt::ISODate);
    if (!DMVyroba->Planning.RunCapacityPlanning(request))
        return QStringLiteral("!") + responder_.Texts().join(QLatin1Char('\n'));
    return QString();
}

// Performances booked one by one as the employee page takes them (a new row, the employee, job, batch and
// operation as scanned, the quantity and hours typed, "Zapíš"): one piece in HoursEach each, dated today,
// shift 1. With commitEach
// every booking is committed as the idle timer would between scans; otherwise they stay open.
QString WorkstationDriver::book(int osc, int job, int operation, int firstBatch, int count, bool commitEach)
{
    TxDataSet &q = DMVyk->QvSVykony;
    if (!q.Active())
        q.Open();
    // Held bookings stand for a save still under way: written, not yet committed (a save the connection
    // lost is gone with it).
    if (!commitEach && !save_)
        save_.emplace(&DMZal->DBTransaction);
    int booked = 0;
    for (int i = 0; i < count; ++i) {
        try {
            q.Append();
            q.FieldByName(QStringLiteral("DATUM"))->SetValue(Date());
            q.FieldByName(QStringLiteral("ZMENA"))->SetValue(1);
            q.FieldByName(QStringLiteral("OSC"))->SetValue(osc);
            q.FieldByName(QStringLiteral("C_INT"))->SetValue(job);
            q.FieldByName(QStringLiteral("C_DAVKY"))->SetValue(firstBatch + i);
            q.FieldByName(QStringLiteral("C_OPERACIE"))->SetValue(operation);
            q.FieldByName(QStringLiteral("MNOZSTVO"))->SetValue(1);
            q.FieldByName(QStringLiteral("OHOD"))->SetValue(HoursEach);
            q.Post();
        } catch (...) {
            // "Nezapíš" after the error: the next booking starts on a new row.
            if (q.State() == dsInsert)
                q.Cancel();
            throw;
        }
        ++booked;
    }
    return QString::number(booked);
}
