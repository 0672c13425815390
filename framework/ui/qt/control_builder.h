#pragma once
// The widgets of a window, built from its stored layout.
//
// The view (window_view.h) hands its top-level widget to a ControlBuilder
// once, when the window is made; the builder sets the window's font, colours
// and icon, makes the menus, the toolbar and every numbered control, and
// gives the view the Qt objects of each control and the dialog units it
// measured with. The controls' signals go to the view's ControlEvents. The
// builder keeps nothing: the widgets belong to the top-level widget.

#include <cstdint>
#include <map>
#include <string_view>
#include <utility>

#include <QFont>
#include <QPoint>
#include <QPointer>

#include "framework/ui/layout.h"
#include "framework/ui/qt/dialog_units.h"

class QAction;
class QButtonGroup;
class QMainWindow;
class QMenu;
class QWidget;

namespace fw::ui {

// An entry's picture: "@n3" or "n3" a whole number of three digits, "@s200"
// or "s200" a text of 200 characters.
struct EntryPicture {
    bool numeric = false;
    bool sign = false; // a number picture with "-" takes negative numbers
    int width = 0;     // 0: no limit
};

EntryPicture parsePicture(std::string_view picture);

// The Qt objects of one numbered control.
struct ControlWidgets {
    const ControlLayout* layout = nullptr;
    QPointer<QWidget> widget;
    QPointer<QAction> action;
    QMenu* menu = nullptr;
    QButtonGroup* radios = nullptr; // an option box's buttons
};

// What the controls report, as it happens: the view turns it into events.
class ControlEvents {
public:
    virtual void accepted(int control) = 0; // a button pressed, a menu item chosen
    virtual void entryLeft(int entry) = 0;  // editing an entry finished
    virtual void radioClicked(int optionBox, std::int32_t value) = 0;

protected:
    ~ControlEvents() = default;
};

class ControlBuilder {
public:
    // `layout` must outlive the widgets: every ControlWidgets points into it.
    ControlBuilder(const WindowLayout& layout, ControlEvents& events);

    void build(QMainWindow& window);

    // The results of build().
    const DialogUnits& dialogUnits() const { return m_units; }
    std::map<int, ControlWidgets> takeControls() { return std::move(m_controls); }

private:
    void buildMenus(QMainWindow& window);
    QWidget* buildControl(const ControlLayout& control, QWidget* parent, QPoint origin);
    QFont fontFor(const Font& font) const;
    void applyFont(QWidget* widget, const Font& font) const;
    const ControlWidgets* find(int number) const;

    const WindowLayout& m_layout;
    ControlEvents& m_events;
    QFont m_font;
    DialogUnits m_units;
    std::map<int, ControlWidgets> m_controls;
};

} // namespace fw::ui
