#include "Game.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace monkey {

// The sanitizer settings for the programs under test come in variables of
// their own, so that the monkey itself can run with others.
void gameEnvironment()
{
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        const std::string own = std::string("GAME_") + name;
        if (const char* v = std::getenv(own.c_str()))
            ::setenv(name, v, 1);
    }
}

Game::Game(std::filesystem::path program, std::filesystem::path logDir, std::string user)
    : m_program(std::move(program)), m_logDir(std::move(logDir)), m_user(std::move(user))
{
}

Game::~Game() { kill(); }

bool Game::start(const std::vector<std::string>& args)
{
    ++m_launches;
    m_out = m_logDir / ("game-" + std::to_string(m_launches) + ".log");
    const int fd = ::open(m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    uid_t uid = 0;
    gid_t gid = 0;
    const bool drop = !m_user.empty() && ::getuid() == 0;
    if (drop) {
        const passwd* pw = ::getpwnam(m_user.c_str());
        if (!pw) {
            ::close(fd);
            return false;
        }
        uid = pw->pw_uid;
        gid = pw->pw_gid;
    }
    std::vector<std::string> argv{m_program.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fd);
        return false;
    }
    if (pid == 0) {
        ::dup2(fd, 1);
        ::dup2(fd, 2);
        ::close(fd);
        const int nul = ::open("/dev/null", O_RDONLY);
        ::dup2(nul, 0);
        // The game may write only into its own folder: a random walk through
        // file dialogs must not reach the machine's files.
        if (drop && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(126);
        ::chdir(m_program.parent_path().c_str());
        gameEnvironment();
        std::vector<char*> cargs;
        for (auto& a : argv)
            cargs.push_back(a.data());
        cargs.push_back(nullptr);
        ::execv(cargs[0], cargs.data());
        std::fprintf(stderr, "monkey: cannot start %s: %s\n", cargs[0], std::strerror(errno));
        ::_exit(127);
    }
    ::close(fd);
    m_pid = pid;
    m_ended = false;
    m_status = 0;
    return true;
}

bool Game::running()
{
    if (m_ended)
        return false;
    int status = 0;
    const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
    if (r == m_pid) {
        m_status = status;
        m_ended = true;
    }
    return !m_ended;
}

bool Game::waitEnd(int ms)
{
    for (int waited = 0; running(); waited += 50) {
        if (waited >= ms)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

void Game::signal(int sig)
{
    if (!m_ended && m_pid > 0)
        ::kill(m_pid, sig);
}

void Game::kill()
{
    if (m_ended || m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, &m_status, 0);
    m_ended = true;
}

std::string Game::exitText() const
{
    if (!m_ended)
        return "still running";
    if (WIFEXITED(m_status))
        return WEXITSTATUS(m_status) == 0 ? "" : "exit status " + std::to_string(WEXITSTATUS(m_status));
    if (WIFSIGNALED(m_status))
        return std::string("killed by signal ") + std::to_string(WTERMSIG(m_status)) + " (" +
               strsignal(WTERMSIG(m_status)) + ")";
    return "ended oddly";
}

std::string Game::output() const
{
    std::ifstream in(m_out);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Game::report() const
{
    // What the sanitizers and the game's own checks print when they fail.
    static const char* const kMarks[] = {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                                         "play invariant broken",   "Assertion",            "terminate called",
                                         "SUMMARY: ",               "AddressSanitizer:DEADLYSIGNAL"};
    const std::string text = output();
    size_t first = std::string::npos;
    for (const char* mark : kMarks)
        first = std::min(first, text.find(mark));
    if (first == std::string::npos)
        return {};
    const size_t lineStart = text.rfind('\n', first);
    return text.substr(lineStart == std::string::npos ? 0 : lineStart + 1);
}

}  // namespace monkey
