#pragma once
// The engine's entry point for one report run: writes the HTML body file and,
// in mail modes 1 to 4, has the RTF writer build the job's document and
// copies it under the report's document name.

#include <cstdint>
#include <string>

namespace engine {

// Results of MakeHTMLFileBMKSW. What became of the RTF document and its
// named copies, and why a file was not made, is in lastBuild()
// (build_outcome.h).
namespace HTMLResult {
inline constexpr std::uint8_t Written = 0;   // the HTML body file was written, whatever the RTF stage did
inline constexpr std::uint8_t NotOpened = 2; // the HTML body file could not be created, opened or written
} // namespace HTMLResult

// Text parameters are the caller's values as they stand, padding included;
// trailing blanks are dropped where a value is used. Colours hold blue, green
// and red bytes with red lowest; lengths are thousandths of an inch.
[[nodiscard]] std::uint8_t MakeHTMLFileBMKSW(std::string htmlPath, std::uint8_t pageCount, std::int32_t background,
                                             std::uint8_t pictureScale, std::string rtfName, std::string rtfFolder,
                                             std::string fontName, std::uint8_t fontSize, std::int32_t fontColor,
                                             std::int32_t leftMargin, std::int32_t topMargin, std::int32_t pageWidth,
                                             std::int32_t pageHeight, std::uint8_t mode, std::uint8_t landscape,
                                             std::string paper);

// The six hexadecimal digits (upper case) of a colour as HTML writes it: red,
// green, blue. Only the low 24 bits of the value count.
std::string ColorToHex(std::int32_t color);

} // namespace engine
