#include "IBCustomDataSet.h"

namespace {
QString quoted(const QString &name)
{
    QString n;
    n.reserve(name.size() + 2);
    n += QLatin1Char('"');
    if (name.contains(QLatin1Char('"')))
        n += QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\""));
    else
        n += name;
    n += QLatin1Char('"');
    return n;
}

QStringList splitNames(const QString &list)
{
    QStringList out;
    for (const QString &n : list.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!n.trimmed().isEmpty())
            out << n.trimmed();
    return out;
}
} // namespace

void TIBTable::SetTableName(const QString &name)
{
    Close();
    tableName_ = name.trimmed();
}

void TIBTable::SetIndexFieldNames(const QString &names)
{
    indexFieldNames_ = names;
    if (Active())
        reopen();
}

void TIBTable::SetMasterSource(TDataSource *source)
{
    masterSource_.closedByMaster_ = false;
    masterSource_.SetDataSource(source);
}

void TIBTable::SetMasterFields(const QString &fields)
{
    masterFields_ = fields;
    if (Active())
        reopen();
}

void TIBTable::SetFilterText(const QString &text)
{
    TDataSet::SetFilterText(text);
    if (Active() && Filtered())
        reopen();
}

void TIBTable::SetFiltered(bool on)
{
    const bool changed = on != Filtered();
    TDataSet::SetFiltered(on);
    if (Active() && changed)
        reopen();
}

void TIBTable::reopen()
{
    Close();
    Open();
}

QStringList TIBTable::keyColumns() const
{
    auto *db = Database();
    QStringList key = db ? db->PrimaryKey(tableName_) : QStringList();
    if (key.isEmpty()) {
        // Without a key every plain column identifies the row.
        for (int i = 0; i < FieldCount(); ++i) {
            TField *f = Fields(i);
            if (f->FieldKind() == fkData && !IsBlobType(f->DataType()))
                key << f->FieldName();
        }
    }
    return key;
}

QString TIBTable::SelectText() const
{
    QStringList where;
    if (Filtered() && !Filter().trimmed().isEmpty())
        where << QLatin1Char('(') + Filter() + QLatin1Char(')');
    const QStringList index = splitNames(indexFieldNames_);
    const QStringList master = splitNames(masterFields_);
    if (masterSource_.DataSet()) {
        for (int i = 0; i < master.size() && i < index.size(); ++i) {
            QString col = index[i];
            col = col.section(QLatin1Char(' '), 0, 0);
            where << quoted(col.toUpper()) + QStringLiteral(" = :MAS_%1").arg(i);
        }
    }
    QString sql = QStringLiteral("select * from ") + quoted(tableName_.toUpper());
    if (!where.isEmpty())
        sql += QStringLiteral("\nwhere ") + where.join(QStringLiteral(" and "));
    if (!index.isEmpty()) {
        QStringList order;
        for (const QString &n : index)
            order << quoted(n.toUpper());
        sql += QStringLiteral("\n order by ") + order.join(QStringLiteral(", "));
    }
    return sql;
}

void TIBTable::SetParamsFromMaster()
{
    masterValues_.clear();
    TDataSet *master = masterSource_.DataSet();
    if (!master)
        return;
    const QStringList fields = splitNames(masterFields_);
    for (int i = 0; i < fields.size(); ++i) {
        TParam *p = params_.FindParam(QStringLiteral("MAS_%1").arg(i));
        if (!p)
            continue;
        const QVariant v = master->Active() ? master->FieldByName(fields[i])->Value() : QVariant();
        p->Value = v;
        masterValues_.push_back(v);
    }
}

void TIBTable::MasterSourceLink::ActiveChanged()
{
    if (!owner_->FollowMasterActive(Active(), closedByMaster_))
        DataSetChanged();
}

void TIBTable::MasterSourceLink::CheckBrowseMode()
{
    if (owner_->Active())
        owner_->CheckBrowseMode();
}

void TIBTable::MasterSourceLink::DataSetChanged()
{
    if (!owner_->Active())
        return;
    TDataSet *master = DataSet();
    std::vector<QVariant> now;
    for (const QString &f : splitNames(owner_->masterFields_))
        now.push_back(master->FieldByName(f)->Value());
    // A master row being entered keeps the rows entered under it, not stored yet, whatever its key reads now:
    // reading again would drop them.
    if (master->State() == dsInsert && owner_->UpdatesPending())
        return;
    if (now != owner_->masterValues_)
        owner_->reopen();
}

QString TIBTable::WhereKey(bool old) const
{
    QStringList parts;
    for (const QString &k : keyColumns())
        parts << quoted(k.toUpper()) + QStringLiteral(" = :") + (old ? QStringLiteral("OLD_") : QString()) + k;
    return parts.join(QStringLiteral(" and "));
}

QString TIBTable::RefreshText() const
{
    return QStringLiteral("select * from ") + quoted(tableName_.toUpper()) + QStringLiteral(" where ") +
           WhereKey(false);
}

QString TIBTable::InsertText(const std::vector<QVariant> &newData) const
{
    const QStringList computed = Database() ? Database()->ComputedColumns(tableName_) : QStringList();
    QStringList cols, vals;
    for (int i = 0; i < FieldCount(); ++i) {
        TField *f = Fields(i);
        if (f->FieldKind() != fkData || computed.contains(f->FieldName(), Qt::CaseInsensitive))
            continue;
        // Nulls are left out, so the server's defaults and triggers fill those columns.
        if (DataOf(newData, f).isNull())
            continue;
        cols << quoted(f->FieldName());
        vals << QLatin1Char(':') + f->FieldName();
    }
    if (cols.isEmpty())
        return QStringLiteral("insert into ") + quoted(tableName_.toUpper()) + QStringLiteral(" default values");
    return QStringLiteral("insert into ") + quoted(tableName_.toUpper()) + QStringLiteral(" (") +
           cols.join(QStringLiteral(", ")) + QStringLiteral(") values (") + vals.join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

// The condition that a column still holds the value the record was read with, nulls included. Blobs
// cannot be compared; times and timestamps are read to the millisecond, so the column may hold a finer
// value within that millisecond.
static QString oldValueMatch(const TField *f)
{
    if (IsBlobType(f->DataType()))
        return QString();
    const QString col = quoted(f->FieldName());
    const QString old = QStringLiteral(":OLD_") + f->FieldName();
    const QString same = col + QStringLiteral(" is not distinct from ") + old;
    if (f->DataType() != ftDateTime && f->DataType() != ftTime)
        return same;
    const QString type = f->DataType() == ftTime ? QStringLiteral("time") : QStringLiteral("timestamp");
    return QStringLiteral("(%1 or %2 >= %3 and %2 < dateadd(1 millisecond to cast(%3 as %4)))")
        .arg(same, col, old, type);
}

QString TIBTable::ModifyText(const std::vector<QVariant> &newData, const std::vector<QVariant> &oldData) const
{
    const QStringList computed = Database() ? Database()->ComputedColumns(tableName_) : QStringList();
    QStringList sets;
    // Besides the key, every changed column must still hold its old value: a change another
    // workstation saved in between is then refused instead of overwritten.
    QStringList unchanged;
    for (int i = 0; i < FieldCount(); ++i) {
        TField *f = Fields(i);
        if (f->FieldKind() != fkData || computed.contains(f->FieldName(), Qt::CaseInsensitive))
            continue;
        const QVariant &a = DataOf(newData, f);
        const QVariant &b = DataOf(oldData, f);
        if (a.isNull() == b.isNull() && (a.isNull() || a == b))
            continue;
        sets << quoted(f->FieldName()) + QStringLiteral(" = :") + f->FieldName();
        if (const QString match = oldValueMatch(f); !match.isEmpty())
            unchanged << match;
    }
    if (sets.isEmpty())
        return QString();
    QString where = WhereKey(true);
    if (!unchanged.isEmpty())
        where += (where.isEmpty() ? QString() : QStringLiteral(" and ")) + unchanged.join(QStringLiteral(" and "));
    return QStringLiteral("update ") + quoted(tableName_.toUpper()) + QStringLiteral(" set ") +
           sets.join(QStringLiteral(", ")) + QStringLiteral(" where ") + where;
}

QString TIBTable::DeleteText() const
{
    return QStringLiteral("delete from ") + quoted(tableName_.toUpper()) + QStringLiteral(" where ") + WhereKey(true);
}
