#pragma once
#include "minefield/TCell.h"

namespace mf {

class TDiamond : public TCell {
public:
    void SetBounds(int32_t x, int32_t y, int32_t w, int32_t h) override;
    std::array<EdgeRun, 2> EdgeRuns() const override;
    Polygon InsetOutline() const override;
};

}  // namespace mf
