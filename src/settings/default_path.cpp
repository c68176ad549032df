#include "settings/default_path.h"

#include "engine/folder_path.h"

#include <QSettings>

namespace quorvane {

namespace {

QSettings store()
{
    return {QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvane"), QStringLiteral("Quorvane")};
}

QString defaultPathKey()
{
    return QStringLiteral("Settings/Default Path");
}

} // namespace

void loadDefaultPath(SplitJob &job)
{
    job.SourcePath = store().value(defaultPathKey(), fallbackFolder()).toString();
    job.StartPath = job.SourcePath;
}

void saveDefaultPath(const SplitJob &job)
{
    if (job.FilesCreated && job.SourcePath != job.StartPath)
        store().setValue(defaultPathKey(), job.SourcePath);
}

} // namespace quorvane
