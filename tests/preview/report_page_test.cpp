// Pages as the report writes them, through the player: the writer and the
// player were built apart, so this is where the two must agree.

#include <string>
#include <vector>

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "framework/preview/qt/page_painter.h"
#include "framework/preview/wmf_parser.h"
#include "framework/report/wmf_writer.h"
#include "tests/preview/application.h"

namespace fw::preview {
namespace {

using report::WmfWriter;

// A page of 8268 x 11693 thousandths of an inch: a title, a framed box with
// a clipped field in it and a rule, as a report's bands make them.
std::vector<std::uint8_t> reportPage()
{
    WmfWriter w({0, 0, 8268, 11693});
    w.setWindowOrg(0, 0);
    w.setWindowExt(8268, 11693);
    w.setBkMode(WmfWriter::Transparent);
    const auto font = w.createFontIndirect({.height = -400, .weight = 700, .faceName = "Arial"});
    w.selectObject(font);
    w.setTextColor(0x0000FF);
    w.textOut(1000, 1000, "HHHH");
    const auto pen = w.createPenIndirect(WmfWriter::PenSolid, 40, 0xFF0000);
    const auto brush = w.createBrushIndirect(WmfWriter::BrushNull, 0);
    w.selectObject(pen);
    w.selectObject(brush);
    w.rectangle(1000, 3000, 5000, 5000);
    w.setTextColor(0);
    w.extTextOut(1100, 3100, "HHHHHHHHHHHHHHHH", report::WmfRect{1100, 3100, 2000, 4000});
    w.moveTo(1000, 6000);
    w.lineTo(7000, 6000);
    w.deleteObject(font);
    w.deleteObject(pen);
    w.deleteObject(brush);
    return w.file();
}

QRect ink(const QImage& image, const QRect& area, QRgb color)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == color)
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

TEST(ReportPage, ThePlayerReadsWhatTheWriterWrites)
{
    const auto page = parseWmf(reportPage());
    ASSERT_TRUE(page.has_value()) << page.error().text();
    EXPECT_TRUE(page->checksumMatches);
    EXPECT_EQ(page->frame.unitsPerInch, 1000);
    EXPECT_EQ(page->frame.right, 8268);
    EXPECT_EQ(page->frame.bottom, 11693);
    EXPECT_EQ(page->objectTableSize, 3);
}

TEST(ReportPage, PaintsTextBoxAndRuleWhereTheReportPutThem)
{
    // 100 pixels an inch: a tenth of a logical unit.
    QImage image(827, 1169, QImage::Format_RGB32);
    QPainter painter(&image);
    paintPage(painter, parseWmf(reportPage()), QRectF(0, 0, 827, 1169));
    painter.end();

    // The red title's capitals start at the reference and are about 29 pixels high.
    const QRect title = ink(image, QRect(0, 0, 827, 300), qRgb(255, 0, 0));
    ASSERT_FALSE(title.isEmpty());
    EXPECT_NEAR(title.left(), 103, 4);
    EXPECT_NEAR(title.top(), 100 + 40 - 29 - 3, 4);
    EXPECT_NEAR(title.height(), 29, 3);

    // The blue box's outline, four pixels wide, and its empty inside.
    EXPECT_EQ(image.pixel(100, 400), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(498, 400), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(300, 300), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(300, 450), qRgb(255, 255, 255));

    // The field is cut at its clip rectangle, 200 pixels from the left.
    const QRect field = ink(image, QRect(105, 305, 390, 190), qRgb(0, 0, 0));
    ASSERT_FALSE(field.isEmpty());
    EXPECT_NEAR(field.left(), 112, 4);
    EXPECT_LE(field.right(), 200);
    EXPECT_GE(field.right(), 190);

    // The rule.
    EXPECT_EQ(image.pixel(400, 600), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(400, 590), qRgb(255, 255, 255));
}

} // namespace
} // namespace fw::preview
