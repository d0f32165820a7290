#pragma once

#include "platform/Clipboard.h"

#include <QObject>

#include <memory>

class QClipboard;
struct xcb_connection_t;

// The X11 CLIPBOARD selection through Qt. At a clean exit the text goes to a clipboard manager
// that answers for it, else to the program's keeper process, so that a copied code outlives the
// program either way.
class X11Clipboard : public Clipboard
{
public:
    X11Clipboard();
    bool setText(const QString &text) override;

private:
    static void keepTextAfterExit();
    static void letGo(QClipboard *clipboard, xcb_connection_t *connection);

    // Ends the connection to the application's quit when this clipboard goes first.
    std::unique_ptr<QObject> m_quitWatch;
};
