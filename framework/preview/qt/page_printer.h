#pragma once
// Printing page files on a QPrinter: the work behind Previewer::print().

#include "framework/core/error.h"
#include "framework/report/page_queue.h"

class QPrinter;

namespace fw::preview {

// The output print() uses when nothing was chosen in a print dialog: the PDF
// file named by REPORTMAIL_PRINT_PDF when set, else the system's default
// printer, else "report.pdf" in the current directory.
void setUpDefaultPrinter(QPrinter& printer);

// Prints every page of the queue on its own sheet, in order: on a PDF the
// sheet takes the page's own size, on a printer the page is scaled to fit the
// paper chosen. A page that cannot be read prints as its error page. An empty
// queue prints nothing.
[[nodiscard]] core::Expected<void> printPages(QPrinter& printer, const report::PageQueue& pages);

} // namespace fw::preview
