#include "jigsaw/document/PieceCutter.h"

#include <algorithm>
#include <cmath>

#include "jigsaw/document/CutRandom.h"
#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

int trunc(double v) { return static_cast<int>(std::trunc(v)); }

// The double nearest to 1/6, as the size shrinks after the third try.
constexpr double kSixth = 0.16666666666666666;
constexpr int kNewRules = 220;  // cutting versions from here on use the finer formulas

}  // namespace

fw::Status PieceCutter::makeGrid()
{
    Puz& p = m_puz;
    const int rows = p.gridRows(), cols = p.gridColumns();
    const int w = p.pictureRect.w, h = p.pictureRect.h;
    if (rows < 1 || cols < 1)
        return fw::Status(msg::TooFewPieces);
    // One rounding of the true quotient to float; everything after in double.
    const float wf = static_cast<float>(w) / static_cast<float>(cols);
    const float hf = static_cast<float>(h) / static_cast<float>(rows);
    if (rows * cols > Puz::MaxPieces || wf < 1.0f || hf < 1.0f)
        return fw::Status(msg::PiecesTooSmall);
    const double wd = wf, hd = hf;
    p.pieceWidth = static_cast<int16_t>(std::lround(wd));
    p.pieceHeight = static_cast<int16_t>(std::lround(hd));

    const int n = rows * cols;
    p.pieces.assign(n, SPuz{});
    p.order.resize(n);
    p.knobs.clear();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int i = r * cols + c;
            SPuz& s = p.pieces[i];
            const int x = trunc(c * wd), y = trunc(r * hd);
            s.cell = {static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(trunc((c + 1) * wd - x)),
                      static_cast<int16_t>(trunc((r + 1) * hd - y))};
            s.cellOrigin = {s.cell.x, s.cell.y};
            s.bounding = s.cell;
            s.index = static_cast<int16_t>(i);
            if (c > 0)
                s.neighbour[SideLeft] = static_cast<int16_t>(i - 1);
            if (c < cols - 1)
                s.neighbour[SideRight] = static_cast<int16_t>(i + 1);
            if (r > 0)
                s.neighbour[SideTop] = static_cast<int16_t>(i - cols);
            if (r < rows - 1)
                s.neighbour[SideBottom] = static_cast<int16_t>(i + cols);
            p.order[i] = static_cast<int16_t>(i);
            s.orderPos = static_cast<int16_t>(i);
            s.placeAt(0, 0);
        }
    }
    return {};
}

void PieceCutter::drawRotations(bool keep)
{
    if (m_puz.options & Puz::NoRotable)
        return;
    const bool large = m_puz.pieceCount() >= 180;
    for (SPuz& s : m_puz.pieces) {
        // Big puzzles leave about three pieces in ten upright.
        if (large && m_rng.random(10) >= 7)
            continue;
        int r = m_rng.random(4);
        if (!keep)
            s.rotation = static_cast<uint8_t>(r);
    }
}

void PieceCutter::placeKnobs()
{
    if (m_puz.options & Puz::NoDeform)
        return;
    for (int i = 0; i < m_puz.pieceCount(); ++i) {
        if (m_puz.pieces[i].neighbour[SideRight] >= 0)
            placeKnob(i, SideRight);
        if (m_puz.pieces[i].neighbour[SideBottom] >= 0)
            placeKnob(i, SideBottom);
    }
}

// One shared edge seen from the piece on its left (or above): "across" is
// the axis that crosses the edge, "along" the axis that runs with it.
struct PieceCutter::Edge {
    bool right;          // right side, else bottom side
    int minExtent;
    int minSize;
    int keep;            // a shrunken size at least this big is kept
    int acrossLength;    // cell size across the edge
    int edgeLast;        // last pixel of the cell before the edge
    int alongStart;      // cell start along the edge
    int alongLength;     // cell size along the edge
    int extentCap;       // 0.6 of the nominal piece size along the edge
};

int PieceCutter::chooseExtent(const Edge& e, int size, int tries)
{
    const int version = m_puz.cuttingVersion;
    // Branch A: coin() is drawn only when tries <= 4 and size + 1 > minSize.
    bool branchA = tries <= 4 && (size + 1 <= e.minSize || !m_rng.coin());
    int extent;
    if (branchA) {
        if (e.right && version < kNewRules) {
            extent = trunc(m_rng.random(trunc(size * 0.15)) + size * 1.03);
        } else {
            int16_t t = static_cast<int16_t>(trunc(m_rng.random(trunc(size * 1.5)) + size * 10.3));
            extent = trunc(t * 0.1 + 0.5);
        }
    } else if (version < kNewRules) {
        extent = trunc(m_rng.random(trunc(size * 0.19)) + size * 0.8);
    } else {
        int16_t t = static_cast<int16_t>(m_rng.random(trunc(size * 1.9)) + 8 * size);
        extent = trunc(t * 0.1 + 0.5);
    }
    extent = std::max(extent, e.minExtent);
    return std::min(extent, e.extentCap);
}

void PieceCutter::placeKnob(int piece, int side)
{
    Puz& p = m_puz;
    const Rect16 c = p.pieces[piece].cell;
    const int neighbour = p.pieces[piece].neighbour[side];
    const int pw = p.pieceWidth, ph = p.pieceHeight;
    Edge e{};
    e.right = side == SideRight;
    if (e.right) {
        e.minExtent = std::max(5, ph / 5);
        e.minSize = std::max(6, pw / 4);
        e.keep = e.minExtent;
        e.acrossLength = c.w;
        e.edgeLast = c.x + c.w - 1;
        e.alongStart = c.y;
        e.alongLength = c.h;
        e.extentCap = trunc(ph * 0.6);
    } else {
        e.minExtent = std::max(5, pw / 5);
        e.minSize = std::max(6, ph / 4);
        e.keep = e.minSize;
        e.acrossLength = c.h;
        e.edgeLast = c.y + c.h - 1;
        e.alongStart = c.x;
        e.alongLength = c.w;
        e.extentCap = trunc(pw * 0.6);
    }
    const int version = p.cuttingVersion;
    int size = 0, extent = 0, tries = 0;
    bool second = false;
    for (;;) {
        // 1. Two passes of eight tries; the second pass only makes tabs.
        if (++tries > 8) {
            if (second)
                return;
            tries = 1;
            second = true;
        }
        // 2. From the fourth try on, shrink the last size; keep it if still big enough.
        bool sizeChosen = false;
        if (tries >= 4) {
            size = trunc((1 - tries * kSixth) * size);
            sizeChosen = size >= e.keep;
        }
        // 3. A new size.
        if (!sizeChosen) {
            if (version < kNewRules)
                size = m_rng.random(e.acrossLength / 2 - e.minSize) + e.minSize;
            else
                size = trunc((m_rng.random(e.acrossLength * 10 / 2 - e.minSize * 10) + e.minSize * 10) * 0.1 + 0.5);
        }
        // 4. Its length along the edge.
        extent = chooseExtent(e, size, tries);
        // 5.
        if (size <= 0 || extent <= 0)
            continue;
        // 6. Tab or hole; the coin is drawn while tries < 7, also in the second pass.
        int direction = 1;
        if (tries < 7 && !m_rng.coin())
            direction = -1;
        if (second)
            direction = 1;
        // 7. How far the knob reaches back into this piece.
        int a = m_rng.random(size / 4) + std::max(3, size / 10);
        if (a > size * 0.26)
            a = trunc(size * 0.26);
        if (direction == -1)
            a = std::min(size - 3, size - a);
        // 9. Where along the edge; both draws are made in either pass.
        const int middle = e.alongStart + e.alongLength / 2;
        int centre = middle;
        int d = m_rng.random((e.alongLength - extent) / 2 - 2);
        centre = m_rng.coin() ? centre + d : centre - d;
        if (second)
            centre = middle + extent / 2;
        int start = centre - extent / 2;
        if (start < e.alongStart + 2)
            start = e.alongStart + 2;
        if (start + extent - 1 > e.alongStart + e.alongLength - 3)
            start = e.alongStart + e.alongLength - extent - 2;
        // 10. Odd sides give the knob a centre pixel; a retry starts from these values.
        if (size % 2 == 0)
            ++size;
        if (extent % 2 == 0)
            ++extent;
        // 11.
        const int16_t across = static_cast<int16_t>(e.edgeLast - a);
        Rect16 k = e.right ? Rect16{across, static_cast<int16_t>(start), static_cast<int16_t>(size), static_cast<int16_t>(extent)}
                           : Rect16{static_cast<int16_t>(start), across, static_cast<int16_t>(extent), static_cast<int16_t>(size)};
        // 12. No hole may crowd another hole in the piece it cuts into.
        if (!clearanceFree(k, direction == -1 ? piece : neighbour))
            continue;
        // 13. Each piece gets its own copy of the rectangle.
        const int opposite = e.right ? SideLeft : SideTop;
        p.knobs.push_back(k);
        p.SetKnob(piece, side, static_cast<int32_t>(p.knobs.size() - 1), direction);
        p.knobs.push_back(k);
        p.SetKnob(neighbour, opposite, static_cast<int32_t>(p.knobs.size() - 1), -direction);
        return;
    }
}

bool PieceCutter::clearanceFree(const Rect16& knob, int owner) const
{
    const Rect16 clearance{static_cast<int16_t>(knob.x - 1), static_cast<int16_t>(knob.y - 1),
                           static_cast<int16_t>(knob.w + 2), static_cast<int16_t>(knob.h + 2)};
    for (int k = 0; k < 4; ++k) {
        KnobRef other = m_puz.Knob(owner, k);
        if (other.direction == -1 && intersects(other.rect, clearance))
            return false;
    }
    return true;
}

}  // namespace qv
