#include "framework/report/report.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "framework/report/layout_registry.h"

namespace fw::report {

namespace {

const char* const Layer = "Report";

struct ResolvedFont {
    PageFont font;
    Color color = 0;
};

// Fills what `given` sets over what `base` holds.
ResolvedFont inherit(const ResolvedFont& base, const FontSpec& given)
{
    ResolvedFont r = base;
    if (!given.name.empty())
        r.font.name = std::string(given.name);
    if (given.size > 0)
        r.font.size = given.size;
    if (given.style > 0)
        r.font.style = given.style;
    if (given.charSet >= 0)
        r.font.charSet = given.charSet;
    if (given.color)
        r.color = *given.color;
    return r;
}

std::string pageFileName(const std::string& folder, std::int32_t page)
{
    char name[32];
    std::snprintf(name, sizeof name, "/page%04d.wmf", static_cast<int>(page));
    return folder + name;
}

std::string temporaryRoot()
{
    const char* env = std::getenv("TMPDIR");
    std::string root = env && *env ? env : "/tmp";
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root;
}

} // namespace

Report::Report(const ReportLayout& layout, std::vector<core::Binding> fields)
    : m_fields(std::move(fields)), m_area(layout.detailArea), m_pageWidth(layout.pageWidth()),
      m_pageHeight(layout.pageHeight())
{
}

Report::~Report() { close(); }

core::Expected<std::unique_ptr<Report>> Report::create(std::string_view label, std::string_view moduleKey,
                                                       std::vector<core::Binding> fields)
{
    const ReportLayout* layout = findReportLayout(label, moduleKey);
    if (!layout)
        return core::fail(Layer, "no report layout " + std::string(core::clip(label)) + " is stored for " +
                                     std::string(core::clip(moduleKey)));
    return create(*layout, std::move(fields));
}

core::Expected<std::unique_ptr<Report>> Report::create(const ReportLayout& layout, std::vector<core::Binding> fields)
{
    std::unique_ptr<Report> report(new Report(layout, std::move(fields)));
    if (auto prepared = prepare(*report, layout); !prepared)
        return std::unexpected(prepared.error());
    return report;
}

// Resolves every control once, so that printing a band only reads values
// and draws, and so that a layout with a bad control fails here rather than
// in the middle of a run.
core::Expected<void> Report::prepare(Report& report, const ReportLayout& layout)
{
    const ResolvedFont reportFont = inherit({PageFont{"Arial", 10, Normal, 0}, 0}, layout.font);

    for (const Band& band : layout.bands) {
        std::optional<PreparedBand>& slot = band.kind == BandKind::PageHeader ? report.m_header
                                            : band.kind == BandKind::Detail   ? report.m_detail
                                                                              : report.m_footer;
        if (slot)
            continue; // the first band of each kind is the one printed
        PreparedBand prepared{band.x, band.y, band.height, {}};
        const ResolvedFont bandFont = inherit(reportFont, band.font);

        for (const Control& c : band.controls) {
            const ResolvedFont font = inherit(bandFont, c.font);
            // clang-format off
            Placed placed{c.kind, c.x, c.y, c.width, c.height, std::string(core::clip(c.text)), 0, std::nullopt,
                          font.font, c.color.value_or(font.color)};
            // clang-format on
            if (c.kind == ControlKind::Field) {
                if (c.field < 1 || c.field > report.m_fields.size())
                    return core::fail(Layer, "a field control names field " + std::to_string(c.field) + " of " +
                                                 std::to_string(report.m_fields.size()) + " bound");
                placed.field = c.field - 1;
            }
            if (c.kind == ControlKind::Field || c.kind == ControlKind::PageNumber) {
                placed.picture = core::Picture::parse(c.picture);
                if (!placed.picture)
                    return core::fail(Layer, std::string("\"").append(c.picture).append("\" is not a picture"));
            }
            prepared.controls.push_back(std::move(placed));
        }
        slot = std::move(prepared);
    }
    return {};
}

core::Expected<void> Report::open()
{
    if (isOpen())
        return {};
    std::string folderTemplate = temporaryRoot() + "/report-XXXXXX";
    if (!mkdtemp(folderTemplate.data()))
        return core::fail(Layer, "the folder for its pages cannot be made in " + temporaryRoot() + ": " +
                                     std::strerror(errno));
    m_folder = folderTemplate;
    m_pageNumber = 0;
    m_ownQueue.free();
    return {};
}

void Report::startPage()
{
    ++m_pageNumber;
    m_page.emplace(m_pageWidth, m_pageHeight);
    m_nextY = m_area.y;
    m_pageHasDetail = false;
    if (m_header)
        drawBand(*m_header, m_header->x, m_header->y);
}

core::Expected<void> Report::printDetail()
{
    if (!isOpen())
        return core::fail(Layer, "a band is printed before the report is opened");
    if (!m_detail)
        return core::fail(Layer, "the layout has no detail band");

    // A band taller than the whole area is still printed, on a fresh page:
    // waiting for room it never gets would lose it and every band after it.
    if (m_page && m_pageHasDetail && m_nextY + m_detail->height > m_area.y + m_area.height) {
        if (auto ended = endPage(); !ended)
            return ended;
    }
    if (!m_page)
        startPage();
    drawBand(*m_detail, m_area.x + m_detail->x, m_nextY);
    m_nextY += m_detail->height;
    m_pageHasDetail = true;
    return {};
}

core::Expected<void> Report::endPage()
{
    if (!m_page)
        return {};
    if (m_footer)
        drawBand(*m_footer, m_footer->x, m_footer->y);
    const std::vector<std::uint8_t> bytes = m_page->finish();
    m_page.reset();
    return writePage(bytes);
}

void Report::drawBand(const PreparedBand& band, int left, int top)
{
    for (const Placed& c : band.controls) {
        const int x = left + c.x;
        const int y = top + c.y;
        std::string text;
        switch (c.kind) {
        case ControlKind::Line:
            m_page->drawLine(x, y, x + c.width, y + c.height, c.color);
            continue;
        case ControlKind::Box:
            m_page->drawBox(x, y, c.width, c.height, c.color);
            continue;
        case ControlKind::String:
            text = c.text;
            break;
        case ControlKind::Field: {
            const core::Binding& b = m_fields[c.field];
            text = b.isNumber() ? c.picture->format(b.number()) : c.picture->format(std::string_view(b.text()));
            break;
        }
        case ControlKind::PageNumber:
            text = c.picture->format(std::int64_t{m_pageNumber});
            break;
        }
        const std::string_view shown = core::clip(text);
        if (shown.empty())
            continue;
        std::optional<WmfRect> clipRect;
        if (c.width > 0)
            clipRect = WmfRect{x, y, x + c.width, y + (c.height > 0 ? c.height : c.font.lineHeight())};
        m_page->drawText(x, y, shown, c.font, c.color, clipRect);
    }
}

core::Expected<void> Report::writePage(const std::vector<std::uint8_t>& bytes)
{
    const std::string name = pageFileName(m_folder, m_pageNumber);
    if (name.size() > PageEntry{}.PRINTPREVIEWIMAGE.size())
        return core::fail(Layer, "the page file name " + name + " is too long for the page queue");

    // Listed before it is written, so that close() removes a half-written file.
    m_files.push_back(name);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (!file)
        return core::fail(Layer, "page file " + name + " cannot be created: " + std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(name.c_str());
        return core::fail(Layer, "page file " + name + " cannot be written");
    }
    PageEntry entry;
    entry.PRINTPREVIEWIMAGE = name;
    pageQueue().append(entry);
    return {};
}

void Report::close()
{
    m_page.reset();
    if (!m_folder.empty()) {
        std::error_code ignored;
        for (const std::string& file : m_files)
            std::filesystem::remove(file, ignored);
        std::filesystem::remove_all(m_folder, ignored);
    }
    m_files.clear();
    m_folder.clear();
    m_ownQueue.free();
    m_pageNumber = 0;
}

} // namespace fw::report
