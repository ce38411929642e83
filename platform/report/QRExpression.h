// Report expressions: field names, literals, arithmetic, comparisons, AND/OR/NOT, string concatenation
// with +, IF, STR, FORMATNUMERIC and the aggregates SUM, COUNT, MIN, MAX, AVERAGE over printed records.
#pragma once

#include "platform/report/ReportCursor.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class TQuickRep;
class TQRExpression;
// Named expressions of a report, usable in other expressions by name (upper-case keys).
using TQRFunctions = QHash<QString, std::shared_ptr<TQRExpression>>;

// The column layout shared by the row snapshots of one run.
struct TQRFieldInfo {
    QStringList names;
    QVector<ReportCursor::FieldKind> kinds;
    QHash<QString, int> index; // upper-case name -> column
    int find(const QString &name) const;
};

// One record as it was when read: values and display texts. Group footers print from the record
// before the change, so bands read these snapshots rather than the live cursor.
struct TQRRow {
    const TQRFieldInfo *info = nullptr;
    QVector<QVariant> values;
    QVector<QString> texts;
    bool valid() const { return info != nullptr; }
};

// What an expression or a control sees while a band is laid out.
struct TQRContext {
    TQuickRep *Report = nullptr;
    const TQRFunctions *Functions = nullptr;
    const TQRRow *Row = nullptr;
    int PageNumber = 0;
    int DetailNo = 0; // records read so far, 1-based while a detail prints
    QDateTime Now;
};

class TQRExpression {
public:
    TQRExpression();
    explicit TQRExpression(const QString &text);
    ~TQRExpression();
    TQRExpression(const TQRExpression &) = delete;
    TQRExpression &operator=(const TQRExpression &) = delete;

    // Parses at once; a faulty text throws Exception with a Slovak message.
    void setText(const QString &text);
    QString text() const { return text_; }
    bool isAggregate() const;

    QVariant evaluate(const TQRContext &ctx) const;
    // Adds the current record to every aggregate of the expression.
    void accumulate(const TQRContext &ctx);
    void reset();

    struct Node;

private:
    QString text_;
    std::unique_ptr<Node> root_;
};

// Text of a value without a mask: numbers as the shortest decimal text, dates in the short date format.
QString QRValueText(const QVariant &value);
// With a display mask: numbers through the display-format language, dates through the date language.
QString QRMaskedText(const QVariant &value, const QString &mask);
