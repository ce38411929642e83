// The delivery-note operations of TDMExp: take-over of jobs, stock checks, loading a job into a line,
// the operations the hand-overs call, printing and closing the delivered jobs.
#include "DMExp.h"

#include "EDListQRRep.h"
#include "ExpSql.h"
#include "InvoiceExport.h"
#include "library/QTlacForm.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "shell/CisZakForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <QHash>

namespace {

TField *field(TDataSet *ds, const char *name)
{
    return ds->FieldByName(QString::fromLatin1(name));
}

// Sets the data set's program-fill flag for the scope.
class TFillFlag {
public:
    explicit TFillFlag(TDataSet &ds) : ds_(ds), saved_(ds.Tag) { ds_.Tag = 1; }
    ~TFillFlag() { ds_.Tag = saved_; }
    TFillFlag(const TFillFlag &) = delete;
    TFillFlag &operator=(const TFillFlag &) = delete;

private:
    TDataSet &ds_;
    int saved_;
};

// A scratch query of this module's own, so that the rules may run while any shared query is in use.
TxQuery *openOwn(const QString &name, const QString &sql, const QVariantList &params)
{
    return OpenQuery(sql, params, name);
}

} // namespace

void TDMExp::TakeOverJobLines(const QString &sql, const QVariant &value, const QString &question)
{
    if (QEDListy.Tag == 1)
        return;
    TxQuery *jobs = openOwn(QStringLiteral("QExpTakeOver"), sql, {value});
    if (!jobs->IsEmpty()) {
        TFillFlag flag(QEDListy);
        if (QEDListy.State() == dsBrowse)
            QEDListy.Edit();
        QEDListy.CopyFieldValues(jobs);
    }
    if (!QEDListyD.Active() || !Confirm(question, QString::fromUtf8("Položky Dodacieho listu")))
        return;
    TFillFlag flag(QEDListyD);
    // What the lines appended in this take-over already took of each product's stock.
    QHash<QString, int> taken;
    for (jobs->First(); !jobs->Eof(); jobs->Next()) {
        int rest = field(jobs, "MNOZ_OBJ")->AsInteger() - field(jobs, "MNOZ_DOD")->AsInteger();
        if (rest <= 0)
            continue;
        const QString product = field(jobs, "C_VYR")->AsString().trimmed();
        const int available = field(jobs, "MNOZ_SKL")->AsInteger() - taken.value(product);
        if (rest > available) {
            ShowError(QString::fromUtf8("Výrobok ") + product + QString::fromUtf8(" zo zákazky ") +
                      field(jobs, "C_INT")->AsString() +
                      QString::fromUtf8(" nie je na sklade v dostatočnom množstve !"));
            rest = available;
        }
        if (rest > 0) {
            QEDListyD.Append();
            QEDListyD.CopyFieldValues(jobs);
            field(&QEDListyD, "MNOZ_VYR")->SetValue(rest);
            QEDListyD.Post();
            taken[product] += rest;
        }
    }
}

bool TDMExp::LocateFinishedGoodsStock(TField *product, TField *store)
{
    const QString cVyr = product->AsString().trimmed();
    TxQuery &q = QESklad;
    if (!(q.Active() && !q.IsEmpty() && field(&q, "C_POL")->AsString().trimmed() == cVyr)) {
        q.Close();
        q.SetWhere(ExpSql::StockOfProductCondition);
        q.ParamByName(QStringLiteral("typ_skladu")).SetValue(QStringLiteral("V"));
        q.ParamByName(QStringLiteral("kdatumu")).SetValue(Now().date());
        q.ParamByName(QStringLiteral("C_POL")).SetValue(cVyr);
        q.Open();
        stockDate_ = Now().date();
        q.First();
    }
    if (q.Eof()) {
        ShowError(QString::fromUtf8("Výrobok č. ") + cVyr + QString::fromUtf8(" nie je na sklade !"));
        return false;
    }
    const QString wantedStore = store->IsNull() ? QString() : store->AsString().trimmed();
    while (!q.Eof()) {
        if (field(&q, "C_POL")->AsString().trimmed() != cVyr)
            break;
        if ((store->IsNull() || field(&q, "SKLAD")->AsString().trimmed() == wantedStore) &&
            field(&q, "MNOZSTVO")->AsInteger() > 0)
            break;
        q.Next();
    }
    if (q.Eof())
        q.Last(); // on the last row, at the end: the next check of the product without a reopen fails
    return true;
}

void TDMExp::EDListyDC_VYRChange(TField *f)
{
    TDataSet *ds = f->DataSet();
    if (!LocateFinishedGoodsStock(f, field(ds, "SKLAD")))
        return;
    field(ds, "SKLAD")->SetValue(field(&QESklad, "SKLAD")->Value());
    field(ds, "NAZOV")->SetValue(field(&QESklad, "NAZOV")->Value());
    field(ds, "VAHA1")->SetValue(field(&QESklad, "VAHA1")->Value());
}

void TDMExp::EDListyDMNOZ_VYRChange(TField *f)
{
    TDataSet *ds = f->DataSet();
    if (!LocateFinishedGoodsStock(field(ds, "C_VYR"), field(ds, "SKLAD")))
        return;
    const double stock = field(&QESklad, "MNOZSTVO")->AsFloat();
    if (f->AsFloat() > stock)
        ShowError(Format(QString::fromUtf8("Na sklade je len %g ks\r\nvýrobku %s !"),
                         {stock, field(&QESklad, "C_POL")->AsString().trimmed()}));
}

void TDMExp::LoadJobIntoLine(TField *f)
{
    TDataSet *ds = f->DataSet();
    if (f->IsNull() || ds->Tag == 1)
        return;
    const int job = f->AsInteger();
    TxQuery *q = openOwn(QStringLiteral("QExpJob"), ExpSql::JobForLine, {job});
    if (q->IsEmpty()) {
        // Nothing of the job the line named before stays beside the new number.
        std::vector<TField *> copied;
        for (const char *name :
             {"C_VYR", "NAZOV", "VAHA1", "KOEF_MAT", "KOEF_DOP", "CENA_KURZ1", "NAKL1", "MIM1", "MNOZ_VYR"})
            copied.push_back(ds->FindField(QString::fromLatin1(name)));
        ForgetFormerJob(f, copied,
                        Format(QString::fromUtf8("Zákazka č. %d neexistuje alebo nemá kalkuláciu !"), {job}));
    }
    if (field(q, "STAV_ZAK")->AsInteger() >= 100)
        ShowError(QString::fromUtf8("Zákazka je už ukončená alebo stornovaná."));
    const int ordered = field(q, "MNOZ_OBJ")->AsInteger();
    const int delivered = field(q, "MNOZ_DOD")->AsInteger();
    const int stock = field(q, "MNOZ_SKL")->AsInteger();
    static_cast<TxDataSet *>(ds)->CopyFieldValues(q);
    field(ds, "MNOZ_VYR")->SetValue(std::max(0, std::min(ordered - delivered, stock)));
}

QString TDMExp::AddDeliveryNoteLine(const QString &sklad, const QString &cVyr, int cInt, int quantity, double cenaKurz1)
{
    if (!QEDListyD.Active())
        QEDListyD.Open();
    bool found = false;
    for (QEDListyD.First(); !QEDListyD.Eof(); QEDListyD.Next()) {
        if (field(&QEDListyD, "C_VYR")->AsString().trimmed() == cVyr.trimmed() &&
            field(&QEDListyD, "C_INT")->AsInteger() == cInt) {
            found = true;
            break;
        }
    }
    if (found) {
        QEDListyD.Edit();
        field(&QEDListyD, "MNOZ_VYR")->SetValue(field(&QEDListyD, "MNOZ_VYR")->AsInteger() + quantity);
    } else {
        TFillFlag flag(QEDListyD);
        QEDListyD.Append();
        field(&QEDListyD, "SKLAD")->SetValue(sklad);
        field(&QEDListyD, "C_INT")->SetValue(cInt);
        field(&QEDListyD, "C_VYR")->SetValue(cVyr);
        field(&QEDListyD, "MNOZ_VYR")->SetValue(quantity);
        field(&QEDListyD, "CENA_KURZ1")->SetValue(cenaKurz1);
        // The line issues the goods from the store at the job's cost, as a line taken over from the job does;
        // the price stays as passed.
        TxQuery *costs = openOwn(QStringLiteral("QExpJob"), ExpSql::JobCosts, {cInt});
        if (!costs->IsEmpty())
            QEDListyD.CopyFieldValues(costs);
    }
    QEDListyD.Post();
    ApplyLines();
    return field(&QEDListyD, "NAZOV")->AsString().trimmed() + QStringLiteral(" - ") +
           field(&QEDListyD, "MNOZ_VYR")->AsString() + QStringLiteral("ks");
}

int TDMExp::NewDeliveryNoteForJob(int cInt, double kurz)
{
    QEDListyD.Close();
    QEDListy.Close();
    TStringList &sql = QEDListy.SelectSQL;
    while (sql.Count() < 3)
        sql.Add(QString());
    sql.SetStrings(2, QStringLiteral("where c_dl=0"));
    QEDListy.Open();
    QEDListy.Append();
    TxQuery *q = openOwn(QStringLiteral("QExpJob"), ExpSql::JobHeader, {cInt});
    int rows = 0;
    for (q->First(); !q->Eof() && rows < 2; q->Next())
        ++rows;
    if (rows != 1) {
        QEDListy.Cancel();
        return 0;
    }
    q->First();
    {
        TFillFlag flag(QEDListy);
        QEDListy.CopyFieldValues(q);
        field(&QEDListy, "KURZ")->SetValue(kurz);
        QEDListy.Post();
    }
    return field(&QEDListy, "C_DL")->AsInteger();
}

TEDListQRRep *TDMExp::PrepareDeliveryNote(int cDl, int mode)
{
    if (!report_)
        CreateReport(report_, &CompanyList);
    QString label = QStringLiteral("''");
    QString factor = QStringLiteral("0");
    if (mode == pmHomeCurrency) {
        label = QStringLiteral("'%1'").arg(
            QString(FormatSettings().CurrencyString).replace(QLatin1Char('\''), QStringLiteral("''")));
        factor = QStringLiteral("1");
    } else if (mode == pmNoteCurrency) {
        label = QStringLiteral("e.mena");
        factor = QStringLiteral("KURZ");
    }
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SQL().SetText(ExpSql::DeliveryNotePrint(label, factor));
    q.ParamByName(QStringLiteral("c_dl")).SetValue(cDl);
    q.Open();
    report_->setDataSet(&q);
    return report_;
}

void TDMExp::PrintDeliveryNote(int cDl, int mode)
{
    PrintReport(PrepareDeliveryNote(cDl, mode));
    CloseDeliveredJobs(cDl);
}

void TDMExp::CloseDeliveredJobs(int cDl)
{
    TxQuery *q = OpenQuery(ExpSql::JobsToClose, {cDl, int(stUkoncena)}, QStringLiteral("Q"));
    for (q->First(); !q->Eof(); q->Next()) {
        const QString job = field(q, "C_INT")->AsString();
        const int ordered = field(q, "MNOZ_OBJ")->AsInteger();
        const int delivered = field(q, "MNOZ_DOD")->AsInteger();
        const int state = field(q, "STAV_ZAK")->AsInteger();
        if (ordered > delivered) {
            MessageDlg(QString::fromUtf8("Na zákazke č.") + job + QString::fromUtf8(" je objednaných ") +
                           QString::number(ordered) + QStringLiteral(" ks ") + QString::fromUtf8(" výrobku č.") +
                           field(q, "C_VYR")->AsString().trimmed() + QStringLiteral(",\r\n") +
                           QString::fromUtf8("ale dodaných je zatiaľ len ") + QString::number(delivered) +
                           QStringLiteral(" ks"),
                       mtCustom, mbOK);
            continue;
        }
        if (state < stOdvedena &&
            !Confirm(QString::fromUtf8("Zákazka č.") + job +
                         QString::fromUtf8(" nie je označená ako \"Odvedená\".\r\nMôže sa označiť ako \"Ukončená\" ?"),
                     QString::fromUtf8("Otázka")))
            continue;
        DMZal->SetOrderState(field(q, "C_INT")->AsInteger(), stUkoncena);
    }
    q->Close();
}

// ---------------------------------------------------------------- invoices

QString TDMExp::ProposedInvoiceNumber()
{
    return ProposeInvoiceNumber(CisloFa.trimmed().isEmpty() ? QStringLiteral("yyyy\"/\"") : CisloFa);
}

void TDMExp::StoreInvoiceNumber(const QString &number, const QString &proposed)
{
    QEDListy.Edit();
    try {
        if (!proposed.isEmpty() && number == proposed)
            InvoiceNumber.Propose(
                &QEDListy, [] { return QVariant(ProposedInvoiceNumber()); }, proposed);
        else
            QEDListy.FieldByName(QStringLiteral("C_FAKTURY"))->SetValue(number.isEmpty() ? QVariant() : number);
        QEDListy.Post();
    } catch (...) {
        QEDListy.Cancel();
        throw;
    }
}
