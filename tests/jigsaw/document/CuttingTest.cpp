#include <gtest/gtest.h>

#include <memory>

#include "jigsaw/document/CutRandom.h"
#include "jigsaw/document/GridFromCount.h"
#include "jigsaw/document/Puz.h"

using qv::Puz;
using qv::Rect16;

namespace {

struct CutParams {
    int width = 800, height = 600, rows = 6, cols = 8;
    uint32_t seed = 4711;
    uint16_t options = 0;
    bool saved = false;
    int version = 0;  // saved cuts only
};

// A document cut the way puzdump cut does it: picture size only, no sheets.
struct Cut {
    std::unique_ptr<Puz> puz = std::make_unique<Puz>();
    qv::CutRandom rng;
    fw::Status status;
};

std::unique_ptr<Cut> cut(const CutParams& s)
{
    auto c = std::make_unique<Cut>();
    Puz& p = *c->puz;
    p.setGenerator(&c->rng);
    p.pictureRect = {0, 0, static_cast<int16_t>(s.width), static_cast<int16_t>(s.height)};
    p.sizeIndex = Puz::CustomSize;
    p.rows[5] = static_cast<int16_t>(s.rows);
    p.columns[5] = static_cast<int16_t>(s.cols);
    p.options |= s.options;
    p.cuttingSeed = s.seed;
    if (s.saved) {
        p.state |= Puz::FromSaved;
        p.cuttingVersion = static_cast<int16_t>(s.version);
    } else {
        c->rng.seed(s.seed);
    }
    c->status = p.MakePiezas();
    return c;
}

std::vector<int> rotations(const Puz& p)
{
    std::vector<int> r;
    for (const auto& s : p.pieces)
        r.push_back(s.rotation);
    return r;
}

bool spansEdge(const Rect16& k, int side, const Rect16& cell)
{
    if (side == qv::SideRight)
        return k.x <= cell.right() && k.right() > cell.right();
    return k.y <= cell.bottom() && k.bottom() > cell.bottom();
}

}  // namespace

TEST(Cutting, CellsFollowTruncatedMultiplesOfTheFloatCellSize)
{
    // 50 / 3 as a float is 16.666666; 3 * that in double is 49.999998, so the
    // cells cover 49 pixels. Multiplying in float would round to 50.
    auto c = cut({.width = 50, .height = 40, .rows = 2, .cols = 3, .options = Puz::NoDeform | Puz::NoRotable});
    ASSERT_TRUE(c->status.ok());
    const Puz& p = *c->puz;
    EXPECT_EQ(p.pieceWidth, 17);
    EXPECT_EQ(p.pieceHeight, 20);
    EXPECT_EQ(p.pieces[0].cell, (Rect16{0, 0, 16, 20}));
    EXPECT_EQ(p.pieces[1].cell, (Rect16{16, 0, 17, 20}));
    EXPECT_EQ(p.pieces[2].cell, (Rect16{33, 0, 16, 20}));
    EXPECT_EQ(p.pieces[5].cell, (Rect16{33, 20, 16, 20}));
    const auto& s = p.pieces[4];
    EXPECT_EQ((std::vector<int>{s.neighbour[0], s.neighbour[1], s.neighbour[2], s.neighbour[3]}),
              (std::vector<int>{3, 1, 5, -1}));
    EXPECT_EQ(s.cellOrigin, (qv::Point16{16, 20}));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(p.order[i], i);
        EXPECT_EQ(p.pieces[i].orderPos, i);
        EXPECT_EQ(p.pieces[i].bounding, p.pieces[i].cell);
    }
}

TEST(Cutting, SavedGameRecutsTheSamePieces)
{
    for (int version : {0, 219, 220, 240}) {
        auto fresh = cut({.seed = 99, .saved = true, .version = version});
        auto again = cut({.seed = 99, .saved = true, .version = version});
        ASSERT_TRUE(fresh->status.ok());
        EXPECT_EQ(fresh->puz->knobs, again->puz->knobs) << version;
    }
    // A new game and its saved game: same knobs; the saved one keeps its own rotations.
    auto newGame = cut({.seed = 99});
    auto savedGame = cut({.seed = 99, .saved = true, .version = 240});
    EXPECT_EQ(newGame->puz->cuttingVersion, 240);
    EXPECT_EQ(newGame->puz->knobs, savedGame->puz->knobs);
    EXPECT_EQ(newGame->rng.draws(), savedGame->rng.draws());
    EXPECT_EQ(rotations(*savedGame->puz), std::vector<int>(48, 0));
    EXPECT_NE(rotations(*newGame->puz), std::vector<int>(48, 0));
    for (int i = 0; i < 48; ++i) {
        EXPECT_EQ(newGame->puz->pieces[i].bounding, savedGame->puz->pieces[i].bounding);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(newGame->puz->pieces[i].knobDir[k], savedGame->puz->pieces[i].knobDir[k]);
    }
}

TEST(Cutting, OldAndNewRulesGiveDifferentKnobs)
{
    auto older = cut({.seed = 5, .saved = true, .version = 0});
    auto newer = cut({.seed = 5, .saved = true, .version = 240});
    EXPECT_NE(older->puz->knobs, newer->puz->knobs);
    EXPECT_EQ(older->puz->cuttingVersion, 0) << "a saved game keeps its version";
}

TEST(Cutting, NoRotableMakesNoRotationDraws)
{
    auto plain = cut({.options = Puz::NoDeform | Puz::NoRotable});
    EXPECT_EQ(plain->rng.draws(), 0u);
    EXPECT_EQ(rotations(*plain->puz), std::vector<int>(48, 0));

    auto rotating = cut({.seed = 1});
    auto fixed = cut({.seed = 1, .options = Puz::NoRotable});
    EXPECT_NE(rotating->puz->knobs, fixed->puz->knobs) << "the knobs start at another point of the sequence";
    EXPECT_EQ(rotations(*fixed->puz), std::vector<int>(48, 0));
}

TEST(Cutting, LargePuzzlesLeaveAboutThreeInTenPiecesUpright)
{
    auto below = cut({.width = 1800, .height = 1000, .rows = 1, .cols = 179, .options = Puz::NoDeform});
    EXPECT_EQ(below->rng.draws(), 179u) << "below 180 pieces: one draw per piece";

    auto large = cut({.width = 1800, .height = 1000, .rows = 10, .cols = 18, .options = Puz::NoDeform});
    ASSERT_EQ(large->puz->pieceCount(), 180);
    uint64_t rotationDraws = large->rng.draws() - 180;
    EXPECT_GT(rotationDraws, 100u);
    EXPECT_LT(rotationDraws, 150u);
    int turned = 0;
    for (int r : rotations(*large->puz))
        turned += r != 0;
    EXPECT_LE(turned, static_cast<int>(rotationDraws));
}

TEST(Cutting, NoDeformAndOneByOneHaveNoKnobs)
{
    auto mosaic = cut({.options = Puz::NoDeform});
    auto single = cut({.rows = 1, .cols = 1});
    for (const Cut* c : {mosaic.get(), single.get()}) {
        ASSERT_TRUE(c->status.ok());
        EXPECT_TRUE(c->puz->knobs.empty());
        for (const auto& s : c->puz->pieces) {
            EXPECT_EQ(s.bounding, s.cell);
            for (int k = 0; k < 4; ++k) {
                EXPECT_EQ(s.knob[k], -1);
                EXPECT_EQ(c->puz->Knob(s.index, k).direction, 0);
            }
        }
    }
    EXPECT_EQ(single->puz->Neighbour(0, qv::SideRight), nullptr);
}

TEST(Cutting, KnobsArePairedOddAndCrossTheirEdge)
{
    for (int version : {0, 240}) {
        auto c = cut({.seed = 2024, .saved = true, .version = version});
        const Puz& p = *c->puz;
        int placed = 0;
        for (const auto& s : p.pieces) {
            Rect16 expectBounding = s.cell;
            for (int side = 0; side < 4; ++side) {
                qv::KnobRef k = p.Knob(s.index, side);
                if (k.direction > 0)
                    expectBounding = qv::unite(expectBounding, k.rect);
                if (k.direction == 0 || (side != qv::SideRight && side != qv::SideBottom))
                    continue;
                ++placed;
                int opposite = side == qv::SideRight ? qv::SideLeft : qv::SideTop;
                qv::KnobRef other = p.Knob(s.neighbour[side], opposite);
                EXPECT_EQ(other.rect, k.rect);
                EXPECT_EQ(other.direction, -k.direction);
                EXPECT_EQ(p.pieces[s.neighbour[side]].knob[opposite], s.knob[side] + 1);
                EXPECT_EQ(k.rect.w % 2, 1);
                EXPECT_EQ(k.rect.h % 2, 1);
                EXPECT_TRUE(spansEdge(k.rect, side, s.cell));
            }
            EXPECT_EQ(s.bounding, expectBounding);
        }
        EXPECT_EQ(p.knobs.size(), 2u * placed);
        EXPECT_GT(placed, 70) << "most of the 82 inner edges get a knob";
    }
}

TEST(Cutting, TinyCellsWithEmptyOrNegativeBoundsStillCut)
{
    // 12-pixel cells make random() bounds of 0 and below; 1-pixel cells more so.
    for (auto params : {CutParams{.width = 60, .height = 60, .rows = 5, .cols = 5},
                      CutParams{.width = 10, .height = 10, .rows = 10, .cols = 10},
                      CutParams{.width = 60, .height = 60, .rows = 5, .cols = 5, .saved = true, .version = 0}}) {
        auto c = cut(params);
        ASSERT_TRUE(c->status.ok());
        EXPECT_EQ(c->puz->pieceCount(), params.rows * params.cols);
        for (const auto& k : c->puz->knobs) {
            EXPECT_GT(k.w, 0);
            EXPECT_GT(k.h, 0);
        }
    }
}

TEST(Cutting, KnobIndicesPastSixteenBits)
{
    // 10,000 pieces have 19,800 inner edges and up to 39,600 knob entries.
    auto c = cut({.width = 2400, .height = 2400, .rows = 100, .cols = 100, .options = Puz::NoRotable});
    ASSERT_TRUE(c->status.ok());
    const Puz& p = *c->puz;
    ASSERT_GT(p.knobs.size(), 32768u);
    const auto& last = p.pieces[9998];
    ASSERT_NE(last.knob[qv::SideRight], -1);
    EXPECT_GT(last.knob[qv::SideRight], 32767);
    qv::KnobRef k = p.Knob(9998, qv::SideRight);
    EXPECT_EQ(k.rect, p.knobs[last.knob[qv::SideRight]]);
    EXPECT_TRUE(spansEdge(k.rect, qv::SideRight, last.cell));
}

TEST(Cutting, GridsThatCannotBeCut)
{
    struct Case {
        CutParams params;
        int message;
    } cases[] = {
        {{.rows = 0, .cols = 4}, qv::msg::TooFewPieces},
        {{.width = 20, .rows = 2, .cols = 30}, qv::msg::PiecesTooSmall},     // cells below a pixel
        {{.width = 30000, .height = 30000, .rows = 200, .cols = 200}, qv::msg::PiecesTooSmall},  // 40,000 pieces
    };
    for (const auto& c : cases) {
        auto r = cut(c.params);
        EXPECT_EQ(r->status.id, c.message);
        EXPECT_EQ(r->puz->pieceCount(), 0);
    }
}

TEST(Cutting, CustomSizeIsAskedForNewGamesOnly)
{
    qv::HeadlessUser user;
    Puz p;
    qv::CutRandom rng;
    p.setUser(&user);
    p.setGenerator(&rng);
    p.pictureRect = {0, 0, 400, 300};
    p.sizeIndex = Puz::CustomSize;
    p.sizeFlags |= Puz::CustomRequested;

    user.customSize.reset();
    EXPECT_EQ(p.MakePiezas().id, fw::msg::Cancelled);
    user.customSize = "3";
    EXPECT_EQ(p.MakePiezas().id, qv::msg::TooFewPieces);
    user.customSize = "3x4";
    ASSERT_TRUE(p.MakePiezas().ok());
    EXPECT_EQ(p.gridRows(), 3);
    EXPECT_EQ(p.gridColumns(), 4);

    user.customSize.reset();
    p.state |= Puz::FromSaved;
    EXPECT_TRUE(p.MakePiezas().ok()) << "a saved game brings its own grid";
}

TEST(Cutting, ExistingSheetIsReportedAndCuttingGoesOn)
{
    qv::HeadlessUser user;
    auto c = cut({});
    c->puz->setUser(&user);
    c->puz->pieceSheet = fw::Bitmap(4, 4);
    EXPECT_TRUE(c->puz->MakePiezas().ok());
    EXPECT_EQ(user.inconsistency, "MakePiezas:: bmp!=NULL");
}

TEST(GridFromCount, RequestedSizes)
{
    struct Case {
        int w, h;
        const char* text;
        int status, rows, columns;
    } cases[] = {
        {800, 600, "4x5", 0, 4, 5},
        {800, 600, "12", 0, 3, 4},      // 12 pieces of 200 x 200
        {800, 600, "100", 0, 9, 12},    // t = 8.66 -> 9 rows, 11.5 -> 12 columns
        {600, 800, "12", 0, 4, 3},
        {800, 600, "1", qv::msg::TooFewPieces, 1, 1},
        {800, 600, "3", qv::msg::TooFewPieces, 2, 3},
        {800, 600, "1x3", qv::msg::TooFewPieces, 1, 3},
        {800, 600, "0x9", qv::msg::TooFewPieces, 0, 9},
        {800, 600, "9999", qv::msg::PiecesTooSmall, 0, 0},
        {800, 600, "10x70", qv::msg::PiecesTooSmall, 10, 70},  // 11.4 pixels wide
        {30000, 30000, "200x200", qv::msg::PiecesTooSmall, 200, 200},  // more pieces than numbers
        {4000, 20, "4", 0, 1, 5},       // so wide that rows round to 0: one strip
        {20, 4000, "4", 0, 5, 1},
    };
    for (const auto& c : cases) {
        qv::Grid g = qv::GridFromCount(c.w, c.h, c.text);
        EXPECT_EQ(g.status.id, c.status) << c.text;
        if (c.rows) {
            EXPECT_EQ(g.rows, c.rows) << c.text;
            EXPECT_EQ(g.columns, c.columns) << c.text;
        }
    }
}

// Saved games depend on these exact pieces: any change to the draws or the
// arithmetic of cutting shows here. Each knob is listed once (the list holds
// it twice). The values were worked out by a separate implementation.
TEST(Cutting, FrozenCutsForBothRuleVersions)
{
    struct Case {
        bool saved;
        std::vector<Rect16> knobs;
        std::vector<int> rotations;
    } cases[] = {
        {false,
         {{76, 33, 39, 37}, {8, 72, 35, 31}, {154, 15, 23, 25}, {90, 75, 35, 37}, {236, 17, 27, 23}, {173, 61, 27, 25},
          {258, 44, 35, 39}, {54, 123, 29, 31}, {8, 150, 33, 39}, {153, 124, 31, 25}, {128, 135, 25, 27},
          {207, 93, 39, 43}, {174, 154, 21, 25}, {279, 150, 37, 39}, {54, 189, 29, 27}, {126, 189, 39, 41},
          {233, 175, 31, 33}},
         {3, 1, 2, 2, 3, 2, 0, 1, 1, 2, 0, 2}},
        {true,
         {{76, 52, 23, 19}, {17, 70, 41, 37}, {152, 17, 31, 35}, {110, 61, 23, 21}, {220, 11, 25, 21},
          {178, 75, 35, 39}, {247, 76, 19, 21}, {63, 94, 21, 17}, {28, 142, 25, 21}, {156, 126, 25, 23},
          {108, 136, 29, 31}, {230, 118, 37, 31}, {189, 135, 27, 29}, {284, 140, 29, 25}, {74, 168, 27, 27},
          {155, 194, 39, 31}, {232, 189, 39, 37}},
         std::vector<int>(12, 0)},
    };
    for (const auto& c : cases) {
        auto r = cut({.width = 320, .height = 240, .rows = 3, .cols = 4, .seed = 987654321, .saved = c.saved, .version = 0});
        ASSERT_TRUE(r->status.ok());
        std::vector<Rect16> once;
        for (size_t i = 0; i < r->puz->knobs.size(); i += 2)
            once.push_back(r->puz->knobs[i]);
        EXPECT_EQ(once, c.knobs) << (c.saved ? "version 0" : "version 240");
        EXPECT_EQ(rotations(*r->puz), c.rotations);
    }
}
