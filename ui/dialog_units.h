#pragma once

#include "res/dialog_templates.h"

#include <QFont>
#include <QRect>

// Converts dialog units to pixels the way dialog templates are laid out: one horizontal
// unit is a quarter of the font's average character width, one vertical unit an eighth of
// its character height.
class DialogUnits final {
public:
    explicit DialogUnits(const QFont& font);

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(const res::DialogRect& rect) const;
    QSize toPixels(int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};

// The font every dialog asks for, SimSun 9 pt, falling back to an installed Chinese serif.
QFont dialogFont();
