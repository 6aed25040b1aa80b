#pragma once
#include <cstdint>
#include <functional>

namespace fw {

// Milliseconds of a steady clock as an unsigned 32-bit number. It wraps
// after about 49.7 days, so times are compared through their difference.
uint32_t TickCount();

// A millisecond clock, passed in where time matters so tests can drive it.
using Clock = std::function<uint32_t()>;

// True when time a lies strictly before time b on the wrapping clock.
inline bool tickBefore(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b) < 0; }

}  // namespace fw
