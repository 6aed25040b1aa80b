#include "minefield/Zoom.h"

#include <cstdlib>

namespace mf {

int NearestZoom(int percent)
{
    int best = ZoomSteps.front();
    for (int step : ZoomSteps)
        if (std::abs(step - percent) < std::abs(best - percent))
            best = step;
    return best;
}

int ZoomIn(int percent)
{
    const int now = NearestZoom(percent);
    for (int step : ZoomSteps)
        if (step > now)
            return step;
    return ZoomSteps.back();
}

int ZoomOut(int percent)
{
    const int now = NearestZoom(percent);
    int below = ZoomSteps.front();
    for (int step : ZoomSteps)
        if (step < now)
            below = step;
    return below;
}

}  // namespace mf
