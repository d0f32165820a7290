#pragma once

#include "platform/SingleInstance.h"

#include <QLockFile>
#include <QString>

// A lock file in the user's private runtime folder, one per display. The kernel drops no lock
// here; QLockFile instead recognises the file of a dead holder as stale, so a crashed copy
// never blocks the next start.
class LockFileSingleInstance : public SingleInstance
{
public:
    explicit LockFileSingleInstance(const QString &lockPath);
    bool tryAcquire() override;

    // ":0.0", "unix:0" and ":0" all name the same display; a remote host stays in the name.
    static QString displayKey(const QString &display);
    // The lock for a display, in the runtime folder, or an empty text where there is none.
    static QString lockPathForDisplay(const QString &display);

private:
    QLockFile m_lock;
};
