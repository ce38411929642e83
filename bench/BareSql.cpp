#include "BareSql.h"

#include "BenchTiming.h"
#include "platform/fbapi/Decode.h"
#include "platform/fbapi/ParamParser.h"

#include <algorithm>

class TBareSql::TTimed {
public:
    TTimed(TBareSql &owner, const QString &sql)
        : cost_(owner.accounting_ ? &owner.costs_[sql] : nullptr), start_(cost_ ? CpuMs() : 0)
    {
    }
    ~TTimed()
    {
        if (!cost_)
            return;
        cost_->Ms += CpuMs() - start_;
        ++cost_->Runs;
    }

private:
    TCost *cost_;
    double start_;
};

QVariant TBareRow::operator[](const char *name) const
{
    const QString wanted = QString::fromLatin1(name).toUpper();
    for (std::size_t i = 0; i < Columns->size(); ++i) {
        const fb::Column &c = (*Columns)[i];
        if ((c.alias.isEmpty() ? c.name : c.alias).toUpper() == wanted)
            return Values[i];
    }
    return QVariant();
}

TBareSql::TBareSql(const QString &database) : accounting_(qEnvironmentVariableIsSet("BENCH_COSTLIEST"))
{
    att_.attach(database, fb::ConnectParams::fromLines({"user_name=SYSDBA", "lc_ctype=WIN1250"}));
    tr_.start(att_);
}

TBareSql::~TBareSql()
{
    cache_.clear();
    if (tr_.isActive())
        tr_.rollback();
    att_.detach();
}

TBareSql::TPrepared &TBareSql::prepared(const QString &sql, const TArgs &args)
{
    auto found = cache_.find(sql);
    if (found == cache_.end()) {
        if (cache_.size() >= CacheLimit) {
            auto oldest = cache_.begin();
            for (auto it = cache_.begin(); it != cache_.end(); ++it)
                if (it.value()->LastUse < oldest.value()->LastUse)
                    oldest = it;
            cache_.erase(oldest);
        }
        found = cache_.insert(sql, std::make_shared<TPrepared>());
    }
    std::shared_ptr<TPrepared> &p = found.value();
    p->LastUse = ++uses_;
    if (!p->Statement.isPrepared()) {
        const fb::ParsedSql parsed = fb::parseParams(sql);
        p->Statement.prepare(tr_, parsed.sql);
        p->Names = parsed.names;
        ++statements_;
    }
    for (int i = 0; i < p->Names.size(); ++i) {
        const QString name = p->Names[i].toLower();
        p->Statement.setParam(i, args.value(name));
    }
    ++statements_;
    return *p;
}

unsigned long long TBareSql::Exec(const QString &sql, const TArgs &args)
{
    TTimed timed(*this, sql);
    fb::Statement &st = prepared(sql, args).Statement;
    const unsigned long long rows = st.execute(tr_);
    if (!st.hasCursor() && saves_ == 0)
        settle();
    return rows;
}

void TBareSql::settle()
{
    tr_.commit();
    tr_.start(att_);
}

std::vector<TBareRow> TBareSql::Rows(const QString &sql, const TArgs &args)
{
    TTimed timed(*this, sql);
    fb::Statement &st = prepared(sql, args).Statement;
    std::vector<TBareRow> rows;
    st.openCursor(tr_);
    while (st.fetchNext()) {
        TBareRow row;
        row.Columns = &st.outputs();
        row.Values.reserve(st.outputs().size());
        for (const fb::Column &c : st.outputs())
            row.Values.push_back(fb::decode(c, st.row()));
        rows.push_back(std::move(row));
    }
    st.closeCursor();
    return rows;
}

QVariant TBareSql::Value(const QString &sql, const TArgs &args)
{
    const std::vector<TBareRow> rows = Rows(sql, args);
    return rows.empty() || rows[0].Values.empty() ? QVariant() : rows[0].Values[0];
}

QStringList TBareSql::Costliest(int count) const
{
    std::vector<std::pair<QString, TCost>> all;
    for (auto it = costs_.cbegin(); it != costs_.cend(); ++it)
        all.emplace_back(it.key(), it.value());
    std::sort(all.begin(), all.end(), [](const auto &a, const auto &b) { return a.second.Ms > b.second.Ms; });
    QStringList out;
    for (int i = 0; i < count && i < int(all.size()); ++i)
        out << QStringLiteral("%1 ms %2 runs  %3")
                   .arg(all[i].second.Ms, 8, 'f', 0)
                   .arg(all[i].second.Runs, 6)
                   .arg(all[i].first.simplified().left(150));
    return out;
}

TBareSql::TSave::TSave(TBareSql &sql) : sql_(sql), name_(QStringLiteral("BARE%1").arg(++sql.savepoints_))
{
    sql_.tr_.savepoint(name_);
    ++sql_.saves_;
}

TBareSql::TSave::~TSave()
{
    if (done_)
        return;
    --sql_.saves_;
    try {
        sql_.tr_.rollbackToSavepoint(name_);
        sql_.tr_.releaseSavepoint(name_);
    } catch (...) {
        // Already leaving by an exception.
    }
}

void TBareSql::TSave::Release()
{
    sql_.tr_.releaseSavepoint(name_);
    done_ = true;
    if (--sql_.saves_ == 0)
        sql_.settle();
}
