#pragma once
#include "support/GameDriver.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <memory>
#include <string>

class TGameImage;
class TMousePointer;

// The fixture of every test that touches the game's process-wide objects.
//
// SetUp opens the headless surface (cleared), selects the silent audio driver,
// empties the event queue and the collision layers, installs the test clock
// (`now`, starting at 0), and builds a fresh set of every process-wide object
// exactly as program entry does (Game is the product's application object,
// empty banks, game text, pack set, session objects, screens). Game's
// picture, menu and sound folders point at `folder`, a fresh temporary
// folder; the logic tick is whole and the first-seconds start-up grace is
// over. TearDown drops all of it and restores the real clock, so nothing
// carries over to the next test.
//
// Player input and time go through GameDriver (MoveMouse, PressButton,
// TapKey, Type, Ticks, Frames ...). The direct helpers below set state
// without the event queue, for unit tests of a single widget or card.
namespace test_support {

class GameWorld : public GameDriver {
public:
  // A w x h picture of one grey shade (handle centred with midHandle 1).
  static std::shared_ptr<TGameImage> SolidImage(int w, int h, int midHandle = 0, uint8_t shade = 200);

protected:
  void SetUp() override;
  void TearDown() override;

  // The game's pointer; PointAt moves it and Press records a press and
  // release of a button, as the event pump would, without a tick.
  TMousePointer& Mouse();
  void PointAt(int x, int y);
  void Press(int button = 1);

  // Files in `folder`: name.png of w x h, and a short silent name.wav.
  void WritePicture(const std::string& name, int w, int h);
  void WriteSound(const std::string& name);

  // The generated card pictures (backs, states and the 52 faces) loaded into
  // Images and the four suit banks from the build's data tree.
  void LoadCardPictures();

  TempFolder folder;
};

} // namespace test_support
