#pragma once
// The record vocabulary of a placeable Windows metafile, shared by the
// report's page writer and the previewer's player so that both speak of one
// set of numbers.

#include <cstddef>
#include <cstdint>
#include <span>

namespace fw::report {

// Record function numbers. The low byte names the function, the high byte is
// the number of parameter words GDI expected (not relied on: a record's size
// field is).
namespace WmfFunction {
inline constexpr std::uint16_t Eof = 0x0000;
inline constexpr std::uint16_t SaveDC = 0x001E;
inline constexpr std::uint16_t RealizePalette = 0x0035;
inline constexpr std::uint16_t SetPaletteEntries = 0x0037;
inline constexpr std::uint16_t CreatePalette = 0x00F7;
inline constexpr std::uint16_t SetBkMode = 0x0102;
inline constexpr std::uint16_t SetMapMode = 0x0103;
inline constexpr std::uint16_t SetRop2 = 0x0104;
inline constexpr std::uint16_t SetRelAbs = 0x0105;
inline constexpr std::uint16_t SetPolyFillMode = 0x0106;
inline constexpr std::uint16_t SetStretchBltMode = 0x0107;
inline constexpr std::uint16_t SetTextCharExtra = 0x0108;
inline constexpr std::uint16_t RestoreDC = 0x0127;
inline constexpr std::uint16_t InvertRegion = 0x012A;
inline constexpr std::uint16_t PaintRegion = 0x012B;
inline constexpr std::uint16_t SelectClipRegion = 0x012C;
inline constexpr std::uint16_t SelectObject = 0x012D;
inline constexpr std::uint16_t SetTextAlign = 0x012E;
inline constexpr std::uint16_t ResizePalette = 0x0139;
inline constexpr std::uint16_t DibCreatePatternBrush = 0x0142;
inline constexpr std::uint16_t SetLayout = 0x0149;
inline constexpr std::uint16_t DeleteObject = 0x01F0;
inline constexpr std::uint16_t CreatePatternBrush = 0x01F9;
inline constexpr std::uint16_t SetBkColor = 0x0201;
inline constexpr std::uint16_t SetTextColor = 0x0209;
inline constexpr std::uint16_t SetTextJustification = 0x020A;
inline constexpr std::uint16_t SetWindowOrg = 0x020B;
inline constexpr std::uint16_t SetWindowExt = 0x020C;
inline constexpr std::uint16_t SetViewportOrg = 0x020D;
inline constexpr std::uint16_t SetViewportExt = 0x020E;
inline constexpr std::uint16_t OffsetWindowOrg = 0x020F;
inline constexpr std::uint16_t OffsetViewportOrg = 0x0211;
inline constexpr std::uint16_t LineTo = 0x0213;
inline constexpr std::uint16_t MoveTo = 0x0214;
inline constexpr std::uint16_t OffsetClipRgn = 0x0220;
inline constexpr std::uint16_t FillRegion = 0x0228;
inline constexpr std::uint16_t SetMapperFlags = 0x0231;
inline constexpr std::uint16_t SelectPalette = 0x0234;
inline constexpr std::uint16_t CreatePenIndirect = 0x02FA;
inline constexpr std::uint16_t CreateFontIndirect = 0x02FB;
inline constexpr std::uint16_t CreateBrushIndirect = 0x02FC;
inline constexpr std::uint16_t Polygon = 0x0324;
inline constexpr std::uint16_t Polyline = 0x0325;
inline constexpr std::uint16_t ScaleWindowExt = 0x0410;
inline constexpr std::uint16_t ScaleViewportExt = 0x0412;
inline constexpr std::uint16_t ExcludeClipRect = 0x0415;
inline constexpr std::uint16_t IntersectClipRect = 0x0416;
inline constexpr std::uint16_t Ellipse = 0x0418;
inline constexpr std::uint16_t FloodFill = 0x0419;
inline constexpr std::uint16_t Rectangle = 0x041B;
inline constexpr std::uint16_t SetPixel = 0x041F;
inline constexpr std::uint16_t FrameRegion = 0x0429;
inline constexpr std::uint16_t AnimatePalette = 0x0436;
inline constexpr std::uint16_t TextOut = 0x0521;
inline constexpr std::uint16_t PolyPolygon = 0x0538;
inline constexpr std::uint16_t ExtFloodFill = 0x0548;
inline constexpr std::uint16_t RoundRect = 0x061C;
inline constexpr std::uint16_t PatBlt = 0x061D;
inline constexpr std::uint16_t Escape = 0x0626;
inline constexpr std::uint16_t CreateRegion = 0x06FF;
inline constexpr std::uint16_t Arc = 0x0817;
inline constexpr std::uint16_t Pie = 0x081A;
inline constexpr std::uint16_t Chord = 0x0830;
inline constexpr std::uint16_t BitBlt = 0x0922;
inline constexpr std::uint16_t DibBitBlt = 0x0940;
inline constexpr std::uint16_t ExtTextOut = 0x0A32;
inline constexpr std::uint16_t StretchBlt = 0x0B23;
inline constexpr std::uint16_t DibStretchBlt = 0x0B41;
inline constexpr std::uint16_t SetDibToDev = 0x0D33;
inline constexpr std::uint16_t StretchDib = 0x0F43;
} // namespace WmfFunction

// Text alignment flags as GDI stores them (SetTextAlign).
namespace WmfAlign {
inline constexpr std::uint16_t UpdateCurrentPosition = 0x0001;
inline constexpr std::uint16_t HorizontalMask = 0x0006;
inline constexpr std::uint16_t Right = 0x0002;
inline constexpr std::uint16_t Center = 0x0006;
inline constexpr std::uint16_t VerticalMask = 0x0018;
inline constexpr std::uint16_t Bottom = 0x0008;
inline constexpr std::uint16_t Baseline = 0x0018;
} // namespace WmfAlign

// ExtTextOut options.
namespace WmfTextOption {
inline constexpr std::uint16_t Opaque = 0x0002;
inline constexpr std::uint16_t Clipped = 0x0004;
} // namespace WmfTextOption

inline constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
inline constexpr std::size_t PlaceableHeaderSize = 22;
inline constexpr std::size_t MetafileHeaderSize = 18;

// The placeable header's checksum: the XOR of its first ten 16-bit words
// (the 20 bytes before the checksum itself).
inline std::uint16_t placeableChecksum(std::span<const std::uint8_t, 20> header)
{
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < header.size(); i += 2)
        sum ^= static_cast<std::uint16_t>(header[i] | (header[i + 1] << 8));
    return sum;
}

} // namespace fw::report
