// The split of the largest bank (1 MiB into eight 27010 pieces) set against
// the least work, through POSIX calls, that writes the same pieces to the
// device with the same safety: the image opened, checked to be a plain file
// of the bank's size and read to its end; each piece opened without following
// a link or emptying it (made only where missing) and checked on the file
// opened (a plain file with one name, neither the image nor another piece)
// before any is written; then each written, cut to its size where it was
// longer and flushed; the folder flushed, and the pieces closed. Taking away
// what a refused split made costs nothing on the way measured, and is left
// out.

#include "engine/split_job.h"
#include "engine/split_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace quorvane;

constexpr int largestType = 6; // 27010, 131072 bytes
constexpr int largestCount = 6; // 8 devices

struct LargestBank
{
    QTemporaryDir folder;
    SplitJob job;
    QString baseName = QStringLiteral("piece");

    LargestBank()
    {
        chooseDeviceType(job, largestType);
        chooseDeviceCount(job, largestCount);
        job.SourcePath = folder.path() + QDir::separator();
        job.SourceFile = QStringLiteral("image.bin");
        QFile image(job.SourcePath + job.SourceFile);
        const QByteArray bytes(bankSize(), '\x5a');
        if (!image.open(QIODevice::WriteOnly) || image.write(bytes) != bytes.size())
            qFatal("cannot write the benchmark image");
    }

    qint32 bankSize() const { return job.DeviceSize * job.DeviceCount; }
};

void engineSplit(benchmark::State &state)
{
    LargestBank bank;
    for (auto _ : state) {
        if (runSplit(bank.job, bank.baseName) != SplitOutcome::Done) {
            state.SkipWithError("the split failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bank.bankSize());
}

bool sameFile(const struct stat &one, const struct stat &other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

bool readImage(const std::string &source, char *image, size_t imageSize, struct stat &status)
{
    const int in = open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0)
        return false;
    char beyondEnd = 0;
    const auto size = static_cast<ssize_t>(imageSize);
    const bool read = fstat(in, &status) == 0 && S_ISREG(status.st_mode) && status.st_size == size
        && ::read(in, image, imageSize) == size && ::read(in, &beyondEnd, 1) == 0;
    return close(in) == 0 && read;
}

struct Piece
{
    int descriptor = -1;
    struct stat status = {}; // of a piece that was there before; zero for one made
};

bool openPieces(const std::vector<std::string> &names, const struct stat &source, std::vector<Piece> &pieces)
{
    constexpr int access = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    for (const std::string &name : names) {
        Piece &piece = pieces.emplace_back();
        piece.descriptor = open(name.c_str(), access);
        if (piece.descriptor < 0 && errno == ENOENT) {
            piece.descriptor = open(name.c_str(), access | O_CREAT | O_EXCL, 0666);
            if (piece.descriptor < 0)
                return false;
            continue;
        }
        if (piece.descriptor < 0 || fstat(piece.descriptor, &piece.status) != 0 || !S_ISREG(piece.status.st_mode)
            || piece.status.st_nlink != 1 || sameFile(piece.status, source))
            return false;
        for (size_t other = 0; other + 1 < pieces.size(); ++other) {
            if (pieces[other].status.st_nlink != 0 && sameFile(pieces[other].status, piece.status))
                return false;
        }
    }
    return true;
}

bool writePieces(const std::vector<Piece> &pieces, const char *image, size_t pieceSize)
{
    const auto size = static_cast<ssize_t>(pieceSize);
    for (size_t i = 0; i < pieces.size(); ++i) {
        const int out = pieces[i].descriptor;
        if (write(out, image + i * pieceSize, pieceSize) != size
            || (pieces[i].status.st_size > size && ftruncate(out, size) != 0) || fsync(out) != 0)
            return false;
    }
    return true;
}

bool posixSplit(const std::string &folder, const std::string &source, const std::vector<std::string> &names,
                size_t pieceSize)
{
    // Not filled before it is read into, as the engine's is not.
    const size_t imageSize = pieceSize * names.size();
    const std::unique_ptr<char[]> image = std::make_unique_for_overwrite<char[]>(imageSize);
    struct stat sourceStatus = {};
    if (!readImage(source, image.get(), imageSize, sourceStatus))
        return false;
    std::vector<Piece> pieces;
    pieces.reserve(names.size());
    bool done = openPieces(names, sourceStatus, pieces) && writePieces(pieces, image.get(), pieceSize);
    if (done) {
        const int entries = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        done = entries >= 0 && fsync(entries) == 0;
        done = (entries < 0 || close(entries) == 0) && done;
    }
    for (const Piece &piece : pieces) {
        if (piece.descriptor >= 0)
            done = close(piece.descriptor) == 0 && done;
    }
    return done;
}

void posixBaseline(benchmark::State &state)
{
    LargestBank bank;
    const std::string folder = QFile::encodeName(bank.job.SourcePath).toStdString();
    const std::string source = QFile::encodeName(bank.job.SourcePath + bank.job.SourceFile).toStdString();
    std::vector<std::string> pieces;
    for (int number = 1; number <= bank.job.DeviceCount; ++number)
        pieces.push_back(QFile::encodeName(pieceFilePath(bank.job, bank.baseName, number)).toStdString());

    for (auto _ : state) {
        if (!posixSplit(folder, source, pieces, static_cast<size_t>(bank.job.DeviceSize))) {
            state.SkipWithError("the baseline failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bank.bankSize());
}

} // namespace

BENCHMARK(engineSplit)->Unit(benchmark::kMicrosecond);
BENCHMARK(posixBaseline)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
