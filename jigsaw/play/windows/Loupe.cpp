#include "jigsaw/play/windows/Loupe.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "framework/Events.h"
#include "framework/VirtualKey.h"
#include "jigsaw/document/SPuz.h"
#include "jigsaw/play/PlayRules.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/PlayHost.h"
#include "jigsaw/play/windows/SurfaceRender.h"
#include "jigsaw/play/windows/WSPuz.h"

namespace qv {

namespace {

class LoupeWidget : public QWidget {
public:
    LoupeWidget(QWidget* parent, Loupe& loupe) : QWidget(parent), m_loupe(loupe)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_loupe.paint(p);
    }

private:
    Loupe& m_loupe;
};

}  // namespace

Loupe::Loupe(WSPuz& play, int size, double factor)
    : m_play(play), m_size(size), m_factor(factor), m_widget(new LoupeWidget(&play, *this))
{
    resizeWindow();
    m_widget->show();
}

Loupe::~Loupe() { delete m_widget; }

void Loupe::resizeWindow()
{
    m_widget->resize(m_size + Rim, m_size + Rim);
    moveTo(m_centre);
}

void Loupe::moveTo(QPoint centre)
{
    m_centre = centre;
    m_widget->move(centre - QPoint(m_widget->width() / 2, m_widget->height() / 2));
    m_widget->raise();
    m_widget->update();
}

void Loupe::setShown(bool shown)
{
    m_widget->setVisible(shown);
    if (shown)
        moveTo(m_centre);
}

bool Loupe::shown() const { return m_widget->isVisible(); }

bool Loupe::key(unsigned kind, unsigned key)
{
    if (kind == fw::KeyEvent::Down && key == fw::vk::Left) {
        if (m_size >= MinSize) {
            m_size -= SizeStep;
            resizeWindow();
        }
        return true;
    }
    if (kind == fw::KeyEvent::Down && key == fw::vk::Right) {
        if (m_size <= MaxSize) {
            m_size += SizeStep;
            resizeWindow();
        }
        return true;
    }
    if (kind == fw::KeyEvent::Char && key == '+') {
        if (m_factor < MaxFactor)
            m_factor += 1.0;
        m_widget->update();
        return true;
    }
    if (kind == fw::KeyEvent::Char && key == '-') {
        if (m_factor > MinFactor)
            m_factor -= 1.0;
        m_widget->update();
        return true;
    }
    return false;
}

void Loupe::paint(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF lens(Rim / 2.0, Rim / 2.0, m_size, m_size);
    // The table under the lens, a size / factor square of the window around
    // the centre: the lens magnifies the view as it is zoomed.
    const int span = std::max(1, static_cast<int>(std::lround(m_size / m_factor / m_play.zoom())));
    const QPoint s = m_play.toSurface(m_centre) - QPoint(span / 2, span / 2);
    if (m_scratch.width() != span || m_scratch.height() != span)
        m_scratch = fw::Bitmap(span, span);
    m_play.paintGround(m_scratch, s);
    const std::vector<bool> dimmed = m_play.host().rules().dimmedPieces();
    drawSurfacePieces(m_play.context().puz, SPuz::OnTable, s.x(), s.y(), m_scratch, nullptr,
                      dimmed.empty() ? nullptr : &dimmed);
    const QImage view(reinterpret_cast<const uchar*>(m_scratch.bits()), m_scratch.width(), m_scratch.height(),
                      m_scratch.width() * 4, QImage::Format_RGB32);
    // The handle first, so that the rim covers its end.
    p.setPen(QPen(QColor(70, 50, 30), 7, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = lens.center();
    const double r = m_size / 2.0;
    p.drawLine(c + QPointF(r * 0.70, r * 0.70), c + QPointF(r * 0.70 + Rim * 0.45, r * 0.70 + Rim * 0.45));
    QPainterPath circle;
    circle.addEllipse(lens);
    p.save();
    p.setClipPath(circle);
    p.drawImage(lens, view);
    p.restore();
    p.setPen(QPen(QColor(200, 200, 210), 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(lens);
    p.setPen(QPen(QColor(60, 60, 70), 1.5));
    p.drawEllipse(lens.adjusted(-3, -3, 3, 3));
}

}  // namespace qv
