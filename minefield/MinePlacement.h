#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "minefield/BoardGeometry.h"

namespace mf {

// Numbers for mine placement, passed in so that every board replays.
using RandomSource = std::function<uint32_t()>;

// The classic placement, one mine at a time: the column is the next number
// mod W, the row the one after mod H, both drawn again when that cell holds a
// mine already (or is the spared cell). One flag a cell, row by row.
std::vector<uint8_t> ClassicMines(int32_t columns, int32_t rows, int32_t mines, const RandomSource& random,
                                  CellPos spared = {});

}  // namespace mf
