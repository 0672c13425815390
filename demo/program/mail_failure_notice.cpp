#include "demo/program/mail_failure_notice.h"

#include "framework/app/message_presenter.h"
#include "framework/automation/failure_report.h"

namespace zorvane {

void showMailFailures(const std::vector<std::string>& failures)
{
    std::string text = MailFailureHeading;
    for (const std::string& failure : failures)
        text += "|" + failure;
    fw::app::presentMessage(fw::app::MessageRequest{text, MailFailureCaption, fw::ui::Icon::Exclamation,
                                                    fw::ui::Button::Ok, fw::ui::Button::Ok});
}

void registerMailFailureNotice() { fw::automation::setFailureNotice(&showMailFailures); }

} // namespace zorvane
