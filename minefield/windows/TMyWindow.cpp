#include "minefield/windows/TMyWindow.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "minefield/windows/CellPainter.h"
#include "minefield/windows/ColorRef.h"
#include "minefield/windows/TextureFile.h"
#include "minefield/windows/UiText.h"

namespace mf {

namespace {

Point ToPoint(const QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    return {p.x(), p.y()};
}

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
    return {b.left + (b.right - b.left) / 2, b.top + (b.bottom - b.top) / 2};
}

void TMyWindow::Render(const QRect& area)
{
    if (m_image.isNull())
        return;
    QPainter p(&m_image);
    p.setClipRect(area);
    painter::DrawBackground(p, m_image.size(), m_texture, FromColorRef(m_colour));
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
    update(area);
}

void TMyWindow::DrawCell(const TCell& cell, bool edgesOnly)
{
    if (m_image.isNull())
        return;
    {
        QPainter p(&m_image);
        painter::DrawCell(p, cell, edgesOnly, m_game.Shape());
    }
    const Rect& b = cell.bounds;
    // Spikes and glints reach a few pixels past the bounds.
    update(QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom)).adjusted(-3, -3, 3, 3));
}

void TMyWindow::InvalidateArea(const Polygon& area)
{
    const Rect b = area.Bounds();
    Render(QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom)));
}

void TMyWindow::InvalidateBoard() { Render(rect()); }

void TMyWindow::ResizeClient(ClientSize size)
{
    setFixedSize(size.width, size.height);
    m_image = QImage(size.width, size.height, QImage::Format_RGB32);
    m_image.fill(FromColorRef(m_colour));
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
    m_cursorArea = QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom)).adjusted(-2, -2, 2, 2);
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
    QPainter p(this);
    if (m_paused) {
        // Background only: a paused game shows nothing to think about.
        painter::DrawBackground(p, size(), m_texture, FromColorRef(m_colour));
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
    p.drawImage(event->rect(), m_image, event->rect());
    // Drawn over the board, never into it, so cells redrawn beneath keep it.
    if (m_game.CursorShown())
        painter::DrawCursor(p, m_game.Cell(m_game.Cursor()));
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
        m_game.ChordButtonDown(ToPoint(event));
    else if (event->button() == Qt::LeftButton)
        m_game.LeftButtonDown(ToPoint(event));
    else if (event->button() == Qt::RightButton)
        m_game.RightButtonDown(ToPoint(event));
}

void TMyWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_paused)
        return;
    if (event->buttons() & Qt::LeftButton)
        m_game.MouseMove(ToPoint(event));
}

void TMyWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_paused)
        return;
    if (event->button() == Qt::LeftButton)
        m_game.LeftButtonUp(ToPoint(event));
}

}  // namespace mf
