// Faults the fuzz targets found in the scores code, each kept from coming back.
#include <gtest/gtest.h>

#include <string>

#include "jigsaw/scores/Certificate.h"

using qv::Certificate;

// A certificate whose grid is out of all range (found by score_text_fuzz)
// multiplied columns by rows in 32 bits, an overflow the sanitizer build
// stops at. The piece count is now the product's low 16 bits, as the
// stored count has always been, without the overflow.
TEST(FuzzRegression, CertificateWithAHugeGridParses)
{
    const std::string text =
        "****Quorvane****BOC{\r\nPuzzle:Castle\r\nLevel:0\r\nPieces:99999999999x4\r\nPackOwner:\r\nPlayer:Ann\r\n"
        "Time:00:01:02.3\r\nSolved:2\r\nMoves:3\r\nHelps:0\r\nScore:10\r\n}EOC********************\r\n";
    const Certificate c = Certificate::Parse(text);
    EXPECT_EQ(c.title, "Castle");
    EXPECT_EQ(c.columns, 2147483647);  // the number saturates
    EXPECT_EQ(c.rows, 4);
    EXPECT_EQ(c.record.pieces, static_cast<int16_t>(0xFFFC));
    EXPECT_EQ(c.record.player, "Ann");
    EXPECT_FALSE(c.verified());
}
