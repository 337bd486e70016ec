#pragma once
#include "app/TGameSound.h"
#include "ui/TSprite.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TColor;
class TLabel;
class TShadow;
class TMouseRepeat;
namespace platform { class ImageFont; }

// A clickable sprite: normal, mouse-over, pressed and disabled pictures,
// mouse-over and click sounds, an optional text caption, growth under the
// pointer, Enter/Space as a shortcut and optional auto-repeat while held.
// The handle sits at the top-left corner. Run Manage once per logic tick and
// read Clicked afterwards; Draw once per frame.
class TButton : public TSprite {
public:
  TButton() = default;

  // Overrides: x centred on the 800-pixel screen; state-aware drawing.
  void CentreX(float newY) override;
  void Draw() override;
  void Init() override;
  void Kill() override;

  // Clicks: Click refuses (0) while the pressed picture shows unless ClickWhenDown.
  virtual void ClearClick();
  virtual int32_t Click(int32_t second);
  virtual int32_t SimulateClick();
  // A new button with its two pictures and two sounds (names; empty for none).
  static std::shared_ptr<TButton> CreateSpecial(const std::string& imageName, const std::string& imageMouseOver,
                                                const std::string& soundMouseOver, const std::string& soundClick);
  virtual void DrawCaption(float px, float py, float growth, const std::shared_ptr<TColor>& color);
  virtual void FixedGlowOnMOActivate();
  // Folder of the pictures: the menu folder with UseMenuPath, else the image folder.
  virtual std::string GetPath();
  // Loading: pictures from GetPath() (".png" when the name has none), sounds
  // from the sound folder + name + ".wav". frames > 1 cuts the picture into
  // that many side-by-side frames animated over lengthMs.
  virtual void Load(const std::string& imageName, const std::string& imageMouseOver,
                    const std::string& soundMouseOver, const std::string& soundClick, int32_t frames,
                    int32_t lengthMs, int32_t flags);
  virtual void LoadDisabled(const std::string& imageName);
  virtual void LoadImages(const std::string& imageName, const std::string& imageMouseOver, int32_t frames,
                          int32_t lengthMs, int32_t flags);
  virtual void LoadMouseClick(const std::string& imageName, int32_t durationMs);
  // Per tick: hover, sounds, clicks, growth, keys. ManageNoSound is silent.
  virtual int32_t Manage();
  virtual int32_t ManageNoSound();
  virtual void ManageScaleOnMO();
  // Moves the button and its caption.
  virtual void MoveBy(float byX, float byY);
  virtual void MoveTo(float toX, float toY);
  // Sounds, through the game's channel pool or the button's own channels.
  virtual void PlayClick();
  virtual void PlayClick2();
  virtual void PlayMouseOver();
  virtual void Precache();
  // Glow and growth set-ups.
  virtual void SetFixedGlowOnMO(float max, float glowSpeed, int32_t useMouseOverImage);
  virtual void SetAutoGlow(float min, float max, float glowSpeed, int32_t onMouseOverOnly);
  // Caption centred on the button; the mouse-over colour is used under the pointer.
  virtual void SetupCaption(const std::string& text, const std::shared_ptr<platform::ImageFont>& font,
                            const std::shared_ptr<TColor>& color, const std::shared_ptr<TShadow>& shadow,
                            const std::shared_ptr<TColor>& mouseOverColor);
  virtual void SetupCaptionDown(const std::shared_ptr<TColor>& color, float scale, float offsetX, float offsetY);
  virtual void SetupMouseRepeat(int32_t delayMs, int32_t intervalMs);
  virtual void SetupScaleOnMO(float max, float upSpeed, float downSpeed);

  std::shared_ptr<TGameImage> ImageDisabled, ImageMouseClick, ImageMouseOver;
  std::shared_ptr<TGameSound> SoundMouseOver, SoundClick, SoundClick2;
  std::shared_ptr<TLabel> Caption;
  std::shared_ptr<TColor> CaptionDisabledColor;
  std::shared_ptr<TMouseRepeat> MouseRepeat;
  int32_t Active = 1;
  int32_t AlwaysDraw = 0;
  int32_t Animated = 0;
  int32_t ClickDisabled = 1;
  int32_t ClickWhenDown = 0;
  int32_t Disabled = 0;
  int32_t OKButton = 0;
  int32_t OKButtonUseSpace = 1;
  int32_t UseMenuPath = 0;
  std::function<int32_t()> MouseOverUserFunction; // non-zero cancels the mouse-over
  int32_t Clicked = 0;
  int32_t MouseOver = 0;
  int32_t AutoGlowOnMO = 0;
  std::shared_ptr<TColor> CaptionDownColor;
  float CaptionDownScale = 1.0f;
  float CaptionDownOffsetX = 0, CaptionDownOffsetY = 0;
  ChannelRef ChannelMouseOver, ChannelClick;
  int32_t FixedGlowOnMO = 0;
  int32_t FixedGlowOnMOUseMO = 0;
  float MouseClickCounter = 0;
  float MouseClickDuration = 0;
  int32_t NoSound = 0;
  int32_t OldRoundedCoords = 0;
  float ScaleOnMOMax = 1.0f;
  float ScaleOnMO = 1.0f;
  float ScaleOnMOUpSpeed = 0.03f;
  float ScaleOnMODownSpeed = 0.01f;

private:
  // Draws one state picture with its shadow and, when asked, the glow over it.
  void DrawState(const std::shared_ptr<TGameImage>& picture, int32_t pictureFrame, float px, float py, float sx,
                 float sy, bool glow);
  void PlayOn(const std::shared_ptr<TGameSound>& sound, ChannelRef& channel);
};
