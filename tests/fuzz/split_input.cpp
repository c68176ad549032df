#include "split_input.h"

#include "engine/device_catalogue.h"

#include <array>
#include <limits>

namespace quorvane::fuzz {

namespace {

// Reads the fuzzer's bytes front to back; past the end every byte is 0, so
// that any prefix of an input is an input too.
class Cursor
{
public:
    Cursor(const quint8 *data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool atEnd() const { return m_next >= m_size; }
    quint8 next() { return atEnd() ? 0 : m_data[m_next++]; }

private:
    const quint8 *m_data;
    size_t m_size;
    size_t m_next = 0;
};

qint32 deviceSizeFor(quint8 choice)
{
    const int row = choice % 10;
    if (row < static_cast<int>(deviceCatalogue.size()))
        return deviceCatalogue[static_cast<std::size_t>(row)].bytes;
    constexpr std::array<qint32, 3> invalid{0, -2048, 0x40000000};
    return invalid[static_cast<std::size_t>(row) - deviceCatalogue.size()];
}

qint16 deviceCountFor(quint8 choice)
{
    const int row = choice % 12;
    if (row < deviceCountChoices)
        return static_cast<qint16>(row + smallestDeviceCount);
    constexpr std::array<qint16, 5> invalid{0, 1, 10, -3, std::numeric_limits<qint16>::max()};
    return invalid[static_cast<std::size_t>(row - deviceCountChoices)];
}

// One token of the base name. Single bytes below 0x80 are that code unit, NUL,
// control characters and separators included; a few bytes stand for the
// pieces a fuzzer would hardly assemble unit by unit; the rest take the next
// two bytes as any UTF-16 code unit, lone surrogates included.
QString nameToken(Cursor &in)
{
    const quint8 token = in.next();
    if (token < 0x80)
        return QString(QChar(token));
    switch (token) {
    case 0x80:
        return QStringLiteral("..");
    case 0x81:
        return QStringLiteral(".bin");
    case 0x82:
        return QStringLiteral(".BiN");
    case 0x83:
        return QStringLiteral("rom");
    case 0x84:
        return QStringLiteral("image");
    case 0x85:
        return QString(120, u'x');
    case 0x86:
        return QString(QChar(0x00e9));
    case 0x87:
        return QString(QChar(0x4e00));
    case 0x88:
        return QString::fromUcs4(U"\U0001F600");
    case 0x89:
        return QString(QChar(0xd800));
    case 0x8a:
        return QString(QChar(0xdc00));
    default:
        const int high = in.next();
        return QString(QChar(static_cast<char16_t>(high << 8 | in.next())));
    }
}

} // namespace

SplitInput decodeSplitInput(const quint8 *data, size_t size)
{
    Cursor in(data, size);
    SplitInput input;
    input.deviceSize = deviceSizeFor(in.next());
    input.deviceCount = deviceCountFor(in.next());
    const quint8 flags = in.next();
    input.imageDelta = (flags & 3) == 2 ? -1 : (flags & 3) == 3 ? 1 : 0;
    input.sourceFile = flags & 4 ? QStringLiteral("rom_2.bin") : QStringLiteral("image.bin");
    input.makePieceFolder = flags & 8;
    // A name cut short by the end of the input ends there.
    for (int tokens = in.next(); tokens > 0 && !in.atEnd(); --tokens)
        input.baseName += nameToken(in);
    // Entries name pieces a run of any count could write, and a few beyond.
    const int pieces = qBound(1, int{input.deviceCount}, 12);
    while (!in.atEnd()) {
        const auto kind = static_cast<EntryKind>(in.next() % entryKinds);
        const int piece = in.next() % pieces + 1;
        input.entries.append(Entry{kind, piece, in.next()});
    }
    return input;
}

} // namespace quorvane::fuzz
