#include "jigsaw/play/windows/Sparkle.h"

#include <QPainter>
#include <QPointer>
#include <cmath>

namespace qv {

namespace {
QPointer<Sparkle> g_running;
int g_started = 0;
}  // namespace

bool Sparkle::start(QWidget& parent, int x, int y, fw::Random& random)
{
    if (g_running)
        return false;
    const QColor colour = QColor::fromHsv(static_cast<int>(random.upTo(359)), 90 + static_cast<int>(random.upTo(80)), 255);
    g_running = new Sparkle(parent, x, y, colour);
    ++g_started;
    return true;
}

bool Sparkle::running() { return !g_running.isNull(); }

int Sparkle::started() { return g_started; }

Sparkle::Sparkle(QWidget& parent, int x, int y, QColor colour) : QWidget(&parent), m_colour(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    setGeometry(x - Size / 2, y - Size / 2, Size, Size);
    m_clock.start();
    connect(&m_timer, &QTimer::timeout, this, &Sparkle::tick);
    m_timer.start(30);
    show();
    raise();
}

void Sparkle::tick()
{
    if (m_clock.elapsed() >= DurationMs) {
        m_timer.stop();
        close();
        return;
    }
    update();
}

void Sparkle::paintEvent(QPaintEvent*)
{
    const double t = std::min(1.0, m_clock.elapsed() / double(DurationMs));
    // Grows for the first half, then fades.
    const double grow = t < 0.5 ? t * 2 : 1.0;
    const int alpha = static_cast<int>(255 * (t < 0.5 ? 1.0 : (1.0 - t) * 2));
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(width() / 2.0, height() / 2.0);
    QColor c = m_colour;
    c.setAlpha(alpha);
    const double r = (Size / 2.0 - 2) * grow;
    for (int k = 0; k < 8; ++k) {
        const double a = k * M_PI / 4 + t;
        const double len = (k % 2 ? 0.5 : 1.0) * r;
        p.setPen(QPen(c, k % 2 ? 1.5 : 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, 0), QPointF(std::cos(a) * len, std::sin(a) * len));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, alpha));
    p.drawEllipse(QPointF(0, 0), 3 * grow + 1, 3 * grow + 1);
}

}  // namespace qv
