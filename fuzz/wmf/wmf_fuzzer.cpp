// Feeds arbitrary bytes to the WMF player: every input must either fail to
// parse with an error or parse into commands that paint without a fault.
// Painting runs on Qt's offscreen platform into a small image, so text goes
// through real font matching and glyph drawing as in the previewer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "framework/preview/qt/wmf_painter.h"
#include "framework/preview/wmf_reader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Fonts and painting need the application for the whole run; it is never deleted.
    [[maybe_unused]] static QGuiApplication* application = new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto document = fw::preview::parseWmf(std::span<const std::uint8_t>(data, size));
    QImage image(120, 170, QImage::Format_RGB32);
    QPainter painter(&image);
    const QRectF target(0, 0, image.width(), image.height());
    if (document)
        fw::preview::paintWmf(painter, *document, target);
    else
        fw::preview::paintErrorPage(painter, target, QString::fromStdString(document.error().message));
    return 0;
}
