#pragma once

#include <QString>

namespace quorvane {

// Opens `folder` in the desktop's file browser. False when the launcher could
// not be started or reported that it found no way to open the folder.
bool launchFileBrowser(const QString &folder);

} // namespace quorvane
