#pragma once

namespace qv {

// The game's sounds: the one list of their numbers and wave files. The
// rules name a sound by its number; GameSounds finds its file here.
namespace sound {

enum Number : int {
    Bump = 1,      // a dragged group first bumps the window's edge
    PickUp = 2,    // a piece is picked up
    PutDown = 3,   // a drop without a join, or a group sent to a box
    Join = 4,      // a drop joins at least one neighbour
    Complete = 5,  // the drop completes the puzzle
    Turn = 6,      // a group is turned
    Effect = 7,    // the effect sound, silenced with the animations
};

struct Entry {
    Number number;
    const char* file;  // in the program's folder, without ".wav"
};

inline constexpr Entry table[] = {
    {Bump, "xoc"}, {PickUp, "click1"}, {PutDown, "click2"}, {Join, "toca"},
    {Complete, "fin"}, {Turn, "gira"}, {Effect, "fxr2r"},
};
inline constexpr int count = static_cast<int>(sizeof table / sizeof table[0]);

// Numbered 1..count in order, so a number indexes a table of count + 1.
constexpr bool numberedInOrder()
{
    for (int i = 0; i < count; ++i) {
        if (table[i].number != i + 1)
            return false;
    }
    return true;
}
static_assert(numberedInOrder());

// The file of a sound number; null for a number outside the table.
constexpr const char* fileOf(int number)
{
    for (const Entry& e : table) {
        if (e.number == number)
            return e.file;
    }
    return nullptr;
}

}  // namespace sound
}  // namespace qv
