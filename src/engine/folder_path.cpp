#include "engine/folder_path.h"

#include <QDir>

namespace quorvane {

QString fallbackFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    QString home = QDir::toNativeSeparators(QDir::homePath());
    if (!home.endsWith(QDir::separator()))
        home += QDir::separator();
    return home;
#endif
}

QString folderOfFile(const QString &nativeFilePath)
{
    return nativeFilePath.left(nativeFilePath.lastIndexOf(QDir::separator()) + 1);
}

} // namespace quorvane
