#pragma once
#include "platform/Picture.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Particles that follow the pointer. The particle system lives in a layer
// above the application core, so the pointer holds it through this small
// interface; the effects layer supplies the implementation.
class TMouseParticles {
public:
  virtual ~TMouseParticles() = default;
  virtual void Manage() = 0;
  virtual void Draw() = 0;
  virtual void Clear() = 0;
};

// The game's own mouse pointer (Game->Mouse): the pointer picture drawn last
// each frame over everything, the pointer position in game pixels, the held
// buttons and the presses not yet consumed. The frame's event pump fills it;
// buttons and screens read it during the logic tick.
class TMousePointer {
public:
  // Shown and managed, or hidden (Off also empties the particles).
  void On();
  void Off();
  // Image = ImagePath + name + Ext, handle at (offsetx, offsety); a missing
  // file is fatal ("Error loading bitmap " + path). ImagePath comes from the game.
  void Load(const std::string& name);
  void LoadFromPath(const std::string& path);
  void CalcSize();

  // Event pump entry points: a press clears pending hits, holds the button and
  // counts one hit; a release lets go; movement and the wheel.
  void ButtonDown(int button);
  void ButtonUp(int button);
  void MoveTo(int newX, int newY);
  void Wheel(int amount);

  // Reads position and buttons from the platform's own input state instead.
  void Update();
  // Position from the system cursor (windowed mode: follows it between ticks).
  void UpdateCoords();
  void CalcButtonTotals();
  void ClearButtons();
  void ClearMouseHit();
  int32_t GetMb() const { return mb; }
  // Presses of any button since the last read; `clear` consumes them.
  int32_t GetMh(int32_t clear);

  // Per tick: spawns and moves the pointer particles; 0 when inactive.
  int32_t Manage();
  // Per frame, after everything else. In a window (not full screen, not
  // headless) the position is re-read first so the pointer follows the real
  // cursor between logic ticks.
  void Draw();

  int32_t Active = 1;
  std::shared_ptr<platform::Picture> Image;
  int32_t ImageFrame = 0;
  std::string Ext = ".png";
  int32_t Rotation = 0;
  std::shared_ptr<platform::Picture> Image2;
  int32_t Image2Frame = 0, Image2xoff = 0, Image2yoff = 0;
  float Image2Scale = 1.0f;
  int32_t x = 0, y = 0, z = 0;
  int32_t w = 0, h = 0;
  int32_t b1 = 0, b2 = 0, b3 = 0;
  int32_t mb = 0;
  int32_t h1 = 0, h2 = 0, h3 = 0;
  int32_t mh = 0;
  int32_t offsetx = 0, offsety = 0;
  std::function<void(TMousePointer&)> ParticleFunc;
  std::shared_ptr<TMouseParticles> ParticleList;
  float SparkleCounter = 0;
  int32_t SparkleLength = 15;
  std::function<void(int32_t, int32_t)> UserDraw;
};
