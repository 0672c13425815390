#include "framework/ui/drive/window_driver.h"

#include <memory>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "framework/core/text.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/qt/application.h"
#include "framework/ui/qt/window_view.h"

namespace fw::ui::drive {

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    startWindowSystem();
    bool expired = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&expired] { expired = true; });
    watchdog.start(limit);
    threads::waitUntil([&] { return expired || done(); });
    return done();
}

std::optional<EventRecord> nextEvent(Window& window, std::chrono::milliseconds limit)
{
    // The window's loop waits on a thread of its own, so that the watchdog
    // on thread 1 can give up; the event it leaves behind on a timeout ends
    // that thread's wait.
    std::optional<EventRecord> got;
    bool finished = false;
    const threads::ThreadNumber taker = threads::start([&] {
        if (window.nextEvent())
            got = window.current();
        finished = true;
    });
    if (!waitFor([&] { return finished; }, limit)) {
        window.post(Event::None);
        threads::waitForThread(taker);
        return std::nullopt;
    }
    threads::waitForThread(taker);
    return got;
}

Window* findWindow(std::string_view label, std::string_view moduleKey)
{
    Window* found = nullptr;
    for (Window* window : openWindows()) {
        const WindowLayout& layout = window->layout();
        const bool sameLabel = core::sameText(layout.label, label);
        if (sameLabel && (moduleKey.empty() || core::sameText(layout.moduleKey, moduleKey)))
            found = window;
    }
    return found;
}

Window* waitForWindow(std::string_view label, std::string_view moduleKey, std::chrono::milliseconds limit)
{
    Window* found = nullptr;
    // A watchdog that goes off leaves `found` null, which says so.
    (void)waitFor([&] { return (found = findWindow(label, moduleKey)) != nullptr; }, limit);
    return found;
}

bool waitUntilShown(const Window& window)
{
    return waitFor([&window] {
        auto& view = const_cast<Window&>(window).view();
        return window.isOpen() && view.widget()->isVisible() && view.widget()->windowHandle() != nullptr &&
               view.widget()->windowHandle()->isExposed();
    });
}

void chooseMenuItem(Window& window, int item)
{
    if (QAction* action = window.view().menuAction(item))
        action->trigger();
}

void clickButton(Window& window, int button)
{
    if (QWidget* widget = window.view().controlWidget(button))
        QTest::mouseClick(widget, Qt::LeftButton);
}

void clickRadio(Window& window, int radio) { clickButton(window, radio); }

void typeInto(Window& window, int entry, std::string_view text)
{
    auto* edit = qobject_cast<QLineEdit*>(window.view().controlWidget(entry));
    if (edit == nullptr)
        return;
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    QTest::keyClick(edit, Qt::Key_Return);
}

void clickWindow(Window& window, Mouse mouse)
{
    QMainWindow* widget = window.view().widget();
    // A point of the window's own surface: the top-left corner of the
    // client area, outside every control of the layouts.
    QWidget* target = widget->centralWidget() != nullptr ? widget->centralWidget() : widget;
    QPoint where(1, 1);
    if (QWidget* child = target->childAt(where))
        target = child, where = QPoint(1, 1);
    // clang-format off
    switch (mouse) {
    case Mouse::Left: QTest::mouseClick(target, Qt::LeftButton, {}, where); break;
    case Mouse::Right: QTest::mouseClick(target, Qt::RightButton, {}, where); break;
    case Mouse::LeftDouble: QTest::mouseDClick(target, Qt::LeftButton, {}, where); break;
    }
    // clang-format on
}

namespace {

// Not owned by a static: it must go before the application does.
QPointer<QWidget>& elsewhere()
{
    static QPointer<QWidget> widget;
    return widget;
}

} // namespace

void takeFocusAway()
{
    startWindowSystem();
    if (!elsewhere()) {
        elsewhere() = new QWidget;
        elsewhere()->setWindowTitle(QStringLiteral("elsewhere"));
        elsewhere()->resize(50, 50);
    }
    elsewhere()->show();
    elsewhere()->raise();
    elsewhere()->activateWindow();
}

void giveFocusBack() { delete elsewhere().data(); }

bool isActive(const Window& window) { return const_cast<Window&>(window).view().widget()->isActiveWindow(); }

std::string statusMessage(Window& window, int item)
{
    QAction* action = window.view().menuAction(item);
    return action != nullptr ? action->statusTip().toStdString() : std::string{};
}

bool finishModalDialog(int result)
{
    if (QCoreApplication::instance() == nullptr)
        return false;
    QDialog* last = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog != nullptr && dialog->isVisible())
            last = dialog;
    // A dialog shown over a window is that window's child, not a top level.
    for (Window* window : openWindows())
        for (QDialog* dialog : window->view().widget()->findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
            if (dialog->isVisible())
                last = dialog;
    if (last == nullptr)
        return false;
    last->done(result);
    return true;
}

bool saveAsPng(Window& window, const std::string& path)
{
    return window.view().widget()->grab().save(QString::fromStdString(path), "PNG");
}

} // namespace fw::ui::drive
