// The picture files the program writes for itself: Qt's own readers must
// give back exactly the pixels written, and the files the build drew must be
// found and read the way the windows read them.

#include <string>

#include <QBuffer>
#include <QByteArray>
#include <QCursor>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include "demo/resources/gif_file.h"
#include "demo/resources/icon_file.h"
#include "frame_fixture.h"
#include "framework/ui/qt/application.h"
#include "framework/ui/qt/images.h"

namespace {

using namespace zorvane;

QImage read(const std::string& bytes, const char* format)
{
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// A picture in which neighbouring pixels differ, so every kind of record
// (colour rows, mask rows, LZW codes of every width) is exercised.
Picture pattern(int width, int height)
{
    Picture p{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool transparent = (x + y) % 7 == 0;
            const std::uint32_t color = static_cast<std::uint32_t>((x * 37) & 0xFF) << 16 |
                                        static_cast<std::uint32_t>((y * 59) & 0xFF) << 8 |
                                        static_cast<std::uint32_t>((x * y) & 0xFF);
            p.pixels.push_back(transparent ? 0u : (0xFF000000u | color));
        }
    return p;
}

// In a folder of its own: the windows look for pictures in the current
// directory first.
class ZorvanePictures : public test_support::TempFolderTest {};

TEST_F(ZorvanePictures, IconFileReadsBackPixelForPixel)
{
    fw::ui::startWindowSystem();
    for (auto [width, height] : {std::pair{32, 32}, {16, 16}, {5, 3}, {48, 48}}) {
        const Picture p = pattern(width, height);
        const QImage image = read(iconFile({p}), "ico");
        ASSERT_EQ(image.size(), QSize(width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(image.pixel(x, y), p.at(x, y)) << width << "x" << height << " at " << x << "," << y;
    }
}

TEST_F(ZorvanePictures, IconFileKeepsEveryImageAndItsHeader)
{
    const std::string bytes = iconFile({pattern(32, 32), pattern(16, 16)});
    ASSERT_GE(bytes.size(), 38u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\0\0\1\0\2\0", 6));           // reserved, icon, two images
    EXPECT_EQ(bytes.substr(6, 8), std::string("\x20\x20\0\0\1\0\x20\0", 8)); // 32x32, planes 1, 32 bits
    EXPECT_EQ(bytes.substr(22, 8), std::string("\x10\x10\0\0\1\0\x20\0", 8));
    // A 32x32 image: 40 header bytes, 4096 colour bytes, 32 mask rows of 4.
    EXPECT_EQ(bytes.substr(14, 8), std::string("\xA8\x10\0\0\x26\0\0\0", 8));
    EXPECT_EQ(bytes.size(), 38u + 4264u + (40u + 1024u + 64u));
}

TEST_F(ZorvanePictures, CursorFileCarriesItsHotSpot)
{
    fw::ui::startWindowSystem();
    const std::string bytes = cursorFile(pattern(32, 32), {11, 1});
    EXPECT_EQ(bytes.substr(0, 6), std::string("\0\0\2\0\1\0", 6));
    EXPECT_EQ(bytes.substr(6, 8), std::string("\x20\x20\0\0\x0B\0\1\0", 8)); // 32x32, hot spot 11,1

    write(at("pointer.cur"), bytes);
    const auto cursor = fw::ui::loadCursor("pointer.cur");
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->hotSpot(), QPoint(11, 1));
    EXPECT_EQ(cursor->pixmap().size(), QSize(32, 32));
}

TEST_F(ZorvanePictures, GifFileReadsBackPixelForPixel)
{
    fw::ui::startWindowSystem();
    struct Row {
        const char* name;
        int width;
        int height;
        int colors;
    };
    // The large noisy picture fills the LZW table more than once.
    for (const Row& row : {Row{"one pixel", 1, 1, 1}, Row{"flat", 40, 10, 1}, Row{"few colours", 33, 17, 5},
                           Row{"noise", 300, 200, 256}}) {
        PalettePicture p;
        p.width = row.width;
        p.height = row.height;
        for (int i = 0; i < row.colors; ++i)
            p.palette.push_back(static_cast<std::uint32_t>((i * 0x010307 + 0x204060) & 0xFFFFFF));
        std::uint32_t seed = 12345;
        for (int i = 0; i < row.width * row.height; ++i) {
            seed = seed * 1103515245u + 12345u;
            p.pixels.push_back(static_cast<std::uint8_t>((seed >> 16) % static_cast<std::uint32_t>(row.colors)));
        }
        const QImage image = read(gifFile(p), "gif");
        ASSERT_EQ(image.size(), QSize(row.width, row.height)) << row.name;
        for (int y = 0; y < row.height; ++y)
            for (int x = 0; x < row.width; ++x)
                ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF,
                          p.palette[p.pixels[static_cast<std::size_t>(y * row.width + x)]])
                    << row.name << " at " << x << "," << y;
    }
}

TEST_F(ZorvanePictures, GifFileMarksItsTransparentColor)
{
    fw::ui::startWindowSystem();
    PalettePicture p{2, 1, {0xFF0000, 0x00FF00}, {0, 1}, 1};
    const QImage image = read(gifFile(p), "gif");
    ASSERT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
}

TEST_F(ZorvanePictures, TheDrawnFilesAreFoundAndRead)
{
    fw::ui::startWindowSystem();
    addZorvanePictures();
    for (auto [name, width, height] :
         {std::tuple{"qkload.ico", 32, 32}, {"ereport.gif", 240, 150}, {"Exit2.ico", 16, 16}, {"QKLOAD.ICO", 32, 32}}) {
        const QImage image = fw::ui::loadImage(name);
        EXPECT_EQ(image.size(), QSize(width, height)) << name;
    }
    const auto hand = fw::ui::loadCursor("Hand.cur");
    ASSERT_TRUE(hand.has_value());
    EXPECT_EQ(hand->hotSpot(), QPoint(11, 1));
}

} // namespace
