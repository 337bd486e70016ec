#include "platform/Keys.h"

#include <SDL.h>

#include <array>

namespace platform {

namespace {

// Physical key to key number, for everything that is not a letter.
std::array<short, SDL_NUM_SCANCODES> BuildTable() {
  std::array<short, SDL_NUM_SCANCODES> table{};
  for (int i = 0; i < 26; ++i) table[SDL_SCANCODE_A + i] = short(keys::A + i);
  for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_1 + i] = short(keys::Digit0 + 1 + i);
  table[SDL_SCANCODE_0] = keys::Digit0;
  for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F1 + i] = short(keys::F1 + i);
  for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F13 + i] = short(keys::F12 + 1 + i);
  for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_KP_1 + i] = short(keys::Numpad0 + 1 + i);
  table[SDL_SCANCODE_KP_0] = keys::Numpad0;
  const std::pair<SDL_Scancode, int> named[] = {
      {SDL_SCANCODE_RETURN, keys::Enter}, {SDL_SCANCODE_KP_ENTER, keys::Enter},
      {SDL_SCANCODE_ESCAPE, keys::Escape}, {SDL_SCANCODE_BACKSPACE, keys::Backspace},
      {SDL_SCANCODE_TAB, keys::Tab}, {SDL_SCANCODE_SPACE, keys::Space},
      {SDL_SCANCODE_MINUS, keys::Minus}, {SDL_SCANCODE_EQUALS, keys::Equals},
      {SDL_SCANCODE_LEFTBRACKET, keys::OpenBracket}, {SDL_SCANCODE_RIGHTBRACKET, keys::CloseBracket},
      {SDL_SCANCODE_BACKSLASH, keys::Backslash}, {SDL_SCANCODE_NONUSHASH, keys::Backslash},
      {SDL_SCANCODE_SEMICOLON, keys::Semicolon}, {SDL_SCANCODE_APOSTROPHE, keys::Quote},
      {SDL_SCANCODE_GRAVE, keys::Tilde}, {SDL_SCANCODE_COMMA, keys::Comma},
      {SDL_SCANCODE_PERIOD, keys::Period}, {SDL_SCANCODE_SLASH, keys::Slash},
      {SDL_SCANCODE_NONUSBACKSLASH, 226}, {SDL_SCANCODE_CAPSLOCK, keys::CapsLock},
      {SDL_SCANCODE_PRINTSCREEN, 44}, {SDL_SCANCODE_SCROLLLOCK, 145},
      {SDL_SCANCODE_PAUSE, keys::Pause}, {SDL_SCANCODE_INSERT, keys::Insert},
      {SDL_SCANCODE_HOME, keys::Home}, {SDL_SCANCODE_PAGEUP, keys::PageUp},
      {SDL_SCANCODE_DELETE, keys::Delete}, {SDL_SCANCODE_END, keys::End},
      {SDL_SCANCODE_PAGEDOWN, keys::PageDown}, {SDL_SCANCODE_RIGHT, keys::Right},
      {SDL_SCANCODE_LEFT, keys::Left}, {SDL_SCANCODE_DOWN, keys::Down},
      {SDL_SCANCODE_UP, keys::Up}, {SDL_SCANCODE_NUMLOCKCLEAR, 144},
      {SDL_SCANCODE_KP_DIVIDE, keys::Divide}, {SDL_SCANCODE_KP_MULTIPLY, keys::Multiply},
      {SDL_SCANCODE_KP_MINUS, keys::Subtract}, {SDL_SCANCODE_KP_PLUS, keys::Add},
      {SDL_SCANCODE_KP_PERIOD, keys::Decimal}, {SDL_SCANCODE_KP_DECIMAL, keys::Decimal},
      {SDL_SCANCODE_LCTRL, keys::LeftControl}, {SDL_SCANCODE_RCTRL, keys::RightControl},
      {SDL_SCANCODE_LSHIFT, keys::LeftShift}, {SDL_SCANCODE_RSHIFT, keys::RightShift},
      {SDL_SCANCODE_LALT, keys::LeftAlt}, {SDL_SCANCODE_RALT, keys::RightAlt},
      {SDL_SCANCODE_LGUI, 91}, {SDL_SCANCODE_RGUI, 92}, {SDL_SCANCODE_APPLICATION, 93},
  };
  for (const auto& [scancode, key] : named) table[scancode] = short(key);
  return table;
}

} // namespace

int VirtualKeyFor(int scancode, int keycode) {
  static const std::array<short, SDL_NUM_SCANCODES> table = BuildTable();
  if (keycode >= 'a' && keycode <= 'z') return keys::A + (keycode - 'a');
  if (scancode <= 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return table[size_t(scancode)];
}

int KeyFromKeyName(const std::string& name) {
  SDL_Scancode scancode = SDL_GetScancodeFromName(name.c_str());
  if (scancode == SDL_SCANCODE_UNKNOWN) return 0;
  return VirtualKeyFor(scancode, SDL_GetKeyFromScancode(scancode));
}

} // namespace platform
