// The window driven with the keyboard alone: every key goes to the control
// that has the focus, as it does for a user.

#include "engine/split_messages.h"
#include "support/files.h"
#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"

#include <QApplication>
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
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void enterInTheBaseNameBoxPressesNoButton();

private:
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

QUORVANE_TEST_MAIN(TestKeyboardUse, QApplication)
#include "tst_keyboard_use.moc"
