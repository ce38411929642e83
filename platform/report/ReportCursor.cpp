#include "platform/report/ReportCursor.h"

#include "platform/os/Format.h"
#include "platform/report/QRExpression.h"

QString DefaultDisplayText(const QVariant &value, ReportCursor::FieldKind kind)
{
    if (value.isNull())
        return {};
    switch (kind) {
    case ReportCursor::fkFloat:
    case ReportCursor::fkCurrency:
        return FloatToStr(value.toDouble());
    case ReportCursor::fkDate:
        return FormatDateTime(FormatSettings().ShortDateFormat, value.toDate());
    case ReportCursor::fkDateTime:
        return FormatDateTime(QStringLiteral("c"), value.toDateTime());
    case ReportCursor::fkTime:
        return FormatDateTime(FormatSettings().LongTimeFormat, value.toDateTime());
    case ReportCursor::fkBlob:
    case ReportCursor::fkGraphic:
        return {};
    default:
        break;
    }
    return QRValueText(value);
}

QString ReportCursor::displayText(int index) const
{
    return DefaultDisplayText(value(index), fieldKind(index));
}

int ReportCursor::fieldIndex(const QString &name) const
{
    for (int i = 0, n = fieldCount(); i < n; ++i)
        if (fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant ReportCursor::value(const QString &name) const
{
    const int i = fieldIndex(name);
    return i < 0 ? QVariant() : value(i);
}

QString ReportCursor::displayText(const QString &name) const
{
    const int i = fieldIndex(name);
    return i < 0 ? QString() : displayText(i);
}

TMemoryCursor::TMemoryCursor(QStringList names, QVector<FieldKind> kinds, QVector<QVariantList> rows)
    : names_(std::move(names)), kinds_(std::move(kinds)), rows_(std::move(rows))
{
}

void TMemoryCursor::next()
{
    if (pos_ < rows_.size())
        ++pos_;
}

QString TMemoryCursor::displayLabel(int index) const
{
    const QString label = labels_.value(index);
    return label.isEmpty() ? fieldName(index) : label;
}

QVariant TMemoryCursor::value(int index) const
{
    if (eof())
        return {};
    return rows_[pos_].value(index);
}
