// The rows a report reads: a small forward cursor over named, typed columns. Tests feed rows from
// memory (TMemoryCursor); the program adapts its data sets to it.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class ReportCursor {
public:
    // What a column holds, as far as printing and data export care.
    enum FieldKind {
        fkString,
        fkMemo,
        fkInteger,
        fkFloat,
        fkCurrency,
        fkDate,
        fkTime,
        fkDateTime,
        fkBoolean,
        fkBlob,
        fkGraphic,
        fkOther
    };

    virtual ~ReportCursor() = default;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    virtual int fieldCount() const = 0;
    virtual QString fieldName(int index) const = 0;
    virtual QVariant value(int index) const = 0;
    // The caption shown for a column (header lines of exports); the field name when there is none.
    virtual QString displayLabel(int index) const { return fieldName(index); }
    virtual FieldKind fieldKind(int index) const { return fkOther; }
    // The value as the user sees it on screen; by default numbers and dates in the user's settings.
    virtual QString displayText(int index) const;
    // Screen updates are held while a whole data set is walked.
    virtual void disableControls() {}
    virtual void enableControls() {}

    // Case-insensitive; -1 when there is no such column.
    int fieldIndex(const QString &name) const;
    QVariant value(const QString &name) const;
    QString displayText(const QString &name) const;
};

// The default display text of a value of the given kind.
QString DefaultDisplayText(const QVariant &value, ReportCursor::FieldKind kind);

// Rows held in memory.
class TMemoryCursor : public ReportCursor {
public:
    TMemoryCursor(QStringList names, QVector<FieldKind> kinds, QVector<QVariantList> rows = {});
    void append(const QVariantList &row) { rows_.append(row); }
    void setDisplayLabels(QStringList labels) { labels_ = std::move(labels); }
    int rowCount() const { return int(rows_.size()); }
    int recNo() const { return pos_; }
    using ReportCursor::displayText;
    using ReportCursor::value;

    void first() override { pos_ = 0; }
    void next() override;
    bool eof() const override { return pos_ >= rows_.size(); }
    int fieldCount() const override { return int(names_.size()); }
    QString fieldName(int index) const override { return names_.value(index); }
    QString displayLabel(int index) const override;
    FieldKind fieldKind(int index) const override { return kinds_.value(index, fkOther); }
    QVariant value(int index) const override;

private:
    QStringList names_, labels_;
    QVector<FieldKind> kinds_;
    QVector<QVariantList> rows_;
    int pos_ = 0;
};
