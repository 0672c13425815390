#pragma once
// The Qt side of a Window: the top-level widget, the widgets and actions of
// its numbered controls (built by control_builder.h), the event queue and the
// timer.
//
// Windows, tests and the previewer reach the widgets through here; every
// other library goes through framework/ui/window.h.

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QTimer>

#include "framework/ui/qt/control_builder.h"
#include "framework/ui/qt/dialog_units.h"
#include "framework/ui/window.h"

class QAction;
class QMainWindow;
class QWidget;

namespace fw::ui {

class TopLevelWidget;

class WindowView final : private ControlEvents {
public:
    WindowView(Window& owner, const WindowLayout& layout, std::vector<core::Binding> bindings);
    ~WindowView();

    // The Window operations.
    const WindowLayout& layout() const { return m_layout; }
    threads::ThreadNumber thread() const { return m_thread; }
    void open();
    void close();
    bool isOpen() const { return m_open; }
    bool nextEvent();
    const EventRecord& current() const { return m_current; }
    void post(const EventRecord& record);
    void setHidden(int first, int last, Hidden hidden);
    void redraw(int control);
    void setText(int control, const QString& text);
    void setFirstField(int control);
    int firstField() const { return m_firstField; }
    bool isVisible(int control) const;
    QString text(int control) const;
    QString title() const;
    void setTitle(const QString& title);
    std::uintptr_t systemHandle() const;
    int timer() const { return m_timerHundredths; }
    void setTimer(int hundredths);
    void setAlertKey(int slot, int keyCode);
    void clearAlertKeys() { m_alerts.clear(); }
    bool isAlerted(int keyCode) const;
    bool isWindowHidden() const { return m_windowHidden; }
    void setWindowHidden(Hidden hidden);
    [[nodiscard]] core::Expected<void> setCursorFile(std::string_view fileName);
    void dropPendingTimerEvents();

    // The Qt objects, for tests and for code that embeds widgets.
    QMainWindow* widget() const;
    QWidget* controlWidget(int number) const; // nullptr for menus, items and unknown numbers
    QAction* menuAction(int number) const;    // a menu's or item's action, else nullptr
    const DialogUnits& dialogUnits() const { return m_units; }
    Window& owner() const { return m_owner; }

    // From the widgets.
    void userClosed();
    void activationChanged(bool active);
    void mouseAction(int keyCode);

private:
    void focusFirstField();

    struct Control : ControlWidgets {
        explicit Control(ControlWidgets widgets) : ControlWidgets(std::move(widgets)) {}
        std::string shown; // the variable's value last shown
        bool everShown = false;
    };

    void build();
    Control* find(int number);
    const Control* find(int number) const;
    core::Binding* bindingOf(const Control& control);
    std::string displayValue(const Control& control, const core::Binding& binding) const;
    void show(Control& control, const std::string& value);
    void refreshBound(bool always);
    // ControlEvents
    void accepted(int control) override;
    void entryLeft(int number) override;
    void radioClicked(int optionBox, std::int32_t value) override;
    void enqueue(const EventRecord& record);

    Window& m_owner;
    const WindowLayout m_layout;
    std::vector<core::Binding> m_bindings;
    threads::ThreadNumber m_thread;
    std::unique_ptr<TopLevelWidget> m_widget;
    DialogUnits m_units;
    std::map<int, Control> m_controls;
    std::deque<EventRecord> m_queue;
    EventRecord m_current;
    bool m_open = false;
    bool m_closeHandedOut = false;
    bool m_windowHidden = false;
    bool m_wasActive = false;
    QTimer m_timer;
    int m_timerHundredths = 0;
    int m_firstField = 0;
    std::map<int, int> m_alerts; // slot -> key code
    // Cleared when the view goes, so that a wait on it never looks at a
    // window that another thread destroyed meanwhile.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace fw::ui
