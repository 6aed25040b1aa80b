#pragma once

namespace fw {

class Window;

// The program's message loop on the toolkit's event loop. Whenever the loop
// is about to wait for input, the due posted events of EventQueue::main()
// are delivered and the idle work runs (RunIdleWork); a single-shot timer
// wakes the loop when the next posted event falls due. Modal dialogs and
// menus run loops of their own, during which posted events wait.
class MessageLoop {
public:
    // Runs until the window is destroyed or accepts a close; returns the
    // exit code given to QCoreApplication::exit, or 0. continuousIdle: the
    // idle work repeats without waiting for input (for animations that must
    // follow the pointer smoothly).
    static int Run(Window& window, bool continuousIdle = false);
};

// The loop under its usual name.
inline int Run(Window& window, bool continuousIdle = false) { return MessageLoop::Run(window, continuousIdle); }

}  // namespace fw
