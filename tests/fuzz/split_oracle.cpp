#include "split_oracle.h"

#include "tree_snapshot.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvane::fuzz {

namespace {

[[noreturn]] void oracleFailed(const char *what, const QByteArray &detail)
{
    std::fprintf(stderr, "fuzz_split_run: the oracle, coreutils' split, %s: %s\n", what, detail.constData());
    std::abort();
}

// Whether the program ran and ended with status 0; its output goes to the
// fuzzer's own.
bool runs(std::vector<QByteArray> arguments)
{
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv.front(), nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    // libFuzzer's timeout alarm interrupts the wait; a split still running is
    // no failure of split.
    int status = 0;
    pid_t waited = -1;
    do {
        waited = ::waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    return waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void writeWhole(const QByteArray &path, const QByteArray &contents)
{
    const int handle = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written = handle >= 0 && ::write(handle, contents.constData(), contents.size()) == contents.size();
    if (handle >= 0)
        ::close(handle);
    if (!written)
        oracleFailed("cannot be given its image", path);
}

QList<QByteArray> namesIn(const QByteArray &folder)
{
    const std::unique_ptr<DIR, int (*)(DIR *)> listing(::opendir(folder.constData()), ::closedir);
    if (!listing)
        oracleFailed("has lost its folder", folder);
    QList<QByteArray> names;
    while (const dirent *entry = ::readdir(listing.get())) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

SplitOracle::SplitOracle(QByteArray folder)
    : m_folder(std::move(folder))
{
    if (!runs({"split", "--version"}))
        oracleFailed("cannot be run", "is coreutils installed and split on PATH?");
}

const QList<QByteArray> &SplitOracle::pieces(const QByteArray &image, qint32 pieceSize)
{
    const QPair<qint32, QByteArray> key(pieceSize, image);
    const auto known = m_cut.constFind(key);
    if (known != m_cut.constEnd())
        return *known;
    return *m_cut.insert(key, cut(image, pieceSize));
}

QList<QByteArray> SplitOracle::cut(const QByteArray &image, qint32 pieceSize) const
{
    const QByteArray source = m_folder + "/image";
    writeWhole(source, image);
    // Numbered suffixes of four digits sort in the order of the pieces.
    if (!runs({"split", "-b", QByteArray::number(pieceSize), "-d", "-a", "4", "--", source, m_folder + "/piece_"}))
        oracleFailed("failed", "split -b " + QByteArray::number(pieceSize));
    ::unlink(source.constData());
    QList<QByteArray> pieces;
    for (const QByteArray &name : namesIn(m_folder)) {
        const QByteArray path = m_folder + '/' + name;
        pieces.append(fileContents(path));
        ::unlink(path.constData());
    }
    return pieces;
}

} // namespace quorvane::fuzz
