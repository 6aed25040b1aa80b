#include "jigsaw/scores/windows/KeepOutside.h"

#include <array>
#include <cstdlib>
#include <limits>

namespace qv {

QPoint keptOutside(const QRect& window, const QRect& avoid, const QRect& screen)
{
    if (avoid.isEmpty() || !window.intersects(avoid))
        return window.topLeft();
    const std::array<QPoint, 4> places = {
        QPoint(window.x(), avoid.top() - window.height()),  // above
        QPoint(window.x(), avoid.bottom() + 1),             // below
        QPoint(avoid.left() - window.width(), window.y()),  // left
        QPoint(avoid.right() + 1, window.y()),              // right
    };
    QPoint best = window.topLeft();
    int shortest = std::numeric_limits<int>::max();
    for (const QPoint& p : places) {
        if (!screen.contains(QRect(p, window.size())))
            continue;
        const int way = std::abs(p.x() - window.x()) + std::abs(p.y() - window.y());
        if (way < shortest) {
            shortest = way;
            best = p;
        }
    }
    return best;
}

}  // namespace qv
