#pragma once
#include "minefield/TCell.h"

namespace mf {

// A triangle cell of the TRIANGLE and SHIFTED boards. Its orientation must be
// set before its bounds, because the outline depends on it.
class TTriangle : public TCell {
public:
    int32_t up = 0;  // 1 = apex points up

    void SetBounds(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void SetOrientation(bool isUp) override;
    bool IsUp() const override;
    std::array<EdgeRun, 2> EdgeRuns() const override;
    Polygon InsetOutline() const override;
};

}  // namespace mf
