#pragma once

#include <QString>

namespace quorvane {

// Whether the file system would get `path` exactly as written. A NUL ends a
// native name early, and text the system's encoding cannot carry (a lone
// surrogate where names are UTF-8) comes out as another name: either way the
// file opened would not be the one named, and might be one that must not be
// written to. A user can paste either into a text box.
bool fileSystemTakesAsGiven(const QString &path);

} // namespace quorvane
