// Which platform the program asks Qt for, from the session's environment and the command line.
#include "platform/WaylandSession.h"

#include <QTest>

#include <vector>

class tst_WaylandSessionChoice : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void platformChoice_data();
    void platformChoice();

private:
    QByteArray m_saved[3];
};

namespace {

const char *const variables[] = { "XDG_SESSION_TYPE", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" };

} // namespace

void tst_WaylandSessionChoice::init()
{
    for (int i = 0; i < 3; ++i)
        m_saved[i] = qgetenv(variables[i]);
}

void tst_WaylandSessionChoice::cleanup()
{
    for (int i = 0; i < 3; ++i) {
        if (m_saved[i].isNull())
            qunsetenv(variables[i]);
        else
            qputenv(variables[i], m_saved[i]);
    }
}

void tst_WaylandSessionChoice::platformChoice_data()
{
    QTest::addColumn<QByteArray>("sessionType");
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("chosen");
    QTest::newRow("Wayland session") << QByteArray("wayland") << QByteArray() << QByteArray()
                                     << QStringList() << QByteArray("xcb");
    QTest::newRow("Wayland socket only") << QByteArray() << QByteArray("wayland-0") << QByteArray()
                                         << QStringList() << QByteArray("xcb");
    QTest::newRow("X11 session") << QByteArray("x11") << QByteArray() << QByteArray()
                                 << QStringList() << QByteArray();
    QTest::newRow("platform named in the environment")
        << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray("wayland")
        << QStringList() << QByteArray("wayland");
    QTest::newRow("platform named on the command line")
        << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray()
        << QStringList({ "-platform", "wayland" }) << QByteArray();
    QTest::newRow("other arguments only")
        << QByteArray("wayland") << QByteArray() << QByteArray()
        << QStringList({ "-style", "fusion" }) << QByteArray("xcb");
}

void tst_WaylandSessionChoice::platformChoice()
{
    QFETCH(QByteArray, sessionType);
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, platform);
    QFETCH(QStringList, args);
    QFETCH(QByteArray, chosen);
    const QByteArray values[3] = { sessionType, waylandDisplay, platform };
    for (int i = 0; i < 3; ++i) {
        if (values[i].isEmpty())
            qunsetenv(variables[i]);
        else
            qputenv(variables[i], values[i]);
    }
    std::vector<QByteArray> storage { QByteArray("quorvin") };
    for (const QString &a : args)
        storage.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    WaylandSession::preferX11(int(storage.size()), argv.data());
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), chosen);
}

QTEST_GUILESS_MAIN(tst_WaylandSessionChoice)
#include "tst_waylandsession_choice.moc"
