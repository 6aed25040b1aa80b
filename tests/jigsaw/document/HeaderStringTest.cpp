#include <gtest/gtest.h>

#include "jigsaw/document/HeaderString.h"

using qv::HeaderString;

TEST(HeaderString, KeysMatchByPrefixIgnoringCaseAndAreConsumed)
{
    HeaderString h("/Tit:Castle/Nopreview/NoCustom/Rndn:12");
    EXPECT_EQ(h.take("tit:"), "Castle");
    EXPECT_TRUE(h.takeFlag("NoPreview"));
    EXPECT_TRUE(h.takeFlag("/nocustom"));  // a leading separator in the key is skipped
    EXPECT_FALSE(h.takeFlag("NoPreview"));
    EXPECT_EQ(h.text(), "/Rndn:12");
    EXPECT_EQ(h.take("Rndn:"), "12");
    EXPECT_EQ(h.text(), "");
    EXPECT_EQ(h.take("Rndn:"), std::nullopt);
}

TEST(HeaderString, DuplicateKeysAreFoundInOrder)
{
    HeaderString h("/Tit:first/NoHelp/Tit:second/Tit:third");
    EXPECT_EQ(h.take("Tit:"), "first");
    EXPECT_EQ(h.take("Tit:"), "second");
    EXPECT_EQ(h.take("Tit:"), "third");
    EXPECT_EQ(h.take("Tit:"), std::nullopt);
    EXPECT_EQ(h.text(), "/NoHelp");
}

TEST(HeaderString, DoubledSeparatorsBelongToTheValue)
{
    // The second "/" of a doubled pair must not start an item: the title
    // "Rock/NoRotable" is no NoRotable flag.
    HeaderString h("/Tit:Rock//NoRotable  /Rndn:5");
    EXPECT_FALSE(h.takeFlag("NoRotable"));
    EXPECT_EQ(h.take("Tit:"), "Rock/NoRotable");  // trailing blanks trimmed
    EXPECT_EQ(h.take("Rndn:"), "5");

    // A value ending in "/" next to the following item: pairs are taken from the left.
    HeaderString end("/Tit:a/////Rndn:7");
    EXPECT_EQ(end.take("Rndn:"), "7");
    EXPECT_EQ(end.take("Tit:"), "a//");
}

TEST(HeaderString, EscapedTextsRoundTrip)
{
    for (std::string text : {"plain", "a/b", "/lead", "trail/", "//", "x///y"}) {
        HeaderString h("/Tit:" + HeaderString::escape(text) + "/NoHelp");
        EXPECT_EQ(h.take("Tit:"), text) << text;
        EXPECT_TRUE(h.takeFlag("NoHelp")) << text;
    }
}

TEST(HeaderString, EntrySeparatorSetAlsoSplitsAtDash)
{
    HeaderString h("/Tit:x-Med0:4#6-nocustom", "/-");
    EXPECT_EQ(h.take("Med0:"), "4#6");
    EXPECT_TRUE(h.takeFlag("nocustom"));
    EXPECT_EQ(h.take("Tit:"), "x");
}

TEST(HeaderString, Numbers)
{
    struct Case {
        const char* text;
        int64_t value;
    } cases[] = {{"42", 42},       {"-7", -7},   {"0x1F", 31}, {"0XfF", 255}, {" 12abc", 12},
                 {"", 0},          {"abc", 0},   {"+3", 3},    {"-1234567890", -1234567890},
                 {"99999999999999999999999", INT64_MAX}};
    for (const auto& c : cases)
        EXPECT_EQ(HeaderString::parseNumber(c.text), c.value) << c.text;
    EXPECT_DOUBLE_EQ(HeaderString::parseReal("0.750000"), 0.75);
    EXPECT_DOUBLE_EQ(HeaderString::parseReal("junk"), 0.0);
    EXPECT_EQ(HeaderString::formatWhole(1234.5), "1234");  // "%.0f": halves to even
    EXPECT_EQ(HeaderString::formatWhole(1235.5), "1236");
    EXPECT_EQ(HeaderString::formatFixed6(0.75), "0.750000");
    int64_t a = 0, b = 0;
    EXPECT_TRUE(HeaderString::parsePair("640x480", 'x', a, b));
    EXPECT_EQ(a, 640);
    EXPECT_EQ(b, 480);
    EXPECT_FALSE(HeaderString::parsePair("640", 'x', a, b));
}
