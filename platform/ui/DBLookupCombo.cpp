#include "DBLookupCombo.h"

#include "platform/db/DataSet.h"

#include <QSet>

namespace {

// Keys are compared without the blanks a fixed-length column pads them with.
QString KeyText(const QVariant &value)
{
    QString text = value.toString();
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    text.truncate(end);
    return text;
}

} // namespace

TDBLookupCombo::TDBLookupCombo(TDataSource *source, const QString &field, TDataSet *list, const QString &keyField,
                               QWidget *parent)
    : TDBComboBox(parent), list_(list), keyField_(keyField)
{
    SetStyle(csDropDownList);
    SetDataSource(source);
    SetDataField(field);
}

void TDBLookupCombo::Reload()
{
    QStringList texts{QStringLiteral(" ")};
    QStringList keys{QString()};
    if (list_->Active()) {
        TField *key = list_->FieldByName(keyField_);
        std::vector<TField *> shown;
        for (const QString &name : listField_.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            shown.push_back(list_->FieldByName(name.trimmed()));
        if (shown.empty())
            shown.push_back(key);
        QSet<QString> seen;
        for (int row = 0;; ++row) {
            if (row >= list_->FetchedCount() && (!list_->CanFetchMore() || list_->FetchMore(100) == 0))
                break;
            const QString k = KeyText(list_->ValueAt(row, key));
            if (k.isEmpty() || seen.contains(k))
                continue;
            seen.insert(k);
            QStringList parts;
            for (TField *f : shown)
                parts << list_->ValueAt(row, f).toString().trimmed();
            keys << k;
            texts << parts.join(QStringLiteral("  "));
        }
    }
    showing_ = true;
    clear();
    for (int i = 0; i < texts.size(); ++i)
        addItem(texts[i], keys[i]);
    showing_ = false;
    link_.OnDataChange();
}

void TDBLookupCombo::OpenListAndReload()
{
    if (!list_->Active())
        list_->Open();
    Reload();
}

int TDBLookupCombo::IndexOfKey(const QString &key) const
{
    const QString k = KeyText(key);
    if (k.isEmpty())
        return count() > 0 ? 0 : -1;
    for (int i = 1; i < count(); ++i)
        if (itemData(i).toString() == k)
            return i;
    return -1;
}

void TDBLookupCombo::ShowField()
{
    TField *f = Field();
    setCurrentIndex(f && !f->IsNull() ? IndexOfKey(f->AsString()) : (count() > 0 ? 0 : -1));
}

void TDBLookupCombo::WriteField()
{
    const QString key = currentData().toString();
    if (key.isEmpty())
        Field()->Clear();
    else
        Field()->SetText(key);
}
