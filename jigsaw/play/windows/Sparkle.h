#pragma once
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "framework/Random.h"

namespace qv {

// One sparkle (animation 540): a star of rays that flares and fades at a
// point of a surface, drawn by a short-lived child window over it. Only one
// runs at a time; one asked for meanwhile is skipped.
class Sparkle : public QWidget {
    Q_OBJECT

public:
    static constexpr int Size = 48;
    static constexpr int DurationMs = 450;

    // Starts a sparkle centred at (x, y) of the parent; false when one is running.
    static bool start(QWidget& parent, int x, int y, fw::Random& random);
    static bool running();
    // Sparkles started since the program began (for tests).
    static int started();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Sparkle(QWidget& parent, int x, int y, QColor colour);
    void tick();

    QColor m_colour;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

}  // namespace qv
