#include "DataSet.h"

#include "DataSource.h"

#include <QCoreApplication>
#include <QSet>
#include <algorithm>
#include <cstring>
#include <malloc.h>

namespace {
// Fetched rows live in chunks of this many bytes. Chunks of closed data sets are kept for the next
// opening (browsers reopen on every sort and filter), up to a bound (64 MB), so that memory is not
// handed back and faulted in again each time; the rest goes back to the system.
constexpr size_t kChunkBytes = size_t(1) << 20;
constexpr size_t kPooledChunks = 64;
// Rows Next fetches at once past the rows fetched.
constexpr int kReadAhead = 32;
// Letting go of more than this asks the C library to return its free memory to the system.
constexpr size_t kTrimBytes = size_t(16) << 20;

std::vector<std::unique_ptr<char[]>> &chunkPool()
{
    thread_local std::vector<std::unique_ptr<char[]>> pool;
    return pool;
}

std::unique_ptr<char[]> takeChunk(size_t bytes)
{
    auto &pool = chunkPool();
    if (bytes <= kChunkBytes && !pool.empty()) {
        std::unique_ptr<char[]> chunk = std::move(pool.back());
        pool.pop_back();
        return chunk;
    }
    return std::unique_ptr<char[]>(new char[std::max(bytes, kChunkBytes)]);
}

// Returns the bytes let go beyond the pool.
size_t giveBackChunks(std::vector<std::unique_ptr<char[]>> &chunks, size_t chunkSize)
{
    auto &pool = chunkPool();
    size_t freed = 0;
    for (auto &chunk : chunks) {
        if (pool.size() < kPooledChunks && chunkSize == kChunkBytes)
            pool.push_back(std::move(chunk));
        else
            freed += chunkSize;
    }
    chunks.clear();
    return freed;
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}
} // namespace

size_t TDataSet::PooledRowBytes()
{
    return chunkPool().size() * kChunkBytes;
}

void DatabaseError(const QString &message, TDataSet *dataSet)
{
    // The message is the user's (it ends in a box as it stands); the data set's name is an internal one.
    EDatabaseError error(message);
    if (dataSet)
        error.DataSetName = dataSet->Name;
    throw error;
}

TDataSet::TDataSet() = default;

TDataSet::~TDataSet()
{
    for (TDataSource *s : sources_)
        s->dataSetDestroyed();
}

// ---------------------------------------------------------------- fields

void TDataSet::AddField(TField *field)
{
    fields_.emplace_back(field);
    fieldsByNameValid_ = false;
}

void TDataSet::RemoveField(TField *field)
{
    auto it = std::find_if(fields_.begin(), fields_.end(), [&](auto &p) { return p.get() == field; });
    if (it != fields_.end()) {
        it->release();
        fields_.erase(it);
        fieldsByNameValid_ = false;
    }
}

TField *TDataSet::FindField(const QString &name) const
{
    // Data modules look fields up by name on every row they touch: a few fields are read from the list,
    // more from an index of it.
    if (fields_.size() <= 4) {
        for (const auto &f : fields_)
            if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0)
                return f.get();
        return nullptr;
    }
    if (!fieldsByNameValid_) {
        fieldsByName_.clear();
        for (const auto &f : fields_) {
            const TCaseFoldedName key{f->FieldName()};
            if (!fieldsByName_.contains(key))
                fieldsByName_.insert(key, f.get());
        }
        fieldsByNameValid_ = true;
    }
    return fieldsByName_.value(TCaseFoldedName{name});
}

TField *TDataSet::FieldByName(const QString &name) const
{
    TField *f = FindField(name);
    if (!f)
        DatabaseError(QStringLiteral("Položka '%1' sa nenašla").arg(name), const_cast<TDataSet *>(this));
    return f;
}

void TDataSet::GetFieldNames(QStringList &names) const
{
    names.clear();
    for (const auto &f : fields_)
        names << f->FieldName();
}

QStringList UniqueFieldNames(const QStringList &names)
{
    QSet<QString> carried; // every name of the result, so a suffix never takes another column's name
    for (const QString &n : names)
        carried.insert(n.toUpper());
    QSet<QString> given;
    QStringList unique;
    unique.reserve(names.size());
    for (const QString &n : names) {
        QString name = n;
        if (given.contains(n.toUpper())) {
            int i = 0;
            do
                name = n + QLatin1Char('_') + QString::number(++i);
            while (given.contains(name.toUpper()) || carried.contains(name.toUpper()));
        }
        given.insert(name.toUpper());
        unique << name;
    }
    return unique;
}

void MakeFieldNamesUnique(std::vector<TFieldDef> &defs)
{
    QStringList names;
    for (const TFieldDef &d : defs)
        names << d.Name;
    names = UniqueFieldNames(names);
    for (size_t i = 0; i < defs.size(); ++i)
        defs[i].Name = names[qsizetype(i)];
}

void TDataSet::SetFieldDefs(std::shared_ptr<const std::vector<TFieldDef>> defs)
{
    fieldDefs_ = defs ? std::move(defs) : std::make_shared<const std::vector<TFieldDef>>();
}

void TDataSet::bindFields()
{
    const std::vector<TFieldDef> &defs = *fieldDefs_;
    dataFields_.assign(defs.size(), nullptr);
    computedFields_.clear();
    const bool persistent = !fields_.empty();
    defaultFields_ = !persistent;
    const TKept kept = persistent ? TKept::FirstOpen : takeKeptFields();
    const bool taken = kept == TKept::Taken;
    if (!persistent && !taken) {
        for (const TFieldDef &d : defs) {
            auto *f = new TField(this, d.Name, d.DataType, d.Size, fkData);
            f->persistent_ = false;
            f->Required = d.Required;
        }
    }
    int calcSlot = 0;
    // Fields mostly follow the columns' order: the column after the last one bound is tried first (the
    // columns' names are unique in any case, so a match there is the only one).
    int next = 0;
    for (const auto &f : fields_) {
        if (f->kind_ == fkData) {
            const auto named = [&](int i) { return defs[i].Name.compare(f->fieldName_, Qt::CaseInsensitive) == 0; };
            int col = next < int(defs.size()) && named(next) ? next : -1;
            for (int i = 0; col < 0 && i < int(defs.size()); ++i)
                if (named(i))
                    col = i;
            if (col < 0)
                DatabaseError(QStringLiteral("Položka '%1' sa nenašla").arg(f->fieldName_), this);
            next = col + 1;
            f->slot_ = col;
            f->fieldNo_ = col + 1;
            dataFields_[col] = f.get();
        } else {
            f->slot_ = calcSlot++;
            f->fieldNo_ = 0;
            computedFields_.push_back(f.get());
        }
    }
    // Columns without a persistent field still travel in the data vector: keep a hidden field for them.
    for (int i = 0; i < int(dataFields_.size()); ++i) {
        if (!dataFields_[i]) {
            auto *f = new TField(this, defs[i].Name, defs[i].DataType, defs[i].Size, fkData);
            f->persistent_ = false;
            f->Visible = false;
            f->slot_ = i;
            f->fieldNo_ = i + 1;
            dataFields_[i] = f;
        }
    }
    dataCount_ = int(defs.size());
    if (defaultFields_ && !taken) {
        DoAfterCreateDefaultFields();
        if (kept == TKept::MakeAndKeep)
            keepAsMade();
    }
}

std::vector<TDataSet::TKeptFields>::iterator
TDataSet::keptFor(const std::shared_ptr<const std::vector<TFieldDef>> &defs)
{
    return std::find_if(kept_.begin(), kept_.end(), [&](const TKeptFields &k) { return k.For == defs; });
}

TDataSet::TKept TDataSet::takeKeptFields()
{
    constexpr size_t statementsKept = 32;
    const auto it = keptFor(fieldDefs_);
    if (it == kept_.end()) {
        if (kept_.size() >= statementsKept)
            kept_.erase(kept_.begin());
        kept_.push_back(TKeptFields{fieldDefs_, 0, {}, {}, {}, false});
        return TKept::FirstOpen;
    }
    // The most recently opened goes last.
    std::rotate(it, it + 1, kept_.end());
    TKeptFields &k = kept_.back();
    bool usable = !k.Fields.empty() && k.Stamp == DefaultFieldsStamp() && k.Fields.size() == k.AsMade.size();
    for (size_t i = 0; usable && i < k.Fields.size(); ++i)
        usable = k.Fields[i]->fieldName_ == k.AsMade[i]->fieldName_;
    if (!usable) {
        k.Fields.clear();
        k.AsMade.clear();
        return TKept::MakeAndKeep;
    }
    for (size_t i = 0; i < k.Fields.size(); ++i) {
        k.Fields[i]->takeSettingsOf(*k.AsMade[i]);
        fields_.push_back(std::move(k.Fields[i]));
    }
    k.Fields.clear();
    // The same fields under the same names: their index holds again.
    fieldsByName_ = std::move(k.ByName);
    fieldsByNameValid_ = k.HasByName;
    k.ByName.clear();
    k.HasByName = false;
    return TKept::Taken;
}

void TDataSet::keepAsMade()
{
    const auto k = keptFor(fieldDefs_);
    if (k == kept_.end())
        return;
    k->Stamp = DefaultFieldsStamp();
    k->AsMade.clear();
    k->AsMade.reserve(fields_.size());
    for (const auto &f : fields_) {
        auto copy = std::make_unique<TField>(nullptr, f->fieldName_, f->dataType_, f->size_, f->kind_);
        copy->takeSettingsOf(*f);
        k->AsMade.push_back(std::move(copy));
    }
}

// ---------------------------------------------------------------- open / close

void TDataSet::Open()
{
    if (Active())
        return;
    if (BeforeOpen)
        BeforeOpen(this);
    clearRows();
    fetchedAll_ = false;
    InternalOpen();
    try {
        rawSize_ = RawRowSize();
        bindFields();
        state_ = dsBrowse;
        cur_ = -1;
        eof_ = bof_ = true;
        if (fetchOne()) {
            cur_ = 0;
            eof_ = false;
        }
        bof_ = true;
    } catch (...) {
        state_ = dsInactive;
        InternalClose();
        throw;
    }
    DoAfterInternalOpen();
    DataEvent(deUpdateState);
    DataEvent(deLayoutChange);
    if (AfterOpen)
        AfterOpen(this);
    if (AfterScroll)
        AfterScroll(this);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    if (BeforeClose)
        BeforeClose(this);
    if (state_ == dsEdit || state_ == dsInsert)
        Cancel();
    InternalClose();
    state_ = dsInactive;
    clearRows();
    // Default fields live only while open (taken out in one pass: a wide result has many); those made for
    // the statement are put aside for its next open.
    const auto kept = defaultFields_ ? keptFor(fieldDefs_) : kept_.end();
    if (kept != kept_.end() && !kept->AsMade.empty() &&
        std::all_of(fields_.begin(), fields_.end(), [](const auto &f) { return !f->persistent_; })) {
        kept->Fields = std::move(fields_);
        fields_.clear();
        kept->ByName = std::move(fieldsByName_);
        kept->HasByName = fieldsByNameValid_;
        fieldsByName_.clear();
    } else {
        std::erase_if(fields_, [](const std::unique_ptr<TField> &f) { return !f->persistent_; });
    }
    fieldsByNameValid_ = false;
    dataFields_.clear();
    computedFields_.clear();
    defaultFields_ = false;
    DataEvent(deUpdateState);
    DoAfterInternalClose();
    if (AfterClose)
        AfterClose(this);
}

void TDataSet::clearRows()
{
    size_t freed = rows_.capacity() * sizeof(TRecord *) + store_.size() * sizeof(TRecord);
    std::vector<TRecord *>().swap(rows_);
    std::vector<TRecord *>().swap(deleted_);
    // Swapped out, not cleared: a cleared deque keeps its map of blocks (a megabyte after a million rows).
    std::deque<TRecord>().swap(store_);
    freed += giveBackChunks(arena_, arenaSize_);
    arenaUsed_ = arenaSize_ = 0;
    passed_ = 0;
    if (freed > kTrimBytes)
        malloc_trim(0);
    cur_ = -1;
    eof_ = bof_ = true;
    editData_.clear();
    editCalc_.clear();
    inserting_ = false;
    postedAtDefaults_ = -1;
}

bool TDataSet::IsEmpty() const
{
    return rows_.empty();
}

TRecord *TDataSet::newRecord()
{
    store_.emplace_back();
    TRecord *rec = &store_.back();
    rec->id = nextId_++;
    return rec;
}

bool TDataSet::fetchOne()
{
    if (fetchedAll_ || state_ == dsInactive)
        return false;
    if (rawSize_ > 0) {
        const char *raw = InternalFetchRaw();
        if (!raw) {
            fetchedAll_ = true;
            return false;
        }
        char *dst = rowSpace();
        arenaUsed_ += size_t(InternalStoreRaw(raw, dst));
        TRecord *rec = newRecord();
        rec->setRaw(dst);
        rows_.push_back(rec);
        return true;
    }
    std::vector<QVariant> values;
    if (!InternalFetchValues(values)) {
        fetchedAll_ = true;
        return false;
    }
    values.resize(size_t(dataCount_ ? dataCount_ : int(fieldDefs_->size())));
    TRecord *rec = newRecord();
    rec->more().values = std::make_unique<std::vector<QVariant>>(std::move(values));
    rows_.push_back(rec);
    return true;
}

char *TDataSet::rowSpace()
{
    const size_t need = size_t(rawSize_);
    if (arena_.empty() || arenaUsed_ + need > arenaSize_) {
        const size_t size = std::max(need, kChunkBytes);
        if (forwardOnly_ && arena_.size() >= 2 && rows_.size() <= 1 && arenaSize_ == size) {
            // Reading forward keeps only the current row, in the last chunk: the other one is free.
            std::swap(arena_.front(), arena_.back());
        } else {
            arena_.push_back(takeChunk(size));
            arenaSize_ = size;
        }
        arenaUsed_ = 0;
    }
    return arena_.back().get() + arenaUsed_;
}

int TDataSet::InternalStoreRaw(const char *raw, char *dst) const
{
    std::memcpy(dst, raw, size_t(rawSize_));
    return rawSize_;
}

void TDataSet::SetForwardOnly(bool on)
{
    if (on == forwardOnly_)
        return;
    if (Active())
        DatabaseError(QStringLiteral("Spôsob čítania nie je možné meniť pri otvorenom súbore dát"), this);
    forwardOnly_ = on;
}

void TDataSet::forgetPassed()
{
    if (!forwardOnly_ || cur_ <= 0)
        return;
    // Nothing is inserted or deleted when reading forward: the stored rows are the rows in order.
    passed_ += cur_;
    for (int i = 0; i < cur_; ++i)
        store_.pop_front();
    rows_.erase(rows_.begin(), rows_.begin() + cur_);
    cur_ = 0;
    // A long move forward filled chunks the one row kept (the last fetched, in the last chunk) no longer
    // needs: all but one spare go back.
    if (rows_.size() == 1 && arena_.size() > 2) {
        std::vector<std::unique_ptr<char[]>> spare;
        for (auto it = arena_.begin() + 1; it != arena_.end() - 1; ++it)
            spare.push_back(std::move(*it));
        arena_.erase(arena_.begin() + 1, arena_.end() - 1);
        giveBackChunks(spare, arenaSize_);
    }
}

void TDataSet::checkForward(bool goingBack) const
{
    if (forwardOnly_ && goingBack)
        DatabaseError(QStringLiteral("Súbor dát sa číta len dopredu"), const_cast<TDataSet *>(this));
}

void TDataSet::ensureFetched(int index)
{
    while (int(rows_.size()) <= index && fetchOne()) {
    }
}

int TDataSet::FetchMore(int n)
{
    const int before = int(rows_.size());
    for (int i = 0; i < n && fetchOne(); ++i) {
    }
    const int got = int(rows_.size()) - before;
    if (got > 0)
        DataEvent(deDataSetChange);
    return got;
}

int TDataSet::RecordCount()
{
    if (!fetchedAll_ && Active())
        FetchAll();
    return FetchedCount();
}

int TDataSet::RecordCountUpTo(int limit)
{
    const int missing = limit - FetchedCount();
    if (missing > 0 && !fetchedAll_ && Active())
        FetchMore(missing);
    return std::min(FetchedCount(), limit);
}

void TDataSet::FetchAll()
{
    const int before = int(rows_.size());
    while (fetchOne()) {
    }
    if (int(rows_.size()) != before)
        DataEvent(deDataSetChange);
}

// ---------------------------------------------------------------- navigation

void TDataSet::CheckBrowseMode()
{
    if (!Active())
        DatabaseError(QStringLiteral("Operáciu nie je možné vykonať so zatvoreným súborom dát"), this);
    DataEvent(deCheckBrowseMode);
    if (state_ == dsEdit || state_ == dsInsert) {
        UpdateRecord();
        // A row nobody typed into (a new row with only its defaults) is dropped, not stored.
        if (modified_)
            Post();
        else
            Cancel();
    }
}

void TDataSet::doScrollEvents(int before)
{
    if (before != cur_)
        DataEvent(deDataSetScroll);
    if (AfterScroll)
        AfterScroll(this);
}

void TDataSet::First()
{
    CheckBrowseMode();
    if (BeforeScroll)
        BeforeScroll(this);
    const int before = cur_;
    if (passed_ > 0)
        requery(0); // read forward past the first row: read again from the start
    ensureFetched(0);
    cur_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    doScrollEvents(before);
}

void TDataSet::Last()
{
    CheckBrowseMode();
    if (BeforeScroll)
        BeforeScroll(this);
    const int before = cur_;
    const int fetchedBefore = FetchedCount();
    while (fetchOne()) {
        if (forwardOnly_) {
            cur_ = int(rows_.size()) - 1;
            forgetPassed();
        }
    }
    cur_ = int(rows_.size()) - 1;
    eof_ = true;
    bof_ = rows_.empty();
    if (FetchedCount() != fetchedBefore)
        DataEvent(deDataSetChange);
    doScrollEvents(before);
}

void TDataSet::Next()
{
    CheckBrowseMode();
    if (eof_)
        return;
    // Past the rows fetched, a few more are fetched at once: reading forward then runs the engine's and
    // this code's loops in turns of rows rather than of single ones (reading forward only keeps one row).
    if (cur_ + 1 >= int(rows_.size()) && !forwardOnly_)
        ensureFetched(cur_ + kReadAhead);
    ensureFetched(cur_ + 1);
    if (cur_ + 1 < int(rows_.size())) {
        if (BeforeScroll)
            BeforeScroll(this);
        const int before = cur_;
        ++cur_;
        bof_ = false;
        forgetPassed();
        doScrollEvents(before);
    } else {
        eof_ = true;
    }
}

void TDataSet::Prior()
{
    CheckBrowseMode();
    if (bof_)
        return;
    if (cur_ > 0) {
        if (BeforeScroll)
            BeforeScroll(this);
        const int before = cur_;
        --cur_;
        eof_ = false;
        doScrollEvents(before);
    } else {
        checkForward(passed_ > 0);
        bof_ = true;
    }
}

int TDataSet::MoveBy(int distance)
{
    CheckBrowseMode();
    if (distance == 0 || rows_.empty())
        return 0;
    int target = cur_ + distance;
    checkForward(target < 0 && passed_ > 0);
    if (distance > 0)
        ensureFetched(target);
    const int last = int(rows_.size()) - 1;
    eof_ = target > last;
    bof_ = target < 0;
    target = std::clamp(target, 0, last);
    const int moved = target - cur_;
    if (moved != 0) {
        if (BeforeScroll)
            BeforeScroll(this);
        const int before = cur_;
        cur_ = target;
        forgetPassed();
        doScrollEvents(before);
    }
    return moved;
}

int TDataSet::RecNo() const
{
    return cur_ < 0 ? 0 : passed_ + cur_ + 1;
}

void TDataSet::SetRecNo(int recNo)
{
    CheckBrowseMode();
    const int index = recNo - 1 - passed_;
    checkForward(index < 0 && recNo >= 1);
    ensureFetched(index);
    if (index < 0 || index >= int(rows_.size()))
        return;
    if (BeforeScroll)
        BeforeScroll(this);
    const int before = cur_;
    cur_ = index;
    eof_ = bof_ = false;
    forgetPassed();
    doScrollEvents(before);
}

// ---------------------------------------------------------------- bookmarks

TBookmark TDataSet::GetBookmark() const
{
    const TRecord *rec = current();
    return rec ? rec->id : 0;
}

bool TDataSet::BookmarkValid(TBookmark bookmark) const
{
    if (!bookmark)
        return false;
    return std::any_of(rows_.begin(), rows_.end(), [&](const TRecord *r) { return r->id == bookmark; });
}

bool TDataSet::GotoBookmark(TBookmark bookmark)
{
    CheckBrowseMode();
    if (!bookmark)
        return false;
    // Most gotos return to a row near the current one.
    const int n = int(rows_.size());
    int found = -1;
    for (int d = 0; d < n && found < 0; ++d) {
        const int a = cur_ + d, b = cur_ - d;
        if (a >= 0 && a < n && rows_[a]->id == bookmark)
            found = a;
        else if (b >= 0 && b < n && rows_[b]->id == bookmark)
            found = b;
    }
    if (found < 0) {
        for (int i = 0; i < n && found < 0; ++i)
            if (rows_[i]->id == bookmark)
                found = i;
    }
    if (found < 0)
        return false;
    if (BeforeScroll)
        BeforeScroll(this);
    const int before = cur_;
    cur_ = found;
    eof_ = bof_ = false;
    doScrollEvents(before);
    return true;
}

// ---------------------------------------------------------------- values

QVariant TDataSet::InternalDecode(const char *, int) const
{
    return QVariant();
}

QVariant TDataSet::readData(const TRecord *rec, int slot) const
{
    if (const std::vector<QVariant> *values = rec->values())
        return (*values)[slot];
    if (const char *raw = rec->raw())
        return InternalDecode(raw, slot);
    return QVariant();
}

std::vector<QVariant> TDataSet::recordData(const TRecord *rec) const
{
    if (const std::vector<QVariant> *values = rec->values())
        return *values;
    std::vector<QVariant> out(static_cast<size_t>(dataCount_));
    if (const char *raw = rec->raw())
        for (int i = 0; i < dataCount_; ++i)
            out[i] = InternalDecode(raw, i);
    return out;
}

void TDataSet::computeFields(std::vector<QVariant> &calcOut, TRecord *rec, std::vector<QVariant> *data) const
{
    calcOut.assign(computedFields_.size(), QVariant());
    auto *self = const_cast<TDataSet *>(this);
    TRecord *savedRec = calcRecord_;
    std::vector<QVariant> *savedData = calcData_, *savedTarget = calcTarget_;
    const TDataSetState savedState = state_;
    calcRecord_ = rec;
    calcData_ = data;
    calcTarget_ = &calcOut;
    self->state_ = dsCalcFields;
    try {
        for (TField *f : computedFields_) {
            if (f->kind_ != fkLookup || !f->LookupDataSet)
                continue;
            QVariantList keys;
            const QStringList names = f->KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
            for (const QString &n : names)
                keys << FieldByName(n.trimmed())->Value();
            const QVariant key = keys.size() == 1 ? keys.first() : QVariant(keys);
            calcOut[f->slot_] = f->LookupDataSet->Lookup(f->LookupKeyFields, key, f->LookupResultField);
        }
        if (OnCalcFields)
            OnCalcFields(self);
    } catch (...) {
        self->state_ = savedState;
        calcRecord_ = savedRec;
        calcData_ = savedData;
        calcTarget_ = savedTarget;
        throw;
    }
    self->state_ = savedState;
    calcRecord_ = savedRec;
    calcData_ = savedData;
    calcTarget_ = savedTarget;
}

const std::vector<QVariant> &TDataSet::calcOf(TRecord *rec) const
{
    if (!rec->extra() || !rec->extra()->calc) {
        auto calc = std::make_unique<std::vector<QVariant>>();
        computeFields(*calc, rec, rec->values());
        rec->more().calc = std::move(calc);
    }
    return *rec->extra()->calc;
}

QVariant TDataSet::GetFieldValue(const TField *f) const
{
    if (f->slot_ < 0)
        return QVariant();
    const bool computed = f->kind_ != fkData;
    if (paintRecord_) {
        return computed ? calcOf(paintRecord_)[f->slot_] : readData(paintRecord_, f->slot_);
    }
    switch (state_) {
    case dsCalcFields:
    case dsInternalCalc:
        if (computed)
            return (*calcTarget_)[f->slot_];
        if (calcData_)
            return (*calcData_)[f->slot_];
        return calcRecord_ ? readData(calcRecord_, f->slot_) : QVariant();
    case dsEdit:
    case dsInsert:
    case dsSetKey:
    case dsNewValue:
        if (computed) {
            if (!editCalcValid_)
                const_cast<TDataSet *>(this)->recalcEditBuffer();
            return editCalc_[f->slot_];
        }
        return editData_[f->slot_];
    case dsInactive:
        return QVariant();
    default: {
        TRecord *rec = current();
        if (!rec)
            return QVariant();
        return computed ? calcOf(rec)[f->slot_] : readData(rec, f->slot_);
    }
    }
}

QVariant TDataSet::GetOldFieldValue(const TField *f) const
{
    const TRecord *rec = current();
    if (!rec || f->kind_ != fkData || f->slot_ < 0 || (state_ == dsInsert && inserting_))
        return state_ == dsInsert ? QVariant() : GetFieldValue(f);
    return readData(rec, f->slot_);
}

void TDataSet::recalcEditBuffer()
{
    editCalcValid_ = true;
    if (computedFields_.empty()) {
        editCalc_.clear();
        return;
    }
    computeFields(editCalc_, current(), &editData_);
}

void TDataSet::SetFieldValue(TField *f, const QVariant &value)
{
    if (f->slot_ < 0)
        DatabaseError(QStringLiteral("Položka '%1' nie je otvorená").arg(f->fieldName_), this);
    const bool computed = f->kind_ != fkData;
    if (state_ == dsCalcFields || state_ == dsInternalCalc) {
        if (!computed && f->kind_ != fkInternalCalc)
            DatabaseError(QStringLiteral("Položku '%1' nie je možné meniť").arg(f->fieldName_), this);
        (*calcTarget_)[f->slot_] = f->Convert(value);
        return;
    }
    if (state_ != dsEdit && state_ != dsInsert && state_ != dsSetKey)
        DatabaseError(QStringLiteral("Súbor dát nie je v režime úprav"), this);
    if (f->ReadOnly && state_ != dsSetKey)
        DatabaseError(QStringLiteral("Položku '%1' nie je možné meniť").arg(f->DisplayLabel()), this);
    // A text longer than its column is refused, never cut without a word (blanks at its end aside).
    if (!computed && IsStringType(f->DataType()) && f->Size() > 0 && value.typeId() == QMetaType::QString) {
        QString text = value.toString();
        while (text.size() > f->Size() && text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        if (text.size() > f->Size())
            DatabaseError(QStringLiteral("Text položky '%1' je dlhší ako %2 znakov")
                              .arg(f->DisplayLabel(), QString::number(f->Size())),
                          this);
    }
    QVariant v = f->Convert(value);
    f->CheckRange(v);
    if (computed) {
        if (!editCalcValid_)
            recalcEditBuffer();
        editCalc_[f->slot_] = v;
    } else {
        QVariant &slot = editData_[f->slot_];
        if (f->OnValidate) {
            // The rule sees the new value; a refusal restores the old one.
            QVariant old = slot;
            slot = v;
            try {
                f->OnValidate(f);
            } catch (...) {
                slot = old;
                throw;
            }
        } else {
            slot = v;
        }
        editCalcValid_ = false;
    }
    if (state_ == dsEdit || state_ == dsInsert)
        modified_ = true;
    DataEvent(deFieldChange, f);
    if (f->OnChange)
        f->OnChange(f);
}

QVariant TDataSet::ValueAt(int row, const TField *field)
{
    ensureFetched(row);
    if (row < 0 || row >= int(rows_.size()))
        return QVariant();
    if (row == cur_ && (state_ == dsEdit || state_ == dsInsert))
        return GetFieldValue(field);
    TRecord *rec = rows_[row];
    if (field->kind_ != fkData)
        return calcOf(rec)[field->slot_];
    return readData(rec, field->slot_);
}

void TDataSet::WithRecord(int row, const std::function<void()> &fn)
{
    ensureFetched(row);
    if (row < 0 || row >= int(rows_.size()) || (row == cur_ && state_ != dsBrowse)) {
        fn();
        return;
    }
    TRecord *saved = paintRecord_;
    paintRecord_ = rows_[row];
    try {
        fn();
    } catch (...) {
        paintRecord_ = saved;
        throw;
    }
    paintRecord_ = saved;
}

TUpdateStatus TDataSet::UpdateStatusAt(int row) const
{
    return row >= 0 && row < int(rows_.size()) ? rows_[row]->status : usUnmodified;
}

// ---------------------------------------------------------------- editing

void TDataSet::setState(TDataSetState s)
{
    if (state_ == s)
        return;
    state_ = s;
    DataEvent(deUpdateState);
}

void TDataSet::Edit()
{
    if (state_ == dsEdit || state_ == dsInsert)
        return;
    if (!Active())
        DatabaseError(QStringLiteral("Súbor dát nie je otvorený"), this);
    if (rows_.empty()) {
        Insert();
        return;
    }
    if (!CanModify())
        DatabaseError(QStringLiteral("Súbor dát nie je možné meniť"), this);
    if (BeforeEdit)
        BeforeEdit(this);
    editData_ = recordData(current());
    editCalcValid_ = false;
    inserting_ = false;
    modified_ = false;
    setState(dsEdit);
    DataEvent(deRecordChange);
    if (AfterEdit)
        AfterEdit(this);
}

void TDataSet::applyDefaults()
{
    // A default the field cannot take is left out rather than blocking every new row.
    for (TField *f : dataFields_)
        if (const QVariant v = f->DefaultValue(); !v.isNull())
            editData_[f->slot_] = v;
}

void TDataSet::Insert()
{
    CheckBrowseMode();
    startInsert(false);
}

void TDataSet::Append()
{
    CheckBrowseMode();
    const int fetched = int(rows_.size());
    while (fetchOne()) {
    }
    if (int(rows_.size()) != fetched)
        DataEvent(deDataSetChange);
    startInsert(true);
}

void TDataSet::startInsert(bool append)
{
    if (!CanModify())
        DatabaseError(QStringLiteral("Súbor dát nie je možné meniť"), this);
    if (BeforeInsert)
        BeforeInsert(this);
    // An appended row follows the list's last row, not the last one fetched so far (the views learn of
    // the rows fetched here with the new row).
    if (append)
        while (fetchOne()) {
        }
    TRecord *rec = newRecord();
    rec->status = usInserted;
    const int at = append ? int(rows_.size()) : std::max(cur_, 0);
    rows_.insert(rows_.begin() + at, rec);
    cur_ = at;
    eof_ = append;
    bof_ = false;
    editData_.assign(size_t(dataCount_), QVariant());
    editCalcValid_ = false;
    inserting_ = true;
    state_ = dsInsert;
    applyDefaults();
    try {
        if (OnNewRecord)
            OnNewRecord(this);
    } catch (...) {
        removeRow(cur_);
        state_ = dsBrowse;
        inserting_ = false;
        if (cur_ >= int(rows_.size()))
            cur_ = int(rows_.size()) - 1;
        DataEvent(deDataSetChange);
        throw;
    }
    modified_ = false;
    DataEvent(deUpdateState);
    DataEvent(deDataSetChange);
    if (AfterInsert)
        AfterInsert(this);
}

void TDataSet::removeRow(int index)
{
    rows_.erase(rows_.begin() + index);
}

void TDataSet::UpdateRecord()
{
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    DataEvent(deUpdateRecord);
}

void TDataSet::doPostError(ErrorEvent &handler, EDatabaseError &e, const std::function<void()> &retry)
{
    TDataAction action = daFail;
    handler(this, e, action);
    if (action == daAbort)
        Abort();
    if (action == daRetry)
        retry();
    else
        throw;
}

void TDataSet::Post()
{
    Post(nullptr);
}

void TDataSet::Post(const std::function<void()> &alongside)
{
    if (state_ != dsEdit && state_ != dsInsert) {
        if (!Active())
            DatabaseError(QStringLiteral("Súbor dát nie je otvorený"), this);
        if (alongside)
            alongside();
        return;
    }
    UpdateRecord();
    if (BeforePost)
        BeforePost(this);
    // A handler may have closed the data set (a lost connection found and let go of by its first
    // statement closes every data set): there is no record left to write.
    if (state_ != dsEdit && state_ != dsInsert)
        DatabaseError(QString::fromUtf8("Záznam sa nezapísal: súbor dát sa počas zápisu zatvoril"), this);
    for (TField *f : dataFields_) {
        if (f->Required && !f->ReadOnly && editData_[f->slot_].isNull()) {
            f->FocusControl();
            DatabaseError(QStringLiteral("Položka '%1' musí mať hodnotu").arg(f->DisplayLabel()), this);
        }
    }
    TRecord *rec = current();
    const bool inserted = state_ == dsInsert;
    if (cachedUpdates_ && (inserted || modified_))
        ++cachePosts_;
    std::function<void()> write = [&] {
        try {
            if (cachedUpdates_) {
                if (!inserted && rec->status == usUnmodified) {
                    keepOriginal(rec);
                    rec->status = usModified;
                }
            } else {
                const std::vector<QVariant> old = inserted ? std::vector<QVariant>() : recordData(rec);
                InternalPost(inserted, editData_, old);
            }
        } catch (EDatabaseError &e) {
            if (!OnPostError)
                throw;
            doPostError(OnPostError, e, write);
        }
    };
    write();
    if (alongside)
        alongside();
    rec->more().values = std::make_unique<std::vector<QVariant>>(std::move(editData_));
    if (!cachedUpdates_)
        rec->status = usUnmodified;
    else if (inserted)
        rec->status = usInserted;
    rec->extra()->calc.reset();
    finishEdit();
    if (AfterPost)
        AfterPost(this);
}

void TDataSet::Cancel()
{
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    if (BeforeCancel)
        BeforeCancel(this);
    const bool wasInsert = state_ == dsInsert;
    const bool reread = !wasInsert && staleRow_;
    if (wasInsert) {
        removeRow(cur_);
        if (cur_ >= int(rows_.size()))
            cur_ = int(rows_.size()) - 1;
        eof_ = rows_.empty();
        bof_ = rows_.empty() || cur_ == 0;
    }
    finishEdit();
    if (reread)
        rereadStaleRow();
    if (AfterCancel)
        AfterCancel(this);
}

void TDataSet::rereadStaleRow()
{
    TRecord *rec = current();
    if (!rec || rec->status != usUnmodified || !CanRefreshRecord())
        return;
    // A row that cannot be read now stays as it was: its next save is refused the same way.
    try {
        std::vector<QVariant> data = recordData(rec);
        if (!InternalRefreshRecord(data))
            return;
        rec->more().values = std::make_unique<std::vector<QVariant>>(std::move(data));
        rec->extra()->calc.reset();
    } catch (const EDatabaseError &) {
        return;
    }
    DataEvent(deDataSetChange);
}

void TDataSet::finishEdit()
{
    staleRow_ = false;
    editData_.clear();
    editCalc_.clear();
    inserting_ = false;
    modified_ = false;
    state_ = dsBrowse;
    DataEvent(deUpdateState);
    DataEvent(deDataSetChange);
}

void TDataSet::SetInsertedRowsValue(const TField *field, const QVariant &value)
{
    if (field->kind_ != fkData)
        return;
    const QVariant v = field->Convert(value);
    if (state_ == dsInsert)
        editData_[field->slot_] = v;
    for (int i = 0; i < int(rows_.size()); ++i) {
        TRecord *rec = rows_[i];
        if (rec->status != usInserted || (i == cur_ && state_ == dsInsert))
            continue;
        std::vector<QVariant> data = recordData(rec);
        data[field->slot_] = v;
        rec->more().values = std::make_unique<std::vector<QVariant>>(std::move(data));
        rec->more().calc.reset();
    }
}

void TDataSet::keepOriginal(TRecord *rec)
{
    if (const std::vector<QVariant> *values = rec->values())
        rec->more().original = std::make_unique<std::vector<QVariant>>(*values);
    else
        rec->more().originalIsRaw = true;
}

void TDataSet::restoreOriginal(TRecord *rec)
{
    rec->status = usUnmodified;
    if (!rec->extra())
        return;
    TRecordExtra &x = *rec->extra();
    if (x.original)
        x.values = std::move(x.original);
    else if (x.originalIsRaw)
        x.values.reset();
    x.originalIsRaw = false;
    x.calc.reset();
}

void TDataSet::Delete()
{
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (rows_.empty())
        DatabaseError(QStringLiteral("Nie je možné zmazať: súbor dát je prázdny"), this);
    if (state_ == dsEdit)
        Cancel();
    if (!CanModify())
        DatabaseError(QStringLiteral("Súbor dát nie je možné meniť"), this);
    if (BeforeDelete)
        BeforeDelete(this);
    TRecord *rec = current();
    std::function<void()> write = [&] {
        try {
            if (!cachedUpdates_)
                InternalDelete(recordData(rec));
        } catch (EDatabaseError &e) {
            if (!OnDeleteError)
                throw;
            doPostError(OnDeleteError, e, write);
        }
    };
    write();
    if (cachedUpdates_)
        ++cachePosts_;
    if (cachedUpdates_ && rec->status != usInserted) {
        if (rec->status == usUnmodified)
            keepOriginal(rec);
        rec->status = usDeleted;
        rec->more().deletedAt = cur_;
        deleted_.push_back(rec);
    }
    removeRow(cur_);
    if (cur_ >= int(rows_.size())) {
        ensureFetched(cur_);
        if (cur_ >= int(rows_.size()))
            cur_ = int(rows_.size()) - 1;
    }
    eof_ = rows_.empty();
    bof_ = rows_.empty();
    DataEvent(deDataSetChange);
    if (AfterDelete)
        AfterDelete(this);
    if (AfterScroll)
        AfterScroll(this);
}

void TDataSet::Refresh()
{
    CheckBrowseMode();
    if (BeforeRefresh)
        BeforeRefresh(this);
    TRecord *rec = current();
    if (CanRefreshRecord()) {
        if (rec && rec->status != usInserted) {
            std::vector<QVariant> data = recordData(rec);
            if (InternalRefreshRecord(data)) {
                rec->more().values = std::make_unique<std::vector<QVariant>>(std::move(data));
                rec->extra()->calc.reset();
            }
        }
    } else if (!UpdatesPending()) {
        requery(std::max(cur_, 0));
    }
    DataEvent(deDataSetChange);
    if (AfterRefresh)
        AfterRefresh(this);
}

void TDataSet::requery(int at)
{
    // Reads the rows again with the same fields and stays on the same row number where there is one.
    InternalClose();
    clearRows();
    fetchedAll_ = false;
    InternalOpen();
    rawSize_ = RawRowSize();
    ensureFetched(at);
    cur_ = rows_.empty() ? -1 : std::min(at, int(rows_.size()) - 1);
    eof_ = rows_.empty();
    bof_ = cur_ <= 0;
}

void TDataSet::AppendRecord(const QVariantList &values)
{
    Append();
    for (int i = 0; i < values.size() && i < FieldCount(); ++i)
        if (values[i].isValid())
            Fields(i)->SetValue(values[i]);
    Post();
}

void TDataSet::InternalPost(bool, std::vector<QVariant> &, const std::vector<QVariant> &) {}
void TDataSet::InternalDelete(const std::vector<QVariant> &) {}
void TDataSet::InternalApplyUpdate(TUpdateKind, std::vector<QVariant> &, const std::vector<QVariant> &) {}

// ---------------------------------------------------------------- search

bool TDataSet::rowMatches(int row, const std::vector<TField *> &fields, const QVariantList &values, TLocateOptions o)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        const QVariant v = ValueAt(row, fields[i]);
        const QVariant &want = values[int(i)];
        if (want.isNull() || v.isNull()) {
            if (want.isNull() != v.isNull())
                return false;
            continue;
        }
        if (IsStringType(fields[i]->DataType()) || want.typeId() == QMetaType::QString) {
            const Qt::CaseSensitivity cs = (o & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
            const QString have = v.toString();
            const QString w = want.toString();
            if (o & loPartialKey) {
                if (!have.startsWith(w, cs))
                    return false;
            } else if (have.compare(w, cs) != 0 &&
                       !(fields[i]->DataType() == ftFixedChar && have.trimmed().compare(w.trimmed(), cs) == 0)) {
                return false;
            }
        } else if (!sameValue(fields[i]->Convert(want), v)) {
            return false;
        }
    }
    return true;
}

static std::vector<TField *> fieldsOf(const TDataSet *ds, const QString &names)
{
    std::vector<TField *> out;
    for (const QString &n : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out.push_back(ds->FieldByName(n.trimmed()));
    return out;
}

static QVariantList keyList(const QVariant &v, size_t n)
{
    if (n > 1 && v.typeId() == QMetaType::QVariantList)
        return v.toList();
    return QVariantList{v};
}

bool TDataSet::Locate(const QString &keyFields, const QVariant &keyValues, TLocateOptions options)
{
    CheckBrowseMode();
    const auto fields = fieldsOf(this, keyFields);
    const QVariantList values = keyList(keyValues, fields.size());
    if (int(fields.size()) != values.size())
        DatabaseError(QStringLiteral("Počet hodnôt nezodpovedá počtu položiek"), this);
    checkForward(passed_ > 0);
    for (int row = 0;; ++row) {
        ensureFetched(row);
        if (row >= int(rows_.size()))
            return false;
        if (rowMatches(row, fields, values, options)) {
            if (BeforeScroll)
                BeforeScroll(this);
            const int before = cur_;
            cur_ = row;
            eof_ = bof_ = false;
            doScrollEvents(before);
            return true;
        }
    }
}

QVariant TDataSet::Lookup(const QString &keyFields, const QVariant &keyValues, const QString &resultFields)
{
    if (!Active())
        return QVariant();
    const auto fields = fieldsOf(this, keyFields);
    const QVariantList values = keyList(keyValues, fields.size());
    if (int(fields.size()) != values.size())
        return QVariant();
    const auto results = fieldsOf(this, resultFields);
    checkForward(passed_ > 0);
    for (int row = 0;; ++row) {
        ensureFetched(row);
        if (row >= int(rows_.size()))
            return QVariant();
        if (rowMatches(row, fields, values, 0)) {
            if (results.size() == 1)
                return ValueAt(row, results[0]);
            QVariantList out;
            for (TField *r : results)
                out << ValueAt(row, r);
            return out;
        }
    }
}

// ---------------------------------------------------------------- controls and data sources

void TDataSet::DisableControls()
{
    if (disableCount_++ == 0)
        pendingChange_ = false;
}

void TDataSet::EnableControls()
{
    if (disableCount_ == 0)
        return;
    if (--disableCount_ == 0 && pendingChange_) {
        pendingChange_ = false;
        DataEvent(deDataSetChange);
    }
}

void TDataSet::AttachDataSource(TDataSource *source)
{
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end())
        sources_.push_back(source);
}

void TDataSet::DetachDataSource(TDataSource *source)
{
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}

void TDataSet::DataEvent(TDataEvent event, TField *field)
{
    if (disableCount_ > 0) {
        // State changes always reach the controls' editing flags; the rest waits for EnableControls.
        if (event != deUpdateState && event != deUpdateRecord && event != deCheckBrowseMode) {
            pendingChange_ = true;
            return;
        }
    }
    const auto sources = sources_;
    for (TDataSource *s : sources)
        s->dataEvent(event, field);
}

// ---------------------------------------------------------------- cached updates

void TDataSet::SetCachedUpdates(bool on)
{
    if (on == cachedUpdates_)
        return;
    if (Active() && !on && UpdatesPending())
        CancelUpdates();
    cachedUpdates_ = on;
}

bool TDataSet::UpdatesPending() const
{
    if (!deleted_.empty())
        return true;
    if (state_ == dsEdit || state_ == dsInsert)
        return cachedUpdates_;
    return std::any_of(rows_.begin(), rows_.end(), [](const TRecord *r) { return r->status != usUnmodified; });
}

bool TDataSet::PostedUpdatesPending() const
{
    if (postedAtDefaults_ == cachePosts_)
        return false;
    if (!deleted_.empty())
        return true;
    const TRecord *typed = state_ == dsInsert ? current() : nullptr;
    return std::any_of(rows_.begin(), rows_.end(),
                       [typed](const TRecord *r) { return r != typed && r->status != usUnmodified; });
}

TUpdateStatus TDataSet::UpdateStatus() const
{
    const TRecord *rec = current();
    return rec ? rec->status : usUnmodified;
}

void TDataSet::ApplyUpdates()
{
    ApplyPendingUpdates();
    CommitUpdates();
}

void TDataSet::ApplyPendingUpdates()
{
    if (!cachedUpdates_)
        DatabaseError(QStringLiteral("Súbor dát nemá odložené zmeny"), this);
    CheckBrowseMode();
    auto applyOne = [&](TRecord *rec, TUpdateKind kind) {
        std::vector<QVariant> data = recordData(rec);
        std::vector<QVariant> old;
        if (kind != ukInsert) {
            if (rec->extra() && rec->extra()->original)
                old = *rec->extra()->original;
            else if (rec->extra() && rec->extra()->originalIsRaw) {
                TRecord tmp;
                tmp.setRaw(rec->raw());
                old = recordData(&tmp);
            } else {
                old = data;
            }
        }
        for (;;) {
            TUpdateAction action = uaFail;
            if (OnUpdateRecord) {
                // The handler reads the row through the fields: show it as the current one.
                TRecord *saved = paintRecord_;
                paintRecord_ = rec;
                try {
                    OnUpdateRecord(this, kind, action);
                } catch (...) {
                    paintRecord_ = saved;
                    throw;
                }
                paintRecord_ = saved;
                if (action == uaApplied || action == uaSkip)
                    return;
                if (action == uaAbort)
                    Abort();
            }
            try {
                InternalApplyUpdate(kind, data, old);
                return;
            } catch (EDatabaseError &e) {
                if (!OnUpdateError)
                    throw;
                TUpdateAction a = uaFail;
                OnUpdateError(this, e, kind, a);
                if (a == uaRetry)
                    continue;
                if (a == uaSkip || a == uaApplied)
                    return;
                if (a == uaAbort)
                    Abort();
                throw;
            }
        }
    };
    for (TRecord *rec : deleted_)
        applyOne(rec, ukDelete);
    for (TRecord *rec : rows_) {
        if (rec->status == usModified)
            applyOne(rec, ukModify);
        else if (rec->status == usInserted)
            applyOne(rec, ukInsert);
    }
}

void TDataSet::CommitUpdates()
{
    for (TRecord *rec : rows_) {
        rec->status = usUnmodified;
        if (TRecordExtra *x = rec->extra()) {
            x->original.reset();
            x->originalIsRaw = false;
        }
    }
    deleted_.clear();
    postedAtDefaults_ = -1;
    DataEvent(deDataSetChange);
}

void TDataSet::CancelUpdates()
{
    if (state_ == dsEdit || state_ == dsInsert)
        Cancel();
    // Inserted rows go, changed rows get their old data back, deleted rows return to their place.
    std::vector<TRecord *> kept;
    kept.reserve(rows_.size());
    for (TRecord *rec : rows_) {
        if (rec->status == usInserted)
            continue;
        if (rec->status == usModified)
            restoreOriginal(rec);
        rec->status = usUnmodified;
        kept.push_back(rec);
    }
    for (auto it = deleted_.rbegin(); it != deleted_.rend(); ++it) {
        TRecord *rec = *it;
        restoreOriginal(rec);
        const int at = std::clamp(rec->extra() ? rec->extra()->deletedAt : 0, 0, int(kept.size()));
        kept.insert(kept.begin() + at, rec);
    }
    deleted_.clear();
    postedAtDefaults_ = -1;
    rows_ = std::move(kept);
    if (cur_ >= int(rows_.size()))
        cur_ = int(rows_.size()) - 1;
    if (cur_ < 0 && !rows_.empty())
        cur_ = 0;
    eof_ = bof_ = rows_.empty();
    DataEvent(deDataSetChange);
}
