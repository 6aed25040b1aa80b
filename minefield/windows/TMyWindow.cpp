#include "minefield/windows/TMyWindow.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "minefield/windows/CellPainter.h"
#include "minefield/windows/ColorRef.h"
#include "minefield/windows/TextureFile.h"
#include "minefield/windows/UiText.h"
#include "minefield/Zoom.h"

namespace mf {

namespace {

QImage LoadTexture(const std::string& text)
{
    const char first = text.empty() ? '\0' : text[0];
    if (first >= '1' && first <= '4') {
        QFile builtIn(QStringLiteral(":/mvro/texture%1.bmp").arg(first));
        return builtIn.open(QIODevice::ReadOnly) ? DecodeTexture(builtIn.readAll()) : QImage();
    }
    return ReadTextureFile(text);
}

}  // namespace

TMyWindow::TMyWindow(BoardEvents& events, BoardSounds& sounds, QWidget* parent)
    : QWidget(parent), m_game(events, *this, sounds)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName("board");
    setFocusPolicy(Qt::StrongFocus);
}

void TMyWindow::SetBkColor(uint32_t colour)
{
    m_colour = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, FromColorRef(colour));
    setPalette(pal);
    InvalidateBoard();
}

void TMyWindow::SetTexture(const std::string* text)
{
    m_texture = QImage();
    if (text && (text->empty() || (*text)[0] != '0'))
        m_texture = LoadTexture(*text);
    InvalidateBoard();
}

QPoint TMyWindow::CellCentre(CellPos p) const
{
    const Rect& b = m_game.Cell(p).bounds;
    const int cx = b.left + (b.right - b.left) / 2, cy = b.top + (b.bottom - b.top) / 2;
    // The window point whose device pixel centre lies nearest the middle of
    // that board pixel, so that BoardPoint finds it again at any zoom.
    const double half = 0.5 / devicePixelRatioF();
    return {int(std::lround((cx + 0.5) * Scale() - half)), int(std::lround((cy + 0.5) * Scale() - half))};
}

Point TMyWindow::BoardPoint(QPointF at) const
{
    // A window point stands for the device pixel that begins there.
    const double half = 0.5 / devicePixelRatioF();
    return {int32_t(std::floor((at.x() + half) / Scale())), int32_t(std::floor((at.y() + half) / Scale()))};
}

bool TMyWindow::AtOwnSize() const { return m_zoom == 100 && devicePixelRatioF() == 1.0; }

QRect TMyWindow::ToWidget(const QRect& board) const
{
    if (m_zoom == 100)
        return board;
    const double z = Scale();
    return QRectF(board.x() * z, board.y() * z, board.width() * z, board.height() * z).toAlignedRect();
}

void TMyWindow::SetZoom(int percent)
{
    percent = NearestZoom(percent);
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    if (m_boardSize.width > 0)
        ResizeClient(m_boardSize);
}

void TMyWindow::MakeImage()
{
    const QSize shown(int(std::ceil(m_boardSize.width * Scale())), int(std::ceil(m_boardSize.height * Scale())));
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(int(std::ceil(shown.width() * ratio)), int(std::ceil(shown.height() * ratio)),
                     QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(FromColorRef(m_colour));
    Render(QRect(0, 0, m_boardSize.width, m_boardSize.height));
}

void TMyWindow::Render(const QRect& area)
{
    if (m_image.isNull())
        return;
    QPainter p(&m_image);
    if (m_zoom != 100)
        p.scale(Scale(), Scale());
    p.setClipRect(area);
    painter::DrawBackground(p, QSize(m_boardSize.width, m_boardSize.height), m_texture, FromColorRef(m_colour));
    const CellPos pressed = m_game.PressedCell();
    for (int32_t r = 0; r < m_game.Height(); ++r) {
        for (int32_t c = 0; c < m_game.Width(); ++c) {
            const TCell& cell = m_game.Cell({c, r});
            const Rect& b = cell.bounds;
            if (!area.intersects(QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom))))
                continue;
            // A cell shown pressed is still covered: only its edges sink.
            painter::DrawCell(p, cell, pressed == CellPos{c, r}, m_game.Shape());
        }
    }
    update(ToWidget(area));
}

void TMyWindow::DrawCell(const TCell& cell, bool edgesOnly)
{
    if (m_image.isNull())
        return;
    const Rect& b = cell.bounds;
    // Spikes and glints reach a few pixels past the bounds.
    const QRect around = QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom)).adjusted(-3, -3, 3, 3);
    if (!AtOwnSize()) {
        // Smooth edges drawn over themselves would thicken, and a sunken
        // edge would leave a fringe under a raised one: the cell and what
        // lies around it are drawn afresh from the board.
        return Render(around);
    }
    {
        QPainter p(&m_image);
        painter::DrawCell(p, cell, edgesOnly, m_game.Shape());
    }
    update(around);
}

void TMyWindow::InvalidateArea(const Polygon& area)
{
    const Rect b = area.Bounds();
    Render(QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom)));
}

void TMyWindow::InvalidateBoard() { Render(rect()); }

void TMyWindow::ResizeClient(ClientSize size)
{
    m_boardSize = size;
    setFixedSize(int(std::ceil(size.width * Scale())), int(std::ceil(size.height * Scale())));
    MakeImage();
    if (m_onResize)
        m_onResize();
}

void TMyWindow::CaptureMouse(bool)
{
    // The window system already keeps the mouse with the window that saw the
    // button go down until it comes up.
}

void TMyWindow::CursorChanged()
{
    update(m_cursorArea);
    m_cursorArea = QRect();
    if (!m_game.CursorShown())
        return;
    const Rect& b = m_game.Cell(m_game.Cursor()).bounds;
    m_cursorArea = ToWidget(QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom)).adjusted(-2, -2, 2, 2));
    update(m_cursorArea);
}

void TMyWindow::SetPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    update();
}

void TMyWindow::paintEvent(QPaintEvent* event)
{
    // Moved to a screen of another pixel ratio: drawn again for its pixels.
    if (!m_image.isNull() && m_image.devicePixelRatio() != devicePixelRatioF())
        MakeImage();
    QPainter p(this);
    if (m_paused) {
        // Background only: a paused game shows nothing to think about.
        p.save();
        if (m_zoom != 100)
            p.scale(Scale(), Scale());
        painter::DrawBackground(p, QSize(m_boardSize.width, m_boardSize.height), m_texture,
                                FromColorRef(m_colour));
        p.restore();
        QRect box = rect().adjusted(8, 8, -8, -8);
        QFont font = p.font();
        font.setBold(true);
        p.setFont(font);
        const QString text = UiText(text::PausedBoard);
        const QRect need = p.boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, text).adjusted(-6, -4, 6, 4);
        p.fillRect(need, QColor(255, 255, 255, 220));
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
        return;
    }
    if (m_image.devicePixelRatio() == 1.0)
        p.drawImage(event->rect(), m_image, event->rect());
    else
        p.drawImage(QPoint(0, 0), m_image);  // device pixel for device pixel, clipped to the update
    // Drawn over the board, never into it, so cells redrawn beneath keep it.
    if (m_game.CursorShown()) {
        if (m_zoom != 100)
            p.scale(Scale(), Scale());
        painter::DrawCursor(p, m_game.Cell(m_game.Cursor()));
    }
}

void TMyWindow::keyPressEvent(QKeyEvent* event)
{
    if (m_paused)
        return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Left:
        return m_game.MoveCursor(Arrow::Left);
    case Qt::Key_Right:
        return m_game.MoveCursor(Arrow::Right);
    case Qt::Key_Up:
        return m_game.MoveCursor(Arrow::Up);
    case Qt::Key_Down:
        return m_game.MoveCursor(Arrow::Down);
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return m_game.KeyOpen();
    case Qt::Key_F:
        return m_game.KeyFlag();
    case Qt::Key_C:
        return m_game.KeyChord();
    default:
        QWidget::keyPressEvent(event);
    }
}

void TMyWindow::mousePressEvent(QMouseEvent* event)
{
    if (m_paused) {
        if (m_onResume)
            m_onResume();
        return;
    }
    // The middle button, or the second of left and right, chords.
    const Qt::MouseButtons held = event->buttons();
    const bool both = (held & Qt::LeftButton) && (held & Qt::RightButton);
    if (event->button() == Qt::MiddleButton || (both && (event->button() == Qt::LeftButton ||
                                                         event->button() == Qt::RightButton)))
        m_game.ChordButtonDown(BoardPoint(event->position()));
    else if (event->button() == Qt::LeftButton)
        m_game.LeftButtonDown(BoardPoint(event->position()));
    else if (event->button() == Qt::RightButton)
        m_game.RightButtonDown(BoardPoint(event->position()));
}

void TMyWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_paused)
        return;
    if (event->buttons() & Qt::LeftButton)
        m_game.MouseMove(BoardPoint(event->position()));
}

void TMyWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_paused)
        return;
    if (event->button() == Qt::LeftButton)
        m_game.LeftButtonUp(BoardPoint(event->position()));
}

}  // namespace mf
