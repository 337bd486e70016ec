#pragma once
#include <array>
#include <functional>

// The program's own key tables, filled by the frame's event pump
// (TGame::DoPeekEvent) and read by every screen. Codes are the numbers of
// platform/Keys.h.

// 0: keys come from these tables; 1: the event queue is pumped into them on
// every read (used by the logo splash, which runs outside the main loop).
extern int UseSystemInput;
// Presses not yet consumed, and held state, per key code.
extern std::array<int, 256> KeyHits;
extern std::array<int, 256> KeyDowns;

// Typed characters (Latin-1 codes), a ring of 256 with put and get counters.
// Characters arriving while 256 are waiting are dropped.
class TCharQueue {
public:
  static constexpr int Capacity = 256;
  bool Put(int ch);
  int Get();   // 0 when empty
  int Count() const { return put - get; }
  void Clear() { put = get = 0; }
private:
  std::array<int, Capacity> chars{};
  int put = 0, get = 0;
};
extern TCharQueue CharQueue;

// 1 and the hit consumed when the key was pressed since the last read
// (several presses count once); a negative or out-of-range code reads 0.
int KeyHit(int code);
int KeyDown(int code);
int GetChar();
// Clears both key tables and the character queue.
void FlushKeys();
// Clears the pointer's buttons (through the hook the application installs).
void FlushMouse();
// The first key code with a pending hit, or -1.
int FirstKeyHit();

// Installed by the application object: empties the system event queue into
// the tables (used when UseSystemInput is 1), and clears the mouse buttons.
extern std::function<void()> SystemInputPump;
extern std::function<void()> MouseFlushHook;
