#include "core/ColorCodes.h"

#include <QTest>

#include <charconv>

namespace {

QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

} // namespace

class tst_ColorCodes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decAndHex2_data()
    {
        QTest::addColumn<int>("v");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("hex");
        QTest::newRow("zero") << 0 << "0"
                              << "00";
        QTest::newRow("10 zero-filled") << 10 << "10"
                                        << "0A";
        QTest::newRow("128") << 128 << "128"
                             << "80";
        QTest::newRow("255") << 255 << "255"
                             << "FF";
        QTest::newRow("three hex digits") << 256 << "256"
                                          << "100";
        QTest::newRow("white") << 16777215 << "16777215"
                               << "FFFFFF";
        QTest::newRow("-1 two's complement") << -1 << "-1"
                                             << "FFFFFFFF";
        QTest::newRow("int32 min") << INT32_MIN << "-2147483648"
                                   << "80000000";
    }
    void decAndHex2()
    {
        QFETCH(int, v);
        QFETCH(QString, decimal);
        QFETCH(QString, hex);
        QCOMPARE(q(dec(v)), decimal);
        QCOMPARE(q(hex2(v)), hex);
    }

    void padLeft_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<QString>("expected");
        QTest::newRow("7 to 07") << "7" << 2 << "0"
                                 << "07";
        QTest::newRow("longer stays") << "ABC" << 2 << "0"
                                      << "ABC";
        QTest::newRow("exact width stays") << "AB" << 2 << "0"
                                           << "AB";
        QTest::newRow("empty text") << "" << 2 << "0"
                                    << "00";
        QTest::newRow("whole fills overshoot") << "7" << 4 << "ab"
                                               << "abab7";
        QTest::newRow("negative width") << "" << -3 << "0"
                                        << "";
        QTest::newRow("characters, not bytes") << "é" << 2 << "0"
                                               << "0é";
        // Would never end if the empty fill were put in front until the text is long enough.
        QTest::newRow("empty fill returns text") << "7" << 2 << ""
                                                 << "7";
    }
    void padLeft()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, fill);
        QFETCH(QString, expected);
        QCOMPARE(q(PadLeft(text.toStdString(), width, fill.toStdString())), expected);
    }

    void colorToHex_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<QString>("expected");
        QTest::newRow("black") << 0 << "000000";
        QTest::newRow("green") << 65280 << "00FF00";
        QTest::newRow("blue") << 16711680 << "0000FF";
        QTest::newRow("white") << 16777215 << "FFFFFF";
        QTest::newRow("orange") << 33023 << "FF8000";
        QTest::newRow("255: red only") << 255 << "FF0000";
        QTest::newRow("256: green starts") << 256 << "000100";
        QTest::newRow("65535: no blue") << 65535 << "FFFF00";
        QTest::newRow("65536: blue starts") << 65536 << "000001";
        QTest::newRow("-1 stays red") << -1 << "FFFFFFFF0000";
        QTest::newRow("-256 stays red") << -256 << "FFFFFF000000";
        QTest::newRow("blue beyond a channel") << 16777216 << "0000100";
    }
    void colorToHex()
    {
        QFETCH(int, color);
        QFETCH(QString, expected);
        QCOMPARE(q(ColorToHex(color)), expected);
    }

    void hexToDec_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0A") << "0A"
                            << "10";
        QTest::newRow("FF") << "FF"
                            << "255";
        QTest::newRow("00") << "00"
                            << "0";
        QTest::newRow("7F") << "7F"
                            << "127";
        QTest::newRow("empty gives 0") << ""
                                       << "0";
        QTest::newRow("lower case") << "ff"
                                    << "";
        QTest::newRow("mixed case") << "0a"
                                    << "";
        QTest::newRow("one digit") << "F"
                                   << "";
        QTest::newRow("three digits") << "100"
                                      << "";
        QTest::newRow("not hex") << "G0"
                                 << "";
        QTest::newRow("blank") << " A"
                               << "";
    }
    void hexToDec()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(q(HexToDec(text.toStdString())), expected);
    }

    void codes_data()
    {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("bgr");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("number");
        QTest::newRow("orange") << 255 << 128 << 0 << false << "255,128,0"
                                << "#FF8000"
                                << "33023";
        QTest::newRow("orange BGR") << 255 << 128 << 0 << true << "255,128,0"
                                    << "#0080FF"
                                    << "33023";
        QTest::newRow("black") << 0 << 0 << 0 << false << "0,0,0"
                               << "#000000"
                               << "0";
        QTest::newRow("white") << 255 << 255 << 255 << false << "255,255,255"
                               << "#FFFFFF"
                               << "16777215";
        QTest::newRow("123456 BGR") << 18 << 52 << 86 << true << "18,52,86"
                                    << "#563412"
                                    << "5649426";
    }
    void codes()
    {
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(bool, bgr);
        QFETCH(QString, decimal);
        QFETCH(QString, html);
        QFETCH(QString, number);
        QCOMPARE(q(decimalCode(r, g, b)), decimal);
        QCOMPARE(q(htmlCode(r, g, b, bgr)), html);
        QCOMPARE(q(colorNumber(rgbValue(r, g, b))), number);
    }

    // Every colour's six-digit code, read back slice by slice, gives the colour again.
    void roundTripEveryColor()
    {
        const auto channel = [](const std::string &h, std::size_t at) {
            const std::string text = HexToDec(std::string_view(h).substr(at, 2));
            int v = -1;
            const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
            return res.ec == std::errc() && res.ptr == text.data() + text.size() ? v : -1;
        };
        for (ColorValue c = 0; c <= 0xFFFFFF; ++c) {
            const std::string h = ColorToHex(c);
            if (h.size() != 6 || channel(h, 0) != redOf(c) || channel(h, 2) != greenOf(c)
                || channel(h, 4) != blueOf(c))
                QFAIL(qPrintable(QStringLiteral("colour %1 gave %2").arg(c).arg(q(h))));
        }
    }
};

QTEST_APPLESS_MAIN(tst_ColorCodes)
#include "tst_colorcodes.moc"
