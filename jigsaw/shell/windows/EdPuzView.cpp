#include "jigsaw/shell/windows/EdPuzView.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace qv {

EdPuzView::EdPuzView(QImage picture, QWidget* parent) : QWidget(parent), m_picture(std::move(picture))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    resize(sizeHint());
}

QSize EdPuzView::sizeHint() const
{
    return QSize(std::max(1, m_picture.width() * m_zoom / 100), std::max(1, m_picture.height() * m_zoom / 100));
}

void EdPuzView::setZoom(int percent)
{
    m_zoom = std::clamp(percent, 25, 300);
    if (!m_plain)
        resize(sizeHint());
    update();
}

void EdPuzView::setGrid(int rows, int columns)
{
    m_rows = rows;
    m_columns = columns;
    update();
}

void EdPuzView::setPlain(bool plain)
{
    m_plain = plain;
    if (!plain)
        resize(sizeHint());
    update();
}

void EdPuzView::setCrop(QRect crop)
{
    crop = crop.normalized().intersected(m_picture.rect());
    if (crop.width() < MinCrop || crop.height() < MinCrop)
        crop = QRect();
    if (crop == m_crop)
        return;
    m_crop = crop;
    update();
    emit cropChanged();
}

QPoint EdPuzView::toPicture(QPoint at) const
{
    const int x = std::clamp(at.x() * 100 / m_zoom, 0, m_picture.width());
    const int y = std::clamp(at.y() * 100 / m_zoom, 0, m_picture.height());
    return {x, y};
}

QRect EdPuzView::toWidget(QRect r) const
{
    return QRect(QPoint(r.left() * m_zoom / 100, r.top() * m_zoom / 100),
                 QPoint((r.right() + 1) * m_zoom / 100 - 1, (r.bottom() + 1) * m_zoom / 100 - 1));
}

// The rectangle being dragged, in picture pixels: from the press point to
// the pointer, both corners included.
QRect EdPuzView::dragRect() const
{
    const QPoint a = m_dragFrom, b = m_dragTo;
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()) - 1, std::max(a.y(), b.y()) - 1));
}

void EdPuzView::paintGrid(QPainter& p) const
{
    const QRect area = this->area();
    if (m_rows < 1 || m_columns < 1)
        return;
    // Cells as the cutting makes them: columns at trunc(c * width / columns).
    const float wf = static_cast<float>(area.width()) / static_cast<float>(m_columns);
    const float hf = static_cast<float>(area.height()) / static_cast<float>(m_rows);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    for (int c = 1; c < m_columns; ++c) {
        const int x = (area.left() + static_cast<int>(c * static_cast<double>(wf))) * m_zoom / 100;
        p.drawLine(x, area.top() * m_zoom / 100, x, (area.bottom() + 1) * m_zoom / 100 - 1);
    }
    for (int r = 1; r < m_rows; ++r) {
        const int y = (area.top() + static_cast<int>(r * static_cast<double>(hf))) * m_zoom / 100;
        p.drawLine(area.left() * m_zoom / 100, y, (area.right() + 1) * m_zoom / 100 - 1, y);
    }
}

void EdPuzView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    if (m_plain) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), m_picture);
        return;
    }
    p.drawImage(QRect(QPoint(0, 0), sizeHint()), m_picture);
    const QRect shown = m_dragging ? dragRect() : m_crop;
    if (!shown.isNull()) {
        // Darken what the rectangle leaves out.
        QRegion outside(QRect(QPoint(0, 0), sizeHint()));
        outside -= QRegion(toWidget(shown));
        p.setClipRegion(outside);
        p.fillRect(rect(), QColor(0, 0, 0, 110));
        p.setClipping(false);
    }
    if (!m_dragging)
        paintGrid(p);
    if (!shown.isNull()) {
        p.setPen(QPen(Qt::yellow, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(toWidget(shown));
    }
}

void EdPuzView::mousePressEvent(QMouseEvent* event)
{
    if (m_plain || event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_dragging = true;
    m_dragFrom = m_dragTo = toPicture(event->position().toPoint());
    update();
}

void EdPuzView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return QWidget::mouseMoveEvent(event);
    m_dragTo = toPicture(event->position().toPoint());
    update();
}

void EdPuzView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_dragging = false;
    m_dragTo = toPicture(event->position().toPoint());
    const QRect r = dragRect();
    // A new drag replaces the old rectangle; one too small removes it.
    if (r.width() < MinCrop || r.height() < MinCrop) {
        if (!m_crop.isNull()) {
            m_crop = QRect();
            emit cropChanged();
        }
        update();
        return;
    }
    setCrop(r);
    update();
}

}  // namespace qv
