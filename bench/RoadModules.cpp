#include "RoadModules.h"

#include "dispatch/DMExp.h"
#include "dispatch/InvoiceExport.h"
#include "platform/db/SqlWait.h"
#include "platform/os/Clock.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/Dialogs.h"
#include "production/DMOdv.h"
#include "production/DMVyk.h"
#include "production/DMVyroba.h"
#include "sales/DMOdbyt.h"
#include "sales/DMTPV.h"
#include "sales/OrderDocuments.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "shell/MenuHooks.h"

#include <QDir>
#include <cstdio>
#include <stdexcept>

// Answers every question yes and every box OK; errors are printed, the first few only.
class TRoadResponder : public TMessageResponder {
public:
    TRoadResponder() : previous_(&MessageResponder()) { SetMessageResponder(this); }
    ~TRoadResponder() override { SetMessageResponder(previous_ == this ? nullptr : previous_); }
    int Message(const TMessageRequest &request) override
    {
        if (request.Type == mtError && ++errors_ <= 5)
            std::fprintf(stderr, "road_bench: %s\n", qPrintable(request.Text.simplified()));
        return (request.Buttons & mbYes) ? mrYes : mrOk;
    }
    bool Input(const TInputRequest &, QString &) override { return false; }
    QString File(const TFileRequest &, QString &) override { return QString(); }

private:
    TMessageResponder *previous_;
    int errors_ = 0;
};

namespace {

TField *field(TDataSet &ds, const char *name)
{
    return ds.FieldByName(QString::fromLatin1(name));
}

void require(bool ok, const char *what)
{
    if (!ok)
        throw std::runtime_error(what);
}

} // namespace

TRoadModules::TRoadModules(const QString &folder) : folder_(folder), responder_(std::make_unique<TRoadResponder>())
{
    zal_ = std::make_unique<TDMZal>(QDir(folder).filePath(QStringLiteral("tarvis")));
    zal_->ConnectDatabase();
    if (!Connected()) {
        std::fprintf(stderr, "road_bench: no connection\n");
        return;
    }
    if (DPH.trimmed().isEmpty())
        DPH = Road::VatRate();
    cis_ = std::make_unique<TDMCis>();
    tpv_ = std::make_unique<TDMTPV>();
    odbyt_ = std::make_unique<TDMOdbyt>();
    vyroba_ = std::make_unique<TDMVyroba>();
    vyk_ = std::make_unique<TDMVyk>();
    odv_ = std::make_unique<TDMOdv>();
    exp_ = std::make_unique<TDMExp>();
    // A report "printed" is one produced: what follows its print runs, without laying out a page.
    ModuleHooks().ShowReport = [](TQuickRep *report) {
        if (report->AfterPrint)
            report->AfterPrint(report);
    };
    SetSqlWaitHook([this](bool busy) {
        if (busy)
            ++statements_;
    });
}

TRoadModules::~TRoadModules()
{
    SetSqlWaitHook(nullptr);
    ModuleHooks().ShowReport = nullptr;
    exp_.reset();
    odv_.reset();
    vyk_.reset();
    vyroba_.reset();
    odbyt_.reset();
    tpv_.reset();
    cis_.reset();
    zal_.reset();
}

bool TRoadModules::Connected() const
{
    return zal_ && zal_->DBZAL.Connected();
}

void TRoadModules::Order(int order)
{
    header(order);
    const int jobs[2] = {item(order, 0), item(order, 1)};
    if (firstJob_ == 0)
        firstJob_ = jobs[0];
    for (const int job : jobs) {
        calculate(job);
        PrintInternalOrder(job);
        confirm(job);
    }
    TPlanningRequest plan;
    plan.Start = Date();
    require(vyroba_->Planning.RunCapacityPlanning(plan), "the capacity plan failed");
    for (const int job : jobs) {
        book(job);
        handOver(job);
    }
    invoice(deliver(order, jobs));
}

void TRoadModules::header(int order)
{
    TxTable &h = odbyt_->QvZakazky;
    if (!h.Active())
        odbyt_->OpenRecentOrders();
    h.Append();
    field(h, "C_ODB")->SetValue(Road::Customer(order));
    h.Post();
}

int TRoadModules::item(int order, int n)
{
    TxTable &d = odbyt_->QZakazkyD;
    d.Append();
    field(d, "C_VYR")->SetValue(Road::Product(order, n));
    field(d, "TERMIN_OBJ")->SetValue(Date().addDays(60));
    field(d, "MNOZ_OBJ")->SetValue(Road::Pieces);
    field(d, "MNOZ_VYR")->SetValue(Road::Pieces);
    const int job = field(d, "C_INT")->AsInteger();
    d.Post();
    return job;
}

void TRoadModules::calculate(int job)
{
    odbyt_->OpenCalculation(job);
    require(odbyt_->StoreCalculation(job, false), "the calculation was not kept");
    odbyt_->CloseCalculation();
}

void TRoadModules::confirm(int job)
{
    TxTable &d = odbyt_->QZakazkyD;
    require(d.Locate(QStringLiteral("C_INT"), job), "the job is not listed");
    d.Refresh();
    require(d.Locate(QStringLiteral("C_INT"), job), "the job is not listed");
    d.Edit();
    field(d, "STAV_ZAK")->SetValue(int(stPotvrdena));
    d.Post();
}

void TRoadModules::book(int job)
{
    vyk_->FillOrderEntry(job, 0);
    TxDataSet &q = vyk_->QSVykony;
    for (q.First(); !q.Eof(); q.Next()) {
        require(vyk_->LocateOperation(&q), "an operation of the job is missing");
        const QString profession = field(vyk_->QOperacie, "PROFESIA")->AsString();
        q.Edit();
        field(q, "OSC")->SetValue(Road::Employee(profession));
        field(q, "MNOZSTVO")->SetValue(Road::Pieces);
        q.Post();
    }
    vyk_->WriteOrderEntry(0);
}

void TRoadModules::handOver(int job)
{
    odv_->FilterList(job, 0, QDate());
    TxDataSet &q = odv_->QvSOdvody;
    q.Append();
    field(q, "C_INT")->SetValue(job);
    field(q, "MNOZSTVO")->SetValue(Road::Pieces);
    field(q, "SKLAD")->SetValue(Road::Store());
    q.Post();
}

int TRoadModules::deliver(int order, const int jobs[2])
{
    const int note = exp_->NewDeliveryNoteForJob(jobs[0], 1);
    require(note != 0, "no delivery note");
    for (int n = 0; n < 2; ++n) {
        odv_->FilterList(jobs[n], 0, QDate());
        TxDataSet &h = odv_->QvSOdvody;
        exp_->AddDeliveryNoteLine(field(h, "SKLAD")->AsString(), Road::Product(order, n), jobs[n],
                                  field(h, "MNOZSTVO")->AsInteger(), field(h, "CENA_KURZ1")->AsFloat());
    }
    // What printing the note does, without its print dialog: the note's rows, then its jobs closed.
    exp_->PrepareDeliveryNote(note, pmHomeCurrency);
    exp_->CloseDeliveredJobs(note);
    return note;
}

void TRoadModules::invoice(int note)
{
    const TInvoiceValues v = ReadInvoiceValues(note, DPH);
    const QString number = ProposeInvoiceNumber(Road::InvoicePrefix());
    TxDataSet &h = exp_->QEDListy;
    require(field(h, "C_DL")->AsInteger() == note, "the note is not current");
    h.Edit();
    field(h, "C_FAKTURY")->SetValue(number);
    h.Post();

    const TInvoiceExportInput in = InvoiceExportInputOf(v, DPH);
    QString error;
    require(WriteInvoiceExport(in, QDir(folder_).filePath(QStringLiteral("export.txt")), &error), "the export failed");
}

void TRoadModules::Finish()
{
    zal_->DBTransaction.Commit();
}

TRoadCounts TRoadModules::Counts() const
{
    return ReadRoadCounts(zal_->DBZAL.DatabaseName, firstJob_);
}
