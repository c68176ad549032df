// libFuzzer target: one split per input, in a scratch folder the input lays
// out, held to what a split may do. Either it says "Error" or "File Size
// Error" and the tree is as it was, or it says done and the tree is as it
// was but for its pieces, each named SourcePath + base + "_" + i + ".bin" and
// holding what coreutils' split cuts from the image. The image and
// everything outside the scratch folder stay as they were either way. Any
// other outcome aborts with the difference on standard error, so that
// libFuzzer keeps the input.

#include "scratch_area.h"
#include "split_input.h"
#include "split_oracle.h"
#include "tree_snapshot.h"

#include "engine/split_job.h"
#include "engine/split_run.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace quorvane;
using namespace quorvane::fuzz;

namespace {

// Large enough for the largest bank (eight 27010s) and for the bank of ten
// that an invalid count may ask for.
constexpr qsizetype largestImage = 2 * 1024 * 1024;

// A new empty folder in `work`, for one of the harness's parts alone.
QByteArray madeFolder(const QTemporaryDir &work, const QString &name)
{
    if (!work.isValid() || !QDir(work.path()).mkdir(name))
        qFatal("cannot make the fuzzer's temporary folders");
    return QFile::encodeName(work.filePath(name));
}

struct Harness
{
    QTemporaryDir work;
    ScratchArea area{madeFolder(work, QStringLiteral("area"))};
    SplitOracle oracle{madeFolder(work, QStringLiteral("oracle"))};
    QByteArray pattern = test::patternImage(largestImage + 1);
};

Harness *harness = nullptr;

// The name as code units, readable whatever it holds; a long one cut short.
QByteArray spelled(const QString &text)
{
    constexpr qsizetype shown = 100;
    QByteArray out;
    for (const QChar c : text.left(shown)) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\')
            out += static_cast<char>(c.unicode());
        else
            out += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    }
    if (text.size() > shown)
        out += "... (" + QByteArray::number(text.size()) + " code units)";
    return out;
}

[[noreturn]] void violated(const SplitInput &input, SplitOutcome outcome, const QByteArray &what)
{
    const char *said = outcome == SplitOutcome::Done ? "done"
        : outcome == SplitOutcome::Error             ? "Error"
                                                     : "File Size Error";
    std::fprintf(stderr, "fuzz_split_run: %d x %d bytes, image %s, base name \"%s\": the split said %s, but %s\n",
                 input.deviceCount, input.deviceSize, input.sourceFile.toUtf8().constData(),
                 spelled(input.baseName).constData(), said, what.constData());
    std::abort();
}

// The image the run gets: as large as the bank, or one byte off, or a few
// bytes when the input's bank is no bank at all.
QByteArray imageFor(const SplitInput &input)
{
    const qint64 bank = qint64{input.deviceSize} * input.deviceCount;
    if (input.deviceSize <= 0 || input.deviceCount <= 0 || bank > largestImage)
        return harness->pattern.left(16);
    return harness->pattern.left(bank + input.imageDelta);
}

// Where piece `number` must be, spelled by the harness itself.
QString piecePath(const SplitJob &job, const QString &baseName, int number)
{
    return job.SourcePath + baseName + u'_' + QString::number(number) + QStringLiteral(".bin");
}

// The tree a finished run must leave: the one before, with each piece a file
// holding its cut of the image. Its permissions are the system's to choose.
TreeSnapshot treeAfterDone(const SplitInput &input, const SplitJob &job, const QByteArray &image,
                           const TreeSnapshot &before, const TreeSnapshot &after)
{
    const QList<QByteArray> &cut = harness->oracle.pieces(image, job.DeviceSize);
    if (cut.size() != job.DeviceCount)
        violated(input, SplitOutcome::Done, "split cuts the image into " + QByteArray::number(cut.size()) + " pieces");
    TreeSnapshot expected = before;
    for (int number = 1; number <= job.DeviceCount; ++number) {
        const QString name = piecePath(job, input.baseName, number);
        const QByteArray spelling = QFile::encodeName(name);
        const QByteArray which = "the name of piece " + QByteArray::number(number);
        if (spelling.contains('\0'))
            violated(input, SplitOutcome::Done, which + " holds NUL, which no file name can");
        if (QFile::decodeName(spelling) != name)
            violated(input, SplitOutcome::Done,
                     which + " does not survive the trip to the file system: it is \""
                         + spelled(QFile::decodeName(spelling).mid(job.SourcePath.size())) + "\" there");
        const QByteArray key = *harness->area.insideScratch(spelling);
        expected.insert(key, TreeNode{TreeNode::Type::File, after.value(key).permissions, cut.at(number - 1)});
    }
    return expected;
}

void compareTrees(const SplitInput &input, SplitOutcome outcome, const TreeSnapshot &expected,
                  const TreeSnapshot &after)
{
    if (expected == after)
        return;
    TreeSnapshot all = expected;
    all.insert(after);
    for (auto entry = all.cbegin(); entry != all.cend(); ++entry) {
        const TreeNode *wanted = nodeAt(expected, entry.key());
        const TreeNode *found = nodeAt(after, entry.key());
        if (wanted && found && *wanted == *found)
            continue;
        const QByteArray where = entry.key().startsWith("scratch/") ? "" : " (outside the scratch folder)";
        violated(input, outcome,
                 entry.key() + where + " should be " + describeNode(wanted) + ", and is " + describeNode(found)
                     + (wanted && found && wanted->type == found->type ? " (other contents or permissions)" : ""));
    }
}

void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // Qt warns of every name with NUL the engine asks about: that is what
    // the fuzzer feeds it.
    if (type == QtFatalMsg || type == QtCriticalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quiet);
    static Harness work;
    harness = &work;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const quint8 *data, size_t size)
{
    const SplitInput input = decodeSplitInput(data, size);
    SplitJob job;
    job.DeviceSize = input.deviceSize;
    job.DeviceCount = input.deviceCount;
    job.SourcePath = QFile::decodeName(harness->area.imageFolder());
    job.SourceFile = input.sourceFile;

    // A name that climbs out of the scratch folder by its spelling asks for
    // pieces out there: not the run's doing, and not run. The system reads a
    // name up to its first NUL, so that part must stay inside too.
    const QByteArray first = QFile::encodeName(piecePath(job, input.baseName, 1));
    const qsizetype nul = first.indexOf('\0');
    if (!harness->area.insideScratch(first) || (nul >= 0 && !harness->area.insideScratch(first.left(nul))))
        return -1;
    QList<QByteArray> pieces;
    for (int number = 1; number <= qBound(1, int{job.DeviceCount}, 12); ++number)
        pieces.append(QFile::encodeName(piecePath(job, input.baseName, number)));

    const QByteArray image = imageFor(input);
    harness->area.prepare(input, image, pieces);
    const TreeSnapshot before = snapshotTree(harness->area.root());
    const SplitOutcome outcome = runSplit(job, input.baseName);
    const TreeSnapshot after = snapshotTree(harness->area.root());

    const QByteArray source = *harness->area.insideScratch(harness->area.imageFolder() + input.sourceFile.toUtf8());
    if (after.value(source) != before.value(source))
        violated(input, outcome, "the image changed: it is " + describeNode(nodeAt(after, source)));
    if (job.FilesCreated != (outcome == SplitOutcome::Done))
        violated(input, outcome, job.FilesCreated ? "FilesCreated is set" : "FilesCreated is not set");
    compareTrees(input, outcome,
                 outcome == SplitOutcome::Done ? treeAfterDone(input, job, image, before, after) : before, after);
    return 0;
}
