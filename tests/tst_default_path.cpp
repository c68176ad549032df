#include "engine/folder_path.h"
#include "settings/default_path.h"
#include "support/isolated_test_main.h"
#include "support/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

using namespace quorvane;
using namespace quorvane::test;

class TestDefaultPath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void storeIsNotTheUsersOwn();
    void firstStartUsesTheFallbackFolder();
    void fallbackFolderIsHomeWithSeparator();
    void savedFolderCanBeReadOutsideTheTool();
    void saveRule_data();
    void saveRule();
    void storedValueIsReadBackAsItIs_data();
    void storedValueIsReadBackAsItIs();
};

void TestDefaultPath::init()
{
    settingsStore().clear();
}

void TestDefaultPath::storeIsNotTheUsersOwn()
{
#ifdef Q_OS_WIN
    // The registry itself: the suites run in a Wine prefix of the build's own.
    QCOMPARE(settingsStore().fileName(), QStringLiteral("\\HKEY_CURRENT_USER\\Software\\Quorvane\\Quorvane"));
#else
    QVERIFY(settingsStore().fileName().startsWith(QDir::homePath()));
    QVERIFY(QDir::homePath().startsWith(QDir::tempPath()));
    QVERIFY(settingsStore().fileName().endsWith(QLatin1String("/Quorvane/Quorvane.conf")));
#endif
}

void TestDefaultPath::firstStartUsesTheFallbackFolder()
{
    SplitJob job;
    DefaultPath path;
    path.load(job);
    QCOMPARE(job.SourcePath, fallbackFolder());
    QCOMPARE(job.StartPath, job.SourcePath);

    job.SourcePath = QStringLiteral("/work/roms/");
    path.keep(job);
    QVERIFY(!QFileInfo::exists(settingsStore().fileName()));
}

void TestDefaultPath::fallbackFolderIsHomeWithSeparator()
{
#ifdef Q_OS_WIN
    QCOMPARE(fallbackFolder(), QStringLiteral("c:\\"));
#else
    QCOMPARE(fallbackFolder(), QDir::homePath() + u'/');
#endif
}

// Where the system keeps it, read with the system's own means: the registry
// through reg.exe on Windows, the configuration file as text elsewhere.
void TestDefaultPath::savedFolderCanBeReadOutsideTheTool()
{
    const QString folder = QDir::toNativeSeparators(QDir::tempPath()) + QDir::separator();
    SplitJob job;
    job.SourcePath = folder;
    job.FilesCreated = true;
    DefaultPath().keep(job);

#ifdef Q_OS_WIN
    QProcess reg;
    reg.start(QStringLiteral("reg.exe"),
              {QStringLiteral("query"), QStringLiteral("HKCU\\Software\\Quorvane\\Quorvane\\Settings"),
               QStringLiteral("/v"), QStringLiteral("Default Path")});
    QVERIFY(reg.waitForFinished(60000));
    QCOMPARE(reg.exitCode(), 0);
    const QString listed = QString::fromLocal8Bit(reg.readAllStandardOutput());
    const QRegularExpression value(QStringLiteral("Default Path\\s+REG_SZ\\s+") + QRegularExpression::escape(folder)
                                   + QStringLiteral("\\r?\\n"));
    QVERIFY2(value.match(listed).hasMatch(), qPrintable(listed));
#else
    QFile store(settingsStore().fileName());
    QVERIFY(store.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(store.readAll(), QByteArray("[Settings]\nDefault%20Path=") + QFile::encodeName(folder) + '\n');
#endif
}

void TestDefaultPath::saveRule_data()
{
    QTest::addColumn<bool>("storedAtStart"); // "/start/", or nothing
    QTest::addColumn<QString>("sourcePath");
    QTest::addColumn<bool>("filesCreated");
    QTest::addColumn<QString>("otherCopy"); // stored meanwhile by another copy of the tool
    QTest::addColumn<bool>("otherCopyFirst"); // before this copy's first split, not after it
    QTest::addColumn<bool>("saved");

    QTest::newRow("split in a new folder") << true << "/work/roms/" << true << "" << false << true;
    QTest::newRow("browsed only, no split") << true << "/work/roms/" << false << "" << false << false;
    QTest::newRow("split in the folder read at start") << true << "/start/" << true << "" << false << false;
    QTest::newRow("only the letter case differs") << true << "/START/" << true << "" << false << true;
    QTest::newRow("source cleared after a split") << true << "" << true << "" << false << true;
    QTest::newRow("nothing stored, split in the fallback folder")
        << false << fallbackFolder() << true << "" << false << false;
    QTest::newRow("nothing stored, split in a new folder") << false << "/work/roms/" << true << "" << false << true;
    QTest::newRow("back at the start folder after another copy saved")
        << true << "/start/" << true << "/other/" << false << false;
    QTest::newRow("split in a new folder after another copy saved")
        << true << "/work/roms/" << true << "/other/" << false << true;
    QTest::newRow("back at the start folder, another copy saved the split folder first")
        << true << "/start/" << true << "/elsewhere/" << true << false;
}

// The store follows the rule at every moment: after a split elsewhere, it
// holds what the end would leave now.
void TestDefaultPath::saveRule()
{
    QFETCH(bool, storedAtStart);
    QFETCH(QString, sourcePath);
    QFETCH(bool, filesCreated);
    QFETCH(QString, otherCopy);
    QFETCH(bool, otherCopyFirst);
    QFETCH(bool, saved);

    if (storedAtStart)
        settingsStore().setValue(defaultPathKey(), QStringLiteral("/start/"));
    SplitJob job;
    DefaultPath path;
    path.load(job);
    QCOMPARE(job.StartPath, storedAtStart ? QStringLiteral("/start/") : fallbackFolder());
    if (otherCopyFirst)
        settingsStore().setValue(defaultPathKey(), otherCopy);
    job.SourcePath = QStringLiteral("/elsewhere/");
    job.FilesCreated = filesCreated;
    path.keep(job);
    if (!otherCopy.isEmpty() && !otherCopyFirst)
        settingsStore().setValue(defaultPathKey(), otherCopy);
    job.SourcePath = sourcePath;

    path.keep(job);
    if (saved)
        QCOMPARE(settingsStore().value(defaultPathKey()).toString(), sourcePath);
    else if (!otherCopy.isEmpty())
        QCOMPARE(settingsStore().value(defaultPathKey()).toString(), otherCopy);
    else if (storedAtStart)
        QCOMPARE(settingsStore().value(defaultPathKey()).toString(), QStringLiteral("/start/"));
    else
        QVERIFY(!settingsStore().contains(defaultPathKey()));
}

void TestDefaultPath::storedValueIsReadBackAsItIs_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty") << "";
    QTest::newRow("folder that is gone") << "/no/such/folder/";
    QTest::newRow("not a folder at all") << "garbage\twith tab";
    QTest::newRow("very long") << QString(20000, u'a');
}

void TestDefaultPath::storedValueIsReadBackAsItIs()
{
    QFETCH(QString, stored);
    {
        SplitJob job;
        job.StartPath = QStringLiteral("/start/");
        job.SourcePath = stored;
        job.FilesCreated = true;
        DefaultPath().keep(job);
    }
    SplitJob job;
    DefaultPath().load(job);
    QCOMPARE(job.SourcePath, stored);
    QCOMPARE(job.StartPath, stored);
}

QUORVANE_TEST_MAIN(TestDefaultPath, QCoreApplication)
#include "tst_default_path.moc"
