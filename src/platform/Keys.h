#pragma once
#include <string>

// Key codes the game sees: the classic desktop virtual-key numbers, so the game
// code can compare against plain numbers (Escape 27, Enter 13, F12 123, ...).
namespace platform::keys {
constexpr int Backspace = 8, Tab = 9, Enter = 13, Pause = 19, CapsLock = 20, Escape = 27, Space = 32;
constexpr int PageUp = 33, PageDown = 34, End = 35, Home = 36;
constexpr int Left = 37, Up = 38, Right = 39, Down = 40;
constexpr int Insert = 45, Delete = 46;
constexpr int Digit0 = 48;  // 48..57 are '0'..'9'
constexpr int A = 65;       // 65..90 are 'A'..'Z'
constexpr int Numpad0 = 96; // 96..105
constexpr int Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111;
constexpr int F1 = 112;     // 112..123 are F1..F12
constexpr int F12 = 123;
constexpr int LeftShift = 160, RightShift = 161, LeftControl = 162, RightControl = 163;
constexpr int LeftAlt = 164, RightAlt = 165;
constexpr int Semicolon = 186, Equals = 187, Comma = 188, Minus = 189, Period = 190, Slash = 191;
constexpr int Tilde = 192, OpenBracket = 219, Backslash = 220, CloseBracket = 221, Quote = 222;
constexpr int KeyCount = 256;
} // namespace platform::keys

namespace platform {

// The key number for a keyboard key given by its physical position (`scancode`,
// USB usage numbers) and what the keyboard layout makes of it (`keycode`):
// letters follow the layout, everything else the position. 0 when unknown.
int VirtualKeyFor(int scancode, int keycode);
// The same for a key named as the window system names it ("A", "Left Shift",
// "Keypad 5", "-"); 0 when the name is unknown.
int KeyFromKeyName(const std::string& name);

} // namespace platform
