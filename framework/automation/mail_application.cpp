#include "framework/automation/mail_application.h"

#include "framework/automation/mail_item.h"

namespace fw::automation {

core::Expected<Result> MailApplication::getMember(const Member& member)
{
    if (!sameMemberName(member.name, "CreateItem"))
        return unknownMember(member);
    const std::optional<std::int64_t> type = member.arguments.size() == 1 ? valueInteger(member.arguments[0])
                                                                          : std::nullopt;
    if (!type)
        return wrongArguments(member, "one number, the item type");
    if (*type != 0)
        return core::fail(std::string(objectName()),
                          "item type " + std::to_string(*type) + " is not served; 0 (mail item) is");
    return Result{Value{}, std::make_shared<MailItem>()};
}

ObjectPtr createMailApplication() { return std::make_shared<MailApplication>(); }

} // namespace fw::automation
