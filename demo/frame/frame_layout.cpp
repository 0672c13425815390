#include "demo/frame/frame_layout.h"

#include <array>
#include <string>

#include "engine/global_data.h"

namespace zorvane {

using namespace fw::ui;

namespace {

// clang-format off
ControlLayout menu(int number, std::string text)
{
    return {.number = number, .kind = ControlKind::Menu, .text = std::move(text)};
}

ControlLayout item(int number, int parent, std::string text, std::string message = {})
{
    return {.number = number, .kind = ControlKind::MenuItem, .text = std::move(text), .parent = parent,
            .message = std::move(message)};
}

// Radios sit in the toolbar at positions relative to the toolbar, as the
// option box does; their own text decides their size. Each stands for the
// mail mode the option takes when it is chosen.
ControlLayout radio(int number, std::string text, int x, int y, engine::MailMode mode)
{
    return {.number = number, .kind = ControlKind::Radio, .text = std::move(text), .rect = {x, y, 0, 0},
            .parent = FrameControl::ModeOption, .area = Area::Toolbar, .value = engine::modeByte(mode)};
}
// clang-format on

WindowLayout makeFrameLayout()
{
    using namespace FrameControl;
    WindowLayout w;
    w.label = std::string(FrameLabel);
    w.moduleKey = std::string(FrameModuleKey);
    w.kind = WindowKind::Frame;
    w.title = "Brevmark Hesk Template Demo by Korrin";
    w.width = 365;
    w.height = 242;
    w.font = {.name = "MS Sans Serif", .points = 8};
    w.icon = "qkload.ico";
    // clang-format off
    w.controls = {
        item(EmailReportFrom, 0, "EMAIL REPORT FROM:"),
        menu(TarvenMenu, "*Tarven"),
        item(Classes, TarvenMenu, "Classes (*.doc attachments NEW)", "Print in record order"),
        item(Students, TarvenMenu, "Students", "Print ordered by by Last Name"),
        item(Teachers, TarvenMenu, "Teachers", "Print ordered by by Last Name"),
        item(Customers, TarvenMenu, "Customers", "Print ordered by the CUS:ByName key"),
        item(CustomersEmbed, TarvenMenu, "Customers (embed template used)"),
        menu(NoReportMenu, "*No Report"),
        item(EmailOne, NoReportMenu, "Email 1"),
        item(EmailTwo, NoReportMenu, "Email 2"),
        menu(BulkEmailMenu, "*Bulk Email"),
        item(TeachersToFirstFive, BulkEmailMenu, "Teachers to first 5 Customers"),
        item(ClassesToFirstFive, BulkEmailMenu, "Classes to first 5 Customers"),

        {.number = ModeOption, .kind = ControlKind::OptionBox, .rect = {3, 0, 177, 32}, .area = Area::Toolbar,
         .use = 1},
        radio(SaveRadio, "Save", 51, 19, engine::MailMode::Save),
        radio(SilentSaveRadio, "Silent save", 92, 19, engine::MailMode::SilentSave),
        radio(SilentEmailRadio, "Silent email", 92, 8, engine::MailMode::SilentEmail),
        radio(EmailPreviewRadio, "Email Preview", 9, 8, engine::MailMode::EmailPreview),
        radio(PrintRadio, "Print", 9, 19, engine::MailMode::Print),
        {.number = ModeEntry, .kind = ControlKind::Entry, .rect = {153, 20, 24, 10}, .area = Area::Toolbar,
         .use = 2, .picture = "@n3"},
        {.number = RTFpathLabel, .kind = ControlKind::Text, .text = "BMKG:RTFpath", .rect = {9, 35, 0, 0},
         .area = Area::Toolbar, .hidden = Hidden::Yes},
        {.number = RTFpathEntry, .kind = ControlKind::Entry, .rect = {67, 35, 113, 10}, .area = Area::Toolbar,
         .use = 3, .picture = "@s200", .hidden = Hidden::Yes},
        {.number = Explanation, .kind = ControlKind::Text, .rect = {187, 3, 171, 28}, .area = Area::Toolbar,
         .use = 4},

        // The picture the frame shows in its client area, at its own size.
        {.number = Picture, .kind = ControlKind::Image, .text = "ereport.gif", .rect = {8, 8, 0, 0}},
    };
    // clang-format on
    return w;
}

// One text per mail mode, in the order of engine::MailMode.
constexpr std::array<std::string_view, 5> explanations{
    "Report will be printed",
    "Outlook Email preview will be generated",
    "You will see nothing. Email will be sent with Outlook silently",
    "No emailing. You will see RTF file in your default Windows RTF editor (WordPad or Word) and will be able to "
    "save it as RTF, DOC, or HTML",
    "You will see nothing. RTF will be created in directory and with the name you specify from respective "
    "template setting",
};

} // namespace

const WindowLayout& frameLayout()
{
    static const WindowLayout layout = makeFrameLayout();
    return layout;
}

std::optional<std::string_view> modeExplanation(std::uint8_t mode)
{
    if (mode >= explanations.size())
        return std::nullopt;
    return explanations[mode];
}

} // namespace zorvane
