// "Already running" belongs to the X display: the real program against copies started every way
// a user could reach the same desktop, and the guard's answer where it cannot ask.
#include "X11TestSupport.h"
#include "platform/X11Connection.h"
#include "platform/X11SelectionSingleInstance.h"
#include "platform/XcbReplyPtr.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

using namespace X11TestSupport;

namespace {

void stop(QProcess &p)
{
    p.kill();
    p.waitForFinished(5000);
}

// Windows mapped on the screen while it watches, whoever maps them.
class MapWatch
{
public:
    MapWatch()
        : m_c(xcb_connect(nullptr, nullptr))
    {
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(
            m_c, xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root, XCB_CW_EVENT_MASK, &mask);
        sync();
    }
    ~MapWatch() { xcb_disconnect(m_c); }
    int maps()
    {
        sync();
        int n = 0;
        while (const XcbReplyPtr<xcb_generic_event_t> e { xcb_poll_for_event(m_c) })
            n += (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
        return n;
    }

private:
    void sync() { xcbReply(xcb_get_input_focus_reply, m_c, xcb_get_input_focus(m_c)); }
    xcb_connection_t *m_c;
};

} // namespace

class tst_SingleInstance : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { stop(m_first); }
    void secondCopyIsRefused_data();
    void secondCopyIsRefused();
    void killedCopyReleasesTheScreenAtOnce();
    void guardAnswers_data();
    void guardAnswers();
    void oneCopyPerDisplay_data();
    void oneCopyPerDisplay();

private:
    void startFirst();
    QProcess m_first;
};

void tst_SingleInstance::initTestCase()
{
    QUORVIN_SKIP_WITHOUT_X11();
    startFirst();
}

void tst_SingleInstance::startFirst()
{
    m_first.setProcessChannelMode(QProcess::ForwardedChannels);
    m_first.start(QStringLiteral(QUORVIN_BINARY));
    QVERIFY(m_first.waitForStarted(5000));
    QVERIFY2(!windowOfProcess(m_first.processId()).isEmpty(), "the first copy showed no window");
}

void tst_SingleInstance::secondCopyIsRefused_data()
{
    // DISPLAY is ":N" here; every row reaches that same screen another way.
    const QString display = qEnvironmentVariable("DISPLAY");
    QTest::addColumn<QStringList>("environment"); // NAME=value to set, or NAME alone to unset
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("same environment") << QStringList() << QStringList();
    QTest::newRow("no runtime folder") << QStringList { "XDG_RUNTIME_DIR" } << QStringList();
    QTest::newRow("another runtime folder")
        << QStringList { "XDG_RUNTIME_DIR=" + QDir::tempPath() } << QStringList();
    QTest::newRow("display spelt unix:N.0")
        << QStringList { "DISPLAY=unix" + display + ".0" } << QStringList();
    QTest::newRow("display given by -display, none in the environment")
        << QStringList { "DISPLAY" } << QStringList { "-display", display + ".0" };
}

void tst_SingleInstance::secondCopyIsRefused()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &entry : std::as_const(environment)) {
        if (entry.contains(QLatin1Char('=')))
            env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
        else
            env.remove(entry);
    }

    MapWatch watch;
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(QUORVIN_BINARY), arguments);
    const bool ended = second.waitForFinished(15000);
    const QByteArray err = second.readAllStandardError();
    if (!ended)
        stop(second);
    QVERIFY2(ended, "the second copy is still running");
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QVERIFY2(second.exitCode() == 0, err.constData());
    QCOMPARE(watch.maps(), 0);
    QCOMPARE(m_first.state(), QProcess::Running);
}

void tst_SingleInstance::killedCopyReleasesTheScreenAtOnce()
{
    using Answer = SingleInstance::Answer;
    X11SelectionSingleInstance probe(x11Connection(), x11DefaultScreen());
    QCOMPARE(probe.tryAcquire(), Answer::AnotherCopyRuns);
    m_first.kill(); // SIGKILL: the copy cleans nothing up, the server does
    QVERIFY(m_first.waitForFinished(5000));
    // The server notices the closed connection on its next turn; no time-out is involved.
    QTRY_COMPARE_WITH_TIMEOUT(probe.tryAcquire(), Answer::OnlyCopy, 500);
}

void tst_SingleInstance::guardAnswers_data()
{
    QTest::addColumn<QString>("connection"); // "session", "broken" or "none"
    QTest::addColumn<int>("screen");
    QTest::addColumn<SingleInstance::Answer>("answer");
    using Answer = SingleInstance::Answer;
    QTest::newRow("the first copy holds the display") << "session" << 0 << Answer::AnotherCopyRuns;
    QTest::newRow("broken connection: could not tell") << "broken" << 0 << Answer::CouldNotTell;
    QTest::newRow("no connection: could not tell") << "none" << 0 << Answer::CouldNotTell;
    QTest::newRow("screen the server lacks: could not tell")
        << "session" << 7 << Answer::CouldNotTell;
}

void tst_SingleInstance::guardAnswers()
{
    QFETCH(QString, connection);
    QFETCH(int, screen);
    QFETCH(SingleInstance::Answer, answer);
    if (m_first.state() != QProcess::Running)
        startFirst();
    // A display number no server has: xcb hands back a connection in its error state.
    xcb_connection_t *broken = xcb_connect(":65000", nullptr);
    const auto disconnect = qScopeGuard([broken] { xcb_disconnect(broken); });
    xcb_connection_t *c = connection == "session" ? x11Connection()
        : connection == "broken"                  ? broken
                                                  : nullptr;
    X11SelectionSingleInstance guard(c, screen);
    QCOMPARE(guard.tryAcquire(), answer);
}

void tst_SingleInstance::oneCopyPerDisplay_data()
{
    QTest::addColumn<QString>("firstScreen");
    QTest::addColumn<QString>("secondScreen");
    QTest::newRow("first on screen 0, second on .1") << ".0"
                                                     << ".1";
    QTest::newRow("first on screen 1, second on the display's default") << ".1"
                                                                        << "";
}

void tst_SingleInstance::oneCopyPerDisplay()
{
    QFETCH(QString, firstScreen);
    QFETCH(QString, secondScreen);
    // A server of two screens of its own; no window manager is needed to see a window mapped.
    QProcess server;
    const auto stopServer = qScopeGuard([&server] { stop(server); });
    server.start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
            QStringLiteral("0"), QStringLiteral("640x480x24"), QStringLiteral("-screen"),
            QStringLiteral("1"), QStringLiteral("640x480x24"), QStringLiteral("-nolisten"),
            QStringLiteral("tcp"), QStringLiteral("-noreset") });
    QVERIFY(server.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
    const QString display = QLatin1Char(':') + QString::fromLatin1(server.readLine()).trimmed();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display + firstScreen);
    QProcess first;
    const auto stopFirst = qScopeGuard([&first] { stop(first); });
    first.setProcessEnvironment(env);
    first.setProcessChannelMode(QProcess::ForwardedChannels);
    first.start(QStringLiteral(QUORVIN_BINARY));
    QVERIFY(first.waitForStarted(5000));
    QVERIFY2(!windowOfProcess(first.processId(), 30000, display + firstScreen).isEmpty(),
        "the first copy showed no window");

    env.insert(QStringLiteral("DISPLAY"), display + secondScreen);
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(QUORVIN_BINARY));
    const bool ended = second.waitForFinished(15000);
    const QByteArray err = second.readAllStandardError();
    if (!ended)
        stop(second);
    QVERIFY2(ended, "the copy on the other screen is still running");
    QVERIFY2(second.exitCode() == 0, err.constData());
    QCOMPARE(first.state(), QProcess::Running);
}

QTEST_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
