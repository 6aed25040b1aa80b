#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/Bitmap.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// What the play asks the windows to show after a change it has already
// made: the model reports, the view animates. Coordinates are those of the
// container's surface (box number, SPuz::OnTable) unless said otherwise.

// A group as it looked before a change: its pixels (0xAARRGGBB, clear
// outside the pieces) over its bounding rectangle.
struct GroupPicture {
    Rect16 bounds;
    fw::Bitmap pixels;

    bool empty() const { return pixels.width() == 0; }
};

// Renders the pieces as they lie now, in drawing order.
GroupPicture PictureOfGroup(const Puz& puz, const std::vector<int>& pieces);

// Turn these pieces about the pivot by degrees (+90, -90 or 180) over ms
// milliseconds. The pieces already lie turned; before shows them as they
// were, and is what turns.
struct TurnAnimation {
    uint8_t container = 0;
    std::vector<int> pieces;
    Point16 pivot;
    int degrees = 0;
    int ms = 0;
    GroupPicture before;
};

// The neighbour hint: a rectangle stepping from the clicked side (from) to
// the neighbour (to), each step shown for its milliseconds, then a sparkle
// on the neighbour. The steps after the first one during which a mouse
// button is found held are skipped.
struct HintAnimation {
    uint8_t container = 0;
    Rect16 from, to;
    std::array<int, 5> stepsMs{300, 300, 200, 200, 250};
};

// The marker flying between its dock and a piece (play-window
// coordinates). While it flies the marker is drawn at leaving, not at
// landing (-1: neither): the screen shows the old marking until it lands.
struct MarkerFlight {
    Rect16 from, to;
    int ms = 250;
    int leaving = -1;
    int landing = -1;
};

// The program closing from the play window: a square shrinking at the
// centre, a wait, a sparkle at the centre, a wait (play-window coordinates).
struct ExitAnimation {
    Point16 centre;
    int half = 20;
    int shrinkMs = 350;
    int waitMs = 300;
    int afterSparkleMs = 500;
};

// The time an animation is played by, and its frames. The program's clock
// is a timer of the event loop; a test's is advanced by hand.
class AnimationClock {
public:
    virtual ~AnimationClock() = default;
    // Milliseconds, modulo 2^32.
    virtual uint32_t now() const = 0;
    // Calls frame about every frame period, from the event loop, until
    // stopFrames(). A second start replaces the callback.
    virtual void startFrames(std::function<void()> frame) = 0;
    virtual void stopFrames() = 0;
};

}  // namespace qv
