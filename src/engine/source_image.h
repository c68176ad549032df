#pragma once

#include "engine/split_run.h"

#include <QByteArray>
#include <QString>

#include <variant>

#ifdef Q_OS_WIN
#include <QFileInfo>
#else
#include <sys/types.h>
#endif

namespace quorvane {

// The image a split cuts up, read whole, and what none of its pieces may be.
struct SourceImage
{
    QByteArray bytes;
#ifdef Q_OS_WIN
    QFileInfo file; // pieces are told from it by name
#else
    dev_t device = 0; // the file that was read, whatever name led to it
    ino_t inode = 0;
#endif
};

// Reads the plain file at `path`, which has to hold exactly `size` bytes:
// the image, or how the split ends (SizeMismatch or Error) without it.
std::variant<SourceImage, SplitOutcome> readSourceImage(const QString &path, qint32 size);

} // namespace quorvane
