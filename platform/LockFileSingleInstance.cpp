#include "platform/LockFileSingleInstance.h"

#include <QDir>
#include <QStandardPaths>

LockFileSingleInstance::LockFileSingleInstance(const QString &lockPath)
    : m_lock(lockPath)
{
    // A live holder must never be broken, whatever its age.
    m_lock.setStaleLockTime(0);
}

bool LockFileSingleInstance::tryAcquire()
{
    return m_lock.isLocked() || m_lock.tryLock(0);
}

QString LockFileSingleInstance::displayKey(const QString &display)
{
    QString host = display.section(QLatin1Char(':'), 0, -2);
    QString rest = display.section(QLatin1Char(':'), -1);
    if (host == QLatin1String("unix"))
        host.clear();
    const QString number = rest.section(QLatin1Char('.'), 0, 0);
    return host + QLatin1Char(':') + (number.isEmpty() ? QStringLiteral("0") : number);
}

QString LockFileSingleInstance::lockPathForDisplay(const QString &display)
{
    // Qt creates this folder with mode 0700 or refuses one that others could write to.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        return {};
    QString key = displayKey(display);
    key.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QDir(dir).filePath(QStringLiteral("quorvin-%1.lock").arg(key));
}
