#pragma once
#include <QPoint>
#include <QRegion>
#include <array>

#include "framework/qt/Window.h"
#include "jigsaw/scores/MiniScore.h"

namespace qv {

class LiveRanking;
class ScoresHost;

// The one-line score strip shown during play: time, score, position,
// projected score and projected position, each in a cell of its own. Only
// the cells whose text or colour changed are repainted. The strip has no
// border; it is dragged with the mouse and reports where it was left.
class WMiniScore : public fw::Window {
    Q_OBJECT

public:
    // Cells from left to right, by their change bits.
    static constexpr std::array<unsigned, 5> CellOrder = {0x01, 0x02, 0x04, 0x10, 0x20};

    WMiniScore(const LiveRanking& live, const ScoresHost& host, QWidget* parent = nullptr);

    // The cells named by changes may have changed: their contents are read
    // again and those that really differ are repainted.
    void Update(unsigned changes);
    // Puts the strip's top-left corner at a screen point, moved back inside
    // the screen when it would stick out.
    void placeAt(QPoint topLeft);

    const MiniScore& shown() const { return m_shown; }
    // The change bits of the cells the last Update repainted.
    unsigned lastRepainted() const { return m_lastRepainted; }
    // The area of a cell by its change bit; empty for other bits.
    QRect cellRect(unsigned bit) const;
    // What the last paint event covered (for tests and for nothing else).
    QRegion lastPaintRegion() const { return m_lastPaint; }

signals:
    // The user dragged the strip; the new top-left corner on the screen.
    void moved(QPoint topLeft);

protected:
    bool OnMouse(const fw::MouseEvent& event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void measure();
    void paintCell(QPainter& p, unsigned bit) const;

    const LiveRanking& m_live;
    const ScoresHost& m_host;
    MiniScore m_shown;
    unsigned m_lastRepainted = 0;
    std::array<int, 5> m_widths{};
    int m_height = 0;
    QRegion m_lastPaint;
    QPoint m_grab;  // pointer offset within the strip while dragging
    bool m_dragged = false;
};

}  // namespace qv
