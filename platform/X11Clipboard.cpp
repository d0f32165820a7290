#include "platform/X11Clipboard.h"

#include "platform/X11ClipboardHandOver.h"
#include "platform/X11Connection.h"

#include <QClipboard>
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
    if (!data || !data->hasText() || !X11ClipboardHandOver::needed(connection))
        return;
    X11ClipboardHandOver::handOver(data->text().toUtf8(), X11ClipboardHandOver::keeperPath());
}
