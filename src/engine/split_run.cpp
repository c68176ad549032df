#include "engine/split_run.h"

#include "engine/device_flush.h"
#include "engine/native_path.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QtNumeric>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorvane {

namespace {

// Reads the whole image in one go. Anything but exactly `size` bytes (the file
// shrank or grew since its length was taken) is a failure: a padded or clipped
// image must never reach a chip.
std::optional<QByteArray> readImage(const QString &path, qint32 size)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    QByteArray image(size, Qt::Uninitialized);
    char beyondEnd = 0;
    if (source.read(image.data(), size) != size || source.read(&beyondEnd, 1) != 0)
        return std::nullopt;
    return image;
}

// Two names whose identity cannot be established (a path too long for the
// system, a file held open exclusively, a permission or I/O error) may be one
// file, and are treated as such: a run refused is cheaper than the image lost
// or a piece overwritten by another.
bool mayBeOneFile(const QFileInfo &one, const QFileInfo &other)
{
    std::error_code error;
    const bool same
        = std::filesystem::equivalent(one.filesystemAbsoluteFilePath(), other.filesystemAbsoluteFilePath(), error);
    return same || error;
}

// Whether another name may lead to the same file as `file`: a hard link
// count above one, or one that cannot be asked.
bool mayHaveOtherNames(const QFileInfo &file)
{
#ifdef Q_OS_WIN
    // Windows' C runtime counts one link for every file, whatever it has.
    Q_UNUSED(file);
    return true;
#else
    std::error_code error;
    return std::filesystem::hard_link_count(file.filesystemAbsoluteFilePath(), error) != 1 || error;
#endif
}

// Checked before anything is written. A piece that is the source (under
// another name, through a link or a relative base name) would destroy the only
// copy of the image; two pieces that are one file (hard links, common in
// folders deduplicated by a tool) would leave one piece where two were
// reported; a piece name that is a symbolic link would write wherever it
// points, even outside the folder; something that is not a plain file (a
// folder, a FIFO) cannot hold a piece and might block the run. Only files that
// could be one are compared: of the same size, and with more than one name.
bool piecesAreWritable(const QFileInfo &source, const QStringList &piecePaths)
{
    QList<QFileInfo> linked; // pieces with other names
    for (const QString &piece : piecePaths) {
        const QFileInfo info(piece);
        if (info.isSymbolicLink())
            return false;
        if (info.isFile()) {
            if (info.size() == source.size() && mayBeOneFile(info, source))
                return false;
            if (!mayHaveOtherNames(info))
                continue;
            for (const QFileInfo &other : std::as_const(linked)) {
                if (info.size() == other.size() && mayBeOneFile(info, other))
                    return false;
            }
            linked.append(info);
        } else if (info.exists()) {
            return false;
        }
    }
    return true;
}

// Opens a piece for writing, emptied. On POSIX a symbolic link put in its
// place after the check is refused too (O_NOFOLLOW), rather than followed.
bool openPiece(QFile &piece)
{
    constexpr QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered;
#ifdef Q_OS_WIN
    return piece.open(mode);
#else
    const int handle = ::open(QFile::encodeName(piece.fileName()).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (handle < 0)
        return false;
    if (piece.open(handle, mode, QFileDevice::AutoCloseHandle))
        return true;
    ::close(handle);
    return false;
#endif
}

// Writes one piece to exactly `size` bytes, so no tail of an older, larger
// piece survives, and flushes it to the device: a piece counts as written
// only once it is there. An incomplete piece is removed rather than left to
// pass for a good one.
bool writePiece(const QString &path, const char *data, qint32 size)
{
    QFile piece(path);
    if (!openPiece(piece))
        return false;
    const bool written = piece.write(data, size) == size && flushToDevice(piece);
    piece.close();
    if (written && piece.error() == QFileDevice::NoError)
        return true;
    // By name: a file opened by its descriptor cannot remove itself.
    QFile::remove(path);
    return false;
}

#ifdef Q_OS_WIN
// Windows refuses these characters in file names, and NTFS takes a colon as
// the start of a stream name: "a:b" would go into a hidden stream of a file
// "a" and pass for a finished piece. Checked before anything is written, so
// no run stops halfway at the first piece it cannot name.
bool isWindowsFileName(const QString &baseName)
{
    const QString forbidden = QStringLiteral(":*?\"<>|");
    return std::none_of(baseName.cbegin(), baseName.cend(),
                        [&forbidden](QChar c) { return c.unicode() < 0x20 || forbidden.contains(c); });
}
#endif

} // namespace

QString pieceFilePath(const SplitJob &job, const QString &baseName, int number)
{
    return job.SourcePath + baseName + u'_' + QString::number(number) + QLatin1String(".bin");
}

SplitOutcome runSplit(SplitJob &job, const QString &baseName)
{
    if (job.DeviceSize <= 0 || job.DeviceCount <= 0)
        return SplitOutcome::Error;

    const QString sourcePath = job.SourcePath + job.SourceFile;
    QStringList piecePaths;
    for (int number = 1; number <= job.DeviceCount; ++number)
        piecePaths.append(pieceFilePath(job, baseName, number));
    // A name the system would get otherwise than written leads to a file no
    // check by that name has seen, the image itself among them: refused
    // before anything is opened.
    if (!fileSystemTakesAsGiven(sourcePath)
        || !std::all_of(piecePaths.cbegin(), piecePaths.cend(), fileSystemTakesAsGiven))
        return SplitOutcome::Error;

    const QFileInfo source(sourcePath);
    // Folders, FIFOs and devices are no images; opening some of them would
    // block the window.
    if (!source.isFile())
        return SplitOutcome::Error;

    qint32 bankSize = 0;
    if (qMulOverflow(qint32{job.DeviceCount}, job.DeviceSize, &bankSize))
        return SplitOutcome::Error;
    if (source.size() != bankSize)
        return SplitOutcome::SizeMismatch;

    const std::optional<QByteArray> image = readImage(sourcePath, bankSize);
    if (!image)
        return SplitOutcome::Error;

#ifdef Q_OS_WIN
    if (!isWindowsFileName(baseName))
        return SplitOutcome::Error;
#endif
    if (!piecesAreWritable(source, piecePaths))
        return SplitOutcome::Error;

    // The bank size was checked, so no offset can overflow.
    qint32 offset = 0;
    for (const QString &piecePath : std::as_const(piecePaths)) {
        if (!writePiece(piecePath, image->constData() + offset, job.DeviceSize))
            return SplitOutcome::Error;
        offset += job.DeviceSize;
    }
    // New names live in the folder, which has to reach the device as well.
    if (!flushFolder(QFileInfo(piecePaths.constFirst()).absolutePath()))
        return SplitOutcome::Error;

    job.FilesCreated = true;
    return SplitOutcome::Done;
}

} // namespace quorvane
