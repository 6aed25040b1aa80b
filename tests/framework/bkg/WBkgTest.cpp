#include <gtest/gtest.h>

#include <QComboBox>
#include <QColorDialog>
#include <QImage>
#include <fstream>

#include "BkgFixture.h"
#include "framework/qt/Screenshot.h"
#include "framework/qt/UiText.h"
#include "framework/qt/WBkg.h"
#include "framework/qt/WBkgChoose.h"
#include "framework/qt/WBkgField.h"

using namespace fw;

namespace {

struct WBkgTest : ::testing::Test {
    testfix::TempDir dir;
    Profile profile{dir / "QVrk.ini"};
    Background background;
    WBkg::Places places{dir.path(), testfix::texturesDir(), 32};
};

}  // namespace

TEST_F(WBkgTest, PickingTheFieldSetsTheColoursAndOkPutsThemIntoTheBackground)
{
    background.Set(0xFFFFFF, Background::None, 0);
    WBkg w(nullptr, background, profile, places);
    EXPECT_TRUE(w.fieldComputed());
    EXPECT_TRUE(std::filesystem::exists(dir / "picclr.bmp"));
    EXPECT_FALSE(w.usesSecond());
    w.field()->pick(30, 20, 0);
    w.field()->pick(300, 140, 1);
    const uint32_t first = Background::FieldColour(WBkg::FieldWidth, WBkg::FieldHeight, 30, 20);
    const uint32_t second = Background::FieldColour(WBkg::FieldWidth, WBkg::FieldHeight, 300, 140);
    EXPECT_EQ(w.first(), first);
    EXPECT_EQ(w.second(), second);
    EXPECT_TRUE(w.usesSecond()) << "picking a second colour uses it";
    EXPECT_EQ(background.First(), 0xFFFFFFu) << "nothing changes before OK";
    w.setChecked(WBkg::IdFrameOff, true);
    w.sendCommand(WBkg::IdOk);
    EXPECT_EQ(background.First(), first);
    EXPECT_EQ(background.Second(), second);
    EXPECT_EQ(background.frameOff(), 1);
    EXPECT_EQ(background.Text(), std::to_string(first) + "," + std::to_string(second));

    // The second opening loads the field from its cache.
    WBkg again(nullptr, background, profile, places);
    EXPECT_FALSE(again.fieldComputed());
    EXPECT_EQ(again.first(), first);
    EXPECT_TRUE(again.usesSecond());
}

TEST_F(WBkgTest, CancelLeavesTheBackgroundAsItWas)
{
    background.Set(0x336699, 0x112233, 0);
    WBkg w(nullptr, background, profile, places);
    w.field()->pick(10, 10, 0);
    w.setChecked(WBkg::IdUseSecond, false);
    w.chooseTexture(1);
    w.sendCommand(WBkg::IdCancel);
    EXPECT_EQ(background.First(), 0x336699u);
    EXPECT_EQ(background.Second(), 0x112233u);
    EXPECT_FALSE(background.hasTexture());
}

TEST_F(WBkgTest, OurTexturesAndAPictureOfThePlayersTintTheTable)
{
    background.Set(0xC0E0F0, Background::None, 0);
    WBkg w(nullptr, background, profile, places);
    ASSERT_GE(w.textures().size(), 4u);
    auto* list = static_cast<QComboBox*>(w.control(WBkg::IdTexture));
    EXPECT_EQ(list->count(), static_cast<int>(w.textures().size()) + 2);  // none, ours, another picture

    w.chooseTexture(2);
    EXPECT_EQ(w.textureFile(), w.textures()[1]);
    EXPECT_TRUE(w.usesSecond()) << "a texture is tinted between two colours";
    w.sendCommand(WBkg::IdOk);
    ASSERT_TRUE(background.hasTexture());
    EXPECT_EQ(background.textureFile(), w.textures()[1]);
    background.Build(0);
    EXPECT_EQ(background.tile().width(), 128);

    // Another picture of the player's; one that does not decode leaves none.
    const auto rocket = std::filesystem::path(QV_SOURCE_DIR) / "jigsaw/resources/pictures/rocket.jpg";
    std::filesystem::path asked = rocket;
    places.asker = [&](QWidget*) { return asked; };
    WBkg other(nullptr, background, profile, places);
    EXPECT_EQ(other.selection(WBkg::IdTexture), 2) << "the current texture is selected";
    other.chooseTexture(static_cast<int>(other.textures().size()) + 1);
    EXPECT_EQ(other.textureFile(), rocket);
    EXPECT_EQ(other.text(WBkg::IdTexture), "rocket.jpg");
    const auto broken = dir / "broken.jpg";
    { std::ofstream(broken) << "not a picture"; }
    asked = broken;
    other.chooseTexture(static_cast<int>(other.textures().size()) + 1);
    EXPECT_TRUE(other.textureFile().empty());
    EXPECT_EQ(other.selection(WBkg::IdTexture), 0);
}

TEST_F(WBkgTest, OurTexturesDecodeAndJoinWithoutASeam)
{
    WBkg w(nullptr, background, profile, places);
    for (const auto& file : w.textures()) {
        SCOPED_TRACE(file.filename().string());
        const QImage image(QString::fromStdString(file.string()));
        ASSERT_EQ(image.size(), QSize(128, 128));
        // The step across the wrap-around edge is no bigger than the steps
        // inside the picture.
        auto grey = [&](int x, int y) { return qGray(image.pixel(x, y)); };
        double inside = 0, across = 0;
        for (int y = 0; y < 128; ++y) {
            inside += std::abs(grey(64, y) - grey(63, y));
            across += std::abs(grey(0, y) - grey(127, y));
        }
        EXPECT_LT(across, 2.5 * inside + 128 * 4);
        int lo = 255, hi = 0;
        for (int y = 0; y < 128; y += 3)
            for (int x = 0; x < 128; x += 3) {
                lo = std::min(lo, grey(x, y));
                hi = std::max(hi, grey(x, y));
            }
        EXPECT_GT(hi - lo, 40) << "a texture, not a flat grey";
    }
}

TEST_F(WBkgTest, CustomColoursKeepTheirStoredValueWhenLeftAlone)
{
    const std::vector<uint32_t> stored = Background::customColours({});
    ASSERT_EQ(stored[8], 2155905152u);
    loadCustomColours(stored);
    EXPECT_EQ(takeCustomColours(stored), stored);
    QColorDialog::setCustomColor(8, QColor(1, 2, 3));
    const auto changed = takeCustomColours(stored);
    EXPECT_EQ(changed[8], 0x030201u);
    EXPECT_EQ(changed[0], stored[0]);
}

TEST_F(WBkgTest, Screenshots)
{
    UiText::setSource([](int kind, int id) {
        return kind == 4 && id == 1 ? std::string("OK") : kind == 4 && id == 2 ? std::string("Cancel") : std::string();
    });
    background.Set(0x5A7A3A, 0x10200A, 0);
    WBkg w(nullptr, background, profile, places);
    w.field()->pick(100, 40, 0);
    w.show();
    for (size_t i = 0; i < w.textures().size(); ++i) {
        w.chooseTexture(static_cast<int>(i) + 1);
        saveScreenshot(w, "background-window-" + w.textures()[i].stem().string());
    }
    UiText::setSource(nullptr);
    SUCCEED();
}
