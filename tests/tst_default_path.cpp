#include "engine/folder_path.h"
#include "settings/default_path.h"
#include "support/isolated_test_main.h"
#include "support/settings_store.h"

#include <QCoreApplication>
#include <QDir>

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
    QVERIFY(settingsStore().fileName().startsWith(QDir::homePath()));
    QVERIFY(QDir::homePath().startsWith(QDir::tempPath()));
    QVERIFY(settingsStore().fileName().endsWith(QLatin1String("/Quorvane/Quorvane.conf")));
}

void TestDefaultPath::firstStartUsesTheFallbackFolder()
{
    SplitJob job;
    loadDefaultPath(job);
    QCOMPARE(job.SourcePath, fallbackFolder());
    QCOMPARE(job.StartPath, job.SourcePath);

    saveDefaultPath(job);
    QVERIFY(!settingsStore().contains(defaultPathKey()));
}

void TestDefaultPath::fallbackFolderIsHomeWithSeparator()
{
    QCOMPARE(fallbackFolder(), QDir::homePath() + u'/');
}

void TestDefaultPath::saveRule_data()
{
    QTest::addColumn<QString>("sourcePath");
    QTest::addColumn<bool>("filesCreated");
    QTest::addColumn<bool>("saved");

    QTest::newRow("split in a new folder") << "/work/roms/" << true << true;
    QTest::newRow("browsed only, no split") << "/work/roms/" << false << false;
    QTest::newRow("split in the folder read at start") << "/start/" << true << false;
    QTest::newRow("only the letter case differs") << "/START/" << true << true;
    QTest::newRow("source cleared after a split") << "" << true << true;
}

void TestDefaultPath::saveRule()
{
    QFETCH(QString, sourcePath);
    QFETCH(bool, filesCreated);
    QFETCH(bool, saved);

    settingsStore().setValue(defaultPathKey(), QStringLiteral("/start/"));
    SplitJob job;
    loadDefaultPath(job);
    QCOMPARE(job.StartPath, QStringLiteral("/start/"));
    job.SourcePath = sourcePath;
    job.FilesCreated = filesCreated;

    saveDefaultPath(job);
    SplitJob nextStart;
    loadDefaultPath(nextStart);
    QCOMPARE(nextStart.SourcePath, saved ? sourcePath : QStringLiteral("/start/"));
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
        saveDefaultPath(job);
    }
    SplitJob job;
    loadDefaultPath(job);
    QCOMPARE(job.SourcePath, stored);
    QCOMPARE(job.StartPath, stored);
}

QUORVANE_TEST_MAIN(TestDefaultPath, QCoreApplication)
#include "tst_default_path.moc"
