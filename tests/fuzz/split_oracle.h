#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>

namespace quorvane::fuzz {

// The pieces that coreutils' split cuts from an image: what a run that says
// it is done must have written. Split runs in a folder of its own, once for
// each image and piece size, which are few.
class SplitOracle
{
public:
    // `folder` exists, is empty and is the oracle's alone. Stops the process
    // when split cannot be run: a check without its oracle checks nothing.
    explicit SplitOracle(QByteArray folder);

    const QList<QByteArray> &pieces(const QByteArray &image, qint32 pieceSize);

private:
    QList<QByteArray> cut(const QByteArray &image, qint32 pieceSize) const;

    QByteArray m_folder;
    QMap<QPair<qint32, QByteArray>, QList<QByteArray>> m_cut;
};

} // namespace quorvane::fuzz
