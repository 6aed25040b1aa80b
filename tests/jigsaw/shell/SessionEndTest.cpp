// The system ends a session (logout, kill, Ctrl+C, a closed terminal): the
// real program, started as a child over a copy of its folder, must end as a
// normal exit does, keeping its settings and the game in progress.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "ShellFixture.h"
#include "framework/Profile.h"

namespace fs = std::filesystem;
using namespace shelltest;

namespace {

// The program beside the test, in the folder given: it takes its folder
// from its own path, so it must lie there (a link would be followed back).
fs::path placeProgram(const ProgramFolder& folder)
{
    const fs::path bin = QCoreApplication::applicationDirPath().toStdString();
    const fs::path program = folder / "qvrk32";
    std::error_code ec;
    fs::create_hard_link(bin / "qvrk32", program, ec);
    if (ec)
        fs::copy_file(bin / "qvrk32", program, ec);
    EXPECT_FALSE(ec) << ec.message();
    return program;
}

struct Child {
    QProcess process;
    std::string output;

    // Waits until standard output has a line starting with `prefix`; the line.
    std::string waitForLine(const std::string& prefix, int ms = 30000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            for (size_t at = 0; (at = output.find(prefix, at)) != std::string::npos; ++at) {
                if (at == 0 || output[at - 1] == '\n') {
                    const size_t end = output.find('\n', at);
                    if (end != std::string::npos)
                        return output.substr(at, end - at);
                }
            }
            if (process.state() == QProcess::NotRunning)
                return {};
            process.waitForReadyRead(100);
            output += process.readAllStandardOutput().toStdString();
        }
        return {};
    }
};

struct EndCase {
    const char* name;
    int signal;
    int count;            // signals sent one after the other
    const char* input;    // steps after the puzzle opened (see TestInput.h)
    bool fromSavedGame;   // the game was saved before: it is saved there again
    bool modalOpen;       // the last step leaves a modal window open
};

void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class SessionEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(SessionEnd, SavesSettingsAndTheChangedGame)
{
    const EndCase& c = GetParam();
    ProgramFolder folder;
    const fs::path puzzle = makePuzzle(folder / "bands.puz", 5, 4);
    fs::path start = puzzle;
    if (c.fromSavedGame) {
        Started first(folder, puzzle.string());
        ASSERT_EQ(first.status, 0);
        first.puz().state |= qv::Puz::Changed;
        ASSERT_TRUE(first.app->SaveGame(false));
        start = first.puz().savedPath;
    }
    const fs::path program = placeProgram(folder);

    Child child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SDL_AUDIODRIVER", "dummy");
    env.insert("QV_TEST_INPUT", c.input);
    child.process.setProcessEnvironment(env);
    child.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.process.start(QString::fromStdString(program.string()), {QString::fromStdString(start.string())});
    ASSERT_TRUE(child.process.waitForStarted(10000));
    const std::string played = child.waitForLine("qvrk32: input played");
    ASSERT_FALSE(played.empty()) << "the program did not play its input; it wrote:\n" << child.output;
    EXPECT_EQ(played.find("over a modal window") != std::string::npos, c.modalOpen) << played;
    {
        const fw::Profile running(folder / "QVrk.ini");
        ASSERT_EQ(running.getInt("Main", "AbEnd"), 1);
    }

    for (int k = 0; k < c.count; ++k)
        ::kill(static_cast<pid_t>(child.process.processId()), c.signal);
    const bool ended = child.process.waitForFinished(20000);
    if (!ended) {
        child.process.kill();
        child.process.waitForFinished(5000);
    }
    ASSERT_TRUE(ended) << "still running after the signal";
    EXPECT_EQ(child.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.process.exitCode(), 0);

    const fw::Profile after(folder / "QVrk.ini");
    EXPECT_EQ(after.getInt("Main", "AbEnd"), 0) << "ended as a normal exit";
    EXPECT_TRUE(after.has("Main", "Loupe")) << "the options were saved";
    std::vector<fs::path> saved;
    for (const auto& e : fs::directory_iterator(folder.path()))
        if (e.path().extension() == ".sav")
            saved.push_back(e.path());
    ASSERT_EQ(saved.size(), 1u) << "one saved game";
    if (c.fromSavedGame) {
        EXPECT_EQ(saved[0], start) << "saved over the game it came from";
    }
    EXPECT_EQ(after.getString("Main", "LastPuz"), saved[0].string());

    // The turn is in the saved game: one move, and it reopens as the last game.
    Started again(folder, "");
    ASSERT_EQ(again.status, 0);
    EXPECT_EQ(again.puz().savedPath, saved[0]);
    EXPECT_EQ(again.app->score().Counters().moves, 1);
}

// "turn" plays a sound first, so the sound device has been opened before the signal.
INSTANTIATE_TEST_SUITE_P(Signals, SessionEnd,
                         ::testing::Values(EndCase{"Term", SIGTERM, 1, "turn", false, false},
                                           EndCase{"Int", SIGINT, 1, "turn", false, false},
                                           EndCase{"Hup", SIGHUP, 1, "turn", false, false},
                                           EndCase{"TermSavedGame", SIGTERM, 1, "turn", true, false},
                                           EndCase{"TermTwice", SIGTERM, 2, "turn", false, false},
                                           EndCase{"TermDuringPause", SIGTERM, 1, "turn;Ctrl+B", false, true},
                                           EndCase{"IntInOptions", SIGINT, 2, "turn;F3", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
