#include "engine/split_job.h"
#include "engine/split_messages.h"
#include "engine/split_run.h"
#include "support/files.h"
#include "support/isolated_test_main.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <filesystem>
#include <system_error>

#ifndef Q_OS_WIN
#include "support/child_process.h"
#include "support/program_start.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace quorvane;
using namespace quorvane::test;

class TestSplitRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void piecesJoinUpToTheImage_data();
    void piecesJoinUpToTheImage();
    void wrongSizeWritesNothing_data();
    void wrongSizeWritesNothing();
    void unusableSourceIsAnError_data();
    void unusableSourceIsAnError();
    void secondRunRewritesTheSamePieces();
    void olderLongerPieceLosesItsTail();
    void sourceIsNeverOverwritten_data();
    void sourceIsNeverOverwritten();
    void pieceOfUnknownIdentityIsTakenForTheSource();
    void baseNameMayNameASubfolder_data();
    void baseNameMayNameASubfolder();
    void refusedPieceNameIsAnError_data();
    void refusedPieceNameIsAnError();
    void readOnlyFolderIsAnError();
    void readOnlyPieceStopsTheRunThere();
    void piecesReachTheDeviceBeforeDone_data();
    void piecesReachTheDeviceBeforeDone();

    void messageTexts();

private:
    // A job for the bank `countIndex` x `typeIndex` whose source image is
    // `fileName` in the test folder, holding `image`.
    SplitJob jobFor(int typeIndex, int countIndex, const QString &fileName, const QByteArray &image);
    QString inFolder(const QString &name) const { return QDir::toNativeSeparators(m_folder->filePath(name)); }
    QStringList folderEntries() const;
#ifndef Q_OS_WIN
    // Splits under the base name "rom" in a child run as nobody (as the user
    // itself when not root): the outcome, plus 10 when the job was marked as
    // having made files.
    static int splitAsNobody(SplitJob &job)
    {
        return runInChild(ChildFaults::asNobody(), [&job] {
            const SplitOutcome result = runSplit(job, QStringLiteral("rom"));
            return static_cast<int>(result) + (job.FilesCreated ? 10 : 0);
        });
    }
#endif

    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestSplitRun::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

SplitJob TestSplitRun::jobFor(int typeIndex, int countIndex, const QString &fileName,
                              const QByteArray &image)
{
    SplitJob job;
    chooseDeviceType(job, typeIndex);
    chooseDeviceCount(job, countIndex);
    job.SourcePath = QDir::toNativeSeparators(m_folder->path()) + QDir::separator();
    job.SourceFile = fileName;
    if (!writeFile(inFolder(fileName), image))
        qFatal("cannot write the test image");
    return job;
}

QStringList TestSplitRun::folderEntries() const
{
    return entriesOf(m_folder->path());
}

void TestSplitRun::piecesJoinUpToTheImage_data()
{
    QTest::addColumn<int>("typeIndex");
    QTest::addColumn<int>("countIndex");
    QTest::addColumn<QString>("baseName");

    QTest::newRow("smallest bank, 2716 x 2") << 0 << 0 << "rom";
    QTest::newRow("27128 x 4") << 3 << 2 << "rom";
    QTest::newRow("27256 x 4, proposed name") << 4 << 2 << "game_split";
    QTest::newRow("largest bank, 27010 x 8") << 6 << 6 << "big";
    QTest::newRow("name with spaces and dots") << 1 << 1 << "my rom.v2";
}

void TestSplitRun::piecesJoinUpToTheImage()
{
    QFETCH(int, typeIndex);
    QFETCH(int, countIndex);
    QFETCH(QString, baseName);

    SplitJob probe;
    chooseDeviceType(probe, typeIndex);
    chooseDeviceCount(probe, countIndex);
    const QByteArray image = patternImage(qsizetype{probe.DeviceSize} * probe.DeviceCount);
    SplitJob job = jobFor(typeIndex, countIndex, QStringLiteral("image.bin"), image);

    QCOMPARE(runSplit(job, baseName), SplitOutcome::Done);
    QVERIFY(job.FilesCreated);

    QByteArray joined;
    for (int number = 1; number <= job.DeviceCount; ++number) {
        const QString piece = pieceFilePath(job, baseName, number);
        QCOMPARE(piece, inFolder(baseName + u'_' + QString::number(number) + QLatin1String(".bin")));
        const QByteArray contents = readFile(piece);
        QCOMPARE(contents.size(), job.DeviceSize);
        joined += contents;
    }
    QCOMPARE(joined, image);
    QCOMPARE(folderEntries().size(), job.DeviceCount + 1);
    QCOMPARE(readFile(inFolder(QStringLiteral("image.bin"))), image);
}

void TestSplitRun::wrongSizeWritesNothing_data()
{
    QTest::addColumn<int>("imageSize");
    const int bank = 4 * 16384;
    QTest::newRow("one byte short") << bank - 1;
    QTest::newRow("one byte long") << bank + 1;
    QTest::newRow("empty") << 0;
    QTest::newRow("one piece only") << 16384;
}

void TestSplitRun::wrongSizeWritesNothing()
{
    QFETCH(int, imageSize);
    SplitJob job = jobFor(3, 2, QStringLiteral("image.bin"), patternImage(imageSize));

    QCOMPARE(runSplit(job, QStringLiteral("rom")), SplitOutcome::SizeMismatch);
    QVERIFY(!job.FilesCreated);
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("image.bin")});
}

void TestSplitRun::unusableSourceIsAnError_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("folder") << "folder";
#ifndef Q_OS_WIN // FIFOs, symbolic links and /dev are POSIX only
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("dangling link") << "dangling link";
    QTest::newRow("character device") << "device";
#endif
}

void TestSplitRun::unusableSourceIsAnError()
{
    QFETCH(QString, kind);
    const QString source = inFolder(QStringLiteral("source.bin"));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(source));
#ifndef Q_OS_WIN
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(source).constData(), 0644), 0);
    else if (kind == QLatin1String("dangling link"))
        QVERIFY(QFile::link(inFolder(QStringLiteral("gone.bin")), source));
    else if (kind == QLatin1String("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), source));
#endif

    SplitJob job;
    chooseDeviceType(job, 0);
    chooseDeviceCount(job, 0);
    job.SourcePath = QDir::toNativeSeparators(m_folder->path()) + QDir::separator();
    job.SourceFile = QStringLiteral("source.bin");
    QCOMPARE(runSplit(job, QStringLiteral("rom")), SplitOutcome::Error);
    QVERIFY(!job.FilesCreated);
    QVERIFY(!QFileInfo::exists(pieceFilePath(job, QStringLiteral("rom"), 1)));
}

void TestSplitRun::secondRunRewritesTheSamePieces()
{
    const QByteArray image = patternImage(3 * 4096);
    SplitJob job = jobFor(1, 1, QStringLiteral("image.bin"), image);

    QCOMPARE(runSplit(job, QStringLiteral("rom")), SplitOutcome::Done);
    const QByteArray first = readFile(pieceFilePath(job, QStringLiteral("rom"), 2));
    QVERIFY(writeFile(pieceFilePath(job, QStringLiteral("rom"), 2), QByteArray(4096, '\0')));

    QCOMPARE(runSplit(job, QStringLiteral("rom")), SplitOutcome::Done);
    QCOMPARE(readFile(pieceFilePath(job, QStringLiteral("rom"), 2)), first);
    QCOMPARE(first, image.mid(4096, 4096));
}

void TestSplitRun::olderLongerPieceLosesItsTail()
{
    const QByteArray image = patternImage(2 * 2048);
    SplitJob job = jobFor(0, 0, QStringLiteral("image.bin"), image);
    QVERIFY(writeFile(inFolder(QStringLiteral("rom_1.bin")), QByteArray(3 * 2048, '\xee')));

    QCOMPARE(runSplit(job, QStringLiteral("rom")), SplitOutcome::Done);
    QCOMPARE(readFile(inFolder(QStringLiteral("rom_1.bin"))), image.left(2048));
}

void TestSplitRun::sourceIsNeverOverwritten_data()
{
    QTest::addColumn<QString>("sourceFile");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QString>("alias"); // another name for the source, made first

    QTest::newRow("source named like piece 1") << "rom_1.bin" << "rom" << "";
    QTest::newRow("source named like the last piece") << "rom_4.bin" << "rom" << "";
    QTest::newRow("reached through a relative base name") << "rom_2.bin" << "../%1/rom" << "";
#ifndef Q_OS_WIN // QFile::link makes a shortcut there, not a link
    QTest::newRow("piece is a symbolic link to it") << "master.bin" << "rom" << "symlink";
#endif
    QTest::newRow("piece is a hard link to it") << "master.bin" << "rom" << "hardlink";
    // The system reads a name only up to its first NUL.
    QTest::newRow("a NUL ends the name at the image") << "master.bin" << QStringLiteral("master.bin") + QChar(0) << "";
}

void TestSplitRun::sourceIsNeverOverwritten()
{
    QFETCH(QString, sourceFile);
    QFETCH(QString, baseName);
    QFETCH(QString, alias);

    const QByteArray image = patternImage(4 * 8192);
    SplitJob job = jobFor(2, 2, sourceFile, image);
    if (baseName.contains(QLatin1String("%1")))
        baseName = baseName.arg(QFileInfo(m_folder->path()).fileName());
    const QString aliasPath = inFolder(QStringLiteral("rom_3.bin"));
    if (alias == QLatin1String("symlink"))
        QVERIFY(QFile::link(inFolder(sourceFile), aliasPath));
    else if (alias == QLatin1String("hardlink"))
    {
        std::error_code error;
        std::filesystem::create_hard_link(QFileInfo(inFolder(sourceFile)).filesystemFilePath(),
                                          QFileInfo(aliasPath).filesystemFilePath(), error);
        QVERIFY2(!error, error.message().c_str());
    }
    const QStringList before = folderEntries();

    QCOMPARE(runSplit(job, baseName), SplitOutcome::Error);
    QVERIFY(!job.FilesCreated);
    QCOMPARE(readFile(inFolder(sourceFile)), image);
    QCOMPARE(folderEntries(), before);
}

void TestSplitRun::pieceOfUnknownIdentityIsTakenForTheSource()
{
#ifdef Q_OS_WIN
    QSKIP("needs POSIX permission bits and a child that drops to an unprivileged user");
#else
    if (!permissionsCanBind())
        QSKIP("permission bits cannot be made to bind here");
    // The run works in a folder it may use, by names relative to it, inside
    // a folder nobody may pass through (root splits as nobody, for whom the
    // bits bind): every file opens, but the identity of a piece, asked by its
    // absolute path, cannot be established.
    const QByteArray image = patternImage(4 * 8192);
    const QByteArray otherImage(image.size(), '\x5a');
    const QString inside = inFolder(QStringLiteral("open"));
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("open")));
    QVERIFY(writeFile(inside + QStringLiteral("/master.bin"), image));
    QVERIFY(writeFile(inside + QStringLiteral("/rom_3.bin"), otherImage));
    // Whatever the umask: the image readable, the piece writable, by nobody.
    QCOMPARE(chmod(QFile::encodeName(inside).constData(), 0777), 0);
    QCOMPARE(chmod(QFile::encodeName(inside + QStringLiteral("/master.bin")).constData(), 0644), 0);
    QCOMPARE(chmod(QFile::encodeName(inside + QStringLiteral("/rom_3.bin")).constData(), 0666), 0);
    SplitJob job;
    chooseDeviceType(job, 2);
    chooseDeviceCount(job, 2);
    job.SourcePath = QStringLiteral("./");
    job.SourceFile = QStringLiteral("master.bin");

    const QString original = QDir::currentPath();
    QVERIFY(QDir::setCurrent(inside));
    QCOMPARE(chmod(QFile::encodeName(m_folder->path()).constData(), 0), 0);
    // The fault is real: by its relative name the image opens, by its
    // absolute one nothing can be asked.
    const QByteArray absolute = QFile::encodeName(inside + QStringLiteral("/master.bin"));
    const int reachable = runInChild(ChildFaults::asNobody(), [&absolute] {
        struct stat status = {};
        return (access("master.bin", R_OK) == 0 ? 1 : 0) + (stat(absolute.constData(), &status) != 0 && errno == EACCES ? 2 : 0);
    });
    const int outcome = splitAsNobody(job);
    QCOMPARE(chmod(QFile::encodeName(m_folder->path()).constData(), 0700), 0);
    QVERIFY(QDir::setCurrent(original));

    QCOMPARE(reachable, 3);

    QCOMPARE(outcome, static_cast<int>(SplitOutcome::Error));
    QCOMPARE(readFile(inside + QStringLiteral("/rom_3.bin")), otherImage);
    QCOMPARE(entriesOf(inside), (QStringList{QStringLiteral("master.bin"), QStringLiteral("rom_3.bin")}));
#endif
}

void TestSplitRun::baseNameMayNameASubfolder_data()
{
    QTest::addColumn<QString>("baseName");
    QTest::newRow("slash") << "pieces/rom";
#ifdef Q_OS_WIN
    QTest::newRow("backslash") << "pieces\\rom";
#endif
}

void TestSplitRun::baseNameMayNameASubfolder()
{
    QFETCH(QString, baseName);
    const QByteArray image = patternImage(2 * 2048);
    SplitJob job = jobFor(0, 0, QStringLiteral("image.bin"), image);

    QCOMPARE(runSplit(job, baseName), SplitOutcome::Error);
    QVERIFY(!job.FilesCreated);
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("image.bin")});

    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("pieces")));
    QCOMPARE(runSplit(job, baseName), SplitOutcome::Done);
    QCOMPARE(readFile(inFolder(QStringLiteral("pieces/rom_2.bin"))), image.right(2048));
}

void TestSplitRun::refusedPieceNameIsAnError_data()
{
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QString>("blocker"); // made in the folder before the run

    QTest::newRow("name too long for the file system") << QString(300, u'x') << "";
    QTest::newRow("a folder where piece 2 goes") << "rom" << "folder";
    // Hard links between blank pieces are common in deduplicated folders.
    QTest::newRow("piece 1 a hard link to piece 2") << "rom" << "hard link";
    QTest::newRow("piece 1 a hard link to a file in another folder") << "rom" << "hard link elsewhere";
    // The system would cut the name at its NUL and write "ro".
    QTest::newRow("a NUL in the name") << QStringLiteral("ro") + QChar(0) + u'm' << "";
#ifdef Q_OS_WIN
    // Characters Windows forbids in file names; a colon would name an NTFS stream.
    for (const char *name : {"a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b"})
        QTest::newRow(name) << QString::fromLatin1(name) << "";
#else // QFile::link makes a shortcut on Windows, not a link
    // Names are bytes here: this one would come back with another character.
    QTest::newRow("a lone surrogate in the name") << QStringLiteral("rom") + QChar(0xd800) << "";
    QTest::newRow("piece 1 a symbolic link to piece 2") << "rom" << "symbolic link";
    QTest::newRow("piece 1 a dangling symbolic link") << "rom" << "dangling link";
    QTest::newRow("piece 1 a link to a file in another folder") << "rom" << "link elsewhere";
#endif
}

void TestSplitRun::refusedPieceNameIsAnError()
{
    QFETCH(QString, baseName);
    QFETCH(QString, blocker);

    SplitJob job = jobFor(0, 1, QStringLiteral("image.bin"), patternImage(3 * 2048));
    const QTemporaryDir elsewhere;
    const QString piece1 = inFolder(QStringLiteral("rom_1.bin"));
    const QString piece2 = inFolder(QStringLiteral("rom_2.bin"));
    const QString outside = elsewhere.filePath(QStringLiteral("target.bin"));
    if (blocker == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(piece2));
    } else if (blocker == QLatin1String("hard link elsewhere")) {
        QVERIFY(writeFile(outside, "not a piece"));
        std::error_code error;
        std::filesystem::create_hard_link(QFileInfo(outside).filesystemFilePath(),
                                          QFileInfo(piece1).filesystemFilePath(), error);
        QVERIFY2(!error, error.message().c_str());
    } else if (blocker == QLatin1String("hard link")) {
        QVERIFY(writeFile(piece2, QByteArray(2048, '\xff')));
        std::error_code error;
        std::filesystem::create_hard_link(QFileInfo(piece2).filesystemFilePath(),
                                          QFileInfo(piece1).filesystemFilePath(), error);
        QVERIFY2(!error, error.message().c_str());
    } else if (blocker == QLatin1String("symbolic link")) {
        QVERIFY(writeFile(piece2, QByteArray(2048, '\xff')));
        QVERIFY(QFile::link(piece2, piece1));
    } else if (blocker == QLatin1String("dangling link")) {
        QVERIFY(QFile::link(outside, piece1));
    } else if (blocker == QLatin1String("link elsewhere")) {
        QVERIFY(writeFile(outside, "not a piece"));
        QVERIFY(QFile::link(outside, piece1));
    }
    const QStringList before = folderEntries();
    const QByteArray contents = readFile(piece2);

    QCOMPARE(runSplit(job, baseName), SplitOutcome::Error);
    QVERIFY(!job.FilesCreated);
    QCOMPARE(folderEntries(), before);
    QCOMPARE(readFile(piece2), contents);
    const bool targetOutside = blocker.endsWith(QLatin1String("elsewhere"));
    QCOMPARE(entriesOf(elsewhere.path()), targetOutside ? QStringList{QStringLiteral("target.bin")} : QStringList{});
    if (targetOutside)
        QCOMPARE(readFile(outside), QByteArray("not a piece"));
}

void TestSplitRun::readOnlyFolderIsAnError()
{
#ifdef Q_OS_WIN
    QSKIP("needs POSIX permission bits and a child that drops to an unprivileged user");
#else
    if (!permissionsCanBind())
        QSKIP("permission bits cannot be made to bind here");
    SplitJob job = jobFor(0, 0, QStringLiteral("image.bin"), patternImage(2 * 2048));
    QCOMPARE(chmod(QFile::encodeName(m_folder->path()).constData(), 0555), 0);

    const int outcome = splitAsNobody(job);
    QCOMPARE(chmod(QFile::encodeName(m_folder->path()).constData(), 0755), 0);

    QCOMPARE(outcome, static_cast<int>(SplitOutcome::Error));
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("image.bin")});
#endif
}

void TestSplitRun::readOnlyPieceStopsTheRunThere()
{
#ifdef Q_OS_WIN
    QSKIP("needs POSIX permission bits and a child that drops to an unprivileged user");
#else
    if (!permissionsCanBind())
        QSKIP("permission bits cannot be made to bind here");
    const QByteArray image = patternImage(3 * 2048);
    SplitJob job = jobFor(0, 1, QStringLiteral("image.bin"), image);
    const QString lockedPiece = inFolder(QStringLiteral("rom_2.bin"));
    QVERIFY(writeFile(lockedPiece, "older piece"));
    QVERIFY(QFile::setPermissions(lockedPiece, QFile::ReadOwner | QFile::ReadOther));
    QCOMPARE(chmod(QFile::encodeName(m_folder->path()).constData(), 0777), 0);

    const int outcome = splitAsNobody(job);

    QCOMPARE(outcome, static_cast<int>(SplitOutcome::Error));
    QCOMPARE(readFile(inFolder(QStringLiteral("rom_1.bin"))), image.left(2048));
    QCOMPARE(readFile(lockedPiece), QByteArray("older piece"));
    QVERIFY(!QFileInfo::exists(inFolder(QStringLiteral("rom_3.bin"))));
#endif
}

void TestSplitRun::piecesReachTheDeviceBeforeDone_data()
{
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QString>("folderFlush"); // the error strace makes it fail with, if any
    QTest::addColumn<bool>("done");

    QTest::newRow("beside the image") << "rom" << "" << true;
    QTest::newRow("in a subfolder") << "pieces/rom" << "" << true;
    QTest::newRow("the folder's flush fails") << "rom" << "EIO" << false;
    QTest::newRow("a file system that cannot flush folders") << "rom" << "EINVAL" << true;
}

// Seen from outside, in the order the system carried them out: each piece is
// written and flushed before it is closed, the folder that holds the new
// names is flushed after the last, and only then does the split return done.
void TestSplitRun::piecesReachTheDeviceBeforeDone()
{
#ifdef Q_OS_WIN
    QSKIP("strace watches Linux system calls");
#else
    if (!programsCanStart())
        QSKIP(cannotStartPrograms);
    QFETCH(QString, baseName);
    QFETCH(QString, folderFlush);
    QFETCH(bool, done);
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    QVERIFY2(!strace.isEmpty(), "strace is missing (Debian package strace)");
    jobFor(3, 2, QStringLiteral("image.bin"), patternImage(4 * 16384));
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("pieces")));
    const QString log = inFolder(QStringLiteral("trace"));

    QStringList arguments{QStringLiteral("-qq"), QStringLiteral("-s"), QStringLiteral("4096"), QStringLiteral("-o"), log,
                          QStringLiteral("-e"), QStringLiteral("trace=openat,write,fsync,fdatasync,close")};
    if (!folderFlush.isEmpty()) // the fifth flush, after the four pieces'
        arguments << QStringLiteral("-e") << QStringLiteral("inject=fsync:error=%1:when=5").arg(folderFlush);
    arguments << QStringLiteral(QUORVANE_SPLIT_ONCE) << m_folder->path() + u'/' << QStringLiteral("image.bin")
              << QStringLiteral("3") << QStringLiteral("2") << baseName;
    QProcess traced;
    // LeakSanitizer cannot work under a tracer.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    traced.setProcessEnvironment(environment);
    traced.start(strace, arguments);
    QVERIFY(traced.waitForFinished(60000));
    QVERIFY2(traced.exitCode() == (done ? 0 : 1), traced.readAllStandardError().constData());

    // Each call as "name(first argument ...) = result"; file descriptors are
    // followed from the openat that returned them.
    const QRegularExpression call(QStringLiteral(R"re(^(\w+)\((?:AT_FDCWD, "([^"]*)"|(\d+)).* = (-?\d+))re"));
    const QString pieceFolder = QFileInfo(inFolder(baseName)).absolutePath();
    QHash<int, QString> opened;
    QStringList seen;
    for (const QString &line : QString::fromLocal8Bit(readFile(log)).split(u'\n', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = call.match(line);
        if (!match.hasMatch())
            continue;
        const QString name = match.captured(1);
        const int result = match.captured(4).toInt();
        if (name == QLatin1String("openat")) {
            opened[result] = match.captured(2);
            continue;
        }
        const int handle = match.captured(3).toInt();
        if (name == QLatin1String("write") && handle == STDOUT_FILENO) {
            seen << line.section(u'"', 1, 1);
            continue;
        }
        const QString path = opened.value(handle);
        QString what = path == pieceFolder ? QStringLiteral("folder") : QFileInfo(path).fileName();
        if (!what.startsWith(QLatin1String("rom_")) && what != QLatin1String("folder"))
            continue;
        what = (name == QLatin1String("fdatasync") ? QStringLiteral("fsync") : name) + u' ' + what;
        if (result < 0)
            what += QStringLiteral(" failed");
        if (seen.isEmpty() || seen.constLast() != what) // a piece written in more than one call
            seen << what;
    }
    QStringList expected;
    for (int number = 1; number <= 4; ++number) {
        for (const char *step : {"write", "fsync", "close"})
            expected << QStringLiteral("%1 rom_%2.bin").arg(QLatin1String(step)).arg(number);
    }
    expected << (folderFlush.isEmpty() ? QStringLiteral("fsync folder") : QStringLiteral("fsync folder failed"))
             << QStringLiteral("close folder")
             << (done ? QStringLiteral("split returned: done\\n") : QStringLiteral("split returned: not done\\n"));
    QCOMPARE(seen, expected);
    // Pieces written before a failure stay.
    for (int number = 1; number <= 4; ++number)
        QVERIFY(QFileInfo::exists(QFileInfo(inFolder(baseName)).absolutePath() + QStringLiteral("/rom_%1.bin").arg(number)));
#endif
}

void TestSplitRun::messageTexts()
{
    SplitJob job;
    job.SourcePath = QStringLiteral("/work/");
    job.SourceFile = QStringLiteral("game.bin");

    const Message mismatch = sizeMismatchMessage(job);
    QCOMPARE(mismatch.title, QStringLiteral("File Size Error"));
    QCOMPARE(mismatch.text, QStringLiteral("The size of the selected file:\n\n/work/game.bin\n\n"
                                           "does not match the selected device type and number of devices."));
    QCOMPARE(mismatch.buttons, MessageButtons::Ok);

    const Message done = splitDoneMessage(QStringLiteral("rom"), 4);
    QCOMPARE(done.title, QStringLiteral("Splitting Done"));
    QCOMPARE(done.text, QStringLiteral("The files rom_(1 to 4).bin have been created.\n\n"
                                       "Do you want to open the target folder ?"));
    QCOMPARE(done.buttons, MessageButtons::YesNo);

    QCOMPARE(errorMessage(), (Message{QStringLiteral("Error"), QStringLiteral("Error"), MessageButtons::Ok}));
}

QUORVANE_TEST_MAIN(TestSplitRun, QCoreApplication)
#include "tst_split_run.moc"
