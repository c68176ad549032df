#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace quorvane::test {

// Real faults from the operating system, set up in a child process so that
// they bind (root ignores permission bits, but not these) and end with it.
struct ChildFaults
{
    // Drop to the unprivileged user "nobody" (when running as root).
    bool unprivileged = false;
    // The largest file the child may write (RLIMIT_FSIZE), with SIGXFSZ
    // ignored so that a write past it fails instead of killing the child.
    std::optional<long> fileSizeLimit;
    // Mount a file system of this many bytes on `fullFolder`, in a mount
    // namespace of the child's own: writing past it fails with "no space".
    std::optional<long> diskBytes;
    QString fullFolder;
    // fsync and fdatasync fail with EIO (a seccomp filter of the child's
    // own), as they do when a device cannot store what it was given.
    bool failingFlush = false;

    static ChildFaults asNobody()
    {
        ChildFaults faults;
        faults.unprivileged = true;
        return faults;
    }
    static ChildFaults withFileSizeLimit(long bytes)
    {
        ChildFaults faults;
        faults.fileSizeLimit = bytes;
        return faults;
    }
    static ChildFaults withFullDisk(const QString &folder, long bytes)
    {
        ChildFaults faults;
        faults.diskBytes = bytes;
        faults.fullFolder = folder;
        return faults;
    }
    static ChildFaults withFailingFlush()
    {
        ChildFaults faults;
        faults.failingFlush = true;
        return faults;
    }
};

// Runs `step` in a child process with `faults` in force and returns its
// result (0 to 254), or -1 when the faults could not be set up or the child
// did not exit normally within half a minute. Only the forking thread lives
// on in the child: `step` must not wait for Qt's worker threads, so a window
// it uses is opened beforehand and must not paint (setUpdatesEnabled(false)).
int runInChild(const ChildFaults &faults, const std::function<int()> &step);

// Drops a child to the user "nobody" when it runs as root, for whom
// permission bits would not bind: for one that starts a program of its own
// (QProcess::setChildProcessModifier). False when it cannot.
bool dropToNobody();

// Whether a child can make its flushes fail: qemu-user, which runs the arm64
// suites, keeps seccomp filters to itself.
bool canFailFlushes();

// Whether a child can mount a small file system of its own: root, with the
// right to make mount namespaces (a container may withhold it).
bool canMountSmallDisk();

// Whether permission bits bind in a child run as nobody: always for an
// ordinary user; for root only when it can become "nobody".
bool permissionsCanBind();

} // namespace quorvane::test
