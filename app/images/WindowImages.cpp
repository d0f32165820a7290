#include "app/images/WindowImages.h"

#include "WindowImageFiles.h"

#include <QFile>
#include <QtEndian>

#include <array>
#include <optional>

namespace WindowImages {

namespace {

    constexpr int dirSize = 6;
    constexpr int entrySize = 16;
    constexpr quint16 cursorType = 2;

    constexpr std::size_t imageCount = static_cast<std::size_t>(Id::C5) + 1;

} // namespace

static_assert(fileNames.size() == imageCount, "images.qrc lists one file for each Id");

QString resourcePath(Id id)
{
    return QStringLiteral(":%1/%2").arg(
        QLatin1String(resourcePrefix), QLatin1String(fileNames[static_cast<std::size_t>(id)]));
}

QByteArray fileData(Id id)
{
    QFile file(resourcePath(id));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QPoint hotSpot(const QByteArray &file)
{
    if (file.size() < dirSize + entrySize)
        return {};
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    const quint16 reserved = qFromLittleEndian<quint16>(bytes);
    const quint16 type = qFromLittleEndian<quint16>(bytes + 2);
    const quint16 count = qFromLittleEndian<quint16>(bytes + 4);
    if (reserved != 0 || type != cursorType || count == 0)
        return {};
    // A size byte of 0 stands for 256.
    const int width = bytes[6] ? bytes[6] : 256;
    const int height = bytes[7] ? bytes[7] : 256;
    const int x = qFromLittleEndian<quint16>(bytes + 10);
    const int y = qFromLittleEndian<quint16>(bytes + 12);
    if (x >= width || y >= height)
        return {};
    return { x, y };
}

// The first image of an .ico/.cur file: a bottom-up device-independent bitmap with a palette of
// 2, 16 or 256 colours, followed by its 1-bit mask (set: see-through). Decoded here rather than
// by Qt's image plugins, whose lookup and loading cost more at start-up than all seven images.
QImage image(Id id)
{
    const QByteArray file = fileData(id);
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    const qsizetype size = file.size();
    if (size < dirSize + entrySize || qFromLittleEndian<quint16>(bytes + 4) == 0)
        return {};
    const quint32 offset = qFromLittleEndian<quint32>(bytes + dirSize + 12);
    constexpr int bitmapHeaderSize = 40;
    if (offset > quint32(size) || size - offset < bitmapHeaderSize)
        return {};
    const uchar *dib = bytes + offset;
    const int width = qFromLittleEndian<qint32>(dib + 4);
    const int height = qFromLittleEndian<qint32>(dib + 8) / 2;
    const int bpp = qFromLittleEndian<quint16>(dib + 14);
    const quint32 compression = qFromLittleEndian<quint32>(dib + 16);
    quint32 colors = qFromLittleEndian<quint32>(dib + 32);
    if (width <= 0 || width > 256 || height <= 0 || height > 256 || compression != 0
        || (bpp != 1 && bpp != 4 && bpp != 8))
        return {};
    if (colors == 0 || colors > (1u << bpp))
        colors = 1u << bpp;
    const qsizetype headerSize = qFromLittleEndian<quint32>(dib);
    const qsizetype colorStride = ((width * bpp + 31) / 32) * 4;
    const qsizetype maskStride = ((width + 31) / 32) * 4;
    const qsizetype need = headerSize + colors * 4 + (colorStride + maskStride) * height;
    if (headerSize < bitmapHeaderSize || size - offset < need)
        return {};
    const uchar *palette = dib + headerSize;
    const uchar *colorRows = palette + colors * 4;
    const uchar *maskRows = colorRows + colorStride * height;

    QImage img(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const uchar *row = colorRows + colorStride * (height - 1 - y);
        const uchar *mask = maskRows + maskStride * (height - 1 - y);
        auto *out = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (mask[x / 8] & (0x80 >> (x % 8))) {
                out[x] = 0;
                continue;
            }
            const int bit = x * bpp;
            const quint32 index = (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
            const uchar *c = palette + 4 * (index < colors ? index : 0);
            out[x] = qRgb(c[2], c[1], c[0]);
        }
    }
    return img;
}

QPixmap pixmap(Id id)
{
    // Several controls share an image; each file is decoded once, and only the pixmap is kept,
    // converted in place from the decoded image.
    static std::array<QPixmap, imageCount> converted;
    QPixmap &cached = converted[static_cast<std::size_t>(id)];
    if (cached.isNull())
        cached = QPixmap::fromImage(image(id));
    return cached;
}

QCursor cursor(Id id)
{
    // Shared by every control that shows it, so its masks are made once.
    static std::array<std::optional<QCursor>, imageCount> made;
    std::optional<QCursor> &cached = made[static_cast<std::size_t>(id)];
    if (!cached) {
        const QPoint spot = hotSpot(fileData(id));
        cached.emplace(pixmap(id), spot.x(), spot.y());
    }
    return *cached;
}

QIcon icon(Id id)
{
    return QIcon(pixmap(id));
}

} // namespace WindowImages
