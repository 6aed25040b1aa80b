#include <gtest/gtest.h>

#include "framework/qt/Text.h"

using namespace fw;

TEST(TextTest, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(fromQString(toQString(all)), all);
}

TEST(TextTest, CodePageCharactersMapToTheirUnicodeValues)
{
    EXPECT_EQ(toQString("\x80").at(0).unicode(), 0x20AC);   // euro sign
    EXPECT_EQ(toQString("\x93" "a\x94").at(2).unicode(), 0x201D);
    EXPECT_EQ(toQString("cami\xf3"), QString::fromUtf8("camió"));
    EXPECT_EQ(fromQString(QString::fromUtf8("€ñ—")), "\x80\xf1\x97");
}

TEST(TextTest, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(fromQString(QString::fromUtf8("a\u4e2db")), "a?b");
    EXPECT_EQ(fromQString(QString::fromUtf8("x\U0001F600y")), "x?y");
}
