#pragma once
#include "ui/TSineCounter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TGameImage;
class TColor;

// The game's drawable object: a named picture at a position with frame
// animation, movement, scaling, rotation, alpha, colour, a drop shadow and a
// glow, all advanced per logic tick by Delta. Cards, headers and buttons
// derive from it. Sprites are shared through std::shared_ptr.
class TSprite : public std::enable_shared_from_this<TSprite> {
public:
  using AnimStoppedFunc = std::function<void(TSprite&)>;

  TSprite();
  virtual ~TSprite() = default;

  // Animation bounds; 1 when a bound was reached.
  virtual int32_t AnimBoundsCheckLower();
  virtual int32_t AnimBoundsCheckUpper();
  // Keeps the sprite's handle within the 800 x 600 surface.
  virtual void BoundsCheck();
  // Centre the handle and put the sprite in the middle of the screen (or of a row).
  virtual void Centre();
  virtual void CentreX(float y);
  // Scale and rotation back to their resting values.
  virtual void ClearRotation();
  virtual void ClearScale();
  virtual void ClearTransformations();
  // A new sprite showing `image` at (x, y); a new sprite from ImagePath + name + ".png".
  static std::shared_ptr<TSprite> Create(const std::shared_ptr<TGameImage>& image, float x, float y);
  static std::shared_ptr<TSprite> CreateFromFile(const std::string& name, float x, float y, int32_t centre,
                                                 int32_t flags);
  // Drawing: Draw = DoDraw plus the glow; the others are its steps.
  virtual void DoDraw();
  virtual void Draw();
  virtual void DrawLight(float strength, float r, float g, float b,
                         const std::shared_ptr<TGameImage>& lightImage = nullptr);
  virtual void DrawNormal();
  virtual void DrawRounded();
  virtual void DrawShadow(const std::shared_ptr<TGameImage>& shadowImage, int32_t shadowFrame, int32_t scrolled);
  virtual void DrawWithOffset();
  // Frame of the current animation counter.
  virtual int32_t GetAnimFrame();
  // Copies w, h, w2, h2 from the image.
  virtual void GetSize();
  virtual float Height();
  virtual void Init();
  virtual void Kill();
  // Per-tick updates.
  virtual int32_t ManageAnim();
  virtual void ManageGlow();
  virtual void ManageRotation();
  virtual void ManageScale();
  // Movement by velocity, by the step speeds, forward along Rotation.
  virtual void Move();
  virtual void MoveAttachedSprite();
  virtual void MoveDown();
  virtual void MoveForward();
  virtual void MoveLeft();
  virtual void MoveOriginalCoords();
  virtual void MoveRight();
  virtual void MoveUp();
  virtual int32_t OutOfBounds();
  virtual void RandomiseAnimPos();
  virtual void ScaleOriginalCoords();
  // Setters.
  virtual void SetGlow(int32_t mode, float glow, float glowSpeed, float min, float max);
  virtual void SetImage(const std::shared_ptr<TGameImage>& newImage);
  virtual void SetName(const std::string& newName);
  virtual void SetPosition(float newX, float newY);
  virtual void SetScaleXY(float sx, float sy);
  virtual void SetShadow(int32_t on, float sx, float sy, float alpha);
  virtual void SetupAnim(int32_t frames, int32_t lengthMs, int32_t counterDir, int32_t reverse,
                         int32_t randomStart, int32_t pingPong, int32_t loop);
  virtual void SetupRotation(float rotationSpeed, int32_t lengthMs, int32_t loop, int32_t randomStart);
  virtual void SetupScale(float xSpeed, float ySpeed, int32_t lengthMs);
  virtual void Stop();
  virtual void StopAnim();
  virtual void StoreCentreCoords();
  virtual void StoreOriginalCoords();
  virtual float Width();

  std::string name;
  int32_t active = 0;
  int32_t visible = 1;
  float x = 0, y = 0;
  float offx = 0, offy = 0;
  int32_t UseOffset = 0;
  float dx = 0, dy = 0;
  float xspeed = 0, yspeed = 0;
  float speed = 0;
  float ygravity = 0;
  int32_t w = 0, h = 0;
  float w2 = 0, h2 = 0;
  std::shared_ptr<TGameImage> image;
  int32_t RoundCoords = 0;
  int32_t ImageFrame = 0;
  std::shared_ptr<TColor> Color;
  int32_t Shadow = 0;
  float ShadowX = 3.0f, ShadowY = 3.0f;
  float ShadowAlpha = 0.5f;
  int32_t frame = 0;
  int32_t FramesTotal = 1;
  float AnimCounter = 0;
  int32_t AnimLength = 1000;
  int32_t AnimCounterDir = 0;
  int32_t AnimReverse = 0;
  int32_t PingPong = 0;
  float FrameLength = 0;
  int32_t Loop = 1;
  int32_t LoopCount = 0;
  float ScaleX = 1.0f, ScaleY = 1.0f, BaseScaleX = 1.0f, BaseScaleY = 1.0f;
  float ScaleXSpeed = 0.1f, ScaleYSpeed = 0.1f;
  float ScaleCounter = 0;
  int32_t ScaleLength = 1000;
  float Rotation = 0;
  float RotationSpeed = 1.0f;
  float RotationCounter = 0;
  int32_t RotationLength = 1000;
  int32_t RotationLoop = 0;
  int32_t UseAlpha = 1;
  float Alpha = 1.0f;
  int32_t GlowMode = 0;
  float Glow = 0;
  float GlowSpeed = 0;
  float GlowMin = 0, GlowMax = 1.0f;
  float GlowRange = 1.0f;
  std::shared_ptr<TSineCounter> GlowCounter;
  std::shared_ptr<TGameImage> AlternativeImage;
  std::shared_ptr<TSineCounter> MiscSineCounter;
  float cx = 0, cy = 0;
  AnimStoppedFunc AnimStoppedFunction; // empty: nothing to call
  float ox = 0, oy = 0;
  std::shared_ptr<TSprite> AttachedSprite;
  int32_t KillAttachedSprite = 1;

protected:
  // Frame of counter value c (clamped to the last frame).
  int32_t FrameOfCounter(float c) const;
  // Frame DrawNormal shows: the animation frame while the counter runs, else ImageFrame.
  int32_t DrawFrame() const;
  // Picture drawn: the alternative image when set.
  const std::shared_ptr<TGameImage>& ShownImage() const;
  // Drawing position: x, y plus the offset when UseOffset, rounded when RoundCoords.
  void DrawPosition(float& px, float& py) const;
  void CallAnimStopped();

  // Counter before the last ManageAnim step (-1: unknown), so an animation that
  // rests at its end reports AnimStoppedFunction once, not on every tick.
  float prevCounter_ = -1;
};
