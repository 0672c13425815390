#include "framework/ui/window_manager.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/thread_values.h"
#include "framework/ui/drive/window_driver.h"
#include "framework/ui/toolbar_manager.h"
#include "framework/ui/window.h"
#include "sample_layouts.h"

namespace {

using namespace fw::ui;
using fw::ui::drive::waitFor;

// A window procedure as the programs write them: Init and Kill replaced,
// each calling the base first and stopping on its non-zero result.
class ProgressManager : public WindowManager {
public:
    ProgressManager(Window& window, std::vector<std::string>& trace) : WindowManager(window), m_trace(trace) {}

    std::uint8_t init() override
    {
        request = fw::core::threadValues().request;
        if (const std::uint8_t level = WindowManager::init())
            return level;
        if (failInit)
            return 1;
        m_trace.push_back("init");
        window().open();
        opened = true;
        addItem(4, Action::Cancel);
        return 0;
    }
    std::uint8_t kill() override
    {
        if (const std::uint8_t level = WindowManager::kill())
            return level;
        m_trace.push_back("kill");
        return 0;
    }
    std::uint8_t takeAccepted() override
    {
        if (const std::uint8_t level = WindowManager::takeAccepted())
            return level;
        m_trace.push_back("accepted " + std::to_string(window().accepted()));
        return 0;
    }
    std::uint8_t takeWindowEvent() override
    {
        if (const std::uint8_t level = WindowManager::takeWindowEvent())
            return level;
        m_trace.push_back("window event " + std::to_string(static_cast<int>(window().event())));
        if (window().event() == Event::Accepted && window().accepted() == 0 && endOnWindowAccepted)
            return 3;
        return 0;
    }

    bool failInit = false;
    bool endOnWindowAccepted = false;

private:
    std::vector<std::string>& m_trace;
};

class WindowManagerTest : public ::testing::Test {
protected:
    std::unique_ptr<Window> makeProgress()
    {
        auto window = Window::create(uitest::progressLayout(), {fw::core::Binding::of(progress)});
        EXPECT_TRUE(window.has_value());
        return std::move(*window);
    }

    std::uint8_t progress = 0;
    std::vector<std::string> trace;
};

TEST_F(WindowManagerTest, cancelItemSetsTheResponseClosesTheWindowAndRunLeavesItInTheGlobalResponse)
{
    std::unique_ptr<Window> window;
    std::uint8_t result = 0, globalAfter = 0;
    bool done = false;
    const auto thread = fw::threads::start([&] {
        window = makeProgress();
        ProgressManager manager(*window, trace);
        result = manager.run();
        globalAfter = fw::core::threadValues().response;
        done = true;
    });
    ASSERT_TRUE(waitFor([&] { return window && window->isOpen(); }));
    ASSERT_TRUE(drive::waitUntilShown(*window));
    drive::clickButton(*window, 4);
    ASSERT_TRUE(waitFor([&] { return done; }));
    fw::threads::waitForThread(thread);

    EXPECT_EQ(result, Response::Cancelled);
    EXPECT_EQ(globalAfter, Response::Cancelled);
    EXPECT_EQ(fw::core::threadValues().response, 0) << "thread 1 keeps its own response";
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(trace, (std::vector<std::string>{"init", "window event 1", "accepted 4", "window event 4", "kill"}));
}

TEST_F(WindowManagerTest, killAfterKillStopsAtTheBase)
{
    auto window = makeProgress();
    ProgressManager manager(*window, trace);
    EXPECT_EQ(manager.kill(), 0);
    EXPECT_NE(manager.kill(), 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"kill"}));
}

TEST_F(WindowManagerTest, failedInitSkipsTheLoopButKillStillRuns)
{
    auto window = makeProgress();
    ProgressManager manager(*window, trace);
    manager.failInit = true;
    manager.response = 2;
    EXPECT_EQ(manager.run(), 2);
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(trace, (std::vector<std::string>{"kill"}));
}

// Events that belong to a control go to the accepted-control handling, all
// others to the window-event handling.
struct RouteCase {
    const char* name;
    Event event;
    int control;
    const char* handled;
};

class EventRouting : public WindowManagerTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(EventRouting, controlEventsAndWindowEventsGoToTheirOwnHandling)
{
    std::unique_ptr<Window> window;
    bool done = false;
    const auto thread = fw::threads::start([&] {
        window = makeProgress();
        ProgressManager manager(*window, trace);
        manager.endOnWindowAccepted = true;
        window->post(GetParam().event, GetParam().control);
        window->post(Event::Accepted, 0); // ends the loop
        manager.run();
        done = true;
    });
    ASSERT_TRUE(waitFor([&] { return done; }));
    fw::threads::waitForThread(thread);
    ASSERT_EQ(trace.size(), 5u);
    EXPECT_EQ(trace[2], GetParam().handled);
    EXPECT_TRUE(window->isOpen()) << "ended by the handling, not by a close";
}

INSTANTIATE_TEST_SUITE_P(
    Events, EventRouting,
    ::testing::Values(RouteCase{"AcceptedControl", Event::Accepted, 4, "accepted 4"},
                      RouteCase{"AcceptedMenuItem", Event::Accepted, -3, "accepted -3"},
                      RouteCase{"Timer", Event::Timer, 0, "window event 3"},
                      RouteCase{"FocusLost", Event::FocusLost, 0, "window event 5"},
                      RouteCase{"AlertKey", Event::AlertKey, 0, "window event 6"}),
    [](const auto& info) { return std::string(info.param.name); });

// The toolbar manager sees every event first; a non-zero answer ends it.
class StoppingToolbar : public ToolbarManager {
public:
    std::uint8_t takeEvent(Window&, const EventRecord& event) override
    {
        ++seen;
        return event.event == Event::Timer ? 3 : 0;
    }
    int seen = 0;
};

TEST_F(WindowManagerTest, toolbarManagerSeesEventsFirst)
{
    auto window = makeProgress();
    ProgressManager manager(*window, trace);
    StoppingToolbar toolbar;
    manager.setToolbar(&toolbar);
    window->post(Event::Timer);
    manager.run();
    EXPECT_EQ(toolbar.seen, 2);
    EXPECT_EQ(trace, (std::vector<std::string>{"init", "window event 1", "kill"}));
}

} // namespace
