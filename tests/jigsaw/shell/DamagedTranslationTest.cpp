// A damaged translation file at start-up: a player started from the
// desktop's menu sees no terminal, so what happened is said in a box.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "ShellFixture.h"
#include "framework/Markup.h"
#include "framework/qt/MUBox.h"
#include "jigsaw/shell/StartTranslation.h"

namespace fs = std::filesystem;
using namespace shelltest;

namespace {

enum class Damage { Truncated, Zeroed, HalfWritten, Missing };

void damage(const fs::path& file, Damage how)
{
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    ASSERT_GT(bytes.size(), 1000u);
    switch (how) {
    case Damage::Truncated: bytes.resize(100); break;  // inside the flag picture
    case Damage::Zeroed: bytes.assign(bytes.size(), '\0'); break;
    case Damage::HalfWritten: bytes.resize(bytes.size() / 2); break;
    case Damage::Missing: fs::remove(file); return;
    }
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// The words of every box shown during start-up, blanks and line breaks made one blank.
struct Boxes {
    std::vector<std::string> texts;
    std::vector<std::vector<int>> icons;
};

std::string words(const std::string& text)
{
    std::istringstream in(text);
    std::string out, w;
    while (in >> w)
        out += (out.empty() ? "" : " ") + w;
    return out;
}

// Answers the boxes of start-up (they run before any window of the game).
void watchBoxes(Boxes& seen, int tries = 250)
{
    QTimer::singleShot(20, [&seen, tries] {
        if (auto* box = dynamic_cast<fw::MUBox*>(QApplication::activeModalWidget())) {
            std::string text;
            for (const fw::MarkupText& t : box->layout().texts())
                text += t.text + " ";
            seen.texts.push_back(words(text));
            seen.icons.emplace_back();
            for (const fw::MarkupIcon& i : box->layout().icons())
                seen.icons.back().push_back(i.icon);
            box->command(fw::mubox::Ok);
        }
        if (tries > 0)
            watchBoxes(seen, tries - 1);
    });
}

struct DamageCase {
    const char* name;
    const char* chosen;  // "lang" in the settings
    std::vector<std::pair<const char*, Damage>> files;
    bool goesOn;  // in English, after a warning
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class DamagedTranslation : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedTranslation, SaysSoInABox)
{
    const DamageCase& c = GetParam();
    ProgramFolder folder(std::string("[Main]\r\nOptions=4096\r\nlang=") + c.chosen + "\r\n");
    fw::Traductor english;
    ASSERT_TRUE(english.Create("eng", folder.path(), "QV21", 0, "eng").ok());
    for (const auto& [lang, how] : c.files)
        damage(folder / (std::string("QV21") + lang + ".dix"), how);

    Boxes seen;
    watchBoxes(seen);
    Started s(folder, "");
    QTest::qWait(60);  // the watcher's last look
    ASSERT_EQ(seen.texts.size(), 1u) << "one box, before anything else";
    if (c.goesOn) {
        ASSERT_EQ(s.status, 0);
        EXPECT_EQ(s.app->traductor().currentLanguage(), "eng");
        for (int id : {510, 530, 987})
            EXPECT_EQ(s.app->text(id), english.Lookup(fw::Traductor::Text, id)) << "text " << id;
        const std::string damaged = (folder / (std::string("QV21") + c.chosen + ".dix")).string();
        EXPECT_NE(seen.texts[0].find(damaged), std::string::npos) << seen.texts[0];
        EXPECT_NE(seen.texts[0].find("The game goes on in English."), std::string::npos) << seen.texts[0];
        EXPECT_EQ(s.app->profile().getString("lang"), c.chosen) << "a repaired file is used again next time";
    } else {
        EXPECT_NE(s.status, 0);
        EXPECT_EQ(seen.texts[0], words(qv::UnreadableEnglishText(folder / "QV21eng.dix")));
        EXPECT_EQ(seen.icons[0], std::vector<int>{fw::mubox::IconStop});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedTranslation,
    ::testing::Values(DamageCase{"GermanTruncated", "deu", {{"deu", Damage::Truncated}}, true},
                      DamageCase{"GermanZeroed", "deu", {{"deu", Damage::Zeroed}}, true},
                      DamageCase{"GermanHalfWritten", "deu", {{"deu", Damage::HalfWritten}}, true},
                      DamageCase{"EnglishTruncated", "eng", {{"eng", Damage::Truncated}}, false},
                      DamageCase{"EnglishZeroed", "eng", {{"eng", Damage::Zeroed}}, false},
                      DamageCase{"EnglishHalfWritten", "eng", {{"eng", Damage::HalfWritten}}, false},
                      DamageCase{"GermanDamagedEnglishMissing", "deu",
                                 {{"deu", Damage::Zeroed}, {"eng", Damage::Missing}}, false},
                      DamageCase{"EnglishDamagedGermanChosenButMissing", "deu",
                                 {{"deu", Damage::Missing}, {"eng", Damage::HalfWritten}}, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
