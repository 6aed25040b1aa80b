// The table's view zooms and pans; every rule still works in table pixels,
// and a game kept at a zoom comes back at it.
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

#include "PlayTable.h"
#include "jigsaw/document/PuzHeader.h"
#include "jigsaw/play/PlaySession.h"
#include "jigsaw/play/windows/Loupe.h"
#include "jigsaw/play/windows/WBox.h"

using namespace playtest;

namespace {

constexpr int Piece = 7;  // row 1, column 1: its left neighbour is piece 6
constexpr int Far = 23;   // laid far off, so the whole table is larger than the window

struct Drop {
    bool joined;
    QPoint cell;
};

QPoint cellOf(const qv::SPuz& p) { return {p.tableCell.x, p.tableCell.y}; }

// Lays the piece out away from its left neighbour, views the table at the
// zoom, carries the piece with the mouse to the neighbour's side missed by
// offset table pixels, and drops it.
Drop dropAt(double zoom, QPoint offset)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    qv::Puz& puz = t.puz;
    const int n = puz.pieces[Piece].neighbour[0];
    EXPECT_GE(n, 0);
    w.rules().MoveGroup(Far, {1800, 1400});
    w.rules().MoveGroup(n, {260, 200});
    const QPoint exact(puz.pieces[n].tableCell.x + puz.pieces[n].tableCell.w, puz.pieces[n].tableCell.y);
    // An even way to go, so that at 50 % the pointer's pixels reach the spot exactly.
    const QPoint way(100, 130);
    const QPoint start = exact + offset + way;
    w.rules().MoveGroup(Piece, {static_cast<int16_t>(start.x()), static_cast<int16_t>(start.y())});
    if (zoom == 2.0)
        w.setView(2.0, QPointF(150, 120));
    else
        w.zoomAt(zoom, w.rect().center());
    EXPECT_DOUBLE_EQ(w.zoom(), zoom);
    QCoreApplication::processEvents();

    const qv::SPuz& p = puz.pieces[Piece];
    const QPoint from = w.toWindow(QPoint(p.tableCell.x + p.tableCell.w / 2, p.tableCell.y + p.tableCell.h / 2));
    QTest::mouseMove(&w, from);
    QTest::mousePress(&w, Qt::LeftButton, {}, from);
    EXPECT_EQ(w.session().heldPiece(), Piece) << "picked up at zoom " << zoom;
    const QPoint to = from - QPoint(std::lround(way.x() * zoom), std::lround(way.y() * zoom));
    for (int i = 1; i <= 8; ++i)
        QTest::mouseMove(&w, from + (to - from) * i / 8);
    QTest::mouseRelease(&w, Qt::LeftButton, {}, to);
    EXPECT_EQ(w.session().heldPiece(), qv::PlayRules::NoPiece);
    return {(p.joined & 1) != 0, cellOf(p) - exact};
}

bool near(QPointF a, QPointF b, double tolerance)
{
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

}  // namespace

TEST(TableZoom, ADropAtHalfAndDoubleZoomJoinsExactlyAsAtFullSize)
{
    // Sides join less than 6 table pixels apart, whatever the zoom: at 50 %
    // the misses below are 2.5 and 3 window pixels, at 200 % 10 and 12.
    const QPoint misses[] = {{0, 0}, {5, -5}, {-5, 3}, {6, 0}, {0, -6}, {-4, 8}};
    std::map<std::pair<int, int>, Drop> full;
    for (QPoint miss : misses) {
        const Drop d = dropAt(1.0, miss);
        const bool within = std::abs(miss.x()) <= 5 && std::abs(miss.y()) <= 5;
        EXPECT_EQ(d.joined, within) << miss.x() << "," << miss.y();
        EXPECT_EQ(d.cell, within ? QPoint() : miss) << "snapped to the side, or left where dropped";
        full[{miss.x(), miss.y()}] = d;
    }
    for (double zoom : {0.5, 2.0})
        for (QPoint miss : misses) {
            const Drop d = dropAt(zoom, miss);
            const Drop& at100 = full[{miss.x(), miss.y()}];
            EXPECT_EQ(d.joined, at100.joined) << "zoom " << zoom << ", missed by " << miss.x() << "," << miss.y();
            EXPECT_EQ(d.cell, at100.cell) << "zoom " << zoom << ", missed by " << miss.x() << "," << miss.y();
        }
}

TEST(TableZoom, ZoomingKeepsTheTablePointUnderThePointer)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    w.rules().MoveGroup(Far, {2600, 2000});  // room to zoom out to about a third
    struct Case {
        double from;
        QPointF origin;
        int steps;
        QPoint pointer;
        double to;
    } cases[] = {
        {1.0, {0, 0}, 1, {100, 90}, 1.25},   {1.0, {0, 0}, 3, {850, 650}, 2.0},
        {2.0, {300, 200}, 2, {10, 600}, 3.0}, {4.0, {700, 500}, -1, {450, 350}, 3.0},
        {1.0, {800, 600}, -2, {200, 500}, 2.0 / 3}, {0.5, {200, 100}, 3, {640, 333}, 1.0},
    };
    for (const Case& c : cases) {
        w.setView(c.from, c.origin);
        const QPointF under = w.toSurfaceF(QPointF(c.pointer));
        w.zoomSteps(c.steps, c.pointer);
        EXPECT_DOUBLE_EQ(w.zoom(), c.to) << c.from << " by " << c.steps;
        // At 100 % the view lies on whole pixels again: half a pixel at most.
        const double slack = c.to == 1.0 ? 0.5 : 1e-9;
        EXPECT_TRUE(near(w.toSurfaceF(QPointF(c.pointer)), under, slack))
            << c.from << " by " << c.steps << ": " << under.x() << "," << under.y() << " went to "
            << w.toSurfaceF(QPointF(c.pointer)).x() << "," << w.toSurfaceF(QPointF(c.pointer)).y();
        EXPECT_EQ(w.unscaled(), c.to == 1.0);
    }

    // The wheel with Ctrl steps too, about where it turns.
    w.setView(1.0, QPointF(100, 100));
    const QPoint at(321, 123);
    const QPointF under = w.toSurfaceF(QPointF(at));
    QWheelEvent wheel(QPointF(at), QPointF(w.mapToGlobal(at)), {}, QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&w, &wheel);
    EXPECT_DOUBLE_EQ(w.zoom(), 1.25);
    EXPECT_TRUE(near(w.toSurfaceF(QPointF(at)), under, 1e-9));
}

TEST(TableZoom, TheViewGoesFromTheWholeTableToFourTimesAndPansWithinIt)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    for (int p = 0; p < t.puz.pieceCount(); ++p)
        w.rules().MoveGroup(p, {60, 60});
    // Everything within the window's area: the whole table is 100 %.
    EXPECT_DOUBLE_EQ(w.minZoom(), 1.0);
    w.zoomSteps(-3, {400, 300});
    EXPECT_DOUBLE_EQ(w.zoom(), 1.0);

    w.rules().MoveGroup(Far, {1700, -500});
    const qv::Rect16 whole = w.wholeTable();
    EXPECT_LT(whole.y, -400);
    w.zoomToWhole();
    const qv::Rect16 v = w.visibleArea();
    EXPECT_LT(w.zoom(), 0.6);
    EXPECT_TRUE(v.x <= whole.x && v.y <= whole.y && v.x + v.w >= whole.x + whole.w && v.y + v.h >= whole.y + whole.h)
        << "the whole table in sight";
    w.zoomSteps(-1, {400, 300});
    EXPECT_DOUBLE_EQ(w.zoom(), w.minZoom()) << "no further out than the whole table";
    w.zoomSteps(40, {400, 300});
    EXPECT_DOUBLE_EQ(w.zoom(), qv::WPuz::MaxZoom);

    // Panning (the wheel, Shift and the wheel, the middle button on empty
    // table) stops at the table's edges.
    w.setView(2.0, QPointF(0, 0));
    auto turn = [&](QPoint delta, Qt::KeyboardModifiers mods) {
        QWheelEvent e(QPointF(400, 300), QPointF(w.mapToGlobal(QPoint(400, 300))), {}, delta, Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&w, &e);
    };
    turn(QPoint(0, -120), {});
    EXPECT_EQ(w.exactOrigin(), QPointF(0, 48)) << "a turn down shows what lies below";
    turn(QPoint(0, -120), Qt::ShiftModifier);
    EXPECT_EQ(w.exactOrigin(), QPointF(48, 48)) << "sideways";
    for (int i = 0; i < 200; ++i)
        turn(QPoint(0, 120), {});
    EXPECT_EQ(w.exactOrigin().y(), whole.y) << "not beyond the top of the table";

    const QPoint empty(600, 400);
    ASSERT_LT(w.rules().HitTest(qv::SPuz::OnTable, {static_cast<int16_t>(w.toSurface(empty).x()),
                                                    static_cast<int16_t>(w.toSurface(empty).y())}),
              0);
    const QPointF before = w.exactOrigin();
    QTest::mousePress(&w, Qt::MiddleButton, {}, empty);
    QTest::mouseMove(&w, empty + QPoint(-40, -20));
    QTest::mouseMove(&w, empty + QPoint(-80, -60));
    QTest::mouseRelease(&w, Qt::MiddleButton, {}, empty + QPoint(-80, -60));
    EXPECT_EQ(w.exactOrigin(), before + QPointF(40, 30)) << "the table follows the pointer";
    QTest::mouseMove(&w, empty);
    EXPECT_EQ(w.exactOrigin(), before + QPointF(40, 30)) << "and stays once the button is up";
}

TEST(TableZoom, TheWindowShowsTheTableAtTheZoom)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    t.puz.background = "0,16777215";  // a blend, which spans the window at any zoom
    for (int p = 0; p < t.puz.pieceCount(); ++p)
        w.rules().MoveGroup(p, {static_cast<int16_t>(60 + p % 6 * 110), static_cast<int16_t>(60 + p / 6 * 110)});
    // No piece, and off the picture area's outline.
    const qv::Rect16 pa = w.pictureArea();
    const QRect outline = QRect(pa.x, pa.y, pa.w, pa.h).adjusted(-4, -4, 4, 4);
    auto bare = [&](QPoint tablePoint) {
        return !outline.contains(tablePoint) && w.rules().HitTest(qv::SPuz::OnTable,
                                 {static_cast<int16_t>(tablePoint.x()), static_cast<int16_t>(tablePoint.y())}) < 0;
    };
    auto close = [](uint32_t a, uint32_t b) {
        for (int s : {0, 8, 16})
            if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > 8)
                return false;
        return true;
    };
    w.setView(1.0, QPointF(0, 0));
    const QImage full = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Cell centres, where no edge shading is, seen at 100 %.
    std::vector<std::pair<QPoint, uint32_t>> seen;
    for (const qv::SPuz& p : t.puz.pieces)
        seen.push_back({{p.tableCell.x + p.tableCell.w / 2, p.tableCell.y + p.tableCell.h / 2},
                        full.pixel(p.tableCell.x + p.tableCell.w / 2, p.tableCell.y + p.tableCell.h / 2) & 0xFFFFFF});
    int blends = 0;
    for (auto [zoom, origin] : {std::pair{2.0, QPointF(100, 80)}, std::pair{0.5, QPointF(-300, -250)},
                                std::pair{1.5, QPointF(33.25, 10.5)}, std::pair{3.0, QPointF(600, 0)}}) {
        w.setView(zoom, origin);
        const QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int looked = 0;
        for (auto [c, colour] : seen) {
            const QPoint at = w.toWindowF(QPointF(c) + QPointF(0.5, 0.5)).toPoint();
            if (!w.rect().contains(at))
                continue;
            ++looked;
            EXPECT_TRUE(close(image.pixel(at) & 0xFFFFFF, colour))
                << "zoom " << zoom << ", table " << c.x() << "," << c.y() << ": " << std::hex
                << (image.pixel(at) & 0xFFFFFF) << " for " << colour;
        }
        EXPECT_GT(looked, 1) << zoom;
        // The blend follows the window's rows, not the table's.
        for (QPoint spot : {QPoint(w.width() - 3, 2), QPoint(w.width() - 3, w.height() / 2), QPoint(2, w.height() - 3)}) {
            if (!bare(spot) || !bare(w.toSurface(spot)))
                continue;
            ++blends;
            EXPECT_TRUE(close(image.pixel(spot) & 0xFFFFFF, full.pixel(spot) & 0xFFFFFF))
                << "zoom " << zoom << " at " << spot.x() << "," << spot.y();
        }
    }
    EXPECT_GT(blends, 3);
}

TEST(TableZoom, TheLoupeMagnifiesTheViewAsItIsZoomed)
{
    PlayTable t(PlayTable::Setup{{}, {}, false});
    qv::WPuz& w = *t.window;
    const QPoint at(420, 300);
    // On a piece's edge, where a larger lens shows more than one colour.
    const qv::SPuz& p = t.puz.pieces[0];
    const QPointF spot(p.tableCell.x + p.tableCell.w, p.tableCell.y + p.tableCell.h / 2);
    auto lens = [&](double zoom, double factor) {
        t.options.loupeFactor = factor;
        // The same table pixel under the pointer at either zoom.
        w.setView(zoom, spot - QPointF(at) / zoom);
        QTest::mouseMove(&w, at);
        w.OpenLoupe();
        QImage image(w.loupe()->widget().size(), QImage::Format_ARGB32);
        image.fill(0);
        QPainter painter(&image);
        w.loupe()->paint(painter);
        painter.end();
        w.CloseLoupe();
        return image;
    };
    const QImage fourTimes = lens(1.0, 4.0), twiceAtDouble = lens(2.0, 2.0), twiceAtFull = lens(1.0, 2.0);
    EXPECT_EQ(fourTimes, twiceAtDouble) << "twice the view at 200 % is four times the table";
    EXPECT_NE(fourTimes, twiceAtFull);
}

TEST(TableZoom, TheZoomTravelsInAKeyOfOurOwnOnlyWhenItIsNotFullSize)
{
    qv::Puz plain;
    const std::string before = qv::PuzHeader::build(plain, true);
    EXPECT_EQ(before.find("QvZoom"), std::string::npos) << "none at 100 %";
    qv::Puz back;
    ASSERT_TRUE(qv::PuzHeader::parse(back, before, true).ok());
    EXPECT_EQ(back.viewZoom, 1000) << "absent: 100 %";

    struct Case {
        uint16_t zoom;
        qv::Point16 centre;
    } kept[] = {{2000, {450, 350}}, {479, {-120, 1700}}, {4000, {32767, -32768}}, {1, {0, 0}}};
    for (const Case& c : kept) {
        qv::Puz puz;
        puz.viewZoom = c.zoom;
        puz.viewCentre = c.centre;
        puz.viewOrigin = {12, 34};
        const std::string text = qv::PuzHeader::build(puz, true);
        qv::Puz again;
        ASSERT_TRUE(qv::PuzHeader::parse(again, text, true).ok()) << text;
        EXPECT_EQ(again.viewZoom, c.zoom) << text;
        EXPECT_EQ(again.viewCentre.x, c.centre.x) << text;
        EXPECT_EQ(again.viewCentre.y, c.centre.y) << text;
        EXPECT_EQ(again.viewOrigin.x, 12) << "bmphalf: still the view's corner: " << text;
        EXPECT_EQ(qv::PuzHeader::build(again, true), text);
    }

    // Damaged values are no zoom: the game opens as it always did.
    for (const char* odd : {"/QvZoom:", "/QvZoom:2000", "/QvZoom:0,1,2", "/QvZoom:70000,1,2", "/QvZoom:abc,1"}) {
        qv::Puz puz;
        ASSERT_TRUE(qv::PuzHeader::parse(puz, std::string(odd) + "/bmphalf:5,6", true).ok()) << odd;
        EXPECT_EQ(puz.viewZoom, 1000) << odd;
        EXPECT_EQ(puz.viewOrigin.x, 5) << odd;
    }
}

TEST(TableZoom, ASavedGameReopensAtItsZoomAndAFullSizeOneAsBefore)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    const std::string unzoomed = qv::PuzHeader::build(t.puz, true);
    // In and out again about one point: the same view, the same header.
    w.zoomAt(2.0, {300, 200});
    EXPECT_NE(qv::PuzHeader::build(t.puz, true), unzoomed);
    w.zoomAt(1.0, {300, 200});
    EXPECT_EQ(qv::PuzHeader::build(t.puz, true), unzoomed);

    w.zoomAt(2.5, {300, 200});
    const QPointF middle = w.toSurfaceF(QPointF(w.width() / 2.0, w.height() / 2.0));
    t.puz.savedPath = t.dir / "zoomed.sav";
    ASSERT_TRUE(t.puz.Save().ok());

    PlayTable again(t.dir / "zoomed.sav");
    EXPECT_DOUBLE_EQ(again.window->zoom(), 2.5);
    const QPointF back = again.window->toSurfaceF(QPointF(w.width() / 2.0, w.height() / 2.0));
    EXPECT_TRUE(near(back, middle, 0.5)) << back.x() << "," << back.y() << " for " << middle.x() << "," << middle.y();
}

TEST(TableZoom, AGroupCarriedIntoABoxAndBackLiesUnderThePointer)
{
    PlayTable t;
    qv::WPuz& w = *t.window;
    w.addBox();
    qv::WBox& box = *w.box(0);
    box.setClosed(false);
    box.place(QRect(520, 320, 320, 260), QPoint(860, 20));
    box.show();
    w.setView(2.0, QPointF(-20, -10));  // boxes keep their size: only the table is zoomed

    const QPoint from = w.toWindow(QPoint(30, 30));
    QTest::mouseMove(&w, from);
    QTest::mousePress(&w, Qt::LeftButton, {}, from);
    const int piece = w.session().heldPiece();
    ASSERT_GE(piece, 0);
    const qv::SPuz& p = t.puz.pieces[piece];
    const QPoint grab(w.session().grab().x, w.session().grab().y);
    auto carry = [&](QPoint a, QPoint b) {
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(&w, a + (b - a) * i / 10);
    };

    const QPoint inBox = box.geometry().topLeft() + QPoint(150, 130);
    carry(from, inBox);
    ASSERT_EQ(p.box, 0);
    EXPECT_EQ(box.toWindow(cellOf(p) + grab), box.mapFrom(&w, inBox)) << "in the box, pixel for pixel";

    const QPoint back(300, 420);
    carry(inBox, back);
    ASSERT_EQ(p.box, qv::SPuz::OnTable);
    const QPointF shown = w.toWindowF(QPointF(cellOf(p) + grab) + QPointF(0.5, 0.5));
    EXPECT_TRUE(near(shown, QPointF(back) + QPointF(0.5, 0.5), 1.0))
        << "on the table at 200 %: " << shown.x() << "," << shown.y();
    QWidget* grabber = QWidget::mouseGrabber();
    QTest::mouseRelease(grabber ? grabber : &w, Qt::LeftButton, {}, (grabber ? grabber : &w)->mapFrom(&w, back));
    EXPECT_EQ(p.box, qv::SPuz::OnTable);
    EXPECT_EQ(w.session().heldPiece(), qv::PlayRules::NoPiece);
}
