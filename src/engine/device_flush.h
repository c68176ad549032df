#pragma once

#include <QString>

class QFileDevice;

namespace quorvane {

// Whether what was written to the open `file` has reached its device, not
// only the system's cache: a card pulled or power lost afterwards keeps it.
// Some write errors (a full quota on a network folder, a stick pulled during
// the write) only show here.
bool flushToDevice(QFileDevice &file);

// Whether the names of the files made in `folder` have reached its device too
// (POSIX keeps them apart from the files' data; Windows has nothing to do).
bool flushFolder(const QString &folder);

} // namespace quorvane
