#pragma once

#include "platform/Clipboard.h"

#include <QObject>

#include <memory>

// The X11 CLIPBOARD selection through Qt. At a clean exit Qt hands the text to a clipboard
// manager; where none runs, the program's keeper process takes it over, so that a copied code
// outlives the program either way.
class X11Clipboard : public Clipboard
{
public:
    X11Clipboard();
    bool setText(const QString &text) override;

private:
    static void keepTextAfterExit();

    // Ends the connection to the application's quit when this clipboard goes first.
    std::unique_ptr<QObject> m_quitWatch;
};
