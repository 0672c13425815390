#include "tests/support/message_capture.h"

namespace test_support {

MessageCapture::MessageCapture()
{
    fw::app::setMessagePresenterForTesting([this](const fw::app::MessageRequest& r) {
        messages.push_back(r);
        if (onMessage)
            onMessage();
        return answer;
    });
    fw::app::setHaltForTesting([this](std::string_view text) { halts.emplace_back(text); });
}

MessageCapture::~MessageCapture()
{
    fw::app::setMessagePresenterForTesting({});
    fw::app::setHaltForTesting({});
}

} // namespace test_support
