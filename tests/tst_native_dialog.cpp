// The open dialog as Windows shows it (Wine on Xvfb, whose common dialog
// stands in for Windows'): Windows itself refuses a name in a folder that does
// not exist and stays open, and accepts a name of a file that does not exist
// yet, adding the default extension. The dialog is worked from a second
// thread, as a user works it while the program waits for the answer.

#include "support/isolated_test_main.h"
#include "ui/qt_platform_edges.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>

#include <string>
#include <thread>

#include <windows.h>

using namespace quorvane;

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

class TestNativeDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowsChecksTheFolderAndAddsTheExtension();
};

void TestNativeDialog::windowsChecksTheFolderAndAddsTheExtension()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows"));
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString native = QDir::toNativeSeparators(folder.path()) + QDir::separator();

    bool refused = false;
    bool stayedOpen = false;
    bool typedAgain = false;
    std::thread user([&] {
        HWND dialog = dialogOwnedBy(nullptr);
        if (!dialog || !typeAndOpen(dialog, native + QStringLiteral("missing\\game.bin")))
            return;
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
    user.join();

    QVERIFY(refused);
    QVERIFY(stayedOpen);
    QVERIFY(typedAgain);
    QVERIFY(chosen);
    QCOMPARE(*chosen, native + QStringLiteral("game.bin"));
}

QUORVANE_TEST_MAIN(TestNativeDialog, QApplication)
#include "tst_native_dialog.moc"
