#pragma once
#include <QPoint>
#include <QRect>
#include <functional>

#include "framework/qt/Window.h"
#include "jigsaw/scores/FinishFacts.h"

namespace qv {

class ScoresHost;

// The line a game outside competition shows instead of the score strip:
// how many pieces are placed of all, and the time played. A borderless
// part of the play window in the strip's lettering, at the strip's place;
// the player turns it on and off in the window menu.
class WProgressLine : public fw::Window {
    Q_OBJECT

public:
    using Source = std::function<ProgressFacts()>;

    WProgressLine(Source source, const ScoresHost& host, QWidget* parent = nullptr);

    // Reads the game again; repaints when something shown changed.
    void Update();
    // As the strip: inside the screen, past the area kept clear.
    void placeAt(QPoint topLeft);
    void setKeepClear(QRect area) { m_keepClear = area; }

    const ProgressFacts& shown() const { return m_shown; }
    // "312 of 1,020 pieces placed", in the player's language.
    QString placedText() const;
    // The time played, "%02i:%02i:%02i".
    QString timeText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void measure();

    Source m_source;
    const ScoresHost& m_host;
    ProgressFacts m_shown;
    QRect m_keepClear;
    int m_pad = 0;
};

}  // namespace qv
