#pragma once
// One run of a game program: started in its own folder with its output in a
// file, watched for its end, and its output searched for sanitizer reports.
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace monkey {

// Puts GAME_ASAN_OPTIONS and its kin in place of the monkey's own.
void gameEnvironment();

class Game {
public:
    // program: the executable inside its portable folder; user: an account
    // to run it as when the monkey runs as root ("" = the monkey's own).
    Game(std::filesystem::path program, std::filesystem::path logDir, std::string user);
    ~Game();

    bool start(const std::vector<std::string>& args);
    pid_t pid() const { return m_pid; }
    bool running();  // false once it ended; then exitText() says how
    // Waits up to ms for the end.
    bool waitEnd(int ms);
    void signal(int sig);
    void kill();  // ends it without a verdict (SIGKILL and reap)
    // "" for a clean end (status 0); otherwise what happened.
    std::string exitText() const;
    // The output of this launch, and the lines of it that are a report of
    // the sanitizers or of a broken internal check.
    std::string output() const;
    std::string report() const;
    const std::filesystem::path& outputFile() const { return m_out; }
    int launches() const { return m_launches; }

private:
    std::filesystem::path m_program, m_logDir, m_out;
    std::string m_user;
    pid_t m_pid = -1;
    int m_status = 0;
    bool m_ended = true;
    int m_launches = 0;
};

}  // namespace monkey
