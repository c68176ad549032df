#pragma once

#include "engine/split_job.h"

#include <QString>

#include <optional>

namespace quorvane {

// The remembered source folder: read once at load, and from then on kept in
// the store as the program's end would leave it at that moment, so that an
// end that never reaches the window's unload (a lost display, SIGKILL) loses
// nothing.
class DefaultPath
{
public:
    // Puts the remembered folder (or the fallback folder when none is
    // stored) into SourcePath and StartPath.
    void load(SplitJob &job);

    // Called whenever the outcome may have changed. Stores SourcePath once a
    // split succeeded during this run and the folder is not the one read at
    // start. When that stops being so, puts back what was read at start, but
    // only over what this run itself stored: a run that never split leaves
    // the store, and another copy's folder in it, alone.
    void keep(const SplitJob &job);

private:
    std::optional<QString> m_readAtStart;
    std::optional<QString> m_stored; // by this run, while the rule holds
};

} // namespace quorvane
