#include "scratch_area.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::fuzz {

namespace {

[[noreturn]] void cannotPrepare(const char *what, const QByteArray &path)
{
    std::fprintf(stderr, "fuzz_split_run: cannot %s %s\n", what, path.constData());
    std::abort();
}

// The harness's own files must be made; those at the pieces' names may be
// refused by the system, which the run then meets as it is. A FIFO made at
// the same name before has no reader: it refuses rather than blocks.
bool writeWhole(const QByteArray &path, const QByteArray &contents)
{
    const int handle
        = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (handle < 0)
        return false;
    const bool written = ::write(handle, contents.constData(), contents.size()) == contents.size();
    return ::close(handle) == 0 && written;
}

void makeFolder(const QByteArray &path)
{
    if (::mkdir(path.constData(), 0755) != 0)
        cannotPrepare("make", path);
}

QByteArray folderOf(const QByteArray &path)
{
    return path.left(path.lastIndexOf('/'));
}

} // namespace

ScratchArea::ScratchArea(const QByteArray &root)
{
    char *resolved = ::realpath(root.constData(), nullptr);
    if (!resolved)
        cannotPrepare("resolve", root);
    m_root = resolved;
    std::free(resolved);
}

std::optional<QByteArray> ScratchArea::insideScratch(const QByteArray &path) const
{
    if (!path.startsWith(m_root + '/'))
        return std::nullopt;
    QList<QByteArray> parts;
    for (const QByteArray &part : path.mid(m_root.size() + 1).split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part != "..")
            parts.append(part);
        else if (parts.isEmpty())
            return std::nullopt;
        else
            parts.removeLast();
    }
    if (parts.size() < 2 || parts.constFirst() != "scratch")
        return std::nullopt;
    return parts.join('/');
}

void ScratchArea::prepare(const SplitInput &input, const QByteArray &image, const QList<QByteArray> &pieces) const
{
    for (const char *top : {"/scratch", "/outside"}) {
        std::error_code error;
        std::filesystem::remove_all(std::filesystem::path((m_root + top).toStdString()), error);
        if (error)
            cannotPrepare("empty", m_root + top);
    }
    for (const char *folder : {"/scratch", "/scratch/a", "/scratch/a/b", "/scratch/keep", "/outside"})
        makeFolder(m_root + folder);
    const QByteArray sentinel = "written by nobody but the harness";
    if (!writeWhole(m_root + "/outside/target", sentinel) || !writeWhole(m_root + "/scratch/keep/other", sentinel))
        cannotPrepare("write the sentinels in", m_root);
    if (!writeWhole(imageFolder() + input.sourceFile.toUtf8(), image))
        cannotPrepare("write the image in", imageFolder());
    if (input.makePieceFolder && !pieces.constFirst().contains('\0'))
        makeFoldersUpTo(folderOf(pieces.constFirst()));
    // An entry the system refuses to make is left out: the run meets the
    // name as the system has it.
    for (const Entry &entry : input.entries)
        static_cast<void>(makeEntry(entry, input, pieces));
}

// Each folder on the way that is inside the scratch folder by its spelling;
// one that exists already is kept.
void ScratchArea::makeFoldersUpTo(const QByteArray &path) const
{
    for (qsizetype slash = imageFolder().size() - 1; slash >= 0; slash = path.indexOf('/', slash + 1)) {
        const QByteArray folder = path.left(slash);
        if (insideScratch(folder))
            ::mkdir(folder.constData(), 0755);
    }
    if (insideScratch(path))
        ::mkdir(path.constData(), 0755);
}

bool ScratchArea::makeEntry(const Entry &entry, const SplitInput &input, const QList<QByteArray> &pieces) const
{
    const QByteArray &at = pieces.at((entry.piece - 1) % pieces.size());
    const QByteArray &other = pieces.at(entry.arg % pieces.size());
    const QByteArray sourceName = input.sourceFile.toUtf8();
    const QByteArray source = imageFolder() + sourceName;
    const QByteArray outside = m_root + "/outside";
    const qsizetype chip = qBound(0, input.deviceSize, 1 << 17);
    if (at.contains('\0') || other.contains('\0'))
        return false;
    switch (entry.kind) {
    case EntryKind::PlainFile:
        return writeWhole(at, QByteArray(entry.arg & 1 ? chip : 5, static_cast<char>(entry.arg)));
    case EntryKind::LinkToSource:
        return ::symlink(entry.arg & 1 ? source.constData() : sourceName.constData(), at.constData()) == 0;
    case EntryKind::LinkToPiece:
        return ::symlink(other.constData(), at.constData()) == 0;
    case EntryKind::LinkOutside:
        return ::symlink((outside + "/target").constData(), at.constData()) == 0;
    case EntryKind::DanglingLink:
        return ::symlink((outside + "/missing").constData(), at.constData()) == 0;
    case EntryKind::LinkToOutsideFolder:
        return ::symlink(outside.constData(), at.constData()) == 0;
    case EntryKind::HardLinkToSource:
        return ::link(source.constData(), at.constData()) == 0;
    case EntryKind::HardLinkToPiece:
        if (::access(other.constData(), F_OK) != 0
            && !writeWhole(other, QByteArray(chip, static_cast<char>(entry.arg))))
            return false;
        return ::link(other.constData(), at.constData()) == 0;
    case EntryKind::HardLinkOutside:
        return ::link((outside + "/target").constData(), at.constData()) == 0;
    case EntryKind::HardLinkElsewhere:
        return ::link((m_root + "/scratch/keep/other").constData(), at.constData()) == 0;
    case EntryKind::Folder:
        return ::mkdir(at.constData(), 0755) == 0;
    case EntryKind::Fifo:
        return ::mkfifo(at.constData(), 0644) == 0;
    }
    return false;
}

} // namespace quorvane::fuzz
