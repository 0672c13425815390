#include "cmdmailer/demo_job/demo_pages.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "framework/core/binding.h"
#include "framework/core/text.h"
#include "framework/fs/path.h"
#include "framework/report/report.h"

namespace vextrel {

namespace {

namespace rp = fw::report;

constexpr std::string_view Layer = "Demonstration job";

// Bands of 300 in an area of 1500: five lines to a page.
constexpr int LinesPerPage = 5;

// clang-format off
constexpr std::array headerControls{
    rp::Control{.kind = rp::ControlKind::String, .x = 0, .y = 0, .width = 6000, .height = 250,
                .text = "Demonstration job for vextrel", .font = {.size = 14, .style = rp::Bold}},
    rp::Control{.kind = rp::ControlKind::Line, .x = 0, .y = 300, .width = 6000, .height = 0},
};
constexpr std::array detailControls{
    rp::Control{.kind = rp::ControlKind::Field, .x = 50, .y = 50, .width = 700, .height = 200, .field = 1,
                .picture = "n5"},
    rp::Control{.kind = rp::ControlKind::Field, .x = 1000, .y = 50, .width = 4900, .height = 200, .field = 2,
                .picture = "s40"},
    rp::Control{.kind = rp::ControlKind::Box, .x = 0, .y = 0, .width = 6000, .height = 300, .color = 0x808000},
};
constexpr std::array footerControls{
    rp::Control{.kind = rp::ControlKind::PageNumber, .x = 5250, .y = 30, .width = 700, .height = 135,
                .picture = "pPage <<<#p", .font = {.name = "Arial", .size = 8}},
};
constexpr std::array bands{
    rp::Band{.kind = rp::BandKind::PageHeader, .x = 1000, .y = 1000, .width = 6000, .height = 400,
             .controls = headerControls},
    rp::Band{.kind = rp::BandKind::Detail, .x = 0, .width = 6000, .height = 300, .controls = detailControls},
    rp::Band{.kind = rp::BandKind::PageFooter, .x = 1000, .y = 3200, .width = 6000, .height = 219,
             .controls = footerControls},
};
// clang-format on
constexpr rp::ReportLayout layout{
    .font = {.name = "Arial", .size = 10},
    .detailArea = {1000, 1500, 6000, LinesPerPage * 300},
    .bands = bands,
};

constexpr std::array<std::string_view, 4> itemNames{"Widgets", "Sprockets", "Gaskets", "Flanges"};

} // namespace

fw::core::Expected<int> makeDemoPages(std::uint8_t job, int pageCount, const std::string& folder)
{
    if (pageCount < 1 || pageCount > 255)
        return fw::core::fail(std::string(Layer), "a job has 1 to 255 pages, not " + fw::core::toText(pageCount));

    std::int32_t line = 0;
    fw::core::Text<40> item;
    auto created = rp::Report::create(layout, {fw::core::Binding::of(line), fw::core::Binding::of(item)});
    if (!created)
        return std::unexpected(created.error());
    rp::Report& report = **created;
    if (auto opened = report.open(); !opened)
        return std::unexpected(opened.error());

    for (int n = 1; n <= pageCount * LinesPerPage; ++n) {
        line = n;
        item = std::string(itemNames[static_cast<std::size_t>(n) % itemNames.size()]) + ", lot " +
               fw::core::toText(100 + n);
        if (auto printed = report.printDetail(); !printed)
            return std::unexpected(printed.error());
    }
    if (auto ended = report.endPage(); !ended)
        return std::unexpected(ended.error());

    // The pages live only until the report closes: copy them first.
    const std::filesystem::path target = fw::fs::toNative(folder);
    int copied = 0;
    for (const rp::PageEntry& page : report.pageQueue()) {
        ++copied;
        const std::filesystem::path to = target / (fw::core::toText(job) + fw::core::toText(copied) + ".wmf");
        std::error_code error;
        std::filesystem::copy_file(fw::fs::toNative(page.PRINTPREVIEWIMAGE.clippedView()), to,
                                   std::filesystem::copy_options::overwrite_existing, error);
        if (error)
            return fw::core::fail(std::string(Layer), "cannot copy a page to " + to.string() + ": " + error.message());
    }
    report.close();
    return copied;
}

} // namespace vextrel
