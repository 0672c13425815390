#include "framework/preview/qt/preview_window.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include "framework/preview/qt/page_painter.h"
#include "framework/preview/qt/wmf_painter.h"
#include "framework/preview/wmf_parser.h"
#include "framework/ui/qt/modal.h"

namespace fw::preview {

// Paints one page over its whole area; the window sizes it for the zoom.
class PageView : public QWidget {
public:
    explicit PageView(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("pageView")); }

    void setPage(const core::Expected<WmfDocument>* page)
    {
        m_page = page;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (m_page)
            paintPage(painter, *m_page, QRectF(rect()));
        else
            painter.fillRect(rect(), Qt::white);
    }

private:
    const core::Expected<WmfDocument>* m_page = nullptr;
};

namespace {

constexpr int GroupSpacing = 12; // between the page buttons and the zoom buttons, in pixels

QString zoomText(double factor)
{
    if (factor == 0)
        return QStringLiteral("Whole page");
    return QString::number(int(std::lround(factor * 100))) + QLatin1Char('%');
}

} // namespace

PreviewWindow::PreviewWindow(const report::PageQueue& pages, Zoom zoom, QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_printer(printer), m_zoomAllowed(zoom == Zoom::Allowed)
{
    setObjectName(QStringLiteral("previewWindow"));
    setWindowTitle(QStringLiteral("Print Preview"));
    for (const report::PageEntry& entry : pages) {
        const std::string_view name = entry.PRINTPREVIEWIMAGE.clippedView();
        m_names.push_back(QString::fromLocal8Bit(name.data(), qsizetype(name.size())));
    }
    m_pages.resize(m_names.size());

    auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    m_previous = button("previousPage", QStringLiteral("Previous"));
    m_next = button("nextPage", QStringLiteral("Next"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));
    m_zoomOut = button("zoomOut", QStringLiteral("Zoom Out"));
    m_zoomIn = button("zoomIn", QStringLiteral("Zoom In"));
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("zoom"));
    for (double f : ZoomFactors)
        m_zoom->addItem(zoomText(f), f);
    QPushButton* printButton = button("print", QStringLiteral("Print..."));
    QPushButton* closeButton = button("close", QStringLiteral("Close"));

    // A report that does not allow zooming shows whole pages only.
    m_zoom->setVisible(m_zoomAllowed);
    m_zoomIn->setVisible(m_zoomAllowed);
    m_zoomOut->setVisible(m_zoomAllowed);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_previous);
    bar->addWidget(m_pageLabel);
    bar->addWidget(m_next);
    bar->addSpacing(GroupSpacing);
    bar->addWidget(m_zoomOut);
    bar->addWidget(m_zoom);
    bar->addWidget(m_zoomIn);
    bar->addStretch(1);
    bar->addWidget(printButton);
    bar->addWidget(closeButton);

    m_view = new PageView(this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("pageArea"));
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);
    m_scroll->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_previous, &QPushButton::clicked, this, &PreviewWindow::previousPage);
    connect(m_next, &QPushButton::clicked, this, &PreviewWindow::nextPage);
    connect(m_zoomIn, &QPushButton::clicked, this, &PreviewWindow::zoomIn);
    connect(m_zoomOut, &QPushButton::clicked, this, &PreviewWindow::zoomOut);
    connect(m_zoom, &QComboBox::activated, this,
            [this](int index) { setZoomFactor(m_zoom->itemData(index).toDouble()); });
    connect(printButton, &QPushButton::clicked, this, &PreviewWindow::print);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    new QShortcut(QKeySequence(Qt::Key_PageDown), this, this, &PreviewWindow::nextPage);
    new QShortcut(QKeySequence(Qt::Key_PageUp), this, this, &PreviewWindow::previousPage);

    resize(900, 1000);
    updateView();
}

PreviewWindow::~PreviewWindow() = default;

const core::Expected<WmfDocument>& PreviewWindow::page(int page)
{
    auto& slot = m_pages.at(std::size_t(page - 1));
    if (!slot)
        slot = loadWmf(m_names[std::size_t(page - 1)].toLocal8Bit().toStdString());
    return *slot;
}

void PreviewWindow::showPage(int page)
{
    if (m_names.empty())
        return;
    m_current = std::clamp(page, 1, pageCount()) - 1;
    updateView();
}

void PreviewWindow::nextPage() { showPage(currentPage() + 1); }
void PreviewWindow::previousPage() { showPage(currentPage() - 1); }

void PreviewWindow::setZoomFactor(double factor)
{
    if (!m_zoomAllowed)
        return;
    const auto* known = std::find(std::begin(ZoomFactors), std::end(ZoomFactors), factor);
    if (known == std::end(ZoomFactors))
        return;
    m_zoomFactor = factor;
    updateView();
}

int PreviewWindow::zoomIndex() const
{
    return int(std::find(std::begin(ZoomFactors), std::end(ZoomFactors), m_zoomFactor) - std::begin(ZoomFactors));
}

void PreviewWindow::zoomIn()
{
    const int i = zoomIndex();
    if (m_zoomFactor == 0) {
        // From the whole page, the next step is the first factor above the
        // one the window fits.
        const QSize fitted = pageSize();
        const QSizeF inches = m_names.empty() ? QSizeF(ErrorPageWidthInches, ErrorPageHeightInches)
                                              : pageSizeInches(page(currentPage()));
        const double fit = fitted.width() / (inches.width() * logicalDpiX());
        for (double f : ZoomFactors)
            if (f > fit) {
                setZoomFactor(f);
                return;
            }
        return;
    }
    if (i + 1 < int(std::size(ZoomFactors)))
        setZoomFactor(ZoomFactors[i + 1]);
}

void PreviewWindow::zoomOut()
{
    const int i = zoomIndex();
    if (i > 1)
        setZoomFactor(ZoomFactors[i - 1]);
    else
        setZoomFactor(0);
}

QSize PreviewWindow::pageSize() const
{
    const QSizeF inches = m_names.empty() || !m_pages[std::size_t(m_current)]
                              ? QSizeF(ErrorPageWidthInches, ErrorPageHeightInches)
                              : pageSizeInches(*m_pages[std::size_t(m_current)]);
    QSizeF size(inches.width() * logicalDpiX(), inches.height() * logicalDpiY());
    if (m_zoomFactor == 0) {
        const QSize room = m_scroll->viewport()->size() - QSize(2 * PageMargin, 2 * PageMargin);
        size.scale(QSizeF(std::max(room.width(), 16), std::max(room.height(), 16)), Qt::KeepAspectRatio);
    } else {
        size *= m_zoomFactor;
    }
    return QSize(std::max(1, int(std::lround(size.width()))), std::max(1, int(std::lround(size.height()))));
}

void PreviewWindow::updateView()
{
    if (m_names.empty()) {
        m_pageLabel->setText(QStringLiteral("No pages"));
        m_view->setPage(nullptr);
    } else {
        const core::Expected<WmfDocument>& shown = page(currentPage());
        m_pageLabel->setText(QStringLiteral("Page %1 of %2").arg(currentPage()).arg(pageCount()));
        m_view->setPage(&shown);
    }
    m_previous->setEnabled(currentPage() > 1);
    m_next->setEnabled(currentPage() < pageCount());
    m_zoom->setCurrentIndex(zoomIndex());
    m_zoomOut->setEnabled(m_zoomFactor != 0);
    m_zoomIn->setEnabled(m_zoomFactor != ZoomFactors[std::size(ZoomFactors) - 1]);
    m_view->resize(pageSize());
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The viewport has its new size when its resize event arrives; a page
    // fitted to it may add or drop scroll bars, which resizes the viewport
    // once more and fits the page again to the room that is then left.
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize && m_zoomFactor == 0)
        m_view->resize(pageSize());
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::print()
{
    // The dialog is a child of the window: if the window goes while the
    // dialog waits (another framework thread may run meanwhile), the dialog
    // goes with it, so neither is touched after the wait unless alive.
    auto* dialog = new QPrintDialog(&m_printer, this);
    dialog->setObjectName(QStringLiteral("printDialog"));
    const QPointer<PreviewWindow> self(this);
    const QPointer<QPrintDialog> guard(dialog);
    const int result = fw::ui::execModal(*dialog);
    if (!self)
        return;
    delete guard.data();
    if (result == QDialog::Accepted)
        accept();
}

} // namespace fw::preview
