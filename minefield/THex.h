#pragma once
#include "minefield/TCell.h"

namespace mf {

class THex : public TCell {
public:
    void SetBounds(int32_t x, int32_t y, int32_t w, int32_t h) override;
    std::array<EdgeRun, 2> EdgeRuns() const override;
    Polygon InsetOutline() const override;

    // Horizontal length of a slanted side for bottom - top = span; 6 for the
    // board's 23-pixel cells.
    static int32_t SlantWidth(int32_t span);
};

}  // namespace mf
