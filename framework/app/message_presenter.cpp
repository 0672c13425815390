#include "framework/app/message_presenter.h"

#include <cstdlib>

namespace fw::app {

namespace {

std::function<unsigned(const MessageRequest&)>& presenter()
{
    static std::function<unsigned(const MessageRequest&)> p;
    return p;
}

std::function<void(std::string_view)>& haltHandler()
{
    static std::function<void(std::string_view)> h;
    return h;
}

} // namespace

unsigned presentMessage(const MessageRequest& request)
{
    if (presenter())
        return presenter()(request);
    return fw::ui::message(request.text, request.caption, request.icon, request.buttons, request.defaultButton);
}

void halt(std::string_view text)
{
    if (haltHandler()) {
        haltHandler()(text);
        return;
    }
    presentMessage(MessageRequest{std::string(text), "Program Halted", fw::ui::Icon::Hand, fw::ui::Button::Ok,
                                  fw::ui::Button::Ok});
    std::exit(1);
}

void setMessagePresenterForTesting(std::function<unsigned(const MessageRequest&)> p) { presenter() = std::move(p); }

void setHaltForTesting(std::function<void(std::string_view)> handler) { haltHandler() = std::move(handler); }

} // namespace fw::app
