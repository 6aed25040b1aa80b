#pragma once
#include "minefield/TCell.h"

namespace mf {

// A square cell; also the outline of a brick.
class TSquare : public TCell {
public:
    // The four corners are stored here already, so hit tests see them before
    // the cell was ever drawn.
    void SetBounds(int32_t x, int32_t y, int32_t w, int32_t h) override;
    std::array<EdgeRun, 2> EdgeRuns() const override;
    Polygon InsetOutline() const override;
};

}  // namespace mf
