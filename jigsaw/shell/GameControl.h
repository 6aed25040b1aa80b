#pragma once
#include <cstdint>
#include <filesystem>

#include "jigsaw/document/CutRecipe.h"
#include "jigsaw/document/EdgeStyle.h"

namespace qv {

// The program's own operations on the open game, which the commands ask
// for: opening, saving, the game's options and competition mode, and the
// pieces cut again. The program (App) carries them out.
class GameControl {
public:
    virtual ~GameControl() = default;
    // A puzzle at a size index (5: the custom size, asked for) with the
    // options 0x20 (no rotation) and 0x100 (rectangular pieces), or a saved game.
    virtual bool OpenFile(const std::filesystem::path& path, int sizeIndex, unsigned options,
                          bool showErrors = true) = 0;
    // A new game of the puzzle cut as the recipe says (a shared cut); the
    // open game is set aside and comes back when it fails, as with OpenFile.
    virtual bool OpenCut(const std::filesystem::path& puzzle, const CutRecipe& recipe) = 0;
    virtual bool SaveGame(bool autosave) = 0;
    virtual uint32_t lastSaveTick() const = 0;
    // The game's options, or the defaults of new games.
    virtual uint32_t gameOptions() const = 0;
    virtual void setGameOption(uint32_t bit, bool on) = 0;
    virtual void setCompetition(bool on) = 0;
    virtual EdgeStyle edgeStyle() const = 0;
    virtual bool RebuildPieces() = 0;
};

}  // namespace qv
