// The desktop's own file chooser on a real X server, answered with keys as a
// keyboard sends them: GTK's, as a GNOME user gets it from Qt's gtk3 theme, or
// the one the desktop portal shows.

#include "support/isolated_test_main.h"
#include "ui/qt_platform_edges.h"

#include <QApplication>
#include <QFileDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

using namespace quorvane;

class TestDesktopChooser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedNameIsChosen();
};

void TestDesktopChooser::typedNameIsChosen()
{
    QTemporaryDir folder;
    QFile image(folder.filePath(QStringLiteral("image.bin")));
    QVERIFY(image.open(QIODevice::WriteOnly));
    image.close();
    // Qt tells the portal's chooser no start folder for opening a file: the
    // whole path there. GTK's own starts in the folder, where the bare name
    // shows that it did.
    const bool throughPortal = qgetenv("QT_QPA_PLATFORMTHEME") == "xdgdesktopportal";
    const QString typed = throughPortal ? image.fileName() : QStringLiteral("image.bin");

    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QProcess keyboard;
    keyboard.setProcessChannelMode(QProcess::ForwardedChannels);
    keyboard.start(QStringLiteral("bash"),
                   {QStringLiteral("-euc"),
                    QStringLiteral("w=$(\"$0\" '^Select Master File$' 60); xdotool windowactivate --sync \"$w\"; "
                                   "xdotool key --delay 100 ctrl+l; xdotool type --delay 30 \"$1\"; "
                                   "sleep 0.5; xdotool key Return"),
                    QStringLiteral(QUORVANE_WAIT_FOR_WINDOW), typed});
    // Qt keeps its own dialog hidden while the desktop's shows.
    bool qtDialogShown = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&qtDialogShown] {
        for (const QWidget *widget : QApplication::topLevelWidgets())
            qtDialogShown |= qobject_cast<const QFileDialog *>(widget) && widget->isVisible()
                && !widget->testAttribute(Qt::WA_DontShowOnScreen);
    });
    watch.start(50);

    QtPlatformEdges edges;
    const std::optional<QString> chosen
        = edges.chooseSourceFile(&window,
                                 {QStringLiteral("Select Master File"), folder.path(),
                                  QStringLiteral("Binary Files (*.bin)"), QStringLiteral("bin")});
    watch.stop();

    QVERIFY(keyboard.state() == QProcess::NotRunning || keyboard.waitForFinished(30000));
    QCOMPARE(keyboard.exitCode(), 0);
    QVERIFY(!qtDialogShown);
    QVERIFY(chosen);
    QCOMPARE(*chosen, image.fileName());
}

QUORVANE_TEST_MAIN(TestDesktopChooser, QApplication)
#include "tst_desktop_chooser.moc"
