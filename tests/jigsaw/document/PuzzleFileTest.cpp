#include <gtest/gtest.h>

#include "DocumentFixtures.h"
#include "framework/ByteIO.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/PuzzleFileWriter.h"

using qv::Entry;

namespace {

std::vector<uint8_t> written(const qv::PuzzleFileContent& c)
{
    fw::MemoryStream out;
    EXPECT_TRUE(qv::writePuzzleFile(out, c));
    return out.take();
}

fw::Status readEntry(const std::vector<uint8_t>& bytes, Entry& e)
{
    fw::MemoryStream in(bytes);
    return e.read(in, "/shelf/castle.puz");
}

}  // namespace

TEST(PuzzleFile, WrittenFileReadsBack)
{
    auto c = testfix::sampleContent("/Med0:4#6/Med1:6#8/Tit:Castle/NoCustom");
    c.palette.assign(300, 0x00A0B0C0);
    c.palette[0] = 0x00112233;
    auto bytes = written(c);
    Entry e;
    ASSERT_TRUE(readEntry(bytes, e).ok());
    EXPECT_EQ(e.madeByVersion, 200);
    EXPECT_EQ(e.requiredVersion, 120);
    EXPECT_EQ(e.title, "Castle");
    EXPECT_EQ(e.sizeCount, 2);
    EXPECT_EQ(e.header, c.header);
    EXPECT_EQ(e.opaque, c.opaque);
    EXPECT_EQ(e.rows[0], 4);
    EXPECT_EQ(e.columns[0], 6);
    EXPECT_EQ(e.rows[1], 6);
    EXPECT_EQ(e.columns[1], 8);
    EXPECT_EQ(e.rows[2], 0);
    EXPECT_TRUE(e.noCustom);

    const auto& d = e.directory;
    EXPECT_EQ(d.thumbnailOffset, e.directoryPosition + 21);
    EXPECT_EQ(d.pictureOffset, d.thumbnailOffset + c.thumbnailBmp.size());
    EXPECT_EQ(d.pictureLength, c.jpeg.size());
    EXPECT_EQ(d.pictureKind, 2);
    EXPECT_EQ(d.cacheOffset, 0u);
    EXPECT_EQ(bytes.size(), d.pictureOffset + 942 + c.jpeg.size());
    // Palette block: the full count, then 235 entries of blue, green, red, 0.
    const uint8_t* pal = bytes.data() + d.pictureOffset;
    EXPECT_EQ(fw::loadU16(pal), 300);
    EXPECT_EQ((std::vector<uint8_t>(pal + 2, pal + 6)), (std::vector<uint8_t>{0x33, 0x22, 0x11, 0}));
    EXPECT_EQ(pal[2 + 234 * 4], 0xC0) << "the 235th entry fills the block";
    EXPECT_EQ(bytes[d.pictureOffset + 942], 0xFF);
}

TEST(PuzzleFile, HeaderOfTheDocumentInPuzzleForm)
{
    qv::Puz p;
    p.edit |= qv::Puz::Editing;
    p.rows[0] = 4;
    p.columns[0] = 6;
    p.rows[2] = 9;  // a gap: only sizes with rows are written
    p.columns[2] = 12;
    p.rights = "A/B";
    p.puzzleSeed = 0xFFFFFFFB;  // written as a signed 32-bit number
    p.background = "12,34";
    p.backgroundColour = 0xABC;
    p.entry.title = "Ca/stle";
    p.options |= qv::Puz::NoRotable | qv::Puz::NoPreview | qv::Puz::ScatterFull;
    p.sizeFlags |= qv::Puz::NoCustomSize;
    EXPECT_EQ(p.BuildHeader(false),
              "/Med0:4#6/Med2:9#12/(c):A//B/Rndn:-5/BkClr:12,34[0xABC/Tit:Ca//stle/NoRotable/Nopreview/NoCustom");

    qv::Puz q;
    q.edit |= qv::Puz::Editing;
    ASSERT_TRUE(q.ParseHeader(p.BuildHeader(false), false).ok());
    EXPECT_EQ(q.rows[2], 9);
    EXPECT_EQ(q.columns[2], 12);
    EXPECT_EQ(q.rights, "A/B");
    EXPECT_EQ(q.puzzleSeed, 0xFFFFFFFBu);
    EXPECT_EQ(q.background, "12,34");
    EXPECT_EQ(q.backgroundColour, 0xABCu);
    EXPECT_EQ(q.entry.title, "Ca/stle");
    EXPECT_EQ(q.options, qv::Puz::BackgroundReset | qv::Puz::NoRotable | qv::Puz::NoPreview);
    EXPECT_TRUE(q.sizeFlags & qv::Puz::NoCustomSize);

    auto c = qv::PuzzleFileContent::fromDocument(p);
    EXPECT_EQ(c.sizeCount, 1) << "leading sizes only";
    EXPECT_EQ(c.title, "Ca/stle");
}

TEST(PuzzleFile, OlderVersionHasNoTitle)
{
    fw::MemoryStream out;
    fw::ByteWriter w(out);
    w.i16(198);
    w.i16(120);
    w.i16(1);
    w.u8(0);
    w.bytes("PUZZ", 4);
    w.text("/Med0:3#3");
    w.zeros(64);
    uint32_t picture = static_cast<uint32_t>(out.tell() + 21);
    w.u32(0);
    w.u32(picture);
    w.u32(2);
    w.u8(1);
    w.u32(0);
    w.u32(0);
    w.bytes("\xFF\xD8", 2);
    Entry e;
    ASSERT_TRUE(readEntry(out.take(), e).ok());
    EXPECT_EQ(e.title, "");
    EXPECT_EQ(e.rows[0], 3);
    EXPECT_EQ(e.directory.pictureKind, 1);
}

TEST(PuzzleFile, DamagedFilesGiveTheirMessage)
{
    const auto good = written(testfix::sampleContent());
    Entry e;
    // Every truncation: message 20, never a crash.
    for (size_t n = 0; n < good.size(); ++n) {
        fw::Status st = readEntry(std::vector<uint8_t>(good.begin(), good.begin() + n), e);
        EXPECT_EQ(st.id, qv::msg::BadFile) << "cut at " << n;
        EXPECT_EQ(st.text, "/shelf/castle.puz");
    }

    auto patched = [&](size_t at, std::vector<uint8_t> with) {
        auto b = good;
        std::copy(with.begin(), with.end(), b.begin() + at);
        return b;
    };
    const size_t magic = 2 + 2 + 2 + 6 + 2 + 1;  // versions, title "Castle", size count, reserved
    ASSERT_EQ(std::string(good.begin() + magic, good.begin() + magic + 4), "PUZZ");
    EXPECT_EQ(readEntry(patched(magic, {'P', 'U', 'Z', 'X'}), e).id, qv::msg::BadFile);
    EXPECT_EQ(readEntry(patched(magic + 4, {0xFF, 0xFF}), e).id, qv::msg::BadFile) << "header length past the end";

    ASSERT_TRUE(readEntry(good, e).ok());
    const size_t dir = e.directoryPosition;
    EXPECT_EQ(readEntry(patched(dir + 8, {0xFF, 0xFF, 0, 0}), e).id, qv::msg::BadFile) << "picture length past the end";
    EXPECT_EQ(readEntry(patched(dir + 4, {0xFF, 0xFF, 0xFF, 0x7F}), e).id, qv::msg::BadFile) << "picture offset";
    EXPECT_EQ(readEntry(patched(dir + 12, {7}), e).id, qv::msg::BadFile) << "unknown picture kind";
    EXPECT_EQ(readEntry(patched(dir + 13, {0xFF, 0xFF, 0, 0}), e).id, qv::msg::BadFile) << "cache offset";

    // A puzzle for a newer program: 1000, marked too new, one size.
    auto tooNew = patched(2, {202, 0});
    EXPECT_EQ(readEntry(tooNew, e).id, qv::msg::TooNew);
    EXPECT_TRUE(e.tooNew);
    EXPECT_EQ(e.sizeCount, 1);
    EXPECT_EQ(e.title, "Castle");
    EXPECT_TRUE(readEntry(patched(2, {201, 0}), e).ok());
}

TEST(PuzzleFile, OpeningByNameAndExtension)
{
    testfix::TempDir dir;
    qv::Puz p;
    EXPECT_EQ(p.Open(dir / "castle.txt", 0, 0).id, qv::msg::BadFile);
    fw::Status missing = p.Open(dir / "gone.puz", 0, 0);
    EXPECT_EQ(missing.id, qv::msg::CannotOpen);
    EXPECT_EQ(missing.text, "gone.puz");
    EXPECT_EQ(p.Open(dir / "gone.SAV", 0, 0).id, qv::msg::CannotOpen);

    ASSERT_TRUE(qv::writePuzzleFile(dir / "castle.PUZ", testfix::sampleContent()).ok());
    qv::CutRandom rng;
    p.setGenerator(&rng);
    ASSERT_TRUE(p.Open(dir / "castle.PUZ", 1, 0).ok());
    EXPECT_EQ(p.pieceCount(), 48);
    EXPECT_EQ(p.stockSizeCount, 2);
    EXPECT_EQ(p.state & (qv::Puz::Busy | qv::Puz::FromSaved), 0);
}
