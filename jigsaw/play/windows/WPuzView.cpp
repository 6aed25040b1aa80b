// The play window's view of the table: zooming and panning. Table
// coordinates stay the game's; the view only maps them to the window.
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/Loupe.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/SurfaceRender.h"
#include "jigsaw/play/windows/WPuz.h"

namespace qv {

namespace {

// The levels the keys and the wheel step through, besides the whole table.
constexpr double kLadder[] = {0.1, 0.125, 0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1.0, 1.25, 1.5, 2.0, 2.5, 3.0, 4.0};
// Far enough out that a visible area still fits 16-bit table coordinates.
constexpr double kLeastZoom = 0.1;
// Window pixels the view moves for one step of the wheel.
constexpr int kWheelPixels = 96;
constexpr int kWheelStep = 120;

int16_t i16(double v) { return static_cast<int16_t>(std::clamp<long>(std::lround(v), -32768, 32767)); }

}  // namespace

Rect16 WPuz::wholeTable() const
{
    Rect16 whole{0, 0, static_cast<int16_t>(std::max(1, width())), static_cast<int16_t>(std::max(1, height()))};
    const Rect16 pieces = containerBounds(context().puz, SPuz::OnTable);
    return pieces.w > 0 ? unite(whole, pieces) : whole;
}

Rect16 WPuz::tableArea() const
{
    return {i16(origin().x()), i16(origin().y()), i16(width()), i16(height())};
}

double WPuz::minZoom() const
{
    const Rect16 whole = wholeTable();
    const double fit = std::min(double(std::max(1, width())) / whole.w, double(std::max(1, height())) / whole.h);
    return std::clamp(fit, kLeastZoom, 1.0);
}

QPointF WPuz::clampedOrigin(double zoom, QPointF origin) const
{
    const Rect16 whole = wholeTable();
    auto axis = [](double o, double view, int from, int size) {
        if (view >= size)
            return from - (view - size) / 2;
        return std::clamp(o, double(from), from + size - view);
    };
    return {axis(origin.x(), width() / zoom, whole.x, whole.w), axis(origin.y(), height() / zoom, whole.y, whole.h)};
}

void WPuz::showView(double zoom, QPointF origin)
{
    // At 100 % the table lies on whole window pixels again: the fast path.
    if (zoom == 1.0)
        origin = QPointF(std::round(origin.x()), std::round(origin.y()));
    setView(zoom, origin);
}

void WPuz::zoomAt(double zoom, QPoint windowPoint)
{
    zoom = std::clamp(zoom, minZoom(), MaxZoom);
    if (std::abs(zoom - 1.0) < 1e-9)
        zoom = 1.0;
    const QPointF at(windowPoint);
    const QPointF under = toSurfaceF(at);
    showView(zoom, clampedOrigin(zoom, under - at / zoom));
}

void WPuz::zoomSteps(int steps, QPoint windowPoint)
{
    double z = zoom();
    const double least = minZoom();
    for (; steps > 0; --steps) {
        const double* next = std::find_if(std::begin(kLadder), std::end(kLadder), [z](double l) { return l > z * 1.0001; });
        z = next == std::end(kLadder) ? MaxZoom : *next;
    }
    for (; steps < 0; ++steps) {
        double lower = least;
        for (double l : kLadder)
            if (l < z * 0.9999 && l > lower)
                lower = l;
        z = lower;
    }
    zoomAt(z, windowPoint);
}

void WPuz::zoomToWhole()
{
    const double z = minZoom();
    showView(z, clampedOrigin(z, exactOrigin()));
}

void WPuz::zoomToActual() { zoomAt(1.0, rect().center()); }

QPoint WPuz::zoomPoint() const { return rect().contains(pointer()) ? pointer() : rect().center(); }

void WPuz::panTable(QPoint d)
{
    if (d.isNull())
        return;
    showView(zoom(), clampedOrigin(zoom(), exactOrigin() - QPointF(d) / zoom()));
}

void WPuz::viewChanged()
{
    Puz& puz = context().puz;
    puz.viewOrigin = {i16(origin().x()), i16(origin().y())};
    puz.viewZoom = static_cast<uint16_t>(std::clamp<long>(std::lround(zoom() * 1000), 1, 65535));
    const QPointF centre = toSurfaceF(QPointF(width() / 2.0, height() / 2.0));
    puz.viewCentre = {i16(centre.x()), i16(centre.y())};
    if (m_loupe)
        m_loupe->widget().update();
}

void WPuz::wheelEvent(QWheelEvent* e)
{
    e->accept();
    if (context().puz.pieceCount() == 0)
        return;
    const QPoint d = e->angleDelta();
    if (e->modifiers() & Qt::ControlModifier) {
        m_wheel += d;
        const int steps = (m_wheel.y() ? m_wheel.y() : m_wheel.x()) / kWheelStep;
        if (steps) {
            m_wheel = {};
            zoomSteps(steps, e->position().toPoint());
        }
        return;
    }
    // Shift turns the wheel sideways (some systems already did).
    const QPoint turn = (e->modifiers() & Qt::ShiftModifier) ? QPoint(d.y() ? d.y() : d.x(), 0) : d;
    panTable(turn * kWheelPixels / kWheelStep);
}

}  // namespace qv
