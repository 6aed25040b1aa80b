#include "jigsaw/play/windows/SurfaceMouse.h"

#include <QApplication>
#include <QCursor>
#include <QToolTip>
#include <cmath>
#include <cstdlib>

#include "framework/VirtualKey.h"
#include "framework/qt/KeyMap.h"
#include "framework/qt/Text.h"
#include "jigsaw/play/CommandIds.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/GameSounds.h"
#include "jigsaw/play/windows/PlayCursors.h"
#include "jigsaw/play/windows/MultiSPuzs.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/play/windows/PlayHost.h"
#include "jigsaw/play/PlaySession.h"

namespace qv {

namespace {

constexpr int BandThreshold = 16;  // |dx| + |dy| before a band opens

Point16 p16(QPoint p) { return {static_cast<int16_t>(p.x()), static_cast<int16_t>(p.y())}; }

QPoint cellPos(const SPuz& s) { return {s.tableCell.x, s.tableCell.y}; }

// Enter or the keypad's separator held stands for Ctrl in the clicks.
bool enterHeld() { return fw::KeyMap::isDown(fw::vk::Return) || fw::KeyMap::isDown(fw::vk::Separator); }

bool swappedButtons() { return false; }

}  // namespace

SurfaceMouse::SurfaceMouse(PlayHost& host) : m_host(host), m_play(host.table()) {}

SurfaceMouse::~SurfaceMouse() = default;

bool SurfaceMouse::handle(WSPuz& s, const fw::MouseEvent& e)
{
    const QPoint window(e.x(), e.y());
    m_buttons = e.buttons();
    m_pointer = s.mapTo(&m_play, window);
    if (s.window() != &m_play && s.parentWidget() == nullptr)
        m_pointer = m_play.mapFromGlobal(s.mapToGlobal(window));
    switch (e.action()) {
    case fw::MouseEvent::Move: onMove(s, e); break;
    case fw::MouseEvent::Drag: onDrag(s, e); break;
    case fw::MouseEvent::Down:
        if (e.button() == fw::MouseEvent::Left)
            onLeftDown(s, e);
        else
            onRightOrMiddleDown(s, e);
        break;
    case fw::MouseEvent::Up: onUp(s, e); break;
    }
    // A box being moved has the pointer by its frame wherever the move events go.
    bool onFrame = false;
    for (const auto& b : m_host.boxes())
        onFrame = onFrame || b->moving();
    if (const auto* box = dynamic_cast<const WBox*>(&s))
        onFrame = onFrame || box->onFrame(window);
    m_host.setPointerOnFrame(onFrame);
    return true;
}

// --- moving

// The pan goes on while the middle button is held, wherever the pointer is.
bool SurfaceMouse::panning(const fw::MouseEvent& e)
{
    if (!m_panning)
        return false;
    if (!(e.buttons() & fw::MouseEvent::Middle)) {
        m_panning = false;
        return false;
    }
    const QPoint at = m_pointer;
    m_host.panTable(at - m_panLast);
    m_panLast = at;
    return true;
}

void SurfaceMouse::onMove(WSPuz& s, const fw::MouseEvent& e)
{
    const QPoint window(e.x(), e.y());
    if (panning(e))
        return;
    if (m_holdSurface) {
        dragHeld(s, s.mapToGlobal(window));
        return;
    }
    if (auto* box = dynamic_cast<WBox*>(&s); box && box->moving()) {
        box->moveWith(s.mapToGlobal(window));
        return;
    }
    hover(s, s.toSurface(window));
    if (m_host.loupe())
        m_host.OpenLoupe();  // follows the pointer
}

void SurfaceMouse::onDrag(WSPuz& s, const fw::MouseEvent& e)
{
    const QPoint window(e.x(), e.y());
    if (panning(e))
        return;
    m_pressMoved = true;
    if (m_holdSurface) {
        dragHeld(s, s.mapToGlobal(window));
        return;
    }
    if (auto* box = dynamic_cast<WBox*>(&s); box && box->moving()) {
        box->moveWith(s.mapToGlobal(window));
        return;
    }
    if (m_band) {
        m_band->stretchTo(s.toSurface(window));
        return;
    }
    if (m_bandCandidate && m_pressSurface == &s) {
        const QPoint d = window - m_pressWindow;
        if (std::abs(d.x()) + std::abs(d.y()) > BandThreshold)
            startBand(s, s.toSurface(window));
    }
}

void SurfaceMouse::hover(WSPuz& s, QPoint at)
{
    const PlaySession::Hover h = m_host.session().hover(s.container(), p16(at));
    if (h.changed)
        s.setCursor(h.covers ? PlayCursors::uncover() : QCursor(Qt::ArrowCursor));
}

// --- pressing

void SurfaceMouse::onLeftDown(WSPuz& s, const fw::MouseEvent& e)
{
    const QPoint window(e.x(), e.y());
    const QPoint at = s.toSurface(window);
    QToolTip::hideText();
    s.activateWindow();
    s.raise();
    if (auto* box = dynamic_cast<WBox*>(&s))
        m_host.boxActivated(box);
    m_pressSurface = &s;
    m_pressWindow = window;
    m_pressMoved = false;
    m_pressOnEmpty = false;
    m_bandCandidate = false;
    if (m_holdSurface)
        return;
    const int piece = m_host.rules().HitTest(s.container(), p16(at));
    if (auto* box = dynamic_cast<WBox*>(&s); box && box->pressEmptyOrClosed(e, piece >= 0)) {
        return;
    }
    if (piece >= 0) {
        pieceClick(s, piece, e, at);
        return;
    }
    emptyClick(s, e, at);
}

bool SurfaceMouse::pieceClick(WSPuz& s, int piece, const fw::MouseEvent& e, QPoint at)
{
    Puz& puz = s.context().puz;
    PlayRules& rules = m_host.rules();
    const unsigned mods = e.modifiers();
    const bool ctrl = mods & fw::mod::Ctrl, alt = mods & fw::mod::Alt;
    const bool marked = puz.pieces[piece].flags & PlayRules::Marked;
    if (alt && ctrl) {
        if (!(puz.options & Puz::NoHelp))
            rules.ShowNeighbour(piece, p16(at), false);
        return true;
    }
    if (alt) {
        if (!marked)
            rules.BringToLevel(piece, 0);
        m_host.markGroup(s, piece, true);
        return true;
    }
    if (marked && (mods || e.button() == fw::MouseEvent::Left)) {
        m_host.markGroup(s, piece, false);
        return true;
    }
    if (ctrl || enterHeld()) {
        if (puz.options & Puz::NoRotable)
            return true;
        const bool primary = (e.button() == fw::MouseEvent::Left) != swappedButtons();
        m_host.postRotation(s, piece, primary ? 1 : 3, at);
        return true;
    }
    pickUp(s, piece, at);
    return true;
}

void SurfaceMouse::emptyClick(WSPuz& s, const fw::MouseEvent& e, QPoint at)
{
    const QPoint window(e.x(), e.y());
    const bool table = &s == &m_play;
    Puz& puz = s.context().puz;
    if (table && (puz.state & Puz::Complete) && m_host.completionBorder().contains(window)) {
        clickedCompletionBorder();
        return;
    }
    if (table && m_host.markerDock().contains(window)) {
        m_host.unmarkLast();
        return;
    }
    if (table && e.doubleClick() && puz.pieceCount() > 0) {
        m_play.postCommand(cmd::Preview);
        return;
    }
    const unsigned mods = e.modifiers() & (fw::mod::Ctrl | fw::mod::Shift | fw::mod::Alt);
    m_bandCandidate = mods == fw::mod::Ctrl || enterHeld();
    m_pressOnEmpty = !e.doubleClick() && mods == 0;
    (void)at;
}

void SurfaceMouse::clickedCompletionBorder()
{
    PlayContext& c = m_play.context();
    m_host.HideLoupeFor(loupe::Pause, true);
    c.shell.message(995, 0x40);
    m_host.ShowLoupeAfter(loupe::Pause, true);
    m_host.present(m_host.session().completionShown());
}

void SurfaceMouse::pickUp(WSPuz& s, int piece, QPoint at)
{
    const SPuz& p = s.context().puz.pieces[piece];
    m_host.present(m_host.session().pickUp(piece, p16(at - cellPos(p))));
    holdOn(s, at);
}

void SurfaceMouse::holdOn(WSPuz& s, QPoint at)
{
    m_holdSurface = &s;
    m_lastGlobal = s.mapToGlobal(s.toWindow(at));
    s.setCursor(PlayCursors::grab());
    s.captureMouse();
}

// --- dragging

void SurfaceMouse::dragHeld(WSPuz& current, QPoint global)
{
    (void)current;
    WSPuz* s = m_holdSurface;
    if (!s)
        return;
    PlaySession& session = m_host.session();
    if (session.heldPiece() < 0) {
        m_holdSurface = nullptr;
        return;
    }
    const QPoint d = global - m_lastGlobal;
    session.rules().AddTravel(d.x(), d.y(), m_host.mmPerPixel());
    m_lastGlobal = global;

    WSPuz* over = m_host.surfaceAtGlobal(global);
    if (over && over != s) {
        const QPoint at = over->toSurface(over->mapFromGlobal(global));
        m_host.present(session.carryTo(over->container(), p16(at)));
        s->releaseMouseCapture();
        s->setCursor(QCursor(Qt::ArrowCursor));
        m_holdSurface = over;
        s = over;
        s->setCursor(PlayCursors::grab());
        s->captureMouse();
        s->raise();
    }
    const QPoint grab(session.grab().x, session.grab().y);
    QPoint wanted = s->toSurface(s->mapFromGlobal(global)) - grab;
    autoScroll(*s, wanted);
    m_host.present(session.dragTo(p16(wanted + grab)));
}

// Keeps the held group in sight: the surface scrolls when the group would
// leave its visible part, towards where the group is going.
void SurfaceMouse::autoScroll(WSPuz& s, QPoint& wanted)
{
    Puz& puz = s.context().puz;
    PlayRules& rules = m_host.rules();
    const int held = rules.heldPiece();
    PieceList g = rules.group(held);
    const Rect16 b = g.bounds(puz);
    const QPoint move = wanted - cellPos(puz.pieces[held]);
    const Rect16 v = s.visibleArea();
    int dx = 0, dy = 0;
    const int left = b.x + move.x(), top = b.y + move.y();
    const int right = left + b.w, bottom = top + b.h;
    if (move.x() < 0 && left < v.x + 1)
        dx = left - (v.x + 1);
    else if (move.x() > 0 && right > v.x + v.w - 1)
        dx = right - (v.x + v.w - 1);
    if (move.y() < 0 && top < v.y + 1)
        dy = top - (v.y + 1);
    else if (move.y() > 0 && bottom > v.y + v.h - 1)
        dy = bottom - (v.y + v.h - 1);
    if (!dx && !dy)
        return;
    s.setView(s.zoom(), s.exactOrigin() + QPointF(dx, dy));
    if (&s == &m_play)
        puz.viewOrigin = p16(s.origin());
    wanted += QPoint(dx, dy);
    m_host.present(m_host.session().bumpedEdge());
}

void SurfaceMouse::rotateHeld(WSPuz& s, int k, QPoint at)
{
    PlaySession& session = m_host.session();
    if (session.heldPiece() < 0 || (s.context().puz.options & Puz::NoRotable))
        return;
    m_host.present(session.turnHeld(k, p16(at)));
    // The drag goes on as if the left button had been pressed here again.
    holdOn(s, at);
}

// --- releasing

void SurfaceMouse::onUp(WSPuz& s, const fw::MouseEvent& e)
{
    const QPoint window(e.x(), e.y());
    if (auto* box = dynamic_cast<WBox*>(&s); box && box->moving()) {
        box->endMove();
        return;
    }
    if (e.button() == fw::MouseEvent::Middle)
        m_panning = false;
    if (e.button() != fw::MouseEvent::Left)
        return;
    if (m_holdSurface) {
        drop();
        return;
    }
    if (m_band) {
        finishBand(s, s.toSurface(window));
        return;
    }
    if (m_pressOnEmpty && !m_pressMoved && m_pressSurface == &s && &s == &m_play)
        clickHint(s, window);
    m_pressOnEmpty = false;
    m_bandCandidate = false;
}

void SurfaceMouse::drop()
{
    WSPuz* s = m_holdSurface;
    PlayContext& c = m_play.context();
    if (s) {
        s->releaseMouseCapture();
        s->setCursor(QCursor(Qt::ArrowCursor));
    }
    m_holdSurface = nullptr;
    PlayReport r = m_host.session().drop();
    const bool joined = r.joined;
    m_host.present(std::move(r));
    c.shell.autosave(joined);
}

void SurfaceMouse::releaseHeld()
{
    WSPuz* s = m_holdSurface;
    if (!s)
        return;
    s->releaseMouseCapture();
    s->setCursor(QCursor(Qt::ArrowCursor));
    m_holdSurface = nullptr;
}

// --- other buttons

void SurfaceMouse::onRightOrMiddleDown(WSPuz& s, const fw::MouseEvent& e)
{
    const QPoint window(e.x(), e.y());
    const QPoint at = s.toSurface(window);
    if (m_holdSurface) {
        // While holding, the pointer lies over the surface that holds the group.
        WSPuz& h = *m_holdSurface;
        const QPoint hat = h.toSurface(h.mapFromGlobal(s.mapToGlobal(window)));
        rotateHeld(h, e.button() == fw::MouseEvent::Right ? 1 : 3, hat);
        return;
    }
    if (e.button() == fw::MouseEvent::Middle) {
        // On a piece it uncovers; on empty table it takes the table along.
        if (&s == &m_play && m_host.rules().HitTest(s.container(), p16(at)) < 0) {
            m_panning = true;
            m_panLast = m_pointer;
            return;
        }
        m_host.uncoverAt(s, at);
        return;
    }
    if (e.button() == fw::MouseEvent::Right) {
        const int piece = m_host.rules().HitTest(s.container(), p16(at));
        if (piece >= 0 && (e.modifiers() & fw::mod::Alt)) {
            if (s.context().puz.pieces[piece].flags & PlayRules::Marked)
                m_host.markGroup(s, piece, false);
            return;
        }
        if (piece >= 0 && (e.modifiers() & fw::mod::Ctrl || enterHeld())) {
            if (!(s.context().puz.options & Puz::NoRotable))
                m_host.postRotation(s, piece, swappedButtons() ? 1 : 3, at);
            return;
        }
        contextMenu(s, window);
    }
}

void SurfaceMouse::contextMenu(WSPuz& s, QPoint window)
{
    const QPoint at = s.toSurface(window);
    const int piece = m_host.rules().HitTest(s.container(), p16(at));
    m_menuPiece = piece;
    m_menuPoint = at;
    m_menuSurface = &s;
    if (piece >= 0)
        s.trackMenu(m_host.pieceMenu(piece), window);
    else
        s.trackMenu(s.windowMenu(), window);
}

// --- the rubber band

void SurfaceMouse::startBand(WSPuz& s, QPoint at)
{
    m_host.HideLoupeFor(loupe::RubberBand, false);
    m_band = std::make_unique<MultiSPuzs>(s.context().puz, s, s.toSurface(m_pressWindow));
    m_band->stretchTo(at);
}

void SurfaceMouse::finishBand(WSPuz& s, QPoint at)
{
    m_band->stretchTo(at);
    if (!s.trackMenu(m_band->menu(), s.toWindow(at)))
        removeBand();
}

void SurfaceMouse::removeBand()
{
    if (!m_band)
        return;
    m_band.reset();
    m_bandCandidate = false;
    m_host.ShowLoupeAfter(loupe::RubberBand, false);
}

void SurfaceMouse::clickHint(WSPuz& s, QPoint window)
{
    const std::string hint = s.context().shell.clickHint();
    if (!hint.empty())
        QToolTip::showText(s.mapToGlobal(window), fw::toQString(hint), &s);
}

}  // namespace qv
