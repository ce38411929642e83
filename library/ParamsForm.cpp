#include "library/ParamsForm.h"

#include "platform/ui/BitBtn.h"
#include "platform/ui/FormGlobal.h"

#include <QHeaderView>
#include <QTableWidget>

TParamsForm::TParamsForm(QWidget *owner) : TForm(owner)
{
    setObjectName(QStringLiteral("ParamsForm"));
    setWindowTitle(QStringLiteral("Parametre"));
    setFixedSize(280, 160);
    Position = poScreenCenter;
    sgParams = new QTableWidget(0, 2, this);
    sgParams->setObjectName(QStringLiteral("sgParams"));
    sgParams->setGeometry(2, 2, 216, 152);
    sgParams->horizontalHeader()->setVisible(false);
    sgParams->verticalHeader()->setVisible(false);
    sgParams->verticalHeader()->setDefaultSectionSize(20);
    sgParams->horizontalHeader()->setDefaultSectionSize(96);
    sgParams->setEditTriggers(QAbstractItemView::AllEditTriggers);
    btnOk = new TButton(QStringLiteral("Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(224, 130, 48, 25);
    btnOk->SetModalResult(mrOk);
}

void TParamsForm::SetRow(int row, const QString &name, const QString &value)
{
    // The name column is fixed: shown grey, not editable.
    auto *nameItem = new QTableWidgetItem(name);
    nameItem->setFlags(Qt::ItemIsEnabled);
    nameItem->setBackground(palette().button());
    sgParams->setItem(row, 0, nameItem);
    sgParams->setItem(row, 1, new QTableWidgetItem(value));
}

QString TParamsForm::Value(int row) const
{
    const QTableWidgetItem *item = sgParams->item(row, 1);
    return item ? item->text() : QString();
}

namespace {
TParamsForm *paramsForm = nullptr;
}

TParamsForm &ParamsForm()
{
    if (!paramsForm)
        TrackGlobal(new TParamsForm(ApplicationMainForm()), paramsForm);
    return *paramsForm;
}
