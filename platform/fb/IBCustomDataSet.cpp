#include "IBCustomDataSet.h"

#include "platform/db/SqlWait.h"
#include "platform/fbapi/Blob.h"
#include "platform/fbapi/Decode.h"
#include "platform/fbapi/IBError.h"
#include "platform/fbapi/ParamParser.h"

#include <ibase.h>

#include <QRegularExpression>
#include <utility>

namespace {

TFieldType fieldTypeOf(const fb::Column &c)
{
    switch (c.type) {
    case SQL_VARYING:
        return ftString;
    case SQL_TEXT:
        return ftFixedChar;
    case SQL_SHORT:
        return c.scale < 0 ? ftBCD : ftSmallint;
    case SQL_LONG:
        return c.scale < 0 ? ftBCD : ftInteger;
    case SQL_INT64:
        return c.scale < 0 ? ftBCD : ftLargeint;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return ftFloat;
    case SQL_TYPE_DATE:
        return ftDate;
    case SQL_TYPE_TIME:
        return ftTime;
    case SQL_TIMESTAMP:
        return ftDateTime;
    case SQL_BOOLEAN:
        return ftBoolean;
    case SQL_BLOB:
        return c.subType == 1 ? ftMemo : ftBlob;
    default:
        return ftUnknown;
    }
}

const QString kOld = QStringLiteral("OLD_");

// Runs a read of rows; a server error it raises is marked as a read (no save was refused).
template <class Read> auto reading(Read &&read) -> decltype(read())
{
    try {
        return read();
    } catch (EIBError &e) {
        e.Read = true;
        throw;
    }
}

// The name the server gives a result column: its label, else its own name.
QString columnName(const fb::Column &c)
{
    return c.alias.isEmpty() ? c.name : c.alias;
}

// The names of a statement's result columns, in order.
QStringList columnNames(const std::vector<fb::Column> &columns)
{
    QStringList names;
    for (const fb::Column &c : columns)
        names << columnName(c);
    return names;
}

// Splits text at top-level occurrences of sep (outside brackets, quotes and comments).
QStringList splitTopLevel(const QString &text, QChar sep)
{
    QStringList parts;
    int depth = 0, start = 0;
    QChar quote;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
            quote = c;
        else if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (c == sep && depth == 0) {
            parts << text.mid(start, i - start);
            start = i + 1;
        }
    }
    parts << text.mid(start);
    return parts;
}

// The position of a keyword standing alone at the top level of text (outside quotes and brackets), or -1.
int findKeyword(const QString &text, const QString &word, int from)
{
    int depth = 0;
    QChar quote;
    for (int i = from; i + word.size() <= text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            continue;
        }
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        if (depth != 0 || QStringView(text).mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            continue;
        const bool before = i == 0 || !(text[i - 1].isLetterOrNumber() || text[i - 1] == QLatin1Char('_'));
        const int end = i + int(word.size());
        const bool after = end >= text.size() || !(text[end].isLetterOrNumber() || text[end] == QLatin1Char('_'));
        if (before && after)
            return i;
    }
    return -1;
}

} // namespace

// ---------------------------------------------------------------- TParams

TParam *TParams::FindParam(const QString &name) const
{
    for (const auto &p : list_)
        if (p->Name.compare(name, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

TParam &TParams::ParamByName(const QString &name) const
{
    TParam *p = FindParam(name);
    if (!p)
        throw EDatabaseError(QStringLiteral("Parameter '%1' sa nenašiel").arg(name));
    return *p;
}

void TParams::Rebuild(const QStringList &names)
{
    std::vector<std::unique_ptr<TParam>> fresh;
    for (const QString &n : names) {
        bool dup = false;
        for (const auto &p : fresh)
            if (p->Name.compare(n, Qt::CaseInsensitive) == 0)
                dup = true;
        if (dup)
            continue;
        auto p = std::make_unique<TParam>(n);
        if (TParam *old = FindParam(n)) {
            p->Value = old->Value;
            p->Bound = old->Bound;
        }
        fresh.push_back(std::move(p));
    }
    list_ = std::move(fresh);
}

// ---------------------------------------------------------------- TIBCustomDataSet

TIBCustomDataSet::TIBCustomDataSet() = default;

TIBCustomDataSet::~TIBCustomDataSet()
{
    try {
        Close();
    } catch (...) {
    }
    lendBack();
    if (tr_)
        tr_->removeDataSet(this);
    if (db_)
        db_->removeDataSet(this);
}

void TIBCustomDataSet::SetDatabase(TIBDatabase *db)
{
    if (db_ == db)
        return;
    Close();
    lendBack();
    if (db_)
        db_->removeDataSet(this);
    db_ = db;
    if (db_) {
        db_->addDataSet(this);
        if (!tr_ && db_->DefaultTransaction())
            SetTransaction(db_->DefaultTransaction());
    }
}

void TIBCustomDataSet::SetTransaction(TIBTransaction *t)
{
    if (tr_ == t)
        return;
    Close();
    if (tr_)
        tr_->removeDataSet(this);
    tr_ = t;
    if (tr_) {
        tr_->addDataSet(this);
        if (!db_ && tr_->DefaultDatabase())
            SetDatabase(tr_->DefaultDatabase());
    }
}

void TIBCustomDataSet::SetUpdateObject(TIBUpdateSQL *u)
{
    updateObject_ = u;
    if (u)
        u->DataSet = this;
}

void TIBCustomDataSet::CheckDatabase() const
{
    if (!db_)
        DatabaseError(QStringLiteral("Súbor dát nemá databázu"), const_cast<TIBCustomDataSet *>(this));
    db_->TestConnected();
    if (!tr_)
        DatabaseError(QStringLiteral("Súbor dát nemá transakciu"), const_cast<TIBCustomDataSet *>(this));
}

void TIBCustomDataSet::ApplyUpdates()
{
    CheckDatabase();
    SaveOnceMoreAfterTriggerConflict([this] {
        TSavepoint save(tr_);
        ApplyPendingUpdates();
        save.Commit();
    });
    CommitUpdates();
}

void TIBCustomDataSet::Prepare()
{
    CheckDatabase();
    QString text = SelectText();
    PrepareText(text);
    if (text.trimmed().isEmpty())
        DatabaseError(QStringLiteral("Príkaz SQL je prázdny"), this);
    // The server checks the rights to read when it prepares the select.
    reading([&] { usePrepared(text, tr_->ReadHandle()); });
}

void TIBCustomDataSet::usePrepared(const QString &text, fb::Transaction &in)
{
    if (select_.isPrepared() && held_ && text == preparedText_ && db_->StatementCurrent(*held_))
        return;
    if (select_.isPrepared() || held_) {
        // Only the select goes back: the update statements stay with the data set.
        std::unique_ptr<TPreparedStatement> old = std::move(held_);
        if (old) {
            old->Statement = std::move(select_);
            db_->ReturnStatement(std::move(old));
        }
        select_.unprepare();
        preparedText_.clear();
    }
    std::unique_ptr<TPreparedStatement> lent = db_->BorrowStatement(text, in);
    select_ = std::move(lent->Statement);
    held_ = std::move(lent);
    preparedText_ = text;
    preparedNames_ = held_->Names;
    params_.Rebuild(preparedNames_);
}

void TIBCustomDataSet::lendBack()
{
    if (held_ && db_) {
        held_->Statement = std::move(select_);
        db_->ReturnStatement(std::move(held_));
    }
    held_.reset();
    select_.unprepare();
    preparedText_.clear();
    for (auto &[text, st] : updateStatements_)
        if (db_)
            db_->ReturnStatement(std::move(st));
    updateStatements_.clear();
}

QString TIBCustomDataSet::Plan()
{
    Prepare();
    return select_.plan();
}

QStringList TIBCustomDataSet::ColumnNames() const
{
    return columnNames(select_.outputs());
}

void TIBCustomDataSet::BindParams(fb::Statement &stmt, const QStringList &names)
{
    for (int i = 0; i < names.size(); ++i) {
        TParam *p = params_.FindParam(names[i]);
        stmt.setParam(i, p ? p->Value : QVariant());
    }
}

void TIBCustomDataSet::SetParamsFromMaster()
{
    TDataSet *master = masterLink_.DataSet();
    masterValues_.clear();
    if (!master || !master->Active())
        return;
    for (int i = 0; i < params_.Count(); ++i) {
        TParam &p = params_[i];
        if (TField *f = master->FindField(p.Name)) {
            p.Value = f->Value();
            masterValues_.push_back(p.Value);
        }
    }
}

void TIBCustomDataSet::FollowRenumberedMaster()
{
    TDataSet *master = masterLink_.DataSet();
    if (!Active() || !master)
        return;
    for (int i = 0; i < params_.Count(); ++i)
        if (TField *from = master->FindField(params_[i].Name))
            if (TField *own = FindField(params_[i].Name))
                SetInsertedRowsValue(own, from->Value());
    SetParamsFromMaster();
}

void TIBCustomDataSet::MasterChanged()
{
    TDataSet *master = masterLink_.DataSet();
    if (!Active() || !master)
        return;
    // Reopen only when the master's linking values differ from those the rows were read with.
    std::vector<QVariant> now;
    for (int i = 0; i < params_.Count(); ++i)
        if (TField *f = master->FindField(params_[i].Name))
            now.push_back(f->Value());
    if (now == masterValues_)
        return;
    Close();
    Open();
}

bool TIBCustomDataSet::FollowMasterActive(bool masterActive, bool &closedByMaster)
{
    if (!masterActive) {
        closedByMaster = Active();
        Close();
        return true;
    }
    if (!std::exchange(closedByMaster, false) || Active())
        return false;
    Open();
    return true;
}

void TIBCustomDataSet::MasterLink::ActiveChanged()
{
    if (!owner_->FollowMasterActive(Active(), closedByMaster_))
        owner_->MasterChanged();
}

void TIBCustomDataSet::MasterLink::DataSetChanged()
{
    owner_->MasterChanged();
}

void TIBCustomDataSet::InternalOpen()
{
    Prepare();
    SetParamsFromMaster();
    BindParams(select_, preparedNames_);
    TSqlWait wait;
    reading([this] {
        fb::Transaction &in = tr_->ReadHandle(select_.statementType() == fb::StatementType::SelectForUpdate,
                                              preparedText_.contains(QLatin1String("MON$"), Qt::CaseInsensitive));
        cursorOnWrite_ = &in == &tr_->Handle();
        select_.openCursor(in);
    });
    tr_->Touch();
    // The definitions and the row layout are derived once per prepared statement and lent on with it.
    if (!held_->Packed) {
        auto packed = std::make_shared<fb::PackedRow>();
        packed->reset(select_.outputs());
        held_->Packed = std::move(packed);
    }
    packed_ = held_->Packed;
    if (!held_->FieldDefs) {
        std::vector<TFieldDef> defs;
        defs.reserve(select_.outputs().size());
        for (const fb::Column &c : select_.outputs()) {
            TFieldDef d;
            d.Name = columnName(c);
            d.DataType = fieldTypeOf(c);
            d.Size = IsStringType(d.DataType) ? int(c.charLength()) : 0;
            d.Scale = c.scale;
            d.Relation = c.relation;
            d.Origin = c.name;
            defs.push_back(d);
        }
        MakeFieldNamesUnique(defs);
        held_->FieldDefs = std::make_shared<const std::vector<TFieldDef>>(std::move(defs));
    }
    SetFieldDefs(held_->FieldDefs);
}

void TIBCustomDataSet::InternalClose()
{
    if (select_.isCursorOpen()) {
        try {
            select_.closeCursor();
        } catch (const EDatabaseError &) {
            // A cursor of an ended transaction is gone already.
        }
    }
}

void TIBCustomDataSet::DoAfterInternalClose()
{
    if (tr_)
        tr_->dataSetClosed();
}

int TIBCustomDataSet::RawRowSize() const
{
    return packed_ ? int(packed_->maxSize()) : 0;
}

const char *TIBCustomDataSet::InternalFetchRaw()
{
    if (!select_.isCursorOpen())
        return nullptr;
    if (!reading([this] { return select_.fetchNext(); })) {
        select_.closeCursor();
        return nullptr;
    }
    return reinterpret_cast<const char *>(select_.row());
}

int TIBCustomDataSet::InternalStoreRaw(const char *raw, char *dst) const
{
    return int(packed_->pack(reinterpret_cast<const unsigned char *>(raw), reinterpret_cast<unsigned char *>(dst)));
}

QVariant TIBCustomDataSet::InternalDecode(const char *stored, int column) const
{
    return packed_->decode(reinterpret_cast<const unsigned char *>(stored), column);
}

QVariant TIBCustomDataSet::InternalReadBlob(const TField *field, const QVariant &stored) const
{
    if (stored.userType() != qMetaTypeId<fb::BlobId>())
        return stored;
    if (!tr_)
        return QVariant();
    const auto id = stored.value<fb::BlobId>();
    return reading([&]() -> QVariant {
        fb::Transaction &in = tr_->ReadHandle();
        if (field->DataType() == ftMemo)
            return fb::readTextBlob(in, id);
        return fb::readBlob(in, id);
    });
}

bool TIBCustomDataSet::InternalCanModify() const
{
    return true;
}

fb::Statement &TIBCustomDataSet::statementFor(const QString &sql, QStringList &names, fb::Transaction &in)
{
    auto it = updateStatements_.find(sql);
    if (it != updateStatements_.end() && !db_->StatementCurrent(*it->second)) {
        updateStatements_.erase(it);
        it = updateStatements_.end();
    }
    if (it == updateStatements_.end())
        it = updateStatements_.emplace(sql, db_->BorrowStatement(sql, in)).first;
    names = it->second->Names;
    return it->second->Statement;
}

QString TIBCustomDataSet::WithoutUnboundSetItems(const QString &sql) const
{
    const int upd = findKeyword(sql, QStringLiteral("update"), 0);
    if (upd < 0 || !sql.left(upd).trimmed().isEmpty())
        return sql;
    const int set = findKeyword(sql, QStringLiteral("set"), upd + 6);
    if (set < 0)
        return sql;
    int where = findKeyword(sql, QStringLiteral("where"), set + 3);
    if (where < 0)
        where = int(sql.size());
    const QStringList items = splitTopLevel(sql.mid(set + 3, where - set - 3), QLatin1Char(','));
    static const QRegularExpression assign(
        QStringLiteral("^\\s*\"?[A-Za-z0-9_$]+\"?\\s*=\\s*:(\"[^\"]+\"|[A-Za-z0-9_$]+)\\s*$"),
        QRegularExpression::UseUnicodePropertiesOption);
    QStringList kept;
    for (const QString &item : items) {
        const auto m = assign.match(item);
        if (m.hasMatch()) {
            QString name = m.captured(1);
            if (name.startsWith(QLatin1Char('"')))
                name = name.mid(1, name.size() - 2);
            QString field = name;
            if (field.startsWith(kOld, Qt::CaseInsensitive))
                field = field.mid(kOld.size());
            const TField *f = FindField(field);
            if (!(f && f->FieldKind() == fkData) && !params_.FindParam(name))
                continue; // a column this data set does not carry keeps its value
        }
        kept << item;
    }
    if (kept.size() == items.size())
        return sql;
    if (kept.isEmpty())
        return QString();
    return sql.left(set + 3) + QLatin1Char(' ') + kept.join(QLatin1Char(',')).trimmed() + QLatin1Char('\n') +
           sql.mid(where);
}

int TIBCustomDataSet::ExecUpdate(const QString &sql, const std::vector<QVariant> &newData,
                                 const std::vector<QVariant> &oldData)
{
    CheckDatabase();
    tr_->CheckActive();
    QStringList names;
    fb::Statement &st = statementFor(sql, names, tr_->Handle());
    for (int i = 0; i < names.size(); ++i) {
        QString name = names[i];
        const bool old = name.startsWith(kOld, Qt::CaseInsensitive);
        if (old)
            name = name.mid(kOld.size());
        else if (name.startsWith(QLatin1String("NEW_"), Qt::CaseInsensitive) && !FindField(name))
            name = name.mid(4);
        QVariant v;
        if (TField *f = FindField(name); f && f->FieldKind() == fkData) {
            const std::vector<QVariant> &src = old && !oldData.empty() ? oldData : newData;
            v = DataOf(src, f);
        } else if (TParam *p = params_.FindParam(names[i])) {
            v = p->Value;
        }
        st.setParam(i, v);
    }
    TSqlWait wait;
    const auto n = st.execute(tr_->Handle());
    tr_->Touch();
    rowsAffected_ = int(n);
    tr_->Wrote();
    return rowsAffected_;
}

void TIBCustomDataSet::ExecWithParams(const QString &sql)
{
    CheckDatabase();
    tr_->CheckActive();
    usePrepared(sql, tr_->Handle());
    BindParams(select_, preparedNames_);
    TSqlWait wait;
    rowsAffected_ = int(select_.execute(tr_->Handle()));
    tr_->Touch();
    if (select_.statementType() == fb::StatementType::Ddl)
        db_->MetadataChanged();
    if (!select_.hasCursor())
        tr_->Wrote();
}

QString TIBCustomDataSet::RefreshText() const
{
    return updateObject_ ? updateObject_->RefreshSQL.Text() : QString();
}

QString TIBCustomDataSet::InsertText(const std::vector<QVariant> &) const
{
    return updateObject_ ? updateObject_->InsertSQL.Text() : QString();
}

QString TIBCustomDataSet::ModifyText(const std::vector<QVariant> &, const std::vector<QVariant> &) const
{
    return updateObject_ ? updateObject_->ModifySQL.Text() : QString();
}

QString TIBCustomDataSet::DeleteText() const
{
    return updateObject_ ? updateObject_->DeleteSQL.Text() : QString();
}

void TIBCustomDataSet::InternalApplyUpdate(TUpdateKind kind, std::vector<QVariant> &newData,
                                           const std::vector<QVariant> &oldData)
{
    QString sql;
    switch (kind) {
    case ukInsert:
        sql = InsertText(newData);
        break;
    case ukModify:
        sql = ModifyText(newData, oldData);
        break;
    case ukDelete:
        sql = DeleteText();
        break;
    }
    if (sql.trimmed().isEmpty()) {
        if (kind == ukModify && newData == oldData)
            return;
        DatabaseError(QStringLiteral("Súbor dát nemá príkaz na zápis zmien"), this);
    }
    if (kind == ukModify) {
        sql = WithoutUnboundSetItems(sql);
        if (sql.isEmpty())
            return; // nothing this data set carries is written by the statement
    }
    const int n = ExecUpdate(sql, kind == ukDelete ? oldData : newData, oldData);
    if (n == 0 && kind != ukInsert) {
        if (kind == ukModify && State() == dsEdit)
            SetRowStale();
        DatabaseError(QStringLiteral("Záznam medzičasom zmenil alebo zmazal iný používateľ"), this);
    }
}

void TIBCustomDataSet::InternalPost(bool inserted, std::vector<QVariant> &newData, const std::vector<QVariant> &oldData)
{
    // One statement: the server undoes it whole when it fails.
    SaveOnceMoreAfterTriggerConflict([&] { InternalApplyUpdate(inserted ? ukInsert : ukModify, newData, oldData); });
}

void TIBCustomDataSet::InternalDelete(const std::vector<QVariant> &data)
{
    std::vector<QVariant> copy = data;
    SaveOnceMoreAfterTriggerConflict([&] { InternalApplyUpdate(ukDelete, copy, data); });
}

bool TIBCustomDataSet::InternalRefreshRecord(std::vector<QVariant> &data)
{
    const QString sql = RefreshText();
    if (sql.trimmed().isEmpty())
        return false;
    CheckDatabase();
    fb::Transaction &in = tr_->ReadHandle();
    QStringList names;
    fb::Statement &st = reading([&]() -> fb::Statement & { return statementFor(sql, names, in); });
    for (int i = 0; i < names.size(); ++i) {
        QString name = names[i];
        if (name.startsWith(kOld, Qt::CaseInsensitive))
            name = name.mid(kOld.size());
        TField *f = FindField(name);
        st.setParam(i, f && f->FieldKind() == fkData ? DataOf(data, f) : QVariant());
    }
    TSqlWait wait;
    bool found = false;
    if (reading([&] {
            st.openCursor(in);
            return st.fetchNext();
        })) {
        found = true;
        const QStringList names = UniqueFieldNames(columnNames(st.outputs()));
        for (size_t c = 0; c < st.outputs().size(); ++c) {
            if (TField *f = FindField(names[qsizetype(c)]); f && f->FieldKind() == fkData)
                data[size_t(ColumnOf(f))] = fb::decode(st.outputs()[c], st.row());
        }
    }
    st.closeCursor();
    return found;
}

// ---------------------------------------------------------------- TIBQuery

TIBQuery::TIBQuery()
{
    sql_.OnChanging = [this] { Close(); };
    sql_.OnChange = [this] {
        fb::ParsedSql parsed = fb::parseParams(sql_.Text());
        params_.Rebuild(parsed.names);
    };
}

void TIBQuery::ExecSQL()
{
    ExecWithParams(sql_.Text());
}

// ---------------------------------------------------------------- TIBDataSet

TIBDataSet::TIBDataSet()
{
    SelectSQL.OnChanging = [this] { Close(); };
    SelectSQL.OnChange = [this] {
        fb::ParsedSql parsed = fb::parseParams(SelectSQL.Text());
        params_.Rebuild(parsed.names);
    };
}

void TIBDataSet::ExecSQL()
{
    ExecWithParams(SelectSQL.Text());
}

QString TIBDataSet::RefreshText() const
{
    return RefreshSQL.IsEmpty() ? TIBCustomDataSet::RefreshText() : RefreshSQL.Text();
}

QString TIBDataSet::InsertText(const std::vector<QVariant> &d) const
{
    return InsertSQL.IsEmpty() ? TIBCustomDataSet::InsertText(d) : InsertSQL.Text();
}

QString TIBDataSet::ModifyText(const std::vector<QVariant> &n, const std::vector<QVariant> &o) const
{
    return ModifySQL.IsEmpty() ? TIBCustomDataSet::ModifyText(n, o) : ModifySQL.Text();
}

QString TIBDataSet::DeleteText() const
{
    return DeleteSQL.IsEmpty() ? TIBCustomDataSet::DeleteText() : DeleteSQL.Text();
}
