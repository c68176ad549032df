#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QVersionNumber>

namespace quorvane {

struct EnvironmentSetting
{
    QByteArray name;
    QByteArray value;
    friend bool operator==(const EnvironmentSetting &, const EnvironmentSetting &) = default;
};

// What Qt is told before it starts, so that the window and its file chooser
// are the desktop's own where Qt's defaults fall short. Empty where they do
// not, and wherever the user has chosen Qt's platform or theme already.
// `kdePortalInstalled`: KDE's desktop portal is there to show KDE's chooser.
QList<EnvironmentSetting> qtStartSettingsFor(const QProcessEnvironment &environment, const QVersionNumber &qtVersion,
                                             bool kdePortalInstalled);

// The same, for this process on this machine.
QList<EnvironmentSetting> qtStartSettingsForThisDesktop();

} // namespace quorvane
