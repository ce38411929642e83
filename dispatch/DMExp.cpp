#include "DMExp.h"

#include "EDListQRRep.h"
#include "ExpSql.h"
#include "library/DataModuleSetUp.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <algorithm>

TDMExp *DMExp = nullptr;

namespace {

void dataSet(TxDataSet &ds, const QString &name, const QStringList &select, const QStringList &insert,
             const QStringList &modify, const QStringList &del, const QStringList &refresh)
{
    ds.Name = name;
    ds.SetDatabase(&DMZal->DBZAL);
    ds.SelectSQL.SetText(select.join(QLatin1Char('\n')));
    ds.InsertSQL.SetText(insert.join(QLatin1Char('\n')));
    ds.ModifySQL.SetText(modify.join(QLatin1Char('\n')));
    ds.DeleteSQL.SetText(del.join(QLatin1Char('\n')));
    ds.RefreshSQL.SetText(refresh.join(QLatin1Char('\n')));
}

void source(TDataSource &source, TDataSet &dataSet, const QString &name)
{
    source.Name = name;
    source.SetDataSet(&dataSet);
}

void toErrorHandler(TDataSet *ds, EDatabaseError &e, TDataAction &action)
{
    DMZal->DataSetErrorHandler(ds, e, action);
}

} // namespace

QString NoteNumberText(int cDl)
{
    return FormatFloat(QLatin1String(NoteNumberFormat), cDl);
}

TDMExp::TDMExp()
{
    DMExp = this;
    dataSet(QEDListy, QStringLiteral("QEDListy"), ExpSql::HeaderSelect, ExpSql::HeaderInsert, ExpSql::HeaderModify,
            ExpSql::HeaderDelete, ExpSql::HeaderRefresh);
    source(DSEDListy, QEDListy, QStringLiteral("DSEDListy"));
    source(DSEDListyD, QEDListyD, QStringLiteral("DSEDListyD"));
    source(DSESklad, QESklad, QStringLiteral("DSESklad"));
    dataSet(QEDListyD, QStringLiteral("QEDListyD"), ExpSql::LineSelect, ExpSql::LineInsert, ExpSql::LineModify,
            ExpSql::LineDelete, ExpSql::LineRefresh);
    QEDListyD.SetCachedUpdates(true);
    QEDListyD.SetDataSource(&DSEDListy);
    SetUpQuery(QESklad, nullptr, QStringLiteral("QESklad"), &DMZal->DBZAL,
               ExpSql::StockAsOfDate.join(QLatin1Char('\n')));
    DSESklad.AutoEdit = false;

    QEDListy.AfterOpen = [this](TDataSet *ds) { QEDListyAfterOpen(ds); };
    QEDListy.OnNewRecord = [this](TDataSet *ds) { QEDListyNewRecord(ds); };
    QEDListy.BeforeDelete = [this](TDataSet *ds) { QEDListyBeforeDelete(ds); };
    QEDListy.OnPostError = [this](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        if (NoteNumber.Renumber(ds, e, action)) {
            // The lines waiting in the cache are stored under the note's new number.
            QEDListyD.FollowRenumberedMaster();
            return;
        }
        if (!InvoiceNumber.Renumber(ds, e, action))
            DMZal->DataSetErrorHandlerEx(
                ds, e, {QString::fromUtf8("UX_EDLISTY_CFAKTURY|Faktúra s rovnakým číslom už existuje!")}, action);
    };
    QEDListy.AfterPost = [this](TDataSet *ds) {
        NoteNumber.Posted(ds);
        InvoiceNumber.Posted(ds);
    };
    QEDListy.OnDeleteError = toErrorHandler;
    QEDListyD.AfterOpen = [this](TDataSet *ds) { QEDListyDAfterOpen(ds); };
    QEDListyD.OnNewRecord = [this](TDataSet *ds) { QEDListyDNewRecord(ds); };
    QEDListyD.BeforeDelete = [this](TDataSet *ds) { QEDListyDBeforeDelete(ds); };
    QEDListyD.OnUpdateError = [](TDataSet *ds, EDatabaseError &e, TUpdateKind, TUpdateAction &action) {
        TDataAction result = daFail;
        DMZal->DataSetErrorHandler(ds, e, result);
        action = result == daAbort ? uaAbort : uaFail;
    };
}

TDMExp::~TDMExp()
{
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QESklad, &QEDListyD, &QEDListy}) {
        try {
            ds->Close();
        } catch (...) {
            // The connection may already be gone at the end of the run.
        }
    }
    if (DMExp == this)
        DMExp = nullptr;
}

void TDMExp::QEDListyAfterOpen(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("C_DL"))->DisplayFormat = QLatin1String(NoteNumberFormat);
    dataSet->FieldByName(QStringLiteral("C_ODB"))->OnChange = [this](TField *f) { EDListyC_ODBChange(f); };
    dataSet->FieldByName(QStringLiteral("C_OBJ"))->OnChange = [this](TField *f) { EDListyC_OBJChange(f); };
}

void TDMExp::QEDListyNewRecord(TDataSet *dataSet)
{
    const int saved = dataSet->Tag;
    dataSet->Tag = 1;
    try {
        NoteNumber.Propose(dataSet,
                           [] { return QVariant(NextNumber(QStringLiteral("EDListy"), QStringLiteral("C_DL"))); });
        dataSet->FieldByName(QStringLiteral("C_OBJ"))->SetValue(QStringLiteral(" "));
        dataSet->FieldByName(QStringLiteral("D_VYSTAV"))->SetValue(Now().date());
        dataSet->FieldByName(QStringLiteral("VYSTAVIL"))->SetValue(DMZal->CurrentUserName());
        dataSet->FieldByName(QStringLiteral("KURZ"))->SetValue(1.0);
        dataSet->FieldByName(QStringLiteral("MENA"))->SetValue(CurrencyCode);
    } catch (...) {
        dataSet->Tag = saved;
        throw;
    }
    dataSet->Tag = saved;
}

void TDMExp::QEDListyDAfterOpen(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("C_VYR"))->OnChange = [this](TField *f) { EDListyDC_VYRChange(f); };
    dataSet->FieldByName(QStringLiteral("MNOZ_VYR"))->OnChange = [this](TField *f) { EDListyDMNOZ_VYRChange(f); };
    dataSet->FieldByName(QStringLiteral("C_INT"))->OnSetText = &SetOrderNoText;
    dataSet->FieldByName(QStringLiteral("C_INT"))->OnChange = [this](TField *f) { LoadJobIntoLine(f); };
}

void TDMExp::QEDListyDNewRecord(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("C_DL"))->SetValue(QEDListy.FieldByName(QStringLiteral("C_DL"))->Value());
    // The new row is already counted.
    dataSet->FieldByName(QStringLiteral("C_RIADKU"))->SetValue(dataSet->RecordCount());
    dataSet->FieldByName(QStringLiteral("CENA_KURZ1"))->SetValue(0.0);
    dataSet->FieldByName(QStringLiteral("VAHA1"))->SetValue(0.0);
}

void TDMExp::QEDListyDBeforeDelete(TDataSet *dataSet)
{
    if (!Confirm(QString::fromUtf8("Naozaj zmazať položku č.") +
                     dataSet->FieldByName(QStringLiteral("C_RIADKU"))->AsString(),
                 QString::fromUtf8("Zmaž")))
        Abort();
}

// Every line is deleted (each with its question) before the header. A No to any question keeps the note
// whole: the line deletions made so far are dropped from the cache, not written.
void TDMExp::QEDListyBeforeDelete(TDataSet *dataSet)
{
    const QString number = NoteNumberText(dataSet->FieldByName(QStringLiteral("C_DL"))->AsInteger());
    if (!Confirm(QString::fromUtf8("Naozaj zmazať DL č.") + number, QString::fromUtf8("Zmazať DL")))
        Abort();
    if (!QEDListyD.Active())
        QEDListyD.Open();
    try {
        QEDListyD.First();
        while (!QEDListyD.IsEmpty())
            QEDListyD.Delete();
    } catch (...) {
        QEDListyD.CancelUpdates();
        throw;
    }
    ApplyLines();
}

void TDMExp::ApplyLines()
{
    if (QEDListyD.Active() && QEDListyD.State() != dsBrowse)
        QEDListyD.Post();
    DMZal->DBZAL.ApplyUpdates({&QEDListyD});
}

// The header and its lines are stored together or not at all: a line the server refuses rolls the header
// back too, and leaves both as typed, the header still in edit and the lines in the cache.
void TDMExp::SaveNote()
{
    if (QEDListyD.Active() && QEDListyD.State() != dsBrowse)
        QEDListyD.Post();
    TIBTransaction *tr = QEDListy.Transaction() ? QEDListy.Transaction() : &DMZal->DBTransaction;
    SaveOnceMoreAfterTriggerConflict([&] {
        TSavepoint save(tr);
        QEDListy.Post([this] {
            if (QEDListyD.Active() && QEDListyD.CachedUpdates())
                QEDListyD.ApplyPendingUpdates();
        });
        save.Commit();
    });
    if (QEDListyD.Active())
        QEDListyD.CommitUpdates();
}

void TDMExp::EDListyC_ODBChange(TField *field)
{
    if (field->AsInteger() != 0 && (!QEDListyD.Active() || QEDListyD.IsEmpty()))
        TakeOverJobLines(ExpSql::TakeOverOfCustomer, field->AsInteger(),
                         QString::fromUtf8("Prebrať položky zo všetkých neukončených objednávok odberateľa ?"));
}

void TDMExp::EDListyC_OBJChange(TField *field)
{
    const QString order = field->AsString();
    if (order > QStringLiteral(" "))
        TakeOverJobLines(ExpSql::TakeOverOfOrder, order, QString::fromUtf8("Prebrať položky z objednávky č. ") + order);
}

void TDMExp::FillReceivedByList(TStringList &list)
{
    list.Clear();
    for (const QString &name :
         SelectColumnParams(ExpSql::ReceivedBy, {QEDListy.FieldByName(QStringLiteral("C_ODB"))->Value()}))
        list.Add(name);
}

void TDMExp::SelectNotes(int entry, const QString &value)
{
    if (entry < 0 || entry >= ExpSql::NoteSelections.size())
        return;
    QEDListyD.Close();
    QEDListy.Close();
    TStringList &sql = QEDListy.SelectSQL;
    while (sql.Count() < 3)
        sql.Add(QString());
    sql.SetStrings(2, ExpSql::NoteSelections[entry]);
    const QDate today = Now().date();
    switch (entry) {
    case 0:
        QEDListy.ParamByName(QStringLiteral("d")).SetValue(today);
        break;
    case 1:
        QEDListy.ParamByName(QStringLiteral("d")).SetValue(today.addDays(-7));
        break;
    case 2: // a note's number as printed (26/0015) or as digits; anything else finds none
        QEDListy.ParamByName(QStringLiteral("c")).SetValue(ParseOrderNo(value).value_or(0));
        break;
    case 3:
        QEDListy.ParamByName(QStringLiteral("c")).SetValue(value);
        break;
    case 4: {
        // A typed date is parsed in the user's format and bound as a date; no date selects nothing.
        QDate date;
        TryStrToDate(value.trimmed(), date);
        QEDListy.ParamByName(QStringLiteral("d")).SetValue(date.isValid() ? QVariant(date) : QVariant());
        break;
    }
    case 5: {
        QEDListy.ParamByName(QStringLiteral("s1")).SetValue(value + QLatin1Char('%'));
        // The customer's number only when a number is typed: letters are never compared with it.
        const std::optional<int> customerNo = WholeNumber(value);
        QEDListy.ParamByName(QStringLiteral("c")).SetValue(customerNo ? QVariant(*customerNo) : QVariant());
        break;
    }
    case 6:
        QEDListy.ParamByName(QStringLiteral("s")).SetValue(value + QLatin1Char('%'));
        break;
    }
    QEDListy.Open();
    QEDListyD.Open();
}

void TDMExp::PrepareStockFilter(const QDate &asOf)
{
    QESklad.Close();
    QESklad.SetWhere(ExpSql::StockBaseCondition);
    QESklad.ParamByName(QStringLiteral("typ_skladu")).SetValue(QStringLiteral("V"));
    QESklad.ParamByName(QStringLiteral("kdatumu")).SetValue(asOf);
    stockDate_ = asOf;
}

void TDMExp::OpenFinishedGoodsStock(const QDate &asOf, const QString &filterCondition)
{
    PrepareStockFilter(asOf);
    QESklad.SetFilterText(filterCondition);
    // Setting the filter reopens the query with it (or without it when empty).
    QESklad.SetFiltered(!filterCondition.isEmpty());
}

QString TDMExp::OpenOverview(int view, const QDate &from, const QDate &to, const QString &job, const QString &customer,
                             const QString &product)
{
    view = std::clamp(view, 0, 7);
    const ExpSql::TOverviewView &v = ExpSql::OverviewViews[view];
    const bool summary = view >= 4;
    QString where = ExpSql::OverviewWhere;
    QVariantList values{from, to};
    // A job or customer typed as no number is refused, never read as no filter.
    if (const int jobNo = TypedOrderNo(job); jobNo != 0) {
        where += QStringLiteral(" and c_int=:c_int");
        values << jobNo;
    }
    if (const int customerNo = TypedNumber(customer.trimmed().left(4), QString::fromUtf8("Odberateľ"));
        customerNo != 0) {
        where += QStringLiteral(" and c_odb=:c_odb");
        values << customerNo;
    }
    if (!product.trimmed().isEmpty()) {
        where += QStringLiteral(" and c_vyr=:c_vyr");
        values << product.trimmed();
    }
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SQL().SetText(QStringList{QString::fromUtf8(v.Head) +
                                    (summary ? ExpSql::OverviewSummaryColumns : ExpSql::OverviewDetailColumns),
                                ExpSql::OverviewFrom, where, QString::fromUtf8(v.Last), QString()}
                        .join(QLatin1Char('\n')));
    for (int i = 0; i < values.size(); ++i)
        q.Params()[i].SetValue(values[i]);
    q.Open();
    return QString::fromLatin1(v.GroupField);
}
