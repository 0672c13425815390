#pragma once
// The preview window: the pages of a report, one at a time, with page
// navigation, zoom when the report allows it, Print and Close.
//
// The window is a dialog: Print runs the print dialog on the printer it was
// given and, when the user accepts it, closes the window with Accepted; Close
// (or Escape) ends it with Rejected. Page files are read when first shown; a
// file that cannot be read shows the error page.
//
// At "Whole page" the page is fitted to the room the scroll area's viewport
// really has. The dialog's own size says nothing about that room: the
// viewport gets its size only when the layout places the scroll area, after
// the dialog's resize and first show. So the window watches the viewport and
// fits the page each time the viewport changes size, the first time included.

#include <optional>
#include <vector>

#include <QDialog>
#include <QString>

#include "framework/core/error.h"
#include "framework/preview/previewer.h"
#include "framework/preview/wmf_document.h"
#include "framework/report/page_queue.h"

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace fw::preview {

class PageView;

class PreviewWindow : public QDialog {
    Q_OBJECT

public:
    // Zoom factors offered, in the order of the zoom list; 0 is the whole
    // page fitted into the window.
    static constexpr double ZoomFactors[] = {0, 0.5, 0.75, 1, 1.5, 2, 3, 4};
    // The grey border around the page, in pixels: the whole page is fitted
    // into the viewport less this border on every side.
    static constexpr int PageMargin = 12;

    PreviewWindow(const report::PageQueue& pages, Zoom zoom, QPrinter& printer, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    int pageCount() const { return int(m_names.size()); }
    int currentPage() const { return m_current + 1; } // from 1; 0 without pages
    void showPage(int page);                          // from 1, clamped to the pages there are

    bool isZoomAllowed() const { return m_zoomAllowed; }
    double zoomFactor() const { return m_zoomFactor; } // 0: whole page
    void setZoomFactor(double factor);                 // ignored when zoom is not allowed

    // The page's size in device pixels at the current zoom.
    QSize pageSize() const;

    // The page as shown (parsed on first use).
    [[nodiscard]] const core::Expected<WmfDocument>& page(int page);

public slots:
    void nextPage();
    void previousPage();
    void zoomIn();
    void zoomOut();
    void print();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateView();
    int zoomIndex() const;

    std::vector<QString> m_names;
    std::vector<std::optional<core::Expected<WmfDocument>>> m_pages;
    QPrinter& m_printer;
    bool m_zoomAllowed = false;
    double m_zoomFactor = 0;
    int m_current = 0;

    PageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_pageLabel = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QComboBox* m_zoom = nullptr;
    QPushButton* m_zoomIn = nullptr;
    QPushButton* m_zoomOut = nullptr;
};

} // namespace fw::preview
