#include "DMOdv.h"

#include "VyrobaSql.h"
#include "shell/DMZal.h"

TDMOdv *DMOdv = nullptr;

TDMOdv::TDMOdv()
{
    DMOdv = this;
    TIBDatabase *db = &DMZal->DBZAL;
    QvSOdvody.Name = QStringLiteral("QvSOdvody");
    QvSOdvody.SetDatabase(db);
    QvSOdvody.SetCachedUpdates(true);
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

    QvSOdvody.AfterOpen = [this](TDataSet *ds) { attachRules(ds); };
    QvSOdvody.OnNewRecord = [this](TDataSet *ds) { NewRecord(ds); };
    QvSOdvody.BeforeEdit = [this](TDataSet *) { CheckHandOverMonthOpen(); };
    QvSOdvody.BeforeDelete = [this](TDataSet *ds) { BeforeDelete(ds); };
    QvSOdvody.AfterPost = [this](TDataSet *ds) { AfterPost(ds); };
    QvSOdvody.AfterDelete = [](TDataSet *ds) { ds->ApplyUpdates(); };
    QvSOdvody.OnPostError = [](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        DMZal->DataSetErrorHandler(ds, e, action);
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
