#include "framework/ui/cursor.h"

#include <QApplication>
#include <QCursor>

namespace fw::ui {

void setWaitCursor()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr || isWaitCursor())
        return;
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void resetCursor()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    while (QApplication::overrideCursor() != nullptr)
        QApplication::restoreOverrideCursor();
}

bool isWaitCursor()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

} // namespace fw::ui
