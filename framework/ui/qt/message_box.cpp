#include "framework/ui/message_box.h"

#include <cstdio>
#include <string>

#include <QMessageBox>
#include <QPushButton>

#include "framework/ui/qt/display.h"
#include "framework/ui/qt/modal.h"

namespace fw::ui {

namespace {

std::string withLineBreaks(std::string_view text, char lineBreak)
{
    std::string out(text);
    for (char& c : out)
        if (c == '|')
            c = lineBreak;
    return out;
}

struct ButtonMap {
    unsigned button;
    QMessageBox::StandardButton standard;
};

// clang-format off
constexpr ButtonMap buttonMap[] = {
    {Button::Ok, QMessageBox::Ok},         {Button::Yes, QMessageBox::Yes},
    {Button::No, QMessageBox::No},         {Button::Abort, QMessageBox::Abort},
    {Button::Retry, QMessageBox::Retry},   {Button::Ignore, QMessageBox::Ignore},
    {Button::Cancel, QMessageBox::Cancel},
};
// clang-format on

QMessageBox::Icon qtIcon(Icon icon)
{
    // clang-format off
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Hand: return QMessageBox::Critical;
    case Icon::None: break;
    }
    // clang-format on
    return QMessageBox::NoIcon;
}

// The button a box answers with when nobody can choose: the one asked for if
// it is among the buttons, else the first button of the box.
unsigned fallbackButton(unsigned buttons, unsigned defaultButton)
{
    if (buttons == 0)
        buttons = Button::Ok;
    if (defaultButton != 0 && (buttons & defaultButton) != 0)
        return defaultButton;
    for (const ButtonMap& entry : buttonMap)
        if ((buttons & entry.button) != 0)
            return entry.button;
    return Button::Ok;
}

} // namespace

unsigned message(std::string_view text, std::string_view caption, Icon icon, unsigned buttons, unsigned defaultButton)
{
    const unsigned fallback = fallbackButton(buttons, defaultButton);
    if (buttons == 0)
        buttons = Button::Ok;

    if (!hasDisplay()) {
        // Nobody could click: the message still reaches whoever reads the
        // program's output, in one write so that lines of two boxes never mix.
        std::string out;
        if (!caption.empty()) {
            out += caption;
            out += ": ";
        }
        out += withLineBreaks(text, '\n');
        out += '\n';
        std::fwrite(out.data(), 1, out.size(), stderr);
        std::fflush(stderr);
        return fallback;
    }

    QMessageBox box;
    box.setIcon(qtIcon(icon));
    box.setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    const std::string lines = withLineBreaks(text, '\n');
    box.setText(QString::fromUtf8(lines.data(), static_cast<qsizetype>(lines.size())));
    QMessageBox::StandardButtons standard;
    for (const ButtonMap& entry : buttonMap)
        if ((buttons & entry.button) != 0)
            standard |= entry.standard;
    box.setStandardButtons(standard);
    for (const ButtonMap& entry : buttonMap)
        if (entry.button == fallback)
            box.setDefaultButton(entry.standard);

    execModal(box);
    const QMessageBox::StandardButton chosen = box.standardButton(box.clickedButton());
    for (const ButtonMap& entry : buttonMap)
        if (entry.standard == chosen)
            return entry.button;
    // Closed without a button (Escape, the window's close box): as the box's
    // cancel button would, or else the default.
    if ((buttons & Button::Cancel) != 0)
        return Button::Cancel;
    return fallback;
}

} // namespace fw::ui
