// How the program ends when termination signals arrive one after the other,
// in a fixed order (tests/signal_once.cpp raises them itself): later SIGTERMs
// and SIGHUPs wait for the unload, and the process ends by the first signal.

#include "support/isolated_test_main.h"
#include "support/program_start.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

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
    QTest::newRow("Ctrl+C pressed twice ends it at once") << 0 << Signals{SIGINT, SIGINT} << int(SIGINT) << false;
    QTest::newRow("Ctrl+C pressed after SIGTERM ends it at once")
        << 0 << Signals{SIGTERM, SIGINT} << int(SIGINT) << false;
    QTest::newRow("started ignoring SIGHUP") << int(SIGHUP) << Signals{SIGHUP, SIGTERM} << int(SIGTERM) << true;
}

void TestTerminationSignals::laterSignalsWaitForTheUnload()
{
    if (!quorvane::test::programsCanStart())
        QSKIP(quorvane::test::cannotStartPrograms);
    QFETCH(int, ignored);
    QFETCH(QList<int>, sent);
    QFETCH(int, ending);
    QFETCH(bool, unloaded);
    const QTemporaryDir folder;
    const QString mark = folder.filePath(QStringLiteral("unloaded"));

    QStringList arguments{mark};
    for (const int signal : sent)
        arguments << QString::number(signal);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    if (ignored != 0) // as nohup starts a program
        program.setChildProcessModifier([ignored] { ::signal(ignored, SIG_IGN); });
    program.start(QStringLiteral(QUORVANE_SIGNAL_ONCE), arguments);
    QVERIFY(program.waitForFinished(30000));

    // A program ended by a signal is a crash to QProcess, which then gives
    // the signal as its exit code.
    QCOMPARE(program.exitStatus(), QProcess::CrashExit);
    QCOMPARE(program.exitCode(), ending);
    QCOMPARE(QFileInfo::exists(mark), unloaded);
}

QUORVANE_TEST_MAIN(TestTerminationSignals, QCoreApplication)
#include "tst_termination_signals.moc"
