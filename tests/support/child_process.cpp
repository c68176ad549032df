#include "support/child_process.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cerrno>
#include <cstddef>
#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <string>

namespace quorvane::test {

namespace {

constexpr int setupFailed = 255;
constexpr unsigned childSeconds = 30;

bool limitFileSize(long bytes)
{
    const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
    return signal(SIGXFSZ, SIG_IGN) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

bool mountSmallDisk(const QString &folder, long bytes)
{
    const std::string options = "size=" + std::to_string(bytes);
    return unshare(CLONE_NEWNS) == 0 && mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
           && mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.c_str()) == 0;
}

// The filter looks at the system call's number alone: a test fault, not a
// sandbox, so calls through another architecture's table are of no concern.
bool failFlushes()
{
    std::array<sock_filter, 5> filter{{
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fsync, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fdatasync, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EIO & SECCOMP_RET_DATA)),
    }};
    const sock_fprog program{static_cast<unsigned short>(filter.size()), filter.data()};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

bool setUp(const ChildFaults &faults)
{
    if (faults.diskBytes && !mountSmallDisk(faults.fullFolder, *faults.diskBytes))
        return false;
    if (faults.fileSizeLimit && !limitFileSize(*faults.fileSizeLimit))
        return false;
    if (faults.failingFlush && !failFlushes())
        return false;
    return !faults.unprivileged || dropToNobody();
}

} // namespace

bool dropToNobody()
{
    if (geteuid() != 0)
        return true; // permission bits already bind
    const passwd *nobody = getpwnam("nobody");
    return nobody && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 && setuid(nobody->pw_uid) == 0;
}

int runInChild(const ChildFaults &faults, const std::function<int()> &step)
{
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        // A child that hangs (on a lock some other thread held at the fork)
        // fails its test instead of the whole suite.
        alarm(childSeconds);
        _exit(setUp(faults) ? step() : setupFailed);
    }
    int status = 0;
    pid_t waited = -1;
    do {
        waited = waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited != child || !WIFEXITED(status) || WEXITSTATUS(status) == setupFailed)
        return -1;
    return WEXITSTATUS(status);
}

bool canMountSmallDisk()
{
    static const bool can = [] {
        const QTemporaryDir folder;
        return geteuid() == 0 && folder.isValid()
            && runInChild(ChildFaults::withFullDisk(folder.path(), 4096), [] { return 0; }) == 0;
    }();
    return can;
}

bool canFailFlushes()
{
    // Only an emulated run asks: natively the filter must work, and a child
    // that cannot install it fails the row instead of skipping it.
    static const bool can = !qEnvironmentVariableIsSet("QUORVANE_EMULATED")
        || runInChild(ChildFaults::withFailingFlush(), [] { return 0; }) == 0;
    return can;
}

bool permissionsCanBind()
{
    static const bool can = runInChild(ChildFaults::asNobody(), [] { return geteuid() == 0 ? 1 : 0; }) == 0;
    return can;
}

} // namespace quorvane::test
