#include "platform/LockFileSingleInstance.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_SingleInstance : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void displayKey_data();
    void displayKey();
    void lockLivesInThePrivateRuntimeFolder();
    void secondHolderIsRefused();
    void lockOfAKilledHolderIsTakenOver();
};

void tst_SingleInstance::displayKey_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("key");
    QTest::newRow("plain") << ":0"
                           << ":0";
    QTest::newRow("with screen") << ":0.0"
                                 << ":0";
    QTest::newRow("unix socket") << "unix:0"
                                 << ":0";
    QTest::newRow("unix socket with screen") << "unix:0.1"
                                             << ":0";
    QTest::newRow("two digits") << ":12"
                                << ":12";
    QTest::newRow("remote host kept") << "box.example:10.0"
                                      << "box.example:10";
    QTest::newRow("other display differs") << ":1"
                                           << ":1";
}

void tst_SingleInstance::displayKey()
{
    QFETCH(QString, display);
    QFETCH(QString, key);
    QCOMPARE(LockFileSingleInstance::displayKey(display), key);
}

void tst_SingleInstance::lockLivesInThePrivateRuntimeFolder()
{
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QString path = LockFileSingleInstance::lockPathForDisplay(QStringLiteral("unix:3.0"));
    QCOMPARE(QFileInfo(path).absolutePath(), QDir(runtime.path()).absolutePath());
    QVERIFY2(path.endsWith(QLatin1String(":3.lock")), qPrintable(path));
    QVERIFY(!path.startsWith(QLatin1String("/tmp/quorvin")));
}

void tst_SingleInstance::secondHolderIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("q.lock"));
    auto first = std::make_unique<LockFileSingleInstance>(path);
    QVERIFY(first->tryAcquire());
    QVERIFY(first->tryAcquire()); // asking again keeps it

    LockFileSingleInstance second(path);
    QVERIFY(!second.tryAcquire());

    first.reset();
    QVERIFY(second.tryAcquire());
}

void tst_SingleInstance::lockOfAKilledHolderIsTakenOver()
{
    // A lock file left by a process that no longer runs, as after kill -9.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("q.lock"));
    QProcess dead;
    dead.start(QStringLiteral("sh"), { QStringLiteral("-c"), QStringLiteral("echo $$") });
    QVERIFY(dead.waitForFinished());
    const qint64 deadPid = dead.readAllStandardOutput().trimmed().toLongLong();
    QVERIFY(deadPid > 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // QLockFile's format: pid, application name, host name.
    file.write(
        QByteArray::number(deadPid) + "\nquorvin\n" + QSysInfo::machineHostName().toUtf8() + '\n');
    file.close();

    LockFileSingleInstance next(path);
    QVERIFY(next.tryAcquire());
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
