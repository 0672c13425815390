#include "framework/ui/qt/window_view.h"

#include <algorithm>

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QProgressBar>
#include <QRadioButton>

#include "framework/core/text.h"
#include "framework/ui/qt/images.h"
#include "framework/ui/qt/window_registry.h"

namespace fw::ui {

// The top-level widget: it turns the window system's closing, activation and
// mouse input into framework events. Clicks on controls that do not take
// them (texts, images, the window's background) arrive here as well.
class TopLevelWidget : public QMainWindow {
public:
    explicit TopLevelWidget(WindowView& view) : m_view(view) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        // The window closes when its loop has handed out the close-window
        // event, never behind the back of the procedure that runs it.
        event->ignore();
        m_view.userClosed();
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::ActivationChange)
            m_view.activationChanged(isActiveWindow());
        QMainWindow::changeEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_view.mouseAction(KeyCode::MouseLeft);
        else if (event->button() == Qt::RightButton)
            m_view.mouseAction(KeyCode::MouseRight);
        QMainWindow::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_view.mouseAction(KeyCode::MouseLeftDouble);
        else if (event->button() == Qt::RightButton)
            m_view.mouseAction(KeyCode::MouseRight);
    }

private:
    WindowView& m_view;
};

WindowView::WindowView(Window& owner, const WindowLayout& layout, std::vector<core::Binding> bindings)
    : m_owner(owner), m_layout(layout), m_bindings(std::move(bindings)), m_thread(threads::currentThread())
{
    m_timer.setSingleShot(false);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { enqueue({Event::Timer, 0, 0}); });
    m_timerHundredths = std::max(0, m_layout.timer);
    build();
}

WindowView::~WindowView()
{
    *m_alive = false;
    close();
}

void WindowView::build()
{
    m_widget = std::make_unique<TopLevelWidget>(*this);
    ControlBuilder builder(m_layout, *this);
    builder.build(*m_widget);
    m_units = builder.dialogUnits();
    for (auto& [number, widgets] : builder.takeControls())
        m_controls.emplace(number, Control(std::move(widgets)));
    // A layout's cursor that cannot be read leaves the window's own cursor,
    // as a missing picture leaves an image control empty.
    if (!m_layout.cursor.empty())
        (void)setCursorFile(m_layout.cursor);
}

WindowView::Control* WindowView::find(int number)
{
    const auto it = m_controls.find(number);
    return (it == m_controls.end() || it->second.layout == nullptr) ? nullptr : &it->second;
}

const WindowView::Control* WindowView::find(int number) const
{
    const auto it = m_controls.find(number);
    return (it == m_controls.end() || it->second.layout == nullptr) ? nullptr : &it->second;
}

core::Binding* WindowView::bindingOf(const Control& control)
{
    const int use = control.layout->use;
    if (use <= 0 || static_cast<std::size_t>(use) > m_bindings.size())
        return nullptr;
    return &m_bindings[static_cast<std::size_t>(use) - 1];
}

std::string WindowView::displayValue(const Control& control, const core::Binding& binding) const
{
    switch (control.layout->kind) {
    case ControlKind::OptionBox:
    case ControlKind::ProgressBar:
        return core::toText(binding.number());
    case ControlKind::Entry:
        if (parsePicture(control.layout->picture).numeric)
            return core::toText(binding.number());
        return std::string(core::clip(binding.text()));
    default:
        return std::string(core::clip(binding.text()));
    }
}

void WindowView::show(Control& control, const std::string& value)
{
    QWidget* widget = control.widget.data();
    if (widget == nullptr)
        return;
    switch (control.layout->kind) {
    case ControlKind::Text:
        static_cast<QLabel*>(widget)->setText(QString::fromStdString(value));
        break;
    case ControlKind::Entry:
        static_cast<QLineEdit*>(widget)->setText(QString::fromStdString(value));
        break;
    case ControlKind::ProgressBar: {
        auto* bar = static_cast<QProgressBar*>(widget);
        bar->setValue(std::clamp(core::toNumber(value), bar->minimum(), bar->maximum()));
        break;
    }
    case ControlKind::OptionBox: {
        // The radio whose value the variable holds; none when no radio has it.
        const std::int32_t chosen = core::toNumber(value);
        QAbstractButton* match = nullptr;
        for (const ControlLayout& radio : m_layout.controls)
            if (radio.kind == ControlKind::Radio && radio.parent == control.layout->number && radio.value == chosen)
                if (const Control* r = find(radio.number); r != nullptr && r->widget)
                    match = static_cast<QAbstractButton*>(r->widget.data());
        if (match != nullptr) {
            match->setChecked(true);
        } else if (QAbstractButton* checked = control.radios->checkedButton()) {
            control.radios->setExclusive(false);
            checked->setChecked(false);
            control.radios->setExclusive(true);
        }
        break;
    }
    default:
        break;
    }
}

void WindowView::refreshBound(bool always)
{
    for (auto& [number, control] : m_controls) {
        if (control.layout == nullptr)
            continue;
        const core::Binding* binding = bindingOf(control);
        if (binding == nullptr)
            continue;
        const std::string value = displayValue(control, *binding);
        if (always || !control.everShown || value != control.shown) {
            show(control, value);
            control.shown = value;
            control.everShown = true;
        }
    }
}

void WindowView::accepted(int control) { enqueue({Event::Accepted, control, 0}); }

void WindowView::entryLeft(int number)
{
    Control* control = find(number);
    if (control == nullptr || !control->widget)
        return;
    auto* edit = static_cast<QLineEdit*>(control->widget.data());
    const std::string typed = edit->text().toStdString();
    core::Binding* binding = bindingOf(*control);
    if (binding != nullptr) {
        if (control->everShown && typed == control->shown)
            return; // left without a change
        if (parsePicture(control->layout->picture).numeric)
            binding->setNumber(core::toNumber(typed));
        else
            binding->setText(typed);
        // Show what the variable took: a byte keeps the low eight bits of
        // a larger number, a text is cut to its width.
        control->shown = displayValue(*control, *binding);
        control->everShown = true;
        if (control->shown != typed)
            edit->setText(QString::fromStdString(control->shown));
    }
    enqueue({Event::Accepted, number, 0});
}

void WindowView::radioClicked(int optionBox, std::int32_t value)
{
    Control* box = find(optionBox);
    if (box != nullptr) {
        if (core::Binding* binding = bindingOf(*box)) {
            binding->setNumber(value);
            box->shown = displayValue(*box, *binding);
            box->everShown = true;
        }
    }
    // Every click is accepted, also on the radio already chosen, so that a
    // procedure can bring its other controls in line with the option.
    enqueue({Event::Accepted, optionBox != 0 ? optionBox : 0, 0});
}

void WindowView::enqueue(const EventRecord& record)
{
    if (record.event == Event::Timer &&
        std::ranges::any_of(m_queue, [](const EventRecord& r) { return r.event == Event::Timer; }))
        return;
    if (record.event == Event::CloseWindow &&
        std::ranges::any_of(m_queue, [](const EventRecord& r) { return r.event == Event::CloseWindow; }))
        return;
    m_queue.push_back(record);
}

void WindowView::post(const EventRecord& record) { enqueue(record); }

void WindowView::open()
{
    if (m_open)
        return;
    m_open = true;
    m_closeHandedOut = false;
    m_wasActive = false;
    m_queue.push_front({Event::OpenWindow, 0, 0});
    for (const EventRecord& record : registry::takePending(m_thread))
        enqueue(record);
    registry::opened(m_owner);
    refreshBound(true);
    if (!m_windowHidden) {
        m_widget->show();
        m_widget->raise();
        m_widget->activateWindow();
    }
    if (m_timerHundredths > 0)
        m_timer.start(m_timerHundredths * 10);
    focusFirstField();
}

void WindowView::setFirstField(int control)
{
    m_firstField = control;
    if (m_open)
        focusFirstField();
}

void WindowView::focusFirstField()
{
    if (QWidget* widget = m_firstField != 0 ? controlWidget(m_firstField) : nullptr)
        widget->setFocus(Qt::OtherFocusReason);
}

void WindowView::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_closeHandedOut = false;
    m_timer.stop();
    m_queue.clear();
    registry::closed(m_owner);
    if (m_widget)
        m_widget->hide();
}

bool WindowView::nextEvent()
{
    if (m_closeHandedOut) {
        close();
        return false;
    }
    if (!m_open)
        return false;
    refreshBound(false);
    const std::shared_ptr<bool> alive = m_alive;
    threads::waitUntil([this, alive] { return !*alive || !m_queue.empty() || !m_open; });
    if (!*alive || !m_open)
        return false;
    m_current = m_queue.front();
    m_queue.pop_front();
    if (m_current.event == Event::CloseWindow)
        m_closeHandedOut = true;
    return true;
}

void WindowView::setHidden(int first, int last, Hidden hidden)
{
    const int low = last == 0 ? first : std::min(first, last);
    const int high = last == 0 ? first : std::max(first, last);
    for (auto& [number, control] : m_controls) {
        if (number < low || number > high || control.layout == nullptr)
            continue;
        if (control.widget)
            control.widget->setVisible(hidden == Hidden::No);
        else if (control.action)
            control.action->setVisible(hidden == Hidden::No);
    }
}

void WindowView::redraw(int control)
{
    if (control == 0) {
        refreshBound(true);
    } else if (Control* c = find(control)) {
        if (const core::Binding* binding = bindingOf(*c)) {
            c->shown = displayValue(*c, *binding);
            c->everShown = true;
            show(*c, c->shown);
        }
    }
    if (m_widget)
        m_widget->update();
}

void WindowView::setText(int number, const QString& text)
{
    Control* control = find(number);
    if (control == nullptr)
        return;
    if (control->action && !control->widget) {
        control->action->setText(text);
        return;
    }
    QWidget* widget = control->widget.data();
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(widget))
        box->setTitle(text);
}

bool WindowView::isVisible(int number) const
{
    const Control* control = find(number);
    if (control == nullptr || !m_open || m_windowHidden)
        return false;
    if (control->widget)
        return control->widget->isVisible();
    if (!control->action || !control->action->isVisible())
        return false;
    // A menu item shows when its menu does.
    const int parent = control->layout->parent;
    return parent == 0 || isVisible(parent);
}

QString WindowView::text(int number) const
{
    const Control* control = find(number);
    if (control == nullptr)
        return {};
    if (control->action && !control->widget)
        return control->action->text();
    QWidget* widget = control->widget.data();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        return box->title();
    if (auto* bar = qobject_cast<QProgressBar*>(widget))
        return QString::number(bar->value());
    return {};
}

QString WindowView::title() const { return m_widget->windowTitle(); }
void WindowView::setTitle(const QString& title) { m_widget->setWindowTitle(title); }

std::uintptr_t WindowView::systemHandle() const { return static_cast<std::uintptr_t>(m_widget->winId()); }

void WindowView::setTimer(int hundredths)
{
    m_timerHundredths = std::max(0, hundredths);
    if (m_timerHundredths == 0)
        m_timer.stop();
    else if (m_open)
        m_timer.start(m_timerHundredths * 10);
}

void WindowView::setAlertKey(int slot, int keyCode)
{
    if (keyCode == 0)
        m_alerts.erase(slot);
    else
        m_alerts[slot] = keyCode;
}

bool WindowView::isAlerted(int keyCode) const
{
    return std::ranges::any_of(m_alerts, [keyCode](const auto& entry) { return entry.second == keyCode; });
}

void WindowView::setWindowHidden(Hidden hidden)
{
    m_windowHidden = hidden == Hidden::Yes;
    if (!m_open)
        return;
    if (m_windowHidden)
        m_widget->hide();
    else
        m_widget->show();
}

core::Expected<void> WindowView::setCursorFile(std::string_view fileName)
{
    const auto cursor = loadCursor(fileName);
    if (!cursor)
        return core::fail("window", "the cursor file " + std::string(fileName) + " cannot be read");
    m_widget->setCursor(*cursor);
    return {};
}

void WindowView::dropPendingTimerEvents()
{
    std::erase_if(m_queue, [](const EventRecord& r) { return r.event == Event::Timer; });
}

QMainWindow* WindowView::widget() const { return m_widget.get(); }

QWidget* WindowView::controlWidget(int number) const
{
    const Control* control = find(number);
    return control != nullptr ? control->widget.data() : nullptr;
}

QAction* WindowView::menuAction(int number) const
{
    const Control* control = find(number);
    return (control != nullptr && !control->widget) ? control->action.data() : nullptr;
}

void WindowView::userClosed()
{
    if (m_open)
        enqueue({Event::CloseWindow, 0, 0});
}

void WindowView::activationChanged(bool active)
{
    if (!active && m_wasActive && m_open && !m_windowHidden)
        enqueue({Event::FocusLost, 0, 0});
    m_wasActive = active;
}

void WindowView::mouseAction(int keyCode)
{
    if (m_open && isAlerted(keyCode))
        enqueue({Event::AlertKey, 0, keyCode});
}

} // namespace fw::ui
