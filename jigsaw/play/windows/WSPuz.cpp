#include "jigsaw/play/windows/WSPuz.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <array>

#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/SurfaceRender.h"
#include "jigsaw/play/PlayRules.h"
#include "jigsaw/play/PlaySession.h"
#include "jigsaw/play/windows/PlayHost.h"

namespace qv {

WSPuz::WSPuz(PlayContext& context, uint8_t container, QWidget* parent, Qt::WindowFlags flags)
    : fw::Window(parent, flags), m_context(context), m_container(container)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

WSPuz::~WSPuz() = default;

void WSPuz::setView(double zoom, QPointF origin)
{
    if (zoom == m_zoom && origin == m_origin)
        return;
    m_zoom = zoom;
    m_origin = origin;
    m_unscaled = zoom == 1.0 && origin.x() == std::floor(origin.x()) && origin.y() == std::floor(origin.y());
    viewChanged();
    update();
}

namespace {

int floorInt(double v) { return static_cast<int>(std::floor(v)); }
int ceilInt(double v) { return static_cast<int>(std::ceil(v)); }
int16_t clamp16(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

}  // namespace

QPoint WSPuz::toSurface(QPoint w) const
{
    if (m_unscaled)
        return w + origin();
    // The pixel's centre decides which surface pixel it shows.
    return {floorInt(m_origin.x() + (w.x() + 0.5) / m_zoom), floorInt(m_origin.y() + (w.y() + 0.5) / m_zoom)};
}

Rect16 WSPuz::toSurface(const QRect& w) const
{
    if (m_unscaled) {
        const QRect r = w.translated(origin());
        return {clamp16(r.x()), clamp16(r.y()), clamp16(r.width()), clamp16(r.height())};
    }
    const int x0 = floorInt(m_origin.x() + w.left() / m_zoom), y0 = floorInt(m_origin.y() + w.top() / m_zoom);
    const int x1 = ceilInt(m_origin.x() + (w.right() + 1) / m_zoom);
    const int y1 = ceilInt(m_origin.y() + (w.bottom() + 1) / m_zoom);
    return {clamp16(x0), clamp16(y0), clamp16(x1 - x0), clamp16(y1 - y0)};
}

QPoint WSPuz::toWindow(QPoint s) const
{
    if (m_unscaled)
        return s - origin();
    const QPointF w = toWindowF(QPointF(s));
    return {floorInt(w.x() + 0.5), floorInt(w.y() + 0.5)};
}

QRect WSPuz::toWindow(const Rect16& r) const
{
    if (m_unscaled)
        return QRect(r.x - origin().x(), r.y - origin().y(), r.w, r.h);
    const QPointF a = toWindowF(QPointF(r.x, r.y)), b = toWindowF(QPointF(r.x + r.w, r.y + r.h));
    const int x0 = floorInt(a.x()), y0 = floorInt(a.y());
    return QRect(x0, y0, ceilInt(b.x()) - x0, ceilInt(b.y()) - y0);
}

Rect16 WSPuz::visibleArea() const { return toSurface(rect()); }

void WSPuz::invalidateSurface(const Rect16& area)
{
    if (area.w <= 0 || area.h <= 0)
        return;
    // One pixel more on every side: edge shading may reach the border (and
    // a scaled picture blends its edge with the next pixel).
    const int more = m_unscaled ? 1 : 2;
    update(toWindow(area).adjusted(-more, -more, more, more));
    // A carried group's shadow goes where its pieces go.
    if (const LiftShadow* s = liftShadow(false))
        update(toWindow(s->around(area)).adjusted(-more, -more, more, more));
}

void WSPuz::setHiddenPieces(std::set<int> pieces)
{
    m_hidden = std::move(pieces);
    update();
}

uint32_t WSPuz::backgroundPixel() const
{
    // Bringing the ground up to date refreshes a cache; what the surface
    // shows does not change.
    auto* self = const_cast<WSPuz*>(this);
    self->prepareGround();
    return fw::pixelFromColorRef(self->ground().First());
}

void WSPuz::paintGround(fw::Bitmap& out, QPoint at)
{
    prepareGround();
    fw::Background& g = ground();
    const int h = std::max(1, height());
    if (m_unscaled || g.hasTexture() || g.Second() == fw::Background::None) {
        const QPoint anchor = g.hasTexture() ? at : toWindow(at);
        g.Paint(out, 0, 0, out.width(), out.height(), h, false, anchor.x(), anchor.y());
    } else {
        // A blend spans the window: each surface row takes the colour of
        // the window row it is shown on.
        const int x = toWindow(at).x();
        for (int v = 0; v < out.height(); ++v) {
            const int y = floorInt(toWindowF(QPointF(at.x(), at.y() + v)).y());
            g.Paint(out, 0, v, out.width(), 1, h, false, x, y - v);
        }
    }
    paintGroundMarks(out, at);
}

void WSPuz::resizeEvent(QResizeEvent* event)
{
    fw::Window::resizeEvent(event);
    // A blend spans the window: its strip follows the new height.
    fw::Background& g = ground();
    if (!g.hasTexture() && g.Second() != fw::Background::None && g.tile().height() != height())
        g.Build(std::max(1, height()));
}

void WSPuz::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (const QRect& r : event->region())
        paintArea(painter, r.intersected(rect()));
    paintOverlay(painter, event->rect());
}

void WSPuz::paintArea(QPainter& painter, const QRect& windowRect)
{
    if (windowRect.isEmpty())
        return;
    if (!m_unscaled) {
        paintScaledArea(painter, windowRect);
        return;
    }
    const QPoint s = toSurface(windowRect.topLeft());
    if (m_scratch.width() != windowRect.width() || m_scratch.height() != windowRect.height())
        m_scratch = fw::Bitmap(windowRect.width(), windowRect.height());
    paintPieces(s);
    const QImage view(reinterpret_cast<const uchar*>(m_scratch.bits()), m_scratch.width(), m_scratch.height(),
                      m_scratch.width() * 4, QImage::Format_RGB32);
    painter.drawImage(windowRect.topLeft(), view);
}

// The surface under the area drawn pixel for pixel, then scaled onto it, in
// bands so a table zoomed out needs no scratch many times the window's size.
void WSPuz::paintScaledArea(QPainter& painter, const QRect& windowRect)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const int band = std::max(16, static_cast<int>(1024 * m_zoom));
    for (int top = windowRect.top(); top <= windowRect.bottom(); top += band) {
        const QRect part(windowRect.left(), top, windowRect.width(), std::min(band, windowRect.bottom() + 1 - top));
        // One surface pixel more around it, for the scaling to blend with.
        Rect16 a = toSurface(part);
        a = {static_cast<int16_t>(a.x - 1), static_cast<int16_t>(a.y - 1), static_cast<int16_t>(a.w + 2),
             static_cast<int16_t>(a.h + 2)};
        if (m_scratch.width() != a.w || m_scratch.height() != a.h)
            m_scratch = fw::Bitmap(a.w, a.h);
        paintPieces({a.x, a.y});
        const QImage view(reinterpret_cast<const uchar*>(m_scratch.bits()), m_scratch.width(), m_scratch.height(),
                          m_scratch.width() * 4, QImage::Format_RGB32);
        painter.setClipRect(part);
        painter.drawImage(QRectF(toWindowF(QPointF(a.x, a.y)), QSizeF(a.w * m_zoom, a.h * m_zoom)), view);
    }
    painter.restore();
}

// The ground and the pieces of the surface area whose top-left is at, into
// the scratch.
void WSPuz::paintPieces(QPoint s)
{
    paintGround(m_scratch, s);
    // While a puzzle is opened its pieces are half cut and not yet laid out
    // (the cutting progress lets the window paint meanwhile).
    if (!(m_context.puz.edit & Puz::Opening) && !host().session().tableCovered()) {
        const std::vector<bool> dimmed = host().rules().dimmedPieces();
        drawSurfacePieces(m_context.puz, m_container, s.x(), s.y(), m_scratch, m_hidden.empty() ? nullptr : &m_hidden,
                          dimmed.empty() ? nullptr : &dimmed, liftShadow(true));
    }
}

// The shadow of the group carried on this surface, in the pieces' edge
// style; none when nothing is carried here or the edges have no shading.
// Painting asks for it made (withPieces): it is made once a group and
// shape, and follows the group while it is carried.
const LiftShadow* WSPuz::liftShadow(bool withPieces)
{
    const Puz& puz = m_context.puz;
    const int held = host().session().heldPiece();
    const EdgeStyle style = puz.sheetEdges.value_or(EdgeStyle::Blend);
    if (held < 0 || held >= puz.pieceCount() || puz.pieces[held].box != m_container || style == EdgeStyle::None) {
        m_shadow.reset();
        return nullptr;
    }
    if (!m_shadow)
        m_shadow = std::make_unique<LiftShadow>();
    m_shadow->style = style;
    if (!withPieces)
        return m_shadow.get();
    const SPuz& h = puz.pieces[held];
    PieceList group = host().rules().group(held);
    const Rect16 b = group.bounds(puz);
    const std::array<int, 8> key{held, group.size(), b.x - h.tableCell.x, b.y - h.tableCell.y, b.w, b.h, h.rotation,
                                 static_cast<int>(style)};
    if (key != m_shadowKey || m_shadow->cover.empty()) {
        m_shadow->pieces.assign(puz.pieces.size(), false);
        for (int i = 0; i < group.size(); ++i)
            m_shadow->pieces[group[i]] = true;
        m_shadow->render(puz, m_container);
        m_shadowKey = key;
        m_shadowAt = {h.tableCell.x, h.tableCell.y};
    }
    const QPoint d = QPoint(h.tableCell.x, h.tableCell.y) - m_shadowAt;
    if (!d.isNull()) {
        m_shadow->area.x = static_cast<int16_t>(m_shadow->area.x + d.x());
        m_shadow->area.y = static_cast<int16_t>(m_shadow->area.y + d.y());
        m_shadowAt += d;
    }
    return m_shadow->cover.empty() ? nullptr : m_shadow.get();
}

void WSPuz::paintOverlay(QPainter&, const QRect&) {}

void WSPuz::viewChanged() {}

bool WSPuz::OnMouse(const fw::MouseEvent& event) { return host().surfaceMouse(*this, event); }

bool WSPuz::OnCommand(const fw::CommandEvent& event) { return host().surfaceCommand(*this, event); }

bool WSPuz::OnMenuHint(fw::MenuHintEvent& event) { return host().surfaceMenuHint(*this, event); }

}  // namespace qv
