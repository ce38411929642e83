#include "DMOdbyt.h"

#include "OdbytSql.h"
#include "shell/DMZal.h"
#include "library/FieldTitles.h"

TDMOdbyt *DMOdbyt = nullptr;

namespace {

void source(TDataSource &ds, TDataSet &dataSet, const QString &name, bool autoEdit = true)
{
    ds.Name = name;
    ds.SetDataSet(&dataSet);
    ds.AutoEdit = autoEdit;
}

void table(TxTable &t, const QString &name, const QString &tableName, bool cached = false)
{
    t.Name = name;
    t.SetDatabase(&DMZal->DBZAL);
    t.SetTableName(tableName);
    t.SetCachedUpdates(cached);
}

void query(TxQuery &q, const QString &name, const QStringList &lines, TDataSource *master)
{
    q.Name = name;
    q.SetDatabase(&DMZal->DBZAL);
    q.SQL().SetText(lines.join(QLatin1Char('\n')));
    if (master)
        q.SetDataSource(master);
}

void detail(TxTable &t, TDataSource &master, const QString &masterField, const QString &index)
{
    t.SetMasterSource(&master);
    t.SetMasterFields(masterField);
    t.SetIndexFieldNames(index);
}

} // namespace

TDMOdbyt::TDMOdbyt()
{
    DMOdbyt = this;
    TIBDatabase::RegisterViewKey(QStringLiteral("VZAKAZKY"), {QStringLiteral("C_OBJ")});
    TIBDatabase::RegisterViewKey(QStringLiteral("VZAKKALK"), {QStringLiteral("C_INT")});

    table(QvZakazky, QStringLiteral("QvZakazky"), QStringLiteral("VZAKAZKY"));
    QvZakazky.BufferChunks = 100;
    source(DSvZakazky, QvZakazky, QStringLiteral("DSvZakazky"), false);
    table(QZakazkyD, QStringLiteral("QZakazkyD"), QStringLiteral("ZAKAZKYD"));
    detail(QZakazkyD, DSvZakazky, QStringLiteral("C_OBJ"), QStringLiteral("C_OBJ"));
    QZakazkyD.BufferChunks = 10;
    source(DSZakazkyD, QZakazkyD, QStringLiteral("DSZakazkyD"));
    table(QZakZml, QStringLiteral("QZakZml"), QStringLiteral("ZAKZML"));
    detail(QZakZml, DSvZakazky, QStringLiteral("C_OBJ"), QStringLiteral("C_OBJ"));
    QZakZml.BufferChunks = 10;
    source(DSZakZml, QZakZml, QStringLiteral("DSZakZml"));

    query(QCOdberatelovLookup, QStringLiteral("QCOdberatelovLookup"), OdbytSql::CustomerLookup, &DSvZakazky);
    source(DSCOdberatelovLookup, QCOdberatelovLookup, QStringLiteral("DSCOdberatelovLookup"));
    query(QvEDListyLookup, QStringLiteral("QvEDListyLookup"), OdbytSql::DeliveryNotesLookup, &DSvZakazky);
    QvEDListyLookup.BufferChunks = 10;
    QvEDListyLookup.OnCreateFields = [](TDataSet *ds) { CommonTitles().Apply(ds); };
    source(DSvEDlistyLookup, QvEDListyLookup, QStringLiteral("DSvEDlistyLookup"));
    query(QvZakKalkLookup, QStringLiteral("QvZakKalkLookup"), OdbytSql::CalculationLookup, &DSvZakazky);
    source(DSvZakKalkLookup, QvZakKalkLookup, QStringLiteral("DSvZakKalkLookup"));
    query(QvZakazkyDKalk, QStringLiteral("QvZakazkyDKalk"), OdbytSql::JobsWithProgress, nullptr);
    QvZakazkyDKalk.BufferChunks = 100;
    source(DSvZakazkyDKalk, QvZakazkyDKalk, QStringLiteral("DSvZakazkyDKalk"));

    table(QCenPon, QStringLiteral("QCenPon"), QStringLiteral("ZAKAZKY"));
    QCenPon.SetIndexFieldNames(QStringLiteral("D_VYSTAV DESC"));
    QCenPon.BufferChunks = 100;
    source(DSCenPon, QCenPon, QStringLiteral("DSCenPon"), false);
    table(QCenPonD, QStringLiteral("QCenPonD"), QStringLiteral("ZAKAZKYD"), true);
    detail(QCenPonD, DSCenPon, QStringLiteral("C_OBJ"), QStringLiteral("C_OBJ"));
    QCenPonD.BufferChunks = 100;
    source(DSCenPonD, QCenPonD, QStringLiteral("DSCenPonD"));

    QZakRek.Name = QStringLiteral("QZakRek");
    QZakRek.SetDatabase(&DMZal->DBZAL);
    QZakRek.SelectSQL.SetText(OdbytSql::ComplaintSelect.join(QLatin1Char('\n')));
    QZakRek.RefreshSQL.SetText(OdbytSql::ComplaintRefresh.join(QLatin1Char('\n')));
    QZakRek.InsertSQL.SetText(OdbytSql::ComplaintInsert.join(QLatin1Char('\n')));
    QZakRek.ModifySQL.SetText(OdbytSql::ComplaintModify.join(QLatin1Char('\n')));
    QZakRek.DeleteSQL.SetText(OdbytSql::ComplaintDelete.join(QLatin1Char('\n')));
    source(DSZakRek, QZakRek, QStringLiteral("DSZakRek"));

    // Events of the orders and offers.
    QCenPon.OnNewRecord = [this](TDataSet *ds) { QCenPonNewRecord(ds); };
    QCenPon.OnPostError = [this](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        if (!OfferNumber.Renumber(ds, e, action))
            DMZal->DataSetErrorHandlerEx(
                ds, e, {QString::fromUtf8("PK_ZAKAZKY|Cenová ponuka s rovnakým číslom už existuje!")}, action);
    };
    QCenPon.AfterPost = [this](TDataSet *ds) { OfferNumber.Posted(ds); };
    QCenPonD.OnNewRecord = [this](TDataSet *ds) { QCenPonDNewRecord(ds); };
    QCenPonD.BeforePost = [this](TDataSet *ds) { QCenPonDBeforePost(ds); };
    QCenPonD.AfterPost = [this](TDataSet *ds) { QCenPonDAfterPost(ds); };
    QCenPonD.OnUpdateError = [](TDataSet *ds, EDatabaseError &e, TUpdateKind, TUpdateAction &action) {
        TDataAction result = daFail;
        DMZal->DataSetErrorHandler(ds, e, result);
        action = result == daAbort ? uaAbort : uaFail;
    };
    QvZakazky.AfterOpen = [this](TDataSet *ds) { QvZakazkyAfterOpen(ds); };
    QvZakazky.OnNewRecord = [this](TDataSet *ds) { QvZakazkyNewRecord(ds); };
    QvZakazky.AfterPost = [this](TDataSet *ds) {
        OrderNumber.Posted(ds);
        QvZakazkyAfterPost(ds);
    };
    QvZakazky.BeforeDelete = [this](TDataSet *ds) { QvZakazkyBeforeDelete(ds); };
    QvZakazky.OnPostError = [this](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        if (!OrderNumber.Renumber(ds, e, action))
            DMZal->DataSetErrorHandlerEx(
                ds, e, {QString::fromUtf8("PK_ZAKAZKY|Objednávka s rovnakým číslom už existuje!")}, action);
    };
    QZakazkyD.OnCreateFields = [this](TDataSet *ds) { QZakazkyDCreateFields(ds); };
    for (TxTable *t : {&QZakOperacie, &QZakKusovnik, &QZakKalkO, &QZakKalkM})
        t->OnCreateFields = [](TDataSet *ds) { CommonTitles().Apply(ds); };
    QZakazkyD.OnNewRecord = [this](TDataSet *ds) { QZakazkyDNewRecord(ds); };
    QZakazkyD.OnPostError = [this](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        if (!JobNumber.Renumber(ds, e, action))
            DMZal->DataSetErrorHandler(ds, e, action);
    };
    QZakazkyD.AfterPost = [this](TDataSet *ds) { JobNumber.Posted(ds); };
    QZakazkyD.BeforeDelete = [this](TDataSet *ds) { QZakazkyDBeforeDelete(ds); };
    QvZakazkyDKalk.AfterOpen = [this](TDataSet *ds) { QvZakazkyDKalkAfterOpen(ds); };
    QvZakKalkLookup.AfterOpen = [this](TDataSet *ds) { QvZakKalkLookupAfterOpen(ds); };
    // A note number shows as it is printed on the note: 26/0003.
    QvEDListyLookup.AfterOpen = [](TDataSet *ds) {
        ds->FieldByName(QStringLiteral("C_DL"))->DisplayFormat = QStringLiteral("00\"/\"0000");
    };
    QZakZml.OnCreateFields = [this](TDataSet *ds) { QZakZmlCreateFields(ds); };
    QZakZml.OnNewRecord = [this](TDataSet *ds) { QZakZmlNewRecord(ds); };
    QZakZml.BeforeClose = [this](TDataSet *ds) { QZakZmlBeforeClose(ds); };
    QZakRek.OnCreateFields = [this](TDataSet *ds) { QZakRekCreateFields(ds); };
    QZakRek.OnNewRecord = [this](TDataSet *ds) { QZakRekNewRecord(ds); };

    setUpCalculation();
}

void TDMOdbyt::setUpCalculation()
{
    table(QvZakKalk, QStringLiteral("QvZakKalk"), QStringLiteral("VZAKKALK"), true);
    QvZakKalk.BufferChunks = 1;
    source(DSZakKalk, QvZakKalk, QStringLiteral("DSZakKalk"));
    table(QZakOperacie, QStringLiteral("QZakOperacie"), QStringLiteral("ZAKOPERACIE"), true);
    detail(QZakOperacie, DSZakKalk, QStringLiteral("C_INT"), QStringLiteral("C_INT;C_OPERACIE"));
    source(DSZakOperacie, QZakOperacie, QStringLiteral("DSZakOperacie"));
    table(QZakKusovnik, QStringLiteral("QZakKusovnik"), QStringLiteral("ZAKKUSOVNIK"), true);
    detail(QZakKusovnik, DSZakKalk, QStringLiteral("C_INT"), QStringLiteral("C_INT;C_POZICIE"));
    source(DSZakKusovnik, QZakKusovnik, QStringLiteral("DSZakKusovnik"));
    for (auto [t, ds, name, type] : {std::tuple{&QZakKalkO, &DSZakKalkO, "QZakKalkO", "O"},
                                     std::tuple{&QZakKalkM, &DSZakKalkM, "QZakKalkM", "M"}}) {
        table(*t, QString::fromLatin1(name), QStringLiteral("ZAKKALKD"), true);
        t->SetFilter(QStringLiteral("typ_nakl='%1'").arg(QLatin1String(type)));
        detail(*t, DSZakKalk, QStringLiteral("C_INT"), QStringLiteral("C_INT"));
        source(*ds, *t, QStringLiteral("DS") + QString::fromLatin1(name).mid(1));
    }
    for (auto [t, ds, name, type] : {std::tuple{&CNakladovO, &DSCNakladovO, "CNakladovO", "O"},
                                     std::tuple{&CNakladovM, &DSCNakladovM, "CNakladovM", "M"}}) {
        table(*t, QString::fromLatin1(name), QStringLiteral("CNAKLADOV"));
        t->ReadOnly = true;
        t->SetFilter(QStringLiteral("TYP_NAKL='%1'").arg(QLatin1String(type)));
        t->SetIndexFieldNames(QStringLiteral("NAKLAD"));
        source(*ds, *t, QStringLiteral("DS") + QString::fromLatin1(name));
    }

    QvZakKalk.AfterOpen = [this](TDataSet *ds) { QvZakKalkAfterOpen(ds); };
    QvZakKalk.OnCreateFields = [this](TDataSet *ds) { QvZakKalkCreateFields(ds); };
    QvZakKalk.OnNewRecord = [this](TDataSet *ds) { QvZakKalkNewRecord(ds); };
    QZakOperacie.AfterOpen = [this](TDataSet *ds) { QZakOperacieAfterOpen(ds); };
    QZakOperacie.OnNewRecord = [this](TDataSet *ds) { QZakOperacieNewRecord(ds); };
    QZakOperacie.BeforePost = [this](TDataSet *ds) { QZakOperacieBeforePost(ds); };
    QZakOperacie.AfterPost = [this](TDataSet *ds) {
        if (ds->Tag != -1)
            RecalcOperationCosts();
    };
    QZakOperacie.AfterDelete = QZakOperacie.AfterPost;
    QZakKusovnik.OnNewRecord = [this](TDataSet *ds) { QZakKusovnikNewRecord(ds); };
    QZakKusovnik.AfterPost = [this](TDataSet *ds) {
        if (ds->Tag != -1)
            RecalcMaterialCost();
    };
    QZakKusovnik.AfterDelete = QZakKusovnik.AfterPost;
    QZakKalkO.OnNewRecord = [this](TDataSet *ds) { costNewRecord(ds, "O"); };
    QZakKalkO.BeforePost = [this](TDataSet *ds) { QZakKalkOBeforePost(ds); };
    // A line posted or deleted changes the sum at once.
    QZakKalkO.AfterPost = [this](TDataSet *ds) {
        if (ds->Tag != -1)
            runStep([this] { Kalk.SumOtherCosts(); });
    };
    QZakKalkO.AfterDelete = QZakKalkO.AfterPost;
    QZakKalkM.OnNewRecord = [this](TDataSet *ds) { costNewRecord(ds, "M"); };
    QZakKalkM.AfterPost = [this](TDataSet *ds) {
        if (ds->Tag != -1)
            runStep([this] { Kalk.SumExternalCosts(); });
    };
    QZakKalkM.AfterDelete = QZakKalkM.AfterPost;
}

TDMOdbyt::~TDMOdbyt()
{
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QZakKalkM, &QZakKalkO, &QZakKusovnik, &QZakOperacie,
                                                          &QvZakKalk, &CNakladovM, &CNakladovO, &QZakRek, &QCenPonD,
                                                          &QCenPon, &QvZakazkyDKalk, &QvZakKalkLookup, &QvEDListyLookup,
                                                          &QCOdberatelovLookup, &QZakZml, &QZakazkyD, &QvZakazky}) {
        try {
            ds->Close();
        } catch (...) {
            // The connection may already be gone at the end of the run.
        }
    }
    if (DMOdbyt == this)
        DMOdbyt = nullptr;
}
