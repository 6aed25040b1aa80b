#include "framework/Random.h"

namespace fw {

uint32_t Random::seed(uint32_t value)
{
    if (value == 0)
        value = m_clock();
    m_state = value;
    return value;
}

int Random::next()
{
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFF);
}

uint32_t Random::upTo(uint32_t n)
{
    // Exact in 64 bits: a floating product could fall a hair short of n
    // for the top result and lose the value n altogether.
    const uint64_t r = static_cast<uint64_t>(next());
    return static_cast<uint32_t>(r * n / 32767u);
}

}  // namespace fw
