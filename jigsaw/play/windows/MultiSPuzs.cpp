#include "jigsaw/play/windows/MultiSPuzs.h"

#include <QPainter>
#include <algorithm>

#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlayRules.h"
#include "jigsaw/play/windows/WSPuz.h"

namespace qv {

MultiSPuzs::MultiSPuzs(Puz& puz, WSPuz& surface, QPoint start)
    : m_puz(puz), m_surface(&surface), m_start(start), m_corner(start)
{
}

MultiSPuzs::~MultiSPuzs()
{
    const Rect16 r = rect();
    setCandidates({});
    repaintBand(r);
}

Rect16 MultiSPuzs::rect() const
{
    const int x0 = std::min(m_start.x(), m_corner.x()), y0 = std::min(m_start.y(), m_corner.y());
    const int x1 = std::max(m_start.x(), m_corner.x()), y1 = std::max(m_start.y(), m_corner.y());
    return {static_cast<int16_t>(x0), static_cast<int16_t>(y0), static_cast<int16_t>(x1 - x0 + 1),
            static_cast<int16_t>(y1 - y0 + 1)};
}

void MultiSPuzs::stretchTo(QPoint corner)
{
    const Rect16 before = rect();
    m_corner = corner;
    const Rect16 r = rect();
    // Wholly inside: a band drawn across a heap takes only what it encloses.
    std::vector<int> inside;
    for (const SPuz& p : m_puz.pieces) {
        if (!m_surface || p.box != m_surface->container())
            continue;
        const Rect16& t = p.table;
        if (t.x >= r.x && t.y >= r.y && t.x + t.w <= r.x + r.w && t.y + t.h <= r.y + r.h)
            inside.push_back(p.index);
    }
    setCandidates(std::move(inside));
    repaintBand(unite(before, r));
}

void MultiSPuzs::setCandidates(std::vector<int> pieces)
{
    for (int p : m_candidates) {
        m_puz.pieces[p].flags &= ~uint32_t(PlayRules::Candidate);
        if (m_surface)
            m_surface->invalidateSurface(m_puz.pieces[p].table);
    }
    m_candidates = std::move(pieces);
    for (int p : m_candidates) {
        m_puz.pieces[p].flags |= PlayRules::Candidate;
        if (m_surface)
            m_surface->invalidateSurface(m_puz.pieces[p].table);
    }
}

bool MultiSPuzs::anyMarked() const
{
    return std::any_of(m_candidates.begin(), m_candidates.end(),
                       [&](int p) { return m_puz.pieces[p].flags & PlayRules::Marked; });
}

bool MultiSPuzs::anyUnmarked() const
{
    return std::any_of(m_candidates.begin(), m_candidates.end(),
                       [&](int p) { return !(m_puz.pieces[p].flags & PlayRules::Marked); });
}

fw::Menu MultiSPuzs::menu() const
{
    fw::Menu m;
    m.add(Spread, Spread);
    if (anyUnmarked())
        m.add(MarkInside, MarkInside);
    if (anyMarked())
        m.add(UnmarkInside, UnmarkInside);
    m.separator();
    m.add(119, 119);
    return m;
}

void MultiSPuzs::repaintBand(const Rect16& area) const
{
    if (m_surface)
        m_surface->invalidateSurface({static_cast<int16_t>(area.x - 2), static_cast<int16_t>(area.y - 2),
                                      static_cast<int16_t>(area.w + 4), static_cast<int16_t>(area.h + 4)});
}

void MultiSPuzs::paint(QPainter& painter) const
{
    if (!m_surface)
        return;
    const QRect r = m_surface->toWindow(rect());
    painter.setPen(QPen(QColor(255, 255, 255), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace qv
