#pragma once
#include <cstdint>

namespace qv {

// The cutting generator: a 64-bit linear congruential generator whose exact
// sequence is part of the saved-game format. A saved game stores only the
// seed, and re-cutting it must make the same draws in the same order, so
// cutting and scattering draw from it and nothing else does.
//
// Each document has its own, so that another document cutting (the editor's,
// a file read aside) never moves the open game's draws; tests may point a
// document at one of theirs.
class CutRandom {
public:
    // Seeds with s, or with the millisecond tick count when s is 0; returns
    // the seed used (the document keeps it as the cutting seed).
    uint32_t seed(uint32_t s);
    // The next 31-bit result: bits 32..62 of the new state.
    uint32_t next();
    // 0..n-1 for n > 0; 0 without drawing for n == 0; for n < 0 one draw,
    // taken modulo |n| (the truncating remainder of a positive value).
    int32_t random(int32_t n);
    // Eight draws; true when the last one modulo 1000 is below 500.
    bool coin();

    uint64_t state() const { return m_state; }
    void setState(uint64_t s) { m_state = s; }
    // Draws made since construction, so tests can see that a step draws nothing.
    uint64_t draws() const { return m_draws; }


private:
    uint64_t m_state = 0;
    uint64_t m_draws = 0;
};

}  // namespace qv
