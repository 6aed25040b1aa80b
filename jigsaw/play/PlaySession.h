#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "jigsaw/document/Box.h"
#include "jigsaw/document/Rect16.h"
#include "jigsaw/play/Animation.h"
#include "jigsaw/play/LoupeReason.h"
#include "jigsaw/play/PlayHistory.h"
#include "jigsaw/play/PlayPorts.h"
#include "jigsaw/play/PlayRules.h"
#include "jigsaw/play/ScoreKeeperScore.h"

namespace qv {

class Puz;
class ScoreKeeper;

// The marker's move after a marking: from a piece or the dock (-1) to a
// piece or the dock. While it flies it is drawn at leaving, not at landing.
struct MarkerMove {
    int from = -1;
    int to = -1;
    int leaving = -1;
    int landing = -1;
};

// What one operation of the session changed, for the windows to show: the
// rules' requests in the order they were made (repaints, sounds, turns,
// hints), and what the session itself decided.
struct PlayReport {
    struct Repaint {
        uint8_t container;
        Rect16 area;
    };
    std::vector<Repaint> repaint;
    std::vector<uint8_t> repaintWhole;  // containers shown again whole
    std::vector<int> sounds;
    std::vector<TurnAnimation> turns;
    std::vector<HintAnimation> hints;
    std::optional<MarkerMove> marker;
    // The loupe: hidden (a reason began) or shown again (the last one ended).
    enum class Loupe { Same, Hide, Show } loupe = Loupe::Same;
    bool loupeAreaRepaint = false;  // the area under the loupe is shown again (deactivation)
    bool boxesChanged = false;      // a box was added or removed
    bool joined = false;            // the joined sides changed during the operation
    bool done = false;              // the operation did something

    void add(PlayReport&& inner);
    // Empty again, keeping the room its lists had.
    void clear();
};

// What a game in progress holds beyond the document, between the rules
// and the windows: the held group, the marking, the boxes' bookkeeping,
// the loupe's hide reasons. Every change of the document is marked here
// or in the rules. Operations answer with a report; the windows show it.
//
// The rules ask their windows through the session: inside an operation
// it collects what they ask into the operation's report; outside one (a
// caller using the rules directly) it passes it on to the view at once.
class PlaySession : private PlayWindows {
public:
    static constexpr int MaxBoxes = 9;
    static constexpr int BoxLabelHeight = 20;  // kept clear at a box's top
    static constexpr int BoxGrid = 8;          // cells of the search for a free spot

    // view: what the rules ask of the windows that the session cannot
    // answer (the visible table, the box windows, scattering areas, whether
    // turns are shown); show: where a report goes that no operation takes
    // (a caller used the rules directly); optionsWord: the game's options,
    // read when a box opens or closes.
    PlaySession(Puz& puz, ScoreKeeper& score, PlayWindows& view, std::function<void(PlayReport&&)> show = {},
                std::function<uint32_t()> optionsWord = {});

    PlayRules& rules() { return m_rules; }
    const PlayRules& rules() const { return m_rules; }
    Puz& puz() { return m_puz; }

    // A puzzle was opened or closed: nothing is held, marked last or hovered.
    void reset();
    // Gives back a report that has been shown. A drag asks for one at every
    // pointer move; its lists are used again instead of made anew.
    void recycle(PlayReport&& report);

    // --- the loupe's hide reasons
    PlayReport hideLoupeFor(int reason, bool pauseClock);
    PlayReport showLoupeAfter(int reason, bool resumeClock);
    bool loupeHiddenFor(int reason) const { return m_loupeReasons.count(reason) != 0; }
    bool loupeHidden() const { return !m_loupeReasons.empty(); }
    // A competition game waiting on the player (paused, a dialog open, the
    // window inactive) shows no pieces: paused time is not for studying them.
    // The reports that begin and end it repaint every surface.
    bool tableCovered() const;

    // --- holding and dragging
    // grab: the pointer minus the piece's cell position. afterTurn: the
    // pick-up that continues a drag after a turn (no sound, the joins are
    // still counted from the first pick-up).
    PlayReport pickUp(int piece, Point16 grab, bool afterTurn = false);
    int heldPiece() const { return m_rules.heldPiece(); }
    Point16 grab() const { return m_grab; }
    // The held piece's cell goes to position (the pointer minus the grab).
    PlayReport dragTo(Point16 pointer);
    // The held group goes to another container, the pointer there at `pointer`.
    PlayReport carryTo(uint8_t container, Point16 pointer);
    // The held group reached the edge of its surface: the bump sounds once a drag.
    PlayReport bumpedEdge();
    // Turns the held group about the pivot and goes on holding it there.
    PlayReport turnHeld(int k, Point16 pivot);
    // Drops the held group; report.joined: whether the drag joined pieces.
    PlayReport drop();

    // --- commands on pieces
    // The rotation commands: about the pivot (a click) or the cell's centre;
    // one move unless complete. report.joined tells whether the joined sides
    // changed while it ran.
    PlayReport turnByCommand(int piece, int k, const Point16* pivot);
    // Brings the groups below the one at the point into view.
    PlayReport uncover(uint8_t container, Point16 point);
    // The piece at the point and whether its group covers at least 0.8 of
    // some group below it (the piece then offers the uncover command).
    struct Hover {
        int piece = -1;
        bool covers = false;
        bool changed = false;  // another piece than at the last call
    };
    Hover hover(uint8_t container, Point16 point);

    // --- marking
    // Marks the piece's group with the piece as marker piece, or unmarks it.
    PlayReport setMarked(int piece, bool mark);
    // Unmarks the group marked last (the marker goes home).
    PlayReport unmarkLast();
    // Marks or unmarks every group of these pieces (a rubber band).
    PlayReport markAll(const std::vector<int>& pieces, bool mark);

    // --- boxes
    PlayReport addBox();
    // Removes the last box when it is empty.
    PlayReport removeBox();
    PlayReport setBoxClosed(int box, bool closed);
    // Where a w x h group fits in the box without covering its pieces, in
    // reading order; a cascade when it is full. area: the box's size;
    // origin: its scroll.
    Point16 freeSpotInBox(int box, int areaW, int areaH, Point16 origin, int w, int h) const;
    // Sends the piece's group to a container with the piece's cell at
    // position (SPuz::OnTable: back to the table); refused for a marked
    // group and when it is there already.
    PlayReport sendToBox(int piece, uint8_t box, Point16 position);
    // The default places of boxes never placed: icons down the right edge,
    // open in rows across the bottom of a table of this size.
    void placeBoxesByDefault(int tableW, int tableH, int iconSize);
    // A box window was moved or resized by the player.
    PlayReport boxMoved(int box, const BoxPlace& place);
    // Where every box window lies now (kept with the game, not a change).
    void keepBoxPlaces(std::vector<BoxPlace> places);

    // --- the rest of what counts as a change
    // The preview was dragged to a new place.
    PlayReport previewMoved(Point16 place);
    // The completion message was shown for a click on the finished picture's border.
    PlayReport completionShown();
    // A rubber band's re-spreading of the container's loose pieces about its rectangle.
    PlayReport spread(uint8_t container, const Rect16& band);
    // The box options window's choices: a change of any is a change of the
    // game. colour: Box::NoColour leaves the colour alone.
    PlayReport setBoxOptions(int box, const std::string& name, uint32_t colour, bool closed);
    // The same edit of the record alone, for the window that makes it: true,
    // and the game marked changed, when anything changed. colour: none
    // leaves it alone.
    static bool editBox(Puz& puz, int box, const std::string& name, std::optional<uint32_t> colour, bool closed);
    // The table's background chosen in its window (its text, frame and
    // texture name, as kept with the game).
    PlayReport setTableBackground(const std::string& text, bool frameOff, const std::string& texture);
    // A received certificate's record entered the game's ranking.
    PlayReport recordReceived();
    // The game's own options and the score strip's place, kept with the game.
    PlayReport setGameOptions(uint32_t word);
    PlayReport scoreStripMoved(Point16 place);

    // --- undo and redo of moves, turns, boxes, tidying and marking
    // A join is final: nothing before the last one is undone. In a
    // competition game each undo and each redo counts one move. Refused
    // while a group is held.
    bool canUndo();
    bool canRedo();
    PlayReport undo();
    PlayReport redo();
    const PlayHistory& history() const { return m_history; }
    // Tidying a container's loose pieces (wholeTable: over the picture's area too).
    PlayReport tidy(uint8_t container, bool wholeTable);
    // The game keeps scores: its own options, or the defaults of new games.
    bool competition() const;

    // --- edge pieces (not helps: their shape shows anyway)
    // Every loose piece with a border side (no joined side, not marked),
    // wherever it lies, goes into the box; the box's loose pieces are then
    // laid out again. Refused for a box the game has not got.
    PlayReport gatherEdges(uint8_t box);
    // The pieces gatherEdges takes into the box.
    std::vector<int> looseEdgePieces(uint8_t box) const;
    // Only the groups with a border side are shown; the others are dimmed
    // and not picked up.
    PlayReport setEdgeView(bool on);
    bool edgeView() const { return m_rules.edgeView(); }

    // --- search by the preview
    // Points out the loose pieces (no joined side) whose place in the
    // picture has its centre inside area (picture pixels): each is brought
    // to the top and a hint flies to it. One help with no joined sides;
    // refused with NoHelp, when complete, and when none lies there.
    PlayReport searchPicture(const Rect16& area);
    // The pieces searchPicture points out.
    std::vector<int> loosePiecesPlacedIn(const Rect16& area) const;

    // How a texture file is kept with the game: its name when it lies in
    // the program's folder of textures, else its full path; and where a
    // kept name is found again.
    static std::string textureName(const std::filesystem::path& file, const std::filesystem::path& folder);
    static std::filesystem::path textureFile(const std::string& name, const std::filesystem::path& folder);

private:
    // An operation's report: what the rules ask meanwhile goes into it.
    class Collect {
    public:
        explicit Collect(PlaySession& s);
        ~Collect();
        PlayReport& report() { return m_s.m_reports.back(); }
        PlayReport take();

    private:
        PlaySession& m_s;
        bool m_taken = false;
    };

    // PlayWindows, for the rules.
    void invalidate(uint8_t container, const Rect16& area) override;
    bool showTurn(const TurnAnimation& turn) override;
    bool showsTurns() const override { return m_view.showsTurns(); }
    void finishTurn() override { m_view.finishTurn(); }
    void playSound(int number) override;
    Rect16 visibleTable() const override { return m_view.visibleTable(); }
    void scrollTable(int dx, int dy) override { m_view.scrollTable(dx, dy); }
    bool boxWindowOpen(uint8_t box) const override { return m_view.boxWindowOpen(box); }
    void openBoxWindow(uint8_t box) override { m_view.openBoxWindow(box); }
    void hideLoupe(int reason, bool pauseClock) override;
    void showLoupe(int reason, bool resumeClock) override;
    bool loupeExists() const override { return m_view.loupeExists(); }
    void showHint(const HintAnimation& hint) override;
    void celebrate(int sparkles) override { m_view.celebrate(sparkles); }
    ScatterArea scatterArea(uint8_t container) const override { return m_view.scatterArea(container); }

    // The report of the operation running, or one shown at once.
    template <typename F>
    void record(F&& f);
    void changed();
    void wholeContainer(uint8_t container);
    void wholeSurfaces();
    void coverChange(bool coveredBefore, PlayReport& r) const;
    bool coversAnotherGroup(int piece) const;
    // One step of the history: a move in competition, the surfaces repainted.
    PlayReport step(bool forward);
    int markerPieceOf(int piece) const;

    Puz& m_puz;
    ScoreKeeper& m_score;
    PlayWindows& m_view;
    std::function<void(PlayReport&&)> m_show;
    std::function<uint32_t()> m_optionsWord;
    ScoreKeeperScore m_counts;
    PlayRules m_rules;
    std::vector<PlayReport> m_reports;  // of the operations running, innermost last
    std::vector<PlayReport> m_spare;    // shown ones, for the next operations
    std::set<int> m_loupeReasons;
    Point16 m_grab;
    int m_sidesAtPickUp = 0;
    std::vector<int> m_marked;  // pieces marked, latest last
    int m_hover = -1;
    PlayHistory m_history;
    PlayHistory::Snapshot m_dragBefore;  // the pieces at the drag's pick-up
};

}  // namespace qv
