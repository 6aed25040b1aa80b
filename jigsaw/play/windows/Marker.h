#pragma once
#include <QPoint>
#include <QRect>

class QPainter;
class QWidget;

namespace qv {

class Puz;
class WSPuz;

// The marker of marked groups: drawn on each group's marker piece, and
// shown flying between its dock (bottom-left of the play window) and a
// piece when a group is marked or unmarked.
class Marker {
public:
    static constexpr int FlightMs = 250;

    // Where the marker sits on a piece, in the surface's window coordinates.
    static QRect onPiece(const WSPuz& surface, const Puz& puz, int piece);
    static QSize size();

    // Draws the marker on every marker piece of the surface's container.
    static void paintOn(QPainter& painter, const WSPuz& surface, const Puz& puz);
    // The dock, with the marker in it.
    static void paintDock(QPainter& painter, const QRect& dock);

    // Animates the flight over the play window (coordinates of `over`).
    // Nothing is shown when animations are off.
    void fly(QWidget& over, QRect from, QRect to, bool animate);
    int flights() const { return m_flights; }

private:
    int m_flights = 0;
};

}  // namespace qv
