#pragma once
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>

#include "jigsaw/play/Animation.h"

class QPainter;
class QWidget;

namespace qv {

class Puz;
class WSPuz;
class AnimationPlayer;

// The marker of marked groups: drawn on each group's marker piece, and
// shown flying between its dock (bottom-left of the play window) and a
// piece when a group is marked or unmarked.
class Marker {
public:
    static constexpr int FlightMs = 250;

    // Where the marker sits on a piece, in the surface's window coordinates.
    static QRect onPiece(const WSPuz& surface, const Puz& puz, int piece);
    static QSize size();

    // Draws the marker on every marker piece of the surface's container;
    // while a flight is under way, at the piece it leaves and not at the
    // one it lands on.
    static void paintOn(QPainter& painter, const WSPuz& surface, const Puz& puz, const MarkerFlight* flying = nullptr);
    // The dock, with the marker in it.
    static void paintDock(QPainter& painter, const QRect& dock);

    // Plays the flight over the play window (coordinates of `over`) on the
    // player; landed runs when it is over (at once when nothing is shown:
    // animations off, or the window hidden).
    void fly(AnimationPlayer& player, QWidget& over, const MarkerFlight& flight, bool animate,
             std::function<void()> landed);
    int flights() const { return m_flights; }
    const MarkerFlight* flying() const { return m_flying ? &*m_flying : nullptr; }

private:
    int m_flights = 0;
    std::optional<MarkerFlight> m_flying;
};

}  // namespace qv
