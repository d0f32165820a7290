#include "platform/DBusColorPortal.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QFileInfo>
#include <QWidget>

#include <cmath>
#include <optional>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString screenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
// PickColor came with version 2 of the Screenshot interface.
constexpr uint pickColorVersion = 2;

int channel(double v)
{
    if (!std::isfinite(v))
        return -1;
    return static_cast<int>(std::lround(qBound(0.0, v, 1.0) * 255.0));
}

// The colour of a successful answer: three doubles 0..1 under "color".
std::optional<ColorValue> colorOf(const QVariantMap &results)
{
    const QVariant value = results.value(QStringLiteral("color"));
    if (!value.canConvert<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument arg = value.value<QDBusArgument>();
    if (arg.currentSignature() != QLatin1String("(ddd)"))
        return std::nullopt;
    double r = 0, g = 0, b = 0;
    arg.beginStructure();
    arg >> r >> g >> b;
    arg.endStructure();
    const int red = channel(r), green = channel(g), blue = channel(b);
    if (red < 0 || green < 0 || blue < 0)
        return std::nullopt;
    return rgbValue(red, green, blue);
}

} // namespace

DBusColorPortal::DBusColorPortal(QObject *parent)
    : QObject(parent)
{ }

DBusColorPortal::~DBusColorPortal()
{
    // An answer still open is dropped: whoever waits for it goes away with us.
    m_answer = nullptr;
    stopListening();
}

bool DBusColorPortal::offersPick()
{
    // With no bus named and none at its usual place, libdbus would launch one of its own.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && !QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")))
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Asking the portal's own object would start it where it is not running; the bus knows.
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(portalService))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(portalService, portalPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << screenshotInterface << QStringLiteral("version");
    get.setAutoStartService(false);
    // Asked before any window exists; the loop lets a portal served from this very thread (as in
    // tests) answer too.
    const QDBusMessage reply = bus.call(get, QDBus::BlockWithGui, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    const QVariant version = reply.arguments().constFirst().value<QDBusVariant>().variant();
    return version.toUInt() >= pickColorVersion;
}

bool DBusColorPortal::pickColor(QWidget *window, Answer answer)
{
    if (m_answer)
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        // No bus, no portal: the answer is nothing, as the screen must not be read instead.
        m_answer = std::move(answer);
        QMetaObject::invokeMethod(
            this, [this] { finish(Outcome::Failed); }, Qt::QueuedConnection);
        return true;
    }

    // The answer comes as a signal on a path made of our bus name and a token of ours; listening
    // first means a quick portal cannot answer before anyone hears it.
    const QString token = QStringLiteral("quorvin%1").arg(++m_requests);
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    listenOn(portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token);

    // A portal that goes away mid-pick would leave the hold on for ever.
    m_serviceWatcher = new QDBusServiceWatcher(
        portalService, bus, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(m_serviceWatcher, &QDBusServiceWatcher::serviceUnregistered, this,
        [this] { finish(Outcome::Cancelled); });

    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, screenshotInterface, QStringLiteral("PickColor"));
    const QString parent = window
        ? QStringLiteral("x11:%1").arg(quint64(window->window()->winId()), 0, 16)
        : QString();
    call << parent << QVariantMap { { QStringLiteral("handle_token"), token } };
    m_answer = std::move(answer);
    m_call = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(m_call, &QDBusPendingCallWatcher::finished, this, &DBusColorPortal::onCallFinished);
    return true;
}

void DBusColorPortal::cancel()
{
    if (!m_answer)
        return;
    // The portal's picker would stay on the screen, waiting for a click nobody wants any more.
    if (!m_requestPath.isEmpty()) {
        QDBusMessage close = QDBusMessage::createMethodCall(
            portalService, m_requestPath, requestInterface, QStringLiteral("Close"));
        close.setAutoStartService(false);
        QDBusConnection::sessionBus().send(close);
    }
    m_answer = nullptr;
    stopListening();
}

void DBusColorPortal::onCallFinished(QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    // The call of a pick given up before its reply came belongs to nobody.
    if (call != m_call)
        return;
    m_call = nullptr;
    const QDBusPendingReply<QDBusObjectPath> reply = *call;
    if (!m_answer)
        return;
    if (reply.isError()) {
        finish(Outcome::Failed);
        return;
    }
    // Older portals choose the path themselves and say so here.
    const QString handle = reply.value().path();
    if (handle != m_requestPath)
        listenOn(handle);
}

void DBusColorPortal::onResponse(uint code, const QVariantMap &results)
{
    if (!m_answer)
        return;
    // 1 is the user's cancel; 2 says the portal could not do it.
    if (code == 0) {
        const std::optional<ColorValue> color = colorOf(results);
        finish(color ? Outcome::Color : Outcome::Failed, color.value_or(-1));
    } else {
        finish(code == 1 ? Outcome::Cancelled : Outcome::Failed);
    }
}

void DBusColorPortal::listenOn(const QString &path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!m_requestPath.isEmpty())
        bus.disconnect(QString(), m_requestPath, requestInterface, QStringLiteral("Response"), this,
            SLOT(onResponse(uint, QVariantMap)));
    m_requestPath = path;
    bus.connect(QString(), m_requestPath, requestInterface, QStringLiteral("Response"), this,
        SLOT(onResponse(uint, QVariantMap)));
}

void DBusColorPortal::stopListening()
{
    if (!m_requestPath.isEmpty())
        QDBusConnection::sessionBus().disconnect(QString(), m_requestPath, requestInterface,
            QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)));
    m_requestPath.clear();
    if (m_serviceWatcher)
        m_serviceWatcher->deleteLater();
    m_serviceWatcher = nullptr;
}

void DBusColorPortal::finish(Outcome outcome, ColorValue color)
{
    stopListening();
    m_call = nullptr;
    // The answer may start the next pick, so it is taken out before it runs.
    Answer answer = std::move(m_answer);
    m_answer = nullptr;
    if (answer)
        answer(outcome, color);
}
