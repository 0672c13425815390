// Framework threads with windows: each runs its own event loop, and they
// take turns only where one waits.
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <gtest/gtest.h>

#include "framework/core/thread_values.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/drive/window_driver.h"
#include "framework/ui/qt/application.h"
#include "framework/ui/qt/modal.h"
#include "framework/ui/window.h"
#include "sample_layouts.h"

namespace {

using namespace fw::ui;
using fw::threads::ThreadNumber;
using fw::ui::drive::waitFor;
namespace drive = fw::ui::drive;

WindowLayout timedLayout(int hundredths)
{
    WindowLayout layout = uitest::progressLayout();
    layout.controls.clear();
    layout.timer = hundredths;
    return layout;
}

// Two procedures on two threads, each with its window and its timer: each
// handles its events to the end before the other runs, and each sees its own
// request and response.
TEST(UiThreadWindows, TwoProceduresInterleaveOnlyAtTheirWaitsAndKeepTheirOwnValues)
{
    std::vector<std::string> trace;
    int running = 0;
    bool overlapped = false;
    auto procedure = [&](std::string name, std::uint8_t request) {
        return [&, name, request] {
            fw::core::threadValues().request = request;
            auto window = std::move(*Window::create(timedLayout(1)));
            window->open();
            int ticks = 0;
            while (window->nextEvent()) {
                if (window->event() != Event::Timer)
                    continue;
                // From here to the next wait nobody else may run.
                ++running;
                overlapped = overlapped || running > 1;
                ++ticks;
                fw::core::threadValues().response = static_cast<std::uint8_t>(request + ticks);
                trace.push_back(name + " tick " + std::to_string(ticks) + " request " +
                                std::to_string(fw::core::threadValues().request) + " response " +
                                std::to_string(fw::core::threadValues().response));
                --running;
                if (ticks == 3)
                    window->post(Event::CloseWindow);
            }
        };
    };
    const ThreadNumber a = fw::threads::start(procedure("A", 10), 50000);
    const ThreadNumber b = fw::threads::start(procedure("B", 20), 50000);
    ASSERT_TRUE(waitFor([&] { return !fw::threads::isAlive(a) && !fw::threads::isAlive(b); }));

    EXPECT_FALSE(overlapped);
    std::vector<std::string> ofA, ofB;
    for (const std::string& line : trace)
        (line[0] == 'A' ? ofA : ofB).push_back(line);
    EXPECT_EQ(ofA, (std::vector<std::string>{"A tick 1 request 10 response 11", "A tick 2 request 10 response 12",
                                             "A tick 3 request 10 response 13"}));
    EXPECT_EQ(ofB, (std::vector<std::string>{"B tick 1 request 20 response 21", "B tick 2 request 20 response 22",
                                             "B tick 3 request 20 response 23"}));
    EXPECT_EQ(fw::core::threadValues().request, 0);
}

// The frame calls a report directly: its thread waits in the report's own
// window loop, and a thread started from there still gets its turn.
TEST(UiThreadWindows, ThreadStartedWhileAnotherWaitsInANestedLoopGetsItsTurn)
{
    std::vector<std::string> trace;
    std::unique_ptr<Window> frame;
    const ThreadNumber frameThread = fw::threads::start([&] {
        frame = std::move(*Window::create(timedLayout(0)));
        frame->open();
        while (frame->nextEvent()) {
            if (frame->event() == Event::Accepted && frame->accepted() == -7) {
                // The nested report: its own window and loop on this thread.
                auto report = std::move(*Window::create(timedLayout(0)));
                report->open();
                const ThreadNumber notice = fw::threads::start([&] {
                    trace.push_back("notice runs");
                    postEvent(frameThread, Event::CloseWindow); // reaches the report's window
                });
                while (report->nextEvent())
                    if (report->event() == Event::CloseWindow)
                        trace.push_back("report closes");
                trace.push_back(fw::threads::isAlive(notice) ? "notice alive" : "notice ended");
                frame->post(Event::CloseWindow);
            }
        }
        trace.push_back("frame ends");
    });
    ASSERT_TRUE(waitFor([&] { return frame && frame->isOpen(); }));
    frame->post(Event::Accepted, -7);
    ASSERT_TRUE(waitFor([&] { return !fw::threads::isAlive(frameThread); }));
    EXPECT_EQ(trace, (std::vector<std::string>{"notice runs", "report closes", "notice ended", "frame ends"}));
}

TEST(UiThreadWindows, PostedCloseWindowEndsTheOtherThreadsLoop)
{
    std::vector<EventRecord> seen;
    bool opened = false;
    const ThreadNumber notice = fw::threads::start([&] {
        auto window = std::move(*Window::create(timedLayout(0)));
        window->open();
        opened = true;
        while (window->nextEvent())
            seen.push_back(window->current());
    });
    ASSERT_TRUE(waitFor([&] { return opened; }));
    postEvent(notice, Event::CloseWindow);
    ASSERT_TRUE(waitFor([&] { return !fw::threads::isAlive(notice); }));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].event, Event::OpenWindow);
    EXPECT_EQ(seen[1].event, Event::CloseWindow);
    EXPECT_EQ(seen[1].control, 0);
}

// The frame may post to the notice's thread before the notice has opened
// its window: the event waits for that window.
TEST(UiThreadWindows, EventPostedBeforeTheThreadHasAWindowReachesItsFirstWindow)
{
    std::vector<Event> seen;
    const ThreadNumber notice = fw::threads::start([&] {
        auto window = std::move(*Window::create(timedLayout(0)));
        window->open();
        while (window->nextEvent())
            seen.push_back(window->event());
    });
    postEvent(notice, Event::CloseWindow);
    ASSERT_TRUE(waitFor([&] { return !fw::threads::isAlive(notice); }));
    EXPECT_EQ(seen, (std::vector<Event>{Event::OpenWindow, Event::CloseWindow}));
}

TEST(UiThreadWindows, PostToAnEndedThreadIsDropped)
{
    const ThreadNumber gone = fw::threads::start([] {});
    fw::threads::waitForThread(gone);
    postEvent(gone, Event::CloseWindow);
    auto window = std::move(*Window::create(timedLayout(0)));
    window->open();
    window->post(Event::Accepted, 1);
    ASSERT_TRUE(window->nextEvent());
    EXPECT_EQ(window->event(), Event::OpenWindow);
    ASSERT_TRUE(window->nextEvent());
    EXPECT_EQ(window->event(), Event::Accepted);
}

TEST(UiThreadWindows, CurrentWindowIsTheRunningThreadsLastOpened)
{
    auto mine = std::move(*Window::create(timedLayout(0)));
    mine->open();
    Window* seenThere = mine.get();
    std::uintptr_t handleThere = 1;
    const ThreadNumber other = fw::threads::start([&] {
        seenThere = currentWindow();
        handleThere = currentWindowHandle();
    });
    fw::threads::waitForThread(other);
    EXPECT_EQ(seenThere, nullptr);
    EXPECT_EQ(handleThere, 0u);
    EXPECT_EQ(currentWindow(), mine.get());
}

// A modal dialog is a wait of the thread that shows it: the other threads
// go on meanwhile.
TEST(UiThreadWindows, ModalDialogLetsOtherThreadsRun)
{
    startWindowSystem();
    int result = -1;
    bool otherRan = false;
    QDialog* shown = nullptr;
    const ThreadNumber asker = fw::threads::start([&] {
        auto window = std::move(*Window::create(timedLayout(0)));
        window->open();
        QDialog dialog;
        shown = &dialog;
        result = execModal(dialog);
        shown = nullptr;
    });
    const ThreadNumber other = fw::threads::start([&] {
        fw::threads::waitUntil([&] { return shown != nullptr; });
        otherRan = true;
    });
    ASSERT_TRUE(waitFor([&] { return otherRan && shown != nullptr && shown->isVisible(); }));
    EXPECT_TRUE(fw::threads::isAlive(asker));
    EXPECT_TRUE(drive::finishModalDialog(QDialog::Accepted));
    ASSERT_TRUE(waitFor([&] { return !fw::threads::isAlive(asker); }));
    fw::threads::waitForThread(other);
    EXPECT_EQ(result, QDialog::Accepted);
}

} // namespace
