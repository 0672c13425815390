#pragma once
// Layouts the report tests print: a small three-band report whose page
// holds three detail bands, and the customers report of the demonstration
// as its layout table gives it.

#include "framework/report/report_layout.h"

namespace testlayouts {

using namespace fw::report;

// Three detail bands of 400 fit the area of 1500; a fourth starts page 2.
// clang-format off
inline constexpr Control smallHeader[] = {
    {.kind = ControlKind::String, .x = 0, .y = -100, .width = 6000, .text = "Small Report",
     .font = {.size = 14, .style = Bold, .color = 0x0000FF}},
    {.kind = ControlKind::Box, .x = 0, .y = 260, .width = 6000, .height = 240, .color = 0x808000},
    {.kind = ControlKind::Line, .x = 3000, .y = 260, .width = 0, .height = 240},
    {.kind = ControlKind::String, .x = 52, .y = 300, .width = 2900, .text = "Name"},
    {.kind = ControlKind::String, .x = 3052, .y = 300, .text = "Number"},
};
inline constexpr Control smallDetail[] = {
    {.kind = ControlKind::Line, .x = 3000, .y = 0, .width = 0, .height = 400},
    {.kind = ControlKind::Field, .x = 52, .y = 31, .width = 2900, .field = 1, .picture = "s20"},
    {.kind = ControlKind::Field, .x = 3052, .y = 31, .field = 2, .picture = "n05"},
    {.kind = ControlKind::Field, .x = 4052, .y = 31, .field = 3, .picture = "D5B",
     .font = {.name = "Times New Roman", .style = Normal | Italic, .color = 0x008000}},
    {.kind = ControlKind::Line, .x = 52, .y = 400, .width = 5896, .height = 0},
};
inline constexpr Control smallFooter[] = {
    {.kind = ControlKind::PageNumber, .x = 5250, .y = 31, .width = 698, .picture = "pPage <<<#p",
     .font = {.name = "Arial", .size = 8, .style = Normal}},
};
inline constexpr Band smallBands[] = {
    {.kind = BandKind::PageHeader, .x = 1000, .y = 1000, .width = 6000, .height = 500, .controls = smallHeader},
    {.kind = BandKind::Detail, .width = 6000, .height = 400, .controls = smallDetail},
    {.kind = BandKind::PageFooter, .x = 1000, .y = 9000, .width = 6000, .height = 219, .controls = smallFooter},
};
inline constexpr ReportLayout small{
    .paper = PaperA4,
    .font = {.name = "Arial", .size = 10, .style = Normal, .charSet = 0},
    .detailArea = {1000, 1500, 6000, 1500},
    .bands = smallBands,
};

// The customers report: fields NAME, FIRSTDATE, FIRSTTIME, SUBURB, PHONE,
// EMAIL, WEBSITE in that order.
inline constexpr Control customersHeader[] = {
    {.kind = ControlKind::String, .x = 0, .y = -198, .width = 6500, .text = "For Customer",
     .font = {.size = 26, .style = Bold, .color = 0x808000}},
    {.kind = ControlKind::Box, .x = 0, .y = 260, .width = 6500, .height = 458, .color = 0x808000},
    {.kind = ControlKind::Line, .x = 1500, .y = 260, .height = 458},
    {.kind = ControlKind::Line, .x = 3000, .y = 260, .height = 458},
    {.kind = ControlKind::Line, .x = 3781, .y = 260, .height = 458},
    {.kind = ControlKind::String, .x = 1552, .y = 313, .width = 1396, .text = "Name"},
    {.kind = ControlKind::String, .x = 3031, .y = 313, .width = 833, .height = 240, .text = "First Date"},
    {.kind = ControlKind::String, .x = 3865, .y = 313, .width = 1396, .text = "Email"},
    {.kind = ControlKind::String, .x = 52, .y = 490, .width = 1396, .text = "Suburb"},
    {.kind = ControlKind::String, .x = 1552, .y = 490, .width = 1396, .text = "Phone"},
    {.kind = ControlKind::String, .x = 3031, .y = 490, .width = 1396, .text = "First Time"},
    {.kind = ControlKind::String, .x = 3865, .y = 490, .width = 1396, .text = "Web Site"},
};
inline constexpr Control customersDetail[] = {
    {.kind = ControlKind::Line, .x = 1500, .y = 0, .height = 458},
    {.kind = ControlKind::Line, .x = 3000, .y = 0, .height = 458},
    {.kind = ControlKind::Line, .x = 3781, .y = 0, .height = 458},
    {.kind = ControlKind::Field, .x = 1552, .y = 31, .width = 1396, .field = 1, .picture = "s20"},
    {.kind = ControlKind::Field, .x = 2927, .y = 10, .field = 2, .picture = "D5B"},
    {.kind = ControlKind::Field, .x = 3865, .y = 21, .field = 6, .picture = "s100"},
    {.kind = ControlKind::Field, .x = 52, .y = 271, .width = 1396, .field = 4, .picture = "s20"},
    {.kind = ControlKind::Field, .x = 1552, .y = 271, .width = 1396, .field = 5, .picture = "s20"},
    {.kind = ControlKind::Field, .x = 2938, .y = 250, .field = 3, .picture = "T7B"},
    {.kind = ControlKind::Field, .x = 3865, .y = 260, .field = 7, .picture = "s200"},
    {.kind = ControlKind::Line, .x = 52, .y = 458, .width = 5896},
};
inline constexpr Control customersFooter[] = {
    {.kind = ControlKind::PageNumber, .x = 5250, .y = 31, .width = 698, .picture = "pPage <<<#p",
     .font = {.name = "Arial", .size = 8, .style = Normal}},
};
inline constexpr Band customersBands[] = {
    {.kind = BandKind::PageHeader, .x = 1000, .y = 1000, .width = 6927, .height = 719, .controls = customersHeader},
    {.kind = BandKind::Detail, .width = 6927, .height = 458, .controls = customersDetail},
    {.kind = BandKind::PageFooter, .x = 1000, .y = 9000, .width = 6927, .height = 219, .controls = customersFooter},
};
inline constexpr ReportLayout customers{
    .paper = PaperA4,
    .font = {.name = "Century Gothic", .size = 12, .style = Bold, .charSet = 204},
    .detailArea = {1000, 1719, 6500, 7281},
    .bands = customersBands,
};
// clang-format on

} // namespace testlayouts
