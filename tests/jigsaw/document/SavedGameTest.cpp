#include <gtest/gtest.h>

#include "DocumentFixtures.h"
#include "framework/ByteIO.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/SavedGameFile.h"

using qv::Puz;

namespace {

// Records the opening steps and their order.
class RecordingSteps : public qv::PictureSizeSteps {
public:
    fw::Status loadPicture(Puz& p) override { calls += "load,"; return PictureSizeSteps::loadPicture(p); }
    fw::Status renderSheets(Puz&) override { calls += "render,"; return {}; }
    void scatter(Puz& p) override
    {
        calls += "scatter,";
        keptInPlace.clear();
        for (const qv::SPuz& s : p.pieces)
            keptInPlace.push_back(s.flags & 0x0001);  // scattering moves only unmarked pieces
    }
    void restorePlayState(Puz&) override { calls += "restore,"; }
    std::string calls;
    std::vector<bool> keptInPlace;
};

struct Game {
    testfix::TempDir dir;
    qv::CutRandom rng;
    qv::HeadlessUser user;
    RecordingSteps steps;
    Puz puz;

    Game()
    {
        puz.setGenerator(&rng);
        puz.setUser(&user);
        puz.setSteps(&steps);
        EXPECT_TRUE(qv::writePuzzleFile(dir / "castle.puz", testfix::sampleContent()).ok());
    }
    std::filesystem::path saved() const { return dir / "game.sav"; }

    // A game in progress on the 4 x 6 grid, saved.
    void playAndSave()
    {
        ASSERT_TRUE(puz.OpenPuzzle(dir / "castle.puz", 0, 0).ok());
        puz.savedName = "Sunday/1";
        puz.playerName = "Ann";
        puz.password = "pw";
        puz.counters = {10, 123456, 3, 2, 77};
        puz.boxes = {{"Sky/blue", 0x00FF0000, 1, 0}, {"", qv::Box::NoColour, 0, 0}, {"Edges", 0x123456, 1, 0}};
        puz.pieces[0].placeAt(100, 50);
        puz.pieces[1].placeAt(200, 60);
        puz.pieces[0].joined = 1 << qv::SideRight;
        puz.pieces[1].joined = 1 << qv::SideLeft;
        puz.pieces[5].box = 2;
        puz.pieces[5].flags = 0x01;
        std::reverse(puz.order.begin(), puz.order.end());
        for (int i = 0; i < puz.pieceCount(); ++i)
            puz.pieces[puz.order[i]].orderPos = static_cast<int16_t>(i);
        puz.mouseTravel = 123.6;
        puz.dateEnd = 20240102;
        puz.scorePos = {-5, 7};
        puz.viewOrigin = {30, 40};
        puz.previewPos = qv::Point16{11, 12};
        puz.pictureScale = 0.75f;
        puz.background = "255,65280";
        puz.backgroundColour = 0x808080;
        puz.savedPath = saved();
        ASSERT_TRUE(puz.Save().ok());
    }
};

}  // namespace

TEST(SavedGame, WrittenAndReadBackFieldForField)
{
    Game g;
    g.user.date = 20240101;
    g.playAndSave();
    const Puz& a = g.puz;
    EXPECT_EQ(g.steps.calls, "load,render,scatter,");
    EXPECT_TRUE(a.state & Puz::FromSaved);

    Game h;
    h.user.date = 19990101;
    std::filesystem::copy_file(g.saved(), h.saved());
    std::filesystem::copy_file(g.dir / "castle.puz", h.dir / "castle.puz", std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(h.puz.Open(h.saved(), 0, 0).ok());
    const Puz& b = h.puz;
    EXPECT_EQ(h.steps.calls, "load,render,restore,");
    EXPECT_EQ(b.puzzlePath, h.dir / "castle.puz") << "stored beside the saved game, found beside it";
    EXPECT_EQ(b.savedPath, h.saved());
    EXPECT_EQ(b.savedName, "Sunday/1");
    EXPECT_EQ(b.playerName, "Ann");
    EXPECT_EQ(b.password, "pw");
    EXPECT_EQ(b.counters.joinedSides, 10u);
    EXPECT_EQ(b.counters.elapsedMs, 123456);
    EXPECT_EQ(b.counters.helps, 3);
    EXPECT_EQ(b.counters.helpSides, 2);
    EXPECT_EQ(b.counters.moves, 77u);
    ASSERT_EQ(b.boxes.size(), 3u);
    EXPECT_EQ(b.boxes[0].name, "Sky/blue");
    EXPECT_EQ(b.boxes[0].colour, 0x00FF0000u);
    EXPECT_EQ(b.boxes[0].flags, 1);
    EXPECT_EQ(b.boxes[1].colour, qv::Box::NoColour);
    EXPECT_EQ(b.boxes[2].name, "Edges");
    EXPECT_EQ(b.boxes[2].pieceCount, 1);
    EXPECT_EQ(b.sizeIndex, 0);
    EXPECT_EQ(b.cuttingSeed, a.cuttingSeed);
    EXPECT_EQ(b.cuttingVersion, 240);
    EXPECT_EQ(b.programVersion, 240);
    EXPECT_EQ(b.knobs, a.knobs) << "re-cut from the stored seed";
    EXPECT_EQ(b.order, a.order);
    for (int i = 0; i < a.pieceCount(); ++i) {
        const auto& p = a.pieces[i];
        const auto& q = b.pieces[i];
        EXPECT_EQ(q.tableCell.x, p.tableCell.x) << i;
        EXPECT_EQ(q.tableCell.y, p.tableCell.y) << i;
        EXPECT_EQ(q.table, p.table) << i;
        EXPECT_EQ(q.rotation, p.rotation) << i;
        EXPECT_EQ(q.joined, p.joined) << i;
        EXPECT_EQ(q.box, p.box) << i;
        EXPECT_EQ(q.flags, p.flags) << i;
        EXPECT_EQ(q.bounding, p.bounding) << i;
        EXPECT_EQ(q.orderPos, p.orderPos) << i;
    }
    EXPECT_TRUE(b.state & Puz::PlayStarted) << "a joined side";
    EXPECT_DOUBLE_EQ(b.mouseTravel, 124.0) << "saved in whole millimetres";
    EXPECT_EQ(b.dateStart, 20240101u) << "the game's own start date, not today";
    EXPECT_EQ(b.dateEnd, 20240102u);
    EXPECT_EQ(b.scorePos, (qv::Point16{-5, 7}));
    EXPECT_EQ(b.viewOrigin, (qv::Point16{30, 40}));
    ASSERT_TRUE(b.previewPos.has_value());
    EXPECT_EQ(*b.previewPos, (qv::Point16{11, 12}));
    EXPECT_FLOAT_EQ(b.pictureScale, 0.75f);
    EXPECT_EQ(b.savedFrame, g.user.frame);
    EXPECT_EQ(b.background, "255,65280");
    EXPECT_EQ(b.backgroundColour, 0x808080u);
    EXPECT_EQ(b.title(), "Castle");
    EXPECT_TRUE(b.state & Puz::FromSaved);
    EXPECT_FALSE(b.state & Puz::Busy);
}

TEST(SavedGame, SavedHeaderForm)
{
    Puz p;
    p.cuttingSeed = 0x80000000;
    p.cuttingVersion = 0;
    p.entry.title = "a/b";
    p.options |= Puz::NoHelp | Puz::NoDeform | Puz::ImgFull;
    p.savedFrame = {800, 600};
    p.mouseTravel = 2.5;
    p.boxes = {{"x", qv::Box::NoColour, 1, 0}, {"", 255, 0, 0}};
    EXPECT_EQ(p.BuildHeader(true),
              "/Rndn:-2147483648/BkClr:/Tit:a//b/NoHelp/NoDeform/ImgFull/Vers:240/VersMakePieza:0/SZW:800x600"
              "/ScorePos:0,0/bmphalf:0,0/mmsrun:2/boxnm:0\x07x/clr2box:,255/BoxFlags:0100");
}

TEST(SavedGame, AbsentKeysAndOddBoxFlags)
{
    Puz p;
    p.boxes.resize(3);
    ASSERT_TRUE(p.ParseHeader("/Rndn:7/BoxFlags:01010", true).ok());
    EXPECT_EQ(p.programVersion, 120);
    EXPECT_EQ(p.cuttingVersion, 0);
    EXPECT_DOUBLE_EQ(p.mouseTravel, -1.0);
    EXPECT_EQ(p.cuttingSeed, 7u);
    EXPECT_EQ(p.boxes[0].flags, 1);
    EXPECT_EQ(p.boxes[1].flags, 1);
    EXPECT_EQ(p.boxes[2].flags, 0) << "five digits make two boxes";
    EXPECT_FALSE(p.previewPos.has_value());

    // Names and colours for boxes that do not exist are ignored.
    ASSERT_TRUE(p.ParseHeader("/boxnm:7\x07Lost\x07" "1\x07Kept/clr2box:1,,0x20,99", true).ok());
    EXPECT_EQ(p.boxes[1].name, "Kept");
    EXPECT_EQ(p.boxes[0].colour, 1u);
    EXPECT_EQ(p.boxes[1].colour, qv::Box::NoColour);
    EXPECT_EQ(p.boxes[2].colour, 0x20u);
}

TEST(SavedGame, QuestionsAboutTheScreen)
{
    qv::HeadlessUser user;
    user.frame = {1000, 700};
    user.screen = {1024, 768};
    Puz p;
    p.setUser(&user);

    EXPECT_TRUE(p.ParseHeader("/SZW:1000x700", true).ok());
    EXPECT_EQ(user.frameQuestions, 0) << "same frame: no question";
    user.confirm = false;
    EXPECT_EQ(p.ParseHeader("/SZW:1001x700", true).id, fw::msg::Cancelled);
    user.confirm = true;
    EXPECT_TRUE(p.ParseHeader("/SZW:900x701", true).ok());
    EXPECT_EQ(user.frameQuestions, 2);
    EXPECT_TRUE(p.state & Puz::BringIntoView);

    EXPECT_TRUE(p.ParseHeader("/MinRes:1024x768", false).ok());
    fw::Status small = p.ParseHeader("/MinRes:1280x768", false);
    EXPECT_EQ(small.id, qv::msg::ScreenTooSmall);
    EXPECT_EQ(small.text, "1280x768");
}

// Sizes past 16 bits must not wrap into small ones that pass the checks.
TEST(SavedGame, WideSizesAreCheckedInFullWidth)
{
    qv::HeadlessUser user;
    user.frame = {1000, 700};
    user.screen = {1024, 768};
    Puz p;
    p.setUser(&user);

    user.confirm = false;
    // 65536 would wrap to 0 and 70000 to 4464: both are larger than the frame.
    for (const char* frame : {"/SZW:65536x700", "/SZW:1000x70000", "/SZW:4294967296x1"}) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(p.ParseHeader(frame, true).id, fw::msg::Cancelled);
    }
    user.confirm = true;
    ASSERT_TRUE(p.ParseHeader("/SZW:70000x600", true).ok());
    EXPECT_EQ(p.savedFrame.x, 32767) << "kept as large as 16 bits hold";
    EXPECT_EQ(p.savedFrame.y, 600);

    const struct {
        const char* header;
        const char* needed;  // empty: the screen is large enough
    } minimum[] = {
        {"/MinRes:65536x480", "65536x480"},
        {"/MinRes:640x66304", "640x66304"},  // would wrap to 768
        {"/MinRes:-65536x768", ""},
    };
    for (const auto& m : minimum) {
        SCOPED_TRACE(m.header);
        const fw::Status st = p.ParseHeader(m.header, false);
        if (*m.needed == 0) {
            EXPECT_TRUE(st.ok());
        } else {
            EXPECT_EQ(st.id, qv::msg::ScreenTooSmall);
            EXPECT_EQ(st.text, m.needed);
        }
    }
}

TEST(SavedGame, OldHelpCountersAndStoredPaths)
{
    Game g;
    g.playAndSave();
    auto bytes = testfix::readAll(g.saved());
    // name "Sunday/1", path "castle.puz", index, joins, "Ann", "pw", time: then the help word.
    size_t helpWord = (2 + 8) + (2 + 10) + 1 + 4 + (2 + 3) + (2 + 2) + 4;
    ASSERT_EQ(fw::loadU32(bytes.data() + helpWord), 3u | (2u << 16));
    fw::storeU32(bytes.data() + helpWord, 3);  // a game from before help sides were kept
    testfix::writeAll(g.saved(), bytes);
    Puz p;
    ASSERT_TRUE(p.OpenSaved(g.saved()).ok());
    EXPECT_EQ(p.counters.helps, 3);
    EXPECT_EQ(p.counters.helpSides, 4) << "3 helps x 1.5, truncated";

    using qv::SavedGameFile;
    const std::filesystem::path sav = "/games/shelf/g.sav";
    EXPECT_EQ(SavedGameFile::resolvePuzzlePath("castle.puz", sav), "/games/shelf/castle.puz");
    EXPECT_EQ(SavedGameFile::resolvePuzzlePath("C:\\Puzzles\\castle.puz", sav), "/games/shelf/castle.puz");
    EXPECT_EQ(SavedGameFile::resolvePuzzlePath("/other/castle.puz", sav), "/other/castle.puz");
}

TEST(SavedGame, DamagedPiecesOrderAndBoxesAreRepaired)
{
    Game g;
    g.playAndSave();
    auto bytes = testfix::readAll(g.saved());
    const size_t n = 24;
    const size_t records = bytes.size() - n * 10, order = bytes.size() - n * 2;
    bytes[records + 5 * 8 + 6] = 3;   // box 3 of 3 boxes: out of range
    bytes[records + 7 * 8 + 5] = 1;   // piece 7 joined on its left, its neighbour not
    bytes[records + 8 * 8 + 4] = 6;   // rotation beyond 3
    fw::storeU16(bytes.data() + order, 1);  // piece 1 twice in the order list
    testfix::writeAll(g.saved(), bytes);

    Puz p;
    ASSERT_TRUE(p.OpenSaved(g.saved()).ok());
    EXPECT_EQ(p.pieces[5].box, qv::SPuz::OnTable);
    EXPECT_EQ(p.boxes[2].pieceCount, 0);
    EXPECT_EQ(p.pieces[7].joined, 0);
    EXPECT_EQ(p.pieces[0].joined, 1 << qv::SideRight) << "sound joins stay";
    EXPECT_LT(p.pieces[8].rotation, 4);
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(p.order[i], i) << "a bad order list becomes the identity";
        EXPECT_EQ(p.pieces[i].orderPos, i);
    }

    fw::storeU16(bytes.data() + order, 24);  // out of range
    testfix::writeAll(g.saved(), bytes);
    ASSERT_TRUE(p.OpenSaved(g.saved()).ok());
    EXPECT_EQ(p.order[0], 0);
}

TEST(SavedGame, DamagedFilesGiveMessage20AndNoCrash)
{
    Game g;
    g.playAndSave();
    const auto good = testfix::readAll(g.saved());
    const auto path = g.dir / "cut.sav";
    Puz p;
    // Every truncation before the piece records fails with 20 naming the
    // saved game; one inside them opens with the pieces read and tells 20
    // the same way; one inside the order list opens with the order repaired.
    const size_t records = good.size() - 24 * 10, order = good.size() - 24 * 2;
    for (size_t n = 0; n < good.size(); ++n) {
        testfix::writeAll(path, std::vector<uint8_t>(good.begin(), good.begin() + n));
        fw::Status st = p.OpenSaved(path);
        if (n >= records) {
            EXPECT_TRUE(st.ok()) << n;
            EXPECT_EQ(p.pieceCount(), 24) << n;
            EXPECT_EQ(p.notice.id, n < order ? qv::msg::BadFile : 0) << n;
            if (n < order) {
                EXPECT_EQ(p.notice.text, path.string());
            }
            continue;
        }
        EXPECT_EQ(st.id, qv::msg::BadFile) << "cut at " << n;
        EXPECT_EQ(st.text, path.string());
    }

    auto patched = [&](size_t at, std::vector<uint8_t> with) {
        auto b = good;
        std::copy(with.begin(), with.end(), b.begin() + at);
        testfix::writeAll(path, b);
        return p.OpenSaved(path).id;
    };
    const size_t sizeIndex = (2 + 8) + (2 + 10);
    const size_t boxCount = sizeIndex + 1 + 4 + (2 + 3) + (2 + 2) + 4 + 4 + 4;
    ASSERT_EQ(fw::loadU16(good.data() + boxCount), 3);
    EXPECT_EQ(patched(boxCount, {0xFF, 0xFF}), qv::msg::BadFile) << "65535 boxes";
    EXPECT_EQ(patched(sizeIndex, {9}), qv::msg::BadFile) << "size index 9";
    EXPECT_EQ(patched(sizeIndex, {0x80}), qv::msg::BadFile) << "negative size index";
    EXPECT_EQ(patched(0, {0xFF, 0xFF}), qv::msg::BadFile) << "name length past the end";

    // A custom grid of 32767 x 32767 pieces in a file of a few hundred bytes.
    std::vector<uint8_t> custom(good.begin(), good.begin() + sizeIndex);
    custom.push_back(5);
    custom.insert(custom.end(), {0xFF, 0x7F, 0xFF, 0x7F});
    custom.insert(custom.end(), good.begin() + sizeIndex + 1, good.end());
    testfix::writeAll(path, custom);
    EXPECT_EQ(p.OpenSaved(path).id, qv::msg::BadFile);
    EXPECT_EQ(p.pieceCount(), 0);
}

TEST(SavedGame, PiecesReadBeforeAShortRecordStayAndTheOthersAreScattered)
{
    Game g;
    g.playAndSave();
    auto bytes = testfix::readAll(g.saved());
    const size_t records = bytes.size() - 24 * 10;
    bytes.resize(records + 6 * 8 + 3);  // pieces 0..5 whole, piece 6 cut inside its record
    testfix::writeAll(g.saved(), bytes);

    g.steps.calls.clear();
    ASSERT_TRUE(g.puz.OpenSaved(g.saved()).ok());
    EXPECT_EQ(g.puz.notice.id, qv::msg::BadFile);
    EXPECT_EQ(g.puz.notice.text, g.saved().string());
    EXPECT_TRUE(g.puz.state & Puz::FromSaved);
    EXPECT_EQ(g.steps.calls, "load,render,scatter,restore,");
    ASSERT_EQ(g.steps.keptInPlace.size(), 24u);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(g.steps.keptInPlace[i], i < 6) << "only the pieces without a record are scattered: " << i;
    EXPECT_EQ(g.puz.pieces[0].tableCell.x, 100);
    EXPECT_EQ(g.puz.pieces[0].tableCell.y, 50);
    EXPECT_EQ(g.puz.pieces[1].tableCell.x, 200);
    EXPECT_EQ(g.puz.pieces[0].joined, 1 << qv::SideRight);
    EXPECT_EQ(g.puz.pieces[5].box, 2);
    EXPECT_EQ(g.puz.boxes[2].pieceCount, 1);
    EXPECT_EQ(g.puz.pieces[5].flags, 0x01u) << "its own flags back after the scatter";
    EXPECT_EQ(g.puz.pieces[0].flags, 0u);
    for (int i = 6; i < 24; ++i)
        EXPECT_EQ(g.puz.pieces[i].joined, 0);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(g.puz.order[i], i) << "no order list: the identity";
    EXPECT_EQ(g.puz.savedName, "Sunday/1");
    EXPECT_EQ(g.puz.playerName, "Ann");

    // A whole file again: nothing to tell.
    g.playAndSave();
    ASSERT_TRUE(g.puz.OpenSaved(g.saved()).ok());
    EXPECT_TRUE(g.puz.notice.ok());
}

TEST(SavedGame, MissingPuzzleAndPictureFailure)
{
    Game g;
    g.playAndSave();
    std::filesystem::remove(g.dir / "castle.puz");
    Puz p;
    fw::Status st = p.OpenSaved(g.saved());
    EXPECT_EQ(st.id, qv::msg::CannotOpen);
    EXPECT_EQ(st.text, "castle.puz");
}

TEST(SavedGame, TemporarySaveRebuildsAndKeepsNames)
{
    Game g;
    g.playAndSave();
    const auto knobs = g.puz.knobs;
    const auto bytesBefore = testfix::readAll(g.saved());
    g.puz.pieces[3].placeAt(321, 123);
    g.puz.state |= Puz::Changed;
    g.steps.calls.clear();
    ASSERT_TRUE(g.puz.Save(Puz::TemporarySave).ok());
    EXPECT_EQ(g.steps.calls, "load,render,restore,");
    EXPECT_EQ(g.puz.savedName, "Sunday/1");
    EXPECT_EQ(g.puz.playerName, "Ann");
    EXPECT_EQ(g.puz.savedPath, g.saved());
    EXPECT_EQ(g.puz.pieces[3].tableCell.x, 321);
    EXPECT_EQ(g.puz.knobs, knobs);
    EXPECT_TRUE(g.puz.state & Puz::Changed);
    EXPECT_EQ(testfix::readAll(g.saved()), bytesBefore) << "the real saved game is untouched";
}
