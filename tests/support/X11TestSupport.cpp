#include "X11TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace X11TestSupport {

Result run(const QString &program, const QStringList &args, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    process.start(program, args);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    Result r;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(2000);
        return r;
    }
    r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput();
    return r;
}

bool available(QString *why)
{
    // qGuiApp is a plain cast, so it is not null in a test without a GUI.
    const bool gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (qEnvironmentVariableIsEmpty("DISPLAY")
        || (gui && QGuiApplication::platformName() != QLatin1String("xcb"))) {
        *why = QStringLiteral("no DISPLAY: run through scripts/test.sh");
        return false;
    }
    for (const char *tool : { "xdotool", "xclip", "xprop" }) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            *why = QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
            return false;
        }
    }
    return true;
}

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

void moveTo(QPoint global)
{
    run(QStringLiteral("xdotool"),
        { QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()) });
    settle(50);
}

void press(int button)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("mousedown"), QString::number(button) });
    settle(50);
}

void release(int button)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("mouseup"), QString::number(button) });
    settle(50);
}

void click(QPoint global, int button)
{
    moveTo(global);
    press(button);
    release(button);
}

void key(const QString &keysym)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("key"), keysym });
    settle(50);
}

void releaseAllButtons()
{
    // The server ignores the release of a button that is not down.
    QStringList args;
    for (int button : { 1, 2, 3, 8, 9 })
        args << QStringLiteral("mouseup") << QString::number(button);
    run(QStringLiteral("xdotool"), args);
    settle(50);
}

QString windowOfProcess(qint64 pid, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    do {
        const Result r = run(QStringLiteral("xdotool"),
            { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                QString::number(pid) });
        const QString first = QString::fromUtf8(r.out).trimmed().section(QLatin1Char('\n'), 0, 0);
        if (!first.isEmpty())
            return first;
        settle(200);
    } while (t.elapsed() < timeoutMs);
    return {};
}

QPoint centreOf(const QWidget *w)
{
    return w->mapToGlobal(w->rect().center());
}

QByteArray clipboardText()
{
    return run(QStringLiteral("timeout"),
        { QStringLiteral("5"), QStringLiteral("xclip"), QStringLiteral("-o"),
            QStringLiteral("-selection"), QStringLiteral("clipboard") })
        .out;
}

void seedClipboard(const QByteArray &text)
{
    // xclip -i stays in the background as the owner until someone else takes the selection;
    // it must not inherit our output, or ctest waits for that pipe until the test times out.
    // The text goes in as an argument of its own, so no quote in it can break the command.
    QProcess::startDetached(QStringLiteral("sh"),
        { QStringLiteral("-c"),
            QStringLiteral("printf %s \"$1\" | xclip -i -selection clipboard "
                           ">/dev/null 2>&1"),
            QStringLiteral("sh"), QString::fromUtf8(text) });
    settle(300);
}

} // namespace X11TestSupport
