#pragma once
#include <algorithm>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

#include "framework/qt/MenuBuilder.h"
#include "framework/qt/Window.h"

#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/WPuz.h"

namespace shelltest {

// A place on the play window for a piece's cell centre on its surface.
inline QPoint centreInPlay(qv::WPuz& w, const qv::SPuz& p)
{
    qv::WSPuz* s = w.surfaceOf(p.box);
    const QPoint c = s->toWindow(QPoint(p.tableCell.x + p.tableCell.w / 2, p.tableCell.y + p.tableCell.h / 2));
    return s->mapTo(&w, c);
}

// Where piece p's cell must lie to sit exactly against neighbour n on its
// own side k (both at the same rotation).
inline QPoint besideNeighbour(const qv::SPuz& p, const qv::SPuz& n, int k)
{
    const int d = (k + p.rotation) & 3;
    const qv::Rect16 pc = p.tableCell, nc = n.tableCell;
    switch (d) {
    case 0: return {nc.x + nc.w, nc.y};
    case 1: return {nc.x, nc.y + nc.h};
    case 2: return {nc.x - pc.w, nc.y};
    default: return {nc.x, nc.y - pc.h};
    }
}

struct JoinPlan {
    int piece = -1;
    int neighbour = -1;
    int side = -1;
};

// A piece on the table with an unjoined neighbour on the table in another
// group, whose cell can be carried next to that neighbour without leaving
// the window. Turning is left to the drag (a right click while holding).
inline std::optional<JoinPlan> findJoin(qv::WPuz& w)
{
    qv::Puz& puz = w.context().puz;
    qv::PlayRules& rules = w.rules();
    const QRect inside = w.rect().adjusted(8, 8, -8, -8);
    for (const qv::SPuz& p : puz.pieces) {
        if (p.box != qv::SPuz::OnTable)
            continue;
        qv::PieceList mine = rules.group(p.index);
        for (int k = 0; k < 4; ++k) {
            const int n = p.neighbour[k];
            if (n < 0 || (p.joined & (1 << k)) || puz.pieces[n].box != qv::SPuz::OnTable || mine.contains(n))
                continue;
            qv::SPuz turned = p;
            turned.rotation = puz.pieces[n].rotation;
            if ((turned.rotation - p.rotation) & 1)
                std::swap(turned.tableCell.w, turned.tableCell.h);
            const QPoint target = besideNeighbour(turned, puz.pieces[n], k);
            // The knobs stand out of the cell: a group carried that near an
            // edge scrolls the table, and the drop lands elsewhere.
            const int knobs = std::max(turned.tableCell.w, turned.tableCell.h) / 3;
            const QRect cell = QRect(w.toWindow(target), QSize(turned.tableCell.w, turned.tableCell.h))
                                   .adjusted(-knobs, -knobs, knobs, knobs);
            if (!inside.contains(cell) || !inside.contains(centreInPlay(w, p)))
                continue;
            return JoinPlan{p.index, n, k};
        }
    }
    return std::nullopt;
}

// The window a press at this point of the play window reaches: the
// toolkit's test presses go to the widget they are given, so the one under
// the point is looked up as the window system would.
inline QWidget* under(qv::WPuz& w, QPoint at, QPoint& local)
{
    QWidget* target = w.childAt(at);
    while (target && !dynamic_cast<fw::Window*>(target))
        target = target->parentWidget();
    if (!target)
        target = &w;
    local = target->mapFrom(&w, at);
    return target;
}

inline void press(qv::WPuz& w, Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers mods = {})
{
    QPoint local;
    QWidget* target = under(w, at, local);
    QTest::mousePress(target, button, mods, local);
}

inline void release(qv::WPuz& w, Qt::MouseButton button, QPoint at)
{
    QWidget* grabber = QWidget::mouseGrabber();
    QPoint local;
    QWidget* target = grabber ? grabber : under(w, at, local);
    QTest::mouseRelease(target, button, {}, target->mapFrom(&w, at));
}

// The toolkit's test double click ends on a press (its state keeps the
// button held, and every later test's moves would carry it): the release
// follows, as a mouse's does.
inline void doubleClick(qv::WPuz& w, QPoint at)
{
    QPoint local;
    QWidget* target = under(w, at, local);
    QTest::mouseDClick(target, Qt::LeftButton, {}, local);
    QTest::mouseRelease(target, Qt::LeftButton, {}, local);
}

// Moves the pointer (button held) in steps, as a hand would.
inline void glide(qv::WPuz& w, QPoint from, QPoint to, int steps = 8)
{
    for (int i = 1; i <= steps; ++i)
        QTest::mouseMove(&w, from + (to - from) * i / steps);
}

// Picks the plan's piece up, turns it with the right button until it has
// its neighbour's rotation, carries it next to the neighbour (off by a few
// pixels, for the snap to mend) and drops it. Returns the right clicks used.
inline int carryAndDrop(qv::WPuz& w, const JoinPlan& plan, QPoint miss = QPoint(3, -2))
{
    qv::Puz& puz = w.context().puz;
    w.rules().BringToLevel(plan.piece, 0);
    const QPoint start = centreInPlay(w, puz.pieces[plan.piece]);
    QTest::mouseMove(&w, start);
    press(w, Qt::LeftButton, start);
    int turns = 0;
    while (puz.pieces[plan.piece].rotation != puz.pieces[plan.neighbour].rotation && turns < 4) {
        press(w, Qt::RightButton, start);
        release(w, Qt::RightButton, start);
        ++turns;
    }
    const qv::SPuz& p = puz.pieces[plan.piece];
    const QPoint grab = w.toSurface(start) - QPoint(p.tableCell.x, p.tableCell.y);
    const QPoint target = besideNeighbour(p, puz.pieces[plan.neighbour], plan.side);
    const QPoint end = w.toWindow(target + grab + miss);
    glide(w, start, end);
    release(w, Qt::LeftButton, end);
    return turns;
}

// Runs open(), which shows a menu and waits for it; while the menu is up
// look() is called, then the menu is closed, or its first entry (in it or in
// a submenu) for the command chosen, when given: the one of the argument,
// or of any argument when none is given.
inline void whileMenuIsOpen(const std::function<void()>& open, const std::function<void(QMenu&)>& look,
                            uint32_t choose = 0, std::optional<uint32_t> argument = std::nullopt)
{
    bool seen = false;
    std::function<void(int)> poll = [&](int tries) {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (tries > 0)
                QTimer::singleShot(20, [&poll, tries] { poll(tries - 1); });
            return;
        }
        seen = true;
        look(*menu);
        // The entry is chosen with the keyboard, opening its submenu first.
        for (QAction* a : menu->actions()) {
            if (!choose)
                break;
            QMenu* target = menu;
            QAction* entry = nullptr;
            if (a->menu()) {
                for (QAction* inner : a->menu()->actions())
                    if (const auto c = fw::MenuBuilder::choiceOf(inner); c && c->command == choose && (!argument || c->argument == *argument))
                        entry = inner;
                if (entry) {
                    menu->setActiveAction(a);
                    QTest::keyClick(menu, Qt::Key_Right);
                    target = a->menu();
                }
            } else if (const auto c = fw::MenuBuilder::choiceOf(a); c && c->command == choose && (!argument || c->argument == *argument)) {
                entry = a;
            }
            if (!entry)
                continue;
            target->setActiveAction(entry);
            QTest::keyClick(target, Qt::Key_Return);
            return;
        }
        menu->close();
    };
    QTimer::singleShot(20, [&poll] { poll(200); });
    open();
    EXPECT_TRUE(seen) << "no menu was shown";
}

}  // namespace shelltest
