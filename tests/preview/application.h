#pragma once
// The window system of the test program (Qt's offscreen platform, set by the
// test registration), started before the first test runs, and helpers for
// tests that wait inside an event loop.

#include <functional>

#include <QTimer>

class QWidget;

namespace fw::preview::test {

// Fails the running test and closes every open dialog when it fires, so a
// test waiting in a dialog's event loop ends instead of hanging.
class Watchdog {
public:
    explicit Watchdog(int milliseconds = 30000);
    ~Watchdog();

private:
    QTimer m_timer;
};

// Runs `step` once the event loop (a dialog's, usually) is running.
void whenRunning(std::function<void()> step);

// The visible top-level widget of type T, or nullptr.
template <class T>
T* visibleWindow();

QWidget* findVisibleTopLevel(const char* className);

template <class T>
T* visibleWindow()
{
    return static_cast<T*>(findVisibleTopLevel(T::staticMetaObject.className()));
}

} // namespace fw::preview::test
