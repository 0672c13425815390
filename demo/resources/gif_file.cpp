// The LZW coder follows the GIF rules: codes start one bit wider than the
// 8-bit pixels, the table begins with the 256 single pixels, a clear code
// and an end code, the code width grows by one bit each time the next free
// code reaches the next power of two, and when all 4096 codes are taken a
// clear code starts the table afresh. Codes are packed from the lowest bit
// up and cut into sub-blocks of at most 255 bytes.

#include "demo/resources/gif_file.h"

#include <cassert>
#include <unordered_map>

namespace zorvane {

namespace {

constexpr int minimumCodeSize = 8;
constexpr int clearCode = 1 << minimumCodeSize;
constexpr int endCode = clearCode + 1;
constexpr int maximumCodes = 4096;

void word(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

class BitWriter {
public:
    void put(int code, int width)
    {
        m_bits |= static_cast<std::uint32_t>(code) << m_count;
        m_count += width;
        while (m_count >= 8) {
            m_bytes += static_cast<char>(m_bits & 0xFF);
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    std::string finish()
    {
        if (m_count > 0)
            m_bytes += static_cast<char>(m_bits & 0xFF);
        m_bits = 0;
        m_count = 0;
        return std::move(m_bytes);
    }

private:
    std::string m_bytes;
    std::uint32_t m_bits = 0;
    int m_count = 0;
};

std::string compressed(const std::vector<std::uint8_t>& pixels)
{
    BitWriter out;
    std::unordered_map<std::uint32_t, int> table; // (prefix code << 8 | pixel) -> code
    int width = minimumCodeSize + 1;
    int next = endCode + 1;
    out.put(clearCode, width);
    if (pixels.empty()) {
        out.put(endCode, width);
        return out.finish();
    }
    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint8_t pixel = pixels[i];
        const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | pixel;
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        out.put(prefix, width);
        if (next < maximumCodes) {
            if (next == (1 << width))
                ++width;
            table.emplace(key, next++);
        } else {
            out.put(clearCode, width);
            table.clear();
            width = minimumCodeSize + 1;
            next = endCode + 1;
        }
        prefix = pixel;
    }
    out.put(prefix, width);
    out.put(endCode, width);
    return out.finish();
}

} // namespace

std::string gifFile(const PalettePicture& p)
{
    assert(p.width > 0 && p.width <= 0xFFFF && p.height > 0 && p.height <= 0xFFFF);
    assert(p.palette.size() <= 256);
    assert(p.pixels.size() == static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height));
    // clang-format off
    std::string out = "GIF89a";
    word(out, static_cast<unsigned>(p.width));  // logical screen width
    word(out, static_cast<unsigned>(p.height)); // logical screen height
    out += static_cast<char>(0xF7);             // global colour table of 2^(7+1) entries, 8 bits a colour
    out += '\0';                                // background colour index
    out += '\0';                                // pixel aspect ratio: not given
    for (std::size_t i = 0; i < 256; ++i) {
        const std::uint32_t rgb = i < p.palette.size() ? p.palette[i] : 0;
        out += static_cast<char>((rgb >> 16) & 0xFF); // red
        out += static_cast<char>((rgb >> 8) & 0xFF);  // green
        out += static_cast<char>(rgb & 0xFF);         // blue
    }
    if (p.transparent) {
        out += "\x21\xF9\x04";                  // graphic control extension, 4 bytes
        out += '\x01';                          // transparent colour given, no disposal
        word(out, 0);                           // delay
        out += static_cast<char>(*p.transparent); // transparent colour index
        out += '\0';                            // block terminator
    }
    out += '\x2C';                              // image descriptor
    word(out, 0);                               // left
    word(out, 0);                               // top
    word(out, static_cast<unsigned>(p.width));  // width
    word(out, static_cast<unsigned>(p.height)); // height
    out += '\0';                                // no local colour table, not interlaced
    out += static_cast<char>(minimumCodeSize);  // LZW minimum code size
    const std::string data = compressed(p.pixels);
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - at);
        out += static_cast<char>(length);       // sub-block size
        out.append(data, at, length);
    }
    out += '\0';                                // end of the image data
    out += '\x3B';                              // trailer
    return out;
    // clang-format on
}

} // namespace zorvane
