// The eyedropper under a real wlroots compositor: a headless sway (scripts/sway-session.sh) with
// two outputs, one at scale 2, solid backgrounds and terminals of known colours. A virtual pointer
// of the compositor presses on the window, which runs on XWayland, moves over the native windows
// and lets go; the colours are read back from the window's own code box through the clipboard.
// Then the real program: a code copied there can still be pasted after sway closed it.
#include "ScriptControls.h"
#include "TestWindow.h"
#include "X11TestSupport.h"

#include "app/frmQuorvin.h"
#include "platform/WaylandScreenReader.h"
#include "platform/WaylandSession.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"
#include "widgets/PictureBox.h"

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <wayland-client.h>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace X11TestSupport;

namespace {

constexpr uint32_t leftButton = 0x110; // BTN_LEFT

// A pointer device of the compositor's seat: the headless one has none of its own.
class VirtualPointer
{
public:
    bool connect()
    {
        m_display = wl_display_connect(nullptr);
        if (!m_display)
            return false;
        wl_registry *registry = wl_display_get_registry(m_display);
        wl_registry_add_listener(registry, &listener, this);
        wl_display_roundtrip(m_display);
        wl_registry_destroy(registry);
        if (!m_manager)
            return false;
        m_pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(m_manager, nullptr);
        return wl_display_roundtrip(m_display) >= 0;
    }
    ~VirtualPointer()
    {
        if (m_pointer)
            zwlr_virtual_pointer_v1_destroy(m_pointer);
        if (m_manager)
            zwlr_virtual_pointer_manager_v1_destroy(m_manager);
        if (m_display)
            wl_display_disconnect(m_display);
    }
    void moveTo(QPoint p)
    {
        // To the middle of the pixel: its corner, divided and multiplied back, may land a
        // rounding error short of it.
        zwlr_virtual_pointer_v1_motion_absolute(m_pointer, now(), uint32_t(2 * p.x() + 1),
            uint32_t(2 * p.y() + 1), uint32_t(2 * m_layout.width()),
            uint32_t(2 * m_layout.height()));
        send();
    }
    void button(bool down)
    {
        zwlr_virtual_pointer_v1_button(m_pointer, now(), leftButton, down ? 1 : 0);
        send();
        m_down = down;
    }
    bool down() const { return m_down; }
    void setLayout(QSize layout) { m_layout = layout; }

private:
    static void global(
        void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
    {
        if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
            static_cast<VirtualPointer *>(data)->m_manager
                = static_cast<zwlr_virtual_pointer_manager_v1 *>(wl_registry_bind(registry, name,
                    &zwlr_virtual_pointer_manager_v1_interface, std::min<uint32_t>(version, 2)));
        }
    }
    static void globalRemove(void *, wl_registry *, uint32_t) { }
    static constexpr wl_registry_listener listener { global, globalRemove };

    uint32_t now()
    {
        return uint32_t(m_clock.isValid() ? m_clock.elapsed() : (m_clock.start(), 0));
    }
    void send()
    {
        zwlr_virtual_pointer_v1_frame(m_pointer);
        wl_display_roundtrip(m_display);
    }

    wl_display *m_display = nullptr;
    zwlr_virtual_pointer_manager_v1 *m_manager = nullptr;
    zwlr_virtual_pointer_v1 *m_pointer = nullptr;
    QSize m_layout;
    QElapsedTimer m_clock;
    bool m_down = false;
};

VirtualPointer *pointer = nullptr;

// Whether XWayland has taken in the compositor's pointer as a device of its own.
bool xwaylandHasPointer()
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    bool found = false;
    std::free(xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr));
    if (xcb_input_xi_query_device_reply_t *reply = xcb_input_xi_query_device_reply(
            c, xcb_input_xi_query_device(c, XCB_INPUT_DEVICE_ALL), nullptr)) {
        for (auto i = xcb_input_xi_query_device_infos_iterator(reply); i.rem > 0 && !found;
             xcb_input_xi_device_info_next(&i)) {
            const QByteArray name(xcb_input_xi_device_info_name(i.data),
                xcb_input_xi_device_info_name_length(i.data));
            found = i.data->type == XCB_INPUT_DEVICE_TYPE_SLAVE_POINTER
                && name.startsWith("xwayland-pointer");
        }
        std::free(reply);
    }
    xcb_disconnect(c);
    return found;
}

QJsonDocument sway(const char *what)
{
    return QJsonDocument::fromJson(run(QStringLiteral("swaymsg"), { "-r", "-t", what }).out);
}

// The rectangle of the window with this app id (an X window where none is given), in layout
// coordinates.
QRect windowRect(const QJsonObject &node, const QString &appId = {})
{
    const bool found = appId.isEmpty() ? node.value(QStringLiteral("window")).isDouble()
                                       : node.value(QStringLiteral("app_id")).toString() == appId;
    if (found) {
        const QJsonObject r = node.value(QStringLiteral("rect")).toObject();
        return QRect(r.value(QStringLiteral("x")).toInt(), r.value(QStringLiteral("y")).toInt(),
            r.value(QStringLiteral("width")).toInt(), r.value(QStringLiteral("height")).toInt());
    }
    for (const char *children : { "nodes", "floating_nodes" }) {
        for (const QJsonValue child : node.value(QLatin1String(children)).toArray()) {
            const QRect found = windowRect(child.toObject(), appId);
            if (found.isValid())
                return found;
        }
    }
    return {};
}

QColor sliders(const frmQuorvin &w)
{
    return QColor(w.ui.HScroll1[0]->value(), w.ui.HScroll1[1]->value(), w.ui.HScroll1[2]->value());
}

struct Target
{
    QString name;
    QPoint at;
    QColor color;
};

} // namespace

class tst_EyedropperSway : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void holdFollowsThePointerOverBothOutputs();
    void copiedCodeSurvivesClosing();

private:
    std::unique_ptr<frmQuorvin> m_window;
    WaylandScreenReader *m_reader = nullptr;
    QList<Target> m_targets;
};

void tst_EyedropperSway::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("SWAYSOCK"))
        QSKIP("needs the session of scripts/sway-session.sh");
    QSize layout;
    QList<QRect> outputs;
    for (const QJsonValue v : sway("get_outputs").array()) {
        const QJsonObject r = v.toObject().value(QStringLiteral("rect")).toObject();
        outputs << QRect(r.value(QStringLiteral("x")).toInt(), r.value(QStringLiteral("y")).toInt(),
            r.value(QStringLiteral("width")).toInt(), r.value(QStringLiteral("height")).toInt());
        layout = layout.expandedTo(QSize(outputs.last().right() + 1, outputs.last().bottom() + 1));
    }
    std::sort(outputs.begin(), outputs.end(), [](QRect a, QRect b) { return a.x() < b.x(); });
    QCOMPARE(outputs.size(), 2);
    QVERIFY2(pointer, "no virtual pointer on the X server");
    pointer->setLayout(layout);

    QMap<QString, QColor> colors;
    for (const QString &pair : qEnvironmentVariable("QUORVIN_SWAY_COLOURS").split(u' ')) {
        colors.insert(pair.section(u'=', 0, 0), QColor(pair.section(u'=', 1)));
    }
    const QJsonObject tree = sway("get_tree").object();
    const QRect foot1 = windowRect(tree, QStringLiteral("foot1"));
    const QRect foot2 = windowRect(tree, QStringLiteral("foot2"));
    QVERIFY(foot1.isValid() && foot2.isValid());
    // Corners away from the window, the terminals and their neighbours; the terminals' middles.
    m_targets = {
        { QStringLiteral("background, output 1"), outputs[0].topRight() + QPoint(-40, 40),
            colors.value(QStringLiteral("bg1")) },
        { QStringLiteral("terminal, output 1"), foot1.center(),
            colors.value(QStringLiteral("foot1")) },
        { QStringLiteral("terminal, output 2 at scale 2"), foot2.center(),
            colors.value(QStringLiteral("foot2")) },
        { QStringLiteral("background, output 2 at scale 2"),
            outputs[1].bottomRight() + QPoint(-40, -40), colors.value(QStringLiteral("bg2")) },
    };

    PlatformServices services = PlatformServices::create();
    QCOMPARE(int(services.eyedropper), int(PlatformServices::Eyedropper::Screen));
    m_reader = dynamic_cast<WaylandScreenReader *>(services.screenReader.get());
    QVERIFY(m_reader);
    m_window = TestWindow::started(std::move(services));
    QVERIFY(m_window);
    // sway places a floating window once more after it mapped; the X server hears of it later.
    QTRY_COMPARE(windowRect(sway("get_tree").object()), m_window->frameGeometry());
    QTRY_COMPARE(nativeOf(m_window.get(), QPointF(0, 0)), m_window->frameGeometry().topLeft());
    const QRect window = m_window->frameGeometry();
    for (const Target &t : m_targets) {
        QVERIFY2(t.color.isValid(), qPrintable(t.name));
        QVERIFY2(!window.contains(t.at), qPrintable(t.name));
    }
}

void tst_EyedropperSway::cleanup()
{
    if (pointer && pointer->down())
        pointer->button(false);
}

void tst_EyedropperSway::holdFollowsThePointerOverBothOutputs()
{
    frmQuorvin &w = *m_window;
    w.ui.HScroll1[0]->setValue(1);
    // XWayland learns where the pointer is once it moves over one of its windows.
    const QPoint button = centreOf(w.ui.picScreenColor);
    pointer->moveTo(m_targets.first().at);
    settle(100);
    for (QPoint step : { button + QPoint(5, 5), button }) {
        pointer->moveTo(step);
        QTRY_COMPARE(pointerNow(), step);
    }
    pointer->button(true);
    QTRY_VERIFY(w.ui.tmrScreenColor->isActive());

    // Each colour as soon as it shows, several rounds over all four places in one hold.
    QList<qint64> latencies;
    QElapsedTimer hold;
    hold.start();
    const uint64_t capturesBefore = m_reader->capturesAnswered();
    const uint64_t framesBefore = m_reader->framesAnswered();
    for (int round = 0; round < 3; ++round) {
        for (const Target &t : m_targets) {
            QElapsedTimer shown;
            pointer->moveTo(t.at);
            shown.start();
            while (sliders(w) != t.color && shown.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            QVERIFY2(sliders(w) == t.color,
                qPrintable(QStringLiteral("%1: %2 instead of %3")
                               .arg(t.name, sliders(w).name(), t.color.name())));
            latencies << shown.elapsed();
        }
    }
    // Still while held: the copies keep coming at the outputs' frame rate.
    QTest::qWait(1000);
    const double seconds = hold.elapsed() / 1000.0;
    const uint64_t captures = m_reader->capturesAnswered() - capturesBefore;
    const uint64_t frames = m_reader->framesAnswered() - framesBefore;
    std::sort(latencies.begin(), latencies.end());
    qInfo("screen copies answered: %.0f/s, from %.0f distinct frames/s, over %.1f s; pointer move "
          "to colour shown: median %lld ms, slowest %lld ms of %lld",
        captures / seconds, frames / seconds, seconds, latencies[latencies.size() / 2],
        latencies.last(), qint64(latencies.size()));
    QVERIFY(captures > 0);

    const Target &last = m_targets.last();
    pointer->button(false);
    QTRY_VERIFY(!w.ui.tmrScreenColor->isActive());
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(w.ui.picScreenColor->picture().cacheKey(), w.ui.picMouse[2]->picture().cacheKey());
    // Over another colour after the release, nothing follows any more.
    pointer->moveTo(m_targets.first().at);
    QTest::qWait(300);
    QCOMPARE(sliders(w), last.color);

    // What the window's own code box holds, copied by its button and read from the clipboard.
    pointer->moveTo(centreOf(w.ui.Label6));
    settle(50);
    pointer->button(true);
    pointer->button(false);
    QTRY_COMPARE(run(QStringLiteral("xclip"), { "-o", "-selection", "clipboard" }).out,
        last.color.name().toUpper().toLatin1());
}

// wlroots' own X window manager owns CLIPBOARD_MANAGER but keeps nothing: a code copied in the
// real program must still be there to paste once its window is closed.
void tst_EyedropperSway::copiedCodeSurvivesClosing()
{
    m_window.reset();
    seedClipboard("stale");
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(QUORVIN_BINARY));
    QVERIFY(program.waitForStarted(5000));
    const auto stop = qScopeGuard([&program] {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
    });
    const QString xWindow = windowOfProcess(program.processId(), 15000);
    QVERIFY(!xWindow.isEmpty());
    // sway places a floating window once more after it mapped; the X server hears of it later.
    QTRY_COMPARE(windowRect(sway("get_tree").object()).topLeft(), clientOrigin(xWindow));
    const QRect window = windowRect(sway("get_tree").object());

    // "Kopie" beside "HEX / HTML"; sway draws no frame here. The pointer may rest there already:
    // only a move onto the window tells XWayland where it is.
    const QPoint copy = window.topLeft() + scriptCentre(QStringLiteral("Label6"));
    for (QPoint step : { window.center(), copy }) {
        pointer->moveTo(step);
        QTRY_COMPARE(pointerNow(), step);
    }
    pointer->button(true);
    pointer->button(false);
    QTRY_COMPARE(clipboardText(), QByteArray("#000000"));

    const Result closed = run(QStringLiteral("swaymsg"),
        { QStringLiteral("[pid=%1]").arg(program.processId()), QStringLiteral("kill") });
    QCOMPARE(closed.exitCode, 0);
    QVERIFY2(program.waitForFinished(10000), "the program did not end after sway closed it");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(clipboardText(), QByteArray("#000000"));
}

int main(int argc, char *argv[])
{
    // The headless seat gets its pointer from this device. Made once Qt runs, it would reach Qt
    // as a device plugged in mid-run, whose records Qt keeps past the exit; so it is made, and
    // waited for on the X server, before.
    VirtualPointer device;
    if (device.connect()) {
        QElapsedTimer waited;
        waited.start();
        bool seen = false;
        while (!(seen = xwaylandHasPointer()) && waited.elapsed() < 10000)
            usleep(10000);
        if (seen)
            pointer = &device;
    }
    WaylandSession::preferX11(argc, argv);
    QApplication app(argc, argv);
    tst_EyedropperSway test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_eyedropper_sway.moc"
