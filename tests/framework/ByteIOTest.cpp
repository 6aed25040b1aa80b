#include <gtest/gtest.h>

#include "framework/ByteIO.h"

using namespace fw;

TEST(ByteIO, RoundTripsEveryWidthLittleEndian)
{
    MemoryStream mem;
    ByteWriter w(mem);
    w.u8(0xAB);
    w.i16(-2);
    w.u32(0x01020304);
    w.f32(1.5f);
    w.f64(-0.25);
    w.text("Rock/Roll");
    w.text("");
    ASSERT_FALSE(w.failed());

    const auto& b = mem.bytes();
    EXPECT_EQ(b[1], 0xFE);  // -2 low byte first
    EXPECT_EQ(b[2], 0xFF);
    EXPECT_EQ(b[3], 0x04);  // 0x01020304 low byte first
    EXPECT_EQ(b[6], 0x01);

    mem.seek(0);
    ByteReader r(mem);
    EXPECT_EQ(r.u8(), 0xAB);
    EXPECT_EQ(r.i16(), -2);
    EXPECT_EQ(r.u32(), 0x01020304u);
    EXPECT_EQ(r.f32(), 1.5f);
    EXPECT_EQ(r.f64(), -0.25);
    EXPECT_EQ(r.text(), "Rock/Roll");
    EXPECT_EQ(r.text(), "");
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(mem.remaining(), 0u);
}

TEST(ByteIO, ShortReadFailsAndYieldsZeros)
{
    const uint8_t data[] = {0x34, 0x12, 0x78};
    MemoryStream mem(data, sizeof data);
    ByteReader r(mem);
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.u32(), 0u);  // only one byte left
    EXPECT_TRUE(r.failed());
    EXPECT_EQ(r.u8(), 0u);  // stays failed
}

TEST(ByteIO, LengthsPastTheEndAreRejectedWithoutAllocating)
{
    // A stored text that claims 65535 bytes but has 2.
    const uint8_t data[] = {0xFF, 0xFF, 'a', 'b'};
    MemoryStream mem(data, sizeof data);
    ByteReader r(mem);
    EXPECT_EQ(r.text(), "");
    EXPECT_TRUE(r.failed());

    MemoryStream mem2(data, sizeof data);
    ByteReader r2(mem2);
    EXPECT_TRUE(r2.bytes(size_t(1) << 40).empty());
    EXPECT_TRUE(r2.failed());
}

TEST(ByteIO, OverlongTextIsCutToTheLengthField)
{
    MemoryStream mem;
    ByteWriter w(mem);
    w.text(std::string(70000, 'x'));
    EXPECT_EQ(mem.size(), 2u + 65535u);
}
