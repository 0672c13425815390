#pragma once
// What the desktop names as the program for mail, fixed for a test: the
// desktop id for mailto: links and the one for message files, as
// `xdg-mime query default` would answer (empty: none), for the object's life.

#include <string>
#include <string_view>

#include "framework/automation/mail_handler.h"

namespace test_support {

class DesktopMailHandler {
public:
    explicit DesktopMailHandler(std::string mailto = {}, std::string messages = {})
    {
        fw::automation::setMailHandlerQueryForTesting(
            [mailto = std::move(mailto), messages = std::move(messages)](std::string_view type) {
                return type == "x-scheme-handler/mailto" ? mailto : type == "message/rfc822" ? messages : std::string();
            });
    }
    ~DesktopMailHandler() { fw::automation::setMailHandlerQueryForTesting({}); }
    DesktopMailHandler(const DesktopMailHandler&) = delete;
    DesktopMailHandler& operator=(const DesktopMailHandler&) = delete;
};

} // namespace test_support
