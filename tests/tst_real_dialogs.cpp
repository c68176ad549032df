// The message box and the open-file dialog as Qt really shows them, answered
// with key presses while they are open.

#include "support/isolated_test_main.h"
#include "ui/qt_platform_edges.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

using namespace quorvane;

class TestRealDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void messageBoxIsAnsweredByKey_data();
    void messageBoxIsAnsweredByKey();
    void typedFileNameIsReturned_data();
    void typedFileNameIsReturned();
    void nameInMissingFolderKeepsTheDialogOpen();
    void typedPatternFiltersTheList_data();
    void typedPatternFiltersTheList();

private:
    // Runs `act` on the dialog that opens next, once it is up and modal.
    static void whenModalOpens(std::function<void(QWidget *)> act);
    static void typeFileName(QWidget *dialog, const QString &name);
    // The names of the files, not folders, that the dialog's list shows.
    static QStringList shownFiles(QWidget *dialog);
    // Opens the source dialog, as the window sets it up, in `folder`.
    static std::optional<QString> chooseIn(const QString &folder)
    {
        QtPlatformEdges edges;
        return edges.chooseSourceFile(nullptr, {QStringLiteral("Select Master File"), folder,
                                                QStringLiteral("Binary Files (*.bin)"), QStringLiteral("bin")});
    }
};

void TestRealDialogs::whenModalOpens(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, qApp, [act = std::move(act)] {
        QWidget *dialog = nullptr;
        if (!QTest::qWaitFor([&dialog] { return (dialog = QApplication::activeModalWidget()) != nullptr; }))
            qFatal("no modal dialog opened");
        act(dialog);
    });
}

void TestRealDialogs::typeFileName(QWidget *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!edit) // a failed check here would leave the dialog open for good
        qFatal("the file dialog has no name box");
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
}

QStringList TestRealDialogs::shownFiles(QWidget *dialog)
{
    const auto *list = dialog->findChild<QListView *>(QStringLiteral("listView"));
    const auto *model = list ? qobject_cast<const QFileSystemModel *>(list->model()) : nullptr;
    if (!model) // a failed check here would leave the dialog open for good
        qFatal("the file dialog has no list of files");
    QStringList names;
    for (int row = 0; row < model->rowCount(list->rootIndex()); ++row) {
        const QModelIndex entry = model->index(row, 0, list->rootIndex());
        if (!model->isDir(entry))
            names.append(model->fileName(entry));
    }
    names.sort();
    return names;
}

void TestRealDialogs::messageBoxIsAnsweredByKey_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");

    const int yesNo = static_cast<int>(MessageButtons::YesNo);
    const int ok = static_cast<int>(MessageButtons::Ok);
    QTest::newRow("Enter takes the default, Yes") << yesNo << int(Qt::Key_Return) << int(MessageAnswer::Yes);
    QTest::newRow("Escape answers No") << yesNo << int(Qt::Key_Escape) << int(MessageAnswer::No);
    QTest::newRow("Enter closes an OK box") << ok << int(Qt::Key_Return) << int(MessageAnswer::Ok);
}

void TestRealDialogs::messageBoxIsAnsweredByKey()
{
    QFETCH(int, buttons);
    QFETCH(int, key);
    QFETCH(int, answer);
    const Message message{QStringLiteral("Splitting Done"), QStringLiteral("The files <b>rom</b>_(1 to 4).bin\n\nOK ?"),
                          static_cast<MessageButtons>(buttons)};

    QString seenTitle;
    QString seenText;
    QMessageBox::Icon seenIcon = QMessageBox::Warning;
    QList<QMessageBox::StandardButton> seenButtons;
    whenModalOpens([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        if (!box) // a failed check here would leave the dialog open for good
            qFatal("a message box was expected");
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        for (QAbstractButton *button : box->buttons())
            seenButtons.append(box->standardButton(button));
        QTest::keyClick(box, static_cast<Qt::Key>(key));
    });
    QtPlatformEdges edges;
    QCOMPARE(static_cast<int>(edges.showMessage(nullptr, message)), answer);

    QCOMPARE(seenTitle, message.title);
    QCOMPARE(seenText, message.text);
    QCOMPARE(seenIcon, QMessageBox::NoIcon);
    std::sort(seenButtons.begin(), seenButtons.end());
    using Buttons = QList<QMessageBox::StandardButton>;
    const Buttons expected = message.buttons == MessageButtons::YesNo ? Buttons{QMessageBox::Yes, QMessageBox::No}
                                                                      : Buttons{QMessageBox::Ok};
    QCOMPARE(seenButtons, expected);
}

void TestRealDialogs::typedFileNameIsReturned_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("returned");

    QTest::newRow("an existing image") << "image.bin" << "image.bin";
    QTest::newRow("no extension: bin is added") << "game" << "game.bin";
    QTest::newRow("a file that does not exist yet") << "later.bin" << "later.bin";
#ifndef Q_OS_WIN
    QTest::newRow("from the home folder on") << "~/later.bin" << "later.bin";
#endif
}

void TestRealDialogs::typedFileNameIsReturned()
{
    QFETCH(QString, typed);
    QFETCH(QString, returned);
    QTemporaryDir folder;
    QFile image(folder.filePath(QStringLiteral("image.bin")));
    QVERIFY(image.open(QIODevice::WriteOnly));
    image.close();

    QString title;
    whenModalOpens([&](QWidget *dialog) {
        title = dialog->windowTitle();
        typeFileName(dialog, typed.startsWith(u'~') ? typed : folder.filePath(typed));
    });
    const std::optional<QString> chosen = chooseIn(folder.path());
    const QDir base(typed.startsWith(u'~') ? QDir::homePath() : folder.path());

    QCOMPARE(title, QStringLiteral("Select Master File"));
    QVERIFY(chosen);
    QCOMPARE(*chosen, QDir::toNativeSeparators(base.filePath(returned)));
}

void TestRealDialogs::nameInMissingFolderKeepsTheDialogOpen()
{
    QTemporaryDir folder;
    QString warning;
    bool stillOpen = false;
    whenModalOpens([&](QWidget *dialog) {
        whenModalOpens([&warning](QWidget *box) {
            warning = qobject_cast<QMessageBox *>(box) ? qobject_cast<QMessageBox *>(box)->text() : QString();
            QTest::keyClick(box, Qt::Key_Return);
        });
        typeFileName(dialog, folder.filePath(QStringLiteral("missing/game.bin")));
        stillOpen = dialog->isVisible();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    const std::optional<QString> chosen = chooseIn(folder.path());

    QVERIFY(warning.contains(QDir::toNativeSeparators(folder.filePath(QStringLiteral("missing")))));
    QVERIFY(stillOpen);
    QVERIFY(!chosen);
}

void TestRealDialogs::typedPatternFiltersTheList_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("shown");

    const QStringList hex{QStringLiteral("rom.hex"), QStringLiteral("ron.hex")};
    QTest::newRow("another extension") << "*.hex" << "*.hex" << hex;
    QTest::newRow("everything: no extension is added") << "*" << "*" << QStringList{"1", "game.bin", "my", "my rom1.bin", "rom.hex", "ron.hex", "x(1)", "x[1]"};
    QTest::newRow("one character open") << "ro?.hex" << "ro?.hex" << hex;
    QTest::newRow("in a folder below") << "sub/*.hex" << "*.hex" << QStringList{"low.hex"};
    QTest::newRow("a space is part of the pattern") << "my rom*.bin" << "my rom*.bin" << QStringList{"my rom1.bin"};
    QTest::newRow("brackets are part of the pattern") << "*(1)" << "*(1)" << QStringList{"x(1)"};
    // As a wildcard, [1] would stand for the character 1 and show "1".
    QTest::newRow("square brackets are part of the pattern") << "*[1]" << "*[1]" << QStringList{"x[1]"};
}

void TestRealDialogs::typedPatternFiltersTheList()
{
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QStringList, shown);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    for (const char *name : {"1", "game.bin", "my", "my rom1.bin", "rom.hex", "ron.hex", "x(1)", "x[1]", "sub/low.hex"})
        QVERIFY(QFile(folder.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly));

    bool stillOpen = false;
    QString shownFilter;
    QString shownFolder;
    QStringList shownNames;
    QStringList shownAgain;
    whenModalOpens([&](QWidget *dialog) {
        typeFileName(dialog, typed);
        stillOpen = dialog->isVisible();
        shownFilter = qobject_cast<QFileDialog *>(dialog)->selectedNameFilter();
        shownFolder = qobject_cast<QFileDialog *>(dialog)->directory().absolutePath();
        // The list fills in the background.
        [[maybe_unused]] bool settled = QTest::qWaitFor([&] { return (shownNames = shownFiles(dialog)) == shown; });
        // The file types chosen from the keyboard, then the pattern again.
        if (auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))) {
            QTest::keyClick(types, Qt::Key_Up);
            settled = QTest::qWaitFor([&] { return shownFiles(dialog) != shown; });
            QTest::keyClick(types, Qt::Key_Down);
            settled = QTest::qWaitFor([&] { return (shownAgain = shownFiles(dialog)) == shown; });
        }
        typeFileName(dialog, QStringLiteral("rom.hex"));
    });
    const std::optional<QString> chosen = chooseIn(folder.path());

    QVERIFY(stillOpen);
    QCOMPARE(shownFilter, filter);
    QCOMPARE(shownNames, shown);
    QCOMPARE(shownAgain, shown);
    const QString expectedFolder = QFileInfo(QDir(folder.path()).filePath(typed)).absolutePath();
    QCOMPARE(shownFolder, expectedFolder);
    QVERIFY(chosen);
    QCOMPARE(*chosen, QDir::toNativeSeparators(expectedFolder + QStringLiteral("/rom.hex")));
}

QUORVANE_TEST_MAIN(TestRealDialogs, QApplication)
#include "tst_real_dialogs.moc"
