// Started by the tests without any display: shows a message box through the
// framework's program start and prints the button it answered with.
#include <cstdio>

#include "framework/ui/message_box.h"
#include "framework/ui/program.h"

int main(int argc, char** argv)
{
    return fw::ui::runProgram(argc, argv, [] {
        const unsigned chosen = fw::ui::message("First line|second line", "Probe", fw::ui::Icon::Exclamation,
                                                fw::ui::Button::Yes | fw::ui::Button::No, fw::ui::Button::No);
        std::printf("answer %u\n", chosen);
    });
}
