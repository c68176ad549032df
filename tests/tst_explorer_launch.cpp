// The file browser as Windows really starts it: Qt asks the shell to open the
// folder, and Explorer shows it in a window titled with the folder's name.
// Runs on a real display (Wine on Xvfb): Explorer shows nothing without one.

#include "support/isolated_test_main.h"
#include "ui/qt_platform_edges.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <windows.h>

using namespace quorvane;

namespace {

struct ExplorerSearch
{
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK matchExplorerWindow(HWND window, LPARAM context)
{
    auto *search = reinterpret_cast<ExplorerSearch *>(context);
    wchar_t className[64] = {};
    wchar_t title[MAX_PATH] = {};
    GetClassNameW(window, className, 64);
    GetWindowTextW(window, title, MAX_PATH);
    // Explorer's folder windows: CabinetWClass on Windows, ExplorerWClass under Wine.
    const bool explorer = wcscmp(className, L"CabinetWClass") == 0 || wcscmp(className, L"ExplorerWClass") == 0;
    if (explorer && IsWindowVisible(window) && search->title == title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND explorerWindowShowing(const QString &folder)
{
    ExplorerSearch search{QFileInfo(folder).fileName().toStdWString()};
    EnumWindows(matchExplorerWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

class TestExplorerLaunch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void folderOpensInExplorer();
    void missingFolderIsAFailedStart();
};

void TestExplorerLaunch::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows"));
}

void TestExplorerLaunch::folderOpensInExplorer()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(!explorerWindowShowing(folder.path()));
    QtPlatformEdges edges;

    QVERIFY(edges.openFolder(QDir::toNativeSeparators(folder.path()) + QDir::separator()));
    HWND window = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((window = explorerWindowShowing(folder.path())) != nullptr, 30000);
    PostMessageW(window, WM_CLOSE, 0, 0);
    QTRY_VERIFY_WITH_TIMEOUT(!explorerWindowShowing(folder.path()), 30000);
}

void TestExplorerLaunch::missingFolderIsAFailedStart()
{
    QTemporaryDir parent;
    const QString missing = QDir::toNativeSeparators(parent.filePath(QStringLiteral("gone")));
    QtPlatformEdges edges;

    QVERIFY(!edges.openFolder(missing + QDir::separator()));
}

QUORVANE_TEST_MAIN(TestExplorerLaunch, QApplication)
#include "tst_explorer_launch.moc"
