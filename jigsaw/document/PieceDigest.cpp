#include "jigsaw/document/PieceDigest.h"

#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

Rect16 relativeTo(const Rect16& r, const Rect16& to)
{
    return {static_cast<int16_t>(r.x - to.x), static_cast<int16_t>(r.y - to.y), r.w, r.h};
}

class Fnv {
public:
    void add(int v)
    {
        const auto u = static_cast<uint32_t>(v);
        for (int k = 0; k < 4; ++k) {
            m_hash ^= (u >> (8 * k)) & 0xFF;
            m_hash *= 0x100000001B3ull;
        }
    }
    void add(const Rect16& r)
    {
        add(r.x), add(r.y), add(r.w), add(r.h);
    }
    uint64_t value() const { return m_hash; }

private:
    uint64_t m_hash = 0xCBF29CE484222325ull;
};

}  // namespace

std::vector<PieceShape> DescribePieces(const Puz& puz)
{
    std::vector<PieceShape> out;
    out.reserve(puz.pieces.size());
    for (const SPuz& p : puz.pieces) {
        PieceShape s;
        s.index = p.index;
        s.origin = p.cellOrigin;
        s.at = {p.tableCell.x, p.tableCell.y};
        s.rotation = p.rotation;
        s.joined = p.joined;
        s.box = p.box;
        s.size = {p.bounding.w, p.bounding.h};
        s.cell = relativeTo(p.cell, p.bounding);
        for (int side = 0; side < 4; ++side) {
            const KnobRef k = puz.Knob(p.index, side);
            if (k.direction)
                s.knobs[side] = {k.direction, relativeTo(k.rect, p.bounding)};
        }
        out.push_back(s);
    }
    return out;
}

uint64_t DigestPieces(const std::vector<PieceShape>& pieces)
{
    Fnv h;
    for (const PieceShape& s : pieces) {
        h.add(s.index);
        h.add(s.origin.x), h.add(s.origin.y), h.add(s.at.x), h.add(s.at.y);
        h.add(s.rotation), h.add(s.joined), h.add(s.box);
        h.add(s.size.x), h.add(s.size.y);
        h.add(s.cell);
        for (const KnobShape& k : s.knobs) {
            h.add(k.direction);
            h.add(k.rect);
        }
    }
    return h.value();
}

}  // namespace qv
