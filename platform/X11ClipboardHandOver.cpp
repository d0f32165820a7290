#include "platform/X11ClipboardHandOver.h"

#include "platform/ClipboardTextLimit.h"
#include "platform/X11Connection.h"
#include "platform/XcbReplyPtr.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

constexpr int readyTimeoutMs = 3000;
// A manager fetches a code in milliseconds; one that says nothing by then gets the keeper.
constexpr int managerTimeoutMs = 750;

xcb_window_t selectionOwner(xcb_connection_t *c, const char *name)
{
    const xcb_atom_t atom = x11Atom(c, name, true);
    return atom == XCB_ATOM_NONE ? xcb_window_t(XCB_WINDOW_NONE) : x11SelectionOwner(c, atom);
}

bool sendAll(int fd, const QByteArray &data)
{
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

bool waitForReady(int fd)
{
    pollfd p { fd, POLLIN, 0 };
    int r;
    do
        r = ::poll(&p, 1, readyTimeoutMs);
    while (r < 0 && errno == EINTR);
    char byte = 0;
    return r == 1 && ::read(fd, &byte, 1) == 1 && byte == '1';
}

pid_t spawnKeeper(const QString &path, int channel)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, channel, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    // It outlives us: it must not hold our working folder busy.
    posix_spawn_file_actions_addchdir_np(&actions, "/");

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    sigset_t reset;
    sigemptyset(&reset);
    for (const int s : { SIGPIPE, SIGHUP, SIGINT, SIGTERM, SIGCHLD })
        sigaddset(&reset, s);
    posix_spawnattr_setsigdefault(&attr, &reset);
    // A session of its own: closing the terminal that started us does not end it.
    posix_spawnattr_setflags(
        &attr, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    const QByteArray program = QFile::encodeName(path);
    char *argv[] = { const_cast<char *>(program.constData()), nullptr };
    pid_t pid = -1;
    if (posix_spawn(&pid, program.constData(), &actions, &attr, argv, environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// A server time to ask at (the selection rules forbid CurrentTime): the PropertyNotify of an
// empty append to the window's own name.
xcb_timestamp_t serverTime(xcb_connection_t *c, xcb_window_t window)
{
    xcb_change_property(
        c, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(c);
    while (const XcbReplyPtr<xcb_generic_event_t> e { xcb_wait_for_event(c) }) {
        if ((e->response_type & 0x7F) == XCB_PROPERTY_NOTIFY)
            return reinterpret_cast<xcb_property_notify_event_t *>(e.get())->time;
    }
    return 0;
}

// Waits for the manager's answer on c while the application keeps answering the manager's
// requests for the text from its own event loop; 1 saved, 0 refused, -1 nothing yet.
int managerAnswer(xcb_connection_t *c, xcb_window_t window, xcb_atom_t manager)
{
    while (const XcbReplyPtr<xcb_generic_event_t> e { xcb_poll_for_event(c) }) {
        if ((e->response_type & 0x7F) != XCB_SELECTION_NOTIFY)
            continue;
        const auto *n = reinterpret_cast<xcb_selection_notify_event_t *>(e.get());
        if (n->requestor == window && n->selection == manager)
            return n->property != XCB_ATOM_NONE ? 1 : 0;
    }
    return -1;
}

} // namespace

bool X11ClipboardHandOver::ownsClipboard(xcb_connection_t *connection)
{
    if (!connection || xcb_connection_has_error(connection))
        return false;
    // Qt's own view of ownership may lag behind a SelectionClear it has not read yet; the
    // owner's id tells whether the window is still one of this client's.
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const xcb_window_t owner = selectionOwner(connection, "CLIPBOARD");
    return owner != XCB_WINDOW_NONE
        && (owner & ~setup->resource_id_mask) == setup->resource_id_base;
}

bool X11ClipboardHandOver::managerSaved(const std::string &displayName)
{
    // A connection of its own: the answer comes as an event to a window of ours, which Qt's
    // connection would swallow.
    xcb_connection_t *c = xcb_connect(displayName.empty() ? nullptr : displayName.c_str(), nullptr);
    const xcb_atom_t manager = xcb_connection_has_error(c) ? xcb_atom_t(XCB_ATOM_NONE)
                                                           : x11Atom(c, "CLIPBOARD_MANAGER", true);
    if (manager == XCB_ATOM_NONE || x11SelectionOwner(c, manager) == XCB_WINDOW_NONE) {
        xcb_disconnect(c);
        return false;
    }
    const xcb_atom_t saveTargets = x11Atom(c, "SAVE_TARGETS", false);
    const xcb_atom_t property = x11Atom(c, "_QUORVIN_SAVE_TARGETS", false);
    const xcb_window_t window = xcb_generate_id(c);
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window,
        xcb_setup_roots_iterator(xcb_get_setup(c)).data->root, -1, -1, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    // No target list in the property: the manager saves every target the owner offers.
    xcb_convert_selection(c, window, manager, saveTargets, property, serverTime(c, window));
    xcb_flush(c);

    // Only the manager's own SelectionNotify counts: a window manager that owns the selection
    // and keeps nothing may never send one.
    const QDeadlineTimer deadline(managerTimeoutMs);
    int answer = -1;
    while (answer < 0 && !deadline.hasExpired() && !xcb_connection_has_error(c)) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        pollfd p { xcb_get_file_descriptor(c), POLLIN, 0 };
        ::poll(&p, 1, int(qMin<qint64>(5, deadline.remainingTime())));
        answer = managerAnswer(c, window, manager);
    }
    xcb_disconnect(c);
    return answer == 1;
}

bool X11ClipboardHandOver::handOver(const QByteArray &utf8, const QString &keeperPath)
{
    if (utf8.isEmpty() || static_cast<std::size_t>(utf8.size()) > clipboardTextLimit
        || keeperPath.isEmpty())
        return false;
    int channel[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0)
        return false;
    const pid_t pid = spawnKeeper(keeperPath, channel[1]);
    ::close(channel[1]);
    if (pid < 0) {
        ::close(channel[0]);
        return false;
    }
    const bool ready = sendAll(channel[0], utf8) && ::shutdown(channel[0], SHUT_WR) == 0
        && waitForReady(channel[0]);
    ::close(channel[0]);
    if (!ready) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
    return ready;
}

QString X11ClipboardHandOver::keeperPath()
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString name = QStringLiteral("quorvin-clipboard-keeper");
    for (const QString &candidate : { dir + QLatin1Char('/') + name,
             dir + QStringLiteral("/" QUORVIN_KEEPER_FROM_BINDIR "/") + name }) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.absoluteFilePath();
    }
    return {};
}
