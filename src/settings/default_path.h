#pragma once

#include "engine/split_job.h"

namespace quorvane {

// Puts the remembered source folder (or the fallback folder when none is
// stored) into SourcePath and StartPath.
void loadDefaultPath(SplitJob &job);

// Remembers SourcePath for the next start, but only when a split succeeded
// during this run and the folder is not the one read at start.
void saveDefaultPath(const SplitJob &job);

} // namespace quorvane
