#pragma once
#include <cstdint>

#include "jigsaw/document/Rect16.h"

namespace qv {

// Sides in the piece's own (unrotated) frame.
enum Side : int { SideLeft = 0, SideTop = 1, SideRight = 2, SideBottom = 3 };

// One piece. Records live by value in the document's piece array, in piece
// index order. Cutting fills the geometry in picture pixels; the piece sheet
// moves bounding, cell and knob rectangles into the sheet; play changes
// flags, position, rotation, box and joined sides.
struct SPuz {
    static constexpr uint8_t OnTable = 255;  // box number of a piece on the table

    uint32_t flags = 0;       // play state bits; 0 after cutting
    Point16 cellOrigin;       // top-left of the cell in picture pixels
    Rect16 bounding;          // cell plus the tabs sticking out of it
    Rect16 cell;              // the cell, moved along with bounding
    Rect16 tableCell;         // x, y = table position of the cell's top-left; w, h = cell size once rendered
    Rect16 table;             // bounding placed on the table (see placeAt)
    int16_t index = 0;        // row * columns + column
    uint8_t rotation = 0;     // quarter turns clockwise, 0..3
    uint8_t box = OnTable;
    int16_t neighbour[4] = {-1, -1, -1, -1};  // piece index per side, -1 = border
    uint8_t joined = 0;                        // bit k = joined to neighbour k
    // Index into the document's knob list per side, -1 = none. 32 bits:
    // every inner edge adds two list entries, so big grids pass 32767.
    int32_t knob[4] = {-1, -1, -1, -1};
    int8_t knobDir[4] = {0, 0, 0, 0};  // +1 tab, -1 hole, 0 none
    int16_t orderPos = 0;              // position in the document's order list

    // Puts the cell's top-left at (x, y) on the table and places the
    // bounding rectangle around it.
    void placeAt(int x, int y)
    {
        tableCell.x = static_cast<int16_t>(x);
        tableCell.y = static_cast<int16_t>(y);
        updateTable();
    }
    // Recomputes the table rectangle after bounding or cell changed.
    void updateTable()
    {
        table.x = static_cast<int16_t>(tableCell.x + bounding.x - cell.x);
        table.y = static_cast<int16_t>(tableCell.y + bounding.y - cell.y);
        table.w = bounding.w;
        table.h = bounding.h;
    }
};

}  // namespace qv
