#include "app/images/WindowImages.h"
#include "tools/icongen/PixelMap.h"

#include <QFile>
#include <QSet>
#include <QTest>
#include <QtEndian>

#include <array>
#include <optional>
#include <string>

using WindowImages::Id;

namespace {

constexpr int imageSide = 32;
constexpr int entryOffset = 6;
constexpr int headerOffset = 22;
constexpr int iconSize16 = 766;
constexpr int iconSize2 = 326;

// Pixel values in a decoded file and in a pixel map.
constexpr int transparentPixel = -1;
constexpr int invertingPixel = -2;

const QList<QRgb> vgaPalette = {
    0xFF000000,
    0xFF800000,
    0xFF008000,
    0xFF808000,
    0xFF000080,
    0xFF800080,
    0xFF008080,
    0xFFC0C0C0,
    0xFF808080,
    0xFFFF0000,
    0xFF00FF00,
    0xFFFFFF00,
    0xFF0000FF,
    0xFFFF00FF,
    0xFF00FFFF,
    0xFFFFFFFF,
};
const QList<QRgb> monoPalette = { 0xFF000000, 0xFFFFFFFF };

using Pixels = std::array<std::array<int, imageSide>, imageSide>; // [y][x]

quint16 le16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

quint32 le32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

QByteArray readResource(Id id)
{
    QFile file(WindowImages::resourcePath(id));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

struct Decoded
{
    bool ok = false;
    int bpp = 0;
    QList<QRgb> palette;
    Pixels pixels {};
};

// Independent reading of the single bottom-up XOR bitmap plus AND mask.
Decoded decode(const QByteArray &file)
{
    Decoded d;
    if (file.size() < headerOffset + 40)
        return d;
    const int header = int(le32(file, 18));
    d.bpp = le16(file, header + 14);
    if ((d.bpp != 1 && d.bpp != 4) || header + 40 > file.size())
        return d;
    const int colors = 1 << d.bpp;
    const int xorStride = imageSide * d.bpp / 8;
    const int xorAt = header + 40 + colors * 4;
    const int andAt = xorAt + xorStride * imageSide;
    if (andAt + 4 * imageSide > file.size())
        return d;
    for (int i = 0; i < colors; ++i) {
        const int p = header + 40 + i * 4;
        d.palette << qRgb(uchar(file[p + 2]), uchar(file[p + 1]), uchar(file[p]));
    }
    for (int y = 0; y < imageSide; ++y) {
        const int row = imageSide - 1 - y;
        for (int x = 0; x < imageSide; ++x) {
            const int bit = x * d.bpp;
            const uchar byte = uchar(file[xorAt + row * xorStride + bit / 8]);
            const int index = (byte >> (8 - d.bpp - bit % 8)) & (colors - 1);
            const bool masked = uchar(file[andAt + row * 4 + x / 8]) & (0x80 >> (x % 8));
            int value = index;
            if (masked)
                value = index == 0        ? transparentPixel
                    : index == colors - 1 ? invertingPixel
                                          : 1000 + index;
            d.pixels[y][x] = value;
        }
    }
    d.ok = true;
    return d;
}

static_assert(icongen::mapSide == imageSide);

struct PixelMap
{
    QString error;
    QString type;
    int bpp = 0;
    QPoint hotSpot;
    Pixels pixels {};
};

// The generator's own reading of the map, so the test and the files cannot disagree about the
// format; the pixels are put into the decoder's values to stay apart from the encoder.
PixelMap readPixelMap(const QString &path)
{
    PixelMap map;
    std::string error;
    const std::optional<icongen::PixelMap> read
        = icongen::readPixelMap(QFile::encodeName(path).toStdString(), error);
    if (!read) {
        map.error = QString::fromStdString(error);
        return map;
    }
    map.type = QString::fromLatin1(read->cursor ? "cur" : "ico");
    map.bpp = read->bpp;
    map.hotSpot = QPoint(read->hotX, read->hotY);
    for (int y = 0; y < imageSide; ++y) {
        for (int x = 0; x < imageSide; ++x) {
            const int v = read->pixels[y][x];
            map.pixels[y][x] = v == icongen::transparentPixel ? transparentPixel
                : v == icongen::invertingPixel                ? invertingPixel
                                                              : v;
        }
    }
    return map;
}

bool isOpaque(int value)
{
    return value >= 0 && value < 16;
}

} // namespace

class tst_Images : public QObject
{
    Q_OBJECT

private:
    static void addImageRows();

private Q_SLOTS:
    void fileLayout_data() { addImageRows(); }
    void fileLayout();
    void palette_data() { addImageRows(); }
    void palette();
    void pixelsDrawn_data() { addImageRows(); }
    void pixelsDrawn();
    void qtReadsSamePixels_data() { addImageRows(); }
    void qtReadsSamePixels();
    void fileMatchesPixelMap_data() { addImageRows(); }
    void fileMatchesPixelMap();
    void cursorAndIcon_data() { addImageRows(); }
    void cursorAndIcon();
    void invertStaysInsideOutline();
    void hotSpotOfBrokenData_data();
    void hotSpotOfBrokenData();
};

void tst_Images::addImageRows()
{
    QTest::addColumn<Id>("id");
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("bpp");
    QTest::addColumn<int>("size");
    QTest::addColumn<QPoint>("hotSpot");

    QTest::newRow("I1 wheel-pipette.ico")
        << Id::I1 << "wheel-pipette" << 1 << 4 << iconSize16 << QPoint(0, 0);
    QTest::newRow("I2 wheel.ico") << Id::I2 << "wheel" << 1 << 4 << iconSize16 << QPoint(0, 0);
    QTest::newRow("C1 arrow.cur") << Id::C1 << "arrow" << 2 << 1 << iconSize2 << QPoint(0, 10);
    QTest::newRow("C2 pipette.cur") << Id::C2 << "pipette" << 2 << 1 << iconSize2 << QPoint(4, 27);
    QTest::newRow("C3 pipette-black.cur")
        << Id::C3 << "pipette-black" << 2 << 4 << iconSize16 << QPoint(0, 31);
    QTest::newRow("C4 arrow-invert.cur")
        << Id::C4 << "arrow-invert" << 2 << 4 << iconSize16 << QPoint(0, 0);
    QTest::newRow("C5 hand.cur") << Id::C5 << "hand" << 2 << 1 << iconSize2 << QPoint(15, 14);
}

void tst_Images::fileLayout()
{
    QFETCH(Id, id);
    QFETCH(int, type);
    QFETCH(int, bpp);
    QFETCH(int, size);
    QFETCH(QPoint, hotSpot);

    const QByteArray file = readResource(id);
    QCOMPARE(file.size(), size);

    QCOMPARE(le16(file, 0), 0);
    QCOMPARE(le16(file, 2), type);
    QCOMPARE(le16(file, 4), 1);

    const int e = entryOffset;
    QCOMPARE(uchar(file[e]), imageSide);
    QCOMPARE(uchar(file[e + 1]), imageSide);
    QCOMPARE(uchar(file[e + 2]), 1 << bpp);
    QCOMPARE(uchar(file[e + 3]), 0);
    if (type == 1) {
        QCOMPARE(le16(file, e + 4), 1);
        QCOMPARE(le16(file, e + 6), bpp);
    } else {
        QCOMPARE(QPoint(le16(file, e + 4), le16(file, e + 6)), hotSpot);
    }
    QCOMPARE(le32(file, e + 8), quint32(size - headerOffset));
    QCOMPARE(le32(file, e + 12), quint32(headerOffset));

    const int h = headerOffset;
    QCOMPARE(le32(file, h), 40u);
    QCOMPARE(le32(file, h + 4), quint32(imageSide));
    QCOMPARE(le32(file, h + 8), quint32(2 * imageSide)); // XOR bitmap stacked on the AND mask
    QCOMPARE(le16(file, h + 12), 1);
    QCOMPARE(le16(file, h + 14), bpp);
    QCOMPARE(le32(file, h + 16), 0u);

    QCOMPARE(WindowImages::hotSpot(file), hotSpot);
}

void tst_Images::palette()
{
    QFETCH(Id, id);
    QFETCH(int, bpp);

    const Decoded d = decode(readResource(id));
    QVERIFY(d.ok);
    QCOMPARE(d.palette, bpp == 4 ? vgaPalette : monoPalette);
}

void tst_Images::pixelsDrawn()
{
    QFETCH(Id, id);
    QFETCH(int, type);
    QFETCH(QPoint, hotSpot);

    const Decoded d = decode(readResource(id));
    QVERIFY(d.ok);
    int opaque = 0;
    int inverting = 0;
    QSet<int> drawn;
    for (const auto &row : d.pixels) {
        for (int v : row) {
            // Masked pixels must carry black (see-through) or white (invert) and nothing else.
            QVERIFY2(v < 1000, "masked pixel with a colour other than black or white");
            if (isOpaque(v))
                ++opaque;
            if (v != transparentPixel)
                drawn.insert(v); // inverting counts as a look of its own
            inverting += v == invertingPixel;
        }
    }
    QVERIFY2(opaque >= 40, qPrintable(QString::number(opaque) + " opaque pixels"));
    QVERIFY2(drawn.size() >= 2, "drawn pixels all look the same");
    QCOMPARE(inverting > 0, id == Id::C4);
    if (type == 2)
        QVERIFY2(isOpaque(d.pixels[hotSpot.y()][hotSpot.x()]), "hot spot not on a drawn pixel");
}

void tst_Images::qtReadsSamePixels()
{
    QFETCH(Id, id);

    const QImage qtImage = WindowImages::image(id);
    QCOMPARE(qtImage.size(), QSize(imageSide, imageSide));
    const Decoded d = decode(readResource(id));
    QVERIFY(d.ok);
    for (int y = 0; y < imageSide; ++y) {
        for (int x = 0; x < imageSide; ++x) {
            const int v = d.pixels[y][x];
            const QRgb got = qtImage.pixel(x, y);
            const QString where = QStringLiteral("pixel %1,%2").arg(x).arg(y);
            if (isOpaque(v)) {
                QVERIFY2(got == d.palette[v], qPrintable(where));
            } else {
                QVERIFY2(qAlpha(got) == 0, qPrintable(where + " should be see-through"));
            }
        }
    }
}

void tst_Images::fileMatchesPixelMap()
{
    QFETCH(Id, id);
    QFETCH(QString, mapName);
    QFETCH(int, type);
    QFETCH(int, bpp);
    QFETCH(QPoint, hotSpot);

    const PixelMap map
        = readPixelMap(QStringLiteral(QUORVIN_IMAGES_SOURCE_DIR "/") + mapName + ".txt");
    QVERIFY2(map.error.isEmpty(), qPrintable(map.error));
    QCOMPARE(map.type, QString::fromLatin1(type == 1 ? "ico" : "cur"));
    QCOMPARE(map.bpp, bpp);
    QCOMPARE(map.hotSpot, hotSpot);

    const Decoded d = decode(readResource(id));
    QVERIFY(d.ok);
    for (int y = 0; y < imageSide; ++y) {
        for (int x = 0; x < imageSide; ++x) {
            QVERIFY2(d.pixels[y][x] == map.pixels[y][x],
                qPrintable(QStringLiteral("pixel %1,%2 differs from the map; regenerate the images")
                               .arg(x)
                               .arg(y)));
        }
    }
}

void tst_Images::cursorAndIcon()
{
    QFETCH(Id, id);
    QFETCH(QPoint, hotSpot);

    const QCursor cursor = WindowImages::cursor(id);
    QCOMPARE(cursor.pixmap().size(), QSize(imageSide, imageSide));
    QCOMPARE(cursor.hotSpot(), hotSpot);
    QVERIFY(WindowImages::icon(id).availableSizes().contains(QSize(imageSide, imageSide)));
}

void tst_Images::invertStaysInsideOutline()
{
    const Decoded d = decode(readResource(Id::C4));
    QVERIFY(d.ok);
    int inverting = 0;
    for (int y = 0; y < imageSide; ++y) {
        for (int x = 0; x < imageSide; ++x) {
            if (d.pixels[y][x] != invertingPixel)
                continue;
            ++inverting;
            const QString where = QStringLiteral("invert pixel %1,%2").arg(x).arg(y);
            QVERIFY2(x > 0 && y > 0 && x < imageSide - 1 && y < imageSide - 1, qPrintable(where));
            // Every neighbour is more inside or the black outline, so no see-through gap.
            const std::array<QPoint, 4> around
                = { QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1) };
            for (const QPoint &n : around) {
                const int v = d.pixels[n.y()][n.x()];
                QVERIFY2(
                    v == invertingPixel || v == 0, qPrintable(where + " touches a non-outline"));
            }
        }
    }
    QVERIFY2(inverting >= 30, qPrintable(QString::number(inverting) + " inverting pixels"));
}

void tst_Images::hotSpotOfBrokenData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QPoint>("expected");

    // A cursor directory with one 32 x 32 entry, hot spot (5, 7).
    QByteArray valid(22, '\0');
    valid[2] = 2;
    valid[4] = 1;
    valid[6] = 32;
    valid[7] = 32;
    valid[10] = 5;
    valid[12] = 7;

    QTest::newRow("valid cursor directory") << valid << QPoint(5, 7);
    QByteArray wide = valid;
    wide[6] = 0; // 256 wide
    wide[10] = char(200);
    QTest::newRow("size byte 0 means 256") << wide << QPoint(200, 7);

    QTest::newRow("empty") << QByteArray() << QPoint();
    QTest::newRow("directory only, no entry") << valid.left(6) << QPoint();
    QTest::newRow("entry cut short") << valid.left(21) << QPoint();
    QByteArray icon = valid;
    icon[2] = 1;
    QTest::newRow("icon") << icon << QPoint();
    QByteArray unknownType = valid;
    unknownType[2] = 3;
    QTest::newRow("unknown type") << unknownType << QPoint();
    QByteArray reserved = valid;
    reserved[0] = 1;
    QTest::newRow("reserved not zero") << reserved << QPoint();
    QByteArray noImages = valid;
    noImages[4] = 0;
    QTest::newRow("no images") << noImages << QPoint();
    QByteArray outside = valid;
    outside[10] = 32;
    QTest::newRow("x outside the image") << outside << QPoint();
    QByteArray below = valid;
    below[13] = 1; // y = 263
    QTest::newRow("y outside the image") << below << QPoint();
}

void tst_Images::hotSpotOfBrokenData()
{
    QFETCH(QByteArray, data);
    QFETCH(QPoint, expected);

    QCOMPARE(WindowImages::hotSpot(data), expected);
}

QTEST_MAIN(tst_Images)
#include "tst_images.moc"
