#include "framework/ui/qt/images.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QPixmap>

#include "framework/ui/layout.h"

namespace fw::ui {

namespace {

QString pathOf(std::string_view fileName) { return QString::fromStdString(findResource(fileName)); }

std::uint16_t word(const QByteArray& bytes, int at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                      (static_cast<std::uint8_t>(bytes[at + 1]) << 8));
}

} // namespace

QImage loadImage(std::string_view fileName)
{
    const QString path = pathOf(fileName);
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

std::optional<QCursor> loadCursor(std::string_view fileName)
{
    const QString path = pathOf(fileName);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();

    // A .cur file is an icon file of type 2 whose directory entries keep the
    // hot spot where an icon keeps its planes and bit count. The header is
    // 6 bytes, the first entry 16 more.
    constexpr int headerSize = 6;
    constexpr int entrySize = 16;
    if (bytes.size() < headerSize + entrySize || word(bytes, 0) != 0 || word(bytes, 2) != 2 || word(bytes, 4) == 0)
        return std::nullopt;
    const int hotX = word(bytes, headerSize + 4);
    const int hotY = word(bytes, headerSize + 6);

    // Read as an icon: type 1, and planes 1 with the bit count left to the
    // bitmap inside, which the icon reader takes from there.
    bytes[2] = 1;
    const int entries = word(bytes, 4);
    for (int i = 0; i < entries && headerSize + (i + 1) * entrySize <= bytes.size(); ++i) {
        const int at = headerSize + i * entrySize;
        bytes[at + 4] = 1;
        bytes[at + 5] = 0;
        bytes[at + 6] = 0;
        bytes[at + 7] = 0;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return QCursor(QPixmap::fromImage(image), std::min(hotX, image.width() - 1), std::min(hotY, image.height() - 1));
}

} // namespace fw::ui
