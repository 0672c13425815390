#include "tests/preview/application.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include <gtest/gtest.h>

namespace fw::preview::test {

namespace {

class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_preview";
        static char* argv[] = {name, nullptr};
        m_application = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete m_application;
        m_application = nullptr;
    }

private:
    QApplication* m_application = nullptr;
};

const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

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

void whenRunning(std::function<void()> step)
{
    QTimer::singleShot(0, qApp, std::move(step));
}

QWidget* findVisibleTopLevel(const char* className)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits(className))
            return w;
    return nullptr;
}

} // namespace fw::preview::test
