#pragma once
// The values that travel through member texts: nothing, a whole number or a
// text. Arguments written in a member text are numbers or double-quoted
// texts; a property is set to a number (a recipient's type, the importance)
// or a text (a subject, an HTML body). Objects convert between the two the
// way an automation server coerces its arguments: a number read as text is
// its decimal form, a text read as a number must hold a whole number.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace fw::automation {

using Value = std::variant<std::monostate, std::int64_t, std::string>;

// The value as text: a number in decimal, nothing as the empty text.
std::string valueText(const Value& value);

// The value as a whole number: a number as it is, a text when it holds
// (blanks around allowed) an optional sign and digits; nothing otherwise.
std::optional<std::int64_t> valueInteger(const Value& value);

// The value as a log or a message shows it: 42, "text", or "nothing".
std::string describeValue(const Value& value);

} // namespace fw::automation
