// The rules of the offers, orders, items, contracts and complaints: defaults and numbering, the checks
// before a delete, the proposed quantity to produce and the renumbering of a provisional customer.
#include "DMOdbyt.h"

#include "OdbytSql.h"
#include "TPVSql.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"

#include <QRegularExpression>

namespace {

QString twoDigitYear()
{
    return FormatDateTime(QStringLiteral("yy"), Date());
}

TField *field(TDataSet *ds, const char *name)
{
    return ds->FieldByName(QString::fromLatin1(name));
}

// One value of a select on the scratch query, which is closed again.
QVariant selectValue(const QString &sql, const QVariantList &params)
{
    const QVariant value = SelectValueParams(sql, params);
    DMZal->Query.Close();
    return value;
}

void headerDefaults(TDataSet *ds, const QString &prefix, const char *type, TProposedNumber &number)
{
    number.Propose(ds, [prefix] { return NextCode(QStringLiteral("ZAKAZKY"), QStringLiteral("C_OBJ"), prefix); });
    field(ds, "TYP_OBJ")->SetValue(QString::fromLatin1(type));
    field(ds, "D_OBJ")->SetValue(Date());
    field(ds, "MENA")->SetValue(CurrencyCode);
    field(ds, "ZALOHA")->SetValue(0);
    field(ds, "D_VYSTAV")->SetValue(Date());
    field(ds, "VYSTAVIL")->SetValue(DMZal->CurrentUserName());
}

} // namespace

// ---------------------------------------------------------------- offers

void TDMOdbyt::QCenPonNewRecord(TDataSet *dataSet)
{
    headerDefaults(dataSet, QStringLiteral("PON"), "P", OfferNumber);
    field(dataSet, "C_ODB")->SetValue(0);
}

void TDMOdbyt::QCenPonDNewRecord(TDataSet *dataSet)
{
    const int b = -(twoDigitYear().toInt() * 10000);
    const QVariant lowest = selectValue(OdbytSql::LowestOfferItem, {b - 9999, b});
    int from = lowest.isNull() || lowest.toInt() == 0 ? b : lowest.toInt();
    // Items typed but not stored yet (their header was refused) hold numbers the database does not know.
    TField *number = field(dataSet, "C_INT");
    for (int row = 0; row < dataSet->RecordCount(); ++row)
        if (dataSet->UpdateStatusAt(row) == usInserted) {
            const int pending = dataSet->ValueAt(row, number).toInt();
            if (pending != 0 && pending >= b - 9999 && pending < from)
                from = pending;
        }
    number->SetValue(from - 1);
    field(dataSet, "C_OBJ")->SetValue(field(&QCenPon, "C_OBJ")->Value());
    field(dataSet, "C_VYR")->SetValue(QStringLiteral("PONUKA"));
    field(dataSet, "MNOZ_VYR")->SetValue(0);
    field(dataSet, "TERMIN_OBJ")->SetValue(Date());
    field(dataSet, "TERMIN")->SetValue(Date());
    field(dataSet, "STAV_ZAK")->SetValue(0);
    field(dataSet, "C_REV")->SetValue(0);
    field(dataSet, "C_INT_RE")->SetValue(0);
}

void TDMOdbyt::QCenPonDBeforePost(TDataSet *dataSet)
{
    TField *number = field(dataSet, "C_INT");
    if (number->AsInteger() > 0)
        number->SetValue(-number->AsInteger());
}

void TDMOdbyt::QCenPonDAfterPost(TDataSet *dataSet)
{
    if (dataSet->UpdateStatus() == usInserted && !storingOfferItems_)
        StoreOfferItems();
}

// ---------------------------------------------------------------- orders

void TDMOdbyt::QvZakazkyAfterOpen(TDataSet *dataSet)
{
    field(dataSet, "C_OBJ")->OnValidate = &TDMOdbyt::ValidateOrderNumber;
}

void TDMOdbyt::ValidateOrderNumber(TField *field)
{
    if (field->IsNull() || field->AsString().isEmpty())
        throw EDatabaseError(QString::fromUtf8("Povinný údaj \"%1\" nie je zadaný!")
                                 .arg(QString::fromUtf8("číslo zákazníckej objednávky")));
}

void TDMOdbyt::QvZakazkyNewRecord(TDataSet *dataSet)
{
    headerDefaults(dataSet, QStringLiteral("ZAK"), "Z", OrderNumber);
    field(dataSet, "F_UHRADY")->SetValue(QString::fromUtf8("Prev.prík."));
}

void TDMOdbyt::QvZakazkyAfterPost(TDataSet *dataSet)
{
    const int customer = field(dataSet, "C_ODB")->AsInteger();
    if (customer >= 0)
        return;
    ExecSqlParams(OdbytSql::RenumberCustomer, {customer});
    // The server carried the new number over to the order; read it, so a later post of this row cannot
    // write the provisional number back.
    dataSet->Refresh();
}

void TDMOdbyt::QvZakazkyBeforeDelete(TDataSet *dataSet)
{
    // Counted in the database: the items shown may be stale.
    if (selectValue(OdbytSql::ItemsOfOrder, {field(dataSet, "C_OBJ")->AsString()}).toInt() > 0)
        throw EDatabaseError(QString::fromUtf8("Objednávku, ktorá obsahuje položky nie je možné zmazať!"));
}

void TDMOdbyt::QZakazkyDCreateFields(TDataSet *dataSet)
{
    field(dataSet, "C_INT")->SetDisplayWidth(7);
    for (const char *name : {"MNOZ_OBJ", "MNOZ_VYR"})
        field(dataSet, name)->DisplayFormat = QStringLiteral("########");
    for (const char *name : {"TERMIN_OBJ", "TERMIN"}) {
        field(dataSet, name)->SetDisplayWidth(10);
        field(dataSet, name)->EditMask = QStringLiteral("90\\.90\\.\\2\\000;1;_");
    }
    TField *complaint = field(dataSet, "C_INT_RE");
    complaint->SetDisplayLabel(QString::fromUtf8("Reklamácia k"));
    complaint->SetDisplayWidth(7);
    complaint->DisplayFormat = QStringLiteral("######");
    field(dataSet, "MNOZ_OBJ")->OnChange = [this](TField *f) { QZakazkyDMNOZ_OBJChange(f); };
    field(dataSet, "TERMIN_OBJ")->OnValidate = [this](TField *f) { QZakazkyDTERMIN_OBJValidate(f); };
    TField *state = field(dataSet, "STAV_ZAK");
    state->OnGetText = [](TField *f, QString &text, bool) { text = TDMZal::OrderStateName(f->AsInteger()); };
    state->SetDisplayWidth(12); // the state's name whole, "EXPedovaná" as "Vystavená"
}

void TDMOdbyt::QZakazkyDNewRecord(TDataSet *dataSet)
{
    JobNumber.Propose(dataSet, [] { return NextNumber(QStringLiteral("ZakazkyD"), QStringLiteral("C_INT")); });
    field(dataSet, "C_OBJ")->SetValue(field(&QvZakazky, "C_OBJ")->Value());
    field(dataSet, "STAV_ZAK")->SetValue(int(stVystavena));
    field(dataSet, "C_REV")->SetValue(0);
    field(dataSet, "C_INT_RE")->SetValue(0);
}

void TDMOdbyt::QZakazkyDBeforeDelete(TDataSet *dataSet)
{
    const int job = field(dataSet, "C_INT")->AsInteger();
    if (selectValue(OdbytSql::PerformancesOfJob, {job}).toInt() > 0)
        throw EDatabaseError(QString::fromUtf8("Na túto zákazku existujú výkony! Nie je ju možné zmazať."));
    if (selectValue(OdbytSql::HandOversOfJob, {job}).toInt() > 0)
        throw EDatabaseError(QString::fromUtf8("Na túto zákazku existujú odvody! Nie je ju možné zmazať."));
}

void TDMOdbyt::QZakazkyDMNOZ_OBJChange(TField *f)
{
    TDataSet *ds = f->DataSet();
    const QString product = field(ds, "C_VYR")->AsString();
    const double stock = selectValue(TPVSql::StockOfItem, {product}).toDouble();
    TxQuery &q = DMZal->Query;
    q.Close();
    q.SQL().SetText(OdbytSql::OpenJobsOfProduct);
    q.ParamByName(QStringLiteral("c_int")).SetValue(field(ds, "C_INT")->AsInteger());
    q.ParamByName(QStringLiteral("c_vyr")).SetValue(product);
    q.ParamByName(QStringLiteral("stav_zak")).SetValue(100);
    q.Open();
    int available = int(stock);
    bool stored = false;
    if (!q.IsEmpty()) {
        available += field(&q, "ESTE_VYR")->AsInteger() - field(&q, "ESTE_DOD")->AsInteger();
        stored = field(&q, "EXISTUJE")->AsInteger() > 0;
    }
    q.Close();
    const int ordered = f->AsInteger();
    const int need = stored ? field(ds, "MNOZ_VYR")->OldValue().toInt() + ordered - f->OldValue().toInt() : ordered;
    field(ds, "MNOZ_VYR")->SetValue(available < need ? need - available : 0);
}

void TDMOdbyt::QZakazkyDTERMIN_OBJValidate(TField *f)
{
    TDataSet *ds = f->DataSet();
    TField *production = field(ds, "TERMIN");
    if (production->IsNull() || ds->State() == dsInsert)
        production->SetValue(f->Value());
}

void TDMOdbyt::QvZakazkyDKalkAfterOpen(TDataSet *dataSet)
{
    TField *state = dataSet->FindField(QStringLiteral("STAV_ZAK"));
    if (!state)
        return;
    state->OnGetText = [](TField *f, QString &text, bool) {
        text = TDMZal::OrderStateName(f->AsInteger()).left(3);
        const TField *complaint = f->DataSet()->FindField(QStringLiteral("C_INT_RE"));
        if (complaint && complaint->AsInteger() != 0)
            text.prepend(QStringLiteral("Re."));
    };
}

void TDMOdbyt::QvZakKalkLookupAfterOpen(TDataSet *dataSet)
{
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField *f = dataSet->Fields(i);
        if (f->DataType() == ftFloat) {
            f->Currency = true;
            f->DisplayFormat = QStringLiteral("### ##0.00#");
        }
    }
}

// ---------------------------------------------------------------- contracts and complaints

void TDMOdbyt::QZakZmlCreateFields(TDataSet *dataSet)
{
    TField *number = field(dataSet, "C_ZMLUVY");
    number->EditMask = QStringLiteral("####-0000");
    number->OnGetText = [](TField *f, QString &text, bool display) {
        const int n = f->AsInteger();
        if (f->IsNull() || n < 0 || n / 10000 > 9999)
            return; // a number the mask cannot show stays as it is
        // Typed over, the year's places are digits: a blank there would not stay in its place.
        const QString year = QString::number(n / 10000);
        text = (display ? year : year.rightJustified(4, QLatin1Char('0'))) + QLatin1Char('-') +
               QString::number(n % 10000).rightJustified(4, QLatin1Char('0'));
    };
    number->OnSetText = [](TField *f, const QString &text) {
        const QString typed = text.trimmed();
        const int dash = int(typed.indexOf(QLatin1Char('-')));
        if (dash < 0) {
            f->SetAsString(typed); // the plain number
            return;
        }
        QString year = typed.left(dash);
        year.remove(QLatin1Char(' '));
        const QString order = typed.mid(dash + 1).trimmed();
        if (year.isEmpty() && order.isEmpty()) {
            f->Clear();
            return;
        }
        static const QRegularExpression yearDigits(QStringLiteral("^[0-9]{0,4}$"));
        static const QRegularExpression orderDigits(QStringLiteral("^[0-9]{4}$"));
        if (!yearDigits.match(year).hasMatch() || !orderDigits.match(order).hasMatch())
            throw EDatabaseError(QString::fromUtf8("'%1' nie je platné číslo zmluvy").arg(typed));
        f->SetValue(year.toInt() * 10000 + order.toInt());
    };
}

void TDMOdbyt::QZakZmlNewRecord(TDataSet *dataSet)
{
    field(dataSet, "C_OBJ")->SetValue(field(&QvZakazky, "C_OBJ")->Value());
    field(dataSet, "C_ZMLUVY")->SetValue(NextNumber(QStringLiteral("ZakZml"), QStringLiteral("c_zmluvy")));
    field(dataSet, "PREDMET")->SetValue(QStringLiteral("AL Odliatky"));
}

void TDMOdbyt::QZakZmlBeforeClose(TDataSet *dataSet)
{
    if (dataSet->State() == dsEdit || dataSet->State() == dsInsert)
        dataSet->Cancel();
}

void TDMOdbyt::QZakRekCreateFields(TDataSet *dataSet)
{
    // The job is typed as it is printed (26/0015) or as its plain number.
    field(dataSet, "C_INT")->OnSetText = &SetOrderNoText;
}

void TDMOdbyt::QZakRekNewRecord(TDataSet *dataSet)
{
    const QString yy = twoDigitYear();
    const QString last = selectValue(OdbytSql::LastComplaintOfYear, {yy}).toString().trimmed();
    qint64 n = 0;
    if (last.startsWith(yy) && !TryStrToInt(last.mid(2), n))
        n = 0;
    field(dataSet, "C_REK")->SetValue(yy + QString::number(n + 1).rightJustified(3, QLatin1Char('0')));
    // No job yet: a default 0 would show as "0/0000", and the digits typed as the dialog comes up would go
    // after it and name no job.
    field(dataSet, "C_INT")->Clear();
    field(dataSet, "D_VYSTAV")->SetValue(Date());
    field(dataSet, "VYSTAVIL")->SetValue(DMZal->CurrentUserName());
}
