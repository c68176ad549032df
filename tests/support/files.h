#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace quorvane::test {

// An image whose bytes differ from offset to offset and from piece to piece,
// so that a swapped, shifted or repeated piece cannot go unnoticed.
inline QByteArray patternImage(qsizetype size)
{
    QByteArray image(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        image[i] = static_cast<char>((i * 31 + i / 251 + 7) & 0xff);
    return image;
}

inline bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(contents) == contents.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Everything in a folder (files, folders, FIFOs, links), by name.
inline QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                                  QDir::Name);
}

} // namespace quorvane::test
