#include "jigsaw/document/CutRandom.h"

#include <chrono>

namespace qv {

uint32_t CutRandom::seed(uint32_t s)
{
    if (s == 0) {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        s = static_cast<uint32_t>(ms.count());
        if (s == 0)
            s = 1;  // 0 means "no seed" in the puzzle header
    }
    m_state = s;
    return s;
}

uint32_t CutRandom::next()
{
    m_state = m_state * 0x000015A400004E35ULL + 1;
    ++m_draws;
    return static_cast<uint32_t>(m_state >> 32) & 0x7FFFFFFFu;
}

int32_t CutRandom::random(int32_t n)
{
    if (n == 0)
        return 0;
    int64_t r = next();
    return static_cast<int32_t>(r % n);  // r >= 0, so this is r mod |n|
}

bool CutRandom::coin()
{
    uint32_t r = 0;
    for (int i = 0; i < 8; ++i)
        r = next();
    return r % 1000 < 500;
}

}  // namespace qv
