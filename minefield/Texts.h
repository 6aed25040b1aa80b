#pragma once
#include <array>
#include <string>
#include <string_view>

namespace mf {

// The game's own interface texts in the six languages it speaks. The texts
// that came with the original menus and dialogs stay English as they are;
// the ones added since are looked up here by number.
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
constexpr int Last = ZoomActual;
}  // namespace text

// UTF-8; an unknown number gives the empty text.
std::string_view Text(int id, Language language);

// The language of the desktop session, by the usual order of the locale
// variables: the first of LANGUAGE's list that we speak, then LC_ALL,
// LC_MESSAGES, LANG; anything else is English.
Language LanguageOf(std::string_view languageList, std::string_view lcAll, std::string_view lcMessages,
                    std::string_view lang);
// The same, read from this process's environment.
Language SessionLanguage();

}  // namespace mf
