#pragma once
#include <cstdint>
#include <set>
#include <vector>

#include "framework/Bitmap.h"
#include "jigsaw/document/EdgeStyle.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// The shadow a carried group casts on what lies below it, in the style the
// pieces' edges are drawn with: none, a plain grey one or a soft one. It is
// made once from the group's masks and moves with the group.
struct LiftShadow {
    std::vector<bool> pieces;  // by piece number: the carried group
    EdgeStyle style = EdgeStyle::Blend;
    // The shadow's darkness (0..255) over a table rectangle.
    Rect16 area;
    std::vector<uint8_t> cover;

    // Where it falls from the group (table pixels down and right) and how
    // far its soft edge spreads on every side.
    int offset() const { return style == EdgeStyle::Grey ? 5 : 6; }
    int spread() const { return style == EdgeStyle::Blend ? 4 : 0; }
    // The area it darkens beside a rectangle of the group.
    Rect16 around(const Rect16& r) const;
    // Makes the darkness from the group's pieces where they lie now.
    void render(const Puz& puz, uint8_t container);
};

// Draws the pieces of one container (the table or a box) over a rectangle
// of its surface whose ground is already painted in out, from the bottom of
// the drawing order to the top, clipped to the rectangle. (x, y) is the
// surface point (pieces' table coordinates) of out's top-left pixel.
// Pieces in skip are left out (a group an animation is showing); those
// dimmed marks (by piece number) are drawn faintly over the ground.
// A shadow, when given, is drawn just below the first piece of its group.
void drawSurfacePieces(const Puz& puz, uint8_t container, int x, int y, fw::Bitmap& out,
                       const std::set<int>* skip = nullptr, const std::vector<bool>* dimmed = nullptr,
                       const LiftShadow* shadow = nullptr);

// The picture faintly over the ground: strength percent of the picture,
// its top-left at the surface point area; (x, y) as above.
void drawGhostPicture(const Puz& puz, Point16 area, int percent, int x, int y, fw::Bitmap& out);

// The union of the table rectangles of the given container's pieces; empty
// (w = 0) when it holds none.
Rect16 containerBounds(const Puz& puz, uint8_t container);

}  // namespace qv
