#pragma once
// The monkey's view of the X desktop: the game's windows with their places
// and kinds, synthetic input through XTest, and the _NET_WM_PING round trip
// that tells whether the game's event loop still answers.
#include <X11/Xlib.h>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace monkey {

struct Win {
    Window id = 0;
    int x = 0, y = 0, w = 0, h = 0;  // root coordinates of the client area
    bool dialog = false;             // a dialog or a modal window
    bool popup = false;              // a menu or drop-down list (override-redirect)
    bool tooltip = false;
    std::string title;
    int area() const { return w * h; }
};

class Desk {
public:
    Desk() = default;
    ~Desk();
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    bool open();
    int screenWidth() const { return m_width; }
    int screenHeight() const { return m_height; }

    // Every viewable window of the process, bottom of the stack first.
    std::vector<Win> windowsOf(pid_t pid);

    // Sends a ping to the window and waits for the answer; false when none
    // came in time (or the window is gone).
    bool ping(Window w, int timeoutMs);

    void moveTo(int x, int y);
    void button(int b, bool down);
    // A key by its keysym; Shift is added for keysyms on the shifted level.
    void key(unsigned long keysym, bool down);
    // Whether the keysym needs Shift on this keymap.
    bool needsShift(unsigned long keysym);
    bool hasKey(unsigned long keysym);
    void flush();

    void activate(Window w);
    void askToClose(Window w);  // WM_DELETE_WINDOW, as the title bar's close button

    // The colours of the screen area on a grid with this step, row by row.
    std::vector<uint32_t> sample(int x, int y, int w, int h, int step);

private:
    Atom atom(const char* name);
    bool cardinal(Window w, Atom property, unsigned long& value);
    std::vector<Atom> atoms(Window w, Atom property);
    std::string title(Window w);
    void collect(Window w, pid_t pid, std::vector<Win>& out, int depth);
    void sendClientMessage(Window to, Window about, Atom type, long l0, long l1, long mask);

    Display* m_dpy = nullptr;
    Window m_root = 0;
    int m_width = 0, m_height = 0;
    long m_pingSerial = 0x4d000000;
};

}  // namespace monkey
