#pragma once
// The board game with everything it asks of its window recorded, and the
// mouse driven through the centres of cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "minefield/MineGame.h"

namespace mf::testing {


// Records everything the game asks of the frame, the window and the speaker.
struct Recorder : BoardEvents, BoardCanvas, BoardSounds {
    std::vector<std::string> events;
    std::vector<const TCell*> drawn;  // full draws, in order
    int edgeDraws = 0;
    int invalidatedAreas = 0;
    std::vector<std::string> sounds;
    ClientSize size;

    void MinesLeftChanged(int32_t n) override { events.push_back("mines " + std::to_string(n)); }
    void GameWon() override { events.push_back("won"); }
    void GameLost() override { events.push_back("lost"); }
    void ShieldsChanged() override { events.push_back("shields"); }
    void DrawCell(const TCell& cell, bool edgesOnly) override
    {
        if (edgesOnly)
            ++edgeDraws;
        else
            drawn.push_back(&cell);
    }
    void InvalidateArea(const Polygon&) override { ++invalidatedAreas; }
    void InvalidateBoard() override {}
    void ResizeClient(ClientSize s) override { size = s; }
    void CaptureMouse(bool) override {}
    void PlayClick() override { sounds.push_back("click"); }
    void PlayExplosion() override { sounds.push_back("boom"); }
    void PlayWin() override { sounds.push_back("win"); }

    bool Has(const std::string& e) const
    {
        return std::find(events.begin(), events.end(), e) != events.end();
    }
    void Clear()
    {
        events.clear();
        drawn.clear();
        sounds.clear();
        edgeDraws = invalidatedAreas = 0;
    }
};

// Feeds mine placement the listed cells: column, then row, for each mine.
inline MineGame::RandomSource Script(std::vector<CellPos> mines)
{
    auto numbers = std::make_shared<std::vector<uint32_t>>();
    for (const CellPos& p : mines) {
        numbers->push_back(uint32_t(p.c));
        numbers->push_back(uint32_t(p.r));
    }
    auto next = std::make_shared<size_t>(0);
    return [numbers, next] { return (*numbers)[(*next)++ % numbers->size()]; };
}

struct Fixture {
    Recorder rec;
    MineGame game{rec, rec, rec};

    // A custom-size board (no shields) with mines exactly where listed.
    void Custom(ShapeKind shape, int32_t w, int32_t h, std::vector<CellPos> mines)
    {
        game.SetLevel(9);
        game.SetCustomSize(w, h, int32_t(mines.size()));
        game.SetRandomSource(Script(std::move(mines)));
        game.SetShape(shape);
        rec.Clear();
    }
    // A preset level with mines where listed (the list must hold the
    // preset's count).
    void Preset(ShapeKind shape, int level, std::vector<CellPos> mines)
    {
        game.SetLevel(level);
        game.SetRandomSource(Script(std::move(mines)));
        game.SetShape(shape);
        rec.Clear();
    }
    Point Centre(CellPos p) const
    {
        const Rect& b = game.Cell(p).bounds;
        return {b.left + (b.right - b.left) / 2, b.top + (b.bottom - b.top) / 2};
    }
    void Click(CellPos p)
    {
        game.LeftButtonDown(Centre(p));
        game.LeftButtonUp(Centre(p));
    }
    void RightClick(CellPos p) { game.RightButtonDown(Centre(p)); }
    const TCell& At(CellPos p) const { return game.Cell(p); }
    CellPos PosOf(const TCell* cell) const
    {
        for (int32_t r = 0; r < game.Height(); ++r)
            for (int32_t c = 0; c < game.Width(); ++c)
                if (&game.Cell({c, r}) == cell)
                    return {c, r};
        return {};
    }
};

constexpr ShapeKind kShapes[] = {ShapeKind::Square,   ShapeKind::Diamond, ShapeKind::Brick,
                                 ShapeKind::Triangle, ShapeKind::Shifted, ShapeKind::Hexagon};


}  // namespace mf::testing
