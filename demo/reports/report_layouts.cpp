#include "demo/reports/report_layouts.h"

#include <array>

namespace zorvane {

namespace {

namespace rp = fw::report;
using rp::BandKind;
using rp::Bold;
using rp::Color;
using rp::Control;
using rp::ControlKind;
using rp::Italic;
using rp::Normal;

// Pieces every layout is made of, so that each table below reads as the
// report looks: one line per control.
// clang-format off
constexpr Control title(std::string_view text, int y, int width, int size, int style,
                        std::optional<Color> color = std::nullopt)
{
    return {.kind = ControlKind::String, .x = 0, .y = y, .width = width, .text = text,
            .font = {.size = size, .style = style, .color = color}};
}
constexpr Control box(int width, int height, Color color)
{
    return {.kind = ControlKind::Box, .x = 0, .y = 260, .width = width, .height = height, .color = color};
}
// A vertical separator line from `y` down `height`.
constexpr Control separator(int x, int y, int height)
{
    return {.kind = ControlKind::Line, .x = x, .y = y, .width = 0, .height = height};
}
constexpr Control heading(std::string_view text, int x, int y, int width = 1396, int height = 0, int size = 0)
{
    return {.kind = ControlKind::String, .x = x, .y = y, .width = width, .height = height, .text = text,
            .font = {.size = size}};
}
// A bound field: `field` is its place in the report's binding order, from 1.
constexpr Control field(std::size_t field, std::string_view picture, int x, int y, int width = 1396)
{
    return {.kind = ControlKind::Field, .x = x, .y = y, .width = width, .field = field, .picture = picture};
}
// The line along the bottom edge of a detail band.
constexpr Control bottomLine(int y)
{
    return {.kind = ControlKind::Line, .x = 52, .y = y, .width = 5896, .height = 0};
}

constexpr int BandWidth = 6927;

constexpr std::array footerControls{
    Control{.kind = ControlKind::PageNumber, .x = 5250, .y = 31, .width = 698, .picture = "pPage <<<#p",
            .font = {.name = "Arial", .size = 8, .style = Normal}},
};
// clang-format on

constexpr std::array<rp::Band, 3> bands(std::span<const Control> header, int headerHeight,
                                        std::span<const Control> detail, int detailHeight, rp::FontSpec detailFont = {})
{
    // clang-format off
    return {{
        {.kind = BandKind::PageHeader, .x = 1000, .y = 1000, .width = BandWidth, .height = headerHeight,
         .controls = header},
        {.kind = BandKind::Detail, .x = 0, .width = BandWidth, .height = detailHeight, .font = detailFont,
         .controls = detail},
        {.kind = BandKind::PageFooter, .x = 1000, .y = 9000, .width = BandWidth, .height = 219,
         .controls = footerControls},
    }};
    // clang-format on
}

// Customers. Fields: 1 CUS:NAME, 2 CUS:FIRSTDATE, 3 CUS:FIRSTTIME,
// 4 CUS:SUBURB, 5 CUS:PHONE, 6 CUS:EMAIL, 7 CUS:WEBSITE. The embed variant
// differs only in the colours of its title and box.
constexpr std::array<Control, 12> customersHeader(Color titleColor, Color boxColor)
{
    return {{
        title("For Customer", -198, 6500, 26, Bold, titleColor),
        box(6500, 458, boxColor),
        separator(1500, 260, 458),
        separator(3000, 260, 458),
        separator(3781, 260, 458),
        heading("Name", 1552, 313),
        heading("First Date", 3031, 313, 833, 240),
        heading("Email", 3865, 313),
        heading("Suburb", 52, 490),
        heading("Phone", 1552, 490),
        heading("First Time", 3031, 490),
        heading("Web Site", 3865, 490),
    }};
}
// clang-format off
constexpr std::array customersDetail{
    separator(1500, 0, 458),
    separator(3000, 0, 458),
    separator(3781, 0, 458),
    field(1, "s20", 1552, 31),
    field(2, "D5B", 2927, 10, 0),
    field(6, "s100", 3865, 21, 0),
    field(4, "s20", 52, 271),
    field(5, "s20", 1552, 271),
    field(3, "T7B", 2938, 250, 0),
    field(7, "s200", 3865, 260, 0),
    bottomLine(458),
};
// clang-format on
constexpr auto customersPlainHeader = customersHeader(0x808000, 0x808000);
constexpr auto customersEmbedHeader = customersHeader(0x008000, 0x00ff00);
constexpr auto customersBands = bands(customersPlainHeader, 719, customersDetail, 458);
constexpr auto customersEmbedBands = bands(customersEmbedHeader, 719, customersDetail, 458);
constexpr rp::FontSpec customersFont{.name = "Century Gothic", .size = 12, .style = Bold, .charSet = 204};
constexpr rp::ReportLayout customers{
    .paper = rp::PaperA4, .font = customersFont, .detailArea = {1000, 1719, 6500, 7281}, .bands = customersBands};
constexpr rp::ReportLayout customersEmbed{
    .paper = rp::PaperA4, .font = customersFont, .detailArea = {1000, 1719, 6500, 7281}, .bands = customersEmbedBands};

// Students. Fields: 1 STU:NUMBER, 2 STU:FIRSTNAME, 3 STU:LASTNAME,
// 4 STU:ADDRESS, 5 STU:ADDRESS2, 6 STU:CITY, 7 STU:STATE, 8 STU:ZIP,
// 9 STU:TELEPHONE, 10 STU:GRADYEAR.
constexpr std::array studentsHeader{
    title("Print Students", -52, 6000, 16, Bold),
    box(6000, 635, 0xff80ff),
    separator(1500, 260, 635),
    separator(3000, 260, 635),
    separator(4500, 260, 635),
    heading("Number", 52, 313),
    heading("First Name", 1552, 313),
    heading("Last Name", 3052, 313),
    heading("Address", 4552, 313),
    heading("Address 2", 52, 490),
    heading("City", 1552, 490),
    heading("State", 3052, 490),
    heading("Zip", 4552, 490),
    heading("Telephone", 52, 667),
    heading("Grad Year", 1552, 667),
};
// clang-format off
constexpr std::array studentsDetail{
    separator(1500, 0, 635),
    separator(3000, 0, 635),
    separator(4500, 0, 635),
    field(1, "P###-##-####P", 52, 52),
    field(2, "S20", 1552, 52),
    field(3, "S20", 3052, 52),
    field(4, "S20", 4552, 52),
    field(5, "s20", 52, 229),
    field(6, "S20", 1552, 229),
    field(7, "S2", 3052, 229),
    field(8, "n05", 4552, 229),
    field(9, "s12", 52, 406),
    field(10, "n4", 1552, 406),
    bottomLine(635),
};
// clang-format on
constexpr auto studentsBands = bands(studentsHeader, 896, studentsDetail, 635);
constexpr rp::ReportLayout students{
    .paper = rp::PaperA4,
    .font = {.name = "Comic Sans MS", .size = 11, .style = Bold, .charSet = 0},
    .detailArea = {1000, 1896, 6000, 7104},
    .bands = studentsBands,
};

// Teachers. Fields: 1 TEA:NUMBER, 2 TEA:FIRSTNAME, 3 TEA:LASTNAME,
// 4 TEA:ADDRESS, 5 TEA:CITY, 6 TEA:STATE, 7 TEA:ZIP, 8 TEA:TELEPHONE.
constexpr std::array teachersHeader{
    title("For Teachers", -167, 6000, 24, Bold, 0xff00ff),
    box(6000, 458, 0xff80ff),
    separator(1500, 260, 458),
    separator(3000, 260, 458),
    separator(4500, 260, 458),
    heading("Number", 52, 313),
    heading("First Name", 1552, 313),
    heading("Last Name", 3052, 313),
    heading("Address", 4552, 313),
    heading("City", 52, 490),
    heading("State", 1552, 490),
    heading("Zip", 3052, 490),
    heading("Telephone", 4552, 490),
};
// clang-format off
constexpr std::array teachersDetail{
    separator(1500, 0, 458),
    separator(3000, 0, 458),
    separator(4500, 0, 458),
    field(1, "P###-##-####P", 52, 52),
    field(2, "S20", 1552, 52),
    field(3, "S20", 3052, 52),
    field(4, "S20", 4552, 52),
    field(5, "S20", 52, 229),
    field(6, "S2", 1552, 229),
    field(7, "n05", 3052, 229),
    field(8, "s12", 4552, 229),
    bottomLine(458),
};
// clang-format on
constexpr auto teachersBands = bands(teachersHeader, 719, teachersDetail, 458);
constexpr rp::ReportLayout teachers{
    .paper = rp::PaperA4,
    .font = {.name = "Sylfaen", .size = 11, .style = Bold, .charSet = 204, .color = 0xffff00},
    .detailArea = {1000, 1719, 6000, 7281},
    .bands = teachersBands,
};

// Classes. Fields: 1 CLA:CLASSNUMBER, 2 CLA:ROOMNUMBER, 3 CLA:SCHEDULEDTIME.
constexpr std::array classesHeader{
    title("Print Classes", -115, 6000, 24, Bold | Italic),
    box(6000, 281, 0xff8000),
    separator(2000, 260, 281),
    separator(4000, 260, 281),
    heading("Class Number", 52, 313, 1896, 0, 12),
    heading("Room Number", 2052, 313, 1896, 0, 12),
    heading("Scheduled Time", 4052, 313, 1896, 0, 12),
};
// clang-format off
constexpr std::array classesDetail{
    separator(2000, 0, 281),
    separator(4000, 0, 281),
    field(1, "P##-#####P", 52, 52, 1896),
    field(2, "n4", 2052, 52, 1896),
    field(3, "s20", 4052, 52, 1896),
    bottomLine(281),
};
// clang-format on
constexpr auto classesBands = bands(classesHeader, 542, classesDetail, 281, {.name = "Times New Roman", .size = 14});
constexpr rp::ReportLayout classes{
    .paper = rp::PaperA4,
    .font = {.name = "Arial", .size = 10, .style = Bold, .charSet = 0, .color = 0xffff00},
    .detailArea = {1000, 1542, 6000, 7458},
    .bands = classesBands,
};

} // namespace

fw::ui::WindowLayout progressWindowLayout(std::string_view moduleKey)
{
    namespace ui = fw::ui;
    ui::WindowLayout w;
    w.label = std::string(ProgressWindowLabel);
    w.moduleKey = std::string(moduleKey);
    w.kind = ui::WindowKind::Plain;
    w.title = "Report Progress...";
    w.width = 142;
    w.height = 59;
    w.timer = ProgressTimer;
    // clang-format off
    w.controls = {
        {.number = ProgressControl::Thermometer, .kind = ui::ControlKind::ProgressBar, .rect = {15, 15, 111, 12},
         .use = 1, .rangeLow = 0, .rangeHigh = 100},
        {.number = ProgressControl::UserText, .kind = ui::ControlKind::Text, .rect = {0, 3, 141, 10}},
        {.number = ProgressControl::PercentText, .kind = ui::ControlKind::Text, .rect = {0, 30, 141, 10}},
        {.number = ProgressControl::Cancel, .kind = ui::ControlKind::Button, .text = "Cancel",
         .rect = {45, 42, 50, 15}},
    };
    // clang-format on
    return w;
}

const fw::report::ReportLayout& customersReportLayout() { return customers; }
const fw::report::ReportLayout& studentsReportLayout() { return students; }
const fw::report::ReportLayout& teachersReportLayout() { return teachers; }
const fw::report::ReportLayout& classesReportLayout() { return classes; }
const fw::report::ReportLayout& customersEmbedReportLayout() { return customersEmbed; }

} // namespace zorvane
