#include "framework/ui/qt/display.h"

#include <QApplication>
#include <QGuiApplication>

namespace fw::ui {

bool hasDisplay()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace fw::ui
