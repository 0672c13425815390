#pragma once
// Whole lines of a page's picture data: 64 bytes become 128 upper-case
// hexadecimal digits and CR LF, 130 characters.
//
// This is the inner loop of every document, so there is one encoder for
// each instruction set that makes it faster, and the page writer takes the
// fastest that the processor runs (hexLineEncoders().front()). Every encoder
// writes the same bytes as the portable one, which encodes through a table
// of the 256 digit pairs.

#include <cstddef>
#include <span>
#include <string_view>

namespace engine {

inline constexpr std::size_t HexBytesPerLine = 64;                      // 128 digits
inline constexpr std::size_t HexCharsPerLine = 2 * HexBytesPerLine + 2; // and CR LF

struct HexLineEncoder {
    std::string_view name;
    // Encodes `lines` whole lines from `in` to `out` (130 characters each);
    // returns where the output ends.
    char* (*encode)(const unsigned char* in, std::size_t lines, char* out);
};

// The encoders this processor runs, the fastest first; the portable one is
// always there, last.
std::span<const HexLineEncoder> hexLineEncoders();

// The two digits of each of `n` bytes, no line breaks; returns where the
// output ends. For the parts of lines at the ends of a block.
char* encodeHexDigits(const unsigned char* in, std::size_t n, char* out);

} // namespace engine
