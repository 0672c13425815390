// One page file as the hexadecimal data of its picture group.
//
// The first 22 bytes (the placeable header) are skipped unseen; every later
// byte becomes two upper-case hexadecimal digits, and every 128 digits (64
// bytes of the file) end a line with CR LF. A last line shorter than 128
// digits gets no line break: G5 follows it directly. The count starts afresh
// with each page.
//
// Speed. A document embeds up to 255 pages of any size, so this is the inner
// loop of every mail run, and it should cost no more than the disk's own
// work of reading the pages and writing the document:
//   - The page is streamed through ORIF in blocks of 512 KiB, and each
//     block's digits go to OROF in one write: few system calls, and the
//     memory used does not grow with the page.
//   - The two buffers are made once per process and never cleared: every
//     byte of them is written before it is read. Allocating them per page
//     would give them back to the kernel and fault them in again, page by
//     page, for every page of every document. Sharing them is safe because
//     AppendWMFHex never waits: no other framework thread runs while it
//     encodes, so no second call can meet the first.
//   - Whole lines (64 bytes in, 130 characters out) are encoded sixteen bytes
//     at a time with SSE2, which every x86-64 processor has: each nibble
//     becomes its digit by arithmetic (add "0", and 7 more above 9), and the
//     high and low digits are interleaved. Parts of lines, at the start and
//     end of a block, go through a table of the 256 digit pairs, as does
//     everything on a processor without SSE2.

#include "engine/rtf/rtf_writer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <span>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/global_data.h"
#include "framework/core/text.h"
#include "framework/fs/work_file.h"

namespace engine {

namespace {

constexpr std::size_t PlaceableHeaderBytes = 22;
constexpr std::size_t BytesPerLine = 64;                   // 128 digits
constexpr std::size_t CharsPerLine = 2 * BytesPerLine + 2; // and CR LF
constexpr std::size_t BlockBytes = std::size_t{1} << 19;   // read at once
// Digits of a block and the line ends in it, one more for a line begun in
// the block before.
constexpr std::size_t HexBytes = 2 * BlockBytes + 2 * (BlockBytes / BytesPerLine + 1);

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

char* encodeBytes(const unsigned char* in, std::size_t n, char* out)
{
    for (std::size_t k = 0; k < n; ++k) {
        std::memcpy(out, &DigitPairs[2 * in[k]], 2);
        out += 2;
    }
    return out;
}

#if defined(__SSE2__)
// The digits of sixteen nibbles (0 to 15 in each byte).
__m128i digitsOf(__m128i nibbles)
{
    const __m128i aboveNine = _mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9));
    const __m128i letterStep = _mm_and_si128(aboveNine, _mm_set1_epi8('A' - '0' - 10));
    return _mm_add_epi8(_mm_add_epi8(nibbles, _mm_set1_epi8('0')), letterStep);
}

// 64 bytes to 128 digits.
void encodeLineDigits(const unsigned char* in, char* out)
{
    const __m128i lowNibble = _mm_set1_epi8(0x0F);
    for (std::size_t k = 0; k < BytesPerLine; k += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
        const __m128i high = digitsOf(_mm_and_si128(_mm_srli_epi16(bytes, 4), lowNibble));
        const __m128i low = digitsOf(_mm_and_si128(bytes, lowNibble));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * k), _mm_unpacklo_epi8(high, low));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * k + 16), _mm_unpackhi_epi8(high, low));
    }
}
#else
void encodeLineDigits(const unsigned char* in, char* out) { encodeBytes(in, BytesPerLine, out); }
#endif

// Encodes `in` onto `out`, continuing a line that already holds
// `bytesOnLine` bytes; returns where the output ends.
char* encode(std::span<const unsigned char> in, char* out, std::size_t& bytesOnLine)
{
    const unsigned char* at = in.data();
    std::size_t left = in.size();
    if (bytesOnLine > 0) {
        const std::size_t n = std::min(left, BytesPerLine - bytesOnLine);
        out = encodeBytes(at, n, out);
        at += n;
        left -= n;
        bytesOnLine += n;
        if (bytesOnLine < BytesPerLine)
            return out;
        *out++ = '\r';
        *out++ = '\n';
    }
    for (; left >= BytesPerLine; at += BytesPerLine, left -= BytesPerLine, out += CharsPerLine) {
        encodeLineDigits(at, out);
        out[CharsPerLine - 2] = '\r';
        out[CharsPerLine - 1] = '\n';
    }
    bytesOnLine = left;
    return encodeBytes(at, left, out);
}

// The block read from the page and its digits, made on first use and kept.
// Neither is filled: new char[n] leaves its elements uninitialised, and the
// kernel maps the memory only where it is written.
struct Buffers {
    std::unique_ptr<char[]> block{new char[BlockBytes]};
    std::unique_ptr<char[]> hex{new char[HexBytes]};
};

Buffers& buffers()
{
    static Buffers b;
    return b;
}

} // namespace

std::uint8_t AppendWMFHex(std::string pageFileName)
{
    ORIF.name = fw::core::clip(pageFileName);
    if (ORIF.open(fw::fs::OpenMode::ReadWriteDenyWrite) != 0)
        return 1;

    Buffers& b = buffers();
    std::size_t toSkip = PlaceableHeaderBytes;
    std::size_t bytesOnLine = 0;
    std::uint8_t result = 0;
    for (;;) {
        const auto read = ORIF.read(std::span<char>(b.block.get(), BlockBytes));
        if (read && *read == 0)
            break;
        if (!read) {
            // A read error is not the end of the page: the picture would be
            // cut short without a word, so the page counts as failed.
            result = 1;
            break;
        }
        const std::size_t n = *read;
        std::size_t start = 0;
        if (toSkip > 0) {
            start = std::min<std::size_t>(toSkip, n);
            toSkip -= start;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(b.block.get());
        const char* end = encode({bytes + start, n - start}, b.hex.get(), bytesOnLine);
        if (!OROF.write(std::span<const char>(b.hex.get(), static_cast<std::size_t>(end - b.hex.get())))) {
            result = 2;
            break;
        }
    }
    (void)ORIF.close(); // a page file that was only read loses nothing at its close
    return result;
}

} // namespace engine
