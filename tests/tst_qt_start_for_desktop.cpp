// What Qt is told before it starts, desktop by desktop.

#include "support/isolated_test_main.h"
#include "ui/qt_start_for_desktop.h"

using namespace quorvane;

class TestQtStartForDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsFollowTheDesktop_data();
    void settingsFollowTheDesktop();
};

void TestQtStartForDesktop::settingsFollowTheDesktop_data()
{
    QTest::addColumn<QStringList>("environment"); // NAME=value
    QTest::addColumn<QString>("qtVersion");
    QTest::addColumn<bool>("kdePortal");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("theme");

    const QStringList gnomeWayland{"XDG_CURRENT_DESKTOP=GNOME", "WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"};
    QTest::newRow("GNOME on Wayland, Qt 6.4: XWayland") << gnomeWayland << "6.4.2" << false << "xcb"
                                                        << "";
    QTest::newRow("GNOME on Wayland, Qt 6.8: Qt's Adwaita frame") << gnomeWayland << "6.8.2" << false << ""
                                                                  << "";
    QTest::newRow("Ubuntu's GNOME") << QStringList{"XDG_CURRENT_DESKTOP=ubuntu:GNOME", "WAYLAND_DISPLAY=w",
                                                   "DISPLAY=:1"}
                                    << "6.4.2" << false << "xcb"
                                    << "";
    QTest::newRow("GNOME on Wayland without XWayland")
        << QStringList{"XDG_CURRENT_DESKTOP=GNOME", "WAYLAND_DISPLAY=wayland-0"} << "6.4.2" << false << ""
        << "";
    QTest::newRow("GNOME on X11") << QStringList{"XDG_CURRENT_DESKTOP=GNOME", "DISPLAY=:0"} << "6.4.2" << false << ""
                                  << "";
    QTest::newRow("GNOME, the user's own platform")
        << gnomeWayland + QStringList{"QT_QPA_PLATFORM=wayland"} << "6.4.2" << false << ""
        << "";
    QTest::newRow("a desktop named like GNOME")
        << QStringList{"XDG_CURRENT_DESKTOP=GNOME-Flashback-Like", "WAYLAND_DISPLAY=w", "DISPLAY=:0"} << "6.4.2"
        << false << ""
        << "";

    const QStringList plasma5{"XDG_CURRENT_DESKTOP=KDE", "KDE_SESSION_VERSION=5", "DISPLAY=:0"};
    QTest::newRow("Plasma 5 with its portal") << plasma5 << "6.4.2" << true << ""
                                              << "xdgdesktopportal";
    QTest::newRow("Plasma 5 without its portal") << plasma5 << "6.4.2" << false << ""
                                                 << "";
    QTest::newRow("Plasma 5, the user's own theme")
        << plasma5 + QStringList{"QT_QPA_PLATFORMTHEME=kde"} << "6.4.2" << true << ""
        << "";
    QTest::newRow("Plasma 6: KDE's own theme")
        << QStringList{"XDG_CURRENT_DESKTOP=KDE", "KDE_SESSION_VERSION=6"} << "6.8.2" << true << ""
        << "";
    QTest::newRow("sway") << QStringList{"XDG_CURRENT_DESKTOP=sway", "WAYLAND_DISPLAY=wayland-1"} << "6.4.2" << true
                          << ""
                          << "";
}

void TestQtStartForDesktop::settingsFollowTheDesktop()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, qtVersion);
    QFETCH(bool, kdePortal);
    QFETCH(QString, platform);
    QFETCH(QString, theme);
    QProcessEnvironment given;
    for (const QString &entry : environment)
        given.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));

    QList<EnvironmentSetting> expected;
    if (!platform.isEmpty())
        expected.append(EnvironmentSetting{"QT_QPA_PLATFORM", platform.toLatin1()});
    if (!theme.isEmpty())
        expected.append(EnvironmentSetting{"QT_QPA_PLATFORMTHEME", theme.toLatin1()});
    QCOMPARE(qtStartSettingsFor(given, QVersionNumber::fromString(qtVersion), kdePortal), expected);
}

QUORVANE_TEST_MAIN(TestQtStartForDesktop, QCoreApplication)
#include "tst_qt_start_for_desktop.moc"
