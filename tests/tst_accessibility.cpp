// What assistive technology reads off the window, through the interfaces a
// screen reader queries.

#include "support/isolated_test_main.h"
#include "support/scripted_edges.h"
#include "ui/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>

using namespace quorvane;
using namespace quorvane::test;

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void everyControlIsAnnounced_data();
    void everyControlIsAnnounced();
    void valueFieldsReadOutWhatTheyShow();

private:
    QString read(const char *control, QAccessible::Text text) const;

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

QString TestAccessibility::read(const char *control, QAccessible::Text text) const
{
    auto *widget = m_window->findChild<QWidget *>(QLatin1String(control));
    if (!widget)
        qFatal("no control %s", control);
    return QAccessible::queryAccessibleInterface(widget)->text(text);
}

void TestAccessibility::everyControlIsAnnounced_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    const char *types[] = {"2716", "2732", "2764", "27128", "27256", "27512", "27010"};
    for (int index = 0; index < 7; ++index) {
        const QString type = QString::fromLatin1(types[index]);
        const QString count = QString::number(index + 2);
        QTest::addRow("EpromSize_%d", index) << "EpromSize_" + QByteArray::number(index) << type
                                             << QStringLiteral("Device type ") + type;
        QTest::addRow("Batch_%d", index) << "Batch_" + QByteArray::number(index) << count
                                         << count + QStringLiteral(" devices");
    }
    // Empty, a value field is named by its caption label.
    QTest::newRow("source folder") << QByteArray("Label_SourcePath") << "Path:" << "Source folder";
    QTest::newRow("source file") << QByteArray("Label_SourceFile") << "File:" << "Source file";
    QTest::newRow("base name") << QByteArray("Text_TargetFileName") << "Target base name"
                               << "Enter a new major file name. The.bin extension and a numeric suffix will be added.";
    QTest::newRow("Browse") << QByteArray("Command_SelectSourceFile") << "Browse for Source File"
                            << "Choose the EPROM image to split";
    QTest::newRow("Clear source") << QByteArray("Command_ClearSourceFile") << "Clear" << "Clear the source file";
    QTest::newRow("Clear target") << QByteArray("Command1") << "Clear" << "Clear the target base name";
    QTest::newRow("RUN") << QByteArray("Command_Run") << "RUN" << "Split the source file into the target files";
    QTest::newRow("EXIT") << QByteArray("Command_Exit") << "EXIT " << "Close Quorvane";
}

void TestAccessibility::everyControlIsAnnounced()
{
    QFETCH(QByteArray, control);
    QFETCH(QString, name);
    QFETCH(QString, description);

    QCOMPARE(read(control, QAccessible::Name), name);
    QCOMPARE(read(control, QAccessible::Description), description);
}

void TestAccessibility::valueFieldsReadOutWhatTheyShow()
{
    m_edges.chosenFiles.enqueue(QStringLiteral("/roms/game.bin"));
    QTest::mouseClick(m_window->findChild<QWidget *>(QStringLiteral("Command_SelectSourceFile")), Qt::LeftButton);

    QCOMPARE(read("Label_SourcePath", QAccessible::Name), QDir::toNativeSeparators(QStringLiteral("/roms/")));
    QCOMPARE(read("Label_SourceFile", QAccessible::Name), QStringLiteral("game.bin"));
    QCOMPARE(read("Label_SourceFile", QAccessible::Description), QStringLiteral("Source file"));
    QCOMPARE(read("Text_TargetFileName", QAccessible::Name), QStringLiteral("Target base name"));
    QCOMPARE(read("Text_TargetFileName", QAccessible::Value), QStringLiteral("game_split"));
}

QUORVANE_TEST_MAIN(TestAccessibility, QApplication)
#include "tst_accessibility.moc"
