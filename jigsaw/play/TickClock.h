#pragma once
#include <chrono>
#include <cstdint>

namespace qv {

// The millisecond tick count the score clock reads. It is an unsigned 32-bit
// value that wraps after about 49.7 days, so callers take differences modulo
// 2^32. Passed in so that tests can drive time.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual uint32_t now() const = 0;
};

// The program's clock: a steady clock, never set back by the user.
class SteadyTickClock : public TickClock {
public:
    uint32_t now() const override
    {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        return static_cast<uint32_t>(ms.count());
    }
};

}  // namespace qv
