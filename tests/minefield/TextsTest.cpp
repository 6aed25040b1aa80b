#include <gtest/gtest.h>

#include <set>
#include <string>

#include "minefield/Texts.h"

using namespace mf;

TEST(Texts, EveryTextIsThereInEveryLanguage)
{
    for (int id = 1; id <= text::Last; ++id) {
        std::set<std::string> distinct;
        for (Language language : AllLanguages) {
            EXPECT_FALSE(Text(id, language).empty()) << "text " << id << " language " << int(language);
            distinct.insert(std::string(Text(id, language)));
        }
        // A text left in English in another language would show up as one.
        EXPECT_GT(distinct.size(), 1u) << "text " << id;
    }
    EXPECT_TRUE(Text(text::Last + 1, Language::German).empty());
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
