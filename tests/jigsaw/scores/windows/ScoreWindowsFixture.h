#pragma once
// A game in progress on a puzzle of 80 pieces, with a ranking of several
// results, for the score window tests.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <memory>

#include "../ScoresFixture.h"
#include "jigsaw/scores/LiveRanking.h"

namespace qv::test {

// Texts come from the windows' own English fallbacks.
struct WindowHost : FakeHost {
    std::vector<std::string> storedCertificates;
    std::string text(int) const override { return {}; }
    void storeLastCertificate(const std::string& signature) override { storedCertificates.push_back(signature); }
};

struct ScoreWindowsTest : TempShelf {
    FakeClock clock;
    ScoreKeeper keeper{clock};
    WindowHost host;
    ScoreGame game;
    std::unique_ptr<LiveRanking> live;

    void SetUp() override
    {
        TempShelf::SetUp();
        touch("Castle.puz");
        host.dir = dir;
        game.puzzlePath = dir / "Castle.puz";
        game.title = "Castle by the Sea";
        game.player = "Ann Lee";
        game.owner = "Harbour Games";
        game.level = 2;
        game.columns = 8;  // 80 pieces: base 40000, K 1750
        game.rows = 10;
        game.pieces = 80;
        game.scoresOn = true;
        live = std::make_unique<LiveRanking>(keeper, [this] { return game; }, host);
    }

    void TearDown() override
    {
        live.reset();
        TempShelf::TearDown();
    }

    static ScoreRecord result(std::string key, std::string player, int32_t score, int32_t time, int solved,
                              int moves, int helps, std::string owner = "Harbour Games")
    {
        ScoreRecord r = record(std::move(key), std::move(player), score, std::move(owner));
        r.time = time;
        r.solved = static_cast<uint16_t>(solved);
        r.moves = static_cast<uint16_t>(moves);
        r.helps = static_cast<uint16_t>(helps);
        r.pieces = 80;
        return r;
    }

    // Five results on file, one of them a saved game of this player.
    void storeRanking()
    {
        touch("evening.sav");
        Ranking r;
        r.title = game.title;
        r.level = static_cast<uint8_t>(game.level);
        r.placeAsCurrent(game.puzzlePath, dir);
        r.records = {
            result("*R*", "Marta Ruiz", 118400, 1851000, 284, 412, 0, "Tide Press"),
            result("*R*", "Kenji Sato", 96020, 2734300, 284, 655, 1, "Tide Press"),
            result("evening", "Ann Lee", 81250, 3320000, 284, 730, 2),
            result("*R*", "Oskar Lindqvist", 62300, 4810000, 284, 990, 3, "North Light"),
            result("*R*", "Beatrix Featherstonehaugh-Lloyd", 41100, 6000000, 284, 1204, 6, "North Light"),
        };
        ASSERT_TRUE(r.Save());
    }

    // Opens the game with the clock at zero.
    void open()
    {
        keeper.Reset();
        keeper.OpenPuzzle({game.pieces, game.columns, game.rows, game.flags, false});
    }

    void join(int n)
    {
        for (int i = 0; i < n; ++i)
            keeper.AddJoinedSides(2);
    }

    // The game as a screenshot would catch it: 45 joints in 18 minutes.
    void playAWhile()
    {
        open();
        join(45);
        for (int i = 0; i < 120; ++i)
            keeper.AddMove();
        clock.tick += 18 * 60000 + 4000;
        keeper.Refresh();
    }
};

// Pixels of pure blue (the live entry), which no blend of dark blue or dark
// cyan text on white can give.
inline int bluePixels(const QImage& image, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() >= 200 && c.red() < 80 && c.green() < 80)
                ++n;
        }
    }
    return n;
}

// Pixels whose channels differ: anything but grey.
inline int colouredPixels(const QImage& image, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 24)
                ++n;
        }
    }
    return n;
}

}  // namespace qv::test
