#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>

#include "RecordingWindow.h"
#include "framework/EventQueue.h"
#include "framework/TickCount.h"
#include "framework/qt/MessageLoop.h"

using namespace fw;

namespace {

// Ends a loop that went wrong instead of hanging the test run.
struct Watchdog {
    QTimer timer;
    explicit Watchdog(int ms)
    {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        timer.start(ms);
    }
};

struct Stamped : EventHandler {
    std::vector<std::pair<uint32_t, uint32_t>> got;  // command, tick
    std::function<void(uint32_t)> after;
    void OnEvent(Event& e) override
    {
        if (e.number() != ev::Command)
            return;
        const uint32_t c = static_cast<CommandEvent&>(e).command();
        got.emplace_back(c, TickCount());
        e.setHandled();
        if (after)
            after(c);
    }
};

}  // namespace

TEST(MessageLoopTest, TimedPostIsDeliveredAtTheFirstIdleMomentAfterItsTime)
{
    auto* w = new RecordingWindow;
    w->show();
    Stamped h;
    h.after = [&](uint32_t c) {
        if (c == 3)
            delete w;  // the loop ends with its window
    };
    const uint32_t t0 = TickCount();
    EventQueue::main().PostAfter(std::make_unique<CommandEvent>(3), h, 1234);
    EventQueue::main().PostCommand(h, 1);
    EventQueue::main().PostAfter(std::make_unique<CommandEvent>(2), h, 300);
    Watchdog dog(5000);
    EXPECT_EQ(fw::Run(*w), 0);
    ASSERT_EQ(h.got.size(), 3u);
    EXPECT_EQ(h.got[0].first, 1u);
    EXPECT_EQ(h.got[1].first, 2u);
    EXPECT_EQ(h.got[2].first, 3u);
    // Never before its time, and woken for it without any input arriving.
    EXPECT_GT(h.got[2].second - t0, 1234u);
    EXPECT_LT(h.got[2].second - t0, 1234u + 250u);
    EXPECT_GT(h.got[1].second - t0, 300u);
}

TEST(MessageLoopTest, BusyLoopDeliversEarlierPostedRecordsFirstOnceIdle)
{
    RecordingWindow w;
    w.show();
    Stamped h;
    const uint32_t t0 = TickCount();
    EventQueue::main().PostAfter(std::make_unique<CommandEvent>(10), h, 1100);
    EventQueue::main().PostAfter(std::make_unique<CommandEvent>(11), h, 1234);
    uint32_t busyUntil = 0;
    // The program is busy from 50 ms to 1400 ms: both fall due meanwhile.
    QTimer::singleShot(50, [&] {
        QThread::msleep(1350);
        busyUntil = TickCount();
    });
    h.after = [&](uint32_t c) {
        if (c == 11)
            w.close();
    };
    Watchdog dog(5000);
    EXPECT_EQ(fw::Run(w), 0);
    ASSERT_EQ(h.got.size(), 2u);
    EXPECT_EQ(h.got[0].first, 10u);
    EXPECT_EQ(h.got[1].first, 11u);
    EXPECT_GE(h.got[0].second, busyUntil);
    EXPECT_GT(h.got[1].second - t0, 1234u);
}

TEST(MessageLoopTest, PostToADestroyedHandlerIsDropped)
{
    RecordingWindow w;
    w.show();
    static int calls = 0;
    struct Counter : EventHandler {
        void OnEvent(Event& e) override
        {
            ++calls;
            e.setHandled();
        }
    };
    auto* doomed = new Counter;
    EventQueue::main().PostAfter(std::make_unique<CommandEvent>(1), *doomed, 100);
    QTimer::singleShot(20, [&] { delete doomed; });
    w.action = [&](Event& e) {
        if (e.number() == ev::Command)
            w.close();
    };
    EventQueue::main().PostAfter(std::make_unique<CommandEvent>(2), w, 300);
    Watchdog dog(5000);
    EXPECT_EQ(fw::Run(w), 0);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(w.work(), (std::vector<std::string>{"cmd 2"}));
    EXPECT_TRUE(EventQueue::main().empty());
}

TEST(MessageLoopTest, CommandPostedInsideAHandlerRunsAfterTheCurrentMessage)
{
    RecordingWindow w;
    w.resize(100, 100);
    w.show();
    w.action = [&](Event& e) {
        if (e.number() == ev::Mouse && static_cast<MouseEvent&>(e).action() == MouseEvent::Down) {
            w.postCommand(77);
            // A nested loop (as a modal dialog runs) waits idle for a while
            // and must not run it now.
            QEventLoop nested;
            QTimer::singleShot(60, &nested, &QEventLoop::quit);
            nested.exec();
            w.log.push_back("mouse handled");
        }
        if (e.number() == ev::Command)
            w.close();
    };
    QTimer::singleShot(10, [&] {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), w.mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
    });
    Watchdog dog(5000);
    EXPECT_EQ(fw::Run(w), 0);
    EXPECT_EQ(w.work(), (std::vector<std::string>{"mouse handled", "cmd 77"}));
}

TEST(MessageLoopTest, HandledAsNotReachesTheNextHandlerInsideTheRunningLoop)
{
    RecordingWindow w, document;
    w.show();
    w.setCommandTarget(&document);
    // The window acts on every command but lets it go on to the document,
    // which takes only 1105.
    w.handles = [](Event& e) {
        if (e.number() == ev::Command)
            e.setHandledAsNot();
        return false;
    };
    document.handles = [](Event& e) {
        return e.number() == ev::Command && static_cast<CommandEvent&>(e).command() == 1105;
    };
    bool first = true, second = false;
    QTimer::singleShot(10, [&] {
        first = w.sendCommand(1104);
        second = w.sendCommand(1105);
        w.close();
    });
    Watchdog dog(5000);
    EXPECT_EQ(fw::Run(w), 0);
    EXPECT_EQ(w.work(), (std::vector<std::string>{"cmd 1104", "cmd 1105"}));
    EXPECT_EQ(document.work(), (std::vector<std::string>{"cmd 1104", "cmd 1105"}));
    EXPECT_FALSE(first);  // the window ran, yet "not handled"
    EXPECT_TRUE(second);
}

TEST(MessageLoopTest, IdleWorkRunsWhileTheLoopWaitsAndExitCodeComesBack)
{
    RecordingWindow w;
    w.show();
    struct Idler : EventHandler {
        int calls = 0;
        void OnIdle() override
        {
            if (++calls == 3)
                QCoreApplication::exit(7);
        }
    } idler;
    idler.setIdleWork(true);
    Watchdog dog(5000);
    EXPECT_EQ(fw::Run(w, true), 7);
    EXPECT_EQ(idler.calls, 3);
}
