#pragma once

#include <QString>

namespace quorvane {

// Where the tool looks when no usable source folder is known: the user's home
// folder (the root of drive C on Windows), ending in the native separator like
// every folder the tool holds.
QString fallbackFolder();

// The folder part of a native file path, up to and including its last
// separator; empty when the path has no separator.
QString folderOfFile(const QString &nativeFilePath);

} // namespace quorvane
