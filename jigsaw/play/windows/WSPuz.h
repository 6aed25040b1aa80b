#pragma once
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <cmath>
#include <cstdint>
#include <array>
#include <memory>
#include <set>

#include "framework/Background.h"
#include "framework/Bitmap.h"
#include "framework/qt/Window.h"
#include "jigsaw/document/Rect16.h"

class QPainter;

namespace qv {

struct LiftShadow;
struct PlayContext;
class PlayHost;

// A surface on which pieces lie: the play window (the table) or a box.
// It paints its container's pieces over its background and turns the mouse
// into the play session's operations through the play window (its host),
// which owns the session and what the surfaces share (loupe, marker).
class WSPuz : public fw::Window {
    Q_OBJECT

public:
    WSPuz(PlayContext& context, uint8_t container, QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~WSPuz() override;

    uint8_t container() const { return m_container; }
    PlayContext& context() const { return m_context; }
    // The play window, which owns every surface.
    virtual PlayHost& host() = 0;

    // The view: the surface point shown at the window's top-left
    // (scrolling) and the scale of window pixels to surface pixels (the
    // table's zoom; boxes stay at 1). Every rule works in surface
    // coordinates; only these map them to the window and back.
    QPoint origin() const { return {static_cast<int>(std::floor(m_origin.x())), static_cast<int>(std::floor(m_origin.y()))}; }
    QPointF exactOrigin() const { return m_origin; }
    double zoom() const { return m_zoom; }
    void setOrigin(QPoint origin) { setView(m_zoom, QPointF(origin)); }
    void setView(double zoom, QPointF origin);
    // Whether the window shows the surface pixel for pixel (the fast path).
    bool unscaled() const { return m_unscaled; }
    // The surface pixel under a window pixel, and the exact surface point
    // of a window point.
    QPoint toSurface(QPoint windowPoint) const;
    QPointF toSurfaceF(QPointF windowPoint) const { return m_origin + windowPoint / m_zoom; }
    // The surface area a window rectangle shows (whole pixels covering it).
    Rect16 toSurface(const QRect& windowRect) const;
    QPoint toWindow(QPoint surfacePoint) const;
    QPointF toWindowF(QPointF surfacePoint) const { return (surfacePoint - m_origin) * m_zoom; }
    // The window pixels a surface area covers.
    QRect toWindow(const Rect16& r) const;
    // The visible part of the surface, in surface coordinates.
    Rect16 visibleArea() const;

    // Repaint an area given in surface coordinates.
    void invalidateSurface(const Rect16& area);
    void invalidateAll() { update(); }

    // Pieces left out of painting (a group that an animation shows).
    void setHiddenPieces(std::set<int> pieces);

    // The ground the pieces lie on (the table's background, or the box's).
    virtual fw::Background& ground() = 0;
    // The plain colour of the ground as a pixel (0x00RRGGBB): all of it
    // when there is no blend or texture.
    uint32_t backgroundPixel() const;
    // Fills out (its whole size) with the ground of the surface area whose
    // top-left is the surface point at: a texture is anchored to the surface
    // so it moves with the pieces, a blend to the window it spans; either
    // way areas painted one after the other join without a seam.
    void paintGround(fw::Bitmap& out, QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Drawn over the pieces in window coordinates (frames, markers, bands).
    virtual void paintOverlay(QPainter& painter, const QRect& area);
    // The view was scrolled or zoomed.
    virtual void viewChanged();

    // Brings the ground up to date with what it shows (the document's
    // choice, the box's colour) before it is painted.
    virtual void prepareGround() {}
    // Drawn on the ground under the pieces (the picture area's outline).
    virtual void paintGroundMarks(fw::Bitmap&, QPoint) {}
    void resizeEvent(QResizeEvent* event) override;

    bool OnMouse(const fw::MouseEvent& event) override;
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnMenuHint(fw::MenuHintEvent& event) override;

private:
    void paintArea(QPainter& painter, const QRect& windowRect);
    void paintScaledArea(QPainter& painter, const QRect& windowRect);
    void paintPieces(QPoint at);
    const LiftShadow* liftShadow(bool withPieces);

    PlayContext& m_context;
    uint8_t m_container;
    QPointF m_origin;
    double m_zoom = 1.0;
    bool m_unscaled = true;  // zoom 1 and a whole-pixel origin
    std::set<int> m_hidden;
    fw::Bitmap m_scratch;
    std::unique_ptr<LiftShadow> m_shadow;
    std::array<int, 8> m_shadowKey{};
    QPoint m_shadowAt;
};

}  // namespace qv
