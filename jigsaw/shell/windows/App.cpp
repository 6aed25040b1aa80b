#include "jigsaw/shell/windows/App.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <iostream>

#include "framework/AtomicFile.h"
#include "framework/Display.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/MessageBox.h"
#include "framework/qt/MessageLoop.h"
#include "framework/qt/UiText.h"
#include "framework/qt/WBkg.h"
#include "jigsaw/document/PictureFormats.h"
#include "jigsaw/library/Library.h"
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
        // The display's step lives no longer than this cut, whatever ends it.
        struct ForgetStep {
            SheetOptions& sheets;
            ~ForgetStep() { sheets.progress = {}; }
        } forget{m_steps.sheets};
        CuttingProgress progress(m_app.m_window.get(), m_app.text(CuttingText));
        return progress.run([this, &puz](const CuttingProgress::Progress& step) {
            m_steps.sheets.progress = step;
            return m_steps.renderSheets(puz);
        });
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
      m_user([this](const std::filesystem::path& p) {
          if (!m_autosaving && m_profile)
              m_profile->setString({}, "LastPuz", p.string());
      })
{
}

App::~App()
{
    // The window layer's answers set at start-up call into this program.
    fw::UiText::setSource(nullptr);
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
    // 9 (first half): the sounds, which the play window plays.
    std::unique_ptr<fw::SoundOutput> output =
        m_setup.sound ? std::move(m_setup.sound) : fw::makeSystemSoundOutput();
    m_player = std::make_unique<fw::SoundPlayer>(std::move(output));
    m_sounds = std::make_unique<GameSounds>(m_dir, [this](const std::string& path) { m_player->play(path); });
    // The library answers the scores code's shelf questions; the live
    // ranking listens to the score keeping from here on.
    m_library = std::make_unique<Library>(*m_profile, m_folders->puzzlesRoot());
    m_scoresHost = std::make_unique<ShellScoresHost>(m_traductor, *m_profile, *m_library,
                                                     [this] {
                                                         if (m_window)
                                                             m_window->present(m_window->session().recordReceived());
                                                     });
    m_live = std::make_unique<LiveRanking>(
        m_score,
        [this] {
            return ScoreGame::FromPuz(m_puz, (gameOptions() & fw::gameopt::Competition) != 0, m_puz.rights);
        },
        *m_scoresHost);
    // 7: the play window.
    m_commands = std::make_unique<PuzCommands>(
        ShellParts{m_puz, m_score, *m_live, *m_scoresHost, *m_library, *m_profile, m_options, m_traductor, *m_player,
                   *m_folders, m_display, m_dir},
        *this);
    m_context = std::make_unique<PlayContext>(PlayContext{m_puz, m_score, m_options, *m_sounds, *m_commands});
    // Texture pictures decode like puzzle pictures.
    m_context->readPicture = readPictureFile;
    m_context->display = &m_display;
    m_window = std::make_unique<WPuz>(*m_context);
    m_user.setPlayWindow(m_window.get());
    m_window->setCommandTarget(m_commands.get());
    m_window->setWindowMenu(m_commands->windowMenu());
    m_window->setWindowIcon(QIcon(PlayCursors::icon()));
    m_scoreWindows = std::make_unique<ScoreWindows>(*m_live, *m_scoresHost, m_window.get());
    m_commands->attach(*m_window, *m_scoreWindows);
    // The help buttons of message boxes (the custom-size prompt...) over
    // the play window or any window it owns.
    m_window->setHelpListener([this](int topic) { m_commands->ShowHelp(topic); });
    // Keys typed on the score strip are the table's.
    m_scoreWindows->setCommandTarget(m_commands.get());
    m_scoresHost->setWindows(m_window.get(), m_scoreWindows.get());
    QObject::connect(m_scoreWindows.get(), &ScoreWindows::helpRequested,
                     [this](int topic) { m_commands->ShowHelp(topic); });
    // The strip and the progress line keep off the picture's area, where
    // the player builds the picture.
    m_scoreWindows->setKeepClear([this] {
        if (m_puz.pieceCount() == 0)
            return QRect();
        const QRect area = m_window->toWindow(m_window->pictureArea());
        return QRect(m_window->mapToGlobal(area.topLeft()), area.size());
    });
    QObject::connect(m_scoreWindows.get(), &ScoreWindows::gameCompleted, [this] {
        // Still the game that was completed, and nobody is closing it.
        if (m_endingSession || m_puz.pieceCount() == 0 || !(m_puz.state & Puz::Complete) ||
            m_score.state() != ScoreKeeper::Finished)
            return;
        m_scoreWindows->ShowFinish(m_puz);
    });
    QObject::connect(m_scoreWindows.get(), &ScoreWindows::miniScoreMoved, [this](QPoint at) {
        const Point16 pos{static_cast<int16_t>(at.x()), static_cast<int16_t>(at.y())};
        m_window->present(m_window->session().scoreStripMoved(pos));
    });
    // 8: a 16-colour screen cannot make puzzles: the new-puzzle operation
    // asks the display itself (NewPuzzle::refusedOnLowColour).
    // 9: the document.
    fw::Display& display = m_display;
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
    m_scoresHost->setWindows(nullptr, nullptr);
    m_scoreWindows.reset();
    m_window.reset();
    m_user.setPlayWindow(nullptr);
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

}  // namespace qv
