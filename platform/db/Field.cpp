#include "Field.h"

#include "DataSet.h"
#include "DataSource.h"
#include "platform/os/Format.h"

#include <cmath>

TField::TField(TDataSet *dataSet, const QString &fieldName, TFieldType type, int size, TFieldKind kind)
    : dataSet_(dataSet), fieldName_(fieldName), dataType_(type), kind_(kind), size_(size)
{
    if (dataSet_)
        dataSet_->AddField(this);
}

TField::~TField() = default;

namespace {
// A text left as it was made shares its data with the one it was made from: nothing to copy then.
void takeText(QString &to, const QString &from)
{
    if (to.constData() != from.constData() || to.size() != from.size())
        to = from;
}
} // namespace

void TField::takeSettingsOf(const TField &o)
{
    LookupDataSet = o.LookupDataSet;
    takeText(KeyFields, o.KeyFields);
    takeText(LookupKeyFields, o.LookupKeyFields);
    takeText(LookupResultField, o.LookupResultField);
    takeText(DisplayFormat, o.DisplayFormat);
    takeText(EditFormat, o.EditFormat);
    takeText(EditMask, o.EditMask);
    Visible = o.Visible;
    ReadOnly = o.ReadOnly;
    Required = o.Required;
    MinValue = o.MinValue;
    MaxValue = o.MaxValue;
    Tag = o.Tag;
    takeText(DefaultExpression, o.DefaultExpression);
    Currency = o.Currency;
    InKey = o.InKey;
    OnValidate = o.OnValidate;
    OnChange = o.OnChange;
    OnGetText = o.OnGetText;
    OnSetText = o.OnSetText;
    size_ = o.size_;
    takeText(displayLabel_, o.displayLabel_);
    displayWidth_ = o.displayWidth_;
    alignment_ = o.alignment_;
}

int TField::Index() const
{
    for (int i = 0; i < dataSet_->FieldCount(); ++i)
        if (dataSet_->Fields(i) == this)
            return i;
    return -1;
}

int TField::DisplayWidth() const
{
    if (displayWidth_ >= 0)
        return displayWidth_;
    switch (dataType_) {
    case ftString:
    case ftFixedChar:
        return size_ > 0 ? size_ : 20;
    case ftSmallint:
    case ftWord:
        return 6;
    case ftInteger:
        return 11;
    case ftLargeint:
        return 15;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return 10;
    case ftDate:
    case ftTime:
        return 10;
    case ftDateTime:
        return 18;
    case ftBoolean:
        return 5;
    default:
        return 10;
    }
}

TAlignment TField::Alignment() const
{
    if (alignment_ >= 0)
        return TAlignment(alignment_);
    return IsNumericType(dataType_) ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
}

QVariant TField::Value() const
{
    if (!IsBlobType(dataType_))
        return dataSet_->GetFieldValue(this); // the hot path: returned in place
    QVariant v = dataSet_->GetFieldValue(this);
    if (!v.isNull())
        return dataSet_->InternalReadBlob(this, v);
    return v;
}

void TField::SetValue(const QVariant &value)
{
    dataSet_->SetFieldValue(this, value);
}

bool TField::IsNull() const
{
    return dataSet_->GetFieldValue(this).isNull();
}

QVariant TField::OldValue() const
{
    QVariant v = dataSet_->GetOldFieldValue(this);
    if (IsBlobType(dataType_) && !v.isNull())
        return dataSet_->InternalReadBlob(this, v);
    return v;
}

QString TField::AsString() const
{
    const QVariant v = Value();
    if (v.isNull())
        return QString();
    switch (dataType_) {
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return FloatToStr(v.toDouble());
    case ftDate:
        return FormatDateTime(FormatSettings().ShortDateFormat, v.toDate());
    case ftTime:
        return FormatDateTime(FormatSettings().LongTimeFormat, QDateTime(QDate(1899, 12, 30), v.toTime(), Qt::UTC));
    case ftDateTime: {
        const QDateTime dt = v.toDateTime();
        return FormatDateTime(QStringLiteral("c"), dt);
    }
    case ftBoolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case ftBlob:
    case ftGraphic:
        return QString::fromLatin1(v.toByteArray());
    default:
        return v.toString();
    }
}

void TField::SetAsString(const QString &text)
{
    if (text.isEmpty() && !IsStringType(dataType_) && dataType_ != ftMemo)
        SetValue(QVariant());
    else
        SetValue(text);
}

int TField::AsInteger() const
{
    return int(AsLargeInt());
}

qint64 TField::AsLargeInt() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (IsFloatType(dataType_))
        return std::llround(v.toDouble());
    if (IsStringType(dataType_))
        return StrToInt(v.toString());
    return v.toLongLong();
}

double TField::AsFloat() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0.0;
    if (IsStringType(dataType_))
        return StrToFloat(v.toString());
    return v.toDouble();
}

QDateTime TField::AsDateTime() const
{
    const QVariant v = Value();
    if (v.isNull())
        return QDateTime();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().startOfDay();
    case QMetaType::QTime:
        return QDateTime(QDate(1899, 12, 30), v.toTime());
    case QMetaType::QString: {
        QDate d;
        if (TryStrToDate(v.toString(), d))
            return d.startOfDay();
        return QDateTime();
    }
    default:
        return v.toDateTime();
    }
}

// A date is read as it is held: the way through a date and time would ask the time zone at every call.
QDate TField::AsDate() const
{
    const QVariant v = Value();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate();
    case QMetaType::QDateTime:
        return v.toDateTime().date();
    default:
        return AsDateTime().date();
    }
}

bool TField::AsBoolean() const
{
    const QVariant v = Value();
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("1") ||
               s.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0;
    }
    return v.toBool();
}

QByteArray TField::AsBytes() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QString)
        return v.toString().toUtf8();
    return v.toByteArray();
}

QVariant TField::Convert(const QVariant &value) const
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString() : QString();
    switch (dataType_) {
    case ftString:
    case ftFixedChar: {
        QString s;
        if (isText)
            s = text;
        else if (value.typeId() == QMetaType::Double)
            s = FloatToStr(value.toDouble());
        else if (value.typeId() == QMetaType::QDate)
            s = FormatDateTime(FormatSettings().ShortDateFormat, value.toDate());
        else
            s = value.toString();
        if (size_ > 0 && s.size() > size_)
            s.truncate(size_);
        return s;
    }
    case ftMemo:
        return isText ? text : value.toString();
    case ftSmallint:
    case ftInteger:
    case ftWord: {
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            qint64 v;
            if (!TryStrToInt(text, v) || v < INT_MIN || v > INT_MAX)
                DatabaseError(QStringLiteral("'%1' nie je platné celé číslo").arg(text));
            return int(v);
        }
        if (value.typeId() == QMetaType::Double)
            return int(std::lround(value.toDouble()));
        return value.toInt();
    }
    case ftLargeint: {
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            qint64 v;
            if (!TryStrToInt(text, v))
                DatabaseError(QStringLiteral("'%1' nie je platné celé číslo").arg(text));
            return QVariant::fromValue<qlonglong>(v);
        }
        if (value.typeId() == QMetaType::Double)
            return QVariant::fromValue<qlonglong>(std::llround(value.toDouble()));
        return QVariant::fromValue<qlonglong>(value.toLongLong());
    }
    case ftFloat:
    case ftCurrency:
    case ftBCD: {
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            double v;
            if (!TryStrToFloat(text, v))
                DatabaseError(QStringLiteral("'%1' nie je platné číslo").arg(text));
            return v;
        }
        return value.toDouble();
    }
    case ftBoolean:
        if (isText) {
            const QString s = text.trimmed();
            return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("1");
        }
        return value.toBool();
    case ftDate:
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            QDate d;
            if (!TryStrToDate(text, d))
                DatabaseError(QStringLiteral("'%1' nie je platný dátum").arg(text));
            return d;
        }
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().date();
        return value.toDate();
    case ftTime:
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().time();
        return value.toTime();
    case ftDateTime:
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            QDate d;
            if (!TryStrToDate(text, d))
                DatabaseError(QStringLiteral("'%1' nie je platný dátum").arg(text));
            return d.startOfDay();
        }
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().startOfDay();
        return value.toDateTime();
    case ftBlob:
    case ftGraphic:
        return value.typeId() == QMetaType::QString ? QVariant(value.toString().toUtf8())
                                                    : QVariant(value.toByteArray());
    default:
        return value;
    }
}

QString TField::FormatValue(const QVariant &v, bool display) const
{
    if (v.isNull())
        return QString();
    const QString &fmt = display || EditFormat.isEmpty() ? DisplayFormat : EditFormat;
    switch (dataType_) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftLargeint:
        if (!fmt.isEmpty())
            return FormatFloat(fmt, v.toDouble());
        return v.toString();
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        if (!fmt.isEmpty())
            return FormatFloat(fmt, v.toDouble());
        if (Currency && display)
            return FormatCurr(v.toDouble());
        if (Currency)
            return FormatFloat(QStringLiteral("0.00"), v.toDouble());
        return FloatToStr(v.toDouble());
    case ftDate:
        return FormatDateTime(fmt.isEmpty() || !display ? FormatSettings().ShortDateFormat : fmt, v.toDate());
    case ftTime:
        return FormatDateTime(fmt.isEmpty() || !display ? FormatSettings().LongTimeFormat : fmt,
                              QDateTime(QDate(1899, 12, 30), v.toTime(), Qt::UTC));
    case ftDateTime:
        return FormatDateTime(fmt.isEmpty() || !display ? QStringLiteral("c") : fmt, v.toDateTime());
    case ftBoolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case ftMemo:
        return display ? QStringLiteral("(MEMO)") : v.toString();
    case ftBlob:
        return QStringLiteral("(BLOB)");
    case ftGraphic:
        return QStringLiteral("(GRAPHIC)");
    default:
        return v.toString();
    }
}

QString TField::DisplayText() const
{
    if (OnGetText) {
        QString text = FormatValue(dataSet_->GetFieldValue(this), true);
        OnGetText(const_cast<TField *>(this), text, true);
        return text;
    }
    if (dataType_ == ftMemo)
        return FormatValue(dataSet_->GetFieldValue(this), true);
    return FormatValue(Value(), true);
}

void TField::CheckRange(const QVariant &value) const
{
    if ((MinValue == 0 && MaxValue == 0) || value.isNull() || !IsNumericType(dataType_))
        return;
    const double v = value.toDouble();
    if (v < MinValue || v > MaxValue)
        DatabaseError(QStringLiteral("'%1' nie je platná hodnota položky '%2', povolený rozsah je %3 až %4")
                          .arg(FloatToStr(v), DisplayLabel(), FloatToStr(MinValue), FloatToStr(MaxValue)),
                      dataSet_);
}

QString TField::Text() const
{
    if (OnGetText) {
        QString text = FormatValue(Value(), false);
        OnGetText(const_cast<TField *>(this), text, false);
        return text;
    }
    return FormatValue(Value(), false);
}

void TField::SetText(const QString &text)
{
    if (OnSetText) {
        OnSetText(this, text);
        return;
    }
    SetAsString(text);
}

void TField::FocusControl()
{
    if (dataSet_)
        dataSet_->DataEvent(deFocusControl, this);
}

QVariant TField::DefaultValue() const
{
    // Every new record asks again; the answer changes only with the expression or the field's size.
    if (defaultKnown_ && defaultOf_ == DefaultExpression && defaultSize_ == size_)
        return defaultValue_;
    defaultValue_ = defaultOfExpression();
    defaultOf_ = DefaultExpression;
    defaultSize_ = size_;
    defaultKnown_ = true;
    return defaultValue_;
}

QVariant TField::defaultOfExpression() const
{
    QString text = DefaultExpression.trimmed();
    if (text.isEmpty())
        return QVariant();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('\'')) && text.endsWith(QLatin1Char('\'')))
        text = text.mid(1, text.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    try {
        return Convert(text);
    } catch (const EDatabaseError &) {
        return QVariant();
    }
}
