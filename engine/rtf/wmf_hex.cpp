// One page file as the hexadecimal data of its picture group.
//
// The first 22 bytes (the placeable header) are skipped unseen; every later
// byte becomes two upper-case hexadecimal digits, and every 128 digits (64
// bytes of the file) end a line with CR LF. A last line shorter than 128
// digits gets no line break: G5 follows it directly. The count starts afresh
// with each page.
//
// The page is streamed in blocks through ORIF and encoded through a table of
// the 256 digit pairs, so the memory used does not grow with the page.

#include "engine/rtf/rtf_writer.h"

#include <array>
#include <cstring>
#include <span>
#include <vector>

#include "engine/global_data.h"
#include "framework/core/text.h"
#include "framework/fs/work_file.h"

namespace engine {

namespace {

constexpr std::size_t PlaceableHeaderBytes = 22;
constexpr std::size_t BytesPerLine = 64; // 128 digits
constexpr std::size_t BlockBytes = 1 << 16;

constexpr std::array<char, 512> makeDigitPairs()
{
    constexpr char digits[] = "0123456789ABCDEF";
    std::array<char, 512> pairs{};
    for (std::size_t b = 0; b < 256; ++b) {
        pairs[2 * b] = digits[b >> 4];
        pairs[2 * b + 1] = digits[b & 0x0F];
    }
    return pairs;
}
constexpr std::array<char, 512> DigitPairs = makeDigitPairs();

// Encodes `in` onto `out`, continuing a line that already holds
// `bytesOnLine` bytes; returns where the output ends.
char* encode(std::span<const unsigned char> in, char* out, std::size_t& bytesOnLine)
{
    std::size_t i = 0;
    while (i < in.size()) {
        const std::size_t n = std::min(in.size() - i, BytesPerLine - bytesOnLine);
        for (std::size_t k = 0; k < n; ++k) {
            std::memcpy(out, &DigitPairs[2 * in[i + k]], 2);
            out += 2;
        }
        i += n;
        bytesOnLine += n;
        if (bytesOnLine == BytesPerLine) {
            *out++ = '\r';
            *out++ = '\n';
            bytesOnLine = 0;
        }
    }
    return out;
}

} // namespace

std::uint8_t AppendWMFHex(std::string pageFileName)
{
    ORIF.name = fw::core::clip(pageFileName);
    if (ORIF.open(fw::fs::OpenMode::ReadWriteDenyWrite) != 0)
        return 1;

    std::vector<char> block(BlockBytes);
    std::vector<char> hex(2 * BlockBytes + 2 * (BlockBytes / BytesPerLine + 1));
    std::size_t toSkip = PlaceableHeaderBytes;
    std::size_t bytesOnLine = 0;
    std::uint8_t result = 0;
    for (;;) {
        const std::ptrdiff_t n = ORIF.read(block);
        if (n == 0)
            break;
        if (n < 0) {
            // A read error is not the end of the page: the picture would be
            // cut short without a word, so the page counts as failed.
            result = 1;
            break;
        }
        std::size_t start = 0;
        if (toSkip > 0) {
            start = std::min<std::size_t>(toSkip, static_cast<std::size_t>(n));
            toSkip -= start;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
        const char* end = encode({bytes + start, static_cast<std::size_t>(n) - start}, hex.data(), bytesOnLine);
        if (!OROF.write(std::span<const char>(hex.data(), static_cast<std::size_t>(end - hex.data())))) {
            result = 2;
            break;
        }
    }
    ORIF.close();
    return result;
}

} // namespace engine
