#include "framework/qt/Window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTimerEvent>
#include <QUrl>
#include <cstdlib>
#include <memory>

#include "framework/VirtualKey.h"
#include "framework/qt/KeyMap.h"
#include "framework/qt/MenuBuilder.h"
#include "framework/qt/Text.h"

namespace fw {

namespace {

MouseEvent::Button buttonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return MouseEvent::Left;
    case Qt::RightButton: return MouseEvent::Right;
    case Qt::MiddleButton: return MouseEvent::Middle;
    default: return MouseEvent::NoButton;
    }
}

unsigned buttonsOf(Qt::MouseButtons b)
{
    unsigned bits = 0;
    if (b & Qt::LeftButton)
        bits |= MouseEvent::Left;
    if (b & Qt::RightButton)
        bits |= MouseEvent::Right;
    if (b & Qt::MiddleButton)
        bits |= MouseEvent::Middle;
    return bits;
}

std::vector<std::filesystem::path> localFiles(const QMimeData* mime)
{
    std::vector<std::filesystem::path> files;
    if (!mime)
        return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            files.emplace_back(url.toLocalFile().toStdU16String());
    return files;
}

// The modifier a modifier key adds while it is down, so that pressing Shift
// reads as Shift held and releasing it as not, on every platform.
unsigned withOwnModifier(unsigned mods, int vk, bool down)
{
    unsigned own = vk == vk::Shift ? mod::Shift : vk == vk::Control ? mod::Ctrl : vk == vk::Menu ? mod::Alt : 0;
    return down ? (mods | own) : (mods & ~own);
}

}  // namespace

Window::Window(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    // Moves are reported without a button held, as the games expect.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

// Whatever the toolkit still sends while the window's parts are torn down
// must not reach handlers whose members are gone.
Window::~Window() { retire(); }

void Window::disposeLater()
{
    if (m_disposed)
        return;
    m_disposed = true;
    retire();
    releaseMouseCapture();
    for (const auto& [qtId, id] : m_timers)
        killTimer(qtId);
    m_timers.clear();
    hide();
    deleteLater();
}

void Window::OnEvent(Event& e)
{
    bool handled = false;
    switch (e.number()) {
    case ev::Command: handled = OnCommand(static_cast<CommandEvent&>(e)); break;
    case ev::Key: handled = OnKey(static_cast<KeyEvent&>(e)); break;
    case ev::Mouse: handled = OnMouse(static_cast<MouseEvent&>(e)); break;
    case ev::Activate: handled = OnActivate(static_cast<ActivateEvent&>(e)); break;
    case ev::Timer: handled = OnTimer(static_cast<TimerEvent&>(e)); break;
    case ev::DropFiles: handled = OnDropFiles(static_cast<DropFilesEvent&>(e)); break;
    case ev::MenuHint: handled = OnMenuHint(static_cast<MenuHintEvent&>(e)); break;
    case ev::Control: handled = OnControl(static_cast<ControlEvent&>(e)); break;
    case ev::Close: handled = OnCloseRequest(); break;
    default: break;
    }
    if (handled) {
        e.setHandled();
        return;
    }
    EventHandler* target = commandTarget();
    if (!forwards(e.number()) || !target || target == this)
        return;
    const bool byTarget = Dispatch(e, *target);
    e.setTarget(this);
    if (byTarget)
        e.setHandled();
}

bool Window::forwards(uint16_t number) const
{
    return number == ev::Command || number == ev::Key || number == ev::MenuHint;
}

bool Window::dispatchToSelf(Event& e) { return !m_disposed && Dispatch(e, *this); }

bool Window::sendCommand(uint32_t command, uint32_t argument)
{
    CommandEvent e(command, argument);
    return dispatchToSelf(e);
}

EventQueue::PostId Window::postCommand(uint32_t command, uint32_t argument)
{
    return EventQueue::main().PostCommand(*this, command, argument);
}

void Window::startWindowTimer(int id, int milliseconds)
{
    stopWindowTimer(id);
    const int qtId = startTimer(milliseconds, Qt::PreciseTimer);
    if (qtId)
        m_timers[qtId] = id;
}

void Window::stopWindowTimer(int id)
{
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->second == id) {
            killTimer(it->first);
            m_timers.erase(it);
            return;
        }
    }
}

void Window::timerEvent(QTimerEvent* event)
{
    auto it = m_timers.find(event->timerId());
    if (it == m_timers.end()) {
        QWidget::timerEvent(event);
        return;
    }
    TimerEvent e(it->second);
    dispatchToSelf(e);
}

void Window::captureMouse() { grabMouse(); }

void Window::releaseMouseCapture()
{
    if (hasMouseCapture())
        releaseMouse();
}

bool Window::hasMouseCapture() const { return QWidget::mouseGrabber() == this; }

void Window::setAcceptFiles(bool on) { setAcceptDrops(on); }

std::function<void(int)> Window::helpListenerOf(const QWidget* w)
{
    for (; w; w = w->parentWidget())
        if (auto* own = qobject_cast<const Window*>(w); own && own->m_help)
            return own->m_help;
    return {};
}

uint32_t Window::trackMenu(const Menu& menu, QPoint at)
{
    std::unique_ptr<QMenu> qmenu(MenuBuilder::build(menu, this, nullptr));
    const QPointer<Window> alive(this);
    // The listener is copied: the window that holds it may go while the menu is open.
    std::function<void(bool)> menuMode;
    for (QWidget* w = this; w && !menuMode; w = w->parentWidget())
        if (auto* own = qobject_cast<Window*>(w))
            menuMode = own->m_menuMode;
    if (menuMode)
        menuMode(true);
    const auto choice = MenuBuilder::choiceOf(qmenu->exec(mapToGlobal(at)));
    if (menuMode)
        menuMode(false);
    if (!alive || !choice)
        return 0;
    EventQueue::main().Post(std::make_unique<CommandEvent>(choice->command, choice->argument), *this);
    return choice->command;
}

bool Window::event(QEvent* event)
{
    // Input still queued for a window that is closed for good goes nowhere,
    // not on to the window behind it.
    if (m_disposed && event->isInputEvent()) {
        event->accept();
        return true;
    }
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        const bool active = event->type() == QEvent::WindowActivate;
        if (!active)
            KeyMap::releaseAll();  // the releases will go to another program
        ActivateEvent e(active);
        dispatchToSelf(e);
        break;
    }
    case QEvent::KeyPress:
        // Tab would move the focus before keyPressEvent sees it.
        if (m_tabIsKey) {
            auto* k = static_cast<QKeyEvent*>(event);
            if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
                keyPressEvent(k);
                return true;
            }
        }
        break;
    default: break;
    }
    return QWidget::event(event);
}

void Window::press(QMouseEvent* event, bool doubleClick)
{
    const MouseEvent::Button button = buttonOf(event->button());
    const QPoint p = event->position().toPoint();
    // The first button pressed owns the drag; another press during it
    // does not move the press point.
    if (m_pressButton == MouseEvent::NoButton) {
        m_pressButton = button;
        m_pressPoint = p;
        m_dragging = false;
    }
    MouseEvent e(MouseEvent::Down, button, p.x(), p.y(), KeyMap::modifiers(event->modifiers()),
                 buttonsOf(event->buttons()), doubleClick);
    dispatchToSelf(e);
}

void Window::mousePressEvent(QMouseEvent* event) { press(event, false); }

void Window::mouseDoubleClickEvent(QMouseEvent* event) { press(event, true); }

void Window::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const unsigned buttons = buttonsOf(event->buttons());
    if (m_pressButton != MouseEvent::NoButton && !(buttons & m_pressButton)) {
        // The release happened outside our sight (another window had the pointer).
        m_pressButton = MouseEvent::NoButton;
        m_dragging = false;
    }
    if (m_pressButton != MouseEvent::NoButton && !m_dragging)
        m_dragging = std::abs(p.x() - m_pressPoint.x()) > 1 || std::abs(p.y() - m_pressPoint.y()) > 1;
    const bool drag = m_dragging;
    MouseEvent e(drag ? MouseEvent::Drag : MouseEvent::Move, drag ? m_pressButton : MouseEvent::NoButton, p.x(), p.y(),
                 KeyMap::modifiers(event->modifiers()), buttons);
    dispatchToSelf(e);
}

void Window::mouseReleaseEvent(QMouseEvent* event)
{
    const MouseEvent::Button button = buttonOf(event->button());
    const QPoint p = event->position().toPoint();
    if (button == m_pressButton) {
        m_pressButton = MouseEvent::NoButton;
        m_dragging = false;
    }
    MouseEvent e(MouseEvent::Up, button, p.x(), p.y(), KeyMap::modifiers(event->modifiers()),
                 buttonsOf(event->buttons()));
    dispatchToSelf(e);
}

void Window::keyPressEvent(QKeyEvent* event)
{
    const int vk = KeyMap::virtualKey(*event);
    KeyMap::noteKey(vk, true);
    unsigned mods = withOwnModifier(KeyMap::modifiers(event->modifiers()), vk, true);
    if (event->isAutoRepeat())
        mods |= mod::Repeat;
    bool handled = false;
    // A key may close this very window (a deleted one, if someone deletes
    // it at once): its characters then go nowhere.
    const QPointer<Window> alive(this);
    if (vk) {
        KeyEvent down(KeyEvent::Down, mods, static_cast<unsigned>(vk));
        handled = dispatchToSelf(down);
        if (!alive)
            return;
    }
    // Characters follow their key; Alt combinations type nothing.
    if (!(mods & mod::Alt)) {
        for (char c : fromQString(event->text())) {
            if (!alive || m_disposed)
                return;
            KeyEvent ch(KeyEvent::Char, mods, static_cast<unsigned char>(c));
            handled = dispatchToSelf(ch) || handled;
        }
        if (!alive)
            return;
    }
    if (!handled)
        event->ignore();  // lets a dialog see Enter and Esc its controls left alone
}

void Window::keyReleaseEvent(QKeyEvent* event)
{
    // Held keys repeat as presses only.
    if (event->isAutoRepeat())
        return;
    const int vk = KeyMap::virtualKey(*event);
    KeyMap::noteKey(vk, false);
    if (!vk) {
        event->ignore();
        return;
    }
    KeyEvent up(KeyEvent::Up, withOwnModifier(KeyMap::modifiers(event->modifiers()), vk, false),
                static_cast<unsigned>(vk));
    if (!dispatchToSelf(up))
        event->ignore();
}

void Window::closeEvent(QCloseEvent* event)
{
    Event request(ev::Close);
    const QPointer<Window> alive(this);
    if (dispatchToSelf(request)) {
        event->ignore();
        return;
    }
    event->accept();
    if (alive)
        emit closed();
}

void Window::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void Window::dropEvent(QDropEvent* event)
{
    auto files = localFiles(event->mimeData());
    if (files.empty())
        return;
    const QPoint p = event->position().toPoint();
    DropFilesEvent e(std::move(files), p.x(), p.y());
    dispatchToSelf(e);
    event->acceptProposedAction();
}

}  // namespace fw
