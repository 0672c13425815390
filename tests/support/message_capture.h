#pragma once
// Records every message the application layer shows and answers with a
// chosen button; records halts instead of ending the test program.

#include <functional>
#include <string>
#include <vector>

#include "framework/app/message_presenter.h"

namespace test_support {

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();

    std::vector<fw::app::MessageRequest> messages;
    std::function<void()> onMessage; // called as each message is shown
    std::vector<std::string> halts;
    unsigned answer = fw::ui::Button::Ok;
};

} // namespace test_support
