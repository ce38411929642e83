#include "xDBCatalog.h"

#include "xDatabase.h"
#include "platform/fb/IBCustomDataSet.h"

QString TxDBCatalog::TIndex::Find(const TStringList &lines, const QString &name, bool &found) const
{
    Sync(lines);
    const auto it = values_.constFind(TCaseFoldedName{name});
    found = it != values_.cend();
    return found ? it.value() : QString();
}

quint64 TxDBCatalog::TIndex::Sync(const TStringList &lines) const
{
    // The copy shares the lines' data until they change, so a changed list is told by not sharing it.
    if (!of_.isSharedWith(lines.Lines()) || (of_.isEmpty() && !lines.Lines().isEmpty())) {
        ++made_;
        values_.clear();
        for (const QString &line : lines.Lines()) {
            const int eq = int(line.indexOf(QLatin1Char('=')));
            if (eq < 0)
                continue;
            const TCaseFoldedName key{line.left(eq)};
            if (!values_.contains(key))
                values_.insert(key, line.mid(eq + 1));
        }
        of_ = lines.Lines();
    }
    return made_;
}

quint64 TxDBCatalog::Stamp() const
{
    // Both counts only grow, so their sum changes with either.
    return titles_.Sync(Titles) + formats_.Sync(Formats);
}

void SetFieldTitles(TDataSet *dataSet, std::span<const TFieldTitle> titles)
{
    // A module's table is fixed for the program's life: its captions are indexed by name once, and each open
    // looks up its own fields (fewer than a table's lines) there. A name given twice takes its last caption.
    static QHash<const TFieldTitle *, QHash<TCaseFoldedName, QString>> indexes;
    auto it = indexes.find(titles.data());
    if (it == indexes.end()) {
        QHash<TCaseFoldedName, QString> byName;
        for (const auto &[name, title] : titles)
            byName.insert(TCaseFoldedName{QString::fromLatin1(name)}, QString::fromUtf8(title));
        it = indexes.insert(titles.data(), std::move(byName));
    }
    const QHash<TCaseFoldedName, QString> &byName = it.value();
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField *f = dataSet->Fields(i);
        const auto title = byName.constFind(TCaseFoldedName{f->FieldName()});
        if (title != byName.cend())
            f->SetDisplayLabel(title.value());
    }
}

quint64 CatalogStamp(const TDataSet *dataSet, const std::function<void(TDataSet *)> &event)
{
    quint64 stamp = 0;
    if (const auto *ds = dynamic_cast<const TIBCustomDataSet *>(dataSet))
        if (const auto *db = dynamic_cast<const TxDatabase *>(ds->Database()); db && db->DBCatalog)
            stamp = db->DBCatalog->Stamp() * 2 + 1;
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
    auto *ds = dynamic_cast<TIBCustomDataSet *>(dataSet);
    if (!ds || !ds->DefaultFields())
        return;
    auto *db = dynamic_cast<TxDatabase *>(ds->Database());
    if (!db || !db->DBCatalog)
        return;
    const TxDBCatalog &cat = *db->DBCatalog;
    for (int i = 0; i < ds->FieldCount(); ++i) {
        TField *f = ds->Fields(i);
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
