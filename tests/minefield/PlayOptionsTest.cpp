#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "minefield/MineGame.h"

using namespace mf;
using namespace mf::testing;

namespace {

// FNV-1a over a game's whole story: where the mines lie, then every
// notification, sound and drawn cell of a scripted play.
struct Digest {
    uint64_t h = 1469598103934665603ull;
    void Add(const std::string& s)
    {
        for (unsigned char ch : s) {
            h ^= ch;
            h *= 1099511628211ull;
        }
        h ^= 0xFF;
        h *= 1099511628211ull;
    }
};

// A seeded Intermediate game with the options left alone, played by a second
// seeded stream of left and right clicks until it ends.
uint64_t PlayScripted(ShapeKind shape, uint32_t seed)
{
    Fixture f;
    std::mt19937 mines(seed);
    f.game.SetLevel(2);
    f.game.SetRandomSource([&mines] { return uint32_t(mines()); });
    f.game.SetShape(shape);
    Digest d;
    for (int32_t r = 0; r < f.game.Height(); ++r)
        for (int32_t c = 0; c < f.game.Width(); ++c)
            d.Add(std::to_string(f.At({c, r}).value));
    std::mt19937 player(seed + 1);
    for (int step = 0; step < 400 && !f.game.GameOver(); ++step) {
        const CellPos p{int32_t(player() % uint32_t(f.game.Width())), int32_t(player() % uint32_t(f.game.Height()))};
        if (player() % 5 == 0)
            f.RightClick(p);
        else if (!f.At(p).IsMine() || player() % 4 == 0)
            f.Click(p);
    }
    for (const std::string& e : f.rec.events)
        d.Add(e);
    for (const std::string& s : f.rec.sounds)
        d.Add(s);
    for (const TCell* cell : f.rec.drawn) {
        const CellPos p = f.PosOf(cell);
        d.Add(std::to_string(p.c) + "," + std::to_string(p.r));
    }
    for (int32_t r = 0; r < f.game.Height(); ++r)
        for (int32_t c = 0; c < f.game.Width(); ++c)
            d.Add(std::to_string(f.At({c, r}).value) + "/" + std::to_string(f.At({c, r}).state) + "/" +
                  std::to_string(f.At({c, r}).flagged));
    return d.h;
}

}  // namespace

// Recorded from the game before chords, marks, the keyboard and the safe
// first click existed: with the options off a seeded game must replay
// exactly, mines, sounds, drawing and all.
TEST(PlayOptions, SeededGamesWithTheOptionsOffPlayAsBefore)
{
    struct Recorded {
        ShapeKind shape;
        uint32_t seed;
        uint64_t digest;
    };
    const Recorded recorded[] = {
        {ShapeKind::Square, 4321u, 0x67c1c9420e0e19e3ull},   {ShapeKind::Diamond, 4321u, 0xabfa633a1a8d9996ull},
        {ShapeKind::Brick, 4321u, 0x5dc6589599c6f430ull},    {ShapeKind::Triangle, 4321u, 0x7dfeeb6b368818a6ull},
        {ShapeKind::Shifted, 4321u, 0x9981209c91cf00c6ull},  {ShapeKind::Hexagon, 4321u, 0x31c79b5de8749d2bull},
        {ShapeKind::Square, 77u, 0xd759376866d1ae0eull},     {ShapeKind::Diamond, 77u, 0x0c71b68493a4517bull},
        {ShapeKind::Brick, 77u, 0x6b1b5f481b52610eull},      {ShapeKind::Triangle, 77u, 0x3e08d9807c4fe272ull},
        {ShapeKind::Shifted, 77u, 0x8840685f2d8d3ccaull},    {ShapeKind::Hexagon, 77u, 0x79c364aa9ecd48a2ull},
    };
    for (const Recorded& k : recorded)
        EXPECT_EQ(PlayScripted(k.shape, k.seed), k.digest) << ShapeKeyword(k.shape) << " seed " << k.seed;
}
