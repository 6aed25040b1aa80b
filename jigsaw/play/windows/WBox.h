#pragma once
#include <QPoint>
#include <QRect>
#include <cstdint>

#include "jigsaw/play/windows/WSPuz.h"


namespace qv {

// A box: a small window over the table that holds pieces apart. Open, it
// shows its pieces on its own colour; closed, it is a 28 x 28 icon. A press
// on its empty space (or anywhere on the closed icon) moves it; a double
// click there opens or closes it.
class WBox : public WSPuz {
    Q_OBJECT

public:
    static constexpr int IconSize = 28;
    static constexpr int ScreenMargin = 16;
    static constexpr int FrameWidth = 3;

    WBox(PlayContext& context, PlayHost& play, int index);
    ~WBox() override;

    PlayHost& host() override { return m_host; }
    int index() const { return container(); }

    bool isClosed() const;
    void setClosed(bool closed);
    // Its record was changed from outside (the box options): size, menu, picture.
    void refreshState() { applyState(); }
    // The rectangle of the open box and the icon's place, on the play window.
    QRect openRect() const { return m_openRect; }
    QPoint iconPos() const { return m_iconPos; }
    void place(QRect openRect, QPoint iconPos);

    // Called by the mouse rules for a left press: true when the box took it
    // (moving or a double click on empty space or the closed icon).
    bool pressEmptyOrClosed(const fw::MouseEvent& event, bool onPiece);
    bool moving() const { return m_moving; }
    // Whether a point of the window lies on its frame: the border of an
    // open box, anywhere on the closed icon (both move the box).
    bool onFrame(QPoint at) const;
    void moveWith(QPoint global);
    void endMove();

    // The tip of a closed box: text 2600, the name, text 570 with the number.
    QString tipText() const;

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnMenuHint(fw::MenuHintEvent& event) override;
    bool OnKey(const fw::KeyEvent& event) override;
    void paintEvent(QPaintEvent* event) override;
    fw::Background& ground() override { return m_ground; }
    void prepareGround() override;
    void paintOverlay(QPainter& painter, const QRect& area) override;
    bool event(QEvent* event) override;

private:
    void applyState();
    void keepOnScreen();
    void buildMenu();

    PlayHost& m_host;
    WSPuz& m_play;  // the table, the box's parent
    QRect m_openRect;
    QPoint m_iconPos;
    bool m_moving = false;
    QPoint m_moveGrab;  // pointer minus the window's position
    // The box's own colour on the table's material: its blend or texture
    // with the box colour in place of the table's first colour.
    fw::Background m_ground;
    uint32_t m_groundColour = 0;
    unsigned m_groundStamp = 0;  // the table background it was derived from
};

}  // namespace qv
