#pragma once
#include "jigsaw/document/PieceSheet.h"

namespace qv {

class Puz;

// Gives a rendered piece a raised look: along its outline, edges that face
// the light (top left of the screen) are lightened and the others darkened,
// fading over three pixels inward. The outline and its direction come from
// the piece's mask, so straight edges, tabs and holes are shaded alike and
// the shading follows a piece when it turns.
void shadeEdges(Puz& puz, const SPuz& piece, EdgeStyle style);

// The light level of an outline pixel facing outward along (nx, ny):
// 255 facing the light, 64 facing away.
int edgeLevel(double nx, double ny);

}  // namespace qv
