// The performance form's list menu: the pop-up of the two entry lists and the overview's double click,
// both moving from a listed performance to the day of its employee or to the overviews; the overview's
// row colours.
#include "SVykonyForm.h"

#include "platform/ui/DBGrid.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/Guarded.h"
#include "shell/Routines.h"

#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

void TSVykonyForm::buildListMenu()
{
    popupVykony = new QMenu(this);
    popupVykony->setObjectName(QStringLiteral("popupVykony"));
    const auto add = [this](const char *caption, std::function<void()> run) {
        return AddGuardedAction(popupVykony, QString::fromUtf8(caption), std::move(run));
    };
    actNovy = add("&Nový", [this] { NewRow(); });
    actOprav = add("&Oprav", [this] { openEmployeeDay(); });
    actZmaz = add("&Zmaž", [this] { DeleteRow(); });
    actPrehladOsc = add("Prehľad OSC", [this] { overviewOf(vOSC3, QStringLiteral("OSC")); });
    actPrehladZakazka = add("Prehľad ZAKAZKA", [this] { overviewOf(vC_INT3, QStringLiteral("C_INT")); });
    actKoniec = add("&Koniec", [this] { Close(); });
    connect(popupVykony, &QMenu::aboutToShow, this, [this] { updateListMenu(); });
    for (TDBGrid *grid : {DBGridVykonyZak, DBGridPracovnik}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this,
                [this, grid](const QPoint &at) { popupVykony->popup(grid->viewport()->mapToGlobal(at)); });
    }
    DBGridPrehlad->OnDblClick = [this](TDBGrid *) { Guarded([this] { openEmployeeDay(); }); };
    // A negative wage (a storno) in red, else a row with defects in fuchsia.
    DBGridPrehlad->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *, TCellFont &font, QColor &, bool) {
        TField *wage = ds->FindField(QStringLiteral("MZDA"));
        TField *defects = ds->FindField(QStringLiteral("ZMATKY"));
        if (wage && wage->AsFloat() < 0)
            font.Color = Qt::red;
        else if (defects && defects->AsFloat() > 0)
            font.Color = Qt::magenta;
    };
}

void TSVykonyForm::updateListMenu()
{
    const bool open = DMVyk->QvSVykony.Active();
    actNovy->setEnabled(pcVykony->currentWidget() == tsPracovnik);
    actOprav->setEnabled(open && pcVykony->currentWidget() == tsZakazka);
    for (QAction *action : {actZmaz, actPrehladOsc, actPrehladZakazka})
        action->setEnabled(open);
}

void TSVykonyForm::openEmployeeDay()
{
    TxDataSet &q = DMVyk->QvSVykony;
    if (!q.Active() || q.IsEmpty())
        return;
    if (TField *day = q.FindField(QStringLiteral("DATUM")); day && !day->IsNull())
        vDatum2->SetDate(day->AsDate());
    if (TField *osc = q.FindField(QStringLiteral("OSC")); osc && !osc->IsNull())
        vOSC2->SetText(osc->AsString());
    if (pcVykony->currentWidget() == tsPracovnik)
        ReloadEmployeeList();
    else
        pcVykony->setCurrentWidget(tsPracovnik);
}

void TSVykonyForm::overviewOf(QLineEdit *filter, const QString &fieldName)
{
    TxDataSet &q = DMVyk->QvSVykony;
    if (!q.Active() || q.IsEmpty())
        return;
    filter->setText(q.FieldByName(fieldName)->AsString());
    if (pcVykony->currentWidget() == tsPrehlady)
        RefreshPerformanceOverview();
    else
        pcVykony->setCurrentWidget(tsPrehlady);
}
