#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "framework/PngWriter.h"
#include "jigsaw/document/EdgePainter.h"
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/Scatter.h"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace qv;

namespace {

// A picture where every pixel differs from its neighbours, so a misplaced
// pixel shows.
fw::Bitmap noisePicture(int w, int h)
{
    fw::Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.setPixel(x, y, static_cast<uint32_t>((x * 7919 + y * 104729 + x * y) & 0xFFFFFF) | 0x010101);
    return bmp;
}

// A document cut from a picture of w x h into rows x cols with a seed.
void cut(Puz& puz, int w, int h, int rows, int cols, uint32_t seed, uint16_t extraOptions = 0)
{
    puz.Reset();
    puz.picture = noisePicture(w, h);
    puz.pictureRect = {0, 0, static_cast<int16_t>(w), static_cast<int16_t>(h)};
    puz.rows[0] = static_cast<int16_t>(rows);
    puz.columns[0] = static_cast<int16_t>(cols);
    puz.stockSizeCount = 1;
    puz.sizeIndex = 0;
    puz.options |= extraOptions;
    puz.cuttingSeed = puz.generator().seed(seed);
    ASSERT_TRUE(puz.MakePiezas().ok());
}

// Every piece laid at its place in the picture: which pieces cover each pixel.
std::vector<int> coverage(const Puz& puz, int w, int h, std::vector<uint32_t>* image = nullptr)
{
    std::vector<int> count(static_cast<size_t>(w) * h, 0);
    if (image)
        image->assign(count.size(), 0);
    for (const SPuz& p : puz.pieces) {
        EXPECT_EQ(p.rotation, 0);
        const int ox = p.cellOrigin.x - (p.cell.x - p.bounding.x), oy = p.cellOrigin.y - (p.cell.y - p.bounding.y);
        for (int v = 0; v < p.bounding.h; ++v)
            for (int u = 0; u < p.bounding.w; ++u) {
                if (puz.maskSheet.pixel(p.bounding.x + u, p.bounding.y + v) != kMaskPiece)
                    continue;
                const int x = ox + u, y = oy + v;
                if (x < 0 || y < 0 || x >= w || y >= h) {
                    ADD_FAILURE() << "piece " << p.index << " covers " << x << "," << y << " outside the picture";
                    continue;
                }
                ++count[y * w + x];
                if (image)
                    (*image)[y * w + x] = puz.pieceSheet.pixel(p.bounding.x + u, p.bounding.y + v);
            }
    }
    return count;
}

void dumpPng(const Puz& puz, const char* name)
{
    const char* dir = std::getenv("QV_TEST_PNG_DIR");
    if (!dir)
        return;
    fw::writePng(std::filesystem::path(dir) / (std::string(name) + "-pieces.png"), puz.pieceSheet);
    fw::writePng(std::filesystem::path(dir) / (std::string(name) + "-masks.png"), puz.maskSheet);
}

}  // namespace

TEST(PieceSheet, TabsAndHolesCoverEveryPixelOnceAcrossManyCuts)
{
    struct Case {
        int w, h, rows, cols;
        uint32_t seed;
    };
    const Case cases[] = {{400, 300, 6, 8, 1}, {333, 517, 9, 5, 77}, {640, 480, 15, 20, 123456},
                          {150, 120, 2, 2, 9}, {800, 200, 3, 25, 4242}, {257, 263, 13, 13, 31337}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " " << c.rows << "x" << c.cols << " seed " << c.seed);
        Puz puz;
        cut(puz, c.w, c.h, c.rows, c.cols, c.seed, Puz::NoRotable);
        ASSERT_FALSE(puz.knobs.empty());
        ASSERT_TRUE(renderSheets(puz, {EdgeStyle::None}).ok());
        std::vector<uint32_t> image;
        const auto count = coverage(puz, c.w, c.h, &image);
        const int cw = puz.pieces.back().cellOrigin.x + puz.pieces.back().cell.w;
        const int ch = puz.pieces.back().cellOrigin.y + puz.pieces.back().cell.h;
        int gaps = 0, overlaps = 0, wrong = 0;
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x) {
                gaps += count[y * c.w + x] == 0;
                overlaps += count[y * c.w + x] > 1;
                wrong += count[y * c.w + x] == 1 && image[y * c.w + x] != puz.picture.pixel(x, y);
            }
        EXPECT_EQ(gaps, 0);
        EXPECT_EQ(overlaps, 0);
        EXPECT_EQ(wrong, 0);  // and every piece pixel is the picture's pixel
    }
}

TEST(PieceSheet, TurningFourTimesGivesBackMaskAndImage)
{
    for (EdgeStyle style : {EdgeStyle::Blend, EdgeStyle::Grey}) {
        Puz puz;
        cut(puz, 360, 240, 4, 6, 2024);
        ASSERT_TRUE(renderSheets(puz, {style}).ok());
        const fw::Bitmap mask = puz.maskSheet, image = puz.pieceSheet;
        const auto pieces = puz.pieces;
        const auto knobs = puz.knobs;
        for (SPuz& p : puz.pieces)
            for (int i = 0; i < 4; ++i)
                ASSERT_TRUE(TurnPiece(puz, p, 1).ok());
        EXPECT_TRUE(puz.maskSheet.bits() != nullptr);
        EXPECT_TRUE(std::equal(mask.bits(), mask.bits() + mask.width() * mask.height(), puz.maskSheet.bits()));
        EXPECT_TRUE(std::equal(image.bits(), image.bits() + image.width() * image.height(), puz.pieceSheet.bits()));
        for (size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(puz.pieces[i].bounding, pieces[i].bounding);
            EXPECT_EQ(puz.pieces[i].cell, pieces[i].cell);
            EXPECT_EQ(puz.pieces[i].rotation, pieces[i].rotation);
        }
        EXPECT_EQ(puz.knobs, knobs);
    }
}

TEST(PieceSheet, TurnedMaskEqualsTheMaskDrawnAtThatRotation)
{
    // Rendering at a rotation and turning an unturned piece must agree, and
    // the piece must stay inside its slot.
    Puz puz;
    cut(puz, 480, 360, 5, 7, 99);
    ASSERT_TRUE(renderSheets(puz, {EdgeStyle::None}).ok());
    const SlotLayout l = layoutSlots(puz);
    for (SPuz& p : puz.pieces) {
        const int r = p.index / 7, c = p.index % 7;
        for (int k = 0; k < 4; ++k) {
            ASSERT_TRUE(TurnPiece(puz, p, 1, EdgeStyle::None).ok());
            EXPECT_EQ(p.bounding.x, l.columnX[c]);
            EXPECT_EQ(p.bounding.y, l.rowY[r]);
            EXPECT_LE(p.bounding.w, l.columnWidth[c]);
            EXPECT_LE(p.bounding.h, l.rowHeight[r]);
            fw::Bitmap fresh(puz.maskSheet.width(), puz.maskSheet.height(), kMaskBackground);
            DrawMask(puz, p, &fresh);
            for (int v = 0; v < p.bounding.h; ++v)
                for (int u = 0; u < p.bounding.w; ++u)
                    ASSERT_EQ(fresh.pixel(p.bounding.x + u, p.bounding.y + v),
                              puz.maskSheet.pixel(p.bounding.x + u, p.bounding.y + v));
        }
    }
}

TEST(PieceSheet, NoDeformMasksArePlainRectanglesInCellSizedOrSquareSlots)
{
    for (uint16_t rotable : {uint16_t(0), uint16_t(Puz::NoRotable)}) {
        Puz puz;
        cut(puz, 300, 200, 4, 5, 5, Puz::NoDeform | rotable);
        EXPECT_TRUE(puz.knobs.empty());
        ASSERT_TRUE(renderSheets(puz, {EdgeStyle::None}).ok());
        const SlotLayout l = layoutSlots(puz);
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(l.columnWidth[c], rotable ? 60 : 60);
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(l.rowHeight[r], rotable ? 50 : 60);  // rotatable pieces get square slots
        for (const SPuz& p : puz.pieces) {
            EXPECT_EQ(p.bounding.w, p.cell.w);
            long black = 0;
            for (int v = 0; v < p.bounding.h; ++v)
                for (int u = 0; u < p.bounding.w; ++u)
                    black += puz.maskSheet.pixel(p.bounding.x + u, p.bounding.y + v) == kMaskPiece;
            EXPECT_EQ(black, long(p.cell.w) * p.cell.h);
        }
    }
}

TEST(PieceSheet, KnobScannerDrawsThinKnobsAndTransposesExactly)
{
    struct Case {
        int w, h;
    };
    for (Case c : {Case{1, 1}, Case{1, 7}, Case{7, 1}, Case{3, 3}, Case{11, 17}, Case{23, 9}, Case{31, 31}}) {
        fw::Bitmap even(40, 40, 0), odd(40, 40, 0);
        DrawKnob(even, 1, {5, 6, static_cast<int16_t>(c.w), static_cast<int16_t>(c.h)}, 0, {});
        DrawKnob(odd, 1, {6, 5, static_cast<int16_t>(c.h), static_cast<int16_t>(c.w)}, 1, {});
        long filled = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                filled += even.pixel(x, y);
                ASSERT_EQ(even.pixel(x, y), odd.pixel(y, x)) << c.w << "x" << c.h << " at " << x << "," << y;
                // Inside the rectangle; a knob one pixel high is widened to
                // two pixels more than its own height, like every first column.
                if (even.pixel(x, y) && c.h > 1) {
                    ASSERT_TRUE(x >= 5 && x < 5 + c.w && y >= 6 && y < 6 + c.h) << c.w << "x" << c.h;
                }
            }
        EXPECT_GT(filled, 0) << c.w << "x" << c.h;
        // Every column of the rectangle has pixels: the outline has no gaps.
        for (int x = 5; x < 5 + c.w; ++x) {
            bool any = false;
            for (int y = 0; y < 40; ++y)
                any |= even.pixel(x, y) != 0;
            EXPECT_TRUE(any) << c.w << "x" << c.h << " column " << x;
        }
    }
    // Clipping ranges are inclusive.
    fw::Bitmap clipped(20, 20, 0);
    KnobClip clip;
    clip.xMin = 7;
    DrawKnob(clipped, 1, {2, 2, 11, 11}, 0, clip);
    EXPECT_EQ(clipped.pixel(6, 7), 0u);
    EXPECT_EQ(clipped.pixel(7, 7), 1u);
}

TEST(PieceSheet, HitTestFollowsTheMaskAndTheOrder)
{
    Puz puz;
    cut(puz, 400, 300, 3, 4, 17, Puz::NoRotable);
    ASSERT_TRUE(renderSheets(puz, {EdgeStyle::None}).ok());
    // Lay every piece at its place in the picture.
    for (SPuz& p : puz.pieces)
        p.placeAt(p.cellOrigin.x, p.cellOrigin.y);
    int checked = 0;
    for (const SPuz& p : puz.pieces)
        for (int s = 0; s < 4; ++s) {
            if (p.knobDir[s] >= 0 || p.knob[s] < 0)
                continue;
            // The centre of a hole belongs to the neighbour whose tab fills it,
            // though it lies inside this piece's table rectangle.
            const Rect16 k = puz.knobs[p.knob[s]];
            const int kx = p.table.x + (k.x + k.w / 2 - p.bounding.x), ky = p.table.y + (k.y + k.h / 2 - p.bounding.y);
            EXPECT_EQ(PieceAt(puz, SPuz::OnTable, kx, ky), p.neighbour[s]);
            ++checked;
        }
    EXPECT_GT(checked, 5);
    const SPuz& first = puz.pieces[5];
    const int cx = first.tableCell.x + first.cell.w / 2, cy = first.tableCell.y + first.cell.h / 2;
    EXPECT_EQ(PieceAt(puz, SPuz::OnTable, cx, cy), 5);
    puz.pieces[5].box = 0;  // in a box: not on the table any more
    EXPECT_EQ(PieceAt(puz, SPuz::OnTable, cx, cy), -1);
    EXPECT_EQ(PieceAt(puz, 0, cx, cy), 5);
}

TEST(PieceSheet, DrawPieceReplacesOnlyPiecePixels)
{
    Puz puz;
    cut(puz, 200, 150, 2, 2, 3, Puz::NoRotable);
    ASSERT_TRUE(renderSheets(puz, {EdgeStyle::None}).ok());
    fw::Bitmap table(300, 300, 0x336699);
    for (SPuz& p : puz.pieces)
        p.placeAt(p.cellOrigin.x + 20, p.cellOrigin.y + 20);
    for (const SPuz& p : puz.pieces)
        DrawPiece(puz, p, table);
    // The laid puzzle shows the picture; outside it the table is untouched.
    for (int y = 0; y < 150; y += 3)
        for (int x = 0; x < 200; x += 3)
            ASSERT_EQ(table.pixel(x + 20, y + 20), puz.picture.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(table.pixel(5, 5), 0x336699u);
    EXPECT_EQ(table.pixel(250, 250), 0x336699u);
}

TEST(PieceSheet, EdgesAreLitTowardTheLightAndShadedAway)
{
    EXPECT_EQ(edgeLevel(-1, -1), 255);
    EXPECT_EQ(edgeLevel(1, 1), 64);
    EXPECT_NEAR(edgeLevel(1, -1), 160, 1);
    Puz puz;
    cut(puz, 300, 300, 3, 3, 8, Puz::NoRotable | Puz::NoDeform);
    puz.picture = fw::Bitmap(300, 300, 0x808080);
    ASSERT_TRUE(renderSheets(puz, {EdgeStyle::Blend}).ok());
    dumpPng(puz, "edges");
    const SPuz& p = puz.pieces[4];
    const uint32_t top = puz.pieceSheet.pixel(p.cell.x + p.cell.w / 2, p.cell.y);
    const uint32_t bottom = puz.pieceSheet.pixel(p.cell.x + p.cell.w / 2, p.cell.bottom());
    const uint32_t middle = puz.pieceSheet.pixel(p.cell.x + p.cell.w / 2, p.cell.y + p.cell.h / 2);
    EXPECT_GT(top & 0xFF, 0x80u);
    EXPECT_LT(bottom & 0xFF, 0x80u);
    EXPECT_EQ(middle, 0x808080u);
}

TEST(PieceSheet, LowMemoryDropsThePictureAndTurnsStillWork)
{
    Puz puz;
    cut(puz, 240, 180, 3, 4, 11);
    SheetOptions options;
    options.lowMemory = true;
    options.edges = EdgeStyle::Grey;
    ASSERT_TRUE(renderSheets(puz, options).ok());
    EXPECT_TRUE(puz.picture.isNull());
    const fw::Bitmap image = puz.pieceSheet;
    for (SPuz& p : puz.pieces)
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(TurnPiece(puz, p, 1).ok());
    EXPECT_TRUE(std::equal(image.bits(), image.bits() + image.width() * image.height(), puz.pieceSheet.bits()));
}

// The edges a document's sheets were shaded with belong to that document:
// a new one in the same place (made anew at the old one's address, or the
// old one reset) turns its pieces with the edges it was rendered with, not
// with those of the document before it.
TEST(PieceSheet, ANewDocumentInTheOldOnesPlaceTurnsWithItsOwnEdges)
{
    enum class Renewal { Remade, Reset };
    for (Renewal renewal : {Renewal::Remade, Renewal::Reset}) {
        SCOPED_TRACE(renewal == Renewal::Remade ? "remade at the same address" : "reset");
        std::optional<Puz> doc;
        doc.emplace();
        const Puz* before = &*doc;
        cut(*doc, 240, 180, 3, 4, 5);
        ASSERT_TRUE(renderSheets(*doc, {EdgeStyle::None}).ok());
        if (renewal == Renewal::Remade) {
            doc.reset();
            doc.emplace();
            ASSERT_EQ(&*doc, before);
        }
        cut(*doc, 240, 180, 3, 4, 5);
        // Sheets made piece by piece, blended, without renderSheets.
        const SlotLayout l = layoutSlots(*doc);
        doc->maskSheet = fw::Bitmap(l.width, l.height, kMaskBackground);
        doc->pieceSheet = fw::Bitmap(l.width, l.height, 0);
        for (SPuz& p : doc->pieces)
            RenderPiece(*doc, p, l.columnX[p.index % 4], l.rowY[p.index / 4], EdgeStyle::Blend);
        const fw::Bitmap image = doc->pieceSheet;
        for (SPuz& p : doc->pieces)
            for (int i = 0; i < 4; ++i)
                ASSERT_TRUE(TurnPiece(*doc, p, 1, EdgeStyle::Blend).ok());
        EXPECT_TRUE(std::equal(image.bits(), image.bits() + image.width() * image.height(), doc->pieceSheet.bits()));
    }
}

namespace {

uint64_t fnv(uint64_t h, const void* data, size_t n)
{
    const auto* b = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < n; ++i)
        h = (h ^ b[i]) * 0x100000001B3ull;
    return h;
}

}  // namespace

// Frozen sheets and scatter: a reopened game must show the same pieces in the
// same places, so faster rendering or scattering may not move a single byte.
TEST(PieceSheet, SheetsAndScatterStayByteForByte)
{
    struct Case {
        int w, h, rows, cols;
        uint32_t seed;
        uint16_t options;
        EdgeStyle edges;
        uint64_t sheets, places;
    };
    const Case cases[] = {
        {600, 450, 15, 20, 4711, 0, EdgeStyle::Blend, 0x4b478ca0378b6d4a, 0xc5c8544dc1b3159e},
        {600, 450, 15, 20, 4711, 0, EdgeStyle::Grey, 0x8265ca5119b47312, 0xc5c8544dc1b3159e},
        {333, 517, 9, 5, 77, Puz::NoRotable, EdgeStyle::Blend, 0x4b0969a3894f3f6d, 0xd9b392e896c51cf1},
        {250, 250, 5, 5, 9, Puz::NoDeform, EdgeStyle::Blend, 0x6bf79b0eeda87bc8, 0x2fd2e6e1598c6695},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " seed " << c.seed);
        Puz puz;
        cut(puz, c.w, c.h, c.rows, c.cols, c.seed, c.options);
        ASSERT_TRUE(renderSheets(puz, {c.edges}).ok());
        const size_t bytes = size_t(puz.pieceSheet.width()) * puz.pieceSheet.height() * 4;
        const uint64_t sheets = fnv(fnv(0xCBF29CE484222325ull, puz.pieceSheet.bits(), bytes), puz.maskSheet.bits(), bytes);
        // The band search on a roomy table, then restarts on one too small.
        puz.generator().seed(c.seed + 1);
        ScatterArea roomy{1600, 900, SPuz::OnTable, {{500, 200, int16_t(c.w), int16_t(c.h)}}};
        Scatter(puz, roomy, {}, false);
        ScatterArea tight{c.w + 40, c.h + 40, SPuz::OnTable, {{20, 20, int16_t(c.w), int16_t(c.h)}}};
        scatterNewGame(puz, tight);
        uint64_t places = 0xCBF29CE484222325ull;
        for (const SPuz& p : puz.pieces)
            places = fnv(places, &p.table, sizeof p.table);
        EXPECT_EQ(sheets, c.sheets) << std::hex << "0x" << sheets;
        EXPECT_EQ(places, c.places) << std::hex << "0x" << places;
    }
}
