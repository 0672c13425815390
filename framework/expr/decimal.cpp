#include "framework/expr/decimal.h"

#include <algorithm>

namespace fw::expr {

namespace {

using Wide = __int128;
using UWide = unsigned __int128;

// 10^k for k from 0 to 38; 10^38 still fits below 2^127.
UWide power10(int k)
{
    UWide p = 1;
    for (int i = 0; i < k; ++i)
        p *= 10;
    return p;
}

const UWide Limit = power10(Decimal::MaxDigits);

UWide magnitude(Wide m) { return m < 0 ? UWide(0) - UWide(m) : UWide(m); }

std::string wholeDigits(UWide value)
{
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

} // namespace

Decimal Decimal::fromWhole(std::int64_t value) { return Decimal(value, 0); }

std::optional<Decimal> Decimal::normalized(Wide mantissa, int scale)
{
    // Places beyond the precision go first, then those that would not let
    // the number fit; trailing zeros carry no information.
    while (scale > MaxScale) {
        mantissa /= 10;
        --scale;
    }
    while (scale > 0 && magnitude(mantissa) >= Limit) {
        mantissa /= 10;
        --scale;
    }
    if (magnitude(mantissa) >= Limit)
        return std::nullopt;
    while (scale > 0 && mantissa % 10 == 0) {
        mantissa /= 10;
        --scale;
    }
    if (mantissa == 0)
        scale = 0;
    return Decimal(mantissa, scale);
}

std::optional<Decimal> Decimal::parse(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    Wide mantissa = 0;
    int scale = 0;
    bool digits = false;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        mantissa = mantissa * 10 + (text[i] - '0');
        digits = true;
        if (UWide(mantissa) >= Limit)
            return std::nullopt;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            digits = true;
            if (scale < MaxScale && UWide(mantissa) < Limit / 10) {
                mantissa = mantissa * 10 + (text[i] - '0');
                ++scale;
            }
        }
    }
    if (!digits || i != text.size())
        return std::nullopt;
    return normalized(negative ? -mantissa : mantissa, scale);
}

std::string Decimal::toText() const
{
    std::string digits = wholeDigits(magnitude(m_mantissa));
    if (m_scale > 0) {
        if (digits.size() <= static_cast<std::size_t>(m_scale))
            digits.insert(0, static_cast<std::size_t>(m_scale) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(m_scale), 1, '.');
    }
    if (m_mantissa < 0)
        digits.insert(0, 1, '-');
    return digits;
}

Decimal Decimal::negated() const { return Decimal(-m_mantissa, m_scale); }

std::optional<Decimal> Decimal::add(const Decimal& a, const Decimal& b)
{
    Wide hi = a.m_mantissa, lo = b.m_mantissa;
    int hiScale = a.m_scale, loScale = b.m_scale;
    if (hiScale < loScale) {
        std::swap(hi, lo);
        std::swap(hiScale, loScale);
    }
    // Bring the coarser operand to the finer scale; where that does not fit,
    // the finer one gives up places instead (the result could not keep them).
    Wide scaled = 0;
    while (__builtin_mul_overflow(lo, Wide(power10(hiScale - loScale)), &scaled)) {
        hi /= 10;
        --hiScale;
    }
    Wide sum = 0;
    while (__builtin_add_overflow(scaled, hi, &sum)) {
        if (hiScale == 0)
            return std::nullopt;
        scaled /= 10;
        hi /= 10;
        --hiScale;
    }
    return normalized(sum, hiScale);
}

std::optional<Decimal> Decimal::subtract(const Decimal& a, const Decimal& b) { return add(a, b.negated()); }

std::optional<Decimal> Decimal::multiply(const Decimal& a, const Decimal& b)
{
    Wide x = a.m_mantissa, y = b.m_mantissa;
    int xScale = a.m_scale, yScale = b.m_scale;
    Wide product = 0;
    while (__builtin_mul_overflow(x, y, &product)) {
        if (xScale == 0 && yScale == 0)
            return std::nullopt;
        if (xScale >= yScale) {
            x /= 10;
            --xScale;
        } else {
            y /= 10;
            --yScale;
        }
    }
    return normalized(product, xScale + yScale);
}

std::optional<Decimal> Decimal::divide(const Decimal& a, const Decimal& b)
{
    // Long division, one decimal place at a time. Both magnitudes are below
    // 10^37 < 2^123, so ten times a remainder never leaves 128 bits.
    const UWide divisor = magnitude(b.m_mantissa);
    UWide quotient = magnitude(a.m_mantissa) / divisor;
    UWide remainder = magnitude(a.m_mantissa) % divisor;
    int scale = a.m_scale - b.m_scale;
    while (scale < 0 || (remainder != 0 && scale < MaxScale)) {
        if (quotient >= Limit / 10) {
            if (scale < 0)
                return std::nullopt;
            break;
        }
        remainder *= 10;
        quotient = quotient * 10 + remainder / divisor;
        remainder %= divisor;
        ++scale;
    }
    const bool negative = (a.m_mantissa < 0) != (b.m_mantissa < 0);
    const Wide q = static_cast<Wide>(quotient);
    return normalized(negative ? -q : q, scale);
}

int Decimal::compare(const Decimal& a, const Decimal& b)
{
    // Whole parts first, then the places at the finest scale. Truncation
    // toward zero keeps the whole parts' ranges apart and in order.
    const Wide aWhole = a.m_mantissa / Wide(power10(a.m_scale));
    const Wide bWhole = b.m_mantissa / Wide(power10(b.m_scale));
    if (aWhole != bWhole)
        return aWhole < bWhole ? -1 : 1;
    const Wide aPlaces = (a.m_mantissa % Wide(power10(a.m_scale))) * Wide(power10(MaxScale - a.m_scale));
    const Wide bPlaces = (b.m_mantissa % Wide(power10(b.m_scale))) * Wide(power10(MaxScale - b.m_scale));
    if (aPlaces != bPlaces)
        return aPlaces < bPlaces ? -1 : 1;
    return 0;
}

} // namespace fw::expr
