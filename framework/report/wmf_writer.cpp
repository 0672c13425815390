#include "framework/report/wmf_writer.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace fw::report {

namespace {

constexpr std::size_t FaceNameSize = 32;

std::int16_t clamp16(int value) { return static_cast<std::int16_t>(std::clamp(value, -32768, 32767)); }

void put16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

WmfWriter::WmfWriter(WmfRect boundingBox, std::uint16_t unitsPerInch) : m_box(boundingBox), m_unitsPerInch(unitsPerInch)
{
    m_records.reserve(8192);
}

// Records are written in place: the size is patched when the record ends, so
// every call below lists its fields in file order, one line each.

// clang-format off
void WmfWriter::beginRecord(std::uint16_t function)
{
    m_recordStart = m_records.size();
    dword(0);                          // RecordSize, in words, patched by endRecord
    uword(function);                   // RecordFunction
}

void WmfWriter::endRecord()
{
    const std::size_t size = m_records.size() - m_recordStart;
    assert(size % 2 == 0);
    const auto words = static_cast<std::uint32_t>(size / 2);
    for (int i = 0; i < 4; ++i)
        m_records[m_recordStart + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(words >> (8 * i));
    m_maxRecordWords = std::max(m_maxRecordWords, words);
    ++m_recordCount;
}

void WmfWriter::word(int value) { put16(m_records, static_cast<std::uint16_t>(clamp16(value))); }
void WmfWriter::uword(std::uint16_t value) { put16(m_records, value); }
void WmfWriter::dword(std::uint32_t value) { put32(m_records, value); }

void WmfWriter::bytes(std::string_view data)
{
    m_records.insert(m_records.end(), data.begin(), data.end());
    if (data.size() % 2 != 0)
        m_records.push_back(0);
}

void WmfWriter::record(std::uint16_t function, std::span<const std::uint16_t> parameters)
{
    beginRecord(function);
    for (std::uint16_t p : parameters)
        uword(p);
    endRecord();
}

std::uint16_t WmfWriter::takeSlot()
{
    const auto free = std::find(m_slots.begin(), m_slots.end(), false);
    const auto index = static_cast<std::uint16_t>(free - m_slots.begin());
    if (free == m_slots.end())
        m_slots.push_back(true);
    else
        *free = true;
    return index;
}

std::uint16_t WmfWriter::createFontIndirect(const WmfLogFont& font)
{
    std::array<char, FaceNameSize> face{};
    std::copy_n(font.faceName.begin(), std::min(font.faceName.size(), FaceNameSize - 1), face.begin());

    beginRecord(WmfFunction::CreateFontIndirect);
    word(font.height);                                   // Height
    word(font.width);                                    // Width
    word(font.escapement);                               // Escapement
    word(font.orientation);                              // Orientation
    word(font.weight);                                   // Weight
    m_records.push_back(font.italic ? 1 : 0);            // Italic
    m_records.push_back(font.underline ? 1 : 0);         // Underline
    m_records.push_back(font.strikeOut ? 1 : 0);         // StrikeOut
    m_records.push_back(font.charSet);                   // CharSet
    m_records.push_back(font.outPrecision);              // OutPrecision
    m_records.push_back(font.clipPrecision);             // ClipPrecision
    m_records.push_back(font.quality);                   // Quality
    m_records.push_back(font.pitchAndFamily);            // PitchAndFamily
    bytes(std::string_view(face.data(), face.size()));   // Facename, zero-filled
    endRecord();
    return takeSlot();
}

std::uint16_t WmfWriter::createPenIndirect(std::uint16_t style, int width, std::uint32_t color)
{
    beginRecord(WmfFunction::CreatePenIndirect);
    uword(style);                      // PenStyle
    word(width);                       // Width.x
    word(0);                           // Width.y, unused
    dword(color);                      // ColorRef
    endRecord();
    return takeSlot();
}

std::uint16_t WmfWriter::createBrushIndirect(std::uint16_t style, std::uint32_t color, std::uint16_t hatch)
{
    beginRecord(WmfFunction::CreateBrushIndirect);
    uword(style);                      // BrushStyle
    dword(color);                      // ColorRef
    uword(hatch);                      // BrushHatch
    endRecord();
    return takeSlot();
}

void WmfWriter::selectObject(std::uint16_t index)
{
    beginRecord(WmfFunction::SelectObject);
    uword(index);                      // ObjectIndex
    endRecord();
}

void WmfWriter::deleteObject(std::uint16_t index)
{
    beginRecord(WmfFunction::DeleteObject);
    uword(index);                      // ObjectIndex
    endRecord();
    if (index < m_slots.size())
        m_slots[index] = false;
}

void WmfWriter::setTextColor(std::uint32_t color)
{
    beginRecord(WmfFunction::SetTextColor);
    dword(color);                      // ColorRef
    endRecord();
}

void WmfWriter::setBkMode(std::uint16_t mode)
{
    beginRecord(WmfFunction::SetBkMode);
    uword(mode);                       // BkMode
    endRecord();
}

void WmfWriter::pointRecord(std::uint16_t function, int x, int y)
{
    beginRecord(function);
    word(y);                           // Y
    word(x);                           // X
    endRecord();
}

void WmfWriter::setTextAlign(std::uint16_t align)
{
    beginRecord(WmfFunction::SetTextAlign);
    uword(align);                      // TextAlignmentMode
    endRecord();
}

void WmfWriter::setWindowOrg(int x, int y) { pointRecord(WmfFunction::SetWindowOrg, x, y); }

void WmfWriter::setWindowExt(int width, int height) { pointRecord(WmfFunction::SetWindowExt, width, height); }

void WmfWriter::textOut(int x, int y, std::string_view text)
{
    text = text.substr(0, 0xFFFF);
    beginRecord(WmfFunction::TextOut);
    uword(static_cast<std::uint16_t>(text.size())); // StringLength, in bytes
    bytes(text);                                     // String, padded to a word
    word(y);                                         // YStart
    word(x);                                         // XStart
    endRecord();
}

void WmfWriter::extTextOut(int x, int y, std::string_view text, std::optional<WmfRect> clip)
{
    text = text.substr(0, 0xFFFF);
    beginRecord(WmfFunction::ExtTextOut);
    word(y);                                              // Y
    word(x);                                              // X
    uword(static_cast<std::uint16_t>(text.size()));       // StringLength, in bytes
    uword(clip ? WmfTextOption::Clipped : 0);             // fwOpts
    if (clip) {
        word(clip->left);                                 // Rectangle.Left
        word(clip->top);                                  // Rectangle.Top
        word(clip->right);                                // Rectangle.Right
        word(clip->bottom);                               // Rectangle.Bottom
    }
    bytes(text);                                          // String, padded to a word; no Dx array
    endRecord();
}

void WmfWriter::moveTo(int x, int y) { pointRecord(WmfFunction::MoveTo, x, y); }

void WmfWriter::lineTo(int x, int y) { pointRecord(WmfFunction::LineTo, x, y); }

void WmfWriter::rectangle(int left, int top, int right, int bottom)
{
    beginRecord(WmfFunction::Rectangle);
    word(bottom);                      // BottomRect
    word(right);                       // RightRect
    word(top);                         // TopRect
    word(left);                        // LeftRect
    endRecord();
}

void WmfWriter::setPixel(int x, int y, std::uint32_t color)
{
    beginRecord(WmfFunction::SetPixel);
    dword(color);                      // ColorRef
    word(y);                           // Y
    word(x);                           // X
    endRecord();
}

std::vector<std::uint8_t> WmfWriter::file() const
{
    constexpr std::uint32_t EofWords = 3;
    const auto totalWords = static_cast<std::uint32_t>((MetafileHeaderSize + m_records.size()) / 2 + EofWords);

    std::vector<std::uint8_t> out;
    out.reserve(PlaceableHeaderSize + MetafileHeaderSize + m_records.size() + 2 * EofWords);

    // Placeable header.
    put32(out, PlaceableKey);                                   // Key
    put16(out, 0);                                              // HWmf
    put16(out, static_cast<std::uint16_t>(clamp16(m_box.left)));   // BoundingBox.Left
    put16(out, static_cast<std::uint16_t>(clamp16(m_box.top)));    // BoundingBox.Top
    put16(out, static_cast<std::uint16_t>(clamp16(m_box.right)));  // BoundingBox.Right
    put16(out, static_cast<std::uint16_t>(clamp16(m_box.bottom))); // BoundingBox.Bottom
    put16(out, m_unitsPerInch);                                 // Inch
    put32(out, 0);                                              // Reserved
    put16(out, placeableChecksum(std::span<const std::uint8_t, 20>(out.data(), 20))); // Checksum

    // Metafile header.
    put16(out, 1);                                              // Type: memory metafile
    put16(out, MetafileHeaderSize / 2);                         // HeaderSize, in words
    put16(out, 0x0300);                                         // Version
    put32(out, totalWords);                                     // Size, in words
    put16(out, static_cast<std::uint16_t>(m_slots.size()));     // NumberOfObjects
    put32(out, m_maxRecordWords);                               // MaxRecord, in words
    put16(out, 0);                                              // NumberOfMembers

    out.insert(out.end(), m_records.begin(), m_records.end());

    // End record.
    put32(out, EofWords);                                       // RecordSize
    put16(out, WmfFunction::Eof);                               // RecordFunction
    return out;
}
// clang-format on

} // namespace fw::report
