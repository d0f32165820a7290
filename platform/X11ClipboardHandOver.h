#pragma once

#include <QByteArray>
#include <QString>

struct xcb_connection_t;

// On X11 the clipboard's text lives in the program that owns it. At exit Qt hands it to a
// clipboard manager where one runs; where none does, the program's own keeper process takes
// the text over and serves it until another program takes the clipboard.
class X11ClipboardHandOver
{
public:
    // True where this client still owns CLIPBOARD and no client owns CLIPBOARD_MANAGER.
    static bool needed(xcb_connection_t *connection);
    // Starts the keeper with the UTF-8 text and waits until it owns the clipboard.
    static bool handOver(const QByteArray &utf8, const QString &keeperPath);
    // The keeper beside the program (build tree) or in the installed libexec folder; empty where
    // there is none.
    static QString keeperPath();
};
