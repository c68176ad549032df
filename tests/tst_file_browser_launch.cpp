// The file browser as the desktop really starts it: Qt hands the folder to
// xdg-open, here a stand-in on PATH that writes down what it was given. Runs
// on a real X server (Xvfb), since the offscreen platform opens no URLs.

#include "support/isolated_test_main.h"
#include "ui/qt_platform_edges.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

using namespace quorvane;

class TestFileBrowserLaunch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void noFileBrowserIsAFailedStart();
    void folderIsHandedToTheFileBrowser();

private:
    QTemporaryDir m_bin;
    QString m_record;
    QByteArray m_systemPath;
};

void TestFileBrowserLaunch::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    // Without these Qt looks no further than xdg-open for a launcher.
    for (const char *desktop : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                "GNOME_DESKTOP_SESSION_ID"})
        qunsetenv(desktop);
    m_systemPath = qgetenv("PATH");
    m_record = m_bin.filePath(QStringLiteral("opened"));

    QFile standIn(m_bin.filePath(QStringLiteral("xdg-open")));
    QVERIFY(standIn.open(QIODevice::WriteOnly));
    standIn.write("#!/bin/sh\nprintf '%s\\n' \"$*\" > \"" + QFile::encodeName(m_record) + ".part\"\n"
                  "mv \"" + QFile::encodeName(m_record) + ".part\" \"" + QFile::encodeName(m_record) + "\"\n");
    standIn.close();
    QVERIFY(standIn.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestFileBrowserLaunch::noFileBrowserIsAFailedStart()
{
    QTemporaryDir emptyBin;
    qputenv("PATH", QFile::encodeName(emptyBin.path()));
    QtPlatformEdges edges;
    QVERIFY(!edges.openFolder(m_bin.path() + QDir::separator()));
    qputenv("PATH", m_systemPath);
}

void TestFileBrowserLaunch::folderIsHandedToTheFileBrowser()
{
    QTemporaryDir folder;
    const QString target = folder.path() + QDir::separator();
    qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + m_systemPath);
    QtPlatformEdges edges;

    QVERIFY(edges.openFolder(target));
    QTRY_VERIFY(QFile::exists(m_record));
    QFile record(m_record);
    QVERIFY(record.open(QIODevice::ReadOnly));
    QCOMPARE(QUrl::fromEncoded(record.readAll().trimmed()), QUrl::fromLocalFile(target));
}

QUORVANE_TEST_MAIN(TestFileBrowserLaunch, QApplication)
#include "tst_file_browser_launch.moc"
