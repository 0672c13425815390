#pragma once
// Writes a placeable Windows metafile: the file format of a report page.
//
// A file is the 22-byte placeable header, the 18-byte metafile header and a
// sequence of records, each a 32-bit size in 16-bit words, a 16-bit function
// number and the function's parameters, closed by the end record (size 3,
// function 0). All numbers are little-endian. The writer collects records
// and produces the whole file on demand, filling in what the headers count:
// the file size, the largest record and the size of the object table.
//
// Objects (fonts, pens, brushes) live in a table of slots: a create takes
// the lowest free slot and answers its index, which select and delete then
// name, as a player of the file numbers them. Coordinates are logical units;
// with the window origin and extent a page sets, and the header's units per
// inch, a reader maps them to the page. Coordinates outside the 16-bit range
// are clamped to it.
//
// Typical use, a page in thousandths of an inch:
//
//   WmfWriter w({0, 0, 8268, 11693});          // bounding box; 1000 units an inch
//   w.setWindowOrg(0, 0);
//   w.setWindowExt(8268, 11693);
//   w.setBkMode(WmfWriter::Transparent);
//   const auto font = w.createFontIndirect({.height = -167, .weight = 700, .faceName = "Arial"});
//   w.selectObject(font);
//   w.textOut(1000, 1000, "Title");
//   w.deleteObject(font);
//   std::vector<std::uint8_t> bytes = w.file();

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/report/wmf_records.h"

namespace fw::report {

struct WmfRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The logical font of a CreateFontIndirect record. A negative height asks
// for that character height (without internal leading), as reports do.
struct WmfLogFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName{}; // up to 31 bytes are kept; the field is 32 bytes, zero-filled
};

class WmfWriter {
public:
    // Pen and brush styles, background modes and text alignment flags.
    static constexpr std::uint16_t PenSolid = 0;
    static constexpr std::uint16_t PenNull = 5;
    static constexpr std::uint16_t BrushSolid = 0;
    static constexpr std::uint16_t BrushNull = 1;
    static constexpr std::uint16_t Transparent = 1;
    static constexpr std::uint16_t Opaque = 2;
    static constexpr std::uint16_t AlignLeftTop = 0; // TA_LEFT | TA_TOP | TA_NOUPDATECP

    explicit WmfWriter(WmfRect boundingBox, std::uint16_t unitsPerInch = 1000);

    std::uint16_t createFontIndirect(const WmfLogFont& font);
    std::uint16_t createPenIndirect(std::uint16_t style, int width, std::uint32_t color);
    std::uint16_t createBrushIndirect(std::uint16_t style, std::uint32_t color, std::uint16_t hatch = 0);
    void selectObject(std::uint16_t index);
    void deleteObject(std::uint16_t index); // frees the slot for the next create

    void setTextColor(std::uint32_t color); // 0x00BBGGRR
    void setBkMode(std::uint16_t mode);
    void setTextAlign(std::uint16_t align);
    void setWindowOrg(int x, int y);
    void setWindowExt(int width, int height);

    // Text is written as the bytes given (at most 65535 of them).
    void textOut(int x, int y, std::string_view text);
    // With a clip rectangle, the text is cut to it (ETO_CLIPPED).
    void extTextOut(int x, int y, std::string_view text, std::optional<WmfRect> clip = std::nullopt);
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void rectangle(int left, int top, int right, int bottom);
    // One pixel in a colour of its own: no pen or brush is involved.
    void setPixel(int x, int y, std::uint32_t color);

    // Any record, parameters as 16-bit words: the building block of the
    // calls above, and a way for tests of a reader to write records that no
    // call above makes.
    void record(std::uint16_t function, std::span<const std::uint16_t> parameters);

    // The whole file: both headers, the records so far and the end record.
    // The writer can go on collecting records afterwards.
    std::vector<std::uint8_t> file() const;

    std::size_t recordCount() const { return m_recordCount; }
    std::size_t objectTableSize() const { return m_slots.size(); }

private:
    std::uint16_t takeSlot();
    void beginRecord(std::uint16_t function);
    void endRecord();
    // A whole record whose parameters are one point, stored Y before X.
    void pointRecord(std::uint16_t function, int x, int y);
    void word(int value); // one 16-bit word, clamped to the signed range
    void uword(std::uint16_t value);
    void dword(std::uint32_t value);
    void bytes(std::string_view data); // padded to a whole number of words

    std::vector<std::uint8_t> m_records;
    std::vector<bool> m_slots; // true while the slot holds an object
    WmfRect m_box;
    std::size_t m_recordStart = 0;
    std::size_t m_recordCount = 0;
    std::uint32_t m_maxRecordWords = 3; // the end record
    std::uint16_t m_unitsPerInch;
};

} // namespace fw::report
