#include "engine/device_catalogue.h"
#include "engine/split_job.h"
#include "support/isolated_test_main.h"

#include <QCoreApplication>

using namespace quorvane;

class TestSplitJob : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newJobHasNothingChosen();
    void bankSizes_data();
    void bankSizes();
    void unknownIndicesChangeNothing_data();
    void unknownIndicesChangeNothing();
    void laterChoiceOverwritesEarlier();
    void runRule_data();
    void runRule();
};

void TestSplitJob::newJobHasNothingChosen()
{
    const SplitJob job;
    QCOMPARE(job.DeviceSize, 0);
    QCOMPARE(job.DeviceCount, 0);
    QVERIFY(!job.FilesCreated);
    QVERIFY(job.SourceFile.isEmpty());
}

void TestSplitJob::bankSizes_data()
{
    QTest::addColumn<int>("typeIndex");
    QTest::addColumn<int>("countIndex");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("deviceSize");
    QTest::addColumn<int>("deviceCount");

    QTest::newRow("2716 x 2") << 0 << 0 << "2716" << 2048 << 2;
    QTest::newRow("2732 x 3") << 1 << 1 << "2732" << 4096 << 3;
    QTest::newRow("2764 x 4") << 2 << 2 << "2764" << 8192 << 4;
    QTest::newRow("27128 x 5") << 3 << 3 << "27128" << 16384 << 5;
    QTest::newRow("27256 x 6") << 4 << 4 << "27256" << 32768 << 6;
    QTest::newRow("27512 x 7") << 5 << 5 << "27512" << 65536 << 7;
    QTest::newRow("27010 x 8") << 6 << 6 << "27010" << 131072 << 8;
}

void TestSplitJob::bankSizes()
{
    QFETCH(int, typeIndex);
    QFETCH(int, countIndex);
    QFETCH(QString, caption);
    QFETCH(int, deviceSize);
    QFETCH(int, deviceCount);

    SplitJob job;
    chooseDeviceType(job, typeIndex);
    chooseDeviceCount(job, countIndex);
    QCOMPARE(job.DeviceSize, deviceSize);
    QCOMPARE(job.DeviceCount, deviceCount);
    QCOMPARE(QString::fromLatin1(deviceTypeAt(typeIndex)->caption), caption);
    QCOMPARE(deviceTypeAt(typeIndex)->index, typeIndex);
}

void TestSplitJob::unknownIndicesChangeNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("below") << -1;
    QTest::newRow("just above") << 7;
    QTest::newRow("16-bit limit") << 32766;
    QTest::newRow("far above") << std::numeric_limits<int>::max();
    QTest::newRow("far below") << std::numeric_limits<int>::min();
}

void TestSplitJob::unknownIndicesChangeNothing()
{
    QFETCH(int, index);
    SplitJob job;
    chooseDeviceType(job, 4);
    chooseDeviceCount(job, 2);

    chooseDeviceType(job, index);
    chooseDeviceCount(job, index);
    QCOMPARE(job.DeviceSize, 32768);
    QCOMPARE(job.DeviceCount, 4);
}

void TestSplitJob::laterChoiceOverwritesEarlier()
{
    SplitJob job;
    chooseDeviceType(job, 6);
    chooseDeviceType(job, 0);
    chooseDeviceCount(job, 6);
    chooseDeviceCount(job, 0);
    QCOMPARE(job.DeviceSize, 2048);
    QCOMPARE(job.DeviceCount, 2);
}

void TestSplitJob::runRule_data()
{
    QTest::addColumn<bool>("typeChosen");
    QTest::addColumn<bool>("countChosen");
    QTest::addColumn<QString>("pathCaption");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<bool>("allowed");

    QTest::newRow("all four hold") << true << true << "/work/" << "rom" << true;
    QTest::newRow("no device type") << false << true << "/work/" << "rom" << false;
    QTest::newRow("no device count") << true << false << "/work/" << "rom" << false;
    QTest::newRow("no source folder") << true << true << "" << "rom" << false;
    QTest::newRow("no base name") << true << true << "/work/" << "" << false;
    QTest::newRow("nothing at all") << false << false << "" << "" << false;
    QTest::newRow("one-character base") << true << true << "/" << "r" << true;
}

void TestSplitJob::runRule()
{
    QFETCH(bool, typeChosen);
    QFETCH(bool, countChosen);
    QFETCH(QString, pathCaption);
    QFETCH(QString, baseName);
    QFETCH(bool, allowed);

    SplitJob job;
    if (typeChosen)
        chooseDeviceType(job, 3);
    if (countChosen)
        chooseDeviceCount(job, 1);
    // The rule reads what the window shows, whatever the job holds.
    job.SourcePath = pathCaption.isEmpty() ? QStringLiteral("/elsewhere/") : QString();
    QCOMPARE(runAllowed(job, pathCaption, baseName), allowed);
}

QUORVANE_TEST_MAIN(TestSplitJob, QCoreApplication)
#include "tst_split_job.moc"
