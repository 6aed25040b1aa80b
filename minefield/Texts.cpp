#include "minefield/Texts.h"

#include <cstdlib>

namespace mf {

namespace {

// Indexed by number; the translations take these as their source texts.
const char* const kEnglish[] = {
    nullptr,
    "Reset the best times of all five levels of this cell shape?",  // 1
    "&Yes",  // 2
    "&No",  // 3
    "&Left click on a number opens around it",  // 4
    "&Question marks (?)",  // 5
    "Safe &first click",  // 6
    "S&tatistics...",  // 7
    "Statistics",  // 8
    "Cell &shape:",  // 9
    "Level",  // 10
    "Played",  // 11
    "Won",  // 12
    "Win rate",  // 13
    "Current streak",  // 14
    "Best streak",  // 15
    "Best 3BV/s",  // 16
    "Wins (%1), latest first:",  // 17
    "Time",  // 18
    "&Reset",  // 19
    "Reset the statistics of all levels of this cell shape?",  // 20
    "&Close",  // 21
    "No win yet.",  // 22
    "Custom",  // 23
    "Beginner",  // 24
    "Novice",  // 25
    "Intermediate",  // 26
    "Advanced",  // 27
    "Expert",  // 28
    "Square",  // 29
    "Diamond",  // 30
    "Brick",  // 31
    "Triangle",  // 32
    "Shifted Triangle",  // 33
    "Hexagon",  // 34
    "&Custom...",  // 35
    "Custom board",  // 36
    "&Width (columns):",  // 37
    "&Height (rows):",  // 38
    "&Mines:",  // 39
    "From 1 to 32 columns, 1 to 24 rows, and fewer mines than cells.",  // 40
    "OK",  // 41
    "Cancel",  // 42
    "&Replay this board",  // 43
    "&Pause",  // 44
    "Paused. Press P or click to go on.",  // 45
    "Congratulations. You solved the game in less than a second.",  // 46
    "Pictures",  // 47
    "All files",  // 48
    "The statistics could not be written to %1.",  // 49
    "No-&guess boards",  // 50
    "The help page %1 cannot be shown: no program to show web pages was found.",  // 51
    "The help file %1 is missing.",  // 52
    "&View",  // 53
    "Zoom &in",  // 54
    "Zoom &out",  // 55
    "&Actual size",  // 56
    "&Game",  // 57
    "&New",  // 58
    "&Best times...",  // 59
    "E&xit",  // 60
    "&Cells",  // 61
    "&Square (classic)",  // 62
    "&Diamond",  // 63
    "&Brick",  // 64
    "&Triangle",  // 65
    "S&hifted Triangle",  // 66
    "&Hexagon",  // 67
    "&Level",  // 68
    "&Beginner",  // 69
    "&Novice",  // 70
    "&Intermediate",  // 71
    "&Advanced",  // 72
    "&Expert",  // 73
    "&Options",  // 74
    "Set &background color...",  // 75
    "Use texture &%1",  // 76
    "&Load texture...",  // 77
    "&No texture",  // 78
    "&Sound on",  // 79
    "&Help",  // 80
    "&Help contents",  // 81
    "&Visit Minevaro home page",  // 82
    "&About...",  // 83
    "New game",  // 84
    "Exit",  // 85
    "Time: ",  // 86
    "Congratulations. You solved the game in ",  // 87
    "%d hour ",  // 88
    "%d hours ",  // 89
    "%d minute ",  // 90
    "%d minutes ",  // 91
    "%d second.",  // 92
    "%d seconds.",  // 93
    " You have the best time. Please enter your name:",  // 94
    "Best Times - %1",  // 95
    "&Reset Scores",  // 96
    "The best times could not be written to %1.",  // 97
    "Open File",  // 98
    "Bitmap File",  // 99
    "About Minevaro",  // 100
    "Minevaro for Windows (32 bit)",  // 101
    "Version 3.0",  // 102
    "Thank you",  // 103
    "L&anguage",  // 104
    "Anonymous",  // 105
    "The settings and statistics could not be kept in %1: there is no room left on the disk. The file keeps "
    "what was saved before.",  // 106
    "The settings and statistics could not be kept in %1 (%2). The file keeps what was saved before.",  // 107
};
static_assert(std::size(kEnglish) == text::Last + 1, "one English text for every number");

struct Known {
    std::string_view code;
    Language language;
    std::string_view name;
};
constexpr Known kKnown[] = {
    {"en", Language::English, "&English"},  {"es", Language::Spanish, "E&spa\u00F1ol"},
    {"ca", Language::Catalan, "&Catal\u00E0"}, {"de", Language::German, "&Deutsch"},
    {"fr", Language::French, "&Fran\u00E7ais"}, {"it", Language::Italian, "&Italiano"},
};

// "de_DE.UTF-8", "de", "de@euro" -> the two letters of the language.
bool Speaks(std::string_view locale, Language& language)
{
    const std::optional<Language> known = LanguageFromCode(locale.substr(0, locale.find_first_of("_.@")));
    if (known)
        language = *known;
    return known.has_value();
}

std::string_view Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

}  // namespace

std::string_view Text(int id)
{
    return id >= 1 && id <= text::Last ? std::string_view(kEnglish[id]) : std::string_view();
}

std::string EnglishText(int id) { return std::string(Text(id)); }

std::string_view LanguageCode(Language language)
{
    for (const Known& k : kKnown)
        if (k.language == language)
            return k.code;
    return "en";
}

std::optional<Language> LanguageFromCode(std::string_view code)
{
    for (const Known& k : kKnown)
        if (k.code == code)
            return k.language;
    return std::nullopt;
}

std::string_view LanguageName(Language language)
{
    for (const Known& k : kKnown)
        if (k.language == language)
            return k.name;
    return {};
}

Language LanguageOf(std::string_view languageList, std::string_view lcAll, std::string_view lcMessages,
                    std::string_view lang)
{
    Language language = Language::English;
    while (!languageList.empty()) {
        const size_t colon = languageList.find(':');
        if (Speaks(languageList.substr(0, colon), language))
            return language;
        languageList = colon == std::string_view::npos ? std::string_view() : languageList.substr(colon + 1);
    }
    // The first locale variable that is set decides.
    const std::string_view locale = !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
    Speaks(locale, language);
    return language;
}

Language SessionLanguage()
{
    return LanguageOf(Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG"));
}

}  // namespace mf
