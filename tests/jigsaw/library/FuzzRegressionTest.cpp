// Faults the fuzz targets found in the library, each kept from coming back.
#include <gtest/gtest.h>

#include <string>

#include "jigsaw/library/DirectoryCache.h"

using qv::DirectoryCache;

// A damaged cache text with two record starts in a row (found by
// dircache_fuzz) made the record listing of the inspection tool read far
// past the text. Every record start now gives one record, an empty one
// when nothing stands before the next start.
TEST(FuzzRegression, RecordStartsInARowListAsEmptyRecords)
{
    const std::string text = std::string("1\xFE\xFE", 3) + "A" + "0\xFE" "B.PUZ=a1z9\xFF" "200\xFF";
    const auto records = DirectoryCache::Records(text);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_TRUE(records[0].seen);
    EXPECT_EQ(records[0].entry.fileName, "");
    EXPECT_FALSE(records[1].readable);
    EXPECT_EQ(records[2].entry.fileName, "B.PUZ");
    EXPECT_FALSE(records[2].seen);
    EXPECT_EQ(DirectoryCache::Records(std::string("\xFE\xFE\xFE", 3)).size(), 3u);
}
