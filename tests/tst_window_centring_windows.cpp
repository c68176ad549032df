// Where the window opens on Windows (Wine on Xvfb, under openbox): Windows
// draws the frame, so its frame is measured by Windows itself and compared
// with the work area, the screen less its task bars.

#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"

#include <QApplication>

#include <windows.h>

using namespace quorvane;
using namespace quorvane::test;

class TestWindowCentringWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frameIsCentredOnTheWorkArea();
};

void TestWindowCentringWindows::frameIsCentredOnTheWorkArea()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows"));
    ScriptedEdges edges;
    Form1 window(edges);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto handle = reinterpret_cast<HWND>(window.winId());

    RECT frame{};
    RECT client{};
    RECT area{};
    QVERIFY(GetWindowRect(handle, &frame));
    QVERIFY(GetClientRect(handle, &client));
    QVERIFY(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    QVERIFY2(frame.bottom - frame.top > client.bottom + 10, "Windows draws a title bar");

    // Centres compared in half pixels: within 2 pixels either way.
    const long offX = (frame.left + frame.right) - (area.left + area.right);
    const long offY = (frame.top + frame.bottom) - (area.top + area.bottom);
    QVERIFY2(qAbs(offX) <= 4 && qAbs(offY) <= 4,
             qPrintable(QStringLiteral("frame %1,%2 to %3,%4 on a work area %5,%6 to %7,%8")
                            .arg(frame.left).arg(frame.top).arg(frame.right).arg(frame.bottom)
                            .arg(area.left).arg(area.top).arg(area.right).arg(area.bottom)));
}

QUORVANE_TEST_MAIN(TestWindowCentringWindows, QApplication)
#include "tst_window_centring_windows.moc"
