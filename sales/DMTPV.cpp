#include "DMTPV.h"

#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "library/FieldTitles.h"

TDMTPV *DMTPV = nullptr;

TDMTPV::TDMTPV()
{
    DMTPV = this;
    const auto table = [](TxTable &t, const QString &name, const QString &tableName, TDataSource &ds, bool cached) {
        t.Name = name;
        t.SetDatabase(&DMZal->DBZAL);
        t.SetTableName(tableName);
        t.SetCachedUpdates(cached);
        ds.Name = QStringLiteral("DS") + name.mid(1);
        ds.SetDataSet(&t);
    };
    table(QPolozky, QStringLiteral("QPolozky"), QStringLiteral("POLOZKY"), DSPolozky, false);
    table(QTOperacie, QStringLiteral("QTOperacie"), QStringLiteral("TOPERACIE"), DSTOperacie, true);
    QTOperacie.SetIndexFieldNames(QStringLiteral("POSTUP;C_OPERACIE"));
    table(QTKusovnik, QStringLiteral("QTKusovnik"), QStringLiteral("TKUSOVNIK"), DSTKusovnik, true);
    table(QPolozkyKalk, QStringLiteral("QPolozkyKalk"), QStringLiteral("POLOZKYKALK"), DSPolozkyKalk, true);

    QPolozky.OnNewRecord = [this](TDataSet *ds) { QPolozkyNewRecord(ds); };
    QPolozky.AfterOpen = [this](TDataSet *ds) { QPolozkyAfterOpen(ds); };
    // A product is an item of the stores: its movements keep it and its number.
    QPolozky.BeforePost = [](TDataSet *ds) { CheckItemNumberKept(ds); };
    QPolozky.BeforeDelete = [](TDataSet *ds) { CheckItemHasNoMovements(ds); };
    const QStringList productErrors{QString::fromUtf8("PK_POLOZKY|Výrobok s rovnakým číslom už existuje !")};
    QPolozky.OnPostError = [productErrors](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        DMZal->DataSetErrorHandlerEx(ds, e, productErrors, action);
    };
    // The same words when the row is written by the product's save.
    QPolozky.OnUpdateError = [productErrors](TDataSet *ds, EDatabaseError &e, TUpdateKind, TUpdateAction &action) {
        action = DMZal->TranslateDbError(ds, e, productErrors) ? uaAbort : uaFail;
    };
    for (TxTable *t : {&QTOperacie, &QTKusovnik})
        t->OnCreateFields = [](TDataSet *ds) { CommonTitles().Apply(ds); };
    QTOperacie.OnNewRecord = [this](TDataSet *ds) { QTOperacieNewRecord(ds); };
    QTOperacie.AfterOpen = [this](TDataSet *ds) { QTOperacieAfterOpen(ds); };
    QTOperacie.BeforePost = [this](TDataSet *ds) { QTOperacieBeforePost(ds); };
    QTOperacie.AfterPost = [this](TDataSet *ds) { QTOperacieAfterPost(ds); };
    QTKusovnik.OnNewRecord = [this](TDataSet *ds) { QTKusovnikNewRecord(ds); };
    QPolozkyKalk.OnNewRecord = [this](TDataSet *ds) { QPolozkyKalkNewRecord(ds); };
}

TDMTPV::~TDMTPV()
{
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QPolozkyKalk, &QTKusovnik, &QTOperacie, &QPolozky}) {
        try {
            ds->Close();
        } catch (...) {
            // The connection may already be gone at the end of the run.
        }
    }
    if (DMTPV == this)
        DMTPV = nullptr;
}
