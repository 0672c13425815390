#pragma once
// A reference to one of the program's variables, as windows, reports and
// expressions bind them: a byte, a signed 32-bit number or a fixed-width text.
// The owner of the variable outlives every binding to it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/text.h"

namespace fw::core {

class Binding {
public:
    enum class Kind : std::uint8_t { Byte, Long, Text };

    // clang-format off
    static Binding of(std::uint8_t& value) { return Binding(Kind::Byte, &value, 1); }
    static Binding of(std::int32_t& value) { return Binding(Kind::Long, &value, 4); }
    template <std::size_t N>
    static Binding of(Text<N>& value) { return Binding(Kind::Text, value.data(), N); }
    // clang-format on

    Kind kind() const { return m_kind; }
    bool isNumber() const { return m_kind != Kind::Text; }
    std::size_t width() const { return m_width; } // characters of a text, bytes of a number

    // A number's value; a text reads as toNumber() of its characters.
    std::int64_t number() const;
    // A byte keeps the low eight bits; a text gets the decimal form.
    void setNumber(std::int64_t value);

    // A text's characters at full width; a number as decimal text.
    std::string text() const;
    // A text is cut or padded; a number reads the value with toNumber().
    void setText(std::string_view value);

    const void* address() const { return m_address; }

private:
    Binding(Kind kind, void* address, std::size_t width) : m_address(address), m_width(width), m_kind(kind) {}

    void* m_address;
    std::size_t m_width;
    Kind m_kind;
};

} // namespace fw::core
