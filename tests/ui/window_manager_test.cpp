#include "framework/ui/window_manager.h"

#include <memory>
#include <string>
#include <vector>

#include <ostream>

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

class UiWindowManager : public ::testing::Test {
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

TEST_F(UiWindowManager, CancelItemSetsTheResponseClosesTheWindowAndRunLeavesItInTheGlobalResponse)
{
    std::unique_ptr<Window> window;
    std::uint8_t result = 0, globalAfter = 0;
    bool done = false;
    fw::core::threadValues().response = 77;
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
    EXPECT_EQ(fw::core::threadValues().response, 77) << "thread 1 keeps its own response";
    fw::core::threadValues() = {};
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(trace, (std::vector<std::string>{"init", "window event 1", "accepted 4", "window event 4", "kill"}));
}

TEST_F(UiWindowManager, KillAfterKillStopsAtTheBase)
{
    auto window = makeProgress();
    ProgressManager manager(*window, trace);
    EXPECT_EQ(manager.kill(), 0);
    EXPECT_NE(manager.kill(), 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"kill"}));
}

TEST_F(UiWindowManager, FailedInitSkipsTheLoopButKillStillRuns)
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
    friend void PrintTo(const RouteCase& c, std::ostream* os) { *os << c.name; }
    Event event;
    int control;
    const char* handled;
};

class UiEventRouting : public UiWindowManager, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(UiEventRouting, ControlEventsAndWindowEventsGoToTheirOwnHandling)
{
    std::unique_ptr<Window> window;
    bool done = false;
    const auto thread = fw::threads::start([&] {
        window = makeProgress();
        ProgressManager manager(*window, trace);
        manager.endOnWindowAccepted = true;
        window->post(GetParam().event, GetParam().control);
        window->post(Event::Accepted, 0); // ends the loop
        (void)manager.run();              // the trace shows the run; its response is another test's
        done = true;
    });
    ASSERT_TRUE(waitFor([&] { return done; }));
    fw::threads::waitForThread(thread);
    ASSERT_EQ(trace.size(), 5u);
    EXPECT_EQ(trace[2], GetParam().handled);
    EXPECT_TRUE(window->isOpen()) << "ended by the handling, not by a close";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Events, UiEventRouting,
    ::testing::Values(RouteCase{"AcceptedControl", Event::Accepted, 4, "accepted 4"},
                      RouteCase{"AcceptedMenuItem", Event::Accepted, -3, "accepted -3"},
                      RouteCase{"Timer", Event::Timer, 0, "window event 3"},
                      RouteCase{"FocusLost", Event::FocusLost, 0, "window event 5"},
                      RouteCase{"AlertKey", Event::AlertKey, 0, "window event 6"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

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

TEST_F(UiWindowManager, ToolbarManagerSeesEventsFirst)
{
    auto window = makeProgress();
    ProgressManager manager(*window, trace);
    StoppingToolbar toolbar;
    manager.setToolbar(&toolbar);
    window->post(Event::Timer);
    (void)manager.run(); // the trace shows the run; its response is another test's
    EXPECT_EQ(toolbar.seen, 2);
    EXPECT_EQ(trace, (std::vector<std::string>{"init", "window event 1", "kill"}));
}

} // namespace

namespace {

// A notice as the demonstration has one: its own thread, a window manager
// whose window events close it on a click or the loss of the focus. The
// test finds its window from outside, as a test of a program would.
class NoticeManager : public WindowManager {
public:
    using WindowManager::WindowManager;
    std::uint8_t init() override
    {
        if (const std::uint8_t level = WindowManager::init())
            return level;
        window().open();
        opened = true;
        window().setTimer(0);
        window().setAlertKey(255, KeyCode::MouseLeft);
        window().setAlertKey(254, KeyCode::MouseLeftDouble);
        window().setAlertKey(253, KeyCode::MouseRight);
        setAlerts();
        return 0;
    }
    std::uint8_t takeWindowEvent() override
    {
        const std::uint8_t level = WindowManager::takeWindowEvent();
        const Event e = window().event();
        const int key = window().keyCode();
        if ((e == Event::AlertKey && (key == 1 || key == 5 || key == 2)) || e == Event::FocusLost)
            postEvent(fw::threads::currentThread(), Event::CloseWindow);
        return level;
    }
};

enum class Leave { Click, RightClick, DoubleClick, FocusLost, PostedByTheFrame };

struct NoticeCase {
    const char* name;
    friend void PrintTo(const NoticeCase& c, std::ostream* os) { *os << c.name; }
    Leave leave;
};

class UiNotice : public ::testing::TestWithParam<NoticeCase> {};

TEST_P(UiNotice, ClosesAndItsThreadEnds)
{
    uitest::ScratchFolder scratch;
    uitest::writePictures(scratch.path());
    registerLayout(uitest::noticeLayout());
    std::uint8_t response = 99;
    const auto notice = fw::threads::start([&] {
        auto window = std::move(*Window::create("P1$WINDOW", "uitest$notice"));
        NoticeManager manager(*window);
        manager.response = 0;
        response = manager.run();
    });
    Window* window = drive::waitForWindow("P1$WINDOW", "uitest$notice");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(drive::waitUntilShown(*window));
    ASSERT_TRUE(waitFor([&] { return drive::isActive(*window); }));
    // clang-format off
    switch (GetParam().leave) {
    case Leave::Click: drive::clickWindow(*window, drive::Mouse::Left); break;
    case Leave::RightClick: drive::clickWindow(*window, drive::Mouse::Right); break;
    case Leave::DoubleClick: drive::clickWindow(*window, drive::Mouse::LeftDouble); break;
    case Leave::FocusLost: drive::takeFocusAway(); break;
    case Leave::PostedByTheFrame: postEvent(notice, Event::CloseWindow); break;
    }
    // clang-format on
    EXPECT_TRUE(waitFor([&] { return !fw::threads::isAlive(notice); }));
    drive::giveFocusBack();
    EXPECT_EQ(response, 0);
    EXPECT_EQ(drive::findWindow("P1$WINDOW", "uitest$notice"), nullptr);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Leaving, UiNotice,
                         ::testing::Values(NoticeCase{"Click", Leave::Click}, NoticeCase{"RightClick", Leave::RightClick},
                                           NoticeCase{"DoubleClick", Leave::DoubleClick},
                                           NoticeCase{"FocusLost", Leave::FocusLost},
                                           NoticeCase{"PostedByTheFrame", Leave::PostedByTheFrame}),
                         [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
