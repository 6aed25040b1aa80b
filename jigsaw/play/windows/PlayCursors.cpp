#include "jigsaw/play/windows/PlayCursors.h"

#include <QPainter>
#include <QPolygon>
#include <map>

#include "framework/qt/Cursors.h"

namespace qv {

namespace {

struct Pictures {
    QCursor grab{Qt::ClosedHandCursor};
    QCursor uncover{Qt::PointingHandCursor};
    QPixmap marker;
    QPixmap icon;
    std::map<int, QPixmap> bitmaps;
};

Pictures& pictures()
{
    static Pictures p;
    return p;
}

QPixmap loadPicture(const std::filesystem::path& file)
{
    return QPixmap(QString::fromStdU16String(file.u16string()));
}

// A small red flag on a pole, for when the marker file is missing.
QPixmap drawnMarker()
{
    QPixmap m(16, 20);
    m.fill(Qt::transparent);
    QPainter p(&m);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawLine(3, 1, 3, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 30));
    p.drawPolygon(QPolygon({QPoint(4, 1), QPoint(15, 5), QPoint(4, 10)}));
    return m;
}

QPixmap drawnIcon(int size)
{
    QPixmap m(size, size);
    m.fill(Qt::transparent);
    QPainter p(&m);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(240, 180, 40));
    p.setPen(QPen(QColor(90, 60, 10), 2));
    p.drawRoundedRect(QRectF(2, 2, size - 4, size - 4), 4, 4);
    return m;
}

}  // namespace

void PlayCursors::load(const std::filesystem::path& folder)
{
    Pictures& p = pictures();
    p.grab = fw::Cursors::load(folder / "cursor300.png", 8, 8);
    if (p.grab.shape() == Qt::ArrowCursor)
        p.grab = QCursor(Qt::ClosedHandCursor);
    p.uncover = fw::Cursors::load(folder / "cursor301.png", 8, 2);
    if (p.uncover.shape() == Qt::ArrowCursor)
        p.uncover = QCursor(Qt::PointingHandCursor);
    p.marker = loadPicture(folder / "marker.png");
    p.icon = loadPicture(folder / "icon200.png");
    for (int n : {200, 201, 202})
        p.bitmaps[n] = loadPicture(folder / ("bitmap" + std::to_string(n) + ".png"));
}

QCursor PlayCursors::grab() { return pictures().grab; }

QCursor PlayCursors::uncover() { return pictures().uncover; }

const QPixmap& PlayCursors::marker()
{
    Pictures& p = pictures();
    if (p.marker.isNull())
        p.marker = drawnMarker();
    return p.marker;
}

const QPixmap& PlayCursors::icon()
{
    Pictures& p = pictures();
    if (p.icon.isNull())
        p.icon = drawnIcon(32);
    return p.icon;
}

const QPixmap& PlayCursors::bitmap(int number)
{
    QPixmap& b = pictures().bitmaps[number];
    if (b.isNull())
        b = drawnIcon(32);
    return b;
}

}  // namespace qv
