#pragma once
// Reads back a page file the way a player draws it, for tests: the header
// fields, and every text, line and box with the font and colour in effect.
// It checks what a strict player checks (sizes, object indexes, the end
// record) and reports the first fault instead of a drawing.

#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

struct ReadFont {
    int height = 0;
    int weight = 0;
    bool italic = false;
    int charSet = 0;
    std::string face;
};

struct ReadText {
    int x = 0;
    int y = 0;
    std::string text;
    ReadFont font;
    std::uint32_t color = 0;
    bool clipped = false;
    int clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
};

struct ReadLine {
    int x1, y1, x2, y2;
    std::uint32_t color;
};

struct ReadBox {
    int left, top, right, bottom;
    std::uint32_t color;
    bool hollow;
};

struct ReadPixel {
    int x, y;
    std::uint32_t color;
    friend bool operator==(const ReadPixel&, const ReadPixel&) = default;
};

struct ReadPage {
    std::string fault; // empty when the file is sound
    std::uint32_t key = 0;
    int boxLeft = 0, boxTop = 0, boxRight = 0, boxBottom = 0;
    int inch = 0;
    std::uint16_t checksum = 0;
    std::uint16_t checksumComputed = 0;
    std::uint32_t sizeWords = 0;
    std::uint16_t objects = 0;
    std::uint32_t maxRecord = 0;
    int windowWidth = 0, windowHeight = 0;
    int bkMode = 0;
    std::vector<ReadText> texts;
    std::vector<ReadLine> lines;
    std::vector<ReadBox> boxes;
    std::vector<ReadPixel> pixels;
    std::vector<std::uint16_t> functions; // every record's function, in order

    std::vector<std::string> textStrings() const
    {
        std::vector<std::string> out;
        for (const ReadText& t : texts)
            out.push_back(t.text);
        return out;
    }
    const ReadText* findText(const std::string& s) const
    {
        for (const ReadText& t : texts)
            if (t.text == s)
                return &t;
        return nullptr;
    }
};

// The bytes of a file (none when it cannot be read).
std::vector<std::uint8_t> readFileBytes(const std::string& name);
// A page file's bytes read back; the first fault found ends the reading.
ReadPage readPage(const std::vector<std::uint8_t>& f);
ReadPage readPageFile(const std::string& name);

} // namespace test_support
