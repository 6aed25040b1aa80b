#pragma once
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "minefield/BoardPorts.h"
#include "minefield/Settings.h"
#include "minefield/Statistics.h"
#include "minefield/Texts.h"

class QAction;
class QLabel;
class QToolButton;

namespace mf {

class SdlSound;
class TMyWindow;
class TSevenGadget;
class TMyControlBar;

// The main window of the game: menu, tool bar with the mines-left counter,
// the board, the status bar with clock and shields; it keeps the clock, the
// settings and the best times.
class TMyFrameWindow : public QMainWindow, private BoardEvents {
    Q_OBJECT
public:
    struct Options {
        QString iniPath;     // mvro.ini
        QString programDir;  // where the help file lies
        std::optional<uint32_t> seed;      // fixed mine placement, for tests
        std::function<uint32_t()> ticks;   // milliseconds; a steady clock if empty
        bool sound = true;                 // open the audio device
        // Opens the help page; the desktop's browser when empty.
        std::function<bool(const QString& file)> openHelp;
    };

    explicit TMyFrameWindow(Options options, QWidget* parent = nullptr);
    ~TMyFrameWindow() override;

    // Runs a menu command by its number.
    void Command(int id);
    void NewGame();

    TMyWindow& Board() { return *m_board; }
    TSevenGadget& Counter() { return *m_counter; }
    QString ClockText() const;
    bool ClockRunning() const { return m_clock.isActive(); }
    int ShieldsShown() const;
    bool IsChecked(int id) const;
    const std::string& TextureText() const { return m_textureText; }
    // One tick of the clock timer.
    void ClockTick();
    bool Paused() const { return m_paused; }
    // The narrowest the frame may be: its menu bar and status bar whole.
    int MinimumFrameWidth() const;

private:
    void MinesLeftChanged(int32_t minesLeft) override;
    void GameWon() override;
    void GameLost() override;
    void ShieldsChanged() override;

    void BuildMenu();
    // Shows every text in the language from now on and keeps it in the settings.
    void SetLanguage(Language language);
    QAction* AddCommand(QMenu* menu, int id, const QString& text, bool checkable = false);
    void ReadSettings();
    // False, with the system's reason in `error`, when the file was not written.
    bool WriteSettings(int* error = nullptr) const;
    // Tells the player, once a session, that the settings file is not written.
    void TellNotKept(int error);
    void closeEvent(QCloseEvent* event) override;
    void ShowShields(int shields);
    void UpdateClockText(uint32_t seconds);
    void EndOfWonGame();
    void ReplayBoard();
    void SetPaused(bool paused);
    void ChooseCustomSize();
    void ShowStatistics();
    // Counts the game in play as lost when it was begun and is given up.
    void CountGivenUpGame();
    void CountGame(const std::optional<WinRecord>& win);
    void WriteGame(const std::optional<WinRecord>& win);
    void KeepMenuBarWhole();
    void changeEvent(QEvent* event) override;
    void CheckOnly(std::initializer_list<int> group, int id);
    void ChangeShape(int id);
    void ChangeLevel(int id);
    void SetZoom(int percent);
    void ChooseColour();
    void UseTexture(int id);
    void LoadTextureFile();
    void ShowHelp();
    void ShowAbout();
    uint32_t Now() const { return m_ticks(); }

    Options m_options;
    std::function<uint32_t()> m_ticks;
    std::unique_ptr<SdlSound> m_sound;
    TMyWindow* m_board = nullptr;
    TMyControlBar* m_toolBar = nullptr;
    TSevenGadget* m_counter = nullptr;
    QToolButton* m_newButton = nullptr;
    QToolButton* m_exitButton = nullptr;
    QLabel* m_clockField = nullptr;
    std::array<QLabel*, 3> m_shieldGadgets{};
    std::map<int, QAction*> m_actions;
    QTimer m_clock;
    uint32_t m_startTick = 0;
    uint32_t m_lastTick = 0;
    uint32_t m_shownSeconds = 0;  // on the clock now
    bool m_paused = false;
    uint32_t m_pauseTick = 0;
    // The shape and level the game in play counts for in the statistics.
    ShapeKind m_gameShape = ShapeKind::Square;
    int m_gameLevel = 0;
    bool m_gameCounted = false;
    bool m_settingsWritten = false;  // at the close, before the window goes
    bool m_toldNotKept = false;
    std::string m_textureText = "1";
    // The language setting as it will be written back: read, or chosen.
    std::string m_languageText;
    std::string m_lastName;  // offered again at the next best time
};

}  // namespace mf
