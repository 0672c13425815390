#include "demo/resources/pictures.h"

#include <algorithm>
#include <map>
#include <utility>

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "demo/resources/gif_file.h"
#include "demo/resources/icon_file.h"

namespace zorvane {

namespace {

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

Picture pictureOf(const QImage& drawn)
{
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    Picture p{image.width(), image.height(), {}};
    p.pixels.reserve(static_cast<std::size_t>(p.width * p.height));
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            p.pixels.push_back(image.pixel(x, y));
    return p;
}

// A sheet of paper with a folded corner and a few lines of text on it.
void drawPage(QPainter& painter, const QRectF& r)
{
    const qreal fold = r.width() * 0.28;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(60, 60, 70), std::max(1.0, r.width() / 24)));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);
    painter.setBrush(QColor(210, 215, 225));
    painter.drawPolygon(QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                                   QPointF(r.right(), r.top() + fold)}));
    painter.setPen(QPen(QColor(90, 120, 180), std::max(1.0, r.height() / 22)));
    const int lines = 5;
    for (int i = 0; i < lines; ++i) {
        const qreal y = r.top() + fold + (r.height() - fold) * (i + 0.8) / (lines + 1);
        const qreal end = i == lines - 1 ? r.left() + r.width() * 0.55 : r.right() - r.width() * 0.15;
        painter.drawLine(QPointF(r.left() + r.width() * 0.15, y), QPointF(end, y));
    }
}

// An envelope seen from the front, its flap closed.
void drawEnvelope(QPainter& painter, const QRectF& r)
{
    painter.setPen(QPen(QColor(120, 70, 10), std::max(1.0, r.width() / 22)));
    painter.setBrush(QColor(255, 214, 90));
    painter.drawRect(r);
    painter.setBrush(QColor(250, 190, 50));
    painter.drawPolygon(QPolygonF({r.topLeft(), QPointF(r.center().x(), r.top() + r.height() * 0.6), r.topRight()}));
}

QImage frameIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QLinearGradient back(0, 0, 0, s);
    back.setColorAt(0, QColor(40, 110, 200));
    back.setColorAt(1, QColor(10, 50, 130));
    painter.setPen(Qt::NoPen);
    painter.setBrush(back);
    painter.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s / 6, s / 6);
    drawPage(painter, QRectF(s * 0.14, s * 0.10, s * 0.50, s * 0.66));
    drawEnvelope(painter, QRectF(s * 0.40, s * 0.54, s * 0.50, s * 0.34));
    return image;
}

QImage frameImage()
{
    constexpr int width = 240;
    constexpr int height = 150;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Flat colours: a GIF holds 256 of them, and the blends that smoothing
    // makes at the edges find a near neighbour among the main ones.
    painter.fillRect(image.rect(), QColor(226, 236, 250));
    painter.setPen(QPen(QColor(70, 100, 160), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(1, 1, width - 2, height - 2), 10, 10);

    drawPage(painter, QRectF(20, 16, 64, 84));
    // The page travels into the envelope.
    painter.setPen(QPen(QColor(200, 60, 40), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(96, 58), QPointF(136, 58));
    painter.setBrush(QColor(200, 60, 40));
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygonF({QPointF(134, 48), QPointF(150, 58), QPointF(134, 68)}));
    drawEnvelope(painter, QRectF(158, 34, 64, 46));

    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(20, 60, 140));
    painter.drawText(QRectF(0, 102, width, 30), Qt::AlignCenter, QStringLiteral("e-Report"));
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(12);
    painter.setFont(small);
    painter.setPen(QColor(60, 70, 90));
    painter.drawText(QRectF(0, 128, width, 16), Qt::AlignCenter, QString::fromUtf8("print \xe2\x86\x92 mail"));
    return image;
}

// A door standing open with an arrow leading out of it, small enough to sit
// at the notice's top left beside its first line.
QImage exitIcon()
{
    constexpr int size = 16;
    QImage image = canvas(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 35, 15), 1));
    painter.setBrush(QColor(250, 245, 230));
    painter.drawRect(QRectF(1.5, 1.5, 8, 13));
    painter.setBrush(QColor(170, 100, 45));
    painter.drawPolygon(QPolygonF({QPointF(1.5, 1.5), QPointF(6.5, 3.5), QPointF(6.5, 15.5), QPointF(1.5, 14.5)}));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 220, 80));
    painter.drawEllipse(QPointF(5.4, 9), 0.8, 0.8);
    painter.setBrush(QColor(40, 200, 70));
    painter.drawPolygon(QPolygonF({QPointF(8, 7), QPointF(11.5, 7), QPointF(11.5, 4.5), QPointF(15.5, 8.5),
                                   QPointF(11.5, 12.5), QPointF(11.5, 10), QPointF(8, 10)}));
    return image;
}

// A hand pointing up with its forefinger; the hot spot is the fingertip.
constexpr HotSpot handHotSpot{11, 1};

QImage handCursor()
{
    constexpr int size = 32;
    QImage image = canvas(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    // clang-format off
    hand.moveTo(9.5, 3);
    hand.cubicTo(9.5, 0.5, 13.5, 0.5, 13.5, 3);    // fingertip
    hand.lineTo(13.5, 12);
    hand.cubicTo(13.5, 10, 17.5, 10, 17.5, 12.5);  // middle finger
    hand.cubicTo(17.5, 11, 21.5, 11, 21.5, 13.5);  // ring finger
    hand.cubicTo(21.5, 12, 25.5, 12, 25.5, 14.5);  // little finger
    hand.lineTo(25.5, 21);
    hand.cubicTo(25.5, 25, 23.5, 27, 22.5, 29);
    hand.lineTo(12.5, 29);
    hand.cubicTo(11, 26, 8, 23, 5.5, 19.5);        // heel of the hand
    hand.cubicTo(4, 17.5, 6, 15.5, 8, 17);         // thumb
    hand.lineTo(9.5, 18.5);
    hand.closeSubpath();
    // clang-format on
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    painter.setPen(QPen(Qt::black, 0.9));
    for (qreal x : {13.5, 17.5, 21.5})
        painter.drawLine(QPointF(x, 13), QPointF(x, 18));
    painter.fillRect(QRectF(12.5, 28.6, 10, 1.8), Qt::black);
    return image;
}

// The 256 most frequent colours of the picture; every other colour is drawn
// with its nearest neighbour among them.
PalettePicture paletteOf(const QImage& drawn)
{
    const QImage image = drawn.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFF];
    std::vector<std::pair<int, QRgb>> byFrequency;
    for (const auto& [color, count] : counts)
        byFrequency.emplace_back(-count, color);
    std::sort(byFrequency.begin(), byFrequency.end());
    if (byFrequency.size() > 256)
        byFrequency.resize(256);

    PalettePicture p;
    p.width = image.width();
    p.height = image.height();
    for (const auto& entry : byFrequency)
        p.palette.push_back(entry.second);
    auto distance = [](QRgb a, QRgb b) {
        const int red = qRed(a) - qRed(b);
        const int green = qGreen(a) - qGreen(b);
        const int blue = qBlue(a) - qBlue(b);
        return red * red + green * green + blue * blue;
    };
    std::map<QRgb, std::uint8_t> nearest;
    p.pixels.reserve(static_cast<std::size_t>(p.width * p.height));
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const QRgb color = image.pixel(x, y) & 0xFFFFFF;
            auto found = nearest.find(color);
            if (found == nearest.end()) {
                std::size_t best = 0;
                for (std::size_t i = 1; i < p.palette.size(); ++i)
                    if (distance(color, p.palette[i]) < distance(color, p.palette[best]))
                        best = i;
                found = nearest.emplace(color, static_cast<std::uint8_t>(best)).first;
            }
            p.pixels.push_back(found->second);
        }
    return p;
}

} // namespace

std::vector<PictureFile> demonstrationPictures()
{
    return {
        {"qkload.ico", iconFile({pictureOf(frameIcon(32)), pictureOf(frameIcon(16))})},
        {"ereport.gif", gifFile(paletteOf(frameImage()))},
        {"Exit2.ico", iconFile({pictureOf(exitIcon())})},
        {"Hand.cur", cursorFile(pictureOf(handCursor()), handHotSpot)},
    };
}

} // namespace zorvane
