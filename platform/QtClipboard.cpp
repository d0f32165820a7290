#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

bool QtClipboard::setText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    // Taking ownership drops every format the previous owner offered: this is the clear.
    clipboard->setText(text, QClipboard::Clipboard);
    return clipboard->ownsClipboard();
}
