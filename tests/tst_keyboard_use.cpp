// The window driven with the keyboard alone: key events go to whichever
// control has the focus, as they do for a user.

#include "engine/split_messages.h"
#include "support/files.h"
#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace quorvane;
using namespace quorvane::test;

class TestKeyboardUse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void typicalUseByKeyboardAlone();
    void tabFollowsTheFocusOrderToTheChosenOptions();
    void arrowKeysMoveTheChoiceWithinItsGroup_data();
    void arrowKeysMoveTheChoiceWithinItsGroup();
    void enterAndSpacePressTheFocusedButton_data();
    void enterAndSpacePressTheFocusedButton();
    void enterInTheBaseNameBoxPressesNoButton();

private:
    template <typename Control = QWidget>
    Control *control(const QString &name) const
    {
        auto *found = m_window->findChild<Control *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    // Presses `key` where the focus is, `times` times over.
    static void press(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static QString focused();
    // A job ready to run: 2716, 2 devices and image.bin in the test folder.
    void prepareJob();

    std::unique_ptr<QTemporaryDir> m_folder;
    ScriptedEdges m_edges;
    std::unique_ptr<Form1> m_window;
};

void TestKeyboardUse::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
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
    for (int i = 0; i < times; ++i) {
        QWidget *target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::keyClick(target, key, modifiers);
    }
}

QString TestKeyboardUse::focused()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

void TestKeyboardUse::prepareJob()
{
    QTest::mouseClick(control(QStringLiteral("EpromSize_0")), Qt::LeftButton);
    QTest::mouseClick(control(QStringLiteral("Batch_0")), Qt::LeftButton);
    m_edges.chosenFiles.enqueue(m_folder->filePath(QStringLiteral("image.bin")));
    QTest::mouseClick(control(QStringLiteral("Command_SelectSourceFile")), Qt::LeftButton);
    QVERIFY(control(QStringLiteral("Command_Run"))->isEnabled());
}

void TestKeyboardUse::typicalUseByKeyboardAlone()
{
    const QString folder = m_folder->path() + QDir::separator();
    const QByteArray image = patternImage(131072);
    QVERIFY(writeFile(folder + QStringLiteral("game.bin"), image));

    // RUN is still disabled, so Tab passes it by.
    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("EpromSize_0"));
    press(Qt::Key_Up, 4);
    QCOMPARE(focused(), QStringLiteral("EpromSize_4"));
    press(Qt::Key_Space);
    QVERIFY(control<QRadioButton>(QStringLiteral("EpromSize_4"))->isChecked());
    QCOMPARE(m_window->job().DeviceSize, 32768);

    // Each option group is one stop for Tab, as on any desktop.
    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("Batch_0"));
    press(Qt::Key_Up, 2);
    press(Qt::Key_Space);
    QVERIFY(control<QRadioButton>(QStringLiteral("Batch_2"))->isChecked());
    QCOMPARE(m_window->job().DeviceCount, 4);

    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("Command_SelectSourceFile"));
    m_edges.chosenFiles.enqueue(folder + QStringLiteral("game.bin"));
    press(Qt::Key_Return);
    QCOMPARE(m_edges.fileRequests.size(), 1);
    QCOMPARE(focused(), QStringLiteral("Text_TargetFileName"));
    QCOMPARE(control<QLineEdit>(QStringLiteral("Text_TargetFileName"))->text(), QStringLiteral("game_split"));

    // The proposal is kept: on to RUN past both Clear buttons and EXIT.
    press(Qt::Key_Tab, 4);
    QCOMPARE(focused(), QStringLiteral("Command_Run"));
    m_edges.answers.enqueue(MessageAnswer::No);
    press(Qt::Key_Return);

    QCOMPARE(m_edges.messages, QList<Message>{splitDoneMessage(QStringLiteral("game_split"), 4)});
    for (int number = 1; number <= 4; ++number) {
        const QString piece = folder + QStringLiteral("game_split_%1.bin").arg(number);
        QCOMPARE(QFileInfo(piece).size(), 32768);
        QCOMPARE(readFile(piece), image.mid((number - 1) * 32768, 32768));
    }
    QVERIFY(m_edges.openedFolders.isEmpty());
}

void TestKeyboardUse::tabFollowsTheFocusOrderToTheChosenOptions()
{
    prepareJob();
    QTest::mouseClick(control(QStringLiteral("EpromSize_3")), Qt::LeftButton);
    QTest::mouseClick(control(QStringLiteral("Batch_5")), Qt::LeftButton);
    control(QStringLiteral("Command_Exit"))->setFocus(Qt::OtherFocusReason);
    QStringList expected{QStringLiteral("Command_Run"),
                         QStringLiteral("EpromSize_3"),
                         QStringLiteral("Batch_5"),
                         QStringLiteral("Command_SelectSourceFile"),
                         QStringLiteral("Text_TargetFileName"),
                         QStringLiteral("Command_ClearSourceFile"),
                         QStringLiteral("Command1"),
                         QStringLiteral("Command_Exit")};

    QStringList forward;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        press(Qt::Key_Tab);
        forward << focused();
    }
    QCOMPARE(forward, expected);

    QStringList backward;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        press(Qt::Key_Backtab, 1, Qt::ShiftModifier);
        backward.prepend(focused());
    }
    expected.prepend(expected.takeLast());
    QCOMPARE(backward, expected);
}

void TestKeyboardUse::arrowKeysMoveTheChoiceWithinItsGroup_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("chosen");

    QTest::newRow("Up chooses the next larger type") << "EpromSize" << 4 << int(Qt::Key_Up) << 5;
    QTest::newRow("Down chooses the next smaller type") << "EpromSize" << 4 << int(Qt::Key_Down) << 3;
    QTest::newRow("Up stops at the largest type") << "EpromSize" << 6 << int(Qt::Key_Up) << 6;
    QTest::newRow("Down stops at the smallest type") << "EpromSize" << 0 << int(Qt::Key_Down) << 0;
    QTest::newRow("Up chooses one device more") << "Batch" << 2 << int(Qt::Key_Up) << 3;
    QTest::newRow("Down chooses one device fewer") << "Batch" << 2 << int(Qt::Key_Down) << 1;
    QTest::newRow("Down stops at two devices") << "Batch" << 0 << int(Qt::Key_Down) << 0;
    QTest::newRow("Right stays in the column") << "EpromSize" << 3 << int(Qt::Key_Right) << 3;
}

void TestKeyboardUse::arrowKeysMoveTheChoiceWithinItsGroup()
{
    QFETCH(QString, group);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, chosen);
    const auto option = [&](int index) { return control<QRadioButton>(group + u'_' + QString::number(index)); };

    option(start)->setFocus(Qt::OtherFocusReason);
    press(Qt::Key_Space);
    QVERIFY(option(start)->isChecked());
    press(static_cast<Qt::Key>(key));

    QCOMPARE(focused(), option(chosen)->objectName());
    for (int index = 0; index < 7; ++index)
        QCOMPARE(option(index)->isChecked(), index == chosen);
    if (group == QLatin1String("Batch"))
        QCOMPARE(m_window->job().DeviceCount, chosen + 2);
    else
        QCOMPARE(m_window->job().DeviceSize, 2048 << chosen);
}

void TestKeyboardUse::enterAndSpacePressTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    for (const char *button : {"Command_SelectSourceFile", "Command_ClearSourceFile", "Command1", "Command_Run",
                               "Command_Exit"}) {
        QTest::addRow("%s, Return", button) << QString::fromLatin1(button) << int(Qt::Key_Return) << 0;
        QTest::addRow("%s, keypad Enter", button)
            << QString::fromLatin1(button) << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::addRow("%s, Space", button) << QString::fromLatin1(button) << int(Qt::Key_Space) << 0;
    }
}

void TestKeyboardUse::enterAndSpacePressTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    prepareJob();
    auto *pressed = control<QPushButton>(button);
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
    QVERIFY(m_window->isVisible());
    QCOMPARE(focused(), QStringLiteral("Text_TargetFileName"));
}

QUORVANE_TEST_MAIN(TestKeyboardUse, QApplication)
#include "tst_keyboard_use.moc"
