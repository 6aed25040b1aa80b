#pragma once
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

#include "framework/Events.h"
#include "framework/Menu.h"
#include "framework/qt/Window.h"

class QPainter;

namespace fw {
class Background;
}

namespace qv {

class Loupe;
class Marker;
class PlaySession;
class PlayRules;
class SurfaceMouse;
class WBox;
class WSPuz;
struct PlayReport;

// What the surfaces, the boxes, the mouse, the loupe and the preview ask
// of the play window. They know the play window only by this, so none of
// them depends on it; the play window, which owns them all, implements it.
class PlayHost {
public:
    virtual ~PlayHost() = default;

    // The table: the play window as a surface.
    virtual WSPuz& table() = 0;
    virtual PlaySession& session() = 0;
    virtual PlayRules& rules() = 0;
    // Shows what an operation of the session changed.
    virtual void present(PlayReport&& report) = 0;

    // --- the surfaces' input
    virtual bool surfaceMouse(WSPuz& surface, const fw::MouseEvent& event) = 0;
    virtual bool surfaceCommand(WSPuz& surface, const fw::CommandEvent& event) = 0;
    virtual bool surfaceMenuHint(WSPuz& surface, fw::MenuHintEvent& event) = 0;
    virtual SurfaceMouse& mouse() = 0;
    virtual WSPuz* surfaceAtGlobal(QPoint global) const = 0;
    virtual bool holding() const = 0;
    virtual double mmPerPixel() const = 0;
    // Moves the table's view by a distance in window pixels (the table
    // follows the pointer dragging it).
    virtual void panTable(QPoint windowDistance) = 0;

    // --- sounds and the loupe
    virtual void PlaySound(int number) = 0;
    virtual void HideLoupeFor(int reason, bool pauseClock) = 0;
    virtual void ShowLoupeAfter(int reason, bool resumeClock) = 0;
    virtual void setPointerOnFrame(bool on) = 0;
    virtual Loupe* loupe() const = 0;
    virtual void OpenLoupe() = 0;
    virtual bool loupeKey(unsigned kind, unsigned key) = 0;

    // --- pieces
    virtual void markGroup(WSPuz& surface, int piece, bool mark) = 0;
    virtual void unmarkLast() = 0;
    virtual void postRotation(WSPuz& surface, int piece, int k, QPoint at) = 0;
    virtual void uncoverAt(WSPuz& surface, QPoint at) = 0;
    virtual fw::Menu pieceMenu(int piece) const = 0;
    virtual const Marker& marker() const = 0;
    virtual QRect markerDock() const = 0;
    virtual QRect completionBorder() const = 0;
    virtual void paintBandOn(QPainter& painter, WSPuz& surface) = 0;

    // --- boxes and the table's background
    virtual const std::vector<fw::WindowPtr<WBox>>& boxes() const = 0;
    virtual void boxActivated(WBox* box) = 0;
    virtual void boxWindowMoved(int box) = 0;
    virtual void storeBoxPlaces() = 0;
    virtual fw::Background& tableBackground() = 0;
    virtual unsigned backgroundStamp() const = 0;
};

}  // namespace qv
