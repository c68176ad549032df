#pragma once

#include <QSettings>

namespace quorvane::test {

// The store the tool keeps its remembered folder in, as the tests look at it.
inline QSettings settingsStore()
{
    return QSettings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
}

inline QString defaultPathKey()
{
    return QStringLiteral("Settings/Default Path");
}

} // namespace quorvane::test
