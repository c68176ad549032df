#include "engine/split_run.h"

#include "engine/native_path.h"
#include "engine/piece_files.h"
#include "engine/source_image.h"

#include <QStringList>
#include <QtNumeric>

#include <algorithm>
#include <variant>

namespace quorvane {

namespace {

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
    qint32 bankSize = 0;
    if (qMulOverflow(qint32{job.DeviceCount}, job.DeviceSize, &bankSize))
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

    const std::variant<SourceImage, SplitOutcome> read = readSourceImage(sourcePath, bankSize);
    if (const auto *ended = std::get_if<SplitOutcome>(&read))
        return *ended;
    const auto &source = std::get<SourceImage>(read);

#ifdef Q_OS_WIN
    if (!isWindowsFileName(baseName))
        return SplitOutcome::Error;
#endif
    PieceFiles pieces;
    if (!pieces.open(piecePaths, source))
        return SplitOutcome::Error;
    // The bank size was checked, so no offset can overflow.
    for (qsizetype index = 0; index < piecePaths.size(); ++index) {
        if (!pieces.write(index, source.bytes.constData() + index * job.DeviceSize, job.DeviceSize))
            return SplitOutcome::Error;
    }
    if (!pieces.finish())
        return SplitOutcome::Error;

    job.FilesCreated = true;
    return SplitOutcome::Done;
}

} // namespace quorvane
