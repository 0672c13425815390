#pragma once
// GIF files (GIF89a), written from a palette picture: one image, a global
// colour table of 256 entries, LZW-compressed pixels, and a graphic control
// extension when one colour stands for "transparent".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorvane {

struct PalettePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette; // 0x00RRGGBB, at most 256 colours
    std::vector<std::uint8_t> pixels;   // palette indexes, width * height, top row first
    std::optional<std::uint8_t> transparent;
};

std::string gifFile(const PalettePicture& picture);

} // namespace zorvane
