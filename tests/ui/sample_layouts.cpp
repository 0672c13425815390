#include "sample_layouts.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

namespace uitest {

using namespace fw::ui;

WindowLayout progressLayout()
{
    WindowLayout w;
    w.label = "P1$PROGRESSWINDOW";
    w.moduleKey = "uitest$progress";
    w.title = "Report Progress...";
    w.width = 142;
    w.height = 59;
    w.font = {"MS Sans Serif", 8, 400, {}};
    w.controls = {
        {.number = 1, .kind = ControlKind::ProgressBar, .rect = {15, 15, 111, 12}, .use = 1},
        {.number = 2, .kind = ControlKind::Text, .rect = {0, 3, 141, 10}},
        {.number = 3, .kind = ControlKind::Text, .rect = {0, 30, 141, 10}},
        {.number = 4, .kind = ControlKind::Button, .text = "Cancel", .rect = {45, 42, 50, 15}},
    };
    return w;
}

WindowLayout frameLayout()
{
    WindowLayout w;
    w.label = "P1$APPFRAME";
    w.moduleKey = "uitest$frame";
    w.kind = WindowKind::Frame;
    w.title = "Frame Under Test";
    w.width = 365;
    w.height = 242;
    w.font = {"MS Sans Serif", 8, 400, {}};
    w.icon = "pic.ico";
    // clang-format off
    auto item = [](int number, int parent, std::string text, std::string message) {
        return ControlLayout{.number = number, .kind = ControlKind::MenuItem, .text = std::move(text),
                             .parent = parent, .message = std::move(message)};
    };
    auto radio = [](int number, std::string text, int x, int y, int value) {
        return ControlLayout{.number = number, .kind = ControlKind::Radio, .text = std::move(text),
                             .rect = {x, y, 0, 0}, .parent = -14, .area = Area::Toolbar, .value = value};
    };
    w.controls = {
        item(-1, 0, "EMAIL REPORT FROM:", ""),
        {.number = -2, .kind = ControlKind::Menu, .text = "*Reports"},
        item(-3, -2, "Classes", "Print in record order"),
        item(-4, -2, "Students", "Print ordered by Last Name"),
        {.number = -14, .kind = ControlKind::OptionBox, .rect = {3, 0, 177, 32}, .area = Area::Toolbar, .use = 1},
        radio(-15, "Save", 51, 19, 3),
        radio(-16, "Silent save", 92, 19, 4),
        radio(-17, "Silent email", 92, 8, 2),
        radio(-18, "Email Preview", 9, 8, 1),
        radio(-19, "Print", 9, 19, 0),
        {.number = -20, .kind = ControlKind::Entry, .rect = {153, 20, 24, 10}, .area = Area::Toolbar, .use = 2,
         .picture = "@n3"},
        {.number = -21, .kind = ControlKind::Text, .text = "BMKG:RTFpath", .rect = {9, 35, 0, 0},
         .area = Area::Toolbar, .hidden = Hidden::Yes},
        {.number = -22, .kind = ControlKind::Entry, .rect = {67, 35, 113, 10}, .area = Area::Toolbar, .use = 3,
         .picture = "@s200", .hidden = Hidden::Yes},
        {.number = -23, .kind = ControlKind::Text, .rect = {187, 3, 171, 28}, .area = Area::Toolbar, .use = 4},
        {.number = 1, .kind = ControlKind::Image, .text = "pic.gif", .rect = {10, 10, 0, 0}},
    };
    // clang-format on
    return w;
}

WindowLayout noticeLayout()
{
    WindowLayout w;
    w.label = "P1$WINDOW";
    w.moduleKey = "uitest$notice";
    w.title = "";
    w.width = 204;
    w.height = 123;
    w.font = {"MS Sans Serif", 8, 400, rgb(255, 255, 255)};
    w.background = rgb(0, 64, 128);
    w.cursor = "hand.cur";
    const Font big{"", 14, 0, {}};
    // clang-format off
    w.controls = {
        {.number = 1, .kind = ControlKind::Text, .text = "MS Outlook 97", .rect = {35, 63, 135, 18}, .font = big},
        {.number = 2, .kind = ControlKind::Text, .text = "or higher", .rect = {35, 78, 135, 18}, .font = big},
        {.number = 3, .kind = ControlKind::Text, .text = "To test this demo you need", .rect = {20, 18, 175, 18},
         .font = big},
        {.number = 4, .kind = ControlKind::Image, .text = "pic.ico", .rect = {8, 15, 0, 0}},
    };
    // clang-format on
    return w;
}

namespace {

// The smallest GIF: one white pixel. Qt reads GIF but does not write it.
// clang-format off
const unsigned char onePixelGif[] = {
    'G', 'I', 'F', '8', '9', 'a', 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, // header, 1 x 1, colour table
    0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00,                                     // two colours
    0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00,             // image descriptor
    0x02, 0x02, 0x44, 0x01, 0x00,                                           // LZW data
    0x3B};                                                                   // trailer
// clang-format on

QImage testPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 30));
    return image;
}

} // namespace

void writePictures(const std::string& folder)
{
    std::ofstream(folder + "/pic.gif", std::ios::binary)
        .write(reinterpret_cast<const char*>(onePixelGif), sizeof onePixelGif);
    testPicture(32, 32).save(QString::fromStdString(folder + "/pic.ico"), "ICO");
    testPicture(40, 30).save(QString::fromStdString(folder + "/pic.jpg"), "JPEG");

    // A cursor file is an icon file of type 2 whose directory entry holds
    // the hot spot in place of planes and bit count.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    testPicture(16, 16).save(&buffer, "ICO");
    bytes[2] = 2;
    bytes[6 + 4] = 3;
    bytes[6 + 5] = 0;
    bytes[6 + 6] = 5;
    bytes[6 + 7] = 0;
    std::ofstream(folder + "/hand.cur", std::ios::binary).write(bytes.constData(), bytes.size());

    addResourceFolder(folder);
}

} // namespace uitest
