#include "xDBCatalog.h"

#include "xDatabase.h"
#include "platform/fb/IBCustomDataSet.h"

namespace {
// The value of the first line whose name matches, or null when there is none.
QString lookupLine(const TStringList &lines, const QString &name, bool &found)
{
    const int i = lines.IndexOfName(name);
    found = i >= 0;
    return found ? lines.ValueFromIndex(i) : QString();
}
} // namespace

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
        const QString title = lookupLine(cat.Titles, f->FieldName(), hasTitle);
        if (hasTitle)
            f->SetDisplayLabel(title);
        bool hasFormat = false;
        const QString format = lookupLine(cat.Formats, f->FieldName(), hasFormat);
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
