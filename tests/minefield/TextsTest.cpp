#include <gtest/gtest.h>

#include <set>
#include <string>

#include "minefield/Texts.h"

using namespace mf;

// The translations of every text are checked where they are read, with the
// windows (Texts.EveryTextIsThereInEveryLanguage).
TEST(Texts, EveryNumberHasItsEnglishText)
{
    for (int id = 1; id <= text::Last; ++id)
        EXPECT_FALSE(Text(id).empty()) << "text " << id;
    EXPECT_TRUE(Text(0).empty());
    EXPECT_TRUE(Text(text::Last + 1).empty());
}

TEST(Texts, TheLanguageSettingIsTheTwoLettersAndAnUnknownOneIsNone)
{
    for (Language language : AllLanguages) {
        EXPECT_EQ(LanguageFromCode(LanguageCode(language)), language) << LanguageCode(language);
        EXPECT_FALSE(LanguageName(language).empty());
    }
    EXPECT_EQ(LanguageCode(Language::German), "de");
    EXPECT_EQ(LanguageCode(Language::Catalan), "ca");
    for (const char* unknown : {"", "xx", "DE", "de_DE", "pt", " de"})
        EXPECT_EQ(LanguageFromCode(unknown), std::nullopt) << '"' << unknown << '"';
}

TEST(Texts, TheSessionLocaleChoosesTheLanguage)
{
    struct Case {
        const char *languageList, *lcAll, *lcMessages, *lang;
        Language language;
    };
    const Case cases[] = {
        {"", "", "", "", Language::English},
        {"", "", "", "de_DE.UTF-8", Language::German},
        {"", "", "ca_ES@valencia", "de_DE.UTF-8", Language::Catalan},
        {"", "fr_CA.UTF-8", "ca_ES", "de_DE", Language::French},
        {"pt_BR:it:de", "fr_FR", "", "", Language::Italian},  // the first of the list we speak
        {"pt_BR", "", "", "es_AR.UTF-8", Language::Spanish},
        {"", "", "", "C.UTF-8", Language::English},
        {"", "", "", "nl_NL", Language::English},
        {"", "", "", "de", Language::German},
    };
    for (const Case& k : cases)
        EXPECT_EQ(LanguageOf(k.languageList, k.lcAll, k.lcMessages, k.lang), k.language)
            << k.languageList << "|" << k.lcAll << "|" << k.lcMessages << "|" << k.lang;
}
