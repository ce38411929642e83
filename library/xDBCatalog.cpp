#include "xDBCatalog.h"

#include "xDatabase.h"
#include "platform/fb/IBCustomDataSet.h"

const TxDBCatalog::TIndex::TValues &TxDBCatalog::TIndex::values(const TStringList &lines) const
{
    return values_.Get(lines.Lines(), [this](const QStringList &list) {
        ++made_;
        TValues byName;
        for (const QString &line : list) {
            const int eq = int(line.indexOf(QLatin1Char('=')));
            if (eq < 0)
                continue;
            const TCaseFoldedName key{line.left(eq)};
            if (!byName.contains(key))
                byName.insert(key, line.mid(eq + 1));
        }
        return byName;
    });
}

QString TxDBCatalog::TIndex::Find(const TStringList &lines, const QString &name, bool &found) const
{
    const TValues &byName = values(lines);
    const auto it = byName.constFind(TCaseFoldedName{name});
    found = it != byName.cend();
    return found ? it.value() : QString();
}

quint64 TxDBCatalog::TIndex::Sync(const TStringList &lines) const
{
    values(lines);
    return made_;
}

quint64 TxDBCatalog::Stamp() const
{
    // Both counts only grow, so their sum changes with either.
    return titles_.Sync(Titles) + formats_.Sync(Formats);
}

namespace {
// The catalogue of the data set's database, if it has one.
const TxDBCatalog *catalogOf(const TDataSet *dataSet)
{
    const auto *ds = dynamic_cast<const TIBCustomDataSet *>(dataSet);
    const auto *db = ds ? dynamic_cast<const TxDatabase *>(ds->Database()) : nullptr;
    return db ? db->DBCatalog : nullptr;
}
} // namespace

quint64 CatalogStamp(const TDataSet *dataSet, const std::function<void(TDataSet *)> &event)
{
    quint64 stamp = 0;
    if (const TxDBCatalog *cat = catalogOf(dataSet))
        stamp = cat->Stamp() * 2 + 1;
    // The event: which function or lambda it is.
    if (event) {
        stamp = stamp * 1000003u ^ quint64(event.target_type().hash_code());
        if (const auto *function = event.target<void (*)(TDataSet *)>())
            stamp = stamp * 1000003u ^ quint64(reinterpret_cast<quintptr>(*function));
    }
    return stamp;
}

void ApplyCatalog(TDataSet *dataSet, const std::function<void(TDataSet *)> &event)
{
    const TxDBCatalog *catalogue = dataSet->DefaultFields() ? catalogOf(dataSet) : nullptr;
    if (!catalogue)
        return;
    const TxDBCatalog &cat = *catalogue;
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField *f = dataSet->Fields(i);
        if (f->DisplayLabel() != f->FieldName())
            continue;
        bool hasTitle = false;
        const QString title = cat.Title(f->FieldName(), hasTitle);
        if (hasTitle)
            f->SetDisplayLabel(title);
        bool hasFormat = false;
        const QString format = cat.Format(f->FieldName(), hasFormat);
        const TFieldType t = f->DataType();
        const bool isFloat = t == ftFloat || t == ftCurrency;
        if (!hasFormat) {
            if (isFloat)
                f->DisplayFormat = QStringLiteral("#####0.###");
        } else if (isFloat && format == QLatin1String("$")) {
            f->Currency = true;
        } else if (IsNumericType(t)) {
            f->DisplayFormat = format;
        } else {
            f->EditMask = format;
        }
        int width = -1;
        switch (t) {
        case ftSmallint:
        case ftLargeint:
            width = 5;
            break;
        case ftInteger:
            width = 8;
            break;
        case ftWord:
            width = 4;
            break;
        case ftFloat:
        case ftBCD:
            width = format == QLatin1String("$") ? 13 : 10;
            break;
        case ftDate:
        case ftDateTime:
            width = 10;
            break;
        default:
            break;
        }
        if (width >= 0 && width != f->DisplayWidth())
            f->SetDisplayWidth(std::max<int>(width, int(f->DisplayLabel().size())));
        if (t == ftSmallint || t == ftInteger || t == ftWord || t == ftFloat || t == ftLargeint)
            f->DefaultExpression = QStringLiteral("0");
    }
    if (event)
        event(dataSet);
}
