#include "app/frmQuorvin.h"
#include "core/ColorCodes.h"
#include "widgets/ChannelScrollBar.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

#include <memory>

class BenchColor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_window = std::make_unique<frmQuorvin>(PlatformServices::null());
        QVERIFY(m_window->Form_Load());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanupTestCase() { m_window.reset(); }

    // One slider write that changes the value, with the complete update it runs.
    void fullUpdate_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("background");
        QTest::newRow("red, sample text") << 0 << false;
        QTest::newRow("blue, sample background") << 2 << true;
    }
    void fullUpdate()
    {
        QFETCH(int, index);
        QFETCH(bool, background);
        m_window->ui.Option1[background ? 1 : 0]->setChecked(true);
        ChannelScrollBar *slider = m_window->ui.HScroll1[index];
        int v = slider->value();
        QBENCHMARK
        {
            v = (v + 1) & 0xFF;
            slider->setValue(v);
        }
        QCOMPARE(slider->value(), v);
    }

    void colorToHex()
    {
        ColorValue c = 0;
        std::size_t length = 0;
        QBENCHMARK
        {
            c = (c + 0x010203) & 0xFFFFFF;
            length += ColorToHex(c).size();
        }
        QVERIFY(length > 0);
    }

    void hexToDec()
    {
        static const char *const texts[] = { "00", "7F", "FF", "ff", "" };
        int i = 0;
        std::size_t length = 0;
        QBENCHMARK
        {
            length += HexToDec(texts[i]).size();
            i = (i + 1) % 5;
        }
        QVERIFY(length > 0);
    }

    void threeCodes()
    {
        int v = 0;
        std::size_t length = 0;
        QBENCHMARK
        {
            v = (v + 1) & 0xFF;
            length += decimalCode(v, 255 - v, v / 2).size()
                + htmlCode(v, 255 - v, v / 2, v & 1).size()
                + colorNumber(rgbValue(v, 255 - v, v / 2)).size();
        }
        QVERIFY(length > 0);
    }

private:
    std::unique_ptr<frmQuorvin> m_window;
};

int main(int argc, char *argv[])
{
    // The update's cost, not the screen's: no display needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchColor bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_color.moc"
