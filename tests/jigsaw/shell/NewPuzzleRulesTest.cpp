#include <gtest/gtest.h>

#include "tests/jigsaw/library/LibraryFixtures.h"
#include "jigsaw/shell/NewPuzzleRules.h"
#include "jigsaw/library/Shelves.h"

using namespace qv;
using namespace qv::newpuzzle;
namespace fs = std::filesystem;

namespace {

TEST(NewPuzzle, APictureNeedsEightPixels)
{
    EXPECT_EQ(CheckPictureSize(2, 3).id, msg::PictureUnusable);
    EXPECT_TRUE(CheckPictureSize(2, 4).ok());
    EXPECT_EQ(CheckPictureSize(0, 100).id, msg::PictureUnusable);
    EXPECT_EQ(CheckPictureSize(-4, -4).id, msg::PictureUnusable);
    EXPECT_TRUE(CheckPictureSize(100000, 100000).ok());
}

TEST(NewPuzzle, EditorChoicesBecomeStockSizesWithoutGaps)
{
    Puz puz;
    EditorChoices c;
    c.sizes = {"", "48", " ", "10x12", ""};
    c.offerCustom = false;
    c.noHelp = true;
    c.title = "  Castle ";
    ASSERT_TRUE(ApplyEditorChoices(puz, c, 800, 600).ok());
    EXPECT_EQ(puz.stockSizeCount, 2);
    EXPECT_EQ(puz.rows[0] * puz.columns[0], 48);
    EXPECT_EQ(puz.rows[1], 10);
    EXPECT_EQ(puz.columns[1], 12);
    EXPECT_EQ(puz.rows[2], 0);
    EXPECT_EQ(puz.options, Puz::ImgFull | Puz::NoHelp);
    EXPECT_TRUE(puz.sizeFlags & Puz::NoCustomSize);
    EXPECT_TRUE(puz.edit & Puz::Making);
    EXPECT_EQ(puz.title(), "Castle");
    EXPECT_EQ(PieceCountLabel(800, 600, "10x12"), "(120)");
    EXPECT_EQ(PieceCountLabel(800, 600, ""), "");
}

TEST(NewPuzzle, InvalidChoicesPointAtTheirField)
{
    Puz puz;
    EditorChoices none;
    EXPECT_EQ(ApplyEditorChoices(puz, none, 800, 600).control, 6000);
    EXPECT_EQ(puz.stockSizeCount, 0);
    EditorChoices bad;
    bad.sizes = {"48", "", "1", "", ""};
    EditorCheck check = ApplyEditorChoices(puz, bad, 800, 600);
    EXPECT_FALSE(check.ok());
    EXPECT_EQ(check.control, 6002);
    EXPECT_EQ(puz.stockSizeCount, 0);  // the document is left alone
}

TEST(NewPuzzle, TheShelfChooserAppearsWithASecondShelf)
{
    libfix::TempDir program;
    fw::Profile settings(program / "QVrk.ini");
    Shelves shelves(settings, program.path());
    EXPECT_FALSE(OffersShelfChooser(shelves));
    ASSERT_TRUE(shelves.CreateShelf("Trees"));
    EXPECT_TRUE(OffersShelfChooser(shelves));
    EXPECT_EQ(NewPuzzlePath(shelves.ShelfDirectory("Trees"), "A/B: Castle?"), program / "Trees" / "A_B_ Castle_.puz");
    EXPECT_EQ(NewPuzzlePath(program.path(), " .. "), program / "Puzzle.puz");
    EXPECT_EQ(DefaultTitle("/pics/Old tree.jpg"), "Old tree");
}

}  // namespace
