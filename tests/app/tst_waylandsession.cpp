// The program in a real Wayland session: Weston's headless backend with XWayland, started here
// with a runtime folder and socket of its own. Input cannot be injected into XWayland there, so
// this covers start-up and the window only.
#include "platform/PlatformServices.h"
#include "platform/WaylandSession.h"
#include "platform/X11Connection.h"
#include "platform/XcbReplyPtr.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const XcbReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : XCB_NONE;
}

// A viewable window anywhere below the root whose _NET_WM_PID is pid.
xcb_window_t findWindowOf(xcb_connection_t *c, xcb_window_t parent, xcb_atom_t pidAtom, qint64 pid)
{
    const XcbReplyPtr<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr));
    if (!tree)
        return XCB_NONE;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const xcb_window_t w = children[i];
        const XcbReplyPtr<xcb_get_property_reply_t> prop(xcb_get_property_reply(
            c, xcb_get_property(c, 0, w, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
        const XcbReplyPtr<xcb_get_window_attributes_reply_t> attrs(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr));
        if (prop && xcb_get_property_value_length(prop.get()) == 4 && attrs
            && attrs->map_state == XCB_MAP_STATE_VIEWABLE
            && *static_cast<const uint32_t *>(xcb_get_property_value(prop.get())) == pid)
            return w;
        if (const xcb_window_t found = findWindowOf(c, w, pidAtom, pid))
            return found;
    }
    return XCB_NONE;
}

} // namespace

class tst_WaylandSession : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void startsUnderXWayland_data();
    void startsUnderXWayland();
    void xwaylandIsRecognisedWithoutTheEnvironment();
    void westonOffersNoWayToPick();

private:
    std::unique_ptr<QTemporaryDir> m_runtime;
    QProcess m_weston;
    QProcess m_quorvin;
    QString m_xDisplay;
    xcb_connection_t *m_x = nullptr;
};

void tst_WaylandSession::init()
{
    if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("Xwayland")).isEmpty()) {
        if (qEnvironmentVariableIsSet("QUORVIN_REQUIRE_X11"))
            QFAIL("weston or Xwayland is not installed");
        QSKIP("weston or Xwayland is not installed");
    }
    m_runtime = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runtime->isValid());
    QFile::setPermissions(m_runtime->path(),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString log = m_runtime->filePath(QStringLiteral("weston.log"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_weston.setProcessEnvironment(env);
    m_weston.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_weston.setStandardOutputFile(QProcess::nullDevice());
    m_weston.start(QStringLiteral("weston"),
        { QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
            QStringLiteral("--xwayland"), QStringLiteral("--socket=quorvin-test"),
            QStringLiteral("--no-config"), QStringLiteral("--log=") + log });
    QVERIFY(m_weston.waitForStarted());

    // Weston names the display it opened for XWayland in its log.
    const QRegularExpression listening(QStringLiteral("xserver listening on display (:\\d+)"));
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QFile f(log);
            if (!f.open(QIODevice::ReadOnly))
                return false;
            const QRegularExpressionMatch m = listening.match(QString::fromUtf8(f.readAll()));
            m_xDisplay = m.captured(1);
            return m.hasMatch();
        }(),
        20000);
    m_x = xcb_connect(qPrintable(m_xDisplay), nullptr);
    QVERIFY(!xcb_connection_has_error(m_x));
}

void tst_WaylandSession::cleanup()
{
    if (m_x)
        xcb_disconnect(m_x);
    m_x = nullptr;
    if (m_quorvin.state() != QProcess::NotRunning) {
        m_quorvin.kill();
        m_quorvin.waitForFinished(5000);
    }
    if (m_weston.state() != QProcess::NotRunning) {
        m_weston.terminate();
        if (!m_weston.waitForFinished(5000)) {
            m_weston.kill();
            m_weston.waitForFinished(5000);
        }
    }
    m_runtime.reset();
}

void tst_WaylandSession::startsUnderXWayland_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("xWindow");
    QTest::newRow("none named: xcb") << QString() << true;
    QTest::newRow("the user's choice stands") << QStringLiteral("wayland") << false;
}

void tst_WaylandSession::startsUnderXWayland()
{
    QFETCH(QString, platform);
    QFETCH(bool, xWindow);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("quorvin-test"));
    env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    env.insert(QStringLiteral("DISPLAY"), m_xDisplay);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (!platform.isEmpty())
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    m_quorvin.setProcessEnvironment(env);
    m_quorvin.setProcessChannelMode(QProcess::ForwardedChannels);
    m_quorvin.start(QStringLiteral(QUORVIN_BINARY), {});
    QVERIFY(m_quorvin.waitForStarted());

    const xcb_atom_t pidAtom = atom(m_x, "_NET_WM_PID");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
    xcb_window_t window = XCB_NONE;
    if (!xWindow) {
        // Started as a Wayland client: running, yet nothing on the X side.
        QTest::qWait(3000);
        QCOMPARE(m_quorvin.state(), QProcess::Running);
        QCOMPARE(findWindowOf(m_x, root, pidAtom, m_quorvin.processId()), XCB_NONE);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(
        (window = findWindowOf(m_x, root, pidAtom, m_quorvin.processId())) != XCB_NONE, 20000);

    // A close from the window manager ends the program.
    xcb_client_message_event_t close {};
    close.response_type = XCB_CLIENT_MESSAGE;
    close.format = 32;
    close.window = window;
    close.type = atom(m_x, "WM_PROTOCOLS");
    close.data.data32[0] = atom(m_x, "WM_DELETE_WINDOW");
    close.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_x, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&close));
    xcb_flush(m_x);
    QVERIFY(m_quorvin.waitForFinished(10000));
    QCOMPARE(m_quorvin.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_quorvin.exitCode(), 0);
}

void tst_WaylandSession::xwaylandIsRecognisedWithoutTheEnvironment()
{
    // This same program, run as an X client of XWayland in a session that says nothing.
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUORVIN_PROBE_XWAYLAND"), QStringLiteral("1"));
    env.insert(QStringLiteral("DISPLAY"), m_xDisplay);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("XDG_SESSION_TYPE"));
    probe.setProcessEnvironment(env);
    probe.setProcessChannelMode(QProcess::ForwardedChannels);
    probe.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(probe.waitForFinished(20000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
}

void tst_WaylandSession::westonOffersNoWayToPick()
{
    // Weston has no screen copies for clients, and there is no portal on the bus: the eyedropper
    // must know that before anyone presses it.
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUORVIN_PROBE_EYEDROPPER"), QStringLiteral("1"));
    env.insert(QStringLiteral("DISPLAY"), m_xDisplay);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("quorvin-test"));
    env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    probe.setProcessEnvironment(env);
    probe.setProcessChannelMode(QProcess::ForwardedChannels);
    probe.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(probe.waitForFinished(20000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), int(PlatformServices::Eyedropper::None));
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("QUORVIN_PROBE_EYEDROPPER")) {
        QGuiApplication app(argc, argv);
        return int(PlatformServices::create().eyedropper);
    }
    if (qEnvironmentVariableIsSet("QUORVIN_PROBE_XWAYLAND")) {
        QGuiApplication app(argc, argv);
        const bool declared = WaylandSession::declared();
        return !declared && WaylandSession::isXWayland(x11Connection()) ? 0 : 1;
    }
    QCoreApplication app(argc, argv);
    tst_WaylandSession test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_waylandsession.moc"
