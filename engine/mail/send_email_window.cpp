#include "engine/mail/send_email_window.h"

#include "engine/global_data.h"

namespace engine {

using fw::ui::ControlKind;
using fw::ui::WindowLayout;

WindowLayout sendEmailWindowLayout(std::string_view moduleKey)
{
    // clang-format off
    return WindowLayout{
        .label = std::string(SendEmailWindowLabel),
        .moduleKey = std::string(moduleKey),
        .kind = fw::ui::WindowKind::Plain,
        .title = "Send email",
        .width = 78,
        .height = 93,
        .font = {.name = "MS Sans Serif", .points = 8, .weight = 400},
        .controls = {
            {.number = SendEmailOleControl, .kind = ControlKind::OleControl, .rect = {4, 4, 70, 85}},
        },
    };
    // clang-format on
}

void registerSendEmailWindow() { fw::ui::registerLayout(sendEmailWindowLayout(profile().sendEmailModuleKey)); }

} // namespace engine
