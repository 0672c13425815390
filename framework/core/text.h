#pragma once
// Fixed-width, blank-padded texts.
//
// The system's data is declared as "a text of 256": a value that always holds
// exactly that many characters, padded on the right with blanks. Assignment
// cuts a longer value and pads a shorter one; comparison ignores trailing
// blanks; a routine that uses a text as a name or a path clips it first.
// Text<N> is that type, so a field declared "text of 256" reads Text<256> in
// the code. A text *parameter* is a copy of exactly the length passed, which
// is what std::string by value already is: routines take std::string (or
// std::string_view when they only read) and clip where they use the value.
//
// Positions are 1-based wherever a routine of the system counts positions
// (instring, the blanking loops of the command line); the helpers below say so.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fw::core {

// Drops trailing blanks.
constexpr std::string_view clip(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// Drops leading blanks.
constexpr std::string_view trimLeft(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

// A text is blank when it is empty or all blanks.
constexpr bool isBlank(std::string_view s) { return clip(s).empty(); }

// Equality of two texts, ignoring trailing blanks (and nothing else: case and
// leading blanks count).
constexpr bool sameText(std::string_view a, std::string_view b) { return clip(a) == clip(b); }

// The value cut or padded with blanks to exactly `width` characters.
std::string fitted(std::string_view s, std::size_t width);

// The value in capitals (std::toupper, byte by byte), for names that compare
// without regard to case.
std::string upperCase(std::string_view s);

// 1-based position of `needle` in `haystack`, searching from position `start`
// in steps of `step` characters; 0 when it does not occur (or is empty).
std::size_t instring(std::string_view needle, std::string_view haystack, std::size_t step = 1, std::size_t start = 1);

// A whole number as decimal text without padding ("-42", "0").
std::string toText(std::int64_t value);

// Reads a number from at most the first 100 characters of `s`: leading and
// trailing blanks are allowed, then an optional sign, digits and an optional
// decimal part, which is dropped (whole numbers truncate toward zero). A text
// that is not a number reads as 0. The whole value is kept to its low 32 bits,
// so "4294967340" reads as 44 just as toByte("300") keeps 44.
std::int32_t toNumber(std::string_view s);

// True when `s` (clipped at both ends) is a number toNumber reads in full.
bool isNumeric(std::string_view s);

// A byte keeps the low eight bits of a number.
constexpr std::uint8_t toByte(std::int64_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

template <std::size_t N>
class Text {
    static_assert(N > 0, "a text holds at least one character");

public:
    static constexpr std::size_t width = N;

    Text() { m_chars.fill(' '); }
    Text(std::string_view s) { assign(s); }
    Text(const char* s) { assign(s); }
    // clang-format off
    template <std::size_t M>
    Text(const Text<M>& other) { assign(other.view()); }
    // clang-format on

    Text& operator=(std::string_view s)
    {
        assign(s);
        return *this;
    }
    Text& operator=(const char* s)
    {
        assign(s);
        return *this;
    }
    template <std::size_t M>
    Text& operator=(const Text<M>& other)
    {
        assign(other.view());
        return *this;
    }

    // Cuts at N characters or pads with blanks to N.
    void assign(std::string_view s)
    {
        const std::size_t n = s.size() < N ? s.size() : N;
        s.copy(m_chars.data(), n);
        for (std::size_t i = n; i < N; ++i)
            m_chars[i] = ' ';
    }
    void clear() { m_chars.fill(' '); }

    // All N characters, padding included.
    std::string_view view() const { return {m_chars.data(), N}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }

    // Without trailing blanks: what a routine uses as a name, path or value.
    std::string_view clippedView() const { return clip(view()); }
    std::string clipped() const { return std::string(clippedView()); }

    bool isBlank() const { return fw::core::isBlank(view()); }
    std::size_t size() const { return N; }

    char* data() { return m_chars.data(); }
    const char* data() const { return m_chars.data(); }

    // 1-based access to one character, as the system's loops count.
    char& at(std::size_t position) { return m_chars.at(position - 1); }
    char at(std::size_t position) const { return m_chars.at(position - 1); }

    friend bool operator==(const Text& a, std::string_view b) { return sameText(a.view(), b); }
    // clang-format off
    template <std::size_t M>
    friend bool operator==(const Text& a, const Text<M>& b) { return sameText(a.view(), b.view()); }
    // clang-format on

private:
    std::array<char, N> m_chars;
};

} // namespace fw::core
