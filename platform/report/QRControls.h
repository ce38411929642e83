// The printable controls of a banded report: labels, data texts, expressions, memos, images, shapes and
// system data. Each lays itself out into page items; none paints.
#pragma once

#include "platform/report/QRExpression.h"
#include "platform/report/QRPage.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QStringList>
#include <memory>

class TQRBand;
class TQuickRep;

// Lines drawn on the sides of a control or band.
struct TQRFrame {
    bool DrawTop = false, DrawBottom = false, DrawLeft = false, DrawRight = false;
    double Width = 1;
    QColor Color = Qt::black;
    bool any() const { return DrawTop || DrawBottom || DrawLeft || DrawRight; }
};

// What bands and controls share: name, position and size in report units, font (taken from the parent
// until set), frame, tag, and properties settable by name from text.
class TQRComponent {
public:
    virtual ~TQRComponent() = default;
    QString Name;
    double Left = 0, Top = 0, Width = 65, Height = 17;
    bool Enabled = true;
    int Tag = 0;
    TQRFrame Frame;
    QColor FontColor = Qt::black;

    // The font in force: the parent's while ParentFont is set.
    QFont font() const;
    void setFont(const QFont &font);
    // The control's own font for changing in place (Font().setBold(true)); stops following the parent.
    QFont &Font();
    bool ParentFont = true;

    // Sets a property from its text; names are matched without regard to letter case. Returns false for
    // a name that is no property (layout files may carry other attributes).
    virtual bool setProperty(const QString &name, const QString &value);
    virtual QString className() const = 0;

    // Frame lines around rect.
    void produceFrame(const QRectF &rect, TQRPage &page) const;

protected:
    virtual QFont parentFont() const = 0;

private:
    QFont font_;
};

class TQRPrintable : public TQRComponent {
public:
    explicit TQRPrintable(TQRBand *parent);
    TQRBand *Parent;
    Qt::Alignment Alignment = Qt::AlignLeft;
    bool AutoSize = true;
    bool Transparent = true;
    QColor Color = Qt::white; // the background when not transparent

    // The height the control needs on this record (memos stretch); Height for the others.
    virtual double neededHeight(const TQRContext &ctx) const { return Height; }
    // Adds the control's items at the band origin.
    virtual void produce(const TQRContext &ctx, QPointF origin, TQRPage &page) = 0;
    bool setProperty(const QString &name, const QString &value) override;

protected:
    QFont parentFont() const override;
    QRectF rectAt(QPointF origin) const { return {origin.x() + Left, origin.y() + Top, Width, Height}; }
    // A single text item in the control's rectangle, with its frame.
    void produceText(const QString &text, QPointF origin, TQRPage &page) const;
};

class TQRLabel : public TQRPrintable {
public:
    using TQRPrintable::TQRPrintable;
    QString Caption;
    void produce(const TQRContext &ctx, QPointF origin, TQRPage &page) override;
    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override { return QStringLiteral("TQRLabel"); }
};

// A column of the report's data set, through Mask when one is given, else as displayed.
class TQRDBText : public TQRPrintable {
public:
    using TQRPrintable::TQRPrintable;
    QString DataField;
    QString Mask;
    QString text(const TQRContext &ctx) const;
    void produce(const TQRContext &ctx, QPointF origin, TQRPage &page) override;
    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override { return QStringLiteral("TQRDBText"); }
};

// An expression. Its aggregates take in every record read; ResetAfterPrint starts them again after
// each print (group and page footers do so by themselves).
class TQRExpr : public TQRPrintable {
public:
    using TQRPrintable::TQRPrintable;
    void setExpression(const QString &text) { expr_->setText(text); }
    QString Expression() const { return expr_->text(); }
    QString Mask;
    bool ResetAfterPrint = false;
    TQRExpression &expression() { return *expr_; }
    QString text(const TQRContext &ctx) const;
    void produce(const TQRContext &ctx, QPointF origin, TQRPage &page) override;
    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override { return QStringLiteral("TQRExpr"); }

private:
    std::unique_ptr<TQRExpression> expr_ = std::make_unique<TQRExpression>();
};

// Lines of text; "{expression}" in a line is replaced by its value on the current record. With
// AutoStretch the control (and its band) grows to hold all lines.
class TQRMemo : public TQRPrintable {
public:
    explicit TQRMemo(TQRBand *parent) : TQRPrintable(parent) { AutoSize = false; }
    QStringList Lines;
    bool WordWrap = true;
    bool AutoStretch = false;
    // The printed lines after substitution and word wrap.
    QStringList printedLines(const TQRContext &ctx) const;
    double lineHeight() const;
    double neededHeight(const TQRContext &ctx) const override;
    void produce(const TQRContext &ctx, QPointF origin, TQRPage &page) override;
    // `count` printed lines from line `first` on, the first at the memo's top from the band origin: a
    // stretched memo longer than the page goes on at the top of the next pages.
    void produceLines(const TQRContext &ctx, QPointF origin, TQRPage &page, int first, int count);
    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override { return QStringLiteral("TQRMemo"); }

private:
    void produceBox(const QStringList &lines, int first, int count, QPointF origin, double height, TQRPage &page) const;
    mutable QHash<QString, std::shared_ptr<TQRExpression>> cache_;
};

// A picture (BMP, JPEG, PNG): at its own size from the top left, centred, or stretched to the control.
class TQRImage : public TQRPrintable {
public:
    explicit TQRImage(TQRBand *parent) : TQRPrintable(parent) { AutoSize = false; }
    QImage Picture;
    bool Center = false;
    bool Stretch = false;
    bool loadFromFile(const QString &fileName) { return Picture.load(fileName); }
    void produce(const TQRContext &ctx, QPointF origin, TQRPage &page) override;
    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override { return QStringLiteral("TQRImage"); }
};

enum TQRShapeType { qrsRectangle, qrsHorLine, qrsVertLine, qrsTopAndBottom, qrsRightAndLeft };

class TQRShape : public TQRPrintable {
public:
    explicit TQRShape(TQRBand *parent) : TQRPrintable(parent) { AutoSize = false; }
    TQRShapeType Shape = qrsRectangle;
    double PenWidth = 1;
    QColor PenColor = Qt::black;
    QColor BrushColor = Qt::white;
    bool Filled = false;
    void produce(const TQRContext &ctx, QPointF origin, TQRPage &page) override;
    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override { return QStringLiteral("TQRShape"); }
};

enum TQRSysDataType { qrsTime, qrsDate, qrsDateTime, qrsPageNumber, qrsReportTitle, qrsDetailNo };

// Data of the run: date, time, page number, title, record number; Text goes before it.
class TQRSysData : public TQRPrintable {
public:
    using TQRPrintable::TQRPrintable;
    TQRSysDataType Data = qrsDate;
    QString Text;
    void produce(const TQRContext &ctx, QPointF origin, TQRPage &page) override;
    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override { return QStringLiteral("TQRSysData"); }
};

// Sets a property of a band or control from text; false when the name is no property of it.
bool setPropertyByName(TQRComponent *component, const QString &name, const QString &value);
