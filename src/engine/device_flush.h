#pragma once

#include <QString>

namespace quorvane {

// Whether what was written through the open `descriptor` has reached its
// device, not only the system's cache: a card pulled or power lost afterwards
// keeps it. Some write errors (a full quota on a network folder, a stick
// pulled during the write) only show here.
bool flushToDevice(int descriptor);

#ifndef Q_OS_WIN
// Whether the names of the files made in `folder` have reached its device too:
// POSIX keeps them apart from the files' data (Windows does not). `piece` is
// one of those files, still open: a folder that cannot be opened is flushed
// through it.
bool flushFolder(const QString &folder, int piece);
#endif

} // namespace quorvane
