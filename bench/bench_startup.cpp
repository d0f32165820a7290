// What a start costs before the window shows: building every control from the definition, and
// the start-up sequence with the two palette images.
#include "app/frmQuorvin.h"

#include <QApplication>
#include <QTest>

class BenchStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buildWindow()
    {
        QBENCHMARK
        {
            frmQuorvin w(PlatformServices::null());
        }
    }

    void buildAndLoad()
    {
        QBENCHMARK
        {
            frmQuorvin w(PlatformServices::null());
            QVERIFY(w.Form_Load());
        }
    }
};

QTEST_MAIN(BenchStartup)
#include "bench_startup.moc"
