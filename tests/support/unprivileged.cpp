#include "support/unprivileged.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>


namespace quorvane::test {

int runUnprivileged(const std::function<int()> &step)
{
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (geteuid() == 0) {
            const passwd *nobody = getpwnam("nobody");
            if (!nobody || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0
                || setuid(nobody->pw_uid) != 0)
                _exit(255);
        }
        _exit(step());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

bool openToOthers(const char *folder)
{
    return chmod(folder, 0755) == 0;
}

} // namespace quorvane::test
