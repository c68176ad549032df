// The real program used as a person at a desktop uses it, under the desktop's
// own compositor: the wrapper that starts the desktop names a driver program
// (QUORVANE_DESKTOP_DRIVER) that types, points, clicks and lists the windows
// there as the desktop itself sees them. Its window has the desktop's frame
// with its title and no maximise; dialogs and boxes open over it; a split made
// with the keyboard ends in "Splitting Done" with the pieces right; and closing
// it by its title bar saves the folder.

#include "support/files.h"
#include "support/isolated_test_main.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRect>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>

using namespace quorvane::test;

namespace {

const QString mainTitle = QStringLiteral("Quorvane, v1.01 - June 2024 / QZ");

struct Window
{
    bool focused = false;
    QRect frame;
    bool maximisable = false;
    QString dialogOf;
    QString title;
};

// Plasma follows a window's title with the name of the program it belongs to.
bool isTitled(const Window &window, const QString &title)
{
    return window.title == title || window.title.startsWith(title + QStringLiteral(" \u2014 "));
}

// The driver, one command at a time.
class Desktop
{
public:
    Desktop()
    {
        m_driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_driver.start(qEnvironmentVariable("QUORVANE_DESKTOP_DRIVER"), QStringList());
    }
    ~Desktop()
    {
        m_driver.closeWriteChannel();
        if (!m_driver.waitForFinished(5000))
            m_driver.kill();
    }

    // What the command printed, or nothing when it failed.
    std::optional<QStringList> run(const QString &command)
    {
        m_driver.write(command.toUtf8() + '\n');
        QStringList printed;
        for (const QDeadlineTimer deadline(30000); !deadline.hasExpired();) {
            while (m_driver.canReadLine()) {
                const QString line = QString::fromUtf8(m_driver.readLine()).chopped(1);
                if (line == u"ok")
                    return printed;
                printed.append(line);
            }
            if (!m_driver.waitForReadyRead(100) && m_driver.state() != QProcess::Running)
                break;
        }
        qWarning("the desktop driver did not answer \"%s\"", qPrintable(command));
        return std::nullopt;
    }

    QList<Window> windows()
    {
        QList<Window> found;
        for (const QString &line : run(QStringLiteral("windows")).value_or(QStringList())) {
            const QStringList fields = line.split(u'\t');
            if (fields.size() == 8)
                found.append({fields[0] == u"1",
                              QRect(fields[1].toInt(), fields[2].toInt(), fields[3].toInt(), fields[4].toInt()),
                              fields[5] == u"1", fields[6], fields[7]});
        }
        return found;
    }

    // The window titled `title` as it is now: a window may still be moved
    // after it shows.
    std::optional<Window> find(const QString &title)
    {
        for (const Window &window : windows()) {
            if (isTitled(window, title))
                return window;
        }
        return std::nullopt;
    }

    // The window titled `title` once it has the focus.
    std::optional<Window> focusReaches(const QString &title, int milliseconds = 20000)
    {
        for (const QDeadlineTimer deadline(milliseconds); !deadline.hasExpired(); QTest::qWait(100)) {
            for (const Window &window : windows()) {
                if (window.focused && isTitled(window, title))
                    return window;
            }
        }
        qWarning("the focus did not reach \"%s\"", qPrintable(title));
        return std::nullopt;
    }

    // Moves there, then clicks once the window under the pointer has seen
    // it arrive (a title bar the program draws itself needs to).
    bool clickAt(QPoint point)
    {
        if (!run(QStringLiteral("pointer %1 %2").arg(point.x()).arg(point.y())))
            return false;
        QTest::qWait(200);
        return run(QStringLiteral("click")).has_value();
    }

private:
    QProcess m_driver;
};

} // namespace

class TestDesktopUse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void windowOffersNoMaximise();
    void splitByKeyboardThenCloseByTitleBar();

private:
    // The program started, and its window as the desktop shows it.
    static std::optional<Window> start(QProcess &program, Desktop &desktop)
    {
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(QUORVANE_PROGRAM), QStringList());
        std::optional<Window> main;
        for (const QDeadlineTimer deadline(20000); !main && !deadline.hasExpired() && program.waitForStarted();
             QTest::qWait(100))
            main = desktop.find(mainTitle);
        return main;
    }

    // Whether `dialog` is a dialog of the main window and opened over it:
    // centred on it, or, larger than the window (a chooser on a small
    // screen), covering its middle. A portal's chooser that Qt could not
    // give the window as its parent (QUORVANE_CHOOSER_WITHOUT_PARENT) need
    // only cover it.
    static bool isOver(const Window &dialog, const Window &main, bool parentless = false)
    {
        if ((dialog.dialogOf == mainTitle || (parentless && dialog.dialogOf == u"-"))
            && (main.frame.contains(dialog.frame.center()) || dialog.frame.contains(main.frame.center())))
            return true;
        qWarning("\"%s\" (%d,%d %dx%d) is a dialog of \"%s\", the window is at %d,%d %dx%d", qPrintable(dialog.title),
                 dialog.frame.x(), dialog.frame.y(), dialog.frame.width(), dialog.frame.height(),
                 qPrintable(dialog.dialogOf), main.frame.x(), main.frame.y(), main.frame.width(), main.frame.height());
        return false;
    }
};

void TestDesktopUse::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("QUORVANE_DESKTOP_DRIVER"),
             "no desktop driver (run it under a desktop's wrapper, such as scripts/desktop/with-gnome-shell)");
}

// Where the desktop can be typed into, the next test shows this on the way.
void TestDesktopUse::windowOffersNoMaximise()
{
    Desktop desktop;
    QProcess program;
    const auto stop = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });
    const std::optional<Window> main = start(program, desktop);
    QVERIFY2(main, "the window did not open");
    QVERIFY(!main->maximisable);
}

void TestDesktopUse::splitByKeyboardThenCloseByTitleBar()
{
    const QTemporaryDir folder;
    const QByteArray image = patternImage(2 * 2048);
    QVERIFY(writeFile(folder.filePath(QStringLiteral("image.bin")), image));
    Desktop desktop; // before the program: a new driver session makes X clients load their keymap again

    QProcess program;
    const auto stop = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });
    std::optional<Window> main = start(program, desktop);
    QVERIFY2(main, "the window did not open");
    QVERIFY(!main->maximisable);
    // A program started from a terminal gets no focus until it is clicked:
    // in its title bar, away from the buttons. A click before the program has
    // drawn its own title bar (Qt's, on Wayland) goes nowhere: clicked again,
    // as a person would.
    bool focused = false;
    for (int click = 0; click < 5 && !focused && (main = desktop.find(mainTitle)); ++click) {
        QVERIFY(desktop.clickAt({main->frame.center().x(), main->frame.top() + 10}));
        focused = desktop.focusReaches(mainTitle, 2000).has_value();
    }
    QVERIFY(focused);
    // The program gives the focus to a control after the desktop has given
    // it the window: keys typed in between would go nowhere.
    QTest::qWait(1000);

    // EXIT has the focus: 2716, two devices, then Browse.
    QVERIFY(desktop.run(QStringLiteral("key Tab space Tab space Tab space")));
    const std::optional<Window> chooser = desktop.focusReaches(QStringLiteral("Select Master File"));
    QVERIFY(chooser);
    QVERIFY((main = desktop.find(mainTitle)));
    QVERIFY(isOver(*chooser, *main, qEnvironmentVariableIsSet("QUORVANE_CHOOSER_WITHOUT_PARENT")));
    // The chooser fills its list and sets up its name box after it has the
    // focus; a key typed before then is lost.
    QTest::qWait(1000);
    // A path typed from its first slash goes where each chooser takes a
    // name: KDE's name box has the focus, GTK's opens its location box.
    QVERIFY(desktop.run(QStringLiteral("type ") + folder.filePath(QStringLiteral("image.bin"))));
    // Return takes what the name box holds once its completion has caught
    // up with the typing.
    QTest::qWait(500);
    QVERIFY(desktop.run(QStringLiteral("key Return")));
    QVERIFY(desktop.focusReaches(mainTitle));
    QTest::qWait(1000); // as above
    // From the proposed name past both Clear buttons and EXIT to RUN.
    QVERIFY(desktop.run(QStringLiteral("key Tab Tab Tab Tab space")));
    const std::optional<Window> done = desktop.focusReaches(QStringLiteral("Splitting Done"));
    QVERIFY(done);
    QVERIFY((main = desktop.find(mainTitle)));
    QVERIFY(isOver(*done, *main));
    if (qEnvironmentVariableIsSet("QUORVANE_SCREENSHOT"))
        QVERIFY(desktop.run(QStringLiteral("screenshot ") + qEnvironmentVariable("QUORVANE_SCREENSHOT")));
    QVERIFY(desktop.run(QStringLiteral("key Escape")));
    QVERIFY(desktop.focusReaches(mainTitle));
    QCOMPARE(readFile(folder.filePath(QStringLiteral("image_split_1.bin"))), image.first(2048));
    QCOMPARE(readFile(folder.filePath(QStringLiteral("image_split_2.bin"))), image.last(2048));

    // The split stored the folder already; only the unload stores it again
    // over something else.
    const QString store = qEnvironmentVariable("HOME") + QStringLiteral("/.config/Quorvane/Quorvane.conf");
    QSettings(store, QSettings::IniFormat)
        .setValue(QStringLiteral("Settings/Default Path"), QStringLiteral("/changed/meanwhile/by/another/copy/"));
    // The close button ends the title bar; clicked again, as a person would,
    // should a click go unseen.
    bool ended = false;
    for (int click = 0; click < 3 && !ended && (main = desktop.find(mainTitle)); ++click) {
        QVERIFY(desktop.clickAt({main->frame.right() - 18, main->frame.top() + 18}));
        ended = program.waitForFinished(3000);
    }
    QVERIFY(ended);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QSettings(store, QSettings::IniFormat).value(QStringLiteral("Settings/Default Path")).toString(),
             folder.path() + u'/');
}

QUORVANE_TEST_MAIN(TestDesktopUse, QCoreApplication)
#include "tst_desktop_use.moc"
