#include "platform/report/QRBand.h"

#include "platform/report/QuickRep.h"

#include <algorithm>

TQRBand::TQRBand(TQuickRep *report, TQRBandType type) : Report(report), BandType(type)
{
    Height = 40;
}

TQRBand::~TQRBand() = default;

void TQRBand::remove(TQRPrintable *control)
{
    Controls.erase(
        std::remove_if(Controls.begin(), Controls.end(), [control](const auto &c) { return c.get() == control; }),
        Controls.end());
}

QFont TQRBand::parentFont() const
{
    return Report ? Report->Font : QFont();
}

QString TQRBand::className() const
{
    return BandType == rbChild ? QStringLiteral("TQRChildBand") : QStringLiteral("TQRBand");
}

bool TQRBand::setProperty(const QString &name, const QString &value)
{
    if (name.compare(QLatin1String("ForceNewPage"), Qt::CaseInsensitive) == 0) {
        const QString t = value.trimmed().toLower();
        ForceNewPage = t == QLatin1String("true") || t == QLatin1String("1");
        return true;
    }
    return TQRComponent::setProperty(name, value);
}

bool TQRGroup::setProperty(const QString &name, const QString &value)
{
    if (name.compare(QLatin1String("Expression"), Qt::CaseInsensitive) == 0) {
        setExpression(value);
        return true;
    }
    return TQRBand::setProperty(name, value);
}
