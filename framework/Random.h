#pragma once
#include <cstdint>

#include "framework/TickCount.h"

namespace fw {

// The framework's small generator for effects (sparkle places and colours).
// Its sequence is fixed: state = state * 214013 + 2531011, result = bits 16..30.
class Random {
public:
    explicit Random(Clock clock = TickCount) : m_clock(std::move(clock)) {}

    // Seeds the generator; 0 seeds with the tick count. Returns the seed used.
    uint32_t seed(uint32_t value);
    // The next result, 0..32767.
    int next();
    // result * n / 32767, truncated: 0..n, and n only when the result is 32767.
    uint32_t upTo(uint32_t n);

    uint32_t state() const { return m_state; }

private:
    Clock m_clock;
    uint32_t m_state = 1;
};

}  // namespace fw
