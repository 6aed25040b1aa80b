#include "framework/EventHandler.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace fw {

namespace {

// Handlers live on the user-interface thread, but a worker that makes one
// must not corrupt the table, so it is guarded.
struct Registry {
    std::mutex lock;
    uint64_t nextId = 1;
    std::unordered_map<uint64_t, EventHandler*> living;
    std::vector<uint64_t> idle;       // in registration order
    std::vector<uint64_t> broadcast;  // in registration order
};

Registry& registry()
{
    static Registry r;
    return r;
}

void setMember(std::vector<uint64_t>& list, uint64_t id, bool on)
{
    auto it = std::find(list.begin(), list.end(), id);
    if (on && it == list.end())
        list.push_back(id);
    else if (!on && it != list.end())
        list.erase(it);
}

std::vector<uint64_t> snapshot(const std::vector<uint64_t>& list)
{
    std::lock_guard guard(registry().lock);
    return list;
}

}  // namespace

EventHandler::EventHandler()
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    m_id = r.nextId++;
    r.living.emplace(m_id, this);
}

EventHandler::~EventHandler() { retire(); }

void EventHandler::retire()
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    r.living.erase(m_id);
    setMember(r.idle, m_id, false);
    setMember(r.broadcast, m_id, false);
}

void EventHandler::OnEvent(Event&) {}

void EventHandler::setIdleWork(bool on)
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    if (r.living.count(m_id))
        setMember(r.idle, m_id, on);
}

void EventHandler::setBroadcastReceiver(bool on)
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    if (r.living.count(m_id))
        setMember(r.broadcast, m_id, on);
}

EventHandler* EventHandler::find(uint64_t id)
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto it = r.living.find(id);
    return it == r.living.end() ? nullptr : it->second;
}

bool Dispatch(Event& event, EventHandler& handler)
{
    // The flags are cleared first: an event dispatched a second time must
    // not report the first handler's answer.
    if (handler.retired())
        return false;
    const bool wasDispatching = event.hasFlag(evflag::Dispatching);
    event.clearFlag(evflag::Handled | evflag::HandledAsNot);
    event.setFlag(evflag::Dispatching);
    event.setTarget(&handler);
    handler.OnEvent(event);
    const bool handled = event.handled() && !event.hasFlag(evflag::HandledAsNot);
    event.clearFlag(evflag::Handled | evflag::HandledAsNot);
    if (!wasDispatching)
        event.clearFlag(evflag::Dispatching);
    return handled;
}

int Broadcast(Event& event)
{
    // A receiver may destroy others (or itself) while handling the event:
    // each one is looked up again just before its turn.
    int handled = 0;
    for (uint64_t id : snapshot(registry().broadcast))
        if (EventHandler* h = EventHandler::find(id))
            handled += Dispatch(event, *h) ? 1 : 0;
    return handled;
}

void RunIdleWork()
{
    for (uint64_t id : snapshot(registry().idle))
        if (EventHandler* h = EventHandler::find(id))
            h->OnIdle();
}

}  // namespace fw
