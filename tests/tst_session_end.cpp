// The real program ended the way a desktop session, a closed terminal or
// Ctrl+C end it: by a signal, on an X server under openbox, after a split
// made with the keyboard as a user makes it.

#include "support/files.h"
#include "support/isolated_test_main.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
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
    return false;
}

void TestSessionEnd::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is missing (Debian package xdotool)");
    QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "no X display (run it under xvfb-run)");
}

void TestSessionEnd::init()
{
    QFile::remove(store());
}

void TestSessionEnd::signalEndsTheProgramAsItsWindowDoes_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("split");

    QTest::newRow("SIGTERM after a split") << SIGTERM << true;
    QTest::newRow("SIGHUP after a split") << SIGHUP << true;
    QTest::newRow("SIGINT after a split") << SIGINT << true;
    QTest::newRow("SIGTERM, nothing split: nothing saved") << SIGTERM << false;
}

void TestSessionEnd::signalEndsTheProgramAsItsWindowDoes()
{
    QFETCH(int, signal);
    QFETCH(bool, split);
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("image.bin")), patternImage(2 * 2048)));

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
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
    QCOMPARE(::kill(static_cast<pid_t>(program.processId()), signal), 0);

    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    if (split) {
        const QSettings saved(store(), QSettings::IniFormat);
        QCOMPARE(saved.value(QStringLiteral("Settings/Default Path")).toString(), folder.path() + u'/');
    } else {
        QVERIFY(!QFileInfo::exists(store()));
    }
}

QUORVANE_TEST_MAIN(TestSessionEnd, QCoreApplication)
#include "tst_session_end.moc"
