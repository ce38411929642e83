#include "IBDatabase.h"

#include "IBCustomDataSet.h"
#include "platform/db/SqlWait.h"
#include "platform/fbapi/ConnectParams.h"
#include "platform/fbapi/Decode.h"
#include "platform/fbapi/IBError.h"
#include "platform/fbapi/ParamParser.h"

#include <algorithm>

namespace {
std::vector<std::pair<QString, QStringList>> &viewKeys()
{
    static std::vector<std::pair<QString, QStringList>> keys;
    return keys;
}

// Every connection object, so a lost connection reported anywhere makes each check its own.
std::vector<TIBDatabase *> &databases()
{
    static std::vector<TIBDatabase *> all;
    return all;
}
} // namespace

// ---------------------------------------------------------------- TIBDatabase

TIBDatabase::TIBDatabase()
{
    Params.SetText(QStringLiteral("lc_ctype=WIN1250\nsql_dialect=3"));
    databases().push_back(this);
    fb::setConnectionLostHook(&TIBDatabase::connectionLost);
}

TIBDatabase::~TIBDatabase()
{
    try {
        Close();
    } catch (...) {
    }
    auto &all = databases();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    for (TIBTransaction *t : std::vector<TIBTransaction *>(transactions_))
        t->db_ = nullptr;
    for (TIBCustomDataSet *ds : std::vector<TIBCustomDataSet *>(dataSets_))
        ds->db_ = nullptr;
}

void TIBDatabase::connectionLost()
{
    for (TIBDatabase *db : databases())
        db->suspect_ = true;
}

bool TIBDatabase::Connected() const
{
    const_cast<TIBDatabase *>(this)->LetGoIfLost();
    return att_.isAttached();
}

void TIBDatabase::LetGoIfLost(bool known)
{
    if (known && !dropping_ && att_.isAttached()) {
        dropConnection();
        return;
    }
    if (suspect_ && !dropping_ && att_.isAttached()) {
        suspect_ = false;
        // Only the connection that is the one attached can be the lost one: it is let go of without asking
        // (a server still ending a killed attachment may not answer at all). With several, each asks.
        const auto attached = std::count_if(databases().begin(), databases().end(),
                                            [](const TIBDatabase *db) { return db->att_.isAttached(); });
        if (attached == 1 || !att_.alive())
            dropConnection();
    }
}

void TIBDatabase::dropConnection()
{
    if (dropping_)
        return;
    dropping_ = true;
    // Our end of the connection is closed first, so nothing below waits on the server; the transactions go
    // next, so closing their data sets commits nothing.
    att_.cutOff();
    for (TIBTransaction *t : transactions_) {
        if (t->timer_)
            t->timer_->stop();
        t->tr_.abandon();
        t->endReading(true);
        t->ended();
    }
    const std::vector<TIBCustomDataSet *> keep = holdingUnsavedWork();
    for (TIBCustomDataSet *ds : std::vector<TIBCustomDataSet *>(dataSets_)) {
        if (std::find(keep.begin(), keep.end(), ds) == keep.end()) {
            try {
                ds->Close();
            } catch (...) {
                // A data set's own close handlers may still try the server.
            }
        }
        ds->cursorOnWrite_ = false;
        ds->select_.unprepare();
        ds->held_.reset();
        ds->preparedText_.clear();
        ds->updateStatements_.clear();
    }
    dropStatements();
    att_.abandon();
    tableInfo_.clear();
    suspect_ = false;
    lost_ = true;
    dropping_ = false;
    if (AfterDisconnect)
        AfterDisconnect(this);
}

void TIBDatabase::Open()
{
    if (Connected())
        return;
    if (BeforeConnect)
        BeforeConnect(this);
    TStringList lines = Params;
    if (LoginPrompt && OnLogin) {
        TStringList login;
        login.SetValue(QStringLiteral("user_name"), lines.Values(QStringLiteral("user_name")));
        login.SetValue(QStringLiteral("password"), lines.Values(QStringLiteral("password")));
        OnLogin(this, login);
        lines.SetValue(QStringLiteral("user_name"), login.Values(QStringLiteral("user_name")));
        lines.SetValue(QStringLiteral("password"), login.Values(QStringLiteral("password")));
    }
    fb::ConnectParams cp = fb::ConnectParams::fromLines(lines.Lines());
    TSqlWait wait;
    att_.attach(DatabaseName, cp);
    tableInfo_.clear();
    dropStatements();
    suspect_ = false;
    lost_ = false;
    if (AfterConnect)
        AfterConnect(this);
}

void TIBDatabase::Close()
{
    if (!Connected()) {
        lost_ = false;
        return;
    }
    try {
        closeAttached();
    } catch (const EIBError &e) {
        if (!e.ConnectionLost)
            throw;
        dropConnection();
        lost_ = false;
        throw;
    }
}

void TIBDatabase::closeAttached()
{
    if (BeforeDisconnect)
        BeforeDisconnect(this);
    CloseDataSets();
    for (TIBTransaction *t : transactions_) {
        if (t->Active())
            t->Commit();
        t->endReading(false);
    }
    dropStatements();
    att_.detach();
    tableInfo_.clear();
    if (AfterDisconnect)
        AfterDisconnect(this);
}

void TIBDatabase::CloseDataSets()
{
    for (TIBCustomDataSet *ds : std::vector<TIBCustomDataSet *>(dataSets_))
        ds->Close();
}

std::vector<TIBCustomDataSet *> TIBDatabase::holdingUnsavedWork() const
{
    std::vector<TIBCustomDataSet *> keep;
    const auto add = [&keep](TIBCustomDataSet *ds) {
        // A master goes with its detail: closing it would close the detail.
        for (; ds && std::find(keep.begin(), keep.end(), ds) == keep.end();
             ds = dynamic_cast<TIBCustomDataSet *>(ds->MasterDataSet()))
            keep.push_back(ds);
    };
    for (TIBCustomDataSet *ds : dataSets_)
        if (ds->State() == dsEdit || ds->State() == dsInsert || (ds->CachedUpdates() && ds->UpdatesPending()))
            add(ds);
    return keep;
}

void TIBDatabase::TestConnected()
{
    if (!Connected() && lost_) {
        try {
            Open();
        } catch (EIBError &e) {
            // A save of what is still typed in a dialog: the user reads that it was not written and that the
            // next work connects again, and the dialog keeps it for that.
            if (!e.ConnectionLost || holdingUnsavedWork().empty())
                throw;
            EIBError lost(fb::ConnectionLostMessage, e.SQLCode, e.IBErrorCode);
            lost.ServerMessage = e.ServerMessage;
            lost.ConnectionLost = true;
            throw lost;
        }
    }
    if (!Connected())
        throw EDatabaseError(QStringLiteral("Databáza nie je pripojená"));
}

void TIBDatabase::SetDefaultTransaction(TIBTransaction *t)
{
    defaultTransaction_ = t;
    if (t && !t->DefaultDatabase())
        t->SetDefaultDatabase(this);
}

void TIBDatabase::addDataSet(TIBCustomDataSet *ds)
{
    if (std::find(dataSets_.begin(), dataSets_.end(), ds) == dataSets_.end())
        dataSets_.push_back(ds);
}

void TIBDatabase::removeDataSet(TIBCustomDataSet *ds)
{
    dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), ds), dataSets_.end());
}

void TIBDatabase::addTransaction(TIBTransaction *t)
{
    if (std::find(transactions_.begin(), transactions_.end(), t) == transactions_.end())
        transactions_.push_back(t);
}

void TIBDatabase::removeTransaction(TIBTransaction *t)
{
    transactions_.erase(std::remove(transactions_.begin(), transactions_.end(), t), transactions_.end());
    if (defaultTransaction_ == t)
        defaultTransaction_ = nullptr;
}

void TIBDatabase::ApplyUpdates(const std::vector<TDataSet *> &dataSets)
{
    TIBTransaction *tr = defaultTransaction_;
    if (!tr)
        throw EDatabaseError(QStringLiteral("Databáza nemá transakciu"));
    // The savepoint covers this database's default transaction only: a data set writing elsewhere would
    // stay written when the rest is rolled back, so such a group is refused before anything is written.
    for (TDataSet *ds : dataSets) {
        auto *ib = dynamic_cast<TIBCustomDataSet *>(ds);
        if (ib && ds->Active() && ds->CachedUpdates() && (ib->Database() != this || ib->Transaction() != tr))
            throw EDatabaseError(
                QStringLiteral("Súbor dát %1 je v inej transakcii a nedá sa zapísať spolu s ostatnými").arg(ds->Name));
    }
    SaveOnceMoreAfterTriggerConflict([&] {
        TSavepoint save(tr);
        for (TDataSet *ds : dataSets)
            if (ds->Active() && ds->CachedUpdates())
                ds->ApplyPendingUpdates();
        save.Commit();
    });
    tr->Settle();
    for (TDataSet *ds : dataSets)
        if (ds->Active() && ds->CachedUpdates())
            ds->CommitUpdates();
}

QString TIBDatabase::ServerVersion()
{
    TestConnected();
    return att_.serverVersion();
}

void TIBDatabase::RegisterViewKey(const QString &view, const QStringList &keyColumns)
{
    auto &keys = viewKeys();
    for (auto &k : keys)
        if (k.first.compare(view, Qt::CaseInsensitive) == 0) {
            k.second = keyColumns;
            return;
        }
    keys.emplace_back(view.toUpper(), keyColumns);
}

void TIBDatabase::loadTableInfo(const QString &table)
{
    TestConnected();
    TableInfo info;
    for (const auto &k : viewKeys())
        if (k.first.compare(table, Qt::CaseInsensitive) == 0)
            info.key = k.second;
    fb::Transaction tr(att_, fb::Transaction::ReadOnly);
    const QString name = table.toUpper();
    if (info.key.isEmpty()) {
        fb::Statement st;
        st.prepare(tr, QStringLiteral("select trim(s.rdb$field_name) from rdb$relation_constraints c "
                                      "join rdb$index_segments s on s.rdb$index_name = c.rdb$index_name "
                                      "where c.rdb$relation_name = ? and c.rdb$constraint_type = 'PRIMARY KEY' "
                                      "order by s.rdb$field_position"));
        st.setParam(0, name);
        st.openCursor(tr);
        while (st.fetchNext())
            info.key << fb::decode(st.outputs()[0], st.row()).toString();
        st.closeCursor();
    }
    fb::Statement cs;
    cs.prepare(tr, QStringLiteral("select trim(rf.rdb$field_name) from rdb$relation_fields rf "
                                  "join rdb$fields f on f.rdb$field_name = rf.rdb$field_source "
                                  "where rf.rdb$relation_name = ? and f.rdb$computed_blr is not null"));
    cs.setParam(0, name);
    cs.openCursor(tr);
    while (cs.fetchNext())
        info.computed << fb::decode(cs.outputs()[0], cs.row()).toString();
    cs.closeCursor();
    tr.commit();
    tableInfo_.emplace_back(name, info);
}

QStringList TIBDatabase::PrimaryKey(const QString &table)
{
    for (const auto &t : tableInfo_)
        if (t.first.compare(table, Qt::CaseInsensitive) == 0)
            return t.second.key;
    loadTableInfo(table);
    return tableInfo_.back().second.key;
}

QStringList TIBDatabase::ComputedColumns(const QString &table)
{
    for (const auto &t : tableInfo_)
        if (t.first.compare(table, Qt::CaseInsensitive) == 0)
            return t.second.computed;
    loadTableInfo(table);
    return tableInfo_.back().second.computed;
}

std::unique_ptr<TPreparedStatement> TIBDatabase::BorrowStatement(const QString &text, fb::Transaction &tr)
{
    const auto found = idleByText_.find(text);
    if (found != idleByText_.end()) {
        const TIdle::iterator at = found.value();
        idleByText_.erase(found);
        std::unique_ptr<TPreparedStatement> kept = std::move(*at);
        idle_.erase(at);
        return kept;
    }
    fb::ParsedSql parsed = fb::parseParams(text);
    auto fresh = std::make_unique<TPreparedStatement>();
    TSqlWait wait;
    fresh->Statement.prepare(tr, parsed.sql);
    fresh->Text = text;
    fresh->Names = std::move(parsed.names);
    fresh->Generation = generation_;
    return fresh;
}

void TIBDatabase::ReturnStatement(std::unique_ptr<TPreparedStatement> statement)
{
    if (!statement || !statement->Statement.isPrepared() || statement->Generation != generation_ ||
        !att_.isAttached() || StatementCacheLimit <= 0)
        return; // freed here
    if (statement->Statement.isCursorOpen()) {
        try {
            statement->Statement.closeCursor();
        } catch (const EDatabaseError &) {
            return; // a cursor of an ended transaction: the statement is not trusted again
        }
    }
    const QString text = statement->Text;
    idle_.push_front(std::move(statement));
    idleByText_.insert(text, idle_.begin());
    while (int(idle_.size()) > StatementCacheLimit) {
        const TIdle::iterator last = std::prev(idle_.end());
        idleByText_.remove((*last)->Text, last);
        idle_.erase(last);
    }
}

void TIBDatabase::MetadataChanged()
{
    dropStatements();
    tableInfo_.clear();
}

void TIBDatabase::dropStatements()
{
    ++generation_;
    idleByText_.clear();
    idle_.clear();
}

// ---------------------------------------------------------------- TIBTransaction

TIBTransaction::TIBTransaction()
{
    Params.SetText(QStringLiteral("read_committed\nrec_version\nwait"));
}

TIBTransaction::TIBTransaction(TIBDatabase *db) : TIBTransaction()
{
    SetDefaultDatabase(db);
}

TIBTransaction::~TIBTransaction()
{
    try {
        if (Active())
            Commit();
        endReading(false);
    } catch (...) {
    }
    for (TIBCustomDataSet *ds : std::vector<TIBCustomDataSet *>(dataSets_))
        ds->tr_ = nullptr;
    if (db_)
        db_->removeTransaction(this);
}

void TIBTransaction::SetDefaultDatabase(TIBDatabase *db)
{
    if (db_ == db)
        return;
    if (db_)
        db_->removeTransaction(this);
    db_ = db;
    if (db_)
        db_->addTransaction(this);
}

int TIBTransaction::options() const
{
    // Asked at every read and write.
    return options_.Get(Params.Lines(), &optionsOf);
}

int TIBTransaction::optionsOf(const QStringList &params)
{
    int o = fb::Transaction::Default;
    for (const QString &line : params) {
        const QString l = line.trimmed().toLower();
        if (l == QLatin1String("concurrency") || l == QLatin1String("consistency"))
            o |= fb::Transaction::Snapshot;
        else if (l == QLatin1String("read"))
            o |= fb::Transaction::ReadOnly;
        else if (l == QLatin1String("nowait"))
            o |= fb::Transaction::NoWait;
    }
    return o;
}

void TIBTransaction::SetIdleTimer(int ms)
{
    idleMs_ = ms;
    if (ms <= 0) {
        timer_.reset();
        return;
    }
    if (!timer_) {
        timer_ = std::make_unique<QTimer>();
        timer_->setSingleShot(true);
        QObject::connect(timer_.get(), &QTimer::timeout, [this] { idleTimeout(); });
    }
    timer_->setInterval(ms);
}

void TIBTransaction::Touch()
{
    if (timer_ && Active())
        timer_->start();
}

void TIBTransaction::HoldIdleTimer()
{
    ++holds_;
}

void TIBTransaction::ReleaseIdleTimer()
{
    if (holds_ > 0 && --holds_ == 0)
        Touch();
}

void TIBTransaction::idleTimeout()
{
    if (!Active())
        return;
    if (holds_ > 0) {
        Touch();
        return;
    }
    try {
        switch (DefaultAction) {
        case TACommit:
            Commit();
            break;
        case TARollback:
            Rollback();
            break;
        case TACommitRetaining:
            // Committed in full when no cursor needs the context, so the server's oldest snapshot moves on.
            Settle(true);
            break;
        case TARollbackRetaining:
            RollbackRetaining();
            break;
        }
    } catch (const EDatabaseError &) {
        // The next statement reports a broken connection; a timer has no one to tell.
    }
}

void TIBTransaction::StartTransaction()
{
    if (Active())
        throw EDatabaseError(QStringLiteral("Transakcia je už aktívna"));
    if (!db_)
        throw EDatabaseError(QStringLiteral("Transakcia nemá databázu"));
    db_->TestConnected();
    tr_.start(db_->Attachment(), options());
    Touch();
}

void TIBTransaction::CheckActive()
{
    if (!Active())
        StartTransaction();
}

void TIBTransaction::closeDataSets()
{
    ending_ = true;
    try {
        for (TIBCustomDataSet *ds : std::vector<TIBCustomDataSet *>(dataSets_))
            ds->Close();
    } catch (...) {
        ending_ = false;
        throw;
    }
    ending_ = false;
}

void TIBTransaction::Commit()
{
    if (!Active())
        return;
    closeDataSets();
    if (timer_)
        timer_->stop();
    tr_.commit();
    ended();
}

void TIBTransaction::Rollback()
{
    if (!Active())
        return;
    closeDataSets();
    if (timer_)
        timer_->stop();
    tr_.rollback();
    ended();
}

void TIBTransaction::ended()
{
    pending_ = false;
    // Only the saves hold the timer, and they are gone with the transaction.
    saves_ = 0;
    holds_ = 0;
    ++epoch_;
}

void TIBTransaction::CommitRetaining()
{
    if (!Active())
        return;
    tr_.commitRetaining();
    pending_ = false;
    Touch();
}

void TIBTransaction::RollbackRetaining()
{
    if (!Active())
        return;
    tr_.rollbackRetaining();
    pending_ = false;
    Touch();
}

void TIBTransaction::Wrote()
{
    pending_ = true;
    if (saves_ == 0)
        Settle();
}

void TIBTransaction::Settle(bool evenIfClean)
{
    if (!Active() || saves_ > 0 || (!pending_ && !evenIfClean))
        return;
    bool cursorOpen = false;
    for (TIBCustomDataSet *ds : dataSets_)
        cursorOpen = cursorOpen || (ds->cursorOnWrite_ && ds->select_.isCursorOpen());
    if (cursorOpen) {
        CommitRetaining();
        return;
    }
    // The data sets stay open: their rows are held here and their cursors (if any) read elsewhere.
    if (timer_)
        timer_->stop();
    tr_.commit();
    ended();
}

fb::Transaction &TIBTransaction::ReadHandle(bool locking, bool fresh)
{
    const int o = options();
    if (locking || Pending() || (o & (fb::Transaction::Snapshot | fb::Transaction::ReadOnly))) {
        CheckActive();
        return tr_;
    }
    if (fresh && read_.isActive() && !readingCursorOpen())
        endReading(false);
    if (!read_.isActive()) {
        if (!db_)
            throw EDatabaseError(QStringLiteral("Transakcia nemá databázu"));
        db_->TestConnected();
        read_.start(db_->Attachment(), fb::Transaction::ReadOnly);
    }
    return read_;
}

bool TIBTransaction::readingCursorOpen() const
{
    for (TIBCustomDataSet *ds : dataSets_)
        if (!ds->cursorOnWrite_ && ds->select_.isCursorOpen())
            return true;
    return false;
}

void TIBTransaction::endReading(bool abandon)
{
    if (!read_.isActive())
        return;
    if (abandon) {
        read_.abandon();
        return;
    }
    try {
        read_.commit();
    } catch (const EDatabaseError &) {
        read_.abandon();
    }
}

void TIBTransaction::addDataSet(TIBCustomDataSet *ds)
{
    if (std::find(dataSets_.begin(), dataSets_.end(), ds) == dataSets_.end())
        dataSets_.push_back(ds);
}

void TIBTransaction::removeDataSet(TIBCustomDataSet *ds)
{
    dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), ds), dataSets_.end());
}

void TIBTransaction::dataSetClosed()
{
    // The work of a transaction whose last data set closes is committed, unless a save is under way.
    if (ending_ || holds_ > 0 || !Active())
        return;
    for (TIBCustomDataSet *ds : dataSets_)
        if (ds->Active())
            return;
    Commit();
}

// ---------------------------------------------------------------- TSavepoint

void SaveOnceMoreAfterTriggerConflict(const std::function<void()> &save)
{
    try {
        save();
    } catch (const EIBError &e) {
        if (!e.TriggerConflict)
            throw;
        save();
    }
}

TSavepoint::TSavepoint(TIBTransaction *transaction) : tr_(transaction)
{
    static int counter = 0;
    tr_->CheckActive();
    name_ = QStringLiteral("SP_SAVE_%1").arg(++counter);
    tr_->HoldIdleTimer();
    try {
        tr_->Handle().savepoint(name_);
    } catch (...) {
        tr_->ReleaseIdleTimer();
        throw;
    }
    ++tr_->saves_;
    epoch_ = tr_->epoch_;
}

TSavepoint::~TSavepoint()
{
    const bool alive = epoch_ == tr_->epoch_;
    if (!done_ && alive) {
        try {
            if (tr_->Active()) {
                tr_->Handle().rollbackToSavepoint(name_);
                tr_->Handle().releaseSavepoint(name_);
            }
        } catch (...) {
        }
    }
    if (alive) {
        if (!done_)
            --tr_->saves_;
        tr_->ReleaseIdleTimer();
    }
}

void TSavepoint::Commit()
{
    if (done_)
        return;
    if (epoch_ != tr_->epoch_) {
        done_ = true;
        throw EDatabaseError(QString::fromUtf8("Zápis sa nedokončil: transakcia sa medzitým skončila."));
    }
    tr_->Handle().releaseSavepoint(name_);
    done_ = true;
    --tr_->saves_;
    tr_->Settle();
}
