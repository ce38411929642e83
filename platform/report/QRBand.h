// The bands of a report: title, page header and footer, column header, detail, group header and footer,
// summary and child bands. A band holds controls and can be switched off or suppressed per record.
#pragma once

#include "platform/report/QRControls.h"

#include <functional>
#include <memory>
#include <vector>

enum TQRBandType {
    rbTitle,
    rbPageHeader,
    rbDetail,
    rbPageFooter,
    rbSummary,
    rbGroupHeader,
    rbGroupFooter,
    rbColumnHeader,
    rbChild
};

class TQRBand : public TQRComponent {
public:
    TQRBand(TQuickRep *report, TQRBandType type);
    ~TQRBand() override;
    TQuickRep *Report;
    TQRBandType BandType;
    // Sets PrintBand false to leave the band out for this record.
    std::function<void(TQRBand *sender, bool &PrintBand)> BeforePrint;
    std::function<void(TQRBand *sender, bool BandPrinted)> AfterPrint;
    // Printed right after this band (when it printed).
    TQRBand *ChildBand = nullptr;
    bool ForceNewPage = false;
    QColor Color = Qt::white;

    template <class T> T *Add(const QString &name = {})
    {
        auto control = std::make_unique<T>(this);
        control->Name = name;
        T *raw = control.get();
        Controls.push_back(std::move(control));
        return raw;
    }
    void remove(TQRPrintable *control);
    std::vector<std::unique_ptr<TQRPrintable>> Controls;

    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override;

protected:
    QFont parentFont() const override;
};

// A group header: printed before the first record and whenever Expression changes its value; its
// FooterBand prints after the group's last record.
class TQRGroup : public TQRBand {
public:
    explicit TQRGroup(TQuickRep *report) : TQRBand(report, rbGroupHeader) {}
    void setExpression(const QString &text) { expr_.setText(text); }
    QString Expression() const { return expr_.text(); }
    TQRBand *FooterBand = nullptr;
    QVariant key(const TQRContext &ctx) const { return expr_.evaluate(ctx); }
    bool setProperty(const QString &name, const QString &value) override;
    QString className() const override { return QStringLiteral("TQRGroup"); }

private:
    TQRExpression expr_;
};
