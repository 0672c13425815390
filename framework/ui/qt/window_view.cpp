#include "framework/ui/qt/window_view.h"

#include <algorithm>

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QToolBar>

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

namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QColor qColour(Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

// An entry's picture: "@n3" or "n3" a whole number of three digits, "@s200"
// or "s200" a text of 200 characters.
struct EntryPicture {
    bool numeric = false;
    bool sign = false; // a number picture with "-" takes negative numbers
    int width = 0;     // 0: no limit
};

EntryPicture parsePicture(std::string_view picture)
{
    picture = core::clip(core::trimLeft(picture));
    if (!picture.empty() && picture.front() == '@')
        picture.remove_prefix(1);
    EntryPicture result;
    if (picture.empty())
        return result;
    const char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(picture.front())));
    result.numeric = kind == 'n';
    std::string_view rest = picture.substr(1);
    if (result.numeric && !rest.empty() && rest.front() == '-') {
        result.sign = true;
        rest.remove_prefix(1);
    }
    for (char c : rest) {
        if (c < '0' || c > '9')
            break;
        result.width = result.width * 10 + (c - '0');
    }
    return result;
}

} // namespace

DialogUnits DialogUnits::of(const QFont& font)
{
    const QFontMetrics metrics(font);
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    DialogUnits units;
    units.baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    units.baseY = metrics.height();
    return units;
}

int DialogUnits::x(int units) const { return (units * baseX + 2) / 4; }
int DialogUnits::y(int units) const { return (units * baseY + 4) / 8; }
QRect DialogUnits::rect(const Rect& r) const { return QRect(x(r.x), y(r.y), x(r.width), y(r.height)); }

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

QFont WindowView::fontFor(const Font& font) const
{
    QFont result = m_font;
    if (!core::isBlank(font.name))
        result.setFamily(qs(core::clip(font.name)));
    if (font.points > 0)
        result.setPointSize(font.points);
    if (font.weight > 0)
        result.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    return result;
}

void WindowView::applyFont(QWidget* widget, const Font& font) const
{
    widget->setFont(fontFor(font));
    if (font.colour) {
        QPalette palette = widget->palette();
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, qColour(*font.colour));
        widget->setPalette(palette);
    }
}

void WindowView::build()
{
    m_widget = std::make_unique<TopLevelWidget>(*this);
    m_font = QApplication::font();
    Font windowFont = m_layout.font;
    windowFont.colour.reset();
    m_font = fontFor(windowFont);
    m_widget->setFont(m_font);
    m_units = DialogUnits::of(m_font);
    m_widget->setWindowTitle(qs(m_layout.title));

    QPalette palette = m_widget->palette();
    if (m_layout.font.colour)
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, qColour(*m_layout.font.colour));
    if (m_layout.background)
        palette.setColor(QPalette::Window, qColour(*m_layout.background));
    m_widget->setPalette(palette);
    m_widget->setAutoFillBackground(m_layout.background.has_value());

    if (!m_layout.icon.empty()) {
        const QImage icon = loadImage(m_layout.icon);
        if (!icon.isNull())
            m_widget->setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    }

    for (const ControlLayout& control : m_layout.controls)
        m_controls[control.number].layout = &control;

    if (m_layout.kind == WindowKind::Frame) {
        buildMenus();
        m_widget->statusBar();
    }

    auto* client = new QWidget;
    client->setFont(m_font);
    m_widget->setCentralWidget(client);

    QWidget* toolbarArea = nullptr;
    if (m_layout.kind == WindowKind::Frame &&
        std::ranges::any_of(m_layout.controls, [](const ControlLayout& c) { return c.area == Area::Toolbar; })) {
        QToolBar* toolbar = m_widget->addToolBar(QString());
        toolbar->setMovable(false);
        toolbar->setFloatable(false);
        toolbarArea = new QWidget;
        toolbarArea->setFont(m_font);
        toolbar->addWidget(toolbarArea);
    }

    QSize toolbarExtent;
    for (const ControlLayout& control : m_layout.controls) {
        if (control.kind == ControlKind::Menu || control.kind == ControlKind::MenuItem)
            continue;
        // Radios are built with their option box; a radio without one stands
        // on its own in its area.
        if (control.kind == ControlKind::Radio && control.parent != 0 && find(control.parent) != nullptr &&
            find(control.parent)->layout->kind == ControlKind::OptionBox)
            continue;
        QWidget* area = (control.area == Area::Toolbar && toolbarArea != nullptr) ? toolbarArea : client;
        QWidget* widget = buildControl(control, area, QPoint());
        if (area == toolbarArea)
            toolbarExtent = toolbarExtent.expandedTo(QSize(widget->geometry().right() + 1, widget->geometry().bottom() + 1));
    }
    if (toolbarArea != nullptr) {
        const int height = m_layout.toolbarHeight > 0 ? m_units.y(m_layout.toolbarHeight) : toolbarExtent.height() + 2;
        toolbarArea->setFixedSize(toolbarExtent.width() + 2, height);
    }

    m_widget->resize(m_units.x(m_layout.width), m_units.y(m_layout.height));
    if (!m_layout.cursor.empty())
        setCursorFile(m_layout.cursor);
}

void WindowView::buildMenus()
{
    QMenuBar* bar = m_widget->menuBar();
    for (const ControlLayout& control : m_layout.controls) {
        Control& entry = m_controls[control.number];
        if (control.kind != ControlKind::Menu && control.kind != ControlKind::MenuItem)
            continue;
        Control* parent = control.parent != 0 ? find(control.parent) : nullptr;
        QMenu* parentMenu = parent != nullptr ? parent->menu : nullptr;
        if (control.kind == ControlKind::Menu) {
            entry.menu = parentMenu != nullptr ? parentMenu->addMenu(qs(control.text)) : bar->addMenu(qs(control.text));
            entry.action = entry.menu->menuAction();
        } else {
            entry.action = parentMenu != nullptr ? parentMenu->addAction(qs(control.text)) : bar->addAction(qs(control.text));
            const int number = control.number;
            QObject::connect(entry.action, &QAction::triggered, [this, number] { enqueue({Event::Accepted, number, 0}); });
        }
        if (!control.message.empty())
            entry.action->setStatusTip(qs(control.message));
        if (control.hidden == Hidden::Yes)
            entry.action->setVisible(false);
    }
}

QWidget* WindowView::buildControl(const ControlLayout& control, QWidget* parent, QPoint origin)
{
    Control& entry = m_controls[control.number];
    const int number = control.number;
    QRect geometry = m_units.rect(control.rect).translated(-origin);
    QWidget* widget = nullptr;

    switch (control.kind) {
    case ControlKind::Text: {
        auto* label = new QLabel(qs(control.text), parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case ControlKind::Entry: {
        auto* edit = new QLineEdit(parent);
        const EntryPicture picture = parsePicture(control.picture);
        if (picture.width > 0)
            edit->setMaxLength(picture.width);
        if (picture.numeric) {
            const QString sign = picture.sign ? QStringLiteral("-?") : QString();
            const QString digits = picture.width > 0 ? sign + QStringLiteral("\\d{0,%1}").arg(picture.width)
                                                     : sign + QStringLiteral("\\d*");
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(digits), edit));
            edit->setAlignment(Qt::AlignRight);
        }
        QObject::connect(edit, &QLineEdit::editingFinished, [this, number] { entryLeft(number); });
        widget = edit;
        break;
    }
    case ControlKind::OptionBox: {
        auto* box = new QGroupBox(qs(control.text), parent);
        entry.radios = new QButtonGroup(box);
        entry.radios->setExclusive(true);
        const QPoint boxOrigin = origin + geometry.topLeft();
        for (const ControlLayout& radio : m_layout.controls) {
            if (radio.kind != ControlKind::Radio || radio.parent != number)
                continue;
            QWidget* button = buildControl(radio, box, boxOrigin);
            entry.radios->addButton(static_cast<QRadioButton*>(button));
        }
        widget = box;
        break;
    }
    case ControlKind::Radio: {
        auto* radio = new QRadioButton(qs(control.text), parent);
        const int box = control.parent;
        const std::int32_t value = control.value;
        QObject::connect(radio, &QRadioButton::clicked, [this, box, value] { radioClicked(box, value); });
        widget = radio;
        break;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(control.rangeLow, control.rangeHigh);
        bar->setValue(control.rangeLow);
        bar->setTextVisible(false);
        widget = bar;
        break;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(qs(control.text), parent);
        QObject::connect(button, &QPushButton::clicked, [this, number] { enqueue({Event::Accepted, number, 0}); });
        widget = button;
        break;
    }
    case ControlKind::Image: {
        auto* label = new QLabel(parent);
        const QImage image = loadImage(control.text);
        if (!image.isNull()) {
            label->setPixmap(QPixmap::fromImage(image));
            if (control.rect.width == 0 || control.rect.height == 0)
                geometry.setSize(image.size());
            else
                label->setScaledContents(true);
        }
        widget = label;
        break;
    }
    case ControlKind::OleControl: {
        auto* frame = new QFrame(parent);
        frame->setFrameShape(QFrame::NoFrame);
        widget = frame;
        break;
    }
    case ControlKind::Menu:
    case ControlKind::MenuItem:
        return nullptr;
    }

    applyFont(widget, control.font);
    if (control.background) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, qColour(*control.background));
        widget->setPalette(palette);
        widget->setAutoFillBackground(true);
    }
    if (!control.cursor.empty())
        if (const auto cursor = loadCursor(control.cursor))
            widget->setCursor(*cursor);
    // A control without a size in the layout takes the size its content needs.
    if (geometry.width() == 0 || geometry.height() == 0) {
        const QSize hint = widget->sizeHint();
        geometry.setSize(QSize(geometry.width() > 0 ? geometry.width() : hint.width(),
                               geometry.height() > 0 ? geometry.height() : hint.height()));
    }
    widget->setGeometry(geometry);
    if (control.hidden == Hidden::Yes)
        widget->hide();
    entry.widget = widget;
    return widget;
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
        static_cast<QLabel*>(widget)->setText(qs(value));
        break;
    case ControlKind::Entry:
        static_cast<QLineEdit*>(widget)->setText(qs(value));
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
            edit->setText(qs(control->shown));
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

void WindowView::post(const EventRecord& record)
{
    enqueue(record);
}

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

std::uintptr_t WindowView::systemHandle() const
{
    return static_cast<std::uintptr_t>(m_widget->winId());
}

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

bool WindowView::setCursorFile(std::string_view fileName)
{
    const auto cursor = loadCursor(fileName);
    if (!cursor)
        return false;
    m_widget->setCursor(*cursor);
    return true;
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
