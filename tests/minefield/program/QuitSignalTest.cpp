// The desktop ends a session by sending SIGTERM (a terminal sends SIGINT or
// SIGHUP); the program must then end as when its window is closed, keeping
// what the player chose in the session.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "minefield/IniFile.h"

namespace fs = std::filesystem;

namespace {

// A copy of the program in a folder of its own: run from a writable folder,
// it keeps mvro.ini beside itself.
struct PortableCopy {
    fs::path dir;
    PortableCopy()
    {
        char pattern[] = "/tmp/mvro-signal-XXXXXX";
        dir = ::mkdtemp(pattern);
        fs::copy_file(MVRO_PROGRAM, dir / "mvro");
    }
    ~PortableCopy()
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path Ini() const { return dir / "mvro.ini"; }
};

struct Child {
    pid_t pid = -1;
    FILE* out = nullptr;  // its standard output
};

Child Start(const fs::path& program, const std::string& commands)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        const std::string path = program.string();
        ::execl(path.c_str(), path.c_str(), "--run", commands.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    Child child;
    child.pid = pid;
    child.out = ::fdopen(pipeEnds[0], "r");
    return child;
}

// Reads the child's announcements until `line` comes; false at its end.
bool WaitForLine(FILE* out, const std::string& line)
{
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, out))
        if (std::string(buffer) == line + "\n")
            return true;
    return false;
}

// The child's wait status, or -1 when it has not ended in time (it is then killed).
int WaitForEnd(pid_t pid, std::chrono::seconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

std::string Describe(int status)
{
    if (status == -1)
        return "still running after the wait";
    if (WIFSIGNALED(status))
        return std::string("ended by the signal: ") + strsignal(WTERMSIG(status));
    return "exit status " + std::to_string(WEXITSTATUS(status));
}

}  // namespace

TEST(QuitSignal, EndsLikeClosingTheWindowAndKeepsTheSessionsSettings)
{
    struct Case {
        int signal;
        const char* commands;  // what the player did; the last one is still under way
        int shape;
    };
    // Hexagon and sound off with nothing open; triangle and sound off with
    // the best times open; brick and sound off with the About box open.
    const Case cases[] = {
        {SIGTERM, "11849,11851", 6},
        {SIGINT, "11861,11851,11848", 4},
        {SIGHUP, "11860,11851,11847", 3},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(strsignal(k.signal));
        PortableCopy copy;
        mf::IniFile before;
        before.Parse("[MVRO]\r\nSHAPE=1\r\nSOUND=1\r\nTEXTURE=0\r\nLEVEL3=1\r\n[SQUARE]\r\nT2=33\r\nN2=Ann\r\n");
        ASSERT_TRUE(before.Save(copy.Ini()));

        Child child = Start(copy.dir / "mvro", k.commands);
        ASSERT_GT(child.pid, 0);
        const std::string commands = k.commands;
        const std::string last = commands.substr(commands.rfind(',') + 1);
        const bool announced = WaitForLine(child.out, "mvro: command " + last);
        EXPECT_TRUE(announced);
        // The last command runs right after its announcement; a signal that
        // comes while it opens a dialog is handled by that dialog's loop.
        ::kill(child.pid, k.signal);
        const int status = WaitForEnd(child.pid, std::chrono::seconds(20));
        std::fclose(child.out);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << Describe(status);

        mf::IniFile after;
        after.Load(copy.Ini());
        EXPECT_EQ(after.GetInt("MVRO", "SHAPE", -1), k.shape);
        EXPECT_EQ(after.GetInt("MVRO", "SOUND", -1), 0);
        EXPECT_EQ(after.GetInt("MVRO", "LEVEL3", -1), 1);
        EXPECT_EQ(after.GetInt("SQUARE", "T2", -1), 33);
        EXPECT_EQ(after.GetString("SQUARE", "N2", "", 29), "Ann");
    }
}
