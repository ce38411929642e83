// The rules of the products and technology data sets: defaults, the internal-price and operation-number
// checks, the operation copy, the unit-time entry, the norm per shift and the route-change messages.
#include "DMTPV.h"

#include "TPVSql.h"
#include "shell/DMZal.h"
#include "shell/QMsgDForm.h"
#include "shell/Routines.h"
#include "library/SqlLiteral.h"
#include "library/xQuery.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"

#include <cmath>

namespace {

const QString RecipientsKey = QStringLiteral("ZmenaOperacieTP");

QString productCode()
{
    return DMTPV->QPolozky.FieldByName(QStringLiteral("C_POL"))->AsString();
}

} // namespace

void TDMTPV::QPolozkyNewRecord(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("MJ"))->SetValue(QStringLiteral("KS"));
    dataSet->FieldByName(QStringLiteral("D_VYSTAV"))->SetValue(Date());
    dataSet->FieldByName(QStringLiteral("VYSTAVIL"))->SetValue(DMZal->CurrentUserName());
    dataSet->FieldByName(QStringLiteral("C_ODB"))->SetValue(0);
}

void TDMTPV::QPolozkyAfterOpen(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("CENA_NAKL"))->OnValidate = &TDMTPV::CheckInternalPriceChange;
}

void TDMTPV::CheckInternalPriceChange(TField *field)
{
    TDataSet *ds = field->DataSet();
    if (ds->State() != dsEdit)
        return;
    const double stock =
        SelectValueParams(TPVSql::StockOfItem, {ds->FieldByName(QStringLiteral("C_POL"))->AsString()}).toDouble();
    if (stock != 0)
        throw EDatabaseError(QString::fromUtf8("Nie je možné meniť vnútropodnikovú cenu u výrobku,\r"
                                               "ktorý má skladovú zásobu!"));
}

void TDMTPV::QTOperacieNewRecord(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("C_VYR"))->SetValue(productCode());
    for (const char *name : {"POSTUP", "OPERACIA", "PRACOVISKO", "PROFESIA", "TARIF"})
        dataSet->FieldByName(QString::fromLatin1(name))->SetValue(QStringLiteral(" "));
    dataSet->FieldByName(QStringLiteral("OSOBY"))->SetValue(1);
    for (const char *name : {"CAS_PRIP", "CAS_MEDZI", "P_STRATY", "K_STRATY"})
        dataSet->FieldByName(QString::fromLatin1(name))->SetValue(0);
}

void TDMTPV::QTOperacieAfterOpen(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("C_OPERACIE"))->OnValidate = &TDMTPV::ValidateOperationNumber;
    dataSet->FieldByName(QStringLiteral("OPERACIA"))->OnValidate = &TDMTPV::CopyOperation;
    dataSet->FieldByName(QStringLiteral("CAS_JED"))->OnSetText = &TDMTPV::SetUnitTimeText;
}

void TDMTPV::ValidateOperationNumber(TField *field)
{
    const int number = field->AsInteger();
    if (number <= 0 || number >= 2000)
        throw EDatabaseError(QString::fromUtf8("Číslo operácie musí byť od 1 do 1999 !"));
}

void TDMTPV::CopyOperation(TField *field)
{
    TxTable &list = DMZal->COperacii;
    if (!list.Active() || !list.Locate(QStringLiteral("OPERACIA"), field->AsString(), loCaseInsensitive))
        return;
    TDataSet *ds = field->DataSet();
    ds->FieldByName(QStringLiteral("C_OPERACIE"))->SetValue(list.FieldByName(QStringLiteral("C_OPERACIE"))->Value());
    ds->FieldByName(QStringLiteral("POPIS_OP"))->SetValue(list.FieldByName(QStringLiteral("NAZOV_OP"))->Value());
    for (const char *name : {"PRACOVISKO", "PROFESIA", "TARIF"})
        ds->FieldByName(QString::fromLatin1(name))->SetValue(list.FieldByName(QString::fromLatin1(name))->Value());
}

void TDMTPV::SetUnitTimeText(TField *field, const QString &text)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty()) {
        field->Clear();
        return;
    }
    const QChar unit = typed.back().toLower();
    const QString number = typed.left(typed.size() - 1);
    if (unit == QLatin1Char('h'))
        field->SetValue(StrToFloat(number) * 60);
    else if (unit == QLatin1Char('m'))
        field->SetValue(StrToFloat(number));
    else if (unit == QLatin1Char('s'))
        field->SetValue(StrToFloat(number) / 60);
    else
        field->SetValue(StrToFloat(typed));
}

void TDMTPV::EnterNormPerShift()
{
    TField *unitTime = QTOperacie.FieldByName(QStringLiteral("CAS_JED"));
    const double minutes = unitTime->AsFloat();
    QString answer = minutes > 0 ? QString::number(std::nearbyint(450 / minutes), 'f', 0) : QString();
    if (!InputQuery(QString::fromUtf8("Jednotkový čas"), QString::fromUtf8("Zadaj normu v kusoch na zmenu"), answer))
        return;
    // Text and negative norms are refused before anything changes; any norm worth 0 means no time.
    double norm = 0;
    if (!answer.trimmed().isEmpty() && (!TryStrToFloat(answer, norm) || norm < 0))
        throw EConvertError(QString::fromUtf8("'%1' nie je platná norma v kusoch na zmenu").arg(answer.trimmed()));
    if (QTOperacie.State() == dsBrowse)
        QTOperacie.Edit();
    unitTime->SetValue(norm == 0 ? 0.0 : std::nearbyint(450000 / norm) / 1000);
}

void TDMTPV::QTOperacieBeforePost(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("CAS_STROJ"))
        ->SetValue(dataSet->FieldByName(QStringLiteral("CAS_JED"))->Value());
}

void TDMTPV::QTOperacieAfterPost(TDataSet *dataSet)
{
    // Sent only once the product is saved; a cancelled edit sends nothing, the product's number carried
    // into its rows is no change of the route.
    if (carryingCode_)
        return;
    pendingMessages_.append(QString::fromUtf8("Bola zmenená operácia ") +
                            dataSet->FieldByName(QStringLiteral("OPERACIA"))->AsString() +
                            QString::fromUtf8(" v technologickom postupe na výrobok ") +
                            dataSet->FieldByName(QStringLiteral("C_VYR"))->AsString());
}

void TDMTPV::QTKusovnikNewRecord(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("C_VYR"))->SetValue(productCode());
    dataSet->FieldByName(QStringLiteral("C_POZICIE"))->SetValue(10 * (dataSet->RecordCount() - 1) + 10);
    dataSet->FieldByName(QStringLiteral("C_OPERACIE"))->SetValue(0);
    dataSet->FieldByName(QStringLiteral("P_STRATY"))->SetValue(0);
}

void TDMTPV::QPolozkyKalkNewRecord(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("C_POL"))->SetValue(productCode());
}

QStringList TDMTPV::MessageRecipients() const
{
    QStringList users;
    for (const QString &user : DMZal->ReadDefault(RecipientsKey).split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!user.trimmed().isEmpty())
            users.append(user.trimmed());
    return users;
}

void TDMTPV::SaveProduct()
{
    // The product row is cached for the save, so it reaches the database together with its details:
    // a refused detail leaves nothing stored and the row, with everything typed, stays for a retry.
    if (QPolozky.State() == dsEdit || QPolozky.State() == dsInsert) {
        QPolozky.SetCachedUpdates(true);
        QPolozky.Post();
    }
    for (TDataSet *ds : {static_cast<TDataSet *>(&QTOperacie), static_cast<TDataSet *>(&QTKusovnik),
                         static_cast<TDataSet *>(&QPolozkyKalk)})
        if (ds->Active())
            ds->CheckBrowseMode();
    CarryProductCode();
    try {
        DMZal->DBZAL.ApplyUpdates({&QPolozky, &QTOperacie, &QTKusovnik, &QPolozkyKalk});
    } catch (...) {
        // Back in editing as before the save; its pending change is kept.
        if (QPolozky.CachedUpdates() && QPolozky.Active() && !QPolozky.IsEmpty())
            QPolozky.Edit();
        throw;
    }
    QPolozky.SetCachedUpdates(false);
    const QStringList messages = pendingMessages_;
    pendingMessages_.clear();
    const QStringList users = MessageRecipients();
    for (const QString &text : messages)
        for (const QString &user : users)
            InsertMessages(-1, user, 0, QString::fromUtf8("Zmena operácie v TP"), text);
}

void TDMTPV::CarryProductCode()
{
    if (!QPolozky.Active() || QPolozky.IsEmpty())
        return;
    const QVariant code = QPolozky.FieldByName(QStringLiteral("C_POL"))->Value();
    const auto carry = [&](TDataSet &ds, const char *fieldName) {
        if (!ds.Active() || ds.IsEmpty())
            return;
        TField *f = ds.FieldByName(QString::fromLatin1(fieldName));
        const TBookmark at = ds.GetBookmark();
        ds.DisableControls();
        ds.First();
        while (!ds.Eof()) {
            if (f->AsString().trimmed() != code.toString().trimmed()) {
                ds.Edit();
                f->SetValue(code);
                ds.Post();
            }
            ds.Next();
        }
        ds.GotoBookmark(at);
        ds.EnableControls();
    };
    carryingCode_ = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{carryingCode_};
    carry(QTOperacie, "C_VYR");
    carry(QTKusovnik, "C_VYR");
    carry(QPolozkyKalk, "C_POL");
}

void TDMTPV::CancelProduct()
{
    if (QPolozky.CachedUpdates()) {
        QPolozky.CancelUpdates();
        QPolozky.SetCachedUpdates(false);
    }
    for (TDataSet *ds : {static_cast<TDataSet *>(&QTOperacie), static_cast<TDataSet *>(&QTKusovnik),
                         static_cast<TDataSet *>(&QPolozkyKalk)})
        if (ds->Active()) {
            ds->Cancel();
            ds->CancelUpdates();
        }
    if (QPolozky.State() == dsEdit || QPolozky.State() == dsInsert)
        QPolozky.Cancel();
    pendingMessages_.clear();
}

void TDMTPV::PushUnitTimes(const QString &product)
{
    ExecSqlNoParams(TPVSql::PushUnitTimes.arg(SqlLiteral(product.trimmed())));
}

void TDMTPV::RecalculatePrice(const QString &product, bool itselfToo)
{
    ExecSqlParams(TPVSql::RecalculatePrice, {product, itselfToo ? 1 : 0});
}

QVariantMap TDMTPV::CurrentCalculation(const QString &product)
{
    QVariantMap values;
    TxQuery *q = OpenQuery(TPVSql::ProductCalculation, {product});
    if (!q->Eof())
        for (const char *name : {"MAT1", "MZD1", "ODVMZD1", "VYRREZ1", "NAKL1", "CENA1"})
            values.insert(QString::fromLatin1(name), q->FieldByName(QString::fromLatin1(name))->Value());
    q->Close();
    return values;
}

QHash<QString, QStringList> TDMTPV::StoredBomBelow(const QStringList &products)
{
    QHash<QString, QStringList> below;
    QStringList level;
    for (const QString &p : products)
        if (!p.trimmed().isEmpty() && !level.contains(p.trimmed()))
            level << p.trimmed();
    while (!level.isEmpty()) {
        for (const QString &p : level)
            below.insert(p, {});
        QStringList next;
        // Firebird takes at most 1500 literals in a list.
        for (int from = 0; from < level.size(); from += 1000) {
            QStringList literals;
            for (const QString &p : level.mid(from, 1000))
                literals << SqlLiteral(p);
            TxQuery *q = OpenQuery(TPVSql::BomItemsOf.arg(literals.join(QLatin1Char(','))));
            for (; !q->Eof(); q->Next()) {
                const QString parent = q->Fields(0)->AsString().trimmed();
                const QString item = q->Fields(1)->AsString().trimmed();
                below[parent] << item;
                if (!below.contains(item) && !next.contains(item))
                    next << item;
            }
            q->Close();
        }
        level = next;
    }
    return below;
}

bool TDMTPV::ProductExists(const QString &product)
{
    return SelectValueParams(TPVSql::ProductExists, {product}).toInt() > 0;
}
