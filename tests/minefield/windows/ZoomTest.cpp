#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTest>
#include <cmath>
#include <memory>
#include <random>

#include "minefield/windows/TMyWindow.h"
#include "FrameFixture.h"
#include "GuiTestSupport.h"
#include "minefield/windows/Commands.h"
#include "minefield/windows/TMyFrameWindow.h"

using namespace mf;

namespace {

using Events = mftest::NoBoardEvents;
using Silence = mftest::NoBoardSounds;

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

// At every zoom and on every shape a click at the middle of a cell, worked
// out here from the outline and the zoom, flags that cell and no other.
TEST(Zoom, TheMiddleOfEveryCellHitsThatCellAtEveryZoom)
{
    mftest::App();
    for (const auto& [shape, name] : kShapes) {
        for (int zoom : {100, 125, 150, 200, 300, 400}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(zoom));
            Events events;
            Silence silence;
            TMyWindow board(events, silence);
            board.Game().SetLevel(0);
            board.Game().SetShape(shape);
            board.SetZoom(zoom);
            const MineGame& game = board.Game();
            int missed = 0;
            for (int32_t r = 0; r < game.Height(); ++r) {
                for (int32_t c = 0; c < game.Width(); ++c) {
                    const Polygon outline = game.Cell({c, r}).InsetOutline();
                    double x = 0, y = 0;
                    for (int32_t i = 0; i < outline.count; ++i) {
                        x += outline.points[size_t(i)].x;
                        y += outline.points[size_t(i)].y;
                    }
                    // The board pixel's middle, in the window's pixels.
                    const QPoint at(int((x / outline.count + 0.5) * zoom / 100.0),
                                    int((y / outline.count + 0.5) * zoom / 100.0));
                    QTest::mouseClick(&board, Qt::RightButton, {}, at);
                    missed += !game.Cell({c, r}).flagged;
                }
            }
            int flagged = 0;
            for (int32_t r = 0; r < game.Height(); ++r)
                for (int32_t c = 0; c < game.Width(); ++c)
                    flagged += game.Cell({c, r}).flagged;
            EXPECT_EQ(missed, 0);
            EXPECT_EQ(flagged, game.Width() * game.Height());
        }
    }
}

// The window and the picture take the zoomed size; the frame follows and
// the zoom is kept in a key of our own only while it is not 100 %.
TEST(Zoom, TheFrameFollowsTheZoomWhichIsKeptInAKeyOfOurOwn)
{
    {
        mftest::FrameFixture f("[MVRO]\r\nTEXTURE=0\r\nSHAPE=2\r\nLEVEL3=4\r\n");
        TMyWindow& board = f.frame->Board();
        EXPECT_TRUE(f.frame->IsChecked(cmd::ZoomFirst));
        const QSize own = board.size();
        const int frameWidth = f.frame->width();
        f.frame->Command(cmd::ZoomIn);
        f.frame->Command(cmd::ZoomIn);
        QApplication::processEvents();
        EXPECT_EQ(board.Zoom(), 150);
        EXPECT_EQ(board.size(), QSize(int(std::ceil(own.width() * 1.5)), int(std::ceil(own.height() * 1.5))));
        EXPECT_EQ(board.Image().size(), board.size() * board.devicePixelRatioF());
        EXPECT_GE(f.frame->width(), board.width());
        EXPECT_GT(f.frame->width(), frameWidth);
        EXPECT_TRUE(f.frame->IsChecked(cmd::ZoomFirst + 2));
        for (int i = 0; i < 10; ++i)
            f.frame->Command(cmd::ZoomIn);
        EXPECT_EQ(board.Zoom(), 400);
        f.frame->Command(cmd::ZoomOut);
        EXPECT_EQ(board.Zoom(), 300);
        f.frame.reset();
        EXPECT_EQ(f.ReadIni().GetInt("MVRO", "MvZoom", 0), 300);
    }
    {
        // Read back, stepped to the nearest zoom; 100 % leaves no key.
        mftest::FrameFixture f("[MVRO]\r\nTEXTURE=0\r\nMvZoom=260\r\n");
        EXPECT_EQ(f.frame->Board().Zoom(), 250);
        f.frame->Command(cmd::ZoomActual);
        EXPECT_EQ(f.frame->Board().Zoom(), 100);
        f.frame.reset();
        EXPECT_EQ(f.ReadIni().GetString("MVRO", "MvZoom", "none", 10), "none");
    }
    for (const char* stored : {"0", "-5", "9999", "abc"}) {
        mftest::FrameFixture f(std::string("[MVRO]\r\nTEXTURE=0\r\nMvZoom=") + stored + "\r\n");
        EXPECT_EQ(f.frame->Board().Zoom(), std::string(stored) == "9999" ? 400 : 100) << stored;
    }
}
