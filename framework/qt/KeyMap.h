#pragma once
#include <Qt>

class QKeyEvent;

namespace fw {

// Turns the toolkit's keys into the virtual-key numbers (VirtualKey.h) and
// modifier bits (Events.h, mod::) that key events carry, and keeps track of
// which keys are held, for rules such as "Enter held while clicking".
class KeyMap {
public:
    // 0 for a key that has no virtual-key number.
    static int virtualKey(const QKeyEvent& event);
    static int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);
    // mod::Ctrl, mod::Shift, mod::Alt.
    static unsigned modifiers(Qt::KeyboardModifiers modifiers);

    // Held keys as seen by the windows of the program.
    static void noteKey(int vk, bool down);
    static void releaseAll();
    static bool isDown(int vk);
};

}  // namespace fw
