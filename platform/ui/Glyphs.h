// The program's own 16 x 16 glyphs for buttons, edit buttons, grid titles and pop-up menus, drawn once
// and kept. Names are matched without regard to letter case.
#pragma once

#include <QPixmap>
#include <QStringList>

// The glyph of that name, or a null pixmap for an unknown name.
QPixmap Glyph(const QString &name);
// Every name Glyph knows.
QStringList GlyphNames();
