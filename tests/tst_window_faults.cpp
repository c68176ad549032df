// Real faults from the file system met through the window: each ends in
// exactly one box, keeps every finished piece and the user's image intact,
// and leaves the window ready for the next run.

#include "engine/folder_path.h"
#include "engine/split_messages.h"
#include "support/child_process.h"
#include "support/files.h"
#include "support/isolated_test_main.h"
#include "support/settings_store.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace quorvane;
using namespace quorvane::test;

namespace {

constexpr int pieceSize = 16384; // 27128
constexpr int pieceCount = 4;
constexpr int bankSize = pieceSize * pieceCount;

int chmodPath(const QString &path, mode_t mode)
{
    return chmod(QFile::encodeName(path).constData(), mode);
}

} // namespace

class TestWindowFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void faultShowsOneBoxAndKeepsTheWindow_data();
    void faultShowsOneBoxAndKeepsTheWindow();
    void systemFaultKeepsOnlyFinishedPieces_data();
    void systemFaultKeepsOnlyFinishedPieces();
    void runsAfterAFailedRunGiveTheCleanPieces();

    void brokenSettingsStoreIsSurvived_data();
    void brokenSettingsStoreIsSurvived();
    void unwritableSettingsStoreIsSurvived();

private:
    QString folder() const { return m_folder->path() + QDir::separator(); }
    QString source() const { return folder() + QStringLiteral("image.bin"); }
    // Opens the window on a 27128 x 4 job for the test image.
    void openOnTheImage();
    // The pieces the last run should have left, complete, in `pieceFolder`.
    bool onlyFirstPiecesStand(const QString &pieceFolder, const QString &base, int complete) const;

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<WindowDriver> m_ui;
    QByteArray m_image;
};

void TestWindowFaults::init()
{
    settingsStore().clear();
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_image = patternImage(bankSize);
    QVERIFY(writeFile(source(), m_image));
    m_ui = std::make_unique<WindowDriver>();
}

void TestWindowFaults::cleanup()
{
    m_ui.reset();
    chmodPath(m_folder->path(), 0700);
    // Mend the settings store a test broke, also when the test failed half-way.
    const QString storeFile = settingsStore().fileName();
    const QString storeFolder = QFileInfo(storeFile).absolutePath();
    if (QFileInfo(storeFolder).isFile())
        QFile::remove(storeFolder);
    chmodPath(storeFolder, 0755);
    chmodPath(storeFile, 0644);
}

void TestWindowFaults::openOnTheImage()
{
    QVERIFY(m_ui->open());
    m_ui->prepareJob(3, 2, source());
    QCOMPARE(m_ui->baseNameBox()->text(), QStringLiteral("image_split"));
}

bool TestWindowFaults::onlyFirstPiecesStand(const QString &pieceFolder, const QString &base, int complete) const
{
    for (int number = 1; number <= pieceCount; ++number) {
        const QString piece = pieceFolder + base + QStringLiteral("_%1.bin").arg(number);
        if (number <= complete ? readFile(piece) != m_image.mid((number - 1) * pieceSize, pieceSize)
                               : QFileInfo::exists(piece))
            return false;
    }
    return true;
}

void TestWindowFaults::faultShowsOneBoxAndKeepsTheWindow_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("baseName"); // typed over the proposal unless empty
    QTest::addColumn<QString>("title");

    QTest::newRow("source removed after it was chosen") << "removed" << "" << "Error";
    QTest::newRow("source replaced by a folder") << "folder" << "" << "Error";
    QTest::newRow("source replaced by a FIFO") << "fifo" << "" << "Error";
    QTest::newRow("source shrunk by a byte") << "shrunk" << "" << "File Size Error";
    QTest::newRow("source grown by a byte") << "grown" << "" << "File Size Error";
    QTest::newRow("a folder named like piece 2") << "piece folder" << "" << "Error";
    QTest::newRow("base name too long") << "" << QString(300, u'x') << "Error";
    QTest::newRow("base name in a missing subfolder") << "" << "missing/rom" << "Error";
    QTest::newRow("base name leading back to the source") << "back to source" << "" << "Error";
}

void TestWindowFaults::faultShowsOneBoxAndKeepsTheWindow()
{
    QFETCH(QString, fault);
    QFETCH(QString, baseName);
    QFETCH(QString, title);
    QString chosen = source();
    if (fault == QLatin1String("back to source")) {
        // Piece 2 of "../<this folder>/image" is the chosen image itself.
        chosen = folder() + QStringLiteral("image_2.bin");
        QVERIFY(QFile::rename(source(), chosen));
        baseName = QStringLiteral("../%1/image").arg(QFileInfo(m_folder->path()).fileName());
    }
    QVERIFY(m_ui->open());
    m_ui->prepareJob(3, 2, chosen);
    if (!baseName.isEmpty())
        m_ui->replaceBaseName(baseName);
    const QString baseShown = m_ui->baseNameBox()->text();

    if (fault == QLatin1String("removed")) {
        QVERIFY(QFile::remove(chosen));
    } else if (fault == QLatin1String("folder")) {
        QVERIFY(QFile::remove(chosen) && QDir().mkdir(chosen));
    } else if (fault == QLatin1String("fifo")) {
        QVERIFY(QFile::remove(chosen));
        QCOMPARE(mkfifo(QFile::encodeName(chosen).constData(), 0644), 0);
    } else if (fault == QLatin1String("shrunk")) {
        QVERIFY(writeFile(chosen, m_image.chopped(1)));
    } else if (fault == QLatin1String("grown")) {
        QVERIFY(writeFile(chosen, m_image + 'x'));
    } else if (fault == QLatin1String("piece folder")) {
        QVERIFY(QDir().mkdir(folder() + QStringLiteral("image_split_2.bin")));
    }
    const QString pathShown = m_ui->label("Label_SourcePath")->text();
    const QString fileShown = m_ui->label("Label_SourceFile")->text();
    const QStringList before = entriesOf(m_folder->path());

    m_ui->run();
    QCOMPARE(m_ui->edges.messages.size(), 1);
    const Message shown = m_ui->edges.messages.constFirst();
    QCOMPARE(shown, title == QLatin1String("Error") ? errorMessage() : sizeMismatchMessage(m_ui->window().job()));
    QCOMPARE(entriesOf(m_folder->path()), before);
    QVERIFY(!m_ui->window().job().FilesCreated);
    QVERIFY(m_ui->edges.openedFolders.isEmpty());
    if (fault == QLatin1String("back to source"))
        QCOMPARE(readFile(chosen), m_image);

    QVERIFY(m_ui->button("Command_Run")->isEnabled());
    QCOMPARE(m_ui->label("Label_SourcePath")->text(), pathShown);
    QCOMPARE(m_ui->label("Label_SourceFile")->text(), fileShown);
    QCOMPARE(m_ui->baseNameBox()->text(), baseShown);
}

void TestWindowFaults::systemFaultKeepsOnlyFinishedPieces_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("complete"); // pieces finished before the fault

    QTest::newRow("disk full while piece 3 is written") << "disk full" << 2;
    QTest::newRow("file size limit below one piece") << "size limit" << 0;
    QTest::newRow("read-only folder") << "read-only folder" << 0;
    QTest::newRow("read-only piece 2") << "read-only piece" << 0; // refused before piece 1 is written
    QTest::newRow("the device cannot store piece 1") << "flush fails" << 0;
}

void TestWindowFaults::systemFaultKeepsOnlyFinishedPieces()
{
    QFETCH(QString, fault);
    QFETCH(int, complete);
    if (fault == QLatin1String("disk full") && !canMountSmallDisk())
        QSKIP("this machine lets no test mount a small file system");
    if (fault.startsWith(QLatin1String("read-only")) && !permissionsCanBind())
        QSKIP("permission bits cannot be made to bind here");
    if (fault == QLatin1String("flush fails") && !canFailFlushes())
        QSKIP("no seccomp filter can be set here");
    openOnTheImage();

    ChildFaults faults;
    QString pieceFolder = folder();
    QString base = QStringLiteral("image_split");
    const QString lockedPiece =
        fault == QLatin1String("read-only piece") ? folder() + QStringLiteral("image_split_2.bin") : QString();
    if (fault == QLatin1String("disk full")) {
        pieceFolder = folder() + QStringLiteral("full/");
        QVERIFY(QDir().mkdir(pieceFolder));
        base = QStringLiteral("full/image");
        m_ui->replaceBaseName(base);
        faults = ChildFaults::withFullDisk(pieceFolder, 2 * pieceSize + pieceSize / 2);
        base = QStringLiteral("image");
    } else if (fault == QLatin1String("size limit")) {
        faults = ChildFaults::withFileSizeLimit(pieceSize / 2);
    } else if (fault == QLatin1String("flush fails")) {
        faults = ChildFaults::withFailingFlush();
    } else if (fault == QLatin1String("read-only folder")) {
        QCOMPARE(chmodPath(m_folder->path(), 0555), 0);
        faults = ChildFaults::asNobody();
    } else {
        QVERIFY(writeFile(lockedPiece, "older piece"));
        QCOMPARE(chmodPath(lockedPiece, 0444), 0);
        QCOMPARE(chmodPath(m_folder->path(), 0777), 0);
        faults = ChildFaults::asNobody();
    }

    // The mount lives only as long as the child, so the child looks at the
    // pieces itself and reports the first check that failed.
    const int failedCheck = runInChild(faults, [&] {
        m_ui->window().setUpdatesEnabled(false);
        m_ui->run();
        if (m_ui->edges.messages != QList<Message>{errorMessage()})
            return 1;
        if (m_ui->window().job().FilesCreated || !m_ui->button("Command_Run")->isEnabled())
            return 2;
        for (int number = complete + 1; number <= pieceCount; ++number) {
            const QString piece = pieceFolder + base + QStringLiteral("_%1.bin").arg(number);
            if (piece == lockedPiece ? readFile(piece) != "older piece" : QFileInfo::exists(piece))
                return 10 + number;
        }
        for (int number = 1; number <= complete; ++number) {
            const QString piece = pieceFolder + base + QStringLiteral("_%1.bin").arg(number);
            if (readFile(piece) != m_image.mid((number - 1) * pieceSize, pieceSize))
                return 20 + number;
        }
        return readFile(source()) == m_image ? 0 : 3;
    });
    QCOMPARE(failedCheck, 0);
}

void TestWindowFaults::runsAfterAFailedRunGiveTheCleanPieces()
{
    const QString blocker = folder() + QStringLiteral("image_split_3.bin");
    QVERIFY(QDir().mkdir(blocker));
    openOnTheImage();
    m_ui->run();
    QCOMPARE(m_ui->edges.messages, QList<Message>{errorMessage()});

    QVERIFY(QDir().rmdir(blocker));
    m_ui->run();
    QVERIFY(onlyFirstPiecesStand(folder(), QStringLiteral("image_split"), pieceCount));
    m_ui->run();
    QVERIFY(onlyFirstPiecesStand(folder(), QStringLiteral("image_split"), pieceCount));
    QCOMPARE(entriesOf(m_folder->path()).size(), pieceCount + 1);
    QCOMPARE(m_ui->edges.messages.size(), 3);
    QVERIFY(m_ui->window().job().FilesCreated);
}

void TestWindowFaults::brokenSettingsStoreIsSurvived_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::newRow("a file where its folder should be") << "file for folder";
    QTest::newRow("a very long value") << "long";
    QTest::newRow("a value that is not a folder") << "not a folder";
    QTest::newRow("a list instead of a text") << "list";
    QTest::newRow("binary garbage") << "garbage";
}

void TestWindowFaults::brokenSettingsStoreIsSurvived()
{
    QFETCH(QString, breakage);
    const QString storeFile = settingsStore().fileName();
    const QString storeFolder = QFileInfo(storeFile).absolutePath();
    QVERIFY(QDir().mkpath(storeFolder));
    if (breakage == QLatin1String("file for folder")) {
        QVERIFY(QDir(storeFolder).removeRecursively());
        QVERIFY(writeFile(storeFolder, "not a folder"));
    } else if (breakage == QLatin1String("long")) {
        settingsStore().setValue(defaultPathKey(), QString(100000, u'/'));
    } else if (breakage == QLatin1String("not a folder")) {
        settingsStore().setValue(defaultPathKey(), source());
    } else if (breakage == QLatin1String("list")) {
        settingsStore().setValue(defaultPathKey(), QStringList{folder(), folder()});
    } else {
        QByteArray garbage = patternImage(4096);
        garbage.replace('\n', '[');
        QVERIFY(writeFile(storeFile, "[Settings]\nDefault Path=" + garbage));
    }

    QVERIFY(m_ui->open());
    m_ui->click(m_ui->button("Command_SelectSourceFile"));
    QCOMPARE(m_ui->edges.fileRequests.size(), 1);
    QCOMPARE(m_ui->edges.fileRequests.constFirst().startFolder, fallbackFolder());
    m_ui->prepareJob(3, 2, source());
    m_ui->run();
    QCOMPARE(m_ui->edges.messages.constFirst().title, QStringLiteral("Splitting Done"));

    m_ui->click(m_ui->button("Command_Exit"));
    QVERIFY(!m_ui->window().isVisible());
    if (breakage == QLatin1String("file for folder"))
        QCOMPARE(readFile(storeFolder), QByteArray("not a folder"));
}

void TestWindowFaults::unwritableSettingsStoreIsSurvived()
{
    if (!permissionsCanBind())
        QSKIP("permission bits cannot be made to bind here");
    settingsStore().setValue(defaultPathKey(), QStringLiteral("/gone/"));
    settingsStore().sync();
    const QString storeFile = settingsStore().fileName();
    const QString storeFolder = QFileInfo(storeFile).absolutePath();
    for (QString path = storeFolder; path.startsWith(QDir::homePath()); path = QFileInfo(path).absolutePath())
        QCOMPARE(chmodPath(path, 0755), 0);
    QCOMPARE(chmodPath(storeFolder, 0555), 0);
    QCOMPARE(chmodPath(storeFile, 0444), 0);
    QCOMPARE(chmodPath(m_folder->path(), 0777), 0);

    QVERIFY(m_ui->open());
    m_ui->prepareJob(3, 2, source());
    QCOMPARE(m_ui->edges.fileRequests.constFirst().startFolder, fallbackFolder());

    const int failedCheck = runInChild(ChildFaults::asNobody(), [&] {
        m_ui->window().setUpdatesEnabled(false);
        m_ui->run();
        if (!m_ui->window().job().FilesCreated)
            return 3;
        m_ui->click(m_ui->button("Command_Exit"));
        return m_ui->window().isVisible() ? 4 : 0;
    });
    QCOMPARE(failedCheck, 0);
    QCOMPARE(settingsStore().value(defaultPathKey()).toString(), QStringLiteral("/gone/"));
}

QUORVANE_TEST_MAIN(TestWindowFaults, QApplication)
#include "tst_window_faults.moc"
