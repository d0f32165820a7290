#include "core/LoupeGeometry.h"
#include "core/PalettePixels.h"
#include "core/Placement.h"

#include <QTest>

#include <cstdint>
#include <vector>

namespace {

// A pixel of a raster image as the palettes are drawn into it: opaque 0xffRRGGBB.
std::uint32_t xrgb(int red, int green, int blue)
{
    return 0xff000000u | std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | std::uint32_t(blue);
}

} // namespace

class tst_Placement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundHalfEven_data();
    void roundHalfEven();
    void centerForm_data();
    void centerForm();
    void colorField_data();
    void colorField();
    void greyRampIsTheSameInEveryRow();
    void loupeStandsBesideThePointer_data();
    void loupeStandsBesideThePointer();
    void loupeCellsAreWholeDevicePixels_data();
    void loupeCellsAreWholeDevicePixels();
};

void tst_Placement::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("half to even below") << 2.5 << 2;
    QTest::newRow("half to even above") << 3.5 << 4;
    QTest::newRow("negative half") << -2.5 << -2;
    QTest::newRow("just above half") << 2.5000001 << 3;
    QTest::newRow("just below half") << 2.4999999 << 2;
    QTest::newRow("1024 px screen height x 0.85") << 11520 * 0.85 << 9792;
}

void tst_Placement::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(Placement::roundHalfEven(value), expected);
}

void tst_Placement::centerForm_data()
{
    QTest::addColumn<double>("screenWidth");
    QTest::addColumn<double>("screenHeight");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::newRow("1024x768") << 15360.0 << 11520.0 << 1641 << 3075;
    QTest::newRow("1920x1080") << 28800.0 << 16200.0 << 3630 << 9795;
    // 15375 div 2 = 7687: the half is truncated, not rounded.
    QTest::newRow("odd width truncates") << 15375.0 << 11520.0 << 1641 << 3082;
    QTest::newRow("narrower than the window") << 9000.0 << 11520.0 << 1641 << -105;
    // 0.85 x 7650 = 6502.5: half-way goes to the even 6502, giving 3251 - 3255.
    QTest::newRow("vertical half-way down to even") << 15360.0 << 7650.0 << -4 << 3075;
    // 0.85 x 9990 = 8491.5 goes up to the even 8492: 4246 - 3255.
    QTest::newRow("vertical half-way up to even") << 15360.0 << 9990.0 << 991 << 3075;
}

void tst_Placement::centerForm()
{
    QFETCH(double, screenWidth);
    QFETCH(double, screenHeight);
    QFETCH(int, top);
    QFETCH(int, left);
    const auto p = Placement::centerForm(
        screenWidth, screenHeight, Placement::outerWidthTwips, Placement::outerHeightTwips);
    QCOMPARE(p.top, top);
    QCOMPARE(p.left, left);
}

void tst_Placement::colorField_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("top left cyan") << 0 << 0 << 0 << 255 << 255;
    QTest::newRow("top right blue") << 255 << 0 << 0 << 0 << 255;
    QTest::newRow("bottom left yellow") << 0 << 255 << 255 << 255 << 0;
    QTest::newRow("bottom right red") << 255 << 255 << 255 << 0 << 0;
    QTest::newRow("column 100 row 50") << 100 << 50 << 50 << 155 << 205;
}

void tst_Placement::colorField()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    constexpr int n = PalettePixels::side;
    std::vector<std::uint32_t> field(n * n);
    PalettePixels::drawColorField(field.data(), n, n, n);
    QCOMPARE(field[std::size_t(row * n + column)], xrgb(red, green, blue));
}

void tst_Placement::greyRampIsTheSameInEveryRow()
{
    constexpr int n = PalettePixels::side;
    std::vector<std::uint32_t> ramp(n * n);
    PalettePixels::drawGreyRamp(ramp.data(), n, n, n);
    for (int row = 0; row < n; ++row) {
        for (int column : { 0, 128, 255 })
            QCOMPARE(ramp[std::size_t(row * n + column)], xrgb(column, column, column));
    }
}

QTEST_APPLESS_MAIN(tst_Placement)
#include "tst_placement.moc"

using LoupeGeometry::Box;
Q_DECLARE_METATYPE(LoupeGeometry::Box)

void tst_Placement::loupeStandsBesideThePointer_data()
{
    QTest::addColumn<Box>("monitor");
    QTest::addColumn<Box>("avoid");
    QTest::addColumn<QString>("side");
    const Box m { 0, 0, 1920, 1080 };
    const Box second { 1920, 0, 1280, 1024 };
    QTest::newRow("middle: right") << m << Box { 900, 500, 40, 40 } << "right";
    QTest::newRow("right edge: left") << m << Box { 1800, 500, 40, 40 } << "left";
    QTest::newRow("top-right corner: left") << m << Box { 1880, 0, 40, 30 } << "left";
    QTest::newRow("bottom-left corner: right") << m << Box { 0, 1050, 40, 30 } << "right";
    QTest::newRow("second monitor's left edge: right")
        << second << Box { 1920, 300, 40, 40 } << "right";
    QTest::newRow("first monitor's right edge: left") << m << Box { 1880, 300, 40, 40 } << "left";
    QTest::newRow("narrow monitor: below")
        << Box { 0, 0, 300, 1000 } << Box { 130, 100, 40, 40 } << "below";
    QTest::newRow("narrow monitor, bottom: above")
        << Box { 0, 0, 300, 1000 } << Box { 130, 900, 40, 40 } << "above";
}

// Wholly on the monitor, clear of what it avoids by the gap, on the side it should take.
void tst_Placement::loupeStandsBesideThePointer()
{
    QFETCH(Box, monitor);
    QFETCH(Box, avoid);
    QFETCH(QString, side);
    const int gap = 8;
    const Box b = LoupeGeometry::place(monitor, avoid, 136, 162, gap);
    QVERIFY(monitor.contains(b));
    const Box grown { avoid.x - gap + 1, avoid.y - gap + 1, avoid.width + 2 * gap - 2,
        avoid.height + 2 * gap - 2 };
    QVERIFY(!grown.intersects(b));
    const QString got = b.x >= avoid.right() ? "right"
        : b.right() <= avoid.x               ? "left"
        : b.y >= avoid.bottom()              ? "below"
                                             : "above";
    QCOMPARE(got, side);
}

void tst_Placement::loupeCellsAreWholeDevicePixels_data()
{
    QTest::addColumn<double>("ratio");
    QTest::newRow("1") << 1.0;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
}

// At every zoom the window keeps its size, the grid fits in it with the frame around the
// centre cell, and the default zoom draws each pixel 8 device pixels wide, times the ratio.
void tst_Placement::loupeCellsAreWholeDevicePixels()
{
    QFETCH(double, ratio);
    const LoupeGeometry::Layout standard
        = LoupeGeometry::layout(LoupeGeometry::DefaultPixels, ratio);
    QCOMPARE(standard.cell, qRound(8 * ratio));
    for (int pixels : LoupeGeometry::ZoomSteps) {
        const LoupeGeometry::Layout l = LoupeGeometry::layout(pixels, ratio);
        QCOMPARE(l.width, standard.width);
        QCOMPARE(l.height, standard.height);
        QVERIFY(l.cell >= 1);
        QVERIFY(l.gridX - l.frame >= 0 && l.gridX + pixels * l.cell <= l.width);
        QVERIFY(l.gridY + pixels * l.cell <= l.textY);
        const Box c = l.centreCell();
        QVERIFY(qAbs(c.x + c.width / 2.0 - l.width / 2.0) <= 1.0);
        QCOMPARE(LoupeGeometry::zoomed(LoupeGeometry::zoomed(pixels, true), false),
            pixels == LoupeGeometry::ZoomSteps.front() ? LoupeGeometry::ZoomSteps[1] : pixels);
    }
}
