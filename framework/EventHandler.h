#pragma once
#include <cstdint>

#include "framework/Event.h"

namespace fw {

// The base of every object that receives events, windows included. Each
// living handler is entered in a registry under a serial number that is
// never reused, so a posted event or a stored reference whose handler has
// died is recognised even when a new handler took the old address.
class EventHandler {
public:
    EventHandler();
    virtual ~EventHandler();
    EventHandler(const EventHandler&) = delete;
    EventHandler& operator=(const EventHandler&) = delete;

    // Handles the event and marks it with Event::setHandled(). An override
    // passes what it does not handle to its base class's OnEvent.
    virtual void OnEvent(Event& event);
    // Idle work, called by the message loop while registered with setIdleWork.
    virtual void OnIdle() {}

    uint64_t handlerId() const { return m_id; }
    void setIdleWork(bool on);
    void setBroadcastReceiver(bool on);

    // The living handler with this serial number, or nullptr.
    static EventHandler* find(uint64_t id);
    // Whether the handler has left the registry (retired or being destroyed).
    bool retired() const { return find(m_id) != this; }

protected:
    // Leaves the registry before the object dies: from now on it gets no
    // dispatched, posted or broadcast event and no idle call, and every
    // reference to it reads null. For an object whose deletion must wait
    // until the code on the stack that uses it has returned.
    void retire();

private:
    uint64_t m_id;
};

// A reference to a handler that turns null when the handler is destroyed.
class HandlerRef {
public:
    HandlerRef() = default;
    HandlerRef(const EventHandler* handler) : m_id(handler ? handler->handlerId() : 0) {}
    EventHandler* get() const { return m_id ? EventHandler::find(m_id) : nullptr; }
    uint64_t id() const { return m_id; }
    explicit operator bool() const { return get() != nullptr; }

private:
    uint64_t m_id = 0;
};

// Delivers an event to one handler at once; true when it was handled. A
// handler that set evflag::HandledAsNot ran, but the result is "not handled".
// A retired handler is not called: the result is "not handled".
bool Dispatch(Event& event, EventHandler& handler);

// Dispatches the event to every broadcast receiver; returns how many handled it.
int Broadcast(Event& event);

// Gives every handler registered for idle work its idle call.
void RunIdleWork();

}  // namespace fw
