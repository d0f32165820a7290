#pragma once

class QString;

// The desktop clipboard, text only.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    // Replaces everything the clipboard holds by plain text; false where it could not be written,
    // in which case the clipboard is left as it was.
    virtual bool setText(const QString &text) = 0;
};
