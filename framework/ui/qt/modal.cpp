#include "framework/ui/qt/modal.h"

#include <QDialog>
#include <QPointer>

#include "framework/threads/scheduler.h"
#include "framework/ui/qt/application.h"
#include "framework/ui/qt/window_view.h"
#include "framework/ui/window.h"

#include <QMainWindow>

namespace fw::ui {

int execModal(QDialog& dialog)
{
    startWindowSystem();
    QPointer<QDialog> guard(&dialog);
    bool finished = false;
    const QMetaObject::Connection done = QObject::connect(&dialog, &QDialog::finished,
                                                          [&finished] { finished = true; });

    // Modal to the windows of the thread that asks, not to the whole
    // program: the other threads' windows stay usable meanwhile.
    QPointer<QWidget> borrowedParent;
    if (dialog.parentWidget() == nullptr) {
        if (Window* window = currentWindow()) {
            borrowedParent = window->view().widget();
            dialog.setParent(borrowedParent, dialog.windowFlags() | Qt::Dialog);
        }
    }
    dialog.setWindowModality(borrowedParent ? Qt::WindowModal : Qt::ApplicationModal);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();

    threads::waitUntil([&] { return finished || guard.isNull() || !guard->isVisible(); });

    if (guard.isNull())
        return QDialog::Rejected;
    QObject::disconnect(done);
    if (borrowedParent)
        dialog.setParent(nullptr, dialog.windowFlags());
    return dialog.result();
}

} // namespace fw::ui
