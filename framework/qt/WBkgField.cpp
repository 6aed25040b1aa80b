#include "framework/qt/WBkgField.h"

#include <QMouseEvent>
#include <QPainter>

#include "framework/Background.h"
#include "framework/qt/WBkgCache.h"

namespace fw {

WBkgField::WBkgField(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::CrossCursor);
}

void WBkgField::setField(Bitmap field)
{
    m_computed = field.isNull();
    m_field = m_computed ? ComputeColourField(width(), height()) : std::move(field);
    update();
}

void WBkgField::resizeEvent(QResizeEvent*)
{
    if (m_computed && (m_field.width() != width() || m_field.height() != height()))
        m_field = ComputeColourField(width(), height());
}

void WBkgField::pick(int x, int y, int which)
{
    if (m_field.isNull() || !m_field.contains(x, y) || which < 0 || which > 1)
        return;
    m_marks[which] = QPoint(x, y);
    m_lastPicked = which;
    update();
    emit picked(Background::FieldColour(m_field.width(), m_field.height(), x, y), which);
}

void WBkgField::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        pick(p.x(), p.y(), 0);
    else if (event->button() == Qt::RightButton)
        pick(p.x(), p.y(), 1);
}

void WBkgField::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_field.isNull()) {
        const QImage view(reinterpret_cast<const uchar*>(m_field.bits()), m_field.width(), m_field.height(),
                          m_field.width() * 4, QImage::Format_RGB32);
        p.drawImage(0, 0, view);
    }
    // Rings at the picked points: white-black so they show on any colour.
    for (int i = 0; i < 2; ++i) {
        if (m_marks[i].x() < 0)
            continue;
        p.setPen(QPen(Qt::black, 1));
        p.drawEllipse(m_marks[i], 5, 5);
        p.setPen(QPen(Qt::white, 1));
        p.drawEllipse(m_marks[i], 4, 4);
        p.drawText(m_marks[i] + QPoint(7, -5), i == 0 ? QStringLiteral("1") : QStringLiteral("2"));
    }
}

}  // namespace fw
