#include "DMVyroba.h"

#include "VyrobaSql.h"
#include "library/DataModuleSetUp.h"
#include "library/FieldTitles.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/db/Field.h"
#include "platform/os/Exception.h"

TDMVyroba *DMVyroba = nullptr;

void SetProductionTitles(TDataSet *dataSet)
{
    CommonTitles().Apply(dataSet);
}

TDMVyroba::TDMVyroba()
{
    DMVyroba = this;
    TIBDatabase *db = &DMZal->DBZAL;
    const auto setUp = [db](TxDataSet &ds, TDataSource &source, const QString &name) {
        ds.Name = name;
        ds.SetDatabase(db);
        source.Name = QStringLiteral("DS") + name.mid(1);
        source.SetDataSet(&ds);
        ds.OnCreateFields = SetProductionTitles;
    };
    setUp(QSRV, DSSRV, QStringLiteral("QSRV"));
    QSRV.SelectSQL = VyrobaSql::SrvSelect;
    QSRV.InsertSQL = VyrobaSql::SrvInsert;
    QSRV.ModifySQL = VyrobaSql::SrvModify;
    QSRV.DeleteSQL = VyrobaSql::SrvDelete;
    QSRV.RefreshSQL = VyrobaSql::SrvRefresh;
    QSRV.AfterOpen = [this](TDataSet *ds) {
        for (const char *name : {"C_INT", "MNOZSTVO"})
            if (TField *f = ds->FindField(QString::fromLatin1(name)))
                f->OnChange = [this](TField *field) { RecalcWipRow(field); };
    };
    QSRV.OnPostError = [](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        DMZal->DataSetErrorHandler(ds, e, action);
    };

    setUp(QSPlan, DSSPlan, QStringLiteral("QSPlan"));
    QSPlan.InsertSQL = VyrobaSql::SPlanInsert;
    QSPlan.ModifySQL = VyrobaSql::SPlanModify;
    QSPlan.DeleteSQL = VyrobaSql::SPlanDelete;
    QSPlan.BeforeDelete = [this](TDataSet *ds) { QSPlanBeforeDelete(ds); };
    QSPlan.AfterOpen = [](TDataSet *ds) {
        // A worker assigned to an operation is one of the employees; 0 or nothing takes the assignment away.
        if (TField *osc = ds->FindField(QStringLiteral("OSC")))
            osc->OnValidate = [](TField *f) {
                if (!f->IsNull() && f->AsInteger() != 0 &&
                    SelectValueParams(VyrobaSql::EmployeeCount, {f->AsInteger()}).toInt() == 0)
                    throw EDatabaseError(QString::fromUtf8("Pracovník č. %1 neexistuje.").arg(f->AsInteger()));
            };
    };
    QSPlan.OnPostError = [](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        DMZal->DataSetErrorHandler(ds, e, action);
    };

    setUp(QVPoziad, DSVPoziad, QStringLiteral("QVPoziad"));
    DSVPoziad.AutoEdit = false;
    QVPoziad.SetCachedUpdates(true);
    QVPoziad.SelectSQL = VyrobaSql::PoziadSelect;
    QVPoziad.ModifySQL = VyrobaSql::PoziadModify;
    QVPoziad.DeleteSQL = VyrobaSql::PoziadDelete;
}

TDMVyroba::~TDMVyroba()
{
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QVPoziad, &QSPlan, &QSRV}) {
        try {
            ds->Close();
        } catch (...) {
            // The connection may already be gone at the end of the run.
        }
    }
    if (DMVyroba == this)
        DMVyroba = nullptr;
}
