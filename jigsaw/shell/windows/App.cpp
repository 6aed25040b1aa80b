#include "jigsaw/shell/windows/App.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <iostream>
#include <unistd.h>

#include "framework/Display.h"
#include "framework/qt/Cursors.h"
#include "framework/qt/MessageBox.h"
#include "framework/qt/MessageLoop.h"
#include "framework/qt/UiText.h"
#include "framework/qt/WBkg.h"
#include "framework/AtomicFile.h"
#include "jigsaw/document/PictureFormats.h"
#include "jigsaw/document/SavedGameFile.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/library/SavedGames.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/PlayCursors.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/play/windows/WPuz.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/shell/windows/CuttingProgress.h"
#include "jigsaw/shell/windows/PuzCommands.h"
#include "jigsaw/shell/windows/ShellScoresHost.h"
#include "jigsaw/shell/StartTranslation.h"

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

// The opening steps with pixels, as the settings ask for them (picture
// cache, edge style, the cutting progress), and after a saved game's pieces
// were laid over the cut, the play rules' own check of groups and completion.
class App::RestoreSteps : public PuzzleSteps {
public:
    explicit RestoreSteps(App& app) : m_app(app), m_steps(app.m_steps) {}
    fw::Status loadPicture(Puz& puz) override
    {
        m_steps.picture.cacheEnabled = (m_app.m_options.word & fw::opt::PictureCache) != 0;
        return m_steps.loadPicture(puz);
    }
    fw::Status renderSheets(Puz& puz) override
    {
        m_steps.sheets.edges = m_app.edgeStyle();
        CuttingProgress progress(m_app.m_window.get(), m_app.text(CuttingText));
        m_steps.sheets.progress = [&progress](int percent) { progress.step(percent); };
        fw::Status st = m_steps.renderSheets(puz);
        m_steps.sheets.progress = {};
        return st;
    }
    void scatter(Puz& puz) override { m_steps.scatter(puz); }
    void restorePlayState(Puz& puz) override
    {
        m_steps.restorePlayState(puz);
        if (m_app.m_window)
            m_app.m_window->rules().RestoreSaved();
    }

private:
    static constexpr int CuttingText = 501;
    App& m_app;
    PictureSteps& m_steps;
};

App::App(Setup setup)
    : m_setup(std::move(setup)),
      m_user(m_windowWidget,
             [this](const std::filesystem::path& p) {
                 if (!m_autosaving && m_profile)
                     m_profile->setString({}, "LastPuz", p.string());
             })
{
}

App::~App()
{
    m_scoreWindows.reset();
    m_puz.setSteps(nullptr);
    m_puz.setUser(nullptr);
    m_window.reset();
}

std::filesystem::path App::runningProgramDir()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : self.parent_path();
}

std::string App::text(int id) const { return m_traductor.Lookup(fw::Traductor::Text, id); }

std::string App::caption(int id, int variant) const { return m_traductor.Lookup(fw::Traductor::Caption, id, variant); }

bool App::loadTranslation()
{
    std::string lang = m_profile->getString("lang");
    if (lang.empty())
        lang = fw::Traductor::DefaultLanguage(fw::Traductor::SystemLanguageAbbreviation());
    // Button captions come from the translation as soon as one is loaded.
    fw::UiText::setSource([this](int kind, int id) { return m_traductor.Lookup(kind, id); });
    const auto show = [](const std::string& text, const std::string& caption, unsigned style) {
        fw::ShowMessage(nullptr, text, caption, style);
    };
    if (!LoadStartTranslation(m_traductor, lang, m_dir, show))
        return false;
    m_traductor.setRememberHook([this](const std::string& code) { m_profile->setString({}, "lang", code); });
    m_traductor.setChangeHook([this] { languageChanged(); });
    return true;
}

// Menus hold the texts they were built with: the window menu is built anew;
// everything else hears the broadcast and repaints with the new texts.
void App::languageChanged()
{
    if (!m_window)
        return;
    m_window->setWindowMenu(m_commands->windowMenu());
    for (const auto& box : m_window->boxes())
        box->refreshState();
    fw::Event changed(fw::ev::LanguageChanged);
    fw::Broadcast(changed);
    for (QWidget* w : QApplication::topLevelWidgets())
        w->update();
}

int App::StartUp()
{
    // 1, 2: the program's folder and its settings.
    m_dir = m_setup.programDir.empty() ? runningProgramDir() : m_setup.programDir;
    m_folders = std::make_unique<GameFolders>(GameFolders::ForProgram(m_dir));
    m_folders->Prepare();
    m_profile = std::make_unique<fw::Profile>(fw::Options::settingsPath(m_folders->settingsFolder(), ShortName));
    // 3, 4: options.
    m_profile->setDefaultSection("Main");
    m_profile->onWriteFailed([this](int why) { settingsNotKept(why); });
    m_options.load(*m_profile);
    (void)m_profile->getInt("ForceDIRotate");  // pieces always turn through our own bitmaps
    // 5: translation; without it nothing can be shown.
    if (!loadTranslation())
        return 2;
    m_commandLine = CommandLine::parse(m_setup.commandLine);
    if (m_commandLine.kind == CommandLine::Kind::Install) {
        std::cerr << "qvrk32: the installation step " << m_commandLine.installSwitch
                  << " is not part of this build; starting the game.\n";
    }
    // 6: cursors and pictures; texture pictures decode like puzzle pictures.
    PlayCursors::load(m_dir);
    fw::WBkg::setPictureReader(readPictureFile);
    // 9 (first half): the sounds, which the play window plays.
    std::unique_ptr<fw::SoundOutput> output =
        m_setup.sound ? std::move(m_setup.sound) : fw::makeSystemSoundOutput();
    m_player = std::make_unique<fw::SoundPlayer>(std::move(output));
    m_sounds = std::make_unique<GameSounds>(m_dir, [this](const std::string& path) { m_player->play(path); });
    // The library answers the scores code's shelf questions; the live
    // ranking listens to the score keeping from here on.
    m_library = std::make_unique<Library>(*m_profile, m_folders->puzzlesRoot());
    m_scoresHost = std::make_unique<ShellScoresHost>(m_traductor, *m_profile, *m_library, m_windowWidget,
                                                     [this] { m_puz.state |= Puz::Changed; });
    m_live = std::make_unique<LiveRanking>(
        m_score,
        [this] {
            return ScoreGame::FromPuz(m_puz, (gameOptions() & fw::gameopt::Competition) != 0, m_puz.rights);
        },
        *m_scoresHost);
    // 7: the play window.
    m_commands = std::make_unique<PuzCommands>(*this);
    m_context = std::make_unique<PlayContext>(PlayContext{m_puz, m_score, m_options, *m_sounds, *m_commands});
    m_window = std::make_unique<WPuz>(*m_context);
    m_windowWidget = m_window.get();
    m_window->setCommandTarget(m_commands.get());
    m_window->setWindowMenu(m_commands->windowMenu());
    m_window->setWindowIcon(QIcon(PlayCursors::icon()));
    m_scoreWindows = std::make_unique<ScoreWindows>(*m_live, *m_scoresHost, m_window.get());
    // Keys typed on the score strip are the table's.
    m_scoreWindows->setCommandTarget(m_commands.get());
    m_scoresHost->setWindows(m_scoreWindows.get());
    QObject::connect(m_scoreWindows.get(), &ScoreWindows::helpRequested,
                     [this](int topic) { m_commands->ShowHelp(topic); });
    QObject::connect(m_scoreWindows.get(), &ScoreWindows::miniScoreMoved, [this](QPoint at) {
        const Point16 pos{static_cast<int16_t>(at.x()), static_cast<int16_t>(at.y())};
        if (m_puz.pieceCount() > 0 && (pos.x != m_puz.scorePos.x || pos.y != m_puz.scorePos.y)) {
            m_puz.scorePos = pos;
            m_puz.state |= Puz::Changed;
        }
    });
    // 8: a 16-colour screen cannot make puzzles.
    if (QScreen* s = QGuiApplication::primaryScreen())
        m_lowColour = s->depth() < 5;
    // 9: the document.
    fw::Display& display = fw::Display::current();
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        display.width = s->geometry().width();
        display.height = s->geometry().height();
        m_screenDepth = s->depth();
    }
    m_steps.picture.display = display;
    watchScreens();
    m_steps.table = [this](const Puz&) { return m_window->scatterArea(SPuz::OnTable); };
    m_restore = std::make_unique<RestoreSteps>(*this);
    m_puz.setSteps(m_restore.get());
    m_puz.setUser(&m_user);
    m_commands->setBroadcastReceiver(true);
    m_window->setBroadcastReceiver(true);
    // 11: an abnormal end of the last run leaves "AbEnd" at 1.
    m_abnormalEnd = m_profile->getInt("AbEnd") != 0;
    m_profile->setInt({}, "AbEnd", 1);
    m_library->setAbnormalEnd(m_abnormalEnd);
    // 12, 13.
    if (m_setup.showWindow)
        m_window->showOnScreen();
    m_started = true;
    // From here on an internal check that fails shows its box, and the game goes on.
    fw::InstallUnexpectedBox();
    openFromCommandLine();
    return 0;
}

void App::openFromCommandLine()
{
    switch (m_commandLine.kind) {
    case CommandLine::Kind::Puzzle:
    case CommandLine::Kind::SavedGame: m_commands->OpenGuarded(m_commandLine.path); return;
    case CommandLine::Kind::Picture:
        // The editor runs modally once the message loop runs, over the shown window.
        QTimer::singleShot(0, m_window.get(), [this, picture = m_commandLine.path] {
            m_commands->MakePuzzleFrom(picture);
        });
        return;
    case CommandLine::Kind::OtherPath:
        // Not a game file: the player chooses one in the library.
        QTimer::singleShot(0, m_window.get(), [this] { m_commands->Open(); });
        return;
    case CommandLine::Kind::None:
    case CommandLine::Kind::Install: {
        // The very first start (nothing open at the last exit) opens the
        // sample quietly; a last game that cannot be opened is reported, and
        // the program goes on with the empty table.
        const std::string last = m_profile->getString("LastPuz");
        const std::filesystem::path file = last.empty() ? m_folders->firstPuzzle() : std::filesystem::path(last);
        if (file.empty())
            return;
        // The sample opens at its second size (about a hundred pieces): the
        // smallest is done in a minute.
        int size = 0;
        if (last.empty()) {
            qv::Entry entry;
            if (entry.readFile(file).ok() && entry.rows[GameFolders::FirstPuzzleSize] != 0)
                size = GameFolders::FirstPuzzleSize;
        }
        if (OpenFile(file, size, 0, !last.empty()) || last.empty())
            return;
        // The last game is gone or damaged: the make-a-puzzle dialog is
        // offered instead, once the loop runs; closing it forgets the name.
        QTimer::singleShot(0, m_window.get(), [this] { m_commands->MakePuzzle(true); });
        return;
    }
    }
}

int App::Run() { return fw::Run(*m_window); }

void App::Shutdown()
{
    if (!m_started)
        return;
    m_started = false;
    fw::SetUnexpectedHandler({});
    if (m_window && m_window->loupe())
        m_window->CloseLoupe();
    m_options.save(*m_profile);
    if (m_puz.pieceCount() > 0) {
        const std::filesystem::path last = m_puz.savedPath.empty() ? m_puz.puzzlePath : m_puz.savedPath;
        if (!last.empty())
            m_profile->setString({}, "LastPuz", last.string());
    }
    // The last chance to show it while there is a window to show it over.
    if (m_settingsFailure && !m_endingSession) {
        fw::ShowStatus(m_window.get(), *m_settingsFailure);
        m_settingsFailure.reset();
    }
    if (m_player)
        m_player->waitIdle();
    m_player.reset();
    ClosePuzzle();
    m_scoresHost->setWindows(nullptr);
    m_scoreWindows.reset();
    m_window.reset();
    m_windowWidget = nullptr;
    m_profile->setInt({}, "AbEnd", 0);
}

// A change of the settings that did not reach the disk is lost at the end
// of the session: say so, once, rather than lose it unseen. The box waits
// for the loop, since the failed write may come from any handler.
void App::settingsNotKept(int errorNumber)
{
    if (m_settingsFailureTold)
        return;
    m_settingsFailureTold = true;
    m_settingsFailure = fw::Status(fw::isNoRoomError(errorNumber) ? fw::msg::SettingsNoRoom : fw::msg::SettingsNotWritten,
                                   m_profile->path().string());
    if (m_endingSession || !m_window) {
        std::cerr << "qvrk32: " << fw::MessageText(m_settingsFailure->id, m_settingsFailure->text) << '\n';
        m_settingsFailure.reset();
        return;
    }
    QTimer::singleShot(0, m_window.get(), [this] {
        if (!m_settingsFailure || m_endingSession)
            return;
        const fw::Status st = *m_settingsFailure;
        m_settingsFailure.reset();
        fw::ShowStatus(m_window.get(), st);
    });
}

void App::endSession()
{
    const bool first = !m_endingSession;
    m_endingSession = true;
    // Whatever modal window or menu is open ends its loop as cancelled.
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
            dialog->reject();
    }
    if (first && m_started) {
        if (m_window && m_window->loupe())
            m_window->CloseLoupe();
        if (m_puz.pieceCount() > 0 && (m_puz.state & Puz::Changed))
            SaveGame(false);
        if (m_scoreWindows)
            m_scoreWindows->hideAll();
        if (m_window) {
            for (const auto& b : m_window->boxes())
                b->hide();
        }
    }
    // Every loop of the thread ends, nested ones too, and loops opened while
    // the stack unwinds return at once. The timer ends the main loop in case
    // it had not started yet (a signal during start-up).
    QCoreApplication::exit(0);
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

// --- the open puzzle

uint32_t App::gameOptions() const { return m_puz.gameOptions.value_or(m_options.gameDefaults); }

void App::setGameOption(uint32_t bit, bool on)
{
    uint32_t game = gameOptions();
    game = on ? (game | bit) : (game & ~bit);
    if (m_puz.gameOptions != game)
        m_puz.state |= Puz::Changed;
    m_puz.gameOptions = game;
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
    // The document is reset in place by the opening: whether the new file
    // opens is known only once the old game is gone from memory.
    const std::optional<GameAside> aside = setGameAside();
    m_scoreWindows->hideAll();
    m_window->puzzleClosed();
    m_score.Reset();
    fw::Status st;
    {
        fw::WaitCursor wait;
        st = m_puz.Open(path, sizeIndex, options);
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
        m_window->rules().BringIntoView(m_window->visibleArea());
    }
    if (m_live->isOpen() && !(gameOptions() & fw::gameopt::HideScore))
        m_scoreWindows->showMiniScore(true, QPoint(m_puz.scorePos.x, m_puz.scorePos.y));
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
    fw::Display& display = fw::Display::current();
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
        m_window->rules().BringIntoView(m_window->visibleArea());
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
