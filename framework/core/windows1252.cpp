#include "framework/core/windows1252.h"

namespace fw::core {

namespace {

// 0x80..0x9F, where the code page differs from Latin-1. The five codes it
// leaves unassigned keep their Latin-1 control value (see the header).
constexpr char16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

bool isHigh(std::uint8_t byte) { return byte >= 0x80 && byte <= 0x9F; }

} // namespace

char16_t windows1252ToUnicode(std::uint8_t byte) { return isHigh(byte) ? High[byte - 0x80] : char16_t(byte); }

bool isWindows1252Assigned(std::uint8_t byte)
{
    // Every character the code page assigns in 0x80..0x9F lies above U+0100,
    // so the codes the table maps to themselves are the unassigned ones.
    return !isHigh(byte) || High[byte - 0x80] != byte;
}

} // namespace fw::core
