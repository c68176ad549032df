// The real program ended the way a desktop session, a closed terminal or
// Ctrl+C end it: by a signal, on an X server under openbox, after a split
// made with the keyboard as a user makes it. It saves the folder, then ends by
// that same signal, as a shell expects of an interrupted program. And ended
// by the loss of its display, which Qt answers with exit() and no unload: the
// folder is stored all the same.

#include "support/files.h"
#include "support/isolated_test_main.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>

#include <sys/types.h>

using namespace quorvane::test;

class TestSessionEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void signalEndsTheProgramAsItsWindowDoes_data();
    void signalEndsTheProgramAsItsWindowDoes();
    // Kills the X server: CTest runs it alone, on a display of its own.
    void lostDisplayKeepsTheFolder();

private:
    // Runs xdotool, which sends keys to whichever window has the focus, as a
    // keyboard does; false when it fails.
    static bool xdotool(const QStringList &arguments, QString *output = nullptr);
    // Waits until the focused window's title starts with `title`.
    static bool focusReaches(const QString &title);
    static bool keys(const QString &sequence)
    {
        return xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("50")}
                       + sequence.split(u' '));
    }
    // Starts the program on the X display (in the environment it was given,
    // else this one), waits for its window and, when
    // `split`, splits image.bin of `folder` (two 2716s) with the keyboard.
    static void startAndSplit(QProcess &program, const QTemporaryDir &folder, bool split);
    QString store() const { return qEnvironmentVariable("HOME") + QStringLiteral("/.config/Quorvane/Quorvane.conf"); }
};

bool TestSessionEnd::xdotool(const QStringList &arguments, QString *output)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return true;
}

bool TestSessionEnd::focusReaches(const QString &title)
{
    const QDeadlineTimer deadline(20000);
    QString focused;
    for (; !deadline.hasExpired(); QTest::qWait(50)) {
        if (xdotool({QStringLiteral("getwindowfocus"), QStringLiteral("getwindowname")}, &focused)
            && focused.startsWith(title))
            return true;
    }
    qWarning("waited for \"%s\", the focus is on \"%s\"", qPrintable(title), qPrintable(focused));
    return false;
}

void TestSessionEnd::initTestCase()
{
    // Seen under qemu: the file dialog lists the folder so slowly that its
    // completer finishes the typed name after the test has typed it whole,
    // and another name (image.bin.bin) is chosen.
    if (qEnvironmentVariableIsSet("QUORVANE_EMULATED"))
        QSKIP("under qemu-user the file dialog completes a typed name too late to type one");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is missing (Debian package xdotool)");
    QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "no X display (run it under tests/with-xvfb.sh)");
}

void TestSessionEnd::init()
{
    QFile::remove(store());
}

void TestSessionEnd::signalEndsTheProgramAsItsWindowDoes_data()
{
    QTest::addColumn<bool>("split");
    QTest::addColumn<int>("ignored");
    QTest::addColumn<QList<int>>("sent");
    QTest::addColumn<bool>("saved");

    using Signals = QList<int>;
    QTest::newRow("SIGTERM after a split") << true << 0 << Signals{SIGTERM} << true;
    QTest::newRow("SIGHUP after a split") << true << 0 << Signals{SIGHUP} << true;
    QTest::newRow("SIGINT after a split") << true << 0 << Signals{SIGINT} << true;
    QTest::newRow("SIGTERM, nothing split: nothing saved") << false << 0 << Signals{SIGTERM} << false;
    QTest::newRow("started ignoring SIGHUP: SIGTERM ends it") << true << int(SIGHUP) << Signals{SIGHUP, SIGTERM} << true;
    // How a session ends (logind: SIGTERM, then SIGHUP at once) and a closed
    // terminal (two SIGHUPs): whether the second arrives while the first is
    // handled or both are pending together is a race, run often enough here
    // that both ways come up.
    for (int run = 1; run <= 5; ++run) {
        QTest::addRow("SIGTERM then SIGHUP at once, run %d", run) << true << 0 << Signals{SIGTERM, SIGHUP} << true;
        QTest::addRow("SIGHUP twice at once, run %d", run) << true << 0 << Signals{SIGHUP, SIGHUP} << true;
        QTest::addRow("SIGHUP then SIGTERM at once, run %d", run) << true << 0 << Signals{SIGHUP, SIGTERM} << true;
    }
}

void TestSessionEnd::startAndSplit(QProcess &program, const QTemporaryDir &folder, bool split)
{
    QVERIFY(writeFile(folder.filePath(QStringLiteral("image.bin")), patternImage(2 * 2048)));
    QProcessEnvironment environment = program.processEnvironment(); // as the test set it, if it did
    if (environment.isEmpty())
        environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(QUORVANE_PROGRAM), QStringList());
    QVERIFY(program.waitForStarted());
    QVERIFY(focusReaches(QStringLiteral("Quorvane, v")));
    if (!split)
        return;
    // EXIT has the focus: 2716, two devices, then Browse.
    QVERIFY(keys(QStringLiteral("Tab space Tab space Tab space")));
    QVERIFY(focusReaches(QStringLiteral("Select Master File")));
    QVERIFY(xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"),
                     folder.filePath(QStringLiteral("image.bin"))}));
    QVERIFY(keys(QStringLiteral("Return")));
    QVERIFY(focusReaches(QStringLiteral("Quorvane, v")));
    // The window has the X focus before the program, busy closing the
    // dialog, has given it to a control: keys typed in between go nowhere
    // (seen on a loaded machine, where a lost Tab took the space to EXIT),
    // as they would for a user who typed ahead.
    QTest::qWait(1000);
    // From the proposed name past both Clear buttons and EXIT to RUN.
    QVERIFY(keys(QStringLiteral("Tab Tab Tab Tab space")));
    QVERIFY(focusReaches(QStringLiteral("Splitting Done")));
    QVERIFY(keys(QStringLiteral("Escape")));
    QVERIFY(focusReaches(QStringLiteral("Quorvane, v")));
    QCOMPARE(readFile(folder.filePath(QStringLiteral("image_split_2.bin"))).size(), 2048);
}

void TestSessionEnd::signalEndsTheProgramAsItsWindowDoes()
{
    QFETCH(bool, split);
    QFETCH(int, ignored);
    QFETCH(QList<int>, sent);
    QFETCH(bool, saved);
    const QTemporaryDir folder;

    QProcess program;
    if (ignored != 0) // as nohup starts a program
        program.setChildProcessModifier([ignored] { ::signal(ignored, SIG_IGN); });
    const auto stop = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });
    startAndSplit(program, folder, split);
    if (QTest::currentTestFailed())
        return;
    if (split) {
        // The split stored the folder already; only the window's unload
        // stores it again over something else (of another length, so that
        // the program's settings see the file changed).
        QSettings stored(store(), QSettings::IniFormat);
        stored.setValue(QStringLiteral("Settings/Default Path"), QStringLiteral("/changed/meanwhile/by/another/copy/"));
    }
    // One after the other with no pause, as a session's end sends them.
    const auto pid = static_cast<pid_t>(program.processId());
    for (const int signal : sent)
        QCOMPARE(::kill(pid, signal), 0);

    QVERIFY(program.waitForFinished(10000));
    // A program ended by a signal is a crash to QProcess, which then gives
    // the signal as its exit code. The first signal the program takes ends
    // it: with two sent at once, which one that is depends on the threads
    // the system hands them to.
    QCOMPARE(program.exitStatus(), QProcess::CrashExit);
    QVERIFY2(sent.contains(program.exitCode()) && program.exitCode() != ignored,
             qPrintable(QStringLiteral("ended by signal %1").arg(program.exitCode())));
    if (saved) {
        const QSettings stored(store(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Settings/Default Path")).toString(), folder.path() + u'/');
    } else {
        QVERIFY(!QFileInfo::exists(store()));
    }
}

void TestSessionEnd::lostDisplayKeepsTheFolder()
{
    const QTemporaryDir folder;
    QProcess program;
    const auto stop = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });
    // Qt ends the program from inside its X11 code with everything still
    // allocated: what a leak check at that exit finds is not a leak.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    program.setProcessEnvironment(environment);
    startAndSplit(program, folder, true);
    if (QTest::currentTestFailed())
        return;

    const auto server = static_cast<pid_t>(qEnvironmentVariableIntValue("XVFB_PID"));
    QVERIFY2(server > 0, "XVFB_PID is not set (run it under tests/with-xvfb.sh)");
    QCOMPARE(::kill(server, SIGKILL), 0);

    // Qt ends a program whose display is gone with exit(1), unloading nothing.
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QSettings stored(store(), QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("Settings/Default Path")).toString(), folder.path() + u'/');
}

QUORVANE_TEST_MAIN(TestSessionEnd, QCoreApplication)
#include "tst_session_end.moc"
