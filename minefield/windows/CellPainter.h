#pragma once
#include <QColor>
#include <QImage>
#include <QRect>

#include "minefield/ShapeKind.h"
#include "minefield/TCell.h"

class QPainter;

namespace mf {

// Drawing of the board: free functions over a QPainter, so the window, the
// tests and the screenshots draw the same pixels.
namespace painter {

// The colour of a number on an opened cell (1..12).
QColor NumberColour(int count);

// One cell: its raised or sunken edges, then (unless edgesOnly) its content.
// The interior is never filled: covered and open cells alike show the
// background beneath.
void DrawCell(QPainter& p, const TCell& cell, bool edgesOnly, ShapeKind shape);

// The keyboard cursor: a frame just inside the cell's outline.
void DrawCursor(QPainter& p, const TCell& cell);

// Background (colour, or the texture tiled from the top left corner) and the
// sunken well around the cells, for a client area of the given size.
void DrawBackground(QPainter& p, QSize client, const QImage& texture, QColor colour);

}  // namespace painter
}  // namespace mf
