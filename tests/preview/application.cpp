#include "tests/preview/application.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include <gtest/gtest.h>

#include "framework/ui/qt/application.h"

namespace fw::preview::test {

namespace {

// The window system as a program starts it: the framework's application
// with its event pump, which the preview window's wait runs on.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ui::startWindowSystem(); }
};

const ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

Watchdog::Watchdog(int milliseconds)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [] {
        ADD_FAILURE() << "watchdog: the test did not finish its event loop in time";
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
                dialog->reject();
    });
    m_timer.start(milliseconds);
}

Watchdog::~Watchdog() = default;

void whenRunning(std::function<void()> step) { QTimer::singleShot(0, qApp, std::move(step)); }

QWidget* findVisibleTopLevel(const char* className)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits(className))
            return w;
    return nullptr;
}

} // namespace fw::preview::test
