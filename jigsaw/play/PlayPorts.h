#pragma once
#include <cstdint>
#include <vector>

#include "jigsaw/document/Rect16.h"
#include "jigsaw/play/Animation.h"
#include "jigsaw/play/LoupeReason.h"
#include "jigsaw/document/Scatter.h"

namespace qv {

// What the play rules ask of the windows that show the pieces. Every call
// has a do-nothing default, so a headless caller (a test, a tool) overrides
// only what it wants to see. Containers are box numbers; SPuz::OnTable is
// the table.
class PlayWindows {
public:
    virtual ~PlayWindows() = default;
    // Repaint this area of a container soon.
    virtual void invalidate(uint8_t /*container*/, const Rect16& /*area*/) {}
    // A turn the rules have just made. True when the window plays it: the
    // rules then stay busy until PlayRules::TurnShown(). A window that only
    // wants the numbers overrides animateRotation instead.
    virtual bool showTurn(const TurnAnimation& turn)
    {
        animateRotation(turn.pieces, turn.pivot, turn.degrees, turn.ms);
        return false;
    }
    // Ends the turn being shown at once, with its last frame (the window
    // then calls PlayRules::TurnShown()). The rules ask for it before they
    // act on pieces again, so input during a turn finds the rules idle, as
    // it would have after waiting for the turn.
    virtual void finishTurn() {}
    // Whether turns are shown at all: only then do the rules keep a picture
    // of the group from before the turn.
    virtual bool showsTurns() const { return false; }
    // Show a group turning by degrees (+90, -90 or 180) about the pivot over ms milliseconds.
    virtual void animateRotation(const std::vector<int>& /*pieces*/, Point16 /*pivot*/, int /*degrees*/, int /*ms*/) {}
    virtual void playSound(int /*number*/) {}
    // The part of the table the player sees, in table coordinates.
    virtual Rect16 visibleTable() const { return {0, 0, 32767, 32767}; }
    virtual void scrollTable(int /*dx*/, int /*dy*/) {}
    virtual bool boxWindowOpen(uint8_t /*box*/) const { return true; }
    virtual void openBoxWindow(uint8_t /*box*/) {}
    // Loupe hide reasons of the play window (loupe::Reason).
    virtual void hideLoupe(int /*reason*/, bool /*pauseClock*/) {}
    virtual void showLoupe(int /*reason*/, bool /*resumeClock*/) {}
    virtual bool loupeExists() const { return false; }
    // The show-neighbour help: a rectangle flying from the clicked side to
    // the neighbour, then a sparkle on it. The rules hide the loupe for
    // loupe::RuleRunning before; the hint's end shows it again.
    virtual void showHint(const HintAnimation& hint)
    {
        showNeighbourHint(hint.container, hint.from, hint.to);
        showLoupe(loupe::RuleRunning, false);
    }
    virtual void showNeighbourHint(uint8_t /*container*/, const Rect16& /*from*/, const Rect16& /*to*/) {}
    // The completion celebration with this many sparkles.
    virtual void celebrate(int /*sparkles*/) {}
    // The surface a container's pieces are tidied over.
    virtual ScatterArea scatterArea(uint8_t container) const
    {
        ScatterArea a;
        a.width = a.height = 2000;
        a.container = container;
        return a;
    }
};

// Where the rules report what counts for the score.
class PlayScore {
public:
    virtual ~PlayScore() = default;
    virtual void addJoinedSides(int n) = 0;
    virtual void addMove() = 0;
    virtual void addHelp(int sides) = 0;
    // The puzzle is complete: stop the clock.
    virtual void finish() = 0;
};

}  // namespace qv
