#include "framework/core/text.h"

#include <cctype>
#include <charconv>

namespace fw::core {

std::string fitted(std::string_view s, std::size_t width)
{
    std::string out(s.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string upperCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::size_t instring(std::string_view needle, std::string_view haystack, std::size_t step, std::size_t start)
{
    if (needle.empty() || step == 0 || start == 0)
        return 0;
    for (std::size_t pos = start; pos + needle.size() - 1 <= haystack.size(); pos += step) {
        if (haystack.compare(pos - 1, needle.size(), needle) == 0)
            return pos;
    }
    return 0;
}

std::string toText(std::int64_t value) { return std::to_string(value); }

namespace {

// Parses the number toNumber and isNumeric agree on. Returns false when the
// text is not a number; `value` then holds 0.
bool parseNumber(std::string_view s, std::int32_t& value)
{
    value = 0;
    s = clip(trimLeft(s.substr(0, 100)));
    if (s.empty())
        return false;
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    std::uint64_t whole = 0; // kept modulo 2^64; the low 32 bits are what counts
    bool digits = false;
    std::size_t i = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        whole = whole * 10 + static_cast<std::uint64_t>(s[i] - '0');
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            digits = true;
    }
    if (!digits || i != s.size())
        return false;
    std::uint32_t low = static_cast<std::uint32_t>(whole);
    if (negative)
        low = ~low + 1u;
    value = static_cast<std::int32_t>(low);
    return true;
}

} // namespace

std::int32_t toNumber(std::string_view s)
{
    std::int32_t value = 0;
    parseNumber(s, value);
    return value;
}

bool isNumeric(std::string_view s)
{
    std::int32_t value = 0;
    return parseNumber(s, value);
}

} // namespace fw::core
