// The handler of the termination signals, in a child process with one thread,
// where each signal sent to itself is taken before kill() returns: the order
// in which a session's end delivers them is then fixed, not left to a race.

#include "support/child_process.h"
#include "support/files.h"
#include "support/isolated_test_main.h"
#include "ui/termination_signals.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>

#include <unistd.h>

using namespace quorvane;
using namespace quorvane::test;

class TestTerminationSignals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void laterSignalsWaitForTheUnload_data();
    void laterSignalsWaitForTheUnload();
};

void TestTerminationSignals::laterSignalsWaitForTheUnload_data()
{
    QTest::addColumn<int>("ignored");
    QTest::addColumn<QList<int>>("sent");
    QTest::addColumn<int>("ending"); // the signal the process ends by
    QTest::addColumn<bool>("unloaded");

    using Signals = QList<int>;
    QTest::newRow("SIGTERM then SIGHUP") << 0 << Signals{SIGTERM, SIGHUP} << int(SIGTERM) << true;
    QTest::newRow("SIGHUP twice") << 0 << Signals{SIGHUP, SIGHUP} << int(SIGHUP) << true;
    QTest::newRow("SIGHUP then SIGTERM") << 0 << Signals{SIGHUP, SIGTERM} << int(SIGHUP) << true;
    QTest::newRow("SIGINT then SIGTERM") << 0 << Signals{SIGINT, SIGTERM} << int(SIGINT) << true;
    QTest::newRow("Ctrl+C pressed again ends it at once") << 0 << Signals{SIGTERM, SIGINT} << int(SIGINT) << false;
    QTest::newRow("started ignoring SIGHUP") << int(SIGHUP) << Signals{SIGHUP, SIGTERM} << int(SIGTERM) << true;
}

void TestTerminationSignals::laterSignalsWaitForTheUnload()
{
    QFETCH(int, ignored);
    QFETCH(QList<int>, sent);
    QFETCH(int, ending);
    QFETCH(bool, unloaded);
    const QTemporaryDir folder;
    const QString mark = folder.filePath(QStringLiteral("unloaded"));

    const int signal = signalEndingChild([&] {
        if (ignored != 0) // as nohup starts a program
            ::signal(ignored, SIG_IGN);
        const QuitOnTerminationSignals quitOnSignals;
        for (const int each : sent)
            ::kill(::getpid(), each);
        // Still here: the first signal only asked the event loop to quit.
        QCoreApplication::exec();
        writeFile(mark, "unloaded");
        endByReceivedSignal();
    });

    QCOMPARE(signal, ending);
    QCOMPARE(QFileInfo::exists(mark), unloaded);
}

QUORVANE_TEST_MAIN(TestTerminationSignals, QCoreApplication)
#include "tst_termination_signals.moc"
