#include "framework/core/picture.h"

#include <cctype>

#include "framework/core/date_time.h"
#include "framework/core/text.h"

namespace fw::core {

namespace {

// Wide enough for any text a report or window shows, small enough that a
// mistyped token cannot ask for an absurd allocation.
constexpr std::size_t MaxWidth = 65535;

bool isLetter(char c, char lower) { return std::tolower(static_cast<unsigned char>(c)) == lower; }

// Reads a width of decimal digits filling the whole of `s`; 0 when it is not
// one, so a caller rejects it together with a zero width.
std::size_t readWidth(std::string_view s)
{
    if (s.empty() || s.size() > 5)
        return 0;
    std::size_t n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    return n <= MaxWidth ? n : 0;
}

// The decimal digits of |value|, without sign.
std::string magnitudeDigits(std::int64_t value)
{
    std::uint64_t m = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + m % 10));
        m /= 10;
    } while (m != 0);
    return digits;
}

void twoDigits(std::string& out, int value)
{
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

} // namespace

std::optional<Picture> Picture::parse(std::string_view token)
{
    if (!token.empty() && token.front() == '@')
        token.remove_prefix(1);
    if (token.empty())
        return std::nullopt;

    Picture p;
    const char first = token.front();
    if (first == 'p' || first == 'P') {
        if (token.size() < 2 || token.back() != first)
            return std::nullopt;
        p.m_kind = Kind::Pattern;
        p.m_pattern = std::string(token.substr(1, token.size() - 2));
        return p;
    }
    if (isLetter(first, 's')) {
        p.m_kind = Kind::Text;
        p.m_width = readWidth(token.substr(1));
        return p.m_width != 0 ? std::optional<Picture>(p) : std::nullopt;
    }
    if (isLetter(first, 'n')) {
        std::string_view rest = token.substr(1);
        p.m_kind = Kind::Number;
        if (rest.size() > 1 && rest.front() == '0') {
            p.m_zeroFill = true;
            rest.remove_prefix(1);
        }
        p.m_width = readWidth(rest);
        return p.m_width != 0 ? std::optional<Picture>(p) : std::nullopt;
    }
    if (token.size() == 3 && isLetter(token[2], 'b')) {
        if (isLetter(first, 'd') && token[1] == '5') {
            p.m_kind = Kind::Date;
            p.m_width = 8; // dd/mm/yy
            return p;
        }
        if (isLetter(first, 't') && token[1] == '7') {
            p.m_kind = Kind::Time;
            p.m_width = 5; // hh:mm
            return p;
        }
    }
    return std::nullopt;
}

std::string Picture::format(std::int64_t number) const
{
    switch (m_kind) {
    case Kind::Text:
        return fitted(toText(number), m_width);

    case Kind::Number: {
        const std::string digits = magnitudeDigits(number);
        const std::size_t used = digits.size() + (number < 0 ? 1 : 0);
        if (used > m_width)
            return std::string(m_width, '#');
        std::string out;
        out.reserve(m_width);
        if (m_zeroFill) {
            if (number < 0)
                out += '-';
            out.append(m_width - used, '0');
        } else {
            out.append(m_width - used, ' ');
            if (number < 0)
                out += '-';
        }
        out += digits;
        return out;
    }

    case Kind::Date: {
        const CalendarDate d = number >= 1 && number <= LastDateSerial ? calendarDate(static_cast<std::int32_t>(number))
                                                                       : CalendarDate{};
        if (!d.isValid())
            return std::string(m_width, ' ');
        std::string out;
        twoDigits(out, d.day);
        out += '/';
        twoDigits(out, d.month);
        out += '/';
        twoDigits(out, d.year % 100);
        return out;
    }

    case Kind::Time: {
        const ClockTime t = number >= 1 && number <= LastTimeValue ? clockTime(static_cast<std::int32_t>(number))
                                                                   : ClockTime{};
        if (!t.isValid())
            return std::string(m_width, ' ');
        std::string out;
        twoDigits(out, t.hour);
        out += ':';
        twoDigits(out, t.minute);
        return out;
    }

    case Kind::Pattern: {
        std::size_t positions = 0;
        for (char c : m_pattern)
            positions += (c == '#' || c == '<') ? 1 : 0;
        std::string digits = magnitudeDigits(number);
        const bool fits = number >= 0 && digits.size() <= positions;
        if (fits)
            digits.insert(0, positions - digits.size(), '0');

        std::string out = m_pattern;
        std::size_t next = 0; // next digit of `digits` to place
        bool leading = true;  // no non-zero digit placed yet
        for (char& c : out) {
            if (c != '#' && c != '<')
                continue;
            if (!fits) {
                c = '#';
                continue;
            }
            const char digit = digits[next++];
            const bool blank = c == '<' && leading && digit == '0';
            if (!blank)
                leading = false; // a zero shown by "#" ends the leading zeros as well
            c = blank ? ' ' : digit;
        }
        return out;
    }
    }
    return {};
}

std::string Picture::format(std::string_view text) const
{
    if (m_kind == Kind::Text)
        return fitted(text, m_width);
    return format(static_cast<std::int64_t>(toNumber(text)));
}

std::string formatPicture(std::string_view picture, std::int64_t value)
{
    if (const std::optional<Picture> p = Picture::parse(picture))
        return p->format(value);
    return toText(value);
}

std::string formatPicture(std::string_view picture, std::string_view value)
{
    if (const std::optional<Picture> p = Picture::parse(picture))
        return p->format(value);
    return std::string(value);
}

} // namespace fw::core
