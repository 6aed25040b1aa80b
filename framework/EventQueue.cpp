#include "framework/EventQueue.h"

#include <algorithm>
#include <cstdint>

#include "framework/Events.h"

namespace fw {

EventQueue::EventQueue(Clock clock) : m_clock(std::move(clock)) {}

EventQueue::~EventQueue() = default;

EventQueue& EventQueue::main()
{
    static EventQueue queue;
    return queue;
}

EventQueue::PostId EventQueue::Post(std::unique_ptr<Event> event, EventHandler& target, uint32_t time)
{
    if (!event)
        return 0;
    event->setFlag(evflag::QueueOwned);
    const PostId id = m_nextId++;
    m_records.emplace(id, Record{std::move(event), HandlerRef(&target), time});
    return id;
}

EventQueue::PostId EventQueue::PostAfter(std::unique_ptr<Event> event, EventHandler& target, uint32_t delay)
{
    uint32_t time = m_clock() + delay;
    // 0 would mean "at once"; the tick before it is as good a time.
    if (time == 0)
        time = 1;
    return Post(std::move(event), target, time);
}

EventQueue::PostId EventQueue::PostCommand(EventHandler& target, uint32_t command, uint32_t argument)
{
    return Post(std::make_unique<CommandEvent>(command, argument), target, 0);
}

bool EventQueue::Retime(PostId record, EventHandler* target, uint32_t time)
{
    auto it = m_records.find(record);
    if (it == m_records.end())
        return false;
    if (target)
        it->second.target = HandlerRef(target);
    it->second.time = time;
    return true;
}

bool EventQueue::Cancel(PostId record)
{
    return m_records.erase(record) > 0;
}

bool EventQueue::isDue(const Record& r, uint32_t now, bool force) const
{
    return force || r.time == 0 || tickBefore(r.time, now);
}

int EventQueue::DeliverDue(bool force, const EventHandler* onlyTarget)
{
    const PostId limit = m_nextId;
    const uint64_t onlyId = onlyTarget ? onlyTarget->handlerId() : 0;
    int delivered = 0;
    PostId last = 0;
    for (;;) {
        // Look the next record up afresh each time: a handler may have
        // delivered, cancelled or posted records in the meantime.
        auto it = m_records.upper_bound(last);
        const uint32_t now = m_clock();
        while (it != m_records.end() && it->first < limit
               && ((onlyId && it->second.target.id() != onlyId) || !isDue(it->second, now, force)))
            ++it;
        if (it == m_records.end() || it->first >= limit)
            break;
        last = it->first;
        Record record = std::move(it->second);
        m_records.erase(it);
        if (!record.target.get())
            continue;  // its handler is gone: dropped undelivered
        if (record.event->number() == ev::RepaintAll) {
            // Repainting is the whole pass: what else is due waits for the next one.
            if (m_repaintAll)
                m_repaintAll();
            return delivered + 1;
        }
        deliver(std::move(record));
        ++delivered;
    }
    return delivered;
}

void EventQueue::deliver(Record record)
{
    // The record is already out of the queue: whatever the handler does with
    // the queue cannot touch it, and the event dies with it here.
    EventHandler* target = record.target.get();
    Dispatch(*record.event, *target);
}

std::optional<uint32_t> EventQueue::TimeToNext() const
{
    if (m_records.empty())
        return std::nullopt;
    const uint32_t now = m_clock();
    uint32_t best = UINT32_MAX;
    for (const auto& [id, r] : m_records) {
        if (isDue(r, now, false))
            return 0;
        // Due once the clock has passed the time, one tick after it.
        best = std::min(best, r.time - now + 1);
    }
    return best;
}

}  // namespace fw
