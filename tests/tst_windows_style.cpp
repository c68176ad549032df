// The style the window is drawn in on each Windows it runs on: Windows 11's
// own on Windows 11, the one Windows 10 has always had there. Wine is told
// which Windows to present (QUORVANE_WINDOWS_VERSION, see wine-run.in); the
// suite first checks that Qt sees that Windows, so that the style it finds is
// the one that Windows gets.

#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QOperatingSystemVersion>
#include <QStyle>

using namespace quorvane;
using namespace quorvane::test;

class TestWindowsStyle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowTakesTheStyleOfItsWindows();
};

void TestWindowsStyle::windowTakesTheStyleOfItsWindows()
{
    const QByteArray presented = qgetenv("QUORVANE_WINDOWS_VERSION");
    QVERIFY2(presented == "win10" || presented == "win11", "QUORVANE_WINDOWS_VERSION is not win10 or win11");
    const bool windows11 = presented == "win11";
    QCOMPARE(QOperatingSystemVersion::current() >= QOperatingSystemVersion::Windows11, windows11);

    ScriptedEdges edges;
    Form1 window(edges);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.style()->name(), windows11 ? QStringLiteral("windows11") : QStringLiteral("windowsvista"));
}

QUORVANE_TEST_MAIN(TestWindowsStyle, QApplication)
#include "tst_windows_style.moc"
