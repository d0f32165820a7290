#pragma once

#include "TestWindow.h"
#include "app/frmQuorvin.h"
#include "platform/NullServices.h"

#include <QStringList>
#include <QTest>

// A clipboard that records what it is given and answers as told.
class ScriptedClipboard : public Clipboard
{
public:
    explicit ScriptedClipboard(bool writable)
        : m_writable(writable)
    { }
    bool setText(const QString &text) override
    {
        texts << text;
        return m_writable;
    }
    QStringList texts;

private:
    bool m_writable;
};

// Null services except for the clipboard, which the caller keeps a pointer to.
inline PlatformServices servicesWith(ScriptedClipboard *clipboard)
{
    PlatformServices services = PlatformServices::null();
    services.clipboard.reset(clipboard);
    return services;
}
