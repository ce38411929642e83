#include "AmountText.h"

#include "platform/os/Format.h"
#include "platform/report/QRBand.h"

TAmountText::TAmountText(TQRBand *parent) : TQRExpr(parent)
{
    Alignment = Qt::AlignRight;
    AutoSize = false;
}

QString TAmountText::amountText(const TQRContext &ctx) const
{
    QString value = text(ctx);
    if (BlankRule == brNotAfterBlank) {
        if (!(value > QStringLiteral(" ")))
            return QString();
    } else {
        value = value.trimmed();
        if (value.isEmpty() || value == QString(FormatSettings().DecimalSeparator) + QStringLiteral("00"))
            return QString();
    }
    return value + QLatin1Char(' ') + currency_.evaluate(ctx).toString().trimmed();
}

void TAmountText::produce(const TQRContext &ctx, QPointF origin, TQRPage &page)
{
    produceText(amountText(ctx), origin, page);
    if (ResetAfterPrint)
        expression().reset();
}

TAmountText *TAmountText::Place(TQRBand *band, const QString &name, const char *expression, double left, double top,
                                const char *mask, TBlankRule rule)
{
    auto *a = band->Add<TAmountText>(name);
    a->Left = left;
    a->Top = top;
    a->Width = 95;
    a->setExpression(QString::fromLatin1(expression));
    a->Mask = QString::fromLatin1(mask);
    a->BlankRule = rule;
    return a;
}
