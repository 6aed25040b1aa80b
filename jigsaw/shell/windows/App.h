#pragma once
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "framework/Display.h"
#include "framework/Options.h"
#include "framework/Profile.h"
#include "framework/SoundPlayer.h"
#include "framework/Status.h"
#include "framework/Traductor.h"
#include "jigsaw/document/PictureSteps.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/GameSounds.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/TickClock.h"
#include "jigsaw/shell/CommandLine.h"
#include "jigsaw/shell/GameControl.h"
#include "jigsaw/shell/GameFolders.h"
#include "jigsaw/shell/ProgramName.h"
#include "jigsaw/shell/windows/ShellUser.h"

class QScreen;

namespace qv {

class Library;
class LiveRanking;
class PuzCommands;
class ScoreWindows;
class ShellScoresHost;
class WPuz;
struct PlayContext;

// The program: start-up in its fixed order, which makes the parts and wires
// them together once, the open puzzle's life (AppGame.cpp), and the orderly
// end. main() makes one, calls StartUp, Run and Shutdown; tests
// make one over a copy of the program's folder and drive its window.
class App : public GameControl {
public:
    static constexpr const char* LongName = program::LongName;
    static constexpr const char* ShortName = program::ShortName;
    static constexpr int ProgramVersion = program::Version;
    static constexpr int DirectoryCacheVersion = program::DirectoryCacheVersion;

    struct Setup {
        std::filesystem::path programDir;  // empty: the running program's folder
        std::string commandLine;
        std::unique_ptr<fw::SoundOutput> sound;  // null: the system's sound device
        bool showWindow = true;
    };

    explicit App(Setup setup);
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Steps 1 to 13: 0 to go on; otherwise the exit status (the
    // translation could not be loaded, or an installation switch ran).
    int StartUp();
    int Run();
    // After the loop: options saved, sound stopped, puzzle closed, "AbEnd" 0.
    void Shutdown();
    // The system ends the session (logout, kill, Ctrl+C): modal windows are
    // closed, a changed game is saved without a question and the loop ends,
    // so that Shutdown keeps all a normal exit keeps. Safe to call again and
    // from any loop, a modal dialog's included.
    void endSession();
    bool endingSession() const { return m_endingSession; }

    // --- the open puzzle
    // Opens a "puz" or "sav" file (anything else is refused with a message);
    // a puzzle at a size index (5: the custom size, asked for) with the
    // options 0x20 (no rotation) and 0x100 (rectangular pieces).
    bool OpenFile(const std::filesystem::path& path, bool showErrors = true);
    bool OpenFile(const std::filesystem::path& path, int sizeIndex, unsigned options, bool showErrors = true) override;
    // A new game of a puzzle cut as another player's game (a shared cut).
    bool OpenCut(const std::filesystem::path& puzzle, const CutRecipe& recipe) override;
    void ClosePuzzle();
    // Saves the game, then the scores (not for autosaves) and the shelf's
    // cache. Games never saved (an autosave, the exit's save with autosave
    // on) get the name the save-as dialog would propose, beside their
    // puzzle. Autosaves do not become "LastPuz".
    bool SaveGame(bool autosave) override;
    uint32_t lastSaveTick() const override { return m_lastSave; }
    // The game's options, or the defaults of new games.
    uint32_t gameOptions() const override;
    void setGameOption(uint32_t bit, bool on) override;
    // Scores switched on (the ranking opens) or off (the result is stored
    // and the game's entry leaves the ranking).
    void setCompetition(bool on) override;
    // How piece edges are drawn, from the settings: none ("NoShadow"),
    // plain greys ("SolidShadow" or options bit 0x0800) or blended.
    EdgeStyle edgeStyle() const override;
    // Cuts the open game's pieces again for the screen and the drawing
    // options as they are now, through a temporary saved game; the game
    // goes on where it was. False when there is no game or it failed.
    bool RebuildPieces() override;
    // The play window's screen took another size or colour depth.
    void displayChanged(const QRect& geometry, int depth);

    // The parts, for main() and the tests that drive the whole program. The
    // parts themselves are handed what they work with at start-up and never
    // come back here for it.
    Puz& puz() { return m_puz; }
    WPuz& playWindow() { return *m_window; }
    PuzCommands& commands() { return *m_commands; }
    ScoreKeeper& score() { return m_score; }
    const fw::Display& display() const { return m_display; }
    LiveRanking& liveRanking() { return *m_live; }
    ShellScoresHost& scoresHost() { return *m_scoresHost; }
    ScoreWindows& scoreWindows() { return *m_scoreWindows; }
    Library& library() { return *m_library; }
    fw::Profile& profile() { return *m_profile; }
    fw::Options& options() { return m_options; }
    fw::Traductor& traductor() { return m_traductor; }
    fw::SoundPlayer& soundPlayer() { return *m_player; }
    const std::filesystem::path& programDir() const { return m_dir; }
    bool previousRunEndedAbnormally() const { return m_abnormalEnd; }
    std::string text(int id) const;
    std::string caption(int id, int variant = 0) const;

private:
    void settingsNotKept(int errorNumber);
    static std::filesystem::path runningProgramDir();
    bool loadTranslation();
    void languageChanged();
    void openFromCommandLine();
    void newGameDefaults();
    // The open game written to a file of its own before another file takes
    // the table, so that a file that fails to open gives the table back to
    // the game as it was, unsaved changes included.
    struct GameAside {
        std::filesystem::path file;       // empty: it could not be written
        std::filesystem::path savedPath;  // where the game itself is saved (empty: never)
        std::filesystem::path puzzlePath;
        int sizeIndex = 0;
        uint8_t state = 0;
    };
    std::optional<GameAside> setGameAside();
    void bringGameBack(const GameAside& aside);
    // After the document opened a game: score keeping, windows, mini score.
    void showOpenedGame();
    // Sets the open game aside, opens another with `open` and shows it, or
    // brings the game back when that fails.
    bool openInPlace(const std::filesystem::path& path, const std::function<fw::Status()>& open, bool showErrors);
    void watchScreens();
    QScreen* playScreen() const;

    Setup m_setup;
    CommandLine m_commandLine;
    std::filesystem::path m_dir;
    // Where the settings, the puzzles root and caches live (beside the
    // program, or the user's folders for an installed copy).
    std::unique_ptr<GameFolders> m_folders;
    std::unique_ptr<fw::Profile> m_profile;
    fw::Options m_options;
    fw::Traductor m_traductor;
    SteadyTickClock m_clock;
    ScoreKeeper m_score{m_clock};
    std::unique_ptr<fw::SoundPlayer> m_player;
    std::unique_ptr<GameSounds> m_sounds;
    std::unique_ptr<Library> m_library;
    std::unique_ptr<ShellScoresHost> m_scoresHost;
    std::unique_ptr<LiveRanking> m_live;
    ShellUser m_user;
    PictureSteps m_steps;
    class RestoreSteps;
    std::unique_ptr<RestoreSteps> m_restore;
    Puz m_puz;
    std::unique_ptr<PuzCommands> m_commands;
    std::unique_ptr<PlayContext> m_context;
    std::unique_ptr<WPuz> m_window;
    std::unique_ptr<ScoreWindows> m_scoreWindows;
    uint32_t m_lastSave = 0;
    bool m_autosaving = false;
    bool m_abnormalEnd = false;
    bool m_started = false;
    bool m_endingSession = false;
    // A settings write failed this session: told once, and not yet shown.
    bool m_settingsFailureTold = false;
    std::optional<fw::Status> m_settingsFailure;
    int m_screenDepth = 0;
    // The screen the program runs on, measured at start-up and when it changes.
    fw::Display m_display;
};

}  // namespace qv
