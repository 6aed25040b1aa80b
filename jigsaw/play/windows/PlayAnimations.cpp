#include "jigsaw/play/windows/PlayAnimations.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <set>

#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/PlayCursors.h"
#include "jigsaw/play/windows/WSPuz.h"

namespace qv {

namespace {

QRect qrect(const Rect16& r) { return QRect(r.x, r.y, r.w, r.h); }

double progress(uint32_t elapsed, int ms) { return std::min(1.0, elapsed / double(std::max(1, ms))); }

// Shows a drawing over a window while an animation runs.
class Overlay : public QWidget {
public:
    explicit Overlay(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        setGeometry(parent->rect());
        show();
        raise();
    }
    std::function<void(QPainter&)> draw;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (draw)
            draw(p);
    }
};

// The group's picture from before the turn, turning about the pivot while
// the pieces themselves (already turned) are left out of the surface.
class TurnShow : public AnimationPlayer::Show {
public:
    TurnShow(WSPuz& surface, const Puz& puz, TurnAnimation turn, std::function<void()> done)
        : m_surface(&surface), m_puz(puz), m_turn(std::move(turn)), m_done(std::move(done))
    {
        if (m_turn.before.empty())
            return;
        m_anchor = placeOfFirst();
        const GroupPicture& b = m_turn.before;
        m_picture = QImage(reinterpret_cast<const uchar*>(b.pixels.bits()), b.pixels.width(), b.pixels.height(),
                           b.pixels.width() * 4, QImage::Format_ARGB32);
        m_topLeft = surface.toWindowF(QPointF(b.bounds.x, b.bounds.y));
        m_centre = surface.toWindowF(QPointF(m_turn.pivot.x, m_turn.pivot.y));
        m_scale = surface.zoom();
        surface.setHiddenPieces(std::set<int>(m_turn.pieces.begin(), m_turn.pieces.end()));
        m_overlay = new Overlay(&surface);
        m_overlay->draw = [this](QPainter& p) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.translate(placeOfFirst() - m_anchor);
            p.translate(m_centre);
            p.rotate(m_angle);
            p.translate(-m_centre);
            p.drawImage(QRectF(m_topLeft, QSizeF(m_picture.size()) * m_scale), m_picture);
        };
    }
    bool frame(uint32_t elapsed) override
    {
        const double t = progress(elapsed, m_turn.ms);
        m_angle = m_turn.degrees * t;
        if (m_overlay)
            m_overlay->update();
        return t < 1.0;
    }
    void end() override
    {
        if (m_surface)
            m_surface->setHiddenPieces({});
        delete m_overlay.data();
        if (m_done)
            m_done();
    }
    AnimationPlayer::Frame current() const override { return {AnimationPlayer::Frame::Turn, m_angle, {}}; }

private:
    // Where the group's first piece lies now, in window coordinates.
    QPoint placeOfFirst() const
    {
        const int first = m_turn.pieces.front();
        if (!m_surface || first < 0 || first >= m_puz.pieceCount())
            return m_anchor;
        const SPuz& s = m_puz.pieces[first];
        return m_surface->toWindow(QPoint(s.tableCell.x, s.tableCell.y));
    }

    QPointer<WSPuz> m_surface;
    const Puz& m_puz;
    QPoint m_anchor;
    TurnAnimation m_turn;
    std::function<void()> m_done;
    QImage m_picture;
    QPointF m_topLeft;
    QPointF m_centre;
    double m_scale = 1.0;
    QPointer<Overlay> m_overlay;
    double m_angle = 0;
};

class FlightShow : public AnimationPlayer::Show {
public:
    FlightShow(QWidget& over, const MarkerFlight& flight, std::function<void()> done)
        : m_flight(flight), m_done(std::move(done))
    {
        m_label = new QLabel(&over);
        m_label->setPixmap(PlayCursors::marker());
        m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_label->resize(PlayCursors::marker().size());
        m_label->show();
    }
    bool frame(uint32_t elapsed) override
    {
        const double t = progress(elapsed, m_flight.ms);
        const QRect from = qrect(m_flight.from), to = qrect(m_flight.to);
        m_place = QRect(from.topLeft() + (to.topLeft() - from.topLeft()) * t, from.size());
        if (m_label) {
            m_label->move(m_place.topLeft());
            m_label->raise();
        }
        return t < 1.0;
    }
    void end() override
    {
        delete m_label.data();
        if (m_done)
            m_done();
    }
    AnimationPlayer::Frame current() const override { return {AnimationPlayer::Frame::Flight, 0, m_place}; }

private:
    MarkerFlight m_flight;
    std::function<void()> m_done;
    QPointer<QLabel> m_label;
    QRect m_place;
};

// Step i shows the rectangle (i + 1) / n of the way from the side to the
// neighbour, for its milliseconds.
class HintShow : public AnimationPlayer::Show {
public:
    HintShow(WSPuz& surface, const HintAnimation& hint, std::function<bool()> buttonsDown,
             std::function<void(QPoint)> sparkle, std::function<void()> done)
        : m_surface(&surface), m_hint(hint), m_buttonsDown(std::move(buttonsDown)), m_sparkle(std::move(sparkle)),
          m_done(std::move(done))
    {
        m_from = surface.toWindow(hint.from);
        m_to = surface.toWindow(hint.to);
        m_overlay = new Overlay(&surface);
        m_overlay->draw = [this](QPainter& p) {
            p.setPen(QPen(QColor(255, 255, 120), 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(m_shown);
        };
        showStep(0);
    }
    bool frame(uint32_t elapsed) override
    {
        while (elapsed >= m_stepEnd) {
            const bool last = m_step + 1 >= static_cast<int>(m_hint.stepsMs.size());
            if (last || (m_buttonsDown && m_buttonsDown()))
                return false;
            showStep(m_step + 1);
        }
        return true;
    }
    void end() override
    {
        delete m_overlay.data();
        if (m_surface && m_sparkle)
            m_sparkle(m_to.center());
        if (m_done)
            m_done();
    }
    AnimationPlayer::Frame current() const override { return {AnimationPlayer::Frame::Hint, 0, m_shown}; }

private:
    void showStep(int i)
    {
        m_step = i;
        m_stepEnd += static_cast<uint32_t>(m_hint.stepsMs[i]);
        const double t = double(i + 1) / m_hint.stepsMs.size();
        auto mix = [t](int u, int v) { return static_cast<int>(u + (v - u) * t); };
        m_shown = QRect(QPoint(mix(m_from.left(), m_to.left()), mix(m_from.top(), m_to.top())),
                        QPoint(mix(m_from.right(), m_to.right()), mix(m_from.bottom(), m_to.bottom())));
        if (m_overlay)
            m_overlay->update();
    }

    QPointer<WSPuz> m_surface;
    HintAnimation m_hint;
    std::function<bool()> m_buttonsDown;
    std::function<void(QPoint)> m_sparkle;
    std::function<void()> m_done;
    QRect m_from, m_to, m_shown;
    QPointer<Overlay> m_overlay;
    int m_step = 0;
    uint32_t m_stepEnd = 0;
};

// The square shrinks to its last size and stays while the program waits,
// sparkles and waits again.
class ExitShow : public AnimationPlayer::Show {
public:
    ExitShow(QWidget& over, const ExitAnimation& exit, std::function<void(QPoint)> sparkle,
             std::function<void()> done)
        : m_exit(exit), m_sparkle(std::move(sparkle)), m_done(std::move(done))
    {
        m_overlay = new Overlay(&over);
        m_overlay->draw = [this](QPainter& p) {
            p.setPen(QPen(QColor(255, 255, 255), 2));
            p.drawRect(m_box);
        };
    }
    bool frame(uint32_t elapsed) override
    {
        const double t = progress(elapsed, m_exit.shrinkMs);
        const int half = static_cast<int>(m_exit.half * (1.0 - t)) + 1;
        const QPoint centre(m_exit.centre.x, m_exit.centre.y);
        m_box = QRect(centre - QPoint(half, half), QSize(2 * half, 2 * half));
        if (m_overlay)
            m_overlay->update();
        const uint32_t sparkleAt = static_cast<uint32_t>(m_exit.shrinkMs + m_exit.waitMs);
        if (!m_sparkled && elapsed >= sparkleAt) {
            m_sparkled = true;
            if (m_sparkle)
                m_sparkle(centre);
        }
        return elapsed < sparkleAt + static_cast<uint32_t>(m_exit.afterSparkleMs);
    }
    void end() override
    {
        delete m_overlay.data();
        if (m_done)
            m_done();
    }
    AnimationPlayer::Frame current() const override { return {AnimationPlayer::Frame::Exit, 0, m_box}; }

private:
    ExitAnimation m_exit;
    std::function<void(QPoint)> m_sparkle;
    std::function<void()> m_done;
    QPointer<Overlay> m_overlay;
    QRect m_box;
    bool m_sparkled = false;
};

}  // namespace

TimerAnimationClock::TimerAnimationClock()
{
    m_elapsed.start();
    m_timer.setInterval(FrameMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_frame)
            m_frame();
    });
}

uint32_t TimerAnimationClock::now() const { return static_cast<uint32_t>(m_elapsed.elapsed()); }

void TimerAnimationClock::startFrames(std::function<void()> frame)
{
    m_frame = std::move(frame);
    if (!m_timer.isActive())
        m_timer.start();
}

void TimerAnimationClock::stopFrames() { m_timer.stop(); }

AnimationPlayer::AnimationPlayer(AnimationClock& clock) : m_clock(clock) {}

AnimationPlayer::~AnimationPlayer()
{
    m_clock.stopFrames();
    finishAll();
}

void AnimationPlayer::play(std::unique_ptr<Show> show)
{
    if (!show)
        return;
    if (!show->frame(0)) {
        show->end();
        return;
    }
    m_running.push_back({std::move(show), m_clock.now()});
    m_clock.startFrames([this] { tick(); });
}

void AnimationPlayer::tick()
{
    const uint32_t now = m_clock.now();
    std::vector<std::unique_ptr<Show>> over;
    for (auto it = m_running.begin(); it != m_running.end();) {
        if (it->show->frame(now - it->start)) {
            ++it;
            continue;
        }
        over.push_back(std::move(it->show));
        it = m_running.erase(it);
    }
    if (m_running.empty())
        m_clock.stopFrames();
    // Ending may start another show (a sparkle, the next marking).
    for (auto& show : over)
        show->end();
}

void AnimationPlayer::finishAll()
{
    std::vector<Running> all = std::move(m_running);
    m_running.clear();
    for (Running& r : all)
        r.show->end();
    if (m_running.empty())
        m_clock.stopFrames();
}

void AnimationPlayer::finish(Frame::Kind kind)
{
    std::vector<std::unique_ptr<Show>> over;
    for (auto it = m_running.begin(); it != m_running.end();) {
        if (it->show->current().kind != kind) {
            ++it;
            continue;
        }
        it->show->frame(UINT32_MAX);  // its last frame
        over.push_back(std::move(it->show));
        it = m_running.erase(it);
    }
    if (m_running.empty())
        m_clock.stopFrames();
    for (auto& show : over)
        show->end();
}

std::vector<AnimationPlayer::Frame> AnimationPlayer::frames() const
{
    std::vector<Frame> out;
    for (const Running& r : m_running)
        out.push_back(r.show->current());
    return out;
}

std::unique_ptr<AnimationPlayer::Show> makeTurnShow(WSPuz& surface, const Puz& puz, TurnAnimation turn,
                                                    std::function<void()> done)
{
    return std::make_unique<TurnShow>(surface, puz, std::move(turn), std::move(done));
}

std::unique_ptr<AnimationPlayer::Show> makeFlightShow(QWidget& over, const MarkerFlight& flight,
                                                      std::function<void()> done)
{
    return std::make_unique<FlightShow>(over, flight, std::move(done));
}

std::unique_ptr<AnimationPlayer::Show> makeHintShow(WSPuz& surface, const HintAnimation& hint,
                                                    std::function<bool()> buttonsDown,
                                                    std::function<void(QPoint)> sparkle, std::function<void()> done)
{
    return std::make_unique<HintShow>(surface, hint, std::move(buttonsDown), std::move(sparkle), std::move(done));
}

std::unique_ptr<AnimationPlayer::Show> makeExitShow(QWidget& over, const ExitAnimation& exit,
                                                    std::function<void(QPoint)> sparkle, std::function<void()> done)
{
    return std::make_unique<ExitShow>(over, exit, std::move(sparkle), std::move(done));
}

}  // namespace qv
