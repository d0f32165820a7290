// The eyedropper in a Wayland session: a press asks the desktop portal for one colour instead of
// reading the screen. A fake portal on a private session bus answers; real input comes through
// the test's X server, with the environment declaring a Wayland session.
#include "TestWindow.h"
#include "X11TestSupport.h"

#include "X11CursorImage.h"
#include "app/frmQuorvin.h"
#include "platform/WaylandSession.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>

using namespace X11TestSupport;

namespace {

// A session bus of the test's own, so that no real portal can answer.
struct PrivateBus
{
    QByteArray address;
    long pid = 0;

    bool start()
    {
        FILE *out = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        if (!out)
            return false;
        char line[512];
        if (std::fgets(line, sizeof line, out))
            address = QByteArray(line).trimmed();
        if (std::fgets(line, sizeof line, out))
            pid = QByteArray(line).trimmed().toLong();
        pclose(out);
        return !address.isEmpty() && pid > 0;
    }
    ~PrivateBus()
    {
        if (pid > 0)
            ::kill(static_cast<pid_t>(pid), SIGTERM);
    }
};

PrivateBus *privateBus = nullptr;

QList<int> sliders(const frmQuorvin &w)
{
    return { w.ui.HScroll1[0]->value(), w.ui.HScroll1[1]->value(), w.ui.HScroll1[2]->value() };
}

bool shows(const PictureBox *face, const PictureBox *store)
{
    return face->picture().toImage() == store->picture().toImage();
}

} // namespace

// Stands in for org.freedesktop.portal.Desktop: holds each PickColor until the test answers.
class FakePortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
    Q_PROPERTY(uint version READ version)
public:
    explicit FakePortal(QDBusConnection bus, uint version)
        : m_bus(bus)
        , m_version(version)
    { }
    uint version() const { return m_version; }

    enum class Answer { Color, Cancel, Refuse, ErrorReply, Never };

    int requests = 0;
    QString parentWindow;
    QString handle;

    void answer(Answer how, double r = 0, double g = 0, double b = 0)
    {
        if (how == Answer::Never)
            return;
        if (how == Answer::ErrorReply) {
            m_bus.send(m_call.createErrorReply(
                QStringLiteral("org.freedesktop.portal.Error.Failed"), QStringLiteral("broken")));
            return;
        }
        m_bus.send(m_call.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
        QVariantMap results;
        uint code = how == Answer::Cancel ? 1 : 2;
        if (how == Answer::Color) {
            QDBusArgument color;
            color.beginStructure();
            color << r << g << b;
            color.endStructure();
            results.insert(QStringLiteral("color"), QVariant::fromValue(color));
            code = 0;
        }
        QDBusMessage response = QDBusMessage::createSignal(
            handle, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        response << code << results;
        m_bus.send(response);
    }

public Q_SLOTS:
    void PickColor(const QString &parent, const QVariantMap &options, const QDBusMessage &call)
    {
        ++requests;
        parentWindow = parent;
        QString sender = call.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        handle = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                     .arg(sender, options.value(QStringLiteral("handle_token")).toString());
        call.setDelayedReply(true);
        m_call = call;
    }

private:
    QDBusConnection m_bus;
    uint m_version;
    QDBusMessage m_call;
};

class tst_EyedropperPortalX11 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void pressAsksThePortal_data();
    void pressAsksThePortal();

private:
    std::unique_ptr<frmQuorvin> m_window;
    bool m_held = false;
};

void tst_EyedropperPortalX11::initTestCase()
{
    QUORVIN_SKIP_WITHOUT_X11();
    QVERIFY2(privateBus, "dbus-daemon did not start");
    // Black, as a root read under XWayland would give it, must never arrive.
    QCOMPARE(run(QStringLiteral("xsetroot"), { "-solid", "#000000" }).exitCode, 0);
}

void tst_EyedropperPortalX11::cleanup()
{
    if (m_held)
        release(1);
    m_held = false;
    m_window.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
}

namespace {

const QString cannotPick
    = QStringLiteral("Auf diesem Desktop kann die Pipette keine Farbe vom Bildschirm nehmen.");

} // namespace

void tst_EyedropperPortalX11::pressAsksThePortal_data()
{
    QTest::addColumn<uint>("version"); // 0: no portal on the bus
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("givenBackBy"); // a pick left open ends with this
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<QString>("tip");
    using A = FakePortal::Answer;
    const QList<int> before { 10, 20, 30 };
    QTest::newRow("colour") << 2u << int(A::Color) << QString() << QList<int>({ 51, 102, 153 })
                            << QString();
    QTest::newRow("cancelled") << 2u << int(A::Cancel) << QString() << before << QString();
    QTest::newRow("refused") << 2u << int(A::Refuse) << QString() << before << cannotPick;
    QTest::newRow("error reply") << 2u << int(A::ErrorReply) << QString() << before << cannotPick;
    QTest::newRow("never answers, second press")
        << 2u << int(A::Never) << QStringLiteral("press") << before << QString();
    QTest::newRow("never answers, Escape")
        << 2u << int(A::Never) << QStringLiteral("Escape") << before << QString();
    QTest::newRow("no portal") << 0u << -1 << QString() << before << cannotPick;
    QTest::newRow("portal without PickColor") << 1u << -1 << QString() << before << cannotPick;
}

void tst_EyedropperPortalX11::pressAsksThePortal()
{
    QFETCH(uint, version);
    QFETCH(int, answer);
    QFETCH(QString, givenBackBy);
    QFETCH(QList<int>, expected);
    QFETCH(QString, tip);

    QDBusConnection bus = QDBusConnection::connectToBus(
        QString::fromUtf8(privateBus->address), QStringLiteral("fake-portal"));
    QVERIFY(bus.isConnected());
    FakePortal portal(bus, version);
    if (version > 0) {
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    }
    // The portal is asked about before the window shows: the button tells at once.
    m_window = TestWindow::started(PlatformServices::create());
    QVERIFY(m_window);
    frmQuorvin &w = *m_window;
    // Chosen by the program itself, as no platform was named.
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    const bool picks = version >= 2;
    QCOMPARE(w.ui.picScreenColor->toolTip(), picks ? QString() : cannotPick);
    w.ui.HScroll1[0]->setValue(10);
    w.ui.HScroll1[1]->setValue(20);
    w.ui.HScroll1[2]->setValue(30);

    moveTo(centreOf(w.ui.picScreenColor));
    press(1);
    m_held = true;
    if (picks) {
        QTRY_COMPARE(portal.requests, 1);
        QCOMPARE(portal.parentWindow,
            QStringLiteral("x11:%1").arg(quint64(w.windowHandle()->winId()), 0, 16));
        // Open: the hold's face and pointer, whatever the button does, and no screen reads.
        release(1);
        m_held = false;
        settle(100);
        QVERIFY(shows(w.ui.picScreenColor, w.ui.picMouse[3]));
        QCOMPARE(X11CursorImage::current().hotSpot, QPoint(4, 27));
        QVERIFY(!w.ui.tmrScreenColor->isActive());
        QCOMPARE(sliders(w), QList<int>({ 10, 20, 30 }));
        if (givenBackBy == QLatin1String("press")) {
            press(1);
            release(1);
        } else if (givenBackBy == QLatin1String("Escape")) {
            key(QStringLiteral("Escape"));
        }
        portal.answer(FakePortal::Answer(answer), 0.2, 0.4, 0.6);
    } else {
        // Nothing to hold: the face stays as it is.
        settle(100);
        QVERIFY(shows(w.ui.picScreenColor, w.ui.picMouse[2]));
        release(1);
        m_held = false;
    }

    QTRY_VERIFY(shows(w.ui.picScreenColor, w.ui.picMouse[2]));
    QTRY_VERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(sliders(w), expected);
    QVERIFY(!w.ui.tmrScreenColor->isActive());
    QCOMPARE(portal.requests, picks ? 1 : 0);
    QCOMPARE(w.ui.picScreenColor->toolTip(), tip);
    if (!givenBackBy.isEmpty()) {
        // Given back, the button asks again; a late answer to the first changes nothing.
        portal.answer(FakePortal::Answer::Color, 1, 1, 1);
        press(1);
        release(1);
        QTRY_COMPARE(portal.requests, 2);
        portal.answer(FakePortal::Answer::Cancel);
        QTRY_VERIFY(shows(w.ui.picScreenColor, w.ui.picMouse[2]));
        QCOMPARE(sliders(w), expected);
    }
    if (version > 0)
        QVERIFY(bus.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop")));
}

int main(int argc, char *argv[])
{
    PrivateBus bus;
    if (bus.start()) {
        privateBus = &bus;
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address);
    }
    qputenv("XDG_SESSION_TYPE", "wayland");
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    WaylandSession::preferX11(argc, argv);
    QApplication app(argc, argv);
    tst_EyedropperPortalX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_eyedropper_portal_x11.moc"
