#include "jigsaw/play/windows/WMuestra.h"

#include <QPainter>
#include <cstdlib>

#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/PlayHost.h"
#include "jigsaw/play/windows/WSPuz.h"
#include "jigsaw/play/PlaySession.h"

namespace qv {

WMuestra::WMuestra(PlayHost& host) : fw::Window(&host.table()), m_host(host), m_play(host.table())
{
    setCommandTarget(m_play.commandTarget());
    setFocusPolicy(Qt::ClickFocus);
    refresh();
}

WMuestra::~WMuestra() = default;

QRect WMuestra::defaultPlace(const QWidget& play)
{
    const int side = MaxSide + 2 * Frame;
    return QRect(play.width() - side - 24, play.height() - side - 24, side, side);
}

void WMuestra::refresh()
{
    const Puz& puz = m_play.context().puz;
    m_picture = QImage();
    if (!puz.picture.isNull()) {
        const QImage full(reinterpret_cast<const uchar*>(puz.picture.bits()), puz.picture.width(),
                          puz.picture.height(), puz.picture.width() * 4, QImage::Format_RGB32);
        m_picture = full.scaled(MaxSide, MaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    const QSize inner = m_picture.isNull() ? QSize(MaxSide, MaxSide * 3 / 4) : m_picture.size();
    resize(inner + QSize(2 * Frame, 2 * Frame));
    const QRect corner = defaultPlace(m_play);
    QPoint at(corner.right() - width() + 1, corner.bottom() - height() + 1);
    if (puz.previewPos)
        at = QPoint(puz.previewPos->x, puz.previewPos->y);
    move(at);
    update();
}

bool WMuestra::OnMouse(const fw::MouseEvent& e)
{
    const QPoint inPlay = mapTo(&m_play, QPoint(e.x(), e.y()));
    switch (e.action()) {
    case fw::MouseEvent::Down:
        if (e.button() != fw::MouseEvent::Left)
            return true;
        m_dragging = true;
        m_moved = false;
        m_pressAt = inPlay;
        m_grab = inPlay - pos();
        captureMouse();
        m_host.HideLoupeFor(loupe::PreviewDragged, false);
        return true;
    case fw::MouseEvent::Move:
    case fw::MouseEvent::Drag:
        if (m_dragging) {
            // A click may shake by a pixel and stay a click.
            m_moved = m_moved || std::abs(inPlay.x() - m_pressAt.x()) > 1 || std::abs(inPlay.y() - m_pressAt.y()) > 1;
            if (m_moved)
                move(inPlay - m_grab);
        }
        return true;
    case fw::MouseEvent::Up:
        if (m_dragging && e.button() == fw::MouseEvent::Left) {
            m_dragging = false;
            releaseMouseCapture();
            m_host.ShowLoupeAfter(loupe::PreviewDragged, false);
            if (m_moved)
                m_host.present(m_host.session().previewMoved({static_cast<int16_t>(x()), static_cast<int16_t>(y())}));
            else
                m_host.present(m_host.session().searchPicture(searchArea(QPoint(e.x(), e.y()))));
        }
        return true;
    }
    return true;
}

Rect16 WMuestra::searchArea(QPoint at) const
{
    const Puz& puz = m_play.context().puz;
    if (m_picture.isNull() || puz.gridColumns() <= 0 || puz.gridRows() <= 0)
        return {};
    const double scale = double(puz.pictureRect.w) / m_picture.width();
    const int px = static_cast<int>((at.x() - Frame) * scale), py = static_cast<int>((at.y() - Frame) * scale);
    const int w = 3 * puz.pictureRect.w / puz.gridColumns(), h = 3 * puz.pictureRect.h / puz.gridRows();
    return {static_cast<int16_t>(px - w / 2), static_cast<int16_t>(py - h / 2), static_cast<int16_t>(w),
            static_cast<int16_t>(h)};
}

void WMuestra::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(30, 30, 30));
    p.setPen(QPen(QColor(230, 220, 190), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_picture.isNull())
        p.drawImage(QPoint(Frame, Frame), m_picture);
}

}  // namespace qv
