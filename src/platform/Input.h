#pragma once
#include <string>

// Window and input events, with mouse positions already mapped to the 800 x 600
// logical surface. Keys are reported with the numbers of platform/Keys.h, typed
// characters as 8-bit Latin-1 codes.
namespace platform {

enum class EventType { KeyDown, KeyUp, Char, MouseDown, MouseUp, MouseMove, MouseWheel, Suspend, Resume, Close };

struct Event {
  EventType type = EventType::MouseMove;
  int key = 0;    // KeyDown, KeyUp
  int ch = 0;     // Char: 1..255
  int button = 0; // MouseDown, MouseUp: 1 left, 2 right, 3 middle
  int x = 0, y = 0; // mouse position (logical) for every mouse event
  int wheel = 0;  // MouseWheel: +1 away from the user, -1 towards
};

// Takes the next event, pumping the window system first when the queue is empty.
bool PollEvent(Event& event);
// Queues an event as if the window system had sent it (tests, replays).
void PushEvent(const Event& event);
void FlushEvents();

bool AppHasFocus();                 // the window is in the foreground
void GetMousePosition(int& x, int& y); // logical coordinates
void MoveMouse(int x, int y);       // moves the system pointer to a logical position
void ShowSystemCursor(bool show);

// Tests: hands the window system a key press or release (a key named as in
// KeyFromKeyName) or typed text (UTF-8), to come back through PollEvent
// exactly as real input would (`repeat`: as the system's auto-repeat of a
// held key). False when the name is unknown.
bool SimulateKey(const std::string& keyName, bool down, bool repeat = false);
bool SimulateText(const std::string& utf8);
// A mouse button (1 left, 2 right, 3 middle) pressed or released at a window
// position (window pixels, before the mapping to the logical surface), and
// the wheel turned by `steps` notches (positive: away from the user).
bool SimulateMouseButton(int button, bool down, int windowX, int windowY);
bool SimulateWheel(int steps);
// The pointer moved to a window position, and the window pixel under the
// centre of a logical one (to drive the functions above with game positions).
bool SimulateMouseMove(int windowX, int windowY);
void WindowPositionOf(int logicalX, int logicalY, int& windowX, int& windowY);

} // namespace platform
