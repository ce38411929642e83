#include "xFilterForm.h"

#include "SqlLiteral.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"

#include <QHeaderView>
#include <QTableWidget>

TxFilterForm::TxFilterForm(QWidget *owner) : TForm(owner)
{
    setWindowTitle(QStringLiteral("Filter"));
    Position = poScreenCenter;
    resize(400, 300);
    StringGrid = new QTableWidget(0, 2, this);
    StringGrid->setObjectName(QStringLiteral("StringGrid"));
    StringGrid->setHorizontalHeaderLabels({QStringLiteral("Pole"), QStringLiteral("Hodnota")});
    StringGrid->verticalHeader()->setVisible(false);
    StringGrid->verticalHeader()->setDefaultSectionSize(17);
    StringGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    OKButton = new TButton(QStringLiteral("Ok"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->SetModalResult(mrOk);
    CancelButton = new TButton(QStringLiteral("Storno"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
}

void TxFilterForm::resizeEvent(QResizeEvent *e)
{
    TForm::resizeEvent(e);
    StringGrid->setGeometry(0, 0, std::max(width() - 100, 50), height());
    StringGrid->horizontalHeader()->setDefaultSectionSize(StringGrid->width() / 2);
    OKButton->setGeometry(width() - 90 - 2, 20, 90, 25);
    CancelButton->setGeometry(width() - 90 - 2, 50, 90, 25);
}

void TxFilterForm::SetDataSource(TDataSource *source)
{
    dataSource_ = source;
    TDataSet *ds = source ? source->DataSet() : nullptr;
    const int n = ds ? ds->FieldCount() : 0;
    StringGrid->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        auto *name = new QTableWidgetItem(ds->Fields(i)->FieldName());
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        StringGrid->setItem(i, 0, name);
        StringGrid->setItem(i, 1, new QTableWidgetItem());
    }
}

QString TxFilterForm::BuildFilter() const
{
    TDataSet *ds = dataSource_ ? dataSource_->DataSet() : nullptr;
    QString filter;
    for (int r = 0; ds && r < StringGrid->rowCount() && r < ds->FieldCount(); ++r) {
        const QTableWidgetItem *item = StringGrid->item(r, 1);
        const QString text = item ? item->text() : QString();
        if (text.isEmpty())
            continue;
        if (!filter.isEmpty())
            filter += QStringLiteral(" AND ");
        filter += FieldCondition(ds->Fields(r), text);
    }
    return filter;
}

QString TxFilterForm::TypedValueError() const
{
    TDataSet *ds = dataSource_ ? dataSource_->DataSet() : nullptr;
    for (int r = 0; ds && r < StringGrid->rowCount() && r < ds->FieldCount(); ++r) {
        const QTableWidgetItem *item = StringGrid->item(r, 1);
        if (!item || item->text().isEmpty())
            continue;
        if (const QString error = FieldConditionError(ds->Fields(r)->DataType(), item->text()); !error.isEmpty())
            return ds->Fields(r)->FieldName() + QStringLiteral(": ") + error;
    }
    return QString();
}

int TxFilterForm::Execute()
{
    const int result = ShowModal();
    TDataSet *ds = dataSource_ ? dataSource_->DataSet() : nullptr;
    // Letters typed for a number or a date are refused in words and the filter stays as it was.
    if (const QString error = result == mrOk ? TypedValueError() : QString(); !error.isEmpty()) {
        ShowError(error);
        return mrCancel;
    }
    if (result == mrOk && ds) {
        filterText_ = BuildFilter();
        ds->SetFilterText(filterText_);
        ds->SetFiltered(!filterText_.isEmpty());
    }
    return result;
}
