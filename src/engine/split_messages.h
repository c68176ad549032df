#pragma once

#include "engine/message.h"
#include "engine/split_job.h"

namespace quorvane {

// The image is not exactly as large as the chosen bank.
Message sizeMismatchMessage(const SplitJob &job);

// All pieces are written; asks whether to open the folder that holds them.
Message splitDoneMessage(const QString &baseName, qint16 deviceCount);

// Anything went wrong; the tool does not say what.
Message errorMessage();

} // namespace quorvane
