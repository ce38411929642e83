#include "xDBCatalog.h"

#include "xDatabase.h"
#include "platform/fb/IBCustomDataSet.h"

QString TxDBCatalog::TIndex::Find(const TStringList &lines, const QString &name, bool &found) const
{
    // The copy shares the lines' data until they change, so a changed list is told by not sharing it.
    if (!of_.isSharedWith(lines.Lines()) || (of_.isEmpty() && !lines.Lines().isEmpty())) {
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
    const auto it = values_.constFind(TCaseFoldedName{name});
    found = it != values_.cend();
    return found ? it.value() : QString();
}

void SetFieldTitles(TDataSet *dataSet, std::span<const TFieldTitle> titles)
{
    for (const auto &[name, title] : titles)
        if (TField *f = dataSet->FindField(QString::fromLatin1(name)))
            f->SetDisplayLabel(QString::fromUtf8(title));
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
