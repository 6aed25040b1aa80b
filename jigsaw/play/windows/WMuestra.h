#pragma once
#include <QImage>
#include <QPoint>
#include <QRect>

#include "framework/qt/Window.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

class PlayHost;
class WSPuz;

// The preview: the whole picture reduced, in a small framed window over the
// table that the left button drags about. A click without moving points out
// the loose pieces whose place lies about the point (a help).
class WMuestra : public fw::Window {
    Q_OBJECT

public:
    static constexpr int MaxSide = 220;
    static constexpr int Frame = 3;

    explicit WMuestra(PlayHost& host);
    ~WMuestra() override;

    // Where a preview goes when the game has not placed it: the bottom-right
    // corner, at most MaxSide square.
    static QRect defaultPlace(const QWidget& play);
    // Takes the picture of the open puzzle again.
    void refresh();
    bool dragging() const { return m_dragging; }
    // The area of the picture a click at this window point searches: three
    // cells each way about the point, in picture pixels.
    Rect16 searchArea(QPoint at) const;

protected:
    bool OnMouse(const fw::MouseEvent& event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    PlayHost& m_host;
    WSPuz& m_play;  // the table, its parent
    QImage m_picture;
    bool m_dragging = false;
    bool m_moved = false;  // the press became a drag: no search on release
    QPoint m_grab;
    QPoint m_pressAt;
};

}  // namespace qv
