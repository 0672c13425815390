#pragma once
// Member texts: how a caller names what it wants of an automation object.
//
// A member text is written the way the engine concatenates it:
//
//     CreateItem(0)
//     #12.Attachments.Add("C:\work\KR\Report.RTF",1,1,"Report.rtf")
//     #13.type
//     .Subject
//
// that is, an optional object reference (the text an earlier get returned),
// then members separated by dots, the last of which may carry an argument
// list. Without a reference the text may begin with the member name or with
// the dot (the engine writes ".Subject" when it has no mail item); both name
// a member of the control's own object.
//
//     text      := [reference] chain          trailing blanks are ignored
//     reference := "#" digit{1,18}
//     chain     := ["."] member {"." member}  the dot is required after a reference
//     member    := name ["(" [argument {"," argument}] ")"]
//     name      := letter {letter | digit | "_"}
//     argument  := ["-"] digit{1,18} | string
//     string    := '"' {character} '"'
//
// Nothing else is accepted: no blanks outside strings, no arguments on any
// member but the last (so no text can run a method on the way to another
// member), no nested references. A text that does not match is a failed call
// and nothing of it is executed.
//
// Strings come from data (a recipient, a file path) and are concatenated
// into the text without escaping, so they may hold any byte. A double quote
// ends a string only where the next character is a comma or the closing
// parenthesis; anywhere else it is part of the string. That keeps a quoted
// display name ('"Jane Doe" <jane@example.org>') intact, while a quote that
// data places before a comma or a parenthesis changes the argument count or
// leaves the text unparsable, and the object then refuses the call: data can
// never reach a member other than the one the text names.

#include <string>
#include <string_view>
#include <vector>

#include "framework/automation/value.h"
#include "framework/core/error.h"

namespace fw::automation {

struct Member {
    std::string name;             // as written; objects compare names without regard to case
    std::vector<Value> arguments; // numbers and texts, in order
};

struct MemberText {
    std::string text;      // the whole text, trailing blanks dropped
    std::string reference; // "#12", or empty when the text names the control's own object
    std::vector<Member> members;
};

// Parses a member text; a malformed text gives an error naming the position
// (1-based) and what was expected there.
[[nodiscard]] core::Expected<MemberText> parseMemberText(std::string_view text);

// Object references are "#" followed by at most 18 digits, so a reference
// text never exceeds 19 characters and fits the engine's 20-byte field.
inline constexpr std::size_t maxReferenceLength = 19;

} // namespace fw::automation
