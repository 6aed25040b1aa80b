#pragma once
#include <string_view>

#include "framework/Status.h"

namespace qv {

struct Grid {
    fw::Status status;  // 1004 too few pieces, 1003 pieces too small
    int rows = 0;
    int columns = 0;
    float pieceWidth = 0;
    float pieceHeight = 0;
};

// Rows and columns for a requested size: "RxC", or a piece count for which
// the grid whose pieces come nearest to square is chosen.
Grid GridFromCount(int width, int height, std::string_view text);

}  // namespace qv
