// The table, its boxes and the loupe paint the background the game chose,
// and a saved game brings the same table back.
#include <QImage>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

#include "PlayTable.h"
#include "jigsaw/play/windows/Loupe.h"
#include "jigsaw/play/windows/WBox.h"

using namespace playtest;
using fw::Background;

namespace {

uint32_t pixelOf(const QImage& image, QPoint p) { return image.pixel(p) & 0xFFFFFF; }

QImage shot(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

uint32_t grey(int v) { return static_cast<uint32_t>(v) * 0x010101u; }

// The sample texture tinted between two colours at a surface point.
uint32_t tinted(int x, int y, uint32_t first, uint32_t second)
{
    static const fw::Bitmap t = sampleTexture();
    return Background::tint(t.pixel(((x % 7) + 7) % 7, ((y % 5) + 5) % 5), first, second);
}

bool near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

}  // namespace

TEST(TableGround, TheWindowShowsThePlainBlendOrTexturedTable)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    const qv::Rect16 pa = w.pictureArea();
    const QPoint spots[] = {{pa.x + pa.w / 2, pa.y - 30}, {pa.x + pa.w + 40, pa.y + pa.h / 2}, {pa.x + 10, pa.y + pa.h + 40}};
    constexpr uint32_t First = 0x0000C8, Second = 0x00C800;
    const int h = PlayTable::H;

    struct Case {
        const char* name;
        std::function<void()> choose;
        std::function<uint32_t(QPoint)> expected;
    } cases[] = {
        {"plain, from the document", [&] { t.puz.background = "255"; },
         [](QPoint) { return 0xFF0000u; }},
        {"blend, from the document", [&] { t.puz.background = "0,16777215"; },
         [&](QPoint p) { return grey(p.y() * 255 / (h - 1)); }},
        {"texture, from the background window",
         [&] {
             Background& b = w.tableBackground();
             b.Set(First, Second, 0);
             b.setTexture(sampleTexture(), qv::WPuz::texturesFolder() / "felt.jpg");
             w.backgroundChosen();
         },
         [&](QPoint p) { return tinted(p.x(), p.y(), First, Second); }},
    };
    for (const Case& c : cases) {
        c.choose();
        w.update();
        const QImage image = shot(w);
        for (QPoint p : spots)
            EXPECT_EQ(pixelOf(image, p), c.expected(p)) << c.name << " at " << p.x() << "," << p.y();
    }
    EXPECT_EQ(t.puz.background, "200,51200") << "the window's choice is the game's";
    EXPECT_EQ(t.puz.backgroundTexture, "felt.jpg");
}

TEST(TableGround, AScrolledTableCarriesItsTextureAndKeepsItsBlend)
{
    for (bool textured : {true, false}) {
        PlayTable t;
        qv::WPuz& w = *t.window;
        Background& b = w.tableBackground();
        b.Set(0x203040, 0xE0D0C0, 1);  // no outline: it moves with the table
        if (textured)
            b.setTexture(sampleTexture(), qv::WPuz::texturesFolder() / "felt.jpg");
        w.backgroundChosen();
        const fw::Bitmap before = t.ground(w);
        const QPoint d(13, 9);
        w.setOrigin(d);
        const fw::Bitmap after = t.ground(w);
        for (int y = 0; y + d.y() < PlayTable::H; y += 7)
            for (int x = 0; x + d.x() < PlayTable::W; x += 5) {
                const uint32_t expected = textured ? before.pixel(x + d.x(), y + d.y()) : before.pixel(x, y);
                ASSERT_EQ(after.pixel(x, y), expected) << x << "," << y << " textured " << textured;
            }
    }
}

TEST(TableGround, TheLoupeMagnifiesTheSameTable)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    const qv::Rect16 pa = w.pictureArea();
    const QPoint at(pa.x + pa.w + 120, pa.y + pa.h / 2);
    w.ShowLoupeAfter(qv::loupe::Deactivated, false);  // offscreen windows may never be activated
    for (const char* choice : {"16711680", "0,16777215"}) {
        t.puz.background = choice;
        QTest::mouseMove(&w, at);
        w.OpenLoupe();
        ASSERT_TRUE(w.loupe());
        ASSERT_TRUE(w.loupe()->shown());
        // What the player sees at the pointer: the lens's centre.
        const uint32_t seen = pixelOf(shot(w), at);
        const uint32_t table = t.ground(w).pixel(at.x(), at.y());
        EXPECT_TRUE(near(seen, table, 1)) << choice << ": lens " << std::hex << seen << " table " << table;
        w.CloseLoupe();
    }
}

TEST(TableGround, BoxesWearTheirColourOnTheTablesMaterial)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    w.addBox();
    qv::WBox& box = *w.box(0);
    box.setClosed(false);
    const uint32_t boxColour = t.puz.boxes[0].colour;
    constexpr uint32_t Second = 0x102030, Other = 0x0080FF;

    t.puz.background = "16777215," + std::to_string(Second);
    fw::Bitmap g = t.ground(box);
    EXPECT_EQ(g.pixel(3, 0), fw::pixelFromColorRef(boxColour)) << "the blend starts at the box's colour";
    EXPECT_EQ(g.pixel(3, g.height() - 1), fw::pixelFromColorRef(Second)) << "and ends at the table's second";

    t.puz.boxes[0].colour = Other;
    g = t.ground(box);
    EXPECT_EQ(g.pixel(3, 0), fw::pixelFromColorRef(Other)) << "a new box colour shows";

    t.puz.background = "16777215";
    g = t.ground(box);
    EXPECT_EQ(g.pixel(5, g.height() / 2), fw::pixelFromColorRef(Other)) << "a plain table: a plain box";

    Background& b = w.tableBackground();
    b.Set(0xFFFFFF, Second, 0);
    b.setTexture(sampleTexture(), qv::WPuz::texturesFolder() / "felt.jpg");
    w.backgroundChosen();
    g = t.ground(box);
    const QPoint o = box.origin();
    for (QPoint p : {QPoint(0, 0), QPoint(11, 6), QPoint(g.width() - 1, g.height() - 1)})
        EXPECT_EQ(g.pixel(p.x(), p.y()), tinted(p.x() + o.x(), p.y() + o.y(), Other, Second)) << p.x() << "," << p.y();
}

TEST(TableGround, ThePictureAreaIsOutlinedUnlessSwitchedOff)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    const qv::Rect16 pa = w.pictureArea();
    const QPoint left(pa.x - 1, pa.y + pa.h / 2), top(pa.x + pa.w / 2, pa.y - 1);
    struct Case {
        uint8_t frameOff;
        bool optionFlag;
        uint32_t expected;
    } cases[] = {{0, true, 0xA0A0A0}, {1, true, 0xFFFFFF}, {0, false, 0xFFFFFF}};
    for (const Case& c : cases) {
        t.puz.background = "16777215";
        t.puz.backgroundFrameOff = c.frameOff;
        t.puz.options = c.optionFlag ? (t.puz.options | qv::Puz::BackgroundReset)
                                     : (t.puz.options & ~qv::Puz::BackgroundReset);
        const fw::Bitmap g = t.ground(w);
        EXPECT_EQ(g.pixel(left.x(), left.y()), c.expected) << int(c.frameOff) << " " << c.optionFlag;
        EXPECT_EQ(g.pixel(top.x(), top.y()), c.expected) << int(c.frameOff) << " " << c.optionFlag;
        EXPECT_EQ(g.pixel(pa.x + 5, pa.y + 5), 0xFFFFFFu) << "inside stays the table";
    }
}

TEST(TableGround, ReopeningASavedGameShowsTheSameTable)
{
    struct Case {
        const char* name;
        std::function<std::filesystem::path(const PlayTable&)> file;
        bool readable;
    } cases[] = {
        {"one of ours", [](const PlayTable&) { return qv::WPuz::texturesFolder() / "felt.jpg"; }, true},
        {"a picture of the player's", [](const PlayTable& t) { return t.dir / "my-own%pic.jpg"; }, true},
        {"a texture since removed", [](const PlayTable&) { return qv::WPuz::texturesFolder() / "gone.jpg"; }, false},
    };
    for (const Case& c : cases) {
        PlayTable t;
        Background& b = t.window->tableBackground();
        b.Set(0x3070B0, 0x102040, 1);
        b.setTexture(sampleTexture(), c.file(t));
        t.window->backgroundChosen();
        const std::string stored = t.puz.backgroundTexture;
        t.puz.savedPath = t.dir / "game.sav";
        ASSERT_TRUE(t.puz.Save().ok()) << c.name;

        PlayTable again(t.dir / "game.sav");
        Background& back = again.window->tableBackground();
        EXPECT_EQ(back.Text(), std::to_string(0x3070B0) + "," + std::to_string(0x102040)) << c.name;
        EXPECT_EQ(back.frameOff(), 1) << c.name;
        EXPECT_EQ(again.puz.backgroundTexture, stored) << c.name << ": kept for the next save even when unreadable";
        EXPECT_EQ(back.hasTexture(), c.readable) << c.name;
        const fw::Bitmap before = t.ground(*t.window), after = again.ground(*again.window);
        const bool same = std::equal(before.bits(), before.bits() + before.width() * before.height(), after.bits());
        EXPECT_EQ(same, c.readable) << c.name << ": the same table, or the colours alone";
        if (!c.readable) {
            EXPECT_EQ(after.pixel(300, 0), fw::pixelFromColorRef(0x3070B0)) << "the blend of the two colours";
        }
    }
}

TEST(TableGround, APausedCompetitionGameShowsOnlyTheGround)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    t.puz.gameOptions = *t.puz.gameOptions | fw::gameopt::Competition;
    // Pixels of the top-left corner, where the pieces lie piled, unlike the bare ground.
    auto piecesShown = [&] {
        w.repaint();
        const QImage image = shot(w);
        const fw::Bitmap g = t.ground(w);
        int differ = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                differ += pixelOf(image, {x, y}) != (g.pixel(x, y) & 0xFFFFFF);
        return differ;
    };
    ASSERT_GT(piecesShown(), 1000);
    w.HideLoupeFor(qv::loupe::Pause, true);
    EXPECT_EQ(piecesShown(), 0) << "paused: no piece in sight";
    w.ShowLoupeAfter(qv::loupe::Pause, true);
    EXPECT_GT(piecesShown(), 1000) << "playing again";

    t.puz.gameOptions = *t.puz.gameOptions & ~fw::gameopt::Competition;
    w.HideLoupeFor(qv::loupe::Pause, true);
    EXPECT_GT(piecesShown(), 1000) << "a game without competition stays in sight";
    w.ShowLoupeAfter(qv::loupe::Pause, true);
}
