#include "cmdmailer/goods_report/goods_report_layouts.h"

#include <array>

#include "framework/report/layout_registry.h"
#include "framework/report/report_layout.h"
#include "framework/ui/layout.h"

namespace vextrel {

namespace {

namespace ui = fw::ui;
namespace rp = fw::report;

// The progress window, in dialog units. Its timer drives the printing: every
// tick prints a batch of records, so the period only sets how often the
// batches come; the shortest one keeps the run quick.
ui::WindowLayout progressWindowLayout()
{
    ui::WindowLayout w;
    w.label = ProgressWindowLabel;
    w.moduleKey = ModuleKey;
    w.kind = ui::WindowKind::Plain;
    w.title = "Progress...";
    w.width = 142;
    w.height = 59;
    w.timer = 1;
    // clang-format off
    w.controls = {
        {.number = ProgressControl::Bar, .kind = ui::ControlKind::ProgressBar, .rect = {15, 15, 111, 12}, .use = 1,
         .rangeLow = 0, .rangeHigh = 100},
        {.number = ProgressControl::Heading, .kind = ui::ControlKind::Text, .rect = {0, 3, 141, 10}},
        {.number = ProgressControl::Percent, .kind = ui::ControlKind::Text, .rect = {0, 30, 141, 10}},
        {.number = ProgressControl::Cancel, .kind = ui::ControlKind::Button, .text = "Cancel", .rect = {45, 42, 50, 15}},
    };
    // clang-format on
    return w;
}

// The report, in thousandths of an inch. Field 1 is GOD:CUSID, field 2
// GOD:GOODS (the order the report binds them in).
// clang-format off
constexpr std::array headerControls{
    rp::Control{.kind = rp::ControlKind::String, .x = 50, .y = 50, .width = 5900, .height = 200,
                .text = "Report the Goods File", .font = {.style = rp::Bold}},
    rp::Control{.kind = rp::ControlKind::String, .x = 50, .y = 310, .width = 2900, .height = 170, .text = "Cus ID"},
    rp::Control{.kind = rp::ControlKind::String, .x = 3050, .y = 310, .width = 2900, .height = 170, .text = "Goods"},
};

// The customer number takes eleven positions, room for any signed 32-bit value.
constexpr std::array detailControls{
    rp::Control{.kind = rp::ControlKind::Field, .x = 50, .y = 10, .width = 2900, .height = 170, .field = 1,
                .picture = "n11"},
    rp::Control{.kind = rp::ControlKind::Field, .x = 3050, .y = 10, .width = 2900, .height = 170, .field = 2,
                .picture = "s20"},
};

constexpr std::array footerControls{
    rp::Control{.kind = rp::ControlKind::PageNumber, .x = 5250, .y = 30, .width = 700, .height = 135,
                .picture = "pPage <<<#p", .font = {.name = "Arial", .size = 8}},
};

constexpr std::array bands{
    rp::Band{.kind = rp::BandKind::PageHeader, .x = 1000, .y = 1000, .width = 6000, .height = 540,
             .controls = headerControls},
    rp::Band{.kind = rp::BandKind::Detail, .x = 0, .width = 6000, .height = 190, .controls = detailControls},
    rp::Band{.kind = rp::BandKind::PageFooter, .x = 1000, .y = 9000, .width = 6000, .height = 219,
             .controls = footerControls},
};
// clang-format on

constexpr rp::ReportLayout reportLayout{
    .font = {.name = "Arial", .size = 10},
    .detailArea = {1000, 1540, 6000, 7460},
    .bands = bands,
};

} // namespace

void registerGoodsReportLayouts()
{
    ui::registerLayout(progressWindowLayout());
    rp::registerReportLayout(ReportLabel, ModuleKey, reportLayout);
}

} // namespace vextrel
