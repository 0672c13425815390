#pragma once
// Records every message the application layer shows and answers with a
// chosen button; records halts instead of ending the test program.

#include <string>
#include <vector>

#include "framework/app/message_presenter.h"

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();

    std::vector<fw::app::MessageRequest> messages;
    std::vector<std::string> halts;
    unsigned answer = fw::ui::Button::Ok;
};
