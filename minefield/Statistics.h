#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "minefield/BoardGeometry.h"
#include "minefield/IniFile.h"
#include "minefield/ShapeKind.h"

namespace mf {

// The fewest left clicks that clear a board without chording: every opening
// (a connected area of cells with no mine around them, opened by one click
// together with its numbered rim) counts once, and every numbered cell that
// no opening reaches counts once more. `mine` holds width x height flags,
// row by row; the neighbours are those of the shape.
int32_t ThreeBV(ShapeKind shape, int32_t width, int32_t height, const std::vector<bool>& mine);

struct WinRecord {
    int32_t threeBV = 0;
    int32_t milliseconds = 0;  // from the start of the game to the win, pauses left out
    // 3BV per second; a win faster than a millisecond counts as one.
    double Rate() const;
    friend bool operator==(const WinRecord&, const WinRecord&) = default;
};

// The record of one shape at one level.
struct LevelStats {
    static constexpr size_t MaxWins = 100;  // the latest wins that are kept one by one

    int32_t played = 0;
    int32_t won = 0;
    int32_t streak = 0;      // wins in a row up to the last game
    int32_t bestStreak = 0;
    std::vector<WinRecord> wins;     // oldest first, at most MaxWins
    std::optional<WinRecord> best;   // the highest 3BV/s of all wins, kept past the list

    void AddWin(const WinRecord& win);
    void AddLoss();
    // Won of played, 0..1; 0 before the first game.
    double WinRate() const;
};

// Games played and won, streaks and wins per shape and level, in sections of
// our own of mvro.ini ("MvStats-SQUARE", ...) that other builds skip.
class Statistics {
public:
    static constexpr int CustomRow = LevelCount;  // every board of a size of one's own
    static constexpr int Rows = LevelCount + 1;

    // The row of a level: 0..4 as they are, any other level the custom row.
    static int RowOf(int level);
    static std::string SectionOf(ShapeKind shape);

    // Damaged values are kept inside what can be true (won <= played, ...).
    void Load(const IniFile& ini);
    // Writes only the rows that hold a game; rows without one leave no key.
    void Save(IniFile& ini) const;

    LevelStats& At(ShapeKind shape, int row) { return m_rows[ShapeIndex(shape)][size_t(row)]; }
    const LevelStats& At(ShapeKind shape, int row) const { return m_rows[ShapeIndex(shape)][size_t(row)]; }
    void Reset(ShapeKind shape);

private:
    static size_t ShapeIndex(ShapeKind shape) { return size_t(shape) - 1; }
    std::array<std::array<LevelStats, Rows>, ShapeCount> m_rows{};
};

}  // namespace mf
