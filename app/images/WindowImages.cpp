#include "app/images/WindowImages.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace WindowImages {

namespace {

    constexpr int kDirSize = 6;
    constexpr int kEntrySize = 16;
    constexpr quint16 kCursorType = 2;

} // namespace

QString resourcePath(Id id)
{
    switch (id) {
    case Id::I1:
        return QStringLiteral(":/images/wheel-pipette.ico");
    case Id::I2:
        return QStringLiteral(":/images/wheel.ico");
    case Id::C1:
        return QStringLiteral(":/images/arrow.cur");
    case Id::C2:
        return QStringLiteral(":/images/pipette.cur");
    case Id::C3:
        return QStringLiteral(":/images/pipette-black.cur");
    case Id::C4:
        return QStringLiteral(":/images/arrow-invert.cur");
    case Id::C5:
        return QStringLiteral(":/images/hand.cur");
    }
    return {};
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
    if (file.size() < kDirSize + kEntrySize)
        return {};
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    const quint16 reserved = qFromLittleEndian<quint16>(bytes);
    const quint16 type = qFromLittleEndian<quint16>(bytes + 2);
    const quint16 count = qFromLittleEndian<quint16>(bytes + 4);
    if (reserved != 0 || type != kCursorType || count == 0)
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

QImage image(Id id)
{
    QByteArray data = fileData(id);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    const bool cursorFile = resourcePath(id).endsWith(QLatin1String(".cur"));
    QImageReader reader(&buffer, cursorFile ? "cur" : "ico");
    return reader.read();
}

QPixmap pixmap(Id id)
{
    return QPixmap::fromImage(image(id));
}

QCursor cursor(Id id)
{
    const QPoint spot = hotSpot(fileData(id));
    return QCursor(pixmap(id), spot.x(), spot.y());
}

QIcon icon(Id id)
{
    return QIcon(pixmap(id));
}

} // namespace WindowImages
