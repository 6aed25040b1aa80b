#pragma once
#include <QPoint>
#include <QPointer>
#include <memory>

#include "framework/Events.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

class MultiSPuzs;
class PlayHost;
class WSPuz;

// The mouse rules of every surface: picking up, dragging between surfaces
// with auto-scroll, rotating while holding, dropping; the modifier clicks
// (marking, show-neighbour, rotation), the rubber band, the context menus
// and the clicks on empty space. One per play window, since a drag may
// wander from the table into a box and back.
class SurfaceMouse {
public:
    explicit SurfaceMouse(PlayHost& host);
    ~SurfaceMouse();

    bool handle(WSPuz& surface, const fw::MouseEvent& event);

    // Ends a drag as a drop would, without the drop's joining (sending the
    // held group to a box).
    void releaseHeld();
    // The surface the held group lies on; null when nothing is held.
    WSPuz* holdSurface() const { return m_holdSurface; }
    bool panningTable() const { return m_panning; }
    MultiSPuzs* band() const { return m_band.get(); }
    // The buttons held at the last mouse event (fw::MouseEvent::Button bits).
    unsigned buttonsHeld() const { return m_buttons; }
    void removeBand();
    // The piece and point (surface coordinates) a context menu was opened for.
    int menuPiece() const { return m_menuPiece; }
    QPoint menuPoint() const { return m_menuPoint; }
    WSPuz* menuSurface() const { return m_menuSurface; }
    // The last pointer position seen, in play-window coordinates.
    QPoint pointer() const { return m_pointer; }

private:
    void onMove(WSPuz& s, const fw::MouseEvent& e);
    void onLeftDown(WSPuz& s, const fw::MouseEvent& e);
    void onRightOrMiddleDown(WSPuz& s, const fw::MouseEvent& e);
    void onUp(WSPuz& s, const fw::MouseEvent& e);
    void onDrag(WSPuz& s, const fw::MouseEvent& e);
    bool panning(const fw::MouseEvent& e);

    bool pieceClick(WSPuz& s, int piece, const fw::MouseEvent& e, QPoint at);
    void emptyClick(WSPuz& s, const fw::MouseEvent& e, QPoint at);
    void pickUp(WSPuz& s, int piece, QPoint at);
    // The window's side of holding: capture, cursor, where the pointer was.
    void holdOn(WSPuz& s, QPoint at);
    void dragHeld(WSPuz& s, QPoint global);
    void autoScroll(WSPuz& s, QPoint& wanted);
    void drop();
    void rotateHeld(WSPuz& s, int k, QPoint at);
    void hover(WSPuz& s, QPoint at);
    void startBand(WSPuz& s, QPoint at);
    void finishBand(WSPuz& s, QPoint at);
    void contextMenu(WSPuz& s, QPoint window);
    void clickedCompletionBorder();
    void clickHint(WSPuz& s, QPoint window);

    PlayHost& m_host;
    WSPuz& m_play;  // the table
    QPointer<WSPuz> m_holdSurface;
    QPoint m_lastGlobal;
    QPoint m_pointer;

    QPointer<WSPuz> m_pressSurface;
    QPoint m_pressWindow;
    bool m_pressOnEmpty = false;
    bool m_pressMoved = false;
    bool m_bandCandidate = false;
    std::unique_ptr<MultiSPuzs> m_band;

    // The middle button dragging empty table: the view follows it.
    bool m_panning = false;
    QPoint m_panLast;

    unsigned m_buttons = 0;
    int m_menuPiece = -1;
    QPoint m_menuPoint;
    QPointer<WSPuz> m_menuSurface;
};

}  // namespace qv
