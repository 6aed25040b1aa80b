#include "minefield/MineGame.h"

#include <algorithm>
#include <ctime>
#include <random>
#include <vector>

#include "minefield/BoardTopology.h"
#include "minefield/NoGuessGenerator.h"

namespace mf {

namespace {

MineGame::RandomSource ClockSeededSource()
{
    // Seeded once from the clock in seconds, so that two games begun within
    // the same second still differ.
    auto engine = std::make_shared<std::mt19937>(uint32_t(std::time(nullptr)));
    return [engine] { return uint32_t((*engine)()); };
}

// A covered safe cell without a flag: the opening of an empty area takes it.
bool IsOpenable(const TCell& cell)
{
    return cell.state == 0 && !cell.flagged && cell.IsCount();
}

}  // namespace

MineGame::MineGame(BoardEvents& events, BoardCanvas& canvas, BoardSounds& sounds)
    : m_events(events), m_canvas(canvas), m_sounds(sounds), m_random(ClockSeededSource())
{
}

void MineGame::SetRandomSource(RandomSource source)
{
    m_random = source ? std::move(source) : ClockSeededSource();
}

void MineGame::SetCustomSize(int32_t width, int32_t height, int32_t mines)
{
    m_customWidth = std::clamp(width, 1, MaxColumns);
    m_customHeight = std::clamp(height, 1, MaxRows);
    m_customMines = std::clamp(mines, 0, m_customWidth * m_customHeight - 1);
}

void MineGame::SetShape(ShapeKind shape)
{
    m_grid.SetShape(shape);
    NewGame();
}

void MineGame::NewGame()
{
    if (const auto preset = PresetFor(m_level, Shape())) {
        m_width = preset->width;
        m_height = preset->height;
        m_mines = preset->mines;
        m_shields = preset->shields;
    } else {
        m_width = m_customWidth;
        m_height = m_customHeight;
        m_mines = m_customMines;
        // The shields the last game began with, not those it left.
        m_shields = m_startShields;
    }
    Begin(nullptr);
}

void MineGame::Replay()
{
    if (m_minesPending)
        return NewGame();
    const std::vector<CellPos> mines = MinePositions();
    m_shields = m_startShields;
    Begin(&mines);
}

std::vector<CellPos> MineGame::MinePositions() const
{
    std::vector<CellPos> mines;
    if (m_minesPending)
        return mines;
    for (int32_t r = 0; r < m_height; ++r) {
        for (int32_t c = 0; c < m_width; ++c) {
            const TCell& cell = m_grid.At({c, r});
            // Hit, lost or shown flagged at the end: still the board's mines.
            if (cell.IsMine() || cell.value == cell::LostMine || cell.value == cell::ShieldMine)
                mines.push_back({c, r});
        }
    }
    return mines;
}

void MineGame::Begin(const std::vector<CellPos>* mines)
{
    m_startShields = m_shields;
    m_started = false;
    m_minesLeft = m_mines;
    m_revealed = 0;
    m_gameOver = false;
    m_pressed = {};
    m_leftDown = {};
    m_canvas.ResizeClient(BoardClientSize(Shape(), m_width, m_height));
    m_events.MinesLeftChanged(m_minesLeft);
    for (int32_t r = 0; r < m_height; ++r) {
        for (int32_t c = 0; c < m_width; ++c) {
            TCell& cell = At({c, r});
            cell.value = 0;
            cell.state = 0;
            cell.flagged = false;
            cell.marked = false;
        }
    }
    m_minesPending = !mines && (m_options.safeStart || m_options.noGuess);
    if (!mines)
        m_boardNoGuess = false;  // a replay keeps the board, and what it was
    if (mines) {
        for (const CellPos& p : *mines)
            At(p).value = cell::Mine;
    } else if (!m_minesPending) {
        PlaceMines();
    }
    m_grid.Layout(m_width, m_height);
    CountAll();
    m_cursor = {std::min(m_cursor.c, m_width - 1), std::min(m_cursor.r, m_height - 1)};
    m_canvas.InvalidateBoard();
    if (m_cursorShown)
        m_canvas.CursorChanged();
}

void MineGame::CountAll()
{
    for (int32_t r = 0; r < m_height; ++r) {
        for (int32_t c = 0; c < m_width; ++c) {
            if (!At({c, r}).IsMine())
                At({c, r}).value = int8_t(CountMines({c, r}));
        }
    }
}

void MineGame::PlaceMines(CellPos spared)
{
    const std::vector<uint8_t> mines = ClassicMines(m_width, m_height, m_mines, m_random, spared);
    for (int32_t r = 0; r < m_height; ++r)
        for (int32_t c = 0; c < m_width; ++c)
            if (mines[size_t(r) * size_t(m_width) + size_t(c)])
                At({c, r}).value = cell::Mine;
}

void MineGame::PlaceNoGuess(CellPos first)
{
    const BoardTopology topology(Shape(), m_width, m_height);
    const NoGuessBoard board = MakeNoGuessBoard(topology, m_mines, topology.Index(first), m_random);
    for (int32_t i = 0; i < topology.CellCount(); ++i)
        if (board.mines[size_t(i)])
            At(topology.Pos(i)).value = cell::Mine;
    m_boardNoGuess = board.noGuess;
}

int32_t MineGame::CountMines(CellPos p) const
{
    // Orientation comes from the position, so counting does not depend on
    // the cells having been laid out yet.
    const bool up = CellPointsUp(Shape(), p.c, p.r);
    int32_t n = 0;
    for (const CellPos& q : Neighbours(Shape(), p, up, m_width, m_height))
        n += m_grid.At(q).IsMine();
    return n;
}

void MineGame::RevealCell(CellPos p)
{
    TCell& cell = At(p);
    if (cell.state != 0)
        return;
    cell.state = 1;
    cell.flagged = false;
    cell.marked = false;
    m_canvas.DrawCell(cell, false);
    ++m_revealed;
}

void MineGame::FloodOpen(CellPos start)
{
    if (At(start).value != 0)
        return;
    // Depth-first like a recursion, but on a stack of our own: an empty
    // Expert board would otherwise nest hundreds of calls deep.
    struct Frame {
        NeighbourList order;
        int32_t next = 0;
    };
    const auto frameFor = [this](CellPos p) {
        return Frame{FloodOrder(Shape(), p, At(p).IsUp(), m_width, m_height), 0};
    };
    std::vector<Frame> stack;
    stack.reserve(size_t(m_width) * size_t(m_height));
    stack.push_back(frameFor(start));
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.order.count) {
            stack.pop_back();
            continue;
        }
        const CellPos next = top.order.items[size_t(top.next++)];
        if (!IsOpenable(At(next)))
            continue;
        RevealCell(next);
        if (At(next).value == 0)
            stack.push_back(frameFor(next));
    }
}

void MineGame::OpenCell(CellPos p) { Open(p, true); }

void MineGame::Open(CellPos p, bool click)
{
    if (At(p).IsBlocked())
        return;
    if (m_minesPending) {
        m_minesPending = false;
        if (m_options.noGuess)
            PlaceNoGuess(p);
        else
            PlaceMines(p);
        CountAll();
    }
    m_started = true;
    RevealCell(p);
    if (At(p).IsMine()) {
        if (m_shields == 0)
            LoseAt(p);
        else
            SpendShield(p);
        return;
    }
    if (click)
        Click();
    FloodOpen(p);
    m_events.MinesLeftChanged(m_minesLeft);
    if (m_width * m_height - m_mines == m_revealed)
        Win();
}

void MineGame::LoseAt(CellPos hit)
{
    m_gameOver = true;
    m_events.GameLost();
    for (int32_t r = 0; r < m_height; ++r) {
        for (int32_t c = 0; c < m_width; ++c) {
            TCell& cell = At({c, r});
            if (cell.IsMine() && !cell.flagged) {
                if (CellPos{c, r} == hit)
                    cell.value = cell::LostMine;
                cell.state = 1;
                cell.marked = false;
                m_canvas.DrawCell(cell, false);
            } else if (cell.flagged && cell.IsCount()) {
                cell.state = 1;
                cell.value = cell::WrongFlag;
                cell.flagged = false;
                m_canvas.DrawCell(cell, false);
            }
        }
    }
    if (m_soundOn)
        m_sounds.PlayExplosion();
}

void MineGame::SpendShield(CellPos p)
{
    TCell& cell = At(p);
    m_canvas.DrawCell(cell, false);
    --m_shields;
    if (m_soundOn)
        m_sounds.PlayExplosion();
    m_events.ShieldsChanged();
    cell.value = cell::ShieldMine;
    cell.state = 1;
    m_canvas.InvalidateArea(cell.InsetOutline());
    m_canvas.DrawCell(cell, false);
    --m_revealed;  // the hit mine is no safe cell
    --m_minesLeft;
    m_events.MinesLeftChanged(m_minesLeft);
}

void MineGame::Win()
{
    m_minesLeft = 0;
    m_events.MinesLeftChanged(0);
    for (int32_t r = 0; r < m_height; ++r) {
        for (int32_t c = 0; c < m_width; ++c) {
            TCell& cell = At({c, r});
            if (cell.IsMine() && !cell.flagged) {
                cell.flagged = true;
                cell.marked = false;
                m_canvas.DrawCell(cell, false);
            }
        }
    }
    if (m_soundOn)
        m_sounds.PlayWin();
    m_gameOver = true;
    m_events.GameWon();
}

void MineGame::ToggleFlag(Point pt)
{
    const CellPos p = HitTest(pt);
    if (p.IsCell())
        ToggleFlagAt(p);
}

void MineGame::ToggleFlagAt(CellPos p)
{
    TCell& cell = At(p);
    if (cell.state != 0)
        return;
    if (cell.marked) {
        // "?" back to covered, even when the marks were turned off meanwhile.
        cell.marked = false;
        m_canvas.InvalidateArea(cell.InsetOutline());
        Click();
        return;
    }
    const bool setting = !cell.flagged;
    cell.marked = !setting && m_options.marks;
    cell.flagged = setting;
    m_minesLeft += setting ? -1 : 1;
    m_events.MinesLeftChanged(m_minesLeft);
    if (setting)
        m_canvas.DrawCell(cell, false);
    else
        m_canvas.InvalidateArea(cell.InsetOutline());  // the repaint shows the bare cell
    Click();
}

bool MineGame::IsOnBoard(CellPos p) const
{
    return p.c >= 0 && p.r >= 0 && p.c < m_width && p.r < m_height;
}

void MineGame::SetPressedShown(bool shown)
{
    TCell& cell = At(m_pressed);
    cell.state = shown ? 1 : 0;
    m_canvas.DrawCell(cell, true);
}

void MineGame::LeftButtonDown(Point pt)
{
    if (m_gameOver)
        return;
    HideCursor();
    m_buttonHeld = true;
    m_canvas.CaptureMouse(true);
    m_pressed = HitTest(pt);
    m_leftDown = m_options.leftChord && m_pressed.IsCell() && At(m_pressed).state == 1 ? m_pressed : CellPos{};
    if (!m_pressed.IsCell() || At(m_pressed).state != 0 || At(m_pressed).IsBlocked()) {
        m_pressed = {};
        return;
    }
    SetPressedShown(true);
}

void MineGame::MouseMove(Point pt)
{
    if (!m_buttonHeld || m_gameOver || !m_pressed.IsCell())
        return;
    const CellPos over = HitTest(pt);
    const bool onPressed = over == m_pressed && !At(over).IsBlocked();
    SetPressedShown(onPressed);
}

void MineGame::LeftButtonUp(Point pt)
{
    if (m_gameOver && !m_buttonHeld)
        return;
    m_canvas.CaptureMouse(false);
    m_buttonHeld = false;
    if (!IsOnBoard(m_pressed)) {
        m_pressed = {};
        const CellPos number = m_leftDown;
        m_leftDown = {};
        if (number.IsCell() && HitTest(pt) == number)
            Chord(number);
        return;
    }
    const CellPos pressed = m_pressed;
    m_pressed = {};
    const bool wasShownPressed = At(pressed).state == 1;
    At(pressed).state = 0;
    if (HitTest(pt) == pressed && !At(pressed).IsBlocked()) {
        OpenCell(pressed);
        return;
    }
    // Released elsewhere without a move over the way: raise it again.
    if (wasShownPressed)
        m_canvas.DrawCell(At(pressed), true);
}

void MineGame::RightButtonDown(Point pt)
{
    if (m_gameOver)
        return;
    HideCursor();
    ToggleFlag(pt);
}

void MineGame::ChordButtonDown(Point pt)
{
    if (m_gameOver)
        return;
    HideCursor();
    m_leftDown = {};  // the chord is done; the left button's release adds nothing
    const CellPos p = HitTest(pt);
    if (p.IsCell() && p != m_pressed)
        Chord(p);
}

void MineGame::Chord(CellPos p)
{
    if (m_gameOver || !IsOnBoard(p) || p == m_pressed)
        return;
    const TCell& centre = At(p);
    if (centre.state != 1 || !centre.IsCount() || centre.value == 0)
        return;
    const NeighbourList around = Neighbours(Shape(), p, centre.IsUp(), m_width, m_height);
    int32_t found = 0;
    bool covered = false;
    for (const CellPos& q : around) {
        const TCell& n = At(q);
        found += n.flagged || n.value == cell::ShieldMine;
        covered = covered || (n.state == 0 && !n.flagged);
    }
    if (found != centre.value || !covered)
        return;
    Click();
    // One by one as if clicked: a wrong flag loses, or costs a shield, there.
    for (const CellPos& q : around) {
        if (m_gameOver)
            return;
        if (At(q).state == 0 && !At(q).flagged)
            Open(q, false);
    }
}

bool MineGame::ShowCursorFirst()
{
    if (m_cursorShown)
        return false;
    m_cursorShown = true;
    m_canvas.CursorChanged();
    return true;
}

void MineGame::HideCursor()
{
    if (!m_cursorShown)
        return;
    m_cursorShown = false;
    m_canvas.CursorChanged();
}

void MineGame::MoveCursor(Arrow arrow)
{
    if (ShowCursorFirst())
        return;
    const CellPos next = m_grid.Toward(m_cursor, arrow, m_width, m_height);
    if (next == m_cursor)
        return;
    m_cursor = next;
    m_canvas.CursorChanged();
}

void MineGame::KeyOpen()
{
    if (ShowCursorFirst() || m_gameOver)
        return;
    const TCell& cell = At(m_cursor);
    if (cell.state == 0 && !cell.IsBlocked())
        OpenCell(m_cursor);
}

void MineGame::KeyFlag()
{
    if (!ShowCursorFirst() && !m_gameOver)
        ToggleFlagAt(m_cursor);
}

void MineGame::KeyChord()
{
    if (!ShowCursorFirst())
        Chord(m_cursor);
}

void MineGame::Click()
{
    if (m_soundOn)
        m_sounds.PlayClick();
}

}  // namespace mf
