#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "framework/FileStream.h"
#include "framework/Profile.h"

using namespace fw;

namespace {

// Runs `open` in a child process: true when it came back within two seconds
// having refused the file; a child still waiting is killed.
bool refusedInTime(const std::function<bool()>& open)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(open() ? 1 : 0);
    for (int i = 0; i < 200; ++i) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return false;
}

}  // namespace

// A FIFO given the name of a puzzle or a settings file must not leave the
// game waiting in open for a writer that never comes; devices and folders
// are refused too.
TEST(FileStream, OpensOnlyRegularFiles)
{
    const auto dir = std::filesystem::temp_directory_path() / ("qv-filestream-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto fifo = dir / "f.puz";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& path : {fifo, std::filesystem::path("/dev/zero"), dir}) {
        SCOPED_TRACE(path.string());
        for (auto mode : {FileStream::Mode::Read, FileStream::Mode::ReadWrite}) {
            EXPECT_TRUE(refusedInTime([&] {
                FileStream f(path, mode);
                return f.isOpen() || f.openError().empty();
            }));
        }
    }
    EXPECT_TRUE(refusedInTime([&] { return !Profile(fifo).getString("Game", "Size").empty(); }));

    const auto plain = dir / "plain.puz";
    {
        FileStream f(plain, FileStream::Mode::Create);
        ASSERT_TRUE(f.isOpen());
        ASSERT_EQ(f.write("abc", 3), 3u);
    }
    FileStream f(plain, FileStream::Mode::ReadWrite);
    ASSERT_TRUE(f.isOpen());
    char back[3] = {};
    EXPECT_EQ(f.read(back, 3), 3u);
    EXPECT_EQ(std::string(back, 3), "abc");
    f.close();
    std::filesystem::remove_all(dir);
}
