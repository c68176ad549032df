#include "engine/folder_path.h"
#include "settings/default_path.h"
#include "support/isolated_test_main.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

using namespace quorvane;

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

private:
    static QSettings store() { return QSettings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane")); }
};

void TestDefaultPath::init()
{
    store().clear();
}

void TestDefaultPath::storeIsNotTheUsersOwn()
{
    QVERIFY(store().fileName().startsWith(QDir::homePath()));
    QVERIFY(QDir::homePath().startsWith(QDir::tempPath()));
    QVERIFY(store().fileName().endsWith(QLatin1String("/Quorvane/Quorvane.conf")));
}

void TestDefaultPath::firstStartUsesTheFallbackFolder()
{
    SplitJob job;
    loadDefaultPath(job);
    QCOMPARE(job.SourcePath, fallbackFolder());
    QCOMPARE(job.StartPath, job.SourcePath);

    saveDefaultPath(job);
    QVERIFY(!store().contains(QStringLiteral("Settings/Default Path")));
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

    store().setValue(QStringLiteral("Settings/Default Path"), QStringLiteral("/start/"));
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
