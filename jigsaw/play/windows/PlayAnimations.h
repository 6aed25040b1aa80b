#pragma once
#include <QElapsedTimer>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "jigsaw/play/Animation.h"

class QWidget;

namespace qv {

class Puz;
class WSPuz;

// The program's animation clock: a timer of the event loop and a steady
// millisecond count.
class TimerAnimationClock : public AnimationClock {
public:
    static constexpr int FrameMs = 15;
    TimerAnimationClock();
    uint32_t now() const override;
    void startFrames(std::function<void()> frame) override;
    void stopFrames() override;

private:
    QElapsedTimer m_elapsed;
    QTimer m_timer;
    std::function<void()> m_frame;
};

// Plays the animations the play asks for on the event loop, each from the
// time it was asked for; several may run at once. Nothing waits: input
// goes on being handled while they run.
class AnimationPlayer {
public:
    // What an animation shows now, for whoever must check it.
    struct Frame {
        enum Kind { Turn, Flight, Hint, Exit } kind;
        double angle = 0;  // a turn's degrees so far
        QRect rect;        // the marker's, the hint's or the exit square's place
    };

    class Show {
    public:
        virtual ~Show() = default;
        // Shows the frame of this many milliseconds in; false once over.
        virtual bool frame(uint32_t elapsed) = 0;
        // Clears what it drew and tells its owner; runs once, also when
        // the show is cut short.
        virtual void end() {}
        virtual Frame current() const = 0;
    };

    explicit AnimationPlayer(AnimationClock& clock);
    ~AnimationPlayer();

    void play(std::unique_ptr<Show> show);
    // Ends every show at once (a puzzle closing, the window going), or
    // those of one kind.
    void finishAll();
    void finish(Frame::Kind kind);
    bool playing() const { return !m_running.empty(); }
    std::vector<Frame> frames() const;
    AnimationClock& clock() { return m_clock; }

private:
    void tick();

    struct Running {
        std::unique_ptr<Show> show;
        uint32_t start;
    };
    AnimationClock& m_clock;
    std::vector<Running> m_running;
};

// The shows of the play's animations.
// The turning picture follows the group when it is dragged meanwhile.
std::unique_ptr<AnimationPlayer::Show> makeTurnShow(WSPuz& surface, const Puz& puz, TurnAnimation turn,
                                                    std::function<void()> done);
std::unique_ptr<AnimationPlayer::Show> makeFlightShow(QWidget& over, const MarkerFlight& flight,
                                                      std::function<void()> done);
// buttonsDown: whether the left or right mouse button is held now.
std::unique_ptr<AnimationPlayer::Show> makeHintShow(WSPuz& surface, const HintAnimation& hint,
                                                    std::function<bool()> buttonsDown,
                                                    std::function<void(QPoint)> sparkle, std::function<void()> done);
std::unique_ptr<AnimationPlayer::Show> makeExitShow(QWidget& over, const ExitAnimation& exit,
                                                    std::function<void(QPoint)> sparkle, std::function<void()> done);

}  // namespace qv
