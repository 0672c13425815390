#pragma once
// Picture tokens: how a value is written as text on a report or a window.
//
// A picture is a short token, with or without a leading "@":
//
//   sN, SN    text of N characters: the value cut or padded with blanks
//             ("s20", "S2", "s200"). A number is written in decimal first.
//   nN        a whole number right-aligned in N positions with leading
//             blanks ("n4": "  42").
//   n0N       the same with leading zeros ("n05": "00042", "-0042").
//   D5B       a date serial (date_time.h) as dd/mm/yy; blank for no date.
//   T7B       a time value (date_time.h) as hh:mm; blank for no time.
//   P...P     a pattern between two equal delimiters "P" or "p"
//   p...p     ("P###-##-####P", "pPage <<<#p"): every "#" takes a digit,
//             every "<" takes a digit but shows a leading zero as a blank,
//             every other character is printed as it stands. The number's
//             digits fill the digit positions from the right; missing
//             leading digits are zeros.
//
// Every result has the picture's width. A number that does not fit its
// positions (too many digits, or a sign where a pattern has no room for one)
// is shown as "#" in every digit position rather than with digits cut off,
// so a wrong value is never printed. A date or time that is not valid prints
// blank, like zero. Letters of the tokens may be in either case.
//
// Numbers given to text pictures are written in decimal; texts given to
// number, date, time and pattern pictures are read with toNumber().

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fw::core {

class Picture {
public:
    enum class Kind : std::uint8_t { Text, Number, Date, Time, Pattern };

    // The picture of a token; nullopt when the token is not one of the
    // forms above.
    static std::optional<Picture> parse(std::string_view token);

    Kind kind() const { return m_kind; }
    // Characters of every result.
    std::size_t width() const { return m_kind == Kind::Pattern ? m_pattern.size() : m_width; }
    // True for text pictures, which take a text value as it stands.
    bool takesText() const { return m_kind == Kind::Text; }

    std::string format(std::int64_t number) const;
    std::string format(std::string_view text) const;

private:
    Picture() = default;

    std::string m_pattern; // a pattern's characters between its delimiters
    std::size_t m_width = 0;
    Kind m_kind = Kind::Text;
    bool m_zeroFill = false;
};

// One-off formatting. A token that is not a picture leaves the value
// unformatted: a number in decimal, a text as it stands.
std::string formatPicture(std::string_view picture, std::int64_t value);
std::string formatPicture(std::string_view picture, std::string_view value);

} // namespace fw::core
