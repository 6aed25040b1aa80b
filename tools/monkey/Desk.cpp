#include "Desk.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <chrono>
#include <poll.h>

namespace monkey {

namespace {

// Windows vanish between a query and the next call: such errors are expected.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

Desk::~Desk()
{
    if (m_dpy)
        XCloseDisplay(m_dpy);
}

bool Desk::open()
{
    m_dpy = XOpenDisplay(nullptr);
    if (!m_dpy)
        return false;
    int ev, err, major, minor;
    if (!XTestQueryExtension(m_dpy, &ev, &err, &major, &minor))
        return false;
    XSetErrorHandler(ignoreErrors);
    m_root = DefaultRootWindow(m_dpy);
    m_width = DisplayWidth(m_dpy, DefaultScreen(m_dpy));
    m_height = DisplayHeight(m_dpy, DefaultScreen(m_dpy));
    // The answers to pings are sent to the root window.
    XSelectInput(m_dpy, m_root, StructureNotifyMask | SubstructureNotifyMask);
    XTestGrabControl(m_dpy, True);
    return true;
}

Atom Desk::atom(const char* name) { return XInternAtom(m_dpy, name, False); }

bool Desk::cardinal(Window w, Atom property, unsigned long& value)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_dpy, w, property, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) !=
            Success ||
        !data)
        return false;
    const bool ok = format == 32 && count == 1;
    if (ok)
        value = *reinterpret_cast<unsigned long*>(data);
    XFree(data);
    return ok;
}

std::vector<Atom> Desk::atoms(Window w, Atom property)
{
    std::vector<Atom> out;
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_dpy, w, property, 0, 32, False, XA_ATOM, &type, &format, &count, &after, &data) !=
            Success ||
        !data)
        return out;
    if (format == 32)
        out.assign(reinterpret_cast<Atom*>(data), reinterpret_cast<Atom*>(data) + count);
    XFree(data);
    return out;
}

std::string Desk::title(Window w)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(m_dpy, w, atom("_NET_WM_NAME"), 0, 256, False, atom("UTF8_STRING"), &type, &format,
                           &count, &after, &data) == Success &&
        data) {
        text.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        return text;
    }
    char* name = nullptr;
    if (XFetchName(m_dpy, w, &name) && name) {
        text = name;
        XFree(name);
    }
    return text;
}

void Desk::collect(Window w, pid_t pid, std::vector<Win>& out, int depth)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(m_dpy, w, &a) || a.map_state != IsViewable)
        return;
    unsigned long owner = 0;
    if (cardinal(w, atom("_NET_WM_PID"), owner)) {
        if (static_cast<pid_t>(owner) != pid)
            return;
        Win win;
        win.id = w;
        Window child;
        XTranslateCoordinates(m_dpy, w, m_root, 0, 0, &win.x, &win.y, &child);
        win.w = a.width;
        win.h = a.height;
        win.title = title(w);
        for (Atom t : atoms(w, atom("_NET_WM_WINDOW_TYPE"))) {
            if (t == atom("_NET_WM_WINDOW_TYPE_DIALOG"))
                win.dialog = true;
            if (t == atom("_NET_WM_WINDOW_TYPE_POPUP_MENU") || t == atom("_NET_WM_WINDOW_TYPE_DROPDOWN_MENU") ||
                t == atom("_NET_WM_WINDOW_TYPE_COMBO"))
                win.popup = true;
            if (t == atom("_NET_WM_WINDOW_TYPE_TOOLTIP") || t == atom("_NET_WM_WINDOW_TYPE_NOTIFICATION"))
                win.tooltip = true;
        }
        for (Atom s : atoms(w, atom("_NET_WM_STATE")))
            if (s == atom("_NET_WM_STATE_MODAL"))
                win.dialog = true;
        if (a.override_redirect && !win.tooltip)
            win.popup = true;
        if (win.popup)
            win.dialog = false;
        out.push_back(win);
        return;
    }
    // A window manager's frame: the client lies inside.
    if (depth >= 3)
        return;
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(m_dpy, w, &root, &parent, &children, &n))
        return;
    for (unsigned i = 0; i < n; ++i)
        collect(children[i], pid, out, depth + 1);
    if (children)
        XFree(children);
}

std::vector<Win> Desk::windowsOf(pid_t pid)
{
    std::vector<Win> out;
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    XSync(m_dpy, False);
    if (!XQueryTree(m_dpy, m_root, &root, &parent, &children, &n))
        return out;
    for (unsigned i = 0; i < n; ++i)
        collect(children[i], pid, out, 1);
    if (children)
        XFree(children);
    return out;
}

void Desk::sendClientMessage(Window to, Window about, Atom type, long l0, long l1, long mask)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = about;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = l0;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = static_cast<long>(about);
    XSendEvent(m_dpy, to, False, mask, &e);
    XFlush(m_dpy);
}

bool Desk::ping(Window w, int timeoutMs)
{
    const long serial = ++m_pingSerial;
    sendClientMessage(w, w, atom("WM_PROTOCOLS"), static_cast<long>(atom("_NET_WM_PING")), serial, NoEventMask);
    const Atom protocols = atom("WM_PROTOCOLS"), pingAtom = atom("_NET_WM_PING");
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (XPending(m_dpy)) {
            XEvent e;
            XNextEvent(m_dpy, &e);
            if (e.type == ClientMessage && e.xclient.message_type == protocols &&
                static_cast<Atom>(e.xclient.data.l[0]) == pingAtom && e.xclient.data.l[1] == serial)
                return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{ConnectionNumber(m_dpy), POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(std::min<long>(left.count(), 200)));
    }
}

void Desk::moveTo(int x, int y)
{
    XTestFakeMotionEvent(m_dpy, -1, x, y, CurrentTime);
    XFlush(m_dpy);
}

void Desk::button(int b, bool down)
{
    XTestFakeButtonEvent(m_dpy, static_cast<unsigned>(b), down, CurrentTime);
    XFlush(m_dpy);
}

bool Desk::hasKey(unsigned long keysym) { return XKeysymToKeycode(m_dpy, keysym) != 0; }

bool Desk::needsShift(unsigned long keysym)
{
    const KeyCode code = XKeysymToKeycode(m_dpy, keysym);
    if (!code)
        return false;
    return XkbKeycodeToKeysym(m_dpy, code, 0, 0) != keysym && XkbKeycodeToKeysym(m_dpy, code, 0, 1) == keysym;
}

void Desk::key(unsigned long keysym, bool down)
{
    const KeyCode code = XKeysymToKeycode(m_dpy, keysym);
    if (!code)
        return;
    XTestFakeKeyEvent(m_dpy, code, down, CurrentTime);
    XFlush(m_dpy);
}

void Desk::flush() { XSync(m_dpy, False); }

void Desk::activate(Window w)
{
    sendClientMessage(m_root, w, atom("_NET_ACTIVE_WINDOW"), 2, CurrentTime,
                      SubstructureRedirectMask | SubstructureNotifyMask);
}

void Desk::askToClose(Window w)
{
    sendClientMessage(w, w, atom("WM_PROTOCOLS"), static_cast<long>(atom("WM_DELETE_WINDOW")), CurrentTime,
                      NoEventMask);
}

std::vector<uint32_t> Desk::sample(int x, int y, int w, int h, int step)
{
    std::vector<uint32_t> out;
    x = std::max(0, x);
    y = std::max(0, y);
    w = std::min(w, m_width - x);
    h = std::min(h, m_height - y);
    if (w <= 0 || h <= 0)
        return out;
    XImage* image = XGetImage(m_dpy, m_root, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes,
                              ZPixmap);
    if (!image)
        return out;
    for (int j = 0; j < h; j += step)
        for (int i = 0; i < w; i += step)
            out.push_back(static_cast<uint32_t>(XGetPixel(image, i, j)) & 0xFFFFFF);
    XDestroyImage(image);
    return out;
}

}  // namespace monkey
