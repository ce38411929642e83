// The attendance and wages form's pop-up menus: the employee list's pages and order, and the wages of
// all with the way from a wage row to that employee's wage.
#include "SMzdyForm.h"

#include "DMMzdy.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Guarded.h"

#include <QMenu>
#include <QTabWidget>

namespace {

void popUpOn(TDBGrid *grid, QMenu *menu)
{
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, menu,
                     [grid, menu](const QPoint &at) { menu->popup(grid->viewport()->mapToGlobal(at)); });
}

} // namespace

void TSMzdyForm::buildMenus()
{
    PopupMenuZamestnanci = new QMenu(this);
    PopupMenuZamestnanci->setObjectName(QStringLiteral("PopupMenuZamestnanci"));
    const QList<QPair<const char *, QWidget *>> pages{
        {"Dochádzka", tabDochadzka}, {"Mzda", tabMzda}, {"Výkony", tabVykony}};
    for (const auto &[caption, tab] : pages)
        AddGuardedAction(PopupMenuZamestnanci, QString::fromUtf8(caption),
                         [this, tab = tab] { PageControlMzdy->setCurrentWidget(tab); });
    QMenu *order = PopupMenuZamestnanci->addMenu(QStringLiteral("Triedenie"));
    const QList<QPair<const char *, const char *>> orders{
        {"Os.číslo", "OSC"}, {"Priezvisko", "PRIEZVISKO"}, {"Stredisko", "STREDISKO"}, {"Profesia", "PROFESIA"}};
    for (const auto &[caption, field] : orders)
        AddGuardedAction(order, QString::fromUtf8(caption),
                         [this, field = field] { OrderEmployees(QString::fromLatin1(field)); });
    AddGuardedAction(PopupMenuZamestnanci, QString::fromUtf8("Koniec"), [this] { SetModalResult(mrOk); });
    popUpOn(DBGridZamestnanci, PopupMenuZamestnanci);

    PopupMenuMzdyAll = new QMenu(this);
    PopupMenuMzdyAll->setObjectName(QStringLiteral("PopupMenuMzdyAll"));
    AddGuardedAction(PopupMenuMzdyAll, QString::fromUtf8("Oprav"), [this] { EditWageOfRow(); });
    AddGuardedAction(PopupMenuMzdyAll, QString::fromUtf8("Tlač"), [this] { PrintWages(); });
    AddGuardedAction(PopupMenuMzdyAll, QString::fromUtf8("Koniec"), [this] { SetModalResult(mrOk); });
    popUpOn(DBGridMzdyAll, PopupMenuMzdyAll);
    DBGridMzdyAll->OnDblClick = [this](TDBGrid *) { Guarded([this] { EditWageOfRow(); }); };
}

void TSMzdyForm::OrderEmployees(const QString &fieldName)
{
    TxQuery &q = DMMzdy->QZamestnanci;
    const QVariant osc = q.Active() && !q.IsEmpty() ? q.FieldByName(QStringLiteral("OSC"))->Value() : QVariant();
    q.Close();
    q.SetOrderBy(fieldName);
    q.Open();
    if (!osc.isNull())
        q.Locate(QStringLiteral("OSC"), osc);
}

void TSMzdyForm::EditWageOfRow()
{
    TxQuery &wages = DMMzdy->QMzdy;
    if (!wages.Active() || wages.IsEmpty())
        return;
    const QVariant osc = wages.FieldByName(QStringLiteral("OSC"))->Value();
    DBGridZamestnanci->ClearMarks();
    DMMzdy->QZamestnanci.Locate(QStringLiteral("OSC"), osc);
    PageControlMzdy->setCurrentWidget(tabMzda);
}
