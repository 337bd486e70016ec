#include "platform/Input.h"
#include "platform/Keys.h"
#include "platform/WindowState.h"

#include <SDL.h>

#include <cstring>
#include <deque>

namespace platform {

namespace {

// Translated events waiting for PollEvent; one window-system event may give
// several (a typed string, a wheel turned by more than one notch).
std::deque<Event> pending;
bool suspended = false;
// The last key press was the system's auto-repeat: the text it types is
// dropped, as the game repeats held keys with its own timing.
bool keyRepeating = false;
int mouseX = 0, mouseY = 0;

void Queue(EventType type, int key = 0, int ch = 0) {
  Event event;
  event.type = type;
  event.key = key;
  event.ch = ch;
  event.x = mouseX;
  event.y = mouseY;
  pending.push_back(event);
}

void QueueMouse(EventType type, int windowX, int windowY, int button = 0, int wheel = 0) {
  Event event;
  event.type = type;
  WindowToLogical(windowX, windowY, event.x, event.y);
  event.button = button;
  event.wheel = wheel;
  pending.push_back(event);
}

// Typed text arrives as UTF-8; the game takes 8-bit Latin-1 codes, so
// characters beyond 255 (and malformed bytes) are dropped.
void QueueText(const char* text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  size_t length = std::strlen(text);
  for (size_t i = 0; i < length;) {
    unsigned lead = bytes[i];
    int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || i + size_t(extra) >= length) { // not a lead byte, or cut short
      ++i;
      continue;
    }
    unsigned code = extra == 0 ? lead : lead & (0x3F >> extra);
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      unsigned next = bytes[i + size_t(k)];
      if ((next & 0xC0) != 0x80) valid = false;
      code = (code << 6) | (next & 0x3F);
    }
    i += valid ? size_t(extra) + 1 : 1;
    if (valid && code >= 1 && code <= 255) Queue(EventType::Char, 0, int(code));
  }
}

int ButtonNumber(Uint8 button) {
  switch (button) {
  case SDL_BUTTON_LEFT: return 1;
  case SDL_BUTTON_RIGHT: return 2;
  case SDL_BUTTON_MIDDLE: return 3;
  default: return 0;
  }
}

void Translate(const SDL_Event& e) {
  switch (e.type) {
  case SDL_QUIT: Queue(EventType::Close); break;
  case SDL_KEYDOWN:
  case SDL_KEYUP: {
    keyRepeating = e.type == SDL_KEYDOWN && e.key.repeat;
    int key = VirtualKeyFor(e.key.keysym.scancode, e.key.keysym.sym);
    if (key == 0) break;
    bool down = e.type == SDL_KEYDOWN;
    // Held keys do not repeat here, neither as presses nor as text; the game
    // makes its own key repeat.
    if (e.key.repeat) break;
    Queue(down ? EventType::KeyDown : EventType::KeyUp, key);
    // These keys type a control character, as a text field expects.
    if (down && (key == keys::Backspace || key == keys::Tab || key == keys::Enter || key == keys::Escape))
      Queue(EventType::Char, 0, key);
    break;
  }
  case SDL_TEXTINPUT:
    if (!keyRepeating) QueueText(e.text.text);
    break;
  case SDL_MOUSEMOTION: QueueMouse(EventType::MouseMove, e.motion.x, e.motion.y); break;
  case SDL_MOUSEBUTTONDOWN:
  case SDL_MOUSEBUTTONUP: {
    int button = ButtonNumber(e.button.button);
    if (button)
      QueueMouse(e.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp, e.button.x, e.button.y,
                 button);
    break;
  }
  case SDL_MOUSEWHEEL: {
    int steps = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    for (int i = 0; i < 10 && steps != 0; ++i, steps += steps > 0 ? -1 : 1)
      QueueMouse(EventType::MouseWheel, x, y, 0, steps > 0 ? 1 : -1);
    break;
  }
  case SDL_WINDOWEVENT:
    switch (e.window.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
      if (!suspended) Queue(EventType::Suspend);
      suspended = true;
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_RESTORED:
      if (suspended) Queue(EventType::Resume);
      suspended = false;
      break;
    default: break;
    }
    switch (e.window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED: WindowNeedsRedraw(); break;
    default: break;
    }
    break;
  case SDL_RENDER_TARGETS_RESET: CanvasLost(); break;
  case SDL_RENDER_DEVICE_RESET: RendererLost(); break;
  default: break;
  }
}

} // namespace

bool PollEvent(Event& event) {
  if (pending.empty() && EnsureVideo()) {
    // The window system is asked for news at most every two milliseconds: the
    // logic ticks of one frame run within a fraction of that, and asking costs
    // a round of system calls each time. Events already queued are read at once.
    static uint64_t lastPump = 0;
    const uint64_t now = SDL_GetPerformanceCounter();
    if (lastPump == 0 || now - lastPump >= SDL_GetPerformanceFrequency() / 500) {
      SDL_PumpEvents();
      lastPump = now;
    }
    SDL_Event e;
    while (pending.empty() && SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) Translate(e);
  }
  if (pending.empty()) return false;
  event = pending.front();
  pending.pop_front();
  switch (event.type) {
  case EventType::MouseMove:
  case EventType::MouseDown:
  case EventType::MouseUp:
  case EventType::MouseWheel:
    mouseX = event.x;
    mouseY = event.y;
    break;
  case EventType::Suspend: suspended = true; break;
  case EventType::Resume: suspended = false; break;
  default: break;
  }
  return true;
}

void PushEvent(const Event& event) { pending.push_back(event); }

void FlushEvents() {
  pending.clear();
  if (EnsureVideo()) {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
}

bool AppHasFocus() {
  if (suspended) return false;
  SDL_Window* window = CurrentWindow();
  if (!window) return true;
  Uint32 flags = SDL_GetWindowFlags(window);
  if (flags & SDL_WINDOW_MINIMIZED) return false;
  // Without a real display nothing ever has the input focus; only events count then.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "dummy") == 0) return true;
  return (flags & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void GetMousePosition(int& x, int& y) {
  x = mouseX;
  y = mouseY;
}

void MoveMouse(int x, int y) {
  mouseX = x;
  mouseY = y;
  SDL_Window* window = CurrentWindow();
  if (!window) return;
  int wx, wy;
  LogicalToWindow(x, y, wx, wy);
  SDL_WarpMouseInWindow(window, wx, wy);
}

void ShowSystemCursor(bool show) {
  if (EnsureVideo()) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

bool SimulateKey(const std::string& keyName, bool down, bool repeat) {
  if (!EnsureVideo()) return false;
  SDL_Scancode scancode = SDL_GetScancodeFromName(keyName.c_str());
  if (scancode == SDL_SCANCODE_UNKNOWN) return false;
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = down && repeat ? 1 : 0;
  e.key.keysym.scancode = scancode;
  e.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
  return SDL_PushEvent(&e) == 1;
}

bool SimulateText(const std::string& utf8) {
  if (!EnsureVideo()) return false;
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  std::strncpy(e.text.text, utf8.c_str(), sizeof(e.text.text) - 1);
  return SDL_PushEvent(&e) == 1;
}

bool SimulateMouseButton(int button, bool down, int windowX, int windowY) {
  static const Uint8 sdlButtons[] = {0, SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
  if (button < 1 || button > 3 || !EnsureVideo()) return false;
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = sdlButtons[button];
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = 1;
  e.button.x = windowX;
  e.button.y = windowY;
  return SDL_PushEvent(&e) == 1;
}

bool SimulateWheel(int steps) {
  if (!EnsureVideo()) return false;
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.y = steps;
  e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  return SDL_PushEvent(&e) == 1;
}

bool SimulateMouseMove(int windowX, int windowY) {
  if (!EnsureVideo()) return false;
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = windowX;
  e.motion.y = windowY;
  return SDL_PushEvent(&e) == 1;
}

void WindowPositionOf(int logicalX, int logicalY, int& windowX, int& windowY) {
  LogicalToWindow(logicalX, logicalY, windowX, windowY);
}

} // namespace platform
