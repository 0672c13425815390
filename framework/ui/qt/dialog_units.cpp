#include "framework/ui/qt/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace fw::ui {

DialogUnits DialogUnits::of(const QFont& font)
{
    const QFontMetrics metrics(font);
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    DialogUnits units;
    units.baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    units.baseY = metrics.height();
    return units;
}

int DialogUnits::x(int units) const { return (units * baseX + 2) / 4; }
int DialogUnits::y(int units) const { return (units * baseY + 4) / 8; }
QRect DialogUnits::rect(const Rect& r) const { return QRect(x(r.x), y(r.y), x(r.width), y(r.height)); }

} // namespace fw::ui
