#include "jigsaw/document/CutRecipe.h"

#include "jigsaw/document/Entry.h"
#include "jigsaw/document/HeaderString.h"

namespace qv {

namespace {
constexpr uint16_t kNoRotable = 0x0020, kNoDeform = 0x0100;
constexpr int kCustomLevel = 5;
}  // namespace

fw::Status CutRecipe::fits(const int16_t stockRows[5], const int16_t stockColumns[5], int stockCount,
                           uint16_t puzzleOptions, const std::string& title) const
{
    const fw::Status differs(msg::CutPuzzleDiffers, title);
    if (level < 0 || level > kCustomLevel)
        return differs;
    if (level < kCustomLevel &&
        (level >= stockCount || stockRows[level] != rows || stockColumns[level] != columns))
        return differs;
    // The player may choose no rotation or plain pieces; the puzzle's own
    // choice cannot be undone.
    if ((puzzleOptions & CutOptions & ~options) != 0)
        return differs;
    return {};
}

fw::Status CutRecipe::fits(const Entry& entry) const
{
    int stock = 0;
    while (stock < 5 && entry.rows[stock] != 0)
        ++stock;
    HeaderString header(entry.header);
    uint16_t own = 0;
    if (header.takeFlag("NoRotable"))
        own |= kNoRotable;
    if (header.takeFlag("NoDeform"))
        own |= kNoDeform;
    return fits(entry.rows, entry.columns, stock, own, entry.title);
}

}  // namespace qv
