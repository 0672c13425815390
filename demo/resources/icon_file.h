#pragma once
// Windows icon (.ico) and cursor (.cur) files, written from our own pictures.
//
// Both are the same format: a 6-byte directory header (reserved 0, type 1
// for an icon or 2 for a cursor, image count), one 16-byte entry per image,
// then each image as a bitmap without its file header: a 40-byte
// BITMAPINFOHEADER whose height counts both masks, the 32-bit BGRA colour
// rows bottom-up, and the 1-bit AND mask rows bottom-up, each padded to four
// bytes (a set bit lets the background through). Where an icon's entry
// holds planes and bit count, a cursor's holds the hot spot.

#include <cstdint>
#include <string>
#include <vector>

namespace zorvane {

// A picture as rows of 0xAARRGGBB pixels, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // width * height

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

struct HotSpot {
    int x = 0;
    int y = 0;
};

// An icon file holding every picture given (each 1 to 256 pixels a side).
std::string iconFile(const std::vector<Picture>& pictures);

// A cursor file of one picture with its hot spot.
std::string cursorFile(const Picture& picture, HotSpot hotSpot);

} // namespace zorvane
