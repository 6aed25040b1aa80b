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
constexpr int NoHelpViewer = 7;  // message: no program shows the help page (%1: the page)
constexpr int HelpMissing = 8;   // message: the help page is not there (%1: the page)
constexpr int Last = HelpMissing;
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
