#include "ui/qt_start_for_desktop.h"

#include <QLibraryInfo>
#include <QStandardPaths>

namespace quorvane {

namespace {

bool onDesktop(const QProcessEnvironment &environment, QStringView name)
{
    const QStringList desktops = environment.value(QStringLiteral("XDG_CURRENT_DESKTOP")).split(u':');
    return desktops.contains(name, Qt::CaseInsensitive);
}

} // namespace

QList<EnvironmentSetting> qtStartSettingsFor(const QProcessEnvironment &environment, const QVersionNumber &qtVersion,
                                             bool kdePortalInstalled)
{
    QList<EnvironmentSetting> settings;
    // Before 6.8, Qt draws its own title bar on GNOME's Wayland, with a
    // maximise button on this fixed window, and places its dialogs where
    // GNOME would not. Through XWayland GNOME frames and places them itself.
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")) && onDesktop(environment, u"GNOME")
        && environment.contains(QStringLiteral("WAYLAND_DISPLAY")) && environment.contains(QStringLiteral("DISPLAY"))
        && qtVersion < QVersionNumber(6, 8)) {
        settings.append(EnvironmentSetting{"QT_QPA_PLATFORM", "xcb"});
    }
    // Qt 6 has no KDE theme of its own before Plasma 6, so Plasma 5 would get
    // Qt's generic dialog; its portal shows KDE's. Only where the portal is
    // installed: without one Qt's portal theme would close every dialog at
    // once.
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORMTHEME")) && onDesktop(environment, u"KDE")
        && environment.value(QStringLiteral("KDE_SESSION_VERSION")) == u"5" && kdePortalInstalled) {
        settings.append(EnvironmentSetting{"QT_QPA_PLATFORMTHEME", "xdgdesktopportal"});
    }
    return settings;
}

QList<EnvironmentSetting> qtStartSettingsForThisDesktop()
{
    const bool kdePortal = !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                   QStringLiteral("xdg-desktop-portal/portals/kde.portal"))
                                .isEmpty();
    return qtStartSettingsFor(QProcessEnvironment::systemEnvironment(), QLibraryInfo::version(), kdePortal);
}

} // namespace quorvane
