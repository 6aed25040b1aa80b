// The open puzzle's life in the program: opening (with the game set aside
// until the new file opened), the game's options and competition mode,
// cutting again for another screen, and saving. Start-up, the loop and the
// end are in App.cpp.
#include "jigsaw/shell/windows/App.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <iostream>
#include <unistd.h>

#include "framework/AtomicFile.h"
#include "framework/Display.h"
#include "framework/qt/Cursors.h"
#include "framework/qt/MessageBox.h"
#include "jigsaw/document/SavedGameFile.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/library/SavedGames.h"
#include "jigsaw/play/windows/WPuz.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"
#include "jigsaw/shell/windows/PuzCommands.h"

namespace qv {

namespace {

constexpr int kDefaultBoxes = 6;
constexpr uint32_t kBoxColours[kDefaultBoxes] = {0x4A6E9C, 0x5C8C4E, 0x8C5A4A, 0x4E7E8E, 0x7A5A86, 0x3E7A9E};

std::string lowerExtension(const std::filesystem::path& p)
{
    std::string ext = p.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace

// --- the open puzzle

uint32_t App::gameOptions() const { return m_puz.gameOptions.value_or(m_options.gameDefaults); }

void App::setGameOption(uint32_t bit, bool on)
{
    uint32_t game = gameOptions();
    game = on ? (game | bit) : (game & ~bit);
    // Commands set them, so the play window and its session are there.
    m_window->present(m_window->session().setGameOptions(game));
}

void App::newGameDefaults()
{
    m_puz.gameOptions = m_options.gameDefaults;
    if (!m_puz.boxes.empty())
        return;
    // A new game gets six boxes, closed, in distinct colours.
    for (int k = 0; k < kDefaultBoxes; ++k) {
        Box b;
        b.colour = kBoxColours[k];
        b.flags = 0x01;
        m_puz.boxes.push_back(b);
    }
}

void App::setCompetition(bool on)
{
    const bool was = (gameOptions() & fw::gameopt::Competition) != 0;
    if (was == on)
        return;
    if (!on && m_puz.pieceCount() > 0)
        m_live->StoreResult();
    setGameOption(fw::gameopt::Competition, on);
    if (m_puz.pieceCount() == 0)
        return;
    if (on) {
        m_live->OpenRanking();
        // The strip comes with the scores, as when a competition game opens.
        if (m_live->isOpen() && !(gameOptions() & fw::gameopt::HideScore))
            m_scoreWindows->showMiniScore(true, QPoint(m_puz.scorePos.x, m_puz.scorePos.y));
    } else {
        m_live->CloseRanking();
        if (m_scoreWindows)
            m_scoreWindows->hideAll();
    }
    m_commands->refreshProgressLine();
}

void App::ClosePuzzle()
{
    if (m_scoreWindows)
        m_scoreWindows->hideAll();
    if (m_window)
        m_window->puzzleClosed();
    m_score.Reset();
    m_puz.Reset();
}

bool App::OpenFile(const std::filesystem::path& path, bool showErrors) { return OpenFile(path, 0, 0, showErrors); }

bool App::OpenFile(const std::filesystem::path& path, int sizeIndex, unsigned options, bool showErrors)
{
    const std::string ext = lowerExtension(path);
    if (ext != ".puz" && ext != ".sav") {
        if (showErrors)
            fw::ShowStatus(m_window.get(), fw::Status(msg::BadFile, path.string()));
        return false;
    }
    return openInPlace(path, [&] { return m_puz.Open(path, sizeIndex, options); }, showErrors);
}

bool App::OpenCut(const std::filesystem::path& puzzle, const CutRecipe& recipe)
{
    return openInPlace(puzzle, [&] { return m_puz.OpenCut(puzzle, recipe); }, true);
}

bool App::openInPlace(const std::filesystem::path& path, const std::function<fw::Status()>& open, bool showErrors)
{
    // The document is reset in place by the opening: whether the new file
    // opens is known only once the old game is gone from memory.
    const std::optional<GameAside> aside = setGameAside();
    m_scoreWindows->hideAll();
    m_window->puzzleClosed();
    m_score.Reset();
    fw::Status st;
    {
        fw::WaitCursor wait;
        st = open();
    }
    if (!st.ok()) {
        m_puz.Reset();
        m_window->puzzleOpened();
        if (aside)
            bringGameBack(*aside);
        if (showErrors && st.id != fw::msg::Cancelled)
            fw::ShowStatus(m_window.get(), st);
        return false;
    }
    if (aside && !aside->file.empty()) {
        std::error_code ec;
        std::filesystem::remove(aside->file, ec);
    }
    if (!(m_puz.state & Puz::FromSaved))
        newGameDefaults();
    showOpenedGame();
    m_profile->setString({}, "LastPuz", path.string());
    // A damaged saved game that still opened (some piece records missing).
    if (showErrors && !m_puz.notice.ok())
        fw::ShowStatus(m_window.get(), m_puz.notice);
    return true;
}

void App::showOpenedGame()
{
    if (m_puz.state & Puz::FromSaved) {
        if (!m_puz.gameOptions)
            m_puz.gameOptions = m_options.gameDefaults;
        m_score.Restore(m_puz.counters);
    }
    m_score.OpenPuzzle(m_puz);
    m_window->puzzleOpened();
    // Saved on a larger table: what lies beyond this one is brought onto it.
    if (m_puz.state & Puz::BringIntoView) {
        m_puz.state &= static_cast<uint8_t>(~Puz::BringIntoView);
        m_window->rules().BringIntoView(m_window->tableArea());
    }
    if (m_live->isOpen() && !(gameOptions() & fw::gameopt::HideScore))
        m_scoreWindows->showMiniScore(true, QPoint(m_puz.scorePos.x, m_puz.scorePos.y));
    m_commands->refreshProgressLine();
    // A puzzle of one piece has no side left to join: it is complete as
    // soon as it lies on the table (any other new game answers no).
    if (m_puz.pieceCount() > 0)
        m_window->rules().IsComplete();
    m_lastSave = fw::tickCount();
}

std::optional<App::GameAside> App::setGameAside()
{
    if (m_puz.pieceCount() == 0)
        return std::nullopt;
    GameAside aside;
    aside.savedPath = m_puz.savedPath;
    aside.puzzlePath = m_puz.puzzlePath;
    aside.sizeIndex = m_puz.sizeIndex;
    aside.state = m_puz.state;
    // What a save would write, into a file of its own: the game's saved
    // file is left as the player last saved it (or chose not to).
    m_window->storeBoxPlaces();
    m_puz.counters = m_score.SavedCounters();
    m_puz.savedFrame = m_user.playFrameSize();
    std::error_code ec;
    std::filesystem::path file = std::filesystem::temp_directory_path(ec);
    if (!ec) {
        file /= "_Aside" + std::to_string(::getpid()) + ".sav";
        m_puz.savedPath = file;
        if (fw::replaceFile(file, [this](fw::Stream& out) { return SavedGameFile::write(m_puz, out); }))
            aside.file = file;
        m_puz.savedPath = aside.savedPath;
    }
    return aside;
}

void App::bringGameBack(const GameAside& aside)
{
    fw::Status st;
    {
        fw::WaitCursor wait;
        if (!aside.file.empty()) {
            st = m_puz.OpenSaved(aside.file);
            std::error_code ec;
            std::filesystem::remove(aside.file, ec);
        } else {
            // Nowhere to write the game aside: it comes back as last saved,
            // or as the puzzle it was.
            st = aside.savedPath.empty() ? m_puz.OpenPuzzle(aside.puzzlePath, aside.sizeIndex, 0)
                                         : m_puz.OpenSaved(aside.savedPath);
        }
    }
    if (!st.ok()) {
        m_puz.Reset();
        m_window->puzzleOpened();
        return;
    }
    if (aside.file.empty()) {
        if (!(m_puz.state & Puz::FromSaved))
            newGameDefaults();
        showOpenedGame();
        return;
    }
    // Opened as the saved game it was written as (counters, options and
    // all); then it is again what it was: saved there or never, changed or not.
    m_puz.savedPath = aside.savedPath;
    showOpenedGame();
    m_puz.state = static_cast<uint8_t>((m_puz.state & ~(Puz::FromSaved | Puz::Changed)) |
                                       (aside.state & (Puz::FromSaved | Puz::Changed)));
}

EdgeStyle App::edgeStyle() const
{
    if (m_options.noShadow)
        return EdgeStyle::None;
    if (m_options.solidShadow || (m_options.word & fw::opt::GreyEdges))
        return EdgeStyle::Grey;
    return EdgeStyle::Blend;
}

void App::watchScreens()
{
    auto watch = [this](QScreen* screen) {
        QObject::connect(screen, &QScreen::geometryChanged, m_window.get(), [this, screen](const QRect& geometry) {
            if (screen == playScreen())
                displayChanged(geometry, screen->depth());
        });
    };
    for (QScreen* s : QGuiApplication::screens())
        watch(s);
    QObject::connect(qApp, &QGuiApplication::screenAdded, m_window.get(), watch);
    // The play window moves to another monitor when its own goes away or
    // another becomes the primary one.
    auto moved = [this] {
        if (QScreen* s = playScreen())
            displayChanged(s->geometry(), s->depth());
    };
    QObject::connect(qApp, &QGuiApplication::primaryScreenChanged, m_window.get(), moved);
    QObject::connect(qApp, &QGuiApplication::screenRemoved, m_window.get(), [moved] { QTimer::singleShot(0, moved); });
}

QScreen* App::playScreen() const
{
    if (m_window && m_window->screen())
        return m_window->screen();
    return QGuiApplication::primaryScreen();
}

void App::displayChanged(const QRect& geometry, int depth)
{
    fw::Display& display = m_display;
    const bool sizeChanged = geometry.width() != display.width || geometry.height() != display.height;
    const bool depthChanged = depth > 0 && depth != m_screenDepth;
    if (!sizeChanged && !depthChanged)
        return;
    // Not in the middle of opening a puzzle (the cutting progress lets
    // events through): the rebuild waits for the opening to end.
    if (m_puz.state & Puz::Busy) {
        QTimer::singleShot(50, m_window.get(), [this, geometry, depth] { displayChanged(geometry, depth); });
        return;
    }
    display.width = geometry.width();
    display.height = geometry.height();
    if (depth > 0)
        m_screenDepth = depth;
    m_steps.picture.display = display;
    const QSize before = m_window->size();
    if (m_window->isVisible())
        m_window->setGeometry(geometry);
    if (!RebuildPieces())
        return;
    // A smaller table than the game was laid out on: what lies beyond it
    // comes onto it.
    const QSize now = m_window->size();
    if (now.width() < before.width() || now.height() < before.height())
        m_window->rules().BringIntoView(m_window->tableArea());
}

bool App::RebuildPieces()
{
    if (m_puz.pieceCount() == 0 || !m_window)
        return false;
    m_window->storeBoxPlaces();
    m_puz.counters = m_score.SavedCounters();
    m_window->puzzleClosed();
    fw::Status st;
    bool untouched = false;
    {
        fw::WaitCursor wait;
        st = m_puz.Save(Puz::TemporarySave, &untouched);
    }
    if (!st.ok() && untouched) {
        // The game is whole, only not cut again: play goes on with the
        // pieces as they were.
        m_window->puzzleOpened();
        fw::ShowStatus(m_window.get(), st);
        return false;
    }
    if (!st.ok()) {
        m_score.Reset();
        m_puz.Reset();
        m_window->puzzleOpened();
        fw::ShowStatus(m_window.get(), st);
        return false;
    }
    m_window->puzzleOpened();
    return true;
}

bool App::SaveGame(bool autosave)
{
    if (m_puz.pieceCount() == 0)
        return false;
    if (m_puz.savedPath.empty()) {
        // No dialog for a save nobody asked for: the name it would propose.
        m_puz.savedName = savedgames::ProposedName(m_puz);
        m_puz.savedPath = savedgames::SavedGamePath(m_puz.puzzlePath.parent_path(), m_puz.savedName, m_puz.playerName);
    }
    m_window->storeBoxPlaces();
    m_puz.counters = m_score.SavedCounters();
    m_autosaving = autosave;
    m_score.Pause();
    const fw::Status st = m_puz.Save(0);
    m_score.Resume();
    m_autosaving = false;
    if (!st.ok()) {
        if (m_endingSession)
            std::cerr << "qvrk32: the game could not be saved at the end of the session (message " << st.id
                      << (st.text.empty() ? "" : ", " + st.text) << ")\n";
        else
            fw::ShowStatus(m_window.get(), st);
        return false;
    }
    m_lastSave = fw::tickCount();
    if (!autosave) {
        m_live->OnSavedAs();
        // The game is saved; the player who asked for the save must not
        // believe its scores are too when the disk had no room for them.
        if (const fw::Status scores = m_live->StoreResult(); !scores.ok()) {
            if (m_endingSession)
                std::cerr << "qvrk32: the scores could not be saved (no room on the disk for " << scores.text
                          << ")\n";
            else
                fw::ShowStatus(m_window.get(), scores);
        }
    }
    m_library->UpdateCache(m_puz.savedPath);
    return true;
}

}  // namespace qv
