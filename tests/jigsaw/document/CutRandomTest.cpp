#include <gtest/gtest.h>

#include "jigsaw/document/CutRandom.h"
#include "jigsaw/document/Puz.h"

using qv::CutRandom;

TEST(CutRandom, SequenceOfTheSavedGameFormat)
{
    // state = state * 0x15A400004E35 + 1, result = bits 32..62.
    CutRandom r;
    EXPECT_EQ(r.seed(12345), 12345u);
    EXPECT_EQ(r.next(), 68391300u);
    EXPECT_EQ(r.next(), 482790092u);
    EXPECT_EQ(r.next(), 218732710u);
    EXPECT_EQ(r.next(), 77805671u);
}

TEST(CutRandom, BoundsZeroAndNegative)
{
    CutRandom r;
    r.seed(12345);
    EXPECT_EQ(r.random(0), 0);
    EXPECT_EQ(r.draws(), 0u) << "random(0) draws nothing";
    EXPECT_EQ(r.random(-1), 0);
    EXPECT_EQ(r.draws(), 1u) << "a negative bound still draws";
    EXPECT_EQ(r.random(-100), 482790092 % 100);
    EXPECT_EQ(r.random(1000), 218732710 % 1000);
}

TEST(CutRandom, CoinUsesTheEighthDraw)
{
    CutRandom a, b;
    a.seed(777);
    b.seed(777);
    uint32_t last = 0;
    for (int i = 0; i < 8; ++i)
        last = b.next();
    EXPECT_EQ(a.coin(), last % 1000 < 500);
    EXPECT_EQ(a.state(), b.state());
}

TEST(CutRandom, SeedZeroPicksANonZeroSeedAndReportsIt)
{
    CutRandom r;
    uint32_t used = r.seed(0);
    EXPECT_NE(used, 0u);
    EXPECT_EQ(r.state(), used);
}

// A second document (the editor's, a file read aside) cutting or seeding
// must not move the open game's generator: each document draws from its own.
TEST(CutRandom, EachDocumentDrawsFromItsOwnGenerator)
{
    qv::Puz game, other;
    game.generator().seed(1234);
    const uint64_t before = game.generator().state();
    other.generator().seed(99);
    other.generator().next();
    EXPECT_EQ(game.generator().state(), before);
    // Pointed back at its default, a document draws from its own again.
    qv::CutRandom mine;
    other.setGenerator(&mine);
    other.setGenerator(nullptr);
    EXPECT_NE(&other.generator(), &game.generator());
}
