#pragma once
// An object that member texts drive: what a ProgID creates, and what its
// members give back (a mail item, a recipient).
//
// The control hands an object the parsed text whose reference named it, and
// the object answers for the whole chain of members. The usual object only
// knows its own members: the default invoke() walks the chain, reading every
// member but the last as a property that must give an object, and accesses
// the last as asked. An object that wants to see the texts themselves (the
// recording object of the tests) overrides invoke().
//
// Member names are compared without regard to case, as automation servers do
// (the engine writes ".type" for a recipient's Type).

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/automation/member_text.h"
#include "framework/automation/value.h"
#include "framework/core/error.h"

namespace fw::automation {

class AutomationObject;
using ObjectPtr = std::shared_ptr<AutomationObject>;

// How a member text is used: get keeps the result (an object comes back as a
// reference text), call drops it, set assigns a value to the last member.
enum class Access : std::uint8_t { Get, Call, Set };

std::string_view accessName(Access access); // "get", "call", "set"

// What a member gives back: an object, or else a value (possibly nothing);
// and what went wrong without stopping it (a mail shown without part of
// it), which the control reports as failures of the text.
struct Result {
    Value value;
    ObjectPtr object;
    std::vector<core::Error> warnings = {};
};

class AutomationObject : public std::enable_shared_from_this<AutomationObject> {
public:
    virtual ~AutomationObject();

    // Runs `text` (whose reference, if any, named this object). `value` is
    // the value to assign for Access::Set and nothing otherwise.
    [[nodiscard]] virtual core::Expected<Result> invoke(const MemberText& text, Access access, const Value& value);

    // The control's in-place-deactivate property was set. Objects of this
    // platform show nothing inside the control, so the default does nothing.
    virtual void deactivateInPlace(const Value& value);

protected:
    // One member of this object, read (get and call alike: automation
    // servers treat a method and a property read the same way) or assigned.
    // The defaults refuse every member.
    [[nodiscard]] virtual core::Expected<Result> getMember(const Member& member);
    [[nodiscard]] virtual core::Expected<void> setMember(const Member& member, const Value& value);

    // The object's name in messages ("mail item").
    virtual std::string_view objectName() const;

    // Helpers for the members' own checks.
    [[nodiscard]] std::unexpected<core::Error> unknownMember(const Member& member) const;
    [[nodiscard]] std::unexpected<core::Error> wrongArguments(const Member& member, std::string_view expected) const;
};

// Whether `name` equals `wanted` without regard to ASCII case.
bool sameMemberName(std::string_view name, std::string_view wanted);

} // namespace fw::automation
