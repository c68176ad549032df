#pragma once

#include "engine/split_job.h"

#include <QString>

#include <optional>

namespace quorvane {

// Puts the remembered source folder (or the fallback folder when none is
// stored) into SourcePath and StartPath; returns what was stored, if anything,
// for keepDefaultPath() to put back.
std::optional<QString> loadDefaultPath(SplitJob &job);

// Leaves the store as the program's end would leave it now: SourcePath once a
// split succeeded during this run and the folder is not the one read at
// start; otherwise what was read at start (`readAtStart`, or nothing).
// Called whenever the outcome may have changed, so that an end that never
// reaches the window's unload (a lost display, SIGKILL) loses nothing.
void keepDefaultPath(const SplitJob &job, const std::optional<QString> &readAtStart);

} // namespace quorvane
