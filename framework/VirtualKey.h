#pragma once

// Key numbers of key events: the Windows virtual-key codes, kept because the
// key tables of the games are written in them. Letters and digits are their
// upper-case ASCII codes ('A', '7').
namespace fw::vk {
constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Clear = 0x0C;  // keypad 5 without Num Lock
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12;  // Alt
constexpr int Pause = 0x13;
constexpr int Capital = 0x14;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Prior = 0x21;  // Page Up
constexpr int Next = 0x22;   // Page Down
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Snapshot = 0x2C;  // Print Screen
constexpr int Insert = 0x2D;
constexpr int Delete = 0x2E;
constexpr int Help = 0x2F;
constexpr int Apps = 0x5D;  // context-menu key
constexpr int Numpad0 = 0x60;  // ... Numpad9 = 0x69
constexpr int Multiply = 0x6A;
constexpr int Add = 0x6B;
constexpr int Separator = 0x6C;
constexpr int Subtract = 0x6D;
constexpr int Decimal = 0x6E;
constexpr int Divide = 0x6F;
constexpr int F1 = 0x70;  // ... F24 = 0x87
constexpr int NumLock = 0x90;
constexpr int Scroll = 0x91;
}  // namespace fw::vk
