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

std::optional<QString> storedValue(const QSettings &settings)
{
    if (!settings.contains(defaultPathKey()))
        return std::nullopt;
    return settings.value(defaultPathKey()).toString();
}

} // namespace

void DefaultPath::load(SplitJob &job)
{
    m_readAtStart = storedValue(store());
    job.SourcePath = m_readAtStart.value_or(fallbackFolder());
    job.StartPath = job.SourcePath;
}

void DefaultPath::keep(const SplitJob &job)
{
    QSettings settings = store();
    const std::optional<QString> inStore = storedValue(settings);
    if (job.FilesCreated && job.SourcePath != job.StartPath) {
        if (inStore != job.SourcePath) {
            settings.setValue(defaultPathKey(), job.SourcePath);
            m_stored = job.SourcePath;
        } else if (m_stored != job.SourcePath) {
            // Another copy stored this folder: what this run may put back
            // later is only what it wrote itself, and that is gone.
            m_stored.reset();
        }
        return;
    }
    if (!m_stored)
        return;
    if (inStore == m_stored) {
        if (m_readAtStart)
            settings.setValue(defaultPathKey(), *m_readAtStart);
        else
            settings.remove(defaultPathKey());
    }
    m_stored.reset();
}

} // namespace quorvane
