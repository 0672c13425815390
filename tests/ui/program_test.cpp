#include "framework/ui/program.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/command_line.h"
#include "framework/core/module_init.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/window.h"
#include "sample_layouts.h"

namespace {

using namespace fw::ui;

// When main returns, the windows of every thread close (their loops end and
// their procedures finish) before the modules' closing steps run; the exit
// code is 0.
TEST(UiProgram, AfterMainEveryWindowOfEveryThreadClosesBeforeTheModulesEnd)
{
    std::vector<std::string> trace;
    fw::core::registerModuleInitialiser(fw::core::ProgramModulePriority, [&](fw::core::ModuleStep step) {
        trace.push_back(step == fw::core::ModuleStep::Start ? "module start" : "module end");
    });
    WindowLayout layout = uitest::progressLayout();
    layout.controls.clear();

    std::unique_ptr<Window> own;
    char name[] = "program_test";
    char* argv[] = {name, nullptr};
    const int code = runProgram(1, argv, [&] {
        trace.push_back("main");
        for (const char* who : {"first", "second"}) {
            fw::threads::start([&trace, &layout, who] {
                auto window = std::move(*Window::create(layout));
                window->open();
                while (window->nextEvent()) {
                }
                trace.push_back(std::string(who) + " window closed");
            });
        }
        own = std::move(*Window::create(layout));
        own->open();
        // Let both threads open their windows, then leave main with all
        // three windows open.
        fw::threads::waitUntil([] { return openWindows().size() == 3; });
        trace.push_back("main returns");
    });

    EXPECT_EQ(code, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"module start", "main", "main returns", "first window closed",
                                               "second window closed", "module end"}));
    EXPECT_TRUE(openWindows().empty());
    EXPECT_FALSE(own->isOpen()) << "thread 1's own window as well";
}

} // namespace

namespace {

TEST(UiProgram, KeepsTheCommandLineForTheProgram)
{
    char name[] = "vextrel";
    char job[] = "12";
    char mode[] = "2";
    char call[] = "MakeHTMLFileBMKSW('out.html',3)";
    char* argv[] = {name, job, mode, call, nullptr};
    std::string seen;
    EXPECT_EQ(fw::ui::runProgram(4, argv, [&] { seen = fw::core::commandLine().text(); }), 0);
    EXPECT_EQ(seen, "12 2 MakeHTMLFileBMKSW('out.html',3)");
}

} // namespace
