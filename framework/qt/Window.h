#pragma once
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "framework/EventHandler.h"
#include "framework/EventQueue.h"
#include "framework/Events.h"
#include "framework/Menu.h"

namespace fw {

// A window of the games: a QWidget that is also an EventHandler. Toolkit
// input becomes the numbered events of the framework and goes through
// Dispatch to the window itself:
//
//   106 mouse   move, down, up, drag (once the pointer is more than 1 pixel
//               from the press point in x or y), double click = down marked
//               double; modifiers as they were at the event
//   105 key     code ((kind * 16 + modifiers) * 256 + key), kind 1 down,
//               2 up, 4 character; a press gives a down and, for a key that
//               types, a character event
//   110         activation and deactivation
//   timer, dropped files, close request
//
// A subclass overrides the On... hook it needs and returns true when it
// handled the event; or it overrides OnEvent for other numbers and passes
// the rest to Window::OnEvent. Commands, keys and menu hints that the
// window does not handle go on to its command target (the document).
// Painting is the toolkit's: override paintEvent.
class Window : public QWidget, public EventHandler {
    Q_OBJECT

public:
    explicit Window(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~Window() override;

    // Closes the window for good and deletes it once the event loop is back
    // at the top. A command may close a window from inside one of its own
    // events (a key that opens another puzzle reaches the box that the
    // opening removes), and the toolkit goes on using the window after the
    // handler returns. Until then the window is hidden, retired from the
    // event registry and deaf: nothing is dispatched to it.
    void disposeLater();
    bool disposed() const { return m_disposed; }

    void OnEvent(Event& event) override;

    // Where unhandled commands, keys and menu hints go; may be null.
    void setCommandTarget(EventHandler* target) { m_commandTarget = HandlerRef(target); }
    EventHandler* commandTarget() const { return m_commandTarget.get(); }

    // Dispatches a command now: the window, then its command target.
    bool sendCommand(uint32_t command, uint32_t argument = 0);
    // Posts a command to this window for the next idle moment.
    EventQueue::PostId postCommand(uint32_t command, uint32_t argument = 0);

    // Window timers: id is the caller's; starting a running id restarts it.
    void startWindowTimer(int id, int milliseconds);
    void stopWindowTimer(int id);

    // All pointer input goes to this window until released.
    void captureMouse();
    void releaseMouseCapture();
    bool hasMouseCapture() const;

    // Files dragged from the desktop arrive as DropFilesEvent.
    void setAcceptFiles(bool on);

    // Shows the menu at a point of the window and waits for the choice. The
    // chosen command is posted to this window (so it runs after the input
    // that opened the menu has been handled) and returned; 0 when none.
    uint32_t trackMenu(const Menu& menu, QPoint at);
    // The window's own menu (F10, the context menu on empty space).
    void setWindowMenu(Menu menu) { m_windowMenu = std::move(menu); }
    const Menu& windowMenu() const { return m_windowMenu; }
    // Told true as a menu of this window or of a window it owns opens
    // (trackMenu) and false once it has closed, even when that window went
    // meanwhile: the menu mode of a window family. The nearest owner with a
    // listener hears it.
    void setMenuModeListener(std::function<void(bool open)> listener) { m_menuMode = std::move(listener); }
    // Shows a help topic asked for by a window this one owns that has no
    // command target of its own (the help button of a message box).
    void setHelpListener(std::function<void(int topic)> listener) { m_help = std::move(listener); }
    // The help listener of the nearest window from w up its owners; none when no owner has one.
    static std::function<void(int topic)> helpListenerOf(const QWidget* w);

signals:
    // The window accepted a close request (it is hidden, not destroyed).
    void closed();

protected:
    virtual bool OnCommand(const CommandEvent&) { return false; }
    virtual bool OnKey(const KeyEvent&) { return false; }
    virtual bool OnMouse(const MouseEvent&) { return false; }
    virtual bool OnActivate(const ActivateEvent&) { return false; }
    virtual bool OnTimer(const TimerEvent&) { return false; }
    virtual bool OnDropFiles(const DropFilesEvent&) { return false; }
    virtual bool OnMenuHint(MenuHintEvent&) { return false; }
    virtual bool OnControl(const ControlEvent&) { return false; }
    // True keeps the window open (for instance to ask first, or to run an
    // exit sequence that destroys it later).
    virtual bool OnCloseRequest() { return false; }

    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // Dialog windows let Tab move between their controls.
    void setTabIsKey(bool on) { m_tabIsKey = on; }

private:
    bool dispatchToSelf(Event& event);
    void press(QMouseEvent* event, bool doubleClick);
    bool forwards(uint16_t number) const;

    HandlerRef m_commandTarget;
    std::map<int, int> m_timers;  // qt timer id -> window timer id
    Menu m_windowMenu;
    std::function<void(bool)> m_menuMode;
    std::function<void(int)> m_help;
    MouseEvent::Button m_pressButton = MouseEvent::NoButton;
    QPoint m_pressPoint;
    bool m_dragging = false;
    bool m_tabIsKey = true;
    bool m_disposed = false;
};

// Owns a window and disposes of it later instead of deleting it at once.
struct LaterDeleter {
    void operator()(Window* window) const
    {
        if (window)
            window->disposeLater();
    }
};
template <class W>
using WindowPtr = std::unique_ptr<W, LaterDeleter>;

template <class W, class... Args>
WindowPtr<W> makeWindow(Args&&... args)
{
    return WindowPtr<W>(new W(std::forward<Args>(args)...));
}

}  // namespace fw
