#include "demo/resources/icon_file.h"

#include <cassert>

namespace zorvane {

namespace {

void word(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void dword(std::string& out, std::uint32_t value)
{
    word(out, value & 0xFFFF);
    word(out, value >> 16);
}

// Alpha below half counts as transparent in the AND mask, for the readers
// that look only at the mask.
constexpr std::uint32_t opaqueFrom = 0x80;

std::string bitmapOf(const Picture& p)
{
    const int maskStride = ((p.width + 31) / 32) * 4;
    const std::uint32_t colorBytes = static_cast<std::uint32_t>(p.width * p.height * 4);
    const std::uint32_t maskBytes = static_cast<std::uint32_t>(maskStride * p.height);
    std::string out;
    // clang-format off
    dword(out, 40);                                  // biSize
    dword(out, static_cast<std::uint32_t>(p.width)); // biWidth
    dword(out, static_cast<std::uint32_t>(p.height * 2)); // biHeight: colour rows and mask rows
    word(out, 1);                                    // biPlanes
    word(out, 32);                                   // biBitCount
    dword(out, 0);                                   // biCompression: BI_RGB
    dword(out, colorBytes + maskBytes);              // biSizeImage
    dword(out, 0);                                   // biXPelsPerMeter
    dword(out, 0);                                   // biYPelsPerMeter
    dword(out, 0);                                   // biClrUsed
    dword(out, 0);                                   // biClrImportant
    // clang-format on
    for (int y = p.height - 1; y >= 0; --y)
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t argb = p.at(x, y);
            out += static_cast<char>(argb & 0xFF);         // blue
            out += static_cast<char>((argb >> 8) & 0xFF);  // green
            out += static_cast<char>((argb >> 16) & 0xFF); // red
            out += static_cast<char>(argb >> 24);          // alpha
        }
    for (int y = p.height - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(maskStride), '\0');
        for (int x = 0; x < p.width; ++x)
            if ((p.at(x, y) >> 24) < opaqueFrom)
                row[static_cast<std::size_t>(x / 8)] =
                    static_cast<char>(row[static_cast<std::size_t>(x / 8)] | (0x80 >> (x % 8)));
        out += row;
    }
    return out;
}

std::string directoryFile(unsigned type, const std::vector<Picture>& pictures, HotSpot hotSpot)
{
    std::vector<std::string> bitmaps;
    for (const Picture& p : pictures) {
        assert(p.width >= 1 && p.width <= 256 && p.height >= 1 && p.height <= 256);
        assert(p.pixels.size() == static_cast<std::size_t>(p.width * p.height));
        bitmaps.push_back(bitmapOf(p));
    }
    std::string out;
    // clang-format off
    word(out, 0);                                     // reserved
    word(out, type);                                  // 1 icon, 2 cursor
    word(out, static_cast<unsigned>(pictures.size())); // image count
    // clang-format on
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const Picture& p = pictures[i];
        out += static_cast<char>(p.width & 0xFF);  // width, 0 for 256
        out += static_cast<char>(p.height & 0xFF); // height, 0 for 256
        out += '\0';                               // colour count: not a palette image
        out += '\0';                               // reserved
        if (type == 2) {
            word(out, static_cast<unsigned>(hotSpot.x)); // hot spot x
            word(out, static_cast<unsigned>(hotSpot.y)); // hot spot y
        } else {
            word(out, 1);  // planes
            word(out, 32); // bit count
        }
        dword(out, static_cast<std::uint32_t>(bitmaps[i].size())); // bytes of the image
        dword(out, offset);                                        // where it starts
        offset += static_cast<std::uint32_t>(bitmaps[i].size());
    }
    for (const std::string& bitmap : bitmaps)
        out += bitmap;
    return out;
}

} // namespace

std::string iconFile(const std::vector<Picture>& pictures) { return directoryFile(1, pictures, {}); }

std::string cursorFile(const Picture& picture, HotSpot hotSpot) { return directoryFile(2, {picture}, hotSpot); }

} // namespace zorvane
