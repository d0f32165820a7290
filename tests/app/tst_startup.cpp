// The real program under Xvfb and openbox, driven and read from outside like a person would.
#include "ScriptControls.h"
#include "X11TestSupport.h"
#include "core/Placement.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace X11TestSupport;

namespace {

struct Geometry
{
    QPoint client; // absolute position of the client area
    QPoint frame; // absolute position of the window manager's frame
};

QString xdotool(const QStringList &args)
{
    return QString::fromUtf8(run(QStringLiteral("xdotool"), args).out).trimmed();
}

QString windowOf(qint64 pid, int seconds = 30)
{
    return windowOfProcess(pid, seconds * 1000);
}

bool hasWindow(qint64 pid)
{
    const Result r = run(QStringLiteral("xdotool"),
        { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
            QString::number(pid) });
    return !r.out.trimmed().isEmpty();
}

QString property(const QString &window, const QString &name)
{
    return QString::fromUtf8(
        run(QStringLiteral("xprop"), { QStringLiteral("-id"), window, name }).out);
}

Geometry geometryOf(const QString &window)
{
    Geometry g;
    g.client = clientOrigin(window);
    // _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
    const QStringList extents = property(window, QStringLiteral("_NET_FRAME_EXTENTS"))
                                    .section(QLatin1Char('='), 1)
                                    .split(QLatin1Char(','));
    if (extents.size() == 4)
        g.frame = g.client - QPoint(extents[0].trimmed().toInt(), extents[2].trimmed().toInt());
    return g;
}

bool isAbove(const QString &window)
{
    return property(window, QStringLiteral("_NET_WM_STATE"))
        .contains(QLatin1String("_NET_WM_STATE_ABOVE"));
}

// Where the frame's top-left corner belongs on the screen the test runs on (the screen's size in
// twips through the placement arithmetic, back in whole pixels).
QPoint centredFrame()
{
    const QString info
        = QString::fromUtf8(run(QStringLiteral("xwininfo"), { QStringLiteral("-root") }).out);
    const auto number = [&](const char *label) {
        const QRegularExpression re(QStringLiteral("%1:\\s+(\\d+)").arg(QLatin1String(label)));
        return re.match(info).captured(1).toInt();
    };
    constexpr int tw = Placement::twipsPerPixel;
    const Placement::TopLeft p = Placement::centerForm(double(number("Width")) * tw,
        double(number("Height")) * tw, Placement::outerWidthTwips, Placement::outerHeightTwips);
    return QPoint(qRound(p.left / double(tw)), qRound(p.top / double(tw)));
}

class Program
{
public:
    Program()
    {
        m_process.setProgram(QStringLiteral(QUORVIN_BINARY));
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    }
    ~Program() { stop(); }

    void setEnvironment(const QProcessEnvironment &env) { m_process.setProcessEnvironment(env); }
    void start() { m_process.start(); }
    bool waitStarted() { return m_process.waitForStarted(5000); }
    qint64 pid() const { return m_process.processId(); }
    QProcess &process() { return m_process; }
    void stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000)) {
                m_process.kill();
                m_process.waitForFinished(5000);
            }
        }
    }

private:
    QProcess m_process;
};

// Every entry below root with its kind, size and modification time: a file written, created or
// removed anywhere below shows up as a difference.
QStringList snapshot(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries << QStringLiteral("%1 %2 %3 %4")
                       .arg(info.filePath().mid(root.size()), info.isDir() ? "dir" : "file")
                       .arg(info.isDir() ? 0 : info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

QString desktopEntry(const QString &key)
{
    QFile file(QStringLiteral(QUORVIN_SOURCE_DIR "/packaging/" QUORVIN_APP_ID ".desktop"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(key.toUtf8() + '='))
            return QString::fromUtf8(line.mid(key.size() + 1));
    }
    return {};
}

// A TCP listener on 127.0.0.1 that takes connections and never says a word, on the port of the
// first free display number from 57 (xcb reaches "host:N" at port 6000 + N); -1 for none.
int silentDisplay(int *listener)
{
    for (int n = 57; n < 100; ++n) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(quint16(6000 + n));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        // The kernel completes the handshake of connections nobody accepts.
        if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
            && ::listen(fd, 4) == 0) {
            *listener = fd;
            return n;
        }
        ::close(fd);
    }
    return -1;
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    // Each case starts and ends programs of its own; the last case's must be gone for good.
    void init() { waitUntilNoWindowIsManaged(); }
    void cleanup() { releaseAllButtons(); }
    void startUpFaultSaysSoInOneLine_data();
    void startUpFaultSaysSoInOneLine();
    void startsCentredAndTopmost();
    void secondCopyEndsWithoutWindow();
    void startAfterKillWorks();
    void check1SwitchesTopmost();
    void backgroundDrag_data();
    void backgroundDrag();
    void closingTheWindowEndsTheProgram();
    void windowNamesItsMenuEntry();
    void fullSessionLeavesHomeAlone();
};

void tst_Startup::initTestCase()
{
    QUORVIN_SKIP_WITHOUT_X11();
}

void tst_Startup::startUpFaultSaysSoInOneLine_data()
{
    // Xvfb's -screen 0 argument; empty: no server at all; "silent": one that never answers
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("screenSuffix"); // appended to the server's display name
    QTest::addColumn<QString>("says");
    QTest::newRow("no display") << QString() << QString() << "cannot reach an X display";
    QTest::newRow("screen the server lacks") << "640x480x24"
                                             << ".5"
                                             << "screen 5";
    QTest::newRow("8-bit PseudoColor screen") << "640x480x8"
                                              << ".0"
                                              << "no true colours";
    QTest::newRow("display that accepts and never answers")
        << "silent" << QString() << "did not answer within";
}

void tst_Startup::startUpFaultSaysSoInOneLine()
{
    QFETCH(QString, screen);
    QFETCH(QString, screenSuffix);
    QFETCH(QString, says);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));

    // A server of the row's own, on a display number it picks itself.
    QProcess server;
    const auto stopServer = qScopeGuard([&server] {
        server.terminate();
        if (!server.waitForFinished(5000))
            server.kill();
        server.waitForFinished(5000);
    });
    int listener = -1;
    const auto closeListener = qScopeGuard([&listener] {
        if (listener >= 0)
            ::close(listener);
    });
    if (screen == QLatin1String("silent")) {
        const int number = silentDisplay(&listener);
        QVERIFY(number > 0);
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral("127.0.0.1:%1").arg(number));
    } else if (!screen.isEmpty()) {
        server.start(QStringLiteral("Xvfb"),
            { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), screen, QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                QStringLiteral("-noreset") });
        QVERIFY(server.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
        const QString number = QString::fromLatin1(server.readLine()).trimmed();
        env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + number + screenSuffix);
    }

    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QUORVIN_BINARY));
    const bool ended = p.waitForFinished(15000);
    if (!ended)
        p.kill();
    QVERIFY2(ended, "the program is still waiting");
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    QVERIFY2(err.startsWith(QLatin1String("quorvin: ")) && err.contains(says), qPrintable(err));
    QCOMPARE(err.count(QLatin1Char('\n')), 0);
}

void tst_Startup::startsCentredAndTopmost()
{
    Program first;
    first.start();
    QVERIFY(first.waitStarted());
    const QString window = windowOf(first.pid());
    QVERIFY2(!window.isEmpty(), "no window appeared");
    QTRY_VERIFY_WITH_TIMEOUT(isAbove(window), 5000);
    const QPoint expected = centredFrame();
    QVERIFY(!expected.isNull());
    QTRY_COMPARE_WITH_TIMEOUT(geometryOf(window).frame, expected, 5000);
}

void tst_Startup::secondCopyEndsWithoutWindow()
{
    Program first;
    first.start();
    QVERIFY(first.waitStarted());
    const QString window = windowOf(first.pid());
    QVERIFY(!window.isEmpty());

    Program second;
    second.start();
    QVERIFY(second.waitStarted());
    const qint64 secondPid = second.pid();
    QTRY_COMPARE_WITH_TIMEOUT(second.process().state(), QProcess::NotRunning, 10000);
    QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.process().exitCode(), 0);
    QVERIFY(!hasWindow(secondPid));

    QCOMPARE(first.process().state(), QProcess::Running);
    QCOMPARE(windowOf(first.pid(), 2), window);
}

void tst_Startup::startAfterKillWorks()
{
    {
        Program crashed;
        crashed.start();
        QVERIFY(crashed.waitStarted());
        QVERIFY(!windowOf(crashed.pid()).isEmpty());
        crashed.process().kill(); // SIGKILL: no chance to clean up the lock
        QTRY_COMPARE_WITH_TIMEOUT(crashed.process().state(), QProcess::NotRunning, 5000);
    }
    waitUntilNoWindowIsManaged();
    Program next;
    next.start();
    QVERIFY(next.waitStarted());
    QVERIFY2(!windowOf(next.pid()).isEmpty(), "the start after a crash showed no window");
    QCOMPARE(next.process().state(), QProcess::Running);
}

void tst_Startup::check1SwitchesTopmost()
{
    Program program;
    program.start();
    QVERIFY(program.waitStarted());
    const QString window = windowOf(program.pid());
    QVERIFY(!window.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(isAbove(window), 5000);

    // Check1 stands at (397, 357) in the client area, 129 x 13 pixels.
    const QPoint box = geometryOf(window).client + QPoint(397 + 6, 357 + 6);
    click(box);
    QTRY_VERIFY_WITH_TIMEOUT(!isAbove(window), 5000);
    click(box);
    QTRY_VERIFY_WITH_TIMEOUT(isAbove(window), 5000);
    QCOMPARE(activeWindow(), window);
}

void tst_Startup::backgroundDrag_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("moves");
    QTest::newRow("left button moves") << 1 << true;
    QTest::newRow("right button does not") << 3 << false;
    QTest::newRow("middle button does not") << 2 << false;
}

void tst_Startup::backgroundDrag()
{
    QFETCH(int, button);
    QFETCH(bool, moves);
    Program program;
    program.start();
    QVERIFY(program.waitStarted());
    const QString window = windowOf(program.pid());
    QVERIFY(!window.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(geometryOf(window).frame, centredFrame(), 5000);

    const Geometry before = geometryOf(window);
    // (300, 75) twips: the margin above the frames.
    const QPoint grab = before.client + QPoint(20, 5);
    const QPoint distance(150, 90);
    moveTo(grab);
    press(button);
    for (int step = 1; step <= 10; ++step)
        moveTo(grab + distance * step / 10);
    release(button);

    const QPoint expected = before.client + (moves ? distance : QPoint());
    QTRY_COMPARE_WITH_TIMEOUT(geometryOf(window).client, expected, 5000);
    settle(300);
    QCOMPARE(geometryOf(window).client, expected);
}

void tst_Startup::closingTheWindowEndsTheProgram()
{
    Program program;
    program.start();
    QVERIFY(program.waitStarted());
    const QString window = windowOf(program.pid());
    QVERIFY(!window.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), window, 5000);
    settle(500);
    // The window manager's close, as the title bar's close box or Alt+F4 asks for it.
    xdotool({ QStringLiteral("key"), QStringLiteral("alt+F4") });
    // Two steps, so that a failure says which went wrong: the close that never arrived, or an
    // end that came late. The helpers spin the event loop, so the end may already have been seen.
    QTRY_VERIFY2_WITH_TIMEOUT(
        program.process().state() == QProcess::NotRunning || !hasWindow(program.pid()),
        "the window is still there: the close did not arrive", 5000);
    QTRY_COMPARE_WITH_TIMEOUT(program.process().state(), QProcess::NotRunning, 5000);
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process().exitCode(), 0);
}

void tst_Startup::windowNamesItsMenuEntry()
{
    Program program;
    program.start();
    QVERIFY(program.waitStarted());
    const QString window = windowOf(program.pid());
    QVERIFY(!window.isEmpty());
    // Docks find the menu entry, and with it the icon, through the class part of WM_CLASS.
    const QString wmClass = desktopEntry(QStringLiteral("StartupWMClass"));
    QVERIFY(!wmClass.isEmpty());
    QCOMPARE(::property(window, QStringLiteral("WM_CLASS")).trimmed(),
        QStringLiteral("WM_CLASS(STRING) = \"quorvin\", \"%1\"").arg(wmClass));
}

// Start, pick in the colour field, copy the HTML code, close: with a home folder of its own,
// nothing in it or in the desktop's config, cache, data and state folders may change.
void tst_Startup::fullSessionLeavesHomeAlone()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString root = home.path();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), root);
    const QStringList folders = { QStringLiteral("XDG_CONFIG_HOME=/.config"),
        QStringLiteral("XDG_CACHE_HOME=/.cache"), QStringLiteral("XDG_DATA_HOME=/.local/share"),
        QStringLiteral("XDG_STATE_HOME=/.local/state") };
    for (const QString &folder : folders) {
        const QString path = root + folder.section(QLatin1Char('='), 1);
        QVERIFY(QDir().mkpath(path));
        env.insert(folder.section(QLatin1Char('='), 0, 0), path);
    }
    // A desktop without a session bus address: nothing may launch a bus that writes to HOME.
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    env.remove(QStringLiteral("XDG_CONFIG_DIRS"));
    env.remove(QStringLiteral("XDG_DATA_DIRS"));
    const QStringList before = snapshot(root);
    settle(20); // a write in the same millisecond as the snapshot would keep its time stamp

    seedClipboard("before the session");
    Program program;
    program.setEnvironment(env);
    program.start();
    QVERIFY(program.waitStarted());
    const QString window = windowOf(program.pid());
    QVERIFY(!window.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), window, 5000);
    const QPoint client = geometryOf(window).client;
    // Into picColor(0), then "Kopie" of HEX / HTML.
    click(client + scriptControls().value(QStringLiteral("picColor0")).topLeft() + QPoint(100, 60));
    click(client + scriptCentre(QStringLiteral("Label6")));
    QTRY_VERIFY_WITH_TIMEOUT(QRegularExpression(QStringLiteral("^#[0-9A-F]{6}$"))
                                 .match(QString::fromLatin1(clipboardText()))
                                 .hasMatch(),
        5000);
    QVERIFY2(clipboardText() != "#000000", "the pick set no colour");
    xdotool({ QStringLiteral("key"), QStringLiteral("alt+F4") });
    QTRY_COMPARE_WITH_TIMEOUT(program.process().state(), QProcess::NotRunning, 5000);
    QCOMPARE(program.process().exitCode(), 0);

    const QStringList after = snapshot(root);
    QStringList changed;
    for (const QString &e : after)
        if (!before.contains(e))
            changed << QStringLiteral("+ ") + e;
    for (const QString &e : before)
        if (!after.contains(e))
            changed << QStringLiteral("- ") + e;
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
