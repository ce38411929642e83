// Colours as the forms and report definitions give them: $00BBGGRR integers, and the system colours
// (high byte set) resolved through the application's palette.
#pragma once

#include <QColor>

using TColor = qint32;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080, clNavy = 0x800000,
                 clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0, clRed = 0x0000FF,
                 clLime = 0x00FF00, clYellow = 0x00FFFF, clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF,
                 clMedGray = 0xA4A0A0;
// System colours: 0x80000000 | index.
constexpr TColor clWindow = TColor(0x80000005), clWindowText = TColor(0x80000008), clHighlight = TColor(0x8000000D),
                 clHighlightText = TColor(0x8000000E), clBtnFace = TColor(0x8000000F), clGrayText = TColor(0x80000011),
                 clBtnText = TColor(0x80000012), clInfoText = TColor(0x80000017), clInfoBk = TColor(0x80000018);

QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor &color);
