#include "framework/preview/qt/page_printer.h"

#include <cstdlib>

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "framework/fs/path.h"
#include "framework/preview/previewer.h"
#include "framework/preview/qt/page_painter.h"
#include "framework/preview/qt/wmf_painter.h"
#include "framework/preview/wmf_parser.h"

namespace fw::preview {

namespace {

constexpr const char* Layer = "Previewer";

bool isPdf(const QPrinter& printer) { return printer.outputFormat() == QPrinter::PdfFormat; }

void fitSheetToPage(QPrinter& printer, const QSizeF& inches)
{
    if (!isPdf(printer))
        return;
    printer.setPageLayout(QPageLayout(QPageSize(inches, QPageSize::Inch), QPageLayout::Portrait, QMarginsF()));
}

// The page's rectangle on the sheet: its own size when it fits, scaled down
// to the paper otherwise, centred on the sheet either way.
QRectF placeOnSheet(const QPrinter& printer, const QSizeF& inches)
{
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    QSizeF size(inches.width() * printer.resolution(), inches.height() * printer.resolution());
    if (size.width() > paper.width() || size.height() > paper.height())
        size.scale(paper.size(), Qt::KeepAspectRatio);
    return QRectF(QPointF((paper.width() - size.width()) / 2, (paper.height() - size.height()) / 2), size);
}

std::string describe(const QPrinter& printer)
{
    return isPdf(printer) ? "the PDF file " + printer.outputFileName().toStdString()
                          : "the printer " + printer.printerName().toStdString();
}

} // namespace

void setUpDefaultPrinter(QPrinter& printer)
{
    if (const char* pdf = std::getenv(PrintPdfVariable); pdf && *pdf) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromLocal8Bit(pdf));
        return;
    }
    if (const QPrinterInfo info = QPrinterInfo::defaultPrinter(); !info.isNull()) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(info.printerName());
        return;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(fs::currentDirectory() + "/report.pdf"));
}

core::Expected<void> printPages(QPrinter& printer, const report::PageQueue& pages)
{
    if (pages.isEmpty())
        return {};
    printer.setFullPage(true);

    bool first = true;
    QPainter painter;
    for (const report::PageEntry& entry : pages) {
        const core::Expected<WmfDocument> page = loadWmf(entry.PRINTPREVIEWIMAGE.clippedView());
        const QSizeF inches = pageSizeInches(page);
        fitSheetToPage(printer, inches);
        if (first) {
            if (!painter.begin(&printer))
                return core::fail(Layer, describe(printer) + " cannot be opened for printing");
            first = false;
        } else if (!printer.newPage()) {
            painter.end();
            return core::fail(Layer, describe(printer) + " refused a new page");
        }
        paintPage(painter, page, placeOnSheet(printer, inches));
    }
    if (!painter.end())
        return core::fail(Layer, describe(printer) + " could not finish the print job");
    return {};
}

} // namespace fw::preview
