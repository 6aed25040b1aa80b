// A cut travelling from one player to another through the clipboard: Ann
// shares the cut of her game, Bob pastes it with Ctrl+V, says yes, and plays
// her pieces; his results carry the cut's mark. A damaged text or a puzzle
// he does not have is said, and his game stays as it was.
//
// The two runs are two App instances one after the other in this process,
// each over its own program folder and settings, sharing one shelf.
#include <QApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "framework/Markup.h"
#include "framework/qt/Clipboard.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/UiText.h"
#include "jigsaw/document/PieceDigest.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/shell/SharedCut.h"
#include "jigsaw/shell/windows/PuzCommands.h"

using namespace shelltest;

namespace {

std::string settings(const std::filesystem::path& shelf)
{
    // Options 0x20: competition games, with a ranking.
    return "[Main]\r\nOptions=4128\r\nDirPuzzles=" + shelf.string() + "\r\n";
}

std::vector<qv::PieceShape> shapes(const qv::Puz& puz)
{
    std::vector<qv::PieceShape> out = qv::DescribePieces(puz);
    for (qv::PieceShape& p : out)
        p.at = {};
    return out;
}

// The start of a message's text, before anything is put into it: enough to
// tell which box is up.
std::string opening(int id)
{
    const std::string text = fw::UiText::lookup(1, id);
    return text.substr(0, std::min<size_t>(text.find('%'), 16));
}

std::string textOf(fw::MUBox& box)
{
    std::string said;
    for (const fw::MarkupText& t : box.layout().texts())
        said += t.text + "\n";
    return said;
}

// Answers the boxes that come up, in order: each is expected to begin with
// the text of its message, and is answered with its button. What each said
// is kept.
struct Answers {
    struct Step {
        int message;
        int button;
    };
    explicit Answers(std::vector<Step> expected) : steps(std::move(expected)) {}
    std::vector<Step> steps;
    std::vector<std::string> said;
    size_t next = 0;

    void arm(int tries = 250)
    {
        QTimer::singleShot(20, [this, tries] {
            auto* box = dynamic_cast<fw::MUBox*>(QApplication::activeModalWidget());
            if (next < steps.size() && box && box->isVisible()) {
                const std::string text = textOf(*box);
                if (text.find(opening(steps[next].message)) != std::string::npos) {
                    said.push_back(text);
                    box->command(steps[next++].button);
                    if (next < steps.size())
                        arm();
                    return;
                }
                ADD_FAILURE() << "expected message " << steps[next].message << ", the box says: " << text;
                box->command(fw::mubox::Cancel);
                next = steps.size();
                return;
            }
            if (tries > 0 && next < steps.size())
                arm(tries - 1);
        });
    }
};

void paste(qv::WPuz& w, const std::string& text)
{
    fw::Clipboard::setText(text);
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    QTest::qWait(50);
}

}  // namespace

TEST(SharedCutExchange, AFriendPastesTheCutAndPlaysTheSamePiecesWithTheirOwnMark)
{
    ProgramFolder shelf("");
    const auto puzzle = makePuzzle(shelf / "bands.puz", 6, 4, 0, 480, 360);

    // --- Ann shares the cut of her new game (its seed is the clock's).
    std::string text;
    std::vector<qv::PieceShape> annsPieces;
    {
        ProgramFolder folder(settings(shelf.path()));
        Started ann(folder, puzzle.string());
        ASSERT_EQ(ann.status, 0);
        annsPieces = shapes(ann.puz());
        fw::Clipboard::setText({});
        Answers shown({{4710, fw::mubox::Ok}});
        shown.arm();
        ASSERT_TRUE(ann.app->commands().Command(qv::cmd::ShareCut));
        ASSERT_EQ(shown.next, 1u);
        text = fw::Clipboard::text();
        EXPECT_EQ(text, qv::SharedCut::FromGame(ann.puz(), qv::PuzzleId::FromFile(puzzle)).Encode());
        EXPECT_NE(shown.said[0].find(text.substr(0, 12)), std::string::npos) << "the box shows the text";
    }
    const qv::SharedCut::Decoded sent = qv::SharedCut::Decode(text);
    ASSERT_TRUE(sent.cut) << text;

    // --- Bob plays his own game of the puzzle, another cut.
    ProgramFolder folder(settings(shelf.path()));
    Started bob(folder, puzzle.string());
    ASSERT_EQ(bob.status, 0);
    qv::WPuz& w = bob.window();
    bob.puz().playerName = "Bob";
    ASSERT_NE(bob.puz().cuttingSeed, sent.cut->recipe.seed) << "two runs a clock tick apart";
    const std::vector<qv::PieceShape> bobsOwn = shapes(bob.puz());
    ASSERT_FALSE(bobsOwn == annsPieces);
    auto bobsGameStays = [&](const char* after) {
        EXPECT_TRUE(shapes(bob.puz()) == bobsOwn) << after;
        EXPECT_TRUE(bob.puz().sharedCut.empty()) << after;
    };

    // One character changed: refused with the reason, nothing else asked.
    std::string damaged = text;
    damaged[damaged.find(';') + 1] ^= 1;  // the level 0 becomes 1
    Answers refused({{4712, fw::mubox::Ok}});
    refused.arm();
    paste(w, damaged);
    ASSERT_EQ(refused.next, 1u);
    EXPECT_NE(refused.said[0].find(fw::UiText::lookup(1, 4713)), std::string::npos) << refused.said[0];
    bobsGameStays("a damaged text");

    // A cut of a puzzle none of his shelves has.
    qv::SharedCut elsewhere = *sent.cut;
    elsewhere.id.words[0] += 1;
    elsewhere.title = "Harbour";
    Answers missing({{4716, fw::mubox::Ok}});
    missing.arm();
    paste(w, elsewhere.Encode());
    ASSERT_EQ(missing.next, 1u);
    EXPECT_NE(missing.said[0].find("Harbour"), std::string::npos);
    bobsGameStays("a puzzle that is not on a shelf");

    // The real text, while his game has changes: asked, then asked about
    // his changes, which he does not give up (Cancel): his game stays.
    bob.puz().state |= qv::Puz::Changed;
    Answers cancelled({{4711, fw::mubox::Yes}, {510, fw::mubox::Cancel}});
    cancelled.arm();
    paste(w, text);
    ASSERT_EQ(cancelled.next, 2u);
    EXPECT_NE(cancelled.said[0].find("Bands (6 x 4)"), std::string::npos) << cancelled.said[0];
    bobsGameStays("his changes kept");
    EXPECT_TRUE(bob.puz().state & qv::Puz::Changed);

    // A cut whose picture his table cannot show at its size: his game, set
    // aside for the opening, comes back with its changes.
    qv::SharedCut larger = *sent.cut;
    larger.recipe.picture = {4000, 3000};
    Answers tooLarge({{4711, fw::mubox::Yes}, {510, fw::mubox::No}, {qv::msg::CutTableTooSmall, fw::mubox::Ok}});
    tooLarge.arm();
    paste(w, larger.Encode());
    ASSERT_EQ(tooLarge.next, 3u);
    EXPECT_NE(tooLarge.said[2].find("4000x3000"), std::string::npos) << tooLarge.said[2];
    bobsGameStays("a table too small");
    EXPECT_TRUE(bob.puz().state & qv::Puz::Changed);

    // Again, and this time he lets his game go: Ann's pieces on his table.
    Answers accepted({{4711, fw::mubox::Yes}, {510, fw::mubox::No}});
    accepted.arm();
    paste(w, text);
    ASSERT_EQ(accepted.next, 2u);
    ASSERT_EQ(bob.puz().pieceCount(), static_cast<int>(annsPieces.size()));
    EXPECT_TRUE(shapes(bob.puz()) == annsPieces);
    EXPECT_EQ(qv::DigestPieces(shapes(bob.puz())), qv::DigestPieces(annsPieces));
    EXPECT_EQ(bob.puz().cuttingSeed, sent.cut->recipe.seed);
    EXPECT_EQ(bob.puz().sharedCut, sent.cut->recipe.mark);

    // His result carries the cut's mark, in the ranking and in its file.
    qv::LiveRanking& live = bob.app->liveRanking();
    ASSERT_TRUE(live.isOpen());
    ASSERT_GE(live.liveIndex(), 0);
    const std::string mark = "QvCut:" + sent.cut->recipe.mark;
    EXPECT_EQ(live.ranking().records[static_cast<size_t>(live.liveIndex())].extra, mark);
    bob.puz().playerName = "Bob";
    ASSERT_TRUE(bob.app->SaveGame(false));
    qv::Ranking stored = live.ranking();
    ASSERT_TRUE(stored.Load());
    const std::string game = bob.puz().savedPath.stem().string();
    auto his = std::find_if(stored.records.begin(), stored.records.end(),
                            [&](const qv::ScoreRecord& r) { return r.key == game; });
    ASSERT_NE(his, stored.records.end());
    EXPECT_EQ(his->extra, mark);

    // Reopened from its saved game it is still a game of that cut.
    const std::filesystem::path saved = bob.puz().savedPath;
    ASSERT_TRUE(bob.app->OpenFile(saved));
    EXPECT_EQ(bob.puz().sharedCut, sent.cut->recipe.mark);
    EXPECT_TRUE(shapes(bob.puz()) == annsPieces);
}
