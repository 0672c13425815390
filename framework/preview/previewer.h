#pragma once
// The previewer: the page queue of a report and the operation that shows it.
//
// The queue is the report's own type (framework/report/page_queue.h): the
// report manager binds the previewer's queue to the report, so every finished
// page is named here.
//
// At the end of a completed run the report manager calls display() with the
// page queue; a non-zero result asks it to print the pages with print().
// display() is the one operation a report replaces: by subclassing and
// overriding it, or by handing a function to setDisplayOperation() (the mail
// hook does that). Either replacement may call ownDisplay() to get the
// previewer's own behaviour: a preview window with the pages, page
// navigation, zoom when allowed, and a Print action whose choice of printer
// or PDF file print() then uses.
//
// Where the output goes when print() runs without a choice made in the
// window: the PDF file named by the environment variable REPORTMAIL_PRINT_PDF
// when it is set, else the system's default printer, else the file
// "report.pdf" in the current directory.
//
// The header is Qt-free so that the engine and the reports can hold a
// previewer; the window and the printing live in qt/.

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/error.h"
#include "framework/report/page_queue.h"

namespace fw::preview {

enum class Zoom : std::uint8_t { Disallowed, Allowed };

// The environment variable that sends printing without a chosen printer to a
// PDF file.
inline constexpr const char* PrintPdfVariable = "REPORTMAIL_PRINT_PDF";

class Previewer {
public:
    using DisplayOperation = std::function<std::uint8_t(const report::PageQueue& pages)>;

    Previewer();
    virtual ~Previewer();
    Previewer(const Previewer&) = delete;
    Previewer& operator=(const Previewer&) = delete;

    report::PageQueue& pageQueue() { return m_pages; }
    const report::PageQueue& pageQueue() const { return m_pages; }

    // "Allow the user to zoom in the previewer". Off by default: the window
    // then always shows a whole page.
    void setZoom(Zoom zoom) { m_zoom = zoom; }
    Zoom zoom() const { return m_zoom; }

    // The replaceable operation. The base runs the function given to
    // setDisplayOperation() when there is one, else ownDisplay().
    [[nodiscard]] virtual std::uint8_t display(const report::PageQueue& pages);
    void setDisplayOperation(DisplayOperation operation) { m_display = std::move(operation); }

    // The preview window, shown as a wait of the calling framework thread
    // (other framework threads go on meanwhile). Returns 1 when the user
    // chose Print and accepted the print dialog, 0 when the window was
    // closed. The window system is started when it is not yet.
    // The window waits for its user on every platform, the offscreen one
    // included: a program without a screen replaces display() instead.
    [[nodiscard]] std::uint8_t ownDisplay(const report::PageQueue& pages);

    // Prints every page of the queue, one printer page each, in order. A page
    // file that cannot be read prints as its error page.
    [[nodiscard]] core::Expected<void> print(const report::PageQueue& pages);

    // The printer chosen in the window's print dialog, opaque here.
    struct PrinterChoice;

private:
    report::PageQueue m_pages;
    Zoom m_zoom = Zoom::Disallowed;
    DisplayOperation m_display;
    std::unique_ptr<PrinterChoice> m_printer;
};

} // namespace fw::preview
