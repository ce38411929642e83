#include "DataModuleSetUp.h"

#include "xQuery.h"
#include "xTable.h"
#include "platform/db/DataSource.h"

namespace {

void link(TIBCustomDataSet &dataSet, TDataSource *source, const QString &name, TIBDatabase *database)
{
    dataSet.Name = name;
    dataSet.SetDatabase(database);
    if (source) {
        source->Name = QStringLiteral("DS") + name;
        source->SetDataSet(&dataSet);
    }
}

} // namespace

void SetUpTable(TxTable &table, TDataSource &source, const QString &name, TIBDatabase *database,
                const QString &tableName)
{
    link(table, &source, name, database);
    if (!tableName.isEmpty())
        table.SetTableName(tableName);
}

void SetUpQuery(TxQuery &query, TDataSource *source, const QString &name, TIBDatabase *database, const QString &sql,
                bool autoEdit)
{
    link(query, source, name, database);
    if (!sql.isEmpty())
        query.SQL().SetText(sql);
    if (source)
        source->AutoEdit = autoEdit;
}
