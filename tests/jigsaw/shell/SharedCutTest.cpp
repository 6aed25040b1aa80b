// The text of a shared cut, and the game a friend starts from it: the same
// pieces as the game it was shared from, however the friend's table is.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ShellFixture.h"
#include "framework/FileStream.h"
#include "jigsaw/document/PictureSteps.h"
#include "jigsaw/document/PieceDigest.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/shell/SharedCut.h"

using namespace qv;

namespace {

SharedCut sampleCut(std::string title, int level, int columns, int rows, uint16_t options, uint32_t seed)
{
    SharedCut cut;
    cut.title = std::move(title);
    cut.id.words = {0x1A2B3C, 0x0, 0xFFFFFFFF, 0x7};
    cut.recipe.level = static_cast<int8_t>(level);
    cut.recipe.columns = static_cast<int16_t>(columns);
    cut.recipe.rows = static_cast<int16_t>(rows);
    cut.recipe.options = options;
    cut.recipe.picture = {1000, 872};
    cut.recipe.version = 240;
    cut.recipe.seed = seed;
    return cut;
}

// A body with its check sum, as a text that is whole but says what we want.
std::string sealed(const std::string& body)
{
    char check[12];
    std::snprintf(check, sizeof check, "%08X", static_cast<unsigned>(Crc32(body)));
    return body + check;
}

}  // namespace

TEST(SharedCut, TheCheckSumIsTheUsualCrc32)
{
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32(""), 0u);
}

// Every field comes back; the line is one printable word a chat keeps, and
// blanks and line ends a clipboard adds around it do not matter.
TEST(SharedCut, EveryFieldComesBackFromItsText)
{
    const SharedCut cuts[] = {
        sampleCut("Castle", 0, 19, 17, 0, 1),
        sampleCut("Old Mill by the river", 3, 10, 8, Puz::NoRotable, 0xFFFFFFFFu),
        sampleCut("100% ;odd+title {x} / \xE9t\xE9\t", Puz::CustomSize, 181, 181, Puz::NoDeform, 123456789),
        sampleCut("", 1, 2, 2, Puz::NoRotable | Puz::NoDeform, 42),
    };
    for (const SharedCut& cut : cuts) {
        const std::string text = cut.Encode();
        SCOPED_TRACE(text);
        EXPECT_EQ(text.rfind("QvCut1:", 0), 0u);
        for (char c : text)
            EXPECT_TRUE(c > ' ' && c < 0x7F && c != '{' && c != '}') << "character " << int(static_cast<unsigned char>(c));
        for (const std::string& pasted : {text, "  " + text + "\r\n"}) {
            ASSERT_TRUE(SharedCut::LooksShared(pasted));
            const SharedCut::Decoded d = SharedCut::Decode(pasted);
            ASSERT_TRUE(d.cut) << SharedCut::FaultName(d.fault);
            EXPECT_EQ(d.cut->title, cut.title);
            EXPECT_EQ(d.cut->id, cut.id);
            const CutRecipe& r = d.cut->recipe;
            EXPECT_EQ(r.level, cut.recipe.level);
            EXPECT_EQ(r.columns, cut.recipe.columns);
            EXPECT_EQ(r.rows, cut.recipe.rows);
            EXPECT_EQ(r.options, cut.recipe.options);
            EXPECT_EQ(r.picture, cut.recipe.picture);
            EXPECT_EQ(r.version, cut.recipe.version);
            EXPECT_EQ(r.seed, cut.recipe.seed);
            EXPECT_EQ(r.mark, text.substr(text.size() - 8)) << "the mark is the check sum";
        }
    }
    EXPECT_NE(cuts[0].Encode(), sampleCut("Castle", 0, 19, 17, 0, 2).Encode()) << "another seed, another text";
}

// Damage where the check sum cannot see it coming (the text is resealed) or
// where it must: each is refused with its reason, none crashes.
TEST(SharedCut, DamagedTextsAreRefusedWithTheirReason)
{
    using F = SharedCut::Fault;
    const std::string good = sampleCut("Castle", 0, 19, 17, 0, 77).Encode();
    const std::string body = good.substr(0, good.size() - 8);
    std::string lower = good;
    for (size_t i = lower.size() - 8; i < lower.size(); ++i)
        lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[i])));
    ASSERT_NE(lower, good) << "the sample's check sum must hold a letter";
    struct Case {
        const char* what;
        std::string text;
        F fault;
    };
    const Case cases[] = {
        {"empty", "", F::NotShared},
        {"another text", "Ranking for Castle Level 1", F::NotShared},
        {"prefix only", "QvCut", F::Malformed},
        {"cut short", good.substr(0, good.size() - 1), F::Malformed},
        {"check sum gone", body, F::Malformed},
        {"check sum in small letters", lower, F::Checksum},
        {"a word inside", good.substr(0, 9) + "x" + good.substr(9), F::Checksum},
        {"newer format", sealed("QvCut2:Castle;0;19x17;1000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::NewerFormat},
        {"format 0", sealed("QvCut0:Castle;0;19x17;1000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"no format", sealed("QvCut:Castle;0;19x17;1000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"a field missing", sealed("QvCut1:Castle;0;19x17;1000x872;-;240;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"a field more", sealed("QvCut1:Castle;0;19x17;1000x872;-;240;77;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"level 6", sealed("QvCut1:Castle;6;19x17;1000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"no rows", sealed("QvCut1:Castle;0;19x0;1000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"too many pieces", sealed("QvCut1:Castle;5;200x200;1000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"picture too large", sealed("QvCut1:Castle;0;19x17;40000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"options unknown", sealed("QvCut1:Castle;0;19x17;1000x872;MR;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"seed 0 cuts at random", sealed("QvCut1:Castle;0;19x17;1000x872;-;240;0;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"seed past 32 bits", sealed("QvCut1:Castle;0;19x17;1000x872;-;240;4294967296;1A2B3C-0-FFFFFFFF-7;"),
         F::Malformed},
        {"a sign", sealed("QvCut1:Castle;0;19x17;1000x872;-;+240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"id zero", sealed("QvCut1:Castle;0;19x17;1000x872;-;240;77;0-0-0-0;"), F::Malformed},
        {"id of three words", sealed("QvCut1:Castle;0;19x17;1000x872;-;240;77;1A2B3C-0-FFFFFFFF;"), F::Malformed},
        {"id word too long", sealed("QvCut1:Castle;0;19x17;1000x872;-;240;77;1A2B3C-0-FFFFFFFFF-7;"), F::Malformed},
        {"escape cut short", sealed("QvCut1:Castle%4;0;19x17;1000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        // Whole and in range, but not as encoding spells it: a second text
        // for one cut would be a second mark for its results.
        {"leading zero", sealed("QvCut1:Castle;0;019x17;1000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"small hex in the id", sealed("QvCut1:Castle;0;19x17;1000x872;-;240;77;1a2b3c-0-FFFFFFFF-7;"), F::Malformed},
        {"needless escape", sealed("QvCut1:C%61stle;0;19x17;1000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
        {"a blank inside", sealed("QvCut1:Old Mill;0;19x17;1000x872;-;240;77;1A2B3C-0-FFFFFFFF-7;"), F::Malformed},
    };
    ASSERT_TRUE(SharedCut::Decode(sealed(body)).cut) << "the resealing itself keeps a good text good";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SharedCut::Decoded d = SharedCut::Decode(c.text);
        EXPECT_FALSE(d.cut);
        EXPECT_EQ(SharedCut::FaultName(d.fault), std::string(SharedCut::FaultName(c.fault)));
    }
}

// Whatever a chat does to one character of the line, it is refused.
TEST(SharedCut, EveryChangedMissingOrExtraCharacterIsRefused)
{
    const std::string good = sampleCut("Old Mill %1", 2, 12, 9, Puz::NoRotable, 3735928559u).Encode();
    std::string alphabet;
    for (int c = 0; c < 256; ++c)
        alphabet += static_cast<char>(c);
    auto refused = [&](const std::string& text, const std::string& what) {
        if (SharedCut::Decode(text).cut)
            ADD_FAILURE() << what << " was accepted: " << text;
    };
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    for (size_t i = 0; i < good.size(); ++i) {
        refused(good.substr(0, i) + good.substr(i + 1), "dropping character " + std::to_string(i));
        for (char c : alphabet) {
            if (c != good[i]) {
                std::string changed = good;
                changed[i] = c;
                refused(changed, "character " + std::to_string(i) + " as " + std::to_string(int(c)));
            }
            // A blank after the line is the clipboard's, not the text's.
            if (i + 1 == good.size() && blank(c))
                continue;
            std::string longer = good;
            longer.insert(longer.begin() + static_cast<std::ptrdiff_t>(i) + 1, c);
            refused(longer, "a character after " + std::to_string(i));
        }
    }
}

namespace {

// A player's table: the picture is scaled to it as on the screen.
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

// The pieces without where they lie: each table scatters over its own room.
std::vector<PieceShape> shapes(const Puz& puz)
{
    std::vector<PieceShape> out = DescribePieces(puz);
    for (PieceShape& p : out)
        p.at = {};
    return out;
}

uint64_t sheetHash(const fw::Bitmap& b)
{
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            h = (h ^ b.pixel(x, y)) * 1099511628211ull;
    return h ^ (uint64_t(b.width()) << 32 | uint64_t(b.height()));
}

std::vector<uint8_t> readBytes(const std::filesystem::path& path)
{
    fw::FileStream f(path, fw::FileStream::Mode::Read);
    std::vector<uint8_t> bytes(f.size());
    f.read(bytes.data(), bytes.size());
    return bytes;
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    fw::FileStream f(path, fw::FileStream::Mode::Create);
    f.write(bytes.data(), bytes.size());
}

std::string sizeOf(const Puz& p) { return std::to_string(p.pictureRect.w) + "x" + std::to_string(p.pictureRect.h); }

}  // namespace

// Ann plays a new game on her table and shares its cut; Bob, with his own
// copy of the puzzle file and a larger table, starts a game from her text:
// the picture is cut at Ann's size, into her pieces, her first rotations
// and her piece images. A table too small for that size is refused.
TEST(SharedCut, AGameStartedFromTheTextHasTheOriginalGamesPieces)
{
    struct Case {
        const char* what;
        int level;
        unsigned options;
        const char* customGrid;
        bool oldRules = false;  // Ann's game is a saved game cut by rules before version 220
    };
    const Case cases[] = {
        {"a stock size", 0, 0, nullptr},
        {"no rotation, chosen by the player", 0, Puz::NoRotable, nullptr},
        {"a custom grid of plain pieces", Puz::CustomSize, Puz::NoDeform, "7x5"},
        {"a custom grid by piece count", Puz::CustomSize, 0, "40"},
        {"a saved game of the old cutting rules", 0, 0, nullptr, true},
    };
    shelltest::ProgramFolder annsShelf(""), bobsShelf("");
    const auto annsPuzzle = shelltest::makePuzzle(annsShelf / "mill.puz", 8, 6, 0, 800, 600);
    std::filesystem::copy_file(annsPuzzle, bobsShelf / "mill.puz");
    const PuzzleId id = PuzzleId::FromFile(annsPuzzle);
    ASSERT_FALSE(id.isZero());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Table ann(640, 480);
        if (c.customGrid)
            ann.user.customSize = c.customGrid;
        ASSERT_TRUE(ann.puz.OpenPuzzle(annsPuzzle, c.level, c.options).ok());
        ASSERT_LT(ann.puz.pictureRect.w, 800) << "the picture is scaled to Ann's table";
        if (c.oldRules) {
            // The same seed cut by the rules of version 200: other knobs.
            const std::vector<PieceShape> newRules = shapes(ann.puz);
            ann.puz.savedPath = annsShelf / "old.sav";
            ASSERT_TRUE(ann.puz.Save().ok());
            std::vector<uint8_t> bytes = readBytes(ann.puz.savedPath);
            std::string file(bytes.begin(), bytes.end());
            const size_t at = file.find("/VersMakePieza:240");
            ASSERT_NE(at, std::string::npos);
            file.replace(at, 18, "/VersMakePieza:200");
            writeBytes(ann.puz.savedPath, file);
            ASSERT_TRUE(ann.puz.Open(annsShelf / "old.sav", 0, 0).ok());
            ASSERT_EQ(ann.puz.cuttingVersion, 200);
            ASSERT_FALSE(shapes(ann.puz) == newRules);
        }
        const std::string text = SharedCut::FromGame(ann.puz, id).Encode();
        SCOPED_TRACE(text);
        const SharedCut::Decoded d = SharedCut::Decode(text);
        ASSERT_TRUE(d.cut) << SharedCut::FaultName(d.fault);

        Table plain(1280, 1000);
        ASSERT_TRUE(plain.puz.OpenPuzzle(bobsShelf / "mill.puz", 0, 0).ok());
        ASSERT_NE(sizeOf(plain.puz), sizeOf(ann.puz)) << "Bob's table alone would scale the picture otherwise";

        Table bob(1280, 1000);
        bob.user.customSize = "99";  // never asked: the text brings the grid
        const fw::Status st = bob.puz.OpenCut(bobsShelf / "mill.puz", d.cut->recipe);
        ASSERT_TRUE(st.ok()) << st.id << " " << st.text;
        EXPECT_EQ(sizeOf(bob.puz), sizeOf(ann.puz));
        EXPECT_EQ(bob.puz.sizeIndex, ann.puz.sizeIndex);
        EXPECT_EQ(bob.puz.options & CutRecipe::CutOptions, ann.puz.options & CutRecipe::CutOptions);
        EXPECT_EQ(bob.puz.cuttingSeed, ann.puz.cuttingSeed);
        EXPECT_EQ(bob.puz.cuttingVersion, ann.puz.cuttingVersion);
        ASSERT_EQ(bob.puz.pieceCount(), ann.puz.pieceCount());
        EXPECT_TRUE(shapes(bob.puz) == shapes(ann.puz));
        EXPECT_EQ(DigestPieces(shapes(bob.puz)), DigestPieces(shapes(ann.puz)));
        EXPECT_EQ(sheetHash(bob.puz.maskSheet), sheetHash(ann.puz.maskSheet));
        EXPECT_EQ(sheetHash(bob.puz.pieceSheet), sheetHash(ann.puz.pieceSheet));
        EXPECT_EQ(bob.puz.sharedCut, d.cut->recipe.mark);
        EXPECT_TRUE(ann.puz.sharedCut.empty()) << "only games started from a text carry the mark";

        // Saved, the game keeps its mark in a key of our own and reopens
        // with the same pieces; a game of no shared cut writes no such key.
        bob.puz.savedPath = bobsShelf / "bob.sav";
        ASSERT_TRUE(bob.puz.Save().ok());
        EXPECT_NE(bob.puz.BuildHeader(true).find("/QvCut:" + d.cut->recipe.mark), std::string::npos);
        EXPECT_EQ(ann.puz.BuildHeader(true).find("QvCut"), std::string::npos);
        Table again(1280, 1000);
        ASSERT_TRUE(again.puz.Open(bobsShelf / "bob.sav", 0, 0).ok());
        EXPECT_EQ(again.puz.sharedCut, d.cut->recipe.mark);
        EXPECT_TRUE(shapes(again.puz) == shapes(ann.puz));

        Table small(320, 240);
        const fw::Status refused = small.puz.OpenCut(bobsShelf / "mill.puz", d.cut->recipe);
        EXPECT_EQ(refused.id, msg::CutTableTooSmall);
        EXPECT_EQ(refused.text, sizeOf(ann.puz));
        EXPECT_EQ(small.puz.pieceCount(), 0);
    }
}

// A puzzle file that cannot be cut as the text says: another grid at that
// level, or a puzzle whose own options forbid what the cut had.
TEST(SharedCut, APuzzleThatDiffersFromTheSharedOneIsRefused)
{
    shelltest::ProgramFolder shelf("");
    const auto grid = shelltest::makePuzzle(shelf / "grid.puz", 8, 6, 0, 800, 600);
    const auto fixed = shelltest::makePuzzle(shelf / "fixed.puz", 8, 6, Puz::NoRotable, 800, 600);
    CutRecipe r;
    r.level = 0;
    r.columns = 8;
    r.rows = 6;
    r.picture = {400, 300};
    r.version = 240;
    r.seed = 5;
    struct Case {
        const char* what;
        std::filesystem::path puzzle;
        int level, columns, rows;
        uint16_t options;
        bool fits;
    };
    const Case cases[] = {
        {"the same", grid, 0, 8, 6, 0, true},
        {"another grid at the level", grid, 0, 6, 8, 0, false},
        {"a level the puzzle lacks", grid, 1, 8, 6, 0, false},
        {"a custom grid", grid, Puz::CustomSize, 13, 3, 0, true},
        {"rotating pieces of a puzzle that never rotates", fixed, 0, 8, 6, 0, false},
        {"no rotation on a puzzle without", grid, 0, 8, 6, Puz::NoRotable, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        r.level = static_cast<int8_t>(c.level);
        r.columns = static_cast<int16_t>(c.columns);
        r.rows = static_cast<int16_t>(c.rows);
        r.options = c.options;
        Entry entry;
        ASSERT_TRUE(entry.readFile(c.puzzle).ok());
        EXPECT_EQ(r.fits(entry).ok(), c.fits);
        Table t(1280, 1000);
        const fw::Status st = t.puz.OpenCut(c.puzzle, r);
        EXPECT_EQ(st.ok(), c.fits) << st.id;
        if (!c.fits) {
            EXPECT_EQ(st.id, msg::CutPuzzleDiffers);
        }
    }
}
