#include "minefield/windows/TSevenGadget.h"

#include <QPainter>
#include <QPolygon>

namespace mf {

TSevenGadget::TSevenGadget(int32_t value, QWidget* parent) : QFrame(parent), m_value(value)
{
    setFixedSize(56, 28);
    setObjectName("counter");
}

void TSevenGadget::SetValue(int32_t value)
{
    m_value = value;
    update();
}

void TSevenGadget::SetLayout(const SevenSegmentLayout& layout)
{
    m_layout = layout;
    update();
}

std::vector<Rect> TSevenGadget::DigitRects() const
{
    const QRect inner = contentsRect();
    // The right and bottom of the inner rectangle are exclusive.
    return DigitBoxes({inner.left(), inner.top(), inner.right() + 1, inner.bottom() + 1}, m_layout);
}

void TSevenGadget::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.fillRect(contentsRect(), background);
    p.setPen(Qt::NoPen);
    const std::vector<int> codes = SegmentCodes(m_value, m_layout.digits);
    const std::vector<Rect> boxes = DigitRects();
    for (size_t i = 0; i < boxes.size() && i < codes.size(); ++i) {
        const auto polys = SegmentPolygons(boxes[i], m_layout.thickness, m_layout.gap);
        for (int s = 0; s < 7; ++s) {
            QPolygon poly;
            for (int32_t k = 0; k < polys[size_t(s)].count; ++k)
                poly << QPoint(polys[size_t(s)].points[size_t(k)].x, polys[size_t(s)].points[size_t(k)].y);
            p.setBrush(SegmentLit(codes[i], s) ? lit : unlit);
            p.drawPolygon(poly);
        }
    }
}

}  // namespace mf
