#pragma once

#include "split_input.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace quorvane::fuzz {

// The folders a run works in, laid out anew for every input under a root of
// their own, in the system's bytes:
//   scratch/a/b/          the image's folder: a base name may climb twice and stay inside
//   scratch/keep/other    a file elsewhere in the scratch tree
//   outside/target        the sentinel: what links out of the scratch folder reach
class ScratchArea
{
public:
    // `root` exists, is empty and is the area's alone; it is taken with its
    // links resolved, so that a path's spelling is where it leads.
    explicit ScratchArea(const QByteArray &root);

    const QByteArray &root() const { return m_root; }
    QByteArray imageFolder() const { return m_root + "/scratch/a/b/"; }

    // The path relative to the root that `path` names by its spelling alone,
    // or nothing when that leaves the scratch folder. With no links on the
    // way (entries stand only at the pieces' own names) the spelling is where
    // the system goes.
    std::optional<QByteArray> insideScratch(const QByteArray &path) const;

    // Empties the area, then writes the image and makes what the input asks
    // for around `pieces`, the pieces' names. A name that no file can have
    // (one with NUL) gets nothing; a step the system refuses is left out.
    void prepare(const SplitInput &input, const QByteArray &image, const QList<QByteArray> &pieces) const;

private:
    // Whether the system made it.
    bool makeEntry(const Entry &entry, const SplitInput &input, const QList<QByteArray> &pieces) const;
    void makeFoldersUpTo(const QByteArray &path) const;

    QByteArray m_root;
};

} // namespace quorvane::fuzz
