#include "framework/ui/window.h"

#include <algorithm>
#include <map>

#include "framework/ui/qt/application.h"
#include "framework/ui/qt/window_registry.h"
#include "framework/ui/qt/window_view.h"

namespace fw::ui {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

struct Registry {
    std::vector<Window*> open;
    std::map<threads::ThreadNumber, std::deque<EventRecord>> pending;
};

Registry& theRegistry()
{
    static Registry instance;
    return instance;
}

} // namespace

namespace registry {

void opened(Window& window)
{
    auto& open = theRegistry().open;
    std::erase(open, &window);
    open.push_back(&window);
}

void closed(Window& window) { std::erase(theRegistry().open, &window); }

const std::vector<Window*>& openWindows() { return theRegistry().open; }

std::deque<EventRecord> takePending(threads::ThreadNumber thread)
{
    auto& pending = theRegistry().pending;
    const auto it = pending.find(thread);
    if (it == pending.end())
        return {};
    std::deque<EventRecord> taken = std::move(it->second);
    pending.erase(it);
    return taken;
}

void addPending(threads::ThreadNumber thread, const EventRecord& record)
{
    auto& pending = theRegistry().pending;
    // Posts to threads that have ended since are forgotten here as well.
    std::erase_if(pending, [](const auto& entry) { return !threads::isAlive(entry.first); });
    pending[thread].push_back(record);
}

} // namespace registry

core::Expected<std::unique_ptr<Window>> Window::create(std::string_view label, std::string_view moduleKey,
                                                       std::vector<core::Binding> bindings)
{
    const WindowLayout* layout = findLayout(label, moduleKey);
    if (layout == nullptr)
        return core::fail("window", "no layout " + std::string(label) + " in " + std::string(moduleKey));
    return create(*layout, std::move(bindings));
}

core::Expected<std::unique_ptr<Window>> Window::create(const WindowLayout& layout, std::vector<core::Binding> bindings)
{
    for (const ControlLayout& control : layout.controls)
        if (control.use < 0 || static_cast<std::size_t>(control.use) > bindings.size())
            return core::fail("window", "control " + std::to_string(control.number) + " of " + layout.label +
                                            " is bound to variable " + std::to_string(control.use) + " of " +
                                            std::to_string(bindings.size()));
    startWindowSystem();
    return std::unique_ptr<Window>(new Window(layout, std::move(bindings)));
}

Window::Window(const WindowLayout& layout, std::vector<core::Binding> bindings)
    : m_view(std::make_unique<WindowView>(*this, layout, std::move(bindings)))
{
}

Window::~Window() = default;

const WindowLayout& Window::layout() const { return m_view->layout(); }
threads::ThreadNumber Window::thread() const { return m_view->thread(); }
void Window::open() { m_view->open(); }
void Window::close() { m_view->close(); }
bool Window::isOpen() const { return m_view->isOpen(); }
bool Window::nextEvent() { return m_view->nextEvent(); }
Event Window::event() const { return m_view->current().event; }
int Window::accepted() const { return m_view->current().control; }
int Window::keyCode() const { return m_view->current().keyCode; }
EventRecord Window::current() const { return m_view->current(); }
void Window::post(Event event, int control) { m_view->post({event, control, 0}); }
void Window::hide(int first, int last) { m_view->setHidden(first, last, Hidden::Yes); }
void Window::show(int first, int last) { m_view->setHidden(first, last, Hidden::No); }
void Window::redraw(int control) { m_view->redraw(control); }
void Window::setText(int control, std::string_view text) { m_view->setText(control, qs(text)); }
void Window::setFirstField(int control) { m_view->setFirstField(control); }
int Window::firstField() const { return m_view->firstField(); }
bool Window::isVisible(int control) const { return m_view->isVisible(control); }
std::string Window::text(int control) const { return m_view->text(control).toStdString(); }
std::string Window::title() const { return m_view->title().toStdString(); }
void Window::setTitle(std::string_view title) { m_view->setTitle(qs(title)); }
std::uintptr_t Window::systemHandle() const { return m_view->systemHandle(); }
int Window::timer() const { return m_view->timer(); }
void Window::setTimer(int hundredths) { m_view->setTimer(hundredths); }
void Window::setAlertKey(int slot, int keyCode) { m_view->setAlertKey(slot, keyCode); }
void Window::clearAlertKeys() { m_view->clearAlertKeys(); }
bool Window::isAlerted(int keyCode) const { return m_view->isAlerted(keyCode); }
bool Window::isHidden() const { return m_view->isWindowHidden(); }
void Window::setHidden(Hidden hidden) { m_view->setWindowHidden(hidden); }
core::Expected<void> Window::setCursorFile(std::string_view fileName) { return m_view->setCursorFile(fileName); }
void Window::dropPendingTimerEvents() { m_view->dropPendingTimerEvents(); }
WindowView& Window::view() { return *m_view; }

void postEvent(threads::ThreadNumber thread, Event event, int control)
{
    const auto& open = registry::openWindows();
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        if ((*it)->thread() == thread) {
            (*it)->post(event, control);
            return;
        }
    if (threads::isAlive(thread))
        registry::addPending(thread, {event, control, 0});
}

Window* currentWindow()
{
    const threads::ThreadNumber running = threads::currentThread();
    const auto& open = registry::openWindows();
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        if ((*it)->thread() == running)
            return *it;
    return nullptr;
}

std::vector<Window*> openWindows() { return registry::openWindows(); }

std::uintptr_t currentWindowHandle()
{
    const Window* window = currentWindow();
    return window != nullptr ? window->systemHandle() : 0;
}

void drainPendingTimerEvents()
{
    const threads::ThreadNumber running = threads::currentThread();
    for (Window* window : registry::openWindows())
        if (window->thread() == running)
            window->dropPendingTimerEvents();
}

} // namespace fw::ui
