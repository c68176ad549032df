// The split of the largest bank (1 MiB into eight 27010 pieces) set against
// the least work that writes the same pieces to the device: one read of the
// image, one open, write, fsync and close per piece, and one fsync of the
// folder, through POSIX calls.

#include "engine/split_job.h"
#include "engine/split_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <fcntl.h>
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

bool posixSplit(const std::string &folder, const std::string &source, const std::vector<std::string> &pieces,
                size_t pieceSize)
{
    std::vector<char> image(pieceSize * pieces.size());
    const int in = open(source.c_str(), O_RDONLY);
    if (in < 0)
        return false;
    const bool read = ::read(in, image.data(), image.size()) == static_cast<ssize_t>(image.size());
    close(in);
    if (!read)
        return false;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const int out = open(pieces[i].c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (out < 0)
            return false;
        const bool written
            = write(out, image.data() + i * pieceSize, pieceSize) == static_cast<ssize_t>(pieceSize) && fsync(out) == 0;
        if (close(out) != 0 || !written)
            return false;
    }
    const int names = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (names < 0)
        return false;
    const bool flushed = fsync(names) == 0;
    return close(names) == 0 && flushed;
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
