#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/Event.h"

// The event kinds with arguments. They are plain records, grouped in one
// header because every window and the document need all of them.
namespace fw {

// 103: a numbered command with a 32-bit argument.
class CommandEvent : public Event {
public:
    explicit CommandEvent(uint32_t command, uint32_t argument = 0)
        : Event(ev::Command), m_command(command), m_argument(argument) {}
    uint32_t command() const { return m_command; }
    uint32_t argument() const { return m_argument; }

private:
    uint32_t m_command;
    uint32_t m_argument;
};

// Modifier bits of keys and mouse events.
namespace mod {
constexpr unsigned Ctrl = 1;
constexpr unsigned Shift = 2;
constexpr unsigned Alt = 4;
constexpr unsigned Repeat = 8;  // keys only: auto-repeat
}  // namespace mod

// 105: code = ((kind * 16 + modifiers) * 256 + key); key is a virtual-key
// number (VirtualKey.h) for kinds Down and Up, a Windows-1252 byte for Char.
class KeyEvent : public Event {
public:
    enum Kind : unsigned { Down = 1, Up = 2, Char = 4 };

    static constexpr uint32_t makeCode(unsigned kind, unsigned modifiers, unsigned key)
    {
        return ((kind * 16 + modifiers) * 256) + (key & 0xFF);
    }

    explicit KeyEvent(uint32_t code) : Event(ev::Key), m_code(code) {}
    KeyEvent(unsigned kind, unsigned modifiers, unsigned key) : KeyEvent(makeCode(kind, modifiers, key)) {}

    uint32_t code() const { return m_code; }
    unsigned kind() const { return (m_code >> 12) & 0xF; }
    unsigned modifiers() const { return (m_code >> 8) & 0xF; }
    unsigned key() const { return m_code & 0xFF; }

private:
    uint32_t m_code;
};

// 106: pointer input in the window's own pixels.
class MouseEvent : public Event {
public:
    enum Action : uint8_t { Move, Down, Up, Drag };
    enum Button : uint8_t { NoButton = 0, Left = 1, Right = 2, Middle = 4 };

    MouseEvent(Action action, Button button, int x, int y, unsigned modifiers,
               unsigned buttons = 0, bool doubleClick = false)
        : Event(ev::Mouse), m_action(action), m_button(button), m_doubleClick(doubleClick),
          m_x(x), m_y(y), m_modifiers(modifiers), m_buttons(buttons) {}

    Action action() const { return m_action; }
    // Down and Up: the button pressed or released; Drag: the button that started the drag.
    Button button() const { return m_button; }
    // A double click arrives as Down with this set.
    bool doubleClick() const { return m_doubleClick; }
    int x() const { return m_x; }
    int y() const { return m_y; }
    // mod::Ctrl, mod::Shift, mod::Alt as they were at the event.
    unsigned modifiers() const { return m_modifiers; }
    // Buttons held during the event (Button bits).
    unsigned buttons() const { return m_buttons; }

private:
    Action m_action;
    Button m_button;
    bool m_doubleClick;
    int m_x;
    int m_y;
    unsigned m_modifiers;
    unsigned m_buttons;
};

// 110: the window became active or lost activation.
class ActivateEvent : public Event {
public:
    explicit ActivateEvent(bool active) : Event(ev::Activate), m_active(active) {}
    bool active() const { return m_active; }

private:
    bool m_active;
};

// A window timer fired.
class TimerEvent : public Event {
public:
    explicit TimerEvent(int id) : Event(ev::Timer), m_id(id) {}
    int id() const { return m_id; }

private:
    int m_id;
};

// Files dropped on a window from the desktop.
class DropFilesEvent : public Event {
public:
    DropFilesEvent(std::vector<std::filesystem::path> files, int x, int y)
        : Event(ev::DropFiles), m_files(std::move(files)), m_x(x), m_y(y) {}
    const std::vector<std::filesystem::path>& files() const { return m_files; }
    int x() const { return m_x; }
    int y() const { return m_y; }

private:
    std::vector<std::filesystem::path> m_files;
    int m_x;
    int m_y;
};

// Asked of a menu's command target for each entry as the menu opens: the
// handler fills in the hint (shown beside the entry, "Ctrl+O"), an icon
// number, and may disable or check the entry.
class MenuHintEvent : public Event {
public:
    explicit MenuHintEvent(uint32_t command, uint32_t argument = 0)
        : Event(ev::MenuHint), m_command(command), m_argument(argument) {}
    uint32_t command() const { return m_command; }
    uint32_t argument() const { return m_argument; }  // the entry's, as its command will get it

    std::string hint;  // Windows-1252
    int icon = 0;      // 0: none; otherwise a number the menu's icon source knows
    bool enabled = true;
    bool checked = false;

private:
    uint32_t m_command;
    uint32_t m_argument;
};

// A control of a dialog window changed (text edited, box checked).
class ControlEvent : public Event {
public:
    enum Change : uint8_t { Edited, Toggled, Selected };
    ControlEvent(int id, Change change) : Event(ev::Control), m_id(id), m_change(change) {}
    int id() const { return m_id; }
    Change change() const { return m_change; }

private:
    int m_id;
    Change m_change;
};

}  // namespace fw
