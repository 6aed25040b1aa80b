// Over 600 lines: the frame is the game's one window, and its some forty
// small commands, its menus, settings and statistics files share the command
// groups and lookups at the top of this file; split, they would pass them
// through a header of their own. The rules it calls live in minefield/.
#include "minefield/windows/TMyFrameWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QCloseEvent>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "minefield/BestTimes.h"
#include "minefield/Texts.h"
#include "minefield/Zoom.h"
#include "minefield/windows/ColorRef.h"
#include "minefield/windows/Commands.h"
#include "minefield/windows/SdlSound.h"
#include "minefield/windows/TBestDialog.h"
#include "minefield/windows/TCustomDialog.h"
#include "minefield/windows/TStatsDialog.h"
#include "minefield/windows/TMyControlBar.h"
#include "minefield/windows/TMyWindow.h"
#include "minefield/windows/TSevenGadget.h"
#include "minefield/windows/TextureFile.h"
#include "minefield/windows/UiText.h"

namespace mf {

namespace {

const char* const kHelpFile = "mvro-help.html";
// A level that is none of the presets: the board of the custom size.
constexpr int kCustomLevel = 5;

const std::pair<int, ShapeKind> kShapeCommands[] = {
    {cmd::ShapeSquare, ShapeKind::Square},     {cmd::ShapeDiamond, ShapeKind::Diamond},
    {cmd::ShapeBrick, ShapeKind::Brick},       {cmd::ShapeTriangle, ShapeKind::Triangle},
    {cmd::ShapeShifted, ShapeKind::Shifted},   {cmd::ShapeHexagon, ShapeKind::Hexagon},
};
const std::initializer_list<int> kShapeGroup = {cmd::ShapeSquare,   cmd::ShapeDiamond, cmd::ShapeBrick,
                                                cmd::ShapeTriangle, cmd::ShapeShifted, cmd::ShapeHexagon};
const std::initializer_list<int> kLevelGroup = {11841, 11842, 11843, 11844, 11845, cmd::LevelCustom};
const std::initializer_list<int> kTextureGroup = {cmd::Texture1,    cmd::Texture2,   cmd::Texture3,
                                                  cmd::Texture4,    cmd::LoadTexture, cmd::NoTexture};

int ShapeCommand(ShapeKind shape)
{
    for (const auto& [id, s] : kShapeCommands)
        if (s == shape)
            return id;
    return cmd::ShapeSquare;
}

int LevelCommand(int level)
{
    return level >= 0 && level < LevelCount ? cmd::LevelBeginner + level : cmd::LevelCustom;
}

int TextureCommand(const std::string& text)
{
    if (text == "1")
        return cmd::Texture1;
    if (text == "2")
        return cmd::Texture2;
    if (text == "3")
        return cmd::Texture3;
    if (text == "4")
        return cmd::Texture4;
    if (text == "0")
        return cmd::NoTexture;
    return cmd::LoadTexture;
}

std::function<uint32_t()> SteadyTicks()
{
    return [] {
        using namespace std::chrono;
        return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
}

QToolButton* PictureButton(const QString& picture, const QString& tip)
{
    auto* button = new QToolButton;
    button->setIcon(QIcon(QPixmap(picture)));
    button->setIconSize(QSize(20, 20));
    button->setToolTip(tip);
    // Out of the focus chain: Tab then Space must not start a new game.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

TMyFrameWindow::TMyFrameWindow(Options options, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_options(std::move(options)),
      m_ticks(m_options.ticks ? m_options.ticks : SteadyTicks()),
      m_sound(std::make_unique<SdlSound>())
{
    setWindowTitle("Minevaro");
    // The language first: every text below is in it.
    {
        IniFile ini;
        ini.Load(m_options.iniPath.toStdString());
        m_languageText = Settings::Read(ini).language;
        ChooseLanguage(LanguageFromCode(m_languageText));
    }
    setWindowIcon(QIcon(QPixmap(":/mvro/mvro.png")));

    m_board = new TMyWindow(*this, *m_sound);
    if (m_options.seed) {
        auto engine = std::make_shared<std::mt19937>(*m_options.seed);
        m_board->Game().SetRandomSource([engine] { return uint32_t((*engine)()); });
    }

    m_toolBar = new TMyControlBar;
    auto* bar = new QHBoxLayout(m_toolBar);
    bar->setContentsMargins(2, 4, 2, 3);
    m_newButton = PictureButton(":/mvro/mine.png", UiText(text::NewGameTip));
    m_newButton->setObjectName("newButton");
    m_exitButton = PictureButton(":/mvro/door.png", UiText(text::ExitTip));
    m_exitButton->setObjectName("exitButton");
    connect(m_newButton, &QToolButton::clicked, this, [this] { Command(cmd::New); });
    connect(m_exitButton, &QToolButton::clicked, this, [this] { Command(cmd::Exit); });
    m_counter = new TSevenGadget(0);
    m_counter->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_counter->SetLayout({3, 1, 4, 2, 3});
    bar->addWidget(m_newButton);
    bar->addStretch(1);
    bar->addWidget(m_counter);
    bar->addStretch(1);
    bar->addWidget(m_exitButton);

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_toolBar);
    column->addWidget(m_board, 0, Qt::AlignHCenter);
    setCentralWidget(central);

    m_clockField = new QLabel;
    m_clockField->setObjectName("clock");
    m_clockField->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addWidget(m_clockField, 1);
    for (size_t i = 0; i < m_shieldGadgets.size(); ++i) {
        m_shieldGadgets[i] = new QLabel;
        m_shieldGadgets[i]->setObjectName(QStringLiteral("shield%1").arg(i + 1));
        m_shieldGadgets[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_shieldGadgets[i]->setFixedSize(20, 20);
        m_shieldGadgets[i]->setAlignment(Qt::AlignCenter);
        statusBar()->addPermanentWidget(m_shieldGadgets[i]);
    }
    statusBar()->setSizeGripEnabled(false);

    BuildMenu();
    // The board alone decides the size of the frame.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_board->SetResizeHandler([this] {
        KeepMenuBarWhole();
        if (QLayout* l = layout())
            l->activate();
        adjustSize();
    });
    m_board->SetResumeHandler([this] { SetPaused(false); });

    m_clock.setInterval(500);
    connect(&m_clock, &QTimer::timeout, this, &TMyFrameWindow::ClockTick);

    ReadSettings();
    NewGame();
    m_board->setFocus();
}

TMyFrameWindow::~TMyFrameWindow()
{
    m_clock.stop();
    CountGivenUpGame();
    if (!m_settingsWritten)
        WriteSettings();
    // The choice was this window's; texts shown without it follow the session.
    ChooseLanguage(std::nullopt);
}

QAction* TMyFrameWindow::AddCommand(QMenu* menu, int id, const QString& text, bool checkable)
{
    QAction* action = menu->addAction(text);
    action->setCheckable(checkable);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { Command(id); });
    m_actions[id] = action;
    return action;
}

void TMyFrameWindow::BuildMenu()
{
    QMenu* game = menuBar()->addMenu(UiText(text::GameMenu));
    AddCommand(game, cmd::New, UiText(text::NewMenu))->setShortcut(Qt::Key_F2);
    AddCommand(game, cmd::Replay, UiText(text::ReplayMenu));
    AddCommand(game, cmd::Pause, UiText(text::PauseMenu), true)
        ->setShortcuts({QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_Pause)});
    game->addSeparator();
    AddCommand(game, cmd::BestTimes, UiText(text::BestTimesMenu));
    AddCommand(game, cmd::Statistics, UiText(text::StatisticsMenu));
    game->addSeparator();
    AddCommand(game, cmd::Exit, UiText(text::ExitMenu))->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu* cells = menuBar()->addMenu(UiText(text::CellsMenu));
    for (const auto& [id, shape] : kShapeCommands)
        AddCommand(cells, id, UiText(text::ShapeMenuSquare + int(shape) - int(ShapeKind::Square)), true);

    QMenu* level = menuBar()->addMenu(UiText(text::LevelMenu));
    for (int i = 0; i < LevelCount; ++i)
        AddCommand(level, cmd::LevelBeginner + i, UiText(text::LevelMenuBeginner + i), true);
    level->addSeparator();
    AddCommand(level, cmd::LevelCustom, UiText(text::CustomMenu), true);

    QMenu* options = menuBar()->addMenu(UiText(text::OptionsMenu));
    AddCommand(options, cmd::BackgroundColor, UiText(text::BackgroundColorMenu));
    options->addSeparator();
    const int textures[] = {cmd::Texture1, cmd::Texture2, cmd::Texture3, cmd::Texture4};
    for (int i = 0; i < 4; ++i)
        AddCommand(options, textures[i], UiText(text::TextureMenu).arg(i + 1), true);
    AddCommand(options, cmd::LoadTexture, UiText(text::LoadTextureMenu), true);
    AddCommand(options, cmd::NoTexture, UiText(text::NoTextureMenu), true);
    options->addSeparator();
    AddCommand(options, cmd::Sound, UiText(text::SoundMenu), true);
    options->addSeparator();
    AddCommand(options, cmd::LeftChord, UiText(text::LeftChord), true);
    AddCommand(options, cmd::Marks, UiText(text::Marks), true);
    AddCommand(options, cmd::SafeStart, UiText(text::SafeStart), true);
    AddCommand(options, cmd::NoGuess, UiText(text::NoGuess), true);
    options->addSeparator();
    // Each language by its own name, whatever language is shown.
    QMenu* languages = options->addMenu(UiText(text::LanguageMenu));
    languages->menuAction()->setObjectName("languageMenu");
    auto* oneLanguage = new QActionGroup(languages);
    oneLanguage->setExclusive(true);
    for (size_t i = 0; i < AllLanguages.size(); ++i) {
        const std::string_view name = LanguageName(AllLanguages[i]);
        QAction* action = AddCommand(languages, cmd::LanguageFirst + int(i),
                                     QString::fromUtf8(name.data(), qsizetype(name.size())), true);
        action->setActionGroup(oneLanguage);
        action->setChecked(AllLanguages[i] == ShownLanguage());
    }

    QMenu* view = menuBar()->addMenu(UiText(text::ViewMenu));
    AddCommand(view, cmd::ZoomIn, UiText(text::ZoomIn))
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    AddCommand(view, cmd::ZoomOut, UiText(text::ZoomOut))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    AddCommand(view, cmd::ZoomActual, UiText(text::ZoomActual))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    view->addSeparator();
    for (size_t i = 0; i < ZoomSteps.size(); ++i)
        AddCommand(view, cmd::ZoomFirst + int(i), UiLocale().toString(ZoomSteps[i]) + QStringLiteral(" %"), true);

    QMenu* help = menuBar()->addMenu(UiText(text::HelpMenu));
    AddCommand(help, cmd::HelpContents, UiText(text::HelpContentsMenu))->setShortcut(Qt::Key_F1);
    help->addSeparator();
    AddCommand(help, cmd::HomePage, UiText(text::HomePageMenu));
    help->addSeparator();
    AddCommand(help, cmd::About, UiText(text::AboutMenu));
}

void TMyFrameWindow::SetLanguage(Language language)
{
    m_languageText = std::string(LanguageCode(language));
    ChooseLanguage(language);
    // The menus again in the new language, every check mark as it was; the
    // game, its clock and its board go on untouched.
    std::map<int, bool> checked;
    for (const auto& [id, action] : m_actions)
        checked[id] = action->isChecked();
    // Later: the choice itself comes from one of these menus.
    for (QAction* top : menuBar()->actions())
        if (QMenu* menu = top->menu())
            menu->deleteLater();
    menuBar()->clear();
    m_actions.clear();
    BuildMenu();
    for (const auto& [id, on] : checked)
        if (id < cmd::LanguageFirst || id >= cmd::LanguageFirst + int(AllLanguages.size()))
            m_actions[id]->setChecked(on);
    m_newButton->setToolTip(UiText(text::NewGameTip));
    m_exitButton->setToolTip(UiText(text::ExitTip));
    UpdateClockText(m_shownSeconds);
    m_board->update();
    // A longer menu bar widens the window.
    KeepMenuBarWhole();
    if (QLayout* l = layout())
        l->activate();
    adjustSize();
}

void TMyFrameWindow::ReadSettings()
{
    IniFile ini;
    ini.Load(m_options.iniPath.toStdString());
    const Settings s = Settings::Read(ini);
    MineGame& game = m_board->Game();
    m_board->SetZoom(s.zoom);
    SetZoom(s.zoom);
    game.SetLevel(s.level);
    game.SetCustomSize(s.width, s.height, s.mines);
    game.SetSoundOn(s.sound);
    game.SetShape(s.shape);
    m_board->SetBkColor(s.color);
    m_textureText = s.texture;
    m_board->SetTexture(&m_textureText);

    CheckOnly(kLevelGroup, LevelCommand(s.level));
    CheckOnly(kShapeGroup, ShapeCommand(s.shape));
    CheckOnly(kTextureGroup, TextureCommand(m_textureText));
    m_actions[cmd::Sound]->setChecked(s.sound);
    game.SetOptions({s.leftChord, s.marks, s.safeStart, s.noGuess});
    m_actions[cmd::LeftChord]->setChecked(s.leftChord);
    m_actions[cmd::Marks]->setChecked(s.marks);
    m_actions[cmd::SafeStart]->setChecked(s.safeStart);
    m_actions[cmd::NoGuess]->setChecked(s.noGuess);
}

bool TMyFrameWindow::WriteSettings(int* error) const
{
    if (m_options.iniPath.isEmpty())
        return true;
    IniFile ini;
    ini.Load(m_options.iniPath.toStdString());
    const MineGame& game = m_board->Game();
    Settings s;
    s.level = uint8_t(game.Level());
    // The custom size, which a preset level leaves as it was.
    s.width = game.CustomWidth();
    s.height = game.CustomHeight();
    s.mines = game.CustomMines();
    s.shape = game.Shape();
    s.color = m_board->BkColor();
    s.texture = m_textureText;
    s.sound = game.SoundOn();
    s.leftChord = game.Options().leftChord;
    s.marks = game.Options().marks;
    s.safeStart = game.Options().safeStart;
    s.noGuess = game.Options().noGuess;
    s.zoom = m_board->Zoom();
    s.language = m_languageText;
    s.Write(ini);
    return ini.Save(m_options.iniPath.toStdString(), error);
}

void TMyFrameWindow::closeEvent(QCloseEvent* event)
{
    // Written while the window can still say that it could not be.
    CountGivenUpGame();
    int error = 0;
    if (!WriteSettings(&error))
        TellNotKept(error);
    m_settingsWritten = true;
    QMainWindow::closeEvent(event);
}

void TMyFrameWindow::TellNotKept(int error)
{
    if (m_toldNotKept)
        return;
    m_toldNotKept = true;
    const bool noRoom = error == ENOSPC || error == EDQUOT || error == EFBIG;
    const QString text = noRoom ? UiText(text::SettingsNoRoom).arg(m_options.iniPath)
                                : UiText(text::SettingsNotKept).arg(m_options.iniPath, QString::fromLocal8Bit(std::strerror(error)));
    QMessageBox box(QMessageBox::Warning, "Minevaro", text, QMessageBox::Ok, this);
    MakePlainDialog(&box);
    box.button(QMessageBox::Ok)->setText(UiText(text::Ok));
    box.exec();
}

void TMyFrameWindow::CheckOnly(std::initializer_list<int> group, int id)
{
    for (int member : group)
        m_actions[member]->setChecked(member == id);
}

bool TMyFrameWindow::IsChecked(int id) const
{
    const auto it = m_actions.find(id);
    return it != m_actions.end() && it->second->isChecked();
}

void TMyFrameWindow::Command(int id)
{
    if (id >= cmd::LevelBeginner && id <= cmd::LevelExpert)
        return ChangeLevel(id);
    if (id == cmd::LevelCustom)
        return ChooseCustomSize();
    if (id >= cmd::LanguageFirst && id < cmd::LanguageFirst + int(AllLanguages.size()))
        return SetLanguage(AllLanguages[size_t(id - cmd::LanguageFirst)]);
    if (id >= cmd::ZoomFirst && id < cmd::ZoomFirst + int(ZoomSteps.size()))
        return SetZoom(ZoomSteps[size_t(id - cmd::ZoomFirst)]);
    if (id == cmd::ZoomIn)
        return SetZoom(mf::ZoomIn(m_board->Zoom()));
    if (id == cmd::ZoomOut)
        return SetZoom(mf::ZoomOut(m_board->Zoom()));
    if (id == cmd::ZoomActual)
        return SetZoom(DefaultZoom);
    for (const auto& [shapeId, shape] : kShapeCommands)
        if (id == shapeId)
            return ChangeShape(id);
    switch (id) {
    case cmd::New:
        return NewGame();
    case cmd::Replay:
        return ReplayBoard();
    case cmd::Pause:
        SetPaused(!m_paused);
        return;
    case cmd::Statistics:
        return ShowStatistics();
    case cmd::BestTimes: {
        TBestDialog dialog(m_board->Game().Shape(), m_options.iniPath, this);
        dialog.exec();
        return;
    }
    case cmd::Exit:
        close();
        return;
    case cmd::BackgroundColor:
        return ChooseColour();
    case cmd::Texture1:
    case cmd::Texture2:
    case cmd::Texture3:
    case cmd::Texture4:
    case cmd::NoTexture:
        return UseTexture(id);
    case cmd::LoadTexture:
        return LoadTextureFile();
    case cmd::Sound: {
        MineGame& game = m_board->Game();
        game.SetSoundOn(!game.SoundOn());
        m_actions[cmd::Sound]->setChecked(game.SoundOn());
        return;
    }
    case cmd::LeftChord:
    case cmd::Marks:
    case cmd::SafeStart:
    case cmd::NoGuess: {
        // The safe start and no-guess boards apply from the next new game on.
        MineGame::PlayOptions o = m_board->Game().Options();
        bool& flag = id == cmd::LeftChord ? o.leftChord
                     : id == cmd::Marks   ? o.marks
                     : id == cmd::SafeStart ? o.safeStart
                                            : o.noGuess;
        flag = !flag;
        m_board->Game().SetOptions(o);
        m_actions[id]->setChecked(flag);
        return;
    }
    case cmd::HelpContents:
        return ShowHelp();
    case cmd::HomePage:
        // The game has no page on the web: its help is its home.
        return ShowHelp();
    case cmd::About:
        return ShowAbout();
    default:
        return;
    }
}

void TMyFrameWindow::NewGame()
{
    CountGivenUpGame();
    m_clock.stop();
    SetPaused(false);
    m_startTick = m_lastTick = Now();
    m_board->Game().NewGame();
    m_gameShape = m_board->Game().Shape();
    m_gameLevel = m_board->Game().Level();
    m_gameCounted = false;
    ShowShields(m_board->Game().Shields());
    UpdateClockText(0);
    m_clock.start();
}

void TMyFrameWindow::ReplayBoard()
{
    CountGivenUpGame();
    m_clock.stop();
    SetPaused(false);
    m_startTick = m_lastTick = Now();
    m_board->Game().Replay();
    m_gameCounted = false;
    ShowShields(m_board->Game().Shields());
    UpdateClockText(0);
    m_clock.start();
}

void TMyFrameWindow::SetPaused(bool paused)
{
    // Only a game whose clock runs can be paused.
    if (paused == m_paused || (paused && !m_clock.isActive()))
        return m_actions[cmd::Pause]->setChecked(m_paused);
    m_paused = paused;
    m_actions[cmd::Pause]->setChecked(paused);
    m_board->SetPaused(paused);
    if (paused) {
        m_clock.stop();
        m_pauseTick = Now();
        return;
    }
    // The clock goes on from where it stood: the pause is left out of the time.
    const uint32_t pause = Now() - m_pauseTick;
    m_startTick += pause;
    m_lastTick += pause;
    if (!m_board->Game().GameOver())
        m_clock.start();
}

void TMyFrameWindow::changeEvent(QEvent* event)
{
    // A game put away with the window is paused.
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        SetPaused(true);
    QMainWindow::changeEvent(event);
}

void TMyFrameWindow::CountGivenUpGame()
{
    const MineGame& game = m_board->Game();
    if (game.Started() && !game.GameOver())
        CountGame(std::nullopt);
}

void TMyFrameWindow::CountGame(const std::optional<WinRecord>& win)
{
    // Once a game: a lost game left for a new one is not lost twice.
    if (m_gameCounted)
        return;
    m_gameCounted = true;
    WriteGame(win);
}

void TMyFrameWindow::WriteGame(const std::optional<WinRecord>& win)
{
    if (m_options.iniPath.isEmpty())
        return;
    // Read, counted and written at once, so that a crash loses no game and
    // whatever else the file holds stays as it is.
    IniFile ini;
    ini.Load(m_options.iniPath.toStdString());
    Statistics stats;
    stats.Load(ini);
    LevelStats& row = stats.At(m_gameShape, Statistics::RowOf(m_gameLevel));
    if (win)
        row.AddWin(*win);
    else
        row.AddLoss();
    stats.Save(ini);
    int error = 0;
    // Told when the game's own messages are done with, not in their middle.
    if (!ini.Save(m_options.iniPath.toStdString(), &error))
        QTimer::singleShot(0, this, [this, error] { TellNotKept(error); });
}

void TMyFrameWindow::ShowStatistics()
{
    TStatsDialog dialog(m_board->Game().Shape(), m_board->Game().Level(), m_options.iniPath, this);
    dialog.exec();
}

void TMyFrameWindow::ChooseCustomSize()
{
    MineGame& game = m_board->Game();
    TCustomDialog dialog(game.CustomWidth(), game.CustomHeight(), game.CustomMines(), this);
    if (dialog.exec() != QDialog::Accepted) {
        CheckOnly(kLevelGroup, LevelCommand(game.Level()));
        return;
    }
    game.SetCustomSize(dialog.Columns(), dialog.Rows(), dialog.Mines());
    if (PresetFor(game.Level(), game.Shape()))
        game.SetLevel(kCustomLevel);
    CheckOnly(kLevelGroup, cmd::LevelCustom);
    NewGame();
}

int TMyFrameWindow::MinimumFrameWidth() const
{
    // The bar's own hint is the width it has now; the width that shows every
    // entry is the sum of the entries, as the style lays them out.
    const QMenuBar* bar = menuBar();
    const QStyle* style = bar->style();
    int width = 2 * (style->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, bar) +
                     style->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, bar));
    const int spacing = style->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, bar);
    for (QAction* action : bar->actions()) {
        if (!action->isVisible())
            continue;
        QStyleOptionMenuItem option;
        option.initFrom(bar);
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.text = action->text();
        option.font = bar->font();
        option.fontMetrics = bar->fontMetrics();
        const QSize text = bar->fontMetrics().size(Qt::TextShowMnemonic, action->text());
        width += style->sizeFromContents(QStyle::CT_MenuBarItem, &option, text, bar).width() + spacing;
    }
    const int status = statusBar()->sizeHint().width();
    return std::max(width, status);
}

void TMyFrameWindow::KeepMenuBarWhole()
{
    // Never narrower than the menu bar: a small board sits in the middle.
    centralWidget()->setMinimumWidth(MinimumFrameWidth());
}

void TMyFrameWindow::ClockTick()
{
    if (m_paused)
        return;
    m_lastTick = Now();
    UpdateClockText((m_lastTick - m_startTick) / 1000);
}

void TMyFrameWindow::UpdateClockText(uint32_t seconds)
{
    m_shownSeconds = seconds;
    m_clockField->setText(UiText(text::ClockLabel) + QString::fromStdString(FormatClock(int32_t(seconds))));
}

QString TMyFrameWindow::ClockText() const { return m_clockField->text(); }

void TMyFrameWindow::ShowShields(int shields)
{
    if (shields < 0 || shields > 3)
        return;
    const QPixmap strip(":/mvro/shields.png");
    for (int i = 0; i < 3; ++i) {
        const bool shown = i < shields;
        m_shieldGadgets[size_t(i)]->setPixmap(strip.copy(shown ? 0 : 16, 0, 16, 16));
        m_shieldGadgets[size_t(i)]->setProperty("shield", shown);
    }
}

int TMyFrameWindow::ShieldsShown() const
{
    int n = 0;
    for (const QLabel* gadget : m_shieldGadgets)
        n += gadget->property("shield").toBool();
    return n;
}

void TMyFrameWindow::MinesLeftChanged(int32_t minesLeft)
{
    m_counter->SetValue(minesLeft);
    m_toolBar->update();
}

void TMyFrameWindow::GameLost()
{
    m_clock.stop();
    CountGame(std::nullopt);
}

void TMyFrameWindow::ShieldsChanged() { ShowShields(m_board->Game().Shields()); }

void TMyFrameWindow::GameWon()
{
    // The time of the last clock tick, in whole seconds; the statistics take
    // the time to the millisecond.
    m_clock.stop();
    const MineGame& game = m_board->Game();
    std::vector<bool> mine(size_t(game.Width()) * size_t(game.Height()), false);
    for (const CellPos& p : game.MinePositions())
        mine[size_t(p.r) * size_t(game.Width()) + size_t(p.c)] = true;
    CountGame(WinRecord{ThreeBV(game.Shape(), game.Width(), game.Height(), mine), int32_t(Now() - m_startTick)});
    // The dialogue waits until the mouse button that won has been handled.
    QMetaObject::invokeMethod(this, &TMyFrameWindow::EndOfWonGame, Qt::QueuedConnection);
}

void TMyFrameWindow::EndOfWonGame()
{
    const int32_t seconds = int32_t((m_lastTick - m_startTick) / 1000);
    const int32_t h = seconds / 3600, m = (seconds % 3600) / 60, s = seconds % 60;
    const int level = m_board->Game().Level();
    TBestDialog best(m_board->Game().Shape(), m_options.iniPath, this);
    if (!best.Records().IsBest(level, 3600 * h + 60 * m + s)) {
        QMessageBox box(QMessageBox::Information, "Minevaro",
                        QString::fromStdString(CongratulationText(h, m, s, UiTextUtf8)), QMessageBox::Ok, this);
        MakePlainDialog(&box);
        box.button(QMessageBox::Ok)->setText(UiText(text::Ok));
        box.exec();
        return;
    }
    QInputDialog input(this, DialogFlags);
    input.setObjectName("nameEntry");
    input.setWindowTitle("Minevaro");
    input.setLabelText(UiText(text::BestNamePrompt));
    input.setOkButtonText(UiText(text::Ok));
    input.setCancelButtonText(UiText(text::Cancel));
    input.setTextValue(QString::fromStdString(m_lastName));
    if (auto* edit = input.findChild<QLineEdit*>())
        edit->setMaxLength(28);
    if (input.exec() != QDialog::Accepted)
        return;
    // Kept as typed: the best times keep what Windows-1252 lacks in a key of their own.
    m_lastName = input.textValue().left(28).toStdString();
    best.StoreRecord(level, h, m, s, m_lastName);
    best.exec();
}

void TMyFrameWindow::ChangeShape(int id)
{
    CountGivenUpGame();
    CheckOnly(kShapeGroup, id);
    for (const auto& [shapeId, shape] : kShapeCommands)
        if (shapeId == id)
            m_board->Game().SetShape(shape);
    NewGame();
}

void TMyFrameWindow::ChangeLevel(int id)
{
    CheckOnly(kLevelGroup, id);
    m_board->Game().SetLevel(id - cmd::LevelBeginner);
    NewGame();
}

void TMyFrameWindow::SetZoom(int percent)
{
    // The board resizes itself and the frame follows it.
    m_board->SetZoom(percent);
    for (size_t i = 0; i < ZoomSteps.size(); ++i)
        m_actions[cmd::ZoomFirst + int(i)]->setChecked(ZoomSteps[i] == m_board->Zoom());
}

void TMyFrameWindow::ChooseColour()
{
    static bool customSet = false;
    if (!customSet) {
        const uint32_t custom[16] = {0x000000, 0x800000, 0x008000, 0x000080, 0x800080, 0x008080,
                                     0x808000, 0x808080, 0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                     0xFF00FF, 0x00FFFF, 0xFFFF00, 0xFFFFFF};
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, FromColorRef(custom[i]));
        customSet = true;
    }
    QColorDialog dialog(FromColorRef(m_board->BkColor()), this);
    MakePlainDialog(&dialog);
    if (dialog.exec() == QDialog::Accepted && dialog.selectedColor().isValid())
        m_board->SetBkColor(ToColorRef(dialog.selectedColor()));
}

void TMyFrameWindow::UseTexture(int id)
{
    CheckOnly(kTextureGroup, id);
    if (id == cmd::NoTexture) {
        m_textureText = "0";
        m_board->SetTexture(nullptr);
        return;
    }
    const char digit = id == cmd::Texture1 ? '1' : id == cmd::Texture2 ? '2' : id == cmd::Texture3 ? '3' : '4';
    m_textureText = std::string(1, digit);
    m_board->SetTexture(&m_textureText);
}

void TMyFrameWindow::LoadTextureFile()
{
    QFileDialog dialog(this, UiText(text::OpenFileTitle));
    MakePlainDialog(&dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly);
    // Every picture the texture reader takes, then the bitmaps alone.
    dialog.setNameFilters(TextureNameFilters(UiText(text::PicturesFilter), UiText(text::BitmapFilter),
                                             UiText(text::AllFilesFilter)));
    const QString path = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                             ? dialog.selectedFiles().first()
                             : QString();
    if (path.isEmpty()) {
        CheckOnly(kTextureGroup, TextureCommand(m_textureText));
        return;
    }
    m_textureText = path.toLocal8Bit().toStdString();
    m_board->SetTexture(&m_textureText);
    CheckOnly(kTextureGroup, cmd::LoadTexture);
}

void TMyFrameWindow::ShowHelp()
{
    const QString path = m_options.programDir + "/" + kHelpFile;
    const bool present = QFileInfo::exists(path);
    if (present && (m_options.openHelp ? m_options.openHelp(path) : QDesktopServices::openUrl(QUrl::fromLocalFile(path))))
        return;
    // A missing page, or no program that shows it: either way the player is told.
    QMessageBox box(present ? QMessageBox::Information : QMessageBox::Warning, "Minevaro",
                    UiText(present ? text::NoHelpViewer : text::HelpMissing).arg(path), QMessageBox::Ok, this);
    MakePlainDialog(&box);
    box.button(QMessageBox::Ok)->setText(UiText(text::Ok));
    box.exec();
}

void TMyFrameWindow::ShowAbout()
{
    QDialog about(this, DialogFlags);
    about.setWindowTitle(UiText(text::AboutTitle));
    auto* icon = new QLabel;
    icon->setPixmap(QPixmap(":/mvro/mvro.png"));
    auto* text = new QLabel(UiText(text::ProductLine) + "\n" + UiText(text::VersionLine));
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* buttons = new QDialogButtonBox;
    QPushButton* home = buttons->addButton(UiText(text::HomePageMenu), QDialogButtonBox::ActionRole);
    QPushButton* thanks = buttons->addButton(UiText(text::ThankYou), QDialogButtonBox::AcceptRole);
    connect(home, &QPushButton::clicked, this, &TMyFrameWindow::ShowHelp);
    connect(thanks, &QPushButton::clicked, &about, &QDialog::accept);
    auto* column = new QVBoxLayout(&about);
    column->addLayout(row);
    column->addWidget(buttons);
    about.exec();
}

}  // namespace mf
