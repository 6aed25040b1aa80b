#include "jigsaw/document/Scatter.h"

#include <algorithm>

#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

constexpr uint32_t kMarked = 0x0001;

int ceilDiv(int a, int b) { return a <= 0 ? 0 : (a + b - 1) / b; }
int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

bool isFree(const SPuz& p, uint8_t container)
{
    return p.box == container && !(p.flags & kMarked) && p.joined == 0;
}

// Swaps stacking positions of the free pieces so they land in a new order.
void shuffleOrder(Puz& puz, uint8_t container)
{
    const int n = puz.pieceCount();
    CutRandom& rng = puz.generator();
    for (SPuz& p : puz.pieces) {
        if (!isFree(p, container))
            continue;
        int partner = -1, walk = n / 2;
        for (int tries = 1; tries <= n && partner < 0; ++tries) {
            const int j = tries <= 4 ? rng.random(n) : walk++ % n;
            if (j >= 0 && j < n && isFree(puz.pieces[j], container))
                partner = j;
        }
        if (partner < 0)
            partner = p.index;
        SPuz& q = puz.pieces[partner];
        if (p.orderPos < 0 || q.orderPos < 0 || p.orderPos >= static_cast<int>(puz.order.size()) ||
            q.orderPos >= static_cast<int>(puz.order.size()))
            continue;
        std::swap(puz.order[p.orderPos], puz.order[q.orderPos]);
        std::swap(p.orderPos, q.orderPos);
    }
}

void markKept(const Puz& puz, OccupancyGrid& grid, const ScatterArea& area, bool wholeTable,
              const std::vector<Rect16>& extra)
{
    for (const SPuz& p : puz.pieces)
        if (p.box == area.container && !isFree(p, area.container))
            grid.Mark(p.table.x, p.table.y, p.table.w, p.table.h);
    if (!wholeTable)
        for (const Rect16& r : area.reserved)
            grid.Mark(r.x, r.y, r.w, r.h);
    for (const Rect16& r : extra)
        grid.Mark(r.x, r.y, r.w, r.h);
}

}  // namespace

OccupancyGrid::OccupancyGrid(int width, int height, int cell)
    : m_cell(std::max(1, cell)), m_columns(ceilDiv(width, m_cell)), m_rows(ceilDiv(height, m_cell)),
      m_bits(static_cast<size_t>(m_columns) * m_rows, 0)
{
}

int OccupancyGrid::cellSizeFor(int pieceWidth, int pieceHeight)
{
    // Tiny pieces would give 0 or less: one pixel is the least that works.
    const int c = std::min(pieceWidth - 4, pieceHeight - 4);
    return c < 8 ? std::max(1, c) : 8;
}

void OccupancyGrid::clear()
{
    std::fill(m_bits.begin(), m_bits.end(), 0);
    m_lastColumn = m_lastRow = -1;
}

void OccupancyGrid::Mark(int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0)
        return;
    const int c0 = std::max(0, floorDiv(x, m_cell)), c1 = std::min(m_columns - 1, floorDiv(x + w - 1, m_cell));
    const int r0 = std::max(0, floorDiv(y, m_cell)), r1 = std::min(m_rows - 1, floorDiv(y + h - 1, m_cell));
    if (c0 > c1)
        return;  // wholly left or right of the grid
    for (int r = r0; r <= r1; ++r)
        std::fill(m_bits.begin() + static_cast<size_t>(r) * m_columns + c0,
                  m_bits.begin() + static_cast<size_t>(r) * m_columns + c1 + 1, 1);
}

bool OccupancyGrid::IsFree(int cx, int cy, int cw, int ch) const
{
    if (cx < 0 || cy < 0 || cx + cw > m_columns || cy + ch > m_rows)
        return false;
    for (int r = cy; r < cy + ch; ++r) {
        const uint8_t* row = m_bits.data() + static_cast<size_t>(r) * m_columns;
        if (std::find(row + cx, row + cx + cw, 1) != row + cx + cw)
            return false;
    }
    return true;
}

void OccupancyGrid::FindPlace(int w, int h, int band, CutRandom& rng, int& x, int& y)
{
    x = y = NotFound;
    const int cw = ceilDiv(w, m_cell), ch = ceilDiv(h, m_cell);
    const int nx = m_columns - cw + 1, ny = m_rows - ch + 1;
    int x0 = rng.random(nx), y0 = rng.random(ny);
    int rowsToTry = ny;
    if (band > 0) {
        x0 = 0;
        y0 = m_lastRow >= 0 ? std::max(0, m_lastRow - band) : 0;
        rowsToTry = ny - y0;
    }
    if (rowsToTry <= 0 || nx <= 0)
        return;
    for (int i = 0; i < rowsToTry; ++i) {
        const int row = (y0 + i) % ny;
        // Columns x0 .. nx - 1, then 0 .. x0 - 1.
        const int col = firstFit(row, x0, nx, cw, ch);
        const int found = col >= 0 ? col : firstFit(row, 0, x0, cw, ch);
        if (found >= 0) {
            m_lastColumn = found;
            m_lastRow = row;
            x = found * m_cell;
            y = row * m_cell;
            return;
        }
    }
}

int OccupancyGrid::firstFit(int row, int from, int to, int cw, int ch) const
{
    const uint8_t* top = m_bits.data() + static_cast<size_t>(row) * m_columns;
    for (int col = from; col < to;) {
        col = static_cast<int>(std::find(top + col, top + to, 0) - top);
        if (col >= to)
            break;
        // An occupied cell at column k rules out every spot from col to k,
        // since each of their windows holds it: go on after the last one.
        const int k = lastOccupied(col, row, cw, ch);
        if (k < 0)
            return col;
        col = k + 1;
    }
    return -1;
}

int OccupancyGrid::lastOccupied(int cx, int cy, int cw, int ch) const
{
    int last = -1;
    for (int r = cy; r < cy + ch; ++r) {
        const uint8_t* row = m_bits.data() + static_cast<size_t>(r) * m_columns;
        for (int c = cx + cw - 1; c >= std::max(cx, last + 1); --c)
            if (row[c]) {
                last = c;
                break;
            }
    }
    return last;
}

int Scatter(Puz& puz, const ScatterArea& area, const std::function<void(const SPuz&)>& landed, bool wholeTable,
            const std::vector<Rect16>& extra)
{
    OccupancyGrid grid(area.width, area.height, OccupancyGrid::cellSizeFor(puz.pieceWidth, puz.pieceHeight));
    shuffleOrder(puz, area.container);
    int band = ceilDiv(2 * puz.pieceHeight, grid.cell());
    markKept(puz, grid, area, wholeTable, extra);
    std::vector<uint8_t> failures(puz.pieces.size(), 0);
    int restarts = 0;
    for (int pos = static_cast<int>(puz.order.size()) - 1; pos >= 0; --pos) {
        const int index = puz.order[pos];
        if (index < 0 || index >= puz.pieceCount() || !isFree(puz.pieces[index], area.container))
            continue;
        SPuz& p = puz.pieces[index];
        for (;;) {
            const bool cellSized = restarts >= 2;
            const int w = cellSized ? p.cell.w : p.bounding.w, h = cellSized ? p.cell.h : p.bounding.h;
            int x, y;
            grid.FindPlace(w, h, band, puz.generator(), x, y);
            if (x != OccupancyGrid::NotFound) {
                if (cellSized) {
                    p.placeAt(x, y);
                    grid.Mark(x, y, p.cell.w, p.cell.h);
                } else {
                    p.placeAt(x + p.cell.x - p.bounding.x, y + p.cell.y - p.bounding.y);
                    grid.Mark(p.table.x, p.table.y, p.table.w, p.table.h);
                }
                if (landed)
                    landed(p);
                break;
            }
            if (failures[index] >= 2)
                return 0;
            ++failures[index];
            ++restarts;
            grid.clear();
            band = 0;
            markKept(puz, grid, area, wholeTable, extra);
        }
    }
    return 1;
}

void scatterNewGame(Puz& puz, const ScatterArea& area)
{
    const bool full = puz.options & Puz::ScatterFull;
    if (Scatter(puz, area, {}, full) == 0 && !full)
        Scatter(puz, area, {}, true);
}

}  // namespace qv
