#pragma once

#include "platform/Clipboard.h"

// The X11 CLIPBOARD selection through Qt, which also hands the text to a clipboard manager
// at a clean exit so that a copied code outlives the program.
class QtClipboard : public Clipboard
{
public:
    bool setText(const QString &text) override;
};
