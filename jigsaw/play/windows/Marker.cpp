#include "jigsaw/play/windows/Marker.h"

#include <QPainter>
#include <QWidget>

#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlayRules.h"
#include "jigsaw/play/windows/PlayAnimations.h"
#include "jigsaw/play/windows/PlayCursors.h"
#include "jigsaw/play/windows/WSPuz.h"

namespace qv {

QSize Marker::size() { return PlayCursors::marker().size(); }

QRect Marker::onPiece(const WSPuz& surface, const Puz& puz, int piece)
{
    const SPuz& s = puz.pieces[piece];
    const QSize m = size();
    const QPoint centre = surface.toWindow(QPoint(s.tableCell.x + s.tableCell.w / 2, s.tableCell.y + s.tableCell.h / 2));
    return QRect(centre - QPoint(m.width() / 2, m.height() / 2), m);
}

void Marker::paintOn(QPainter& painter, const WSPuz& surface, const Puz& puz, const MarkerFlight* flying)
{
    for (const SPuz& s : puz.pieces) {
        if (s.box != surface.container())
            continue;
        const bool marker = (s.flags & PlayRules::MarkerPiece) && (s.flags & PlayRules::Marked);
        const bool shown = flying ? (marker && s.index != flying->landing) || s.index == flying->leaving : marker;
        if (shown)
            painter.drawPixmap(onPiece(surface, puz, s.index).topLeft(), PlayCursors::marker());
    }
}

void Marker::paintDock(QPainter& painter, const QRect& dock)
{
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawRect(dock.adjusted(0, 0, -1, -1));
    const QPixmap& m = PlayCursors::marker();
    painter.drawPixmap(dock.center() - QPoint(m.width() / 2, m.height() / 2), m);
}

void Marker::fly(AnimationPlayer& player, QWidget& over, const MarkerFlight& flight, bool animate,
                 std::function<void()> landed)
{
    ++m_flights;
    if (!animate || !over.isVisible()) {
        if (landed)
            landed();
        return;
    }
    m_flying = flight;
    const int id = m_flights;
    player.play(makeFlightShow(over, flight, [this, id, landed = std::move(landed)] {
        if (id == m_flights)  // a later flight keeps its own state
            m_flying.reset();
        if (landed)
            landed();
    }));
}

}  // namespace qv
