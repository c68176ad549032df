#include "engine/folder_path.h"
#include "engine/split_messages.h"
#include "support/files.h"
#include "support/isolated_test_main.h"
#include "support/settings_store.h"
#include "support/window_driver.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWindow>

using namespace quorvane;
using namespace quorvane::test;

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensEmptyWithRunDisabled();
    void optionButtonsDeliverTheirIndex_data();
    void optionButtonsDeliverTheirIndex();
    void eachGroupIsItsOwnOptionGroup();

    void runWaitsForAChosenSourceFile();
    void runButtonFollowsEveryChange_data();
    void runButtonFollowsEveryChange();
    void firstTypedCharacterEnablesRun();
    void typedExtensionIsCutBeforeRunReadsIt_data();
    void typedExtensionIsCutBeforeRunReadsIt();

    void dialogIsAskedForTheSameEveryTime();
    void goneFolderOpensTheDialogInTheFallback_data();
    void goneFolderOpensTheDialogInTheFallback();
    void chosenFileFillsFieldsAndProposal_data();
    void chosenFileFillsFieldsAndProposal();
    void sameFileTwiceProposesTheNameAgain();
    void shortFileNameKeepsTheBaseName();
    void cancelChangesNothing();

    void typicalUseEndToEnd();
    void runOutcomesShowTheirBoxes_data();
    void runOutcomesShowTheirBoxes();
    void closingSavesTheFolderOnlyAfterASplit_data();
    void closingSavesTheFolderOnlyAfterASplit();

private:
    QPushButton *runButton() const { return m_ui->button("Command_Run"); }
    QString folder() const { return QDir::toNativeSeparators(m_folder->path()) + QDir::separator(); }
    static void remember(const QString &folder);
    static QString remembered();

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<WindowDriver> m_ui;
};

void TestMainWindow::init()
{
    settingsStore().clear();
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_ui = std::make_unique<WindowDriver>();
}

void TestMainWindow::cleanup()
{
    m_ui.reset();
}

void TestMainWindow::remember(const QString &folder)
{
    settingsStore()
        .setValue(defaultPathKey(), folder);
}

QString TestMainWindow::remembered()
{
    return settingsStore()
        .value(defaultPathKey(), QStringLiteral("(nothing)"))
        .toString();
}

void TestMainWindow::opensEmptyWithRunDisabled()
{
    QVERIFY(m_ui->open());
    QCOMPARE(m_ui->window().windowTitle(), QStringLiteral("Quorvane, v1.01 - June 2024 / QZ"));
    QCOMPARE(m_ui->window().size(), QSize(641, 281));
    QCOMPARE(m_ui->window().minimumSize(), m_ui->window().maximumSize());
    const Qt::WindowFlags flags = m_ui->window().windowFlags();
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
#ifdef Q_OS_WIN
    QVERIFY(m_ui->window().windowIcon().isNull()); // the exe's own icon serves
#else
    QCOMPARE(m_ui->window().windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
#endif

    for (const char *array : {"EpromSize", "Batch"}) {
        for (int index = 0; index < 7; ++index)
            QVERIFY(!m_ui->option(array, index)->isChecked());
    }
    QVERIFY(m_ui->label("Label_SourcePath")->text().isEmpty());
    QVERIFY(m_ui->label("Label_SourceFile")->text().isEmpty());
    QVERIFY(m_ui->baseNameBox()->text().isEmpty());
    QVERIFY(!runButton()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), m_ui->button("Command_Exit"));
    QCOMPARE(m_ui->window().job().SourcePath, fallbackFolder());
}

void TestMainWindow::optionButtonsDeliverTheirIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typeCaption");
    QTest::addColumn<int>("deviceSize");
    QTest::addColumn<QString>("countCaption");

    QTest::newRow("lowest") << 0 << "2716" << 2048 << "2";
    QTest::newRow("1") << 1 << "2732" << 4096 << "3";
    QTest::newRow("2") << 2 << "2764" << 8192 << "4";
    QTest::newRow("3") << 3 << "27128" << 16384 << "5";
    QTest::newRow("4") << 4 << "27256" << 32768 << "6";
    QTest::newRow("5") << 5 << "27512" << 65536 << "7";
    QTest::newRow("highest") << 6 << "27010" << 131072 << "8";
}

void TestMainWindow::optionButtonsDeliverTheirIndex()
{
    QFETCH(int, index);
    QFETCH(QString, typeCaption);
    QFETCH(int, deviceSize);
    QFETCH(QString, countCaption);
    QVERIFY(m_ui->open());

    QRadioButton *type = m_ui->option("EpromSize", index);
    QRadioButton *count = m_ui->option("Batch", index);
    QCOMPARE(type->text(), typeCaption);
    QCOMPARE(count->text(), countCaption);
    QCOMPARE(type->group()->id(type), index);
    // The lowest button has index 0; each higher one stands 24 pixels above.
    QCOMPARE(type->y(), 168 - 24 * index);
    QCOMPARE(count->y(), type->y());

    QTest::mouseClick(type, Qt::LeftButton);
    QTest::mouseClick(count, Qt::LeftButton);
    QCOMPARE(m_ui->window().job().DeviceSize, deviceSize);
    QCOMPARE(m_ui->window().job().DeviceCount, index + 2);
}

void TestMainWindow::eachGroupIsItsOwnOptionGroup()
{
    QVERIFY(m_ui->open());
    m_ui->click(m_ui->option("Batch", 2));
    m_ui->click(m_ui->option("EpromSize", 6));
    m_ui->click(m_ui->option("EpromSize", 0));

    QVERIFY(m_ui->option("EpromSize", 0)->isChecked());
    QVERIFY(!m_ui->option("EpromSize", 6)->isChecked());
    QVERIFY(m_ui->option("Batch", 2)->isChecked());
    QCOMPARE(m_ui->window().job().DeviceSize, 2048);
    QCOMPARE(m_ui->window().job().DeviceCount, 4);
}

void TestMainWindow::runWaitsForAChosenSourceFile()
{
    remember(folder());
    QVERIFY(m_ui->open());
    m_ui->click(m_ui->option("EpromSize", 1));
    m_ui->click(m_ui->option("Batch", 1));
    m_ui->click(m_ui->baseNameBox());
    QTest::keyClicks(m_ui->baseNameBox(), QStringLiteral("rom"));
    QVERIFY(!runButton()->isEnabled());

    m_ui->browseTo(folder() + QStringLiteral("image.bin"));
    QVERIFY(runButton()->isEnabled());
}

void TestMainWindow::runButtonFollowsEveryChange_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("focusAfter");
    QTest::addColumn<QString>("baseNameAfter");

    QTest::newRow("Clear in Source File") << "clear source" << "Command_SelectSourceFile" << "image_split";
    QTest::newRow("Clear in Target Files") << "clear target" << "Text_TargetFileName" << "";
    QTest::newRow("double-click on the base name") << "double-click" << "Text_TargetFileName" << "";
    QTest::newRow("deleting the last character") << "backspace" << "Text_TargetFileName" << "";
    QTest::newRow("a lone extension, left with Tab") << "lone extension" << "Command_ClearSourceFile" << "";
}

void TestMainWindow::runButtonFollowsEveryChange()
{
    QFETCH(QString, action);
    QFETCH(QString, focusAfter);
    QFETCH(QString, baseNameAfter);
    QVERIFY(m_ui->open());
    m_ui->prepareJob(3, 2, folder() + QStringLiteral("image.bin"));
    QVERIFY(runButton()->isEnabled());
    QCOMPARE(m_ui->baseNameBox()->text(), QStringLiteral("image_split"));

    if (action == QLatin1String("clear source")) {
        m_ui->click(m_ui->button("Command_ClearSourceFile"));
        QVERIFY(m_ui->label("Label_SourcePath")->text().isEmpty());
        QVERIFY(m_ui->label("Label_SourceFile")->text().isEmpty());
        QVERIFY(m_ui->window().job().SourcePath.isEmpty());
        QVERIFY(m_ui->window().job().SourceFile.isEmpty());
    } else if (action == QLatin1String("clear target")) {
        m_ui->click(m_ui->button("Command1"));
    } else if (action == QLatin1String("double-click")) {
        QTest::mouseDClick(m_ui->baseNameBox(), Qt::LeftButton);
    } else if (action == QLatin1String("backspace")) {
        m_ui->baseNameBox()->selectAll();
        QTest::keyClick(m_ui->baseNameBox(), Qt::Key_Backspace);
    } else if (action == QLatin1String("lone extension")) {
        m_ui->baseNameBox()->selectAll();
        QTest::keyClicks(m_ui->baseNameBox(), QStringLiteral(".BIN"));
        QVERIFY(runButton()->isEnabled());
        QTest::keyClick(m_ui->baseNameBox(), Qt::Key_Tab);
    }

    QVERIFY(!runButton()->isEnabled());
    QCOMPARE(m_ui->baseNameBox()->text(), baseNameAfter);
    QCOMPARE(QApplication::focusWidget()->objectName(), focusAfter);
    QCOMPARE(m_ui->window().job().DeviceSize, 16384);
    QCOMPARE(m_ui->window().job().DeviceCount, 4);
}

void TestMainWindow::firstTypedCharacterEnablesRun()
{
    QVERIFY(m_ui->open());
    m_ui->prepareJob(0, 0, folder() + QStringLiteral("image.bin"));
    m_ui->click(m_ui->button("Command1"));
    QVERIFY(!runButton()->isEnabled());

    QTest::keyClick(m_ui->baseNameBox(), Qt::Key_G);
    QVERIFY(runButton()->isEnabled());
    QTest::keyClick(m_ui->baseNameBox(), Qt::Key_Backspace);
    QVERIFY(!runButton()->isEnabled());
}

void TestMainWindow::typedExtensionIsCutBeforeRunReadsIt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("base");
    QTest::newRow("RUN clicked: the focus leaves the box") << "game.bin" << "click" << "game";
    QTest::newRow("RUN pressed by a screen reader: the focus stays") << "game.bin" << "screen reader" << "game";
    // The clean-up cuts at the last ".bin" once, however the press arrives.
    for (const char *press : {"click", "Tab, Space", "screen reader"}) {
        QTest::addRow("a.bin.b.bin, %s", press) << "a.bin.b.bin" << press << "a.bin.b";
        QTest::addRow("my.bin.v2.bin, %s", press) << "my.bin.v2.bin" << press << "my.bin.v2";
    }
}

void TestMainWindow::typedExtensionIsCutBeforeRunReadsIt()
{
    QFETCH(QString, typed);
    QFETCH(QString, press);
    QFETCH(QString, base);
    const QByteArray image = patternImage(2 * 2048);
    QVERIFY(writeFile(folder() + QStringLiteral("image.bin"), image));
    QVERIFY(m_ui->open());
    m_ui->prepareJob(0, 0, folder() + QStringLiteral("image.bin"));
    m_ui->baseNameBox()->selectAll();
    QTest::keyClicks(m_ui->baseNameBox(), typed);

    if (press == QLatin1String("screen reader")) {
        QAccessibleInterface *run = QAccessible::queryAccessibleInterface(runButton());
        run->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(!m_ui->edges.messages.isEmpty()); // the press is animated, the click follows
        QCOMPARE(QApplication::focusWidget(), m_ui->baseNameBox());
    } else if (press == QLatin1String("Tab, Space")) {
        // Past both Clear buttons and EXIT to RUN.
        for (int stop = 0; stop < 4; ++stop)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), runButton());
        QTest::keyClick(runButton(), Qt::Key_Space);
    } else {
        m_ui->run();
    }
    QCOMPARE(m_ui->baseNameBox()->text(), base);
    QStringList written{QStringLiteral("image.bin"), base + QStringLiteral("_1.bin"), base + QStringLiteral("_2.bin")};
    written.sort();
    QCOMPARE(entriesOf(folder()), written);
    QCOMPARE(readFile(folder() + base + QStringLiteral("_1.bin")) + readFile(folder() + base + QStringLiteral("_2.bin")),
             image);
    QCOMPARE(m_ui->edges.messages.size(), 1);
    QCOMPARE(m_ui->edges.messages.constFirst(), splitDoneMessage(base, 2));
}

void TestMainWindow::dialogIsAskedForTheSameEveryTime()
{
    remember(folder());
    QVERIFY(m_ui->open());
    m_ui->browseTo(folder() + QStringLiteral("first.bin"));
    m_ui->click(m_ui->button("Command_SelectSourceFile"));

    QCOMPARE(m_ui->edges.fileRequests.size(), 2);
    for (const SourceFileRequest &request : std::as_const(m_ui->edges.fileRequests)) {
        QCOMPARE(request.title, QStringLiteral("Select Master File"));
        QCOMPARE(request.startFolder, folder());
        QCOMPARE(request.nameFilter, QStringLiteral("Binary Files (*.bin)"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("bin"));
    }
}

void TestMainWindow::goneFolderOpensTheDialogInTheFallback_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("a file is confirmed") << true;
    QTest::newRow("the dialog is cancelled") << false;
}

void TestMainWindow::goneFolderOpensTheDialogInTheFallback()
{
    QFETCH(bool, confirm);
    const QString gone = folder() + QStringLiteral("gone") + QDir::separator();
    QVERIFY(QDir().mkdir(gone));
    QVERIFY(m_ui->open());
    m_ui->browseTo(gone + QStringLiteral("old.bin"));
    QVERIFY(QDir(gone).removeRecursively());

    if (confirm)
        m_ui->edges.chosenFiles.enqueue(folder() + QStringLiteral("new.bin"));
    m_ui->click(m_ui->button("Command_SelectSourceFile"));

    QCOMPARE(m_ui->edges.fileRequests.last().startFolder, fallbackFolder());
    const QString shownFolder = confirm ? folder() : gone;
    QCOMPARE(m_ui->window().job().SourcePath, shownFolder);
    QCOMPARE(m_ui->label("Label_SourcePath")->text(), shownFolder);
    QCOMPARE(m_ui->label("Label_SourceFile")->text(),
             confirm ? QStringLiteral("new.bin") : QStringLiteral("old.bin"));
}

void TestMainWindow::chosenFileFillsFieldsAndProposal_data()
{
    QTest::addColumn<QString>("chosen"); // relative to the test folder, or absolute
    QTest::addColumn<QString>("sourceFile");
    QTest::addColumn<QString>("proposal");

    QTest::newRow("an image") << "game.bin" << "game.bin" << "game_split";
    QTest::newRow("a file that does not exist yet") << "later.bin" << "later.bin" << "later_split";
    QTest::newRow("dots in the name") << "long.name.bin" << "long.name.bin" << "long.name_split";
    QTest::newRow("other extension") << "archive.jpeg" << "archive.jpeg" << "archive._split";
#ifdef Q_OS_WIN
    QTest::newRow("at the root of a drive") << "c:\\x.bin" << "x.bin" << "x_split";
#else
    QTest::newRow("at the root") << "/x.bin" << "x.bin" << "x_split";
#endif
}

void TestMainWindow::chosenFileFillsFieldsAndProposal()
{
    QFETCH(QString, chosen);
    QFETCH(QString, sourceFile);
    QFETCH(QString, proposal);
    const QString path = QDir::isAbsolutePath(chosen) ? chosen : folder() + chosen;
    const QString sourceFolder = path.left(path.size() - sourceFile.size());
    QVERIFY(m_ui->open());
    m_ui->click(m_ui->option("EpromSize", 0));
    m_ui->click(m_ui->option("Batch", 0));

    m_ui->browseTo(path);
    QCOMPARE(m_ui->window().job().SourcePath, sourceFolder);
    QCOMPARE(m_ui->window().job().SourceFile, sourceFile);
    QCOMPARE(m_ui->label("Label_SourcePath")->text(), sourceFolder);
    QCOMPARE(m_ui->label("Label_SourceFile")->text(), sourceFile);
    QCOMPARE(m_ui->baseNameBox()->text(), proposal);
    QCOMPARE(QApplication::focusWidget(), m_ui->baseNameBox());
    QCOMPARE(m_ui->baseNameBox()->cursorPosition(), proposal.size());
    QVERIFY(!m_ui->baseNameBox()->hasSelectedText());
    QVERIFY(runButton()->isEnabled());
}

void TestMainWindow::sameFileTwiceProposesTheNameAgain()
{
    QVERIFY(m_ui->open());
    m_ui->browseTo(folder() + QStringLiteral("game.bin"));
    QTest::keyClicks(m_ui->baseNameBox(), QStringLiteral("_edited"));
    QCOMPARE(m_ui->baseNameBox()->text(), QStringLiteral("game_split_edited"));

    m_ui->browseTo(folder() + QStringLiteral("game.bin"));
    QCOMPARE(m_ui->baseNameBox()->text(), QStringLiteral("game_split"));
    QCOMPARE(m_ui->window().job().SourcePath, folder());
    QCOMPARE(m_ui->window().job().SourceFile, QStringLiteral("game.bin"));
}

void TestMainWindow::shortFileNameKeepsTheBaseName()
{
    QVERIFY(m_ui->open());
    m_ui->browseTo(folder() + QStringLiteral("game.bin"));
    m_ui->click(m_ui->button("Command_ClearSourceFile"));

    m_ui->browseTo(folder() + QStringLiteral("a.b"));
    QCOMPARE(m_ui->label("Label_SourcePath")->text(), folder());
    QCOMPARE(m_ui->label("Label_SourceFile")->text(), QStringLiteral("a.b"));
    QCOMPARE(m_ui->window().job().SourceFile, QStringLiteral("a.b"));
    QCOMPARE(m_ui->baseNameBox()->text(), QStringLiteral("game_split"));
    QCOMPARE(QApplication::focusWidget(), m_ui->button("Command_SelectSourceFile"));
}

void TestMainWindow::cancelChangesNothing()
{
    QVERIFY(m_ui->open());
    m_ui->prepareJob(1, 1, folder() + QStringLiteral("game.bin"));
    m_ui->click(m_ui->button("Command_SelectSourceFile"));

    QCOMPARE(m_ui->window().job().SourcePath, folder());
    QCOMPARE(m_ui->window().job().SourceFile, QStringLiteral("game.bin"));
    QCOMPARE(m_ui->label("Label_SourceFile")->text(), QStringLiteral("game.bin"));
    QCOMPARE(m_ui->baseNameBox()->text(), QStringLiteral("game_split"));
    QCOMPARE(QApplication::focusWidget(), m_ui->button("Command_SelectSourceFile"));
    QVERIFY(runButton()->isEnabled());
}

void TestMainWindow::typicalUseEndToEnd()
{
    const QString startFolder = folder() + QStringLiteral("start") + QDir::separator();
    const QString workFolder = folder() + QStringLiteral("work") + QDir::separator();
    QVERIFY(QDir().mkpath(startFolder));
    QVERIFY(QDir().mkpath(workFolder));
    const QByteArray image = patternImage(131072);
    QVERIFY(writeFile(workFolder + QStringLiteral("game.bin"), image));
    remember(startFolder);
    QVERIFY(m_ui->open());

    m_ui->click(m_ui->option("EpromSize", 4)); // 27256
    m_ui->click(m_ui->option("Batch", 2));     // 4 devices
    m_ui->browseTo(workFolder + QStringLiteral("game.bin"));
    QCOMPARE(m_ui->edges.fileRequests.constFirst().startFolder, startFolder);
    QCOMPARE(m_ui->baseNameBox()->text(), QStringLiteral("game_split"));
    QVERIFY(runButton()->isEnabled());

    m_ui->edges.answers.enqueue(MessageAnswer::Yes);
    m_ui->run();
    for (int number = 1; number <= 4; ++number) {
        const QString piece = workFolder + QStringLiteral("game_split_%1.bin").arg(number);
        QCOMPARE(readFile(piece), image.mid((number - 1) * 32768, 32768));
    }
    QCOMPARE(m_ui->edges.messages, QList<Message>{splitDoneMessage(QStringLiteral("game_split"), 4)});
    QCOMPARE(m_ui->edges.messages.constFirst().text,
             QStringLiteral("The files game_split_(1 to 4).bin have been created.\n\n"
                            "Do you want to open the target folder ?"));
    QCOMPARE(m_ui->edges.openedFolders, QStringList{workFolder});

    m_ui->click(m_ui->button("Command_Exit"));
    QVERIFY(!m_ui->window().isVisible());
    QCOMPARE(remembered(), workFolder);

    QVERIFY(m_ui->open());
    m_ui->click(m_ui->button("Command_SelectSourceFile"));
    QCOMPARE(m_ui->edges.fileRequests.last().startFolder, workFolder);
}

void TestMainWindow::runOutcomesShowTheirBoxes_data()
{
    QTest::addColumn<int>("imageSize"); // -1: no image at all
    QTest::addColumn<QList<MessageAnswer>>("answers");
    QTest::addColumn<bool>("folderOpens");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<bool>("filesCreated");

    const QList<MessageAnswer> yes{MessageAnswer::Yes};
    QTest::newRow("one byte short") << 4095 << yes << true << QStringList{"File Size Error"} << false;
    QTest::newRow("source gone") << -1 << yes << true << QStringList{"Error"} << false;
    QTest::newRow("No opens nothing") << 4096 << QList<MessageAnswer>{MessageAnswer::No} << true
                                      << QStringList{"Splitting Done"} << true;
    QTest::newRow("file browser does not start")
        << 4096 << yes << false << QStringList{"Splitting Done", "Error"} << true;
}

void TestMainWindow::runOutcomesShowTheirBoxes()
{
    QFETCH(int, imageSize);
    QFETCH(QList<MessageAnswer>, answers);
    QFETCH(bool, folderOpens);
    QFETCH(QStringList, titles);
    QFETCH(bool, filesCreated);
    if (imageSize >= 0)
        QVERIFY(writeFile(folder() + QStringLiteral("image.bin"), patternImage(imageSize)));
    QVERIFY(m_ui->open());
    m_ui->prepareJob(0, 0, folder() + QStringLiteral("image.bin"));
    m_ui->edges.answers.append(answers);
    m_ui->edges.folderOpens = folderOpens;

    m_ui->run();
    QStringList shown;
    for (const Message &message : std::as_const(m_ui->edges.messages))
        shown.append(message.title);
    QCOMPARE(shown, titles);
    if (titles.constFirst() == QLatin1String("File Size Error"))
        QCOMPARE(m_ui->edges.messages.constFirst(), sizeMismatchMessage(m_ui->window().job()));
    QCOMPARE(m_ui->window().job().FilesCreated, filesCreated);
    QCOMPARE(QFileInfo::exists(folder() + QStringLiteral("image_split_1.bin")), filesCreated);
    QVERIFY(runButton()->isEnabled());
}

void TestMainWindow::closingSavesTheFolderOnlyAfterASplit_data()
{
    QTest::addColumn<bool>("split");
    QTest::addColumn<bool>("clearAfterwards");
    QTest::addColumn<bool>("closeBox"); // close the window other than through EXIT
    QTest::addColumn<QString>("stored"); // "folder" stands for the test folder

    QTest::newRow("split, EXIT") << true << false << false << "folder";
    QTest::newRow("split, close box") << true << false << true << "folder";
    QTest::newRow("browsed only") << false << false << false << "(nothing)";
    QTest::newRow("split, then source cleared") << true << true << false << "";
}

void TestMainWindow::closingSavesTheFolderOnlyAfterASplit()
{
    QFETCH(bool, split);
    QFETCH(bool, clearAfterwards);
    QFETCH(bool, closeBox);
    QFETCH(QString, stored);
    QVERIFY(writeFile(folder() + QStringLiteral("image.bin"), patternImage(4096)));
    QVERIFY(m_ui->open());
    m_ui->prepareJob(0, 0, folder() + QStringLiteral("image.bin"));
    if (split)
        m_ui->run();
    if (clearAfterwards)
        m_ui->click(m_ui->button("Command_ClearSourceFile"));

    if (closeBox)
        QVERIFY(m_ui->window().windowHandle()->close()); // the way a title bar's close box asks
    else
        m_ui->click(m_ui->button("Command_Exit"));
    QVERIFY(!m_ui->window().isVisible());
    QCOMPARE(remembered(), stored == QLatin1String("folder") ? folder() : stored);
}

QUORVANE_TEST_MAIN(TestMainWindow, QApplication)
#include "tst_main_window.moc"
