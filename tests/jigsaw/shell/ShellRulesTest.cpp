// Start-up, the command line, settings, keys that must do nothing, the
// loupe's limits, autosave and the credits text.
#include <gtest/gtest.h>

#include "Drive.h"
#include "ShellFixture.h"
#include "framework/qt/MUBox.h"
#include "framework/Profile.h"
#include "jigsaw/play/windows/Loupe.h"
#include "jigsaw/shell/CommandLine.h"
#include "jigsaw/shell/windows/CreditsShow.h"
#include "jigsaw/shell/windows/PuzCommands.h"
#include "jigsaw/print/PrintLayout.h"
#include "framework/Credits.h"
#include "framework/qt/WCredits.h"

#include <condition_variable>

using namespace shelltest;
using Kind = qv::CommandLine::Kind;

TEST(CommandLine, KindsOfArgument)
{
    const struct {
        const char* text;
        Kind kind;
        const char* path;
    } cases[] = {
        {"", Kind::None, ""},
        {"   ", Kind::None, ""},
        {"/p/Castle.PUZ", Kind::Puzzle, "/p/Castle.PUZ"},
        {"\"/my games/a game.sav\"", Kind::SavedGame, "/my games/a game.sav"},
        {"/pics/photo.JPEG", Kind::Picture, "/pics/photo.JPEG"},
        {"x.jfif", Kind::Picture, "x.jfif"},
        {"x.gif", Kind::Picture, "x.gif"},
        {"notes.txt", Kind::OtherPath, "notes.txt"},
        {"@setup", Kind::Install, ""},
        {"@instalprogman /lang:cas", Kind::Install, ""},
        {"@setupx.puz", Kind::Puzzle, "@setupx.puz"},
    };
    for (const auto& c : cases) {
        const qv::CommandLine cl = qv::CommandLine::parse(c.text);
        EXPECT_EQ(cl.kind, c.kind) << c.text;
        EXPECT_EQ(cl.path.string(), c.path) << c.text;
    }
    EXPECT_EQ(qv::CommandLine::parse("@instalprogman /lang:cas").language, "cas");
}

TEST(StartUp, WithoutTranslationsTheProgramEndsWithAStatus)
{
    ProgramFolder folder;
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        if (e.path().extension() == ".dix")
            std::filesystem::remove(e.path());
    // Nothing can be translated: the program's own English text says why.
    bool told = false;
    answerModal<fw::MUBox>([&told](fw::MUBox& box) {
        told = true;
        box.command(fw::mubox::Ok);
    });
    Started s(folder, "");
    EXPECT_NE(s.status, 0);
    EXPECT_TRUE(told);
    s.app.reset();
}

TEST(StartUp, SettingsAreMergedAndAbEndKept)
{
    ProgramFolder folder("[Main]\r\nMute=1\r\nOptions=4097\r\nAbEnd=1\r\n");
    {
        Started s(folder, "");
        ASSERT_EQ(s.status, 0);
        EXPECT_TRUE(s.app->previousRunEndedAbnormally());
        fw::Profile profile(folder / "QVrk.ini");
        EXPECT_FALSE(profile.has("Main", "Mute"));
        EXPECT_EQ(profile.getInt("Main", "Options"), 0x1000 | 0x08);
        EXPECT_EQ(profile.getInt("Main", "AbEnd"), 1) << "while running";
    }
    fw::Profile profile(folder / "QVrk.ini");
    EXPECT_EQ(profile.getInt("Main", "AbEnd"), 0);
    EXPECT_EQ(profile.getString("Main", "Loupe"), "210,2.0");
}

TEST(StartUp, FileProfileNamesAnotherSettingsFile)
{
    ProgramFolder folder("[Main]\r\nFileProfile=mine\r\n");
    folder.writeFile("mine.ini", "[Main]\r\nOptions=4096\r\nnSayClick2=3\r\n");
    {
        Started s(folder, "");
        ASSERT_EQ(s.status, 0);
        EXPECT_EQ(s.app->profile().path(), folder / "mine.ini");
    }
    EXPECT_EQ(fw::Profile(folder / "mine.ini").getInt("Main", "AbEnd"), 0);
}

// The very first start shows the sample at its second size, since the
// smallest is done in a minute; a sample of one size opens at that size.
TEST(StartUp, FirstStartOpensTheSampleAtItsSecondSize)
{
    const int grids[3][2] = {{6, 4}, {10, 8}, {14, 10}};
    const struct {
        int sizes;
        int pieces;
    } cases[] = {{3, 10 * 8}, {1, 6 * 4}};
    for (const auto& c : cases) {
        ProgramFolder folder;
        qv::Puz puz;
        puz.edit = qv::Puz::Making;
        for (int k = 0; k < c.sizes; ++k) {
            puz.columns[k] = static_cast<int16_t>(grids[k][0]);
            puz.rows[k] = static_cast<int16_t>(grids[k][1]);
        }
        puz.stockSizeCount = static_cast<int16_t>(c.sizes);
        puz.entry.title = "Sample";
        qv::PictureSource source;
        source.bitmap = fw::Bitmap(360, 270, 0x40A060);
        ASSERT_TRUE(qv::WritePuzzleFile(puz, folder / "sample.puz", source, fw::Bitmap(80, 60, 0x336699),
                                        fw::Display())
                        .ok());
        Started s(folder, "");
        ASSERT_EQ(s.status, 0);
        EXPECT_EQ(s.puz().puzzlePath, folder / "sample.puz");
        EXPECT_EQ(s.puz().pieceCount(), c.pieces) << c.sizes << " sizes";
    }
}

class OpenGame : public ::testing::Test {
protected:
    ProgramFolder folder;
    std::unique_ptr<Started> s;

    void open(int columns, int rows, uint16_t options = 0, const std::string& settings = {})
    {
        if (!settings.empty())
            folder.writeFile("QVrk.ini", settings);
        const auto puzzle = makePuzzle(folder / "p.puz", columns, rows, options);
        s = std::make_unique<Started>(folder, puzzle.string());
        ASSERT_EQ(s->status, 0);
    }
};

TEST_F(OpenGame, KeysThatMustDoNothing)
{
    open(4, 3, qv::Puz::NoHelp);
    qv::WPuz& w = s->window();
    qv::Puz& puz = s->puz();
    const auto before = puz.pieces;
    // Alt+3 with only two boxes.
    while (puz.boxes.size() > 2)
        ASSERT_TRUE(w.removeBox());
    QTest::mouseMove(&w, centreInPlay(w, puz.pieces[5]));
    QTest::keyClick(&w, Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(puz.pieces[5].box, qv::SPuz::OnTable);
    // F5 with "NoHelp".
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_EQ(s->app->score().Counters().helps, 0);
    // Esc without the minimising option.
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isMinimized());
    for (int i = 0; i < puz.pieceCount(); ++i)
        EXPECT_EQ(puz.pieces[i].tableCell, before[i].tableCell);
}

TEST_F(OpenGame, SaveWithNoPuzzleDoesNothing)
{
    open(4, 3);
    s->app->ClosePuzzle();
    QTest::keyClick(&s->window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(s->puz().savedPath.empty());
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        EXPECT_NE(e.path().extension(), ".sav");
}

TEST_F(OpenGame, LoupeSizeLimitsAndFactor)
{
    open(4, 3);
    qv::WPuz& w = s->window();
    w.OpenLoupe();
    ASSERT_TRUE(w.loupe());
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(&w, Qt::Key_Left);
    EXPECT_EQ(w.loupe()->size(), 90);
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(&w, Qt::Key_Right);
    EXPECT_EQ(w.loupe()->size(), 290);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&w, Qt::Key_Plus);
    EXPECT_EQ(w.loupe()->factor(), 5.0);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.loupe());
    s->app->Shutdown();
    EXPECT_EQ(fw::Profile(folder / "QVrk.ini").getString("Main", "Loupe"), "290,5.0");
}

TEST_F(OpenGame, AutosaveAtOnceOnAJoinOtherwiseOnceAMinute)
{
    // Options 0x40: new games save themselves.
    open(4, 3, 0, "[Main]\r\nOptions=4160\r\n");
    qv::Puz& puz = s->puz();
    qv::PuzCommands& commands = s->app->commands();
    ASSERT_TRUE(s->app->gameOptions() & fw::gameopt::AutoSave);
    puz.state |= qv::Puz::Changed;
    commands.autosave(false);  // within a minute of opening
    EXPECT_TRUE(puz.savedPath.empty());
    commands.autosave(true);
    ASSERT_FALSE(puz.savedPath.empty());
    EXPECT_TRUE(std::filesystem::exists(puz.savedPath));
    EXPECT_FALSE(puz.state & qv::Puz::Changed);
    EXPECT_NE(s->app->profile().getString("LastPuz"), puz.savedPath.string()) << "autosaves are not remembered";
    const auto stamp = std::filesystem::last_write_time(puz.savedPath);
    puz.state |= qv::Puz::Changed;
    commands.autosave(false);
    commands.autosave(false);
    EXPECT_EQ(std::filesystem::last_write_time(puz.savedPath), stamp);
    // Leaving with changes and autosave on saves without a question.
    EXPECT_TRUE(commands.Exit());
    EXPECT_FALSE(puz.state & qv::Puz::Changed);
}

// A game never named is printed as one without a name, not under its
// puzzle's title.
TEST_F(OpenGame, ThePrintCaptionOfAGameWithoutANameSaysSo)
{
    open(4, 3);
    qv::CaptionFacts facts = qv::PuzCommands::PrintCaption(s->puz(), s->app->score().Counters());
    EXPECT_EQ(facts.gameName, "");
    const std::string caption =
        qv::CaptionText(facts, [&](int id) { return s->app->text(id); }, [](uint32_t) { return std::string(); });
    EXPECT_EQ(caption.find(s->puz().title()), std::string::npos) << caption;
    EXPECT_NE(caption.find(s->app->text(568)), std::string::npos) << caption;
    s->puz().savedName = "Sunday";
    EXPECT_EQ(qv::PuzCommands::PrintCaption(s->puz(), s->app->score().Counters()).gameName, "Sunday");
}

TEST_F(OpenGame, CreditsTextAsAssembled)
{
    open(4, 3);
    const std::string text = qv::CreditsShow::text(*s->app);
    EXPECT_EQ(text.rfind("\\fnt1:Times New Roman,28,BOLD\\fnt2:MS Sans Serif,15\\fnt3:MS Serif,14"
                         "\\fnt4:MS Serif,13\\fnt5:MS Serif,8\\snd:credits.wav ", 0),
              0u);
    EXPECT_NE(text.find("Independent JPEG Group"), std::string::npos) << "the picture came from JPEG";
    EXPECT_NE(text.find("{@bmp:1}{RGB=0,255,255 fnt=3 Bands}"), std::string::npos);
    EXPECT_NE(text.find("{RGB=255,255,0 fnt=1 Quorvane}"), std::string::npos);
    EXPECT_NE(text.find(s->app->text(513)), std::string::npos);
    EXPECT_NE(text.find(s->app->text(712)), std::string::npos);
    const std::string tail = "{@icon:200}{RGB=0,0,0 fnt=4 \xB7\n}";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    const auto pictures = qv::CreditsShow::pictures(*s->app);
    EXPECT_EQ(pictures.count(1), 1u) << "the puzzle's thumbnail";
    const fw::CreditsDoc doc = fw::parseCredits(text);
    EXPECT_EQ(doc.fonts.size(), 5u);
    EXPECT_EQ(doc.sound, "credits.wav");
}

namespace {

// Sounds that last until they are stopped (ten seconds at most), as the
// roll's music does.
class LastingOutput : public fw::SoundOutput {
public:
    void play(const std::string& path) override
    {
        std::unique_lock lock(m_mutex);
        m_played.push_back(std::filesystem::path(path).filename().string());
        m_wake.wait_for(lock, std::chrono::seconds(10), [this] { return m_stopped; });
        m_stopped = false;
    }
    void stop() override
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
        m_wake.notify_all();
    }
    std::vector<std::string> played()
    {
        std::lock_guard lock(m_mutex);
        return m_played;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<std::string> m_played;
    bool m_stopped = false;
};

}  // namespace

TEST(Credits, ClosingTheRollStopsItsSound)
{
    ProgramFolder folder;
    const auto puzzle = makePuzzle(folder / "p.puz", 4, 3);
    auto output = std::make_unique<LastingOutput>();
    LastingOutput* sound = output.get();
    Started s(folder, puzzle.string(), std::move(output));
    ASSERT_EQ(s.status, 0);
    bool shown = false;
    bool started = false;
    // Closed once its music plays: a roll closed sooner may rightly never
    // start it, and then there is nothing to stop.
    answerModal<fw::WCredits>([&](fw::WCredits& roll) {
        shown = true;
        started = waitFor([&] { return !sound->played().empty(); }, 2000);
        QTest::keyClick(&roll, Qt::Key_Escape);
    });
    s.app->commands().ShowCredits();
    ASSERT_TRUE(shown);
    ASSERT_TRUE(started);
    EXPECT_EQ(sound->played().back(), "credits.wav");
    EXPECT_TRUE(waitFor([&] { return !s.app->soundPlayer().busy(); }, 1000)) << "the roll's music outlived the roll";
}
