#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "framework/Event.h"
#include "framework/EventHandler.h"
#include "framework/TickCount.h"

namespace fw {

// Events posted for later delivery, kept in posting order. Each record has
// a target handler and a delivery time on the queue's millisecond clock
// (0: as soon as possible). The message loop calls DeliverDue when the
// program is idle; handlers may call it again from inside a delivery.
class EventQueue {
public:
    using PostId = uint64_t;  // names a posted record; never 0

    explicit EventQueue(Clock clock = TickCount);
    ~EventQueue();
    EventQueue(const EventQueue&) = delete;
    EventQueue& operator=(const EventQueue&) = delete;

    // The program's queue, the one the message loop delivers.
    static EventQueue& main();

    // Appends a record delivering the event to target at the given time.
    // The queue owns the event from here on (flag 0x20) and deletes it after
    // delivery or when the record is dropped.
    PostId Post(std::unique_ptr<Event> event, EventHandler& target, uint32_t time = 0);
    // Post for the time delay milliseconds from now.
    PostId PostAfter(std::unique_ptr<Event> event, EventHandler& target, uint32_t delay);
    // Posts a command event (103) for delivery as soon as possible.
    PostId PostCommand(EventHandler& target, uint32_t command, uint32_t argument = 0);
    // Gives a waiting record a new target (when not null) and delivery time.
    // False when the record has already been delivered or dropped.
    bool Retime(PostId record, EventHandler* target, uint32_t time);
    // Drops a waiting record undelivered; false when it is not waiting.
    bool Cancel(PostId record);

    // Delivers the due records (every record when forced), only those for
    // onlyTarget when it is given; returns how many were delivered. A pass
    // takes only records that were waiting when it began, so a handler
    // that keeps posting cannot hold the loop inside one pass.
    int DeliverDue(bool force = false, const EventHandler* onlyTarget = nullptr);

    // Milliseconds until some record is due: 0 when one is due now, nothing
    // when the queue is empty. The message loop sleeps this long at most.
    std::optional<uint32_t> TimeToNext() const;

    bool empty() const { return m_records.empty(); }
    size_t size() const { return m_records.size(); }
    uint32_t now() const { return m_clock(); }

    // What event 40 does: repaint the invalid parts of every window at once.
    void setRepaintAll(std::function<void()> repaint) { m_repaintAll = std::move(repaint); }

private:
    struct Record {
        std::unique_ptr<Event> event;
        HandlerRef target;
        uint32_t time;
    };

    bool isDue(const Record& r, uint32_t now, bool force) const;
    void deliver(Record record);

    Clock m_clock;
    PostId m_nextId = 1;
    std::map<PostId, Record> m_records;  // ids grow, so this is posting order
    std::function<void()> m_repaintAll;
};

// The program's queue through the names its callers use.
inline EventQueue::PostId Post(std::unique_ptr<Event> event, EventHandler& target, uint32_t time = 0)
{
    return EventQueue::main().Post(std::move(event), target, time);
}
inline EventQueue::PostId PostCommand(EventHandler& target, uint32_t command, uint32_t argument = 0)
{
    return EventQueue::main().PostCommand(target, command, argument);
}
inline bool Retime(EventQueue::PostId record, EventHandler* target, uint32_t time)
{
    return EventQueue::main().Retime(record, target, time);
}
inline int DeliverDue(bool force = false, const EventHandler* onlyTarget = nullptr)
{
    return EventQueue::main().DeliverDue(force, onlyTarget);
}

}  // namespace fw
