// A carried group casts a shadow in the style of the pieces' edges, and
// leaves none behind when it is put down.
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

#include "PlayTable.h"
#include "jigsaw/play/PlaySession.h"

using namespace playtest;

TEST(CarriedShadow, TheCarriedGroupCastsTheShadowOfTheEdgeStyle)
{
    struct Case {
        qv::EdgeStyle style;
        bool shadow;
        bool soft;  // more than one shade
    } cases[] = {{qv::EdgeStyle::None, false, false}, {qv::EdgeStyle::Grey, true, false}, {qv::EdgeStyle::Blend, true, true}};
    for (const Case& c : cases) {
        PlayTable t;
        qv::WPuz& w = *t.window;
        t.puz.background = "8421504";  // plain grey
        t.puz.sheetEdges = c.style;
        w.rules().MoveGroup(5, {120, 520});
        w.rules().BringToLevel(5, 0);
        const uint32_t ground = w.backgroundPixel();
        auto shot = [&] { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); };
        const QImage before = shot();
        const qv::SPuz& p = t.puz.pieces[5];
        const QPoint at(p.tableCell.x + p.tableCell.w / 2, p.tableCell.y + p.tableCell.h / 2);
        QTest::mouseMove(&w, at);
        QTest::mousePress(&w, Qt::LeftButton, {}, at);
        ASSERT_EQ(w.session().heldPiece(), 5);
        const QImage held = shot();

        int changed = 0;
        double sumX = 0, sumY = 0;
        std::set<uint32_t> shades;
        for (int y = 0; y < held.height(); ++y)
            for (int x = 0; x < held.width(); ++x) {
                const uint32_t a = before.pixel(x, y) & 0xFFFFFF, b = held.pixel(x, y) & 0xFFFFFF;
                if (a == b)
                    continue;
                ++changed;
                shades.insert(b);
                EXPECT_EQ(a, ground) << "only the ground darkens, at " << x << "," << y;
                EXPECT_LT(b & 0xFF, a & 0xFF) << x << "," << y;
                sumX += x;
                sumY += y;
            }
        EXPECT_EQ(changed > 0, c.shadow) << static_cast<int>(c.style);
        if (changed > 0) {
            // Seen around the piece, the shadow lies to the right and below it.
            EXPECT_GT(sumX / changed, p.table.x + p.table.w / 2.0 + 2) << static_cast<int>(c.style);
            EXPECT_GT(sumY / changed, p.table.y + p.table.h / 2.0 + 2) << static_cast<int>(c.style);
        }
        if (c.shadow) {
            EXPECT_EQ(shades.size() > 1, c.soft) << static_cast<int>(c.style) << ": " << shades.size() << " shades";
        }

        QTest::mouseRelease(&w, Qt::LeftButton, {}, at);
        EXPECT_EQ(shot(), before) << "put down, the shadow goes";
    }
}
