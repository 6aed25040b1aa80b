#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "minefield/BoardPorts.h"
#include "minefield/CellGrid.h"
#include "minefield/MinePlacement.h"

namespace mf {

// The state and rules of one mine field: mine placement, counting, opening
// (with the opening of empty areas), flags, shields, win and loss. The board
// window owns it, feeds it the mouse and draws what it reports.
class MineGame {
public:
    using RandomSource = mf::RandomSource;

    // Rules beyond the classic game, all off unless the player turns them on.
    struct PlayOptions {
        bool leftChord = false;  // a left click on a satisfied number chords too
        bool marks = false;      // the right button cycles flag, "?", covered
        bool safeStart = false;  // the first opened cell is never a mine
        // Mines placed at the first click so that it opens an area and the
        // rest follows by deduction alone.
        bool noGuess = false;
        friend bool operator==(const PlayOptions&, const PlayOptions&) = default;
    };

    MineGame(BoardEvents& events, BoardCanvas& canvas, BoardSounds& sounds);

    // Numbers for mine placement: the column is the next number mod W, the
    // row the one after mod H. The default is seeded from the clock.
    void SetRandomSource(RandomSource source);

    void SetShape(ShapeKind shape);  // remakes the cells, then NewGame
    void NewGame();
    // A new game on the board just played: the same size, the same mines and
    // the shields it began with. Before any mine is placed (a safe start not
    // yet clicked) it is a new game.
    void Replay();
    // The mines of the game in play, row by row; empty while none is placed.
    std::vector<CellPos> MinePositions() const;

    // A level outside 0..4 plays the custom size set below; a preset level
    // leaves that size alone.
    void SetLevel(int level) { m_level = level; }
    // Kept inside the grid: 1..32 columns, 1..24 rows, 0..W*H-1 mines. Takes
    // effect at the next new game.
    void SetCustomSize(int32_t width, int32_t height, int32_t mines);
    int32_t CustomWidth() const { return m_customWidth; }
    int32_t CustomHeight() const { return m_customHeight; }
    int32_t CustomMines() const { return m_customMines; }

    // The safe start and no-guess boards take effect at the next new game.
    void SetOptions(const PlayOptions& options) { m_options = options; }
    const PlayOptions& Options() const { return m_options; }

    int32_t CountMines(CellPos p) const;
    void RevealCell(CellPos p);
    void OpenCell(CellPos p);
    void FloodOpen(CellPos p);
    void ToggleFlag(Point pt);
    void ToggleFlagAt(CellPos p);
    // On an open number with as many flags around it (shield-hit mines count
    // as found), opens every other covered neighbour as if clicked.
    void Chord(CellPos p);

    void LeftButtonDown(Point pt);
    void MouseMove(Point pt);
    void LeftButtonUp(Point pt);
    void RightButtonDown(Point pt);
    // The middle button, or the second of left and right held together.
    void ChordButtonDown(Point pt);

    // The keyboard: a cursor cell moved by the arrows. While it is hidden
    // the first key only shows it; a mouse button hides it again.
    void MoveCursor(Arrow arrow);
    void KeyOpen();
    void KeyFlag();
    void KeyChord();
    CellPos Cursor() const { return m_cursor; }
    bool CursorShown() const { return m_cursorShown; }

    CellPos HitTest(Point pt) const { return m_grid.HitTest(pt.x, pt.y, m_width, m_height); }
    const TCell& Cell(CellPos p) const { return m_grid.At(p); }
    const CellGrid& Grid() const { return m_grid; }
    ShapeKind Shape() const { return m_grid.Shape(); }
    int Level() const { return m_level; }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    int32_t Mines() const { return m_mines; }
    int32_t MinesLeft() const { return m_minesLeft; }
    int32_t Shields() const { return m_shields; }
    int32_t Revealed() const { return m_revealed; }
    bool GameOver() const { return m_gameOver; }
    // A cell was opened in this game (so it counts in the statistics).
    bool Started() const { return m_started; }
    CellPos PressedCell() const { return m_pressed; }
    bool SoundOn() const { return m_soundOn; }
    // The mines were placed as a no-guess board that the solver cleared.
    bool BoardIsNoGuess() const { return m_boardNoGuess; }
    void SetSoundOn(bool on) { m_soundOn = on; }

private:
    TCell& At(CellPos p) { return m_grid.At(p); }
    bool IsOnBoard(CellPos p) const;
    void Begin(const std::vector<CellPos>* mines);
    void PlaceMines(CellPos spared = {});
    void PlaceNoGuess(CellPos first);
    void CountAll();
    void Open(CellPos p, bool click);
    bool ShowCursorFirst();
    void HideCursor();
    void LoseAt(CellPos p);
    void SpendShield(CellPos p);
    void Win();
    void SetPressedShown(bool shown);
    void Click();

    BoardEvents& m_events;
    BoardCanvas& m_canvas;
    BoardSounds& m_sounds;
    RandomSource m_random;
    CellGrid m_grid;

    int32_t m_width = 8;
    int32_t m_height = 8;
    int m_level = 0;
    int32_t m_revealed = 0;
    int32_t m_minesLeft = 0;
    int32_t m_mines = 16;
    int32_t m_shields = 0;
    int32_t m_startShields = 0;
    int32_t m_customWidth = 8;
    int32_t m_customHeight = 8;
    int32_t m_customMines = 16;
    bool m_started = false;
    CellPos m_pressed;
    bool m_gameOver = false;
    bool m_soundOn = true;
    bool m_buttonHeld = false;
    PlayOptions m_options;
    bool m_minesPending = false;  // a safe start places them at the first opening
    bool m_boardNoGuess = false;
    CellPos m_leftDown;           // an open number the left button went down on
    CellPos m_cursor{0, 0};
    bool m_cursorShown = false;
};

}  // namespace mf
