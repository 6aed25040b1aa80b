#pragma once
// Runs `work` in a forked child and returns the child's peak memory in MiB,
// so a test can see what one call costs without the parent's allocations.
// `ok` gets what `work` returned.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

template <class Work>
long peakMemoryInChild(Work work, bool& ok)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work() ? 1 : 0);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    ok = WIFEXITED(status) && WEXITSTATUS(status) == 1;
    return usage.ru_maxrss / 1024;
}

}  // namespace testsupport
