#include "framework/automation/value.h"

#include <charconv>
#include <string_view>

namespace fw::automation {

std::string valueText(const Value& value)
{
    if (const auto* n = std::get_if<std::int64_t>(&value))
        return std::to_string(*n);
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    return {};
}

std::optional<std::int64_t> valueInteger(const Value& value)
{
    if (const auto* n = std::get_if<std::int64_t>(&value))
        return *n;
    const auto* s = std::get_if<std::string>(&value);
    if (!s)
        return std::nullopt;
    std::string_view t = *s;
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    std::int64_t n = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    return n;
}

std::string describeValue(const Value& value)
{
    if (std::holds_alternative<std::int64_t>(value))
        return valueText(value);
    if (const auto* s = std::get_if<std::string>(&value))
        return '"' + *s + '"';
    return "nothing";
}

} // namespace fw::automation
