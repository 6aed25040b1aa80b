#pragma once
#include <QPoint>
#include <QPointer>
#include <vector>

#include "framework/EventHandler.h"
#include "framework/Menu.h"
#include "framework/Object.h"
#include "jigsaw/document/Rect16.h"

class QPainter;

namespace qv {

class Puz;
class WSPuz;

// The rubber band: a rectangle dragged open on empty space with Ctrl or
// Enter held. The pieces wholly inside are its candidates (drawn
// highlighted); once released it offers to spread the loose pieces around
// it or to mark or unmark the groups inside.
class MultiSPuzs : public fw::Object, public fw::EventHandler {
public:
    enum Command : uint32_t { Spread = 1200, MarkInside = 1201, UnmarkInside = 1202 };

    MultiSPuzs(Puz& puz, WSPuz& surface, QPoint start);
    ~MultiSPuzs() override;

    // The band's far corner moved (surface coordinates).
    void stretchTo(QPoint corner);
    Rect16 rect() const;
    WSPuz* surface() const { return m_surface; }
    const std::vector<int>& candidates() const { return m_candidates; }
    bool anyMarked() const;
    bool anyUnmarked() const;
    fw::Menu menu() const;

    void paint(QPainter& painter) const;

private:
    void setCandidates(std::vector<int> pieces);
    void repaintBand(const Rect16& area) const;

    Puz& m_puz;
    QPointer<WSPuz> m_surface;
    QPoint m_start;
    QPoint m_corner;
    std::vector<int> m_candidates;
};

}  // namespace qv
