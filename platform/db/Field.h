// TField: one column of a data set — its value in the current record, its caption, formats and rules.
#pragma once

#include "DBTypes.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>

class TField {
public:
    // A persistent field: declared by code before the data set opens; it is bound to the column of the
    // same name (data fields) or computed (calculated and lookup fields).
    TField(TDataSet *dataSet, const QString &fieldName, TFieldType type, int size = 0, TFieldKind kind = fkData);
    virtual ~TField();
    TField(const TField &) = delete;
    TField &operator=(const TField &) = delete;

    TDataSet *DataSet() const { return dataSet_; }
    const QString &FieldName() const { return fieldName_; }
    TFieldType DataType() const { return dataType_; }
    TFieldKind FieldKind() const { return kind_; }
    bool Lookup() const { return kind_ == fkLookup; }
    // 1-based column number in the data set's result, 0 for computed fields.
    int FieldNo() const { return fieldNo_; }
    // Position among the data set's fields.
    int Index() const;
    // Characters for string fields, 0 otherwise.
    int Size() const { return size_; }
    void SetSize(int size) { size_ = size; }

    QString DisplayLabel() const { return displayLabel_.isEmpty() ? fieldName_ : displayLabel_; }
    void SetDisplayLabel(const QString &label) { displayLabel_ = label; }
    QString DisplayName() const { return DisplayLabel(); }
    int DisplayWidth() const;
    void SetDisplayWidth(int width) { displayWidth_ = width; }
    QString DisplayFormat;
    QString EditFormat;
    QString EditMask;
    TAlignment Alignment() const;
    void SetAlignment(TAlignment a) { alignment_ = int(a); }
    bool Visible = true;
    bool ReadOnly = false;
    bool Required = false;
    // The range a number must keep, ends included; both 0: any number. A value outside it is refused.
    double MinValue = 0;
    double MaxValue = 0;
    int Tag = 0;
    // Fills new records: "0", "'text'", a number or a text.
    QString DefaultExpression;
    // The value DefaultExpression gives this field; null without one or when the field cannot take it.
    QVariant DefaultValue() const;
    // A float field shown as money.
    bool Currency = false;
    // The field is part of the key used by updates generated for it (set by the data set).
    bool InKey = false;

    // Lookup fields: KeyFields of this data set are looked up in LookupDataSet by LookupKeyFields,
    // giving LookupResultField.
    TDataSet *LookupDataSet = nullptr;
    QString KeyFields;
    QString LookupKeyFields;
    QString LookupResultField;

    // The value in the record the data set currently exposes (current row, edit buffer, or the row being
    // calculated or painted).
    QVariant Value() const;
    void SetValue(const QVariant &value);
    bool IsNull() const;
    void Clear() { SetValue(QVariant()); }
    // The value before the current edit began (the stored record).
    QVariant OldValue() const;
    QVariant NewValue() const { return Value(); }

    QString AsString() const;
    void SetAsString(const QString &text);
    int AsInteger() const;
    void SetAsInteger(int v) { SetValue(v); }
    qint64 AsLargeInt() const;
    double AsFloat() const;
    void SetAsFloat(double v) { SetValue(v); }
    QDateTime AsDateTime() const;
    void SetAsDateTime(const QDateTime &v) { SetValue(v); }
    QDate AsDate() const;
    void SetAsDate(const QDate &v) { SetValue(v); }
    bool AsBoolean() const;
    void SetAsBoolean(bool v) { SetValue(v); }
    QByteArray AsBytes() const;
    void SetAsBytes(const QByteArray &bytes) { SetValue(bytes); }

    // The text shown in a grid or label: OnGetText, else the value formatted with DisplayFormat.
    QString DisplayText() const;
    // The text put into an edit control: OnGetText (DisplayText false), else formatted with EditFormat.
    QString Text() const;
    // The text typed by the user: OnSetText, else converted leniently by the field's type.
    void SetText(const QString &text);

    // Converts a value to this field's canonical kind (int, qlonglong, double, QString, QDate, ...);
    // throws EDatabaseError on text that is not a number or date.
    QVariant Convert(const QVariant &value) const;
    // Throws EDatabaseError when a number is outside MinValue..MaxValue.
    void CheckRange(const QVariant &value) const;
    // The formatted form of a value of this field (no events).
    QString FormatValue(const QVariant &value, bool display) const;

    std::function<void(TField *)> OnValidate;
    std::function<void(TField *)> OnChange;
    std::function<void(TField *, QString &text, bool displayText)> OnGetText;
    std::function<void(TField *, const QString &text)> OnSetText;

    void FocusControl();

private:
    // Everything that code may set on a field (captions, formats, rules, handlers), taken from another of
    // the same column; what binds it to its data set and column stays. A member added to this class that
    // code can set goes there too.
    void takeSettingsOf(const TField &other);
    friend class TDataSet;
    QVariant defaultOfExpression() const;
    // The last DefaultValue() and what it was worked out from.
    mutable QVariant defaultValue_;
    mutable QString defaultOf_;
    mutable int defaultSize_ = 0;
    mutable bool defaultKnown_ = false;
    TDataSet *dataSet_;
    QString fieldName_;
    TFieldType dataType_;
    TFieldKind kind_;
    int size_;
    int fieldNo_ = 0;
    int slot_ = -1; // index into the record's value array
    QString displayLabel_;
    int displayWidth_ = -1;
    int alignment_ = -1;
    bool persistent_ = true;
};
