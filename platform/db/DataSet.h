// TDataSet: a cursor over rows with one current record, states, events, bookmarks, computed fields and
// cached updates. A provider (the Firebird query, table and updatable data set) fetches rows lazily and
// writes changes; this class keeps the rows and runs the rules.
#pragma once

#include "DBTypes.h"
#include "Field.h"
#include "platform/os/CaseFoldedName.h"
#include "platform/os/Exception.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class TDataSource;

struct TFieldDef {
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    bool Required = false;
    int Scale = 0;
    QString Relation; // table of the column, when known
    QString Origin;   // the column's name in its table
};

// The field names of result columns in order. Unnamed expressions share the server's default name, and
// a join may carry the same column twice: the first keeps its name, each later one gets "_1", "_2", ...
// (skipping names the result carries already), so every column has a field of its own.
QStringList UniqueFieldNames(const QStringList &names);
// Gives the definitions the names UniqueFieldNames makes of theirs.
void MakeFieldNamesUnique(std::vector<TFieldDef> &defs);

// What a row carries once it is changed, computed or deleted: most rows never need it.
struct TRecordExtra {
    const char *raw = nullptr;                       // the row as fetched (see TRecord)
    std::unique_ptr<std::vector<QVariant>> values;   // data fields, once changed (else decoded from raw)
    std::unique_ptr<std::vector<QVariant>> original; // cached updates: data before the first change
    bool originalIsRaw = false;                      // ... or the raw row itself
    std::unique_ptr<std::vector<QVariant>> calc;     // computed fields, filled on demand
    int deletedAt = -1;                              // cached deletes: where the row stood
};

// One row of a data set: kept small (16 bytes), a data set may hold millions. A row as fetched points
// at its raw row; once it needs more, it points at its extra part, which then holds the raw row.
struct TRecord {
    TRecord() : id(0), status(usUnmodified), hasExtra_(false) {}
    ~TRecord()
    {
        if (hasExtra_)
            delete extra_;
    }
    TRecord(const TRecord &) = delete;
    TRecord &operator=(const TRecord &) = delete;

    // The fetched row as the provider stored it.
    const char *raw() const { return hasExtra_ ? extra_->raw : raw_; }
    void setRaw(const char *raw) { (hasExtra_ ? extra_->raw : raw_) = raw; }
    // See TRecordExtra; absent on a row as fetched.
    TRecordExtra *extra() const { return hasExtra_ ? extra_ : nullptr; }
    TRecordExtra &more()
    {
        if (!hasExtra_) {
            auto *x = new TRecordExtra;
            x->raw = raw_;
            extra_ = x;
            hasExtra_ = true;
        }
        return *extra_;
    }
    std::vector<QVariant> *values() const { return hasExtra_ ? extra_->values.get() : nullptr; }

    TBookmark id : 56;
    TUpdateStatus status : 7;

private:
    bool hasExtra_ : 1;
    union {
        const char *raw_ = nullptr;
        TRecordExtra *extra_;
    };
};
static_assert(sizeof(TRecord) == 16);

class TDataSet {
public:
    TDataSet();
    virtual ~TDataSet();
    TDataSet(const TDataSet &) = delete;
    TDataSet &operator=(const TDataSet &) = delete;

    QString Name;
    int Tag = 0;

    // ---- opening and state
    void Open();
    void Close();
    bool Active() const { return state_ != dsInactive; }
    TDataSetState State() const { return state_; }
    // A field of the row being edited or inserted was set since Edit, or since the new row's defaults.
    bool Modified() const { return modified_; }
    // The row as it stands counts as not changed: values a program fills into a new row are its defaults,
    // not typing.
    void KeepAsDefaults() { modified_ = false; }
    bool IsEmpty() const;
    bool CanModify() const { return !ReadOnly && !forwardOnly_ && InternalCanModify(); }
    bool ReadOnly = false;
    // When off, a field changed while browsing does not start an edit (data-aware controls ask).
    bool AutoCalcFields = true;

    // ---- navigation
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    // 1-based number of the current record; 0 when there is none.
    int RecNo() const;
    void SetRecNo(int recNo);
    // The number of rows of the list (plus inserted, less deleted): the rows not fetched yet are read
    // first, so a loop, a total or a count over RecordCount covers every row. Once every row is fetched
    // it costs nothing. Reading forward only, the rest is read and kept after the current row (Next goes
    // on through them, nothing is skipped), so counting such a reading holds its remaining rows at once.
    int RecordCount();
    // The rows of the list, but at most `limit`: fetches no further than that ("exactly one?" asks 2).
    int RecordCountUpTo(int limit);
    // The rows fetched so far (plus inserted, less deleted), never fetching: for views that fetch lazily
    // and must not read the whole list to paint a screen. Not the number of rows of the list.
    int FetchedCount() const { return passed_ + int(rows_.size()); }
    void FetchAll();
    // Lazy fetching for views: are there rows not yet fetched; fetch up to n more.
    bool CanFetchMore() const { return Active() && !fetchedAll_; }
    int FetchMore(int n);
    // Rows to fetch at once when reading ahead.
    int BufferChunks = 1000;
    // Bytes of fetched rows' memory closed data sets left for the next opening (bounded).
    static size_t PooledRowBytes();
    // Reading that goes once from the first row to the last keeps no rows behind the current one. Such a
    // data set cannot be changed or shown; going back reads it again from the start (First) or fails.
    // Set it while closed.
    bool ForwardOnly() const { return forwardOnly_; }
    void SetForwardOnly(bool on);

    // ---- bookmarks
    TBookmark GetBookmark() const;
    // The bookmark of a fetched row, without moving (grids mark selected rows by it); 0 outside.
    TBookmark BookmarkAt(int row) const { return row >= 0 && row < int(rows_.size()) ? rows_[row]->id : 0; }
    // Returns false (and stays) when the record is gone.
    bool GotoBookmark(TBookmark bookmark);
    bool BookmarkValid(TBookmark bookmark) const;

    // ---- editing
    void Edit();
    void Insert();
    void Append();
    void Post();
    // Posts, then runs alongside (the details written with the record, under the caller's savepoint)
    // before the record leaves edit: when alongside throws, the record stays in edit with what was typed,
    // so the caller's rollback leaves the form able to save again. With nothing to post it runs alongside.
    void Post(const std::function<void()> &alongside);
    void Cancel();
    void Delete();
    // Reads the current record again (a provider with a refresh statement) or all rows, staying on the
    // same row number; pending cached changes are never thrown away by it.
    void Refresh();
    void CheckBrowseMode();
    void UpdateRecord();
    void AppendRecord(const QVariantList &values);

    // ---- fields
    int FieldCount() const { return int(fields_.size()); }
    TField *Fields(int i) const { return fields_[i].get(); }
    TField *FindField(const QString &name) const;
    // Throws EDatabaseError when there is no such field.
    TField *FieldByName(const QString &name) const;
    // True when the fields were made from the columns at open (no persistent fields were declared).
    bool DefaultFields() const { return defaultFields_; }
    const std::vector<TFieldDef> &FieldDefs() const { return *fieldDefs_; }
    // Names of all fields separated by ';'.
    void GetFieldNames(QStringList &names) const;

    // ---- search
    bool Locate(const QString &keyFields, const QVariant &keyValues, TLocateOptions options = 0);
    // The result field(s) of the first row matching the key, without moving; null when none matches.
    QVariant Lookup(const QString &keyFields, const QVariant &keyValues, const QString &resultFields);

    // ---- reading rows without moving the cursor or firing scroll events (grid painting)
    QVariant ValueAt(int row, const TField *field);
    // Runs fn with the fields reading row `row`; no scroll events, no state change.
    void WithRecord(int row, const std::function<void()> &fn);
    TUpdateStatus UpdateStatusAt(int row) const;

    // ---- controls
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // ---- filter (a provider turns it into SQL; the setters run on every assignment)
    QString Filter() const { return filterText_; }
    virtual void SetFilterText(const QString &text) { filterText_ = text; }
    bool Filtered() const { return filtered_; }
    virtual void SetFiltered(bool on) { filtered_ = on; }

    // ---- cached updates
    bool CachedUpdates() const { return cachedUpdates_; }
    void SetCachedUpdates(bool on);
    bool UpdatesPending() const;
    // Whether rows posted to the cache wait to be stored; unlike UpdatesPending, a row being inserted does
    // not count before its Post.
    bool PostedUpdatesPending() const;
    // The rows posted to the cache so far count as not changed, as KeepAsDefaults does for the row being
    // typed: rows a program fills in as a window opens are its defaults. A later post of a changed or new
    // row, or a delete, counts again; storing or dropping the cache ends the mark.
    void KeepPostedAsDefaults() { postedAtDefaults_ = cachePosts_; }
    TUpdateStatus UpdateStatus() const;
    // Writes every pending change and marks them stored; on an error nothing stays written (the provider
    // runs it under a savepoint), the caches stay as they were for a retry, and the error propagates.
    virtual void ApplyUpdates();
    // Writes every pending change without marking them stored: for applying several data sets together
    // under one savepoint, then CommitUpdates on each.
    void ApplyPendingUpdates();
    // Marks the applied changes as stored.
    void CommitUpdates();
    // Throws away every pending change.
    void CancelUpdates();

    // ---- events
    using NotifyEvent = std::function<void(TDataSet *)>;
    NotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    NotifyEvent BeforeInsert, AfterInsert, OnNewRecord;
    NotifyEvent BeforeEdit, AfterEdit, BeforePost, AfterPost;
    NotifyEvent BeforeCancel, AfterCancel, BeforeDelete, AfterDelete;
    NotifyEvent BeforeScroll, AfterScroll, BeforeRefresh, AfterRefresh, OnCalcFields;
    using ErrorEvent = std::function<void(TDataSet *, EDatabaseError &, TDataAction &)>;
    ErrorEvent OnPostError, OnDeleteError, OnEditError;
    using UpdateErrorEvent = std::function<void(TDataSet *, EDatabaseError &, TUpdateKind, TUpdateAction &)>;
    UpdateErrorEvent OnUpdateError;
    // Applies one cached change by hand; set the action to uaApplied when done.
    using UpdateRecordEvent = std::function<void(TDataSet *, TUpdateKind, TUpdateAction &)>;
    UpdateRecordEvent OnUpdateRecord;

    // ---- data sources (called by TDataSource)
    void AttachDataSource(TDataSource *source);
    void DetachDataSource(TDataSource *source);
    // Whether a data source (a grid, a control, a detail) is attached.
    bool HasDataSources() const { return !sources_.empty(); }
    // Sends an event to the data sources (unless controls are disabled).
    void DataEvent(TDataEvent event, TField *field = nullptr);

    // ---- used by fields
    QVariant GetFieldValue(const TField *field) const;
    void SetFieldValue(TField *field, const QVariant &value);
    QVariant GetOldFieldValue(const TField *field) const;
    void AddField(TField *field); // persistent fields register themselves
    void RemoveField(TField *field);

protected:
    // The provider found the row being saved changed or deleted by another user: when the edit is then
    // given up, the row is read again, so the next edit starts from what is stored.
    void SetRowStale() { staleRow_ = true; }
    // Every row inserted into the cache and not yet written, the one being inserted too, takes value in
    // field, without events: the key of a master renumbered at its save before its new rows are written.
    void SetInsertedRowsValue(const TField *field, const QVariant &value);
    // ---- the provider's part
    // Prepares and executes the statement and fills the field definitions (SetFieldDefs).
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    // The most bytes a stored raw row takes; 0 when the provider delivers decoded values instead.
    virtual int RawRowSize() const { return 0; }
    // The next raw row (stored by the caller at once), or nullptr at the end.
    virtual const char *InternalFetchRaw() { return nullptr; }
    // Stores a raw row into dst (RawRowSize() bytes free) in the form InternalDecode reads; returns the
    // bytes used. A provider may keep rows more compactly than it fetches them.
    virtual int InternalStoreRaw(const char *raw, char *dst) const;
    // The next row as values (providers without raw rows); false at the end.
    virtual bool InternalFetchValues(std::vector<QVariant> &) { return false; }
    // The value of data column `column` in a stored raw row.
    virtual QVariant InternalDecode(const char *raw, int column) const;
    // A stored blob value (a provider's blob handle) read into bytes or text.
    virtual QVariant InternalReadBlob(const TField *field, const QVariant &stored) const { return stored; }
    // Writes a posted record (not cached): insert when `inserted`, else update from `oldData`.
    virtual void InternalPost(bool inserted, std::vector<QVariant> &newData, const std::vector<QVariant> &oldData);
    virtual void InternalDelete(const std::vector<QVariant> &data);
    // Applies one cached change.
    virtual void InternalApplyUpdate(TUpdateKind kind, std::vector<QVariant> &newData,
                                     const std::vector<QVariant> &oldData);
    // Reads the record again from the server; false when it is gone.
    virtual bool InternalRefreshRecord(std::vector<QVariant> &data) { return true; }
    // Whether Refresh can read the current record alone; otherwise it reads all rows again.
    virtual bool CanRefreshRecord() const { return false; }
    virtual bool InternalCanModify() const { return true; }
    // Called after default fields were made (the catalogue hook).
    virtual void DoAfterCreateDefaultFields() {}
    // What DoAfterCreateDefaultFields depends on besides the columns (the catalogue as it is now, the hook):
    // while it gives the same, the next open of the same statement starts from the fields as they were made.
    virtual quint64 DefaultFieldsStamp() const { return 0; }
    // Called when the data set has been opened / closed (master links and the like).
    virtual void DoAfterInternalOpen() {}
    virtual void DoAfterInternalClose() {}

    // Takes the columns of the result, shared with others (a kept statement's), their names made unique
    // (MakeFieldNamesUnique).
    void SetFieldDefs(std::shared_ptr<const std::vector<TFieldDef>> defs);
    TField *DataField(int column) const { return dataFields_[column]; }
    // The value of a field's data column in a data vector.
    static const QVariant &DataOf(const std::vector<QVariant> &data, const TField *f) { return data[f->slot_]; }
    static int ColumnOf(const TField *f) { return f->slot_; }

private:
    friend class TField;
    struct Buf;
    void bindFields();
    void clearRows();
    char *rowSpace();
    void forgetPassed();
    void checkForward(bool goingBack) const;
    bool fetchOne();
    void ensureFetched(int index);
    TRecord *current() const { return cur_ >= 0 && cur_ < int(rows_.size()) ? rows_[cur_] : nullptr; }
    QVariant readData(const TRecord *rec, int slot) const;
    std::vector<QVariant> recordData(const TRecord *rec) const;
    const std::vector<QVariant> &calcOf(TRecord *rec) const;
    void computeFields(std::vector<QVariant> &calcOut, TRecord *rec, std::vector<QVariant> *data) const;
    void applyDefaults();
    void setState(TDataSetState s);
    void doScrollEvents(int before);
    void doPostError(ErrorEvent &handler, EDatabaseError &e, const std::function<void()> &retry);
    void removeRow(int index);
    void startInsert(bool append);
    void finishEdit();
    void rereadStaleRow();
    // Cached updates: keep a record's data before its first change / put it back.
    static void keepOriginal(TRecord *rec);
    static void restoreOriginal(TRecord *rec);
    void requery(int at);
    void recalcEditBuffer();
    bool rowMatches(int row, const std::vector<TField *> &fields, const QVariantList &values, TLocateOptions o);
    TRecord *newRecord();

    TDataSetState state_ = dsInactive;
    std::vector<std::unique_ptr<TField>> fields_;
    // The fields by their case-folded names, the first of a name only; made at the first look-up after
    // the fields changed.
    mutable QHash<TCaseFoldedName, TField *> fieldsByName_;
    mutable bool fieldsByNameValid_ = false;
    std::vector<TField *> dataFields_; // by column
    std::vector<TField *> computedFields_;
    int dataCount_ = 0;
    std::shared_ptr<const std::vector<TFieldDef>> fieldDefs_ = std::make_shared<const std::vector<TFieldDef>>();
    bool defaultFields_ = false;
    // Default fields put aside when the data set closed, for the statements it opened last (their
    // definitions), with the settings they had when made (catalogue and hook applied): reopening the same
    // statement takes them back with those settings instead of making and setting up fields again. A
    // statement is remembered at its first open and its fields are kept from its second on, so a data set
    // that runs ever new statements copies nothing.
    struct TKeptFields {
        std::shared_ptr<const std::vector<TFieldDef>> For;
        quint64 Stamp = 0;
        std::vector<std::unique_ptr<TField>> Fields;
        std::vector<std::unique_ptr<TField>> AsMade;
        // The fields' index by name, when one was made while they were in use.
        QHash<TCaseFoldedName, TField *> ByName;
        bool HasByName = false;
    };
    std::vector<TKeptFields> kept_; // the least recently opened first
    std::vector<TKeptFields>::iterator keptFor(const std::shared_ptr<const std::vector<TFieldDef>> &defs);
    enum class TKept { FirstOpen, MakeAndKeep, Taken };
    TKept takeKeptFields();
    void keepAsMade();

    std::deque<TRecord> store_;      // every record, stable addresses
    std::vector<TRecord *> rows_;    // visible rows in order
    std::vector<TRecord *> deleted_; // cached deletes
    std::vector<std::unique_ptr<char[]>> arena_;
    size_t arenaUsed_ = 0; // bytes used in the last chunk
    size_t arenaSize_ = 0; // bytes of a chunk
    int rawSize_ = 0;
    bool forwardOnly_ = false;
    int passed_ = 0; // forward-only reading: rows let go behind the current one
    TBookmark nextId_ = 1;
    bool fetchedAll_ = false;

    int cur_ = -1;
    bool eof_ = true;
    bool bof_ = true;

    std::vector<QVariant> editData_;
    std::vector<QVariant> editCalc_;
    bool editCalcValid_ = false;
    bool inserting_ = false;
    bool modified_ = false;
    bool staleRow_ = false;

    // Computed fields being filled / a row being painted.
    mutable TRecord *calcRecord_ = nullptr;
    mutable std::vector<QVariant> *calcData_ = nullptr;
    mutable std::vector<QVariant> *calcTarget_ = nullptr;
    mutable TRecord *paintRecord_ = nullptr;
    mutable TDataSetState savedState_ = dsInactive;

    QString filterText_;
    bool filtered_ = false;
    bool cachedUpdates_ = false;
    int cachePosts_ = 0;        // posts of changed or new rows and deletes into the cache
    int postedAtDefaults_ = -1; // cachePosts_ when the rows posted so far were taken as defaults; -1: none
    int disableCount_ = 0;
    bool pendingChange_ = false;
    std::vector<TDataSource *> sources_;
};

// Runs a block with controls disabled and enables them whatever happens.
class TDisableControls {
public:
    explicit TDisableControls(TDataSet *ds) : ds_(ds) { ds_->DisableControls(); }
    ~TDisableControls() { ds_->EnableControls(); }
    TDisableControls(const TDisableControls &) = delete;
    TDisableControls &operator=(const TDisableControls &) = delete;

private:
    TDataSet *ds_;
};

[[noreturn]] void DatabaseError(const QString &message, TDataSet *dataSet = nullptr);
