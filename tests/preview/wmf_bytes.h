#pragma once
// Builds placeable metafiles byte by byte for the player's tests, including
// the broken ones no writer would make: wrong sizes, bad indexes, cut files.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace fw::preview::test {

class WmfBytes {
public:
    WmfBytes(std::int16_t right = 8000, std::int16_t bottom = 11000, std::uint16_t unitsPerInch = 1000,
             std::uint16_t objects = 8)
    {
        header(0, 0, right, bottom, unitsPerInch, objects);
    }

    // A record with its true size.
    WmfBytes& record(std::uint16_t function, std::initializer_list<std::uint16_t> words = {})
    {
        return record(function, std::vector<std::uint16_t>(words));
    }
    WmfBytes& record(std::uint16_t function, const std::vector<std::uint16_t>& words)
    {
        return rawRecord(std::uint32_t(3 + words.size()), function, words);
    }
    // A record whose size field says what the test wants.
    WmfBytes& rawRecord(std::uint32_t sizeWords, std::uint16_t function, const std::vector<std::uint16_t>& words)
    {
        dword(sizeWords);
        word(function);
        for (std::uint16_t w : words)
            word(w);
        return *this;
    }
    WmfBytes& rawBytes(std::string_view bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }

    WmfBytes& pen(std::uint16_t style, std::int16_t width, std::uint32_t color)
    {
        return record(0x02FA,
                      {style, std::uint16_t(width), 0, std::uint16_t(color & 0xFFFF), std::uint16_t(color >> 16)});
    }
    WmfBytes& brush(std::uint16_t style, std::uint32_t color, std::uint16_t hatch = 0)
    {
        return record(0x02FC, {style, std::uint16_t(color & 0xFFFF), std::uint16_t(color >> 16), hatch});
    }
    WmfBytes& font(std::int16_t height, std::string_view face, std::int16_t weight = 400, std::uint8_t charSet = 0)
    {
        // clang-format off
        std::vector<std::uint16_t> w{std::uint16_t(height), 0, 0, 0, std::uint16_t(weight), 0,
                                     std::uint16_t(charSet << 8), 0, 0};
        // clang-format on
        std::string name(face);
        name.resize(32, '\0');
        for (std::size_t i = 0; i < 32; i += 2)
            w.push_back(std::uint16_t(std::uint8_t(name[i]) | (std::uint8_t(name[i + 1]) << 8)));
        return record(0x02FB, w);
    }
    WmfBytes& select(std::uint16_t index) { return record(0x012D, {index}); }
    WmfBytes& remove(std::uint16_t index) { return record(0x01F0, {index}); }
    WmfBytes& windowOrg(std::int16_t x, std::int16_t y) { return record(0x020B, {u(y), u(x)}); }
    WmfBytes& windowExt(std::int16_t x, std::int16_t y) { return record(0x020C, {u(y), u(x)}); }
    WmfBytes& textColor(std::uint32_t c) { return record(0x0209, {std::uint16_t(c & 0xFFFF), std::uint16_t(c >> 16)}); }
    WmfBytes& bkColor(std::uint32_t c) { return record(0x0201, {std::uint16_t(c & 0xFFFF), std::uint16_t(c >> 16)}); }
    WmfBytes& bkMode(std::uint16_t mode) { return record(0x0102, {mode}); }
    WmfBytes& textAlign(std::uint16_t align) { return record(0x012E, {align}); }
    WmfBytes& moveTo(std::int16_t x, std::int16_t y) { return record(0x0214, {u(y), u(x)}); }
    WmfBytes& lineTo(std::int16_t x, std::int16_t y) { return record(0x0213, {u(y), u(x)}); }
    WmfBytes& rectangle(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b)
    {
        return record(0x041B, {u(b), u(r), u(t), u(l)});
    }
    WmfBytes& ellipse(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b)
    {
        return record(0x0418, {u(b), u(r), u(t), u(l)});
    }
    WmfBytes& intersectClip(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b)
    {
        return record(0x0416, {u(b), u(r), u(t), u(l)});
    }
    WmfBytes& polyline(std::uint16_t function, const std::vector<std::pair<std::int16_t, std::int16_t>>& points)
    {
        std::vector<std::uint16_t> w{std::uint16_t(points.size())};
        for (auto [x, y] : points)
            w.push_back(u(x)), w.push_back(u(y));
        return record(function, w);
    }
    WmfBytes& textOut(std::int16_t x, std::int16_t y, std::string_view text)
    {
        std::vector<std::uint16_t> w{std::uint16_t(text.size())};
        appendText(w, text);
        w.push_back(u(y));
        w.push_back(u(x));
        return record(0x0521, w);
    }
    WmfBytes& saveDc() { return record(0x001E); }
    WmfBytes& restoreDc(std::int16_t which) { return record(0x0127, {u(which)}); }
    WmfBytes& end() { return record(0x0000); }

    void breakChecksum() { m_bytes[20] ^= 0xFF; }
    void setUint16(std::size_t offset, std::uint16_t v)
    {
        m_bytes[offset] = std::uint8_t(v & 0xFF);
        m_bytes[offset + 1] = std::uint8_t(v >> 8);
    }

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::size_t size() const { return m_bytes.size(); }

    static void appendText(std::vector<std::uint16_t>& w, std::string_view text)
    {
        for (std::size_t i = 0; i < text.size(); i += 2) {
            const std::uint8_t lo = std::uint8_t(text[i]);
            const std::uint8_t hi = i + 1 < text.size() ? std::uint8_t(text[i + 1]) : 0;
            w.push_back(std::uint16_t(lo | (hi << 8)));
        }
    }
    static std::uint16_t u(std::int16_t v) { return std::uint16_t(v); }

private:
    void header(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom, std::uint16_t upi,
                std::uint16_t objects)
    {
        dword(0x9AC6CDD7);
        word(0);
        word(u(left));
        word(u(top));
        word(u(right));
        word(u(bottom));
        word(upi);
        dword(0);
        std::uint16_t sum = 0;
        for (std::size_t i = 0; i < 20; i += 2)
            sum ^= std::uint16_t(m_bytes[i] | (m_bytes[i + 1] << 8));
        word(sum);
        // clang-format off
        word(1);       // memory metafile
        word(9);       // header words
        word(0x0300);  // version
        dword(0);      // size: not relied on
        word(objects);
        dword(0);      // largest record
        word(0);       // members
        // clang-format on
    }
    void word(std::uint16_t v)
    {
        m_bytes.push_back(std::uint8_t(v & 0xFF));
        m_bytes.push_back(std::uint8_t(v >> 8));
    }
    void dword(std::uint32_t v)
    {
        word(std::uint16_t(v & 0xFFFF));
        word(std::uint16_t(v >> 16));
    }

    std::vector<std::uint8_t> m_bytes;
};

} // namespace fw::preview::test
