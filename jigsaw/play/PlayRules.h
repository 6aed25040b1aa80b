#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Status.h"
#include "jigsaw/document/Rect16.h"
#include "jigsaw/play/PieceList.h"
#include "jigsaw/play/PlayPorts.h"
#include "jigsaw/play/Sound.h"

namespace qv {

class Puz;
struct SPuz;

// The rules of play on the open puzzle: groups, drawing order, moving,
// turning, joining and snapping, completion, the helps and tidying. They
// change only the document and its pieces; what must be shown, heard or
// counted goes out through PlayWindows and PlayScore.
//
// Positions are the table (or box) positions of the pieces' cells; a group
// is never stored, it is found through the joined sides.
class PlayRules {
public:
    enum PieceFlag : uint32_t {
        Marked = 0x0001,
        MarkerPiece = 0x0002,
        NoRotateCommands = 0x0100,
        MovedInDrag = 0x0800,
        EdgeBumped = 0x1000,
        CoversGroup = 0x2000,
        Candidate = 0x8000,
    };
    // The rules' names of the sounds they ask for (jigsaw/play/Sound.h).
    static constexpr int SoundDrop = sound::PutDown, SoundJoin = sound::Join, SoundComplete = sound::Complete;
    static constexpr int NoPiece = -1;
    static constexpr int JoinReach = 6;       // sides join when less than this many pixels apart
    static constexpr int RotationMs = 200;
    static constexpr int CompletionSparkles = 20;

    PlayRules(Puz& puz, PlayWindows& windows, PlayScore& score);

    // --- groups and order
    // The topmost piece at the point; the edge view passes through dimmed ones.
    int HitTest(uint8_t surface, Point16 point) const;
    void CollectGroup(int piece, PieceList& list) const;
    PieceList group(int piece) const;
    void SetMarked(int piece, bool mark, bool keepMarker);
    // Moves the piece's group (or the list) to this level of the order list,
    // keeping the members' relative order.
    void BringToLevel(int piece, int level, const PieceList* list = nullptr);

    // --- moving and turning
    void MoveGroup(int piece, Point16 position, bool repaint = true);
    // The group goes to another container (box number, SPuz::OnTable) with
    // the piece at a position given in that container's coordinates.
    void MoveToSurface(int piece, Point16 position, uint8_t target);
    // k = 1 clockwise, 3 counter-clockwise; about the pivot (table
    // coordinates, the pointer) or, without one, the centre of the piece's cell.
    // A turn still shown is ended first; refused while a puzzle is opening
    // (busy). The loupe is hidden for the turn; with a pivot the windows
    // are asked to show it after it is made, and the document stays busy
    // until they have.
    fw::Status RotateGroup(int piece, int k, const PieceList* group = nullptr, const Point16* pivot = nullptr);
    // The windows have shown the last turn: the rules are no longer busy.
    void TurnShown();
    bool turnShowing() const { return m_turnShowing; }

    // --- joining
    // The first neighbour whose side lies within reach (test only), or the
    // first one joined; NoPiece when none.
    int TryJoin(int piece, bool testOnly);
    // TryJoin for each member of the held group; the matched neighbours, one
    // per group they belonged to, go to matched. Returns their count.
    int JoinGroupToNeighbours(const PieceList& held, std::vector<int>& matched);
    // Lays the group exactly against its joined sides, starting from the
    // piece, which stays where it is.
    void SnapGroup(int piece, const PieceList* group = nullptr);
    bool IsComplete(bool noDate = false);

    // --- the drag of the play window
    void PickUp(int piece);
    // Moves the held group so that the held piece lies at position; the first
    // real movement of a drag counts one move.
    void DragTo(Point16 position);
    // Drops the held group: snap, join, sounds 3, 4 or 5. Returns the number
    // of matched neighbours (JoinGroupToNeighbours), 0 when nothing joined.
    int Drop();
    int heldPiece() const { return m_held; }
    void AddTravel(int dx, int dy, double mmPerPixel);

    // --- helps and tidying
    // The help that shows where the neighbour of the clicked side lies; with
    // testOnly only whether it is possible.
    bool ShowNeighbour(int piece, Point16 point, bool testOnly);
    // Brings one piece to its neighbour; false when nothing could be done.
    bool AutoHelp();
    // Lays out the container's loose pieces again; Scatter's result.
    int Tidy(uint8_t container, bool wholeTable, const std::vector<Rect16>& extra = {});

    // After a saved game's pieces were laid over the cut: joins that break
    // the group rules are undone and the complete state is recomputed
    // (silently: the score keeping learns it when it opens the puzzle).
    void RestoreSaved();
    // Moves every group on the table that reaches outside the area (the
    // visible table) by the least distance that puts it inside; a group
    // larger than the area keeps its top-left corner in it. For games
    // saved on a larger table. Returns the number of groups moved.
    int BringIntoView(const Rect16& area);
    // Groups share rotation and box, joins are symmetric, the order list is
    // a permutation that agrees with every piece's level.
    bool invariantsHold(std::string* why = nullptr) const;

    // --- the view of edge pieces
    void setEdgeView(bool on) { m_edgeView = on; }
    bool edgeView() const { return m_edgeView; }
    // A side of the piece lies on the picture's border (it has no neighbour).
    static bool hasBorderSide(const SPuz& s);
    // Per piece, whether the edge view dims it: its group has no border
    // side. Empty while the view is off.
    std::vector<bool> dimmedPieces() const;

private:
    SPuz& at(int piece);
    int edgeViewHit(uint8_t surface, Point16 point) const;
    const SPuz& at(int piece) const;
    Rect16 cellOnTable(int piece) const;
    Point16 besideNeighbour(int anchor, int side, int neighbour) const;
    bool withinReach(int piece, int side, int neighbour) const;
    void joinSide(int piece, int side);
    void closeSeams(int piece);
    void ensureMarker(int piece);
    fw::Status turnGroup(const PieceList& g, int k, Point16 pivot);
    // Turning without the NoRotable check: the automatic help turns pieces too.
    fw::Status rotate(int piece, int k, const PieceList* list = nullptr, const Point16* pivot = nullptr);
    std::vector<int> groupLabels() const;
    int levelBelow(int piece, const PieceList& list) const;
    void repaint(uint8_t container, const Rect16& area);
    void repaintAll();
    void setLevels();
    void checkInvariants() const;
    // A turn still being shown ends before the rules act on pieces again.
    void settleTurn();
    bool findHelpPair(int& stay, int& move, int& sideFromStay);

    Puz& m_puz;
    PlayWindows& m_windows;
    PlayScore& m_score;
    int m_held = NoPiece;
    Point16 m_heldStart;
    int m_rotateDepth = 0;
    bool m_turnShowing = false;  // the document stays busy until the turn is shown
    int m_sidesReported = 0;  // joined sides reported so far, for the help count
    bool m_edgeView = false;
};

}  // namespace qv
