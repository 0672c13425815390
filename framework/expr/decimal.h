#pragma once
// The evaluator's number: an exact decimal.
//
// A value is a whole mantissa and a count of decimal places (its scale), so
// 0.1 + 0.2 is 0.3 and 8270 stays 8270, as the system's decimal arithmetic
// expects. The mantissa is kept below 10^37 and the scale at 18 places at
// most: a division that does not end is cut (toward zero) after 18 places,
// and a number too large for 37 digits gives up its last decimal places
// before it is refused. Operations that cannot be carried out report it
// instead of wrapping around.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fw::expr {

class Decimal {
public:
    static constexpr int MaxScale = 18;
    static constexpr int MaxDigits = 37;

    Decimal() = default;
    static Decimal fromWhole(std::int64_t value);

    // Reads "12", "-3.25", " +7 ", ".5"; blanks around the number are allowed.
    // Nothing when the text is not a number or has more than MaxDigits whole
    // digits; decimal places past MaxScale are dropped.
    static std::optional<Decimal> parse(std::string_view text);

    // Decimal text without padding or trailing zeros: "-12.5", "0.25", "3".
    std::string toText() const;

    bool isZero() const { return m_mantissa == 0; }
    Decimal negated() const;

    // Each returns nothing when the result has more than MaxDigits whole digits.
    static std::optional<Decimal> add(const Decimal& a, const Decimal& b);
    static std::optional<Decimal> subtract(const Decimal& a, const Decimal& b);
    static std::optional<Decimal> multiply(const Decimal& a, const Decimal& b);
    // `b` must not be zero.
    static std::optional<Decimal> divide(const Decimal& a, const Decimal& b);

    // -1, 0 or 1.
    static int compare(const Decimal& a, const Decimal& b);

private:
    Decimal(__int128 mantissa, int scale) : m_mantissa(mantissa), m_scale(scale) {}
    static std::optional<Decimal> normalized(__int128 mantissa, int scale);

    __int128 m_mantissa = 0;
    int m_scale = 0;
};

} // namespace fw::expr
