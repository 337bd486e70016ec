#pragma once
#include "support/HeadlessGraphics.h"

#include <string>

// Plays the game as a player would, for tests: every input is handed to the
// window system as an event and reaches the game exactly as real input does,
// through the platform's event translation, the frame's event pump
// (TGame::DoPeekEvent), the key tables and the pointer, at the next logic tick.
// Time passes only through the main loop's own paths. It runs on the headless
// surface and needs the game's process-wide objects: use it through
// GameWorld, which builds them.
//
//   MoveMouse(400, 300); PressButton(); Ticks(1);   // the tick sees the press
//   ReleaseButton(); Ticks(1);
//   TapKey("Escape"); Frames(30);                   // half a second at 60 Hz
namespace test_support {

class GameDriver : public HeadlessGraphics {
public:
  // The pointer at a game (800 x 600) position; buttons 1 left, 2 right,
  // 3 middle are pressed and released where the pointer was last moved to.
  void MoveMouse(int x, int y);
  void PressButton(int button = 1);
  void ReleaseButton(int button = 1);
  // The wheel turned by `notches` (positive: away from the player).
  void TurnWheel(int notches);

  // Keys by the window system's names: "Escape", "Return", "Space",
  // "Left Shift", "A", "F12", "Left" ...
  void HoldKey(const std::string& keyName);
  void ReleaseKey(const std::string& keyName);
  void TapKey(const std::string& keyName); // held and released before the next tick
  // Typed characters (UTF-8; the game receives Latin-1 codes).
  void Type(const std::string& text);

  // `count` whole logic ticks, each as the main loop runs it (pump, keys,
  // fade, screen change, the screen's Logic). Returns -1 as soon as a tick
  // ends the program, else the last tick's result.
  int Ticks(int count = 1);
  // One frame drawn as the main loop draws it (the screen, pointer, fade, flip).
  void DrawFrame();
  // `count` frames of the program's main loop: the test clock advances by
  // `frameMs`, the logic ticks that time asks for run, the frame is drawn and
  // the music rotation checked. Returns -1 as soon as the program is to end.
  int Frames(int count, double frameMs = 1000.0 / 60.0);

  // The clock every part of the game reads (AppMillisecs), in ms; it moves
  // only when a test moves it (or through Frames). Installed by GameWorld.
  double now = 0;
  void UseTestClock();
  void UseRealClock();

private:
  int pointerX = 0, pointerY = 0;
};

} // namespace test_support
