#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// The undo history of a game in progress: each step keeps only the pieces
// an operation changed (place, turn, box, marking) and the drawing order
// when it changed. A join is final: a step is made only by an operation
// that joined nothing, and once the joined sides differ from those of the
// last step (a join since, by a drop or a help), the whole history goes.
// It lives with the game in memory and is never saved.
class PlayHistory {
public:
    static constexpr size_t Depth = 500;  // steps kept; the oldest go first

    struct PieceState {
        int16_t x = 0, y = 0;  // the cell's position on its surface
        uint8_t rotation = 0;
        uint8_t box = 0;
        uint32_t marks = 0;  // the marking bits of the piece's flags

        bool operator==(const PieceState&) const = default;
    };
    // Everything a step could put back, as it is before an operation.
    struct Snapshot {
        std::vector<PieceState> pieces;
        std::vector<int16_t> order;
        int joinedSides = 0;
    };

    static Snapshot take(const Puz& puz);
    // Joined sides of every piece, each join counted from both of its pieces.
    static int joinedSides(const Puz& puz);

    // Keeps what changed since before as one step; nothing when nothing
    // changed. A step forgets what was undone; a join since before forgets
    // everything.
    void record(const Snapshot& before, const Puz& puz);
    // Whether a step can be undone or redone now (a join since the last
    // step forgets the history first).
    bool canUndo(const Puz& puz);
    bool canRedo(const Puz& puz);
    // Puts the pieces back as they were before the last step (undo) or
    // after the next one (redo); every area that changes goes to repaint
    // (container, rectangle). False when there was nothing to do or the
    // step no longer fits the game (a box it needs is gone): the history
    // is forgotten then.
    using Repaint = std::function<void(uint8_t container, const Rect16& area)>;
    bool undo(Puz& puz, const Repaint& repaint);
    bool redo(Puz& puz, const Repaint& repaint);
    void clear();
    size_t undoSteps() const { return m_undo.size(); }
    size_t redoSteps() const { return m_redo.size(); }

private:
    struct Change {
        int16_t piece;
        PieceState before, after;
    };
    struct Step {
        std::vector<Change> changes;
        std::vector<int16_t> orderBefore, orderAfter;  // empty: the order stayed
        int joinedSides = 0;
    };
    void forgetAfterJoin(const Puz& puz);
    static bool fits(const Puz& puz, const Step& step);
    static void apply(Puz& puz, const Step& step, bool forward, const Repaint& repaint);

    std::vector<Step> m_undo, m_redo;
};

}  // namespace qv
