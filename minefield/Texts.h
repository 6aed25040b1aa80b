#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mf {

// The game's interface texts, by number, in English. The five other
// languages it speaks are translations of these (minefield/lang), looked up
// by the windows with the English text and the number; a text without a
// translation shows in English. A new text takes the next number here and a
// message in each minefield/lang/mvro_*.ts (source: the English text,
// comment: the number).
enum class Language { English, Spanish, Catalan, German, French, Italian };
constexpr std::array<Language, 6> AllLanguages = {Language::English, Language::Spanish, Language::Catalan,
                                                  Language::German,  Language::French,  Language::Italian};

namespace text {
constexpr int ResetQuestion = 1;
constexpr int Yes = 2;
constexpr int No = 3;
constexpr int LeftChord = 4;   // menu: the left button opens around a number
constexpr int Marks = 5;       // menu: "?" marks
constexpr int SafeStart = 6;   // menu: the first click is never a mine
// The statistics window.
constexpr int StatisticsMenu = 7;
constexpr int StatisticsTitle = 8;
constexpr int CellShapeLabel = 9;
constexpr int ColumnLevel = 10;
constexpr int ColumnPlayed = 11;
constexpr int ColumnWon = 12;
constexpr int ColumnWinRate = 13;
constexpr int ColumnStreak = 14;
constexpr int ColumnBestStreak = 15;
constexpr int ColumnBestRate = 16;
constexpr int WinsOfLevel = 17;  // %1: the level
constexpr int ColumnTime = 18;
constexpr int ResetButton = 19;
constexpr int StatisticsResetQuestion = 20;
constexpr int CloseButton = 21;
constexpr int NoWinYet = 22;
// Level and shape names where the new windows show them.
constexpr int LevelCustom = 23;
constexpr int LevelBeginner = 24;  // to 28 Expert, in level order
constexpr int ShapeSquare = 29;    // to 34 Hexagon, in the order of ShapeKind
// The custom board dialog.
constexpr int CustomMenu = 35;
constexpr int CustomTitle = 36;
constexpr int CustomWidth = 37;
constexpr int CustomHeight = 38;
constexpr int CustomMines = 39;
constexpr int CustomLimits = 40;
constexpr int Ok = 41;
constexpr int Cancel = 42;
// The game menu, the paused board, the won game, the texture dialog.
constexpr int ReplayMenu = 43;
constexpr int PauseMenu = 44;
constexpr int PausedBoard = 45;
constexpr int WonInNoTime = 46;
constexpr int PicturesFilter = 47;
constexpr int AllFilesFilter = 48;
constexpr int StatisticsNotWritten = 49;  // %1: the settings file
constexpr int NoGuess = 50;     // menu: boards that need no guess
// Help that cannot be shown.
constexpr int NoHelpViewer = 51;  // no program shows the help page (%1: the page)
constexpr int HelpMissing = 52;   // the help page is not there (%1: the page)
// The view menu and its zoom entries.
constexpr int ViewMenu = 53;
constexpr int ZoomIn = 54;
constexpr int ZoomOut = 55;
constexpr int ZoomActual = 56;
// The written menus, dialogs and messages of the game.
constexpr int GameMenu = 57;
constexpr int NewMenu = 58;
constexpr int BestTimesMenu = 59;
constexpr int ExitMenu = 60;
constexpr int CellsMenu = 61;
constexpr int ShapeMenuSquare = 62;  // to 67 "&Hexagon", in the order of ShapeKind
constexpr int LevelMenu = 68;
constexpr int LevelMenuBeginner = 69;  // to 73 "&Expert"
constexpr int OptionsMenu = 74;
constexpr int BackgroundColorMenu = 75;
constexpr int TextureMenu = 76;  // %1: the texture's digit
constexpr int LoadTextureMenu = 77;
constexpr int NoTextureMenu = 78;
constexpr int SoundMenu = 79;
constexpr int HelpMenu = 80;
constexpr int HelpContentsMenu = 81;
constexpr int HomePageMenu = 82;
constexpr int AboutMenu = 83;
constexpr int NewGameTip = 84;
constexpr int ExitTip = 85;
constexpr int ClockLabel = 86;
constexpr int Congratulations = 87;
// "%d" stands for the number.
constexpr int OneHour = 88;
constexpr int Hours = 89;
constexpr int OneMinute = 90;
constexpr int Minutes = 91;
constexpr int OneSecond = 92;
constexpr int Seconds = 93;
constexpr int BestNamePrompt = 94;
constexpr int BestTimesTitle = 95;  // %1: the shape
constexpr int ResetScores = 96;
constexpr int BestTimesNotWritten = 97;  // %1: the settings file
constexpr int OpenFileTitle = 98;
constexpr int BitmapFilter = 99;
constexpr int AboutTitle = 100;
constexpr int ProductLine = 101;
constexpr int VersionLine = 102;
constexpr int ThankYou = 103;
constexpr int LanguageMenu = 104;
// The holder of a best time nobody has set; the file keeps it in English.
constexpr int AnonymousName = 105;
// The settings file could not be written: %1 the file; %2 the system's reason.
constexpr int SettingsNoRoom = 106;
constexpr int SettingsNotKept = 107;
constexpr int Last = SettingsNotKept;
}  // namespace text

// The English text; an unknown number gives the empty text.
std::string_view Text(int id);
// A text in the language shown, by number (UTF-8).
using TextLookup = std::function<std::string(int id)>;
std::string EnglishText(int id);

// The two letters of a language ("de"), as the settings keep it; a code
// that is none of ours gives nothing.
std::string_view LanguageCode(Language language);
std::optional<Language> LanguageFromCode(std::string_view code);
// The language's own name for itself, with a mnemonic ("&Deutsch").
std::string_view LanguageName(Language language);

// The language of the desktop session, by the usual order of the locale
// variables: the first of LANGUAGE's list that we speak, then LC_ALL,
// LC_MESSAGES, LANG; anything else is English.
Language LanguageOf(std::string_view languageList, std::string_view lcAll, std::string_view lcMessages,
                    std::string_view lang);
// The same, read from this process's environment.
Language SessionLanguage();

}  // namespace mf
