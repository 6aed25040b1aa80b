#pragma once
// Runs `work` in a forked child and returns how far the child's peak memory
// rose above what it started with, in MiB, so a test sees what one call
// costs: not the parent's pages the child inherits, which under the
// sanitizers alone are a few hundred MiB. `ok` gets what `work` returned;
// -1 means the child died before it could tell.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// The peak resident size of this process so far, in KiB (0 if unknown).
inline long peakResidentKiB()
{
    long kib = 0;
    if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                kib = std::strtol(line + 6, nullptr, 10);
        std::fclose(f);
    }
    return kib;
}

template <class Work>
long peakMemoryInChild(Work work, bool& ok)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const long before = peakResidentKiB();
        const bool done = work();
        const long grown = peakResidentKiB() - before;
        (void)!::write(fds[1], &grown, sizeof grown);
        ::_exit(done ? 1 : 0);
    }
    ::close(fds[1]);
    long grown = -1;
    if (::read(fds[0], &grown, sizeof grown) != static_cast<ssize_t>(sizeof grown))
        grown = -1;
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ok = WIFEXITED(status) && WEXITSTATUS(status) == 1;
    return grown < 0 ? -1 : grown / 1024;
}

}  // namespace testsupport
