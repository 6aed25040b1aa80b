#pragma once
#include "minefield/TSquare.h"

namespace mf {

// A brick has the square's outline; only its place on the board differs
// (odd rows shifted half a cell).
class TBrick : public TSquare {};

}  // namespace mf
