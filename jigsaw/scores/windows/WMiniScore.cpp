#include "jigsaw/scores/windows/WMiniScore.h"

#include <QTime>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <algorithm>

#include "framework/qt/Text.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/ScoresHost.h"
#include "jigsaw/scores/windows/KeepOutside.h"
#include "jigsaw/scores/windows/ScoreWindowText.h"

namespace qv {

namespace {

constexpr int kGap = 1;
// What each cell shows, told in its tooltip.
constexpr int kTimeTip = 4770, kScoreTip = 4771, kPositionTip = 4772, kProjectedTip = 4773,
              kProjectedPositionTip = 4774;
const QColor kBackground(0, 0, 0);
const QColor kGapColour(64, 64, 64);

int cellIndex(unsigned bit)
{
    for (size_t i = 0; i < WMiniScore::CellOrder.size(); ++i) {
        if (WMiniScore::CellOrder[i] == bit)
            return static_cast<int>(i);
    }
    return -1;
}

QString trimmed(const std::string& s) { return fw::toQString(trimBlanks(s)); }

}  // namespace

WMiniScore::WMiniScore(const LiveRanking& live, const ScoresHost& host, QWidget* parent)
    : fw::Window(parent, Qt::Tool | Qt::FramelessWindowHint), m_live(live), m_host(host)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setFont(stripFont());
    measure();
    m_shown = MiniScore::Of(m_live, m_host.thousandsSeparator());
}

QFont WMiniScore::stripFont()
{
    QFont f = QGuiApplication::font();
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * 1.5);
    else
        f.setPixelSize(f.pixelSize() * 3 / 2);
    return f;
}

QString WMiniScore::cellToolTip(unsigned bit) const
{
    switch (bit) {
    case TimeChanged: return scoreQText(m_host, kTimeTip);
    case ScoreChanged: return scoreQText(m_host, kScoreTip);
    case PositionChanged: return scoreQText(m_host, kPositionTip);
    case ProjectedChanged: return scoreQText(m_host, kProjectedTip);
    case ProjectedPositionChanged: return scoreQText(m_host, kProjectedPositionTip);
    default: return {};
    }
}

bool WMiniScore::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        for (unsigned bit : CellOrder) {
            if (cellRect(bit).contains(help->pos())) {
                QToolTip::showText(help->globalPos(), cellToolTip(bit), this, cellRect(bit));
                return true;
            }
        }
        QToolTip::hideText();
        e->ignore();
        return true;
    }
    if (e->type() == QEvent::ApplicationFontChange) {
        setFont(stripFont());
        measure();
        update();
    }
    return fw::Window::event(e);
}

void WMiniScore::measure()
{
    const QFontMetrics fm(font());
    // Spacing grows with the lettering rather than staying a few pixels.
    m_pad = std::max(3, fm.averageCharWidth() / 2);
    const std::string score = formatNumber(100000000, m_host.thousandsSeparator());
    const QString samples[5] = {QTime::currentTime().toString("hh:mm:ss"), fw::toQString(score), "100 / 100",
                                fw::toQString(score), "25/25"};
    int x = 0;
    for (size_t i = 0; i < m_widths.size(); ++i) {
        m_widths[i] = fm.horizontalAdvance(samples[i]) + 2 * m_pad;
        x += m_widths[i] + (i ? kGap : 0);
    }
    m_height = fm.height() + 2 * std::max(2, fm.height() / 6);
    setFixedSize(x, m_height);
}

QRect WMiniScore::cellRect(unsigned bit) const
{
    const int index = cellIndex(bit);
    if (index < 0)
        return {};
    int x = 0;
    for (int i = 0; i < index; ++i)
        x += m_widths[i] + kGap;
    return QRect(x, 0, m_widths[index], m_height);
}

void WMiniScore::Update(unsigned changes)
{
    (void)changes;  // the caller's guess; the cells are compared instead
    MiniScore now = MiniScore::Of(m_live, m_host.thousandsSeparator());
    // Reposition reports every cell as changed once a second; comparing
    // with what is shown keeps the repaint to the cells that differ.
    m_lastRepainted = now.ChangedFrom(m_shown);
    m_shown = std::move(now);
    if (!isVisible())
        return;
    for (unsigned bit : CellOrder) {
        if (m_lastRepainted & bit)
            update(cellRect(bit));
    }
}

void WMiniScore::placeAt(QPoint topLeft) { placeOnScreen(topLeft, m_keepClear); }

void WMiniScore::placeOnScreen(QPoint topLeft, const QRect& keepClear)
{
    QScreen* screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        move(topLeft);
        return;
    }
    const QRect area = screen->availableGeometry();
    const int x = std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - width()));
    const int y = std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height()));
    move(keptOutside(QRect(QPoint(x, y), size()), keepClear, area));
}

void WMiniScore::paintEvent(QPaintEvent* event)
{
    m_lastPaint = event->region();
    QPainter p(this);
    p.fillRect(rect(), kGapColour);
    for (unsigned bit : CellOrder) {
        if (event->region().intersects(cellRect(bit)))
            paintCell(p, bit);
    }
}

void WMiniScore::paintCell(QPainter& p, unsigned bit) const
{
    const QRect cell = cellRect(bit);
    p.fillRect(cell, kBackground);
    const QRect inner = cell.adjusted(m_pad, 0, -m_pad, 0);
    const MiniScore& m = m_shown;
    switch (bit) {
    case TimeChanged:
        p.setPen(colourOf(m.timeColour));
        p.drawText(inner, Qt::AlignCenter, fw::toQString(m.time));
        return;
    case ScoreChanged:
    case ProjectedChanged:
        p.setPen(colourOf(m.scoreColour));
        p.drawText(inner, Qt::AlignRight | Qt::AlignVCenter, trimmed(bit == ScoreChanged ? m.score : m.projected));
        return;
    default: break;
    }
    // Positions: the slash stays in the middle of the cell whatever the digits.
    const std::string& text = bit == PositionChanged ? m.position : m.projectedPosition;
    if (trimBlanks(text).empty())
        return;
    p.setPen(colourOf(bit == PositionChanged ? m.positionColour : m.projectedPositionColour));
    const size_t slash = text.find('/');
    const int slashWidth = p.fontMetrics().horizontalAdvance(QStringLiteral(" / "));
    const QRect middle(inner.center().x() - slashWidth / 2, inner.top(), slashWidth, inner.height());
    const QRect left(inner.left(), inner.top(), middle.left() - inner.left(), inner.height());
    const QRect right(middle.right() + 1, inner.top(), inner.right() - middle.right(), inner.height());
    p.drawText(left, Qt::AlignRight | Qt::AlignVCenter, trimmed(text.substr(0, slash)));
    p.drawText(middle, Qt::AlignCenter, QStringLiteral("/"));
    if (slash != std::string::npos)
        p.drawText(right, Qt::AlignLeft | Qt::AlignVCenter, trimmed(text.substr(slash + 1)));
}

bool WMiniScore::OnMouse(const fw::MouseEvent& e)
{
    const QPoint at(e.x(), e.y());
    switch (e.action()) {
    case fw::MouseEvent::Down:
        if (e.button() != fw::MouseEvent::Left)
            return false;
        m_grab = at;
        m_dragged = false;
        return true;
    case fw::MouseEvent::Drag:
        if (e.button() != fw::MouseEvent::Left)
            return false;
        // The player may put the strip anywhere, the picture's area too.
        placeOnScreen(mapToGlobal(at) - m_grab, {});
        m_dragged = true;
        return true;
    case fw::MouseEvent::Up:
        if (e.button() != fw::MouseEvent::Left || !m_dragged)
            return false;
        m_dragged = false;
        emit moved(pos());
        return true;
    default: return false;
    }
}

}  // namespace qv
