#include "tree_snapshot.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::fuzz {

namespace {

[[noreturn]] void cannot(const char *what, const QByteArray &path)
{
    std::fprintf(stderr, "fuzz_split_run: cannot %s %s\n", what, path.constData());
    std::abort();
}

QByteArray linkTarget(const QByteArray &path)
{
    char target[4096];
    const ssize_t length = ::readlink(path.constData(), target, sizeof target);
    if (length < 0)
        cannot("read the link", path);
    return QByteArray(target, length);
}

void walk(const QByteArray &root, const QByteArray &relative, TreeSnapshot &snapshot)
{
    const QByteArray folder = relative.isEmpty() ? root : root + '/' + relative;
    const std::unique_ptr<DIR, int (*)(DIR *)> listing(::opendir(folder.constData()), ::closedir);
    if (!listing)
        cannot("list", folder);
    while (const dirent *entry = ::readdir(listing.get())) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = relative.isEmpty() ? name : relative + '/' + name;
        const QByteArray full = root + '/' + path;
        struct stat status = {};
        if (::lstat(full.constData(), &status) != 0)
            cannot("look at", full);
        TreeNode node;
        node.permissions = status.st_mode & 07777;
        if (S_ISREG(status.st_mode)) {
            node.type = TreeNode::Type::File;
            node.data = fileContents(full);
        } else if (S_ISDIR(status.st_mode)) {
            node.type = TreeNode::Type::Folder;
            walk(root, path, snapshot);
        } else if (S_ISLNK(status.st_mode)) {
            node.type = TreeNode::Type::Link;
            node.permissions = 0; // the system's to choose
            node.data = linkTarget(full);
        } else if (S_ISFIFO(status.st_mode)) {
            node.type = TreeNode::Type::Fifo;
        }
        snapshot.insert(path, node);
    }
}

} // namespace

QByteArray fileContents(const QByteArray &path)
{
    const int handle = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (handle < 0)
        cannot("open", path);
    QByteArray contents;
    char buffer[65536];
    ssize_t got = 0;
    while ((got = ::read(handle, buffer, sizeof buffer)) > 0)
        contents.append(buffer, got);
    ::close(handle);
    if (got < 0)
        cannot("read", path);
    return contents;
}

TreeSnapshot snapshotTree(const QByteArray &root)
{
    TreeSnapshot snapshot;
    walk(root, QByteArray(), snapshot);
    return snapshot;
}

const TreeNode *nodeAt(const TreeSnapshot &snapshot, const QByteArray &path)
{
    const auto entry = snapshot.constFind(path);
    return entry == snapshot.cend() ? nullptr : &*entry;
}

QByteArray describeNode(const TreeNode *node)
{
    if (!node)
        return "missing";
    switch (node->type) {
    case TreeNode::Type::File:
        return "file of " + QByteArray::number(node->data.size()) + " bytes";
    case TreeNode::Type::Folder:
        return "folder";
    case TreeNode::Type::Link:
        return "link to " + node->data;
    case TreeNode::Type::Fifo:
        return "FIFO";
    case TreeNode::Type::Other:
        break;
    }
    return "something else";
}

} // namespace quorvane::fuzz
