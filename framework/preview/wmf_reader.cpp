#include "framework/preview/wmf_reader.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace fw::preview {

namespace {

// The player knows the records by the names the page writer gives them.
using namespace fw::report::WmfFunction;

// Raster operations of PatBlt that have a meaning without a destination.
constexpr std::uint32_t RopPatCopy = 0x00F00021;
constexpr std::uint32_t RopBlackness = 0x00000042;
constexpr std::uint32_t RopWhiteness = 0x00FF0062;

// An object the player keeps in the table but never draws with.
enum class OtherObject : std::uint8_t { Palette, PatternBrush, Region };
using TableObject = std::variant<WmfPen, WmfBrush, WmfFont, OtherObject>;

// Little-endian reads inside one span; a read past the end sets failed()
// and returns 0, so a record's decoder reads all its fields and checks once.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint8_t u8()
    {
        if (!need(1))
            return 0;
        return m_bytes[m_pos++];
    }
    std::uint16_t u16()
    {
        if (!need(2))
            return 0;
        const std::uint16_t v = std::uint16_t(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    std::int16_t i16() { return std::int16_t(u16()); }
    std::uint32_t u32()
    {
        const std::uint32_t low = u16();
        const std::uint32_t high = u16();
        return low | (high << 16);
    }
    WmfColor color()
    {
        WmfColor c;
        c.red = u8();
        c.green = u8();
        c.blue = u8();
        u8(); // reserved
        return c;
    }
    // GDI writes most coordinates y first.
    WmfPoint pointYX()
    {
        WmfPoint p;
        p.y = i16();
        p.x = i16();
        return p;
    }
    WmfPoint pointXY()
    {
        WmfPoint p;
        p.x = i16();
        p.y = i16();
        return p;
    }
    // Bottom, right, top, left: the order of the shape records.
    WmfRect rectBRTL()
    {
        WmfRect r;
        r.bottom = i16();
        r.right = i16();
        r.top = i16();
        r.left = i16();
        return r;
    }
    WmfRect rectLTRB()
    {
        WmfRect r;
        r.left = i16();
        r.top = i16();
        r.right = i16();
        r.bottom = i16();
        return r;
    }
    std::string bytes(std::size_t n)
    {
        if (!need(n))
            return {};
        std::string s(reinterpret_cast<const char*>(m_bytes.data() + m_pos), n);
        m_pos += n;
        return s;
    }
    void skip(std::size_t n)
    {
        if (need(n))
            m_pos += n;
    }

    std::size_t left() const { return m_bytes.size() - m_pos; }
    std::size_t position() const { return m_pos; }
    bool failed() const { return m_failed; }

private:
    bool need(std::size_t n)
    {
        if (m_failed || n > m_bytes.size() - m_pos) {
            m_failed = true;
            return false;
        }
        return true;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

std::string entries(std::size_t n) { return std::to_string(n) + (n == 1 ? " entry" : " entries"); }

std::string hex4(std::uint16_t v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%04X", unsigned(v));
    return buf;
}

class Parser {
public:
    explicit Parser(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool run()
    {
        if (!readHeaders())
            return false;
        std::size_t pos = fw::report::PlaceableHeaderSize + fw::report::MetafileHeaderSize;
        for (;;) {
            const std::size_t left = m_bytes.size() - pos;
            if (left == 0)
                return fileFault("the file ends without an end record");
            if (m_doc.recordCount == WmfMaxRecords)
                return fileFault("the file has more than " + std::to_string(WmfMaxRecords) + " records");
            ++m_doc.recordCount;
            m_offset = pos;
            m_function = 0;
            if (left < 6)
                return recordFault("the record header needs 6 bytes but only " + std::to_string(left) + " are left");
            Reader head(m_bytes.subspan(pos, 6));
            const std::uint32_t words = head.u32();
            m_function = head.u16();
            if (words < 3)
                return recordFault("the size of " + std::to_string(words) + " words is below the minimum of 3");
            if (std::uint64_t(words) * 2 > left)
                return recordFault("the size of " + std::to_string(words) + " words does not fit in the " +
                                   std::to_string(left / 2) + " words left");
            if (m_function == Eof)
                return true;
            const std::size_t size = std::size_t(words) * 2;
            if (!record(Reader(m_bytes.subspan(pos + 6, size - 6))))
                return false;
            pos += size;
        }
    }

private:
    bool readHeaders()
    {
        if (m_bytes.size() < fw::report::PlaceableHeaderSize + fw::report::MetafileHeaderSize)
            return fileFault("the file has " + std::to_string(m_bytes.size()) +
                             " bytes, too few for the placeable and metafile headers");
        Reader r(m_bytes);
        if (r.u32() != fw::report::PlaceableKey)
            return fileFault("the file does not start with the placeable key 0x9AC6CDD7");
        r.u16(); // handle, always 0 on disk
        m_doc.frame.left = r.i16();
        m_doc.frame.top = r.i16();
        m_doc.frame.right = r.i16();
        m_doc.frame.bottom = r.i16();
        m_doc.frame.unitsPerInch = r.u16();
        r.u32(); // reserved
        const std::uint16_t checksum = r.u16();
        m_doc.checksumMatches = fw::report::placeableChecksum(m_bytes.first<20>()) == checksum;
        if (m_doc.frame.unitsPerInch == 0)
            return fileFault("the units per inch are 0");
        if (m_doc.frame.width() <= 0 || m_doc.frame.height() <= 0)
            return fileFault("the bounding box " + std::to_string(m_doc.frame.left) + "," +
                             std::to_string(m_doc.frame.top) + " to " + std::to_string(m_doc.frame.right) + "," +
                             std::to_string(m_doc.frame.bottom) + " is empty");

        const std::uint16_t type = r.u16();
        const std::uint16_t headerWords = r.u16();
        const std::uint16_t version = r.u16();
        r.u32(); // file size in words: writers get it wrong, the end record decides
        const std::uint16_t objects = r.u16();
        if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
            return fileFault("the metafile header is not one of a standard metafile");
        if (objects > WmfMaxObjects)
            return fileFault("the object table of " + entries(objects) + " is above the limit of " +
                             std::to_string(WmfMaxObjects));
        m_doc.objectTableSize = objects;
        m_objects.assign(objects, std::nullopt);
        return true;
    }

    bool record(Reader r)
    {
        switch (m_function) {
        case CreatePenIndirect: {
            WmfPen pen;
            const std::uint16_t style = r.u16();
            pen.width = r.pointXY().x;
            pen.color = r.color();
            // clang-format off
            switch (style & 0x000F) {
            case 1: pen.style = WmfPenStyle::Dash; break;
            case 2: pen.style = WmfPenStyle::Dot; break;
            case 3: pen.style = WmfPenStyle::DashDot; break;
            case 4: pen.style = WmfPenStyle::DashDotDot; break;
            case 5: pen.style = WmfPenStyle::Null; break;
            case 6: pen.style = WmfPenStyle::InsideFrame; break;
            default: pen.style = WmfPenStyle::Solid; break;
            }
            // clang-format on
            if (r.failed())
                return tooShort();
            return create(pen);
        }
        case CreateBrushIndirect: {
            WmfBrush brush;
            const std::uint16_t style = r.u16();
            brush.color = r.color();
            const std::uint16_t hatch = r.u16();
            if (r.failed())
                return tooShort();
            if (style == 1)
                brush.style = WmfBrushStyle::Null;
            else if (style == 2 && hatch <= 5)
                brush.style = WmfBrushStyle::Hatched, brush.hatch = WmfHatch(hatch);
            else
                brush.style = WmfBrushStyle::Solid;
            return create(brush);
        }
        case CreateFontIndirect: {
            WmfFont font;
            font.height = r.i16();
            font.width = r.i16();
            font.escapement = r.i16();
            r.i16(); // orientation: GDI ignores it for horizontal text as well
            font.weight = r.i16();
            font.italic = r.u8() != 0;
            font.underline = r.u8() != 0;
            font.strikeOut = r.u8() != 0;
            font.charSet = r.u8();
            r.u8(); // output precision
            r.u8(); // clip precision
            r.u8(); // quality
            font.pitchAndFamily = r.u8();
            if (r.failed())
                return tooShort();
            // The face name takes at most 32 bytes; writers often shorten the
            // record to the name's NUL, so read no further than the record.
            const std::string face = r.bytes(std::min<std::size_t>(r.left(), 32));
            font.faceName = face.substr(0, face.find('\0'));
            return create(font);
        }
        case CreatePalette:
            return create(OtherObject::Palette);
        case CreatePatternBrush:
        case DibCreatePatternBrush:
            return create(OtherObject::PatternBrush);
        case CreateRegion:
            return create(OtherObject::Region);
        case SelectObject: {
            const std::uint16_t index = r.u16();
            if (r.failed())
                return tooShort();
            const TableObject* object = lookUp(index);
            if (!object)
                return false;
            const TableObject& o = *object;
            if (const auto* pen = std::get_if<WmfPen>(&o))
                emit(WmfSelectPen{*pen});
            else if (const auto* brush = std::get_if<WmfBrush>(&o))
                emit(WmfSelectBrush{*brush});
            else if (const auto* font = std::get_if<WmfFont>(&o))
                emit(WmfSelectFont{*font});
            else if (std::get<OtherObject>(o) == OtherObject::Palette)
                return recordFault("object " + std::to_string(index) +
                                   " is a palette, which SelectObject cannot select");
            // A pattern brush or a region selected is accepted and not drawn.
            return true;
        }
        case SelectPalette: {
            const std::uint16_t index = r.u16();
            if (r.failed())
                return tooShort();
            return lookUpOther(index, OtherObject::Palette, "a palette");
        }
        case DeleteObject: {
            const std::uint16_t index = r.u16();
            if (r.failed())
                return tooShort();
            if (!lookUp(index))
                return false;
            m_objects[index].reset();
            return true;
        }
        case SetTextColor: {
            const WmfColor c = r.color();
            return emitIfRead(r, WmfSetTextColor{c});
        }
        case SetBkColor: {
            const WmfColor c = r.color();
            return emitIfRead(r, WmfSetBackgroundColor{c});
        }
        case SetBkMode: {
            const std::uint16_t mode = r.u16();
            if (r.failed())
                return tooShort();
            if (mode == 1)
                emit(WmfSetBackgroundMode{WmfBackgroundMode::Transparent});
            else if (mode == 2)
                emit(WmfSetBackgroundMode{WmfBackgroundMode::Opaque});
            return true;
        }
        case SetTextAlign: {
            const std::uint16_t align = r.u16();
            return emitIfRead(r, WmfSetTextAlign{align});
        }
        case SetPolyFillMode: {
            const std::uint16_t mode = r.u16();
            if (r.failed())
                return tooShort();
            if (mode == 1 || mode == 2)
                emit(WmfSetFillRule{mode == 2 ? WmfFillRule::Winding : WmfFillRule::Alternate});
            return true;
        }
        case SetWindowOrg: {
            const WmfPoint p = r.pointYX();
            return emitIfRead(r, WmfSetWindowOrg{p});
        }
        case SetWindowExt: {
            const WmfPoint p = r.pointYX();
            if (r.failed())
                return tooShort();
            if (p.x == 0 || p.y == 0)
                return recordFault("the window extent " + std::to_string(p.x) + "," + std::to_string(p.y) +
                                   " is 0 on one axis");
            emit(WmfSetWindowExt{p});
            return true;
        }
        case MoveTo: {
            const WmfPoint p = r.pointYX();
            return emitIfRead(r, WmfMoveTo{p});
        }
        case LineTo: {
            const WmfPoint p = r.pointYX();
            return emitIfRead(r, WmfLineTo{p});
        }
        case Rectangle: {
            const WmfRect rect = r.rectBRTL();
            return emitIfRead(r, WmfRectangle{rect});
        }
        case Ellipse: {
            const WmfRect rect = r.rectBRTL();
            return emitIfRead(r, WmfEllipse{rect});
        }
        case RoundRect: {
            const std::int16_t h = r.i16();
            const std::int16_t w = r.i16();
            const WmfRect rect = r.rectBRTL();
            return emitIfRead(r, WmfRoundRect{rect, w, h});
        }
        case Arc:
        case Pie:
        case Chord: {
            const WmfPoint end = r.pointYX();
            const WmfPoint start = r.pointYX();
            const WmfRect rect = r.rectBRTL();
            const WmfArcKind kind = m_function == Arc   ? WmfArcKind::Arc
                                    : m_function == Pie ? WmfArcKind::Pie
                                                        : WmfArcKind::Chord;
            return emitIfRead(r, WmfArc{kind, rect, start, end});
        }
        case Polyline:
        case Polygon: {
            const std::uint16_t count = r.u16();
            if (r.failed())
                return tooShort();
            if (!pointsFit(r, count))
                return false;
            std::vector<WmfPoint> points = readPoints(r, count);
            if (m_function == Polyline)
                emit(WmfPolyline{std::move(points)});
            else
                emit(WmfPolygon{std::move(points)});
            return true;
        }
        case PolyPolygon: {
            const std::uint16_t polygons = r.u16();
            if (r.failed())
                return tooShort();
            if (!fits(r, std::size_t(polygons) * 2, std::to_string(polygons) + " polygon counts do not fit"))
                return false;
            std::vector<std::uint16_t> counts(polygons);
            std::size_t total = 0;
            for (auto& c : counts)
                total += c = r.u16();
            if (!pointsFit(r, total))
                return false;
            WmfPolyPolygon shape;
            shape.polygons.reserve(polygons);
            for (const std::uint16_t c : counts)
                shape.polygons.push_back(readPoints(r, c));
            emit(std::move(shape));
            return true;
        }
        case SetPixel: {
            const WmfColor c = r.color();
            const WmfPoint p = r.pointYX();
            return emitIfRead(r, WmfSetPixel{p, c});
        }
        case PatBlt: {
            const std::uint32_t rop = r.u32();
            const std::int16_t height = r.i16();
            const std::int16_t width = r.i16();
            const WmfPoint at = r.pointYX();
            if (r.failed())
                return tooShort();
            const WmfRect rect{at.x, at.y, std::int16_t(at.x + width), std::int16_t(at.y + height)};
            if (rop == RopPatCopy)
                emit(WmfFillRect{rect, std::nullopt});
            else if (rop == RopBlackness)
                emit(WmfFillRect{rect, WmfColor{0, 0, 0}});
            else if (rop == RopWhiteness)
                emit(WmfFillRect{rect, WmfColor{255, 255, 255}});
            return true;
        }
        case TextOut: {
            const std::int16_t length = r.i16();
            if (r.failed())
                return tooShort();
            if (!textFits(r, length))
                return false;
            WmfText text;
            text.bytes = r.bytes(std::size_t(length));
            r.skip(std::size_t(length) & 1); // the text is padded to a whole word
            text.at = r.pointYX();
            return emitIfRead(r, std::move(text));
        }
        case ExtTextOut: {
            WmfText text;
            text.at = r.pointYX();
            const std::int16_t length = r.i16();
            text.options = r.u16();
            if (text.options & (WmfTextOption::Opaque | WmfTextOption::Clipped))
                text.rect = r.rectLTRB();
            if (r.failed())
                return tooShort();
            if (!textFits(r, length))
                return false;
            text.bytes = r.bytes(std::size_t(length));
            r.skip(std::size_t(length) & 1);
            // The advances are optional; a record that has fewer than one per
            // byte carries none the player could use.
            if (!r.failed() && r.left() >= std::size_t(length) * 2) {
                text.dx.resize(std::size_t(length));
                for (auto& d : text.dx)
                    d = r.i16();
            }
            return emitIfRead(r, std::move(text));
        }
        case SaveDC:
            if (m_saved == WmfMaxSavedStates)
                return recordFault("more than " + std::to_string(WmfMaxSavedStates) + " saved states");
            ++m_saved;
            emit(WmfSaveState{});
            return true;
        case RestoreDC: {
            const std::int16_t which = r.i16();
            if (r.failed())
                return tooShort();
            // Negative: relative to the last saved state (-1 is the last);
            // positive: the n-th saved state counting from 1.
            std::int64_t depth = which < 0 ? std::int64_t(m_saved) + which : std::int64_t(which) - 1;
            if (which == 0 || depth < 0 || depth >= std::int64_t(m_saved))
                return recordFault("RestoreDC " + std::to_string(which) + " names no saved state (" +
                                   std::to_string(m_saved) + " saved)");
            m_saved = std::uint32_t(depth);
            emit(WmfRestoreState{m_saved});
            return true;
        }
        case IntersectClipRect: {
            const WmfRect rect = r.rectBRTL();
            return emitIfRead(r, WmfIntersectClip{rect});
        }
        case ExcludeClipRect: {
            const WmfRect rect = r.rectBRTL();
            return emitIfRead(r, WmfExcludeClip{rect});
        }
        case SelectClipRegion:
        case FillRegion:
        case FrameRegion:
        case InvertRegion:
        case PaintRegion:
            return checkRegionReference(r);
        default:
            // Escapes, bitmaps, palette changes, mapping and viewport records
            // and records this player does not know: the size was checked,
            // nothing is drawn.
            return true;
        }
    }

    // Region records name a region, FillRegion and FrameRegion a brush as
    // well; the indexes must be live objects even though nothing is drawn.
    bool checkRegionReference(Reader& r)
    {
        const std::uint16_t region = r.u16();
        if (r.failed())
            return tooShort();
        if (m_function == SelectClipRegion && region == 0)
            return true;
        if (!lookUpOther(region, OtherObject::Region, "a region"))
            return false;
        if (m_function == FillRegion || m_function == FrameRegion) {
            const std::uint16_t brush = r.u16();
            if (r.failed())
                return tooShort();
            const TableObject* b = lookUp(brush);
            if (!b)
                return false;
            const auto* pattern = std::get_if<OtherObject>(b);
            if (!std::holds_alternative<WmfBrush>(*b) && !(pattern && *pattern == OtherObject::PatternBrush))
                return recordFault("object " + std::to_string(brush) + " is not a brush");
        }
        return true;
    }

    bool create(TableObject object)
    {
        for (auto& slot : m_objects) {
            if (!slot) {
                slot = std::move(object);
                return true;
            }
        }
        return recordFault("the object table of " + entries(m_objects.size()) + " is full");
    }

    const TableObject* lookUp(std::uint16_t index)
    {
        if (index >= m_objects.size()) {
            recordFault("object index " + std::to_string(index) + " is outside the object table of " +
                        entries(m_objects.size()));
            return nullptr;
        }
        if (!m_objects[index]) {
            recordFault("object " + std::to_string(index) + " does not exist");
            return nullptr;
        }
        return &*m_objects[index];
    }

    // The live object at `index` when it is of `kind` (named `what` in the
    // fault); a fault otherwise.
    bool lookUpOther(std::uint16_t index, OtherObject kind, const char* what)
    {
        const TableObject* object = lookUp(index);
        if (!object)
            return false;
        const auto* other = std::get_if<OtherObject>(object);
        if (!other || *other != kind)
            return recordFault("object " + std::to_string(index) + " is not " + what);
        return true;
    }

    // Counts in a record are checked against what it holds before anything
    // is allocated for them: a damaged count must not make the player read
    // past the record or reserve a huge list.
    bool fits(const Reader& r, std::size_t bytes, const std::string& what)
    {
        if (bytes <= r.left())
            return true;
        return recordFault(what + " in the " + std::to_string(r.left()) + " bytes left in the record");
    }
    bool pointsFit(const Reader& r, std::size_t count)
    {
        return fits(r, count * 4, std::to_string(count) + " points do not fit");
    }
    bool textFits(const Reader& r, std::int16_t length)
    {
        if (length >= 0 && std::size_t(length) <= r.left())
            return true;
        return recordFault("a text of " + std::to_string(length) + " bytes does not fit in the " +
                           std::to_string(r.left()) + " bytes left in the record");
    }
    static std::vector<WmfPoint> readPoints(Reader& r, std::size_t count)
    {
        std::vector<WmfPoint> points(count);
        for (auto& p : points)
            p = r.pointXY();
        return points;
    }

    template <class Command>
    bool emitIfRead(const Reader& r, Command&& command)
    {
        if (r.failed())
            return tooShort();
        emit(std::forward<Command>(command));
        return true;
    }
    void emit(WmfCommand command) { m_doc.commands.push_back(std::move(command)); }

    bool tooShort() { return recordFault("the record is too short for its parameters"); }

    bool recordFault(const std::string& what)
    {
        m_error = "record " + std::to_string(m_doc.recordCount) + " (function " + hex4(m_function) + " at byte " +
                  std::to_string(m_offset) + "): " + what;
        return false;
    }
    bool fileFault(const std::string& what)
    {
        m_error = what;
        return false;
    }

public:
    WmfDocument m_doc;
    std::string m_error;

private:
    std::span<const std::uint8_t> m_bytes;
    std::vector<std::optional<TableObject>> m_objects;
    std::uint32_t m_saved = 0;
    std::size_t m_offset = 0;
    std::uint16_t m_function = 0;
};

} // namespace

core::Expected<WmfDocument> parseWmf(std::span<const std::uint8_t> bytes)
{
    Parser parser(bytes);
    if (!parser.run())
        return core::fail(std::string(WmfLayer), std::move(parser.m_error));
    return std::move(parser.m_doc);
}

} // namespace fw::preview
