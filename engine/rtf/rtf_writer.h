#pragma once
// The RTF document writer: a report's page files become one RTF document that
// shows every page, in order, as an embedded Windows-metafile picture.
//
// The document is a fixed template with a few computed values (creation
// stamp, paper, margins, picture size and scale, one random picture tag per
// document); see rtf_writer.cpp for every byte. Page i of the job is the
// file work folder & job number & i & ".WMF" (engine::BMKG), found in any
// letter case. The document goes through the work file OROF, each page file
// through ORIF; a page is streamed, never held whole in memory.

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/error.h"

namespace engine {

// Results of MakeRTFFile.
namespace RTFResult {
inline constexpr std::uint8_t Complete = 0;
inline constexpr std::uint8_t PageFailed = 1; // a page file could not be opened or read
inline constexpr std::uint8_t NotWritten = 2; // no pages, or the document could not be opened or written
} // namespace RTFResult

// Writes the document at `outputPath` (trailing blanks dropped). `paperName`
// "A4", "A5" or "Letter" (case matters, trailing blanks do not; anything else
// is A4); `pictureScale` in percent, 0 meaning 100; margins and page size in
// thousandths of an inch; `landscape` non-zero for landscape. Returns 0 when
// the document is complete, 1 when page file i could not be opened or read,
// 2 when the page count is 0 (no file is touched) or the document could not
// be created, opened or written in full. The document is written under a
// temporary name and takes the place of a document at `outputPath` only
// when it is complete: a document that fails leaves the earlier one, if any,
// and never a cut one.
[[nodiscard]] std::uint8_t MakeRTFFile(std::string outputPath, std::string paperName, std::uint8_t pageCount,
                                       std::uint8_t pictureScale, std::int32_t leftMargin, std::int32_t topMargin,
                                       std::int32_t pageWidth, std::int32_t pageHeight, std::uint8_t landscape);

// MakeRTFFile for a caller that reports why a document failed: the error's
// code is the result byte MakeRTFFile gives, its message the reason, naming
// the file concerned.
[[nodiscard]] fw::core::Expected<void> writeRTFDocument(const std::string& outputPath, std::string_view paperName,
                                                        std::uint8_t pageCount, std::uint8_t pictureScale,
                                                        std::int32_t leftMargin, std::int32_t topMargin,
                                                        std::int32_t pageWidth, std::int32_t pageHeight,
                                                        std::uint8_t landscape);

// Appends the page file `pageFileName` to the document MakeRTFFile holds open
// in OROF, as hexadecimal lines of 128 digits, skipping its 22-byte placeable
// header. Returns 0 when the page was appended, 1 when the page file cannot
// be opened or a read error stops it before its end, 2 when a write to the
// document failed. The document stays open in every case.
[[nodiscard]] std::uint8_t AppendWMFHex(std::string pageFileName);

} // namespace engine
