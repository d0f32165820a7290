// The copied code outlives the window: the real program, closed by the window manager or by a
// signal, with and without a clipboard manager in the session, and with one that never answers.
#include "ScriptControls.h"
#include "X11TestSupport.h"
#include "platform/XcbReplyPtr.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace X11TestSupport;

namespace {

const QStringList textTargets
    = { QStringLiteral("UTF8_STRING"), QStringLiteral("STRING"), QStringLiteral("TEXT"),
          QStringLiteral("text/plain"), QStringLiteral("text/plain;charset=utf-8") };

QByteArray clipboardAs(const QString &target)
{
    const Result r = run(QStringLiteral("timeout"),
        { QStringLiteral("5"), QStringLiteral("xclip"), QStringLiteral("-o"),
            QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
            target });
    return r.exitCode == 0 ? r.out : QByteArray("<refused>");
}

QStringList clipboardTargets()
{
    return QString::fromUtf8(clipboardAs(QStringLiteral("TARGETS")))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A process counts as gone once it has ended, reaped or not (its parent is no longer ours).
bool processGone(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || line.mid(close + 2, 1) == "Z";
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    XcbReplyPtr<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

enum class Manager { None, Answers, Silent, SaysSavedKeepsNothing };

// A clipboard manager as small as the exit needs: owns CLIPBOARD_MANAGER and, on SAVE_TARGETS,
// fetches the text as UTF8_STRING, takes the clipboard and then says yes, as a real one does. A
// silent one only counts the requests; one that keeps nothing says yes at once and fetches and
// takes nothing, as wlroots' window manager does.
class ClipboardManager
{
public:
    ClipboardManager()
        : m_c(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_c))
            return;
        xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        m_window = xcb_generate_id(m_c);
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
            XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        m_manager = atom(m_c, "CLIPBOARD_MANAGER");
        m_saveTargets = atom(m_c, "SAVE_TARGETS");
        m_clipboard = atom(m_c, "CLIPBOARD");
        m_utf8 = atom(m_c, "UTF8_STRING");
        m_fetched = atom(m_c, "_TEST_FETCHED");
        xcb_set_selection_owner(m_c, m_window, m_manager, XCB_CURRENT_TIME);
        xcb_flush(m_c);
    }
    ~ClipboardManager() { xcb_disconnect(m_c); }

    bool owns()
    {
        XcbReplyPtr<xcb_get_selection_owner_reply_t> r(
            xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, m_manager), nullptr));
        return r && r->owner == m_window;
    }
    bool ownsClipboard()
    {
        XcbReplyPtr<xcb_get_selection_owner_reply_t> r(
            xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, m_clipboard), nullptr));
        return r && r->owner == m_window;
    }

    void pump(Manager kind)
    {
        const bool answer = kind != Manager::Silent;
        while (xcb_generic_event_t *e = xcb_poll_for_event(m_c)) {
            const std::uint8_t type = e->response_type & 0x7F;
            if (type == XCB_SELECTION_REQUEST) {
                const auto req = *reinterpret_cast<xcb_selection_request_event_t *>(e);
                const bool save = req.target == m_saveTargets;
                m_saveRequests += save;
                if (kind == Manager::SaysSavedKeepsNothing) {
                    reply(req, save);
                } else if (answer && save) {
                    m_pending = req;
                    xcb_convert_selection(m_c, m_window, m_clipboard, m_utf8, m_fetched, req.time);
                } else if (answer) {
                    reply(req, false);
                }
            } else if (type == XCB_SELECTION_NOTIFY && m_pending.requestor) {
                const auto *n = reinterpret_cast<xcb_selection_notify_event_t *>(e);
                if (n->property != XCB_ATOM_NONE) {
                    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> prop(
                        xcb_get_property_reply(m_c,
                            xcb_get_property(m_c, 1, m_window, m_fetched, m_utf8, 0, 1024),
                            nullptr),
                        &std::free);
                    if (prop)
                        m_saved = QByteArray(
                            static_cast<const char *>(xcb_get_property_value(prop.get())),
                            xcb_get_property_value_length(prop.get()));
                    xcb_set_selection_owner(m_c, m_window, m_clipboard, n->time);
                }
                reply(m_pending, n->property != XCB_ATOM_NONE);
                m_pending = {};
            }
            xcb_flush(m_c);
            std::free(e);
        }
    }

    int saveRequests() const { return m_saveRequests; }
    QByteArray saved() const { return m_saved; }

private:
    void reply(const xcb_selection_request_event_t &req, bool yes)
    {
        xcb_selection_notify_event_t ev {};
        ev.response_type = XCB_SELECTION_NOTIFY;
        ev.time = req.time;
        ev.requestor = req.requestor;
        ev.selection = req.selection;
        ev.target = req.target;
        ev.property = yes ? req.property : xcb_atom_t(XCB_ATOM_NONE);
        xcb_send_event(m_c, 0, req.requestor, 0, reinterpret_cast<const char *>(&ev));
    }

    xcb_connection_t *m_c;
    xcb_window_t m_window = XCB_WINDOW_NONE;
    xcb_atom_t m_manager = XCB_ATOM_NONE;
    xcb_atom_t m_saveTargets = XCB_ATOM_NONE;
    xcb_atom_t m_clipboard = XCB_ATOM_NONE;
    xcb_atom_t m_utf8 = XCB_ATOM_NONE;
    xcb_atom_t m_fetched = XCB_ATOM_NONE;
    xcb_selection_request_event_t m_pending {};
    int m_saveRequests = 0;
    QByteArray m_saved;
};

// The process behind the CLIPBOARD owner's window, from its _NET_WM_PID; 0 for none.
qint64 clipboardOwnerPid()
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    qint64 pid = 0;
    XcbReplyPtr<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        c, xcb_get_selection_owner(c, atom(c, "CLIPBOARD")), nullptr));
    if (owner && owner->owner != XCB_WINDOW_NONE) {
        XcbReplyPtr<xcb_get_property_reply_t> prop(xcb_get_property_reply(c,
            xcb_get_property(c, 0, owner->owner, atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1),
            nullptr));
        if (prop && xcb_get_property_value_length(prop.get()) == 4)
            pid = *static_cast<const quint32 *>(xcb_get_property_value(prop.get()));
    }
    xcb_disconnect(c);
    return pid;
}

} // namespace

class tst_ClipboardKeeper : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QUORVIN_SKIP_WITHOUT_X11(); }
    void copiedCodeOutlivesTheWindow_data();
    void copiedCodeOutlivesTheWindow();
    void keeperOnItsOwn_data();
    void keeperOnItsOwn();
    void cleanup()
    {
        release(1);
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(5000);
        }
        // Whatever still serves the clipboard gives way to an owner that ends with the session.
        seedClipboard("tst_clipboardkeeper done");
    }

private:
    QProcess m_program;
};

void tst_ClipboardKeeper::copiedCodeOutlivesTheWindow_data()
{
    QTest::addColumn<Manager>("kind");
    QTest::addColumn<int>("signal"); // 0: the window manager's close
    QTest::newRow("no clipboard manager: the keeper serves the code") << Manager::None << 0;
    QTest::newRow("manager fetches and answers: it has the code, no keeper")
        << Manager::Answers << 0;
    QTest::newRow("manager never answers: the keeper serves the code") << Manager::Silent << 0;
    QTest::newRow("manager says saved and keeps nothing: the keeper serves the code")
        << Manager::SaysSavedKeepsNothing << 0;
    QTest::newRow("SIGTERM closes like the window manager") << Manager::None << SIGTERM;
    QTest::newRow("SIGINT closes like the window manager") << Manager::None << SIGINT;
    QTest::newRow("SIGHUP closes like the window manager") << Manager::None << SIGHUP;
}

void tst_ClipboardKeeper::copiedCodeOutlivesTheWindow()
{
    QFETCH(Manager, kind);
    QFETCH(int, signal);
    std::unique_ptr<ClipboardManager> manager;
    if (kind != Manager::None) {
        manager = std::make_unique<ClipboardManager>();
        QVERIFY(manager->owns());
    }
    seedClipboard("stale");

    m_program.setProgram(QStringLiteral(QUORVIN_BINARY));
    m_program.setProcessChannelMode(QProcess::ForwardedChannels);
    m_program.start();
    QVERIFY(m_program.waitForStarted(5000));
    const QString window = QString::fromUtf8(
        run(QStringLiteral("timeout"),
            { QStringLiteral("10"), QStringLiteral("xdotool"), QStringLiteral("search"),
                QStringLiteral("--sync"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                QString::number(m_program.processId()) },
            12000)
            .out)
                               .trimmed()
                               .section(QLatin1Char('\n'), 0, 0);
    QVERIFY(!window.isEmpty());
    settle(300);

    // "Kopie" beside "HEX / HTML".
    click(clientOrigin(window) + scriptCentre(QStringLiteral("Label6")));
    QTRY_COMPARE_WITH_TIMEOUT(clipboardText(), QByteArray("#000000"), 5000);
    QMap<QString, QByteArray> offered;
    for (const QString &target : clipboardTargets())
        if (textTargets.contains(target))
            offered.insert(target, clipboardAs(target));
    QVERIFY2(offered.contains(QStringLiteral("UTF8_STRING")), "Qt offered no UTF8_STRING");

    QElapsedTimer waited;
    if (signal) {
        waited.start();
        QCOMPARE(::kill(pid_t(m_program.processId()), signal), 0);
    } else {
        // The window manager's close, as its close box or Alt+F4 asks for it.
        run(QStringLiteral("xdotool"),
            { QStringLiteral("windowactivate"), QStringLiteral("--sync"), window });
        waited.start();
        run(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("alt+F4") });
    }
    while (m_program.state() != QProcess::NotRunning && waited.elapsed() < 10000) {
        if (manager)
            manager->pump(kind);
        m_program.waitForFinished(20);
    }
    const qint64 closing = waited.elapsed();
    QCOMPARE(m_program.state(), QProcess::NotRunning);
    QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program.exitCode(), 0);
    // Qt's own wait for a clipboard manager at exit alone is 5 s.
    QVERIFY2(closing < 3500, qPrintable(QStringLiteral("the close took %1 ms").arg(closing)));

    const qint64 keeper = clipboardOwnerPid();
    if (manager) {
        // The program asked once; Qt did not ask again on its way out.
        manager->pump(Manager::Silent);
        QCOMPARE(manager->saveRequests(), 1);
    }
    if (kind == Manager::Answers) {
        // It fetched the code while the program waited for its answer.
        QCOMPARE(manager->saved(), QByteArray("#000000"));
        QCOMPARE(keeper, qint64(0));
        QVERIFY(manager->ownsClipboard());
        return;
    }

    QVERIFY2(keeper != 0, "nothing owns the clipboard after the window closed");
    QVERIFY(keeper != m_program.processId());
    QCOMPARE(QFileInfo(QStringLiteral("/proc/%1/exe").arg(keeper)).symLinkTarget().section('/', -1),
        QStringLiteral("quorvin-clipboard-keeper"));
    const QStringList targets = clipboardTargets();
    for (auto it = offered.cbegin(); it != offered.cend(); ++it) {
        QVERIFY2(targets.contains(it.key()), qPrintable(it.key()));
        QCOMPARE(clipboardAs(it.key()), it.value());
    }

    seedClipboard("taken by another program");
    QTRY_VERIFY_WITH_TIMEOUT(processGone(keeper), 5000);
    QCOMPARE(clipboardText(), QByteArray("taken by another program"));
}

void tst_ClipboardKeeper::keeperOnItsOwn_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("asString"); // empty: the keeper must refuse the text
    QTest::newRow("UTF-8 text, STRING in Latin-1")
        << QByteArray("Gr\xc3\xbcn \xe2\x82\xac") << QByteArray("Gr\xfcn ?");
    QTest::newRow("oversized text refused") << QByteArray(64 * 1024 + 1, 'x') << QByteArray();
}

void tst_ClipboardKeeper::keeperOnItsOwn()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, asString);
    seedClipboard("before");
    QProcess keeper;
    keeper.setProgram(QFileInfo(QStringLiteral(QUORVIN_BINARY)).absolutePath()
        + QStringLiteral("/quorvin-clipboard-keeper"));
    keeper.start();
    QVERIFY(keeper.waitForStarted(5000));
    keeper.write(text);
    keeper.closeWriteChannel();
    if (asString.isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(keeper.state(), QProcess::NotRunning, 5000);
        QCOMPARE(keeper.exitCode(), 2);
        QCOMPARE(clipboardText(), QByteArray("before"));
        return;
    }
    QVERIFY(keeper.waitForReadyRead(5000));
    QCOMPARE(keeper.readAll(), QByteArray("1"));
    QCOMPARE(clipboardAs(QStringLiteral("UTF8_STRING")), text);
    QCOMPARE(clipboardAs(QStringLiteral("STRING")), asString);
    seedClipboard("after");
    QTRY_COMPARE_WITH_TIMEOUT(keeper.state(), QProcess::NotRunning, 5000);
    QCOMPARE(keeper.exitCode(), 0);
}

QTEST_MAIN(tst_ClipboardKeeper)
#include "tst_clipboardkeeper.moc"
