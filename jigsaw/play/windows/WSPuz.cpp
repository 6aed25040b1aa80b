#include "jigsaw/play/windows/WSPuz.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

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

void WSPuz::setOrigin(QPoint origin)
{
    if (origin == m_origin)
        return;
    m_origin = origin;
    update();
}

Rect16 WSPuz::visibleArea() const
{
    return {static_cast<int16_t>(m_origin.x()), static_cast<int16_t>(m_origin.y()), static_cast<int16_t>(width()),
            static_cast<int16_t>(height())};
}

void WSPuz::invalidateSurface(const Rect16& area)
{
    if (area.w <= 0 || area.h <= 0)
        return;
    // One pixel more on every side: edge shading may reach the border.
    update(toWindow(area).adjusted(-1, -1, 1, 1));
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
    const QPoint anchor = g.hasTexture() ? at : toWindow(at);
    g.Paint(out, 0, 0, out.width(), out.height(), std::max(1, height()), false, anchor.x(), anchor.y());
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
    const QPoint s = toSurface(windowRect.topLeft());
    if (m_scratch.width() != windowRect.width() || m_scratch.height() != windowRect.height())
        m_scratch = fw::Bitmap(windowRect.width(), windowRect.height());
    paintGround(m_scratch, s);
    // While a puzzle is opened its pieces are half cut and not yet laid out
    // (the cutting progress lets the window paint meanwhile).
    if (!(m_context.puz.edit & Puz::Opening) && !host().session().tableCovered()) {
        const std::vector<bool> dimmed = host().rules().dimmedPieces();
        drawSurfacePieces(m_context.puz, m_container, s.x(), s.y(), m_scratch, m_hidden.empty() ? nullptr : &m_hidden,
                          dimmed.empty() ? nullptr : &dimmed);
    }
    const QImage view(reinterpret_cast<const uchar*>(m_scratch.bits()), m_scratch.width(), m_scratch.height(),
                      m_scratch.width() * 4, QImage::Format_RGB32);
    painter.drawImage(windowRect.topLeft(), view);
}

void WSPuz::paintOverlay(QPainter&, const QRect&) {}

bool WSPuz::OnMouse(const fw::MouseEvent& event) { return host().surfaceMouse(*this, event); }

bool WSPuz::OnCommand(const fw::CommandEvent& event) { return host().surfaceCommand(*this, event); }

bool WSPuz::OnMenuHint(fw::MenuHintEvent& event) { return host().surfaceMenuHint(*this, event); }

}  // namespace qv
