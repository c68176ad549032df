#pragma once

#include "engine/source_image.h"

#include <QString>
#include <QStringList>

#ifndef Q_OS_WIN
#include <QByteArray>

#include <sys/types.h>

#include <vector>
#endif

namespace quorvane {

// The files a split writes its pieces to, in order. Every piece is checked
// before any is emptied, and a split that is refused or fails leaves only
// the pieces it finished.
class PieceFiles
{
public:
    PieceFiles() = default;
    PieceFiles(const PieceFiles &) = delete;
    PieceFiles &operator=(const PieceFiles &) = delete;
    ~PieceFiles();

    // Whether every piece of `paths` may be written; when one may not,
    // nothing is written and the folder is left as it was.
    bool open(const QStringList &paths, const SourceImage &source);

    // Writes piece `index` (from 0) as exactly `size` bytes and flushes it to
    // its device. When that fails, the piece is removed, incomplete, with any
    // later piece that this split made.
    bool write(qsizetype index, const char *data, qint32 size);

    // Puts the names of the written pieces on the device and closes them.
    bool finish();

private:
#ifdef Q_OS_WIN
    QStringList m_paths;
#else
    struct Piece
    {
        QByteArray name;
        int descriptor = -1;
        bool created = false; // by this split
        off_t sizeBefore = 0;
        dev_t device = 0;
        ino_t inode = 0;
    };

    bool openPiece(Piece &piece, const SourceImage &source) const;
    void abandon(qsizetype failed);

    std::vector<Piece> m_pieces;
    QString m_folder;
#endif
};

} // namespace quorvane
