// How a layout becomes widgets.
//
// The window's font comes first, because it fixes the dialog units that
// every position and size is measured in; the window's text colour and
// background go into the palette the controls inherit. A frame gets a
// status bar, a menu bar when it has menus (menus before the items that name
// them, as the layouts list them) and, when a control asks for it, a
// toolbar: a fixed area sized to its controls unless the layout gives its
// height. Controls are built in
// layout order, so a later one lies above an earlier one. A radio is built
// inside its option box, its position made relative to the box; a radio
// without an option box stands on its own. A control whose layout gives no
// width or height takes what its content needs.

#include "framework/ui/qt/control_builder.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QToolBar>

#include "framework/core/text.h"
#include "framework/ui/qt/images.h"

namespace fw::ui {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QColor qColor(Color c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

} // namespace

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

ControlBuilder::ControlBuilder(const WindowLayout& layout, ControlEvents& events) : m_layout(layout), m_events(events)
{
}

QFont ControlBuilder::fontFor(const Font& font) const
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

void ControlBuilder::applyFont(QWidget* widget, const Font& font) const
{
    widget->setFont(fontFor(font));
    if (font.color) {
        QPalette palette = widget->palette();
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, qColor(*font.color));
        widget->setPalette(palette);
    }
}

void ControlBuilder::build(QMainWindow& window)
{
    m_font = QApplication::font();
    Font windowFont = m_layout.font;
    windowFont.color.reset();
    m_font = fontFor(windowFont);
    window.setFont(m_font);
    m_units = DialogUnits::of(m_font);
    window.setWindowTitle(qs(m_layout.title));

    QPalette palette = window.palette();
    if (m_layout.font.color)
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, qColor(*m_layout.font.color));
    if (m_layout.background)
        palette.setColor(QPalette::Window, qColor(*m_layout.background));
    window.setPalette(palette);
    window.setAutoFillBackground(m_layout.background.has_value());

    if (!m_layout.icon.empty()) {
        const QImage icon = loadImage(m_layout.icon);
        if (!icon.isNull())
            window.setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    }

    for (const ControlLayout& control : m_layout.controls)
        m_controls[control.number].layout = &control;

    if (m_layout.kind == WindowKind::Frame) {
        // A frame without menus has no menu bar, as on the original
        // platform; an empty one would also load the style's icons and the
        // image plugins at every start of a program whose frame is never
        // shown (vextrel's).
        if (std::ranges::any_of(m_layout.controls, [](const ControlLayout& c) {
                return c.kind == ControlKind::Menu || c.kind == ControlKind::MenuItem;
            }))
            buildMenus(window);
        window.statusBar();
    }

    auto* client = new QWidget;
    client->setFont(m_font);
    window.setCentralWidget(client);

    QWidget* toolbarArea = nullptr;
    if (m_layout.kind == WindowKind::Frame &&
        std::ranges::any_of(m_layout.controls, [](const ControlLayout& c) { return c.area == Area::Toolbar; })) {
        QToolBar* toolbar = window.addToolBar(QString());
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
            toolbarExtent =
                toolbarExtent.expandedTo(QSize(widget->geometry().right() + 1, widget->geometry().bottom() + 1));
    }
    if (toolbarArea != nullptr) {
        const int height = m_layout.toolbarHeight > 0 ? m_units.y(m_layout.toolbarHeight) : toolbarExtent.height() + 2;
        toolbarArea->setFixedSize(toolbarExtent.width() + 2, height);
    }

    window.resize(m_units.x(m_layout.width), m_units.y(m_layout.height));
}

void ControlBuilder::buildMenus(QMainWindow& window)
{
    QMenuBar* bar = window.menuBar();
    for (const ControlLayout& control : m_layout.controls) {
        ControlWidgets& entry = m_controls[control.number];
        if (control.kind != ControlKind::Menu && control.kind != ControlKind::MenuItem)
            continue;
        const ControlWidgets* parent = control.parent != 0 ? find(control.parent) : nullptr;
        QMenu* parentMenu = parent != nullptr ? parent->menu : nullptr;
        if (control.kind == ControlKind::Menu) {
            entry.menu = parentMenu != nullptr ? parentMenu->addMenu(qs(control.text)) : bar->addMenu(qs(control.text));
            entry.action = entry.menu->menuAction();
        } else {
            entry.action = parentMenu != nullptr ? parentMenu->addAction(qs(control.text))
                                                 : bar->addAction(qs(control.text));
            const int number = control.number;
            QObject::connect(entry.action, &QAction::triggered,
                             [events = &m_events, number] { events->accepted(number); });
        }
        if (!control.message.empty())
            entry.action->setStatusTip(qs(control.message));
        if (control.hidden == Hidden::Yes)
            entry.action->setVisible(false);
    }
}
QWidget* ControlBuilder::buildControl(const ControlLayout& control, QWidget* parent, QPoint origin)
{
    ControlWidgets& entry = m_controls[control.number];
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
        QObject::connect(edit, &QLineEdit::editingFinished,
                         [events = &m_events, number] { events->entryLeft(number); });
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
        QObject::connect(radio, &QRadioButton::clicked,
                         [events = &m_events, box, value] { events->radioClicked(box, value); });
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
        QObject::connect(button, &QPushButton::clicked, [events = &m_events, number] { events->accepted(number); });
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
        palette.setColor(QPalette::Window, qColor(*control.background));
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

const ControlWidgets* ControlBuilder::find(int number) const
{
    const auto it = m_controls.find(number);
    return (it == m_controls.end() || it->second.layout == nullptr) ? nullptr : &it->second;
}

} // namespace fw::ui
