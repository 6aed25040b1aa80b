#pragma once
#include <cstdint>
#include <string>

namespace qv {

class LiveRanking;

// What the five cells of the mini score strip show, texts and colours
// (0x00BBGGRR), so the window only draws them and repaints the cells whose
// content changed.
struct MiniScore {
    static constexpr uint32_t Green = 0x0000FF00;
    static constexpr uint32_t LightGrey = 0x00C0C0C0;
    static constexpr uint32_t Cyan = 0x00FFFF00;
    static constexpr uint32_t White = 0x00FFFFFF;
    static constexpr uint32_t Red = 0x000000FF;

    std::string time;  // "%02i:%02i:%02i"
    uint32_t timeColour = LightGrey;  // green only while the clock runs
    std::string score;                // right-aligned in 14 characters
    std::string projected;
    uint32_t scoreColour = Cyan;
    std::string position;             // "%2i/%-2i"; blank before the game starts
    uint32_t positionColour = White;
    std::string projectedPosition;
    uint32_t projectedPositionColour = White;

    // The cells for the open game; separator is the locale's thousands separator.
    static MiniScore Of(const LiveRanking& live, char separator);
    // ScoreChange bits of the cells that differ from before.
    unsigned ChangedFrom(const MiniScore& before) const;
};

}  // namespace qv
