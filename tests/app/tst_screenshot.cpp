// The window as the screen shows it: the whole client area against a reviewed reference image,
// and the button outlines of the real program at fractional screen scales.
#include "X11TestSupport.h"
#include "app/FirstPaint.h"
#include "app/frmQuorvin.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"
#include "widgets/OutlineShape.h"

#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace X11TestSupport;

namespace {

const QString ReferencePath
    = QStringLiteral(QUORVIN_SOURCE_DIR "/tests/app/reference/frmQuorvin.png");

// Font rendering may shade the edge pixels of a glyph a little differently; anything beyond
// that, a moved control, a lost line or a wrong colour, changes pixels by far more.
constexpr int channelTolerance = 48;
constexpr int maxDifferentPixels = 12;

int channelDistance(QRgb a, QRgb b)
{
    return std::max(
        { qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b)) });
}

// Waits until two grabs in a row agree and the window is painted at all (an unpainted one is
// black where the window background should be), so that no half-painted window is compared.
QImage settledGrab(const std::function<QImage()> &grab)
{
    const auto painted
        = [](const QImage &img) { return !img.isNull() && (img.pixel(0, 0) & 0xffffff) != 0; };
    QImage last = grab();
    for (int i = 0; i < 50; ++i) {
        settle(150);
        QImage next = grab();
        if (next == last && painted(next))
            return next;
        last = next;
    }
    return last;
}

// The real program at one screen scale, on an X server of its own that is large enough for the
// scaled window (the shared one is not), without a window manager; both end with the test row.
class ScaledProgram
{
public:
    explicit ScaledProgram(const QString &scale)
    {
        // The server picks a free display and writes its number to the channel given.
        m_server.start(QStringLiteral("Xvfb"),
            { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("2400x1600x24"), QStringLiteral("-dpi"),
                QStringLiteral("96"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                QStringLiteral("-noreset") });
        QByteArray number;
        for (int i = 0; i < 100 && !number.contains('\n'); ++i) {
            m_server.waitForReadyRead(100);
            number += m_server.readAllStandardOutput();
        }
        if (!number.contains('\n'))
            return;
        m_display = QStringLiteral(":%1").arg(QString::fromLatin1(number.trimmed()));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
        m_program.start(QStringLiteral(QUORVIN_BINARY), QStringList());
    }
    ~ScaledProgram()
    {
        // A server that is killed leaves its lock and socket behind for the next one that
        // picks the same display number.
        for (QProcess *p : { &m_program, &m_server }) {
            p->terminate();
            if (!p->waitForFinished(5000)) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
    }
    // The client area as the server shows it, once two looks in a row agree; null without a
    // window.
    QImage clientArea(QSize size)
    {
        if (m_display.isEmpty() || !m_program.waitForStarted(5000))
            return {};
        const QString window = windowOfProcess(m_program.processId(), 30000, m_display);
        if (window.isEmpty())
            return {};
        const QString file = QDir(m_dir.path()).filePath(QStringLiteral("client.png"));
        return settledGrab([&] {
            run(QStringLiteral("import"),
                { QStringLiteral("-display"), m_display, QStringLiteral("-window"), window,
                    QStringLiteral("-crop"),
                    QStringLiteral("%1x%2+0+0").arg(size.width()).arg(size.height()), file });
            return QImage(file).convertToFormat(QImage::Format_RGB32);
        });
    }

private:
    QProcess m_server;
    QProcess m_program;
    QString m_display;
    QTemporaryDir m_dir;
};

bool matches(QRgb pixel, const QColor &color)
{
    return channelDistance(pixel, color.rgb()) < 96;
}

// Device rows (or columns) [from, to) of a one-pixel logical edge at logical position at.
std::pair<int, int> deviceSpan(int at, double scale)
{
    return { int(std::floor(at * scale)), int(std::ceil((at + 1) * scale)) };
}

// The first place along an outline's edge where no pixel of the edge's band has the outline's
// colour, as a message; empty when the edge is whole.
QString missingEdgePixel(const QImage &img, const QRect &logical, double scale, const QColor &color)
{
    const auto [leftFrom, leftTo] = deviceSpan(logical.left(), scale);
    const auto [rightFrom, rightTo] = deviceSpan(logical.right(), scale);
    const auto [topFrom, topTo] = deviceSpan(logical.top(), scale);
    const auto [bottomFrom, bottomTo] = deviceSpan(logical.bottom(), scale);
    const auto columnHas = [&](int from, int to, int y) {
        for (int x = from; x < to; ++x)
            if (matches(img.pixel(x, y), color))
                return true;
        return false;
    };
    const auto rowHas = [&](int from, int to, int x) {
        for (int y = from; y < to; ++y)
            if (matches(img.pixel(x, y), color))
                return true;
        return false;
    };
    for (int y = topTo; y < bottomFrom; ++y) {
        if (!columnHas(leftFrom, leftTo, y))
            return QStringLiteral("left edge, device row %1").arg(y);
        if (!columnHas(rightFrom, rightTo, y))
            return QStringLiteral("right edge, device row %1").arg(y);
    }
    for (int x = leftTo; x < rightFrom; ++x) {
        if (!rowHas(topFrom, topTo, x))
            return QStringLiteral("top edge, device column %1").arg(x);
        if (!rowHas(bottomFrom, bottomTo, x))
            return QStringLiteral("bottom edge, device column %1").arg(x);
    }
    return {};
}

} // namespace

class tst_Screenshot : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QUORVIN_SKIP_WITHOUT_X11(); }
    void clientAreaMatchesTheReference();
    void outlinesAreWholeAtEveryScale_data();
    void outlinesAreWholeAtEveryScale();
};

void tst_Screenshot::clientAreaMatchesTheReference()
{
    frmQuorvin w(PlatformServices::null());
    QVERIFY(w.Form_Load());
    // A colour that reaches every part the update paints: bars, pane "A", sample, codes.
    w.ui.HScroll1[0]->setValue(255);
    w.ui.HScroll1[1]->setValue(127);
    Q_EMIT w.ui.Label7->clicked(); // pane "B" on as well, with the red link
    w.ui.HScroll1[2]->setValue(64);
    w.move(40, 40);
    w.show();
    // Painted before the window manager maps it, as the program does; the expose must show it.
    FirstPaint::prepare(w);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    const QImage actual = settledGrab([&] {
        return w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    });
    const QString actualPath
        = QDir::current().absoluteFilePath(QStringLiteral("frmQuorvin-actual.png"));
    if (qEnvironmentVariableIsSet("QUORVIN_UPDATE_REFERENCE")) {
        QVERIFY(actual.save(ReferencePath));
        QSKIP("reference written; review it before committing");
    }
    const QImage reference = QImage(ReferencePath).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!reference.isNull(), qPrintable(ReferencePath));
    QCOMPARE(actual.size(), reference.size());

    QImage diff(actual.size(), QImage::Format_RGB32);
    diff.fill(Qt::white);
    int different = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (channelDistance(actual.pixel(x, y), reference.pixel(x, y)) > channelTolerance) {
                diff.setPixel(x, y, qRgb(255, 0, 0));
                if (different++ == 0)
                    first = QPoint(x, y);
            }
        }
    }
    if (different > maxDifferentPixels) {
        actual.save(actualPath);
        diff.save(QDir::current().absoluteFilePath(QStringLiteral("frmQuorvin-diff.png")));
    }
    QVERIFY2(different <= maxDifferentPixels,
        qPrintable(QStringLiteral("%1 pixels differ from the reference, the first at (%2, %3); "
                                  "see %4 and frmQuorvin-diff.png beside it")
                       .arg(different)
                       .arg(first.x())
                       .arg(first.y())
                       .arg(actualPath)));
}

void tst_Screenshot::outlinesAreWholeAtEveryScale_data()
{
    QTest::addColumn<QString>("scale");
    for (const char *scale : { "1", "1.25", "1.5", "1.75", "2" })
        QTest::newRow(scale) << QString::fromLatin1(scale);
}

void tst_Screenshot::outlinesAreWholeAtEveryScale()
{
    QFETCH(QString, scale);
    const double factor = scale.toDouble();

    // The layout and the colours after start-up, in logical pixels, from a window of our own.
    frmQuorvin layout(PlatformServices::null());
    QVERIFY(layout.Form_Load());
    const std::array<OutlineShape *, 6> shapes { layout.ui.Shape1, layout.ui.Shape2,
        layout.ui.Shape3, layout.ui.Shape4, layout.ui.Shape5, layout.ui.Shape6 };

    ScaledProgram program(scale);
    const QSize size(qFloor(608 * factor), qFloor(413 * factor));
    const QImage img = program.clientArea(size);
    QVERIFY2(!img.isNull(), "the program shows no window");
    QCOMPARE(img.size(), size);

    for (OutlineShape *shape : shapes) {
        const QRect logical(shape->mapTo(&layout, QPoint(0, 0)), shape->size());
        const QString missing = missingEdgePixel(img, logical, factor, shape->borderColor());
        QVERIFY2(missing.isEmpty(),
            qPrintable(QStringLiteral("%1: %2").arg(shape->objectName(), missing)));
    }
}

QTEST_MAIN(tst_Screenshot)
#include "tst_screenshot.moc"
