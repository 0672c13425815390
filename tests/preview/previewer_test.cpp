// The previewer on Qt's offscreen platform: the replaceable display
// operation, the preview window (pages, navigation, zoom), the Print action
// through the real print dialog, and printing to a PDF file read back with
// pdftotext.

#include "framework/preview/previewer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMetaObject>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>

#include <gtest/gtest.h>

#include "framework/preview/qt/preview_window.h"
#include "framework/threads/scheduler.h"
#include "tests/preview/application.h"
#include "tests/preview/wmf_bytes.h"
#include "tests/support/temp_folder.h"

// Sizes in failure messages as width x height.
void PrintTo(const QSize& size, std::ostream* out) { *out << size.width() << "x" << size.height(); }

namespace fw::preview {
namespace {

using test::WmfBytes;

// A frame (filled with the default white brush) and the text inside it.
std::vector<std::uint8_t> pageWithText(std::string_view text)
{
    return WmfBytes(8270, 11690)
        .bkMode(1)
        .font(-300, "Arial", 700)
        .pen(0, 20, 0)
        .select(1)
        .rectangle(800, 800, 7470, 10890)
        .select(0)
        .textOut(1000, 1000, text)
        .end()
        .bytes();
}

// The output of pdftotext for the file, pages separated by form feeds.
std::string pdfText(const std::string& pdf)
{
    if (!std::filesystem::exists("/usr/bin/pdftotext")) {
        ADD_FAILURE() << "pdftotext is missing: install poppler-utils";
        return {};
    }
    const std::string command = "pdftotext -layout '" + pdf + "' - 2>&1";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buf[4096];
        while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe))
            text.append(buf, n);
        pclose(pipe);
    }
    return text;
}

std::size_t count(const std::string& text, char c) { return std::size_t(std::count(text.begin(), text.end(), c)); }

class PreviewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pdf = m_folder.file("printed.pdf");
        m_pdfVariable.emplace(PrintPdfVariable, m_pdf);
    }
    void TearDown() override { m_pdfVariable.reset(); }

    // Writes the page files and appends their names to the previewer's queue.
    void addPages(Previewer& previewer, const std::vector<std::vector<std::uint8_t>>& pages)
    {
        for (const auto& bytes : pages) {
            const std::string name = m_folder.file("page") + std::to_string(++m_written) + ".wmf";
            std::ofstream out(name, std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
            previewer.pageQueue().append(report::PageEntry{core::Text<256>(name)});
        }
    }

    test_support::TempFolder m_folder{"preview-test"};
    std::string m_pdf;
    std::optional<test_support::ScopedEnv> m_pdfVariable;
    int m_written = 0;
};

template <class T>
T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// ---------------------------------------------------------------------------
// The replaceable operation.

TEST_F(PreviewerTest, SetDisplayOperationReplacesTheWindow)
{
    Previewer previewer;
    addPages(previewer, {pageWithText("one"), pageWithText("two")});
    std::vector<std::size_t> calls;
    previewer.setDisplayOperation([&](const report::PageQueue& pages) -> std::uint8_t {
        calls.push_back(pages.count());
        return 7;
    });
    EXPECT_EQ(previewer.display(previewer.pageQueue()), 7);
    EXPECT_EQ(calls, std::vector<std::size_t>{2});
    EXPECT_EQ(test::findVisibleTopLevel("fw::preview::PreviewWindow"), nullptr);
}

// A report's own previewer overrides display and, in its print mode, hands
// over to the previewer's own window, passing its result on.
class ReportPreviewer : public Previewer {
public:
    std::uint8_t display(const report::PageQueue& pages) override
    {
        ++calls;
        return ownDisplay(pages);
    }
    int calls = 0;
};

TEST_F(PreviewerTest, OverriddenDisplayCanCallTheOwnWindow)
{
    ReportPreviewer previewer;
    addPages(previewer, {pageWithText("one")});
    test::Watchdog watchdog;
    bool shown = false;
    test::whenRunning([&] {
        auto* window = test::visibleWindow<PreviewWindow>();
        ASSERT_NE(window, nullptr);
        shown = true;
        child<QPushButton>(window, "close")->click();
    });
    EXPECT_EQ(previewer.display(previewer.pageQueue()), 0);
    EXPECT_TRUE(shown);
    EXPECT_EQ(previewer.calls, 1);
}

// The window waits as its framework thread does: other threads run while it
// is open, and one of them may close it.
TEST_F(PreviewerTest, WindowIsAWaitOfItsFrameworkThread)
{
    Previewer previewer;
    addPages(previewer, {pageWithText("one")});
    test::Watchdog watchdog;
    std::optional<std::uint8_t> result;
    threads::ThreadNumber previewThread = 0;
    threads::ThreadNumber seenOn = 0;
    previewThread = threads::start([&] { result = previewer.ownDisplay(previewer.pageQueue()); });
    const threads::ThreadNumber other = threads::start([&] {
        threads::waitUntil([] { return test::visibleWindow<PreviewWindow>() != nullptr; });
        seenOn = threads::currentThread();
        EXPECT_TRUE(threads::isAlive(previewThread));
        EXPECT_FALSE(result.has_value());
        test::visibleWindow<PreviewWindow>()->reject();
    });
    threads::waitForThread(previewThread);
    threads::waitForThread(other);
    EXPECT_EQ(seenOn, other);
    EXPECT_EQ(result, std::optional<std::uint8_t>(0));
}

// ---------------------------------------------------------------------------
// The window.

TEST_F(PreviewerTest, WindowShowsThePagesAndPagesThroughThem)
{
    Previewer previewer;
    addPages(previewer, {pageWithText("one"), pageWithText("two"), {1, 2, 3}});
    test::Watchdog watchdog;
    std::vector<std::string> labels;
    test::whenRunning([&] {
        auto* window = test::visibleWindow<PreviewWindow>();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Print Preview");
        EXPECT_EQ(window->pageCount(), 3);
        auto* label = child<QLabel>(window, "pageLabel");
        auto* next = child<QPushButton>(window, "nextPage");
        auto* previous = child<QPushButton>(window, "previousPage");
        labels.push_back(label->text().toStdString());
        EXPECT_FALSE(previous->isEnabled());
        next->click();
        labels.push_back(label->text().toStdString());
        EXPECT_TRUE(window->page(2).has_value());
        next->click();
        labels.push_back(label->text().toStdString());
        EXPECT_FALSE(next->isEnabled());
        // The third file is no metafile: it is shown as the error page.
        EXPECT_FALSE(window->page(3).has_value());
        previous->click();
        labels.push_back(label->text().toStdString());

        // What the page view shows is the page, painted.
        QWidget* view = child<QWidget>(window, "pageView");
        const QImage shot = view->grab().toImage();
        EXPECT_EQ(shot.size(), window->pageSize());
        EXPECT_EQ(shot.pixelColor(2, 2), QColor(Qt::white));
        int dark = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                dark += shot.pixelColor(x, y).lightness() < 128;
        EXPECT_GT(dark, 0);
        window->reject();
    });
    EXPECT_EQ(previewer.ownDisplay(previewer.pageQueue()), 0);
    EXPECT_EQ(labels, (std::vector<std::string>{"Page 1 of 3", "Page 2 of 3", "Page 3 of 3", "Page 2 of 3"}));
}

TEST_F(PreviewerTest, ZoomWhenAllowed)
{
    Previewer previewer;
    previewer.setZoom(Zoom::Allowed);
    addPages(previewer, {pageWithText("one")});
    test::Watchdog watchdog;
    test::whenRunning([&] {
        auto* window = test::visibleWindow<PreviewWindow>();
        ASSERT_NE(window, nullptr);
        auto* zoom = child<QComboBox>(window, "zoom");
        EXPECT_TRUE(zoom->isVisible());
        EXPECT_EQ(zoom->currentText(), "Whole page");

        // The whole page fits the window.
        const QSize room = child<QScrollArea>(window, "pageArea")->viewport()->size();
        EXPECT_LE(window->pageSize().width(), room.width());
        EXPECT_LE(window->pageSize().height(), room.height());

        window->setZoomFactor(1);
        const QSize full = window->pageSize();
        EXPECT_NEAR(full.width(), 8.27 * window->logicalDpiX(), 1);
        EXPECT_EQ(zoom->currentText(), "100%");
        child<QPushButton>(window, "zoomIn")->click();
        EXPECT_EQ(window->zoomFactor(), 1.5);
        child<QPushButton>(window, "zoomIn")->click();
        EXPECT_EQ(zoom->currentText(), "200%");
        EXPECT_NEAR(window->pageSize().width(), 2 * full.width(), 1);
        EXPECT_NEAR(window->pageSize().height(), 2 * full.height(), 1);
        EXPECT_EQ(child<QWidget>(window, "pageView")->size(), window->pageSize());
        child<QPushButton>(window, "zoomOut")->click();
        EXPECT_EQ(window->zoomFactor(), 1.5);

        // The list sets any of its factors.
        zoom->setCurrentIndex(1);
        emit zoom->activated(1);
        EXPECT_EQ(window->zoomFactor(), 0.5);
        EXPECT_NEAR(window->pageSize().width(), full.width() / 2, 1);
        window->reject();
    });
    EXPECT_EQ(previewer.ownDisplay(previewer.pageQueue()), 0);
}

// ---------------------------------------------------------------------------
// The whole page fills the room the window has for it: as the window first
// shows, and after every resize. The room is the scroll area's viewport less
// the grey margin; the page fills it in one direction, to a pixel or two, and
// stays inside it in the other.

struct FitRow {
    const char* name;
    Zoom zoom;
    double detour; // a zoom factor chosen before "Whole page" again; 0: none

    friend void PrintTo(const FitRow& row, std::ostream* out) { *out << row.name; }
};

class PreviewFitsTheRoom : public PreviewerTest, public ::testing::WithParamInterface<FitRow> {};

// Lets the window system deliver a resize and the layouts that follow it.
void settle(QWidget& window, QSize size)
{
    for (int i = 0; i < 200 && window.size() != size; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// The extent of what is painted over the viewport's background along its
// middle row and its middle column: the page as a person sees it. The corner
// is always background: the page keeps a margin.
QSize paintedPage(QWidget& viewport)
{
    const QImage shot = viewport.grab().toImage();
    const QColor grey = shot.pixelColor(0, 0);
    auto extent = [&](int length, auto pixel) {
        int first = -1, last = -1;
        for (int i = 0; i < length; ++i)
            if (pixel(i) != grey) {
                if (first < 0)
                    first = i;
                last = i;
            }
        return first < 0 ? 0 : last - first + 1;
    };
    return QSize(extent(shot.width(), [&](int x) { return shot.pixelColor(x, shot.height() / 2); }),
                 extent(shot.height(), [&](int y) { return shot.pixelColor(shot.width() / 2, y); }));
}

// Which way the page fills the room: across (its width is the room's) or
// down (its height is).
enum class Fills { Either, Across, Down };

void expectPageFillsTheRoom(PreviewWindow& window, const std::string& when, Fills fills = Fills::Either)
{
    SCOPED_TRACE(when);
    QWidget* viewport = child<QScrollArea>(&window, "pageArea")->viewport();
    const QSize room = viewport->size() - QSize(2 * PreviewWindow::PageMargin, 2 * PreviewWindow::PageMargin);
    const QSize view = child<QWidget>(&window, "pageView")->size();
    EXPECT_EQ(paintedPage(*viewport), view) << "the page view is what shows over the background";
    EXPECT_LE(view.width(), room.width() + 1);
    EXPECT_LE(view.height(), room.height() + 1);
    const int spareAcross = room.width() - view.width();
    const int spareDown = room.height() - view.height();
    const std::string sizes = "room " + ::testing::PrintToString(room) + ", page " + ::testing::PrintToString(view);
    // clang-format off
    switch (fills) {
    case Fills::Either: EXPECT_LE(std::min(spareAcross, spareDown), 2) << sizes; break;
    case Fills::Across: EXPECT_LE(spareAcross, 2) << sizes; break;
    case Fills::Down: EXPECT_LE(spareDown, 2) << sizes; break;
    }
    // clang-format on
    // A4 portrait keeps its proportions.
    EXPECT_NEAR(double(view.height()) / view.width(), 11690.0 / 8270, 0.01) << sizes;
}

// Screenshots of the window for a person to look at, kept in the build tree.
void keepScreenshot(QWidget& window, const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(REPORTMAIL_BINARY_DIR) / "tests/preview/screenshots";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / (name + ".png")).string();
    EXPECT_TRUE(window.grab().save(QString::fromStdString(file), "PNG")) << file;
}

TEST_P(PreviewFitsTheRoom, AtFirstShowAndAfterEachResize)
{
    const FitRow& row = GetParam();
    Previewer previewer;
    previewer.setZoom(row.zoom);
    addPages(previewer, {pageWithText("one"), pageWithText("two")});
    test::Watchdog watchdog;
    bool checked = false;
    test::whenRunning([&] {
        auto* window = test::visibleWindow<PreviewWindow>();
        ASSERT_NE(window, nullptr);
        if (row.detour != 0) {
            window->setZoomFactor(row.detour);
            settle(*window, window->size());
            auto* zoom = child<QComboBox>(window, "zoom");
            zoom->setCurrentIndex(0);
            emit zoom->activated(0);
            settle(*window, window->size());
        }
        EXPECT_EQ(window->zoomFactor(), 0);
        keepScreenshot(*window, std::string(row.name) + "-first-show");
        expectPageFillsTheRoom(*window, "first show");

        // Tall and narrow, the page fills the width; wide, the height.
        const struct {
            QSize size;
            Fills fills;
        } resizes[] = {
            {QSize(760, 1300), Fills::Across}, {QSize(1100, 560), Fills::Down}, {QSize(900, 1000), Fills::Down}};
        for (const auto& resize : resizes) {
            window->resize(resize.size);
            settle(*window, resize.size);
            ASSERT_EQ(window->size(), resize.size);
            expectPageFillsTheRoom(*window, "resized to " + ::testing::PrintToString(resize.size), resize.fills);
        }
        // Another page of the same size keeps the fit.
        child<QPushButton>(window, "nextPage")->click();
        expectPageFillsTheRoom(*window, "next page");
        keepScreenshot(*window, std::string(row.name) + "-resized");
        checked = true;
        window->reject();
    });
    EXPECT_EQ(previewer.ownDisplay(previewer.pageQueue()), 0);
    EXPECT_TRUE(checked);
}

INSTANTIATE_TEST_SUITE_P(WholePage, PreviewFitsTheRoom,
                         ::testing::Values(FitRow{"ZoomAllowed", Zoom::Allowed, 0},
                                           FitRow{"ZoomDisallowed", Zoom::Disallowed, 0},
                                           FitRow{"BackFrom200Percent", Zoom::Allowed, 2}),
                         [](const ::testing::TestParamInfo<FitRow>& info) { return std::string(info.param.name); });

TEST_F(PreviewerTest, NoZoomWhenNotAllowed)
{
    Previewer previewer;
    addPages(previewer, {pageWithText("one")});
    test::Watchdog watchdog;
    test::whenRunning([&] {
        auto* window = test::visibleWindow<PreviewWindow>();
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->isZoomAllowed());
        EXPECT_FALSE(child<QComboBox>(window, "zoom")->isVisible());
        EXPECT_FALSE(child<QPushButton>(window, "zoomIn")->isVisible());
        const QSize whole = window->pageSize();
        window->setZoomFactor(2);
        window->zoomIn();
        EXPECT_EQ(window->zoomFactor(), 0);
        EXPECT_EQ(window->pageSize(), whole);
        window->reject();
    });
    EXPECT_EQ(previewer.ownDisplay(previewer.pageQueue()), 0);
}

// ---------------------------------------------------------------------------
// Printing.

TEST_F(PreviewerTest, PrintActionChoosesThePrinterAndPrintPrintsThePages)
{
    Previewer previewer;
    addPages(previewer, {pageWithText("First page text"), pageWithText("Second page text")});
    test::Watchdog watchdog;
    bool dialogSeen = false;
    test::whenRunning([&] {
        auto* window = test::visibleWindow<PreviewWindow>();
        ASSERT_NE(window, nullptr);
        // The print dialog runs its own loop: accept it from inside that loop.
        test::whenRunning([&] {
            auto* dialog = test::visibleWindow<QPrintDialog>();
            ASSERT_NE(dialog, nullptr);
            dialogSeen = true;
            // Preset from the environment: print to the PDF file.
            EXPECT_EQ(dialog->printer()->outputFileName().toStdString(), m_pdf);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        child<QPushButton>(window, "print")->click();
    });
    EXPECT_EQ(previewer.display(previewer.pageQueue()), 1);
    EXPECT_TRUE(dialogSeen);

    // The window does not print: the report manager calls print().
    EXPECT_FALSE(std::filesystem::exists(m_pdf));
    ASSERT_TRUE(previewer.print(previewer.pageQueue()).has_value());
    const std::string text = pdfText(m_pdf);
    EXPECT_NE(text.find("First page text"), std::string::npos) << text;
    EXPECT_NE(text.find("Second page text"), std::string::npos) << text;
    EXPECT_LT(text.find("First page text"), text.find("Second page text"));
    EXPECT_EQ(count(text, '\f'), 2u) << "one sheet a page";
}

TEST_F(PreviewerTest, PrintWithoutAWindowGoesToThePdfOfTheEnvironment)
{
    Previewer previewer;
    addPages(previewer, {pageWithText("Only page"), {0xD7, 0xCD, 0xC6, 0x9A}});
    ASSERT_TRUE(previewer.print(previewer.pageQueue()).has_value());
    const std::string text = pdfText(m_pdf);
    EXPECT_NE(text.find("Only page"), std::string::npos) << text;
    // A page that cannot be read prints as its error page.
    EXPECT_NE(text.find("This page cannot be shown."), std::string::npos) << text;
    EXPECT_EQ(count(text, '\f'), 2u);
}

TEST_F(PreviewerTest, PrintingAnEmptyQueueMakesNoFile)
{
    Previewer previewer;
    ASSERT_TRUE(previewer.print(previewer.pageQueue()).has_value());
    EXPECT_FALSE(std::filesystem::exists(m_pdf));
}

TEST_F(PreviewerTest, APdfThatCannotBeWrittenIsAnError)
{
    const std::string pdf = m_folder.file("no such folder/out.pdf");
    setenv(PrintPdfVariable, pdf.c_str(), 1);
    Previewer previewer;
    addPages(previewer, {pageWithText("one")});
    const auto printed = previewer.print(previewer.pageQueue());
    ASSERT_FALSE(printed.has_value());
    EXPECT_EQ(printed.error().text(), "Previewer: the PDF file " + pdf + " cannot be opened for printing");
}

} // namespace
} // namespace fw::preview
