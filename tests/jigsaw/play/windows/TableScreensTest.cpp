// Pictures of the table for a person to look at (written when
// QV_SCREENSHOTS names a folder): a textured table and a blended one, each
// with an open box, made with the program's own textures.
#include <gtest/gtest.h>

#include "PlayTable.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/play/windows/WBox.h"

using namespace playtest;

TEST(TableScreens, TexturedAndBlendedTablesWithABox)
{
    PlayTable t(PlayTable::Setup{{}, std::filesystem::path(QV_SOURCE_DIR) / "jigsaw/resources/pictures/rocket.jpg", false});
    t.context.readPicture = nullptr;  // the textures as any picture reader decodes them
    qv::WPuz& w = *t.window;
    w.addBox();
    qv::WBox& box = *w.box(0);
    box.setClosed(false);
    const QPoint inBox = box.origin() + QPoint(20, 30);
    for (int piece : {0, 7})
        w.rules().MoveToSurface(piece, {static_cast<int16_t>(inBox.x() + piece * 9), static_cast<int16_t>(inBox.y())}, 0);

    struct Case {
        const char* name;
        uint32_t first, second;
        const char* texture;
    } cases[] = {
        {"jigsaw-play-wood", 0x7BB4DE, 0x1E3C64, "wood.jpg"},
        {"jigsaw-play-felt", 0x5A9A3A, 0x0A2A10, "felt.jpg"},
        {"jigsaw-play-blend", 0x8A5A2A, 0x201008, nullptr},
    };
    for (const Case& c : cases) {
        fw::Background& b = w.tableBackground();
        b.Set(c.first, c.second, 0);
        if (c.texture) {
            fw::Bitmap texture;
            const auto file = qv::WPuz::texturesFolder() / c.texture;
            ASSERT_TRUE(fw::WBkg::readWithToolkit(file, texture).ok()) << file;
            b.setTexture(std::move(texture), file);
        }
        w.backgroundChosen();
        EXPECT_EQ(t.puz.backgroundTexture, c.texture ? c.texture : "") << c.name;
        fw::saveScreenshot(w, c.name);
    }
}
