// TAmountText: an amount of a dispatch document, printed followed by a blank and the row's currency
// (MENA), or blank: on a delivery note when its text is a zero under the mask (the decimal separator and
// "00"), on an invoice when its text does not sort after a blank.
#pragma once

#include "platform/report/QRControls.h"
#include "platform/report/QRExpression.h"

class TAmountText : public TQRExpr {
public:
    enum TBlankRule { brZeroUnderMask, brNotAfterBlank };
    explicit TAmountText(TQRBand *parent);
    TBlankRule BlankRule = brZeroUnderMask;
    void produce(const TQRContext &ctx, QPointF origin, TQRPage &page) override;
    // The text as printed.
    QString amountText(const TQRContext &ctx) const;

    // A placed amount of the band.
    static TAmountText *Place(TQRBand *band, const QString &name, const char *expression, double left, double top,
                              const char *mask, TBlankRule rule = brZeroUnderMask);

private:
    TQRExpression currency_{QStringLiteral("MENA")};
};
