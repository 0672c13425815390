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
//   - Whole lines go through the fastest line encoder of the processor
//     (hex_lines.h); parts of lines, at the start and end of a block,
//     through the table of digit pairs.

#include "engine/rtf/rtf_writer.h"

#include <algorithm>
#include <memory>
#include <span>

#include "engine/global_data.h"
#include "engine/rtf/hex_lines.h"
#include "framework/core/text.h"
#include "framework/fs/work_file.h"

namespace engine {

namespace {

constexpr std::size_t PlaceableHeaderBytes = 22;
constexpr std::size_t BlockBytes = std::size_t{1} << 19; // read at once
// Digits of a block and the line ends in it, one more for a line begun in
// the block before.
constexpr std::size_t HexBytes = 2 * BlockBytes + 2 * (BlockBytes / HexBytesPerLine + 1);

// Encodes `in` onto `out`, continuing a line that already holds
// `bytesOnLine` bytes; returns where the output ends.
char* encode(std::span<const unsigned char> in, char* out, std::size_t& bytesOnLine)
{
    static const HexLineEncoder wholeLines = hexLineEncoders().front();
    const unsigned char* at = in.data();
    std::size_t left = in.size();
    if (bytesOnLine > 0) {
        const std::size_t n = std::min(left, HexBytesPerLine - bytesOnLine);
        out = encodeHexDigits(at, n, out);
        at += n;
        left -= n;
        bytesOnLine += n;
        if (bytesOnLine < HexBytesPerLine)
            return out;
        *out++ = '\r';
        *out++ = '\n';
    }
    const std::size_t lines = left / HexBytesPerLine;
    out = wholeLines.encode(at, lines, out);
    at += lines * HexBytesPerLine;
    left -= lines * HexBytesPerLine;
    bytesOnLine = left;
    return encodeHexDigits(at, left, out);
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
