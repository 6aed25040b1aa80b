// Pictures of the play window for a person to look at (written when
// QV_SCREENSHOTS names a folder), and checks of what they show.
#include <vector>
#include <QImage>
#include <gtest/gtest.h>

#include "Drive.h"
#include "ShellFixture.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/play/windows/Loupe.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/play/windows/WMuestra.h"

using namespace shelltest;

namespace {

QRgb pixelAt(QWidget& w, QPoint p) { return w.grab().toImage().pixel(p); }

QRgb backgroundOf(qv::WSPuz& s)
{
    const uint32_t b = s.backgroundPixel();
    return qRgb((b >> 16) & 0xFF, (b >> 8) & 0xFF, b & 0xFF);
}

}  // namespace

TEST(Screens, ScatteredBoxLoupeAndPreview)
{
    ProgramFolder folder;
    const auto puzzle = makePuzzle(folder / "bands.puz", 8, 6, 0, 480, 360);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::WPuz& w = s.window();
    qv::Puz& puz = s.puz();
    ASSERT_EQ(puz.pieceCount(), 48);
    w.SetPreviewHidden(true);

    // Every piece shows its picture where it lies, not the table.
    const QPoint c = centreInPlay(w, puz.pieces[0]);
    EXPECT_NE(pixelAt(w, c), backgroundOf(w));
    fw::saveScreenshot(w, "play_scattered");

    // Four groups into box 1, then the box opened.
    // The piece under a centre may be another one lying over it on the
    // scattered table, so the pieces that went are looked up afterwards.
    for (int piece : {0, 9, 18, 27}) {
        QTest::mouseMove(&w, centreInPlay(w, puz.pieces[piece]));
        QTest::keyClick(&w, Qt::Key_1, Qt::AltModifier);
    }
    std::vector<int> boxed;
    for (int p = 0; p < puz.pieceCount(); ++p)
        if (puz.pieces[p].box == 0)
            boxed.push_back(p);
    ASSERT_GE(boxed.size(), 2u) << "Alt+1 sends the piece under the pointer to box 1";
    qv::WBox* box = w.box(0);
    box->setClosed(false);
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->geometry(), box->openRect());
    const QPoint inBox = centreInPlay(w, puz.pieces[boxed.back()]);
    EXPECT_TRUE(box->geometry().contains(inBox));
    EXPECT_NE(pixelAt(w, inBox), backgroundOf(*box)) << "the piece shows in its box";
    fw::saveScreenshot(w, "play_open_box");

    // The loupe at a piece, twice as large.
    const QPoint at = centreInPlay(w, puz.pieces[40]);
    QTest::mouseMove(&w, at);
    QTest::keyPress(&w, Qt::Key_Shift);
    QTest::keyRelease(&w, Qt::Key_Shift);
    ASSERT_TRUE(w.loupe());
    EXPECT_TRUE(w.loupe()->shown());
    const QRect lens = w.loupe()->widget().geometry();
    EXPECT_EQ(lens.topLeft() + QPoint(lens.width() / 2, lens.height() / 2), at);
    EXPECT_EQ(w.loupe()->widget().width(), 210 + qv::Loupe::Rim);
    fw::saveScreenshot(w, "play_loupe");
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.loupe());

    // The preview: Insert shows it.
    QTest::keyClick(&w, Qt::Key_Insert);
    EXPECT_TRUE(w.previewShown());
    fw::saveScreenshot(w, "play_preview");
    QTest::keyClick(&w, Qt::Key_Insert);
    EXPECT_FALSE(w.previewShown());
}
