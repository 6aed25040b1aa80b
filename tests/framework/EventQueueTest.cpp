#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "framework/EventQueue.h"
#include "framework/Events.h"

using namespace fw;

namespace {

// Writes what it receives into a shared log and runs an optional action.
struct Recorder : EventHandler {
    std::vector<std::string>& log;
    std::string name;
    std::function<void(Event&)> action;
    Recorder(std::vector<std::string>& l, std::string n) : log(l), name(std::move(n)) {}
    void OnEvent(Event& e) override
    {
        std::string entry = name;
        if (e.number() == ev::Command)
            entry += ":" + std::to_string(static_cast<CommandEvent&>(e).command());
        log.push_back(entry);
        if (action)
            action(e);
        e.setHandled();
    }
};

// Counts how many events of its kind are alive, to see the queue delete them.
struct CountedEvent : Event {
    static inline int alive = 0;
    CountedEvent() : Event(300) { ++alive; }
    ~CountedEvent() override { --alive; }
};

struct EventQueueTest : ::testing::Test {
    uint32_t now = 1000;
    EventQueue queue{[this] { return now; }};
    std::vector<std::string> log;
};

}  // namespace

TEST_F(EventQueueTest, ImmediateRecordsGoOutInPostingOrder)
{
    Recorder a(log, "a"), b(log, "b");
    queue.PostCommand(a, 1);
    queue.PostCommand(b, 2);
    queue.PostCommand(a, 3);
    EXPECT_EQ(queue.DeliverDue(), 3);
    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:2", "a:3"}));
    EXPECT_TRUE(queue.empty());
}

TEST_F(EventQueueTest, TimedRecordIsDueOnlyAfterItsTimeAndAfterEarlierDueRecords)
{
    Recorder a(log, "a");
    queue.PostAfter(std::make_unique<CommandEvent>(1), a, 1234);
    queue.PostAfter(std::make_unique<CommandEvent>(2), a, 2000);
    queue.Post(std::make_unique<CommandEvent>(3), a, now + 1000);
    now += 1234;  // exactly the delivery time: not yet
    EXPECT_EQ(queue.DeliverDue(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"a:3"}));
    now += 1;
    EXPECT_EQ(queue.DeliverDue(), 1);
    now += 5000;
    queue.PostCommand(a, 4);
    EXPECT_EQ(queue.DeliverDue(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"a:3", "a:1", "a:2", "a:4"}));
}

TEST_F(EventQueueTest, TimesCompareAcrossTheClockWrap)
{
    Recorder a(log, "a");
    now = 0xFFFFFF00u;
    queue.PostAfter(std::make_unique<CommandEvent>(1), a, 0x200);  // lands at 0x100
    now = 0xFFFFFFFFu;
    EXPECT_EQ(queue.DeliverDue(), 0);
    EXPECT_EQ(queue.TimeToNext(), 0x101u + 1);
    now = 0x101;
    EXPECT_EQ(queue.DeliverDue(), 1);
}

TEST_F(EventQueueTest, ForcedPassDeliversWhatIsNotDue)
{
    Recorder a(log, "a");
    queue.PostAfter(std::make_unique<CommandEvent>(1), a, 60000);
    EXPECT_EQ(queue.DeliverDue(), 0);
    EXPECT_EQ(queue.DeliverDue(true), 1);
}

TEST_F(EventQueueTest, RecordForADestroyedHandlerIsDroppedAndItsEventDeleted)
{
    Recorder keep(log, "keep");
    {
        Recorder gone(log, "gone");
        queue.Post(std::make_unique<CountedEvent>(), gone);
    }
    queue.PostCommand(keep, 1);
    EXPECT_EQ(CountedEvent::alive, 1);
    EXPECT_EQ(queue.DeliverDue(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"keep:1"}));
    EXPECT_EQ(CountedEvent::alive, 0);
}

TEST_F(EventQueueTest, NewHandlerAtTheAddressOfADeadOneGetsNothing)
{
    alignas(Recorder) unsigned char storage[sizeof(Recorder)];
    auto* first = new (storage) Recorder(log, "first");
    queue.PostCommand(*first, 1);
    first->~Recorder();
    auto* second = new (storage) Recorder(log, "second");
    EXPECT_EQ(queue.DeliverDue(), 0);
    EXPECT_TRUE(log.empty());
    second->~Recorder();
}

TEST_F(EventQueueTest, CommandPostedInsideAHandlerComesAfterItInTheNextPass)
{
    Recorder a(log, "a"), b(log, "b");
    a.action = [&](Event&) {
        queue.PostCommand(b, 9);
        log.push_back("a done");
    };
    queue.PostCommand(a, 1);
    EXPECT_EQ(queue.DeliverDue(), 1);
    EXPECT_EQ(queue.size(), 1u);
    EXPECT_EQ(queue.TimeToNext(), 0u);
    EXPECT_EQ(queue.DeliverDue(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "a done", "b:9"}));
}

TEST_F(EventQueueTest, InnerPassDeliversTheRestAndTheOuterPassDoesNotRepeatIt)
{
    Recorder a(log, "a"), b(log, "b");
    a.action = [&](Event&) { queue.DeliverDue(); };
    queue.PostCommand(a, 1);
    queue.PostCommand(b, 2);
    queue.PostCommand(b, 3);
    queue.DeliverDue();
    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:2", "b:3"}));
    EXPECT_TRUE(queue.empty());
}

TEST_F(EventQueueTest, TargetFilterLeavesOtherRecordsInTheirPlace)
{
    Recorder a(log, "a"), b(log, "b");
    queue.PostCommand(a, 1);
    queue.PostCommand(b, 2);
    queue.PostCommand(a, 3);
    EXPECT_EQ(queue.DeliverDue(false, &b), 1);
    queue.PostCommand(b, 4);
    queue.DeliverDue();
    EXPECT_EQ(log, (std::vector<std::string>{"b:2", "a:1", "a:3", "b:4"}));
}

TEST_F(EventQueueTest, RetimeMovesTheTimeOrTheTargetOfAWaitingRecord)
{
    Recorder a(log, "a"), b(log, "b");
    auto id = queue.PostAfter(std::make_unique<CommandEvent>(1), a, 500);
    EXPECT_TRUE(queue.Retime(id, &b, 0));
    EXPECT_EQ(queue.DeliverDue(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"b:1"}));
    EXPECT_FALSE(queue.Retime(id, nullptr, 0));

    auto later = queue.PostCommand(a, 2);
    EXPECT_TRUE(queue.Retime(later, nullptr, now + 100));
    EXPECT_EQ(queue.DeliverDue(), 0);
    EXPECT_EQ(queue.TimeToNext(), 101u);
    EXPECT_TRUE(queue.Cancel(later));
    EXPECT_EQ(queue.TimeToNext(), std::nullopt);
}

TEST_F(EventQueueTest, RepaintAllEndsThePass)
{
    int repaints = 0;
    queue.setRepaintAll([&] { ++repaints; });
    Recorder a(log, "a");
    queue.PostCommand(a, 1);
    queue.Post(std::make_unique<Event>(ev::RepaintAll), a);
    queue.PostCommand(a, 2);
    queue.DeliverDue();
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"a:1"}));  // not given to its target
    queue.DeliverDue();
    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "a:2"}));
}

TEST_F(EventQueueTest, HandlerThatPostsForeverCannotHoldThePass)
{
    Recorder a(log, "a");
    a.action = [&](Event&) { queue.PostCommand(a, 1); };
    queue.PostCommand(a, 1);
    EXPECT_EQ(queue.DeliverDue(), 1);
    EXPECT_EQ(queue.DeliverDue(true), 1);
    EXPECT_EQ(queue.size(), 1u);
}
