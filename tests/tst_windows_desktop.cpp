// The window and its open dialog as Windows shows them (Wine on Xvfb under
// openbox, Wine's common dialog standing in for Windows'). Windows draws the
// frame and the dialog, so both are measured and worked through Windows
// itself.

#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"
#include "ui/qt_platform_edges.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>

#include <atomic>
#include <string>
#include <thread>

#include <windows.h>

using namespace quorvane;
using namespace quorvane::test;

namespace {

// The visible dialog owned by `owner` (a top-level one when `owner` is null),
// waited for up to 20 s.
HWND dialogOwnedBy(HWND owner)
{
    for (const QDeadlineTimer deadline(20000); !deadline.hasExpired(); Sleep(50)) {
        for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); window;
             window = FindWindowExW(nullptr, window, L"#32770", nullptr)) {
            if (window != owner && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner)
                return window;
        }
    }
    return nullptr;
}

// Closes whatever dialog is open, Qt's or Windows', so that a test that
// waited in vain for Windows' own dialog ends at once.
void closeEveryDialog()
{
    QMetaObject::invokeMethod(
        qApp,
        [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        },
        Qt::QueuedConnection);
    for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); window;
         window = FindWindowExW(nullptr, window, L"#32770", nullptr))
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Puts `name` into the dialog's name box and presses Open. Posted, not sent:
// a box the dialog opens in answer must not hold this thread.
bool typeAndOpen(HWND dialog, const QString &name)
{
    HWND nameBox = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (wcscmp(className, L"Edit") != 0 || !IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<HWND *>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&nameBox));
    if (!nameBox)
        return false;
    const std::wstring text = name.toStdWString();
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace

class TestWindowsDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void frameIsCentredOnTheWorkArea();
    void windowsChecksTheFolderAndAddsTheExtension();
};

void TestWindowsDesktop::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows"));
}

void TestWindowsDesktop::frameIsCentredOnTheWorkArea()
{
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
    // The window's size is fixed: its title bar offers no maximise button.
    QVERIFY(!(GetWindowLongPtrW(handle, GWL_STYLE) & WS_MAXIMIZEBOX));

    // Centres compared in half pixels: within 2 pixels either way.
    const long offX = (frame.left + frame.right) - (area.left + area.right);
    const long offY = (frame.top + frame.bottom) - (area.top + area.bottom);
    QVERIFY2(qAbs(offX) <= 4 && qAbs(offY) <= 4,
             qPrintable(QStringLiteral("frame %1,%2 to %3,%4 on a work area %5,%6 to %7,%8")
                            .arg(frame.left).arg(frame.top).arg(frame.right).arg(frame.bottom)
                            .arg(area.left).arg(area.top).arg(area.right).arg(area.bottom)));
}

// Windows itself refuses a name in a folder that does not exist and stays
// open, and accepts a file that does not exist yet, adding the default
// extension. A second thread works the dialog while the program waits.
void TestWindowsDesktop::windowsChecksTheFolderAndAddsTheExtension()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString native = QDir::toNativeSeparators(folder.path()) + QDir::separator();

    bool appeared = false;
    bool refused = false;
    bool stayedOpen = false;
    bool typedAgain = false;
    std::atomic<bool> returned = false;
    std::thread user([&] {
        HWND dialog = dialogOwnedBy(nullptr);
        appeared = dialog != nullptr;
        if (!dialog || !typeAndOpen(dialog, native + QStringLiteral("missing\\game.bin"))) {
            for (; !returned; Sleep(200))
                closeEveryDialog();
            return;
        }
        HWND box = dialogOwnedBy(dialog);
        refused = box != nullptr;
        if (box)
            PostMessageW(box, WM_CLOSE, 0, 0);
        Sleep(500);
        stayedOpen = IsWindowVisible(dialog);
        typedAgain = typeAndOpen(dialog, native + QStringLiteral("game"));
    });
    QtPlatformEdges edges;
    const std::optional<QString> chosen = edges.chooseSourceFile(
        nullptr, {QStringLiteral("Select Master File"), folder.path(), QStringLiteral("Binary Files (*.bin)"),
                  QStringLiteral("bin")});
    returned = true;
    user.join();

    QVERIFY2(appeared, "Windows' own open dialog did not appear within 20 s");
    QVERIFY(refused);
    QVERIFY(stayedOpen);
    QVERIFY(typedAgain);
    QVERIFY(chosen);
    QCOMPARE(*chosen, native + QStringLiteral("game.bin"));
}

QUORVANE_TEST_MAIN(TestWindowsDesktop, QApplication)
#include "tst_windows_desktop.moc"
