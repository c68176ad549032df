#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace quorvane::fuzz {

// What may stand at a piece's name before the run.
enum class EntryKind {
    PlainFile, // `arg` fills it; odd `arg`: one chip's worth, even: five bytes
    LinkToSource, // odd `arg`: by its absolute path, even: by its bare name
    LinkToPiece, // to the piece numbered by `arg`
    LinkOutside, // to the sentinel file outside the scratch folder
    DanglingLink, // to a missing name outside
    LinkToOutsideFolder, // to the sentinel folder
    HardLinkToSource,
    HardLinkToPiece, // to the piece numbered by `arg`, made first if missing
    HardLinkOutside, // to the sentinel file
    HardLinkElsewhere, // to a file in another folder of the scratch tree
    Folder,
    Fifo,
};
inline constexpr int entryKinds = 12;

struct Entry
{
    EntryKind kind;
    int piece; // 1-based
    quint8 arg;
};

// One run, as the fuzzer's bytes choose it:
//   byte 0   device: 0-6 the catalogue's row, 7 no bytes, 8 a negative size, 9 a size whose bank overflows
//   byte 1   count: 0-6 two to eight chips, 7 none, 8 one, 9 ten, 10 a negative count, 11 the largest
//   byte 2   bits 0-1: image one byte short (2), one byte long (3), else exact; bit 2: the image is named
//            rom_2.bin rather than image.bin; bit 3: the pieces' folder is made first
//   byte 3   the number of name tokens that follow (see split_input.cpp)
//   then     three bytes for each entry made before the run: kind, piece, arg
struct SplitInput
{
    qint32 deviceSize = 0;
    qint16 deviceCount = 0;
    int imageDelta = 0; // bytes more than the bank
    QString sourceFile;
    bool makePieceFolder = false;
    QString baseName;
    QList<Entry> entries;
};

SplitInput decodeSplitInput(const quint8 *data, size_t size);

} // namespace quorvane::fuzz
