#pragma once
// A report: a layout printed band by band into pages, every finished page a
// placeable Windows metafile in the report's own temporary folder, named in
// its page queue.
//
// Life of a report:
//
//   create    from a stored layout (label and module key) or a layout given
//             directly, with the variables its field controls show, in the
//             order the controls number them (field 1 is fields[0]). The
//             layout is checked here: every field number and picture must be
//             valid, so printing cannot meet a bad control.
//   open      makes the temporary folder (under $TMPDIR, else /tmp) and
//             starts at page 1 with an empty page queue.
//   print     printDetail() places the detail band below the last one, with
//             the bound variables' values as they are at this call. A band
//             that does not fit in the detail area ends the page and starts
//             the next. A page starts with its page header band; ending it
//             adds the page footer band, writes the page's file and appends
//             the file's name to the page queue.
//   endPage   ends the page being printed, if any: the last page of a run.
//   close     drops a page not yet ended, deletes every page file the report
//             wrote and its folder, and frees its own page queue. The
//             destructor closes. A closed report can be opened again.
//
// The page queue is the report's own unless another is bound with
// setPageQueue(); a bound queue belongs to its owner, who frees it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/binding.h"
#include "framework/core/error.h"
#include "framework/core/picture.h"
#include "framework/report/page_canvas.h"
#include "framework/report/page_queue.h"
#include "framework/report/report_layout.h"

namespace fw::report {

class Report {
public:
    [[nodiscard]] static core::Expected<std::unique_ptr<Report>>
        create(std::string_view label, std::string_view moduleKey, std::vector<core::Binding> fields);
    [[nodiscard]] static core::Expected<std::unique_ptr<Report>> create(const ReportLayout& layout,
                                                                        std::vector<core::Binding> fields);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    [[nodiscard]] core::Expected<void> open();
    bool isOpen() const { return !m_folder.empty(); }

    [[nodiscard]] core::Expected<void> printDetail();
    [[nodiscard]] core::Expected<void> endPage();
    void close();

    PageQueue& pageQueue() { return m_queue ? *m_queue : m_ownQueue; }
    void setPageQueue(PageQueue* queue) { m_queue = queue; } // nullptr: the report's own again

    // The number of the page being printed, or of the last page when none is.
    std::int32_t pageNumber() const { return m_pageNumber; }
    // The temporary folder of the open report; empty when it is closed.
    const std::string& folder() const { return m_folder; }

private:
    // A control with everything it inherits resolved and its picture read.
    struct Placed {
        ControlKind kind;
        int x, y, width, height;
        std::string text;
        std::size_t field; // 0-based
        std::optional<core::Picture> picture;
        PageFont font;
        Color color; // text colour, or the line's and box's
    };
    struct PreparedBand {
        int x = 0, y = 0, height = 0;
        std::vector<Placed> controls;
    };

    Report(const ReportLayout& layout, std::vector<core::Binding> fields);
    [[nodiscard]] static core::Expected<void> prepare(Report& report, const ReportLayout& layout);

    void startPage();
    void drawBand(const PreparedBand& band, int left, int top);
    [[nodiscard]] core::Expected<void> writePage(const std::vector<std::uint8_t>& bytes);

    std::vector<core::Binding> m_fields;
    std::optional<PreparedBand> m_header;
    std::optional<PreparedBand> m_detail;
    std::optional<PreparedBand> m_footer;
    Area m_area;
    int m_pageWidth = 0;
    int m_pageHeight = 0;

    std::string m_folder;
    std::vector<std::string> m_files; // every page file written since open
    PageQueue m_ownQueue;
    PageQueue* m_queue = nullptr;
    std::optional<PageCanvas> m_page; // the page being printed
    int m_nextY = 0;                  // top of the next detail band on it
    bool m_pageHasDetail = false;
    std::int32_t m_pageNumber = 0;
};

} // namespace fw::report
