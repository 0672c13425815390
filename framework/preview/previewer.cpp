#include "framework/preview/previewer.h"

#include <QApplication>
#include <QPointer>
#include <QPrinter>

#include "framework/preview/qt/page_printer.h"
#include "framework/preview/qt/preview_window.h"
#include "framework/ui/qt/application.h"
#include "framework/ui/qt/modal.h"

namespace fw::preview {

struct Previewer::PrinterChoice {
    QPrinter printer{QPrinter::HighResolution};
    bool chosen = false; // the user accepted a print dialog on it
};

Previewer::Previewer() = default;
Previewer::~Previewer() = default;

std::uint8_t Previewer::display(const report::PageQueue& pages)
{
    if (m_display)
        return m_display(pages);
    return ownDisplay(pages);
}

std::uint8_t Previewer::ownDisplay(const report::PageQueue& pages)
{
    ui::startWindowSystem();
    // A program that made a core or GUI application of its own has no
    // widgets to show the window with.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return 0;
    if (!m_printer) {
        m_printer = std::make_unique<PrinterChoice>();
        setUpDefaultPrinter(m_printer->printer);
    }
    // On the heap: the wait may lend the window a parent (the thread's own
    // window), and a parent that goes while the preview waits takes the
    // preview with it.
    auto* window = new PreviewWindow(pages, m_zoom, m_printer->printer);
    const QPointer<PreviewWindow> guard(window);
    const int result = fw::ui::execModal(*window);
    delete guard.data();
    if (result != QDialog::Accepted)
        return 0;
    m_printer->chosen = true;
    return 1;
}

core::Expected<void> Previewer::print(const report::PageQueue& pages)
{
    ui::startWindowSystem();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return core::fail("Previewer", "printing needs a GUI application, and the program made another kind");
    if (m_printer && m_printer->chosen)
        return printPages(m_printer->printer, pages);
    QPrinter printer(QPrinter::HighResolution);
    setUpDefaultPrinter(printer);
    return printPages(printer, pages);
}

} // namespace fw::preview
