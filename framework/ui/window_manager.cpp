#include "framework/ui/window_manager.h"

#include "framework/core/thread_values.h"
#include "framework/ui/toolbar_manager.h"
#include "framework/ui/window.h"

namespace fw::ui {

WindowManager::WindowManager(Window& window) : m_window(window) {}

std::uint8_t WindowManager::init()
{
    m_dead = false;
    return 0;
}

std::uint8_t WindowManager::kill()
{
    if (m_dead)
        return 1;
    m_dead = true;
    return 0;
}

std::uint8_t WindowManager::run()
{
    if (init() == 0) {
        while (m_window.nextEvent())
            if (takeEvent() != 0)
                break;
    }
    // Kill's answer is for a replaced kill() that calls the base first; the
    // run's own result is the response.
    (void)kill();
    core::threadValues().response = response;
    return response;
}

std::uint8_t WindowManager::takeEvent()
{
    if (m_toolbar != nullptr)
        if (const std::uint8_t level = m_toolbar->takeEvent(m_window, m_window.current()))
            return level;
    if (m_window.accepted() != 0)
        return takeFieldEvent();
    return takeWindowEvent();
}

std::uint8_t WindowManager::takeFieldEvent()
{
    if (m_window.event() == Event::Accepted)
        return takeAccepted();
    return 0;
}

std::uint8_t WindowManager::takeAccepted()
{
    const int control = m_window.accepted();
    for (const Item& item : m_items) {
        if (item.control != control)
            continue;
        if (item.action == Action::Cancel) {
            response = Response::Cancelled;
            m_window.post(Event::CloseWindow);
        }
    }
    return 0;
}

std::uint8_t WindowManager::takeWindowEvent() { return 0; }

void WindowManager::setAlerts() {}

void WindowManager::addItem(int control, Action action) { m_items.push_back({control, action}); }

} // namespace fw::ui
