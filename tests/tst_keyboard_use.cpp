// The window driven with the keyboard alone: every key goes to the control
// that has the focus, as it does for a user.

#include "engine/split_messages.h"
#include "support/files.h"
#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"
#include "ui/qt_platform_edges.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>
#include <optional>

using namespace quorvane;
using namespace quorvane::test;

class TestKeyboardUse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void typicalUseByKeyboardAlone();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void enterInTheBaseNameBoxPressesNoButton();
    void heldKeyPressesRunOnceAndAnswersNothing_data();
    void heldKeyPressesRunOnceAndAnswersNothing();
    void heldTabMovesOnPastTheButtons_data();
    void heldTabMovesOnPastTheButtons();

private:
    // A step is done when it returns true; until then it is tried again.
    using Steps = QQueue<std::function<bool()>>;
    // Plays the steps one per turn of whichever event loop runs, as a
    // keyboard's events arrive: a step that opens a modal box does not hold
    // back the steps after it, which then reach the box.
    static void playInTurn(const std::shared_ptr<Steps> &steps);
    // A step that lets an open message box take the focus (within a second)
    // and writes down whether one has it. A box opens inside the event that
    // opens it, so no box open now means none was opened.
    static std::function<bool()> untilABoxHasFocus(bool *hadFocus);
    // A step that delivers a key event to the focused control as the window
    // system does, at `time` (ms); a repeat may or may not be flagged as one
    // (on X11 Qt can miss it: the release and press of a repeat then come
    // unflagged, at one time).
    static std::function<bool()> keyEvent(QEvent::Type type, Qt::Key key, ulong time, bool autoRepeat = false);
    // Key events that found no focused widget to go to, and so never went.
    inline static int s_droppedKeyEvents = 0;
    // Presses `key` where the focus is, `times` times over.
    static void press(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static QString focused() { return QApplication::focusWidget()->objectName(); }
    QString path(const char *fileName) const { return m_folder.filePath(QLatin1String(fileName)); }
    // Chooses 2716, 2 devices and image.bin with the mouse.
    void prepareJob();

    QTemporaryDir m_folder;
    ScriptedEdges m_edges;
    std::unique_ptr<Form1> m_window;
};

void TestKeyboardUse::init()
{
    QVERIFY(m_folder.isValid());
    m_edges = ScriptedEdges();
    m_window = std::make_unique<Form1>(m_edges);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QCOMPARE(focused(), QStringLiteral("Command_Exit"));
}

void TestKeyboardUse::cleanup()
{
    m_window.reset();
}

void TestKeyboardUse::press(Qt::Key key, int times, Qt::KeyboardModifiers modifiers)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void TestKeyboardUse::prepareJob()
{
    QTest::mouseClick(m_window->findChild<QWidget *>(QStringLiteral("EpromSize_0")), Qt::LeftButton);
    QTest::mouseClick(m_window->findChild<QWidget *>(QStringLiteral("Batch_0")), Qt::LeftButton);
    m_edges.chosenFiles.enqueue(path("image.bin"));
    QTest::mouseClick(m_window->findChild<QWidget *>(QStringLiteral("Command_SelectSourceFile")), Qt::LeftButton);
}

void TestKeyboardUse::typicalUseByKeyboardAlone()
{
    const QByteArray image = patternImage(131072);
    QVERIFY(writeFile(path("game.bin"), image));

    // RUN is still disabled, so Tab passes it by.
    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("EpromSize_0"));
    press(Qt::Key_Space);
    press(Qt::Key_Up, 4); // each step chooses the next larger type
    QCOMPARE(focused(), QStringLiteral("EpromSize_4"));
    QVERIFY(m_window->findChild<QRadioButton *>(QStringLiteral("EpromSize_4"))->isChecked());
    QCOMPARE(m_window->job().DeviceSize, 32768);

    // Each option column is one stop for Tab.
    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("Batch_0"));
    press(Qt::Key_Up, 2);
    press(Qt::Key_Space);
    QVERIFY(m_window->findChild<QRadioButton *>(QStringLiteral("Batch_2"))->isChecked());
    QCOMPARE(m_window->job().DeviceCount, 4);

    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("Command_SelectSourceFile"));
    m_edges.chosenFiles.enqueue(path("game.bin"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), QStringLiteral("Text_TargetFileName"));
    QCOMPARE(m_window->findChild<QLineEdit *>(focused())->text(), QStringLiteral("game_split"));

    // The proposal is kept: on to RUN past both Clear buttons and EXIT.
    press(Qt::Key_Tab, 4);
    QCOMPARE(focused(), QStringLiteral("Command_Run"));
    m_edges.answers.enqueue(MessageAnswer::No);
    press(Qt::Key_Return);

    QCOMPARE(m_edges.messages, QList<Message>{splitDoneMessage(QStringLiteral("game_split"), 4)});
    for (int number = 1; number <= 4; ++number)
        QCOMPARE(readFile(path("game_split_") + QString::number(number) + QStringLiteral(".bin")),
                 image.mid((number - 1) * 32768, 32768));
}

void TestKeyboardUse::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    for (const char *button : {"Command_SelectSourceFile", "Command_ClearSourceFile", "Command1", "Command_Run",
                               "Command_Exit"}) {
        QTest::addRow("%s, Return", button) << QString::fromLatin1(button) << int(Qt::Key_Return) << 0;
        QTest::addRow("%s, keypad Enter", button)
            << QString::fromLatin1(button) << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
}

void TestKeyboardUse::enterPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    prepareJob();
    auto *pressed = m_window->findChild<QPushButton *>(button);
    pressed->setFocus(Qt::OtherFocusReason);
    QSignalSpy clicks(pressed, &QPushButton::clicked);

    press(static_cast<Qt::Key>(key), 1, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(clicks.size(), 1);
}

void TestKeyboardUse::enterInTheBaseNameBoxPressesNoButton()
{
    prepareJob();
    QCOMPARE(focused(), QStringLiteral("Text_TargetFileName"));
    QObject listening;
    QStringList pressed;
    for (QPushButton *button : m_window->findChildren<QPushButton *>()) {
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
        connect(button, &QPushButton::clicked, &listening, [&pressed, button] { pressed << button->objectName(); });
    }

    press(Qt::Key_Return);
    press(Qt::Key_Enter, 1, Qt::KeypadModifier);
    QCOMPARE(pressed, QStringList());
    QVERIFY(m_edges.messages.isEmpty());
}

void TestKeyboardUse::playInTurn(const std::shared_ptr<Steps> &steps)
{
    if (steps->isEmpty())
        return;
    const std::function<bool()> step = steps->dequeue();
    QTimer::singleShot(0, qApp, [steps] { playInTurn(steps); });
    if (!step())
        steps->prepend(step);
}

std::function<bool()> TestKeyboardUse::untilABoxHasFocus(bool *hadFocus)
{
    return [hadFocus, deadline = std::make_shared<std::optional<QDeadlineTimer>>()] {
        if (!*deadline)
            *deadline = QDeadlineTimer(1000);
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        *hadFocus = box && QGuiApplication::focusWindow() == box->windowHandle();
        return !box || *hadFocus || (*deadline)->hasExpired();
    };
}

std::function<bool()> TestKeyboardUse::keyEvent(QEvent::Type type, Qt::Key key, ulong time, bool autoRepeat)
{
    return [=, deadline = std::make_shared<std::optional<QDeadlineTimer>>()] {
        // Between two windows the focus may be nowhere for a moment.
        if (!*deadline)
            *deadline = QDeadlineTimer(1000);
        if (!QApplication::focusWidget()) {
            if (!(*deadline)->hasExpired())
                return false;
            ++s_droppedKeyEvents;
            return true;
        }
        const QString text = key == Qt::Key_Space ? QStringLiteral(" ")
                             : key == Qt::Key_Tab ? QStringLiteral("\t")
                                                  : QStringLiteral("\r");
        const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QKeyEvent event(type, key, modifiers, text, autoRepeat);
        event.setTimestamp(time);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
        return true;
    };
}

void TestKeyboardUse::heldKeyPressesRunOnceAndAnswersNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("opensOnPress");
    QTest::addColumn<bool>("flagged");

    for (const bool flagged : {true, false}) {
        const char *repeats = flagged ? "repeats flagged" : "repeats unflagged";
        // Enter presses RUN as it goes down; its repeats then reach the box.
        QTest::addRow("Return, %s", repeats) << int(Qt::Key_Return) << true << flagged;
        QTest::addRow("keypad Enter, %s", repeats) << int(Qt::Key_Enter) << true << flagged;
        // Space presses as it comes up.
        QTest::addRow("Space, %s", repeats) << int(Qt::Key_Space) << false << flagged;
    }
}

void TestKeyboardUse::heldKeyPressesRunOnceAndAnswersNothing()
{
    s_droppedKeyEvents = 0;
    QFETCH(int, key);
    QFETCH(bool, opensOnPress);
    QFETCH(bool, flagged);
    const auto held = static_cast<Qt::Key>(key);
    const QByteArray image = patternImage(2 * 2048);
    QVERIFY(writeFile(path("image.bin"), image));
    QtPlatformEdges realBoxes;
    m_edges.realMessages = &realBoxes;
    prepareJob();
    auto *run = m_window->findChild<QPushButton *>(QStringLiteral("Command_Run"));
    run->setFocus(Qt::OtherFocusReason);
    QSignalSpy runs(run, &QPushButton::clicked);

    // Longer than a keyboard's repeat delay: each repeat is a release and a
    // press at one time.
    ulong time = 1000;
    const auto hold = [&time, flagged](Steps &steps, Qt::Key key, const std::function<bool()> &thenCheck) {
        steps.enqueue(keyEvent(QEvent::KeyPress, key, time));
        steps.enqueue(thenCheck);
        time += 500;
        for (int repeat = 0; repeat < 20; ++repeat, time += 40) {
            steps.enqueue(keyEvent(QEvent::KeyRelease, key, time, flagged));
            steps.enqueue(keyEvent(QEvent::KeyPress, key, time, flagged));
        }
    };
    bool boxOpenOnPress = false;
    bool boxOpenAfterRelease = false;
    bool runFocused = false;
    qsizetype boxesWhileHeld = -1;
    qsizetype foldersWhileHeld = -1;
    bool done = false;
    auto steps = std::make_shared<Steps>();
    hold(*steps, held, untilABoxHasFocus(&boxOpenOnPress));
    steps->enqueue(keyEvent(QEvent::KeyRelease, held, time++));
    steps->enqueue(untilABoxHasFocus(&boxOpenAfterRelease));
    steps->enqueue([&] {
        boxesWhileHeld = m_edges.messages.size();
        foldersWhileHeld = m_edges.openedFolders.size();
        return true;
    });
    // Only now does the user decide: a fresh Return takes the default, Yes.
    // Held on, it repeats into the window, on RUN again.
    hold(*steps, Qt::Key_Return, [this, &runFocused, run, deadline = std::make_shared<std::optional<QDeadlineTimer>>()] {
        if (!*deadline)
            *deadline = QDeadlineTimer(1000);
        // No window manager hands the focus back once the box has gone.
        if (!QApplication::activeModalWidget() && !QApplication::activeWindow())
            m_window->activateWindow();
        runFocused = QApplication::focusWidget() == run;
        return runFocused || (*deadline)->hasExpired();
    });
    steps->enqueue(keyEvent(QEvent::KeyRelease, Qt::Key_Return, time++));
    steps->enqueue([&done] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close(); // the checks below fail; the suite goes on
        done = true;
        return true;
    });
    playInTurn(steps);
    QTRY_VERIFY(done);

    QCOMPARE(s_droppedKeyEvents, 0);
    QCOMPARE(boxOpenOnPress, opensOnPress);
    QVERIFY(boxOpenAfterRelease);
    QCOMPARE(boxesWhileHeld, 1);
    QCOMPARE(foldersWhileHeld, 0);
    QVERIFY(runFocused);
    QCOMPARE(runs.size(), 1);
    QCOMPARE(m_edges.messages, QList<Message>{splitDoneMessage(QStringLiteral("image_split"), 2)});
    QCOMPARE(m_edges.openedFolders, QStringList{QDir::toNativeSeparators(m_folder.path()) + QDir::separator()});
    QCOMPARE(readFile(path("image_split_1.bin")) + readFile(path("image_split_2.bin")), image);
}

void TestKeyboardUse::heldTabMovesOnPastTheButtons_data()
{
    QTest::addColumn<bool>("flagged");
    QTest::newRow("repeats flagged") << true;
    QTest::newRow("repeats unflagged") << false;
}

void TestKeyboardUse::heldTabMovesOnPastTheButtons()
{
    s_droppedKeyEvents = 0;
    QFETCH(bool, flagged);
    // From EXIT, past the disabled RUN, the press and three repeats cross a
    // push button on their way.
    ulong time = 1000;
    keyEvent(QEvent::KeyPress, Qt::Key_Tab, time)();
    for (int repeat = 0; repeat < 3; ++repeat) {
        time += 40;
        keyEvent(QEvent::KeyRelease, Qt::Key_Tab, time, flagged)();
        keyEvent(QEvent::KeyPress, Qt::Key_Tab, time, flagged)();
    }
    keyEvent(QEvent::KeyRelease, Qt::Key_Tab, time + 1)();

    QCOMPARE(s_droppedKeyEvents, 0);
    QCOMPARE(focused(), QStringLiteral("Text_TargetFileName"));
}

QUORVANE_TEST_MAIN(TestKeyboardUse, QApplication)
#include "tst_keyboard_use.moc"
