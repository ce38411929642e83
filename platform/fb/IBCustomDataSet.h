// The Firebird data sets: TIBCustomDataSet fetches a select lazily into the cursor model and writes
// changes through update statements; TIBQuery (SQL text with parameters), TIBDataSet (select, refresh,
// insert, modify and delete statements), TIBUpdateSQL (update statements for a query), TIBTable
// (statements generated from a table name).
#pragma once

#include "IBDatabase.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/fbapi/PackedRow.h"
#include "platform/fbapi/Statement.h"

#include <QDate>
#include <QDateTime>
#include <map>

class TParam {
public:
    explicit TParam(const QString &name) : Name(name) {}
    QString Name;
    QVariant Value;
    // The parameter was given a value by the program (master links fill only the others).
    bool Bound = false;

    void SetValue(const QVariant &v)
    {
        Value = v;
        Bound = true;
    }
    void Clear() { SetValue(QVariant()); }
    bool IsNull() const { return Value.isNull(); }
    QString AsString() const { return Value.toString(); }
    void SetAsString(const QString &s) { SetValue(s); }
    int AsInteger() const { return Value.toInt(); }
    void SetAsInteger(int v) { SetValue(v); }
    qint64 AsLargeInt() const { return Value.toLongLong(); }
    double AsFloat() const { return Value.toDouble(); }
    void SetAsFloat(double v) { SetValue(v); }
    QDate AsDate() const { return Value.toDate(); }
    void SetAsDate(const QDate &v) { SetValue(v); }
    QDateTime AsDateTime() const { return Value.toDateTime(); }
    void SetAsDateTime(const QDateTime &v) { SetValue(v); }
    void SetAsBoolean(bool v) { SetValue(v); }
};

// The parameters of a statement, one per distinct name, in order of first use.
class TParams {
public:
    int Count() const { return int(list_.size()); }
    TParam &operator[](int i) { return *list_[i]; }
    const TParam &operator[](int i) const { return *list_[i]; }
    TParam *FindParam(const QString &name) const;
    // Throws EDatabaseError when there is no such parameter.
    TParam &ParamByName(const QString &name) const;
    // Rebuilds the list for new names, keeping the values (and their types) of names that remain.
    void Rebuild(const QStringList &names);
    void Clear() { list_.clear(); }

private:
    std::vector<std::unique_ptr<TParam>> list_;
};

class TIBUpdateSQL;

class TIBCustomDataSet : public TDataSet {
public:
    TIBCustomDataSet();
    ~TIBCustomDataSet() override;

    TIBDatabase *Database() const { return db_; }
    void SetDatabase(TIBDatabase *db);
    TIBTransaction *Transaction() const { return tr_; }
    void SetTransaction(TIBTransaction *t);

    TParams &Params() { return params_; }
    TParam &ParamByName(const QString &name) { return params_.ParamByName(name); }
    int ParamCount() const { return params_.Count(); }

    // A master whose fields fill the parameters of the same names; the data set reopens when the
    // master moves to another record.
    TDataSource *DataSource() const { return masterLink_.DataSource(); }
    void SetDataSource(TDataSource *source)
    {
        masterLink_.closedByMaster_ = false;
        masterLink_.SetDataSource(source);
    }

    // The data set whose rows choose this one's (its master), if any.
    virtual TDataSet *MasterDataSet() const { return masterLink_.DataSet(); }

    void SetUpdateObject(TIBUpdateSQL *u);

    // Applies the cached changes under a savepoint of the transaction: all or nothing.
    void ApplyUpdates() override;

    void Prepare();
    bool Prepared() const { return select_.isPrepared(); }
    // Rows changed by the last statement run.
    int RowsAffected() const { return rowsAffected_; }
    QString Plan();
    // The names the server gives the prepared select's result columns, in order, repeats as they come
    // (the fields take them made unique).
    QStringList ColumnNames() const;
    // The master's linking values changed before this data set's new rows were written (a new master
    // renumbered at its save): those rows take the master's values in their linking fields and the rows
    // are not read again for them.
    void FollowRenumberedMaster();
    // Rows fetched per read-ahead: kept for the forms that set it.
    int BufferChunksDummy = 0;

protected:
    // The select text to prepare (with :names).
    virtual QString SelectText() const = 0;
    // A last look at the text before it is prepared.
    virtual void PrepareText(QString &) {}
    virtual QString RefreshText() const;
    virtual QString InsertText(const std::vector<QVariant> &newData) const;
    virtual QString ModifyText(const std::vector<QVariant> &newData, const std::vector<QVariant> &oldData) const;
    virtual QString DeleteText() const;
    // Fills parameters from the master before opening (tables use their own master link).
    virtual void SetParamsFromMaster();
    virtual void MasterChanged();

    void InternalOpen() override;
    void InternalClose() override;
    void DoAfterInternalClose() override;
    int RawRowSize() const override;
    const char *InternalFetchRaw() override;
    int InternalStoreRaw(const char *raw, char *dst) const override;
    QVariant InternalDecode(const char *raw, int column) const override;
    QVariant InternalReadBlob(const TField *field, const QVariant &stored) const override;
    void InternalPost(bool inserted, std::vector<QVariant> &newData, const std::vector<QVariant> &oldData) override;
    void InternalDelete(const std::vector<QVariant> &data) override;
    void InternalApplyUpdate(TUpdateKind kind, std::vector<QVariant> &newData,
                             const std::vector<QVariant> &oldData) override;
    bool InternalRefreshRecord(std::vector<QVariant> &data) override;
    bool CanRefreshRecord() const override { return !RefreshText().trimmed().isEmpty(); }
    bool InternalCanModify() const override;

    // Prepares (once per text) and runs an update statement whose :NAME parameters are fields of the
    // record (new values) and :OLD_NAME their old values; returns the rows affected.
    int ExecUpdate(const QString &sql, const std::vector<QVariant> &newData, const std::vector<QVariant> &oldData);
    // An UPDATE without its SET items whose parameter is neither a field nor a parameter of this data
    // set (so a column the select does not carry is not overwritten with null); empty when none is left.
    QString WithoutUnboundSetItems(const QString &sql) const;
    // Runs a statement with this data set's parameters (queries' ExecSQL).
    void ExecWithParams(const QString &sql);
    void CheckDatabase() const;
    void BindParams(fb::Statement &stmt, const QStringList &names);
    const std::vector<fb::Column> &Columns() const { return select_.outputs(); }
    // A detail follows its master closing and opening: the detail open as its master closes is closed with
    // it and opened again when the master opens (a master read again for a filter, an order or a refresh
    // closes and opens). True when it closed or opened the detail; closedByMaster keeps the mark between.
    bool FollowMasterActive(bool masterActive, bool &closedByMaster);
    TParams params_;
    int rowsAffected_ = 0;
    QString preparedText_;
    QStringList preparedNames_;

private:
    friend class TIBDatabase;
    friend class TIBTransaction;
    class MasterLink : public TDataLink {
    public:
        explicit MasterLink(TIBCustomDataSet *owner) : owner_(owner) {}

    protected:
        void ActiveChanged() override;
        void DataSetChanged() override;
        void DataSetScrolled(int) override { DataSetChanged(); }
        void RecordChanged(TField *) override {}

    public:
        bool closedByMaster_ = false; // forgotten when the master changes

    private:
        TIBCustomDataSet *owner_;
    };
    fb::Statement &statementFor(const QString &sql, QStringList &names, fb::Transaction &in);
    // Makes the select statement the one of text: kept as it is when prepared for it in the current
    // generation, else the one held goes back to the connection and one of the text is borrowed.
    void usePrepared(const QString &text, fb::Transaction &in);
    // Gives the statements held back to the connection (the select's and the update statements).
    void lendBack();

    TIBDatabase *db_ = nullptr;
    TIBTransaction *tr_ = nullptr;
    TIBUpdateSQL *updateObject_ = nullptr;
    fb::Statement select_;
    // What the connection lent with the select statement (its statement lives in select_ meanwhile).
    std::unique_ptr<TPreparedStatement> held_;
    // The select's cursor was opened in the transaction itself (not its read-only companion).
    bool cursorOnWrite_ = false;
    std::shared_ptr<const fb::PackedRow> packed_; // how fetched rows of the select are kept
    MasterLink masterLink_{this};
    std::map<QString, std::unique_ptr<TPreparedStatement>> updateStatements_;
    std::vector<QVariant> masterValues_;
};

class TIBQuery : public TIBCustomDataSet {
public:
    TIBQuery();
    TStringList &SQL() { return sql_; }
    const TStringList &SQL() const { return sql_; }
    // Runs a statement that returns no rows.
    virtual void ExecSQL();

protected:
    QString SelectText() const override { return sql_.Text(); }
    TStringList sql_;
};

class TIBDataSet : public TIBCustomDataSet {
public:
    TIBDataSet();
    TStringList SelectSQL, RefreshSQL, InsertSQL, ModifySQL, DeleteSQL;
    void ExecSQL();

protected:
    QString SelectText() const override { return SelectSQL.Text(); }
    QString RefreshText() const override;
    QString InsertText(const std::vector<QVariant> &) const override;
    QString ModifyText(const std::vector<QVariant> &, const std::vector<QVariant> &) const override;
    QString DeleteText() const override;
};

// Update statements of a query with cached updates.
class TIBUpdateSQL {
public:
    QString Name;
    TStringList RefreshSQL, ModifySQL, InsertSQL, DeleteSQL;
    TIBCustomDataSet *DataSet = nullptr;
};

class TIBTable : public TIBCustomDataSet {
public:
    TIBTable() = default;
    QString TableName() const { return tableName_; }
    void SetTableName(const QString &name);
    // Field names separated by ';' giving the order (a name may be followed by " DESC").
    QString IndexFieldNames() const { return indexFieldNames_; }
    void SetIndexFieldNames(const QString &names);
    TDataSource *MasterSource() const { return masterSource_.DataSource(); }
    void SetMasterSource(TDataSource *source);
    QString MasterFields() const { return masterFields_; }
    void SetMasterFields(const QString &fields);
    TDataSet *MasterDataSet() const override
    {
        return MasterSource() ? masterSource_.DataSet() : TIBCustomDataSet::MasterDataSet();
    }
    // The filter is SQL, applied by the server.
    void SetFilterText(const QString &text) override;
    void SetFiltered(bool on) override;

protected:
    QString SelectText() const override;
    QString RefreshText() const override;
    QString InsertText(const std::vector<QVariant> &newData) const override;
    QString ModifyText(const std::vector<QVariant> &newData, const std::vector<QVariant> &oldData) const override;
    QString DeleteText() const override;
    void SetParamsFromMaster() override;
    QString WhereKey(bool old) const;
    QStringList keyColumns() const;

private:
    class MasterSourceLink : public TDataLink {
    public:
        explicit MasterSourceLink(TIBTable *owner) : owner_(owner) {}

    protected:
        void ActiveChanged() override;
        void DataSetChanged() override;
        void DataSetScrolled(int) override { DataSetChanged(); }
        // Before the master moves, a detail row being typed is posted (or, untouched, dropped): the move
        // reads the detail again. A refused post stops the master's move.
        void CheckBrowseMode() override;

    public:
        bool closedByMaster_ = false; // forgotten when the master changes

    private:
        TIBTable *owner_;
    };
    void reopen();
    QString tableName_;
    QString indexFieldNames_;
    QString masterFields_;
    MasterSourceLink masterSource_{this};
    std::vector<QVariant> masterValues_;
};
