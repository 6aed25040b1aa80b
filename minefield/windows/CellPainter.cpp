#include "minefield/windows/CellPainter.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <cstdlib>

#include "minefield/windows/ColorRef.h"

namespace mf::painter {

namespace {

const QColor kDark = FromColorRef(0x000000);
const QColor kLight = FromColorRef(0xFFFFFF);
const QColor kRed = FromColorRef(0x0000FF);
const QColor kYellow = FromColorRef(0x00FFFF);

QPoint Q(Point pt) { return {pt.x, pt.y}; }

QPolygon ToQPolygon(const std::array<Point, 8>& pts, int32_t count)
{
    QPolygon poly;
    for (int32_t i = 0; i < count; ++i)
        poly << Q(pts[size_t(i)]);
    return poly;
}

// A line that leaves out its last pixel, as the classic line drawing does, so
// joined runs and spikes keep their lengths.
void Line(QPainter& p, int x1, int y1, int x2, int y2)
{
    const int dx = x2 - x1, dy = y2 - y1;
    if (dx == 0 && dy == 0)
        return;
    if (std::abs(dx) >= std::abs(dy)) {
        const int sx = dx > 0 ? 1 : -1;
        x2 -= sx;
        y2 = y1 + int(std::lround(double(dy) * (x2 - x1) / dx));
    } else {
        const int sy = dy > 0 ? 1 : -1;
        y2 -= sy;
        x2 = x1 + int(std::lround(double(dx) * (y2 - y1) / dy));
    }
    p.drawLine(x1, y1, x2, y2);
}

// Whether the painter draws the board larger than its own pixels: zoomed, or
// on a screen of more device pixels than logical ones.
bool Scaled(const QPainter& p)
{
    return !p.worldTransform().isIdentity() || p.device()->devicePixelRatio() != 1.0;
}

// Larger than its own pixels the board is drawn from its geometry, smooth.
// A board pixel is the square from (x, y) to (x + 1, y + 1), so a line one
// pixel wide runs half a pixel in, over the pixels it covers at its own size.
class ScaledDrawing {
public:
    explicit ScaledDrawing(QPainter& p) : m_p(p), m_scaled(painter::Scaled(p))
    {
        p.setRenderHint(QPainter::Antialiasing, m_scaled);
    }
    ScaledDrawing(const ScaledDrawing&) = delete;
    ScaledDrawing& operator=(const ScaledDrawing&) = delete;
    ~ScaledDrawing()
    {
        if (m_lines)
            m_p.restore();
    }
    bool Scaled() const { return m_scaled; }
    // From here on lines, outlines and marks, on the pixel centres.
    void Lines()
    {
        if (!m_scaled || m_lines)
            return;
        m_p.save();
        m_p.translate(0.5, 0.5);
        m_lines = true;
    }
    // Text and fills take pixel edges: the shift of Lines taken off again.
    QRectF Area(int x, int y, int w, int h) const
    {
        return m_lines ? QRectF(x - 0.5, y - 0.5, w, h) : QRectF(x, y, w, h);
    }

private:
    QPainter& m_p;
    bool m_scaled;
    bool m_lines = false;
};

void DrawRun(QPainter& p, const EdgeRun& run, bool scaled)
{
    if (scaled) {
        // Whole, with its corners joined: the last pixel left out at the own
        // size would leave a notch at every vertex.
        QPolygonF line;
        for (int32_t i = 0; i < run.count; ++i)
            line << QPointF(run.points[size_t(i)].x, run.points[size_t(i)].y);
        p.drawPolyline(line);
        return;
    }
    for (int32_t i = 0; i + 1 < run.count; ++i) {
        const Point& a = run.points[size_t(i)];
        const Point& b = run.points[size_t(i + 1)];
        Line(p, a.x, a.y, b.x, b.y);
    }
}

void DrawEdges(QPainter& p, const TCell& cell, bool scaled)
{
    const bool raised = cell.state == 0;
    for (const EdgeRun& run : cell.EdgeRuns()) {
        QPen pen(run.upper == raised ? kLight : kDark, 1);
        if (scaled) {
            pen.setCapStyle(Qt::SquareCap);
            pen.setJoinStyle(Qt::MiterJoin);
        }
        p.setPen(pen);
        DrawRun(p, run, scaled);
    }
}

// Triangles hold their picture nearer the base, where they are wide.
int TriangleShift(const TCell& cell, bool triangles, int up, int down)
{
    if (!triangles)
        return 0;
    return cell.IsUp() ? up : down;
}

void DrawMine(QPainter& p, const TCell& cell, bool triangles)
{
    const Rect& b = cell.bounds;
    const int x0 = b.left + ((b.right - b.left) - 9) / 2;
    int y0 = b.top + ((b.bottom - b.top) - 9) / 2;
    y0 += TriangleShift(cell, triangles, 3, -2);
    const int x1 = x0 + 9, y1 = y0 + 9;
    p.setPen(QPen(kDark, 1));
    p.setBrush(kDark);
    p.drawEllipse(QRect(x0, y0, x1 - x0 - 1, y1 - y0 - 1));
    Line(p, x0 + 4, y0 - 2, x0 + 4, y0 + 10);
    Line(p, x0 + 10, y0 + 4, x0 - 2, y0 + 4);
    Line(p, x1 - 1, y0, x0 - 1, y1 + 1);
    Line(p, x1 - 1, y1 - 1, x0 - 1, y0 - 1);
    // A short glint at the upper left: the arc of an ellipse set 2 pixels
    // down and right, between the radials through two points near its
    // corner.
    const QRectF glint(x0 + 2, y0 + 2, x1 - x0, y1 - y0);
    const QPointF c = glint.center();
    const auto angle = [&](double x, double y) {
        return std::atan2(-(y - c.y()), x - c.x()) * 180.0 / M_PI;
    };
    const double from = angle(x0 + 3, y0 + 2);
    const double to = angle(x0 + 2, y0 + 3);
    p.setPen(QPen(kLight, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(glint, int(std::lround(from * 16)), int(std::lround((to - from) * 16)));
}

void DrawShieldMark(QPainter& p, const TCell& cell, bool triangles)
{
    const Rect& b = cell.bounds;
    const int xa = b.left + ((b.right - b.left) - 10) / 2 + 1, xb = xa + 8;
    int ya = b.top + ((b.bottom - b.top) - 10) / 2;
    ya += TriangleShift(cell, triangles, 3, -4);
    const int yb = ya + 10;
    p.setPen(QPen(kDark, 1));
    p.setBrush(kYellow);
    p.drawPolygon(QPolygon({QPoint(xa, ya), QPoint(xb, ya), QPoint(xb, yb - 4),
                            QPoint(xa + (xb - xa) / 2, yb), QPoint(xa, yb - 4)}));
    p.setPen(QPen(kRed, 2));
    Line(p, xa + 2, ya + 3, xb - 1, ya + 3);
}

void DrawNumber(QPainter& p, const TCell& cell, const ScaledDrawing& d)
{
    QFont font("Arial");
    font.setPixelSize(16);
    font.setWeight(QFont::Bold);
    p.setFont(font);
    p.setPen(NumberColour(cell.value));
    const Rect& b = cell.bounds;
    if (d.Scaled()) {
        // The glyphs of the shown size, not those of 16 pixels enlarged.
        p.drawText(d.Area(b.left, b.top, b.right - b.left, b.bottom - b.top), Qt::AlignCenter,
                   QString::number(cell.value));
        return;
    }
    p.drawText(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top), Qt::AlignCenter,
               QString::number(cell.value));
}

QPoint FlagCentre(const TCell& cell, bool triangles)
{
    const Rect& b = cell.bounds;
    return {b.left + (b.right - b.left) / 2,
            b.top + (b.bottom - b.top) / 2 + TriangleShift(cell, triangles, 3, -3)};
}

void DrawFlag(QPainter& p, const TCell& cell, bool triangles)
{
    const QPoint c = FlagCentre(cell, triangles);
    const int cx = c.x(), cy = c.y();
    p.setPen(QPen(kDark, 1));
    Line(p, cx + 4, cy + 5, cx - 4, cy + 5);
    Line(p, cx + 2, cy + 4, cx - 2, cy + 4);
    Line(p, cx, cy + 4, cx, cy - 4);
    p.setPen(QPen(kRed, 1));
    p.setBrush(kRed);
    p.drawPolygon(QPolygon({QPoint(cx, cy - 4), QPoint(cx - 4, cy - 2), QPoint(cx, cy)}));
}

void DrawQuestionMark(QPainter& p, const TCell& cell, bool triangles, const ScaledDrawing& d)
{
    QFont font("Arial");
    font.setPixelSize(14);
    font.setWeight(QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::black);
    const QPoint c = FlagCentre(cell, triangles);
    if (d.Scaled())
        return p.drawText(d.Area(c.x() - 8, c.y() - 8, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    p.drawText(QRect(c.x() - 8, c.y() - 8, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawWrongFlagCross(QPainter& p, const TCell& cell, bool triangles)
{
    const QPoint c = FlagCentre(cell, triangles);
    const int cx = c.x(), cy = c.y();
    p.setPen(QPen(kRed, 2));
    Line(p, cx - 4, cy - 4, cx + 4, cy + 4);
    Line(p, cx - 4, cy + 4, cx + 4, cy - 4);
}

}  // namespace

QColor NumberColour(int count)
{
    static const uint32_t kColours[13] = {
        0x000000, 0x000000, 0xFF0000, 0x00FFFF, 0x0000FF, 0xFFFF00, 0x008000,
        0x000080,  // 7 maroon
        0x404040,  // 8 dark grey
        0x800080,  // 9 purple
        0x800000,  // 10 navy
        0x808000,  // 11 teal
        0x004080,  // 12 brown
    };
    if (count < 0 || count > 12)
        return Qt::black;
    return FromColorRef(kColours[count]);
}

void DrawCell(QPainter& p, const TCell& cell, bool edgesOnly, ShapeKind shape)
{
    const bool triangles = IsTriangleShape(shape);
    ScaledDrawing d(p);
    if (cell.value == cell::LostMine) {
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawPolygon(ToQPolygon(cell.points, cell.pointCount));
    }
    d.Lines();
    DrawEdges(p, cell, d.Scaled());
    if (edgesOnly)
        return;
    const int v = cell.value;
    const bool open = cell.state == 1;
    if (open && (v == cell::Mine || v == cell::LostMine || v == cell::WrongFlag))
        DrawMine(p, cell, triangles);
    if (v == cell::ShieldMine)
        DrawShieldMark(p, cell, triangles);
    if (open && v > 0 && v <= 12 && !cell.flagged)
        DrawNumber(p, cell, d);
    if (cell.flagged)
        DrawFlag(p, cell, triangles);
    else if (cell.marked && !open)
        DrawQuestionMark(p, cell, triangles, d);
    if (v == cell::WrongFlag)
        DrawWrongFlagCross(p, cell, triangles);
}

void DrawCursor(QPainter& p, const TCell& cell)
{
    // Two colours, so that the frame shows on any background or texture.
    ScaledDrawing d(p);
    d.Lines();
    p.setBrush(Qt::NoBrush);
    const QPolygon outline = ToQPolygon(cell.InsetOutline().points, cell.InsetOutline().count);
    p.setPen(QPen(QColor(0, 0, 0), 3));
    p.drawPolygon(outline);
    p.setPen(QPen(QColor(255, 200, 0), 1));
    p.drawPolygon(outline);
}

void DrawBackground(QPainter& p, QSize client, const QImage& texture, QColor colour)
{
    const int right = client.width(), bottom = client.height();
    ScaledDrawing d(p);
    if (!texture.isNull() && d.Scaled()) {
        // One brush over the whole board: tiles scaled smoothly meet without seams.
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.fillRect(QRect(QPoint(0, 0), client), QBrush(texture));
        p.restore();
    } else if (!texture.isNull()) {
        for (int y = 0; y < bottom; y += texture.height())
            for (int x = 0; x < right; x += texture.width())
                p.drawImage(x, y, texture);
    } else {
        p.fillRect(QRect(QPoint(0, 0), client), colour);
    }
    d.Lines();
    // The sunken well: a raised outer rim, dark inner top and left, light
    // inner bottom and right.
    p.setPen(QPen(FromColorRef(0x404040), 1));
    Line(p, 0, bottom, right, bottom);
    Line(p, right, bottom, right, 0);
    Line(p, right - 4, 4, 4, 4);
    Line(p, 4, 4, 4, bottom - 4);
    p.setPen(QPen(FromColorRef(0xE0E0E0), 1));
    Line(p, right, 0, 0, 0);
    Line(p, 0, 0, 0, bottom);
    Line(p, 5, bottom - 4, right - 4, bottom - 4);
    Line(p, right - 4, bottom - 4, right - 4, 4);
}

}  // namespace mf::painter
