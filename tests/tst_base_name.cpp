#include "engine/base_name.h"
#include "support/isolated_test_main.h"

#include <QCoreApplication>

using namespace quorvane;

class TestBaseName : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedExtensionIsCut_data();
    void typedExtensionIsCut();
    void proposalForSourceFile_data();
    void proposalForSourceFile();
};

void TestBaseName::typedExtensionIsCut_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cleaned");

    QTest::newRow("empty") << "" << "";
    QTest::newRow("lower-case extension") << "rom.bin" << "rom";
    QTest::newRow("mixed case") << "ROM.Bin" << "ROM";
    QTest::newRow("upper case") << "Rom.BIN" << "Rom";
    QTest::newRow("no dot") << "rom_bin" << "rom_bin";
    QTest::newRow("last of two") << "a.bin.b.bin" << "a.bin.b";
    QTest::newRow("text after it") << "a.bin.old" << "a";
    QTest::newRow("longer word") << "game.binary" << "game";
    QTest::newRow("only the extension") << ".bin" << "";
    QTest::newRow("other extension") << "rom.hex" << "rom.hex";
    QTest::newRow("dot-less end") << "bin" << "bin";
    // Lower-casing U+0130 by full case mapping yields two characters; the cut
    // must still land on the dot of the original text.
    QTest::newRow("dotted capital I") << QStringLiteral("\u0130\u0130.BIN") << QStringLiteral("\u0130\u0130");
}

void TestBaseName::typedExtensionIsCut()
{
    QFETCH(QString, typed);
    QFETCH(QString, cleaned);
    QCOMPARE(cleanedBaseName(typed), cleaned);
}

void TestBaseName::proposalForSourceFile_data()
{
    QTest::addColumn<QString>("sourceFile");
    QTest::addColumn<bool>("proposed");
    QTest::addColumn<QString>("baseName");

    QTest::newRow("game.bin") << "game.bin" << true << "game_split";
    QTest::newRow("x.bin") << "x.bin" << true << "x_split";
    QTest::newRow("other extension") << "rom.hex" << true << "rom_split";
    QTest::newRow("two dots") << "long.name.bin" << true << "long.name_split";
    QTest::newRow("long extension") << "archive.jpeg" << true << "archive._split";
    QTest::newRow("exactly four") << ".bin" << true << "_split";
    QTest::newRow("three characters") << "a.b" << false << "";
    QTest::newRow("empty") << "" << false << "";
    // U+1F4BE (floppy disk) is one character in two UTF-16 units.
    QTest::newRow("wide character kept whole")
        << QStringLiteral("a\U0001F4BEbcd") << true << QStringLiteral("a_split");
    QTest::newRow("wide character cut whole")
        << QStringLiteral("ab\U0001F4BE.b") << true << QStringLiteral("a_split");
}

void TestBaseName::proposalForSourceFile()
{
    QFETCH(QString, sourceFile);
    QFETCH(bool, proposed);
    QFETCH(QString, baseName);

    const std::optional<QString> proposal = proposedBaseName(sourceFile);
    QCOMPARE(proposal.has_value(), proposed);
    if (proposed)
        QCOMPARE(*proposal, baseName);
}

QUORVANE_TEST_MAIN(TestBaseName, QCoreApplication)
#include "tst_base_name.moc"
