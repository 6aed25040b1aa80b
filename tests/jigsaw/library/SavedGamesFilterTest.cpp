#include <gtest/gtest.h>

#include "LibraryFixtures.h"
#include "jigsaw/library/SavedGamesFilter.h"
#include "jigsaw/library/ShelfEntry.h"

using namespace qv;

namespace {

ShelfEntry saved(int sizeIndex, const std::string& player, int32_t flags)
{
    ShelfEntry e;
    e.kind = ShelfEntry::Kind::SavedGame;
    e.sizeIndex = static_cast<int16_t>(sizeIndex);
    e.savedText = player;
    e.savedNumber = flags;
    return e;
}

TEST(SavedGamesFilter, StarOrEmptyLetsEverythingThrough)
{
    SavedGamesFilter f{"*", "", " * ", "*", ""};
    EXPECT_TRUE(f.Matches(saved(3, "Ann", ShelfEntry::SavedComplete | ShelfEntry::SavedMosaic)));
    EXPECT_TRUE(f.Matches(saved(0, "", 0)));
}

TEST(SavedGamesFilter, EachKeyNarrowsTheList)
{
    const ShelfEntry game = saved(2, "Ann", ShelfEntry::SavedNoRotable);
    const struct {
        SavedGamesFilter filter;
        bool passes;
    } cases[] = {
        {{"2", "", "", "", ""}, true},        {{"3", "", "", "", ""}, false},
        {{"", "ann", "", "", ""}, true},      {{"", "Bob", "", "", ""}, false},
        {{"", "", "0", "", ""}, true},        {{"", "", "1", "", ""}, false},
        {{"", "", "", "1", ""}, true},        {{"", "", "", "0", ""}, false},
        {{"", "", "", "", "1"}, false},       {{"", "", "", "", "0"}, true},
        {{"2", "Ann", "0", "1", "0"}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.filter.Matches(game), c.passes) << c.filter.level << "|" << c.filter.player << "|" << c.filter.status
                                                    << "|" << c.filter.nonRotate << "|" << c.filter.mosaic;
    ShelfEntry puzzle;
    EXPECT_TRUE((SavedGamesFilter{"4", "Bob", "1", "0", "1"}).Matches(puzzle));
}

TEST(SavedGamesFilter, KeptInOptsLoad)
{
    libfix::TempDir dir;
    fw::Profile settings(dir / "QVrk.ini");
    SavedGamesFilter f{"1", "Ann", "*", "0", ""};
    ASSERT_TRUE(f.Save(settings));
    EXPECT_EQ(settings.getString("OptsLoad", "Player"), "Ann");
    SavedGamesFilter back = SavedGamesFilter::Load(fw::Profile(dir / "QVrk.ini"));
    EXPECT_EQ(back.level, "1");
    EXPECT_EQ(back.player, "Ann");
    EXPECT_EQ(back.status, "*");
    EXPECT_EQ(back.nonRotate, "0");
    EXPECT_EQ(back.mosaic, "");
}

}  // namespace
