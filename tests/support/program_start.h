#pragma once

#include <QProcess>
#include <QtGlobal>

namespace quorvane::test {

// Whether this suite can start another program. Under Debian 12's qemu-user
// (7.2), which runs the arm64 suites there, it cannot: Qt's QProcess clones
// with CLONE_PIDFD, which qemu refuses (EINVAL) before version 8. Only an
// emulated run (QUORVANE_EMULATED, set by the cross build) asks; a native
// one that cannot start a program fails as it should.
inline bool programsCanStart()
{
    static const bool can = [] {
        if (!qEnvironmentVariableIsSet("QUORVANE_EMULATED"))
            return true;
        QProcess probe;
        probe.start(QStringLiteral("/bin/true"), {});
        return probe.waitForFinished(30000);
    }();
    return can;
}

inline constexpr char cannotStartPrograms[] = "this qemu-user cannot start a program for Qt (CLONE_PIDFD needs qemu 8)";

} // namespace quorvane::test
