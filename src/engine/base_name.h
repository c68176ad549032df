#pragma once

#include <QString>

#include <optional>

namespace quorvane {

// The tool adds ".bin" and a numeric suffix itself, so a typed extension is
// dropped: everything from the last ".bin" (any letter case) on is cut.
QString cleanedBaseName(const QString &text);

// The base name offered for a freshly chosen source file: its name without the
// last four characters (the ".bin" of a filtered choice) followed by "_split".
// Nothing when the name is too short to lose four characters.
std::optional<QString> proposedBaseName(const QString &sourceFile);

} // namespace quorvane
