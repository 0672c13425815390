#pragma once
// Dialog units, the measure of the stored layouts, in pixels.

#include <QFont>
#include <QRect>

#include "framework/ui/layout.h"

namespace fw::ui {

// Pixels per dialog unit, from a font: a horizontal unit is a quarter of the
// average character width, a vertical unit an eighth of the character height.
struct DialogUnits {
    int baseX = 0; // average character width in pixels
    int baseY = 0; // character height in pixels

    static DialogUnits of(const QFont& font);
    int x(int units) const;
    int y(int units) const;
    QRect rect(const Rect& r) const;
};

} // namespace fw::ui
