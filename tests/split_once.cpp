// One split and nothing else, for a test that watches its system calls from
// outside:  split_once FOLDER IMAGE TYPE-INDEX COUNT-INDEX BASE-NAME
// Says on standard output, once the split has returned, whether it was done.

#include "engine/split_job.h"
#include "engine/split_run.h"

#include <QFile>

#include <cstdlib>
#include <string_view>

#include <unistd.h>

int main(int argc, char *argv[])
{
    using namespace quorvane;
    if (argc != 6)
        return 2;
    SplitJob job;
    chooseDeviceType(job, std::atoi(argv[3]));
    chooseDeviceCount(job, std::atoi(argv[4]));
    job.SourcePath = QFile::decodeName(argv[1]);
    job.SourceFile = QFile::decodeName(argv[2]);
    const bool done = runSplit(job, QFile::decodeName(argv[5])) == SplitOutcome::Done;
    // One write call, so that it stands as one line in a trace.
    const std::string_view said = done ? "split returned: done\n" : "split returned: not done\n";
    return ::write(STDOUT_FILENO, said.data(), said.size()) == static_cast<ssize_t>(said.size()) && done ? 0 : 1;
}
