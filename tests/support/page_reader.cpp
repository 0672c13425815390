#include "tests/support/page_reader.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/report/wmf_writer.h"

namespace test_support {

std::vector<std::uint8_t> readFileBytes(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ReadPage readPage(const std::vector<std::uint8_t>& f)
{
    ReadPage p;
    auto u16 = [&](std::size_t at) { return static_cast<std::uint16_t>(f[at] | f[at + 1] << 8); };
    auto s16 = [&](std::size_t at) { return static_cast<int>(static_cast<std::int16_t>(u16(at))); };
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16);
    };

    if (f.size() < 40 + 6) {
        p.fault = "file too short";
        return p;
    }
    p.key = u32(0);
    p.boxLeft = s16(6);
    p.boxTop = s16(8);
    p.boxRight = s16(10);
    p.boxBottom = s16(12);
    p.inch = u16(14);
    p.checksum = u16(20);
    for (std::size_t i = 0; i < 20; i += 2)
        p.checksumComputed ^= u16(i);
    p.sizeWords = u32(28);
    p.objects = u16(32);
    p.maxRecord = u32(34);
    if (u16(22) != 1 || u16(24) != 9 || u16(26) != 0x0300) {
        p.fault = "bad metafile header";
        return p;
    }
    if (p.sizeWords * 2 != f.size() - 22) {
        p.fault = "header size does not match the file";
        return p;
    }

    struct Object {
        enum Kind { None, Font, Pen, Brush } kind = None;
        ReadFont font;
        std::uint32_t color = 0;
        bool hollow = false;
    };
    std::vector<Object> table(p.objects);
    ReadFont font;
    std::uint32_t textColor = 0, penColor = 0;
    bool hollowBrush = false;
    int curX = 0, curY = 0;
    std::uint32_t largest = 0;

    std::size_t at = 40;
    bool ended = false;
    while (at + 6 <= f.size()) {
        const std::uint32_t words = u32(at);
        const std::uint16_t fn = u16(at + 4);
        if (words < 3 || at + words * 2 > f.size()) {
            p.fault = "record size out of bounds";
            return p;
        }
        largest = std::max(largest, words);
        p.functions.push_back(fn);
        const std::size_t q = at + 6; // first parameter
        const std::size_t end = at + words * 2;
        auto need = [&](std::size_t bytes) { return q + bytes <= end; };
        auto slot = [&](std::uint16_t index) -> Object* { return index < table.size() ? &table[index] : nullptr; };
        auto freeSlot = [&]() -> Object* {
            for (Object& o : table)
                if (o.kind == Object::None)
                    return &o;
            return nullptr;
        };
        using namespace fw::report;
        // clang-format off
        switch (fn) {
        case WmfFunction::Eof:
            ended = true;
            break;
        case WmfFunction::SetWindowExt:
            if (!need(4)) { p.fault = "short record"; return p; }
            p.windowHeight = s16(q);
            p.windowWidth = s16(q + 2);
            break;
        case WmfFunction::SetBkMode:
            if (!need(2)) { p.fault = "short record"; return p; }
            p.bkMode = u16(q);
            break;
        case WmfFunction::SetTextColor:
            if (!need(4)) { p.fault = "short record"; return p; }
            textColor = u32(q);
            break;
        case WmfFunction::CreateFontIndirect: {
            if (!need(18 + 32)) { p.fault = "short font record"; return p; }
            Object* o = freeSlot();
            if (!o) { p.fault = "object table full"; return p; }
            o->kind = Object::Font;
            o->font.height = s16(q);
            o->font.weight = s16(q + 8);
            o->font.italic = f[q + 10] != 0;
            o->font.charSet = f[q + 13];
            o->font.face.assign(reinterpret_cast<const char*>(&f[q + 18]), strnlen(reinterpret_cast<const char*>(&f[q + 18]), 32));
            break;
        }
        case WmfFunction::CreatePenIndirect: {
            if (!need(10)) { p.fault = "short pen record"; return p; }
            Object* o = freeSlot();
            if (!o) { p.fault = "object table full"; return p; }
            o->kind = Object::Pen;
            o->color = u32(q + 6);
            break;
        }
        case WmfFunction::CreateBrushIndirect: {
            if (!need(8)) { p.fault = "short brush record"; return p; }
            Object* o = freeSlot();
            if (!o) { p.fault = "object table full"; return p; }
            o->kind = Object::Brush;
            o->color = u32(q + 2);
            o->hollow = u16(q) == WmfWriter::BrushNull;
            break;
        }
        case WmfFunction::SelectObject: {
            Object* o = need(2) ? slot(u16(q)) : nullptr;
            if (!o || o->kind == Object::None) { p.fault = "select of no object"; return p; }
            if (o->kind == Object::Font)
                font = o->font;
            else if (o->kind == Object::Pen)
                penColor = o->color;
            else
                hollowBrush = o->hollow;
            break;
        }
        case WmfFunction::DeleteObject: {
            Object* o = need(2) ? slot(u16(q)) : nullptr;
            if (!o || o->kind == Object::None) { p.fault = "delete of no object"; return p; }
            o->kind = Object::None;
            break;
        }
        case WmfFunction::MoveTo:
            if (!need(4)) { p.fault = "short record"; return p; }
            curY = s16(q);
            curX = s16(q + 2);
            break;
        case WmfFunction::LineTo:
            if (!need(4)) { p.fault = "short record"; return p; }
            p.lines.push_back({curX, curY, s16(q + 2), s16(q), penColor});
            curY = s16(q);
            curX = s16(q + 2);
            break;
        case WmfFunction::SetPixel:
            if (!need(8)) { p.fault = "short record"; return p; }
            p.pixels.push_back({s16(q + 6), s16(q + 4), u32(q)});
            break;
        case WmfFunction::Rectangle:
            if (!need(8)) { p.fault = "short record"; return p; }
            p.boxes.push_back({s16(q + 6), s16(q + 4), s16(q + 2), s16(q), penColor, hollowBrush});
            break;
        case WmfFunction::TextOut: {
            if (!need(2)) { p.fault = "short record"; return p; }
            const std::size_t n = u16(q);
            const std::size_t padded = (n + 1) / 2 * 2;
            if (!need(2 + padded + 4)) { p.fault = "text beyond record"; return p; }
            ReadText t;
            t.text.assign(reinterpret_cast<const char*>(&f[q + 2]), n);
            t.y = s16(q + 2 + padded);
            t.x = s16(q + 2 + padded + 2);
            t.font = font;
            t.color = textColor;
            p.texts.push_back(t);
            break;
        }
        case WmfFunction::ExtTextOut: {
            if (!need(8)) { p.fault = "short record"; return p; }
            ReadText t;
            t.y = s16(q);
            t.x = s16(q + 2);
            const std::size_t n = u16(q + 4);
            const std::uint16_t opts = u16(q + 6);
            std::size_t s = q + 8;
            if (opts & (WmfTextOption::Clipped | WmfTextOption::Opaque)) {
                if (!need(16)) { p.fault = "short record"; return p; }
                t.clipped = (opts & WmfTextOption::Clipped) != 0;
                t.clipLeft = s16(s);
                t.clipTop = s16(s + 2);
                t.clipRight = s16(s + 4);
                t.clipBottom = s16(s + 6);
                s += 8;
            }
            if (s + n > end) { p.fault = "text beyond record"; return p; }
            t.text.assign(reinterpret_cast<const char*>(&f[s]), n);
            t.font = font;
            t.color = textColor;
            p.texts.push_back(t);
            break;
        }
        default:
            break;
        }
        // clang-format on
        at += words * 2;
        if (ended)
            break;
    }
    if (!ended)
        p.fault = "no end record";
    else if (at != f.size())
        p.fault = "bytes after the end record";
    else if (largest != p.maxRecord)
        p.fault = "header's largest record is wrong";
    return p;
}

ReadPage readPageFile(const std::string& name) { return readPage(readFileBytes(name)); }

} // namespace test_support
