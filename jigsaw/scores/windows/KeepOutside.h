#pragma once
#include <QPoint>
#include <QRect>

namespace qv {

// Where a small window of the table (the score strip, the progress line)
// goes so that it does not cover an area the player must see (the
// picture's area): where it is when it covers none of it, else moved the
// shortest way past one of the area's sides, staying on the screen. When no
// such place is on the screen it stays where it was asked to be.
QPoint keptOutside(const QRect& window, const QRect& avoid, const QRect& screen);

}  // namespace qv
