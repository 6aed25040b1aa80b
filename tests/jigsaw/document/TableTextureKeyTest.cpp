// The table's texture and outline switch travel in a header key of our own
// beside "BkClr:", which keeps the numbers every reader expects.
#include <gtest/gtest.h>
#include <string>

#include "jigsaw/document/HeaderString.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/PuzHeader.h"

using qv::HeaderString;
using qv::Puz;
using qv::PuzHeader;

TEST(TableTextureKey, TexturesAndTheOutlineSwitchComeBackInBothForms)
{
    struct Case {
        std::string texture;
        uint8_t frameOff;
    } cases[] = {
        {"felt.jpg", 0},
        {"/home/ann-marie/My pictures/100% wood-NoRotable.jpg", 1},
        {"C:\\Games\\tex-1.jpg ", 0},  // a trailing blank the reader would trim
        {"", 1},
        {"tab\there\x07.jpg", 0},
    };
    for (bool saved : {false, true}) {
        for (const Case& c : cases) {
            Puz puz;
            puz.entry.title = "Table";
            puz.background = "255,65280";
            puz.backgroundTexture = c.texture;
            puz.backgroundFrameOff = c.frameOff;
            const std::string text = PuzHeader::build(puz, saved);
            EXPECT_NE(text.find("/BkClr:255,65280/"), std::string::npos) << text;

            Puz back;
            ASSERT_TRUE(PuzHeader::parse(back, text, saved).ok()) << text;
            EXPECT_EQ(back.background, "255,65280");
            EXPECT_EQ(back.backgroundTexture, c.texture) << text;
            EXPECT_EQ(back.backgroundFrameOff, c.frameOff) << text;
            EXPECT_FALSE(back.options & Puz::NoRotable) << "a file name is no flag: " << text;
            EXPECT_EQ(back.entry.title, saved ? "" : "Table");

            // The library reads entries with "-" as a separator too.
            HeaderString library(text, "/-");
            EXPECT_FALSE(library.takeFlag("NoRotable")) << text;
            EXPECT_EQ(library.take("Tit:"), "Table") << text;
        }
    }
}

TEST(TableTextureKey, PlainTablesWriteNoKeyAndOddValuesDoNoHarm)
{
    Puz plain;
    plain.background = "255";
    EXPECT_EQ(PuzHeader::build(plain, true).find("QvBkTex"), std::string::npos);

    struct Case {
        const char* header;
        std::string texture;
        uint8_t frameOff;
    } cases[] = {
        {"/QvBkTex:1,%zz%4%", "%zz%4%", 1},          // broken escapes stay as written
        {"/QvBkTex:", "", 0},                          // no value at all
        {"/QvBkTex:0,a%00b", "", 0},                   // a zero byte is no file name
        {"/qvbktex:1", "", 1},                         // keys ignore case
    };
    for (const Case& c : cases) {
        Puz puz;
        ASSERT_TRUE(PuzHeader::parse(puz, std::string(c.header) + "/Tit:x", false).ok()) << c.header;
        EXPECT_EQ(puz.backgroundTexture, c.texture) << c.header;
        EXPECT_EQ(puz.backgroundFrameOff, c.frameOff) << c.header;
        EXPECT_EQ(puz.entry.title, "x") << c.header;
    }

    Puz huge;
    ASSERT_TRUE(PuzHeader::parse(huge, "/QvBkTex:0," + std::string(5000, 'a'), false).ok());
    EXPECT_EQ(huge.backgroundTexture, "") << "longer than any path we keep";
    huge.backgroundTexture = std::string(5000, 'a');
    EXPECT_EQ(PuzHeader::build(huge, false).find("QvBkTex"), std::string::npos);
}
