#include "engine/piece_files.h"

#include "engine/device_flush.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_WIN
#include <QList>

#include <filesystem>
#include <system_error>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvane {

#ifdef Q_OS_WIN

namespace {

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

// Checked by name before anything is written. A piece that is the source
// (under another name, through a link or a relative base name) would destroy
// the only copy of the image; two pieces that are one file (hard links,
// common in folders deduplicated by a tool) would leave one piece where two
// were reported; a piece name that is a symbolic link would write wherever it
// points; something that is not a plain file (a folder) cannot hold a piece.
// Windows' C runtime counts one link for every file, whatever it has, so
// every pair of the same size is compared.
bool piecesAreWritable(const QFileInfo &source, const QStringList &piecePaths)
{
    QList<QFileInfo> earlier;
    for (const QString &piece : piecePaths) {
        const QFileInfo info(piece);
        if (info.isSymbolicLink())
            return false;
        if (info.isFile()) {
            if (info.size() == source.size() && mayBeOneFile(info, source))
                return false;
            for (const QFileInfo &other : std::as_const(earlier)) {
                if (info.size() == other.size() && mayBeOneFile(info, other))
                    return false;
            }
            earlier.append(info);
        } else if (info.exists()) {
            return false;
        }
    }
    return true;
}

} // namespace

PieceFiles::~PieceFiles() = default;

bool PieceFiles::open(const QStringList &paths, const SourceImage &source)
{
    // Each piece is opened, emptied, only when it is written.
    m_paths = paths;
    return piecesAreWritable(source.file, paths);
}

bool PieceFiles::write(qsizetype index, const char *data, qint32 size)
{
    const QString &path = m_paths.at(index);
    QFile piece(path);
    if (!piece.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    const bool written = piece.write(data, size) == size && piece.flush() && flushToDevice(piece.handle());
    piece.close();
    if (written && piece.error() == QFileDevice::NoError)
        return true;
    QFile::remove(path);
    return false;
}

bool PieceFiles::finish()
{
    // Every piece was closed once it was on the device; a folder's names
    // need no flush of their own.
    return true;
}

#else

namespace {

// Opened without being emptied, and without following a symbolic link in the
// piece's place, which would write wherever it points, even outside the
// folder. Not blocking: a FIFO there is refused rather than waited on.
constexpr int pieceAccess = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

bool writeAll(int descriptor, const char *data, qint32 size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<qint32>(written);
    }
    return true;
}

} // namespace

PieceFiles::~PieceFiles()
{
    for (const Piece &piece : m_pieces) {
        if (piece.descriptor >= 0)
            ::close(piece.descriptor);
    }
}

bool PieceFiles::open(const QStringList &paths, const SourceImage &source)
{
    m_folder = QFileInfo(paths.constFirst()).absolutePath();
    m_pieces.reserve(static_cast<size_t>(paths.size()));
    for (const QString &path : paths) {
        m_pieces.push_back({QFile::encodeName(path)});
        if (!openPiece(m_pieces.back(), source)) {
            abandon(-1);
            return false;
        }
    }
    return true;
}

// Checked on the file opened, so that nothing can take its place between
// check and write. A piece that is the source (under another name, through a
// relative base name or a hard link) would destroy the only copy of the
// image; a piece with another name (a hard link, common in folders
// deduplicated by a tool) would change the file behind that name too, or
// leave one piece where two were reported; something that is not a plain file
// (a folder, a FIFO, a device) cannot hold a piece.
bool PieceFiles::openPiece(Piece &piece, const SourceImage &source) const
{
    piece.descriptor = ::open(piece.name.constData(), pieceAccess);
    if (piece.descriptor < 0 && errno == ENOENT) {
        // A file made here is new, plain and has no other name: nothing to
        // check, but it goes again if the split is refused.
        piece.descriptor = ::open(piece.name.constData(), pieceAccess | O_CREAT | O_EXCL, 0666);
        piece.created = piece.descriptor >= 0;
        return piece.created;
    }
    struct stat status = {};
    if (piece.descriptor < 0 || ::fstat(piece.descriptor, &status) != 0)
        return false;
    piece.sizeBefore = status.st_size;
    piece.device = status.st_dev;
    piece.inode = status.st_ino;
    const auto isThisFile = [&piece](dev_t device, ino_t inode) {
        return device == piece.device && inode == piece.inode;
    };
    if (!S_ISREG(status.st_mode) || status.st_nlink != 1 || isThisFile(source.device, source.inode))
        return false;
    // One file can still stand under two names without a second link, where
    // a file is mounted over another.
    return std::none_of(m_pieces.cbegin(), m_pieces.cend() - 1, [&isThisFile](const Piece &other) {
        return !other.created && isThisFile(other.device, other.inode);
    });
}

bool PieceFiles::write(qsizetype index, const char *data, qint32 size)
{
    const Piece &piece = m_pieces.at(static_cast<size_t>(index));
    // Cut to the piece's size, so no tail of an older, longer piece survives.
    if (writeAll(piece.descriptor, data, size) && (piece.sizeBefore <= size || ::ftruncate(piece.descriptor, size) == 0)
        && flushToDevice(piece.descriptor))
        return true;
    abandon(index);
    return false;
}

bool PieceFiles::finish()
{
    // The pieces stay open until here: a folder that cannot be opened is
    // flushed through one of them.
    const bool flushed = flushFolder(m_folder, m_pieces.front().descriptor);
    bool closed = true;
    for (Piece &piece : m_pieces) {
        closed = ::close(piece.descriptor) == 0 && closed;
        piece.descriptor = -1;
    }
    return flushed && closed;
}

// Closes every piece and takes away what a finished split would not have
// left: the piece that failed, incomplete and not to pass for a good one, and
// every later one that this split made. Earlier pieces are finished and stay;
// later ones that were there before were never touched.
void PieceFiles::abandon(qsizetype failed)
{
    for (size_t index = 0; index < m_pieces.size(); ++index) {
        Piece &piece = m_pieces[index];
        if (piece.descriptor >= 0)
            ::close(piece.descriptor);
        piece.descriptor = -1;
        const auto at = static_cast<qsizetype>(index);
        if (at == failed || (at > failed && piece.created))
            ::unlink(piece.name.constData());
    }
}

#endif

} // namespace quorvane
