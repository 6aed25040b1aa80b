#include "jigsaw/shell/windows/CuttingProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <new>
#include <thread>

namespace qv {
namespace {

// A game window that counts what reaches it.
class CountingWindow : public QWidget {
public:
    std::atomic<int> paints{0}, closes{0}, ticks{0};

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
    void closeEvent(QCloseEvent* e) override
    {
        ++closes;
        e->accept();
    }
    void timerEvent(QTimerEvent*) override { ++ticks; }
};

// Waits on the cut's thread until the condition holds (at most 5 s).
template <typename Condition>
bool waitFor(Condition condition)
{
    QDeadlineTimer deadline(5000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

TEST(CuttingProgress, TheCutRunsOnItsOwnThreadWhileTheDisplayFollowsIt)
{
    CountingWindow game;
    game.show();
    CuttingProgress progress(&game, "Cutting", 0);
    std::atomic<int> uiRounds{0};
    std::atomic<bool> displayed{false};
    QTimer round;
    QObject::connect(&round, &QTimer::timeout, [&] {
        ++uiRounds;
        if (progress.shown())
            displayed = true;
    });
    round.start(1);
    const auto uiThread = std::this_thread::get_id();
    std::thread::id cutThread;
    bool loopRanDuringCut = false;

    const fw::Status st = progress.run([&](const CuttingProgress::Progress& step) {
        cutThread = std::this_thread::get_id();
        step(40);
        loopRanDuringCut = waitFor([&] { return uiRounds.load() >= 3; });
        // The display follows the cut's step on the event loop.
        waitFor([&] { return displayed.load(); });
        return fw::Status(fw::msg::Cancelled);
    });

    EXPECT_NE(cutThread, uiThread);
    EXPECT_TRUE(loopRanDuringCut);
    EXPECT_TRUE(displayed);
    EXPECT_EQ(st.id, fw::msg::Cancelled);
}

TEST(CuttingProgress, WhatTheCutThrowsReachesTheCaller)
{
    CuttingProgress progress(nullptr, "Cutting");
    EXPECT_THROW(progress.run([](const CuttingProgress::Progress&) -> fw::Status { throw std::bad_alloc(); }),
                 std::bad_alloc);
}

// The cut writes the document the game's windows show: they neither paint
// nor tick nor close until it is over, and then do what waited.
TEST(CuttingProgress, TheGameWindowsWaitForTheEndOfTheCut)
{
    CountingWindow game;
    game.resize(200, 100);
    game.show();
    QTest::qWait(50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return game.paints > 0; }));
    const int paintsBefore = game.paints;
    const int timer = game.startTimer(1);
    std::atomic<bool> asked{false};
    QTimer::singleShot(5, &game, [&] {
        game.update();
        QCoreApplication::postEvent(&game, new QCloseEvent);
        asked = true;
    });
    int paintsDuring = -1, closesDuring = -1, ticksDuring = -1;

    CuttingProgress progress(&game, "Cutting");
    progress.run([&](const CuttingProgress::Progress&) {
        waitFor([&] { return asked.load(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        paintsDuring = game.paints - paintsBefore;
        closesDuring = game.closes;
        ticksDuring = game.ticks;
        return fw::Status();
    });

    EXPECT_EQ(paintsDuring, 0);
    EXPECT_EQ(closesDuring, 0);
    EXPECT_EQ(ticksDuring, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return game.closes == 1 && game.ticks > 0; }));
    game.killTimer(timer);
}

}  // namespace
}  // namespace qv
