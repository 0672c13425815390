#include "framework/automation/automation_object.h"

namespace fw::automation {

std::string_view accessName(Access access)
{
    switch (access) {
    case Access::Get:
        return "get";
    case Access::Call:
        return "call";
    case Access::Set:
        return "set";
    }
    return "get";
}

bool sameMemberName(std::string_view name, std::string_view wanted)
{
    if (name.size() != wanted.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(name[i]) != lower(wanted[i]))
            return false;
    }
    return true;
}

AutomationObject::~AutomationObject() = default;

core::Expected<Result> AutomationObject::invoke(const MemberText& text, Access access, const Value& value)
{
    // The parser never gives an empty chain, but an object must not trust
    // its caller with an index.
    if (text.members.empty())
        return core::fail(std::string(objectName()), "no member is named");
    ObjectPtr target = shared_from_this();
    for (std::size_t i = 0; i + 1 < text.members.size(); ++i) {
        auto step = target->getMember(text.members[i]);
        if (!step)
            return std::unexpected(step.error());
        if (!step->object)
            return core::fail(std::string(target->objectName()),
                              "member " + text.members[i].name + " is not an object");
        target = step->object;
    }
    const Member& last = text.members.back();
    if (access == Access::Set) {
        auto done = target->setMember(last, value);
        if (!done)
            return std::unexpected(done.error());
        return Result{};
    }
    return target->getMember(last);
}

void AutomationObject::deactivateInPlace(const Value&) {}

core::Expected<Result> AutomationObject::getMember(const Member& member) { return unknownMember(member); }

core::Expected<void> AutomationObject::setMember(const Member& member, const Value&) { return unknownMember(member); }

std::string_view AutomationObject::objectName() const { return "automation object"; }

std::unexpected<core::Error> AutomationObject::unknownMember(const Member& member) const
{
    return core::fail(std::string(objectName()), "has no member " + member.name);
}

std::unexpected<core::Error> AutomationObject::wrongArguments(const Member& member, std::string_view expected) const
{
    return core::fail(std::string(objectName()), member.name + " takes " + std::string(expected));
}

} // namespace fw::automation
