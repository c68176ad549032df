#pragma once

#include <functional>

namespace quorvane::test {

// Runs `step` in a child process whose permission checks are real: as root,
// the child drops to the unprivileged user "nobody" first, since permission
// bits do not stop root. Returns the child's result, or -1 when it could not
// run or did not exit normally.
int runUnprivileged(const std::function<int()> &step);

// Lets other users into a (temporary, owner-only) folder, as the unprivileged
// child must reach the files in it.
bool openToOthers(const char *folder);

} // namespace quorvane::test
