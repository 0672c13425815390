#include "framework/ui/message_box.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <ostream>

#include <gtest/gtest.h>

#include "framework/ui/qt/application.h"
#include "sample_layouts.h"
#include "tests/support/temp_folder.h"

extern char** environ;

namespace {

using fw::ui::Button::Abort;
using fw::ui::Button::Cancel;
using fw::ui::Button::Ignore;
using fw::ui::Button::No;
using fw::ui::Button::Ok;
using fw::ui::Button::Retry;
using fw::ui::Button::Yes;

struct BoxCase {
    const char* name;
    friend void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }
    const char* text;
    const char* caption;
    unsigned buttons;
    unsigned defaultButton;
    const char* written;
    unsigned answer;
};

class UiOffscreenMessage : public testing::TestWithParam<BoxCase> {};

// On the offscreen platform nobody can click: the box writes what it would
// show and answers with its default button.
TEST_P(UiOffscreenMessage, WritesCaptionAndLinesToStandardErrorAndAnswersTheDefault)
{
    fw::ui::startWindowSystem();
    const BoxCase& c = GetParam();
    testing::internal::CaptureStderr();
    const unsigned answer = fw::ui::message(c.text, c.caption, fw::ui::Icon::Exclamation, c.buttons, c.defaultButton);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.written);
    EXPECT_EQ(answer, c.answer);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Boxes, UiOffscreenMessage,
    testing::Values(
        BoxCase{"BarsBreakLines", "Error: (2)|attempting|to open", "View Open Error", Ok, 0,
                "View Open Error: Error: (2)\nattempting\nto open\n", Ok},
        BoxCase{"NoCaption", "Just text", "", Ok, 0, "Just text\n", Ok},
        BoxCase{"DefaultAmongTheButtons", "Rebuild?", "Key", Yes | No, No, "Key: Rebuild?\n", No},
        BoxCase{"DefaultNotAmongTheButtonsGivesTheFirst", "Go on?", "Q", Retry | Cancel, Ok, "Q: Go on?\n", Retry},
        BoxCase{"NoDefaultGivesTheFirstButton", "x", "c", Abort | Retry | Ignore, 0, "c: x\n", Abort},
        BoxCase{"NoButtonsMeansOk", "x", "c", 0, 0, "c: x\n", Ok},
        BoxCase{"TrailingBar", "end|", "c", Ok, 0, "c: end\n\n", Ok}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A program started without any display (no DISPLAY, no WAYLAND_DISPLAY, no
// platform chosen) comes up offscreen by itself, writes its message box to
// standard error and ends with exit code 0.
TEST(UiOffscreenFallback, ProgramWithoutDisplayWritesItsMessageBoxToStandardError)
{
    uitest::ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.starts_with("DISPLAY=") || entry.starts_with("WAYLAND_DISPLAY=") ||
            entry.starts_with("QT_QPA_PLATFORM="))
            continue;
        environment.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const std::string out = scratch.file("out.txt");
    const std::string err = scratch.file("err.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    char program[] = UI_OFFSCREEN_PROBE;
    char* argv[] = {program, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program, &actions, nullptr, argv, envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);

    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(test_support::readFile(out), "answer 4\n");
    EXPECT_EQ(test_support::readFile(err), "Probe: First line\nsecond line\n");
}

} // namespace
