#pragma once
// Where the application layer's messages and halts go.
//
// Every message of the error manager, the standard warnings and the stock
// file opener is shown through presentMessage(), which is the framework's
// message box unless a test installed a presenter that records the message
// and chooses the answer. halt() ends the program after showing its text;
// a test replaces it with a function that only records the text (and then
// the caller goes on and returns its error).

#include <functional>
#include <string>
#include <string_view>

#include "framework/ui/message_box.h"

namespace fw::app {

struct MessageRequest {
    std::string text;
    std::string caption;
    fw::ui::Icon icon = fw::ui::Icon::None;
    unsigned buttons = fw::ui::Button::Ok;
    unsigned defaultButton = 0;
};

// The button chosen.
unsigned presentMessage(const MessageRequest& request);

// Shows `text` and ends the program with exit code 1.
void halt(std::string_view text);

void setMessagePresenterForTesting(std::function<unsigned(const MessageRequest&)> presenter);
void setHaltForTesting(std::function<void(std::string_view text)> handler);

} // namespace fw::app
