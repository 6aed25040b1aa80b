#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <memory>
#include <random>

#include "minefield/windows/TMyWindow.h"
#include "GuiTestSupport.h"

using namespace mf;

namespace {

struct Events : BoardEvents {
    void MinesLeftChanged(int32_t) override {}
    void GameWon() override {}
    void GameLost() override {}
    void ShieldsChanged() override {}
};
struct Silence : BoardSounds {
    void PlayClick() override {}
    void PlayExplosion() override {}
    void PlayWin() override {}
};

const std::pair<ShapeKind, const char*> kShapes[] = {
    {ShapeKind::Square, "square"},     {ShapeKind::Diamond, "diamond"}, {ShapeKind::Brick, "brick"},
    {ShapeKind::Triangle, "triangle"}, {ShapeKind::Shifted, "shifted"}, {ShapeKind::Hexagon, "hexagon"},
};

Point Centre(const TCell& cell)
{
    const Rect& b = cell.bounds;
    return {b.left + (b.right - b.left) / 2, b.top + (b.bottom - b.top) / 2};
}

// A Beginner board of the shape played to its loss: an opened area with its
// numbers, flags right and wrong, a spent shield and the mine that lost.
void PlayToLoss(MineGame& game)
{
    const auto click = [&](CellPos p) {
        game.LeftButtonDown(Centre(game.Cell(p)));
        game.LeftButtonUp(Centre(game.Cell(p)));
    };
    bool opened = false, wrongFlag = false, shield = false;
    int flags = 0;
    for (int32_t r = 0; r < game.Height(); ++r) {
        for (int32_t c = 0; c < game.Width(); ++c) {
            const TCell& cell = game.Cell({c, r});
            if (!opened && cell.value == 0) {
                click({c, r});
                opened = true;
            } else if (cell.IsMine() && flags < 3 && r >= game.Height() / 2) {
                game.RightButtonDown(Centre(cell));
                ++flags;
            } else if (!wrongFlag && !cell.IsMine() && cell.state == 0 && r == game.Height() - 1) {
                game.RightButtonDown(Centre(cell));
                wrongFlag = true;
            }
        }
    }
    for (int32_t r = 0; r < game.Height() && !game.GameOver(); ++r) {
        for (int32_t c = 0; c < game.Width() && !game.GameOver(); ++c) {
            const TCell& cell = game.Cell({c, r});
            if (cell.IsMine() && !cell.flagged && cell.state == 0) {
                click({c, r});
                shield = true;
            }
        }
    }
    ASSERT_TRUE(opened && wrongFlag && shield && game.GameOver());
}

QString GoldenPath(const char* name)
{
    return QStringLiteral(QV_SOURCE_DIR "/tests/minefield/windows/golden/%1.png").arg(name);
}

}  // namespace

// The board at its own size is the drawing of before zoom existed, to the
// pixel, on every shape, plain and textured. QV_WRITE_GOLDEN=1 writes the
// pictures again (only ever from a build whose drawing is known good).
TEST(Zoom, TheBoardAtItsOwnSizeIsDrawnAsBefore)
{
    mftest::App();
    const bool write = qEnvironmentVariableIntValue("QV_WRITE_GOLDEN") == 1;
    for (size_t i = 0; i < std::size(kShapes); ++i) {
        const auto& [shape, name] = kShapes[i];
        SCOPED_TRACE(name);
        Events events;
        Silence silence;
        TMyWindow board(events, silence);
        auto engine = std::make_shared<std::mt19937>(40 + uint32_t(i));
        board.Game().SetRandomSource([engine] { return uint32_t((*engine)()); });
        board.Game().SetLevel(0);
        board.Game().SetShape(shape);
        // Every other shape on a texture, a different one each time.
        const std::string texture = i % 2 ? std::string(1, char('1' + i / 2)) : "0";
        board.SetTexture(&texture);
        PlayToLoss(board.Game());
        const QImage image = board.Image().convertToFormat(QImage::Format_RGB32);
        if (write) {
            QDir().mkpath(QFileInfo(GoldenPath(name)).path());
            ASSERT_TRUE(image.save(GoldenPath(name)));
            continue;
        }
        const QImage golden = QImage(GoldenPath(name)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(golden.isNull()) << GoldenPath(name).toStdString();
        ASSERT_EQ(image.size(), golden.size());
        int differ = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                differ += image.pixel(x, y) != golden.pixel(x, y);
        if (differ)
            image.save(QDir::temp().filePath(QStringLiteral("zoom-golden-%1-actual.png").arg(name)));
        EXPECT_EQ(differ, 0) << "pixels differ; the picture drawn is in " << QDir::tempPath().toStdString();
    }
}
