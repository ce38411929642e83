#include "ListTotal.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

TListTotal::TListTotal(TDataSource *source, std::function<void()> show) : show_(std::move(show))
{
    SetDataSource(source);
    update();
}

void TListTotal::update()
{
    // A row being typed counts once it is stored; reading the rows may fetch more of them, which tells again.
    const TDataSet *ds = DataSet();
    if (showing_ || !show_ || (ds && ds->Active() && ds->State() != dsBrowse))
        return;
    showing_ = true;
    try {
        show_();
    } catch (...) {
        showing_ = false;
        throw;
    }
    showing_ = false;
}

double TListTotal::Sum(TDataSet *dataSet, const QString &fieldName)
{
    double sum = 0;
    if (!dataSet || !dataSet->Active())
        return sum;
    const TField *field = dataSet->FindField(fieldName);
    if (!field)
        return sum;
    dataSet->FetchAll();
    for (int row = 0; row < dataSet->RecordCount(); ++row)
        dataSet->WithRecord(row, [&] { sum += field->AsFloat(); });
    return sum;
}
