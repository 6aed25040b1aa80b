#include <gtest/gtest.h>

#include "framework/Random.h"

using namespace fw;

TEST(RandomTest, FirstResultsFromStateOne)
{
    Random r;
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int e : expected)
        EXPECT_EQ(r.next(), e);
}

TEST(RandomTest, SeedZeroTakesTheTickCount)
{
    Random r([] { return 777u; });
    EXPECT_EQ(r.seed(0), 777u);
    EXPECT_EQ(r.state(), 777u);
    EXPECT_EQ(r.seed(5), 5u);
    EXPECT_EQ(r.next(), static_cast<int>(((5u * 214013u + 2531011u) >> 16) & 0x7FFF));
}

TEST(RandomTest, UpToReachesNOnlyOnTheTopResult)
{
    // The state before a step that makes the result 32767 (the step is
    // invertible: 214013 is odd).
    uint32_t inverse = 214013u;
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - 214013u * inverse;
    const uint32_t before = (0x7FFF0000u - 2531011u) * inverse;
    for (uint32_t n : {1u, 3u, 10u, 640u, 1000000u, 0xFFFFFFFFu}) {
        Random r;
        r.seed(before);
        EXPECT_EQ(r.upTo(n), n) << n;
        for (int i = 0; i < 1000; ++i)
            EXPECT_LE(r.upTo(n), n);
    }
    Random r;
    EXPECT_EQ(r.upTo(32767), 41u);  // result 41
    EXPECT_EQ(r.upTo(100), 18467u * 100u / 32767u);
}
