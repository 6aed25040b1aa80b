#pragma once
#include <cstdint>

namespace fw {

class EventHandler;

// Event numbers. The first ones are fixed by the games; the window layer's
// own events sit from 200 on, clear of them.
namespace ev {
constexpr uint16_t RepaintAll = 40;  // every window repaints its invalid parts at once
constexpr uint16_t Command = 103;    // CommandEvent
constexpr uint16_t Key = 105;        // KeyEvent
constexpr uint16_t Mouse = 106;      // MouseEvent
constexpr uint16_t Activate = 110;   // ActivateEvent
constexpr uint16_t Timer = 200;      // TimerEvent
constexpr uint16_t Close = 201;      // a window is asked to close; handled = keep it open
constexpr uint16_t DropFiles = 202;  // DropFilesEvent
constexpr uint16_t MenuHint = 203;   // MenuHintEvent
constexpr uint16_t Control = 204;    // ControlEvent: a dialog control changed
constexpr uint16_t LanguageChanged = 205;  // broadcast: windows rebuild their texts
}  // namespace ev

// Bits of Event::flags().
namespace evflag {
constexpr uint8_t Handled = 0x02;
constexpr uint8_t HandledAsNot = 0x04;  // the handler ran but wants "not handled" reported
constexpr uint8_t Dispatching = 0x08;
constexpr uint8_t QueueOwned = 0x20;    // deleted by the queue after delivery
}  // namespace evflag

// The base of every event: a number, the handler it is being delivered to
// and a flag byte. Kinds with arguments derive from it (Events.h).
class Event {
public:
    explicit Event(uint16_t number) : m_number(number) {}
    virtual ~Event() = default;
    Event(const Event&) = default;
    Event& operator=(const Event&) = default;

    uint16_t number() const { return m_number; }
    EventHandler* target() const { return m_target; }
    void setTarget(EventHandler* target) { m_target = target; }

    uint8_t flags() const { return m_flags; }
    bool hasFlag(uint8_t flag) const { return (m_flags & flag) != 0; }
    void setFlag(uint8_t flag) { m_flags |= flag; }
    void clearFlag(uint8_t flag) { m_flags &= static_cast<uint8_t>(~flag); }

    // What a handler calls once it has dealt with the event.
    void setHandled() { setFlag(evflag::Handled); }
    bool handled() const { return hasFlag(evflag::Handled); }
    // The handler acted, yet the sender should go on as if it had not
    // (so the next handler in a chain gets its turn).
    void setHandledAsNot() { setFlag(evflag::Handled | evflag::HandledAsNot); }

private:
    uint16_t m_number;
    uint8_t m_flags = 0;
    EventHandler* m_target = nullptr;
};

}  // namespace fw
