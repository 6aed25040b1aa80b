#include "jigsaw/scores/windows/WProgressLine.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "framework/qt/Text.h"
#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/ScoresHost.h"
#include "jigsaw/scores/windows/KeepOutside.h"
#include "jigsaw/scores/windows/ScoreWindowText.h"
#include "jigsaw/scores/windows/WMiniScore.h"

namespace qv {

namespace {

constexpr int kPlacedText = 4775;  // "%s of %s pieces placed"
constexpr int kPlacedTip = 4776;   // what counts as placed
const QColor kBackground(0, 0, 0);
const QColor kText(255, 255, 255);

// The text with each "%s" filled in turn.
QString filled(QString pattern, const QStringList& values)
{
    for (const QString& v : values) {
        const int at = pattern.indexOf(QLatin1String("%s"));
        if (at < 0)
            break;
        pattern.replace(at, 2, v);
    }
    return pattern;
}

}  // namespace

WProgressLine::WProgressLine(Source source, const ScoresHost& host, QWidget* parent)
    : fw::Window(parent), m_source(std::move(source)), m_host(host)
{
    // A part of the play window rather than a window of its own: it only
    // shows, and a window of its own would take the keyboard from the
    // table on window systems that activate every window shown.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setFont(WMiniScore::stripFont());
    setToolTip(scoreQText(m_host, kPlacedTip));
    m_shown = m_source();
    measure();
}

QString WProgressLine::placedText() const
{
    const char sep = m_host.thousandsSeparator();
    return filled(scoreQText(m_host, kPlacedText), {fw::toQString(formatNumber(m_shown.placed, sep)),
                                                    fw::toQString(formatNumber(m_shown.total, sep))});
}

QString WProgressLine::timeText() const
{
    const int32_t s = m_shown.elapsedMs / 1000;
    return QString::asprintf("%02i:%02i:%02i", s / 3600, s / 60 % 60, s % 60);
}

void WProgressLine::measure()
{
    const QFontMetrics fm(font());
    m_pad = std::max(3, fm.averageCharWidth());
    // Wide enough for the largest counts the game allows, so the line does
    // not grow under the player's eyes.
    ProgressFacts widest = m_shown;
    widest.placed = widest.total = std::max(m_shown.total, 10000);
    const char sep = m_host.thousandsSeparator();
    const QString sample =
        filled(scoreQText(m_host, kPlacedText), {fw::toQString(formatNumber(widest.placed, sep)),
                                                 fw::toQString(formatNumber(widest.total, sep))});
    const int width = fm.horizontalAdvance(sample) + fm.horizontalAdvance(QStringLiteral("00:00:00")) + 5 * m_pad;
    setFixedSize(width, fm.height() + 2 * std::max(2, fm.height() / 6));
}

void WProgressLine::Update()
{
    ProgressFacts now = m_source();
    if (now == m_shown)
        return;
    const bool grew = now.total != m_shown.total;
    m_shown = now;
    if (grew)
        measure();
    update();
}

void WProgressLine::placeAt(QPoint topLeft)
{
    // Worked out on the screen, where the strip's place and the area kept
    // clear are given; inside the play window when it has one.
    QWidget* owner = parentWidget();
    QRect area;
    if (owner) {
        area = QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size());
    } else if (QScreen* screen = QGuiApplication::screenAt(topLeft) ? QGuiApplication::screenAt(topLeft)
                                                                     : QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    } else {
        move(topLeft);
        return;
    }
    const int x = std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - width()));
    const int y = std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height()));
    const QPoint at = keptOutside(QRect(QPoint(x, y), size()), m_keepClear, area);
    move(owner ? owner->mapFromGlobal(at) : at);
}

void WProgressLine::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    const QRect inner = rect().adjusted(m_pad, 0, -m_pad, 0);
    p.setPen(kText);
    p.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, placedText());
    // The time in the strip's colours: green while the clock runs.
    p.setPen(colourOf(m_shown.running ? MiniScore::Green : MiniScore::LightGrey));
    p.drawText(inner, Qt::AlignRight | Qt::AlignVCenter, timeText());
}

}  // namespace qv
