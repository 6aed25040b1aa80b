#include "minefield/MinePlacement.h"

#include <algorithm>

namespace mf {

std::vector<uint8_t> ClassicMines(int32_t columns, int32_t rows, int32_t mines, const RandomSource& random,
                                  CellPos spared)
{
    std::vector<uint8_t> placed(size_t(columns) * size_t(rows), 0);
    const int32_t free = columns * rows - (spared.IsCell() ? 1 : 0);
    // More mines than free cells would draw for ever.
    const int32_t count = std::min(mines, free);
    for (int32_t i = 0; i < count; ++i) {
        for (;;) {
            const int32_t c = int32_t(random() % uint32_t(columns));
            const int32_t r = int32_t(random() % uint32_t(rows));
            uint8_t& cell = placed[size_t(r) * size_t(columns) + size_t(c)];
            if (cell || CellPos{c, r} == spared)
                continue;
            cell = 1;
            break;
        }
    }
    return placed;
}

}  // namespace mf
