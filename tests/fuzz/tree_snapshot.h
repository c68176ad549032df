#pragma once

#include <QByteArray>
#include <QMap>

namespace quorvane::fuzz {

// One entry of a folder tree as the system has it, read without following
// links.
struct TreeNode
{
    enum class Type { File, Folder, Link, Fifo, Other };
    Type type = Type::Other;
    unsigned permissions = 0; // of anything but a link
    QByteArray data; // a file's contents, a link's target

    friend bool operator==(const TreeNode &, const TreeNode &) = default;
};

// Every entry below `root`, by its path relative to `root` in the system's
// own bytes: names are never decoded, so a name that changed in the trip
// from text to bytes shows as the name it became.
using TreeSnapshot = QMap<QByteArray, TreeNode>;

TreeSnapshot snapshotTree(const QByteArray &root);

// The whole of the plain file at `path`, read without following a link.
QByteArray fileContents(const QByteArray &path);

// The entry at `path`, or null when there is none.
const TreeNode *nodeAt(const TreeSnapshot &snapshot, const QByteArray &path);

// For a message: "missing", "file of 5 bytes", "link to x", ...
QByteArray describeNode(const TreeNode *node);

} // namespace quorvane::fuzz
