#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QInputDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "minefield/IniFile.h"
#include "minefield/windows/Commands.h"
#include "minefield/windows/SdlSound.h"
#include "minefield/windows/TMyFrameWindow.h"
#include "minefield/windows/TMyWindow.h"
#include "minefield/windows/TSevenGadget.h"
#include "GuiTestSupport.h"

using namespace mf;

namespace {

// A board window on its own, for reading pixels back.
using Events = mftest::NoBoardEvents;
using Silence = mftest::NoBoardSounds;

QPoint Centroid(const Polygon& poly)
{
    int x = 0, y = 0;
    for (int32_t i = 0; i < poly.count; ++i) {
        x += poly.points[size_t(i)].x;
        y += poly.points[size_t(i)].y;
    }
    return {x / poly.count, y / poly.count};
}

// Which segments of each digit are lit, read from the painted pixels.
std::vector<std::vector<bool>> ReadSegments(TSevenGadget& gadget)
{
    const QImage image = gadget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::vector<std::vector<bool>> digits;
    for (const Rect& box : gadget.DigitRects()) {
        const auto polys = SegmentPolygons(box, gadget.Layout().thickness, gadget.Layout().gap);
        std::vector<bool> lit;
        for (const Polygon& poly : polys) {
            const QColor c = image.pixelColor(Centroid(poly));
            EXPECT_TRUE(c == gadget.lit || c == gadget.unlit) << c.name().toStdString();
            lit.push_back(c == gadget.lit);
        }
        digits.push_back(lit);
    }
    return digits;
}

std::vector<bool> Lit(int code)
{
    std::vector<bool> v;
    for (int s = 0; s < 7; ++s)
        v.push_back(SegmentLit(code, s));
    return v;
}

}  // namespace

TEST(SevenGadget, CounterShowsBlankMinusFiveAndBlankBlankZero)
{
    mftest::App();
    TSevenGadget gadget;
    gadget.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    gadget.SetLayout({3, 1, 4, 2, 3});
    gadget.SetValue(-5);
    using D = std::vector<std::vector<bool>>;
    EXPECT_EQ(ReadSegments(gadget), (D{Lit(sevenseg::Blank), Lit(sevenseg::Minus), Lit(5)}));
    gadget.SetValue(0);
    EXPECT_EQ(ReadSegments(gadget), (D{Lit(sevenseg::Blank), Lit(sevenseg::Blank), Lit(0)}));
    gadget.SetValue(128);
    EXPECT_EQ(ReadSegments(gadget), (D{Lit(1), Lit(2), Lit(8)}));
    EXPECT_EQ(gadget.size(), QSize(56, 28));
}

TEST(BoardDrawing, LossFlagsNumbersAndTextureShowInThePixels)
{
    mftest::App();
    Events events;
    Silence silence;
    TMyWindow board(events, silence);
    MineGame& game = board.Game();
    // Mines at (0,0) and (2,0) of a 6 x 5 square board.
    auto script = std::make_shared<std::vector<uint32_t>>(std::vector<uint32_t>{0, 0, 2, 0});
    auto next = std::make_shared<size_t>(0);
    game.SetRandomSource([script, next] { return (*script)[(*next)++ % script->size()]; });
    game.SetLevel(9);
    game.SetCustomSize(6, 5, 2);
    game.SetShape(ShapeKind::Square);
    ASSERT_EQ(board.size(), QSize(18 * 6 + 10, 18 * 5 + 11));

    const auto pixel = [&](int x, int y) { return board.Image().pixelColor(x, y); };
    const auto at = [&](CellPos p) {
        const QPoint c = board.CellCentre(p);
        return Point{c.x(), c.y()};
    };
    const QColor grey(0xC0, 0xC0, 0xC0);
    EXPECT_EQ(pixel(2, 2), grey);                       // plain background outside the well
    EXPECT_EQ(pixel(4, 10), QColor(0x40, 0x40, 0x40));  // dark inner left of the well

    game.RightButtonDown(at({2, 0}));
    const QPoint flag = board.CellCentre({2, 0});
    EXPECT_EQ(pixel(flag.x() - 1, flag.y() - 2), QColor(Qt::red));  // the pennant
    EXPECT_EQ(pixel(flag.x(), flag.y() + 5), QColor(Qt::black));    // the foot

    game.LeftButtonDown(at({1, 1}));
    game.LeftButtonUp(at({1, 1}));
    // A blue "2" inside the opened cell.
    const Rect& two = game.Cell({1, 1}).bounds;
    int blue = 0;
    for (int y = two.top + 2; y < two.bottom - 1; ++y)
        for (int x = two.left + 2; x < two.right - 1; ++x)
            blue += pixel(x, y) == QColor(0, 0, 255);
    EXPECT_GT(blue, 10);

    game.LeftButtonDown(at({0, 0}));
    game.LeftButtonUp(at({0, 0}));
    ASSERT_TRUE(game.GameOver());
    const Rect& lost = game.Cell({0, 0}).bounds;
    EXPECT_EQ(pixel(lost.left + 3, lost.top + 3), QColor(Qt::red));  // the mine on red
    const QPoint mine = board.CellCentre({0, 0});
    EXPECT_EQ(pixel(mine.x() + 1, mine.y() + 1), QColor(Qt::black));
    EXPECT_EQ(pixel(flag.x() - 1, flag.y() - 2), QColor(Qt::red));  // correct flag kept

    // Texture 1 tiles from the corner; a missing file shows the colour again.
    std::string one = "1";
    board.SetTexture(&one);
    ASSERT_TRUE(board.HasTexture());
    EXPECT_EQ(pixel(10, 2), pixel(74, 2));
    EXPECT_EQ(pixel(2, 1), pixel(2, 65));
    EXPECT_NE(pixel(10, 2), pixel(11, 2));  // a texture, not a plain colour
    std::string missing = "/nonexistent/texture.bmp";
    board.SetTexture(&missing);
    EXPECT_FALSE(board.HasTexture());
    EXPECT_EQ(pixel(2, 2), grey);
    board.SetBkColor(0x0000FF);
    EXPECT_EQ(pixel(2, 2), QColor(Qt::red));
}

TEST(BoardDrawing, DamagedBitmapFileLeavesNoTexture)
{
    mftest::App();
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.bmp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // A header that claims a huge picture, and nothing after it.
    QByteArray header;
    const auto put = [&header](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            header.append(char((v >> (8 * i)) & 0xFF));
    };
    header.append("BM");
    put(0x7FFFFFFF, 4);  // file size
    put(0, 4);
    put(54, 4);          // pixel offset
    put(40, 4);          // info size
    put(0xFFFF, 4);      // width
    put(0xFFFF, 4);      // height
    put(1, 2);
    put(24, 2);
    file.write(header);
    file.close();
    Events events;
    Silence silence;
    TMyWindow board(events, silence);
    board.Game().SetShape(ShapeKind::Brick);
    std::string text = path.toStdString();
    board.SetTexture(&text);
    EXPECT_FALSE(board.HasTexture());
}

TEST(Sound, SilentAndHarmlessWithoutADevice)
{
    mftest::App();
    SdlSound sound;  // the tests run with SDL's dummy driver, or none at all
    sound.PlayClick();
    sound.PlayExplosion();
    sound.PlayClick();
    sound.PlayWin();
    SUCCEED() << (sound.HasDevice() ? "a device" : "no device");
}

// Expert boards of every shape in play, lost and won, with and without a
// texture, written as PNG files into the folder named by QV_SCREENSHOTS.
TEST(Screenshots, ExpertBoardsOfEveryShape)
{
    const QString folder = qEnvironmentVariable("QV_SCREENSHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set QV_SCREENSHOTS to a folder to get the pictures";
    mftest::App();
    QDir().mkpath(folder);
    const std::pair<int, const char*> shapes[] = {
        {cmd::ShapeSquare, "square"},     {cmd::ShapeDiamond, "diamond"}, {cmd::ShapeBrick, "brick"},
        {cmd::ShapeTriangle, "triangle"}, {cmd::ShapeShifted, "shifted"}, {cmd::ShapeHexagon, "hexagon"},
    };
    const int textures[] = {cmd::Texture1, cmd::Texture2, cmd::Texture3, cmd::Texture4, cmd::Texture1,
                            cmd::Texture2};
    int written = 0;
    for (size_t i = 0; i < std::size(shapes); ++i) {
        for (bool textured : {false, true}) {
            QTemporaryDir dir;
            IniFile ini;
            ini.Parse("[MVRO]\r\nLEVEL3=4\r\nTEXTURE=0\r\n");
            ini.Save(dir.filePath("mvro.ini").toStdString());
            TMyFrameWindow::Options options;
            options.iniPath = dir.filePath("mvro.ini");
            options.seed = 11 + uint32_t(i);
            TMyFrameWindow frame(options);
            frame.show();
            frame.Command(shapes[i].first);
            if (textured)
                frame.Command(textures[i]);
            MineGame& game = frame.Board().Game();
            const auto click = [&](CellPos p, Qt::MouseButton button) {
                QTest::mouseClick(&frame.Board(), button, {}, frame.Board().CellCentre(p));
            };
            const auto save = [&](const char* state) {
                const QString name = QStringLiteral("%1/minefield-%2-%3%4.png")
                                         .arg(folder, shapes[i].second, state, textured ? "-texture" : "");
                EXPECT_TRUE(frame.grab().save(name));
                ++written;
            };
            // In play: open the first empty cell, a few numbers, flag some
            // mines and spend one shield.
            int flags = 0, numbers = 0;
            bool opened = false, shield = false;
            for (int32_t r = 0; r < game.Height(); ++r) {
                for (int32_t c = 0; c < game.Width(); ++c) {
                    const TCell& cell = game.Cell({c, r});
                    if (!opened && cell.value == 0 && cell.state == 0) {
                        click({c, r}, Qt::LeftButton);
                        opened = true;
                    } else if (cell.IsMine() && flags < 4 && r > game.Height() / 2) {
                        click({c, r}, Qt::RightButton);
                        ++flags;
                    } else if (cell.IsMine() && !shield && r > 1) {
                        click({c, r}, Qt::LeftButton);
                        shield = true;
                    } else if (cell.value > 0 && cell.state == 0 && numbers < 6 && r > game.Height() / 2) {
                        click({c, r}, Qt::LeftButton);
                        ++numbers;
                    }
                }
            }
            // A flag on a safe cell shows crossed out at the end.
            for (int32_t c = game.Width() - 1; c >= 0; --c) {
                if (!game.Cell({c, 0}).IsMine() && game.Cell({c, 0}).state == 0) {
                    click({c, 0}, Qt::RightButton);
                    break;
                }
            }
            save("play");
            for (int32_t r = 0; r < game.Height() && !game.GameOver(); ++r)
                for (int32_t c = 0; c < game.Width() && !game.GameOver(); ++c)
                    if (game.Cell({c, r}).IsMine() && !game.Cell({c, r}).flagged)
                        click({c, r}, Qt::LeftButton);
            EXPECT_TRUE(game.GameOver());
            save("lost");

            frame.Command(cmd::New);
            bool answered = false;
            mftest::WhenModal<QDialog>([&](QDialog* d) {
                d->reject();
                answered = true;
            });
            for (int32_t r = 0; r < game.Height() && !game.GameOver(); ++r)
                for (int32_t c = 0; c < game.Width() && !game.GameOver(); ++c)
                    if (!game.Cell({c, r}).IsMine() && game.Cell({c, r}).state == 0)
                        click({c, r}, Qt::LeftButton);
            EXPECT_TRUE(game.GameOver());
            save("won");
            EXPECT_TRUE(mftest::WaitUntil([&] { return answered; }));
        }
    }
    EXPECT_EQ(written, 36);
}
