// A saved game must come back with the picture size and the pieces it was
// saved with: the cut depends on every pixel of the picture's size.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "DocumentFixtures.h"
#include "framework/ByteIO.h"
#include "jigsaw/document/PieceDigest.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/PictureSteps.h"
#include "jigsaw/document/Puz.h"

using namespace qv;

namespace {

fw::Bitmap stripes(int w, int h)
{
    fw::Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.setPixel(x, y, static_cast<uint32_t>(((x / 7) * 40 & 0xFF) << 16 | (y * 255 / h) << 8 | ((x ^ y) & 0xFF)));
    return bmp;
}

// A puzzle file of a w x h picture with one size of rows x columns pieces.
void makePuzzle(const std::filesystem::path& path, int w, int h, int rows, int columns)
{
    Puz maker;
    maker.edit = Puz::Making;
    maker.entry.title = "Sizes";
    maker.rows[0] = static_cast<int16_t>(rows);
    maker.columns[0] = static_cast<int16_t>(columns);
    PictureSource src;
    src.bitmap = stripes(w, h);
    ASSERT_TRUE(WritePuzzleFile(maker, path, src, {}, {}).ok());
}

// Removes one key's item from the header of a saved game, as a build that
// does not know the key would have written it.
void dropKey(const std::filesystem::path& saved, const std::string& key)
{
    std::vector<uint8_t> bytes = testfix::readAll(saved);
    const std::string text(bytes.begin(), bytes.end());
    const size_t header = text.find("/Rndn:");
    ASSERT_NE(header, std::string::npos);
    ASSERT_GE(header, 2u);
    const uint16_t length = static_cast<uint16_t>(bytes[header - 2] | bytes[header - 1] << 8);
    const size_t end = header + length;
    const size_t at = text.find(key, header);
    if (at == std::string::npos || at >= end)
        return;
    size_t stop = at + 1;
    while (stop < end && text[stop] != '/')
        ++stop;
    bytes.erase(bytes.begin() + at, bytes.begin() + stop);
    const auto shorter = static_cast<uint16_t>(length - (stop - at));
    bytes[header - 2] = static_cast<uint8_t>(shorter);
    bytes[header - 1] = static_cast<uint8_t>(shorter >> 8);
    testfix::writeAll(saved, bytes);
}

// How many pieces differ between two games of the same puzzle (all of
// them when the counts differ).
size_t differing(const std::vector<PieceShape>& a, const std::vector<PieceShape>& b)
{
    if (a.size() != b.size())
        return std::max(a.size(), b.size());
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i)
        n += !(a[i] == b[i]);
    return n;
}

std::string size(const Rect16& r) { return std::to_string(r.w) + "x" + std::to_string(r.h); }

struct Table {
    HeadlessUser user;
    PictureSteps steps;
    CutRandom rng;
    Puz puz;

    Table(int w, int h)
    {
        user.frame = {static_cast<int16_t>(w), static_cast<int16_t>(h)};
        steps.picture.cacheEnabled = false;
        steps.picture.display.width = w;
        steps.picture.display.height = h;
        puz.setUser(&user);
        puz.setSteps(&steps);
        puz.setGenerator(&rng);
    }
};

}  // namespace

// The factor of a scaled picture was kept only as six decimals of a float,
// which often stands for one pixel less than the picture had: the reopened
// game was cut from a narrower picture and got other pieces. Each case is a
// picture and a table where that happened.
TEST(SavedPictureSize, AScaledGameReopensWithItsPictureAndPieces)
{
    struct Case {
        int w, h, tw, th, rows, columns;
    };
    const Case cases[] = {
        {1000, 872, 1366, 705, 17, 19},
        {1000, 872, 1280, 680, 17, 19},
        {1000, 872, 1600, 837, 10, 10},
        {640, 427, 600, 478, 6, 10},
        {640, 427, 600, 504, 6, 10},
    };
    testfix::TempDir dir;
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.w) + "x" + std::to_string(c.h) + " on " + std::to_string(c.tw) +
                                 "x" + std::to_string(c.th);
        SCOPED_TRACE(name);
        const auto puzzle = dir / "p.puz";
        makePuzzle(puzzle, c.w, c.h, c.rows, c.columns);
        Table made(c.tw, c.th);
        ASSERT_TRUE(made.puz.OpenPuzzle(puzzle, 0, 0).ok());
        ASSERT_LT(made.puz.pictureRect.w, c.w) << "the picture must be scaled";
        made.puz.savedPath = dir / "game.sav";
        ASSERT_TRUE(made.puz.Save().ok());
        const auto made_pieces = DescribePieces(made.puz);

        for (bool otherBuild : {false, true}) {
            SCOPED_TRACE(otherBuild ? "saved by a build without the size key" : "saved by this build");
            if (otherBuild)
                dropKey(dir / "game.sav", "/QvPicSz:");
            Table again(c.tw, c.th);
            ASSERT_TRUE(again.puz.Open(dir / "game.sav", 0, 0).ok());
            EXPECT_EQ(size(again.puz.pictureRect), size(made.puz.pictureRect));
            EXPECT_EQ(differing(DescribePieces(again.puz), made_pieces), 0u) << "of " << made_pieces.size();
        }
    }
}
