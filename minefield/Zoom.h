#pragma once
#include <array>

namespace mf {

// The sizes the board can be shown at, in percent of its own size.
constexpr std::array<int, 7> ZoomSteps = {100, 125, 150, 200, 250, 300, 400};
constexpr int DefaultZoom = 100;

// The next step up or down; the largest and smallest stay as they are.
int ZoomIn(int percent);
int ZoomOut(int percent);
// A stored or typed value made one of the steps: the nearest, the smaller on
// a tie; anything outside 100..400 the end it is beyond.
int NearestZoom(int percent);

}  // namespace mf
