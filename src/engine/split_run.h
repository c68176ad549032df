#pragma once

#include "engine/split_job.h"

#include <QString>

namespace quorvane {

enum class SplitOutcome {
    SizeMismatch, // the image is not exactly as large as the bank; nothing written
    Done, // every piece written, on the device and closed; the job's FilesCreated is set
    Error, // something failed; pieces finished before the failure stay
};

// Where piece `number` (1-based) of a split goes: beside the source image.
QString pieceFilePath(const SplitJob &job, const QString &baseName, int number);

// Cuts the source image of `job` into DeviceCount consecutive pieces of
// DeviceSize bytes and writes piece i to pieceFilePath(job, baseName, i).
// The source image is never written to.
SplitOutcome runSplit(SplitJob &job, const QString &baseName);

} // namespace quorvane
