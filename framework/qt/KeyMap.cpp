#include "framework/qt/KeyMap.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <set>

#include "framework/Events.h"
#include "framework/VirtualKey.h"

namespace fw {

namespace {

std::set<int>& held()
{
    static std::set<int> keys;
    return keys;
}

struct Pair {
    int qt;
    int vk;
};

// Keys named the same on every keyboard.
constexpr Pair kFixed[] = {
    {Qt::Key_Escape, vk::Escape},     {Qt::Key_Tab, vk::Tab},         {Qt::Key_Backtab, vk::Tab},
    {Qt::Key_Backspace, vk::Back},    {Qt::Key_Return, vk::Return},   {Qt::Key_Enter, vk::Return},
    {Qt::Key_Insert, vk::Insert},     {Qt::Key_Delete, vk::Delete},   {Qt::Key_Pause, vk::Pause},
    {Qt::Key_Print, vk::Snapshot},    {Qt::Key_SysReq, vk::Snapshot}, {Qt::Key_Clear, vk::Clear},
    {Qt::Key_Home, vk::Home},         {Qt::Key_End, vk::End},         {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},             {Qt::Key_Right, vk::Right},     {Qt::Key_Down, vk::Down},
    {Qt::Key_PageUp, vk::Prior},      {Qt::Key_PageDown, vk::Next},   {Qt::Key_Shift, vk::Shift},
    {Qt::Key_Control, vk::Control},   {Qt::Key_Alt, vk::Menu},        {Qt::Key_AltGr, vk::Menu},
    {Qt::Key_CapsLock, vk::Capital},  {Qt::Key_NumLock, vk::NumLock}, {Qt::Key_ScrollLock, vk::Scroll},
    {Qt::Key_Menu, vk::Apps},         {Qt::Key_Help, vk::Help},       {Qt::Key_Space, vk::Space},
    {Qt::Key_Meta, 0x5B},
};

// The keypad's own keys when Num Lock gives digits and signs.
constexpr Pair kKeypad[] = {
    {Qt::Key_Asterisk, vk::Multiply}, {Qt::Key_Plus, vk::Add},      {Qt::Key_Minus, vk::Subtract},
    {Qt::Key_Period, vk::Decimal},    {Qt::Key_Comma, vk::Separator}, {Qt::Key_Slash, vk::Divide},
};

// The punctuation keys of the main block, by either of their characters
// (the toolkit reports the shifted one when Shift is held).
constexpr Pair kPunctuation[] = {
    {Qt::Key_Equal, 0xBB},        {Qt::Key_Plus, 0xBB},         {Qt::Key_Minus, 0xBD},
    {Qt::Key_Underscore, 0xBD},   {Qt::Key_Comma, 0xBC},        {Qt::Key_Less, 0xBC},
    {Qt::Key_Period, 0xBE},       {Qt::Key_Greater, 0xBE},      {Qt::Key_Semicolon, 0xBA},
    {Qt::Key_Colon, 0xBA},        {Qt::Key_Slash, 0xBF},        {Qt::Key_Question, 0xBF},
    {Qt::Key_QuoteLeft, 0xC0},    {Qt::Key_AsciiTilde, 0xC0},   {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_BraceLeft, 0xDB},    {Qt::Key_Backslash, 0xDC},    {Qt::Key_Bar, 0xDC},
    {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD},   {Qt::Key_Apostrophe, 0xDE},
    {Qt::Key_QuoteDbl, 0xDE},
};

// Shift with a digit reports the symbol above it; the key is still the digit.
constexpr Pair kShiftedDigits[] = {
    {Qt::Key_Exclam, '1'},     {Qt::Key_At, '2'},         {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},    {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},  {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},  {Qt::Key_ParenRight, '0'},
};

template <size_t N>
int find(const Pair (&table)[N], int qtKey)
{
    for (const Pair& p : table)
        if (p.qt == qtKey)
            return p.vk;
    return 0;
}

}  // namespace

int KeyMap::virtualKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? vk::Numpad0 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return vk::F1 + (qtKey - Qt::Key_F1);
    if (const int v = find(kFixed, qtKey))
        return v;
    if (keypad)
        if (const int v = find(kKeypad, qtKey))
            return v;
    if (const int v = find(kPunctuation, qtKey))
        return v;
    return find(kShiftedDigits, qtKey);
}

int KeyMap::virtualKey(const QKeyEvent& event)
{
    return virtualKey(event.key(), event.modifiers());
}

unsigned KeyMap::modifiers(Qt::KeyboardModifiers m)
{
    unsigned bits = 0;
    if (m.testFlag(Qt::ControlModifier))
        bits |= mod::Ctrl;
    if (m.testFlag(Qt::ShiftModifier))
        bits |= mod::Shift;
    if (m.testFlag(Qt::AltModifier))
        bits |= mod::Alt;
    return bits;
}

void KeyMap::noteKey(int vk, bool down)
{
    if (vk == 0)
        return;
    if (down)
        held().insert(vk);
    else
        held().erase(vk);
}

void KeyMap::releaseAll() { held().clear(); }

bool KeyMap::isDown(int key)
{
    if (held().count(key) > 0)
        return true;
    // The modifier keys are also asked of the system: they may have been
    // pressed while another program had the keyboard.
    const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    return (key == vk::Shift && m.testFlag(Qt::ShiftModifier)) || (key == vk::Control && m.testFlag(Qt::ControlModifier))
           || (key == vk::Menu && m.testFlag(Qt::AltModifier));
}

}  // namespace fw
