#include <gtest/gtest.h>

#include "framework/Credits.h"

using namespace fw;

TEST(Credits, DirectivesAndItemsParse)
{
    auto doc = parseCredits(
        "\\fnt2:MS Sans Serif,15\\fnt1:Times New Roman,28,BOLD\\snd:fin.wav \\timerres:25\\bkclr:10,20,30"
        "\\unknown=ignored {RGB=255,0,128 fnt=1 Hello\nWorld}{@icon:7}{@icon2:8}{@bmp:200}");
    ASSERT_EQ(doc.fonts.size(), 2u);
    EXPECT_EQ(doc.fonts[0].face, "MS Sans Serif");
    EXPECT_EQ(doc.fonts[0].size, 15);
    EXPECT_FALSE(doc.fonts[0].bold);
    EXPECT_EQ(doc.fonts[1].face, "Times New Roman");
    EXPECT_TRUE(doc.fonts[1].bold);
    EXPECT_EQ(doc.sound, "fin.wav");
    EXPECT_EQ(doc.timerRes, 25);
    EXPECT_EQ(doc.background, 10u | 20u << 8 | 30u << 16);

    ASSERT_EQ(doc.items.size(), 4u);
    EXPECT_EQ(doc.items[0].text, "Hello\nWorld");
    EXPECT_EQ(doc.items[0].font, 0);  // fnt=1 is the first font defined, whatever its number
    EXPECT_EQ(doc.items[0].colour, 255u | 0u << 8 | 128u << 16);
    EXPECT_EQ(doc.items[1].kind, CreditsItem::Kind::Icon);
    EXPECT_EQ(doc.items[1].number, 7);
    EXPECT_EQ(doc.items[2].kind, CreditsItem::Kind::Icon2);
    EXPECT_EQ(doc.items[3].kind, CreditsItem::Kind::Picture);
    EXPECT_EQ(doc.items[3].number, 200);
}

TEST(Credits, EdgeCases)
{
    auto noFonts = parseCredits("{RGB=1,2,3 fnt=1 Lone}");
    ASSERT_EQ(noFonts.items.size(), 1u);
    EXPECT_EQ(noFonts.items[0].font, -1);
    EXPECT_EQ(noFonts.timerRes, 40);

    auto open = parseCredits("\\fnt1:Arial,10{RGB=0,0,0 fnt=1 runs to the end");
    ASSERT_EQ(open.items.size(), 1u);
    EXPECT_EQ(open.items[0].text, "runs to the end");

    EXPECT_TRUE(parseCredits("\\").items.empty());
    EXPECT_TRUE(parseCredits("\\fnt").fonts.empty());
    EXPECT_EQ(parseCredits("{").items.size(), 1u);
}

// The program's own credits write the font after a comma as often as after
// a blank ("{RGB=0,255,255,fnt=5 note}").
TEST(Credits, TheFontOfATextItemFollowsABlankOrAComma)
{
    const char* cases[] = {"{RGB=0,255,255 fnt=2 Note}", "{RGB=0,255,255,fnt=2 Note}", "{RGB=0,255,255, fnt=2 Note}",
                           "{RGB=0,255,255  fnt=2 Note}"};
    for (const char* item : cases) {
        auto doc = parseCredits(std::string("\\fnt1:Arial,10\\fnt2:Arial,8") + item);
        ASSERT_EQ(doc.items.size(), 1u) << item;
        EXPECT_EQ(doc.items[0].text, "Note") << item;
        EXPECT_EQ(doc.items[0].font, 1) << item;
        EXPECT_EQ(doc.items[0].colour, 0u | 255u << 8 | 255u << 16) << item;
    }
}

TEST(Credits, LayoutWidthAndScrollRounds)
{
    auto doc = parseCredits("\\fnt1:Arial,10{RGB=0,0,0 fnt=1 narrow}{@icon:1}{@bmp:5}");
    CreditsMeasure m;
    m.text = [](const CreditsItem&, const CreditsFont*, int& w, int& h) { w = 100; h = 20; };
    m.picture = [](int, int& w, int& h) { w = 400; h = 50; };
    EXPECT_EQ(layoutCredits(doc, m), 400 + 16 + 38);
    doc.items.pop_back();
    EXPECT_EQ(layoutCredits(doc, m), 360);  // narrow texts still give 360

    int total = creditsTotalHeight(doc);
    EXPECT_EQ(total, 20 + 4 + 32 + 4);
    CreditsScroll scroll(200, total);
    EXPECT_EQ(scroll.position(), 100);
    for (int i = 0; i < 500 && scroll.rounds() == 0; ++i)
        scroll.step(1);
    EXPECT_EQ(scroll.rounds(), 1);
    EXPECT_EQ(scroll.position(), 300);  // re-enters from below after half a window
}
