#pragma once
#include <QFont>
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
// border; it is dragged with the mouse and reports where it was left. Each
// cell names what it shows in a tooltip; the strip's lettering is the
// system's font made larger, so that it reads at a glance across the table
// whatever the screen's font size and scaling.
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
    // the screen when it would stick out, and past the area kept clear.
    void placeAt(QPoint topLeft);
    // An area of the screen the strip is not placed over (the picture's
    // area); empty for none.
    void setKeepClear(QRect area) { m_keepClear = area; }
    // What a cell shows, in the player's language (its tooltip).
    QString cellToolTip(unsigned bit) const;
    // The strip's lettering: the system's font, half as large again.
    static QFont stripFont();

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
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void measure();
    void placeOnScreen(QPoint topLeft, const QRect& keepClear);
    void paintCell(QPainter& p, unsigned bit) const;

    const LiveRanking& m_live;
    const ScoresHost& m_host;
    MiniScore m_shown;
    unsigned m_lastRepainted = 0;
    std::array<int, 5> m_widths{};
    int m_height = 0;
    int m_pad = 0;
    QRect m_keepClear;
    QRegion m_lastPaint;
    QPoint m_grab;  // pointer offset within the strip while dragging
    bool m_dragged = false;
};

}  // namespace qv
