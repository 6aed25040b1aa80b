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
#include "jigsaw/document/PuzzleFileWriter.h"
#include "jigsaw/document/SavedPictureSize.h"

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

namespace {

// The game's scale rule without pixels: the picture is only its full size,
// scaled to the play frame as the picture loader does.
class ScaledSizeSteps : public PuzzleSteps {
public:
    int width = 0, height = 0;
    fw::Status loadPicture(Puz& puz) override
    {
        const Point16 t = puz.user().playFrameSize();
        SetPictureScale(puz, ScaleDocumentPicture(puz, width, height, t.x, t.y), width, height);
        return {};
    }
    fw::Status renderSheets(Puz&) override { return {}; }
    void scatter(Puz& puz) override
    {
        for (SPuz& p : puz.pieces)
            p.placeAt(p.index * 7 % 500, p.index * 13 % 300);
    }
};

struct SizeGame {
    HeadlessUser user;
    ScaledSizeSteps steps;
    CutRandom rng;
    Puz puz;

    SizeGame(int w, int h, int tw, int th)
    {
        steps.width = w;
        steps.height = h;
        user.frame = {static_cast<int16_t>(tw), static_cast<int16_t>(th)};
        puz.setUser(&user);
        puz.setSteps(&steps);
        puz.setGenerator(&rng);
    }
};

Point16 sizeOf(const Puz& p) { return {p.pictureRect.w, p.pictureRect.h}; }

std::string factorText(const Puz& p)
{
    const std::string header = p.BuildHeader(true);
    const size_t at = header.find("/FactorImgSav:");
    return at == std::string::npos ? "" : header.substr(at, header.find('/', at + 1) - at);
}

}  // namespace

// Pictures from small to camera size, landscape and portrait, on tables from
// small screens to large ones, with and without ImgFull: a saved game, with
// our size key or with the factor alone, reopens on its table with the new
// game's picture size and pieces; reopened on a larger table it keeps them,
// and saved there and reopened again, still.
TEST(SavedPictureSize, SweepOfPicturesAndTables)
{
    const Point16 pictures[] = {{1000, 872}, {640, 427},  {4032, 3024}, {3024, 4032}, {6000, 4000}, {4000, 6000},
                                {1920, 1080}, {2592, 1944}, {5184, 3456}, {777, 555},  {3000, 2000}, {4000, 1000}};
    const Point16 tables[] = {{800, 600},   {1024, 705},  {1280, 680},  {1366, 705},
                              {1600, 837},  {1920, 1040}, {2560, 1400}, {3840, 2100}};
    testfix::TempDir dir;
    for (const char* flags : {"", "/ImgFull"}) {
        const bool imgFull = *flags != '\0';
        const auto puzzle = dir / "p.puz";
        ASSERT_TRUE(writePuzzleFile(puzzle, testfix::sampleContent(std::string("/Med0:6#8/Tit:Sweep/Rndn:0") + flags)).ok());
        int scaled = 0, lostByTheFactor = 0;
        for (const Point16& pic : pictures) {
            for (const Point16& t : tables) {
                SCOPED_TRACE(std::to_string(pic.x) + "x" + std::to_string(pic.y) + " on " + std::to_string(t.x) + "x" +
                             std::to_string(t.y) + flags);
                SizeGame made(pic.x, pic.y, t.x, t.y);
                ASSERT_TRUE(made.puz.OpenPuzzle(puzzle, 0, 0).ok());
                if (made.puz.pictureScale >= 1.0f)
                    continue;
                ++scaled;
                const Point16 size = sizeOf(made.puz);
                const auto pieces = DescribePieces(made.puz);
                // What the factor alone gives under the rule as written.
                const PictureScale byFactor = scalePicture(pic.x, pic.y, t.x, t.y, imgFull, made.puz.pictureScale);
                lostByTheFactor += byFactor.width != size.x || byFactor.height != size.y;
                made.puz.savedPath = dir / "game.sav";
                ASSERT_TRUE(made.puz.Save().ok());
                const auto keyless = dir / "keyless.sav";
                std::filesystem::copy_file(dir / "game.sav", keyless, std::filesystem::copy_options::overwrite_existing);
                dropKey(keyless, "/QvPicSz:");

                for (const auto& file : {dir / "game.sav", keyless}) {
                    SCOPED_TRACE(file.filename().string());
                    SizeGame again(pic.x, pic.y, t.x, t.y);
                    ASSERT_TRUE(again.puz.Open(file, 0, 0).ok());
                    EXPECT_EQ(sizeOf(again.puz), size);
                    EXPECT_EQ(differing(DescribePieces(again.puz), pieces), 0u);
                    EXPECT_EQ(factorText(again.puz), factorText(made.puz)) << "written back as other builds read it";

                    // A larger table: the saved size caps the picture.
                    const int tw = t.x * 5 / 4, th = t.y * 5 / 4;
                    SizeGame larger(pic.x, pic.y, tw, th);
                    ASSERT_TRUE(larger.puz.Open(file, 0, 0).ok());
                    EXPECT_EQ(sizeOf(larger.puz), size);
                    larger.puz.savedPath = dir / "larger.sav";
                    ASSERT_TRUE(larger.puz.Save().ok());
                    dropKey(dir / "larger.sav", "/QvPicSz:");
                    SizeGame last(pic.x, pic.y, tw, th);
                    ASSERT_TRUE(last.puz.Open(dir / "larger.sav", 0, 0).ok());
                    EXPECT_EQ(sizeOf(last.puz), size) << "saved on a frame the game was not made on";
                    EXPECT_EQ(differing(DescribePieces(last.puz), pieces), 0u);
                }
            }
        }
        EXPECT_GT(scaled, 60);
        // The sweep must hold the fault it guards against.
        EXPECT_GT(lostByTheFactor, scaled / 20) << "of " << scaled;
    }
}

// Which size a saved game's picture had, from our key or from the factor.
TEST(SavedPictureSize, SizeFromTheKeyOrInferredFromTheFactor)
{
    struct Case {
        const char* name;
        const char* header;
        int w, h;
        Point16 expect;
    };
    const Case cases[] = {
        {"our key", "/SZW:1366x705/FactorImgSav:0.743000/QvPicSz:743x647,1000x872", 1000, 872, {743, 647}},
        {"key of another picture: the factor", "/SZW:1366x705/FactorImgSav:0.743000/QvPicSz:600x400,900x600", 1000,
         872, {743, 647}},
        {"factor, the rule on the saved frame", "/SZW:1366x705/FactorImgSav:0.743000", 1000, 872, {743, 647}},
        {"factor, made on another frame", "/SZW:1920x1040/FactorImgSav:0.743000", 1000, 872, {743, 647}},
        {"factor of the height limit", "/SZW:2000x305/FactorImgSav:0.344037", 1000, 872, {344, 300}},
        {"no rule gives that factor", "/SZW:1366x705/FactorImgSav:0.743123", 1000, 872, {}},
        {"not scaled", "/SZW:1366x705", 1000, 872, {}},
        {"damaged key: no factor fits both", "/QvPicSz:743x900,1000x872", 1000, 872, {}},
        {"damaged key: larger than the picture", "/QvPicSz:1200x1000,1000x872", 1000, 872, {}},
        {"damaged key: not numbers", "/QvPicSz:743x647;1000", 1000, 872, {}},
        {"damaged key: empty picture", "/QvPicSz:0x0,1000x872", 1000, 872, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Puz p;
        p.state |= Puz::FromSaved;
        ASSERT_TRUE(p.ParseHeader(c.header, true).ok());
        EXPECT_EQ(SavedPictureSize(p, c.w, c.h), c.expect);
    }
    Puz fresh;
    ASSERT_TRUE(fresh.ParseHeader("/FactorImgSav:0.743000/QvPicSz:743x647,1000x872", true).ok());
    EXPECT_EQ(SavedPictureSize(fresh, 1000, 872), Point16{}) << "a new game follows the rule";
}

// The key is written beside the factor, which stays as other builds read it;
// a table too small for the saved size gets the rule's size, as before.
TEST(SavedPictureSize, KeyWrittenAndSmallerTableFollowsTheRule)
{
    SizeGame made(1000, 872, 1366, 705);
    testfix::TempDir dir;
    ASSERT_TRUE(writePuzzleFile(dir / "p.puz", testfix::sampleContent("/Med0:6#8/Tit:Small/Rndn:0")).ok());
    ASSERT_TRUE(made.puz.OpenPuzzle(dir / "p.puz", 0, 0).ok());
    ASSERT_EQ(sizeOf(made.puz), (Point16{743, 647}));
    const std::string header = made.puz.BuildHeader(true);
    EXPECT_NE(header.find("/FactorImgSav:0.743000/QvPicSz:743x647,1000x872/"), std::string::npos) << header;

    made.puz.savedPath = dir / "game.sav";
    ASSERT_TRUE(made.puz.Save().ok());
    SizeGame smaller(1000, 872, 1024, 600);
    ASSERT_TRUE(smaller.puz.Open(dir / "game.sav", 0, 0).ok());
    const PictureScale rule = scalePicture(1000, 872, 1024, 600, false, 1.0f);
    EXPECT_EQ(sizeOf(smaller.puz), (Point16{int16_t(rule.width), int16_t(rule.height)}));
    EXPECT_LT(smaller.puz.pictureRect.w, 743);
}

// The digest follows the cut and the places, not where the sheet holds a piece.
TEST(SavedPictureSize, DigestSeesKnobsAndPlacesButNotTheSheet)
{
    Puz p;
    CutRandom rng;
    p.setGenerator(&rng);
    testfix::TempDir dir;
    ASSERT_TRUE(writePuzzleFile(dir / "p.puz", testfix::sampleContent("/Med0:4#5/Tit:D/Rndn:9")).ok());
    ASSERT_TRUE(p.OpenPuzzle(dir / "p.puz", 0, 0).ok());
    const uint64_t cut = DigestPieces(DescribePieces(p));

    // Moved in the sheet with everything it carries: the same piece.
    SPuz& s = p.pieces[6];
    auto shift = [](Rect16& r) { r.x = static_cast<int16_t>(r.x + 40), r.y = static_cast<int16_t>(r.y + 3); };
    shift(s.bounding), shift(s.cell);
    for (int k = 0; k < 4; ++k)
        if (s.knob[k] >= 0)
            shift(p.knobs[s.knob[k]]);
    EXPECT_EQ(DigestPieces(DescribePieces(p)), cut);

    int side = 0;
    while (side < 4 && s.knobDir[side] == 0)
        ++side;
    ASSERT_LT(side, 4) << "an inner piece has knobs";
    p.knobs[s.knob[side]].w++;
    EXPECT_NE(DigestPieces(DescribePieces(p)), cut) << "a knob of another size";
    p.knobs[s.knob[side]].w--;
    s.placeAt(s.tableCell.x + 1, s.tableCell.y);
    EXPECT_NE(DigestPieces(DescribePieces(p)), cut) << "a piece elsewhere on the table";
}
