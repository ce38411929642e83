// The set-up every data module repeats for its tables and queries: name the data set and its data source
// ("DS" + name), link the set to the connection and the source to the set.
#pragma once

#include <QString>

class TDataSource;
class TIBCustomDataSet;
class TIBDatabase;
class TxQuery;
class TxTable;

// A table; without a table name the table is chosen at run time.
void SetUpTable(TxTable &table, TDataSource &source, const QString &name, TIBDatabase *database,
                const QString &tableName = QString());
// A query with its SQL (empty: set later) and, when given, its data source with or without automatic
// editing.
void SetUpQuery(TxQuery &query, TDataSource *source, const QString &name, TIBDatabase *database,
                const QString &sql = QString(), bool autoEdit = true);
