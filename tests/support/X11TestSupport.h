#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QStringList>

class QWidget;

// Real input and real X state for GUI tests, through xdotool, xclip and xprop. Every call keeps
// this process's event loop running while the tool works, because the tool may be waiting for
// this very process (a clipboard owner answers from its event loop).
namespace X11TestSupport {

struct Result
{
    int exitCode = -1;
    QByteArray out;
};

// Runs a program and spins the event loop until it ends or the time runs out.
Result run(const QString &program, const QStringList &args, int timeoutMs = 10000);

// True where an X display and the tools are at hand; tests QSKIP otherwise.
bool available(QString *why);

// Where the test script promises an X session (QUORVIN_REQUIRE_X11), a missing one fails the
// test instead of skipping it, so that a broken session cannot pass unnoticed.
#define QUORVIN_SKIP_WITHOUT_X11()                                                                 \
    do {                                                                                           \
        QString why_;                                                                              \
        if (!X11TestSupport::available(&why_)) {                                                   \
            if (qEnvironmentVariableIsSet("QUORVIN_REQUIRE_X11"))                                  \
                QFAIL(qPrintable(why_));                                                           \
            QSKIP(qPrintable(why_));                                                               \
        }                                                                                          \
        X11TestSupport::waitUntilNoWindowIsManaged();                                              \
    } while (false)

void moveTo(QPoint global);
void press(int button); // 1 left, 2 middle, 3 right (X numbering)
void release(int button);
void click(QPoint global, int button = 1);
void key(const QString &keysym);
// The window manager holds a press on a client window (its click to focus) until it has seen
// it, and answers a frame extents request in turn with that press: this returns once it has
// answered one, so that the input sent so far has gone on to the windows. A loaded machine may
// otherwise let a test look before the window got its click.
void waitForWindowManager();
// Lets the X server and this process settle after input.
void settle(int ms = 100);

// Lets go of every mouse button that may still be down, so that a failed case does not leave
// one held on the shared display for the tests after it.
void releaseAllButtons();

// The first visible window of a process, as xdotool names it, or an empty text where none
// appeared within the time. Asks again and again: a loaded machine may start the program
// slowly, and a search that meets a window vanishing mid-query fails only that once.
// The display is this process's own unless another is named.
QString windowOfProcess(qint64 pid, int timeoutMs = 30000, const QString &display = {});
// The window the window manager has made the active one, as xdotool names windows.
QString activeWindow();
// Where a window's client area starts on the root window, as xwininfo reports it.
QPoint clientOrigin(const QString &window);

// The window manager lets go of an ended program's window some time after the program ended,
// and the X server hands that window's id to the next program's window: a window manager that
// is late then moves the new window to where the old one stood and takes its state away. X11
// tests on the shared display run one at a time, so each waits until no window is managed; where
// the time runs out, it says which windows are left.
bool waitUntilNoWindowIsManaged(int timeoutMs = 10000);

// The centre of a widget, in root pixels.
QPoint centreOf(const QWidget *w);
// The root pixel that shows a point of a widget, given in the widget's own coordinates; at a
// scale factor other than 1 these differ from Qt's global coordinates.
QPoint nativeOf(const QWidget *w, QPointF local);
// The root pixels that show a rectangle of a widget.
QRect nativeRect(const QWidget *w, const QRect &local);
// What the screen shows at a root pixel, read from the server.
QRgb screenPixel(QPoint root);
// Where the pointer is, in root pixels.
QPoint pointerNow();

// The monitors as the X server's Xinerama heads give them, the first the primary; the whole
// root where there is no Xinerama. Asked of xdpyinfo, not of Qt, which the tests check.
QList<QRect> monitors();

struct RootFill
{
    QRect area;
    QRgb color;
};
// Paints the root window's background: one colour, then the fills over it.
bool paintRoot(QRgb background, const QList<RootFill> &fills);

QByteArray clipboardText();
// Takes the clipboard with some other text, owned by a separate process (xclip -i).
void seedClipboard(const QByteArray &text);

} // namespace X11TestSupport
