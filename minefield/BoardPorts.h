#pragma once
#include <cstdint>

#include "minefield/BoardGeometry.h"
#include "minefield/Geometry.h"

namespace mf {

class TCell;

// What the board tells the frame window; the numbers are those of the board's
// notification messages.
class BoardEvents {
public:
    static constexpr uint32_t UM_MINESLEFT = 0x401;
    static constexpr uint32_t UM_GAMEWON = 0x402;
    static constexpr uint32_t UM_GAMELOST = 0x403;
    static constexpr uint32_t UM_SHIELDS = 0x405;

    virtual ~BoardEvents() = default;
    virtual void MinesLeftChanged(int32_t minesLeft) = 0;  // UM_MINESLEFT
    virtual void GameWon() = 0;                            // UM_GAMEWON
    virtual void GameLost() = 0;                           // UM_GAMELOST
    virtual void ShieldsChanged() = 0;                     // UM_SHIELDS
};

// How the game asks its window to show a change. A drawn cell shows at once;
// an invalidated area is repainted from the background up.
class BoardCanvas {
public:
    virtual ~BoardCanvas() = default;
    virtual void DrawCell(const TCell& cell, bool edgesOnly) = 0;
    virtual void InvalidateArea(const Polygon& area) = 0;
    virtual void InvalidateBoard() = 0;
    virtual void ResizeClient(ClientSize size) = 0;
    virtual void CaptureMouse(bool capture) = 0;
    // The keyboard cursor moved, appeared or went away.
    virtual void CursorChanged() {}
};

class BoardSounds {
public:
    virtual ~BoardSounds() = default;
    virtual void PlayClick() = 0;
    // Played to its end: a click that follows does not cut it short.
    virtual void PlayExplosion() = 0;
    virtual void PlayWin() = 0;
};

}  // namespace mf
