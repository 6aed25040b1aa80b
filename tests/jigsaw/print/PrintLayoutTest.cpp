#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "PrintFixture.h"
#include "jigsaw/print/PageRenderer.h"
#include "jigsaw/print/PrintLayout.h"

using namespace qv;

namespace {

PageMetrics page(int w, int h, double scale = 1.0)
{
    PageMetrics m;
    m.width = w;
    m.height = h;
    m.deviceScaleX = m.deviceScaleY = scale;
    return m;
}

// Pixels of the page that are not paper white.
int inkedPixels(const Puz& puz, const PrintOptions& o, const PrintPlan& plan)
{
    PageRenderer renderer(puz, o, plan, nullptr);
    fw::Bitmap band(plan.pageWidth, plan.pageHeight);
    EXPECT_TRUE(renderer.RenderBand(0, band, 0));
    int n = 0;
    for (int y = 0; y < band.height(); ++y)
        for (int x = 0; x < band.width(); ++x)
            n += band.pixel(x, y) != 0xFFFFFF;
    return n;
}

}  // namespace

TEST(PrintOptions, DefaultsFollowTheFinishedStateAndTheZoomFieldIsForgiving)
{
    Puz puz;
    PrintOptions o = PrintOptions::defaultsFor(puz);
    EXPECT_EQ(o.layout, LayoutSpread);
    EXPECT_FALSE(o.fitToPage || o.outerFrame || o.innerFrame || o.caption);
    EXPECT_TRUE(o.outlines && o.shading && o.footer);
    EXPECT_EQ(o.zoom, 100);
    puz.state |= Puz::Complete;
    o = PrintOptions::defaultsFor(puz);
    EXPECT_EQ(o.layout, LayoutAssembled);
    EXPECT_TRUE(o.fitToPage && o.outerFrame && o.innerFrame && o.caption);

    const std::pair<const char*, int> zooms[] = {{"400", 400}, {" 25 ", 25}, {"0", 100}, {"", 100},
                                                 {"abc", 100}, {"12x", 100}, {"-50", 100}, {"1000", 1000}};
    for (const auto& [text, zoom] : zooms)
        EXPECT_EQ(PrintOptions::parseZoom(text), zoom) << text;
}

TEST(PrintLayout, Zoom400PrintsPiecesAtTwiceTheLinearSizeAnd25AtHalf)
{
    Puz puz;
    testfix::makePuzzle(puz, testfix::noisePicture(240, 180), 2, 2, 7);
    PrintOptions o;
    o.layout = LayoutSpread;
    o.outlines = false;
    o.footer = false;
    const PageMetrics m = page(3000, 3000, 1.5);
    o.zoom = 100;
    const PrintPlan base = PlanPrint(puz, o, m);
    const int baseInk = inkedPixels(puz, o, base);
    ASSERT_GT(baseInk, 1000);
    PageRenderer r100(puz, o, base, nullptr);
    int x0, y0, x1, y1;
    r100.pieceRect(base.pages[0][0], x0, y0, x1, y1);
    const int baseWidth = x1 - x0;
    for (auto [zoom, linear] : {std::pair{400, 2.0}, std::pair{25, 0.5}}) {
        SCOPED_TRACE(zoom);
        o.zoom = zoom;
        const PrintPlan plan = PlanPrint(puz, o, m);
        EXPECT_DOUBLE_EQ(plan.scaleX, 1.5 * linear);
        ASSERT_EQ(plan.pageCount(), 1);
        PageRenderer r(puz, o, plan, nullptr);
        r.pieceRect(plan.pages[0][0], x0, y0, x1, y1);
        EXPECT_NEAR(x1 - x0, baseWidth * linear, 1.0);
        // The area of ink grows with the square of the linear size.
        EXPECT_NEAR(inkedPixels(puz, o, plan) / double(baseInk), linear * linear, 0.03 * linear * linear);
    }
}

TEST(PrintLayout, FitToPageTakesTheRatioOfTheTighterSide)
{
    Puz puz;
    testfix::makePuzzle(puz, testfix::noisePicture(400, 100), 2, 4, 3);  // four times as wide as high
    PrintOptions o = PrintOptions::defaultsFor(puz);
    o.layout = LayoutAssembled;
    o.fitToPage = true;
    o.outerFrame = o.innerFrame = true;
    o.caption = false;
    const int w = 400 + 6 + 24, h = 100 + 6 + 24;  // picture, inner frame and two outer frames
    struct Case {
        int pageW, pageH;
        double expected;
    };
    const Case cases[] = {
        {1000, 700, 1000.0 / (w * 2)},  // landscape page, picture wider than its proportion: the width ratio
        {3000, 400, 400.0 / (h * 2)},   // a very long page: the height ratio
    };
    for (const Case& c : cases) {
        PageMetrics m = page(c.pageW, c.pageH, 2.0);
        const PrintPlan plan = PlanPrint(puz, o, m);
        EXPECT_NEAR(std::sqrt(plan.zoom / 100.0), c.expected, 1e-9);
        EXPECT_NEAR(plan.scaleX, 2.0 * c.expected, 1e-9);
        EXPECT_LE(plan.mapX(w), c.pageW);
        EXPECT_LE(plan.mapY(h), c.pageH);
    }
    // Without fitting the zoom stays as given.
    o.fitToPage = false;
    o.zoom = 50;
    EXPECT_DOUBLE_EQ(PlanPrint(puz, o, page(1000, 700)).zoom, 50.0);
}

TEST(PrintLayout, ThreeHundredPiecesOnSmallPaperSpreadOverSeveralPages)
{
    Puz puz;
    testfix::makePuzzle(puz, testfix::noisePicture(600, 450), 15, 20, 11);
    ASSERT_EQ(puz.pieceCount(), 300);
    PrintOptions o;
    o.layout = LayoutSpread;
    PageMetrics m = page(900, 1200, 1.0);
    m.footerHeight = 40;
    const PrintPlan plan = PlanPrint(puz, o, m);
    EXPECT_GT(plan.pageCount(), 1);
    std::set<int> seen;
    size_t perPage = plan.pages[0].size();
    for (int p = 0; p < plan.pageCount(); ++p) {
        const auto& pieces = plan.pages[static_cast<size_t>(p)];
        if (p + 1 < plan.pageCount()) {
            EXPECT_EQ(pieces.size(), perPage);
        }
        for (const PlacedPiece& pp : pieces) {
            EXPECT_TRUE(seen.insert(pp.piece).second);
            // Whole cells inside the page, above the footer.
            const int cellX = pp.x / plan.cellSide * plan.cellSide, cellY = pp.y / plan.cellSide * plan.cellSide;
            EXPECT_LE(plan.mapX(cellX + plan.cellSide), m.width);
            EXPECT_LE(plan.mapY(cellY + plan.cellSide), m.height - m.footerHeight);
        }
    }
    EXPECT_EQ(seen.size(), 300u);
    EXPECT_EQ(plan.pieceCount, 300);
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(plan.pages[0][0].piece, 0) << "grid order";
}

TEST(PrintLayout, TheTableLayoutLeavesOutPiecesInBoxes)
{
    Puz puz;
    testfix::makePuzzle(puz, testfix::noisePicture(300, 200), 2, 3, 5);
    puz.boxes.resize(1);
    for (SPuz& p : puz.pieces)
        p.placeAt(100 + p.index * 120, 50);
    puz.pieces[1].box = 0;
    puz.pieces[4].box = 0;
    PrintOptions o;
    o.layout = LayoutTable;
    o.outlines = false;
    const PrintPlan plan = PlanPrint(puz, o, page(2000, 800));
    ASSERT_EQ(plan.pageCount(), 1);
    std::set<int> printed;
    for (const PlacedPiece& pp : plan.pages[0])
        printed.insert(pp.piece);
    EXPECT_EQ(printed, (std::set<int>{0, 2, 3, 5}));
    // The leftmost table piece lies at the page's left edge.
    EXPECT_EQ(plan.mapX(puz.pieces[0].table.x), 0);
    // And on paper: the boxed piece's place stays white.
    PageRenderer r(puz, o, plan, nullptr);
    fw::Bitmap band(plan.pageWidth, plan.pageHeight);
    ASSERT_TRUE(r.RenderBand(0, band, 0));
    const SPuz& boxed = puz.pieces[1];
    const int cx = plan.mapX(boxed.table.x + boxed.table.w / 2), cy = plan.mapY(boxed.table.y + boxed.table.h / 2);
    EXPECT_EQ(band.pixel(cx, cy), 0xFFFFFFu);
    const SPuz& shown = puz.pieces[2];
    EXPECT_NE(band.pixel(plan.mapX(shown.table.x + shown.table.w / 2), plan.mapY(shown.table.y + shown.table.h / 2)),
              0xFFFFFFu);
}

TEST(PrintLayout, TheAssembledPictureLooksTheSameWhateverTheRotationsOnTheTable)
{
    Puz puz;
    testfix::makePuzzle(puz, testfix::noisePicture(330, 250), 3, 4, 21);
    PrintOptions o;
    o.layout = LayoutAssembled;
    o.shading = false;  // flat picture pixels, so shading's light direction plays no part
    const PrintPlan plan = PlanPrint(puz, o, page(700, 560, 2.0));
    PageRenderer before(puz, o, plan, nullptr);
    fw::Bitmap a(plan.pageWidth, plan.pageHeight);
    ASSERT_TRUE(before.RenderBand(0, a, 0));
    for (SPuz& p : puz.pieces)
        ASSERT_TRUE(TurnPiece(puz, p, p.index % 4).ok());
    const PrintPlan turned = PlanPrint(puz, o, page(700, 560, 2.0));
    PageRenderer after(puz, o, turned, nullptr);
    fw::Bitmap b(turned.pageWidth, turned.pageHeight);
    ASSERT_TRUE(after.RenderBand(0, b, 0));
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    EXPECT_EQ(differing, 0);
    // Every picture pixel is where it belongs: the page shows the picture.
    const int px = 100, py = 80;
    EXPECT_EQ(b.pixel(plan.mapX(plan.picture.x + px) + 1, plan.mapY(plan.picture.y + py) + 1),
              puz.picture.pixel(px, py));
}

TEST(PrintBands, StartCountDoublingAndTheLastBand)
{
    PrintPlan plan;
    plan.layout = LayoutSpread;
    plan.pageHeight = 3000;
    plan.largestPieceHeight = 50;
    plan.scaleY = 3.0;
    EXPECT_EQ(InitialBandCount(plan, false), 8);
    EXPECT_EQ(InitialBandCount(plan, true), 5);  // 3000 / (4 * 150)
    plan.layout = LayoutAssembled;
    EXPECT_EQ(InitialBandCount(plan, true), 10);  // 3000 / (2 * 150)
    plan.largestPieceHeight = 70;
    EXPECT_EQ(InitialBandCount(plan, true), 8);  // 3000 / 420 = 7.14, rounded up

    // Bands above 100 rows cannot be made: 8 -> 16 -> 32 bands of 94 rows.
    int asked = 0;
    BandPlan b = PlanBands(500, 3000, 8, [&](int w, int h) {
        ++asked;
        EXPECT_EQ(w, 500);
        return h <= 100;
    });
    EXPECT_EQ(b.count, 32);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(b.heightOf(0, 3000), 94);
    EXPECT_EQ(b.heightOf(31, 3000), 3000 - 31 * 94);
    // Nothing can be made: the doubling stops before bands fall below 32 rows.
    asked = 0;
    b = PlanBands(500, 3000, 8, [&](int, int h) {
        ++asked;
        EXPECT_GE(h, 32);
        return false;
    });
    EXPECT_EQ(b.count, 0);
    EXPECT_EQ(asked, 4);  // 8, 16, 32, 64 bands; 128 would be 23 rows
}

TEST(PrintCaption, LinesOfNamesDatesAndCounters)
{
    auto text = [](int id) {
        switch (id) {
        case 530: return std::string("Game name:");
        case 541: return std::string("played by");
        case 567: return std::string("(anonymous)");
        case 568: return std::string("(no name)");
        case 991: return std::string("Started: ");
        case 992: return std::string("Finished: ");
        case 508: return std::string("Time");
        case 504: return std::string("Moves");
        case 506: return std::string("Helps");
        default: return std::string("?");
        }
    };
    auto date = [](uint32_t d) { return std::to_string(d % 100) + "." + std::to_string(d / 100 % 100); };
    CaptionFacts f;
    f.elapsedMs = 3723456;  // 1:02:03.4
    f.moves = 120;
    f.helps = 3;
    EXPECT_EQ(CaptionText(f, text, date),
              "Game name: (no name) played by (anonymous)\r\nTime: 01:02:03.4   Moves: 120   Helps: 3");
    f.gameName = "Sunday";
    f.playerName = "Ana";
    f.dateStart = 20240305;
    f.dateEnd = 20240306;
    EXPECT_EQ(CaptionText(f, text, date), "Game name: Sunday played by Ana\r\nStarted: 5.3\r\nFinished: 6.3\r\n"
                                          "Time: 01:02:03.4   Moves: 120   Helps: 3");
    f.dateEnd = 0;
    EXPECT_EQ(CaptionText(f, text, date), "Game name: Sunday played by Ana\r\nStarted: 5.3\r\n"
                                          "Time: 01:02:03.4   Moves: 120   Helps: 3");
}
