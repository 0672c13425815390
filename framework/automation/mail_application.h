#pragma once
// The framework's own "Outlook.Application": the object that serves the
// mail member texts on this platform. Its one member is CreateItem(0),
// which gives a new mail item (mail_item.h); other item types do not exist
// here.

#include <string_view>

#include "framework/automation/automation_object.h"

namespace fw::automation {

inline constexpr std::string_view mailApplicationProgId = "Outlook.Application";

class MailApplication final : public AutomationObject {
protected:
    [[nodiscard]] core::Expected<Result> getMember(const Member& member) override;
    std::string_view objectName() const override { return "mail application"; }
};

// The factory the registry holds under mailApplicationProgId.
ObjectPtr createMailApplication();

} // namespace fw::automation
