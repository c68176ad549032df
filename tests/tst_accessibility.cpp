// What assistive technology reads off the window, through the same
// accessibility interfaces a screen reader queries.

#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

using namespace quorvane;
using namespace quorvane::test;

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void optionButtonsKeepTheirCaptionAndNameTheirChoice_data();
    void optionButtonsKeepTheirCaptionAndNameTheirChoice();
    void valueFieldsReadOutWhatTheyShow();
    void baseNameBoxIsNamed();
    void pushButtonsKeepTheirCaptionAndTellApart_data();
    void pushButtonsKeepTheirCaptionAndTellApart();

private:
    QWidget *control(const QString &name) const;
    QString read(const QString &name, QAccessible::Text text) const;

    ScriptedEdges m_edges;
    std::unique_ptr<Form1> m_window;
};

void TestAccessibility::init()
{
    m_window = std::make_unique<Form1>(m_edges);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAccessibility::cleanup()
{
    m_window.reset();
}

QWidget *TestAccessibility::control(const QString &name) const
{
    auto *found = m_window->findChild<QWidget *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QString TestAccessibility::read(const QString &name, QAccessible::Text text) const
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control(name));
    if (!accessible)
        qFatal("%s has no accessibility interface", qPrintable(name));
    return accessible->text(text);
}

void TestAccessibility::optionButtonsKeepTheirCaptionAndNameTheirChoice_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("description");

    const char *types[] = {"2716", "2732", "2764", "27128", "27256", "27512", "27010"};
    for (int index = 0; index < 7; ++index) {
        const QString type = QString::fromLatin1(types[index]);
        QTest::addRow("EpromSize_%d", index)
            << QStringLiteral("EpromSize_%1").arg(index) << type << QStringLiteral("Device type ") + type;
        const QString count = QString::number(index + 2);
        QTest::addRow("Batch_%d", index)
            << QStringLiteral("Batch_%1").arg(index) << count << count + QStringLiteral(" devices");
    }
}

void TestAccessibility::optionButtonsKeepTheirCaptionAndNameTheirChoice()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, description);

    QCOMPARE(read(name, QAccessible::Name), caption);
    QCOMPARE(read(name, QAccessible::Description), description);
    QCOMPARE(QAccessible::queryAccessibleInterface(control(name))->role(), QAccessible::RadioButton);
}

void TestAccessibility::valueFieldsReadOutWhatTheyShow()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString sourceFolder = folder.path() + QDir::separator();
    QCOMPARE(read(QStringLiteral("Label_SourcePath"), QAccessible::Description), QStringLiteral("Source folder"));
    QCOMPARE(read(QStringLiteral("Label_SourceFile"), QAccessible::Description), QStringLiteral("Source file"));
    // Empty, a field is named by its caption label.
    QCOMPARE(read(QStringLiteral("Label_SourcePath"), QAccessible::Name), QStringLiteral("Path:"));
    QCOMPARE(read(QStringLiteral("Label_SourceFile"), QAccessible::Name), QStringLiteral("File:"));

    m_edges.chosenFiles.enqueue(sourceFolder + QStringLiteral("game.bin"));
    QTest::mouseClick(control(QStringLiteral("Command_SelectSourceFile")), Qt::LeftButton);
    QCOMPARE(read(QStringLiteral("Label_SourcePath"), QAccessible::Name), sourceFolder);
    QCOMPARE(read(QStringLiteral("Label_SourceFile"), QAccessible::Name), QStringLiteral("game.bin"));
    QCOMPARE(read(QStringLiteral("Label_SourceFile"), QAccessible::Description), QStringLiteral("Source file"));

    QTest::mouseClick(control(QStringLiteral("Command_ClearSourceFile")), Qt::LeftButton);
    QCOMPARE(read(QStringLiteral("Label_SourcePath"), QAccessible::Name), QStringLiteral("Path:"));
    QCOMPARE(read(QStringLiteral("Label_SourceFile"), QAccessible::Name), QStringLiteral("File:"));
}

void TestAccessibility::baseNameBoxIsNamed()
{
    const QString box = QStringLiteral("Text_TargetFileName");
    QCOMPARE(read(box, QAccessible::Name), QStringLiteral("Target base name"));
    QCOMPARE(read(box, QAccessible::Description), m_window->findChild<QLabel *>(QStringLiteral("Label2"))->text());
    QCOMPARE(QAccessible::queryAccessibleInterface(control(box))->role(), QAccessible::EditableText);

    control(box)->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(control(box), QStringLiteral("rom"));
    QCOMPARE(read(box, QAccessible::Value), QStringLiteral("rom"));
    QCOMPARE(read(box, QAccessible::Name), QStringLiteral("Target base name"));
}

void TestAccessibility::pushButtonsKeepTheirCaptionAndTellApart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("description");

    QTest::newRow("Browse") << "Command_SelectSourceFile" << "Browse for Source File"
                            << "Choose the EPROM image to split";
    QTest::newRow("Clear in Source File") << "Command_ClearSourceFile" << "Clear" << "Clear the source file";
    QTest::newRow("Clear in Target Files") << "Command1" << "Clear" << "Clear the target base name";
    QTest::newRow("RUN") << "Command_Run" << "RUN" << "Split the source file into the target files";
    QTest::newRow("EXIT") << "Command_Exit" << "EXIT " << "Close Quorvane";
}

void TestAccessibility::pushButtonsKeepTheirCaptionAndTellApart()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, description);

    QCOMPARE(read(name, QAccessible::Name), caption);
    QCOMPARE(read(name, QAccessible::Description), description);
    QCOMPARE(QAccessible::queryAccessibleInterface(control(name))->role(), QAccessible::Button);
}

QUORVANE_TEST_MAIN(TestAccessibility, QApplication)
#include "tst_accessibility.moc"
