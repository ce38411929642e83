#include "DMMTZ.h"

#include "MTZSql.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "library/DataModuleSetUp.h"

TDMMTZ *DMMTZ = nullptr;

namespace {

// The captions of the items', stocks', movements', orders' and requests' fields, in every list of them.
const TFieldTitle MaterialTitles[] = {
    {"DATUM", "Dátum"},           {"C_DOKLADU", "č.Dokladu"},
    {"TYP_POHYBU", "Typ pohybu"}, {"ID_POHYBU", "č.Pohybu"},
    {"SKLAD", "Sklad"},           {"MNOZSTVO", "Množstvo"},
    {"CENA_NAKL", "Cena/MJ"},     {"STREDISKO", "Stredisko"},
    {"DATUM2", "Dátum exportu"},  {"MNOZ_VYR", "Množ.vyr."},
    {"POZNAMKA", "Poznámka"},     {"VYSTAVIL", "Vystavil"},
    {"D_VYSTAV", "Vystavené"},    {"TYP1", "Typ"},
    {"TYP2", "Podtyp"},           {"ROZMER", "Rozmer"},
    {"POPIS", "Popis"},           {"MATERIAL", "Materiál"},
    {"C_POL_EXT", "č.Externé"},   {"C_VYKRESU", "č.Výkresu"},
    {"CENA_KALK", "Cena kalk."},  {"VAHA1", "Váha"},
    {"VAHA_MAT", "Váha mat."},    {"MNOZ_MIN", "Min.zásoba"},
    {"C_ODB", "č.Odb."},          {"MAJITEL", "Majiteľ"},
    {"PRACOVISKO", "Pracovisko"}, {"TERMIN", "Termín"},
    {"HODNOTA", "Hodnota"},       {"DODAVATEL", "Dodávateľ"},
    {"MNOZ_OBJ", "Množ.objed."},  {"OBRAZOK", "Obrázok"},
    {"ODVEDENE", "Odvedené"},     {"D_OBJ", "Dátum obj."},
};

// The mould data, in the order the item card shows them.
const TFieldTitle MouldTitles[] = {
    {"MATERIAL", "Materiál"},
    {"NASOBNOST", "Násobnosť"},
    {"ZIVOTNOST", "Životnosť"},
    {"OBNOVA", "Obnova"},
    {"JADRAKOV", "Jadrá kov."},
    {"JADRAPIES", "Jadrá pies."},
    {"JADROVNIKY", "Jadrovníky"},
    {"VOLNECASTI", "Voľné časti"},
    {"CHLADITKA", "Chladítka"},
    {"VYSTUHY", "Výstuhy"},
    {"ZALIATOK", "Zaliatok"},
    {"MODDOSKA", "Mod. doska"},
    {"STOL", "Stôl"},
    {"SPTAHAC", "Sťahovač"},
    {"NALIATKY", "Naliatky"},
    {"VTOKSUST", "Vtoková sústava"},
    {"VYPOMDOSKA", "Výpomocná doska"},
    {"MATJADIER", "Mat. jadier"},
    {"MATJADROV", "Mat. jadrovníkov"},
    {"MATCHLAD", "Mat. chladítok"},
};

void materialTitles(TDataSet *ds)
{
    SetFieldTitles(ds, MaterialTitles);
    SetFieldTitles(ds, MouldTitles);
}

// The movements listed and summed: a movement of no job (job 0) shows no job, not "0/0000", as in print.
void listedMovementTitles(TDataSet *ds)
{
    materialTitles(ds);
    if (TField *job = ds->FindField(QStringLiteral("C_INT")))
        job->DisplayFormat = QStringLiteral("#0\"/\"0000;; ");
}

// The data set and its source: the source is named after the set without its leading "Q".
void table(TxTable &t, TDataSource &ds, const QString &name, const QString &tableName, bool autoEdit = true,
           bool cached = false)
{
    SetUpTable(t, ds, name, &DMZal->DBZAL, tableName);
    ds.Name = QStringLiteral("DS") + name.mid(1);
    ds.AutoEdit = autoEdit;
    t.SetCachedUpdates(cached);
}

void source(TDataSource &ds, TDataSet &dataSet, const QString &name, bool autoEdit)
{
    ds.Name = name;
    ds.SetDataSet(&dataSet);
    ds.AutoEdit = autoEdit;
}

void dataSet(TxDataSet &d, const QString &name, const QStringList &select, const QStringList &refresh,
             const QStringList &insert, const QStringList &modify, const QStringList &del)
{
    d.Name = name;
    d.SetDatabase(&DMZal->DBZAL);
    d.SelectSQL.SetText(select.join(QLatin1Char('\n')));
    d.RefreshSQL.SetText(refresh.join(QLatin1Char('\n')));
    d.InsertSQL.SetText(insert.join(QLatin1Char('\n')));
    d.ModifySQL.SetText(modify.join(QLatin1Char('\n')));
    d.DeleteSQL.SetText(del.join(QLatin1Char('\n')));
}

} // namespace

const std::span<const TFieldTitle> MouldFieldTitles(MouldTitles);

void TDMMTZ::SetMaterialTitles(TDataSet *dataSet)
{
    listedMovementTitles(dataSet);
}

TDMMTZ::TDMMTZ()
{
    DMMTZ = this;
    table(QPolozkyKokily, DSPolozkyKokily, QStringLiteral("QPolozkyKokily"), QStringLiteral("POLOZKYKOKILY"), true,
          true);
    table(QMPohyby, DSMPohyby, QStringLiteral("QMPohyby"), QStringLiteral("MPOHYBY"));
    QMPohyby.BufferChunks = 100;
    table(QPolozky, DSPolozky, QStringLiteral("QPolozky"), QStringLiteral("POLOZKY"));
    QPolozky.BufferChunks = 100;
    table(QMSklady, DSMSklady, QStringLiteral("QMSklady"), QStringLiteral("MSKLADY"), false, true);

    SetUpQuery(QvMSklady, &DSvMSklady, QStringLiteral("QvMSklady"), &DMZal->DBZAL,
               MTZSql::StockAsOfDateSql.join(QLatin1Char('\n')), false);
    QvMSklady.BufferChunks = 100;
    SetUpQuery(QvMPohyby, &DSvMPohyby, QStringLiteral("QvMPohyby"), &DMZal->DBZAL,
               MTZSql::MovementsWithItems.join(QLatin1Char('\n')), false);
    QvMPohyby.BufferChunks = 100;

    table(QDodavatelia, DSDodavatelia, QStringLiteral("QDodavatelia"), QStringLiteral("CDODAVATELOV"), false);
    dataSet(QMObj, QStringLiteral("QMObj"), MTZSql::PurchaseOrderSelect, MTZSql::PurchaseOrderRefresh,
            MTZSql::PurchaseOrderInsert, MTZSql::PurchaseOrderModify, MTZSql::PurchaseOrderDelete);
    QMObj.BufferChunks = 100;
    source(DSMObj, QMObj, QStringLiteral("DSMObj"), false);
    table(QMObjD, DSMObjD, QStringLiteral("QMObjD"), QStringLiteral("MOBJEDNAVKYD"), true, true);
    QMObjD.SetMasterSource(&DSMObj);
    QMObjD.SetMasterFields(QStringLiteral("C_OBJ"));
    QMObjD.SetIndexFieldNames(QStringLiteral("C_OBJ;C_RIADKU"));
    dataSet(QMPoziad, QStringLiteral("QMPoziad"), MTZSql::RequestSelect, MTZSql::RequestRefresh, MTZSql::RequestInsert,
            MTZSql::RequestModify, MTZSql::RequestDelete);
    QMPoziad.SetCachedUpdates(true);
    QMPoziad.BufferChunks = 100;
    source(DSMPoziad, QMPoziad, QStringLiteral("DSMPoziad"), false);

    for (TxTable *t : {&QPolozkyKokily, &QPolozky, &QMSklady, &QDodavatelia, &QMObjD})
        t->OnCreateFields = materialTitles;
    QMPohyby.OnCreateFields = [](TDataSet *ds) {
        materialTitles(ds);
        // A movement's job is typed as it is printed (26/0015) or as its plain number.
        ds->FieldByName(QStringLiteral("C_INT"))->OnSetText = &SetOrderNoText;
    };
    QvMSklady.OnCreateFields = materialTitles;
    QvMPohyby.OnCreateFields = listedMovementTitles;
    QMObj.OnCreateFields = materialTitles;
    QMPoziad.OnCreateFields = materialTitles;
    QPolozky.OnNewRecord = [this](TDataSet *ds) { QPolozkyNewRecord(ds); };
    QPolozky.BeforeDelete = [this](TDataSet *ds) { QPolozkyBeforeDelete(ds); };
    QPolozky.BeforePost = [this](TDataSet *ds) { QPolozkyBeforePost(ds); };
    QPolozkyKokily.OnNewRecord = [this](TDataSet *ds) { QPolozkyKokilyNewRecord(ds); };
    QMSklady.OnNewRecord = [this](TDataSet *ds) { QMSkladyNewRecord(ds); };
    QMPohyby.OnNewRecord = [this](TDataSet *ds) { QMPohybyNewRecord(ds); };
    QMPohyby.BeforePost = [this](TDataSet *ds) { QMPohybyBeforePost(ds); };
    QMPohyby.AfterPost = [this](TDataSet *) { drawn_.reset(); };
    QMPohyby.OnPostError = [](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        DMZal->DataSetErrorHandlerEx(ds, e, {}, action);
    };
    QDodavatelia.OnNewRecord = [this](TDataSet *ds) { QDodavateliaNewRecord(ds); };
    QMObj.OnNewRecord = [this](TDataSet *ds) { QMObjNewRecord(ds); };
    QMObj.BeforePost = [this](TDataSet *ds) { QMObjBeforePost(ds); };
    QMObj.AfterOpen = [this](TDataSet *ds) { QMObjAfterOpen(ds); };
    QMObjD.OnNewRecord = [this](TDataSet *ds) { QMObjDNewRecord(ds); };
    QMObjD.BeforePost = [this](TDataSet *ds) { QMObjDBeforePost(ds); };
    QMObjD.BeforeOpen = [this](TDataSet *ds) { QMObjDBeforeOpen(ds); };
}

TDMMTZ::~TDMMTZ()
{
    for (TDataSet *ds :
         std::initializer_list<TDataSet *>{&QMPoziad, &QMObjD, &QMObj, &QDodavatelia, &QvMPohyby, &QvMSklady, &QMSklady,
                                           &QPolozky, &QMPohyby, &QPolozkyKokily}) {
        try {
            ds->Close();
        } catch (...) {
            // Closing at the program's end: nothing left to tell.
        }
    }
    if (DMMTZ == this)
        DMMTZ = nullptr;
}
