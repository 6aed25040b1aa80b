#pragma once
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "minefield/MineGame.h"

namespace mf {

// The board window: owns the game, turns the mouse into its entry points
// and draws what it reports. Cells are drawn into a backing image at once
// (as the game asks); the paint only copies the image to the screen.
class TMyWindow : public QWidget, private BoardCanvas {
    Q_OBJECT
public:
    TMyWindow(BoardEvents& events, BoardSounds& sounds, QWidget* parent = nullptr);

    MineGame& Game() { return m_game; }
    const MineGame& Game() const { return m_game; }

    // Background colour as 0x00BBGGRR.
    void SetBkColor(uint32_t colour);
    uint32_t BkColor() const { return m_colour; }
    // "0" or nothing: no texture; "1".."4" (only the first character counts):
    // a built-in texture; anything else: the path of a bitmap file. A file
    // that cannot be read leaves the board without texture.
    void SetTexture(const std::string* text);
    bool HasTexture() const { return !m_texture.isNull(); }

    // While paused the board shows no cell, and takes no key or button: a
    // click asks the frame to go on instead.
    void SetPaused(bool paused);
    bool Paused() const { return m_paused; }
    void SetResumeHandler(std::function<void()> handler) { m_onResume = std::move(handler); }

    // The board shown at 100..400 % of its own size (one of ZoomSteps); the
    // window takes the zoomed size and the frame follows it.
    void SetZoom(int percent);
    int Zoom() const { return m_zoom; }
    // The board pixel under a point of the window: the one that holds the
    // centre of the device pixel there.
    Point BoardPoint(QPointF at) const;

    // Called after the board changed its size, so the frame can fit it.
    void SetResizeHandler(std::function<void()> handler) { m_onResize = std::move(handler); }

    // The board as it is shown, in device pixels, for tests and screenshots.
    const QImage& Image() const { return m_image; }
    // A point of the window over the centre of the cell's bounds.
    QPoint CellCentre(CellPos p) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void DrawCell(const TCell& cell, bool edgesOnly) override;
    void InvalidateArea(const Polygon& area) override;
    void InvalidateBoard() override;
    void ResizeClient(ClientSize size) override;
    void CaptureMouse(bool capture) override;
    void CursorChanged() override;

    // Paints background and cells again inside the rectangle (board pixels).
    void Render(const QRect& area);
    double Scale() const { return m_zoom / 100.0; }
    bool AtOwnSize() const;
    // Board pixels to the window's logical pixels, rounded outwards.
    QRect ToWidget(const QRect& board) const;
    // A backing image of the window's size in device pixels, drawn afresh.
    void MakeImage();

    MineGame m_game;
    QImage m_image;
    QImage m_texture;
    uint32_t m_colour = 0xC0C0C0;
    int m_zoom = 100;
    ClientSize m_boardSize;
    std::function<void()> m_onResize;
    std::function<void()> m_onResume;
    bool m_paused = false;
    QRect m_cursorArea;  // where the keyboard cursor was last shown
};

}  // namespace mf
