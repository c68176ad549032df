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

std::optional<QString> loadDefaultPath(SplitJob &job)
{
    const QSettings settings = store();
    std::optional<QString> stored;
    if (settings.contains(defaultPathKey()))
        stored = settings.value(defaultPathKey()).toString();
    job.SourcePath = stored.value_or(fallbackFolder());
    job.StartPath = job.SourcePath;
    return stored;
}

void keepDefaultPath(const SplitJob &job, const std::optional<QString> &readAtStart)
{
    const bool remember = job.FilesCreated && job.SourcePath != job.StartPath;
    const std::optional<QString> wanted = remember ? std::optional(job.SourcePath) : readAtStart;
    QSettings settings = store();
    // Writing only what differs keeps a run that never splits from ever
    // touching the store.
    if (!wanted) {
        if (settings.contains(defaultPathKey()))
            settings.remove(defaultPathKey());
    } else if (!settings.contains(defaultPathKey()) || settings.value(defaultPathKey()).toString() != *wanted) {
        settings.setValue(defaultPathKey(), *wanted);
    }
}

} // namespace quorvane
