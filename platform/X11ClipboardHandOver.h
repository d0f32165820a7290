#pragma once

#include <QByteArray>
#include <QString>

#include <string>

struct xcb_connection_t;

// On X11 the clipboard's text lives in the program that owns it. At exit it goes to a clipboard
// manager that answers for it, else to the program's own keeper process, which serves it until
// another program takes the clipboard.
class X11ClipboardHandOver
{
public:
    // True where this client still owns CLIPBOARD, as the server sees it.
    static bool ownsClipboard(xcb_connection_t *connection);
    // Asks the clipboard manager to save the clipboard (SAVE_TARGETS) and waits a moment for
    // its answer, serving the application's events meanwhile; true only where it said it did.
    static bool managerSaved(const std::string &displayName);
    // Starts the keeper with the UTF-8 text and waits until it owns the clipboard.
    static bool handOver(const QByteArray &utf8, const QString &keeperPath);
    // The keeper beside the program (build tree) or in the installed libexec folder; empty where
    // there is none.
    static QString keeperPath();
};
