#include "app/InputTables.h"

int UseSystemInput = 0;
std::array<int, 256> KeyHits{};
std::array<int, 256> KeyDowns{};
TCharQueue CharQueue;
std::function<void()> SystemInputPump;
std::function<void()> MouseFlushHook;

bool TCharQueue::Put(int ch) {
  if (Count() >= Capacity) return false;
  chars[put % Capacity] = ch;
  ++put;
  return true;
}

int TCharQueue::Get() {
  if (put == get) return 0;
  int ch = chars[get % Capacity];
  ++get;
  // Keep the counters small; the ring position only depends on them modulo 256.
  if (get >= Capacity) {
    get -= Capacity;
    put -= Capacity;
  }
  return ch;
}

namespace {
void PumpWhenSystemInput() {
  if (UseSystemInput == 1 && SystemInputPump) SystemInputPump();
}
bool ValidCode(int code) { return code >= 0 && code < int(KeyHits.size()); }
} // namespace

int KeyHit(int code) {
  PumpWhenSystemInput();
  if (!ValidCode(code) || KeyHits[code] == 0) return 0;
  KeyHits[code] = 0;
  return 1;
}

int KeyDown(int code) {
  PumpWhenSystemInput();
  if (!ValidCode(code)) return 0;
  return KeyDowns[code];
}

int GetChar() {
  PumpWhenSystemInput();
  return CharQueue.Get();
}

void FlushKeys() {
  KeyHits.fill(0);
  KeyDowns.fill(0);
  CharQueue.Clear();
}

void FlushMouse() {
  if (MouseFlushHook) MouseFlushHook();
}

int FirstKeyHit() {
  for (int code = 0; code < int(KeyHits.size()); ++code)
    if (KeyHits[code] > 0) return code;
  return -1;
}
