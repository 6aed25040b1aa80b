// The play session's aids beside the written rules: undo and redo, the edge
// pieces (gathering and the edge view) and the search by the preview. The
// rest of PlaySession is in PlaySession.cpp and PlaySessionBoxes.cpp.
#include <set>

#include "framework/Options.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlaySession.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/Sound.h"

namespace qv {

namespace {

int16_t s16(int v) { return static_cast<int16_t>(v); }

Rect16 grown(Rect16 r, int by) { return {s16(r.x - by), s16(r.y - by), s16(r.w + 2 * by), s16(r.h + 2 * by)}; }

// At least 100 pixels each way, about the same centre: the neighbour hint's target.
Rect16 atLeast100(Rect16 r)
{
    if (r.w < 100) {
        r.x = s16(r.x - (100 - r.w) / 2);
        r.w = 100;
    }
    if (r.h < 100) {
        r.y = s16(r.y - (100 - r.h) / 2);
        r.h = 100;
    }
    return r;
}

bool loose(const SPuz& s) { return s.joined == 0; }

}  // namespace

bool PlaySession::competition() const
{
    if (m_puz.gameOptions)
        return (*m_puz.gameOptions & fw::gameopt::Competition) != 0;
    return m_optionsWord && (m_optionsWord() & fw::opt::DefCompetition);
}

// --- undo and redo

bool PlaySession::canUndo() { return heldPiece() == PlayRules::NoPiece && m_history.canUndo(m_puz); }

bool PlaySession::canRedo() { return heldPiece() == PlayRules::NoPiece && m_history.canRedo(m_puz); }

PlayReport PlaySession::undo() { return step(false); }

PlayReport PlaySession::redo() { return step(true); }

PlayReport PlaySession::step(bool forward)
{
    Collect c(*this);
    if (heldPiece() != PlayRules::NoPiece || m_puz.pieceCount() == 0)
        return c.take();
    // A turn still shown ends first: the pieces are put back as they lie.
    if (m_rules.turnShowing())
        m_view.finishTurn();
    if (m_puz.state & Puz::Busy)
        return c.take();
    std::set<uint8_t> touched;
    auto repaint = [&touched](uint8_t container, const Rect16&) { touched.insert(container); };
    const bool done = forward ? m_history.redo(m_puz, repaint) : m_history.undo(m_puz, repaint);
    if (!done)
        return c.take();
    // The drawing order may have changed anywhere on the surfaces touched.
    for (uint8_t container : touched)
        wholeContainer(container);
    m_hover = -1;
    changed();
    if (competition() && !(m_puz.state & Puz::Complete))
        m_score.AddMove();
    playSound(sound::PutDown);
    c.report().done = true;
    return c.take();
}

PlayReport PlaySession::tidy(uint8_t container, bool wholeTable)
{
    Collect c(*this);
    if (heldPiece() != PlayRules::NoPiece || m_puz.pieceCount() == 0)
        return c.take();
    const PlayHistory::Snapshot was = PlayHistory::take(m_puz);
    m_rules.Tidy(container, wholeTable);
    m_history.record(was, m_puz);
    c.report().done = true;
    return c.take();
}

// --- edge pieces

std::vector<int> PlaySession::looseEdgePieces(uint8_t box) const
{
    std::vector<int> found;
    for (const SPuz& s : m_puz.pieces)
        if (s.box != box && loose(s) && !(s.flags & PlayRules::Marked) && PlayRules::hasBorderSide(s))
            found.push_back(s.index);
    return found;
}

PlayReport PlaySession::gatherEdges(uint8_t box)
{
    Collect c(*this);
    if (box >= m_puz.boxes.size() || heldPiece() != PlayRules::NoPiece)
        return c.take();
    const std::vector<int> edge = looseEdgePieces(box);
    if (edge.empty())
        return c.take();
    const PlayHistory::Snapshot was = PlayHistory::take(m_puz);
    for (int p : edge)
        m_rules.MoveToSurface(p, {0, BoxLabelHeight}, box);
    // Laid out where they do not cover each other (or the box's other loose pieces).
    m_rules.Tidy(box, false);
    m_history.record(was, m_puz);
    changed();
    playSound(sound::PutDown);
    wholeSurfaces();
    c.report().done = true;
    return c.take();
}

PlayReport PlaySession::setEdgeView(bool on)
{
    Collect c(*this);
    if (on == m_rules.edgeView())
        return c.take();
    m_rules.setEdgeView(on);
    m_hover = -1;
    wholeSurfaces();
    c.report().done = true;
    return c.take();
}

// --- the search by the preview

std::vector<int> PlaySession::loosePiecesPlacedIn(const Rect16& area) const
{
    std::vector<int> found;
    for (const SPuz& s : m_puz.pieces) {
        if (!loose(s))
            continue;
        // The cell's size in the picture: a turned piece's cell is turned too.
        const bool across = s.rotation & 1;
        const int w = across ? s.cell.h : s.cell.w, h = across ? s.cell.w : s.cell.h;
        const int cx = s.cellOrigin.x + w / 2, cy = s.cellOrigin.y + h / 2;
        if (cx >= area.x && cx < area.x + area.w && cy >= area.y && cy < area.y + area.h)
            found.push_back(s.index);
    }
    return found;
}

PlayReport PlaySession::searchPicture(const Rect16& area)
{
    Collect c(*this);
    if ((m_puz.options & Puz::NoHelp) || (m_puz.state & Puz::Complete) || heldPiece() != PlayRules::NoPiece)
        return c.take();
    const std::vector<int> found = loosePiecesPlacedIn(area);
    if (found.empty())
        return c.take();
    // The end of each hint shows the loupe again, as the neighbour hint's does.
    hideLoupe(loupe::RuleRunning, false);
    for (int p : found) {
        const uint8_t box = m_puz.pieces[p].box;
        if (box != SPuz::OnTable && !m_view.boxWindowOpen(box))
            m_view.openBoxWindow(box);
        m_rules.BringToLevel(p, 0);
        HintAnimation hint;
        hint.container = box;
        hint.to = atLeast100(m_puz.pieces[p].table);
        hint.from = grown(hint.to, 150);
        showHint(hint);
    }
    m_score.AddHelp(0);
    c.report().done = true;
    return c.take();
}

}  // namespace qv
