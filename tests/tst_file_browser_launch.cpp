// The file browser as the window really starts it after a split: xdg-open,
// here a stand-in on PATH that writes down what it was given and then ends
// as a real launcher might.

#include "support/files.h"
#include "support/isolated_test_main.h"
#include "support/program_start.h"
#include "support/window_driver.h"
#include "ui/qt_platform_edges.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

using namespace quorvane;
using namespace quorvane::test;

class TestFileBrowserLaunch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void launcherDecidesTheOutcome_data();
    void launcherDecidesTheOutcome();

private:
    QByteArray m_systemPath;
};

void TestFileBrowserLaunch::initTestCase()
{
    if (!programsCanStart())
        QSKIP(cannotStartPrograms);
    m_systemPath = qgetenv("PATH");
}

void TestFileBrowserLaunch::cleanup()
{
    qputenv("PATH", m_systemPath);
}

void TestFileBrowserLaunch::launcherDecidesTheOutcome_data()
{
    QTest::addColumn<QString>("launcher");
    QTest::addColumn<bool>("keepsRunning");
    QTest::addColumn<QStringList>("titles");

    // In the stand-ins, @ is the folder they write to.
    const QString records = QStringLiteral("printf '%s\\n' \"$*\" > @/opened.part\nmv @/opened.part @/opened\n");
    const QStringList done{QStringLiteral("Splitting Done")};
    const QStringList failed{QStringLiteral("Splitting Done"), QStringLiteral("Error")};
    QTest::newRow("the browser opens") << records + QStringLiteral("exit 0\n") << false << done;
    QTest::newRow("no way to open the folder: status 3") << records + QStringLiteral("exit 3\n") << false << failed;
    // Bounded, so that a stand-in outlives no failed run by long.
    QTest::newRow("still running while the browser is open")
        << records
               + QStringLiteral("echo $$ > @/pid\n"
                                "i=0\n"
                                "while [ ! -e @/release ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\n"
                                ": > @/ended\n")
        << true << done;
    QTest::newRow("no xdg-open at all") << QString() << false << failed;
}

void TestFileBrowserLaunch::launcherDecidesTheOutcome()
{
    QFETCH(QString, launcher);
    QFETCH(bool, keepsRunning);
    QFETCH(QStringList, titles);
    QTemporaryDir bin;
    QTemporaryDir folder;
    const QString target = folder.path() + QDir::separator();
    QVERIFY(writeFile(target + QStringLiteral("image.bin"), patternImage(2 * 2048)));
    if (launcher.isEmpty()) {
        qputenv("PATH", QFile::encodeName(bin.path()));
    } else {
        const QString script = QStringLiteral("#!/bin/sh\n") + launcher.replace(u'@', bin.path());
        QVERIFY(writeFile(bin.filePath(QStringLiteral("xdg-open")), script.toLocal8Bit()));
        QVERIFY(QFile::setPermissions(bin.filePath(QStringLiteral("xdg-open")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + m_systemPath);
    }

    QtPlatformEdges realLaunch;
    WindowDriver ui;
    ui.edges.realFileBrowser = &realLaunch;
    ui.edges.answers.enqueue(MessageAnswer::Yes);
    QVERIFY(ui.open());
    ui.prepareJob(0, 0, target + QStringLiteral("image.bin"));
    ui.run();
    // The window is back while a launcher that stays is still running.
    const bool endedBeforeTheWindowWasBack = QFileInfo::exists(bin.filePath(QStringLiteral("ended")));

    QStringList shown;
    for (const Message &message : std::as_const(ui.edges.messages))
        shown << message.title;
    QCOMPARE(shown, titles);
    QCOMPARE(ui.edges.openedFolders, QStringList{target});
    if (!launcher.isEmpty()) {
        QTRY_VERIFY(QFileInfo::exists(bin.filePath(QStringLiteral("opened"))));
        QCOMPARE(QUrl::fromEncoded(readFile(bin.filePath(QStringLiteral("opened"))).trimmed()),
                 QUrl::fromLocalFile(target));
    }
    if (keepsRunning) {
        QVERIFY(!endedBeforeTheWindowWasBack);
        // Not killed: it ends on its own once let go, and is then reaped.
        QVERIFY(writeFile(bin.filePath(QStringLiteral("release")), {}));
        QTRY_VERIFY(QFileInfo::exists(bin.filePath(QStringLiteral("ended"))));
        const QString pid = QString::fromLatin1(readFile(bin.filePath(QStringLiteral("pid"))).trimmed());
        QVERIFY(!pid.isEmpty());
        QTRY_VERIFY(!QFileInfo::exists(QStringLiteral("/proc/") + pid));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QUORVANE_TEST_MAIN(TestFileBrowserLaunch, QApplication)
#include "tst_file_browser_launch.moc"
