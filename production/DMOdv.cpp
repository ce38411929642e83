#include "DMOdv.h"

#include "VyrobaSql.h"
#include "shell/DMZal.h"

TDMOdv *DMOdv = nullptr;

namespace {
// Where the hand-overs' list, overview and print caption a field otherwise than the others.
const TFieldTitle HandOverOwnTitles[] = {
    {"CENA1", "Cena/1ks"},     // the price of one piece handed over, not the catalogue's "Cena v €"
    {"MNOZ_VYR", "Množ.vyr."}, // the job's quantity made, not the catalogue's "Množstvo"
};
// A document number another hand-over of the month holds.
const QString TakenRefusal = QString::fromUtf8("Odvod s rovnakým číslom dokladu v tomto mesiaci už existuje!");
} // namespace

const TFieldTitles HandOverTitles(HandOverOwnTitles);

void TDMOdv::SetHandOverFormats(TDataSet *ds)
{
    // A value below 1 keeps the 0 before its decimal comma: a rate not yet known reads 0,00000, not ,00000.
    const std::pair<const char *, const char *> formats[] = {
        {"VAHA1", "###0.000"}, {"KURZ", "###0.00000"}, {"CENA_KURZ1", "#####0.00"}};
    for (const auto &[name, format] : formats)
        if (TField *f = ds->FindField(QString::fromLatin1(name)))
            f->DisplayFormat = QString::fromLatin1(format);
    if (TField *rate = ds->FindField(QStringLiteral("KURZ"))) {
        rate->MinValue = MinRate;
        rate->MaxValue = MaxRate;
    }
}

TDMOdv::TDMOdv()
{
    DMOdv = this;
    TIBDatabase *db = &DMZal->DBZAL;
    QvSOdvody.Name = QStringLiteral("QvSOdvody");
    QvSOdvody.SetDatabase(db);
    QvSOdvody.SelectSQL = VyrobaSql::OdvSelect;
    QvSOdvody.ModifySQL = VyrobaSql::OdvModify;
    QvSOdvody.InsertSQL = VyrobaSql::OdvInsert;
    QvSOdvody.DeleteSQL = VyrobaSql::OdvDelete;
    DSvSOdvody.Name = QStringLiteral("DSvSOdvody");
    DSvSOdvody.SetDataSet(&QvSOdvody);
    QvZakKalk.Name = QStringLiteral("QvZakKalk");
    QvZakKalk.SetDatabase(db);
    QvZakKalk.SQL() = VyrobaSql::OdvCalculation;
    DSvZakKalk.Name = QStringLiteral("DSvZakKalk");
    DSvZakKalk.SetDataSet(&QvZakKalk);

    QvSOdvody.OnCreateFields = [](TDataSet *ds) {
        HandOverTitles.Apply(ds);
        SetHandOverFormats(ds);
    };
    QvSOdvody.AfterOpen = [this](TDataSet *ds) { attachRules(ds); };
    QvSOdvody.OnNewRecord = [this](TDataSet *ds) { NewRecord(ds); };
    QvSOdvody.BeforeEdit = [this](TDataSet *) { CheckHandOverMonthOpen(); };
    QvSOdvody.BeforeDelete = [this](TDataSet *ds) { BeforeDelete(ds); };
    QvSOdvody.AfterPost = [this](TDataSet *ds) { AfterPost(ds); };
    QvSOdvody.OnPostError = [this](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        if (!DocumentNumber.Renumber(ds, e, action))
            DMZal->DataSetErrorHandlerEx(ds, e,
                                         {QString::fromUtf8("UX_SODVODY_MESIAC_CDOKLADU|") + TakenRefusal,
                                          QString::fromUtf8("PK_SODVODY|") + TakenRefusal},
                                         action);
    };
}

TDMOdv::~TDMOdv()
{
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QvZakKalk, &QvSOdvody}) {
        try {
            ds->Close();
        } catch (...) {
            // The connection may already be gone at the end of the run.
        }
    }
    if (DMOdv == this)
        DMOdv = nullptr;
}
