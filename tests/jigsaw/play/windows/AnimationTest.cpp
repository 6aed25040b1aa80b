// The play's animations run on the event loop from a clock the test
// advances by hand: their frames, what the game looks like meanwhile, and
// input arriving while a turn is shown.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <functional>
#include <map>

#include "framework/EventQueue.h"
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/play/Animation.h"
#include "jigsaw/play/windows/Sparkle.h"
#include "tests/jigsaw/play/windows/PlayTable.h"

namespace {

using Frame = qv::AnimationPlayer::Frame;

class HandClock : public qv::AnimationClock {
public:
    uint32_t now() const override { return m_now; }
    void startFrames(std::function<void()> frame) override { m_frame = std::move(frame); }
    void stopFrames() override { m_frame = nullptr; }
    // Time goes on in frames of 10 ms.
    void advance(int ms)
    {
        for (int done = 0; done < ms; done += 10) {
            m_now += 10;
            if (auto frame = m_frame)
                frame();
        }
    }

private:
    uint32_t m_now = 7000;
    std::function<void()> m_frame;
};

class RecordingShell : public playtest::QuietShell {
public:
    std::vector<bool> autosaves;
    void autosave(bool joined) override { autosaves.push_back(joined); }
};

// The play table with the animations on, timed by the hand clock, its
// pieces free to turn and laid out apart in a grid of six columns.
struct AnimatedTable {
    HandClock clock;
    fw::Random colours, places;
    RecordingShell shell;
    playtest::PlayTable table{playtest::PlayTable::Setup{{}, {}, false}};
    qv::PlayContext context{table.puz, table.score, table.options, table.sounds, shell, &clock, &colours, &places};
    std::unique_ptr<qv::WPuz> window;

    AnimatedTable()
    {
        table.window.reset();
        table.options.word = fw::opt::Mute;
        // The test puzzle is cut not to turn: its sheets are made again
        // with room for every piece to turn in its place.
        table.puz.options &= static_cast<uint16_t>(~qv::Puz::NoRotable);
        EXPECT_TRUE(qv::renderSheets(table.puz, {}).ok());
        window = std::make_unique<qv::WPuz>(context);
        window->resize(playtest::PlayTable::W, playtest::PlayTable::H);
        window->show();
        window->puzzleOpened();
        for (int p = 0; p < table.puz.pieceCount(); ++p)
            window->rules().MoveGroup(p, {static_cast<int16_t>(40 + p % 6 * 130), static_cast<int16_t>(40 + p / 6 * 140)});
        QCoreApplication::processEvents();
    }
    qv::WPuz& w() { return *window; }
    qv::Puz& puz() { return table.puz; }
    std::vector<Frame> frames() { return window->animations().frames(); }

    QPoint centreOf(int piece)
    {
        const qv::SPuz& s = puz().pieces[piece];
        return w().toWindow(QPoint(s.tableCell.x + s.tableCell.w / 2, s.tableCell.y + s.tableCell.h / 2));
    }
    // A loose piece on the table with a neighbour on its right that lies
    // well inside the window (a group carried beside it scrolls nothing).
    int withRightNeighbour()
    {
        const QRect inside = w().rect().adjusted(120, 120, -120, -120);
        for (const qv::SPuz& s : puz().pieces) {
            if (s.box != qv::SPuz::OnTable || s.rotation != 0 || s.neighbour[2] < 0 || s.joined)
                continue;
            const qv::SPuz& n = puz().pieces[s.neighbour[2]];
            if (inside.contains(w().toWindow(QPoint(n.tableCell.x, n.tableCell.y))))
                return s.index;
        }
        return -1;
    }
    void mouse(fw::MouseEvent::Action action, fw::MouseEvent::Button button, QPoint at, unsigned buttons)
    {
        w().surfaceMouse(w(), fw::MouseEvent(action, button, at.x(), at.y(), 0, buttons));
    }
};

QImage shot(qv::WPuz& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST(PlayAnimations, TurnFlightAndHintPlayOnTheHandClock)
{
    AnimatedTable t;
    qv::Puz& puz = t.puz();
    qv::WPuz& w = t.w();

    // A turn about the pointer: made at once, then shown from the old picture.
    const int turned = t.withRightNeighbour();
    ASSERT_GE(turned, 0);
    const qv::SPuz& s = puz.pieces[turned];
    const QPoint pivot = w.toSurface(t.centreOf(turned));
    const QImage before = shot(w);
    w.rotateByCommand(turned, 1, &pivot);
    EXPECT_EQ(s.rotation, 1) << "the turn is made before it is shown";
    EXPECT_TRUE(puz.state & qv::Puz::Busy) << "busy while the turn is shown";
    EXPECT_TRUE(w.loupeHiddenFor(qv::loupe::RuleRunning));
    ASSERT_EQ(t.frames().size(), 1u);
    EXPECT_EQ(t.frames()[0].kind, Frame::Turn);
    EXPECT_EQ(t.frames()[0].angle, 0.0);
    EXPECT_EQ(shot(w), before) << "the first frame shows the group as it lay";
    t.clock.advance(100);
    ASSERT_EQ(t.frames().size(), 1u);
    EXPECT_DOUBLE_EQ(t.frames()[0].angle, 45.0);
    t.clock.advance(100);
    EXPECT_TRUE(t.frames().empty());
    EXPECT_FALSE(puz.state & qv::Puz::Busy);
    EXPECT_FALSE(w.loupeHiddenFor(qv::loupe::RuleRunning));
    EXPECT_EQ(s.rotation, 1);
    EXPECT_NE(shot(w), before) << "the turned piece shows once the turn is over";

    // The marker flies from the dock to the piece; the piece is marked at
    // once, its marker drawn only when the flight lands.
    int marked = -1;
    for (const qv::SPuz& q : puz.pieces)
        if (q.index != turned && !q.joined)
            marked = q.index;
    ASSERT_GE(marked, 0);
    const QRect dock = w.markerDock();
    const QRect onPiece = qv::Marker::onPiece(w, puz, marked);
    w.markGroup(w, marked, true);
    EXPECT_EQ(puz.pieces[marked].flags & (qv::PlayRules::Marked | qv::PlayRules::MarkerPiece),
              qv::PlayRules::Marked | qv::PlayRules::MarkerPiece);
    ASSERT_TRUE(w.marker().flying());
    EXPECT_EQ(w.marker().flying()->landing, marked);
    ASSERT_EQ(t.frames().size(), 1u);
    EXPECT_EQ(t.frames()[0].kind, Frame::Flight);
    EXPECT_EQ(t.frames()[0].rect.topLeft(), dock.topLeft());
    t.clock.advance(120);
    const QPoint mid = t.frames().at(0).rect.topLeft();
    EXPECT_GT(std::abs(mid.x() - dock.x()) + std::abs(mid.y() - dock.y()), 0) << "on its way";
    EXPECT_GT(std::abs(mid.x() - onPiece.x()) + std::abs(mid.y() - onPiece.y()), 0) << "not there yet";
    t.clock.advance(130);
    EXPECT_TRUE(t.frames().empty());
    EXPECT_FALSE(w.marker().flying()) << "landed";

    // The neighbour hint: the neighbour comes to the top at once, the
    // rectangle steps from the clicked side to it, a sparkle ends it.
    const int clicked = t.withRightNeighbour();
    ASSERT_GE(clicked, 0);
    const qv::SPuz& c = puz.pieces[clicked];
    const int n = c.neighbour[2];
    const qv::Rect16 nBefore = puz.pieces[n].table;
    const QPoint right = w.toSurface(t.centreOf(clicked)) + QPoint(c.tableCell.w / 4, 0);
    const int sparkles = qv::Sparkle::started();
    ASSERT_TRUE(w.rules().ShowNeighbour(clicked, {static_cast<int16_t>(right.x()), static_cast<int16_t>(right.y())},
                                        false));
    EXPECT_EQ(puz.pieces[n].orderPos, 0) << "brought to the top before the hint is shown";
    EXPECT_TRUE(w.loupeHiddenFor(qv::loupe::RuleRunning));
    std::map<int, QRect> steps;  // when each rectangle was first shown
    int elapsed = 0;
    QRect last;
    while (!t.frames().empty() && elapsed < 3000) {
        ASSERT_EQ(t.frames()[0].kind, Frame::Hint);
        if (t.frames()[0].rect != last)
            steps[elapsed] = last = t.frames()[0].rect;
        t.clock.advance(10);
        elapsed += 10;
    }
    // The neighbour's place, grown to at least 100 x 100 about its middle.
    const qv::Rect16 nt = puz.pieces[n].table;
    auto grown = [](int from, int size) { return size < 100 ? std::pair(from - (100 - size) / 2, 100) : std::pair(from, size); };
    const auto [x, cw] = grown(nt.x, nt.w);
    const auto [y, ch] = grown(nt.y, nt.h);
    const QRect target = QRect(x, y, cw, ch).translated(-w.origin());
    std::vector<int> starts;
    for (const auto& [at, r] : steps)
        starts.push_back(at);
    EXPECT_EQ(starts, (std::vector<int>{0, 300, 600, 800, 1000}));
    EXPECT_EQ(elapsed, 1250) << "the last step lasts 250 ms";
    EXPECT_EQ(steps.rbegin()->second, target) << "the last step frames the neighbour";
    EXPECT_EQ(qv::Sparkle::started(), sparkles + 1) << "a sparkle on the neighbour";
    EXPECT_FALSE(w.loupeHiddenFor(qv::loupe::RuleRunning));
    EXPECT_EQ(puz.pieces[n].table, nBefore) << "the hint moves nothing";
}

TEST(PlayAnimations, InputDuringATurnFindsTheTurnDone)
{
    AnimatedTable t;
    qv::Puz& puz = t.puz();
    const int a = t.withRightNeighbour();
    ASSERT_GE(a, 0);
    const qv::SPuz& p = puz.pieces[a];
    const qv::SPuz& n = puz.pieces[p.neighbour[2]];
    using M = fw::MouseEvent;
    const QPoint start = t.centreOf(a);
    t.mouse(M::Down, M::Left, start, M::Left);
    ASSERT_EQ(t.w().rules().heldPiece(), a);

    // Four quarter turns while holding, each clicked while the last is shown.
    for (int k = 1; k <= 4; ++k) {
        t.mouse(M::Down, M::Right, start, M::Left | M::Right);
        t.mouse(M::Up, M::Right, start, M::Left);
        EXPECT_EQ(p.rotation, k & 3) << "turn " << k;
        ASSERT_EQ(t.frames().size(), 1u) << "the last turn ended at once, the new one is shown";
        EXPECT_TRUE(puz.state & qv::Puz::Busy);
        t.clock.advance(50);
    }

    // Carried beside its neighbour and dropped while the last turn shows.
    const QPoint grab = t.w().toSurface(start) - QPoint(p.tableCell.x, p.tableCell.y);
    const QPoint end = t.w().toWindow(QPoint(n.tableCell.x - p.tableCell.w, n.tableCell.y) + grab + QPoint(2, -3));
    t.mouse(M::Drag, M::Left, end, M::Left);
    ASSERT_EQ(t.frames().size(), 1u) << "moving does not end the turn";
    t.mouse(M::Up, M::Left, end, 0);
    EXPECT_TRUE(t.frames().empty());
    EXPECT_FALSE(puz.state & qv::Puz::Busy);
    EXPECT_TRUE(p.joined & (1 << 2)) << "the drop joins as it would after the turn";
    EXPECT_EQ(p.tableCell.x + p.tableCell.w, n.tableCell.x);
    EXPECT_EQ(t.table.score.Counters().joinedSides, 2);
    EXPECT_FALSE(t.w().loupeHiddenFor(qv::loupe::RuleRunning));
}

// The autosave after a Ctrl+click turn learns whether the joined sides
// changed while the command ran.
class JoinOnMove : public qv::ScoreListener {
public:
    explicit JoinOnMove(qv::ScoreKeeper& score) : m_score(score) {}
    void scoreRefreshed(unsigned) override
    {
        if (m_moves != m_score.Counters().moves) {
            m_moves = m_score.Counters().moves;
            m_score.AddJoinedSides(2);
        }
    }

private:
    qv::ScoreKeeper& m_score;
    int m_moves = 0;
};

TEST(PlayAnimations, AutosaveAfterAClickTurnSeesJoinsMadeMeanwhile)
{
    AnimatedTable t;
    JoinOnMove joins(t.table.score);
    t.table.score.setListener(&joins);
    const int a = t.withRightNeighbour();
    ASSERT_GE(a, 0);
    const QPoint at = t.centreOf(a);
    t.w().surfaceMouse(t.w(), fw::MouseEvent(fw::MouseEvent::Down, fw::MouseEvent::Left, at.x(), at.y(),
                                             fw::mod::Ctrl, fw::MouseEvent::Left));
    fw::DeliverDue(true);
    t.table.score.setListener(nullptr);
    EXPECT_EQ(t.puz().pieces[a].rotation, 1);
    EXPECT_EQ(t.shell.autosaves, (std::vector<bool>{true}));
}

}  // namespace
