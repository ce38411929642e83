#include "Color.h"

#include <QGuiApplication>
#include <QPalette>

QColor ColorToQColor(TColor color)
{
    const quint32 bits = quint32(color);
    if (bits & 0x80000000u) {
        const QPalette palette =
            qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::palette() : QPalette();
        switch (bits & 0xFF) {
        case 0x05:
            return palette.color(QPalette::Base);
        case 0x08:
            return palette.color(QPalette::Text);
        case 0x0D:
            return palette.color(QPalette::Highlight);
        case 0x0E:
            return palette.color(QPalette::HighlightedText);
        case 0x0F:
            return palette.color(QPalette::Button);
        case 0x11:
            return palette.color(QPalette::Disabled, QPalette::Text);
        case 0x12:
            return palette.color(QPalette::ButtonText);
        case 0x17:
            return palette.color(QPalette::ToolTipText);
        case 0x18:
            return palette.color(QPalette::ToolTipBase);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

TColor QColorToColor(const QColor &color)
{
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}
