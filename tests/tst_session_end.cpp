// The real program ended the way a desktop session, a closed terminal or
// Ctrl+C end it: by a signal, on an X server under openbox, after a split
// made with the keyboard as a user makes it. It saves the folder, then ends by
// that same signal, as a shell expects of an interrupted program.

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
    // Stops the program, waits until it has stopped, sends it `signals`,
    // which are then pending together, and lets it go on.
    static bool sendWhileStopped(pid_t program, const QList<int> &signals);
    QString store() const { return qEnvironmentVariable("HOME") + QStringLiteral("/.config/Quorvane/Quorvane.conf"); }
};

bool TestSessionEnd::sendWhileStopped(pid_t program, const QList<int> &signals)
{
    if (::kill(program, SIGSTOP) != 0)
        return false;
    // The state follows the last ')' of /proc/PID/stat: T once stopped.
    const QDeadlineTimer deadline(10000);
    for (;; QTest::qWait(10)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(program));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray line = stat.readAll();
        if (line.mid(line.lastIndexOf(')') + 2, 1) == "T")
            break;
        if (deadline.hasExpired())
            return false;
    }
    for (const int signal : signals) {
        if (::kill(program, signal) != 0)
            return false;
    }
    return ::kill(program, SIGCONT) == 0;
}

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
    return false;
}

void TestSessionEnd::initTestCase()
{
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
    QTest::newRow("a second signal ends it at once: nothing saved") << true << 0 << Signals{SIGHUP, SIGTERM} << false;
    QTest::newRow("started ignoring SIGHUP: SIGTERM ends it") << true << int(SIGHUP) << Signals{SIGHUP, SIGTERM} << true;
}

void TestSessionEnd::signalEndsTheProgramAsItsWindowDoes()
{
    QFETCH(bool, split);
    QFETCH(int, ignored);
    QFETCH(QList<int>, sent);
    QFETCH(bool, saved);
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("image.bin")), patternImage(2 * 2048)));

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (ignored != 0) // as nohup starts a program
        program.setChildProcessModifier([ignored] { ::signal(ignored, SIG_IGN); });
    program.start(QStringLiteral(QUORVANE_PROGRAM), QStringList());
    QVERIFY(program.waitForStarted());
    const auto stop = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });
    QVERIFY(focusReaches(QStringLiteral("Quorvane, v")));

    if (split) {
        // EXIT has the focus: 2716, two devices, then Browse.
        QVERIFY(keys(QStringLiteral("Tab space Tab space Tab space")));
        QVERIFY(focusReaches(QStringLiteral("Select Master File")));
        QVERIFY(xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"),
                         folder.filePath(QStringLiteral("image.bin"))}));
        QVERIFY(keys(QStringLiteral("Return")));
        QVERIFY(focusReaches(QStringLiteral("Quorvane, v")));
        // From the proposed name past both Clear buttons and EXIT to RUN.
        QVERIFY(keys(QStringLiteral("Tab Tab Tab Tab space")));
        QVERIFY(focusReaches(QStringLiteral("Splitting Done")));
        QVERIFY(keys(QStringLiteral("Escape")));
        QVERIFY(focusReaches(QStringLiteral("Quorvane, v")));
        QCOMPARE(readFile(folder.filePath(QStringLiteral("image_split_2.bin"))).size(), 2048);
    }
    QVERIFY(sendWhileStopped(static_cast<pid_t>(program.processId()), sent));

    QVERIFY(program.waitForFinished(10000));
    // A program ended by a signal is a crash to QProcess, which then gives
    // the signal as its exit code.
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

QUORVANE_TEST_MAIN(TestSessionEnd, QCoreApplication)
#include "tst_session_end.moc"
