#include "jigsaw/play/windows/Marker.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QThread>

#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlayRules.h"
#include "jigsaw/play/windows/PlayCursors.h"
#include "jigsaw/play/windows/WSPuz.h"

namespace qv {

QSize Marker::size() { return PlayCursors::marker().size(); }

QRect Marker::onPiece(const WSPuz& surface, const Puz& puz, int piece)
{
    const SPuz& s = puz.pieces[piece];
    const QSize m = size();
    const QPoint centre = surface.toWindow(QPoint(s.tableCell.x + s.tableCell.w / 2, s.tableCell.y + s.tableCell.h / 2));
    return QRect(centre - QPoint(m.width() / 2, m.height() / 2), m);
}

void Marker::paintOn(QPainter& painter, const WSPuz& surface, const Puz& puz)
{
    for (const SPuz& s : puz.pieces) {
        if (s.box != surface.container() || !(s.flags & PlayRules::MarkerPiece) || !(s.flags & PlayRules::Marked))
            continue;
        painter.drawPixmap(onPiece(surface, puz, s.index).topLeft(), PlayCursors::marker());
    }
}

void Marker::paintDock(QPainter& painter, const QRect& dock)
{
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawRect(dock.adjusted(0, 0, -1, -1));
    const QPixmap& m = PlayCursors::marker();
    painter.drawPixmap(dock.center() - QPoint(m.width() / 2, m.height() / 2), m);
}

void Marker::fly(QWidget& over, QRect from, QRect to, bool animate)
{
    ++m_flights;
    if (!animate || !over.isVisible())
        return;
    QLabel flying(&over);
    flying.setPixmap(PlayCursors::marker());
    flying.setAttribute(Qt::WA_TransparentForMouseEvents);
    flying.resize(PlayCursors::marker().size());
    flying.show();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const double t = std::min(1.0, clock.elapsed() / double(FlightMs));
        const QPoint p = from.topLeft() + (to.topLeft() - from.topLeft()) * t;
        flying.move(p);
        flying.raise();
        over.repaint(QRect(p, flying.size()).adjusted(-40, -40, 40, 40));
        if (t >= 1.0)
            break;
        QThread::msleep(15);
    }
}

}  // namespace qv
