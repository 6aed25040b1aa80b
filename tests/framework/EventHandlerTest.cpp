#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/EventHandler.h"
#include "framework/Events.h"

using namespace fw;

namespace {

// A base that handles command 1 and a derived class that handles command 2
// and passes the rest down, as every handler chain does.
struct Base : EventHandler {
    int seen = 0;
    void OnEvent(Event& e) override
    {
        ++seen;
        if (e.number() == ev::Command && static_cast<CommandEvent&>(e).command() == 1)
            e.setHandled();
    }
};
struct Derived : Base {
    bool asNot = false;
    void OnEvent(Event& e) override
    {
        if (e.number() == ev::Command && static_cast<CommandEvent&>(e).command() == 2) {
            if (asNot)
                e.setHandledAsNot();
            else
                e.setHandled();
            return;
        }
        Base::OnEvent(e);
    }
};

}  // namespace

TEST(DispatchTest, ReportsHandledAndLeavesTheFlagsClear)
{
    Derived h;
    struct Case {
        uint32_t command;
        bool asNot;
        bool handled;
    } cases[] = {{1, false, true}, {2, false, true}, {3, false, false}, {2, true, false}};
    for (const Case& c : cases) {
        CommandEvent e(c.command);
        h.asNot = c.asNot;
        EXPECT_EQ(Dispatch(e, h), c.handled) << c.command << " " << c.asNot;
        EXPECT_EQ(e.flags() & (evflag::Handled | evflag::HandledAsNot | evflag::Dispatching), 0);
        EXPECT_EQ(e.target(), &h);
    }
}

TEST(DispatchTest, SecondDispatchDoesNotInheritTheFirstAnswer)
{
    Base h;
    CommandEvent e(7);
    e.setHandled();
    EXPECT_FALSE(Dispatch(e, h));
    EXPECT_EQ(h.seen, 1);
}

TEST(HandlerRegistryTest, ReferencesTurnNullWhenTheHandlerDies)
{
    auto h = std::make_unique<Base>();
    HandlerRef ref(h.get());
    const uint64_t id = h->handlerId();
    EXPECT_EQ(ref.get(), h.get());
    EXPECT_EQ(EventHandler::find(id), h.get());
    h.reset();
    EXPECT_EQ(ref.get(), nullptr);
    EXPECT_EQ(EventHandler::find(id), nullptr);
    EXPECT_NE(Base().handlerId(), id);
}

TEST(HandlerRegistryTest, BroadcastReachesLivingReceiversOnly)
{
    std::vector<int> order;
    struct Receiver : EventHandler {
        std::vector<int>& order;
        int n;
        std::unique_ptr<EventHandler>* victim = nullptr;
        Receiver(std::vector<int>& o, int k) : order(o), n(k) { setBroadcastReceiver(true); }
        void OnEvent(Event& e) override
        {
            order.push_back(n);
            if (victim)
                victim->reset();  // a receiver may destroy another one
            e.setHandled();
        }
    };
    Receiver r1(order, 1);
    auto r2 = std::make_unique<Receiver>(order, 2);
    std::unique_ptr<EventHandler> r3 = std::make_unique<Receiver>(order, 3);
    Receiver notRegistered(order, 4);
    notRegistered.setBroadcastReceiver(false);
    r2->victim = &r3;
    Event changed(ev::LanguageChanged);
    EXPECT_EQ(Broadcast(changed), 2);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(HandlerRegistryTest, IdleWorkGoesToRegisteredHandlers)
{
    struct Idler : EventHandler {
        int calls = 0;
        void OnIdle() override { ++calls; }
    };
    Idler on, off;
    on.setIdleWork(true);
    RunIdleWork();
    RunIdleWork();
    on.setIdleWork(false);
    RunIdleWork();
    EXPECT_EQ(on.calls, 2);
    EXPECT_EQ(off.calls, 0);
}

TEST(HandlerRegistryTest, ARetiredHandlerIsDeafWhileItStillLives)
{
    struct Retiring : Base {
        int idle = 0;
        Retiring()
        {
            setBroadcastReceiver(true);
            setIdleWork(true);
        }
        void OnIdle() override { ++idle; }
        void retireNow() { retire(); }
    };
    Retiring h;
    HandlerRef ref(&h);
    h.retireNow();
    // Asking to receive again after retiring changes nothing.
    h.setBroadcastReceiver(true);
    h.setIdleWork(true);
    CommandEvent e(1);
    EXPECT_FALSE(Dispatch(e, h));
    Event changed(ev::LanguageChanged);
    EXPECT_EQ(Broadcast(changed), 0);
    RunIdleWork();
    EXPECT_EQ(h.seen, 0);
    EXPECT_EQ(h.idle, 0);
    EXPECT_TRUE(h.retired());
    EXPECT_EQ(ref.get(), nullptr);
    EXPECT_EQ(EventHandler::find(h.handlerId()), nullptr);
}
