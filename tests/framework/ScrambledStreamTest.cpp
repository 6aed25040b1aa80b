#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "framework/ScrambledStream.h"

using namespace fw;

namespace {
std::vector<uint8_t> counting(size_t n)
{
    std::vector<uint8_t> v(n);
    std::iota(v.begin(), v.end(), uint8_t(0));
    return v;
}
}  // namespace

TEST(ScrambledStream, KeyByteChangesEvery16BytesBelow1024AndEvery1024Above)
{
    const std::string key = "ABC";
    MemoryStream plain;
    ScrambledStream s(plain, key);
    std::vector<uint8_t> zeros(3000, 0);
    s.write(zeros.data(), zeros.size());
    const auto& b = plain.bytes();
    for (size_t p : {size_t(0), size_t(15), size_t(16), size_t(47), size_t(48), size_t(1023), size_t(1024),
                     size_t(2047), size_t(2048), size_t(2999)}) {
        size_t slot = p < 1024 ? p >> 4 : p >> 10;
        EXPECT_EQ(b[p], uint8_t(key[slot % 3] ^ 0x80)) << "offset " << p;
    }
}

TEST(ScrambledStream, RunAcross1024UsesBothRules)
{
    const std::string key = "key";
    std::vector<uint8_t> run(40, 0x5A);
    std::vector<uint8_t> expect = run;
    for (size_t i = 0; i < run.size(); ++i) {
        size_t p = 1000 + i;
        size_t slot = p < 1024 ? p >> 4 : p >> 10;
        expect[i] ^= uint8_t(key[slot % key.size()] ^ 0x80);
    }
    ScrambledStream::scramble(run.data(), run.size(), 1000, key);
    EXPECT_EQ(run, expect);
}

TEST(ScrambledStream, ReadsBackWhatWasWrittenFromAnyOffsetAndLeavesCallerBufferAlone)
{
    MemoryStream file;
    ScrambledStream s(file, "secret");
    auto data = counting(2500);
    auto before = data;
    s.write(data.data(), data.size());
    EXPECT_EQ(data, before);
    EXPECT_NE(file.bytes(), before);

    for (uint64_t at : {0u, 7u, 1020u, 1024u, 2100u}) {
        s.seek(at);
        std::vector<uint8_t> got(100);
        size_t n = s.read(got.data(), got.size());
        for (size_t i = 0; i < n; ++i)
            ASSERT_EQ(got[i], before[at + i]) << "from " << at;
    }

    MemoryStream copy(file.bytes());
    ScrambledStream other(copy, "other!");
    std::vector<uint8_t> got(100);
    other.read(got.data(), got.size());
    EXPECT_NE(got, std::vector<uint8_t>(before.begin(), before.begin() + 100));
}

TEST(ScrambledStream, EmptyKeyAndStartOffsetLeaveBytesPlain)
{
    MemoryStream file;
    ScrambledStream plain(file, "");
    auto data = counting(64);
    plain.write(data.data(), data.size());
    EXPECT_EQ(file.bytes(), data);

    auto part = counting(64);
    ScrambledStream::scramble(part.data(), part.size(), 0, "k", 32);
    EXPECT_TRUE(std::equal(part.begin(), part.begin() + 32, data.begin()));
    EXPECT_NE(part[32], data[32]);
}
