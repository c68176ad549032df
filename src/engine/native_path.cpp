#include "engine/native_path.h"

#include <QFile>

namespace quorvane {

bool fileSystemTakesAsGiven(const QString &path)
{
    if (path.contains(QChar(u'\0')))
        return false;
#ifdef Q_OS_WIN
    // Names go to Windows as UTF-16, unconverted.
    return true;
#else
    return QFile::decodeName(QFile::encodeName(path)) == path;
#endif
}

} // namespace quorvane
