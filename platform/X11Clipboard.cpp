#include "platform/X11Clipboard.h"

#include "platform/X11ClipboardHandOver.h"
#include "platform/X11Connection.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMimeData>

X11Clipboard::X11Clipboard()
    : m_quitWatch(std::make_unique<QObject>())
{
    if (QCoreApplication *app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, m_quitWatch.get(),
            &X11Clipboard::keepTextAfterExit);
}

bool X11Clipboard::setText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    // Taking ownership drops every format the previous owner offered: this is the clear.
    clipboard->setText(text, QClipboard::Clipboard);
    return clipboard->ownsClipboard();
}

void X11Clipboard::keepTextAfterExit()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    xcb_connection_t *connection = x11Connection();
    if (!clipboard || !connection || !clipboard->ownsClipboard())
        return;
    const QMimeData *data = clipboard->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText() || !X11ClipboardHandOver::ownsClipboard(connection))
        return;
    // A manager takes the clipboard before it says it saved; one that says so and leaves it
    // with us kept nothing (wlroots' window manager does that).
    if (!X11ClipboardHandOver::managerSaved(x11DisplayName())
        || X11ClipboardHandOver::ownsClipboard(connection))
        X11ClipboardHandOver::handOver(data->text().toUtf8(), X11ClipboardHandOver::keeperPath());
    letGo(clipboard, connection);
}

void X11Clipboard::letGo(QClipboard *clipboard, xcb_connection_t *connection)
{
    // Qt would ask the clipboard manager once more as it shuts down, and wait up to 5 s for one
    // that does not answer: by now the text is handed over, or cannot be, so Qt must own nothing.
    // Where the keeper or a manager took the clipboard, Qt only has to read the SelectionClear.
    const QDeadlineTimer deadline(500);
    while (clipboard->ownsClipboard() && !deadline.hasExpired()) {
        if (X11ClipboardHandOver::ownsClipboard(connection)) {
            clipboard->clear(QClipboard::Clipboard);
            return;
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
}
