#include "InvoiceExport.h"

#include "DMExp.h"
#include "ExpSql.h"
#include "library/xQuery.h"
#include "platform/os/Clock.h"
#include "platform/os/Exception.h"
#include "platform/os/Format.h"
#include "platform/os/TextFile.h"
#include "platform/os/Win1250.h"
#include "shell/Routines.h"

#include <cmath>

namespace {

TField *field(TDataSet *ds, const char *name)
{
    return ds->FieldByName(QString::fromLatin1(name));
}

QString icoText(const QVariant &ico)
{
    if (ico.isNull() || ico.toLongLong() == 0)
        return QString();
    return QStringLiteral("%1").arg(ico.toLongLong(), 8, 10, QLatin1Char('0'));
}

// One number of the dialog; false with the reason when the text is none.
bool number(const QString &text, const QString &what, double &value, QString *error)
{
    if (TryStrToFloat(text.trimmed(), value) && std::isfinite(value))
        return true;
    if (error)
        *error = QString::fromUtf8("%1 „%2“ nie je číslo. Súbor export.txt nebol zapísaný.").arg(what, text.trimmed());
    return false;
}

QString tabs(int count)
{
    return QString(count, QLatin1Char('\t'));
}

// The records of the file, each a format applied to values in order, collected as text and encoded at
// the end.
class TExportRecords {
public:
    QString Text;

    // Formats one record and appends it (its format carries its own CR LF).
    void WriteExportRecord(const QString &format, const QVariantList &values) { Text += Format(format, values); }

    void ExportCustomerRecord(TDataSet *customer)
    {
        WriteExportRecord(QStringLiteral("R00\t%s\r\n"), {QStringLiteral("T04")});
        WriteExportRecord(QStringLiteral("R01\t%s\t%s\t%s\t%s\t%s\t\t%s\r\n"),
                          {field(customer, "ODBERATEL")->AsString().trimmed(), icoText(field(customer, "ICO")->Value()),
                           field(customer, "ULICA")->AsString().trimmed(), field(customer, "PSC")->AsString().trimmed(),
                           field(customer, "MESTO")->AsString().trimmed(),
                           field(customer, "STAT")->AsString().trimmed()});
    }

    void ExportInvoiceHeader(const TInvoiceExportInput &in, double base1, double base2, double vat)
    {
        WriteExportRecord(QStringLiteral("R00\t%s\r\n"), {QStringLiteral("T01")});
        WriteExportRecord(
            QStringLiteral("R01\t%s\t%s\t%s\t%s\t%s\t%s\t0\t%.2f\t%.2f\t0\t%d\t%d\t%.2f\t%.2f\t%.2f\t%.2f\t%d"
                           "\t%s\t%s\t%s\t%s\t%s\t\t\t\t%d\t%d\t\t%d\r\n"),
            {in.CDl,
             in.COdberatel,
             in.Ico,
             in.DatumVystavenia,
             in.DatumSplatnosti,
             in.DatumZdanPlnenia,
             base1,
             base2,
             10,
             20,
             0.0,
             vat,
             0.0,
             base1 + base2 + vat,
             2,
             tabs(13),
             in.CDl,
             in.CObj,
             tabs(21),
             in.Iban,
             -2,
             3,
             -2});
    }

    // Code letter: "X" for a text line (no quantity, no price), "0" without VAT, else "V".
    void ExportInvoiceLine(const QString &product, const QString &externalNo, const QString &text, const QString &unit,
                           double quantity, double price, double vatRate)
    {
        const QString code = quantity == 0 && price == 0 ? QStringLiteral("X")
                             : vatRate == 0              ? QStringLiteral("0")
                                                         : QStringLiteral("V");
        WriteExportRecord(QStringLiteral("R02\t%s\t%.3f\t%s\t%.2f\t%s\t%s\t%s\t%s\t%s\t%d\r\n"),
                          {text, quantity, unit, price, code, tabs(10), product, tabs(24), externalNo, -2});
    }
};

} // namespace

double InvoiceVat(double base, double rate)
{
    return RoundDecimals(base * rate, 0) / 100;
}

TInvoiceValues ReadInvoiceValues(int cDl, const QString &vatRateSetting)
{
    const double rate = StrToFloat(vatRateSetting);
    TInvoiceValues v;
    v.CDl = cDl;
    TxQuery *q = OpenQuery(ExpSql::InvoiceValues, {cDl}, QStringLiteral("QExpInvoice"));
    if (q->IsEmpty())
        throw EDatabaseError(QString::fromUtf8("Dodací list č. %1 neexistuje alebo nemá odberateľa z číselníka.")
                                 .arg(NoteNumberText(cDl)));
    v.COdb = field(q, "C_ODB")->AsInteger();
    v.COdberatel = field(q, "ODBERATEL")->AsString().trimmed();
    v.Ico = icoText(field(q, "ICO")->Value());
    v.CObj = field(q, "C_OBJ")->AsString().trimmed();
    v.DObj = field(q, "D_OBJ")->AsDateTime().date();
    v.Doprava = field(q, "DOPRAVA")->AsString();
    v.DVystav = field(q, "D_VYSTAV")->AsDateTime().date();
    v.Kurz = field(q, "KURZ")->IsNull() ? 1 : field(q, "KURZ")->AsFloat();
    v.Mena = field(q, "MENA")->AsString().trimmed();
    v.FUhrady = field(q, "F_UHRADY")->AsString();
    v.Zaklad = field(q, "ZAKLAD")->AsFloat();
    v.Dph = InvoiceVat(v.Zaklad, rate);
    v.Zaloha = -field(q, "ZALOHA")->AsFloat();
    const QDate today = Now().date();
    v.DatumVystavenia = today;
    qint64 days = 0;
    if (!TryStrToInt(field(q, "PLAT_PODM")->AsString().trimmed(), days) || days <= 0 || days > 3650)
        days = 14;
    v.DatumSplatnosti = today.addDays(days);
    // A note invoiced before keeps the due date it was exported and printed with.
    if (!field(q, "D_SPLAT")->IsNull())
        v.DatumSplatnosti = field(q, "D_SPLAT")->AsDateTime().date();
    q->Close();
    v.CFaktury = SelectValueParams(ExpSql::InvoiceNumberOfNote, {cDl}).toString().trimmed();
    v.NewCustomer = SelectValueParams(ExpSql::InvoicesOfCustomer, {v.COdb, cDl}).toInt() == 0;
    return v;
}

void StoreInvoiceDueDate(int cDl, const QDate &due)
{
    if (ExecSqlParams(ExpSql::StoreDueDate, {due.isValid() ? QVariant(due) : QVariant(), cDl}) != 1)
        throw EDatabaseError(QString::fromUtf8("Dodací list č. %1 neexistuje.").arg(NoteNumberText(cDl)));
}

QString ProposeInvoiceNumber(const QString &prefixText)
{
    QString prefix = prefixText.trimmed();
    static const QString dateLetters = QStringLiteral("yYmMdD");
    bool isFormat = false;
    for (QChar c : prefix)
        isFormat = isFormat || dateLetters.contains(c);
    if (isFormat) {
        prefix = FormatDateTime(prefix, Now().date());
    } else {
        while (!prefix.isEmpty() && prefix.back().isDigit())
            prefix.chop(1);
    }
    const QString last =
        SelectValueParams(ExpSql::LastInvoiceNumber, {prefix, int(prefix.size()) + 4}).toString().trimmed();
    const int next = last.isEmpty() ? 1 : last.right(4).toInt() + 1;
    return prefix + QStringLiteral("%1").arg(next, 4, 10, QLatin1Char('0'));
}

TInvoiceExportInput InvoiceExportInputOf(const TInvoiceValues &v, const QString &vatRateSetting)
{
    TInvoiceExportInput in;
    in.CDl = QString::number(v.CDl);
    in.COdberatel = v.COdberatel;
    in.Ico = v.Ico;
    in.DatumVystavenia = DateToStr(v.DatumVystavenia);
    in.DatumSplatnosti = DateToStr(v.DatumSplatnosti);
    in.DatumZdanPlnenia = DateToStr(v.DVystav);
    in.CObj = v.CObj;
    in.Zaklad = Format(QStringLiteral("%.2f"), {v.Zaklad});
    in.Dph = Format(QStringLiteral("%.2f"), {v.Dph});
    in.VatRate = vatRateSetting;
    in.COdb = v.COdb;
    in.NewCustomer = v.NewCustomer;
    return in;
}

QByteArray InvoiceExportBytes(const TInvoiceExportInput &in, QString *error)
{
    // Every number first: a wrong one writes nothing.
    double zaklad = 0, dph = 0, rate = 0, kurzZahr = 1, kurzSk = 1;
    const bool typ13 = in.TypDph.trimmed() == QStringLiteral("13");
    if (!number(in.VatRate, QStringLiteral("Sadzba DPH"), rate, error) ||
        !number(in.Zaklad, QStringLiteral("Základ DPH"), zaklad, error) ||
        !number(in.Dph, QStringLiteral("DPH"), dph, error))
        return {};
    if (typ13) {
        if (!number(in.KurzZahr, QStringLiteral("Kurz"), kurzZahr, error) ||
            !number(in.KurzSk, QStringLiteral("Kurz"), kurzSk, error))
            return {};
        if (kurzSk == 0) {
            if (error)
                *error = QString::fromUtf8("Kurz nemôže byť 0. Súbor export.txt nebol zapísaný.");
            return {};
        }
    }
    zaklad = RoundDecimals(zaklad, 2);
    dph = RoundDecimals(dph, 2);

    TExportRecords out;
    if (in.NewCustomer) {
        // The customer of the dialog's IČO, else (no IČO, or none found) the note's customer.
        TxQuery *c = nullptr;
        if (!in.Ico.trimmed().isEmpty())
            c = OpenQuery(ExpSql::CustomerByIco, {in.Ico.trimmed().toLongLong()}, QStringLiteral("QExpCustomer"));
        if (!c || c->IsEmpty())
            c = OpenQuery(ExpSql::CustomerByNumber, {in.COdb}, QStringLiteral("QExpCustomer"));
        out.ExportCustomerRecord(c);
        c->Close();
    }
    out.ExportInvoiceHeader(in, typ13 ? 0 : zaklad, typ13 ? zaklad : 0, typ13 ? 0 : dph);
    const double factor = typ13 ? kurzZahr / kurzSk : 1;
    const double lineRate = typ13 ? 0 : rate;
    if (in.CopyLines) {
        double surcharges = 0, weight = 0;
        TxQuery *l = OpenQuery(ExpSql::InvoiceLines, {in.CDl.trimmed().toInt()}, QStringLiteral("QExpInvoiceLines"));
        for (l->First(); !l->Eof(); l->Next()) {
            const QString ext = field(l, "C_POL_EXT")->AsString().trimmed();
            out.ExportInvoiceLine(field(l, "C_VYR")->AsString().trimmed(), ext,
                                  Format(QStringLiteral("%-15s %s %s"), {ext, field(l, "C_OBJ2")->AsString().trimmed(),
                                                                         field(l, "NAZOV")->AsString().trimmed()}),
                                  QStringLiteral("KS"), field(l, "MNOZ_VYR")->AsFloat(),
                                  field(l, "CENA_KURZ1")->AsFloat(), lineRate);
            // The factor converts only the surcharges.
            surcharges += (field(l, "PRID_MATC")->AsFloat() + field(l, "PRID_DOPC")->AsFloat()) * factor;
            weight += field(l, "VAHAC")->AsFloat();
        }
        l->Close();
        if (surcharges != 0 && weight != 0)
            out.ExportInvoiceLine(QString(), QString(), QString::fromUtf8("Koeficient ceny materiálu"),
                                  QStringLiteral("KG"), weight, surcharges / weight, 0);
        if ((in.COdb == 96 || in.COdb == 409) && weight != 0)
            out.ExportInvoiceLine(QString(), QString(), QString::fromUtf8("Príplatok za el.energiu"),
                                  QStringLiteral("KG"), weight, 1.5, 0);
    }
    return Win1250::fromUnicode(out.Text);
}

bool WriteInvoiceExport(const TInvoiceExportInput &input, const QString &fileName, QString *error)
{
    const QByteArray bytes = InvoiceExportBytes(input, error);
    if (bytes.isEmpty())
        return false;
    QString reason;
    if (!WriteFileAtomically(fileName, bytes, &reason)) {
        if (error)
            *error = QString::fromUtf8("Súbor %1 sa nepodarilo zapísať: %2").arg(fileName, reason);
        return false;
    }
    return true;
}
