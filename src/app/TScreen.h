#pragma once
#include "resources/TGameImage.h"

#include <memory>
#include <string>

// A menu a screen runs and draws. The widget layer implements it; the screen
// only needs these four calls.
class TScreenMenu {
public:
  virtual ~TScreenMenu() = default;
  virtual int Manage() = 0;        // per logic tick
  virtual int ManageNoSound() = 0; // one quiet update when the screen starts
  virtual void Draw(int x, int y) = 0;
  virtual void Kill() = 0;
};

// Base of every screen. Game.CurrentTScreen receives the main loop's Logic and
// Draw calls. A screen leaves by naming its successor in
// Game.DestinationTScreen and starting a fade out; when the fade ends the old
// screen is killed (unless StopKill) and the new one loaded and started
// (only CoreStart when StopInit). Screens are made once and reused.
class TScreen : public std::enable_shared_from_this<TScreen> {
public:
  virtual ~TScreen() = default;

  // Loading: the background from ImagePath + name (fatal when missing), and an
  // optional header picture ImagePath + name + Ext drawn at (x, y).
  virtual int ImageLoad(const std::string& name, int flags = -1);
  virtual int HeaderLoad(const std::string& name, int x, int y);

  // Entry: PreStart runs Load and Start, or only CoreStart when StopInit is 1.
  virtual int PreStart();
  virtual int ResetStops();
  virtual int Load();
  virtual int Start();
  virtual int CoreStart();
  virtual int PostFadeIn();
  virtual int Kill();

  // Per tick and per frame.
  virtual int Logic();
  virtual int Draw();
  // Names the screen Escape leads to; returns a fade length in ms (0: 500).
  virtual int SetEscDestination();
  virtual int SpecificKeys();

  std::shared_ptr<TGameImage> Image;
  std::shared_ptr<TGameImage> Header;
  int HeaderX = 0, HeaderY = 0;
  std::string Ext = ".png";
  std::shared_ptr<TScreenMenu> Menu;
  std::string name;
  int StopKill = 0;
  int StopInit = 0;
  std::shared_ptr<TScreen> Destination;
};

// Reaching this screen ends the program.
class TExitScreen : public TScreen {
public:
  TExitScreen() { name = "exit"; }
};
